#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

#include <boost/thread/condition_variable.hpp>
#include <boost/thread/mutex.hpp>

#include "Display/DisplayVideo.h"
#include "support/TestMedia.h"
#include "video_frames.h"

using testmedia::Clip;
using testmedia::Codec;
using videoframes::CFrameOf;
using videoframes::Stamp;

namespace {

constexpr uint32_t T0 = 1000000;

Stamp At(int64_t ms)
{
    const int64_t us = int64_t(T0) * 1000000 + ms * 1000;
    return Stamp{uint32_t(us / 1000000), uint32_t(us % 1000000)};
}

// Virtual time: a sleep is recorded and moves the clock on at once, unless the test holds
// the clock, in which case the sleeping thread waits (interruptibly) until it is let go.
class FakeClock : public CPlaybackClock {
public:
    KTimeVal Now() override
    {
        boost::lock_guard<boost::mutex> lock(m_mutex);
        return m_now;
    }

    void Sleep(int ms) override
    {
        boost::unique_lock<boost::mutex> lock(m_mutex);
        m_sleeps.push_back(ms);
        m_cond.notify_all();
        while (m_held)
            m_cond.wait(lock);
        MoveOn(ms);
    }

    // The wall clock runs on by itself (decoding fell behind).
    void Advance(int ms)
    {
        boost::lock_guard<boost::mutex> lock(m_mutex);
        MoveOn(ms);
    }

    void Hold(bool held)
    {
        boost::lock_guard<boost::mutex> lock(m_mutex);
        m_held = held;
        m_cond.notify_all();
    }

    std::vector<int> Sleeps()
    {
        boost::lock_guard<boost::mutex> lock(m_mutex);
        return m_sleeps;
    }

private:
    void MoveOn(int ms)
    {
        const int64_t us = m_now.usec + int64_t(ms) * 1000;
        m_now = KTimeVal(m_now.sec + us / 1000000, int32_t(us % 1000000));
    }

    boost::mutex m_mutex;
    boost::condition_variable m_cond;
    KTimeVal m_now{5000, 0};
    bool m_held = false;
    std::vector<int> m_sleeps;
};

bool Eventually(const std::function<bool()>& done, int ms = 30000)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

class LocalPlaybackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        clock = std::make_shared<FakeClock>();
        dv.setClock(clock);
        dv.changeOpenglOption(true);
        QObject::connect(
            &dv, &CDisplayVideo::signalUpdateScreen, &dv,
            [this](const CDisplayInfo& info) {
                // Keep copies: a picture held by the display is not reused by the decoder.
                std::lock_guard<std::mutex> lock(mutex);
                pictures.push_back(info);
                pictures.back().image = info.image.copy();
            },
            Qt::DirectConnection);
        QObject::connect(
            &dv, &CDisplayVideo::signalUpdateTime, &dv,
            [this](const QString&) { ++times; }, Qt::DirectConnection);
        dv.startDecodeThread(16, DISPLAY_MODE::LOCAL_PLAYBACK);
    }

    void TearDown() override
    {
        clock->Hold(false);
        dv.exitDecodeThread();
    }

    static _DISPLAY_CHANNEL_INFO Cell(PbMode mode, int widgetIndex = 0)
    {
        _DISPLAY_CHANNEL_INFO info;
        info.displayMode = DISPLAY_MODE::LOCAL_PLAYBACK;
        info.pbMode = mode;
        info.widgetIndex = widgetIndex;
        info.screen = widgetIndex;
        return info;
    }

    void Feed(const _DISPLAY_CHANNEL_INFO& info, const std::vector<uint8_t>& frame)
    {
        dv.makeImage(info, frame.data(), frame.size());
    }

    size_t Shown()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return pictures.size();
    }

    bool WaitShown(size_t n) { return Eventually([&] { return Shown() >= n; }); }

    QImage Picture(size_t i)
    {
        std::lock_guard<std::mutex> lock(mutex);
        return pictures.at(i).image;
    }

    // Frame 0 is shown; frame 1, due a second later, stays queued while its thread sleeps on
    // the held clock. Returns frame 1.
    std::vector<uint8_t> QueueBehindASleeper(const Clip& clip)
    {
        clock->Hold(true);
        Feed(Cell(PB_FORWARD_1X), CFrameOf(clip, 0, 0, At(0)));
        auto second = CFrameOf(clip, 1, 0, At(1000));
        Feed(Cell(PB_FORWARD_1X), second);
        EXPECT_TRUE(WaitShown(1));
        EXPECT_TRUE(Eventually([&] { return clock->Sleeps().size() == 1; }));
        return second;
    }

    // The picture a fresh decoder makes of one key frame.
    static QImage KeyPicture(const Clip& clip, size_t unit)
    {
        CDecodeVideo decoder;
        decoder.Init(1);
        decoder.changeOpenglOption(true);
        const auto& d = clip.units[unit].data;
        decoder.DecodeFrame(PROTOCOL_CFRAME_H264, 0, d.data(), d.size(),
                            FrameSize{clip.width, clip.height}, FRAME_KEY);
        return decoder.GetDecodedImage(0).copy();
    }

    std::mutex mutex;
    std::vector<CDisplayInfo> pictures;
    std::atomic<int> times{0};
    std::shared_ptr<FakeClock> clock;
    CDisplayVideo dv;
};

