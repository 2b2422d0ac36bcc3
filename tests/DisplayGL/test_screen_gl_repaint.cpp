// What a new picture costs the wall: repaints at most once per screen refresh, and marks
// drawn anew only when one of them changes.
#include <QElapsedTimer>

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
    // Each picture comes with its own turn of the event loop, as the streams deliver them.
    constexpr int delivered = 40;
    for (int i = 0; i < delivered; ++i) {
        wall.screen->setInfo(0, Picture(Solid(160, 120, i % 2 ? Qt::red : Qt::blue), 0));
        QApplication::processEvents();
    }
    const qint64 elapsed = clock.elapsed();
    ASSERT_LT(elapsed, delivered * CScreen::REPAINT_INTERVAL_MS / 4) << "too slow a machine to tell";
    EXPECT_LE(wall.screen->picturesDrawn() - drawn, quint64(elapsed / CScreen::REPAINT_INTERVAL_MS + 2));
}

TEST(WallRepaint, APictureArrivingLaterStillReachesTheScreen)
{
    REQUIRE_X();
    Wall wall(OPENGL_MODE_ON, 4);
    wall.Shot();
    wall.screen->setInfo(0, Picture(Solid(160, 120, Qt::red), 0));
    wall.screen->setInfo(0, Picture(Solid(160, 120, Qt::blue), 0));
    // No explicit repaint: the waiting refresh draws the newest picture.
    EXPECT_TRUE(WaitFor([&] {
        return wall.screen->glWidget()->grabFramebuffer().pixel(wall.rects[0].center()) == qRgb(0, 0, 255);
    }));
}
