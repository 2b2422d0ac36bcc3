// Frames to pictures: broken frames, and local playback, where frames are queued per channel
// and shown by decode threads when they are due.
#include <chrono>
#include <future>
#include <mutex>

#include "Display/DisplayVideo.h"
#include "display_test_util.h"
#include "support/LeftBehind.h"

using namespace displaytest;

namespace {

constexpr uint32_t T0 = 1000000;
constexpr auto LIVE = DISPLAY_MODE::LIVE;

class DisplayVideoTest : public ::testing::Test {
protected:
    DisplayVideoTest()
    {
        dv.setClock(clock);
        dv.changeOpenglOption(true);
        QObject::connect(&dv, &CDisplayVideo::signalUpdateScreen, &dv, [this](const CDisplayInfo& info) {
            std::lock_guard<std::mutex> lock(mutex);
            shown.push_back(info.frameBytes);
        }, Qt::DirectConnection);
        QObject::connect(&dv, &CDisplayVideo::signalUpdateTime, &dv, [this](const QString&) { ++times; }, Qt::DirectConnection);
    }
    ~DisplayVideoTest() override
    {
        clock->Hold(false);
        dv.exitDecodeThread();
    }

    static _DISPLAY_CHANNEL_INFO Cell(DISPLAY_MODE::ENUM mode, PbMode pb, int widgetIndex, int screen)
    {
        _DISPLAY_CHANNEL_INFO info;
        info.displayMode = mode;
        info.pbMode = pb;
        info.widgetIndex = widgetIndex;
        info.screen = screen;
        return info;
    }
    void Feed(const _DISPLAY_CHANNEL_INFO& info, const Frame& frame) { dv.makeImage(info, frame.data(), frame.size()); }
    // Local playback of a unit of the clip (0 and 30 are key frames) stamped ms after T0.
    void Play(size_t unit, int64_t ms, PbMode mode = PB_FORWARD_1X, int channel = 0, int cell = 0)
    {
        Feed(Cell(DISPLAY_MODE::LOCAL_PLAYBACK, mode, cell, cell),
             CFrameOf(clip, unit, channel, uint32_t(T0 + ms / 1000), uint32_t(ms % 1000 * 1000)));
    }
    // The sizes of the frames shown, which tell them apart.
    std::vector<uint32_t> Shown() { std::lock_guard<std::mutex> lock(mutex); return shown; }
    bool WaitShown(size_t n) { return WaitFor([&] { return Shown().size() >= n; }, 30000); }
    uint32_t Bytes(size_t unit) const { return uint32_t(CFrameOf(clip, unit, 0, T0).size()); }

    const testmedia::Clip clip = testmedia::LoadClip(testmedia::Codec::H264, "cif");
    std::mutex mutex;
    std::vector<uint32_t> shown;
    std::atomic<int> times{0};
    std::shared_ptr<FakeClock> clock = std::make_shared<FakeClock>();
    CDisplayVideo dv;
};

}  // namespace

TEST_F(DisplayVideoTest, BrokenFramesAreDroppedBeforeDecoding)
{
    const _DISPLAY_CHANNEL_INFO info = Cell(LIVE, PB_STOP, 0, 0);
    const Frame good = CFrameOf(clip, 0, 1, T0);
    EXPECT_EQ(dv.getVideoChannel(false, good.data(), good.size()), 1);
    EXPECT_EQ(dv.getVideoChannel(true, good.data(), good.size()), -1);
    // Coded data reaching past the end of the frame, a header only, channels 16 and 17.
    for (const Frame& f : {Frame(good.begin(), good.end() - 1), Frame(good.begin(), good.begin() + 35),
                           Frame(good.begin(), good.begin() + 20), CFrameOf(clip, 0, 16, T0), CFrameOf(clip, 0, 17, T0)}) {
        EXPECT_EQ(dv.getVideoChannel(false, f.data(), f.size()), -1) << f.size();
        Feed(info, f);
    }
    Frame big = clip.units[0].data;  // a payload of 1 MiB
    big.resize(0x100000, 0);
    Feed(info, CFrameOf(big, 0, 1, 352, 240, T0));
    dv.makeImage(info, nullptr, 0);
    // None of them opened the slot: the next delta frame still waits for a key frame.
    Feed(info, CFrameOf(clip, 1, 1, T0));
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(times.load(), 0);
    Feed(info, good);
    // A cell outside the page or a screen beyond the last one.
    Feed(Cell(LIVE, PB_STOP, 64, 0), good);
    Feed(Cell(LIVE, PB_STOP, 0, 256), good);
    EXPECT_EQ(Shown().size(), 1u);
}

