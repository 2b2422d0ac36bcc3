// The display widget drawing through OpenGL. With ZAVO_SCREENSHOT_DIR set, the single view
// after the double click is saved there (scripts/screenshots).
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QScreen>

#include "Display/DisplayWidget.h"
#include "screen_gl_util.h"

using displaytest::WaitFor;

namespace {

// The display widget drawing through OpenGL at 800 x 600 inside a window of 900 x 700.
CDisplayWidget* OpenGLDisplayIn(QWidget& window)
{
    displaytest::EmptySettings();
    CAppSettings().writeSetting(CAppSettings::OPENGL, OPENGL_MODE_ON);
    window.resize(900, 700);
    auto* w = new CDisplayWidget(&window, [] { return std::unique_ptr<CAudioDevice>(); });
    w->setGeometry(0, 0, 800, 600);
    return w;
}

// A magenta panel beside the display, right of its 800 pixels.
QLabel* PanelBeside(QWidget& window)
{
    auto* panel = new QLabel(&window);
    panel->setGeometry(810, 0, 90, 700);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, Qt::magenta);
    panel->setPalette(palette);
    return panel;
}

// What the X server shows, not what the widgets would render.
bool PanelOnScreen(const QLabel* panel)
{
    const QPoint centre = panel->mapToGlobal(panel->rect().center());
    return WaitFor([&] {
        const QImage shown = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
        return shown.pixel(centre) == qRgb(255, 0, 255);
    });
}

// As PC Setup applies "Off".
void SwitchOff(CDisplayWidget* w)
{
    CAppSettings().writeSetting(CAppSettings::OPENGL, OPENGL_MODE_OFF);
    w->resetDisplay();
}

}  // namespace

TEST(DisplayWidgetGL, ADoubleClickThroughTheViewShowsThatScreenAlone)
{
    REQUIRE_X();
    displaytest::EmptySettings();
    CAppSettings().writeSetting(CAppSettings::OPENGL, OPENGL_MODE_ON);
    CAppSettings().writeSetting(CAppSettings::OSD_CH_NAME, 1);
    CDisplayWidget w(nullptr, [] { return std::unique_ptr<CAudioDevice>(); });
    QObject::connect(&w, &CDisplayWidget::doubleClicked, &w, &CDisplayWidget::doubleClickedScreen);
    w.show();
    ASSERT_TRUE(screengl::Exposed(&w));
    CScreen* screen = w.screenContainer();
    ASSERT_TRUE(screen->glWidget());

    auto feeder = std::make_unique<screengl::Feeder>(&w);
    EXPECT_TRUE(WaitFor([&] { return !screen->getInfo(15).image.isNull(); }));

    const QPoint cell5 = screen->getDisplayRect(5).center();
    displaytest::Mouse(screen->glWidget(), QEvent::MouseButtonDblClick, cell5);
    EXPECT_TRUE(w.isSingleScreen());
    EXPECT_EQ(w.getViewStartScreen(), 5);
    EXPECT_TRUE(WaitFor([&] { return screen->getInfo(0).channel == 5 && !screen->getInfo(0).image.isNull(); }));
    WaitFor([] { return false; }, 300);  // a few pictures more
    feeder.reset();
    const QString dir = qEnvironmentVariable("ZAVO_SCREENSHOT_DIR");
    if (!dir.isEmpty() && QDir().mkpath(dir))
        screen->glWidget()->grabFramebuffer().save(QDir(dir).filePath(QStringLiteral("single_view_after_double_click.png")));
    EXPECT_EQ(screen->getDisplayRect(0), w.rect());
    w.doubleClickedScreen(5);
    EXPECT_EQ(w.getViewScreens(), 16);
}

TEST(DisplayWidgetGL, TheWallKeepsDrawingThroughFullScreenAndBackWhilePicturesStream)
{
    REQUIRE_X();
    QWidget window;
    CDisplayWidget* w = OpenGLDisplayIn(window);
    // As the main window takes the display back when the operator leaves full screen.
    QObject::connect(w, &CDisplayWidget::exitFullScreen, &window, [&] {
        w->setParent(&window);
        w->resize(800, 600);
        w->show();
    });
    window.show();
    ASSERT_TRUE(screengl::Exposed(&window));
    CScreen* screen = w->screenContainer();
    ASSERT_TRUE(screen->glWidget());

    screengl::Feeder feeder(w);
    for (int round = 0; round < 3; ++round) {
        w->EnterFullScreen();
        ASSERT_TRUE(w->isFullScreen());
        ASSERT_TRUE(screengl::Exposed(w));
        const quint64 drawn = screen->picturesDrawn();
        EXPECT_TRUE(WaitFor([&] { return screen->picturesDrawn() > drawn + 16; })) << round;
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(w, &escape);
        ASSERT_FALSE(w->isFullScreen());
        ASSERT_EQ(w->window(), &window);
        ASSERT_TRUE(screengl::Exposed(w));
        const quint64 back = screen->picturesDrawn();
        EXPECT_TRUE(WaitFor([&] { return screen->picturesDrawn() > back + 16; })) << round;
    }
}

