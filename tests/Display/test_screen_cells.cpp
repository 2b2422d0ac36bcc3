// Widget cells: what one cell draws for each state, texts, marks and zoom.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>

#include "Display/CellPainter.h"
#include "Display/ScreenWidget.h"
#include "screen_test_util.h"

using namespace screentest;

namespace {

const QColor kBlue(20, 40, 120);
constexpr int W = 200;
constexpr int H = 150;

class ScreenCellTest : public ::testing::Test {
protected:
    ScreenCellTest() : cell(nullptr) { cell.resize(W, H); }

    QImage Shot() { return cell.pixmap().toImage().convertToFormat(QImage::Format_RGB32); }

    // A marked cell without texts, so only marks sit over the picture.
    CDisplayInfo Marked(bool record, bool motion, bool sensor)
    {
        CDisplayInfo info = Picture(Solid(704, 480, kBlue));
        info.record = record;
        info.motion = motion;
        info.sensor = sensor;
        return info;
    }

    void Mouse(QEvent::Type type, QPoint pos, Qt::MouseButtons held)
    {
        QMouseEvent event(type, QPointF(pos), QPointF(cell.mapToGlobal(pos)), Qt::LeftButton, held,
                          Qt::NoModifier);
        QApplication::sendEvent(&cell, &event);
    }

    CScreenWidget cell;
    const CCellPictures& pictures = CCellPictures::get();
};

}  // namespace

TEST_F(ScreenCellTest, PictureFillsTheCellInsideAWhiteEdgeAndNoPictureIsBlack)
{
    ASSERT_FALSE(pictures.connectionFailed.isNull());
    const QRgb white = qRgb(255, 255, 255);
    for (QImage::Format format : {QImage::Format_RGB888, QImage::Format_RGB32}) {
        cell.setInfo(Picture(Solid(704, 480, kBlue, format), -1));
        const QImage shot = Shot();
        ASSERT_EQ(shot.size(), QSize(W, H));
        for (int y : {0, 75, H - 1}) {
            EXPECT_EQ(shot.pixel(0, y), white);
            EXPECT_EQ(shot.pixel(W - 1, y), white);
        }
        for (int x : {0, 100, W - 1}) {
            EXPECT_EQ(shot.pixel(x, 0), white);
            EXPECT_EQ(shot.pixel(x, H - 1), white);
        }
        for (QPoint p : {QPoint(1, 1), QPoint(100, 75), QPoint(W - 2, H - 2)})
            EXPECT_TRUE(Near(shot.pixel(p), kBlue.rgb())) << p.x() << "," << p.y() << " format " << format;
    }

    cell.clear();
    const QImage empty = Shot();
    EXPECT_EQ(empty.pixel(100, 75), qRgb(0, 0, 0));
    EXPECT_EQ(empty.pixel(1, 1), qRgb(0, 0, 0));
    EXPECT_EQ(empty.pixel(0, 75), white);
}

TEST_F(ScreenCellTest, SelectedCellHasATwoPixelYellowFrameInsideTheEdge)
{
    cell.setInfo(Picture(Solid(352, 240, kBlue), -1));
    cell.setSelected(true);
    QImage shot = Shot();
    const QRgb yellow = qRgb(255, 255, 0);
    EXPECT_EQ(shot.pixel(0, 75), qRgb(255, 255, 255));
    EXPECT_EQ(shot.pixel(1, 75), yellow);
    EXPECT_EQ(shot.pixel(2, 75), yellow);
    EXPECT_TRUE(Near(shot.pixel(3, 75), kBlue.rgb()));
    EXPECT_EQ(shot.pixel(W - 2, 75), yellow);
    EXPECT_EQ(shot.pixel(W - 3, 75), yellow);
    EXPECT_TRUE(Near(shot.pixel(W - 4, 75), kBlue.rgb()));
    EXPECT_EQ(shot.pixel(100, 1), yellow);
    EXPECT_EQ(shot.pixel(100, 2), yellow);
    EXPECT_EQ(shot.pixel(100, H - 2), yellow);
    EXPECT_EQ(shot.pixel(100, H - 3), yellow);
    EXPECT_TRUE(Near(shot.pixel(100, H - 4), kBlue.rgb()));

    // A state picture keeps the selection visible.
    CDisplayInfo lost = Picture(Solid(352, 240, kBlue), -1);
    lost.videoLoss = true;
    cell.setInfo(lost);
    EXPECT_EQ(Shot().pixel(1, 75), yellow);

    cell.setSelected(false);
    shot = Shot();
    EXPECT_EQ(shot.pixel(1, 75), qRgb(0, 0, 0));
    EXPECT_EQ(shot.pixel(2, 75), qRgb(0, 0, 0));
}

