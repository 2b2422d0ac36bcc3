// The OpenGL wall on a real X server: the probe, agreement with widget cells in every mode,
// coalesced pictures, re-parenting, capture and zoom.
#include <gtest/gtest.h>

#include <QImageReader>
#include <QOpenGLContext>
#include <QTemporaryDir>

#include "Display/CellPainter.h"
#include "Display/GraphicsScene.h"
#include "Display/GraphicsView.h"
#include "screen_gl_util.h"

using namespace displaytest;
using namespace screengl;

namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kWhite = qRgb(255, 255, 255);

CDisplayInfo Texts(CDisplayInfo info, const char* title, const char* name)
{
    info.title = QLatin1String(title);
    info.channelName = QLatin1String(name);
    return info;
}

// The cells every mode draws: pictures of both decoder formats, marks, names, a selection,
// a lost and a failed cell (the latter without texts: only OpenGL writes on failed cells).
void Fill(CScreen& screen)
{
    screen.setDisplaySettings(true, 1, 2);
    CDisplayInfo a = Texts(Picture(Quadrants(704, 480), 0), "DVR-1", "Front door");
    a.record = a.motion = a.sensor = true;
    screen.setInfo(0, a);
    QImage gradient(352, 240, QImage::Format_RGB32);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 352; ++x)
            gradient.setPixel(x, y, qRgb(x * 255 / 351, y * 255 / 239, 128));
    screen.setInfo(1, Texts(Picture(gradient, 1), "DVR-2", "Yard"));
    CDisplayInfo c = Picture(Solid(352, 240, Qt::darkCyan), 2);
    c.videoLoss = true;
    screen.setInfo(2, c);
    CDisplayInfo d = Picture(Solid(352, 240, Qt::darkCyan), -1);
    d.failed = true;
    screen.setInfo(3, d);
    screen.setSelected(1);
}

}  // namespace

TEST(ScreenGL, ProbeSucceedsAndTheViewGetsAFixedFunctionContext)
{
    REQUIRE_X();
    EXPECT_TRUE(CScreen::initOpengl(16));
    Wall wall(OPENGL_MODE_ON, 4);
    ASSERT_TRUE(wall.openGL());
    EXPECT_EQ(wall.screen->mode(), OPENGL_MODE_ON);
    EXPECT_EQ(wall.screen->screenWidget(0), nullptr);
    wall.Shot();
    QOpenGLContext* context = wall.screen->glWidget()->context();
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(context->format().profile(), QSurfaceFormat::CompatibilityProfile);
}

TEST(ScreenGL, EveryModeDrawsTheSameCells)
{
    REQUIRE_X();
    QImage shots[3];
    QVector<QRect> rects;
    for (int mode = 0; mode < 3; ++mode) {
        Wall wall(static_cast<OpenGLMode>(mode), 4);
        ASSERT_EQ(wall.openGL(), mode != 2);
        Fill(*wall.screen);
        shots[mode] = wall.Shot();
        rects = wall.rects;
        // Colours arrive unswapped from both picture formats.
        for (const auto& [p, colour] : {std::pair{QPoint(100, 100), kRed}, {QPoint(300, 230), kWhite},
                                        {QPoint(100, 230), kBlue}})
            EXPECT_TRUE(Near(shots[mode].pixel(p), colour, 8)) << "mode " << mode;
    }
    for (int mode : {0, 1}) {
        for (int i = 0; i < 4; ++i)
            EXPECT_LT(Differences(shots[mode], shots[2], rects[i], 40), rects[i].width() * rects[i].height() / 100)
                << "mode " << mode << " cell " << i;
        // Widget cells leave the margin to their owner; the OpenGL view clears it black.
        EXPECT_EQ(shots[mode].pixel(2, 2), qRgb(0, 0, 0));
    }
}

TEST(ScreenGL, AFailedCellCarriesItsTitle)
{
    REQUIRE_X();
    Wall wall(OPENGL_MODE_ON, 4);
    CDisplayInfo failed = Texts(CDisplayInfo(), "Connection failed", "");
    failed.channel = 3;
    failed.failed = true;
    wall.screen->setInfo(3, failed);
    const QRect cell = wall.rects[3];
    const QImage shot = wall.Shot();
    EXPECT_FALSE(BrightBox(shot, QRect(cell.left() + 2, cell.top() + 1, 120, 13)).isEmpty());
    const QPixmap& picture = CCellPictures::get().connectionFailed;
    EXPECT_LT(StateMismatches(shot, cell, picture, 24), picture.width() * picture.height() / 50);
}

