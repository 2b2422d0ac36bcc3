#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <utility>
#include <vector>

#include "Display/CheckSpeed.h"

namespace {

using Count = std::pair<uint64_t, uint64_t>;  // bytes, frames

// A meter on a clock the test sets.
struct Meter {
    time_t now = 1000;
    CCheckSpeed speed{[this] { return now; }};

    void add(unsigned long bytes, time_t at)
    {
        now = at;
        speed.addData(bytes);
    }
    // Arms the meter so that second `first` is the first one counted.
    void armFor(time_t first) { add(1, first - CCheckSpeed::kArmSeconds); }
    Count current() const { return {speed.current().bytes, speed.current().frames}; }
    std::vector<Count> records() const
    {
        std::vector<Count> out;
        for (const CCheckSpeed::Data& d : speed.records())
            out.emplace_back(d.bytes, d.frames);
        return out;
    }
};

}  // namespace

TEST(CheckSpeed, ArmsTwoSecondsAheadThenLeavesARecordPerSecondPassed)
{
    Meter m;
    m.add(500, 100);
    m.add(500, 101);
    EXPECT_EQ(m.current(), Count(0, 0));
    m.add(700, 102);
    m.now = 50;
    m.speed.addData(300, 102);  // an explicit second overrides the clock
    EXPECT_EQ(m.current(), Count(1000, 2));
    m.add(25, 105);
    EXPECT_EQ(m.records(), (std::vector<Count>{{1000, 2}, {0, 0}, {0, 0}}));
    EXPECT_EQ(m.current(), Count(25, 1));

    m.speed.reset();
    m.add(10, 500);
    m.add(10, 501);
    EXPECT_EQ(m.current(), Count(0, 0)) << "a reset meter arms again";
    EXPECT_TRUE(m.records().empty());
}

TEST(CheckSpeed, KeepsTheLastMinuteWithABoundedCatchUp)
{
    Meter m;
    m.armFor(100);
    for (time_t s = 100; s <= 161; ++s)
        m.add(static_cast<unsigned long>(s * 10), s);
    std::vector<Count> records = m.records();
    ASSERT_EQ(records.size(), 60u);
    EXPECT_EQ(records.front(), Count(1010, 1)) << "second 100 went first";
    EXPECT_EQ(records.back(), Count(1600, 1));

    // Exactly a minute later the second that was counted is the oldest record left.
    m.add(5, 221);
    records = m.records();
    ASSERT_EQ(records.size(), 60u);
    EXPECT_EQ(records.front(), Count(1610, 1));
    EXPECT_EQ(records.back(), Count(0, 0));

    // After longer only empty seconds remain, however long the gap.
    m.add(7, 222 + 60);
    EXPECT_EQ(m.records(), std::vector<Count>(60, Count(0, 0)));
    m.add(9, time_t{4000000000});
    EXPECT_EQ(m.records().size(), 60u);
    EXPECT_EQ(m.current(), Count(9, 1));
}

TEST(CheckSpeed, SurvivesTheClockGoingBack)
{
    Meter m;
    m.armFor(1000);
    m.add(10, 1000);
    m.add(10, 1001);
    m.add(99, 1000);  // a step back of a second is ignored
    EXPECT_EQ(m.current(), Count(10, 1));
    // A real jump back closes the second being counted and counting goes on.
    m.add(30, 400);
    EXPECT_EQ(m.current(), Count(30, 1));
    m.add(30, 401);
    EXPECT_EQ(m.records(), (std::vector<Count>{{10, 1}, {10, 1}, {30, 1}}));
}

TEST(CheckSpeed, CountsFromSeveralThreads)
{
    Meter m;
    m.armFor(1000);
    m.now = 1000;
    std::atomic<bool> reading{true};
    std::thread reader([&] {
        while (reading)
            (void)m.speed.records();
    });
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 5000; ++i)
                m.speed.addData(2, 1000);
        });
    for (auto& t : threads)
        t.join();
    reading = false;
    reader.join();
    EXPECT_EQ(m.current(), Count(40000, 20000));
}
