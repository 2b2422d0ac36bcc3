#include "Common/SoundOpens.h"

#include <chrono>

namespace {

int64_t SteadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

CSoundOpens::CSoundOpens(Clock clock, int lostMs) : m_clock(clock ? std::move(clock) : Clock(&SteadyMs)), m_lostMs(lostMs)
{
}

CSoundOpens& CSoundOpens::program()
{
    // Never destroyed: an output thread left behind at the process's end may still end its open.
    static CSoundOpens* const gate = new CSoundOpens;
    return *gate;
}

void CSoundOpens::judgeLocked()
{
    if (m_holder != 0 && m_clock() - m_since >= m_lostMs) {
        m_lost.insert(m_holder);
        m_holder = 0;
    }
}

CSoundOpens::Turn CSoundOpens::beginLocked()
{
    judgeLocked();
    if (m_holder != 0)
        return 0;
    m_holder = ++m_last;
    m_since = m_clock();
    return m_holder;
}

CSoundOpens::Turn CSoundOpens::begin(const std::function<bool()>& cancelled, int pollMs)
{
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;) {
        if (cancelled && cancelled())
            return 0;
        if (const Turn turn = beginLocked())
            return turn;
        m_changed.wait_for(lock, std::chrono::milliseconds(pollMs));
    }
}

CSoundOpens::Turn CSoundOpens::tryBegin()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return beginLocked();
}

void CSoundOpens::end(Turn turn)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (turn == m_holder)
            m_holder = 0;
        else
            m_lost.erase(turn);
    }
    m_changed.notify_all();
}

int CSoundOpens::inFlight()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return (m_holder != 0 ? 1 : 0) + static_cast<int>(m_lost.size());
}

int CSoundOpens::lost()
{
    std::lock_guard<std::mutex> lock(m_lock);
    judgeLocked();
    return static_cast<int>(m_lost.size());
}
