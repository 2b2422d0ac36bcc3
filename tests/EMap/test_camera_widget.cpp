// The camera icon on a map picture and its pop-up window, without a DVR.

#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "EMap/CameraWidget.h"
#include "EMap/EMapSettings.h"
#include "Settings/AppSettings.h"
#include "emap_test_util.h"

namespace {

using S = EMap_Status;

DVR Camera()
{
    DVR dvr;
    dvr.set_name("Front");
    dvr.set_address("10.1.2.3");
    dvr.set_port(8000);
    dvr.set_id("oper");
    dvr.add_chname("Door");
    dvr.add_chname("Yard <b>");
    return dvr;
}

class CameraWidgetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        label.resize(400, 300);
        QPixmap picture(300, 200);
        picture.fill(Qt::white);
        label.setPixmap(picture);
        label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label.show();
        icon = new CCameraWidget(&label);
        icon->setDVR(Camera(), 1);
        icon->show();
    }

    // "time status" per log line the icon asked for.
    static QStringList Logs(const QSignalSpy& spy)
    {
        QStringList lines;
        for (const QList<QVariant>& args : spy)
            lines << args.at(0).toString() + " " + QString::number(args.at(1).value<EMap_Status::ENUM>());
        return lines;
    }

    uitest::Sandbox sandbox;
    emaptest::Prompt prompt;
    QLabel label;
    CCameraWidget* icon = nullptr;
};

}  // namespace

TEST(CameraPlacement, CentredUnderThePointerInsideTheLabel)
{
    const QSize icon(20, 30);
    const QSize label(400, 300);
    const QRect picture(0, 0, 300, 200);
    struct Case { QPoint pointer; QPoint pos; bool onPicture; };
    const Case cases[] = {
        {{100, 100}, {90, 85}, true},
        {{5, 5}, {0, 0}, true},
        {{-40, 50}, {0, 35}, true},
        {{399, 299}, {379, 269}, false},  // one pixel short of the edges
        {{1000, 10}, {379, 0}, false},
        {{309, 214}, {299, 199}, true},   // the picture's last pixel counts
        {{310, 100}, {300, 85}, false},
    };
    for (const Case& c : cases) {
        const CameraPlacement place = PlaceCamera(c.pointer, icon, label, picture);
        EXPECT_EQ(place.pos, c.pos) << c.pointer.x() << "," << c.pointer.y();
        EXPECT_EQ(place.onPicture, c.onPicture) << c.pointer.x() << "," << c.pointer.y();
    }
}

TEST_F(CameraWidgetTest, TitleToolTipAndADroppedCameraUnderThePointer)
{
    EXPECT_EQ(icon->title(), "Yard <b>");
    EXPECT_EQ(icon->findChildren<QLabel*>().at(1)->textFormat(), Qt::PlainText);
    EXPECT_EQ(icon->toolTip(), "DVR Name : Front\nAddress : 10.1.2.3\nPort : 8000\nUser : oper\nCamera : Yard <b>\n");

    QCursor::setPos(label.mapToGlobal(QPoint(120, 90)));
    icon->moveWidget();
    EXPECT_EQ(icon->pos(), QPoint(120 - icon->width() / 2, 90 - icon->height() / 2));
    EXPECT_TRUE(prompt.messages.isEmpty());

    // Off the picture: told, and put at the picture's centre.
    QCursor::setPos(label.mapToGlobal(QPoint(350, 250)));
    icon->moveWidget();
    EXPECT_EQ(prompt.messages, QStringList{"Please check the position of the camera."});
    EXPECT_EQ(icon->pos(), QPoint(149, 99));
}

