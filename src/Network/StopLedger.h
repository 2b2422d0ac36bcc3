#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "StopTimings.h"

// What the program knows of the stream stops it sent, per DVR (by its queue key), and what
// each DVR has shown of them; and the one judgement built on it: whether a stream about to
// dial waits for the DVR's stops, and whether a stream its DVR ended was ended by one.
//
// Some DVRs give a new stream the client id of an old one whose stop they have not carried
// out yet; the stop then ends the new stream. Only evidence makes a DVR one whose late stops
// hurt: a stream that had learned its id, ended by its DVR while a stop of that id was
// unanswered, and that stop's answer coming as the stream ended (a DVR answers a stop when it
// carries it out). Evidence undoes it as well: a stop answered on time, a stream that outlived
// a stop of its id, a wait that ended without an answer (waiting cannot help a DVR whose
// answers never come). A DVR seen to hand out fresh ids is never judged so.
//
// No sockets: the command queue reports its stops, the streams ask. Thread-safe; the clock is
// injected, so the judgement can be tested step by step.
class CStopLedger {
public:
    using Clock = std::function<int64_t()>;  // monotonic milliseconds
    using Timings = std::function<StopTimings()>;

    enum class Ids { Unknown, Fresh, Reused };
    enum class EndCause {
        Dvr,       // the DVR ended the stream for a reason of its own
        LateStop,  // a stop of ours probably did: one of that id was unanswered
    };
    enum class Need { Sent, Answered };

    // The stream's wait before it dials.
    struct DialAdvice {
        Need need = Need::Sent;        // Answered: the DVR's late stops hurt, wait for their answers
        std::vector<uint64_t> stops;   // what to wait for
        int timeoutMs = 0;
    };

    explicit CStopLedger(Clock clock = {}, Timings timings = &StopTimings::current);
    CStopLedger(const CStopLedger&) = delete;
    CStopLedger& operator=(const CStopLedger&) = delete;

    // The program's ledger, on the monotonic clock and the timings in force.
    static CStopLedger& shared();

    // ---- The command queue's side. `stop` is the serial stopPosted gave.
    uint64_t stopPosted(const std::string& dvr, int stream);
    void stopSent(const std::string& dvr, uint64_t stop);
    void stopAnswered(const std::string& dvr, uint64_t stop);
    // Its request ended without an answer (a network error, its time-out, the program's end).
    void stopUnanswered(const std::string& dvr, uint64_t stop);

    // ---- The stream's side. `run` is the serial dialled gave.
    // What a stream must wait for before it dials. A stream reopened because its DVR ended the
    // last one waits only for the stops to leave: it restarts at once whatever was judged.
    DialAdvice beforeDial(const std::string& dvr, bool reopen);
    // The wait that beforeDial asked for is over; answered false: it ran out unanswered.
    void waitEnded(const std::string& dvr, const DialAdvice& advice, bool answered);
    uint64_t dialled(const std::string& dvr);
    void learnedId(const std::string& dvr, uint64_t run, int id);
    // The DVR ended the run; forgets it.
    EndCause ended(const std::string& dvr, uint64_t run);
    // The run was ended by the program; forgets it.
    void left(const std::string& dvr, uint64_t run);

    // ---- Waits. True once every stop of `stops` has reached `need` (Answered also counts a
    // stop whose request ended unanswered as over; `answeredAll` tells them apart).
    bool reached(const std::string& dvr, const std::vector<uint64_t>& stops, Need need) const;
    bool answeredAll(const std::string& dvr, const std::vector<uint64_t>& stops) const;
    // The stops not yet at `need`, for a wait by someone else (at the program's end, a test).
    std::vector<uint64_t> outstanding(const std::string& dvr, Need need) const;
    // Blocks until reached(), timeoutMs or *cancel (checked at every change and wake()).
    // Not for the application's thread, whose waits run its event loop instead.
    bool wait(const std::string& dvr, const std::vector<uint64_t>& stops, Need need, int timeoutMs,
              const std::atomic<bool>* cancel);
    // Wakes the blocking waits to look at their cancel flags.
    void wake();
    // Called after every change, outside the lock (the application thread's waits).
    void setOnChange(std::function<void()> onChange);

    // ---- What has been judged.
    bool lateStopsHurt(const std::string& dvr) const;
    Ids ids(const std::string& dvr) const;
    bool hasUnanswered(const std::string& dvr) const;
    // For tests: forgets every DVR's evidence and its stops that are over.
    void forget();

private:
    struct Stop {
        uint64_t serial = 0;
        int id = -1;
        int64_t postedMs = 0;
        int64_t sentMs = -1;
        int64_t answeredMs = -1;
        bool over = false;          // answered, or its request ended unanswered
        bool struck = false;        // seen to have ended a stream: it ends no other
        int64_t suspectMs = -1;     // the close of a stream it may have ended
    };
    struct Run {
        int64_t dialMs = 0;
        int id = -1;
        std::vector<uint64_t> threats;  // its DVR's stops not answered at its dial
        std::vector<int> recentIds;     // the ids of its DVR's stops known at its dial
    };
    struct Dvr {
        std::vector<Stop> stops;
        std::map<uint64_t, Run> runs;
        Ids ids = Ids::Unknown;
        bool hurt = false;
    };

    int64_t now() const;
    Stop* find(Dvr& d, uint64_t stop);
    const Stop* find(const Dvr& d, uint64_t stop) const;
    // Under m_lock: drops what can no longer matter, and takes the evidence that time gave.
    void sweep(Dvr& d, int64_t nowMs, const StopTimings& t);
    // The stop ended a stream: the DVR's late stops hurt.
    void confirm(Dvr& d, Stop& s);
    bool reachedLocked(const std::string& dvr, const std::vector<uint64_t>& stops, Need need) const;
    void changed();

    Clock m_clock;
    Timings m_timings;
    mutable std::mutex m_lock;  // guards everything below
    std::condition_variable m_changed;
    std::map<std::string, Dvr> m_dvrs;
    uint64_t m_lastSerial = 0;
    std::function<void()> m_onChange;
};
