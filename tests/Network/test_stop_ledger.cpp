// The stop ledger's judgement, on a clock the test moves, with no sockets: first its rules one
// by one, then a table of DVR kinds (fresh or reused ids; stops carried out at once, late or
// never; answered or not) driven through switches, mode changes, closes by the DVR before and
// after the id is learned, network cuts and refusals, as the streams and the command queue
// drive it.

#include <algorithm>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Network/StopLedger.h"

namespace {

using Need = CStopLedger::Need;
using Cause = CStopLedger::EndCause;

const std::string KEY = "127.0.0.1:8000";

StopTimings RealTimings() { return StopTimings(); }

// A ledger on a clock of the test's.
struct Ledger {
    int64_t now = 0;
    CStopLedger ledger{[this] { return now; }, &RealTimings};

    // A stop posted and sent now; its serial.
    uint64_t stop(int id)
    {
        const uint64_t serial = ledger.stopPosted(KEY, id);
        ledger.stopSent(KEY, serial);
        return serial;
    }
    // A stream dialled now that learns `id` with its first frame.
    uint64_t stream(int id)
    {
        const uint64_t run = ledger.dialled(KEY);
        ledger.learnedId(KEY, run, id);
        return run;
    }
    // A switch back: the stop of id `id`, then a stream that gets that id again.
    struct Switch {
        uint64_t stop, run;
    };
    Switch switchBack(int id)
    {
        const uint64_t s = stop(id);
        return {s, stream(id)};
    }
    // The DVR ends the run `ms` from now.
    Cause endAfter(uint64_t run, int ms)
    {
        now += ms;
        return ledger.ended(KEY, run);
    }
    Need advice() { return ledger.beforeDial(KEY, false).need; }
    bool hurts() const { return ledger.lateStopsHurt(KEY); }
    // Stop 1 answered 6 s late, as it ended the stream that got its id: the DVR is judged.
    void taught()
    {
        const Switch sw = switchBack(1);
        now += 6000;
        ledger.stopAnswered(KEY, sw.stop);
        ledger.ended(KEY, sw.run);
    }
};

}  // namespace

TEST(StopLedgerRules, AStreamEndedAsTheStopOfItsIdIsAnsweredMakesTheStopsHurt)
{
    Ledger l;
    l.taught();
    EXPECT_TRUE(l.hurts());
}

TEST(StopLedgerRules, AnEndJudgedBeforeTheAnswerComesIsConfirmedByIt)
{
    Ledger l;
    const Ledger::Switch sw = l.switchBack(1);
    EXPECT_EQ(l.endAfter(sw.run, 6000), Cause::LateStop);
    EXPECT_FALSE(l.hurts());
    l.now += 50;
    l.ledger.stopAnswered(KEY, sw.stop);
    EXPECT_TRUE(l.hurts());
}

// A DVR that never answers its stops: the end is its own doing as far as anyone can tell, and
// waiting could not help it anyway.
TEST(StopLedgerRules, AnEndWhoseStopIsNeverAnsweredLeavesTheStopsHarmless)
{
    Ledger l;
    const Ledger::Switch sw = l.switchBack(1);
    l.endAfter(sw.run, 2000);
    l.now += StopTimings().lateMs;
    l.ledger.stopUnanswered(KEY, sw.stop);
    EXPECT_FALSE(l.hurts());
    EXPECT_EQ(l.advice(), Need::Sent);
}

TEST(StopLedgerRules, AnAnswerLongAfterTheEndDoesNotConfirmIt)
{
    Ledger l;
    const Ledger::Switch sw = l.switchBack(1);
    l.endAfter(sw.run, 1000);
    l.now += StopTimings().confirmMs + 1;
    l.ledger.stopAnswered(KEY, sw.stop);
    EXPECT_FALSE(l.hurts());
}

TEST(StopLedgerRules, AStreamWithoutAnIdIsNeverTakenForALateStop)
{
    Ledger l;
    const uint64_t s = l.stop(1);
    const uint64_t run = l.ledger.dialled(KEY);
    l.now += 100;
    EXPECT_EQ(l.ledger.ended(KEY, run), Cause::Dvr);
    l.ledger.stopAnswered(KEY, s);
    EXPECT_FALSE(l.hurts());
}

TEST(StopLedgerRules, AStreamOfAnotherIdIsNotTakenForALateStop)
{
    Ledger l;
    l.stop(1);
    const uint64_t run = l.stream(2);
    l.now += 100;
    EXPECT_EQ(l.ledger.ended(KEY, run), Cause::Dvr);
}

