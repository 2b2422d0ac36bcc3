#pragma once

#include <QGraphicsView>

class QMouseEvent;
class QResizeEvent;

// The view of an OpenGL wall: its scene rectangle follows its size one unit a pixel, failed
// cells name their failure in a tooltip, and double clicks are passed on.
class CGraphicsView : public QGraphicsView {
    Q_OBJECT

public:
    explicit CGraphicsView(QWidget* parent);

signals:
    void doubleClicked(QMouseEvent* event);

protected:
    // Tooltip and mouse events of the view arrive at its viewport.
    bool viewportEvent(QEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
};
