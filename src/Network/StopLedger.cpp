#include "StopLedger.h"

#include <algorithm>
#include <chrono>

namespace {

int64_t SteadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

CStopLedger::CStopLedger(Clock clock, Timings timings)
    : m_clock(clock ? std::move(clock) : Clock(&SteadyMs)), m_timings(std::move(timings))
{
}

CStopLedger& CStopLedger::shared()
{
    // Never destroyed: a stream thread left to end by itself may still report at the exit.
    static CStopLedger* ledger = new CStopLedger;
    return *ledger;
}

int64_t CStopLedger::now() const { return m_clock(); }

CStopLedger::Stop* CStopLedger::find(Dvr& d, uint64_t stop)
{
    const auto it = std::find_if(d.stops.begin(), d.stops.end(), [stop](const Stop& s) { return s.serial == stop; });
    return it == d.stops.end() ? nullptr : &*it;
}

const CStopLedger::Stop* CStopLedger::find(const Dvr& d, uint64_t stop) const
{
    return const_cast<CStopLedger*>(this)->find(const_cast<Dvr&>(d), stop);
}

void CStopLedger::sweep(Dvr& d, int64_t nowMs, const StopTimings& t)
{
    // A stream that lived through the late window beside an unanswered stop of its id: that
    // stop did not end it, so the DVR's stops do not strike late (or not at all).
    for (auto& [serial, run] : d.runs) {
        if (run.id < 0 || nowMs - run.dialMs < t.lateMs)
            continue;
        for (const uint64_t threat : run.threats) {
            const Stop* s = find(d, threat);
            if (s && s->id == run.id && !s->struck)
                d.hurt = false;
        }
        run.threats.clear();
    }
    // A stop over for longer than the late window can end nothing and tells nothing new; one
    // whose request is never reported over goes after twice that.
    d.stops.erase(std::remove_if(d.stops.begin(), d.stops.end(),
                                 [&](const Stop& s) {
                                     const int64_t last = std::max(s.postedMs, s.answeredMs);
                                     return (s.over && nowMs - last >= t.lateMs) || nowMs - s.postedMs >= 2 * int64_t(t.lateMs);
                                 }),
                  d.stops.end());
}

void CStopLedger::confirm(Dvr& d, Stop& s)
{
    s.struck = true;
    d.hurt = true;
}

void CStopLedger::changed()
{
    std::function<void()> onChange;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        onChange = m_onChange;
    }
    m_changed.notify_all();
    if (onChange)
        onChange();
}

uint64_t CStopLedger::stopPosted(const std::string& dvr, int stream)
{
    uint64_t serial = 0;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        Stop s;
        s.serial = serial = ++m_lastSerial;
        s.id = stream;
        s.postedMs = now();
        Dvr& d = m_dvrs[dvr];
        sweep(d, s.postedMs, m_timings());
        d.stops.push_back(s);
    }
    changed();
    return serial;
}

void CStopLedger::stopSent(const std::string& dvr, uint64_t stop)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        Stop* s = find(m_dvrs[dvr], stop);
        if (!s || s->sentMs >= 0)
            return;
        s->sentMs = now();
    }
    changed();
}

void CStopLedger::stopAnswered(const std::string& dvr, uint64_t stop)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        Dvr& d = m_dvrs[dvr];
        Stop* s = find(d, stop);
        if (!s || s->over)
            return;
        const StopTimings t = m_timings();
        const int64_t nowMs = now();
        s->over = true;
        s->answeredMs = nowMs;
        if (s->sentMs < 0)
            s->sentMs = nowMs;
        if (s->suspectMs >= 0 && nowMs - s->suspectMs <= t.confirmMs)
            confirm(d, *s);
        else if (!s->struck && nowMs - s->sentMs <= t.onTimeMs)
            d.hurt = false;
    }
    changed();
}

void CStopLedger::stopUnanswered(const std::string& dvr, uint64_t stop)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        Stop* s = find(m_dvrs[dvr], stop);
        if (!s || s->over)
            return;
        s->over = true;
    }
    changed();
}

CStopLedger::DialAdvice CStopLedger::beforeDial(const std::string& dvr, bool reopen)
{
    std::lock_guard<std::mutex> lock(m_lock);
    Dvr& d = m_dvrs[dvr];
    const StopTimings t = m_timings();
    sweep(d, now(), t);
    DialAdvice advice;
    // Waiting for answers helps only a DVR whose late stops were seen to hurt: its answers came,
    // within the wait (a stop's request waits no longer).
    if (!reopen && d.hurt && d.ids != Ids::Fresh) {
        for (const Stop& s : d.stops)
            if (!s.over && !s.struck)
                advice.stops.push_back(s.serial);
        if (!advice.stops.empty()) {
            advice.need = Need::Answered;
            advice.timeoutMs = t.answerMs;
            return advice;
        }
    }
    // Elsewhere only until they have left, so that the stream's request does not overtake them.
    for (const Stop& s : d.stops)
        if (!s.over && s.sentMs < 0)
            advice.stops.push_back(s.serial);
    advice.timeoutMs = t.sendMs;
    return advice;
}

void CStopLedger::waitEnded(const std::string& dvr, const DialAdvice& advice, bool answered)
{
    if (advice.need != Need::Answered || answered)
        return;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_dvrs[dvr].hurt = false;
    }
    changed();
}

uint64_t CStopLedger::dialled(const std::string& dvr)
{
    std::lock_guard<std::mutex> lock(m_lock);
    Dvr& d = m_dvrs[dvr];
    Run run;
    run.dialMs = now();
    sweep(d, run.dialMs, m_timings());
    // A stop given up unanswered may still be carried out, up to the late window.
    for (const Stop& s : d.stops) {
        run.recentIds.push_back(s.id);
        if (s.answeredMs < 0 && !s.struck)
            run.threats.push_back(s.serial);
    }
    const uint64_t serial = ++m_lastSerial;
    d.runs[serial] = std::move(run);
    return serial;
}

