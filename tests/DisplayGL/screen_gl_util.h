#pragma once

// A wall of cells shown on the X server, drawn through OpenGL or by widget cells.

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QOpenGLWidget>
#include <QWidget>
#include <QWindow>

#include <memory>

#include "Display/Screen.h"
#include "Display/screen_test_util.h"

namespace screengl {

inline bool HaveX() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

#define REQUIRE_X()                                                                          \
    if (!screengl::HaveX())                                                                  \
    GTEST_SKIP() << "OpenGL widgets need an X server: no DISPLAY"

template <typename Done>
bool WaitFor(Done done, int ms = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

inline bool Exposed(QWidget* w)
{
    return WaitFor([w] { return w->windowHandle() && w->windowHandle()->isExposed(); });
}

struct Wall {
    QWidget owner;
    std::unique_ptr<CScreen> screen;
    QVector<QRect> rects;

    Wall(OpenGLMode mode, int cells, const QSize& size = QSize(730, 550))
    {
        owner.resize(size);
        screen = std::make_unique<CScreen>(&owner, mode, CScreen::MAX_CELLS);
        screen->resize(size);
        rects = CScreen::gridRects(cells, size, 10);
        for (int i = 0; i < CScreen::MAX_CELLS; ++i)
            screen->updateDisplayRect(i, rects[i]);
        owner.show();
        Exposed(&owner);
    }

    bool openGL() const { return screen->glWidget() != nullptr; }

    // The wall as it is drawn now.
    QImage Shot()
    {
        QApplication::processEvents();
        if (openGL()) {
            screen->glWidget()->repaint();
            return screen->glWidget()->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
        }
        return owner.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

// Pixels of cell in a and b that differ by more than tolerance in any channel.
inline int Differences(const QImage& a, const QImage& b, const QRect& cell, int tolerance)
{
    int bad = 0;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            if (!screentest::Near(a.pixel(x, y), b.pixel(x, y), tolerance))
                ++bad;
    return bad;
}

}  // namespace screengl
