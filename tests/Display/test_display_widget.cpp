// The display widget with widget cells: pages, selection, sequence, alarm, and the frames,
// status records and audio that reach it from simulated DVRs and worker threads.
#include <QMutex>
#include <QTimer>
#include <algorithm>

#include "Common/DecodeAudio.h"
#include "Display/DisplayWidget.h"
#include "Network/HttpConnect.h"
#include "Settings/EventSound.h"
#include "display_test_util.h"
#include "support/LeftBehind.h"

using namespace displaytest;
using Pair = std::pair<int, int>;

namespace {

struct Played {
    QMutex mutex;
    QByteArray bytes;
    QByteArray take() { QMutexLocker lock(&mutex); return std::exchange(bytes, QByteArray()); }
};

// A sound card that keeps what it is given.
struct RecordingCard : CAudioDevice {
    explicit RecordingCard(std::shared_ptr<Played> p) : played(std::move(p)) {}
    std::shared_ptr<Played> played;
    bool open(const QAudioFormat&) override { return true; }
    qint64 bytesFree() override { return 1 << 20; }
    qint64 write(const char* data, qint64 size) override { QMutexLocker lock(&played->mutex); played->bytes.append(data, size); return size; }
    bool stopped() override { return false; }
};

class DisplayWidgetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EmptySettings();
        CAppSettings().writeSetting(CAppSettings::OPENGL, OPENGL_MODE_OFF);
        auto p = played;
        w = std::make_unique<CDisplayWidget>(nullptr, [p] { return std::make_unique<RecordingCard>(p); });
        w->show();
        QObject::connect(w.get(), &CDisplayWidget::sendChannelCommand, [this](int n, int first) { commands.emplace_back(n, first); });
    }

    void Mode(CDisplayWidget::SCREEN_MODE mode, int cells)
    {
        w->setScreenMode(mode);
        w->resetDisplay();
        w->setScreens(cells);
    }
    // The cell that shows screen `screen` on the current page.
    const CDisplayInfo& Cell(int screen) const { return w->screenContainer()->getInfo(screen - w->getViewStartScreen()); }
    // Hands frames over from a thread of its own, as a stream thread does.
    void Deliver(const DISPLAY_DVR_INFO& info, const std::vector<Frame>& frames)
    {
        std::thread([&] {
            for (const Frame& f : frames)
                w->slotDisplayVideo(info, f.data(), f.size());
        }).join();
    }

    std::shared_ptr<Played> played = std::make_shared<Played>();
    std::unique_ptr<CDisplayWidget> w;
    std::vector<Pair> commands;  // cells, first screen
};

// A live sub stream (CIF) of a simulated DVR, wired to the display from its first screen. An
// old-protocol DVR also gets its audio stream once the video stream has its client id, as the
// connection object opens it.
struct SimStream {
    simdvr::CSimDvr sim;
    CHttpConnect conn;
    CHttpConnect audio;
    DVR dvr;
    CHttpConnect::ConnParam param;

    SimStream(CDisplayWidget& w, const char* name, uint32_t channels, int firstScreen, bool old = false)
    {
        simdvr::Config cfg;
        cfg.oldProtocol = old;
        cfg.model = old ? 1 : cfg.model;  // an H.264 model byte
        sim.setConfig(cfg);
        EXPECT_TRUE(sim.start());
        dvr.set_name(name);
        dvr.set_address("127.0.0.1");
        dvr.set_port(sim.port());
        dvr.set_id("admin");
        dvr.set_password("1234");
        dvr.set_bit_ch(channels);
        dvr.set_old_protocol(old);
        w.attachStream(&conn);
        conn.setDisplayScreen(firstScreen, __builtin_popcount(channels));
        param.codec = 1;
        if (old) {
            w.attachStream(&audio, true);
            audio.setDisplayScreen(firstScreen, __builtin_popcount(channels));
            QObject::connect(&conn, &CHttpConnect::Connected, &audio, [this](const cgi::DvrInfo&, int cid) {
                if (!audio.isRunning())
                    audio.audioConnect(dvr, param, cid);
            });
        }
        conn.Connect(dvr, param);
    }
    ~SimStream()
    {
        audio.Disconnect();
        conn.Disconnect();
    }
};

}  // namespace

