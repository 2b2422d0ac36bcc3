#include <mutex>

#include <QTest>

#include <gtest/gtest.h>

#include "Display/DisplayWidget.h"
#include "Display/display_test_util.h"
#include "Playback/LocalFiles.h"
#include "Playback/PlaybackWidget.h"
#include "SysData/RecordFiles.h"
#include "SysData/record_test_util.h"
#include "panel_test_util.h"

using namespace rectest;

namespace {

struct Seen {
    double stamp = 0;
    double now = 0;
    int channel = 0;
    bool key = false;
    bool audio = false;
    bool flush = false;  // a flush marker, no frame
    uint32_t mode = 0;
};

// Everything the reader hands out, in order, with the fake clock's time of the handing.
class Collector {
public:
    Collector(CPlaybackFile* player, displaytest::FakeClock* clock) : m_clock(clock)
    {
        auto frame = [this](bool audio, const unsigned char* data, size_t len, const DISPLAY_DVR_INFO& i) {
            FrameFacts f;
            EXPECT_TRUE(ReadFrameHeader(i.oldProtocol, data, len, &f));
            add({f.time.sec + f.time.usec / 1e6, now(), f.channel, f.kind == FRAME_KEY, audio, false, i.pbMode});
        };
        // Connections end with this object (context), whatever the player does later.
        QObject::connect(player, &CPlaybackFile::DisplayVideo, &m_context,
                         [frame](const DISPLAY_DVR_INFO& i, const unsigned char* d, size_t n) { frame(false, d, n, i); },
                         Qt::DirectConnection);
        QObject::connect(player, &CPlaybackFile::PlayAudio, &m_context,
                         [frame](const DISPLAY_DVR_INFO& i, const unsigned char* d, size_t n) { frame(true, d, n, i); },
                         Qt::DirectConnection);
        QObject::connect(player, &CPlaybackFile::signalDecoderFlush, &m_context,
                         [this] { add({0, 0, 0, false, false, true, 0}); }, Qt::DirectConnection);
        QObject::connect(player, &CPlaybackFile::signalChangedStatus, &m_context,
                         [this](const QString& s) {
                             std::lock_guard<std::mutex> lock(m_mutex);
                             m_status.push_back(s.toStdString());
                         },
                         Qt::DirectConnection);
    }
    std::vector<Seen> seen()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_seen;
    }
    // A deep copy: the reader appends while the test reads.
    QStringList status()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        QStringList out;
        for (const std::string& s : m_status)
            out << QString::fromStdString(s);
        return out;
    }
    size_t videoCount()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return size_t(std::count_if(m_seen.begin(), m_seen.end(), [](const Seen& s) { return !s.flush && !s.audio; }));
    }
    // The frames handed out in a mode, after the last flush.
    std::vector<Seen> inMode(PbMode mode)
    {
        std::vector<Seen> out;
        for (const Seen& s : sinceFlush())
            if (s.mode == uint32_t(mode))
                out.push_back(s);
        return out;
    }
    // The frames after the last flush.
    std::vector<Seen> sinceFlush()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = std::find_if(m_seen.rbegin(), m_seen.rend(), [](const Seen& s) { return s.flush; });
        return std::vector<Seen>(it.base(), m_seen.end());
    }
    size_t flushes()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return size_t(std::count_if(m_seen.begin(), m_seen.end(), [](const Seen& s) { return s.flush; }));
    }
    // Waits for a flush after the `before`th and n video frames after it.
    bool waitVideoSinceFlush(size_t before, size_t n)
    {
        return displaytest::WaitFor([&] {
            if (flushes() <= before)
                return false;
            const auto v = sinceFlush();
            return size_t(std::count_if(v.begin(), v.end(), [](const Seen& s) { return !s.audio; })) >= n;
        }, 20000);
    }

private:
    double now()
    {
        const KTimeVal t = m_clock->Now();
        return t.sec + t.usec / 1e6;
    }
    void add(const Seen& s)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_seen.push_back(s);
    }
    QObject m_context;
    displaytest::FakeClock* m_clock;
    std::mutex m_mutex;
    std::vector<Seen> m_seen;
    std::vector<std::string> m_status;
};

// Channels 0 and 2 at 10 fps for 150 s from T0, audio on channel 0 every 40 ms.
QString RecordFolder(const Rig& rig, bool old = false)
{
    Stream s(old);
    CRecord rec;
    rec.start(QStringLiteral("Local"), Info(4), 0);
    for (int i = 0; i < 1500; ++i) {
        const int64_t ms = T0 * 1000 + i * 100;
        rec.writeFrame(old, s.video(i, 0, ms));
        rec.writeFrame(old, s.video(i, 2, ms + 5, 2));
        for (int a = 0; a < 3 && !old; ++a)
            rec.writeFrame(old, s.audio(i * 3 + a, 0, ms + a * 33));
    }
    rec.stop();
    return rig.record() + "/Local";
}

