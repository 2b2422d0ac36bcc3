#pragma once

// The month calendar of the search panels: dates that hold recordings are marked, and the
// chosen date is framed so that it stands out among them.

#include <set>

#include <QCalendarWidget>

#include "Common/DateTime.h"

class CCalendarWidget : public QCalendarWidget {
    Q_OBJECT

public:
    explicit CCalendarWidget(QWidget* parent = nullptr);

    // Marks exactly these dates (unmarks the others).
    void setMarkedDates(const std::set<CDate>& dates);
    bool isMarked(const QDate& date) const;
    const std::set<CDate>& markedDates() const { return m_marked; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintCell(QPainter* painter, const QRect& rect, QDate date) const override;
    void changeEvent(QEvent* event) override;

private:
    void followLanguage();
    void drawArrows();

    std::set<CDate> m_marked;
};
