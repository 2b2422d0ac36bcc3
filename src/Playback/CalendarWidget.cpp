#include "CalendarWidget.h"

#include <QEvent>
#include <QPainter>
#include <QTextCharFormat>
#include <QToolButton>

#include "Settings/Translator.h"

namespace {

QDate ToQDate(const CDate& d) { return QDate(d.year, d.month, d.day); }

// The month arrows in the text colour: the style's own pictures are green on any panel.
QIcon Arrow(const QColor& colour, bool left)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    const QPolygonF tip = left ? QPolygonF({QPointF(2, 6), QPointF(10, 1), QPointF(10, 11)})
                               : QPolygonF({QPointF(10, 6), QPointF(2, 1), QPointF(2, 11)});
    p.drawPolygon(tip);
    return QIcon(pixmap);
}

}  // namespace

CCalendarWidget::CCalendarWidget(QWidget* parent) : QCalendarWidget(parent)
{
    setGridVisible(true);
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    followLanguage();
    // A softer red than the default reads on the dark panels too.
    QTextCharFormat weekend;
    weekend.setForeground(QColor(230, 105, 105));
    setWeekdayTextFormat(Qt::Saturday, weekend);
    setWeekdayTextFormat(Qt::Sunday, weekend);
    drawArrows();
}

void CCalendarWidget::setMarkedDates(const std::set<CDate>& dates)
{
    for (const CDate& d : m_marked)
        setDateTextFormat(ToQDate(d), QTextCharFormat());
    m_marked = dates;
    QTextCharFormat mark;
    mark.setFontWeight(QFont::Bold);
    mark.setForeground(QColor(255, 255, 255));
    mark.setBackground(QColor(58, 90, 120));
    for (const CDate& d : m_marked)
        setDateTextFormat(ToQDate(d), mark);
}

// Qt measures the day names in whole pixels and leaves the grid lines out: a name that nearly
// fills its column would be cut. One pixel more for each of the seven columns.
QSize CCalendarWidget::sizeHint() const { return QCalendarWidget::sizeHint() + QSize(7, 0); }

QSize CCalendarWidget::minimumSizeHint() const { return QCalendarWidget::minimumSizeHint() + QSize(7, 0); }

bool CCalendarWidget::isMarked(const QDate& date) const
{
    return m_marked.count(CDate(date.year(), date.month(), date.day())) != 0;
}

void CCalendarWidget::paintCell(QPainter* painter, const QRect& rect, QDate date) const
{
    QCalendarWidget::paintCell(painter, rect, date);
    if (date != selectedDate())
        return;
    // The selection alone is a dim blue while the calendar has no focus.
    painter->save();
    painter->setPen(QPen(palette().color(QPalette::WindowText), 2));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(rect.adjusted(1, 1, -1, -1));
    painter->restore();
}

// Month and day names come from the widget's locale, which is the system's unless set.
void CCalendarWidget::followLanguage()
{
    setLocale(CTranslator::locale());
    // A locale brings its own first day of the week; the weeks here always start on Sunday.
    setFirstDayOfWeek(Qt::Sunday);
}

void CCalendarWidget::changeEvent(QEvent* event)
{
    QCalendarWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        followLanguage();
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange ||
        event->type() == QEvent::LayoutDirectionChange)
        drawArrows();
}

void CCalendarWidget::drawArrows()
{
    const QColor colour = palette().color(QPalette::WindowText);
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    if (auto* prev = findChild<QToolButton*>(QStringLiteral("qt_calendar_prevmonth")))
        prev->setIcon(Arrow(colour, !rtl));
    if (auto* next = findChild<QToolButton*>(QStringLiteral("qt_calendar_nextmonth")))
        next->setIcon(Arrow(colour, rtl));
}
