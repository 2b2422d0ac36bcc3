#include "TimeLine.h"

#include <QMouseEvent>
#include <QPainter>

CTimeLine::CTimeLine(QWidget* parent) : QWidget(parent)
{
    setMinimumHeight(120);
    setMouseTracking(false);
}

QColor CTimeLine::ReasonColor(unsigned int reason)
{
    switch (reason & 3) {
    case 1: return QColor(60, 170, 75);    // reason 1
    case 2: return QColor(235, 150, 30);   // reason 2
    case 3: return QColor(210, 50, 50);    // reason 3
    default: return QColor(235, 235, 235); // nothing recorded
    }
}

void CTimeLine::setDay(const CDate& date, const _TIMELINE_DATA* data, int channels)
{
    m_date = date;
    m_hasData = data != nullptr;
    m_data = data ? *data : _TIMELINE_DATA();
    m_channels = std::clamp(channels, 1, MAX_DVR_CHANNEL);
    m_chosen = -1;
    // Start at the first hour that holds recordings.
    int first = 0;
    while (first < HOURS_OF_DAY && !hasHour(first))
        ++first;
    setHour(first < HOURS_OF_DAY ? first : 0);
    update();
}

void CTimeLine::clear()
{
    m_hasData = false;
    m_data = _TIMELINE_DATA();
    m_chosen = -1;
    m_hour = 0;
    update();
}

void CTimeLine::setHour(int hour)
{
    hour = std::clamp(hour, 0, HOURS_OF_DAY - 1);
    if (hour == m_hour)
        return;
    m_hour = hour;
    update();
    emit hourChanged(hour);
}

bool CTimeLine::hasHour(int hour) const
{
    if (!m_hasData)
        return false;
    for (int c = 0; c < MAX_DVR_CHANNEL; ++c)
        for (int m = 0; m < MINS_OF_HOUR; ++m)
            if (m_data.data[c][hour][m])
                return true;
    return false;
}

uint32_t CTimeLine::hourChannels() const
{
    uint32_t mask = 0;
    for (int c = 0; c < m_channels && m_hasData; ++c)
        for (int m = 0; m < MINS_OF_HOUR; ++m)
            if (m_data.data[c][m_hour][m])
                mask |= 1u << c;
    return mask;
}

int CTimeLine::rowHeight() const
{
    return std::max(3, (height() - HOUR_STRIP - RULER - 4) / m_channels);
}

QRect CTimeLine::hourRect(int hour) const
{
    const int w = width() - LABEL_WIDTH;
    const int x0 = LABEL_WIDTH + w * hour / HOURS_OF_DAY;
    const int x1 = LABEL_WIDTH + w * (hour + 1) / HOURS_OF_DAY;
    return QRect(x0, 0, x1 - x0 - 1, HOUR_STRIP - 2);
}

QRect CTimeLine::minuteRect(int channel, int minute) const
{
    const int w = width() - LABEL_WIDTH;
    const int x0 = LABEL_WIDTH + w * minute / MINS_OF_HOUR;
    const int x1 = LABEL_WIDTH + w * (minute + 1) / MINS_OF_HOUR;
    const int y = HOUR_STRIP + RULER + channel * rowHeight();
    return QRect(x0, y, std::max(1, x1 - x0 - 1), rowHeight() - 1);
}

void CTimeLine::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    p.setPen(palette().text().color());
    QFont small = font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() - 2));
    p.setFont(small);

    for (int h = 0; h < HOURS_OF_DAY; ++h) {
        const QRect r = hourRect(h);
        p.fillRect(r, h == m_hour ? QColor(40, 120, 200) : hasHour(h) ? QColor(150, 195, 235) : QColor(225, 225, 225));
        p.setPen(h == m_hour ? Qt::white : Qt::black);
        p.drawText(r, Qt::AlignCenter, QString::number(h));
    }
    p.setPen(palette().text().color());
    p.drawText(QRect(0, 0, LABEL_WIDTH - 4, HOUR_STRIP - 2), Qt::AlignVCenter | Qt::AlignRight, tr("Hour"));

    // Ruler: every ten minutes.
    for (int m = 0; m <= MINS_OF_HOUR; m += 10) {
        const int x = LABEL_WIDTH + (width() - LABEL_WIDTH) * m / MINS_OF_HOUR;
        p.drawLine(x, HOUR_STRIP + RULER - 4, x, HOUR_STRIP + RULER - 1);
        if (m < MINS_OF_HOUR)
            p.drawText(QRect(x + 2, HOUR_STRIP, 40, RULER - 2), Qt::AlignLeft | Qt::AlignVCenter,
                       QStringLiteral("%1:%2").arg(m_hour, 2, 10, QLatin1Char('0')).arg(m, 2, 10, QLatin1Char('0')));
    }
    for (int c = 0; c < m_channels; ++c) {
        const QRect row = minuteRect(c, 0);
        p.drawText(QRect(0, row.top(), LABEL_WIDTH - 4, row.height()), Qt::AlignVCenter | Qt::AlignRight,
                   QStringLiteral("CH%1").arg(c + 1));
        for (int m = 0; m < MINS_OF_HOUR; ++m)
            p.fillRect(minuteRect(c, m), ReasonColor(m_hasData ? m_data.data[c][m_hour][m] : 0));
    }
    if (m_chosen >= 0) {
        const int minute = static_cast<int>((m_chosen / 60) % 60);
        const QRect r = minuteRect(0, minute);
        p.setPen(QPen(Qt::blue, 2));
        p.drawLine(r.left(), HOUR_STRIP + RULER, r.left(), minuteRect(m_channels - 1, 0).bottom());
    }
}

void CTimeLine::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (pos.x() < LABEL_WIDTH)
        return;
    if (pos.y() < HOUR_STRIP) {
        for (int h = 0; h < HOURS_OF_DAY; ++h)
            if (pos.x() <= hourRect(h).right() + 1) {
                setHour(h);
                return;
            }
        return;
    }
    if (pos.y() < HOUR_STRIP + RULER)
        return;
    const int minute = std::clamp((pos.x() - LABEL_WIDTH) * MINS_OF_HOUR / std::max(1, width() - LABEL_WIDTH), 0,
                                  MINS_OF_HOUR - 1);
    const QDateTime t(QDate(m_date.year, m_date.month, m_date.day), QTime(m_hour, minute), Qt::UTC);
    if (!t.isValid())
        return;
    m_chosen = static_cast<time_t>(t.toSecsSinceEpoch());
    update();
    emit selectedTime(m_chosen);
}
