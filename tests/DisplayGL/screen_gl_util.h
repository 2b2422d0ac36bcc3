#pragma once

// A wall of cells shown on the X server, drawn through OpenGL or by widget cells.

#include <QOpenGLWidget>
#include <QWindow>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "Display/DisplayWidget.h"
#include "Display/Screen.h"
#include "Display/display_test_util.h"

#define REQUIRE_X()                                              \
    if (QGuiApplication::platformName() != QLatin1String("xcb")) \
    GTEST_SKIP() << "OpenGL widgets need an X server: no DISPLAY"

namespace screengl {

inline bool Exposed(QWidget* w)
{
    return displaytest::WaitFor([w] { return w->window()->windowHandle() && w->window()->windowHandle()->isExposed(); });
}

struct Wall {
    QWidget owner;
    std::unique_ptr<CScreen> screen;
    QVector<QRect> rects;

    Wall(OpenGLMode mode, int cells, const QSize& size = QSize(730, 550), QWidget* parent = nullptr)
    {
        owner.setParent(parent);
        owner.resize(size);
        screen = std::make_unique<CScreen>(&owner, mode, CScreen::MAX_CELLS);
        screen->resize(size);
        rects = CScreen::gridRects(cells, size, 10);
        for (int i = 0; i < CScreen::MAX_CELLS; ++i)
            screen->updateDisplayRect(i, rects[i]);
        owner.show();
        Exposed(&owner);
    }

    // What the wall draws once the pictures handed to it are drawn.
    QImage Shot()
    {
        displaytest::WaitFor([this] { return !screen->picturesWaiting(); });
        QApplication::processEvents();
        if (QOpenGLWidget* gl = screen->glWidget()) {
            gl->repaint();
            return gl->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
        }
        return owner.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

// Moving pictures on all 16 channels, delivered as a stream thread does, until it ends.
struct Feeder {
    std::atomic<bool> stop{false};
    std::thread thread;

    // With sizeEvery, channel 0 alone, whose stream changes from CIF to D1 and back every so many
    // frames, each time from a key frame, as a DVR's does when its recording size is changed.
    explicit Feeder(CDisplayWidget* w, size_t sizeEvery = 0)
    {
        thread = std::thread([this, w, sizeEvery] {
            const testmedia::Clip clips[] = {testmedia::LoadClip(testmedia::Codec::H264, "cif"),
                                             testmedia::LoadClip(testmedia::Codec::H264, "d1")};
            DISPLAY_DVR_INFO info;
            info.dvrName = QStringLiteral("Lobby DVR");
            for (int ch = 0; ch < 16; ++ch)
                info.channelNames[ch] = QStringLiteral("CAM%1").arg(ch + 1);
            for (size_t n = 0; !stop; ++n) {
                const testmedia::Clip& clip = clips[sizeEvery ? n / sizeEvery % 2 : 0];
                const size_t unit = (sizeEvery ? n % sizeEvery : n) % clip.units.size();
                for (int ch = 0; ch < (sizeEvery ? 1 : 16); ++ch) {
                    const auto f = displaytest::CFrameOf(clip, unit, ch, uint32_t(1000 + n / 30));
                    w->slotDisplayVideo(info, f.data(), f.size());
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(33));
            }
        });
    }
    ~Feeder()
    {
        stop = true;
        thread.join();
    }
};

}  // namespace screengl
