#include "SearchDataParser.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <iterator>

#include <QDate>
#include <QtEndian>

#include "Common/QdxRecord.h"
#include "cal_data.pb.h"

// The parser runs to the end without handing control to the event loop: a reply is small
// and bounded by the limits of the class, and an event handled in between (a new search,
// a clear) would change the containers that are being filled.

namespace {

const unsigned int SECONDS_PER_MINUTE = 60;
const unsigned int SECONDS_PER_HOUR = 3600;
const unsigned int SECONDS_PER_DAY = 86400;
const qint64 UNIX_EPOCH_JULIAN_DAY = 2440588;
const int OLD_RECORD_SIZE = 32;
const int QDX_RECORD_SIZE = static_cast<int>(sizeof(QdxMinuteRecord));

int32_t readBigEndian32(const char* p)
{
    return static_cast<int32_t>(qFromBigEndian<quint32>(p));
}

// Old-protocol kind codes: 0 and 3 are the first reason, 1 the second, 2 the third.
int oldKind(unsigned char code)
{
    switch (code) {
    case 0:
    case 3:
        return 1;
    case 1:
        return 2;
    case 2:
        return 3;
    default:
        return -1;
    }
}

}  // namespace

CSearchDataParser::CSearchDataParser(bool oldProtocol)
    : m_dvr_time(0), m_cal_version(0), m_dateCount(0), m_oldProtocol(oldProtocol)
{
}

CSearchDataParser::~CSearchDataParser() = default;

void CSearchDataParser::clear()
{
    m_dvr_time = 0;
    m_cal_version = 0;
    m_hourSet.clear();
    m_minData.clear();
    m_dateCount = 0;
    m_timeLine.clear();
}

void CSearchDataParser::setNetData(const char* data, int size)
{
    clear();
    if (!data || size < 0)
        return;
    if (m_oldProtocol)
        parseOldRecords(data, size);
    else
        parseCalData(data, size);
}

CMinData* CSearchDataParser::gridAt(unsigned int time, int* minute, int maxDates)
{
    // The DVR's wall clock is UTC: plain arithmetic gives the same fields as a QDateTime.
    const QDate d = QDate::fromJulianDay(UNIX_EPOCH_JULIAN_DAY + time / SECONDS_PER_DAY);
    const CDateHour key(CDate(d.year(), d.month(), d.day()),
                        static_cast<int>(time % SECONDS_PER_DAY / SECONDS_PER_HOUR));
    *minute = static_cast<int>(time % SECONDS_PER_HOUR / SECONDS_PER_MINUTE);

    // Keys are ordered by date first: the grids of one date lie next to each other.
    MinDataMap::iterator it = m_minData.lower_bound(key);
    if (it != m_minData.end() && it->first == key)
        return &it->second;
    const bool knownDate = (it != m_minData.end() && it->first.date == key.date)
                           || (it != m_minData.begin() && std::prev(it)->first.date == key.date);
    if (!knownDate) {
        if (m_dateCount >= maxDates)
            return nullptr;
        ++m_dateCount;
    }
    return &m_minData.emplace_hint(it, key, CMinData())->second;
}

void CSearchDataParser::hoursFromGrids()
{
    for (const auto& entry : m_minData)
        m_hourSet.insert(entry.first);
}

