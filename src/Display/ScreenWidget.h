#pragma once

#include <QLabel>
#include <QPoint>
#include <QRect>

#include "Display/CellPainter.h"
#include "Display/DisplayInfo.h"

class QMouseEvent;
class QPaintEvent;
class QResizeEvent;

// One screen cell drawn without OpenGL: keeps its newest picture and paints it with its
// marks once per paint. A picture made at the cell's size is copied without scaling.
class CScreenWidget : public QLabel {
    Q_OBJECT

public:
    explicit CScreenWidget(QWidget* parent);

    // repaint false: the owner asks for the repaint itself.
    void setInfo(const CDisplayInfo& info, bool repaint = true);
    const CDisplayInfo& getInfo() const { return m_info; }
    void clear();
    void setSelected(bool selected);
    bool isSelected() const { return m_selected; }
    void setDisplaySettings(bool chName, int record, int event);
    void startZoom();
    void endZoom();
    void setZoomRect();

    // The part of the picture shown for a zoom rectangle in cell coordinates.
    static QRect zoomSource(const QRect& zoom, const QSize& image, const QSize& cell);

    const QRect& zoomRect() const { return m_zoomRect; }
    bool zoomApplied() const { return m_zoomApplied; }
    // New pictures painted since the cell was made: pictures replaced before a paint
    // reached the screen are not counted.
    quint64 picturesDrawn() const { return m_picturesDrawn; }
    const CCellTexts& texts() const { return m_texts; }

signals:
    void doubleClicked(QMouseEvent* event);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    CDisplayInfo m_info;
    QRect m_zoomRect{QPoint(-1, -1), QPoint(-3, -3)};
    bool m_zoomApplied = false;
    bool m_zoomMode = false;
    bool m_selected = false;
    QPoint m_pressPos;
    QPoint m_movePos;
    CCellOsd m_osd;
    bool m_dragging = false;
    quint64 m_picturesDrawn = 0;
    // The cell holds a picture no paint has shown yet.
    bool m_pictureUnpainted = false;
    CCellTexts m_texts;
};