// A reader of the folder on a fake clock, and what it hands out.
struct Playing {
    explicit Playing(const QString& folder)
    {
        player.setClock(clock);
        player.setFolder(folder);
    }
    std::shared_ptr<displaytest::FakeClock> clock = std::make_shared<displaytest::FakeClock>();
    CPlaybackFile player;
    Collector got{&player, clock.get()};
};

// Checks that every frame of v is handed out no later than due and at most the reader's
// lead earlier, on the play clock that starts at the first frame.
void ExpectPaced(const std::vector<Seen>& v, double speed, const char* what)
{
    ASSERT_FALSE(v.empty()) << what;
    const Seen& first = v.front();
    for (const Seen& s : v) {
        const double due = (s.stamp - first.stamp) / speed;
        const double at = s.now - first.now;
        EXPECT_LE(at, due + 0.0051) << what << " stamp " << s.stamp;
        EXPECT_GE(at, due - CPlaybackFile::LEAD_MS / 1000.0 - 0.005) << what << " stamp " << s.stamp;
    }
}

}  // namespace

TEST(LocalPlayback, PlaysInOrderAtPaceAndSeeksAndChangesSpeedWithoutOldFrames)
{
    Rig rig;
    Playing p(RecordFolder(rig));
    CPlaybackFile& player = p.player;
    Collector& got = p.got;

    player.play(T0 + 10, 0x5);
    ASSERT_TRUE(got.waitVideoSinceFlush(0, 200));
    std::vector<Seen> v = got.sinceFlush();
    // It starts at the key frame leading into the chosen time, in time order.
    EXPECT_TRUE(v.front().key && !v.front().audio);
    EXPECT_GE(v.front().stamp, T0 + 8.0);
    EXPECT_LE(v.front().stamp, T0 + 10.0);
    for (size_t i = 1; i < v.size(); ++i)
        EXPECT_GE(v[i].stamp + 0.1, v[i - 1].stamp);
    EXPECT_GT(std::count_if(v.begin(), v.end(), [](const Seen& s) { return s.audio; }), 100);
    ExpectPaced(v, 1, "+1X");

    // A seek into the next minute: after the flush only frames from there on.
    player.play(T0 + 70, 0x1);
    ASSERT_TRUE(got.waitVideoSinceFlush(1, 50));
    v = got.sinceFlush();
    for (const Seen& s : v) {
        EXPECT_GE(s.stamp, T0 + 68.0);
        EXPECT_EQ(s.channel, 0);
    }
    ExpectPaced(v, 1, "after the seek");

    // Four times faster: 16X, key frames only, no audio, paced at 16X.
    for (int i = 0; i < 4; ++i)
        player.command(cgi::PbControl::CMD_FASTER);
    EXPECT_EQ(player.mode(), PB_FORWARD_16X);
    ASSERT_TRUE(displaytest::WaitFor([&] { return got.inMode(PB_FORWARD_16X).size() >= 4; }, 20000));
    v = got.inMode(PB_FORWARD_16X);
    for (const Seen& s : v)
        EXPECT_TRUE(s.key && !s.audio);
    ExpectPaced(v, 16, "+16X");

    // Backwards: falling stamps, key frames only.
    player.command(cgi::PbControl::CMD_REVERSE);
    ASSERT_TRUE(displaytest::WaitFor([&] { return got.inMode(PB_REVERSE_1X).size() >= 5; }, 20000));
    v = got.inMode(PB_REVERSE_1X);
    for (size_t i = 1; i < v.size(); ++i)
        EXPECT_LT(v[i].stamp, v[i - 1].stamp);
    ExpectPaced(v, -1, "-1X");

    player.stopPlay();
    EXPECT_FALSE(player.isPlaying());
    EXPECT_TRUE(got.seen().back().flush);
}

TEST(LocalPlayback, DamagedFileIsSkippedWithAStatusText)
{
    Rig rig;
    const QString folder = RecordFolder(rig, true);
    const QStringList bases = RawFileBases(folder);
    ASSERT_EQ(bases.size(), 4);  // 10:00:40 to 10:03:10
    QFile qvf(folder + "/" + bases[1] + ".qvf");
    ASSERT_TRUE(qvf.open(QIODevice::ReadWrite));
    qvf.write("JUNK");
    qvf.close();

    Playing p(folder);
    CPlaybackFile& player = p.player;
    Collector& got = p.got;
    player.play(T0 + 15, 0x5);
    player.setMode(PB_FORWARD_256X);
    ASSERT_TRUE(displaytest::WaitFor([&] { return got.status().filter("End of the recordings").size() == 1; }, 20000));
    player.stopPlay();
    EXPECT_EQ(got.status().filter("Damaged file: " + bases[1]).size(), 1) << got.status().join("|").toStdString();
    const std::vector<Seen> v = got.sinceFlush().empty() ? got.seen() : got.seen();
    bool third = false;
    for (const Seen& s : v) {
        if (s.flush || s.audio)
            continue;
        EXPECT_NE(int64_t(s.stamp) / 60, int64_t(RawFileTime(bases[1])) / 60) << "a frame of the damaged minute";
        third = third || int64_t(s.stamp) / 60 == int64_t(RawFileTime(bases[2])) / 60;
    }
    EXPECT_TRUE(third);
}

