// What a new picture costs the wall: repaints at most once per screen refresh, and marks
// drawn anew only when one of them changes.
#include <QElapsedTimer>

#include <algorithm>
#include <vector>

#include "Display/GraphicsScene.h"
#include "screen_gl_util.h"

using namespace displaytest;
using namespace screengl;

namespace {

CDisplayInfo Named(const QColor& colour, const QString& title)
{
    CDisplayInfo info = Picture(Solid(160, 120, colour, QImage::Format_RGB32), 2);
    info.title = title;
    info.channelName = QStringLiteral("CAM3");
    return info;
}

// Repaints asked for at once by a new picture for cell i, once what the wall was handed is drawn
// and the refresh interval has passed (so that nothing holds an immediate repaint back).
quint64 RepaintsAskedAtOnce(Wall& wall, int i)
{
    wall.Shot();
    WaitFor([] { return false; }, CScreen::REPAINT_INTERVAL_MS + 5);
    const quint64 before = wall.screen->pictureRepaints();
    wall.screen->setInfo(i, Picture(Solid(160, 120, Qt::red), i));
    return wall.screen->pictureRepaints() - before;
}

// Hands cell 0 a red picture and a blue one right behind it, before any repaint.
void RedThenBlue(Wall& wall)
{
    wall.screen->setInfo(0, Picture(Solid(160, 120, Qt::red), 0));
    wall.screen->setInfo(0, Picture(Solid(160, 120, Qt::blue), 0));
}

}  // namespace

TEST(WallRepaint, NewPicturesWithTheSameMarksReuseTheDrawnMarks)
{
    REQUIRE_X();
    Wall wall(OPENGL_MODE_ON, 4);
    wall.screen->setInfo(2, Named(Qt::red, QStringLiteral("DVR 1")));
    wall.Shot();
    const quint64 renders = wall.screen->scene()->overlayRenders();
    for (QColor c : {QColor(Qt::green), QColor(Qt::blue)}) {
        wall.screen->setInfo(2, Named(c, QStringLiteral("DVR 1")));
        wall.Shot();
    }
    EXPECT_EQ(wall.screen->scene()->overlayRenders(), renders);
}

TEST(WallRepaint, ANewTitleDrawsTheMarksAnew)
{
    REQUIRE_X();
    Wall wall(OPENGL_MODE_ON, 4);
    wall.screen->setInfo(2, Named(Qt::red, QStringLiteral("DVR 1")));
    wall.Shot();
    const quint64 renders = wall.screen->scene()->overlayRenders();
    wall.screen->setInfo(2, Named(Qt::red, QStringLiteral("DVR 2")));
    wall.Shot();
    EXPECT_EQ(wall.screen->scene()->overlayRenders(), renders + 1);
}

TEST(WallRepaint, ANewSelectionDrawsTheMarksAnew)
{
    REQUIRE_X();
    Wall wall(OPENGL_MODE_ON, 4);
    wall.Shot();
    const quint64 renders = wall.screen->scene()->overlayRenders();
    wall.screen->setSelected(3);
    const QImage shot = wall.Shot();
    EXPECT_EQ(wall.screen->scene()->overlayRenders(), renders + 1);
    // The selection frame lies inside the cell's white edge.
    EXPECT_TRUE(Near(shot.pixel(wall.rects[3].left() + 1, wall.rects[3].center().y()), qRgb(255, 255, 0)));
}

TEST(WallRepaint, PicturesArrivingWithinARefreshAreDrawnByOneRepaint)
{
    REQUIRE_X();
    // Widget cells paint fast enough to show the difference; both kinds share the timing.
    Wall wall(OPENGL_MODE_OFF, 4);
    wall.Shot();
    const quint64 drawn = wall.screen->picturesDrawn();
    QElapsedTimer clock;
    clock.start();
    // Each picture comes with its own turn of the event loop, as the streams deliver them; the
    // repaints each turn made, and when it began and ended.
    constexpr int delivered = 40;
    std::vector<quint64> repaints;
    std::vector<qint64> began, ended;
    for (int i = 0; i < delivered; ++i) {
        began.push_back(clock.nsecsElapsed());
        const quint64 before = wall.screen->pictureRepaints();
        wall.screen->setInfo(0, Picture(Solid(160, 120, i % 2 ? Qt::red : Qt::blue), 0));
        QApplication::processEvents();
        repaints.push_back(wall.screen->pictureRepaints() - before);
        ended.push_back(clock.nsecsElapsed());
    }
    const qint64 elapsed = clock.elapsed();
    // However slowly the turns went: n repaints from the start of one turn to the end of another
    // are at least n - 1 refreshes apart (less a millisecond each for the clocks' rounding).
    constexpr qint64 refreshNs = (CScreen::REPAINT_INTERVAL_MS - 1) * 1000000ll;
    for (int first = 0; first < delivered; ++first) {
        quint64 n = 0;
        for (int last = first; last < delivered; ++last) {
            n += repaints[size_t(last)];
            if (n > 1) {
                ASSERT_GE(ended[size_t(last)] - began[size_t(first)], qint64(n - 1) * refreshNs)
                    << n << " repaints in the turns " << first << " to " << last;
            }
        }
    }
    EXPECT_LE(wall.screen->picturesDrawn() - drawn, quint64(elapsed / CScreen::REPAINT_INTERVAL_MS + 2));
}

