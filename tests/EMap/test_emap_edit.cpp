// The map view in edit mode and what a view derives from its map, without a DVR.

#include <QCursor>
#include <QLabel>
#include <QMimeData>
#include <QPointer>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "DVRList/DVRListTree.h"
#include "EMap/CameraWidget.h"
#include "EMap/EMapLive.h"
#include "EMap/EMapSettings.h"
#include "EMap/EMapWidget.h"
#include "emap_test_util.h"

using emaptest::Dvr;

namespace {

class EMapEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        area.resize(800, 600);
        area.show();
        QImage picture(640, 480, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        picture.save(sandbox.appDir() + "/plan.png");
        map = emaptest::Map("Hall", qPrintable(sandbox.appDir() + "/plan.png"), front, {0, 2});
        view = new CEMapWidget(&area);
        view->setEditable(true);
        view->setSelectedEMap(map);
        view->show();
    }
    void TearDown() override { delete view; }

    // A drop with the pointer at `at` on the picture (by default of what the DVR tree drags);
    // whether it was entered.
    bool drop(const QPoint& at, const QMimeData* data = nullptr)
    {
        QMimeData camera;
        camera.setData(QLatin1String(DVR_CAMERA_MIME_TYPE), "camera");
        const QMimeData* mime = data ? data : &camera;
        QCursor::setPos(view->imageLabel()->mapToGlobal(at));
        const QPoint pos = view->mapFromGlobal(QCursor::pos());
        QDragEnterEvent enter(pos, Qt::CopyAction, mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(view, &enter);
        QDropEvent dropped(QPointF(pos), Qt::CopyAction, mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(view, &dropped);
        return enter.isAccepted();
    }
    QList<QPoint> positions() const
    {
        QList<QPoint> list;
        for (const CCameraWidget* icon : view->cameraWidgets())
            list << icon->pos();
        return list;
    }

    uitest::Sandbox sandbox;
    emaptest::Prompt prompt;
    const DVR front = Dvr("Front", "10.0.0.1", 80);
    QWidget area;
    CEMapWidget* view = nullptr;
    EMap map;
};

}  // namespace

TEST(EMapLive, StreamsGroupCamerasByAddressAndPortAndUnknownStatesLogNothing)
{
    EMap map;
    const std::pair<DVR, int> cameras[] = {{Dvr("A", "10.0.0.1", 80, "first"), 3}, {Dvr("A2", "10.0.0.1", 80, "second"), 5},
                                           {Dvr("A", "10.0.0.1", 8080), 0},         {Dvr("A", "10.0.0.1", 80), 3},
                                           {Dvr("B", "10.0.0.10", 80), 1},          {Dvr("B", "10.0.0.10", 80), 99}};
    for (const auto& [dvr, ch] : cameras) {
        EMapItems* item = map.add_items();
        *item->mutable_dvr() = dvr;
        item->set_channel(ch);
    }
    const EMapStreamPlan plan = EMap_PlanStreams(map);
    EXPECT_EQ(plan.streamOfItem, (QList<int>{0, 0, 1, 0, 2, 2}));
    ASSERT_EQ(plan.streams.size(), 3);
    EXPECT_EQ(plan.streams[0].bit_ch(), 0x28u);  // the first camera's record, the map's channels
    EXPECT_EQ(plan.streams[0].id(), "first");
    EXPECT_EQ(plan.streams[1].bit_ch(), 0x1u);
    EXPECT_EQ(plan.streams[2].bit_ch(), 0x2u);  // no channel 99

    EXPECT_EQ(EMap_LogLine("t", Dvr("F", "", 80), 9, EMap_Status::MOTION), "t  F    motion");
    EXPECT_TRUE(EMap_LogLine("t", Dvr("F", "", 80), 1, EMap_Status::ENUM(9)).isEmpty());
}

TEST_F(EMapEditTest, CamerasStandAtTheirPlacesAndDropsComeFromTheTreeOnly)
{
    EXPECT_EQ(positions(), (QList<QPoint>{{20, 40}, {110, 40}}));
    EXPECT_TRUE(view->connections().isEmpty());
    // Without its picture a map still shows its cameras where they were, without a question.
    EMap lost = map;
    lost.set_map_image_path("/nowhere.png");
    view->setSelectedEMap(lost);
    EXPECT_EQ(positions(), (QList<QPoint>{{20, 40}, {110, 40}}));
    view->setSelectedEMap(map);

    QSignalSpy saved(view, &CEMapWidget::signalSaveEMap);
    EXPECT_TRUE(drop({300, 300}));  // nothing offered by the tree yet
    view->setCameraItem(front, 2);
    drop({300, 300});
    EXPECT_EQ(prompt.messages, (QStringList{"Please confirm the dvr information.", "The camera is in the emap."}));
    QMimeData text;
    text.setText("Front");
    EXPECT_FALSE(drop({300, 300}, &text));
    view->setEditable(false);
    EXPECT_FALSE(drop({300, 300}));
    view->setEditable(true);
    EXPECT_EQ(saved.size() + prompt.messages.size(), 2);

    // A camera item of the DVR tree, as the tree drags it.
    GroupList groups;
    Group* group = groups.add_group();
    *group->add_dvr() = front;
    group->mutable_dvr(0)->set_chnum(4);
    group->mutable_dvr(0)->set_old_protocol(true);  // asks the DVR for no names
    ASSERT_TRUE(CControlDVRList().Save(groups));
    CDVRListTree tree;
    tree.setCameraNameShow(true);
    QObject::connect(&tree, &CDVRListTree::dragCameraItem, view, &CEMapWidget::setCameraItem);
    QTreeWidgetItem* camera = tree.topLevelItem(0)->child(0)->child(3);
    tree.setCurrentItem(camera);
    QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), QPointF(1, 1), Qt::NoButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(tree.viewport(), &move);
    const std::unique_ptr<QMimeData> dragged(tree.mimeData({camera}));
    drop({300, 300}, dragged.get());
    ASSERT_EQ(saved.size(), 1);
    const EMap stored = saved.last().at(0).value<EMap>();
    ASSERT_EQ(stored.items_size(), 3);
    const CCameraWidget* added = view->cameraWidgets().at(2);
    EXPECT_EQ(added->pos(), QPoint(300 - added->width() / 2, 300 - added->height() / 2));
    EXPECT_EQ(QPoint(stored.items(2).pos_x(), stored.items(2).pos_y()), added->pos());
    EXPECT_EQ(stored.items(2).channel(), 3);
    EXPECT_EQ(stored.items(2).dvr().name(), "Front");

