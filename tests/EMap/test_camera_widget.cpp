// The camera icon on a map picture and its pop-up window, without a DVR.

#include <QCursor>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "EMap/CameraWidget.h"
#include "EMap/EMapSettings.h"
#include "emap_test_util.h"

namespace {

using S = EMap_Status;

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
        DVR dvr = emaptest::Dvr("Front", "10.1.2.3", 8000);
        dvr.set_chname(1, "Yard <b>");
        icon = new CCameraWidget(&label);
        icon->setDVR(dvr, 1);
        icon->show();
    }
    // A press, moves to label points and a release, as the operator drags.
    void drag(std::initializer_list<QPoint> path)
    {
        QTest::mousePress(icon, Qt::LeftButton, {}, QPoint(2, 2));
        for (const QPoint& p : path) {
            const QPoint global = label.mapToGlobal(p);
            QMouseEvent move(QEvent::MouseMove, icon->mapFromGlobal(global), global, Qt::NoButton, Qt::LeftButton, {});
            QCoreApplication::sendEvent(icon, &move);
        }
        QTest::mouseRelease(icon, Qt::LeftButton, {}, QPoint(2, 2));
    }
    QPoint under(const QPoint& p) const { return p - QPoint(icon->width() / 2, icon->height() / 2); }

    uitest::Sandbox sandbox;
    emaptest::Prompt prompt;
    QLabel label;
    CCameraWidget* icon = nullptr;
};

}  // namespace

TEST_F(CameraWidgetTest, DropsGoUnderThePointerAndDragsStayOnThePicture)
{
    EXPECT_EQ(icon->toolTip(), "DVR Name : Front\nAddress : 10.1.2.3\nPort : 8000\nUser : admin\nCamera : Yard <b>\n");
    EXPECT_EQ(icon->findChildren<QLabel*>().at(1)->textFormat(), Qt::PlainText);
    const QSize size = icon->size();
    struct Case { QPoint pointer; QPoint pos; bool onPicture; };
    const Case cases[] = {
        {{100, 100}, {100 - size.width() / 2, 100 - size.height() / 2}, true},
        {{-40, 5}, {0, 0}, true},
        {{1000, 1000}, {400 - size.width() - 1, 300 - size.height() - 1}, false},  // one pixel short
        {{299 + size.width() / 2, 100}, {299, 100 - size.height() / 2}, true},      // the last column
        {{300 + size.width() / 2, 100}, {300, 100 - size.height() / 2}, false},
    };
    for (const Case& c : cases) {
        const CameraPlacement place = PlaceCamera(c.pointer, size, label.size(), QRect(0, 0, 300, 200));
        EXPECT_TRUE(place.pos == c.pos && place.onPicture == c.onPicture) << c.pointer.x();
    }

    QCursor::setPos(label.mapToGlobal(QPoint(120, 90)));
    icon->moveWidget();
    EXPECT_EQ(icon->pos(), under({120, 90}));
    QCursor::setPos(label.mapToGlobal(QPoint(350, 250)));
    icon->moveWidget();
    EXPECT_EQ(prompt.messages, QStringList{"Please check the position of the camera."});
    EXPECT_EQ(icon->pos(), QPoint(149, 99));

    // Dragged in edit mode only, reported once per drag, held silently at the picture's edge.
    QSignalSpy moved(icon, &CCameraWidget::updatePosition);
    drag({QPoint(100, 100)});
    EXPECT_EQ(icon->pos(), QPoint(149, 99));
    icon->setEditable(true);
    drag({QPoint(50, 50), QPoint(100, 100)});
    EXPECT_EQ(icon->pos(), under({100, 100}));
    drag({QPoint(390, 290)});
    EXPECT_EQ(icon->pos(), QPoint(299, 199));
    drag({});
    EXPECT_EQ(moved.size(), 2);
    EXPECT_EQ(prompt.messages.size(), 1);

    // "Delete" is offered in edit mode only.
    QSignalSpy deleted(icon, &CCameraWidget::deleteCamera);
    for (const bool editable : {false, true}) {
        icon->setEditable(editable);
        emaptest::PickFromContextMenu(icon);
        EXPECT_EQ(deleted.size(), editable ? 1 : 0);
    }
}