// A frame of garbage of the given payload size (decodes to nothing).
std::vector<uint8_t> Filler(size_t payload, int channel, Stamp t)
{
    return CFrameOf(std::vector<uint8_t>(payload, 0), 1, channel, 352, 240, t);
}

}  // namespace

TEST_F(LocalPlaybackTest, FramesArePacedByTheirStampsOverTheSpeed)
{
    const Clip clip = testmedia::LoadClip(Codec::H264, "cif");
    struct Case {
        PbMode mode;
        int stepMs;  // stamp distance, negative when the stamps run backwards
        int expectedSleep;
    };
    const Case cases[] = {
        {PB_FORWARD_4X, 400, 100},
        {PB_REVERSE_2X, -200, 100},
        {PB_SLOW_1_4, 100, 400},
        {PB_SLOW_1_2, 100, 200},
        {PB_FORWARD_1X, 100, 100},
    };
    int channel = 0;
    for (const Case& c : cases) {
        const size_t before = Shown();
        const size_t sleepsBefore = clock->Sleeps().size();
        for (size_t i = 0; i < 10; ++i) {
            const int64_t ms = 100000 * channel + c.stepMs * int64_t(i) + (c.stepMs < 0 ? 5000 : 0);
            Feed(Cell(c.mode, channel), CFrameOf(clip, i, channel, At(ms)));
        }
        ASSERT_TRUE(WaitShown(before + 10)) << c.mode;
        const auto sleeps = clock->Sleeps();
        const std::vector<int> mine(sleeps.begin() + long(sleepsBefore), sleeps.end());
        EXPECT_EQ(mine, std::vector<int>(9, c.expectedSleep)) << c.mode;
        ++channel;
    }
}