TEST_F(DisplayWidgetTest, PagesClicksSequenceAndAlarmInOneWalk)
{
    CAppSettings().writeSetting(CAppSettings::SEQ_INTERVAL, QStringLiteral("soon"));
    CAppSettings().writeSetting(CAppSettings::ALARM_SOUND, 1);
    w->UpdateEventAlarmSetting();
    auto* timer = w->findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
    auto* alarm = w->findChild<CEventSound*>();
    ASSERT_TRUE(timer && alarm);
    // Pages ask for their own screens; clicks select only what is under them.
    Mode(CDisplayWidget::SCREEN_MULTI_DVR, 16);
    const struct { int turns; Pair asked; } pages[] = {{2, {16, 32}}, {3, {16, 80}}, {-6, {16, 240}}};
    for (const auto& p : pages) {
        for (int i = 0; i < std::abs(p.turns); ++i)
            p.turns > 0 ? w->setNextPage() : w->setPrevPage();
        EXPECT_EQ(commands.back(), p.asked) << p.turns;
        if (p.turns == 2) {
            CScreenWidget* cell5 = w->screenContainer()->screenWidget(5);
            Mouse(cell5, QEvent::MouseButtonPress, cell5->rect().center());
            Mouse(w.get(), QEvent::MouseButtonPress, QPoint(1, 1));  // the margin around the grid
            EXPECT_EQ(w->selectedScreen(), 37);
        }
    }
    EXPECT_EQ(w->getCurrentPage(), QStringLiteral("16 / 16"));
    // Screen counts that make no grid.
    w->setScreens(0);
    w->UpdateDisplayRect(0, 7);
    w->setNextPage();
    w->setPrevPage();
    w->updatePage();
    w->switchChannel();
    EXPECT_GT(w->getViewScreens(), 0);
    w->setScreens(100);
    EXPECT_EQ(w->getViewScreens(), 64);

    // The alarm sounds while any visible cell is marked; a sequence never runs at 0 ms.
    Mode(CDisplayWidget::SCREEN_SINGLE_DVR, 4);
    auto picture = [&](int screen, bool motion) {
        CDisplayInfo info;
        info.channel = info.screen = screen;
        info.motion = motion;
        w->slotUpdateScreen(info);
        return alarm->isOn();
    };
    EXPECT_TRUE(picture(2, true));
    // Its output tries the sound server (none here: it fails, and the alarm stays on).
    EXPECT_TRUE(WaitFor([&] { return alarm->output().open || alarm->output().failures > 0; }, 40000));
    EXPECT_TRUE(picture(3, false));
    // A sequence (every channel, one after another) keeps running after a clear.
    commands.clear();
    w->setSequence(true);
    EXPECT_EQ(commands.front(), Pair(16, 0));
    EXPECT_EQ(timer->interval(), 2000);
    w->ClearScreen();
    EXPECT_TRUE(!alarm->isOn() && timer->isActive());
    w->switchChannel();
    EXPECT_EQ(w->getViewStartScreen(), 1);
    EXPECT_TRUE(picture(1, true));
    EXPECT_FALSE(picture(1, false));
}

TEST_F(DisplayWidgetTest, LiveMPutsEachDvrsChannelsOnItsScreensAndADetachedDvrNowhere)
{
    Mode(CDisplayWidget::SCREEN_MULTI_DVR, 16);
    SimStream a(*w, "A", 0x0005, 8);
    SimStream b(*w, "B", 0x000A, 10);
    auto shown = [&](int screen) { return !Cell(screen).image.isNull(); };
    ASSERT_TRUE(WaitFor([&] { return shown(8) && shown(9) && shown(10) && shown(11); }, 10000));
    const struct { int screen, channel; const char* dvr; } expected[] = {{8, 0, "A"}, {9, 2, "A"}, {10, 1, "B"}, {11, 3, "B"}};
    for (const auto& e : expected)
        EXPECT_TRUE(Cell(e.screen).channel == e.channel && Cell(e.screen).title == QLatin1String(e.dvr)) << e.screen;
    for (int s : {0, 7, 12, 15})
        EXPECT_EQ(Cell(s).channel, -1) << s;

    // After a clear the decoders wait for key frames, which come once a second per channel.
    w->detachStream(&b.conn);
    w->ClearScreen();
    ASSERT_TRUE(b.sim.waitForVideoFrames(b.sim.totalVideoFrames() + 75, 5000));
    ASSERT_TRUE(WaitFor([&] { return shown(8); }));
    EXPECT_EQ(Cell(10).channel + Cell(11).channel, -2);
}