TEST_F(CameraWidgetTest, StatesColourTheIconAndLogChangesOnly)
{
    QSignalSpy logs(icon, &CCameraWidget::updateLog);
    struct Step { int ch; bool record; int status; Qt::GlobalColor colour; QList<int> logged; };
    const Step steps[] = {
        {0, false, S::MOTION, Qt::transparent, {}},  // another camera of the DVR
        {1, true, S::CONNECTED, Qt::blue, {S::CONNECTED, S::RECORD_ON}},
        {1, true, S::MOTION, Qt::green, {S::MOTION}},
        {1, true, S::MOTION, Qt::green, {}},
        {1, false, S::SENSOR, Qt::yellow, {S::SENSOR, S::RECORD_OFF}},
        {1, false, S::MOTION_SENSOR, Qt::magenta, {S::MOTION_SENSOR}},
        {1, false, S::VIDEO_LOSS, Qt::black, {S::VIDEO_LOSS}},
        {1, false, S::DISCONNECTED, Qt::transparent, {S::DISCONNECTED}},
        {1, false, S::CONNECTED, Qt::blue, {}},  // "connected" only with the first state
        {1, false, 9, Qt::blue, {9}},
    };
    for (const Step& s : steps) {
        logs.clear();
        icon->OnCameraStatus(s.ch, "t", s.record, S::ENUM(s.status));
        QList<int> logged;
        for (const QList<QVariant>& args : logs)
            logged << args.at(1).value<S::ENUM>();
        EXPECT_TRUE(icon->fillColor() == s.colour && logged == s.logged) << s.status;
    }
    EXPECT_FALSE(icon->isEnableVideoWidget());  // "EmapPopup" is off
    label.hide();  // a map not shown takes nothing
    icon->OnCameraStatus(1, "t", true, S::MOTION);
    EXPECT_EQ(icon->fillColor(), Qt::blue);
}

TEST_F(CameraWidgetTest, PopUpsOpenOnceAndCloseByTheirTimer)
{
    QSignalSpy shown(icon, &CCameraWidget::showVideo);
    QSignalSpy closed(icon, &CCameraWidget::closeVideo);
    EMapSettings::write(CAppSettings::EMAP_POPUP, 1);
    for (const int popdown : {1, 3, 0}) {
        EMapSettings::write(CAppSettings::EMAP_POPDOWN, popdown);
        icon->OnCameraStatus(1, "t", false, S::CONNECTED);
        icon->OnCameraStatus(1, "t", false, S::MOTION);
        icon->OnCameraStatus(1, "t", false, S::SENSOR);
        ASSERT_TRUE(icon->isEnableVideoWidget());
        EXPECT_EQ(icon->videoDialog()->pos(), icon->mapToGlobal(QPoint((icon->width() - 1) / 2, (icon->height() - 1) / 2) + QPoint(20, 20)));
        EXPECT_EQ(icon->popDownTimer()->isActive(), popdown != 0);
        if (popdown == 0)
            break;
        EXPECT_EQ(icon->popDownTimer()->interval(), popdown == 1 ? 5000 : 30000);
        QMetaObject::invokeMethod(icon->popDownTimer(), "timeout");
        EXPECT_FALSE(icon->isEnableVideoWidget());
    }
    EXPECT_EQ(shown.size(), 3);
    EXPECT_EQ(closed.size(), 2);
    // Escape ends a pop-up as a close does, and stops its timer.
    icon->videoDialog()->reject();
    EMapSettings::write(CAppSettings::EMAP_POPDOWN, 2);
    icon->OnCameraStatus(1, "t", false, S::MOTION);
    icon->videoDialog()->reject();
    EXPECT_FALSE(icon->isEnableVideoWidget() || icon->popDownTimer()->isActive());
    EXPECT_EQ(closed.size(), 4);

    // A double click opens one pop-up in view mode; titles only move forward in time.
    icon->setEditable(true);
    QTest::mouseDClick(icon, Qt::LeftButton, {}, QPoint(3, 4));
    EXPECT_FALSE(icon->isEnableVideoWidget());
    icon->setEditable(false);
    QTest::mouseDClick(icon, Qt::LeftButton, {}, QPoint(3, 4));
    QTest::mouseDClick(icon, Qt::LeftButton, {}, QPoint(3, 4));
    EXPECT_EQ(shown.size(), 5);
    CShowVideoDialog* dialog = icon->videoDialog();
    EXPECT_EQ(dialog->pos(), icon->mapToGlobal(QPoint(23, 24)));
    EXPECT_FALSE(icon->popDownTimer()->isActive());
    icon->setDisplayTime(86400 + 3661);
    icon->setDisplayTime(86400);
    EXPECT_EQ(dialog->windowTitle(), "1970-01-02  01:01:01");
    dialog->resize(500, 400);
    EXPECT_EQ(dialog->screen().getDisplayRect(0), QRect(0, 0, 500, 400));
}
