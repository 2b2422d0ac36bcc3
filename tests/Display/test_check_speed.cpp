#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "Display/CheckSpeed.h"

namespace {

// A meter on a clock the test sets.
struct Meter {
    time_t now = 1000;
    CCheckSpeed speed{[this] { return now; }};

    // Arms the meter so that second `first` is the first one counted.
    void armFor(time_t first)
    {
        now = first - CCheckSpeed::kArmSeconds;
        speed.addData(1);
    }
    void add(unsigned long bytes, time_t at)
    {
        now = at;
        speed.addData(bytes);
    }
};

bool Same(const CCheckSpeed::Data& d, uint64_t bytes, uint64_t frames)
{
    return d.bytes == bytes && d.frames == frames;
}

}  // namespace

TEST(CheckSpeed, FirstFrameArmsTheMeterTwoSecondsAhead)
{
    Meter m;
    m.add(500, 100);
    m.add(500, 101);
    EXPECT_TRUE(Same(m.speed.current(), 0, 0));
    m.add(700, 102);
    EXPECT_TRUE(Same(m.speed.current(), 700, 1));
    EXPECT_TRUE(m.speed.records().empty());

    // An explicit second overrides the clock.
    m.speed.addData(300, 102);
    EXPECT_TRUE(Same(m.speed.current(), 1000, 2));

    m.speed.reset();
    EXPECT_TRUE(Same(m.speed.current(), 0, 0));
    m.add(10, 500);
    m.add(10, 501);
    EXPECT_TRUE(Same(m.speed.current(), 0, 0)) << "a reset meter arms again";
    EXPECT_TRUE(m.speed.records().empty());
}

TEST(CheckSpeed, EverySecondPassedLeavesOneRecord)
{
    Meter m;
    m.armFor(100);
    m.add(40, 100);
    m.add(60, 100);
    m.add(25, 103);
    const std::vector<CCheckSpeed::Data> records = m.speed.records();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_TRUE(Same(records[0], 100, 2));
    EXPECT_TRUE(Same(records[1], 0, 0));
    EXPECT_TRUE(Same(records[2], 0, 0));
    EXPECT_TRUE(Same(m.speed.current(), 25, 1));
}

TEST(CheckSpeed, KeepsTheLastSixtySeconds)
{
    Meter m;
    m.armFor(100);
    for (time_t s = 100; s <= 161; ++s)
        m.add(static_cast<unsigned long>(s * 10), s);
    std::vector<CCheckSpeed::Data> records = m.speed.records();
    ASSERT_EQ(records.size(), 60u);
    EXPECT_TRUE(Same(records.front(), 1010, 1)) << "second 100 went first";
    EXPECT_TRUE(Same(records.back(), 1600, 1));

    // Exactly a minute later the second that was counted is the oldest record left.
    m.add(5, 221);
    records = m.speed.records();
    ASSERT_EQ(records.size(), 60u);
    EXPECT_TRUE(Same(records.front(), 1610, 1));
    EXPECT_TRUE(Same(records.back(), 0, 0));

    // After longer only empty seconds remain, however long the gap: the catch-up is bounded.
    m.add(7, 222 + 60);
    records = m.speed.records();
    ASSERT_EQ(records.size(), 60u);
    for (const auto& r : records)
        EXPECT_TRUE(Same(r, 0, 0));
    m.add(9, time_t{4000000000});
    EXPECT_EQ(m.speed.records().size(), 60u);
    EXPECT_TRUE(Same(m.speed.current(), 9, 1));
}

TEST(CheckSpeed, SurvivesTheClockGoingBack)
{
    Meter m;
    m.armFor(1000);
    m.add(10, 1000);
    m.add(10, 1001);
    // A step back of a second is ignored, like the seconds before the meter is armed.
    m.add(99, 1000);
    EXPECT_TRUE(Same(m.speed.current(), 10, 1));

    // A real jump back closes the second being counted and counting goes on.
    m.add(30, 400);
    EXPECT_TRUE(Same(m.speed.current(), 30, 1));
    m.add(30, 401);
    const std::vector<CCheckSpeed::Data> records = m.speed.records();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_TRUE(Same(records[0], 10, 1));
    EXPECT_TRUE(Same(records[1], 10, 1));
    EXPECT_TRUE(Same(records[2], 30, 1));
}

TEST(CheckSpeed, CountsFromSeveralThreads)
{
    Meter m;
    m.armFor(1000);
    m.now = 1000;
    std::vector<std::thread> threads;
    std::atomic<bool> reading{true};
    std::thread reader([&] {
        while (reading)
            (void)m.speed.records();
    });
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 5000; ++i)
                m.speed.addData(2, 1000);
        });
    for (auto& t : threads)
        t.join();
    reading = false;
    reader.join();
    EXPECT_TRUE(Same(m.speed.current(), 40000, 20000));
}