TEST(StopLedgerRules, ADvrSeenToGiveFreshIdsIsNeverJudged)
{
    Ledger l;
    l.stop(1);
    l.stream(2);  // fresh
    const uint64_t s = l.stop(1);  // an audio stream's id, say, matching by chance
    const uint64_t run = l.stream(1);
    EXPECT_EQ(l.ledger.ids(KEY), CStopLedger::Ids::Reused);
    l.ledger.left(KEY, run);
    l.stop(1);
    l.stream(3);
    EXPECT_EQ(l.ledger.ids(KEY), CStopLedger::Ids::Fresh);
    const uint64_t last = l.stream(3);
    l.now += 100;
    EXPECT_EQ(l.ledger.ended(KEY, last), Cause::Dvr);
    (void)s;
}

TEST(StopLedgerRules, AStreamThatOutlivedTheLateWindowWasNotEndedByAStopOfItsId)
{
    Ledger l;
    EXPECT_EQ(l.endAfter(l.switchBack(1).run, StopTimings().lateMs), Cause::Dvr);
}

TEST(StopLedgerRules, AStopAnsweredOnTimeEndsTheWaits)
{
    Ledger l;
    l.taught();
    const uint64_t s = l.stop(1);
    l.now += StopTimings().onTimeMs;
    l.ledger.stopAnswered(KEY, s);
    EXPECT_FALSE(l.hurts());
}

TEST(StopLedgerRules, AWaitThatRanOutUnansweredEndsTheWaits)
{
    Ledger l;
    l.taught();
    l.stop(1);
    const CStopLedger::DialAdvice advice = l.ledger.beforeDial(KEY, false);
    ASSERT_EQ(advice.need, Need::Answered);
    l.now += advice.timeoutMs;
    l.ledger.waitEnded(KEY, advice, false);
    EXPECT_FALSE(l.hurts());
}

TEST(StopLedgerRules, AStreamThatOutlivesAnUnansweredStopOfItsIdEndsTheWaits)
{
    Ledger l;
    l.taught();
    l.stop(1);
    const uint64_t run = l.stream(1);  // dialled without waiting (a wait given up, say)
    l.now += StopTimings().lateMs;
    l.ledger.left(KEY, run);
    EXPECT_FALSE(l.hurts());
}

TEST(StopLedgerRules, AStreamOfAJudgedDvrWaitsForTheAnswersOfItsUnansweredStops)
{
    Ledger l;
    l.taught();
    const uint64_t s = l.stop(1);
    const CStopLedger::DialAdvice advice = l.ledger.beforeDial(KEY, false);
    EXPECT_EQ(advice.need, Need::Answered);
    EXPECT_EQ(advice.stops, std::vector<uint64_t>{s});
    EXPECT_EQ(advice.timeoutMs, StopTimings().answerMs);
}

TEST(StopLedgerRules, AReopenAfterItsDvrEndedAStreamWaitsOnlyForTheStopsToLeave)
{
    Ledger l;
    l.taught();
    const uint64_t s = l.ledger.stopPosted(KEY, 1);
    const CStopLedger::DialAdvice advice = l.ledger.beforeDial(KEY, true);
    EXPECT_EQ(advice.need, Need::Sent);
    EXPECT_EQ(advice.stops, std::vector<uint64_t>{s});
    EXPECT_EQ(advice.timeoutMs, StopTimings().sendMs);
}

TEST(StopLedgerRules, AStopSeenToHaveEndedAStreamEndsNoOther)
{
    Ledger l;
    const Ledger::Switch sw = l.switchBack(1);
    l.endAfter(sw.run, 500);
    l.ledger.stopAnswered(KEY, sw.stop);
    const uint64_t next = l.stream(1);
    EXPECT_EQ(l.endAfter(next, 500), Cause::Dvr);
}

// The DVR's own end of a stream while the stop was on its way: the stop still strikes later.
TEST(StopLedgerRules, AStopOnlySuspectedOfEndingAStreamMayStillEndTheNext)
{
    Ledger l;
    const Ledger::Switch sw = l.switchBack(1);
    l.endAfter(sw.run, 500);
    const uint64_t next = l.stream(1);
    EXPECT_EQ(l.endAfter(next, 5000), Cause::LateStop);
}

TEST(StopLedgerRules, WaitsCountAStopWhoseRequestEndedUnansweredAsOverButNotAnswered)
{
    Ledger l;
    const uint64_t s = l.stop(1);
    l.ledger.stopUnanswered(KEY, s);
    EXPECT_TRUE(l.ledger.reached(KEY, {s}, Need::Answered));
    EXPECT_FALSE(l.ledger.answeredAll(KEY, {s}));
}

TEST(StopLedgerRules, AStopOverForLongerThanTheLateWindowIsForgotten)
{
    Ledger l;
    const uint64_t s = l.stop(1);
    l.ledger.stopAnswered(KEY, s);
    l.now += StopTimings().lateMs;
    l.stop(2);
    EXPECT_EQ(l.ledger.outstanding(KEY, Need::Answered).size(), 1u);
    const uint64_t run = l.stream(2);
    EXPECT_EQ(l.ledger.ids(KEY), CStopLedger::Ids::Reused);
    (void)run;
}

