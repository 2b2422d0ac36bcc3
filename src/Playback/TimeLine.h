#pragma once

// The minute time line of one day: a strip of the 24 hours (hours with recordings marked)
// and, for the chosen hour, one row per channel with a bar per minute coloured by the
// recording reason. A click on the hour strip chooses the hour; a click on a minute
// chooses that time and emits selectedTime.

#include <ctime>

#include <QWidget>

#include "Common/TimeLineData.h"

class CTimeLine : public QWidget {
    Q_OBJECT

public:
    // Pixels. The panels are 190 px high: 16 channel rows must fit below the strip and the
    // ruler in about 160 px, so a row may be as thin as MIN_ROW.
    static constexpr int HOUR_STRIP = 17;
    static constexpr int LABEL_WIDTH = 30;
    static constexpr int RULER = 12;
    static constexpr int MIN_ROW = 6;
    static constexpr int MIN_HOUR_WIDTH = 14;

    explicit CTimeLine(QWidget* parent = nullptr);

    // The day shown and its data (null: nothing recorded); the rows shown are the
    // channels below `channels`.
    void setDay(const CDate& date, const _TIMELINE_DATA* data, int channels);
    void clear();
    void setHour(int hour);
    int hour() const { return m_hour; }
    // The time of the last chosen minute, -1 when none.
    time_t chosenTime() const { return m_chosen; }
    // Channels as rows, channel mask of the rows with any recording in the hour.
    uint32_t hourChannels() const;

    // The rectangle of a minute cell of a channel row; for tests and painting.
    QRect minuteRect(int channel, int minute) const;
    QRect hourRect(int hour) const;

    static QColor ReasonColor(unsigned int reason);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void selectedTime(time_t time);
    void hourChanged(int hour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool hasHour(int hour) const;
    int rowTop(int channel) const;

    CDate m_date;
    _TIMELINE_DATA m_data;
    bool m_hasData = false;
    int m_channels = 16;
    int m_hour = 0;
    time_t m_chosen = -1;
};
