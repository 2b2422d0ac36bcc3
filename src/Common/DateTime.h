#pragma once

// Dates and times of DVR data. A DVR counts seconds since 1970 on its own wall clock, with
// no time zone, so every time here is held as UTC: the fields read back are the DVR's
// wall-clock fields whatever the PC's own zone is.

#include <ctime>

#include <QDateTime>

class CDate {
public:
    CDate();
    CDate(int year, int month, int day);

    void setDate(int year, int month, int day);

    bool operator==(const CDate& other) const;
    bool operator!=(const CDate& other) const { return !(*this == other); }
    // Year, then month, then day; makes a date usable as a map key.
    bool operator<(const CDate& other) const;

    int year;
    int month;
    int day;
};

class CDateTime {
public:
    // Shown on video, e-map views and connection status texts (two blanks on purpose).
    static constexpr char DISPLAY_TIME_FORMAT[] = "yyyy-MM-dd  hh:mm:ss";
    // The time part of capture and recording file names.
    static constexpr char FILE_TIME_FORMAT[] = "yyyyMMdd_hhmmss";

    CDateTime();
    explicit CDateTime(const int& dvrTime);
    CDateTime(int year, int month, int day, int hour, int minute, int second);

    void setDateTime(const int& dvrTime);
    void setDateTime(int year, int month, int day, int hour, int minute, int second);

    // The DVR time as an unsigned 32-bit count of seconds, so -1 is the last second of 2106-02-07.
    static QDateTime convert_Timet_QDateTime(time_t dvrTime);

    bool operator==(const CDateTime& other) const;
    bool operator!=(const CDateTime& other) const { return !(*this == other); }

    int getHour() const;
    int getMinute() const;
    int getSecond() const;
    CDate getDate() const { return m_date; }

private:
    CDate m_date;
    QDateTime m_dateTime;
};
