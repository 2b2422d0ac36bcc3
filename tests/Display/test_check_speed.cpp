#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "Display/CheckSpeed.h"

using Counts = std::vector<std::pair<uint64_t, uint64_t>>;  // bytes, frames

TEST(CheckSpeed, ArmsThenKeepsABoundedMinuteThatSurvivesTheClockGoingBack)
{
    time_t now = 0;
    CCheckSpeed speed([&now] { return now; });
    // The completed seconds, then the one being counted.
    auto add = [&](unsigned long bytes, time_t at) {
        now = at;
        speed.addData(bytes);
        Counts out;
        for (const CCheckSpeed::Data& d : speed.records())
            out.emplace_back(d.bytes, d.frames);
        out.emplace_back(speed.current().bytes, speed.current().frames);
        return out;
    };
    // The first frame arms the meter two seconds ahead; what comes before is not counted.
    add(500, 100), add(500, 101), add(700, 102);
    EXPECT_EQ(add(25, 105), (Counts{{700, 1}, {0, 0}, {0, 0}, {25, 1}}));
    // A step back of a second is ignored; a real jump back closes the second being counted.
    add(99, 104), add(30, 50);
    EXPECT_EQ(add(30, 51), (Counts{{700, 1}, {0, 0}, {0, 0}, {25, 1}, {30, 1}, {30, 1}}));

    Counts seen;
    for (time_t s = 52; s <= 113; ++s)
        seen = add(static_cast<unsigned long>(s * 10), s);
    ASSERT_EQ(seen.size(), 61u);
    EXPECT_EQ(seen.front(), std::make_pair(uint64_t{530}, uint64_t{1}));
    // After a long gap only empty seconds remain, however long the gap.
    Counts empty(60, {0, 0});
    empty.emplace_back(9, 1);
    EXPECT_EQ(add(9, 200), empty);
    EXPECT_EQ(add(9, time_t{4000000000}), empty);
}
