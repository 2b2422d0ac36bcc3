#pragma once

#include <QByteArray>
#include <QPoint>
#include <QWidget>

// The grid of a motion zone laid over a camera picture: one byte per cell, 1 when the cell
// is in the zone, row-major. A press picks a cell, a drag spans a block of cells that
// updateMotionZone sets or clears, a double click toggles one cell.
class CMotionDetect : public QWidget {
    Q_OBJECT

public:
    explicit CMotionDetect(QWidget* parent = nullptr);
    ~CMotionDetect() override;

    // The row count follows from the zone's size; rows is not used. Needs cols >= 1 and at
    // least cols bytes; anything else leaves an empty grid that takes no input.
    void setMotionZone(int rows, int cols, const QByteArray& zone);
    QByteArray getMotionZone() const { return m_zone; }
    // Sets (on) or clears every cell of the block between the press and the drag end.
    void updateMotionZone(bool on);

    QPoint dragStart() const { return m_drag_start; }
    QPoint dragEnd() const { return m_drag_end; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool hasGrid() const { return m_rows > 0 && m_cols > 0; }
    void updateCellSize();
    // The cell (column, row) under a point, clamped into the grid.
    QPoint cellAt(const QPoint& pos) const;

    int m_rows = 0;
    int m_cols = 0;
    int m_cell_width = 0;
    int m_cell_height = 0;
    QPoint m_drag_start;
    QPoint m_drag_end;
    QByteArray m_zone;
    bool m_dragging = false;
};
