// A DVR that gives every stream the same client id and carries out stops seconds late: a
// stop still on its way when the next stream opens ends that stream. A switch (the DVR
// ending the stream, a new stream kind) may cost a bounded number of such streams, then the
// stream runs steadily, or the connection fails; it never keeps dialling streams that the
// DVR ends again. A DVR whose stops cannot hurt (fresh ids, or none unanswered) is never
// waited for. The stop waits run at a quarter of their real length.

#include <algorithm>

#include <gtest/gtest.h>

#include <QSignalSpy>

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
    s.conn.Disconnect();
    s.conn.Connect(MakeDvr(s.sim, false, 0x1), Param(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().connectedCount == 2; }, 10000));
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

// A switch back to a DVR whose stops come later than the client would wait for them: the new
// stream gets the old one's id and the stop ends it once it has run for a while.
struct BeyondTheWait {
    static constexpr int DELAY_MS = ShortStopTimings::ANSWER_MS + 750;
    BeyondTheWait() : s(LateStoppingDvr(), LateStops(DELAY_MS)) {}
    // Until the stream after the one the stop ended has its first frame, or a failure.
    void killed()
    {
        ASSERT_NO_FATAL_FAILURE(Streaming(s));
        s.conn.Disconnect();
        s.conn.Connect(MakeDvr(s.sim, false, 0x1), Param(0));
        ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().connectedCount == 3 || s.probe.state().failures > 0; },
                                    DELAY_MS + 30000));
        ASSERT_EQ(CostSince(s.sim, 2).killed, 1);
    }

    ShortStopTimings timings;
    StreamRig s;
};

}  // namespace

TEST(LateStopsBeyondTheWait, AStreamEndedByAStopCarriedOutAfterItOpenedIsReopenedAtOnce)
{
    BeyondTheWait b;
    ASSERT_NO_FATAL_FAILURE(b.killed());
    EXPECT_EQ(b.s.probe.state().failures, 0);
    EXPECT_TRUE(b.s.conn.isRunning());
}

TEST(LateStopsBeyondTheWait, AStreamALateStopEndedSendsNoStopOfItsOwn)
{
    BeyondTheWait b;
    ASSERT_NO_FATAL_FAILURE(b.killed());
    // A stop of the ended stream would be on its way by now; it is given a generous while.
    QTest::qWaitFor([&] { return Stops(b.s.sim).size() > 1; }, 2000);
    EXPECT_EQ(Stops(b.s.sim).size(), 1u);
}

TEST(LateStopsBeyondTheWait, TheStreamReopenedAfterTheLateStopRunsSteadily)
{
    BeyondTheWait b;
    ASSERT_NO_FATAL_FAILURE(b.killed());
    StreamRig& s = b.s;
    const int reopened = int(s.sim.streams().size());
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.sim.stream(reopened).videoFrames >= STEADY_FRAMES || s.probe.state().failures > 0; },
                                STEADY_MS + 30000));
    EXPECT_EQ(CostSince(s.sim, reopened).killed, 0);
    EXPECT_EQ(s.probe.state().failures, 0);
}

// Waiting would not help a DVR whose stops came later than any wait: the next switch back dials
// while its stop is unanswered, and the stream that stop ends is reopened at once.
TEST(LateStopsBeyondTheWait, ASwitchBackAfterAStopLaterThanTheWaitDialsWhileItsStopIsUnanswered)
{
    BeyondTheWait b;
    ASSERT_NO_FATAL_FAILURE(b.killed());
    StreamRig& s = b.s;
    s.conn.Disconnect();
    s.conn.Connect(MakeDvr(s.sim, false, 0x1), Param(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().connectedCount == 4; }, 10000));
    const std::vector<simdvr::Request> stops = Stops(s.sim);
    const std::vector<simdvr::StreamInfo> streams = s.sim.streams();
    simdvr::Request dial;
    ASSERT_TRUE(s.sim.waitForRequest([&](const simdvr::Request& r) { return r.seq == streams.back().requestSeq; }, 0, &dial));
    ASSERT_EQ(stops.size(), 2u);
    EXPECT_TRUE(stops.back().hungUpMs < 0 || dial.arrivalMs < stops.back().hungUpMs);
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

namespace {

constexpr int64_t RECORDED_FROM = 1700000000;

// A live stream, then a switch to a playback or backup of the same DVR, whose stop of the live
// stream comes 6 s late (at a quarter): the new stream gets the live stream's id and the stop
// ends it once it has run for a while.
struct LiveStopEndsTheNext {
    static constexpr int DELAY_MS = 1500;
    LiveStopEndsTheNext() : s(LateStoppingDvr(), LateStops(DELAY_MS)) {}
    void switchTo(int mode)
    {
        ASSERT_NO_FATAL_FAILURE(Streaming(s));
        s.conn.Disconnect();
        s.conn.Connect(MakeDvr(s.sim, false, 0x1), Param(mode, false, RECORDED_FROM, mode == 2 ? RECORDED_FROM + 3600 : 0));
        ASSERT_TRUE(QTest::qWaitFor([&] { return CostSince(s.sim, 2).killed == 1 && s.sim.streams().size() >= 3; },
                                    DELAY_MS + 20000));
    }
    // The stream the stop ended, and the one after it.
    simdvr::StreamInfo ended() const { return s.sim.stream(2); }
    simdvr::StreamInfo next() const { return s.sim.stream(3); }

