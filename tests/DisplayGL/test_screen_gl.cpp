// The OpenGL wall on a real X server: the probe and entry points, agreement with widget cells
// in every mode, coalesced pictures, re-parenting and capture.
#include <gtest/gtest.h>

#include <QImageReader>
#include <QOpenGLContext>
#include <QTemporaryDir>

#include <utility>
#include <vector>

#include "Display/GLExtensions.h"
#include "screen_gl_util.h"

using namespace displaytest;
using namespace screengl;

namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kWhite = qRgb(255, 255, 255);

// The cells every mode draws: pictures of both decoder formats, marks, names, a selection,
// a lost and a failed cell (the latter without texts: only OpenGL writes on failed cells).
void Fill(CScreen& screen)
{
    screen.setDisplaySettings(true, 1, 2);
    CDisplayInfo a = Picture(Quadrants(704, 480), 0);
    a.title = QStringLiteral("DVR-1");
    a.channelName = QStringLiteral("Front door");
    a.record = a.motion = a.sensor = true;
    screen.setInfo(0, a);
    QImage gradient(352, 240, QImage::Format_RGB32);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 352; ++x)
            gradient.setPixel(x, y, qRgb(x * 255 / 351, y * 255 / 239, 128));
    CDisplayInfo b = Picture(gradient, 1);
    b.title = QStringLiteral("DVR-2");
    screen.setInfo(1, b);
    CDisplayInfo c = Picture(Solid(352, 240, Qt::darkCyan), 2);
    c.videoLoss = true;
    screen.setInfo(2, c);
    c.failed = true;
    screen.setInfo(3, c);
    screen.setSelected(1);
}

}  // namespace

TEST(ScreenGL, ProbeSucceedsAndTheViewGetsAFixedFunctionContextWithItsEntryPoints)
{
    REQUIRE_X();
    EXPECT_TRUE(CScreen::initOpengl(16));
    Wall wall(OPENGL_MODE_ON, 4);
    ASSERT_NE(wall.screen->glWidget(), nullptr);
    EXPECT_EQ(wall.screen->mode(), OPENGL_MODE_ON);
    EXPECT_EQ(wall.screen->screenWidget(0), nullptr);
    wall.Shot();
    QOpenGLContext* context = wall.screen->glWidget()->context();
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(context->format().profile(), QSurfaceFormat::CompatibilityProfile);

    wall.screen->glWidget()->makeCurrent();
    GLExtensionFunctions f;
    EXPECT_TRUE(f.resolve(context) && f.fboSupported() && f.openGL15Supported());
    auto entries = [&f] {
        auto p = [](auto fn) { return reinterpret_cast<QFunctionPointer>(fn); };
#define ENTRY(name) std::pair{p(f.name), "gl" #name}
        return std::vector{ENTRY(GenFramebuffersEXT), ENTRY(GenRenderbuffersEXT), ENTRY(BindRenderbufferEXT),
                           ENTRY(RenderbufferStorageEXT), ENTRY(DeleteFramebuffersEXT), ENTRY(DeleteRenderbuffersEXT),
                           ENTRY(BindFramebufferEXT), ENTRY(FramebufferTexture2DEXT), ENTRY(FramebufferRenderbufferEXT),
                           ENTRY(CheckFramebufferStatusEXT), ENTRY(ActiveTexture), ENTRY(TexImage3D), ENTRY(GenBuffers),
                           ENTRY(BindBuffer), ENTRY(BufferData), ENTRY(DeleteBuffers), ENTRY(MapBuffer), ENTRY(UnmapBuffer)};
#undef ENTRY
    };
    for (const auto& [fn, name] : entries()) {
        EXPECT_NE(fn, nullptr) << name;
        EXPECT_EQ(fn, context->getProcAddress(name)) << name;
    }
    // Without a context every entry point is forgotten.
    EXPECT_FALSE(f.resolve(nullptr) || f.fboSupported() || f.openGL15Supported());
    for (const auto& [fn, name] : entries())
        EXPECT_EQ(fn, nullptr) << name;
    wall.screen->glWidget()->doneCurrent();
}

TEST(ScreenGL, EveryModeDrawsTheSameCells)
{
    REQUIRE_X();
    QImage shots[3];
    QVector<QRect> rects;
    for (int mode = 0; mode < 3; ++mode) {
        Wall wall(static_cast<OpenGLMode>(mode), 4);
        ASSERT_EQ(wall.screen->glWidget() != nullptr, mode != 2);
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

TEST(ScreenGL, TheNewestPictureWinsAndUnchangedCellsKeepTheirs)
{
    REQUIRE_X();
    for (OpenGLMode mode : {OPENGL_MODE_ON, OPENGL_MODE_POWER_OF_2}) {
        Wall wall(mode, 4);
        const QPoint first = wall.rects[0].center();
        const QPoint second = wall.rects[1].center();
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

TEST(ScreenGL, TheWallSurvivesFullScreenAndCapturesWhatItShows)
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
    auto check = [&](const QImage& shot) {
        EXPECT_TRUE(Near(shot.pixel(100, 100), kRed, 8));
        EXPECT_TRUE(Near(shot.pixel(rects[3].center()), kGreen, 8));
    };
    auto drawn = [&] {
        QApplication::processEvents();
        screen.glWidget()->repaint();
        return screen.glWidget()->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    };
    check(drawn());
    // Full screen: the area becomes a window of its own, which brings a new context.
    area->setParent(nullptr);
    area->showFullScreen();
    ASSERT_TRUE(Exposed(area));
    check(drawn());
    area->setParent(&window);
    area->showNormal();
    ASSERT_TRUE(Exposed(&window));
    check(drawn());

    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("capture.png"));
    const QString jpg = dir.filePath(QStringLiteral("capture.jpg"));
    ASSERT_TRUE(screen.saveCaptureImage(png, CAPTURE_FILEFORMAT::PNG));
    ASSERT_TRUE(screen.saveCaptureImage(jpg, CAPTURE_FILEFORMAT::JPEG));
    const QImage saved(png);
    EXPECT_EQ(saved.size(), QSize(730, 550));
    check(saved.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(QImageReader(jpg).format(), "jpeg");
    EXPECT_FALSE(screen.saveCaptureImage(dir.filePath(QStringLiteral("no/such/folder/x.png")), CAPTURE_FILEFORMAT::PNG));
}
