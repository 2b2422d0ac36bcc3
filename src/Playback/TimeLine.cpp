#include "TimeLine.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

// The strip, ruler and free minutes in the colours of the panel they sit on: the program's
// dark style sheet, or a light default.
struct Shades {
    QColor freeHour, recordedHour, chosenHour, freeMinute, chosenTime;
};

Shades ShadesFor(const QPalette& palette)
{
    if (palette.color(QPalette::Window).lightness() < 128)
        return {QColor(0x2b, 0x30, 0x37), QColor(0x3a, 0x5a, 0x78), QColor(0x2f, 0x6f, 0xa8), QColor(0x34, 0x3a, 0x42),
                QColor(0x9c, 0xcb, 0xff)};
    return {QColor(225, 225, 225), QColor(150, 195, 235), QColor(40, 120, 200), QColor(235, 235, 235), Qt::blue};
}

QFont PixelFont(QFont font, int pixels)
{
    font.setPixelSize(pixels);
    return font;
}

}  // namespace

CTimeLine::CTimeLine(QWidget* parent) : QWidget(parent) { setMouseTracking(false); }

QSize CTimeLine::sizeHint() const { return QSize(560, HOUR_STRIP + RULER + MAX_DVR_CHANNEL * 8 + 2); }

QSize CTimeLine::minimumSizeHint() const
{
    return QSize(LABEL_WIDTH + HOURS_OF_DAY * MIN_HOUR_WIDTH, HOUR_STRIP + RULER + MAX_DVR_CHANNEL * MIN_ROW + 2);
}

QColor CTimeLine::ReasonColor(unsigned int reason)
{
    switch (reason & 3) {
    case 1: return QColor(60, 170, 75);    // reason 1
    case 2: return QColor(235, 150, 30);   // reason 2
    case 3: return QColor(210, 50, 50);    // reason 3
    default: return QColor(235, 235, 235); // nothing recorded (on a light panel)
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

int CTimeLine::rowTop(int channel) const
{
    // The rows share the height below the ruler; they differ by a pixel at most.
    const int rows = std::max(3 * m_channels, height() - HOUR_STRIP - RULER - 1);
    return HOUR_STRIP + RULER + rows * channel / m_channels;
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
    const int y = rowTop(channel);
    return QRect(x0, y, std::max(1, x1 - x0 - 1), rowTop(channel + 1) - y - 1);
}

void CTimeLine::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const Shades shade = ShadesFor(palette());
    const QColor text = palette().windowText().color();
    p.fillRect(rect(), palette().window());
    p.setFont(PixelFont(font(), 10));

    for (int h = 0; h < HOURS_OF_DAY; ++h) {
        const QRect r = hourRect(h);
        p.fillRect(r, h == m_hour ? shade.chosenHour : hasHour(h) ? shade.recordedHour : shade.freeHour);
        p.setPen(h == m_hour ? QColor(Qt::white) : text);
        p.drawText(r, Qt::AlignCenter, QString::number(h));
    }
    p.setPen(text);
    p.drawText(QRect(0, 0, LABEL_WIDTH - 4, HOUR_STRIP - 2), Qt::AlignVCenter | Qt::AlignRight, tr("Hour"));

    // Ruler: a tick every five minutes, a time every ten.
    p.setFont(PixelFont(font(), 9));
    for (int m = 0; m <= MINS_OF_HOUR; m += 5) {
        const int x = std::min(width() - 1, LABEL_WIDTH + (width() - LABEL_WIDTH) * m / MINS_OF_HOUR);
        p.drawLine(x, HOUR_STRIP + RULER - (m % 10 ? 3 : 5), x, HOUR_STRIP + RULER - 1);
        if (m % 10 == 0 && m < MINS_OF_HOUR)
            p.drawText(QRect(x + 2, HOUR_STRIP, 40, RULER - 1), Qt::AlignLeft | Qt::AlignVCenter,
                       QStringLiteral("%1:%2").arg(m_hour, 2, 10, QLatin1Char('0')).arg(m, 2, 10, QLatin1Char('0')));
    }
    // Thin rows keep their channel number only, in a font that fits the row.
    const int rowPixels = rowTop(1) - rowTop(0);
    p.setFont(PixelFont(font(), std::clamp(rowPixels + 1, 7, 11)));
    for (int c = 0; c < m_channels; ++c) {
        const QRect row = minuteRect(c, 0);
        const QString label = rowPixels >= 11 ? QStringLiteral("CH%1").arg(c + 1) : QString::number(c + 1);
        p.drawText(QRect(0, row.top() - 2, LABEL_WIDTH - 4, row.height() + 4), Qt::AlignVCenter | Qt::AlignRight, label);
        for (int m = 0; m < MINS_OF_HOUR; ++m) {
            const unsigned int reason = m_hasData ? m_data.data[c][m_hour][m] : 0;
            p.fillRect(minuteRect(c, m), reason & 3 ? ReasonColor(reason) : shade.freeMinute);
        }
    }
    if (m_chosen >= 0) {
        const int minute = static_cast<int>((m_chosen / 60) % 60);
        const QRect r = minuteRect(0, minute);
        p.setPen(QPen(shade.chosenTime, 2));
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