TEST_F(LocalPlaybackTest, ShortGapsAreWaitedForAndJumpsRestartTheChannelsCell)
{
    const Clip clip = testmedia::LoadClip(Codec::H264, "cif");
    // Channel 2 shows in cell 5.
    const _DISPLAY_CHANNEL_INFO cell = Cell(PB_FORWARD_1X, 5);
    Feed(cell, CFrameOf(clip, 0, 2, At(0)));
    Feed(cell, CFrameOf(clip, 1, 2, At(100)));
    Feed(cell, CFrameOf(clip, 2, 2, At(3100)));  // held 3 s
    ASSERT_TRUE(WaitShown(3));
    EXPECT_EQ(clock->Sleeps(), (std::vector<int>{100, 3000}));

    // 6 s ahead: shown at once, then the cell waits for a key frame.
    Feed(cell, CFrameOf(clip, 3, 2, At(9100)));
    Feed(cell, CFrameOf(clip, 4, 2, At(9133)));
    Feed(cell, CFrameOf(clip, 5, 2, At(9166)));
    Feed(cell, CFrameOf(clip, 30, 2, At(9199)));
    ASSERT_TRUE(WaitShown(5));
    EXPECT_EQ(clock->Sleeps(), (std::vector<int>{100, 3000, 33, 33}));
    const QImage key = KeyPicture(clip, 30);
    EXPECT_EQ(Picture(4), key);
    EXPECT_EQ(Shown(), 5u);

    // More than 4 s behind the wall clock: not waited for, and nothing restarts.
    clock->Advance(10000);
    Feed(cell, CFrameOf(clip, 31, 2, At(9232)));
    Feed(cell, CFrameOf(clip, 32, 2, At(9265)));
    ASSERT_TRUE(WaitShown(7));
    EXPECT_EQ(clock->Sleeps().size(), 4u);
}

TEST_F(LocalPlaybackTest, ASpeedChangeMakesEveryCellWaitForAKeyFrame)
{
    const Clip clip = testmedia::LoadClip(Codec::H264, "cif");
    for (size_t i = 0; i < 5; ++i)
        Feed(Cell(PB_FORWARD_1X), CFrameOf(clip, i, 0, At(33 * int64_t(i))));
    for (size_t i = 5; i < 10; ++i)
        Feed(Cell(PB_FORWARD_2X), CFrameOf(clip, i, 0, At(33 * int64_t(i))));
    Feed(Cell(PB_FORWARD_2X), CFrameOf(clip, 30, 0, At(330)));
    ASSERT_TRUE(WaitShown(6));
    EXPECT_EQ(Picture(5), KeyPicture(clip, 30));
}

TEST_F(LocalPlaybackTest, StoppedAndSteppedFramesShowAtOnce)
{
    const Clip clip = testmedia::LoadClip(Codec::H264, "cif");
    for (size_t i = 0; i < 4; ++i)
        Feed(Cell(PB_STEP_FORWARD), CFrameOf(clip, i, 0, At(10000 * int64_t(i))));
    Feed(Cell(PB_PAUSE), CFrameOf(clip, 4, 0, At(50000)));
    ASSERT_TRUE(WaitShown(5));
    EXPECT_TRUE(clock->Sleeps().empty());
    // Queued key frames moved the shown time.
    EXPECT_EQ(times.load(), 1);
}

