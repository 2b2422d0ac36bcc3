#pragma once

// The late-stop rules at a quarter of their real time, for the tests of a test; what the
// client learned of the DVRs' late stops is forgotten before and after, since a later test's
// DVR may listen on the same port.

#include "Network/SendCommand.h"
#include "Network/StopLedger.h"
#include "Network/StopTimings.h"

// Whether the program's stop ledger judges the DVR's late stops to hurt.
inline bool LateStopsHurt(const DVR& dvr)
{
    return CSendCommand::stopLedger().lateStopsHurt(CSendCommand::DvrKey(dvr));
}

struct ShortStopTimings {
    static constexpr int ANSWER_MS = StopTimings().answerMs / 4;
    static constexpr int LATE_MS = StopTimings().lateMs / 4;
    static constexpr int ON_TIME_MS = StopTimings().onTimeMs / 4;

    ShortStopTimings()
    {
        StopTimings t;
        t.answerMs = ANSWER_MS;
        t.lateMs = LATE_MS;
        t.onTimeMs = ON_TIME_MS;
        StopTimings::set(t);
        CSendCommand::stopLedger().forget();
    }
    ~ShortStopTimings()
    {
        StopTimings::set(StopTimings());
        CSendCommand::stopLedger().forget();
    }
    ShortStopTimings(const ShortStopTimings&) = delete;
    ShortStopTimings& operator=(const ShortStopTimings&) = delete;
};
