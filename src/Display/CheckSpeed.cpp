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
        // One record per second passed, the first holding the second that was counted;
        // after more than a minute without frames only empty seconds remain.
        const time_t passed = t - m_time;
        if (passed > kMaxRecords) {
            m_list.assign(kMaxRecords, Data());
        } else {
            m_list.push_back({m_bytes, m_frames});
            m_list.insert(m_list.end(), static_cast<size_t>(passed - 1), Data());
        }
        m_bytes = m_frames = 0;
        m_time = t;
    }
    while (m_list.size() > static_cast<size_t>(kMaxRecords))
        m_list.pop_front();
    m_bytes += bytes;
    m_frames += 1;
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
    QReadLocker lock(&m_lock);
    return std::vector<Data>(m_list.begin(), m_list.end());
}

CCheckSpeed::Data CCheckSpeed::current() const
{
    QReadLocker lock(&m_lock);
    return {m_bytes, m_frames};
}
