#pragma once

// What the e-map tests share: an operator who also picks map pictures, and map builders.

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QStringList>
#include <QTimer>

#include "DVRList.pb.h"
#include "EMapList.pb.h"
#include "support/UiTestSupport.h"

namespace emaptest {

class Prompt : public uitest::ScriptedPrompt {
public:
    QString chooseOpenFile(QWidget*, const QString& title, const QString&, const QString& filter) override
    {
        questions << title + " " + filter;
        return images.isEmpty() ? QString() : images.takeFirst();
    }

    QStringList images;
};

// Right-clicks the widget and picks the first entry of the menu it runs, if any.
inline void PickFromContextMenu(QWidget* widget)
{
    QTimer::singleShot(0, [] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            menu->actions().at(0)->trigger();
            menu->close();
        }
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
    QCoreApplication::sendEvent(widget, &event);
    QCoreApplication::processEvents();
}

inline DVR Dvr(const char* name, const std::string& address, int port, const char* user = "admin")
{
    DVR dvr;
    dvr.set_name(name);
    dvr.set_address(address);
    dvr.set_port(port);
    dvr.set_id(user);
    dvr.set_password("1234");
    for (const char* title : {"Door", "Yard", "Hall", "Gate"})
        dvr.add_chname(title);
    return dvr;
}

// A camera per channel, 90 pixels apart.
inline EMap Map(const char* name, const char* path, const DVR& dvr = DVR(), std::initializer_list<int> channels = {})
{
    EMap map;
    map.set_name(name);
    map.set_map_image_path(path);
    int x = 20;
    for (const int ch : channels) {
        EMapItems* item = map.add_items();
        *item->mutable_dvr() = dvr;
        item->set_channel(ch);
        item->set_pos_x(x);
        item->set_pos_y(40);
        x += 90;
    }
    return map;
}

}  // namespace emaptest