TEST_F(ScreenCellTest, StatePicturesAreCentredOnBlackInOrderOfPrecedence)
{
    struct Case {
        bool failed, unauthorised, lost;
        const QPixmap* expected;
    };
    const Case cases[] = {
        {true, true, true, &pictures.connectionFailed},
        {false, true, true, &pictures.noAuthority},
        {false, false, true, &pictures.videoLoss},
    };
    for (const Case& c : cases) {
        CDisplayInfo info = Picture(Solid(704, 480, kBlue));
        info.title = QStringLiteral("Connection failed");
        info.channelName = QStringLiteral("Cam");
        info.record = info.motion = info.sensor = true;
        info.failed = c.failed;
        info.authorised = !c.unauthorised;
        info.videoLoss = c.lost;
        cell.setInfo(info);
        const QImage shot = Shot();
        const QPixmap& picture = *c.expected;
        const int x = (0 + W - 1) / 2 - picture.width() / 2;
        const int y = (0 + H - 1) / 2 - picture.height() / 2;
        EXPECT_EQ(Mismatches(shot, x, y, Composed(picture, Qt::black)), 0) << c.failed << c.unauthorised;
        // Black everywhere else inside the edge: no picture, no texts, no marks.
        for (QPoint p : {QPoint(1, 1), QPoint(5, 20), QPoint(20, 6), QPoint(100, H - 20), QPoint(W - 2, H - 2)})
            EXPECT_EQ(shot.pixel(p), qRgb(0, 0, 0)) << p.x() << "," << p.y();
        EXPECT_EQ(shot.pixel(0, 0), qRgb(255, 255, 255));
        // Only a failed cell names its failure, in the tooltip.
        EXPECT_EQ(cell.toolTip(), c.failed ? info.title : QString());
    }
    cell.clear();
    EXPECT_TRUE(cell.toolTip().isEmpty());
}

TEST_F(ScreenCellTest, TitleAtTopLeftAndCameraNameCentredAboveTheBottom)
{
    CDisplayInfo info = Picture(Solid(352, 240, kBlue));
    info.title = QStringLiteral("DVR-1");
    info.channelName = QStringLiteral("Camera 12");
    cell.setInfo(info);
    QImage shot = Shot();

    QFont bold = QApplication::font();
    bold.setWeight(QFont::Bold);
    const QFontMetrics fm(bold);
    const QRect title = BrightBox(shot, QRect(1, 1, W - 2, 12 + fm.descent()));
    ASSERT_FALSE(title.isEmpty());
    EXPECT_GE(title.left(), 2);
    EXPECT_LE(title.left(), 4);
    EXPECT_LE(title.bottom(), 12 + fm.descent());

    const int baseline = (H - 1) + 1 - fm.height();
    const QRect name = BrightBox(shot, QRect(1, baseline - fm.ascent(), W - 2, fm.height()));
    ASSERT_FALSE(name.isEmpty());
    EXPECT_NEAR(name.center().x(), W / 2, 3);
    EXPECT_LE(name.bottom(), baseline + fm.descent());
    EXPECT_TRUE(BrightBox(shot, QRect(1, baseline + fm.descent() + 1, W - 2, H - 2 - baseline - fm.descent()))
                    .isEmpty());

    // Names off, or an empty cell: no texts.
    cell.setDisplaySettings(false, 1, 1);
    shot = Shot();
    EXPECT_TRUE(BrightBox(shot, QRect(1, 1, W - 2, H - 2)).isEmpty());
    cell.setDisplaySettings(true, 1, 1);
    info.channel = -1;
    cell.setInfo(info);
    EXPECT_TRUE(BrightBox(Shot(), QRect(1, 1, W - 2, H - 2)).isEmpty());
}