    // Another port is another DVR. Shown as it is, the picture leaves room beside it: a drop
    // there is told and centred.
    EMapSettings::write(CAppSettings::EMAP_IMAGESIZE, EMapSettings::IMAGE_ORIGINAL);
    view->updateImageSize();
    QCoreApplication::processEvents();
    view->setCameraItem(Dvr("Front", "10.0.0.1", 81), 3);
    drop({700, 500});
    EXPECT_EQ(prompt.messages.last(), "Please check the position of the camera.");
    EXPECT_EQ(view->cameraWidgets().at(3)->pos(), QPoint(319, 239));
    EXPECT_EQ(saved.size(), 2);
}

TEST_F(EMapEditTest, MovesAndDeletionsSaveTheMapOnce)
{
    QSignalSpy saved(view, &CEMapWidget::signalSaveEMap);
    CCameraWidget* icon = view->cameraWidgets().at(1);
    QTest::mousePress(icon, Qt::LeftButton, {}, QPoint(1, 1));
    for (const QPoint& p : {QPoint(250, 150), QPoint(300, 200)}) {
        const QPoint global = view->imageLabel()->mapToGlobal(p);
        QMouseEvent move(QEvent::MouseMove, icon->mapFromGlobal(global), global, Qt::NoButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(icon, &move);
    }
    QTest::mouseRelease(icon, Qt::LeftButton, {}, QPoint(1, 1));
    view->OnUpdatePosition();  // not from one of the map's cameras: ignored
    ASSERT_EQ(saved.size(), 1);
    EMap stored = saved.last().at(0).value<EMap>();
    EXPECT_EQ(QPoint(stored.items(1).pos_x(), stored.items(1).pos_y()), icon->pos());

    emit view->cameraWidgets().at(0)->deleteCamera();
    stored = saved.last().at(0).value<EMap>();
    ASSERT_EQ(stored.items_size(), 1);
    EXPECT_EQ(stored.items(0).channel(), 2);
    EXPECT_EQ(view->cameraWidgets().size(), 1);

    // "Delete All" from the map's menu, in edit mode only, also on an empty map.
    for (const bool editable : {false, true, true}) {
        view->setEditable(editable);
        emaptest::PickFromContextMenu(view);
    }
    ASSERT_EQ(saved.size(), 4);
    EXPECT_EQ(saved.last().at(0).value<EMap>().items_size(), 0);
    EXPECT_EQ(saved.last().at(0).value<EMap>().map_image_path(), map.map_image_path());
}

TEST_F(EMapEditTest, PicturesAreAdjustedOrShownAsTheyAreWithoutLosingTheCameras)
{
    QPointer<QLabel> label = view->imageLabel();
    area.resize(500, 700);
    view->resize(500, 700);
    EXPECT_EQ(label->pixmap().size(), QSize(500, 700));  // "Adjust" ignores the aspect ratio
    for (const int size : {EMapSettings::IMAGE_ORIGINAL, EMapSettings::IMAGE_ADJUST, EMapSettings::IMAGE_ORIGINAL}) {
        EMapSettings::write(CAppSettings::EMAP_IMAGESIZE, size);
        view->updateImageSize();
        ASSERT_TRUE(label);
        EXPECT_EQ(label->pixmap().size(), size ? QSize(640, 480) : QSize(500, 700));
        EXPECT_EQ(view->findChildren<QScrollArea*>().size(), size);
        EXPECT_EQ(view->cameraWidgets().at(0)->parentWidget(), label);
        EXPECT_EQ(positions(), (QList<QPoint>{{20, 40}, {110, 40}}));
    }
}