void CSearchDataParser::parseCalData(const char* data, int size)
{
    cgi::CalData cal;
    if (!cal.ParseFromArray(data, size))
        return;

    m_dvr_time = static_cast<int>(cal.dvr_time());
    m_cal_version = cal.version();

    uint64_t work = 0;
    for (const cgi::CalItem& item : cal.items()) {
        if (work > MAX_NET_WORK)
            break;
        if (item.end_time() < item.start_time())
            continue;
        // 64-bit, so rounding the last seconds of 2106 up cannot wrap to 0.
        const uint64_t start = item.start_time() / SECONDS_PER_MINUTE * SECONDS_PER_MINUTE;
        uint64_t end = (uint64_t(item.end_time()) + SECONDS_PER_MINUTE - 1) / SECONDS_PER_MINUTE
                       * SECONDS_PER_MINUTE;
        end = std::min<uint64_t>(end, start + MAX_SPAN_SECONDS);

        const int channels = std::min(MAX_DVR_CHANNEL, item.record_reason_size());
        const uint32_t mask = item.record_chmask() & ((1u << channels) - 1u);
        const int marked = __builtin_popcount(mask);

        // One hour at a time: a grid is looked up once for up to 60 minutes.
        uint64_t t = start;
        while (t < end && work <= MAX_NET_WORK) {
            const uint64_t hourEnd = std::min<uint64_t>(t - t % SECONDS_PER_HOUR + SECONDS_PER_HOUR, end);
            const int minutes = static_cast<int>((hourEnd - t) / SECONDS_PER_MINUTE);
            work += 1u + static_cast<uint64_t>(marked) * minutes;
            int firstMinute = 0;
            CMinData* grid = gridAt(static_cast<unsigned int>(t), &firstMinute, MAX_NET_DATES);
            if (grid) {
                for (int c = 0; c < channels; ++c) {
                    if (mask & (1u << c))
                        grid->SetData(c, firstMinute, firstMinute + minutes,
                                      static_cast<unsigned char>(item.record_reason(c) & 0xFF));
                }
            }
            t = hourEnd;
        }
    }

    if (m_cal_version == 0) {
        hoursFromGrids();
    } else {
        for (const cgi::CalHourItem& h : cal.hours()) {
            m_hourSet.insert(CDateHour(CDate(static_cast<int>(h.year()), static_cast<int>(h.mon()),
                                             static_cast<int>(h.mday())),
                                       static_cast<int>(h.hour())));
        }
    }
}

void CSearchDataParser::parseOldRecords(const char* data, int size)
{
    const int count = size / OLD_RECORD_SIZE;
    for (int i = 0; i < count; ++i) {
        const char* rec = data + i * OLD_RECORD_SIZE;
        const int32_t start = readBigEndian32(rec);
        if (i == 0) {
            m_dvr_time = start;
            continue;
        }
        const int32_t end = readBigEndian32(rec + 4);
        const uint32_t mask = static_cast<uint32_t>(readBigEndian32(rec + 12));

        const bool valid = start > 0 && end > 0 && end >= start && end - start < 60;
        if (!valid) {
            if (start == -1 && end == -1 && mask == 255)
                break;
            continue;
        }

        int minute = 0;
        const unsigned int minuteStart = static_cast<unsigned int>(start) / SECONDS_PER_MINUTE * SECONDS_PER_MINUTE;
        CMinData* grid = gridAt(minuteStart, &minute, MAX_NET_DATES);
        if (!grid)
            continue;
        for (int c = 0; c < MAX_DVR_CHANNEL; ++c) {
            if (!(mask & (1u << c)))
                continue;
            const int kind = oldKind(static_cast<unsigned char>(rec[16 + c]));
            if (kind > 0)
                grid->SetData(c, minute, static_cast<unsigned char>(kind));
        }
    }
    hoursFromGrids();
}

void CSearchDataParser::setLocalData(const char* data, int size)
{
    if (!data || size < QDX_RECORD_SIZE)
        return;
    const int count = size / QDX_RECORD_SIZE;
    for (int i = 0; i < count; ++i) {
        QdxMinuteRecord rec;
        std::memcpy(&rec, data + i * QDX_RECORD_SIZE, sizeof(rec));
        const uint32_t start = qFromLittleEndian(rec.start_time);
        const uint32_t mask = qFromLittleEndian(rec.record_chmask);
        if (m_dvr_time == 0)
            m_dvr_time = static_cast<int>(start);

        int minute = 0;
        CMinData* grid = gridAt(start, &minute, MAX_LOCAL_DATES);
        if (!grid)
            continue;
        for (int c = 0; c < MAX_DVR_CHANNEL; ++c) {
            if (mask & (1u << c))
                grid->SetData(c, minute, rec.record_reason[c] & 0x03);
        }
    }
    hoursFromGrids();
}

const int& CSearchDataParser::getDvrTime() const
{
    if (m_dvr_time == 0)
        m_dvr_time = static_cast<int>(std::time(nullptr));
    return m_dvr_time;
}

const CSearchDataParser::TimeLineMap& CSearchDataParser::getData()
{
    for (const auto& entry : m_minData) {
        _TIMELINE_DATA& line = m_timeLine[entry.first.date];
        const int hour = entry.first.hour;
        for (int c = 0; c < MAX_DVR_CHANNEL; ++c) {
            const unsigned char* cells = entry.second.GetData(c);
            for (int m = 0; m < MINS_OF_HOUR; ++m)
                line.data[c][hour][m] = cells[m];
        }
    }
    return m_timeLine;
}