// The decoder makes the pictures anew at each size and takes back those the wall has drawn.
TEST(DisplayWidgetGL, TheSingleViewFollowsAStreamWhoseSizeChanges)
{
    REQUIRE_X();
    QWidget window;
    CDisplayWidget* w = OpenGLDisplayIn(window);
    window.show();
    ASSERT_TRUE(screengl::Exposed(&window));
    CScreen* screen = w->screenContainer();
    ASSERT_TRUE(screen->glWidget());
    w->doubleClickedScreen(0);
    ASSERT_TRUE(w->isSingleScreen());

    screengl::Feeder feeder(w, 10);
    for (int round = 0; round < 3; ++round) {
        for (const QSize size : {QSize(352, 240), QSize(704, 480)}) {
            EXPECT_TRUE(WaitFor([&] { return screen->getInfo(0).image.size() == size; })) << round;
            const quint64 drawn = screen->picturesDrawn();
            EXPECT_TRUE(WaitFor([&] { return screen->picturesDrawn() > drawn; })) << round;
        }
    }
}

TEST(DisplayWidgetGL, TheWidgetsBesideTheWallAreShownOnScreen)
{
    REQUIRE_X();
    QWidget window;
    CDisplayWidget* w = OpenGLDisplayIn(window);
    const QLabel* panel = PanelBeside(window);
    window.show();
    ASSERT_TRUE(screengl::Exposed(&window));
    ASSERT_TRUE(w->screenContainer()->glWidget());
    EXPECT_TRUE(PanelOnScreen(panel));
}

TEST(DisplayWidgetGL, SwitchedOffWhileStreamingTheCellsAreDrawnByWidgetsInAPlainWindow)
{
    REQUIRE_X();
    QWidget window;
    CDisplayWidget* w = OpenGLDisplayIn(window);
    window.show();
    ASSERT_TRUE(screengl::Exposed(&window));
    ASSERT_TRUE(w->screenContainer()->glWidget());
    screengl::Feeder feeder(w);
    EXPECT_TRUE(WaitFor([&] { return w->screenContainer()->picturesDrawn() > 16; }));
    // The wall draws through OpenGL in a window of its own.
    ASSERT_EQ(window.windowHandle()->surfaceType(), QSurface::RasterSurface);

    SwitchOff(w);
    CScreen* screen = w->screenContainer();
    ASSERT_EQ(screen->mode(), OPENGL_MODE_OFF);
    EXPECT_EQ(window.findChild<QOpenGLWidget*>(), nullptr);
    EXPECT_EQ(window.windowHandle()->surfaceType(), QSurface::RasterSurface);
    ASSERT_TRUE(screengl::Exposed(&window));
    for (int cell : {0, 15})
        EXPECT_TRUE(WaitFor([&] { return screen->screenWidget(cell)->picturesDrawn() > 2; })) << cell;
}

TEST(DisplayWidgetGL, SwitchedOffTheWindowAndTheWidgetsBesideTheWallStayOnScreen)
{
    REQUIRE_X();
    QWidget window;
    window.setWindowTitle(QStringLiteral("Display"));
    CDisplayWidget* w = OpenGLDisplayIn(window);
    const QLabel* panel = PanelBeside(window);
    window.show();
    ASSERT_TRUE(screengl::Exposed(&window));
    ASSERT_TRUE(w->screenContainer()->glWidget());

    SwitchOff(w);
    ASSERT_TRUE(screengl::Exposed(&window));
    EXPECT_EQ(window.windowHandle()->title(), QStringLiteral("Display"));
    EXPECT_TRUE(PanelOnScreen(panel));
}

TEST(DisplayWidgetGL, SwitchedOffTheWindowsDialogsStayInFrontOfIt)
{
    REQUIRE_X();
    QWidget window;
    CDisplayWidget* w = OpenGLDisplayIn(window);
    auto* dialog = new QDialog(&window);
    window.show();
    ASSERT_TRUE(screengl::Exposed(&window));
    dialog->show();
    ASSERT_TRUE(screengl::Exposed(dialog));
    dialog->hide();

    SwitchOff(w);
    dialog->show();
    ASSERT_TRUE(screengl::Exposed(dialog));
    EXPECT_EQ(dialog->windowHandle()->transientParent(), window.windowHandle());
}
