// A DVR that gives every stream the same client id and carries out stops seconds late: a
// stop still on its way when the next stream opens ends that stream. A switch (the DVR
// ending the stream, a new stream kind) may cost a bounded number of such streams, then the
// stream runs steadily, or the connection fails; it never keeps dialling streams that the
// DVR ends again. A DVR whose stops cannot hurt (fresh ids, or none unanswered) is never
// waited for. The stop waits run at a quarter of their real length.

#include <algorithm>

#include <gtest/gtest.h>

#include "StreamProbe.h"
#include "support/ShortStopTimings.h"

using namespace nettest;

namespace {

constexpr int FPS = 10;
// How long the stream that follows a switch must run on for it to count as steady: longer
// than any stop of the switch may take to strike.
constexpr int STEADY_MS = ShortStopTimings::ANSWER_MS;
constexpr int64_t STEADY_FRAMES = int64_t(STEADY_MS) * FPS / 1000;
// Streams a switch may lose to stops carried out after they opened.
constexpr int MAX_KILLED = 1;

simdvr::Config LateStoppingDvr()
{
    simdvr::Config c = SmallDvr();
    c.reuseClientId = true;
    c.fps = FPS;
    c.mainSize = c.subSize = QStringLiteral("cif");
    c.audioMask = 0;
    return c;
}

simdvr::Misbehaviour LateStops(int ms)
{
    simdvr::Misbehaviour m;
    m.stopDelayMs = ms;
    return m;
}

// What one switch cost at the DVR: the streams opened from stream `first` on, and those of
// them that the DVR ended itself (a stop carried out after they opened).
struct SwitchCost {
    int opened = 0;
    int killed = 0;
};

SwitchCost CostSince(const simdvr::CSimDvr& sim, int first)
{
    SwitchCost cost;
    for (const simdvr::StreamInfo& st : sim.streams()) {
        if (st.id < first)
            continue;
        ++cost.opened;
        cost.killed += st.closedBySim;
    }
    return cost;
}

// A switch and what followed it, until the stream runs steadily or the connection fails.
class LateStopSwitch : public ::testing::TestWithParam<int> {
protected:
    LateStopSwitch() : s(LateStoppingDvr(), LateStops(GetParam())) {}

    ShortStopTimings timings;

    void SetUp() override
    {
        s.open(0x1, Param(0));
        ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().connectedCount == 1; }, 10000));
    }

    // Marks where the switch begins.
    void startSwitch()
    {
        first = int(s.sim.streams().size()) + 1;
        framesAtSwitch = s.probe.videoCount();
    }
    // A stream opened since the switch has run STEADY_MS and the client has its frames.
    bool steady() const
    {
        const std::vector<simdvr::StreamInfo> streams = s.sim.streams();
        if (streams.empty())
            return false;
        const simdvr::StreamInfo& newest = streams.back();
        return newest.id >= first && newest.open && !newest.stopped && newest.videoFrames >= STEADY_FRAMES
               && s.probe.videoCount() - framesAtSwitch >= STEADY_FRAMES;
    }
    // Until the stream is steady or the connection failed; false when neither came.
    bool settle()
    {
        const bool settled = QTest::qWaitFor([&] { return steady() || s.probe.state().failures > 0; },
                                             GetParam() + STEADY_MS + 30000);
        cost = CostSince(s.sim, first);
        RecordProperty("streams_opened", cost.opened);
        RecordProperty("streams_killed", cost.killed);
        return settled;
    }

    StreamRig s;
    int first = 0;
    int framesAtSwitch = 0;
    SwitchCost cost;
};

std::string DelayName(const ::testing::TestParamInfo<int>& info)
{
    return "StopsCarriedOut" + std::to_string(info.param) + "msLate";
}

}  // namespace

TEST_P(LateStopSwitch, AStreamTheDvrEndedCostsBoundedlyManyStreamsAndThenRunsSteadily)
{
    startSwitch();
    s.sim.closeStreams();
    ASSERT_TRUE(settle());
    EXPECT_LE(cost.killed, MAX_KILLED);
    EXPECT_TRUE(steady());
    EXPECT_EQ(s.probe.state().failures, 0);
}

TEST_P(LateStopSwitch, AStreamOfAnotherKindCostsBoundedlyManyStreamsAndThenRunsSteadily)
{
    startSwitch();
    s.conn.Connect(MakeDvr(s.sim, false, 0x1), Param(0, false, 0, 0, 1));
    ASSERT_TRUE(settle());
    EXPECT_LE(cost.killed, MAX_KILLED);
    EXPECT_TRUE(steady());
    EXPECT_EQ(s.probe.state().failures, 0);
}