// ---- The table: every DVR kind through every event ------------------------------------

namespace {

constexpr int NEVER = -1;
constexpr int EVERY_STOP = -1;
constexpr int FRAME_MS = 100;   // from a stream's dial to its first frame
constexpr int LIVE_MS = 60000;  // how long the operator watches between events

struct DvrKind {
    const char* name;
    bool reusesIds;
    int carryOutMs;     // how late the DVR carries a stop out (NEVER: it holds them)
    bool answers;       // it answers a stop as it carries it out
    // What the program should make of it: every switch back dials within this (ms), and at
    // most this many streams are ended by stops in the script (EVERY_STOP: each stop may end one).
    int waitMs;
    int kills;
};

void PrintTo(const DvrKind& k, std::ostream* out) { *out << k.name; }

// A DVR as the ledger sees it through the command queue and one connection's streams, on the
// test's clock: stops are carried out (ending the newest stream of their id) and answered when
// the kind says, the queue reports an unanswered stop after StopTimings::answerMs, and a stream
// its DVR ended is reopened at once.
class World {
public:
    explicit World(const DvrKind& kind) : m_kind(kind) {}

    int64_t now = 0;

    // The operator switches away and back (or changes mode): the stream's stop goes, the new
    // stream dials as advised. The time from the switch to the new stream's dial.
    int64_t switchBack()
    {
        const int64_t start = now;
        if (m_run) {
            stopStream();
        }
        const CStopLedger::DialAdvice advice = ledger.beforeDial(KEY, false);
        if (advice.need == Need::Answered) {
            const int64_t until = now + advice.timeoutMs;
            while (now < until && !ledger.reached(KEY, advice.stops, Need::Answered))
                step(until);
            ledger.waitEnded(KEY, advice, ledger.answeredAll(KEY, advice.stops));
        }
        const int64_t waited = now - start;
        dial();
        return waited;
    }
    // The DVR ends the stream for a reason of its own (a restart of its streaming task, a
    // cut); its client reopens at once when it had data.
    void dvrCloses()
    {
        if (!m_run)
            return;
        ledger.ended(KEY, m_run);
        m_run = 0;
        reopen();
    }
    // A switch back whose stream the DVR refuses ("client limit") before its first frame; the
    // connection fails, and the next event dials anew.
    void refusedSwitchBack()
    {
        m_refuseNext = true;
        switchBack();
    }
    void watch(int64_t ms) { runUntil(now + ms); }

    int kills = 0;
    int stops = 0;
    int reopenWaits = 0;  // reopens after a close by the DVR that were told to wait for answers
    // Streams a stop ended that the ledger took to be ended by the DVR for reasons of its own:
    // a playback or backup among them would be over, not resumed.
    int killsTakenForTheDvrs = 0;
    CStopLedger ledger{[this] { return now; }, &RealTimings};

private:
    struct DvrStop {
        uint64_t serial;
        int id;
        int64_t carryAt;   // -1: never
        int64_t timeoutAt;
        bool carried = false;
        bool timedOut = false;
    };

    void stopStream()
    {
        ++stops;
        const uint64_t serial = ledger.stopPosted(KEY, m_id);
        ledger.stopSent(KEY, serial);
        ledger.left(KEY, m_run);
        m_run = 0;
        m_stops.push_back({serial, m_id, m_kind.carryOutMs == NEVER ? -1 : now + m_kind.carryOutMs,
                           now + StopTimings().answerMs});
        runUntil(now);  // a stop carried out at once is, before anything dials
    }
    void dial()
    {
        m_run = ledger.dialled(KEY);
        if (m_refuseNext) {
            m_refuseNext = false;
            ledger.ended(KEY, m_run);
            m_run = 0;
            return;
        }
        m_dialAt = now;
        m_id = m_kind.reusesIds ? 1 : ++m_lastId;
        m_idPending = true;
        runUntil(now + FRAME_MS);
    }
    void reopen()
    {
        if (ledger.beforeDial(KEY, true).need != Need::Sent)
            ++reopenWaits;
        dial();
    }
    // The next event no later than `until`, or the clock moved there.
    void step(int64_t until)
    {
        int64_t next = until;
        for (const DvrStop& s : m_stops) {
            if (!s.carried && s.carryAt >= 0)
                next = std::min(next, s.carryAt);
            if (!s.timedOut && !(s.carried && m_kind.answers))
                next = std::min(next, s.timeoutAt);
        }
        if (m_run && m_idPending)
            next = std::min(next, m_dialAt + FRAME_MS);
        now = std::max(now, next);
        if (m_run && m_idPending && now >= m_dialAt + FRAME_MS) {
            m_idPending = false;
            ledger.learnedId(KEY, m_run, m_id);
        }
        for (DvrStop& s : m_stops) {
            if (!s.carried && s.carryAt >= 0 && s.carryAt <= now) {
                s.carried = true;
                const bool strikes = m_run && !m_idPending && m_id == s.id;
                if (strikes) {
                    ++kills;
                    if (ledger.ended(KEY, m_run) != Cause::LateStop)
                        ++killsTakenForTheDvrs;
                    m_run = 0;
                }
                if (m_kind.answers)
                    ledger.stopAnswered(KEY, s.serial);
                if (strikes)
                    reopen();
            }
            if (!s.timedOut && !(s.carried && m_kind.answers) && s.timeoutAt <= now) {
                s.timedOut = true;
                ledger.stopUnanswered(KEY, s.serial);
            }
        }
    }
    void runUntil(int64_t until)
    {
        do
            step(until);
        while (now < until);
        step(until);
    }