// As the operator's paging does: each time with frames in flight, decoded or on their way.
TEST_F(DisplayWidgetTest, AStreamDetachedAndAttachedAgainWhileItsFramesArriveStillReachesItsCells)
{
    Mode(CDisplayWidget::SCREEN_MULTI_DVR, 16);
    SimStream dvr(*w, "Paged", 0x000F, 0);
    ASSERT_TRUE(WaitFor([&] { return !Cell(0).image.isNull(); }, 10000));
    for (int round = 0; round < 30; ++round) {
        w->detachStream(&dvr.conn);
        WaitFor([] { return false; }, round % 7);
        w->attachStream(&dvr.conn);
        WaitFor([] { return false; }, round % 5);
    }
    // After a clear the decoders wait for key frames, which come once a second per channel.
    w->ClearScreen();
    EXPECT_TRUE(WaitFor([&] { return !Cell(0).image.isNull() && !Cell(3).image.isNull(); }, 10000));
}

TEST_F(DisplayWidgetTest, FramesAndStatusWithoutAScreenOfTheirOwnAreDroppedAndTheModelByteChoosesTheDecoder)
{
    const testmedia::Clip clip = testmedia::LoadClip(testmedia::Codec::H264, "cif");
    const testmedia::Clip mpeg4 = testmedia::LoadClip(testmedia::Codec::Mpeg4, "cif");
    auto frame = [&](int channel) { return CFrameOf(clip, 0, channel, 1000); };
    DISPLAY_DVR_INFO status;
    status.status = QStringLiteral("Connection failed");
    status.authorityMask = 0xFFFB;
    auto failed = [&] {
        std::vector<Pair> cells;  // screen, channel
        WaitFor([] { return false; }, 100);
        for (int s = 0; s < 64; ++s)
            if (Cell(s).failed && Cell(s).title == status.status)
                cells.emplace_back(s, Cell(s).channel);
        return cells;
    };

    // Live M: channel 1 lies outside the mask; it would share channel 2's screen.
    DISPLAY_DVR_INFO info;
    info.channelMask = status.channelMask = 0x0005;
    Mode(CDisplayWidget::SCREEN_MULTI_DVR, 64);
    Deliver(info, {frame(2), frame(1)});
    ASSERT_TRUE(WaitFor([&] { return Cell(1).channel >= 0; }));
    EXPECT_EQ(Cell(1).channel, 2);
    status.startScreen = 8;
    w->slotUpdateDVRStatus(status);
    EXPECT_EQ(failed(), (std::vector<Pair>{{8, 0}, {9, 2}}));
    EXPECT_NE(Cell(8).authorised, Cell(9).authorised);

    // Live S with 64 cells: each channel on its own screen; screen 16 exists, channel 16 not.
    // An old-protocol DVR believed to be MPEG-4 (model 6) may send H.264 (model 12); its
    // frames bring their marks: resolution code 1 (352 x 240) with record and motion, or
    // with sensor, and a video-loss mask (bit 1 is channel 1's).
    Mode(CDisplayWidget::SCREEN_SINGLE_DVR, 64);
    Deliver(info, {frame(16), frame(3)});
    info.oldProtocol = true;
    info.model = 6;
    Deliver(info, {CUFrameOf(clip.units[0].data, true, 0, 0x28 | 0x02, 0x0002, 1000, 12),
                   CUFrameOf(mpeg4.units[0].data, true, 1, 0x10 | 0x02, 0x0002, 1000, 6)});
    ASSERT_TRUE(WaitFor([&] { return Cell(3).channel == 3 && !Cell(0).image.isNull() && !Cell(1).image.isNull(); }));
    EXPECT_TRUE(Cell(3).screen == 3 && Cell(16).channel == -1);
    EXPECT_TRUE(Cell(0).image.format() == QImage::Format_RGB32 && Cell(1).image.format() == QImage::Format_RGB32);
    EXPECT_EQ(Cell(1).image.size(), w->screenContainer()->getDisplayRect(1).size());
    const auto marks = [&](int s) { return std::vector<bool>{Cell(s).record, Cell(s).motion, Cell(s).sensor, Cell(s).videoLoss}; };
    EXPECT_EQ(marks(0), (std::vector<bool>{true, true, false, false}));
    EXPECT_EQ(marks(1), (std::vector<bool>{false, false, true, true}));
    status.channelMask = 0x0008;
    w->slotUpdateDVRStatus(status);
    EXPECT_EQ(failed(), (std::vector<Pair>{{3, 3}}));
}

