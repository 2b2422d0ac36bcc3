// Map views in the main window, which drags itself on the presses that reach it and draws
// everything in the program's style sheet.

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "EMap/CameraWidget.h"
#include "EMap/ControlEMapList.h"
#include "EMap/EMapList.h"
#include "EMap/EMapWidget.h"
#include "Viewer.h"
#include "support/UiTestSupport.h"

namespace {

class EMapWindowTest : public ::testing::Test {
protected:
    EMapWindowTest() { CAppSettings().writeSetting(CAppSettings::OPENGL, OPENGL_MODE_OFF); }
    ~EMapWindowTest() override
    {
        window.reset();
        // The window installs the program's style sheet; the next test starts without it.
        qApp->setStyleSheet(QString());
    }

    // A floor plan of one colour with one camera, of a DVR that refuses connections, on it.
    void writeMap(const QColor& floor)
    {
        QImage plan(400, 300, QImage::Format_RGB32);
        plan.fill(floor);
        ASSERT_TRUE(plan.save(sandbox.appDir() + "/plan.png"));
        EMapGroupList maps;
        EMapList* group = maps.add_emap_list();
        group->set_name("Floor 1");
        EMap* map = group->add_emap();
        map->set_name("Hall");
        map->set_map_image_path((sandbox.appDir() + "/plan.png").toStdString());
        EMapItems* item = map->add_items();
        item->mutable_dvr()->set_name("Front");
        item->mutable_dvr()->set_address("127.0.0.1");
        item->mutable_dvr()->set_port(1);
        item->mutable_dvr()->add_chname("Door");
        item->set_pos_x(200);
        item->set_pos_y(150);
        ASSERT_TRUE(CControlEMapList().Save(maps));
    }

    // A new main window, reading the e-map file, with the map opened from the list in e-map
    // mode "EMapEdit" or "EMapView".
    CEMapWidget* openMap(const char* mode)
    {
        window.reset();
        window = std::make_unique<Viewer>();
        window->resize(1021, 720);
        window->show();
        window->findChild<QPushButton*>("EMap")->click();
        window->findChild<QPushButton*>(mode)->click();
        CEMapList* list = window->emapList();
        list->setCurrentItem(list->topLevelItem(0)->child(0));
        list->viewSelectedEmap();
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        return window->emapWidgets().value(0);
    }

    uitest::Sandbox sandbox;
    uitest::ScriptedPrompt prompt;
    std::unique_ptr<Viewer> window;
};

TEST_F(EMapWindowTest, DraggingACameraInEditModeMovesTheCameraAndNotTheWindow)
{
    writeMap(QColor("#f4f1e8"));
    CEMapWidget* view = openMap("EMapEdit");
    ASSERT_TRUE(view);
    CCameraWidget* icon = view->cameraWidgets().at(0);
    const QPoint windowAt = window->pos();
    const QPoint to = view->imageLabel()->mapToGlobal(QPoint(100, 80));
    QTest::mousePress(icon, Qt::LeftButton, {}, QPoint(4, 4));
    QTest::mouseMove(icon, icon->mapFromGlobal(to));
    QTest::mouseRelease(icon, Qt::LeftButton, {}, icon->mapFromGlobal(to));
    EXPECT_EQ(window->pos(), windowAt);
    EXPECT_EQ(icon->pos(), QPoint(100 - icon->width() / 2, 80 - icon->height() / 2));
}

TEST_F(EMapWindowTest, CameraTitlesStandOutFromLightAndDarkPlans)
{
    for (const QColor floor : {QColor("#f4f1e8"), QColor("#23262b")}) {
        writeMap(floor);
        CEMapWidget* view = openMap("EMapView");
        ASSERT_TRUE(view);
        CCameraWidget* icon = view->cameraWidgets().at(0);
        QLabel* title = nullptr;
        for (QLabel* label : icon->findChildren<QLabel*>())
            if (label->text() == icon->title())
                title = label;
        ASSERT_TRUE(title);
        const QImage shot =
            view->imageLabel()->grab(QRect(title->mapTo(view->imageLabel(), QPoint(0, 0)), title->size())).toImage();
        // The most any pixel of the title differs in lightness from the floor.
        int contrast = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                contrast = std::max(contrast, std::abs(shot.pixelColor(x, y).lightness() - floor.lightness()));
        EXPECT_GE(contrast, 128) << floor.name().toStdString();
    }
}

}  // namespace
