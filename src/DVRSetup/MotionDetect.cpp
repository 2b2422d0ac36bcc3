#include "DVRSetup/MotionDetect.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>

namespace {

const QColor ZONE_FILL(255, 255, 0, 100);
const QColor GRID_PEN(255, 255, 255);
const QColor BLOCK_PEN(255, 255, 0, 255);

}  // namespace

CMotionDetect::CMotionDetect(QWidget* parent) : QWidget(parent)
{
    // The video under the grid stays visible.
    setAttribute(Qt::WA_NoSystemBackground);
}

CMotionDetect::~CMotionDetect() = default;

void CMotionDetect::setMotionZone(int, int cols, const QByteArray& zone)
{
    m_zone = zone;
    const bool usable = cols >= 1 && zone.size() >= cols;
    m_cols = usable ? cols : 0;
    m_rows = usable ? int(zone.size()) / cols : 0;
    updateCellSize();
    update();
}

void CMotionDetect::updateCellSize()
{
    // A cell is at least one pixel, so that positions always map to a cell.
    m_cell_width = hasGrid() ? std::max(1, width() / m_cols) : 0;
    m_cell_height = hasGrid() ? std::max(1, height() / m_rows) : 0;
}

void CMotionDetect::resizeEvent(QResizeEvent* event)
{
    updateCellSize();
    QWidget::resizeEvent(event);
}

QPoint CMotionDetect::cellAt(const QPoint& pos) const
{
    return QPoint(std::clamp(pos.x() / m_cell_width, 0, m_cols - 1),
                  std::clamp(pos.y() / m_cell_height, 0, m_rows - 1));
}

void CMotionDetect::mousePressEvent(QMouseEvent* event)
{
    if (!hasGrid())
        return;
    m_dragging = true;
    m_drag_start = cellAt(event->position().toPoint());
    m_drag_end = m_drag_start;
    update();
}

void CMotionDetect::mouseMoveEvent(QMouseEvent* event)
{
    if (hasGrid() && m_dragging)
        m_drag_end = cellAt(event->position().toPoint());
    update();
}

void CMotionDetect::mouseReleaseEvent(QMouseEvent*) { m_dragging = false; }

void CMotionDetect::mouseDoubleClickEvent(QMouseEvent*)
{
    if (!hasGrid())
        return;
    const int index = m_drag_start.y() * m_cols + m_drag_start.x();
    m_zone[index] = m_zone.at(index) != 0 ? 0 : 1;
    update();
}

void CMotionDetect::updateMotionZone(bool on)
{
    if (!hasGrid())
        return;
    const int left = std::min(m_drag_start.x(), m_drag_end.x());
    const int right = std::max(m_drag_start.x(), m_drag_end.x());
    const int top = std::min(m_drag_start.y(), m_drag_end.y());
    const int bottom = std::max(m_drag_start.y(), m_drag_end.y());
    for (int r = top; r <= bottom; ++r)
        for (int c = left; c <= right; ++c)
            m_zone[r * m_cols + c] = on ? 1 : 0;
    update();
}

void CMotionDetect::paintEvent(QPaintEvent*)
{
    if (!hasGrid())
        return;
    QPainter painter(this);
    for (int r = 0; r < m_rows; ++r)
        for (int c = 0; c < m_cols; ++c)
            if (m_zone.at(r * m_cols + c) != 0)
                painter.fillRect(c * m_cell_width, r * m_cell_height, m_cell_width, m_cell_height, ZONE_FILL);

    painter.setPen(GRID_PEN);
    for (int i = 0; i <= m_rows; ++i)
        painter.drawLine(0, i * m_cell_height, width(), i * m_cell_height);
    for (int j = 0; j <= m_cols; ++j)
        painter.drawLine(j * m_cell_width, 0, j * m_cell_width, height());

    const int left = std::min(m_drag_start.x(), m_drag_end.x()) * m_cell_width;
    const int right = (std::max(m_drag_start.x(), m_drag_end.x()) + 1) * m_cell_width;
    const int top = std::min(m_drag_start.y(), m_drag_end.y()) * m_cell_height;
    const int bottom = (std::max(m_drag_start.y(), m_drag_end.y()) + 1) * m_cell_height;
    painter.setPen(BLOCK_PEN);
    // A stroked rectangle covers one pixel past its width: the outline runs from
    // (left + 1, top + 1) to (right - 2, bottom - 2).
    painter.drawRect(left + 1, top + 1, right - left - 3, bottom - top - 3);
}