TEST_F(DisplayWidgetTest, OnlyTheSelectedScreensAudioIsPlayed)
{
    // Channels 0-3 of a DVR from screen 4 in Live M, from four threads; each channel sends
    // its own A-law code.
    DISPLAY_DVR_INFO info;
    info.channelMask = 0x000F;
    info.startScreen = 4;
    Mode(CDisplayWidget::SCREEN_MULTI_DVR, 64);
    w->updateSelectScreen(6);
    const int code[4] = {0x15, 0x35, 0x55, 0x75};
    std::vector<std::thread> threads;
    for (int ch = 0; ch < 4; ++ch)
        threads.emplace_back([&, f = CFrameOf(Frame(CDecodeAudio::getEncodedSize(false), uint8_t(code[ch])), 3, ch, 0, 0, 1000)] {
            for (int i = 0; i < 10; ++i)
                w->OnPlayAudio(info, f.data(), f.size());
        });
    for (auto& t : threads)
        t.join();
    WaitFor([] { return false; }, 300);
    const QByteArray pcm = played->take();
    EXPECT_EQ(pcm.size(), 10 * CDecodeAudio::getDecodedSize(false) * 4);  // 16-bit samples, on both channels
    const auto* samples = reinterpret_cast<const int16_t*>(pcm.constData());
    EXPECT_EQ(std::count(samples, samples + pcm.size() / 2, int16_t(alaw2linear(code[2]))), pcm.size() / 2);
}

TEST_F(DisplayWidgetTest, OldProtocolAudioStreamIsHeardInLiveSAndLiveM)
{
    // The simulated DVR has audio on channel 0; in Live M the DVR's first screen is selected.
    const struct { CDisplayWidget::SCREEN_MODE mode; int cells, firstScreen; } cases[] = {
        {CDisplayWidget::SCREEN_SINGLE_DVR, 16, 0}, {CDisplayWidget::SCREEN_MULTI_DVR, 64, 4}};
    for (const auto& c : cases) {
        Mode(c.mode, c.cells);
        w->updateSelectScreen(c.firstScreen);
        played->take();  // what the last case left
        QByteArray heard;
        SimStream dvr(*w, "Old", 0x000F, c.firstScreen, true);
        EXPECT_TRUE(WaitFor([&] { return (heard += played->take()).size() >= 4 * CDecodeAudio::getDecodedSize(true) * 2; }, 15000))
            << c.cells;
        w->detachStream(&dvr.audio);
        w->detachStream(&dvr.conn);
    }
}