TEST_F(ScreenCellTest, EventIconsKeepFixedSlots)
{
    const int motionX = 1 + pictures.recordIcon.width();
    const int sensorX = motionX + pictures.motionIcon.width();
    const QImage record = Composed(pictures.recordIcon, kBlue);
    const QImage motion = Composed(pictures.motionIcon, kBlue);
    const QImage sensor = Composed(pictures.sensorIcon, kBlue);
    const QImage plain = Solid(12, 12, kBlue, QImage::Format_RGB32);

    cell.setInfo(Marked(true, true, true));
    QImage shot = Shot();
    EXPECT_EQ(Mismatches(shot, 1, 15, record), 0);
    EXPECT_EQ(Mismatches(shot, motionX, 15, motion), 0);
    EXPECT_EQ(Mismatches(shot, sensorX, 15, sensor), 0);

    // A lone sensor mark stays in the third slot.
    cell.setInfo(Marked(false, false, true));
    shot = Shot();
    EXPECT_EQ(Mismatches(shot, 1, 15, plain), 0);
    EXPECT_EQ(Mismatches(shot, motionX, 15, plain), 0);
    EXPECT_EQ(Mismatches(shot, sensorX, 15, sensor), 0);

    // No marks drawn with both settings at 0.
    cell.setDisplaySettings(true, 0, 0);
    cell.setInfo(Marked(true, true, true));
    shot = Shot();
    EXPECT_EQ(Mismatches(shot, 1, 15, Solid(36, 12, kBlue, QImage::Format_RGB32)), 0);
    EXPECT_TRUE(Near(shot.pixel(1, 75), kBlue.rgb()));
}

TEST_F(ScreenCellTest, OutlinesNestInsideTheEdgeInTheirColours)
{
    const QRgb bg = kBlue.rgb();
    const QRgb red = Over(CellPainter::RECORD_COLOR, bg);
    const QRgb green = Over(CellPainter::MOTION_COLOR, bg);
    const QRgb orange = Over(CellPainter::SENSOR_COLOR, bg);

    cell.setDisplaySettings(true, 2, 2);
    cell.setInfo(Marked(true, true, true));
    QImage shot = Shot();
    EXPECT_TRUE(Near(shot.pixel(1, 75), orange));
    EXPECT_TRUE(Near(shot.pixel(2, 75), green));
    EXPECT_TRUE(Near(shot.pixel(3, 75), red));
    EXPECT_TRUE(Near(shot.pixel(4, 75), bg));
    EXPECT_TRUE(Near(shot.pixel(W - 2, 75), orange));
    EXPECT_TRUE(Near(shot.pixel(W - 3, 75), green));
    EXPECT_TRUE(Near(shot.pixel(W - 4, 75), red));
    EXPECT_TRUE(Near(shot.pixel(100, 1), orange));
    EXPECT_TRUE(Near(shot.pixel(100, H - 4), red));
    EXPECT_TRUE(Near(shot.pixel(100, H - 5), bg));
    // Outlines draw no icons.
    EXPECT_TRUE(Near(shot.pixel(7, 21), bg));

    // Record as an icon, events as outlines.
    cell.setDisplaySettings(true, 1, 2);
    shot = Shot();
    // The outlines come after the icon and cover its first two columns.
    EXPECT_EQ(Mismatches(shot, 3, 15, Composed(pictures.recordIcon, kBlue).copy(2, 0, 10, 12)), 0);
    EXPECT_TRUE(Near(shot.pixel(1, 75), orange));
    EXPECT_TRUE(Near(shot.pixel(2, 75), green));
    EXPECT_TRUE(Near(shot.pixel(3, 75), bg));
}