// 3, 6 and 10 s at the real waits.
INSTANTIATE_TEST_SUITE_P(Delays, LateStopSwitch, ::testing::Values(750, 1500, 2500), DelayName);

// Stops carried out later than a new stream waits for them: the stream a stale stop ends is
// not followed by another that the next stop would end.
TEST(LateStopsBeyondTheWait, AStreamEndedByAStopCarriedOutAfterItOpenedFailsTheConnection)
{
    ShortStopTimings timings;
    const int delay = ShortStopTimings::ANSWER_MS + 750;
    StreamRig s(LateStoppingDvr(), LateStops(delay));
    s.open(0x1, Param(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().connectedCount == 1; }, 10000));
    s.sim.closeStreams();
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().failures > 0; }, delay + 30000));
    const SwitchCost cost = CostSince(s.sim, 2);
    RecordProperty("streams_opened", cost.opened);
    RecordProperty("streams_killed", cost.killed);
    EXPECT_LE(cost.killed, MAX_KILLED);
    EXPECT_FALSE(s.conn.isRunning());
    EXPECT_EQ(s.probe.state().statuses.back(), QStringLiteral("Connection failed"));
}

namespace {

bool IsStop(const simdvr::Request& r)
{
    return r.transport == simdvr::Transport::Post && r.mode == cgi::MODE_STREAM_STOP;
}

std::vector<simdvr::Request> Stops(const simdvr::CSimDvr& sim)
{
    std::vector<simdvr::Request> stops;
    for (const simdvr::Request& r : sim.requests())
        if (IsStop(r))
            stops.push_back(r);
    return stops;
}

// The DVR takes its stops in and never carries them out nor answers them.
simdvr::Misbehaviour StopsNeverAnswered()
{
    simdvr::Misbehaviour m;
    m.stopDelayMs = -1;
    return m;
}

simdvr::Config FreshIdDvr()
{
    simdvr::Config c = LateStoppingDvr();
    c.reuseClientId = false;
    return c;
}

// A live stream of channel 1 that has its first frame.
void Streaming(StreamRig& s)
{
    s.open(0x1, Param(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().connectedCount == 1; }, 10000));
}

// The DVR ends the stream: true once the next one has its first frame, false once the
// connection failed or neither came.
bool ReopenedAfterItsDvrEndsIt(StreamRig& s)
{
    const int before = s.probe.state().connectedCount;
    s.sim.closeStreams();
    QTest::qWaitFor([&] { return s.probe.state().connectedCount > before || s.probe.state().failures > 0; },
                    ShortStopTimings::ANSWER_MS + 20000);
    return s.probe.state().connectedCount > before && s.probe.state().failures == 0;
}

// Every stop the DVR took in has been given up by the client.
bool StopsGivenUp(const simdvr::CSimDvr& sim)
{
    const std::vector<simdvr::Request> stops = Stops(sim);
    return !stops.empty()
           && std::all_of(stops.begin(), stops.end(), [](const simdvr::Request& r) { return r.hungUpMs >= 0; });
}

}  // namespace

TEST(StopsThatCannotHurt, ASwitchBackToADvrGivingFreshIdsDialsWhileItsStopIsUnanswered)
{
    ShortStopTimings timings;
    StreamRig s(FreshIdDvr(), StopsNeverAnswered());
    ASSERT_NO_FATAL_FAILURE(Streaming(s));
    // Twice: what the first switch showed of the DVR must not hold the second one up.
    for (int round = 1; round <= 2; ++round) {
        s.conn.Disconnect();
        s.conn.Connect(MakeDvr(s.sim, false, 0x1), Param(0));
        ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().connectedCount == round + 1; }, 20000));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return Stops(s.sim).size() == 2; }, 10000));
    const std::vector<simdvr::Request> stops = Stops(s.sim);
    const std::vector<simdvr::StreamInfo> streams = s.sim.streams();
    ASSERT_EQ(streams.size(), 3u);
    simdvr::Request dial;
    ASSERT_TRUE(s.sim.waitForRequest([&](const simdvr::Request& r) { return r.seq == streams.back().requestSeq; },
                                     0, &dial));
    EXPECT_TRUE(stops.back().hungUpMs < 0 || dial.arrivalMs < stops.back().hungUpMs);
}