TEST(WallRepaint, APictureArrivingLaterStillReachesTheScreen)
{
    REQUIRE_X();
    Wall wall(OPENGL_MODE_ON, 4);
    wall.Shot();
    RedThenBlue(wall);
    // No explicit repaint: the waiting refresh draws the newest picture.
    EXPECT_TRUE(WaitFor([&] {
        return wall.screen->glWidget()->grabFramebuffer().pixel(wall.rects[0].center()) == qRgb(0, 0, 255);
    }));
}

TEST(WallRepaint, PicturesOfSeveralStreamsHandedOverTogetherAreDrawnByOneRepaint)
{
    REQUIRE_X();
    Wall wall(OPENGL_MODE_ON, 4);
    for (int i = 0; i < 4; ++i)
        wall.screen->setInfo(i, Picture(Solid(160, 120, Qt::blue), i));
    wall.Shot();
    const quint64 repaints = wall.screen->pictureRepaints();
    for (int i = 0; i < 4; ++i)
        wall.screen->setInfo(i, Picture(Solid(160, 120, Qt::red), i));
    wall.Shot();
    EXPECT_EQ(wall.screen->pictureRepaints(), repaints + 1);
}

TEST(WallRepaint, ACellsFirstPictureIsRepaintedWithoutWaitingForOtherStreams)
{
    REQUIRE_X();
    Wall wall(OPENGL_MODE_ON, 4);
    wall.screen->setInfo(0, Picture(Solid(160, 120, Qt::blue), 0));
    EXPECT_EQ(RepaintsAskedAtOnce(wall, 1), 1u);
    wall.Shot();
    EXPECT_EQ(wall.screen->picturesDrawn(1), 1u);
}

TEST(WallRepaint, AFollowingPictureWaitsForOtherStreams)
{
    REQUIRE_X();
    Wall wall(OPENGL_MODE_ON, 4);
    wall.screen->setInfo(0, Picture(Solid(160, 120, Qt::blue), 0));
    EXPECT_EQ(RepaintsAskedAtOnce(wall, 0), 0u);
    EXPECT_TRUE(wall.screen->picturesWaiting());
}

TEST(WallRepaint, APictureAfterAStateIsRepaintedWithoutWaiting)
{
    REQUIRE_X();
    Wall wall(OPENGL_MODE_ON, 4);
    wall.screen->setInfo(0, Picture(Solid(160, 120, Qt::blue), 0));
    CDisplayInfo lost;
    lost.videoLoss = true;
    wall.screen->setInfo(0, lost);
    EXPECT_EQ(RepaintsAskedAtOnce(wall, 0), 1u);
}

TEST(WallRepaint, APictureArrivingBeforeItsCellsLastIsOnScreenIsDrawnAfterIt)
{
    REQUIRE_X();
    Wall wall(OPENGL_MODE_ON, 4);
    wall.Shot();
    const quint64 drawn = wall.screen->picturesDrawn();
    RedThenBlue(wall);
    // Still the red one: the blue one waits for it to reach the screen.
    EXPECT_EQ(wall.screen->getInfo(0).image.pixel(0, 0), qRgb(255, 0, 0));
    const QImage shot = wall.Shot();
    EXPECT_EQ(wall.screen->picturesDrawn(), drawn + 2);
    EXPECT_EQ(shot.pixel(wall.rects[0].center()), qRgb(0, 0, 255));
}

