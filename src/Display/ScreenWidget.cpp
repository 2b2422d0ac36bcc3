#include "ScreenWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>

CScreenWidget::CScreenWidget(QWidget* parent) : QLabel(parent)
{
    setMargin(0);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Every paint covers the whole cell.
    setAttribute(Qt::WA_OpaquePaintEvent);
    clear();
}

void CScreenWidget::setInfo(const CDisplayInfo& info, bool repaint)
{
    m_info = info;
    // A failed cell names its failure in a tooltip; any other state has none.
    const QString tip = m_info.failed ? m_info.title : QString();
    if (toolTip() != tip)
        setToolTip(tip);
    m_pictureUnpainted = CellPainter::showsPicture(m_info);
    if (repaint)
        update();
}

void CScreenWidget::clear()
{
    m_info.clear();
    m_pictureUnpainted = false;
    if (!toolTip().isEmpty())
        setToolTip(QString());
    update();
}

QRect CScreenWidget::zoomSource(const QRect& zoom, const QSize& image, const QSize& cell)
{
    if (cell.width() <= 0 || cell.height() <= 0)
        return QRect(QPoint(0, 0), image);
    const int iw = image.width();
    const int ih = image.height();
    const int left = std::max(0, zoom.left() * iw / cell.width());
    const int right = std::min(iw, zoom.right() * iw / cell.width());
    const int top = std::max(0, zoom.top() * ih / cell.height());
    const int bottom = std::min(ih, zoom.bottom() * ih / cell.height());
    return QRect(left, top, right - left + 1, bottom - top + 1);
}

void CScreenWidget::setSelected(bool selected)
{
    m_selected = selected;
    update();
}

void CScreenWidget::setDisplaySettings(bool chName, int record, int event)
{
    m_osd = CCellOsd{chName, record, event};
    update();
}

void CScreenWidget::startZoom()
{
    m_zoomMode = true;
}

void CScreenWidget::endZoom()
{
    m_zoomApplied = false;
    m_zoomMode = false;
    m_zoomRect = QRect(QPoint(-1, -1), QPoint(-3, -3));
    m_dragging = false;
}

void CScreenWidget::setZoomRect()
{
    const QPoint topLeft(std::min(m_pressPos.x(), m_movePos.x()), std::min(m_pressPos.y(), m_movePos.y()));
    const QPoint bottomRight(std::max(m_pressPos.x(), m_movePos.x()), std::max(m_pressPos.y(), m_movePos.y()));
    m_zoomRect = QRect(topLeft, bottomRight);
    update();
}

void CScreenWidget::mousePressEvent(QMouseEvent* event)
{
    QLabel::mousePressEvent(event);
    if (m_zoomMode && m_selected && event->button() == Qt::LeftButton) {
        m_zoomApplied = false;
        m_zoomRect = QRect(QPoint(-1, -1), QPoint(-3, -3));
        m_dragging = true;
        m_pressPos = event->position().toPoint();
    }
}

void CScreenWidget::mouseMoveEvent(QMouseEvent* event)
{
    QLabel::mouseMoveEvent(event);
    if (m_zoomMode && m_selected && m_dragging) {
        m_movePos = event->position().toPoint();
        setZoomRect();
        event->accept();
    }
}

void CScreenWidget::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (m_zoomMode && m_selected) {
        m_dragging = false;
        m_zoomApplied = true;
        update();
    }
}

void CScreenWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    emit doubleClicked(event);
}

bool CScreenWidget::event(QEvent* event)
{
    const bool handled = QLabel::event(event);
    // A style sheet that gives labels a background takes the opaque flag away when it polishes
    // the cell; without it every picture would first repaint the parent's background beneath.
    if (event->type() == QEvent::Polish || event->type() == QEvent::StyleChange)
        setAttribute(Qt::WA_OpaquePaintEvent);
    return handled;
}

void CScreenWidget::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    const QSize cell = size();
    if (cell.isEmpty())
        return;
    QPainter painter(this);
    const QRect target(QPoint(0, 0), cell);
    if (CellPainter::showsPicture(m_info)) {
        const QImage& image = m_info.image;
        QRect source = image.rect();
        if (m_zoomApplied && m_zoomRect.isValid())
            source = zoomSource(m_zoomRect, image.size(), cell) & image.rect();
        // Only a picture of another size than the cell is scaled (one cell, zoom, a picture
        // made before the layout changed).
        painter.setRenderHint(QPainter::SmoothPixmapTransform, source.size() != cell);
        painter.drawImage(target, image, source);
        if (m_pictureUnpainted) {
            m_pictureUnpainted = false;
            ++m_picturesDrawn;
        }
    } else {
        // Without a picture the cell is black; a state picture covers it anyway.
        painter.fillRect(target, Qt::black);
    }

    const CCellPictures& pictures = CCellPictures::get();
    const QRect drag = m_zoomMode && !m_zoomApplied && m_zoomRect.isValid() ? m_zoomRect : QRect();
    CellPainter::drawOverlay(painter, target, m_info, m_osd, pictures, false, m_selected, drag, m_texts);
}

void CScreenWidget::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    update();
}
