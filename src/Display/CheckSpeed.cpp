#include "CheckSpeed.h"

#include <algorithm>

CCheckSpeed gCheckSpeed;

CCheckSpeed::CCheckSpeed(Clock clock)
    : m_clock(clock ? std::move(clock) : Clock([] { return time(nullptr); }))
{
}

void CCheckSpeed::addData(unsigned long bytes, long now)
{
    const time_t t = now != 0 ? static_cast<time_t>(now) : m_clock();
    QWriteLocker lock(&m_lock);
    if (m_time == 0) {
        m_time = t + kArmSeconds;
        return;
    }
    if (t < m_time) {
        if (m_time - t <= kArmSeconds)
            return;  // still arming, or the clock stepped back a little
        // The clock jumped back: close the second being counted and go on from now.
        m_list.push_back({m_bytes, m_frames});
        m_bytes = m_frames = 0;
        m_time = t;
    } else if (t > m_time) {
        advance(m_list, {m_bytes, m_frames}, m_time, t);
        m_bytes = m_frames = 0;
    }
    while (m_list.size() > static_cast<size_t>(kMaxRecords))
        m_list.pop_front();
    m_bytes += bytes;
    m_frames += 1;
}

void CCheckSpeed::advance(std::deque<Data>& list, const Data& counted, time_t& time, time_t now)
{
    // One record per second passed, the first holding the second that was counted; after
    // more than a minute without frames only empty seconds remain.
    const time_t passed = now - time;
    if (passed > kMaxRecords) {
        list.assign(kMaxRecords, Data());
    } else {
        list.push_back(counted);
        list.insert(list.end(), static_cast<size_t>(passed - 1), Data());
        while (list.size() > static_cast<size_t>(kMaxRecords))
            list.pop_front();
    }
    time = now;
}

void CCheckSpeed::reset()
{
    QWriteLocker lock(&m_lock);
    m_list.clear();
    m_bytes = m_frames = 0;
    m_time = 0;
}

std::vector<CCheckSpeed::Data> CCheckSpeed::records() const
{
    const time_t now = m_clock();
    QReadLocker lock(&m_lock);
    // Armed and past the second being counted: the seconds since are read as empty, without
    // changing what the next frame finds.
    if (m_time == 0 || now <= m_time)
        return std::vector<Data>(m_list.begin(), m_list.end());
    std::deque<Data> list = m_list;
    time_t time = m_time;
    advance(list, {m_bytes, m_frames}, time, now);
    return std::vector<Data>(list.begin(), list.end());
}

CCheckSpeed::Data CCheckSpeed::current() const
{
    const time_t now = m_clock();
    QReadLocker lock(&m_lock);
    if (m_time != 0 && now > m_time)
        return Data();
    return {m_bytes, m_frames};
}
