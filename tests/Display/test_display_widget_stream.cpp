// Frames and audio reaching the display widget: from simulated DVRs through real streams, and
// from worker threads as a stream thread delivers them.

#include <thread>
#include <vector>

#include "Common/DecodeAudio.h"
#include "Network/HttpConnect.h"
#include "display_widget_util.h"
#include "sim/SimDvr.h"
#include "video_frames.h"

using displaytest::DisplayWidgetTest;
using displaytest::WaitFor;
using testmedia::Codec;
using videoframes::CFrameOf;
using videoframes::CUFrameOf;
using Frame = std::vector<uint8_t>;

namespace {

// A live sub stream (CIF) of a simulated DVR, wired to the display from its first screen.
struct SimStream {
    simdvr::CSimDvr sim;
    CHttpConnect conn;

    SimStream(CDisplayWidget& w, const char* name, uint32_t channels, int firstScreen)
    {
        EXPECT_TRUE(sim.start());
        DVR dvr;
        dvr.set_name(name);
        dvr.set_address("127.0.0.1");
        dvr.set_port(sim.port());
        dvr.set_id("admin");
        dvr.set_password("1234");
        dvr.set_bit_ch(channels);
        w.attachStream(&conn);
        conn.setDisplayScreen(firstScreen, __builtin_popcount(channels));
        CHttpConnect::ConnParam param;
        param.codec = 1;
        conn.Connect(dvr, param);
    }
    ~SimStream() { conn.Disconnect(); }
};

// Hands frames over from a thread of its own, as a stream thread does.
void Deliver(CDisplayWidget& w, const DISPLAY_DVR_INFO& info, const std::vector<Frame>& frames)
{
    std::thread([&] {
        for (const Frame& f : frames)
            w.slotDisplayVideo(info, f.data(), f.size());
    }).join();
}

}  // namespace

TEST_F(DisplayWidgetTest, LiveMPutsEachDvrsChannelsOnItsScreensAndADetachedDvrNowhere)
{
    LiveM(16);
    SimStream a(*w, "A", 0x0005, 8);
    SimStream b(*w, "B", 0x000A, 10);
    ASSERT_TRUE(WaitFor([&] {
        for (int s = 8; s < 12; ++s)
            if (Cell(s).image.isNull())
                return false;
        return true;
    }, 10000));
    const struct { int screen, channel; const char* dvr; } expected[] = {{8, 0, "A"}, {9, 2, "A"}, {10, 1, "B"}, {11, 3, "B"}};
    for (const auto& e : expected) {
        EXPECT_EQ(Cell(e.screen).channel, e.channel) << e.screen;
        EXPECT_EQ(Cell(e.screen).title, QLatin1String(e.dvr)) << e.screen;
    }
    for (int s : {0, 7, 12, 15})
        EXPECT_EQ(Cell(s).channel, -1) << s;

    // After a clear the decoders wait for key frames, which come once a second per channel.
    w->detachStream(&b.conn);
    w->ClearScreen();
    ASSERT_TRUE(b.sim.waitForVideoFrames(b.sim.totalVideoFrames() + 75, 5000));
    ASSERT_TRUE(WaitFor([&] { return !Cell(8).image.isNull(); }));
    EXPECT_EQ(Cell(10).channel, -1);
    EXPECT_EQ(Cell(11).channel, -1);
}

TEST_F(DisplayWidgetTest, FramesWithoutAScreenOfTheirOwnAreDropped)
{
    const testmedia::Clip clip = testmedia::LoadClip(Codec::H264, "cif");
    auto frame = [&](int channel) { return CFrameOf(clip, 0, channel, {1000, 0}); };
    Frame truncated = frame(0);
    truncated.resize(truncated.size() - 100);

    // Live M: channel 1 lies outside the mask; it would share channel 2's screen.
    DISPLAY_DVR_INFO info;
    info.channelMask = 0x0005;
    LiveM(64);
    Deliver(*w, info, {frame(2), frame(1), frame(16), truncated});
    ASSERT_TRUE(WaitFor([&] { return Cell(1).channel >= 0; }));
    EXPECT_EQ(Cell(1).channel, 2);
    EXPECT_EQ(Cell(0).channel, -1);

    // Live S with 64 cells: each channel on its own screen; screen 16 exists, channel 16 not.
    w->setScreenMode(CDisplayWidget::SCREEN_SINGLE_DVR);
    w->resetDisplay();
    w->setScreens(64);
    Deliver(*w, info, {frame(16), frame(3)});
    ASSERT_TRUE(WaitFor([&] { return Cell(3).channel == 3; }));
    EXPECT_EQ(Cell(3).screen, 3);
    EXPECT_EQ(Cell(16).channel, -1);
}

TEST_F(DisplayWidgetTest, OldProtocolFramesAreDecodedByTheirOwnModelByte)
{
    const testmedia::Clip h264 = testmedia::LoadClip(Codec::H264, "cif");
    const testmedia::Clip mpeg4 = testmedia::LoadClip(Codec::Mpeg4, "cif");
    DISPLAY_DVR_INFO info;
    info.oldProtocol = true;
    info.model = 6;  // what the connection believes: an MPEG-4 DVR (models 6-11)
    Deliver(*w, info, {CUFrameOf(h264.units[0].data, true, 0, 0x02, 0, {1000, 0}, 12),
                       CUFrameOf(mpeg4.units[0].data, true, 1, 0x02, 0, {1000, 0}, 6)});
    ASSERT_TRUE(WaitFor([&] { return !Cell(0).image.isNull() && !Cell(1).image.isNull(); }));
    EXPECT_EQ(Cell(0).image.format(), QImage::Format_RGB888);
    EXPECT_EQ(Cell(1).image.format(), QImage::Format_RGB32);
}

TEST_F(DisplayWidgetTest, OnlyTheSelectedScreensAudioIsPlayed)
{
    // Channels 0-3 of a DVR from screen 4 in Live M, from four threads; each channel sends
    // its own A-law code.
    DISPLAY_DVR_INFO info;
    info.channelMask = 0x000F;
    info.startScreen = 4;
    LiveM(64);
    w->updateSelectScreen(6);
    const int code[4] = {0x15, 0x35, 0x55, 0x75};
    const int frames = 10;
    std::vector<std::thread> threads;
    for (int ch = 0; ch < 4; ++ch) {
        Frame f = CFrameOf(Frame(CDecodeAudio::getEncodedSize(false), uint8_t(code[ch])), 3, ch, 0, 0, {1000, 0});
        f.insert(f.begin() + 36, 4, 0);  // audio headers are 40 bytes
        threads.emplace_back([&, f] {
            for (int i = 0; i < frames; ++i)
                w->OnPlayAudio(info, f.data(), f.size());
        });
    }
    for (auto& t : threads)
        t.join();
    const int expectedBytes = frames * CDecodeAudio::getDecodedSize(false) * 2;
    QByteArray pcm;
    WaitFor([&] {
        QMutexLocker lock(&played->mutex);
        pcm = played->bytes;
        return false;
    }, 300);
    EXPECT_EQ(pcm.size(), expectedBytes);
    const auto* samples = reinterpret_cast<const int16_t*>(pcm.constData());
    EXPECT_EQ(std::count(samples, samples + pcm.size() / 2, int16_t(alaw2linear(code[2]))), pcm.size() / 2);
}