void CStopLedger::learnedId(const std::string& dvr, uint64_t run, int id)
{
    std::lock_guard<std::mutex> lock(m_lock);
    Dvr& d = m_dvrs[dvr];
    const auto it = d.runs.find(run);
    if (it == d.runs.end())
        return;
    it->second.id = id;
    const std::vector<int>& recent = it->second.recentIds;
    // The ids of streams stopped just before tell whether the DVR gives them out again.
    if (!recent.empty())
        d.ids = std::find(recent.begin(), recent.end(), id) != recent.end() ? Ids::Reused : Ids::Fresh;
}

CStopLedger::EndCause CStopLedger::ended(const std::string& dvr, uint64_t run)
{
    EndCause cause = EndCause::Dvr;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        Dvr& d = m_dvrs[dvr];
        const StopTimings t = m_timings();
        const int64_t nowMs = now();
        sweep(d, nowMs, t);
        const auto it = d.runs.find(run);
        if (it == d.runs.end())
            return cause;
        const Run r = std::move(it->second);
        d.runs.erase(it);
        // A stream without an id cannot be told from another; a fresh-id DVR's stops hurt none.
        if (r.id < 0 || d.ids == Ids::Fresh || nowMs - r.dialMs >= t.lateMs)
            return cause;
        for (const uint64_t threat : r.threats) {
            Stop* s = find(d, threat);
            if (!s || s->struck || s->id != r.id)
                continue;
            if (s->answeredMs >= 0) {
                // Answered as the stream ended: the DVR carried it out then.
                if (s->answeredMs < r.dialMs || nowMs - s->answeredMs > t.confirmMs)
                    continue;
                confirm(d, *s);
            } else if (!s->over) {
                // Its answer, when it comes now, tells whether it was this stop; till then it
                // may still end another stream.
                s->suspectMs = nowMs;
            }
            cause = EndCause::LateStop;
            break;
        }
    }
    changed();
    return cause;
}

void CStopLedger::left(const std::string& dvr, uint64_t run)
{
    std::lock_guard<std::mutex> lock(m_lock);
    Dvr& d = m_dvrs[dvr];
    sweep(d, now(), m_timings());
    d.runs.erase(run);
}

bool CStopLedger::reachedLocked(const std::string& dvr, const std::vector<uint64_t>& stops, Need need) const
{
    const auto it = m_dvrs.find(dvr);
    if (it == m_dvrs.end())
        return true;
    return std::all_of(stops.begin(), stops.end(), [&](uint64_t serial) {
        const Stop* s = find(it->second, serial);
        return !s || s->over || (need == Need::Sent && s->sentMs >= 0);
    });
}

bool CStopLedger::reached(const std::string& dvr, const std::vector<uint64_t>& stops, Need need) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return reachedLocked(dvr, stops, need);
}

bool CStopLedger::answeredAll(const std::string& dvr, const std::vector<uint64_t>& stops) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    const auto it = m_dvrs.find(dvr);
    if (it == m_dvrs.end())
        return true;
    return std::all_of(stops.begin(), stops.end(), [&](uint64_t serial) {
        const Stop* s = find(it->second, serial);
        return !s || s->answeredMs >= 0;
    });
}

std::vector<uint64_t> CStopLedger::outstanding(const std::string& dvr, Need need) const
{
    std::vector<uint64_t> stops;
    std::lock_guard<std::mutex> lock(m_lock);
    const auto it = m_dvrs.find(dvr);
    if (it == m_dvrs.end())
        return stops;
    for (const Stop& s : it->second.stops)
        if (!s.over && (need == Need::Answered || s.sentMs < 0))
            stops.push_back(s.serial);
    return stops;
}

bool CStopLedger::wait(const std::string& dvr, const std::vector<uint64_t>& stops, Need need, int timeoutMs,
                       const std::atomic<bool>* cancel)
{
    std::unique_lock<std::mutex> lock(m_lock);
    m_changed.wait_for(lock, std::chrono::milliseconds(std::max(timeoutMs, 0)),
                       [&] { return reachedLocked(dvr, stops, need) || (cancel && cancel->load()); });
    return reachedLocked(dvr, stops, need);
}

void CStopLedger::wake() { changed(); }

void CStopLedger::setOnChange(std::function<void()> onChange)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_onChange = std::move(onChange);
}

bool CStopLedger::lateStopsHurt(const std::string& dvr) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    const auto it = m_dvrs.find(dvr);
    return it != m_dvrs.end() && it->second.hurt;
}

CStopLedger::Ids CStopLedger::ids(const std::string& dvr) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    const auto it = m_dvrs.find(dvr);
    return it == m_dvrs.end() ? Ids::Unknown : it->second.ids;
}

bool CStopLedger::hasUnanswered(const std::string& dvr) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    const auto it = m_dvrs.find(dvr);
    return it != m_dvrs.end()
           && std::any_of(it->second.stops.begin(), it->second.stops.end(), [](const Stop& s) { return !s.over; });
}

void CStopLedger::forget()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        for (auto& [key, d] : m_dvrs) {
            d.ids = Ids::Unknown;
            d.hurt = false;
            d.stops.erase(std::remove_if(d.stops.begin(), d.stops.end(), [](const Stop& s) { return s.over; }),
                          d.stops.end());
            for (auto& [serial, run] : d.runs) {
                run.threats.clear();
                run.recentIds.clear();
            }
        }
    }
    changed();
}