    ShortStopTimings timings;
    StreamRig s;
};

}  // namespace

TEST(LateStopOfTheLiveStream, APlaybackItEndedGoesOnFromWhereItHadReached)
{
    LiveStopEndsTheNext t;
    ASSERT_NO_FATAL_FAILURE(t.switchTo(1));
    EXPECT_EQ(t.next().mode, 1);
    EXPECT_GT(t.next().startTime, uint32_t(RECORDED_FROM));
    EXPECT_LE(int64_t(t.next().startTime), t.ended().lastFrameTime);
}

TEST(LateStopOfTheLiveStream, APlaybackItEndedIsNotReportedEnded)
{
    LiveStopEndsTheNext t;
    QSignalSpy ended(&t.s.conn, &CHttpConnect::playbackEnded);
    ASSERT_NO_FATAL_FAILURE(t.switchTo(1));
    const int frames = t.s.probe.videoCount();
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.s.probe.videoCount() > frames + FPS; }, 10000));
    EXPECT_EQ(ended.count(), 0);
    EXPECT_EQ(t.s.probe.state().failures, 0);
}

TEST(LateStopOfTheLiveStream, ABackupItEndedGoesOnFromTheSecondItHadReached)
{
    LiveStopEndsTheNext t;
    ASSERT_NO_FATAL_FAILURE(t.switchTo(2));
    EXPECT_EQ(t.next().mode, 2);
    EXPECT_EQ(int64_t(t.next().startTime), t.ended().lastFrameTime);
    EXPECT_EQ(t.next().endTime, uint32_t(RECORDED_FROM + 3600));
    EXPECT_TRUE(t.s.probe.state().backupEnds.empty());
}

// The DVR ending a playback of its own accord (its recordings are over) is what the operator
// sees as the playback's end, as before.
TEST(LateStopOfTheLiveStream, APlaybackItsDvrEndsWithoutAStopPendingIsReportedEnded)
{
    ShortStopTimings timings;
    StreamRig s(LateStoppingDvr());
    QSignalSpy ended(&s.conn, &CHttpConnect::playbackEnded);
    s.open(0x1, Param(1, false, RECORDED_FROM));
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().connectedCount == 1; }, 10000));
    s.sim.closeStreams();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended.count() == 1; }, 10000));
    EXPECT_EQ(s.sim.streams().size(), 1u);
}

namespace {

// Stops carried out at once and never answered, as behind a firewall that drops the replies.
simdvr::Misbehaviour AnswersLost()
{
    simdvr::Misbehaviour m;
    m.stopsUnanswered = true;
    return m;
}

// A switch back to the DVR: true when the new stream's request reached the DVR while the
// switch's stop was unanswered, that is without waiting for its answer.
bool SwitchBackDialsWhileItsStopIsUnanswered(StreamRig& s)
{
    const int before = s.probe.state().connectedCount;
    s.conn.Disconnect();
    s.conn.Connect(MakeDvr(s.sim, false, 0x1), Param(0));
    if (!QTest::qWaitFor([&] { return s.probe.state().connectedCount > before; }, 20000))
        return false;
    const std::vector<simdvr::Request> stops = Stops(s.sim);
    simdvr::Request dial;
    const int seq = s.sim.streams().back().requestSeq;
    if (stops.empty() || !s.sim.waitForRequest([&](const simdvr::Request& r) { return r.seq == seq; }, 0, &dial))
        return false;
    return stops.back().hungUpMs < 0 || dial.arrivalMs < stops.back().hungUpMs;
}

}  // namespace

// Its stops are carried out before the next stream gets their id: no close by it is a late stop.
TEST(StopsThatCannotHurt, ACloseByADvrWhoseAnswersAreLostLeavesTheNextSwitchBackDiallingAtOnce)
{
    ShortStopTimings timings;
    StreamRig s(LateStoppingDvr(), AnswersLost());
    ASSERT_NO_FATAL_FAILURE(Streaming(s));
    ASSERT_TRUE(SwitchBackDialsWhileItsStopIsUnanswered(s));
    QTest::qWait(300);
    ASSERT_TRUE(ReopenedAfterItsDvrEndsIt(s));  // soon after the switch, its stop unanswered
    EXPECT_TRUE(SwitchBackDialsWhileItsStopIsUnanswered(s));
}

// A refused stream has no id: it cannot tell a late stop.
TEST(StopsThatCannotHurt, AClientLimitRefusalAfterASwitchLeavesTheNextSwitchBackDiallingAtOnce)
{
    ShortStopTimings timings;
    simdvr::Config cfg = FreshIdDvr();
    cfg.maxClients = 1;
    cfg.keepSlotOnClose = true;
    simdvr::Misbehaviour m = AnswersLost();
    m.stopDelayMs = 500;  // the old stream holds its slot until then
    StreamRig s(cfg, m);
    ASSERT_NO_FATAL_FAILURE(Streaming(s));
    s.conn.Disconnect();
    s.conn.Connect(MakeDvr(s.sim, false, 0x1), Param(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().failures > 0; }, 10000));
    QTest::qWait(1000);
    cfg.maxClients = 0;
    s.sim.setConfig(cfg);
    s.conn.Connect(MakeDvr(s.sim, false, 0x1), Param(0));  // the operator's retry
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().connectedCount == 2; }, 10000));
    EXPECT_TRUE(SwitchBackDialsWhileItsStopIsUnanswered(s));
}
