// The wall on a real X server: the probe and entry points, what widget cells draw and the
// OpenGL modes agreeing with them, coalesced pictures, full screen and capture.
#include <QImageReader>
#include <QOpenGLContext>
#include <QTemporaryDir>
#include <tuple>

#include "Display/CellPainter.h"
#include "Display/GLExtensions.h"
#include "screen_gl_util.h"

using namespace displaytest;
using namespace screengl;

namespace {

const QRgb kRed = qRgb(255, 0, 0), kGreen = qRgb(0, 255, 0), kBlue = qRgb(0, 0, 255), kWhite = qRgb(255, 255, 255),
           kYellow = qRgb(255, 255, 0), kOrange = qRgb(230, 120, 40);

// colour drawn with its alpha over under.
QRgb Over(const QColor& colour, QRgb under)
{
    QImage one(1, 1, QImage::Format_RGB32);
    one.setPixel(0, 0, under);
    QPainter(&one).fillRect(0, 0, 1, 1, colour);
    return one.pixel(0, 0);
}

}  // namespace

TEST(ScreenGL, ProbeSucceedsAndTheViewGetsAFixedFunctionContextWithItsEntryPoints)
{
    REQUIRE_X();
    EXPECT_TRUE(CScreen::initOpengl(16));
    Wall wall(OPENGL_MODE_ON, 4);
    ASSERT_NE(wall.screen->glWidget(), nullptr);
    wall.Shot();
    QOpenGLContext* context = wall.screen->glWidget()->context();
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(context->format().profile(), QSurfaceFormat::CompatibilityProfile);
    wall.screen->glWidget()->makeCurrent();
    GLExtensionFunctions f;
    EXPECT_TRUE(f.resolve(context) && f.fboSupported() && f.openGL15Supported());
    EXPECT_EQ(reinterpret_cast<QFunctionPointer>(f.UnmapBuffer), context->getProcAddress("glUnmapBuffer"));
    // Without a context every entry point is forgotten.
    EXPECT_FALSE(f.resolve(nullptr) || f.fboSupported() || f.openGL15Supported() || f.MapBuffer);
}

TEST(ScreenGL, WidgetCellsDrawPicturesMarksAndStatesAndEveryOpenGLModeAgrees)
{
    REQUIRE_X();
    QImage shots[3];
    QVector<QRect> r;
    const CCellPictures& pictures = CCellPictures::get();
    for (int mode = 0; mode < 3; ++mode) {
        Wall wall(static_cast<OpenGLMode>(mode), 4);
        ASSERT_EQ(wall.screen->glWidget() != nullptr, mode != 2);
        // Both decoder formats; the record mark as an icon, the events as outlines; texts and
        // the selection; an unauthorised and a failed cell, both also lost (the failed one
        // without texts: only OpenGL writes on failed cells).
        wall.screen->setDisplaySettings(true, 1, 2);
        CDisplayInfo a = Picture(Quadrants(704, 480), 0);
        a.record = a.motion = a.sensor = true;
        wall.screen->setInfo(0, a);
        CDisplayInfo b = Picture(Solid(352, 240, kOrange, QImage::Format_RGB32), 1);
        b.title = QStringLiteral("DVR-2");
        b.channelName = QStringLiteral("Yard");
        wall.screen->setInfo(1, b);
        CDisplayInfo c = Picture(Solid(352, 240, Qt::darkCyan), 2);
        c.videoLoss = true;
        c.authorised = false;
        wall.screen->setInfo(2, c);
        c.failed = true;
        wall.screen->setInfo(3, c);
        wall.screen->setSelected(1);
        shots[mode] = wall.Shot();
        r = wall.rects;
        // Colours arrive unswapped from both picture formats.
        for (const auto& [p, colour] : {std::pair{QPoint(100, 100), kRed}, {QPoint(300, 230), kWhite},
                                        {QPoint(100, 230), kBlue}, {wall.rects[1].center(), kOrange}})
            EXPECT_TRUE(Near(shots[mode].pixel(p), colour, 8)) << "mode " << mode;
    }
    const QImage& shot = shots[2];
    const int y0 = r[0].top() + 40;
    const int y1 = r[1].center().y();
    // White edge, outlines sensor, motion inside it, then the picture; yellow selection frame.
    for (const auto& [x, y, colour] : {std::tuple{r[0].left(), y0, kWhite}, {r[0].left() + 1, y0, Over(CellPainter::SENSOR_COLOR, kRed)},
                                       {r[0].left() + 2, y0, Over(CellPainter::MOTION_COLOR, kRed)}, {r[0].left() + 3, y0, kRed},
                                       {r[1].left(), y1, kWhite}, {r[1].left() + 2, y1, kYellow}, {r[1].right() - 2, y1, kYellow}})
        EXPECT_TRUE(Near(shot.pixel(x, y), colour)) << x << "," << y;
    // The record icon in its slot, its first two columns under the outlines.
    EXPECT_EQ(Mismatches(shot, r[0].left() + 3, r[0].top() + 15, Composed(pictures.recordIcon, Qt::red).copy(2, 0, 10, 12)), 0);
    // State pictures centred on black, failure before authority before video loss.
    EXPECT_EQ(StateMismatches(shot, r[2], pictures.noAuthority), 0);
    EXPECT_EQ(StateMismatches(shot, r[3], pictures.connectionFailed), 0);
    EXPECT_EQ(shot.pixel(r[2].left() + 5, r[2].top() + 20), qRgb(0, 0, 0));
    for (int mode : {0, 1}) {
        for (int i = 0; i < 4; ++i)
            EXPECT_LT(Mismatches(shots[mode], r[i].x(), r[i].y(), shot.copy(r[i]), 40), r[i].width() * r[i].height() / 100)
                << "mode " << mode << " cell " << i;
        // Widget cells leave the margin to their owner; the OpenGL view clears it black.
        EXPECT_EQ(shots[mode].pixel(2, 2), qRgb(0, 0, 0));
    }
}

