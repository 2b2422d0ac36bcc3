#pragma once

#include <QGraphicsView>
#include <QPointer>

class QKeyEvent;
class QMouseEvent;
class QResizeEvent;

// The view of an OpenGL wall: its scene rectangle follows its size one unit a pixel, failed
// cells name their failure in a tooltip, and double clicks are passed on. Mouse and key events
// the scene leaves go on to the widget it is embedded in, as they would from a child widget.
class CGraphicsView : public QGraphicsView {
    Q_OBJECT

public:
    explicit CGraphicsView(QWidget* parent);

    void setEmbedder(QWidget* embedder) { m_embedder = embedder; }

signals:
    void doubleClicked(QMouseEvent* event);

protected:
    // Tooltip and mouse events of the view arrive at its viewport.
    bool viewportEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void passOn(QMouseEvent* e);
    void passOn(QKeyEvent* e);

    QPointer<QWidget> m_embedder;
};

// Holds a wall's view in a native window of its own inside the owner. The owner's window then
// never draws through OpenGL: Qt composes a window through OpenGL for good once it held an
// OpenGL widget, which leaves a window switched to widget cells slower and stale-painted.
// Deleting the frame deletes the view, and with it the only OpenGL window.
class CWallFrame : public QWidget {
    Q_OBJECT

public:
    // Takes the view, which must have no parent.
    CWallFrame(CGraphicsView* view, QWidget* parent);
    ~CWallFrame() override;

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    QPointer<CGraphicsView> m_view;
    QWidget* m_container = nullptr;
};
