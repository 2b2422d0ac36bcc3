#include "GraphicsView.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QToolTip>

#include "Display/GraphicsScene.h"

CGraphicsView::CGraphicsView(QWidget* parent) : QGraphicsView(parent)
{
    // Scene coordinates are viewport pixels: no frame, no scrolling, origin top-left.
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTransformationAnchor(QGraphicsView::NoAnchor);
    setResizeAnchor(QGraphicsView::NoAnchor);
    setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    setCacheMode(QGraphicsView::CacheNone);
}

bool CGraphicsView::viewportEvent(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        // Only a failed cell has a tooltip; anywhere else any shown one goes away.
        auto* help = static_cast<QHelpEvent*>(e);
        QString text;
        if (auto* s = dynamic_cast<CGraphicsScene*>(scene()))
            text = s->getToolTip(mapToScene(help->pos()).toPoint());
        if (!text.isEmpty())
            QToolTip::showText(help->globalPos(), text, viewport());
        else
            QToolTip::hideText();
        return true;
    }
    if (e->type() == QEvent::Leave)
        QToolTip::hideText();
    return QGraphicsView::viewportEvent(e);
}

void CGraphicsView::mouseDoubleClickEvent(QMouseEvent* e)
{
    QGraphicsView::mouseDoubleClickEvent(e);
    emit doubleClicked(e);
}

void CGraphicsView::resizeEvent(QResizeEvent* e)
{
    if (scene())
        setSceneRect(0, 0, e->size().width(), e->size().height());
    QGraphicsView::resizeEvent(e);
}
