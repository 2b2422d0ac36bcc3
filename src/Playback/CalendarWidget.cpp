#include "CalendarWidget.h"

#include <QTextCharFormat>

namespace {

QDate ToQDate(const CDate& d) { return QDate(d.year, d.month, d.day); }

}  // namespace

CCalendarWidget::CCalendarWidget(QWidget* parent) : QCalendarWidget(parent)
{
    setGridVisible(true);
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setFirstDayOfWeek(Qt::Sunday);
}

void CCalendarWidget::setMarkedDates(const std::set<CDate>& dates)
{
    for (const CDate& d : m_marked)
        setDateTextFormat(ToQDate(d), QTextCharFormat());
    m_marked = dates;
    QTextCharFormat mark;
    mark.setFontWeight(QFont::Bold);
    mark.setForeground(QColor(255, 255, 255));
    mark.setBackground(QColor(40, 120, 200));
    for (const CDate& d : m_marked)
        setDateTextFormat(ToQDate(d), mark);
}

bool CCalendarWidget::isMarked(const QDate& date) const
{
    return m_marked.count(CDate(date.year(), date.month(), date.day())) != 0;
}
