// Widget cells: what one cell draws for each state, texts, marks and zoom.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>

#include <utility>
#include <vector>

#include "Display/CellPainter.h"
#include "Display/ScreenWidget.h"
#include "display_test_util.h"

using namespace displaytest;

namespace {

const QColor kBlue(20, 40, 120);
const QRgb kBg = kBlue.rgb();
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kYellow = qRgb(255, 255, 0);
const QRgb kRed = qRgb(255, 0, 0);
constexpr int W = 200;
constexpr int H = 150;

using Pixels = std::vector<std::pair<QPoint, QRgb>>;

void ExpectPixels(const QImage& shot, const Pixels& pixels)
{
    for (const auto& [p, colour] : pixels)
        EXPECT_TRUE(Near(shot.pixel(p), colour))
            << p.x() << "," << p.y() << ": " << std::hex << shot.pixel(p) << " not " << colour;
}

// colour drawn with its alpha over under.
QRgb Over(const QColor& colour, QRgb under)
{
    QImage one(1, 1, QImage::Format_RGB32);
    one.setPixel(0, 0, under);
    QPainter(&one).fillRect(0, 0, 1, 1, colour);
    return one.pixel(0, 0);
}

class ScreenCellTest : public ::testing::Test {
protected:
    ScreenCellTest() : cell(nullptr) { cell.resize(W, H); }

    QImage Shot() { return cell.pixmap().toImage().convertToFormat(QImage::Format_RGB32); }

    // A marked cell without texts, so only marks sit over the picture.
    void ShowMarked(bool record, bool motion, bool sensor)
    {
        CDisplayInfo info = Picture(Solid(704, 480, kBlue));
        info.record = record;
        info.motion = motion;
        info.sensor = sensor;
        cell.setInfo(info);
    }

    CScreenWidget cell;
    const CCellPictures& pictures = CCellPictures::get();
};

}  // namespace

TEST_F(ScreenCellTest, PictureInsideAWhiteEdgeAndTheSelectionAYellowFrameInsideThat)
{
    for (QImage::Format format : {QImage::Format_RGB888, QImage::Format_RGB32}) {
        cell.setInfo(Picture(Solid(704, 480, kBlue, format), -1));
        ASSERT_EQ(Shot().size(), QSize(W, H));
        ExpectPixels(Shot(), {{{0, 0}, kWhite}, {{0, 75}, kWhite}, {{W - 1, 75}, kWhite}, {{100, 0}, kWhite},
                              {{100, H - 1}, kWhite}, {{1, 1}, kBg}, {{100, 75}, kBg}, {{W - 2, H - 2}, kBg}});
    }
    cell.setSelected(true);
    ExpectPixels(Shot(), {{{0, 75}, kWhite}, {{1, 75}, kYellow}, {{2, 75}, kYellow}, {{3, 75}, kBg},
                          {{W - 2, 75}, kYellow}, {{W - 3, 75}, kYellow}, {{W - 4, 75}, kBg}, {{100, 1}, kYellow},
                          {{100, 2}, kYellow}, {{100, H - 2}, kYellow}, {{100, H - 3}, kYellow}, {{100, H - 4}, kBg}});
    // A state picture keeps the selection visible; no picture is black.
    CDisplayInfo lost = Picture(Solid(352, 240, kBlue), -1);
    lost.videoLoss = true;
    cell.setInfo(lost);
    ExpectPixels(Shot(), {{{1, 75}, kYellow}});
    cell.setSelected(false);
    cell.clear();
    ExpectPixels(Shot(), {{{1, 75}, kBlack}, {{2, 75}, kBlack}, {{100, 75}, kBlack}, {{0, 75}, kWhite}});
}