TEST_F(DisplayVideoTest, LocalFramesArePacedByTheirStampsOverTheSpeed)
{
    dv.startDecodeThread(16, DISPLAY_MODE::LOCAL_PLAYBACK);
    const struct {
        PbMode mode;
        int stepMs;  // stamp distance, negative when the stamps run backwards
        int sleep;   // 0: shown at once
    } cases[] = {
        {PB_FORWARD_4X, 400, 100}, {PB_REVERSE_2X, -200, 100}, {PB_SLOW_1_4, 100, 400}, {PB_SLOW_1_2, 100, 200},
        {PB_FORWARD_1X, 100, 100}, {PB_STEP_FORWARD, 10000, 0}, {PB_PAUSE, 10000, 0},
    };
    int channel = 0;
    for (const auto& c : cases) {
        const size_t before = Shown().size();
        const size_t sleepsBefore = clock->Sleeps().size();
        for (size_t i = 0; i < 10; ++i)
            Play(i, 100000 * channel + c.stepMs * int64_t(i) + (c.stepMs < 0 ? 5000 : 0), c.mode, channel, channel + 5);
        ASSERT_TRUE(WaitShown(before + 10)) << c.mode;
        const auto sleeps = clock->Sleeps();
        EXPECT_EQ(std::vector<int>(sleeps.begin() + long(sleepsBefore), sleeps.end()),
                  std::vector<int>(c.sleep ? 9 : 0, c.sleep))
            << c.mode;
        ++channel;
    }
    // 6 s ahead on channel 4 (cell 9): shown at once, then that cell drops delta frames until a
    // key frame.
    const size_t sleeps = clock->Sleeps().size();
    for (auto [unit, ms] : {std::pair{10, 406900}, {11, 406933}, {30, 406966}})
        Play(unit, ms, PB_FORWARD_1X, 4, 9);
    ASSERT_TRUE(WaitShown(72));
    EXPECT_EQ(Shown()[71], Bytes(30));
    EXPECT_LT(clock->Sleeps().size(), sleeps + 3);
}

TEST_F(DisplayVideoTest, AQueuedFrameCountsUntilItsPictureHasBeenHandedOn)
{
    // Each channel's thread is held before it decodes its first frame.
    auto gate = std::make_shared<lefttest::Gate>();
    dv.setDecodeHook([gate] { gate->pass(); });
    dv.startDecodeThread(16, DISPLAY_MODE::LOCAL_PLAYBACK);
    lefttest::OpenLate late(*gate);
    Play(0, 0);
    Play(1, 0);
    Play(0, 0, PB_FORWARD_1X, 1, 1);
    ASSERT_TRUE(WaitFor([&] { return gate->waiting(); }, 10000));
    EXPECT_EQ(dv.queuedFrames(), 3u);
    late.now();
    ASSERT_TRUE(WaitFor([&] { return dv.queuedFrames() == 0; }, 30000));
    EXPECT_EQ(Shown().size(), 3u);
}