TEST(StopsThatCannotHurt, AStreamWithAFreshIdRestartsWhenItsDvrEndsItAfterAStopWasGivenUp)
{
    ShortStopTimings timings;
    StreamRig s(FreshIdDvr(), StopsNeverAnswered());
    ASSERT_NO_FATAL_FAILURE(Streaming(s));
    ASSERT_TRUE(ReopenedAfterItsDvrEndsIt(s));
    ASSERT_TRUE(QTest::qWaitFor([&] { return StopsGivenUp(s.sim); }, ShortStopTimings::ANSWER_MS + 20000));
    EXPECT_TRUE(ReopenedAfterItsDvrEndsIt(s));
}

TEST(LateStopsThatMayHurt, AStreamThatLivedLongerThanAStopCanBeLateRestartsWhenItsDvrEndsIt)
{
    ShortStopTimings timings;
    StreamRig s(LateStoppingDvr(), StopsNeverAnswered());
    ASSERT_NO_FATAL_FAILURE(Streaming(s));
    // The next stream gets the id of the stream whose stop stays unanswered.
    ASSERT_TRUE(ReopenedAfterItsDvrEndsIt(s));
    const int second = int(s.sim.streams().size());
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.sim.stream(second).videoFrames >= int64_t(ShortStopTimings::LATE_MS) * FPS / 1000 + FPS; },
                                ShortStopTimings::LATE_MS + 20000));
    EXPECT_TRUE(ReopenedAfterItsDvrEndsIt(s));
}

namespace {

// A stream of a DVR whose stops come later than the client waits for them, ended by its DVR:
// the next stream is ended by that stop, and the connection fails.
struct BeyondTheWait {
    BeyondTheWait() : s(LateStoppingDvr(), LateStops(ShortStopTimings::ANSWER_MS + 750)) {}
    void fail()
    {
        ASSERT_NO_FATAL_FAILURE(Streaming(s));
        s.sim.closeStreams();
        ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().failures > 0; }, ShortStopTimings::ANSWER_MS + 30000));
    }

    ShortStopTimings timings;
    StreamRig s;
};

}  // namespace

TEST(LateStopsBeyondTheWait, AStreamALateStopEndedSendsNoStopOfItsOwn)
{
    BeyondTheWait b;
    ASSERT_NO_FATAL_FAILURE(b.fail());
    // A stop of the ended stream would be on its way by now; it is given a generous while.
    QTest::qWaitFor([&] { return Stops(b.s.sim).size() > 1; }, 2000);
    EXPECT_EQ(Stops(b.s.sim).size(), 1u);
}

TEST(LateStopsBeyondTheWait, ARetryOnceItsStopsWereCarriedOutRunsSteadily)
{
    BeyondTheWait b;
    ASSERT_NO_FATAL_FAILURE(b.fail());
    StreamRig& s = b.s;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const std::vector<simdvr::Request> stops = Stops(s.sim);
        return std::all_of(stops.begin(), stops.end(), [](const simdvr::Request& r) { return r.carriedOutMs >= 0; });
    }, ShortStopTimings::ANSWER_MS + 20000));
    const int first = int(s.sim.streams().size()) + 1;
    const int failures = s.probe.state().failures;
    s.conn.Connect(MakeDvr(s.sim, false, 0x1), Param(0));
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const simdvr::StreamInfo newest = s.sim.streams().back();
        return (newest.id >= first && newest.videoFrames >= STEADY_FRAMES) || s.probe.state().failures > failures;
    }, STEADY_MS + 30000));
    EXPECT_EQ(CostSince(s.sim, first).killed, 0);
    EXPECT_EQ(s.probe.state().failures, failures);
}

TEST(StopsThatCannotHurt, SwitchesBackToADvrReusingIdsThatCarriesOutStopsAtOnceKeepEveryNewStream)
{
    ShortStopTimings timings;
    StreamRig s(LateStoppingDvr());
    ASSERT_NO_FATAL_FAILURE(Streaming(s));
    constexpr int SWITCHES = 5;
    for (int round = 1; round <= SWITCHES; ++round) {
        s.conn.Disconnect();
        s.conn.Connect(MakeDvr(s.sim, false, 0x1), Param(0));
        ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().connectedCount == round + 1 || s.probe.state().failures > 0; },
                                    20000));
    }
    // Every stop has been carried out: none is left to end the last stream.
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const std::vector<simdvr::Request> stops = Stops(s.sim);
        return stops.size() == size_t(SWITCHES) && std::all_of(stops.begin(), stops.end(), [](const auto& r) { return r.carriedOutMs >= 0; });
    }, 10000));
    EXPECT_EQ(CostSince(s.sim, 1).killed, 0);
    EXPECT_EQ(s.probe.state().failures, 0);
    EXPECT_EQ(s.probe.state().connectedCount, SWITCHES + 1);
}
