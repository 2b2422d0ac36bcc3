#include <gtest/gtest.h>

#include <limits>

#include "dvr_types/dvr_types.h"

TEST(KTimeValDivide, MillisecondResolution)
{
    EXPECT_EQ(KTimeVal(10, 500000) / 2, KTimeVal(5, 250000));
    EXPECT_EQ(KTimeVal(10, 500000) / 0.25, KTimeVal(42, 0));
    // Sub-millisecond microseconds are dropped before the division.
    EXPECT_EQ(KTimeVal(1, 999) / 1, KTimeVal(1, 0));
    EXPECT_EQ(KTimeVal(-3, 0) / 2, KTimeVal(-1, -500000));
}

TEST(KTimeValDivide, DegenerateDivisorsLeaveTheValue)
{
    const KTimeVal t(1234, 5678);
    EXPECT_EQ(t / 0.0, t);
    EXPECT_EQ(t / std::numeric_limits<double>::quiet_NaN(), t);
    EXPECT_EQ(t / std::numeric_limits<double>::infinity(), t);
    EXPECT_EQ(t / 1e-300, t);
}

TEST(KTimeValDivide, TimesPast2038)
{
    const KTimeVal t(int64_t(3000000000LL), 0);  // 2065
    EXPECT_EQ(t / 1, t);
    EXPECT_EQ(t / 2, KTimeVal(1500000000, 0));
}

TEST(KTimeVal, SystemTimeIsNow)
{
    const KTimeVal now = KTimeVal::GetSystemTv();
    EXPECT_GT(now.sec, 1700000000);
    EXPECT_GE(now.usec, 0);
    EXPECT_LT(now.usec, 1000000);
}

TEST(PtsDelayPacing, StartsAtZeroUntilTheFirstUpdate)
{
    PtsDelay p;
    EXPECT_EQ(p.GetDelay({100, 0}, {5000, 0}), KTimeVal());
    p.Update({100, 0}, {5000, 0});
    EXPECT_EQ(p.delay, KTimeVal());
    EXPECT_EQ(p.last_pts, KTimeVal(100, 0));
    EXPECT_EQ(p.last_time, KTimeVal(5000, 0));
}

TEST(PtsDelayPacing, LeadAccumulatesOnlyWhenStreamOutrunsClock)
{
    PtsDelay p;
    p.last_pts = {100, 0};
    p.last_time = {5000, 0};
    EXPECT_EQ(p.GetDelay({101, 0}, {5000, 500000}), KTimeVal(0, 500000));
    p.Update({101, 0}, {5000, 500000});
    EXPECT_EQ(p.GetDelay({101, 500000}, {5001, 0}), KTimeVal(0, 500000));
    // GetDelay changes nothing.
    EXPECT_EQ(p.delay, KTimeVal(0, 500000));
}

TEST(PtsDelayPacing, ReversePlaybackCountsLikeForward)
{
    PtsDelay fwd;
    fwd.last_pts = {100, 0};
    fwd.last_time = {5000, 0};
    PtsDelay rev = fwd;
    EXPECT_EQ(fwd.GetDelay({101, 250000}, {5000, 0}), KTimeVal(1, 250000));
    EXPECT_EQ(rev.GetDelay({98, 750000}, {5000, 0}), KTimeVal(1, 250000));
    EXPECT_EQ(rev.GetDelay({98, 0}, {5000, 0}), KTimeVal(2, 0));
}

TEST(PtsDelayPacing, FallingBehindGivesNegativeNormalisedDelay)
{
    PtsDelay p;
    p.last_pts = {100, 0};
    p.last_time = {5000, 0};
    // Stream advanced 0.2 s while the clock advanced 0.5 s: -0.3 s is {-1, 700000}.
    EXPECT_EQ(p.GetDelay({100, 200000}, {5000, 500000}), KTimeVal(-1, 700000));
}

TEST(PtsDelayPacing, WildMicrosecondsFromAHeaderStayNormalised)
{
    PtsDelay p;
    p.last_pts = {100, 0};
    p.last_time = {5000, 0};
    const KTimeVal d = p.GetDelay({100, 2000000000}, {5000, -2000000000});
    EXPECT_GE(d.usec, 0);
    EXPECT_LT(d.usec, 1000000);
}
