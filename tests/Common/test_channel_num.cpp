#include <climits>

#include <gtest/gtest.h>

#include "Common/ChannelNum.h"

// The channel check boxes are read and written end to end by the DVR dialog's tests.
TEST(ChannelMask, BitTestsAndCountsNeverShiftOutOfRange)
{
    const struct { unsigned long long mask; int ch; bool enabled; int index; } cases[] = {
        {0x2, 1, true, 0}, {0x2, 65, true, 0}, {1ull << 63, INT_MAX, true, -1}, {~0ull, -1, false, 15},
        {~0ull, INT_MIN, false, 15}, {0x8001, 15, true, 1}, {0x0005, 1, false, 1}, {0x0007, -3, false, 2},
        {0x0007, 100, false, 2}, {0, 3, false, -1}, {0xFFFF0000ull, 16, true, -1},  // not channels
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CChannelNum::isEnabled(c.mask, c.ch), c.enabled) << c.mask << " " << c.ch;
        EXPECT_EQ(CChannelNum::getIndexCount(c.mask, c.ch), c.index) << c.mask << " " << c.ch;
    }
    EXPECT_EQ(CChnum::getCheckedChNum(0x1FFFF), 16);  // bit 16 is no channel
}
