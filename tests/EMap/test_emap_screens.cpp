// Screenshots of the e-map pages as an operator sees them (only with ZAVO_SCREENSHOT_DIR set).

#include <QPainter>
#include <QPlainTextEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "EMap/CameraWidget.h"
#include "EMap/ControlEMapList.h"
#include "EMap/EMapList.h"
#include "EMap/EMapSettings.h"
#include "EMap/EMapSetupDialog.h"
#include "EMap/EMapWidget.h"
#include "Network/HttpConnect.h"
#include "emap_test_util.h"
#include "sim/SimDvr.h"

namespace {

// A floor plan: rooms drawn as walls on a light ground.
QString FloorPlan(const QString& folder)
{
    QImage plan(900, 560, QImage::Format_RGB32);
    plan.fill(QColor("#f4f1e8"));
    QPainter p(&plan);
    p.setPen(QPen(QColor("#505050"), 8));
    p.drawRect(20, 20, 860, 520);
    for (const QLine& wall : {QLine(320, 20, 320, 300), QLine(20, 300, 600, 300), QLine(600, 20, 600, 540),
                              QLine(320, 380, 320, 540)})
        p.drawLine(wall);
    p.setFont(QFont("DejaVu Sans", 18));
    p.setPen(QColor("#8a8070"));
    for (const auto& [at, room] : {std::pair{QPoint(120, 160), "Entrance"}, {QPoint(400, 160), "Office"},
                                   {QPoint(680, 280), "Store"}, {QPoint(120, 440), "Hall"}, {QPoint(420, 440), "Yard"}})
        p.drawText(at, room);
    const QString path = folder + "/plan.png";
    plan.save(path);
    return path;
}

// A top-level window as drawn, under a title bar that shows its window title.
QImage WithTitle(QWidget* window)
{
    const QPixmap body = window->grab();
    QImage shot(body.width(), body.height() + 26, QImage::Format_RGB32);
    shot.fill(QColor("#3a4a60"));
    QPainter p(&shot);
    p.setPen(Qt::white);
    p.drawText(QRect(8, 0, body.width() - 16, 26), Qt::AlignVCenter, window->windowTitle());
    p.drawPixmap(0, 26, body);
    return shot;
}

}  // namespace

TEST(EMapScreens, MapWithEveryCameraStatePopUpAndDialogs)
{
    const QString dir = qEnvironmentVariable("ZAVO_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "ZAVO_SCREENSHOT_DIR not set";
    uitest::Sandbox sandbox;
    emaptest::Prompt prompt;
    CAppSettings().writeSetting(CAppSettings::OPENGL, 2);
    simdvr::Config cfg;
    cfg.channels = 8;
    cfg.mainSize = QStringLiteral("cif");
    cfg.recordMask = 0x20;
    cfg.motionMask = 0x0A;
    cfg.sensorMask = 0x0C;
    cfg.vlossMask = 0x10;
    simdvr::CSimDvr sim(cfg);
    ASSERT_TRUE(sim.start());
    DVR dvr = emaptest::Dvr("Plant", "127.0.0.1", sim.port());
    dvr.clear_chname();
    for (const char* title : {"Entrance", "Office", "Store", "Store door", "Hall", "Yard"})
        dvr.add_chname(title);
    EMap map = emaptest::Map("Ground floor", qPrintable(FloorPlan(sandbox.appDir())), dvr, {0, 1, 2, 3, 4, 5});
    const QPoint places[] = {{140, 200}, {420, 90}, {700, 150}, {620, 400}, {150, 380}, {430, 470}};
    for (int i = 0; i < 6; ++i) {
        map.mutable_items(i)->set_pos_x(places[i].x());
        map.mutable_items(i)->set_pos_y(places[i].y());
    }
    DVR gone = emaptest::Dvr("Gate", "127.0.0.1", 1);
    gone.set_chname(0, "Gate");
    *map.add_items() = emaptest::Map("", "", gone, {0}).items(0);
    map.mutable_items(6)->set_pos_x(800);
    map.mutable_items(6)->set_pos_y(480);

    // The display area above, the log below, as the main window lays them out.
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* display = new QWidget(&window);
    display->setMinimumSize(900, 560);
    auto* log = new QPlainTextEdit(&window);
    log->setFixedHeight(150);
    layout->addWidget(display);
    layout->addWidget(log);
    auto* view = new CEMapWidget(display);
    (new QVBoxLayout(display))->addWidget(view);
    view->setNoPacketTimeout(1500);
    QObject::connect(view, &CEMapWidget::updateLog, log, &QPlainTextEdit::appendPlainText);
    window.resize(920, 740);
    window.show();
    view->setSelectedEMap(map);
    QTest::qWaitFor([&] { return view->cameraWidgets().at(6)->status() == EMap_Status::DISCONNECTED; }, 10000);
    uitest::Screenshot(&window, "emap-view-states");

    QTest::mouseDClick(view->cameraWidgets().at(0), Qt::LeftButton, {}, QPoint(4, 4));
    CShowVideoDialog* popup = view->cameraWidgets().at(0)->videoDialog();
    ASSERT_TRUE(popup);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !popup->windowTitle().isEmpty(); }, 10000));
    QTest::qWait(300);
    WithTitle(popup).save(dir + "/emap-popup.png");
    delete view;

    CEMapSetupDialog setup(nullptr);
    uitest::Screenshot(&setup, "emap-setup-dialog");
    // A group open in view mode: the map shown and the others of the group marked.
    EMapGroupList groups;
    EMapList* floors = groups.add_emap_list();
    floors->set_name("Plant");
    for (const char* name : {"Ground floor", "First floor", "Roof"})
        floors->add_emap()->set_name(name);
    groups.add_emap_list()->set_name("Depot");
    *groups.mutable_emap_list(1)->add_emap() = emaptest::Map("Yard", "");
    ASSERT_TRUE(CControlEMapList().Save(groups));
    CEMapList list(nullptr);
    list.setFixedHeight(300);
    list.show();
    const QPoint group = list.visualItemRect(list.topLevelItem(0)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, group);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, group);
    uitest::Screenshot(&list, "emap-list");
    list.infoDialog()->setEMap("Group", map);
    uitest::Screenshot(list.infoDialog(), "emap-info-dialog");
}