TEST_F(ScreenCellTest, StatePicturesAreCentredOnBlackInOrderOfPrecedence)
{
    const struct {
        bool failed, unauthorised, lost;
        const QPixmap& expected;
    } cases[] = {
        {true, true, true, pictures.connectionFailed},
        {false, true, true, pictures.noAuthority},
        {false, false, true, pictures.videoLoss},
    };
    for (const auto& c : cases) {
        CDisplayInfo info = Picture(Solid(704, 480, kBlue));
        info.title = QStringLiteral("Connection failed");
        info.channelName = QStringLiteral("Cam");
        info.record = info.motion = info.sensor = true;
        info.failed = c.failed;
        info.authorised = !c.unauthorised;
        info.videoLoss = c.lost;
        cell.setInfo(info);
        const QImage shot = Shot();
        ASSERT_FALSE(c.expected.isNull());
        EXPECT_EQ(StateMismatches(shot, QRect(0, 0, W, H), c.expected), 0) << c.failed << c.unauthorised;
        // Black everywhere else inside the edge: no picture, no texts, no marks.
        ExpectPixels(shot, {{{0, 0}, kWhite}, {{1, 1}, kBlack}, {{5, 20}, kBlack}, {{20, 6}, kBlack},
                            {{100, H - 20}, kBlack}, {{W - 2, H - 2}, kBlack}});
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
    const QImage shot = Shot();
    QFont bold = QApplication::font();
    bold.setWeight(QFont::Bold);
    const QFontMetrics fm(bold);
    const QRect title = BrightBox(shot, QRect(1, 1, W - 2, 12 + fm.descent()));
    ASSERT_FALSE(title.isEmpty());
    EXPECT_GE(title.left(), 2);
    EXPECT_LE(title.left(), 4);
    EXPECT_LE(title.bottom(), 12 + fm.descent());

    const int baseline = H - fm.height();
    const QRect name = BrightBox(shot, QRect(1, baseline - fm.ascent(), W - 2, fm.height()));
    ASSERT_FALSE(name.isEmpty());
    EXPECT_NEAR(name.center().x(), W / 2, 3);
    EXPECT_LE(name.bottom(), baseline + fm.descent());
    EXPECT_TRUE(BrightBox(shot, QRect(1, baseline + fm.descent() + 1, W - 2, H - 2 - baseline - fm.descent())).isEmpty());

    // Names off, or an empty cell: no texts.
    cell.setDisplaySettings(false, 1, 1);
    EXPECT_TRUE(BrightBox(Shot(), QRect(1, 1, W - 2, H - 2)).isEmpty());
    cell.setDisplaySettings(true, 1, 1);
    info.channel = -1;
    cell.setInfo(info);
    EXPECT_TRUE(BrightBox(Shot(), QRect(1, 1, W - 2, H - 2)).isEmpty());
}

TEST_F(ScreenCellTest, MarksAsIconsInFixedSlotsOrAsNestedOutlines)
{
    const int motionX = 1 + pictures.recordIcon.width();
    const int sensorX = motionX + pictures.motionIcon.width();
    ShowMarked(true, true, true);
    QImage shot = Shot();
    EXPECT_EQ(Mismatches(shot, 1, 15, Composed(pictures.recordIcon, kBlue)), 0);
    EXPECT_EQ(Mismatches(shot, motionX, 15, Composed(pictures.motionIcon, kBlue)), 0);
    EXPECT_EQ(Mismatches(shot, sensorX, 15, Composed(pictures.sensorIcon, kBlue)), 0);
    // A lone sensor mark stays in the third slot.
    ShowMarked(false, false, true);
    shot = Shot();
    EXPECT_EQ(Mismatches(shot, 1, 15, Solid(sensorX - 1, 12, kBlue, QImage::Format_RGB32)), 0);
    EXPECT_EQ(Mismatches(shot, sensorX, 15, Composed(pictures.sensorIcon, kBlue)), 0);
    // Neither icons nor outlines with both settings at 0.
    cell.setDisplaySettings(true, 0, 0);
    ShowMarked(true, true, true);
    EXPECT_EQ(Mismatches(Shot(), 1, 1, Solid(36, 25, kBlue, QImage::Format_RGB32)), 0);

    const QRgb red = Over(CellPainter::RECORD_COLOR, kBg);
    const QRgb green = Over(CellPainter::MOTION_COLOR, kBg);
    const QRgb orange = Over(CellPainter::SENSOR_COLOR, kBg);
    cell.setDisplaySettings(true, 2, 2);
    ShowMarked(true, true, true);
    // Outlines draw no icons (7, 21).
    ExpectPixels(Shot(), {{{1, 75}, orange}, {{2, 75}, green}, {{3, 75}, red}, {{4, 75}, kBg}, {{W - 2, 75}, orange},
                          {{W - 3, 75}, green}, {{W - 4, 75}, red}, {{100, 1}, orange}, {{100, H - 4}, red},
                          {{100, H - 5}, kBg}, {{7, 21}, kBg}});
    // Record as an icon, events as outlines, which cover the icon's first two columns.
    cell.setDisplaySettings(true, 1, 2);
    shot = Shot();
    EXPECT_EQ(Mismatches(shot, 3, 15, Composed(pictures.recordIcon, kBlue).copy(2, 0, 10, 12)), 0);
    ExpectPixels(shot, {{{1, 75}, orange}, {{2, 75}, green}, {{3, 75}, kBg}});
}

TEST_F(ScreenCellTest, ZoomSourceFollowsTheRectangleWithinThePicture)
{
    const QSize picture(704, 480);
    const struct {
        QRect zoom;
        QSize cell;
        QRect expected;
    } cases[] = {
        {QRect(QPoint(0, 0), QPoint(176, 120)), QSize(352, 240), QRect(0, 0, 353, 241)},
        {QRect(QPoint(40, 30), QPoint(176, 120)), QSize(352, 240), QRect(QPoint(80, 60), QPoint(352, 240))},
        // Reaching past the cell: stops at the picture's edge.
        {QRect(QPoint(-10, -10), QPoint(400, 300)), QSize(352, 240), QRect(QPoint(0, 0), QPoint(704, 480))},
        // A cell without size shows the whole picture.
        {QRect(QPoint(1, 1), QPoint(5, 5)), QSize(0, 0), QRect(0, 0, 704, 480)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CScreenWidget::zoomSource(c.zoom, picture, c.cell), c.expected);
}

TEST_F(ScreenCellTest, ZoomDragDrawsTheRectangleThenShowsThatPart)
{
    cell.resize(352, 240);
    cell.setInfo(Picture(Quadrants(704, 480), -1));
    const QPoint far(300, 200);
    ExpectPixels(Shot(), {{far, kWhite}});

    // Not selected: a drag does nothing.
    cell.startZoom();
    Drag(&cell, QPoint(40, 30), QPoint(176, 120));
    EXPECT_FALSE(cell.zoomApplied());
    EXPECT_FALSE(cell.zoomRect().isValid());

    cell.setSelected(true);
    Mouse(&cell, QEvent::MouseButtonPress, QPoint(176, 120));
    Mouse(&cell, QEvent::MouseMove, QPoint(40, 30));
    EXPECT_EQ(cell.zoomRect(), QRect(QPoint(40, 30), QPoint(176, 120)));
    // The white rectangle over the red quadrant.
    ExpectPixels(Shot(), {{{100, 30}, kWhite}, {{40, 80}, kWhite}, {{176, 80}, kWhite}, {{100, 31}, kRed}, {far, kWhite}});

    Mouse(&cell, QEvent::MouseButtonRelease, QPoint(40, 30), Qt::NoButton);
    EXPECT_TRUE(cell.zoomApplied());
    ExpectPixels(Shot(), {{far, kRed}, {{100, 30}, kRed}});

    cell.endZoom();
    EXPECT_FALSE(cell.zoomApplied());
    EXPECT_FALSE(cell.zoomRect().isValid());
    cell.updatePixmap();
    ExpectPixels(Shot(), {{far, kWhite}});
}
