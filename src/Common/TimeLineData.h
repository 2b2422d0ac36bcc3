#pragma once

// The recording calendar: which minutes of which channels hold recordings, per hour and
// per date, and of what kind (0 none, 1 to 3 the recording reason).

#include "Common/DateTime.h"

const int MAX_DVR_CHANNEL = 16;
const int HOURS_OF_DAY = 24;
const int MINS_OF_HOUR = 60;

class CDateHour {
public:
    CDateHour() : hour(0) {}
    CDateHour(const CDate& d, int h) : date(d), hour(h) {}

    bool operator==(const CDateHour& other) const { return date == other.date && hour == other.hour; }

    CDate date;
    int hour;
};

struct CDateHourCompareLess {
    bool operator()(const CDateHour& a, const CDateHour& b) const;
};

// One hour: a recording kind per channel and minute.
class CMinData {
public:
    CMinData();

    void SetData(int ch, int min, unsigned char kind);
    // Minutes firstMin up to, not including, endMin.
    void SetData(int ch, int firstMin, int endMin, unsigned char kind);
    // The MINS_OF_HOUR cells of a channel.
    const unsigned char* GetData(int ch) const;

    bool operator==(const CMinData& other) const;

private:
    unsigned char m_data[MAX_DVR_CHANNEL][MINS_OF_HOUR];
};

// One date: a recording kind per channel, hour and minute.
struct _TIMELINE_DATA {
    _TIMELINE_DATA();

    unsigned int data[MAX_DVR_CHANNEL][HOURS_OF_DAY][MINS_OF_HOUR];
};
