#include "DateTime.h"

#include <cstdint>

CDate::CDate() : year(1970), month(1), day(1) {}

CDate::CDate(int y, int m, int d) : year(y), month(m), day(d) {}

void CDate::setDate(int y, int m, int d)
{
    year = y;
    month = m;
    day = d;
}

bool CDate::operator==(const CDate& other) const
{
    return year == other.year && month == other.month && day == other.day;
}

bool CDate::operator<(const CDate& other) const
{
    if (year != other.year)
        return year < other.year;
    if (month != other.month)
        return month < other.month;
    return day < other.day;
}

CDateTime::CDateTime()
{
    // Null, but already UTC: setting fields later must not turn it into a local time.
    m_dateTime.setTimeSpec(Qt::UTC);
}

CDateTime::CDateTime(const int& dvrTime)
{
    setDateTime(dvrTime);
}

CDateTime::CDateTime(int year, int month, int day, int hour, int minute, int second)
    : m_date(year, month, day),
      m_dateTime(QDate(year, month, day), QTime(hour, minute, second, 0), Qt::UTC)
{
}

void CDateTime::setDateTime(const int& dvrTime)
{
    m_dateTime = convert_Timet_QDateTime(dvrTime);
    const QDate d = m_dateTime.date();
    m_date.setDate(d.year(), d.month(), d.day());
}

void CDateTime::setDateTime(int year, int month, int day, int hour, int minute, int second)
{
    m_dateTime.setDate(QDate(year, month, day));
    m_dateTime.setTime(QTime(hour, minute, second, 0));
    m_date.setDate(year, month, day);
}

QDateTime CDateTime::convert_Timet_QDateTime(time_t dvrTime)
{
    const qint64 secs = static_cast<uint32_t>(dvrTime);
    return QDateTime::fromSecsSinceEpoch(secs, Qt::UTC);
}

bool CDateTime::operator==(const CDateTime& other) const
{
    return m_date == other.m_date && m_dateTime == other.m_dateTime;
}

int CDateTime::getHour() const
{
    return m_dateTime.time().hour();
}

int CDateTime::getMinute() const
{
    return m_dateTime.time().minute();
}

int CDateTime::getSecond() const
{
    return m_dateTime.time().second();
}