TEST(WallRepaint, AStateArrivingBehindAWaitingPictureTakesTheCellAtOnce)
{
    REQUIRE_X();
    Wall wall(OPENGL_MODE_ON, 4);
    wall.Shot();
    RedThenBlue(wall);
    CDisplayInfo lost;
    lost.videoLoss = true;
    wall.screen->setInfo(0, lost);
    wall.Shot();
    // The picture held back does not come back over the state.
    EXPECT_TRUE(wall.screen->getInfo(0).videoLoss);
    EXPECT_TRUE(wall.screen->getInfo(0).image.isNull());
}

TEST(WallRepaint, APictureOfTheCellsSizeReachesTheScreenPixelForPixel)
{
    REQUIRE_X();
    Wall wall(OPENGL_MODE_ON, 4);
    const QRect cell = wall.rects[1];
    // Neighbouring pixels differ: a shifted or blended picture cannot match it.
    QImage picture(cell.size(), QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 96 + (x * 7 + y * 3) % 128));
    wall.screen->setInfo(1, Picture(picture, 1));
    const QImage shot = wall.Shot();
    // Inside the cell's edge, where no mark lies.
    int wrong = 0;
    for (int y = cell.height() / 4; y < cell.height() * 3 / 4; ++y)
        for (int x = cell.width() / 4; x < cell.width() * 3 / 4; ++x)
            wrong += shot.pixel(cell.left() + x, cell.top() + y) != picture.pixel(x, y);
    EXPECT_EQ(wrong, 0);
}

TEST(WallRepaint, ThePictureIsTakenTexelForTexelOnlyAtTheCellsOwnSizeUnzoomed)
{
    const QRect cell(10, 20, 90, 65);
    EXPECT_TRUE(CGraphicsScene::oneTexelPerPixel(QSize(90, 65), cell, false));
    EXPECT_FALSE(CGraphicsScene::oneTexelPerPixel(QSize(90, 65), cell, true));
    EXPECT_FALSE(CGraphicsScene::oneTexelPerPixel(QSize(352, 240), cell, false));
    EXPECT_FALSE(CGraphicsScene::oneTexelPerPixel(QSize(90, 64), cell, false));
}

namespace {

QImage Clear(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

}  // namespace

TEST(MarkedTiles, EveryMarkedPixelLiesInATile)
{
    QImage overlay = Clear(100, 70);
    const QList<QPoint> marks{{0, 0}, {99, 69}, {50, 33}, {17, 48}, {64, 15}};
    for (const QPoint& p : marks)
        overlay.setPixel(p, qRgba(0, 0, 0, 1));
    const std::vector<QRect> tiles = CGraphicsScene::markedTiles(overlay, 16);
    for (const QPoint& p : marks)
        EXPECT_TRUE(std::any_of(tiles.begin(), tiles.end(), [&](const QRect& t) { return t.contains(p); }))
            << p.x() << "," << p.y();
}

TEST(MarkedTiles, TransparentTilesAreLeftOut)
{
    QImage overlay = Clear(64, 32);
    overlay.setPixel(0, 0, qRgba(255, 255, 255, 255));
    overlay.setPixel(40, 5, qRgba(255, 255, 255, 255));
    const std::vector<QRect> tiles = CGraphicsScene::markedTiles(overlay, 16);
    EXPECT_EQ(tiles, (std::vector<QRect>{QRect(0, 0, 16, 16), QRect(32, 0, 16, 16)}));
}

TEST(MarkedTiles, NeighbouringTilesInARowBecomeOneRectangle)
{
    QImage overlay = Clear(64, 32);
    overlay.setPixel(5, 20, qRgba(255, 0, 0, 255));
    overlay.setPixel(20, 30, qRgba(255, 0, 0, 255));
    EXPECT_EQ(CGraphicsScene::markedTiles(overlay, 16), (std::vector<QRect>{QRect(0, 16, 32, 16)}));
}

TEST(MarkedTiles, TilesAtTheEdgeEndWithTheImage)
{
    QImage overlay = Clear(40, 20);
    overlay.setPixel(39, 19, qRgba(0, 255, 0, 255));
    EXPECT_EQ(CGraphicsScene::markedTiles(overlay, 16), (std::vector<QRect>{QRect(32, 16, 8, 4)}));
}

TEST(MarkedTiles, AClearImageHasNone)
{
    EXPECT_TRUE(CGraphicsScene::markedTiles(Clear(64, 64), 16).empty());
}