TEST_F(CameraWidgetTest, DraggingInEditModeStaysOnThePictureAndReportsOnce)
{
    QSignalSpy moved(icon, &CCameraWidget::updatePosition);
    icon->move(10, 10);
    auto drag = [&](std::initializer_list<QPoint> path) {
        QTest::mousePress(icon, Qt::LeftButton, {}, QPoint(2, 2));
        for (const QPoint& p : path) {
            QMouseEvent move(QEvent::MouseMove, icon->mapFromGlobal(label.mapToGlobal(p)), label.mapToGlobal(p),
                             Qt::NoButton, Qt::LeftButton, {});
            QCoreApplication::sendEvent(icon, &move);
        }
        QTest::mouseRelease(icon, Qt::LeftButton, {}, QPoint(2, 2));
    };

    // View mode: nothing moves.
    drag({QPoint(100, 100)});
    EXPECT_EQ(icon->pos(), QPoint(10, 10));
    EXPECT_EQ(moved.size(), 0);

    icon->setEditable(true);
    drag({QPoint(50, 50), QPoint(80, 60), QPoint(100, 100)});
    EXPECT_EQ(icon->pos(), QPoint(100 - icon->width() / 2, 100 - icon->height() / 2));
    EXPECT_EQ(moved.size(), 1);

    // Past the picture it stops at the picture's edge, without a word.
    drag({QPoint(390, 290)});
    EXPECT_EQ(icon->pos(), QPoint(299, 199));
    EXPECT_EQ(moved.size(), 2);
    EXPECT_TRUE(prompt.messages.isEmpty());

    // Without a picture the label's edge holds it, one pixel short.
    label.setPixmap(QPixmap());
    drag({QPoint(1000, 1000)});
    EXPECT_EQ(icon->pos(), QPoint(400 - icon->width() - 1, 300 - icon->height() - 1));

    // A press and release without a move stores nothing.
    drag({});
    EXPECT_EQ(moved.size(), 3);
}

TEST_F(CameraWidgetTest, TheContextMenuDeletesInEditModeOnly)
{
    QSignalSpy deleted(icon, &CCameraWidget::deleteCamera);
    int menus = 0;
    auto rightClick = [&] {
        QTimer::singleShot(0, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                ++menus;
                EXPECT_EQ(menu->actions().at(0)->text(), "Delete");
                menu->actions().at(0)->trigger();
                menu->close();
            }
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), icon->mapToGlobal(QPoint(2, 2)));
        QCoreApplication::sendEvent(icon, &event);
        QCoreApplication::processEvents();
    };
    rightClick();
    EXPECT_EQ(menus, 0);
    icon->setEditable(true);
    rightClick();
    EXPECT_EQ(menus, 1);
    EXPECT_EQ(deleted.size(), 1);
}

TEST_F(CameraWidgetTest, StatesColourTheIconAndLogChangesOnly)
{
    QSignalSpy logs(icon, &CCameraWidget::updateLog);
    struct Step { int ch; bool record; S::ENUM status; Qt::GlobalColor colour; QStringList logged; };
    const Step steps[] = {
        {0, false, S::MOTION, Qt::transparent, {}},  // another camera of the DVR
        {1, true, S::CONNECTED, Qt::blue, {"t 1", "t 7"}},
        {1, true, S::CONNECTED, Qt::blue, {}},
        {1, true, S::MOTION, Qt::green, {"t 4"}},
        {1, true, S::MOTION, Qt::green, {}},
        {1, false, S::SENSOR, Qt::yellow, {"t 5", "t 8"}},
        {1, false, S::MOTION_SENSOR, Qt::magenta, {"t 6"}},
        {1, false, S::VIDEO_LOSS, Qt::black, {"t 3"}},
        {1, false, S::DISCONNECTED, Qt::transparent, {"t 2"}},
        {1, false, S::CONNECTED, Qt::blue, {}},  // "connected" only with the first state
        {1, false, static_cast<S::ENUM>(9), Qt::blue, {"t 9"}},
    };
    int i = 0;
    for (const Step& s : steps) {
        logs.clear();
        icon->OnCameraStatus(s.ch, "t", s.record, s.status);
        EXPECT_EQ(icon->fillColor(), s.colour) << i;
        EXPECT_EQ(Logs(logs), s.logged) << i;
        ++i;
    }
    EXPECT_FALSE(icon->isRecording());
    EXPECT_FALSE(icon->isEnableVideoWidget());  // "EmapPopup" is off

    // A hidden map takes nothing.
    label.hide();
    logs.clear();
    icon->OnCameraStatus(1, "t", true, S::MOTION);
    EXPECT_EQ(icon->fillColor(), Qt::blue);
    EXPECT_EQ(logs.size(), 0);
}

