// The map view in edit mode and what a view derives from its map, without a DVR.

#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "DVRList/DVRListTree.h"
#include "EMap/CameraWidget.h"
#include "EMap/EMapLive.h"
#include "EMap/EMapSettings.h"
#include "EMap/EMapWidget.h"
#include "ProtoBuf/ListMetaTypes.h"
#include "Settings/AppSettings.h"
#include "emap_test_util.h"

namespace {

DVR Dvr(const char* name, const char* address, int port, const char* user = "oper")
{
    DVR dvr;
    dvr.set_name(name);
    dvr.set_address(address);
    dvr.set_port(port);
    dvr.set_id(user);
    for (const char* title : {"Door", "Yard", "Hall", "Gate"})
        dvr.add_chname(title);
    return dvr;
}

void Add(EMap* map, const DVR& dvr, int channel, int x = 0, int y = 0)
{
    EMapItems* item = map->add_items();
    *item->mutable_dvr() = dvr;
    item->set_channel(channel);
    item->set_pos_x(x);
    item->set_pos_y(y);
}

QString WritePicture(const QString& folder, int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    const QString path = folder + "/plan.png";
    image.save(path);
    return path;
}

class EMapEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        area.resize(800, 600);
        area.show();
        view = new CEMapWidget(&area);
        view->setEditable(true);
        map.set_name("Hall");
        map.set_map_image_path(WritePicture(sandbox.appDir(), 640, 480).toStdString());
        Add(&map, Dvr("Front", "10.0.0.1", 80), 0, 40, 50);
        Add(&map, Dvr("Front", "10.0.0.1", 80), 2, 200, 120);
        view->setSelectedEMap(map);
        view->show();
    }
    void TearDown() override { delete view; }

    // A drop of the DVR tree's camera drag at `at` (picture coordinates).
    void drop(const QPoint& at, const char* format = DVR_CAMERA_MIME_TYPE)
    {
        QMimeData mime;
        mime.setData(QLatin1String(format), "camera");
        QCursor::setPos(view->imageLabel()->mapToGlobal(at));
        const QPoint pos = view->mapFromGlobal(QCursor::pos());
        QDragEnterEvent enter(pos, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(view, &enter);
        entered = enter.isAccepted();
        QDropEvent dropped(QPointF(pos), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(view, &dropped);
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
    QWidget area;
    CEMapWidget* view = nullptr;
    EMap map;
    bool entered = false;
};

}  // namespace

TEST(EMapLive, StreamsGroupCamerasByAddressAndPort)
{
    EMap map;
    DVR first = Dvr("A", "10.0.0.1", 80, "first");
    first.set_bit_ch(0x1);
    Add(&map, first, 3);
    Add(&map, Dvr("A again", "10.0.0.1", 80, "second"), 5);
    Add(&map, Dvr("A", "10.0.0.1", 8080), 0);
    Add(&map, Dvr("A", "10.0.0.1", 80), 3);
    Add(&map, Dvr("B", "10.0.0.10", 80), 1);
    Add(&map, Dvr("B", "10.0.0.10", 80), 99);  // no such channel: no bit

    const EMapStreamPlan plan = EMap_PlanStreams(map);
    EXPECT_EQ(plan.streamOfItem, (QList<int>{0, 0, 1, 0, 2, 2}));
    ASSERT_EQ(plan.streams.size(), 3);
    const uint32_t masks[] = {0x28, 0x1, 0x2};
    for (int j = 0; j < 3; ++j)
        EXPECT_EQ(plan.streams[j].bit_ch(), masks[j]) << j;
    EXPECT_EQ(plan.streams[0].id(), "first");
    EXPECT_EQ(plan.streams[0].name(), "A");
    EXPECT_TRUE(EMap_PlanStreams(EMap()).streams.isEmpty());
}

TEST(EMapLive, LogLinesNameTheCameraAndItsState)
{
    const DVR dvr = Dvr("Front <i>", "10.0.0.1", 80);
    const char* words[] = {"connected", "disconnected", "video loss", "motion", "sensor", "motion + sensor", "record on", "record off"};
    for (int status = 1; status <= 8; ++status)
        EXPECT_EQ(EMap_LogLine("2026-12-06  10:00:00", dvr, 1, EMap_Status::ENUM(status)),
                  QString("2026-12-06  10:00:00  Front <i>  Yard  ") + words[status - 1]);
    EXPECT_EQ(EMap_LogLine("t", dvr, 9, EMap_Status::MOTION), "t  Front <i>    motion");
    EXPECT_TRUE(EMap_LogLine("t", dvr, 1, EMap_Status::ENUM(0)).isEmpty());
    EXPECT_TRUE(EMap_LogLine("t", dvr, 1, EMap_Status::ENUM(9)).isEmpty());
}

TEST_F(EMapEditTest, AMapOpensWithItsCamerasAtTheirPlacesAndNoStream)
{
    EXPECT_EQ(positions(), (QList<QPoint>{{40, 50}, {200, 120}}));
    EXPECT_TRUE(view->connections().isEmpty());
    EXPECT_EQ(view->cameraWidgets().at(1)->title(), "Hall");
    EXPECT_EQ(view->cameraWidgets().at(1)->parentWidget(), view->imageLabel());
    EXPECT_EQ(view->objectName(), "CEMapWidget");
    EXPECT_EQ(view->windowTitle(), "CEMapWidget");
    EXPECT_GE(view->minimumWidth(), 730);

    // Without its picture the cameras still stand where they were put, without a question.
    EMap lost = map;
    lost.set_map_image_path("/nowhere/plan.png");
    view->setSelectedEMap(lost);
    EXPECT_EQ(positions(), (QList<QPoint>{{40, 50}, {200, 120}}));
    EXPECT_TRUE(prompt.messages.isEmpty());
    EXPECT_TRUE(view->imageLabel()->pixmap().isNull());
}

TEST_F(EMapEditTest, DropsAddCamerasFromTheTreeOnly)
{
    QSignalSpy saved(view, &CEMapWidget::signalSaveEMap);
    const DVR front = Dvr("Front", "10.0.0.1", 80);

    // Nothing offered by the tree yet.
    drop({300, 300});
    EXPECT_TRUE(entered);
    EXPECT_EQ(prompt.messages, QStringList{"Please confirm the dvr information."});

    view->setCameraItem(front, 2);
    drop({300, 300});
    EXPECT_EQ(prompt.messages.last(), "The camera is in the emap.");
    EXPECT_EQ(saved.size(), 0);

    // Other data and view mode are refused before anything is asked.
    view->setCameraItem(front, 3);
    drop({300, 300}, "text/plain");
    EXPECT_FALSE(entered);
    view->setEditable(false);
    drop({300, 300});
    EXPECT_FALSE(entered);
    view->setEditable(true);
    EXPECT_EQ(prompt.messages.size(), 2);
    EXPECT_EQ(view->cameraWidgets().size(), 2);

    drop({300, 300});
    ASSERT_EQ(saved.size(), 1);
    const EMap stored = saved.last().at(0).value<EMap>();
    ASSERT_EQ(stored.items_size(), 3);
    const CCameraWidget* added = view->cameraWidgets().at(2);
    EXPECT_EQ(added->pos(), QPoint(300 - added->width() / 2, 300 - added->height() / 2));
    EXPECT_EQ(QPoint(stored.items(2).pos_x(), stored.items(2).pos_y()), added->pos());
    EXPECT_EQ(stored.items(2).channel(), 3);
    EXPECT_EQ(stored.items(2).dvr().SerializeAsString(), front.SerializeAsString());

    // The same channel of the same address on another port is another camera. Shown as it
    // is, the picture leaves room beside it: a drop there is told and centred.
    EMapSettings::write(CAppSettings::EMAP_IMAGESIZE, EMapSettings::IMAGE_ORIGINAL);
    view->updateImageSize();
    QCoreApplication::processEvents();  // the scroll area lays the label out
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
    for (const QPoint& p : {QPoint(250, 150), QPoint(260, 160), QPoint(300, 200)}) {
        QMouseEvent move(QEvent::MouseMove, icon->mapFromGlobal(view->imageLabel()->mapToGlobal(p)),
                         view->imageLabel()->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(icon, &move);
    }
    QTest::mouseRelease(icon, Qt::LeftButton, {}, QPoint(1, 1));
    ASSERT_EQ(saved.size(), 1);
    EMap stored = saved.last().at(0).value<EMap>();
    EXPECT_EQ(QPoint(stored.items(1).pos_x(), stored.items(1).pos_y()), icon->pos());
    EXPECT_EQ(stored.items(0).pos_x(), 40);

    // A position report from something that is not one of the map's cameras changes nothing.
    view->OnUpdatePosition();
    EXPECT_EQ(saved.size(), 1);

    emit view->cameraWidgets().at(0)->deleteCamera();
    ASSERT_EQ(saved.size(), 2);
    stored = saved.last().at(0).value<EMap>();
    ASSERT_EQ(stored.items_size(), 1);
    EXPECT_EQ(stored.items(0).channel(), 2);
    EXPECT_EQ(stored.name(), "Hall");
    EXPECT_EQ(view->cameraWidgets().size(), 1);

    // "Delete All" from the map's menu, also once the map is empty.
    int menus = 0;
    for (int round = 0; round < 2; ++round) {
        QTimer::singleShot(0, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                ++menus;
                EXPECT_EQ(menu->actions().at(0)->text(), "Delete All");
                menu->actions().at(0)->trigger();
                menu->close();
            }
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), view->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(view, &event);
    }
    EXPECT_EQ(menus, 2);
    ASSERT_EQ(saved.size(), 4);
    EXPECT_EQ(saved.last().at(0).value<EMap>().items_size(), 0);
    EXPECT_EQ(saved.last().at(0).value<EMap>().map_image_path(), map.map_image_path());
    EXPECT_TRUE(view->cameraWidgets().isEmpty());
}

TEST_F(EMapEditTest, PicturesAreAdjustedOrShownAsTheyAreWithoutLosingTheCameras)
{
    QPointer<QLabel> label = view->imageLabel();
    EXPECT_EQ(label->pixmap().size(), area.size());  // "Adjust" ignores the aspect ratio

    area.resize(500, 700);
    view->resize(500, 700);
    EXPECT_EQ(label->pixmap().size(), QSize(500, 700));
    EXPECT_EQ(positions(), (QList<QPoint>{{40, 50}, {200, 120}}));

    for (const int size : {EMapSettings::IMAGE_ORIGINAL, EMapSettings::IMAGE_ADJUST, EMapSettings::IMAGE_ORIGINAL}) {
        EMapSettings::write(CAppSettings::EMAP_IMAGESIZE, size);
        view->updateImageSize();
        ASSERT_TRUE(label);
        EXPECT_EQ(label->pixmap().size(), size ? QSize(640, 480) : QSize(500, 700));
        EXPECT_EQ(view->findChildren<QScrollArea*>().size(), size);
        EXPECT_EQ(view->cameraWidgets().size(), 2);
        EXPECT_EQ(view->cameraWidgets().at(0)->parentWidget(), label);
        EXPECT_EQ(positions(), (QList<QPoint>{{40, 50}, {200, 120}}));
    }
}
