// The display widget drawing through OpenGL on a real X server. With ZAVO_SCREENSHOT_DIR set,
// the single view after the double click is saved there (scripts/screenshots-display).
#include <gtest/gtest.h>

#include <QDir>
#include <QMouseEvent>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "Display/DisplayWidget.h"
#include "Display/video_frames.h"
#include "Settings/settings_sandbox.h"
#include "screen_gl_util.h"
#include "support/TestMedia.h"

using screengl::WaitFor;

namespace {

void SaveShot(const QImage& shot, const char* name)
{
    const QByteArray dir = qgetenv("ZAVO_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        shot.save(QDir(QString::fromLocal8Bit(dir)).filePath(QLatin1String(name)));
}

// Mean difference per colour channel over the inside of area.
double MeanDifference(const QImage& a, const QImage& b, const QRect& area)
{
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * area.width() * area.height());
}

}  // namespace

TEST(DisplayWidgetGL, ADoubleClickedScreenFillsTheWholeWidget)
{
    REQUIRE_X();
    settingsSandbox();
    CAppSettings settings;
    settings.writeSetting(CAppSettings::OPENGL, OPENGL_MODE_ON);
    settings.writeSetting(CAppSettings::OSD_CH_NAME, 1);
    CDisplayWidget w(nullptr, [] { return std::unique_ptr<CAudioDevice>(); });
    QObject::connect(&w, &CDisplayWidget::doubleClicked, &w, &CDisplayWidget::doubleClickedScreen);
    w.show();
    ASSERT_TRUE(screengl::Exposed(&w));
    CScreen* screen = w.screenContainer();
    ASSERT_TRUE(screen->glWidget());

    // Moving pictures on all 16 channels, delivered as a stream thread does.
    const testmedia::Clip clip = testmedia::LoadClip(testmedia::Codec::H264, "cif");
    std::atomic<bool> stop{false};
    std::thread feeder([&] {
        DISPLAY_DVR_INFO info;
        info.dvrName = QStringLiteral("Lobby DVR");
        for (int ch = 0; ch < 16; ++ch)
            info.channelNames[ch] = QStringLiteral("CAM%1").arg(ch + 1);
        for (size_t n = 0; !stop; ++n) {
            for (int ch = 0; ch < 16; ++ch) {
                const auto f = videoframes::CFrameOf(clip, n % clip.units.size(), ch, {uint32_t(1000 + n / 30), 0});
                w.slotDisplayVideo(info, f.data(), f.size());
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(33));
        }
    });
    auto filled = [&](int cells) {
        for (int i = 0; i < cells; ++i)
            if (screen->getInfo(i).image.isNull())
                return false;
        return true;
    };
    EXPECT_TRUE(WaitFor([&] { return filled(16); }));

    const QRect cell5 = screen->getDisplayRect(5);
    QWidget* viewport = screen->glWidget();
    QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(cell5.center()),
                      QPointF(viewport->mapToGlobal(cell5.center())), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(viewport, &click);
    EXPECT_TRUE(w.isSingleScreen());
    EXPECT_EQ(w.getViewStartScreen(), 5);
    EXPECT_TRUE(WaitFor([&] { return screen->getInfo(0).channel == 5 && filled(1); }));
    WaitFor([] { return false; }, 300);  // a few pictures more
    stop = true;
    feeder.join();

    QApplication::processEvents();
    screen->glWidget()->repaint();
    const QImage shot = screen->glWidget()->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    SaveShot(shot, "single_view_after_double_click.png");
    const QImage expected = screen->getInfo(0).image.scaled(shot.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                .convertToFormat(QImage::Format_RGB32);
    // The picture covers the widget; the texts and the frame lie outside the compared part.
    const QRect inside = shot.rect().adjusted(4, 20, -4, -24);
    EXPECT_LT(MeanDifference(shot, expected, inside), 8.0);

    w.doubleClickedScreen(5);
    EXPECT_EQ(w.getViewScreens(), 16);
    EXPECT_EQ(w.getViewStartScreen(), 0);
}
