// A DVR that ends its streams: reopened at once while they live, a failure once they keep
// ending as soon as they begin.

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "StreamProbe.h"

using namespace nettest;

namespace {

simdvr::Misbehaviour ClosingAfter(int packets)
{
    simdvr::Misbehaviour m;
    m.closeAfterPackets = packets;
    return m;
}

size_t StreamCount(const simdvr::CSimDvr& sim) { return sim.streams().size(); }

}  // namespace

TEST(StreamClosing, StreamsEndedInTheirFirstSecondFailAtTheLastOfARow)
{
    StreamRig s(SmallDvr(), ClosingAfter(5));  // information, status and a few frames
    s.open(0x1, Param(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().failures == 1; }, 15000));
    EXPECT_EQ(StreamCount(s.sim), size_t(CHttpConnect::QUICK_ENDS_TO_FAIL));
    EXPECT_EQ(s.probe.state().statuses.back(), QStringLiteral("Connection failed"));
}

TEST(StreamClosing, AFailedStreamOfADvrThatKeepsClosingIsNotDialledAgainByItself)
{
    StreamRig s(SmallDvr(), ClosingAfter(5));
    s.open(0x1, Param(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().failures == 1; }, 15000));
    const size_t streams = StreamCount(s.sim);
    QTest::qWait(1000);
    EXPECT_EQ(StreamCount(s.sim), streams);
    EXPECT_FALSE(s.conn.isRunning());
}

TEST(StreamClosing, ANewStartCountsQuickEndsAfresh)
{
    StreamRig s(SmallDvr(), ClosingAfter(5));
    s.open(0x1, Param(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().failures == 1; }, 15000));
    s.open(0x1, Param(0));  // as the owner's reconnect does
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().failures == 2; }, 15000));
    EXPECT_EQ(StreamCount(s.sim), size_t(2 * CHttpConnect::QUICK_ENDS_TO_FAIL));
}

TEST(StreamClosing, StreamsThatLivedAreReopenedAtOnceHoweverOftenTheyEnd)
{
    simdvr::Config cfg = SmallDvr();
    cfg.fps = 30;
    cfg.audioMask = 0;  // 30 packets a second
    StreamRig s(cfg, ClosingAfter(45));
    QElapsedTimer clock;
    clock.start();
    s.open(0x1, Param(0));
    const size_t ends = size_t(CHttpConnect::QUICK_ENDS_TO_FAIL) + 1;
    ASSERT_TRUE(s.sim.waitForStreams(int(ends) + 1, 30000));
    // Each stream lived past the quick-end limit.
    ASSERT_GE(clock.elapsed(), qint64(ends) * CHttpConnect::QUICK_END_MS);
    EXPECT_EQ(s.probe.state().failures, 0);
    EXPECT_TRUE(s.conn.isRunning());
}