TEST_F(ScreenCellTest, ZoomSourceFollowsTheRectangleWithinThePicture)
{
    EXPECT_EQ(CScreenWidget::zoomSource(QRect(QPoint(0, 0), QPoint(176, 120)), QSize(704, 480), QSize(352, 240)),
              QRect(0, 0, 353, 241));
    EXPECT_EQ(CScreenWidget::zoomSource(QRect(QPoint(40, 30), QPoint(176, 120)), QSize(704, 480), QSize(352, 240)),
              QRect(QPoint(80, 60), QPoint(352, 240)));
    // A rectangle reaching past the cell stops at the picture's edge.
    const QRect past = CScreenWidget::zoomSource(QRect(QPoint(-10, -10), QPoint(400, 300)), QSize(704, 480),
                                                 QSize(352, 240));
    EXPECT_EQ(past.topLeft(), QPoint(0, 0));
    EXPECT_EQ(past.right(), 704);
    EXPECT_EQ(past.bottom(), 480);
    // A cell without size shows the whole picture.
    EXPECT_EQ(CScreenWidget::zoomSource(QRect(QPoint(1, 1), QPoint(5, 5)), QSize(704, 480), QSize(0, 0)),
              QRect(0, 0, 704, 480));
}

TEST_F(ScreenCellTest, ZoomDragDrawsTheRectangleThenShowsThatPart)
{
    cell.resize(352, 240);
    cell.setInfo(Picture(Quadrants(704, 480), -1));
    const QPoint far(300, 200);
    EXPECT_TRUE(Near(Shot().pixel(far), qRgb(255, 255, 255)));

    // Not selected: a drag does nothing.
    cell.startZoom();
    Mouse(QEvent::MouseButtonPress, QPoint(40, 30), Qt::LeftButton);
    Mouse(QEvent::MouseMove, QPoint(176, 120), Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, QPoint(176, 120), Qt::NoButton);
    EXPECT_FALSE(cell.zoomApplied());
    EXPECT_FALSE(cell.zoomRect().isValid());

    cell.setSelected(true);
    Mouse(QEvent::MouseButtonPress, QPoint(176, 120), Qt::LeftButton);
    Mouse(QEvent::MouseMove, QPoint(40, 30), Qt::LeftButton);
    EXPECT_EQ(cell.zoomRect(), QRect(QPoint(40, 30), QPoint(176, 120)));
    QImage shot = Shot();
    EXPECT_EQ(shot.pixel(100, 30), qRgb(255, 255, 255));
    EXPECT_EQ(shot.pixel(40, 80), qRgb(255, 255, 255));
    EXPECT_EQ(shot.pixel(176, 80), qRgb(255, 255, 255));
    EXPECT_TRUE(Near(shot.pixel(100, 31), qRgb(255, 0, 0)));
    EXPECT_TRUE(Near(shot.pixel(far), qRgb(255, 255, 255)));

    Mouse(QEvent::MouseButtonRelease, QPoint(40, 30), Qt::NoButton);
    EXPECT_TRUE(cell.zoomApplied());
    shot = Shot();
    EXPECT_TRUE(Near(shot.pixel(far), qRgb(255, 0, 0)));
    EXPECT_TRUE(Near(shot.pixel(100, 30), qRgb(255, 0, 0)));

    cell.endZoom();
    EXPECT_FALSE(cell.zoomApplied());
    EXPECT_FALSE(cell.zoomRect().isValid());
    cell.updatePixmap();
    EXPECT_TRUE(Near(Shot().pixel(far), qRgb(255, 255, 255)));
}
