#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "dvr_types/dvr_types.h"

TEST(KTimeVal, DivisionPast2038AndDegenerateDivisors)
{
    const KTimeVal t(1234, 5678);
    const std::tuple<KTimeVal, double, KTimeVal> cases[] = {
        {{10, 500000}, 2, {5, 250000}}, {{10, 500000}, 0.25, {42, 0}}, {{-3, 0}, 2, {-1, -500000}},
        {{1, 999}, 1, {1, 0}},  // sub-millisecond microseconds are dropped first
        {{3000000000LL, 0}, 1, {3000000000LL, 0}}, {{3000000000LL, 0}, 2, {1500000000, 0}},  // 2065
        {t, 0.0, t}, {t, std::numeric_limits<double>::quiet_NaN(), t}, {t, std::numeric_limits<double>::infinity(), t},
        {t, 1e-300, t},
    };
    for (const auto& [value, divisor, quotient] : cases)
        EXPECT_EQ(value / divisor, quotient) << value.sec << " / " << divisor;

    const KTimeVal now = KTimeVal::GetSystemTv();
    EXPECT_TRUE(now.sec > 1700000000 && now.usec >= 0 && now.usec < 1000000);
}

// The delay is how far the stream has run ahead of the clock since the last update.
TEST(PtsDelayPacing, LeadFromTheFirstUpdateForwardAndReverse)
{
    PtsDelay p;
    EXPECT_EQ(p.GetDelay({100, 0}, {5000, 0}), KTimeVal());  // nothing until the first update
    p.Update({100, 0}, {5000, 0});
    EXPECT_EQ(p.delay, KTimeVal());
    EXPECT_EQ(p.last_pts, KTimeVal(100, 0));
    EXPECT_EQ(p.last_time, KTimeVal(5000, 0));
    const PtsDelay start = p;

    EXPECT_EQ(p.GetDelay({101, 0}, {5000, 500000}), KTimeVal(0, 500000));
    p.Update({101, 0}, {5000, 500000});
    EXPECT_EQ(p.GetDelay({101, 500000}, {5001, 0}), KTimeVal(0, 500000));
    EXPECT_EQ(p.delay, KTimeVal(0, 500000));  // GetDelay changes nothing

    // stream time, clock, delay
    const std::tuple<KTimeVal, KTimeVal, KTimeVal> cases[] = {
        {{101, 250000}, {5000, 0}, {1, 250000}}, {{98, 750000}, {5000, 0}, {1, 250000}},  // reverse counts alike
        {{98, 0}, {5000, 0}, {2, 0}}, {{100, 200000}, {5000, 500000}, {-1, 700000}},  // fell behind by 0.3 s
    };
    for (const auto& [pts, clock, delay] : cases)
        EXPECT_EQ(start.GetDelay(pts, clock), delay) << pts.sec;
    // Wild microseconds from a header stay normalised.
    const KTimeVal d = start.GetDelay({100, 2000000000}, {5000, -2000000000});
    EXPECT_TRUE(d.usec >= 0 && d.usec < 1000000);
}
