// A DVR that gives every stream the same client id and carries out stops seconds late: a
// stop still on its way when the next stream opens ends that stream. A switch (the DVR
// ending the stream, a new stream kind) may cost a bounded number of such streams, then the
// stream runs steadily, or the connection fails; it never keeps dialling streams that the
// DVR ends again.

#include <gtest/gtest.h>

#include "StreamProbe.h"

using namespace nettest;

namespace {

constexpr int FPS = 10;
// How long the stream that follows a switch must run on for it to count as steady: longer
// than any stop of the switch may take to strike.
constexpr int STEADY_MS = 15000;
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
    return "StopsCarriedOut" + std::to_string(info.param / 1000) + "sLate";
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

INSTANTIATE_TEST_SUITE_P(Delays, LateStopSwitch, ::testing::Values(3000, 6000, 10000), DelayName);

// Stops carried out later than a new stream waits for them: the stream a stale stop ends is
// not followed by another that the next stop would end.
TEST(LateStopsBeyondTheWait, AStreamEndedByAStopCarriedOutAfterItOpenedFailsTheConnection)
{
    const int delay = CHttpConnect::STOP_ANSWER_WAIT_MS + 3000;
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
