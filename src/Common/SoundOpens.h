#pragma once

// Which audio output may open its device now. Opening waits inside Qt's audio backend for the
// sound server; while the server does not answer, every open started waits with it, and one
// that waits past the server's request time-out never returns (its thread and its stream on
// the server stay for as long as the program runs). So at most one open is in flight at a
// time, for every output of the program: the others wait their turn without a thread of
// their own in the backend. An open in flight longer than the backend's time-out is judged
// lost and no longer holds the others back.
//
// Thread-safe; the clock is injected so that the judgement can be tested without waiting.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <set>

class CSoundOpens {
public:
    using Clock = std::function<int64_t()>;  // monotonic milliseconds

    // Longer than the sound server's request time-out (30 s), after which an open that has
    // not returned never will.
    static constexpr int kLostMs = 35000;

    explicit CSoundOpens(Clock clock = {}, int lostMs = kLostMs);

    // The program's gate, on the monotonic clock.
    static CSoundOpens& program();

    // A turn: what end() is given back.
    using Turn = uint64_t;

    // Waits until this open may start. No turn (0) once cancelled() is true; it is asked at
    // least every pollMs.
    Turn begin(const std::function<bool()>& cancelled, int pollMs = 50);
    // A turn without waiting; 0 when another open holds it.
    Turn tryBegin();
    // The open of that turn has returned.
    void end(Turn turn);

    // Opens in flight, lost ones included.
    int inFlight();
    // Opens judged lost that have not returned.
    int lost();

private:
    // Judges the open in flight by the clock. (lock held)
    void judgeLocked();
    Turn beginLocked();

    const Clock m_clock;
    const int m_lostMs;
    std::mutex m_lock;  // guards everything below
    std::condition_variable m_changed;
    Turn m_last = 0;
    Turn m_holder = 0;    // the open in flight not judged lost; 0: none
    int64_t m_since = 0;  // when it began
    std::set<Turn> m_lost;  // judged lost, not returned
};
