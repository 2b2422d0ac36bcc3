#include <gtest/gtest.h>

#include <thread>
#include <utility>
#include <vector>

#include "Display/CheckSpeed.h"

namespace {

using Counts = std::vector<std::pair<uint64_t, uint64_t>>;  // bytes, frames

// A meter on a clock the test sets.
struct Meter {
    time_t now = 1000;
    CCheckSpeed speed{[this] { return now; }};

    Meter& add(unsigned long bytes, time_t at)
    {
        now = at;
        speed.addData(bytes);
        return *this;
    }
    // The completed seconds, then the one being counted.
    Counts seen() const
    {
        Counts out;
        for (const CCheckSpeed::Data& d : speed.records())
            out.emplace_back(d.bytes, d.frames);
        out.emplace_back(speed.current().bytes, speed.current().frames);
        return out;
    }
};

}  // namespace

TEST(CheckSpeed, ArmsThenKeepsABoundedMinuteThatSurvivesTheClockGoingBack)
{
    Meter m;
    // The first frame arms the meter two seconds ahead; what comes before is not counted.
    m.add(500, 100).add(500, 101).add(700, 102).add(25, 105);
    EXPECT_EQ(m.seen(), (Counts{{700, 1}, {0, 0}, {0, 0}, {25, 1}}));
    // A step back of a second is ignored; a real jump back closes the second being counted.
    m.add(99, 104).add(30, 50).add(30, 51);
    EXPECT_EQ(m.seen(), (Counts{{700, 1}, {0, 0}, {0, 0}, {25, 1}, {30, 1}, {30, 1}}));

    for (time_t s = 52; s <= 113; ++s)
        m.add(static_cast<unsigned long>(s * 10), s);
    Counts seen = m.seen();
    ASSERT_EQ(seen.size(), 61u);
    EXPECT_EQ(seen.front(), std::make_pair(uint64_t{530}, uint64_t{1}));
    // After a long gap only empty seconds remain, however long the gap.
    Counts empty(60, {0, 0});
    empty.emplace_back(9, 1);
    EXPECT_EQ(m.add(9, 200).seen(), empty);
    EXPECT_EQ(m.add(9, time_t{4000000000}).seen(), empty);
}

TEST(CheckSpeed, CountsFromSeveralThreads)
{
    Meter m;
    m.add(1, 1000 - CCheckSpeed::kArmSeconds).now = 1000;
    std::vector<std::thread> threads;
    for (int t = 0; t < 5; ++t)
        threads.emplace_back([&m, t] {
            for (int i = 0; i < 5000; ++i)
                t == 0 ? (void)m.speed.records() : m.speed.addData(2, 1000);
        });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(m.seen(), (Counts{{40000, 20000}}));
}