TEST(ScreenGL, TheNewestPictureWinsAndUnchangedCellsKeepTheirs)
{
    REQUIRE_X();
    for (OpenGLMode mode : {OPENGL_MODE_ON, OPENGL_MODE_POWER_OF_2}) {
        Wall wall(mode, 4);
        const QPoint first = wall.rects[0].center();
        const QPoint second = wall.rects[1].center();
        wall.screen->setInfo(0, Picture(Solid(352, 240, Qt::red)));
        wall.screen->setInfo(1, Picture(Solid(704, 480, Qt::green, QImage::Format_RGB32), 1));
        wall.Shot();
        const quint64 drawn = wall.screen->picturesDrawn();

        // Three pictures before one repaint: one drawing, of the last.
        for (Qt::GlobalColor c : {Qt::yellow, Qt::magenta, Qt::blue})
            wall.screen->setInfo(0, Picture(Solid(352, 240, c)));
        QImage shot = wall.Shot();
        EXPECT_EQ(wall.screen->picturesDrawn(), drawn + 1);
        EXPECT_TRUE(Near(shot.pixel(first), kBlue) && Near(shot.pixel(second), kGreen)) << mode;

        // Another cell changes: the first keeps its picture.
        wall.screen->setInfo(1, Picture(Solid(704, 480, Qt::white, QImage::Format_RGB32), 1));
        shot = wall.Shot();
        EXPECT_EQ(wall.screen->picturesDrawn(), drawn + 2);
        EXPECT_TRUE(Near(shot.pixel(first), kBlue) && Near(shot.pixel(second), kWhite)) << mode;

        wall.screen->clear();
        EXPECT_EQ(wall.Shot().pixel(first), qRgb(0, 0, 0)) << mode;
    }
}

TEST(ScreenGL, TheWallSurvivesLeavingAndReturningToItsWindow)
{
    REQUIRE_X();
    QWidget window;
    window.resize(800, 600);
    auto* area = new QWidget(&window);
    area->resize(730, 550);
    CScreen screen(area, OPENGL_MODE_ON, CScreen::MAX_CELLS);
    screen.resize(area->size());
    const QVector<QRect> rects = CScreen::gridRects(4, area->size(), 10);
    for (int i = 0; i < CScreen::MAX_CELLS; ++i)
        screen.updateDisplayRect(i, rects[i]);
    screen.setInfo(0, Picture(Quadrants(704, 480)));
    screen.setInfo(3, Picture(Solid(352, 240, Qt::green, QImage::Format_RGB32), 3));
    window.show();
    ASSERT_TRUE(Exposed(&window));
    auto check = [&](const char* when) {
        const QImage shot = Drawn(screen.glWidget());
        ASSERT_FALSE(shot.isNull()) << when;
        EXPECT_TRUE(Near(shot.pixel(100, 100), kRed, 8)) << when;
        EXPECT_TRUE(Near(shot.pixel(rects[3].center()), kGreen, 8)) << when;
    };
    check("in its window");

    // Full screen: the area becomes a window of its own, which brings a new context.
    area->setParent(nullptr);
    area->showFullScreen();
    ASSERT_TRUE(Exposed(area));
    check("full screen");
    area->setParent(&window);
    area->showNormal();
    ASSERT_TRUE(Exposed(&window));
    check("back in its window");
}

TEST(ScreenGL, CaptureWritesTheWallAndSaysWhenItCannot)
{
    REQUIRE_X();
    Wall wall(OPENGL_MODE_ON, 4);
    wall.screen->setInfo(0, Picture(Solid(352, 240, Qt::red)));
    wall.Shot();
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("capture.png"));
    const QString jpg = dir.filePath(QStringLiteral("capture.jpg"));
    ASSERT_TRUE(wall.screen->saveCaptureImage(png, CAPTURE_FILEFORMAT::PNG));
    ASSERT_TRUE(wall.screen->saveCaptureImage(jpg, CAPTURE_FILEFORMAT::JPEG));
    const QImage saved(png);
    ASSERT_EQ(saved.size(), QSize(730, 550));
    EXPECT_TRUE(Near(saved.pixel(wall.rects[0].center()), kRed));
    EXPECT_EQ(QImageReader(jpg).format(), "jpeg");
    EXPECT_FALSE(wall.screen->saveCaptureImage(dir.filePath(QStringLiteral("no/such/folder/x.png")),
                                               CAPTURE_FILEFORMAT::PNG));
}

TEST(ScreenGL, ZoomedDragShowsThatPartStretchedOverTheCell)
{
    REQUIRE_X();
    for (OpenGLMode mode : {OPENGL_MODE_ON, OPENGL_MODE_POWER_OF_2}) {
        Wall wall(mode, 1);
        wall.screen->setInfo(0, Picture(Quadrants(704, 480)));
        wall.screen->setSelected(0);
        wall.screen->startZoom(0);
        Drag(wall.screen->view()->viewport(), QPoint(100, 80), QPoint(20, 10));
        const QImage shot = wall.Shot();
        for (QPoint p : {QPoint(100, 100), QPoint(600, 450), QPoint(700, 60)})
            EXPECT_TRUE(Near(shot.pixel(p), kRed, 8)) << "mode " << mode;
    }
}
