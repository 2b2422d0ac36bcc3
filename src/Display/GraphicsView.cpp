#include "GraphicsView.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QToolTip>
#include <QWindow>

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

void CGraphicsView::mousePressEvent(QMouseEvent* e)
{
    QGraphicsView::mousePressEvent(e);
    passOn(e);
}

void CGraphicsView::mouseMoveEvent(QMouseEvent* e)
{
    QGraphicsView::mouseMoveEvent(e);
    passOn(e);
}

void CGraphicsView::mouseReleaseEvent(QMouseEvent* e)
{
    QGraphicsView::mouseReleaseEvent(e);
    passOn(e);
}

void CGraphicsView::mouseDoubleClickEvent(QMouseEvent* e)
{
    QGraphicsView::mouseDoubleClickEvent(e);
    emit doubleClicked(e);
    passOn(e);
}

void CGraphicsView::keyPressEvent(QKeyEvent* e)
{
    QGraphicsView::keyPressEvent(e);
    passOn(e);
}

void CGraphicsView::keyReleaseEvent(QKeyEvent* e)
{
    QGraphicsView::keyReleaseEvent(e);
    passOn(e);
}

void CGraphicsView::passOn(QMouseEvent* e)
{
    if (e->isAccepted() || !m_embedder)
        return;
    const QPointF global = e->globalPosition();
    QMouseEvent copy(e->type(), m_embedder->mapFromGlobal(global), global, e->button(), e->buttons(),
                     e->modifiers());
    // Unaccepted, it goes on up from the embedder as from any child.
    QApplication::sendEvent(m_embedder, &copy);
    e->setAccepted(copy.isAccepted());
}

void CGraphicsView::passOn(QKeyEvent* e)
{
    if (e->isAccepted() || !m_embedder)
        return;
    QKeyEvent copy(e->type(), e->key(), e->modifiers(), e->text(), e->isAutoRepeat(), ushort(e->count()));
    QApplication::sendEvent(m_embedder, &copy);
    e->setAccepted(copy.isAccepted());
}

void CGraphicsView::resizeEvent(QResizeEvent* e)
{
    if (scene())
        setSceneRect(0, 0, e->size().width(), e->size().height());
    QGraphicsView::resizeEvent(e);
}

CWallFrame::CWallFrame(CGraphicsView* view, QWidget* parent) : QWidget(parent), m_view(view)
{
    view->setEmbedder(this);
    // The wall takes no keyboard focus from the owner's window: its keys stay the owner's.
    view->setFocusPolicy(Qt::NoFocus);
    view->winId();
    QWindow* window = view->windowHandle();
    window->setFlag(Qt::WindowDoesNotAcceptFocus);
    m_container = QWidget::createWindowContainer(window, this);
    m_container->setGeometry(rect());
    view->show();
}

CWallFrame::~CWallFrame()
{
    // The container would delete the view's window under it.
    delete m_view.data();
}

void CWallFrame::resizeEvent(QResizeEvent* e)
{
    m_container->setGeometry(QRect(QPoint(0, 0), e->size()));
    if (m_view)
        m_view->resize(e->size());
    QWidget::resizeEvent(e);
}