TEST_F(CameraWidgetTest, EventsPopUpOnceAndPopDownByTheSetting)
{
    QSignalSpy shown(icon, &CCameraWidget::showVideo);
    QSignalSpy closed(icon, &CCameraWidget::closeVideo);
    EMapSettings::write(CAppSettings::EMAP_POPUP, 1);
    struct Case { int popdown; int ms; };
    for (const Case c : {Case{1, 5000}, Case{3, 30000}, Case{0, 0}}) {
        EMapSettings::write(CAppSettings::EMAP_POPDOWN, c.popdown);
        shown.clear();
        closed.clear();
        icon->OnCameraStatus(1, "t", false, S::CONNECTED);
        icon->OnCameraStatus(1, "t", false, S::MOTION);
        icon->OnCameraStatus(1, "t", false, S::SENSOR);
        ASSERT_TRUE(icon->isEnableVideoWidget());
        EXPECT_EQ(shown.size(), 1);
        EXPECT_EQ(icon->videoDialog()->pos(), icon->mapToGlobal(QPoint((icon->width() - 1) / 2, (icon->height() - 1) / 2)) + QPoint(20, 20));
        EXPECT_EQ(icon->popDownTimer()->isActive(), c.ms > 0);
        if (c.ms == 0)
            break;
        EXPECT_EQ(icon->popDownTimer()->interval(), c.ms);
        QMetaObject::invokeMethod(icon->popDownTimer(), "timeout");
        EXPECT_FALSE(icon->isEnableVideoWidget());
        EXPECT_EQ(closed.size(), 1);
    }
    // CONT stays open; closed early by the operator, nothing is left running.
    icon->videoDialog()->close();
    EXPECT_FALSE(icon->isEnableVideoWidget());
    EXPECT_FALSE(icon->popDownTimer()->isActive());

    EMapSettings::write(CAppSettings::EMAP_POPDOWN, 2);
    icon->OnCameraStatus(1, "t", false, S::MOTION);
    ASSERT_TRUE(icon->popDownTimer()->isActive());
    icon->videoDialog()->reject();  // Escape
    EXPECT_FALSE(icon->isEnableVideoWidget());
    EXPECT_FALSE(icon->popDownTimer()->isActive());
}

TEST_F(CameraWidgetTest, ADoubleClickOpensOnePopUpInViewModeWithTheNewestKeyFrameTime)
{
    QSignalSpy shown(icon, &CCameraWidget::showVideo);
    icon->setEditable(true);
    QTest::mouseDClick(icon, Qt::LeftButton, {}, QPoint(3, 4));
    EXPECT_FALSE(icon->isEnableVideoWidget());

    icon->setEditable(false);
    QTest::mouseDClick(icon, Qt::LeftButton, {}, QPoint(3, 4));
    QTest::mouseDClick(icon, Qt::LeftButton, {}, QPoint(3, 4));
    ASSERT_TRUE(icon->isEnableVideoWidget());
    EXPECT_EQ(shown.size(), 1);
    EXPECT_FALSE(icon->popDownTimer()->isActive());
    CShowVideoDialog* dialog = icon->videoDialog();
    EXPECT_EQ(dialog->pos(), icon->mapToGlobal(QPoint(23, 24)));
    EXPECT_TRUE(dialog->windowTitle().isEmpty());
    EXPECT_GE(dialog->width(), 320);

    icon->setDisplayTime(86400 + 3661);
    EXPECT_EQ(dialog->windowTitle(), "1970-01-02  01:01:01");
    icon->setDisplayTime(86400);
    EXPECT_EQ(dialog->windowTitle(), "1970-01-02  01:01:01");

    CDisplayInfo info;
    info.image = QImage(64, 48, QImage::Format_RGB888);
    info.channel = 1;
    icon->setDisplayInfo(info);
    EXPECT_EQ(dialog->screen().getInfo(0).channel, 1);
    dialog->resize(500, 400);
    EXPECT_EQ(dialog->screen().getDisplayRect(0), QRect(0, 0, 500, 400));
}
