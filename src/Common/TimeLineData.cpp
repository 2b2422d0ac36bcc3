#include "TimeLineData.h"

#include <cstring>

#include <QtGlobal>

bool CDateHourCompareLess::operator()(const CDateHour& a, const CDateHour& b) const
{
    if (a.date != b.date)
        return a.date < b.date;
    return a.hour < b.hour;
}

CMinData::CMinData()
{
    std::memset(m_data, 0, sizeof(m_data));
}

void CMinData::SetData(int ch, int min, unsigned char kind)
{
    Q_ASSERT_X(0 <= ch && ch < MAX_DVR_CHANNEL, "Common/TimeLineData", "0 <= ch && ch < MAX_DVR_CHANNEL");
    Q_ASSERT_X(0 <= min && min < MINS_OF_HOUR, "Common/TimeLineData", "0 <= min && min < MINS_OF_HOUR");
    if (ch < 0 || ch >= MAX_DVR_CHANNEL || min < 0 || min >= MINS_OF_HOUR)
        return;
    m_data[ch][min] = kind;
}

void CMinData::SetData(int ch, int firstMin, int endMin, unsigned char kind)
{
    Q_ASSERT_X(0 <= ch && ch < MAX_DVR_CHANNEL, "Common/TimeLineData", "0 <= ch && ch < MAX_DVR_CHANNEL");
    Q_ASSERT_X(0 <= firstMin && firstMin <= endMin && endMin <= MINS_OF_HOUR, "Common/TimeLineData",
               "0 <= firstMin && firstMin <= endMin && endMin <= MINS_OF_HOUR");
    if (ch < 0 || ch >= MAX_DVR_CHANNEL || firstMin < 0 || firstMin > endMin || endMin > MINS_OF_HOUR)
        return;
    std::memset(m_data[ch] + firstMin, kind, static_cast<size_t>(endMin - firstMin));
}

const unsigned char* CMinData::GetData(int ch) const
{
    Q_ASSERT_X(0 <= ch && ch < MAX_DVR_CHANNEL, "Common/TimeLineData", "0 <= ch && ch < MAX_DVR_CHANNEL");
    if (ch < 0 || ch >= MAX_DVR_CHANNEL)
        return nullptr;
    return m_data[ch];
}

bool CMinData::operator==(const CMinData& other) const
{
    return std::memcmp(m_data, other.m_data, sizeof(m_data)) == 0;
}

_TIMELINE_DATA::_TIMELINE_DATA()
{
    std::memset(data, 0, sizeof(data));
}
