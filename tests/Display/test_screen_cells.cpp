// Widget cells: what one cell draws for each state, its marks and the zoomed part.
#include <gtest/gtest.h>

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
constexpr int W = 200;
constexpr int H = 150;

void ExpectPixels(const QImage& shot, const std::vector<std::pair<QPoint, QRgb>>& pixels)
{
    for (const auto& [p, colour] : pixels)
        EXPECT_TRUE(Near(shot.pixel(p), colour)) << p.x() << "," << p.y();
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
    // A cell with every mark and no texts, so only marks sit over the picture.
    QImage Marked(int recordDisplay, int eventDisplay)
    {
        cell.setDisplaySettings(true, recordDisplay, eventDisplay);
        CDisplayInfo info = Picture(Solid(704, 480, kBlue));
        info.record = info.motion = info.sensor = true;
        cell.setInfo(info);
        return Shot();
    }

    CScreenWidget cell;
    const CCellPictures& pictures = CCellPictures::get();
};

}  // namespace

TEST_F(ScreenCellTest, PictureInsideAWhiteEdgeAndTheSelectionAYellowFrameInsideThat)
{
    for (QImage::Format format : {QImage::Format_RGB888, QImage::Format_RGB32}) {
        cell.setInfo(Picture(Solid(704, 480, kBlue, format), -1));
        ExpectPixels(Shot(), {{{0, 0}, kWhite}, {{0, 75}, kWhite}, {{W - 1, 75}, kWhite}, {{100, H - 1}, kWhite},
                              {{1, 1}, kBg}, {{100, 75}, kBg}, {{W - 2, H - 2}, kBg}});
    }
    cell.setSelected(true);
    ExpectPixels(Shot(), {{{0, 75}, kWhite}, {{1, 75}, kYellow}, {{2, 75}, kYellow}, {{3, 75}, kBg},
                          {{W - 3, 75}, kYellow}, {{W - 4, 75}, kBg}, {{100, H - 3}, kYellow}, {{100, H - 4}, kBg}});
    cell.setSelected(false);
    cell.clear();
    ExpectPixels(Shot(), {{{1, 75}, kBlack}, {{100, 75}, kBlack}, {{0, 75}, kWhite}});
}

TEST_F(ScreenCellTest, StatePicturesAreCentredOnBlackInOrderOfPrecedence)
{
    const struct {
        bool failed, unauthorised;
        const QPixmap& expected;
    } cases[] = {{true, true, pictures.connectionFailed}, {false, true, pictures.noAuthority},
                 {false, false, pictures.videoLoss}};
    for (const auto& c : cases) {
        CDisplayInfo info = Picture(Solid(704, 480, kBlue));
        info.title = QStringLiteral("Connection failed");
        info.channelName = QStringLiteral("Cam");
        info.record = info.motion = info.sensor = info.videoLoss = true;
        info.failed = c.failed;
        info.authorised = !c.unauthorised;
        cell.setInfo(info);
        cell.setSelected(!c.failed);
        const QImage shot = Shot();
        EXPECT_EQ(StateMismatches(shot, QRect(0, 0, W, H), c.expected), 0) << c.failed << c.unauthorised;
        // Black everywhere else inside the edge and the selection: no picture, texts or marks.
        ExpectPixels(shot, {{{0, 0}, kWhite}, {{1, 75}, c.failed ? kBlack : kYellow}, {{5, 20}, kBlack},
                            {{20, 6}, kBlack}, {{100, H - 20}, kBlack}, {{W - 4, H - 4}, kBlack}});
        // Only a failed cell names its failure, in the tooltip.
        EXPECT_EQ(cell.toolTip(), c.failed ? info.title : QString());
    }
}

TEST_F(ScreenCellTest, MarksAsIconsInFixedSlotsOrAsNestedOutlines)
{
    const int motionX = 1 + pictures.recordIcon.width();
    const int sensorX = motionX + pictures.motionIcon.width();
    QImage shot = Marked(1, 1);
    EXPECT_EQ(Mismatches(shot, 1, 15, Composed(pictures.recordIcon, kBlue)), 0);
    EXPECT_EQ(Mismatches(shot, motionX, 15, Composed(pictures.motionIcon, kBlue)), 0);
    EXPECT_EQ(Mismatches(shot, sensorX, 15, Composed(pictures.sensorIcon, kBlue)), 0);
    // A lone sensor mark stays in the third slot.
    CDisplayInfo sensor = Picture(Solid(704, 480, kBlue));
    sensor.sensor = true;
    cell.setInfo(sensor);
    shot = Shot();
    EXPECT_EQ(Mismatches(shot, 1, 15, Solid(sensorX - 1, 12, kBlue, QImage::Format_RGB32)), 0);
    EXPECT_EQ(Mismatches(shot, sensorX, 15, Composed(pictures.sensorIcon, kBlue)), 0);
    // Neither icons nor outlines with both settings at 0.
    EXPECT_EQ(Mismatches(Marked(0, 0), 1, 1, Solid(36, 25, kBlue, QImage::Format_RGB32)), 0);

    const QRgb red = Over(CellPainter::RECORD_COLOR, kBg);
    const QRgb green = Over(CellPainter::MOTION_COLOR, kBg);
    const QRgb orange = Over(CellPainter::SENSOR_COLOR, kBg);
    // Outlines draw no icons (7, 21).
    ExpectPixels(Marked(2, 2), {{{1, 75}, orange}, {{2, 75}, green}, {{3, 75}, red}, {{4, 75}, kBg},
                                {{W - 4, 75}, red}, {{100, 1}, orange}, {{100, H - 5}, kBg}, {{7, 21}, kBg}});
    // Record as an icon, events as outlines, which cover the icon's first two columns.
    shot = Marked(1, 2);
    EXPECT_EQ(Mismatches(shot, 3, 15, Composed(pictures.recordIcon, kBlue).copy(2, 0, 10, 12)), 0);
    ExpectPixels(shot, {{{1, 75}, orange}, {{2, 75}, green}, {{3, 75}, kBg}});
}

TEST(ScreenCell, ZoomSourceFollowsTheRectangleWithinThePicture)
{
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
        EXPECT_EQ(CScreenWidget::zoomSource(c.zoom, QSize(704, 480), c.cell), c.expected);
}