TEST_F(DisplayWidgetTest, LocalFramesQueuedBeforeALayoutChangeNeverReachTheCellAnotherChannelTook)
{
    Mode(CDisplayWidget::SCREEN_SINGLE_DVR, 16);
    auto clock = std::make_shared<FakeClock>();
    w->displayVideo()->setClock(clock);
    w->start(DISPLAY_MODE::LOCAL_PLAYBACK);
    QMutex mutex;
    std::vector<Pair> pictures;  // channel, screen
    QObject::connect(w->displayVideo(), &CDisplayVideo::signalUpdateScreen, w.get(), [&](const CDisplayInfo& info) {
        QMutexLocker lock(&mutex);
        pictures.emplace_back(info.channel, info.screen);
    }, Qt::DirectConnection);
    const auto count = [&](int channel) {
        QMutexLocker lock(&mutex);
        return std::count_if(pictures.begin(), pictures.end(), [&](const Pair& p) { return p.first == channel; });
    };
    const testmedia::Clip clip = testmedia::LoadClip(testmedia::Codec::H264, "cif");
    const auto frames = [&](int channel, size_t n) {
        std::vector<Frame> out;
        for (size_t i = 0; i < n; ++i)
            out.push_back(CFrameOf(clip, i, channel, 1000 + uint32_t(i / 30), uint32_t(i % 30 * 33333)));
        return out;
    };
    DISPLAY_DVR_INFO info;
    info.displayMode = DISPLAY_MODE::LOCAL_PLAYBACK;
    info.pbMode = PB_FORWARD_1X;
    info.channelMask = 0xFFFF;

    // Channel 0 shows its first frame in cell 0; the next waits for its time, the rest queue.
    clock->Hold(true);
    Deliver(info, frames(0, 6));
    ASSERT_TRUE(WaitFor([&] { return count(0) == 1; }, 10000));
    // Single view of channel 5: cell 0 is now channel 5's.
    w->doubleClickedScreen(5);
    ASSERT_EQ(w->getViewStartScreen(), 5);
    Deliver(info, frames(5, 40));
    clock->Hold(false);
    ASSERT_TRUE(WaitFor([&] { return count(5) >= 35; }, 30000));
    w->stop();
    QMutexLocker lock(&mutex);
    EXPECT_EQ(std::count(pictures.begin(), pictures.end(), Pair(0, 0)), 1);
    EXPECT_EQ(std::count(pictures.begin(), pictures.end(), Pair(5, 5)), long(pictures.size()) - 1);
}

TEST_F(DisplayWidgetTest, AWidgetGoneWhileAStreamsFrameIsDecodedLeavesTheDecodersToThatDelivery)
{
    // The stream's thread is held in the decoder with its first frame.
    auto gate = std::make_shared<lefttest::Gate>();
    w->displayVideo()->setDecodeHook([gate] { gate->pass(); });
    auto decodersGone = std::make_shared<std::atomic<bool>>(false);
    QObject::connect(w->displayVideo(), &QObject::destroyed, [decodersGone] { *decodersGone = true; });
    auto dvr = std::make_unique<SimStream>(*w, "Held", 0x0001, 0);
    ASSERT_TRUE(WaitFor([&] { return gate->waiting(); }, 15000));
    lefttest::OpenLate late(*gate);

    w.reset();
    EXPECT_FALSE(*decodersGone);
    // Let go, the frame finishes without the widget; the decoders go with the stream's wiring.
    late.now();
    dvr.reset();
    EXPECT_TRUE(WaitFor([&] { return decodersGone->load(); }, 10000));
}

TEST_F(DisplayWidgetTest, ADetachedStreamsFrameStillInTheDecoderNeverReachesItsCell)
{
    auto gate = std::make_shared<lefttest::Gate>();
    w->displayVideo()->setDecodeHook([gate] { gate->pass(); });
    auto dvr = std::make_unique<SimStream>(*w, "Held", 0x0001, 0);
    ASSERT_TRUE(WaitFor([&] { return gate->waiting(); }, 15000));
    lefttest::OpenLate late(*gate);

    w->detachStream(&dvr->conn);
    late.now();
    dvr.reset();  // its thread, and the held frame with it, has ended
    QCoreApplication::processEvents();
    EXPECT_TRUE(Cell(0).image.isNull());
}

TEST_F(DisplayWidgetTest, AWidgetGoneWhileALocalDecodeThreadIsHeldLeavesItTheDecodersWhichGoWithIt)
{
    // Channel 0's decode thread is held in the decoder with its first frame.
    auto gate = std::make_shared<lefttest::Gate>();
    w->displayVideo()->setDecodeHook([gate] { gate->pass(); });
    auto decodersGone = std::make_shared<std::atomic<bool>>(false);
    QObject::connect(w->displayVideo(), &QObject::destroyed, [decodersGone] { *decodersGone = true; });
    Mode(CDisplayWidget::SCREEN_SINGLE_DVR, 16);
    w->start(DISPLAY_MODE::LOCAL_PLAYBACK);
    DISPLAY_DVR_INFO info;
    info.displayMode = DISPLAY_MODE::LOCAL_PLAYBACK;
    info.pbMode = PB_FORWARD_1X;
    info.channelMask = 0xFFFF;
    Deliver(info, {CFrameOf(testmedia::LoadClip(testmedia::Codec::H264, "cif"), 0, 0, 1000)});
    ASSERT_TRUE(WaitFor([&] { return gate->waiting(); }, 10000));
    lefttest::OpenLate late(*gate);

    w.reset();
    EXPECT_FALSE(*decodersGone);
    late.now();
    EXPECT_TRUE(WaitFor([&] { return decodersGone->load(); }, 10000));
}

