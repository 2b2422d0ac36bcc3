#pragma once

// Turns a DVR's search reply (either protocol generation) or the minute records of PC
// recordings into the recording calendar: the hours that hold recordings, a minute grid
// per hour and, on demand, a whole-day time line per date.

#include <map>
#include <set>

#include "Common/TimeLineData.h"

class CSearchDataParser {
public:
    typedef std::set<CDateHour, CDateHourCompareLess> HourSet;
    typedef std::map<CDateHour, CMinData, CDateHourCompareLess> MinDataMap;
    typedef std::map<CDate, _TIMELINE_DATA> TimeLineMap;

    // A DVR searches at most a month: a longer span is cut to this many seconds from its
    // start, so one bogus item costs at most a month of minutes.
    static constexpr unsigned int MAX_SPAN_SECONDS = 31u * 24u * 3600u;
    // Every date with recordings costs a whole-day time line (about 90 KB): a DVR reply
    // fills at most a year of dates, the index files of the PC at most ten years. Records
    // of further dates are dropped.
    static constexpr int MAX_NET_DATES = 366;
    static constexpr int MAX_LOCAL_DATES = 3660;
    // Work allowed for one reply, counted per hour visited plus per cell written: four
    // times what a year of recordings on every channel needs. A reply asking for more is
    // read up to there, so no reply keeps the program busy for more than a moment.
    static constexpr unsigned long long MAX_NET_WORK =
        4ull * MAX_NET_DATES * HOURS_OF_DAY * (1 + MAX_DVR_CHANNEL * MINS_OF_HOUR);

    explicit CSearchDataParser(bool oldProtocol);
    ~CSearchDataParser();

    void clear();
    // Replaces the model by a DVR's search reply.
    void setNetData(const char* data, int size);
    // Adds the minute records of one ".qdx" file (without its header).
    void setLocalData(const char* data, int size);

    // The DVR's time from the last reply; the current time when the reply had none (then
    // kept, so the answer stays the same).
    const int& getDvrTime() const;
    // Fills the per-date time lines from the hour grids.
    const TimeLineMap& getData();

    const HourSet& getHourSet() const { return m_hourSet; }
    const MinDataMap& getMinData() const { return m_minData; }

private:
    void parseCalData(const char* data, int size);
    void parseOldRecords(const char* data, int size);
    // The grid of the hour that holds the time; null when it would make more than
    // maxDates dates.
    CMinData* gridAt(unsigned int time, int* minute, int maxDates);
    void hoursFromGrids();

    mutable int m_dvr_time;
    unsigned int m_cal_version;
    HourSet m_hourSet;
    MinDataMap m_minData;
    int m_dateCount;  // distinct dates in m_minData
    bool m_oldProtocol;
    TimeLineMap m_timeLine;
};
