#include "EMap/EMapMenu.h"

#include <QContextMenuEvent>

#include "EMap/EMapList.h"

CEMapMenu::CEMapMenu(QWidget* emapList) : QMenu(emapList)
{
    auto* list = qobject_cast<CEMapList*>(emapList);
    const struct {
        QString text;
        void (CEMapList::*slot)();
    } actions[] = {
        {tr("Add EMap"), &CEMapList::OnAddEMap},
        {tr("Edit EMap"), &CEMapList::OnEditEMap},
        {tr("Delete EMap"), &CEMapList::OnDeleteEMap},
    };
    for (const auto& a : actions) {
        // Owned by the menu: the main window builds a menu per right click.
        auto* action = new QAction(a.text, this);
        addAction(action);
        if (list)
            connect(action, &QAction::triggered, list, a.slot);
    }
}

CEMapMenu::~CEMapMenu() = default;

void EMap_RunEditMenu(QContextMenuEvent* event, bool editable, const QString& text,
                      const std::function<void()>& onChosen)
{
    if (!editable) {
        event->ignore();
        return;
    }
    QMenu menu;
    auto* action = new QAction(text, &menu);
    QObject::connect(action, &QAction::triggered, action, onChosen);
    menu.addAction(action);
    menu.exec(event->globalPos());
}
