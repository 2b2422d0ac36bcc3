#pragma once

// A wall of cells shown on the X server, drawn through OpenGL or by widget cells.

#include <QOpenGLWidget>
#include <QWindow>

#include <memory>

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

}  // namespace screengl
