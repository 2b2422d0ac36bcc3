#include "StopTimings.h"

#include <atomic>

namespace {

std::atomic<int> g_answerMs{StopTimings().answerMs};
std::atomic<int> g_lateMs{StopTimings().lateMs};
std::atomic<int> g_sendMs{StopTimings().sendMs};
std::atomic<int> g_onTimeMs{StopTimings().onTimeMs};
std::atomic<int> g_confirmMs{StopTimings().confirmMs};

}  // namespace

StopTimings StopTimings::current()
{
    StopTimings t;
    t.answerMs = g_answerMs.load();
    t.lateMs = g_lateMs.load();
    t.sendMs = g_sendMs.load();
    t.onTimeMs = g_onTimeMs.load();
    t.confirmMs = g_confirmMs.load();
    return t;
}

void StopTimings::set(const StopTimings& timings)
{
    g_answerMs = timings.answerMs;
    g_lateMs = timings.lateMs;
    g_sendMs = timings.sendMs;
    g_onTimeMs = timings.onTimeMs;
    g_confirmMs = timings.confirmMs;
}