TEST(LocalPlayback, PanelSearchesTheFolderAndPlaysIntoTheDisplay)
{
    Rig rig;
    const QString folder = RecordFolder(rig);
    CDisplayWidget display;
    display.resize(704, 480);
    display.show();
    CPlaybackWidget panel;
    paneltest::AsOnThePage(&panel);
    panel.show();
    panel.setDisplayWidget(&display);
    panel.search(folder);
    EXPECT_TRUE(panel.IsLocalPlayback());

    CSearchWidget* sw = panel.searchWidget();
    EXPECT_EQ(sw->selectedDate(), QDate(2026, 3, 2));
    EXPECT_TRUE(sw->calendar()->isMarked(QDate(2026, 3, 2)));
    EXPECT_EQ(sw->calendar()->markedDates().size(), 1u);
    CTimeLine* line = sw->timeLine();
    EXPECT_EQ(line->hour(), 10);
    EXPECT_EQ(line->hourChannels(), 0x5u);

    QStringList times;
    QObject::connect(&display, &CDisplayWidget::signalUpdateTime, [&](const QString& t) { times << t; });
    std::vector<std::pair<time_t, int>> chosen;
    QObject::connect(&panel, &CPlaybackWidget::selectedTime, [&](time_t t, int ch) {
        chosen.emplace_back(t, ch);
        display.start(DISPLAY_MODE::LOCAL_PLAYBACK);  // as the main window does
        panel.connectSignal();
    });
    QTest::mouseClick(line, Qt::LeftButton, {}, line->minuteRect(2, 1).center());
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(chosen[0].first, time_t((T0 / 60 + 1) * 60));
    EXPECT_EQ(chosen[0].second, 0xFFFF);
    EXPECT_TRUE(panel.player()->isPlaying());
    ASSERT_TRUE(displaytest::WaitFor([&] { return !times.isEmpty(); }, 10000));
    // The first key frame of the chosen minute (one every 3 s here).
    EXPECT_TRUE(times.front().startsWith("2026-03-02  10:01:0")) << times.front().toStdString();

    if (!qEnvironmentVariableIsEmpty("ZAVO_SCREENSHOT_DIR")) {
        displaytest::WaitFor([&] { return times.size() >= 3; }, 10000);
        uitest::Screenshot(&display, "local-playback-display");
        uitest::Screenshot(&panel, "local-playback-panel");
    }
    // Stop from the buttons: the reader ends and the panel asks to stop the display.
    int stops = 0;
    QObject::connect(&panel, &CPlaybackWidget::stopDisplay, [&] { ++stops; });
    panel.buttons()->button(cgi::PbControl::CMD_STOP)->click();
    EXPECT_FALSE(panel.player()->isPlaying());
    EXPECT_EQ(stops, 1);
    panel.disconnectSignal();
    display.stop();
}

TEST(LocalPlayback, ButtonCommandsMoveThroughTheModes)
{
    using C = cgi::PbControl;
    const struct {
        PbMode from;
        cgi::PbControl_Cmd cmd;
        PbMode to;
    } cases[] = {
        {PB_FORWARD_1X, C::CMD_FASTER, PB_FORWARD_2X},   {PB_FORWARD_256X, C::CMD_FASTER, PB_FORWARD_256X},
        {PB_FORWARD_1X, C::CMD_SLOWER, PB_SLOW_1_2},     {PB_SLOW_1_2, C::CMD_SLOWER, PB_SLOW_1_4},
        {PB_SLOW_1_4, C::CMD_SLOWER, PB_SLOW_1_4},       {PB_SLOW_1_4, C::CMD_FASTER, PB_SLOW_1_2},
        {PB_REVERSE_1X, C::CMD_FASTER, PB_REVERSE_2X},   {PB_REVERSE_2X, C::CMD_SLOWER, PB_REVERSE_1X},
        {PB_REVERSE_1X, C::CMD_SLOWER, PB_REVERSE_1X},   {PB_PAUSE, C::CMD_FASTER, PB_FORWARD_1X},
        {PB_FORWARD_8X, C::CMD_PAUSE, PB_PAUSE},         {PB_PAUSE, C::CMD_STEP_FORWARD, PB_STEP_FORWARD},
        {PB_FORWARD_4X, C::CMD_REVERSE, PB_REVERSE_1X},  {PB_REVERSE_4X, C::CMD_FORWARD, PB_FORWARD_1X},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CPlaybackFile::ApplyCommand(c.from, c.cmd), c.to) << c.from << " cmd " << c.cmd;
}
