// The display switched between OpenGL and widget cells while pictures stream: what the X
// server shows of the window outside the wall, after a dialog and a message box opened over it
// and closed, must be what a window started in that mode shows. With ZAVO_SCREENSHOT_DIR set,
// both screens are saved there.
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "EMap/ShowVideoDialog.h"
#include "screen_gl_util.h"

using displaytest::WaitFor;

namespace {

const QRect kWindow(40, 30, 1000, 760);
const QRect kWall(0, 0, 730, 550);

void Settle(int ms) { WaitFor([] { return false; }, ms); }

// A main window as the operator sees it: the display top-left, channel buttons below it and
// a panel of controls beside it.
struct MainWindow {
    QWidget window;
    CDisplayWidget* display = nullptr;

    explicit MainWindow(OpenGLMode mode)
    {
        displaytest::EmptySettings();
        CAppSettings().writeSetting(CAppSettings::OPENGL, mode);
        // Without a window manager the window lands where it is put.
        window.setWindowFlag(Qt::FramelessWindowHint);
        window.setGeometry(kWindow);
        display = new CDisplayWidget(&window, [] { return std::unique_ptr<CAudioDevice>(); });
        display->setGeometry(kWall);
        for (int i = 0; i < 16; ++i) {
            auto* button = new QPushButton(QString::number(i + 1), &window);
            button->setGeometry(10 + i * 45, 570, 40, 40);
        }
        auto* layout = new QComboBox(&window);
        layout->addItems({QStringLiteral("1 x 1"), QStringLiteral("4 x 4"), QStringLiteral("8 x 8")});
        layout->setGeometry(750, 20, 230, 30);
        auto* panel = new QLabel(QStringLiteral("PTZ"), &window);
        panel->setGeometry(750, 70, 230, 400);
        panel->setFrameShape(QFrame::Box);
        window.show();
        screengl::Exposed(&window);
    }

    // As PC Setup applies its display setting.
    void Switch(OpenGLMode mode)
    {
        CAppSettings().writeSetting(CAppSettings::OPENGL, mode);
        display->resetDisplay();
    }

    // What the X server shows of the window.
    QImage Shown() const
    {
        return QGuiApplication::primaryScreen()
            ->grabWindow(0, kWindow.x(), kWindow.y(), kWindow.width(), kWindow.height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
};

// A setup dialog over the wall's corner, the channel buttons and the panel, then a message
// box over the buttons, each closed as the operator closes them.
void OpenAndCloseDialogs(QWidget& window)
{
    QDialog dialog(&window);
    auto* box = new QVBoxLayout(&dialog);
    auto* choice = new QComboBox(&dialog);
    choice->addItems({QStringLiteral("On"), QStringLiteral("Off")});
    box->addWidget(choice);
    box->addWidget(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog));
    dialog.setGeometry(QRect(kWindow.topLeft() + QPoint(600, 420), QSize(380, 260)));
    dialog.show();
    screengl::Exposed(&dialog);
    Settle(200);
    dialog.reject();
    Settle(200);

    QMessageBox message(QMessageBox::Information, QStringLiteral("Display"),
                        QStringLiteral("The display setting is saved."), QMessageBox::Ok, &window);
    message.setWindowModality(Qt::ApplicationModal);
    message.open();
    message.move(kWindow.topLeft() + QPoint(250, 500));
    screengl::Exposed(&message);
    Settle(200);
    message.done(QMessageBox::Ok);
    // Long enough for any repaint the window owes.
    Settle(700);
}

// Pixels outside the wall that differ between two pictures of the window.
int DifferingOutsideTheWall(QImage a, QImage b)
{
    QPainter(&a).fillRect(kWall, Qt::black);
    QPainter(&b).fillRect(kWall, Qt::black);
    if (a.size() != b.size())
        return a.width() * a.height();
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* lineA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* lineB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            count += lineA[x] != lineB[x];
    }
    return count;
}

void Save(const QImage& fresh, const QImage& switched, const QString& name)
{
    const QString dir = qEnvironmentVariable("ZAVO_SCREENSHOT_DIR");
    if (dir.isEmpty() || !QDir().mkpath(dir))
        return;
    fresh.save(QDir(dir).filePath(name + QStringLiteral("_fresh.png")));
    switched.save(QDir(dir).filePath(name + QStringLiteral("_switched.png")));
}

// What a window started in mode shows after the dialogs.
QImage FreshStart(OpenGLMode mode)
{
    MainWindow fresh(mode);
    OpenAndCloseDialogs(fresh.window);
    return fresh.Shown();
}

// Streams to the window's display until it drew every cell a few times.
bool Streaming(MainWindow& main, screengl::Feeder&)
{
    CScreen* screen = main.display->screenContainer();
    const quint64 drawn = screen->picturesDrawn();
    return WaitFor([&] { return screen->picturesDrawn() > drawn + 32; });
}

// Dialogs opened and closed over the window, then the pixels outside the wall that differ from
// a fresh start's; both pictures are kept under the name.
int RemnantsAfterDialogs(MainWindow& main, const QImage& fresh, const QString& name)
{
    OpenAndCloseDialogs(main.window);
    const QImage switched = main.Shown();
    Save(fresh, switched, name);
    return DifferingOutsideTheWall(switched, fresh);
}

}  // namespace