TEST_F(LocalPlaybackTest, TheReaderWaitsAtTheHighWaterMarkWhileOtherChannelsGoOn)
{
    const Clip clip = testmedia::LoadClip(Codec::H264, "cif");
    const auto second = QueueBehindASleeper(clip);

    // Count what fits below the mark behind the sleeping frame.
    const auto filler = Filler(100000, 0, At(1000));
    size_t fill = second.size();
    int fits = 0;
    while (fill < CDisplayVideo::QUEUE_HIGH_WATER) {
        fill += filler.size();
        ++fits;
    }
    constexpr int total = 24;
    std::atomic<int> queued{0};
    std::thread reader([&] {
        for (int i = 0; i < total; ++i) {
            Feed(Cell(PB_FORWARD_1X), filler);
            ++queued;
        }
    });
    EXPECT_TRUE(Eventually([&] { return queued.load() == fits; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(queued.load(), fits);

    // Channel 1 has a queue and a thread of its own.
    Feed(Cell(PB_FORWARD_1X, 1), CFrameOf(clip, 0, 1, At(0)));
    EXPECT_TRUE(WaitShown(2));

    clock->Hold(false);
    reader.join();
    EXPECT_EQ(queued.load(), total);
    Feed(Cell(PB_FORWARD_1X), CFrameOf(clip, 30, 0, At(1000)));
    ASSERT_TRUE(WaitShown(4));  // the second frame and the key frame; filler shows nothing
    EXPECT_EQ(Picture(3), KeyPicture(clip, 30));
}

TEST_F(LocalPlaybackTest, AFrameWaitsUntilItFitsBehindTheQueuedOnes)
{
    const Clip clip = testmedia::LoadClip(Codec::H264, "cif");
    QueueBehindASleeper(clip);

    // 1.2 MB queued, below the mark; a frame of almost 1 MiB does not fit behind it.
    for (int i = 0; i < 12; ++i)
        Feed(Cell(PB_FORWARD_1X), Filler(100000, 0, At(1000)));
    std::atomic<bool> done{false};
    std::thread reader([&] {
        Feed(Cell(PB_FORWARD_1X), Filler(1000000, 0, At(1000)));
        done = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(done.load());
    clock->Hold(false);
    reader.join();
    EXPECT_TRUE(done.load());
    Feed(Cell(PB_FORWARD_1X), CFrameOf(clip, 30, 0, At(1000)));
    ASSERT_TRUE(WaitShown(3));
}

TEST_F(LocalPlaybackTest, StoppingWhileTheReaderWaitsDropsItsFrame)
{
    const Clip clip = testmedia::LoadClip(Codec::H264, "cif");
    QueueBehindASleeper(clip);
    std::atomic<int> queued{0};
    auto reader = std::async(std::launch::async, [&] {
        for (int i = 0; i < 40; ++i) {
            Feed(Cell(PB_FORWARD_1X), Filler(100000, 0, At(1000)));
            ++queued;
        }
    });
    ASSERT_TRUE(Eventually([&] { return queued.load() >= 15; }));
    ASSERT_EQ(reader.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);

    // The sleeping thread is interrupted, the reader's frame and the rest are dropped.
    auto stop = std::async(std::launch::async, [&] { dv.exitDecodeThread(); });
    ASSERT_EQ(stop.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    ASSERT_EQ(reader.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    EXPECT_EQ(queued.load(), 40);
    clock->Hold(false);
    EXPECT_EQ(Shown(), 1u);

    // Frames between a stop and the next start are dropped, and show no time.
    const int timesBefore = times.load();
    Feed(Cell(PB_FORWARD_1X), CFrameOf(clip, 30, 0, At(2000)));
    EXPECT_EQ(times.load(), timesBefore);

    // Started again, the queues are fresh.
    dv.startDecodeThread(16, DISPLAY_MODE::LOCAL_PLAYBACK);
    Feed(Cell(PB_FORWARD_1X), CFrameOf(clip, 30, 0, At(2000)));
    ASSERT_TRUE(WaitShown(2));
    EXPECT_EQ(Picture(1), KeyPicture(clip, 30));
}

TEST(LocalPlayback, FramesBeforeTheThreadsStartAreDropped)
{
    const Clip clip = testmedia::LoadClip(Codec::H264, "cif");
    CDisplayVideo dv;
    int shown = 0;
    int times = 0;
    QObject::connect(&dv, &CDisplayVideo::signalUpdateScreen, [&](const CDisplayInfo&) { ++shown; });
    QObject::connect(&dv, &CDisplayVideo::signalUpdateTime, [&](const QString&) { ++times; });
    _DISPLAY_CHANNEL_INFO info;
    info.displayMode = DISPLAY_MODE::LOCAL_PLAYBACK;
    const auto key = CFrameOf(clip, 0, 0, At(0));
    dv.makeImage(info, key.data(), key.size());
    // Queues without threads (another display mode) take nothing either.
    dv.startDecodeThread(16, DISPLAY_MODE::LIVE);
    dv.makeImage(info, key.data(), key.size());
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(times, 0);
    dv.exitDecodeThread();
}