    DvrKind m_kind;
    std::vector<DvrStop> m_stops;
    uint64_t m_run = 0;
    int m_id = -1;
    int m_lastId = 0;
    int64_t m_dialAt = 0;
    bool m_idPending = false;
    bool m_refuseNext = false;
};

class StopLedgerTable : public ::testing::TestWithParam<DvrKind> {
protected:
    World w{GetParam()};

    // Each event of the script, then a switch back; the waits of the switches back.
    std::vector<int64_t> script()
    {
        std::vector<int64_t> waits;
        w.switchBack();  // the first stream
        w.watch(LIVE_MS);
        const auto back = [&] {
            waits.push_back(w.switchBack());
            w.watch(LIVE_MS);
        };
        back();  // a plain switch back
        back();
        w.watch(2000);
        w.dvrCloses();  // after the id, soon after a switch
        back();
        w.switchBack();  // a mode change (Search, Playback, Backup): another stream kind, same rules
        w.watch(1000);
        w.dvrCloses();
        back();
        w.refusedSwitchBack();  // "client limit" right after a switch
        back();
        w.watch(3000);
        w.dvrCloses();  // a network cut while a stop may be pending
        back();
        return waits;
    }
};

}  // namespace

TEST_P(StopLedgerTable, EverySwitchBackWaitsAtMostWhatItsStopsCanCost)
{
    const std::vector<int64_t> waits = script();
    for (size_t i = 0; i < waits.size(); ++i)
        EXPECT_LE(waits[i], GetParam().waitMs) << "switch back " << i + 1;
}

TEST_P(StopLedgerTable, StopsEndAtMostTheStreamsTheirLatenessCosts)
{
    script();
    EXPECT_LE(w.kills, GetParam().kills == EVERY_STOP ? w.stops : GetParam().kills);
}

TEST_P(StopLedgerTable, EveryStreamAStopEndedIsTakenToBeEndedByAStop)
{
    script();
    EXPECT_EQ(w.killsTakenForTheDvrs, 0);
}

TEST_P(StopLedgerTable, AStreamItsDvrEndedIsReopenedWithoutWaitingForAnswers)
{
    script();
    EXPECT_EQ(w.reopenWaits, 0);
}

// Fresh ids, or stops carried out before the next stream could get the id: nothing to wait for
// after any event. Reused ids with late stops: the wait is the lateness, once it has cost one
// stream. Stops later than the wait: no wait, each switch costs one stream, reopened at once.
INSTANTIATE_TEST_SUITE_P(
    DvrKinds, StopLedgerTable,
    ::testing::Values(DvrKind{"FreshIdsStopsAnswered", false, 0, true, 0, 0},
                      DvrKind{"FreshIdsStopsNeverAnswered", false, 0, false, 0, 0},
                      DvrKind{"FreshIdsStopsNeverCarriedOut", false, NEVER, false, 0, 0},
                      DvrKind{"ReusedIdsStopsAtOnceAnswered", true, 0, true, 0, 0},
                      DvrKind{"ReusedIdsStopsAtOnceNeverAnswered", true, 0, false, 0, 0},
                      DvrKind{"ReusedIdsStops3sLate", true, 3000, true, 3000, 1},
                      DvrKind{"ReusedIdsStops6sLate", true, 6000, true, 6000, 1},
                      DvrKind{"ReusedIdsStops10sLate", true, 10000, true, 10000, 1},
                      DvrKind{"ReusedIdsStops18sLate", true, 18000, true, 0, EVERY_STOP},
                      DvrKind{"ReusedIdsStops40sLate", true, 40000, true, 0, EVERY_STOP},
                      DvrKind{"ReusedIdsStopsNeverCarriedOut", true, NEVER, false, 0, 0}),
    [](const ::testing::TestParamInfo<DvrKind>& info) { return std::string(info.param.name); });