namespace {

// A sound device that holds every output in its first write, as a sound server that has
// stopped answering; counts the outputs it holds.
struct HeldCard : CAudioDevice {
    struct Hold {
        lefttest::Gate gate;
        std::atomic<int> held{0};
    };
    explicit HeldCard(std::shared_ptr<Hold> h) : hold(std::move(h)) {}
    bool open(const QAudioFormat&) override { return true; }
    qint64 bytesFree() override { return 1 << 20; }
    qint64 write(const char*, qint64 size) override
    {
        ++hold->held;
        hold->gate.pass();
        return size;
    }
    bool stopped() override { return false; }
    std::shared_ptr<Hold> hold;
};

}  // namespace

TEST_F(DisplayWidgetTest, EveryStreamsPicturesReachTheirCellsWhileTheSoundDeviceHoldsItsOutput)
{
    auto hold = std::make_shared<HeldCard::Hold>();
    w = std::make_unique<CDisplayWidget>(nullptr, [hold] { return std::make_unique<HeldCard>(hold); });
    w->show();
    std::atomic<bool> released{false};
    lefttest::OpenLate late([&] {
        released = true;
        hold->gate.open();
    }, 20000);

    // Live M: a current-protocol DVR from screen 0 and an old-protocol one from screen 4, each
    // with video and audio on channel 0; the operator selects one cell, then the other, so each
    // selection switches the protocol of the audio played.
    Mode(CDisplayWidget::SCREEN_MULTI_DVR, 16);
    CHttpConnect current, old;
    w->attachStream(&current);
    w->attachStream(&old);
    DISPLAY_DVR_INFO currentInfo, oldInfo;
    currentInfo.channelMask = oldInfo.channelMask = 0x0001;
    oldInfo.startScreen = 4;
    oldInfo.oldProtocol = true;
    oldInfo.model = 12;
    const testmedia::Clip clip = testmedia::LoadClip(testmedia::Codec::H264, "cif");
    const Frame currentAudio = CFrameOf(Frame(CDecodeAudio::getEncodedSize(false), 0x55), 3, 0, 0, 0, 1000);
    const Frame oldAudio = FrameOf({3, 0, 0, uint32_t(CDecodeAudio::getEncodedSize(true)), 0, 0, 1000, 0, 12, 0, 0, 0},
                                   Frame(CDecodeAudio::getEncodedSize(true), 0x55), true);
    Frame currentVideo, oldVideo;
    const auto deliver = [](CHttpConnect& stream, const DISPLAY_DVR_INFO& info, const Frame& audio, const Frame& video) {
        return std::thread([&stream, &info, &audio, &video] {
            for (int i = 0; i < 4; ++i)
                emit stream.ADataReceived(info, audio.data(), audio.size());
            emit stream.VDataReceived(info, video.data(), video.size());
        });
    };
    constexpr int kSwitches = 12;
    for (int i = 0; i < kSwitches && !released; ++i) {
        w->updateSelectScreen(i % 2 == 0 ? 0 : 4);
        currentVideo = CFrameOf(clip, size_t(i), 0, 1000);
        oldVideo = CUFrameOf(clip.units[size_t(i)].data, clip.units[size_t(i)].key, 0, 0x02, 0, 1000, 12);
        std::thread a = deliver(current, currentInfo, currentAudio, currentVideo);
        std::thread b = deliver(old, oldInfo, oldAudio, oldVideo);
        a.join();
        b.join();
        ASSERT_TRUE(WaitFor([&] { return hold->held == 1; }, 10000)) << i;
    }
    // Both protocols' audio goes to the one output the device holds: none opened beside it.
    EXPECT_EQ(hold->held.load(), 1);
    // The newest picture of each stream is in its cell while the device still holds the sound.
    EXPECT_TRUE(WaitFor([&] {
        return Cell(0).frameBytes == currentVideo.size() && Cell(4).frameBytes == oldVideo.size();
    }, 10000));
    EXPECT_FALSE(released.load());
    w->detachStream(&current);
    w->detachStream(&old);
    late.now();
}
