#pragma once

// The month calendar of the search panels: dates that hold recordings are marked.

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

private:
    std::set<CDate> m_marked;
};