TEST_F(DisplayVideoTest, TheLocalReaderWaitsForRoomWhileOtherChannelsGoOnAndAStopReleasesIt)
{
    dv.startDecodeThread(16, DISPLAY_MODE::LOCAL_PLAYBACK);
    // Frame 0 is shown; frame 1, due a second later, stays queued while its thread sleeps.
    clock->Hold(true);
    Play(0, 0);
    Play(1, 1000);
    ASSERT_TRUE(WaitShown(1));
    ASSERT_TRUE(WaitFor([&] { return clock->Sleeps().size() == 1; }, 30000));
    // Garbage frames of 100 kB (they decode to nothing): count what fits below the mark.
    const Frame filler = CFrameOf(Frame(100000, 0), 1, 0, 352, 240, T0 + 1);
    int fits = 0;
    for (size_t fill = Bytes(1); fill < CDisplayVideo::QUEUE_HIGH_WATER; fill += filler.size())
        ++fits;
    std::atomic<int> queued{0};
    auto reader = std::async(std::launch::async, [&] {
        for (int i = 0; i < 40; ++i, ++queued)
            Feed(Cell(DISPLAY_MODE::LOCAL_PLAYBACK, PB_FORWARD_1X, 0, 0), filler);
    });
    EXPECT_TRUE(WaitFor([&] { return queued.load() == fits; }, 30000));
    EXPECT_EQ(reader.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
    EXPECT_EQ(queued.load(), fits);
    // Channel 1 has a queue and a thread of its own.
    Play(0, 0, PB_FORWARD_1X, 1, 1);
    EXPECT_TRUE(WaitShown(2));

    // The sleeping thread is interrupted, the reader's frame and the rest are dropped.
    auto stop = std::async(std::launch::async, [&] { dv.exitDecodeThread(); });
    ASSERT_EQ(stop.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    ASSERT_EQ(reader.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    EXPECT_EQ(queued.load(), 40);
    clock->Hold(false);

    // Frames between a stop and the next start, or with queues but no threads (another
    // display mode), are dropped and show no time.
    const int timesBefore = times.load();
    Play(30, 2000);
    dv.startDecodeThread(16, DISPLAY_MODE::LIVE);
    Play(30, 2000);
    EXPECT_EQ(times.load(), timesBefore);
    EXPECT_EQ(Shown().size(), 2u);
    // Started again, the queues are fresh.
    dv.startDecodeThread(16, DISPLAY_MODE::LOCAL_PLAYBACK);
    Play(30, 2000);
    ASSERT_TRUE(WaitShown(3));
    EXPECT_EQ(Shown()[2], Bytes(30));
}

namespace {

// A clock whose sleeps wait at a gate: a decode thread pacing a frame in it does not end
// when asked.
class StuckClock : public CPlaybackClock {
public:
    KTimeVal Now() override { return KTimeVal(5000, 0); }
    void Sleep(int) override { gate.pass(); }
    lefttest::Gate gate;
};

}  // namespace

TEST_F(DisplayVideoTest, ExitLeavesADecodeThreadThatDoesNotEndBehindInBoundedTime)
{
    auto stuck = std::make_shared<StuckClock>();
    dv.setClock(stuck);
    dv.startDecodeThread(1, DISPLAY_MODE::LOCAL_PLAYBACK);
    Play(0, 0);
    Play(1, 1000);  // paced a second after the first: the thread sleeps in the clock
    ASSERT_TRUE(WaitFor([&] { return stuck->gate.waiting(); }, 10000));
    lefttest::OpenLate release(stuck->gate);

    lefttest::Warnings warnings;
    const auto begin = std::chrono::steady_clock::now();
    const bool ended = dv.exitDecodeThread();
    const auto took = std::chrono::steady_clock::now() - begin;
    EXPECT_LT(took, std::chrono::milliseconds(CDisplayVideo::EXIT_WAIT_MS + 1000));
    EXPECT_FALSE(ended);
    EXPECT_EQ(warnings.count("left behind"), 1) << warnings.all();
    // The channel takes no frame while its old thread may still hold the queue.
    dv.startDecodeThread(1, DISPLAY_MODE::LOCAL_PLAYBACK);
    const size_t before = Shown().size();
    Play(30, 0);
    release.now();
    // The left thread ends by itself once it wakes, without showing the frame it held.
    EXPECT_TRUE(WaitFor([&] { return stuck.use_count() == 2; }, 10000));
    EXPECT_EQ(Shown().size(), before);
}