TEST(DisplaySwitch, SwitchedOffTheWindowShowsNoRemnantOfClosedDialogs)
{
    REQUIRE_X();
    const QImage fresh = FreshStart(OPENGL_MODE_OFF);
    MainWindow main(OPENGL_MODE_ON);
    ASSERT_TRUE(main.display->screenContainer()->glWidget());
    screengl::Feeder feeder(main.display);
    ASSERT_TRUE(Streaming(main, feeder));
    main.Switch(OPENGL_MODE_OFF);
    ASSERT_TRUE(Streaming(main, feeder));

    EXPECT_EQ(RemnantsAfterDialogs(main, fresh, QStringLiteral("switched_off")), 0);
}

TEST(DisplaySwitch, SwitchedOffAndBackOnTheWindowShowsNoRemnantOfClosedDialogs)
{
    REQUIRE_X();
    const QImage fresh = FreshStart(OPENGL_MODE_ON);
    MainWindow main(OPENGL_MODE_ON);
    screengl::Feeder feeder(main.display);
    ASSERT_TRUE(Streaming(main, feeder));
    main.Switch(OPENGL_MODE_OFF);
    ASSERT_TRUE(Streaming(main, feeder));
    main.Switch(OPENGL_MODE_ON);
    ASSERT_TRUE(main.display->screenContainer()->glWidget());
    ASSERT_TRUE(Streaming(main, feeder));

    EXPECT_EQ(RemnantsAfterDialogs(main, fresh, QStringLiteral("switched_off_and_on")), 0);
}

TEST(DisplaySwitch, SwitchedOffAfterFullScreenTheWindowShowsNoRemnantOfClosedDialogs)
{
    REQUIRE_X();
    const QImage fresh = FreshStart(OPENGL_MODE_OFF);
    MainWindow main(OPENGL_MODE_ON);
    // As the main window takes the display back when the operator leaves full screen.
    QObject::connect(main.display, &CDisplayWidget::exitFullScreen, &main.window, [&] {
        main.display->setParent(&main.window);
        main.display->setGeometry(kWall);
        main.display->show();
    });
    screengl::Feeder feeder(main.display);
    main.display->EnterFullScreen();
    ASSERT_TRUE(screengl::Exposed(main.display));
    ASSERT_TRUE(Streaming(main, feeder));
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(main.display, &escape);
    ASSERT_EQ(main.display->window(), &main.window);
    ASSERT_TRUE(Streaming(main, feeder));
    main.Switch(OPENGL_MODE_OFF);
    ASSERT_TRUE(Streaming(main, feeder));

    EXPECT_EQ(RemnantsAfterDialogs(main, fresh, QStringLiteral("switched_off_after_full_screen")), 0);
}

TEST(DisplaySwitch, SwitchedOffWithAnOpenGLMapVideoOpenTheWindowShowsNoRemnantOfClosedDialogs)
{
    REQUIRE_X();
    const QImage fresh = FreshStart(OPENGL_MODE_OFF);
    MainWindow main(OPENGL_MODE_ON);
    screengl::Feeder feeder(main.display);
    ASSERT_TRUE(Streaming(main, feeder));
    // The map's camera video, drawn through OpenGL, beside the window.
    QPointer<CShowVideoDialog> video = new CShowVideoDialog(&main.window);
    ASSERT_NE(video->screen().mode(), OPENGL_MODE_OFF);
    video->move(kWindow.right() + 20, kWindow.top());
    video->show();
    ASSERT_TRUE(screengl::Exposed(video));
    main.Switch(OPENGL_MODE_OFF);
    ASSERT_TRUE(Streaming(main, feeder));
    video->close();
    ASSERT_TRUE(WaitFor([&] { return video.isNull(); }));

    EXPECT_EQ(RemnantsAfterDialogs(main, fresh, QStringLiteral("switched_off_with_map_video")), 0);
}

TEST(DisplaySwitch, AnEscapeTheWallReceivesInFullScreenLeavesFullScreen)
{
    REQUIRE_X();
    MainWindow main(OPENGL_MODE_ON);
    bool left = false;
    QObject::connect(main.display, &CDisplayWidget::exitFullScreen, &main.window, [&] {
        left = true;
        main.display->setParent(&main.window);
    });
    main.display->EnterFullScreen();
    ASSERT_TRUE(screengl::Exposed(main.display));
    QWidget* wall = main.display->screenContainer()->glWidget();
    ASSERT_TRUE(wall);

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(wall, &escape);
    EXPECT_TRUE(left);
    EXPECT_FALSE(main.display->isFullScreen());
}

TEST(DisplaySwitch, AClickOnTheOpenGLWallSelectsTheScreenUnderIt)
{
    REQUIRE_X();
    MainWindow main(OPENGL_MODE_ON);
    CScreen* screen = main.display->screenContainer();
    ASSERT_TRUE(screen->glWidget());
    const QPoint cell6 = screen->getDisplayRect(6).center();
    displaytest::Mouse(screen->glWidget(), QEvent::MouseButtonPress, cell6);
    displaytest::Mouse(screen->glWidget(), QEvent::MouseButtonRelease, cell6);
    EXPECT_EQ(main.display->selectedScreen(), 6);
}