TEST(ScreenGL, TheNewestPictureWinsAndUnchangedCellsKeepTheirs)
{
    REQUIRE_X();
    for (OpenGLMode mode : {OPENGL_MODE_ON, OPENGL_MODE_POWER_OF_2, OPENGL_MODE_OFF}) {
        Wall wall(mode, 4);
        const QPoint first = wall.rects[0].center();
        const QPoint second = wall.rects[1].center();
        wall.screen->setInfo(1, Picture(Solid(704, 480, Qt::green, QImage::Format_RGB32), 1));
        wall.Shot();
        const quint64 drawn = wall.screen->picturesDrawn();
        // Three pictures before one repaint: widget cells draw the last; the OpenGL wall draws
        // the first, and the last, which waited behind it, with the next repaint.
        const quint64 drawings = mode == OPENGL_MODE_OFF ? 1 : 2;
        for (Qt::GlobalColor c : {Qt::yellow, Qt::magenta, Qt::blue})
            wall.screen->setInfo(0, Picture(Solid(352, 240, c)));
        QImage shot = wall.Shot();
        EXPECT_EQ(wall.screen->picturesDrawn(), drawn + drawings) << mode;
        EXPECT_TRUE(Near(shot.pixel(first), kBlue) && Near(shot.pixel(second), kGreen)) << mode;
        // Another cell changes: the first keeps its picture.
        wall.screen->setInfo(1, Picture(Solid(704, 480, Qt::white, QImage::Format_RGB32), 1));
        shot = wall.Shot();
        EXPECT_EQ(wall.screen->picturesDrawn(), drawn + drawings + 1) << mode;
        EXPECT_TRUE(Near(shot.pixel(first), kBlue) && Near(shot.pixel(second), kWhite)) << mode;
        wall.screen->clear();
        EXPECT_EQ(wall.Shot().pixel(first), qRgb(0, 0, 0)) << mode;
    }
}

TEST(ScreenGL, TheWallSurvivesFullScreenAndCapturesWhatItShows)
{
    REQUIRE_X();
    QWidget window;
    window.resize(800, 600);
    window.show();
    ASSERT_TRUE(Exposed(&window));
    Wall wall(OPENGL_MODE_ON, 4, QSize(730, 550), &window);
    wall.screen->setInfo(0, Picture(Quadrants(704, 480)));
    wall.screen->setInfo(3, Picture(Solid(352, 240, Qt::green, QImage::Format_RGB32), 3));
    // Full screen: the wall's owner becomes a window of its own, which brings a new context;
    // then back. Each state is drawn, and captured as it shows.
    QTemporaryDir dir;
    for (int step = 0; step < 3; ++step) {
        if (step < 2) {
            wall.owner.setParent(step ? &window : nullptr);
            step ? wall.owner.showNormal() : wall.owner.showFullScreen();
            ASSERT_TRUE(Exposed(&wall.owner));
        }
        const QString png = dir.filePath(QStringLiteral("capture%1.png").arg(step));
        ASSERT_TRUE(wall.screen->saveCaptureImage(png, CAPTURE_FILEFORMAT::PNG));
        for (const QImage& shot : {wall.Shot(), QImage(png)})
            EXPECT_TRUE(Near(shot.pixel(100, 100), kRed, 8) && Near(shot.pixel(wall.rects[3].center()), kGreen, 8)) << step;
    }
    const QString jpg = dir.filePath(QStringLiteral("capture.jpg"));
    ASSERT_TRUE(wall.screen->saveCaptureImage(jpg, CAPTURE_FILEFORMAT::JPEG));
    EXPECT_EQ(QImageReader(jpg).format(), "jpeg");
    EXPECT_FALSE(wall.screen->saveCaptureImage(dir.filePath(QStringLiteral("no/such/folder/x.png")), CAPTURE_FILEFORMAT::PNG));
}
