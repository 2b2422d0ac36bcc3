// The playback and backup panels: local playback of the recorder's files, remote search and
// backup against simulated DVRs, and the panels' fit on their bottom page.

#include <chrono>
#include <mutex>
#include <numeric>
#include <thread>

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>

#include <gtest/gtest.h>

#include "Display/DisplayWidget.h"
#include "Display/display_test_util.h"
#include "Network/StreamProbe.h"
#include "support/FifoSupport.h"
#include "support/LeftBehind.h"
#include "Playback/BackupWidget.h"
#include "Common/SearchDataParser.h"
#include "Playback/LocalFiles.h"
#include "Playback/PlaybackWidget.h"
#include "SysData/RecordFiles.h"
#include "SysData/record_test_util.h"

using namespace rectest;

namespace {

// The main window shows the panels on bottom pages of 901 x 190 px, under the program's style
// sheet (the resource file the window loads, built into this test).
constexpr int PAGE_WIDTH = 901;
constexpr int PAGE_HEIGHT = 190;

void AsOnThePage(QWidget* panel)
{
    QFile file(QStringLiteral(":/Viewer/files/qss/default.qss"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    panel->setStyleSheet(QString::fromLatin1(file.readAll()));
    panel->resize(PAGE_WIDTH, PAGE_HEIGHT);
}

// A frame handed out (its stamp, the clock's time then, its mode), or a flush marker.
struct Seen {
    double stamp, now;
    int channel;
    bool key, audio, flush;
    uint32_t mode;
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

// A reader put on a fake clock, and everything it hands out, in order, with the clock's time
// of the handing.
struct Playing {
    explicit Playing(CPlaybackFile* reader) : player(*reader)
    {
        player.setClock(clock);
        auto frames = [this](bool audio) {
            return [this, audio](const DISPLAY_DVR_INFO& i, const unsigned char* data, size_t len) {
                FrameFacts f;
                EXPECT_TRUE(ReadFrameHeader(i.oldProtocol, data, len, &f));
                const KTimeVal t = clock->Now();
                add({f.time.sec + f.time.usec / 1e6, t.sec + t.usec / 1e6, f.channel, f.kind == FRAME_KEY, audio, false,
                     i.pbMode});
            };
        };
        // Connections end with `context`, whatever the player does later.
        const auto direct = Qt::DirectConnection;
        QObject::connect(&player, &CPlaybackFile::DisplayVideo, &context, frames(false), direct);
        QObject::connect(&player, &CPlaybackFile::PlayAudio, &context, frames(true), direct);
        QObject::connect(&player, &CPlaybackFile::signalDecoderFlush, &context,
                         [this] { add({0, 0, 0, false, false, true, 0}); }, direct);
        // Queued to this thread: read while the test waits.
        QObject::connect(&player, &CPlaybackFile::signalChangedStatus, &context,
                         [this](const QString& s) { status << s; });
    }
    void add(const Seen& s)
    {
        std::lock_guard<std::mutex> lock(mutex);
        seen.push_back(s);
    }
    // Waits for the `flushes`th flush and n video frames after the last one (of the mode, when
    // one is given); the frames after the last flush.
    std::vector<Seen> after(size_t flushes, size_t n, int mode = -1)
    {
        std::vector<Seen> out;
        const bool came = displaytest::WaitFor([&] {
            const std::vector<Seen> v = [this] { std::lock_guard<std::mutex> lock(mutex); return seen; }();
            auto last = std::find_if(v.rbegin(), v.rend(), [](const Seen& s) { return s.flush; });
            out.clear();
            std::copy_if(last.base(), v.end(), std::back_inserter(out),
                         [mode](const Seen& s) { return mode < 0 || s.mode == uint32_t(mode); });
            return size_t(std::count_if(v.begin(), v.end(), [](const Seen& s) { return s.flush; })) >= flushes
                   && size_t(std::count_if(out.begin(), out.end(), [](const Seen& s) { return !s.audio; })) >= n;
        }, 20000);
        EXPECT_TRUE(came) << "flush " << flushes << ", " << n << " frames of mode " << mode;
        return came ? out : std::vector<Seen>();
    }

    std::shared_ptr<displaytest::FakeClock> clock = std::make_shared<displaytest::FakeClock>();
    CPlaybackFile& player;
    std::mutex mutex;  // guards seen, filled by the reader thread
    std::vector<Seen> seen;
    QStringList status;
    QObject context;
};

// Checks that every frame of v is handed out no later than due and at most the reader's
// lead earlier, on the play clock that starts at the first frame.
void ExpectPaced(const std::vector<Seen>& v, double speed, const char* what)
{
    ASSERT_FALSE(v.empty()) << what;
    for (const Seen& s : v) {
        const double late = (s.now - v[0].now) - (s.stamp - v[0].stamp) / speed;  // than due
        EXPECT_LE(late, 0.0051) << what << " stamp " << s.stamp;
        EXPECT_GE(late, -CPlaybackFile::LEAD_MS / 1000.0 - 0.005) << what << " stamp " << s.stamp;
    }
}

// The hour of the time line and the channels recorded in it.
std::pair<int, uint32_t> HourShown(CSearchWidget* s) { return {s->timeLine()->hour(), s->timeLine()->hourChannels()}; }

uint32_t At(int day, int hour, int minute, int second = 0, int month = 3)
{
    return uint32_t(QDateTime(QDate(2026, month, day), QTime(hour, minute, second), Qt::UTC).toSecsSinceEpoch());
}

// A simulated DVR of the configuration and the searches of it that ended.
struct Remote {
    explicit Remote(const simdvr::Config& cfg) : sim(cfg) { EXPECT_TRUE(sim.start()); }
    // The panel's search of the DVR with March 2026 shown, until it ends.
    template <class Panel>
    bool search(Panel* panel, int channels = 4)
    {
        CSearchWidget* sw = panel->searchWidget();
        sw->calendar()->setCurrentPage(2026, 3);
        QObject::connect(sw, &CSearchWidget::searchDone, [this] { ++done; });
        panel->search(nettest::MakeDvr(sim, sim.config().oldProtocol), channels, 7);
        return QTest::qWaitFor([&] { return done == 1; }, 10000);
    }
    simdvr::CSimDvr sim;
    int done = 0;
};

}  // namespace

TEST(LocalPlayback, PanelSearchesTheFolderPlaysAMinuteAtPaceSeeksAndChangesSpeedWithoutOldFrames)
{
    Rig rig;
    CDisplayWidget display;
    CPlaybackWidget panel;
    AsOnThePage(&panel);
    panel.show();
    panel.setDisplayWidget(&display);
    panel.search(RecordFolder(rig));
    EXPECT_TRUE(panel.IsLocalPlayback());
    CSearchWidget* sw = panel.searchWidget();
    EXPECT_EQ(sw->selectedDate(), QDate(2026, 3, 2));
    EXPECT_EQ(sw->calendar()->markedDates(), std::set<CDate>{CDate(2026, 3, 2)});
    CTimeLine* line = sw->timeLine();
    EXPECT_EQ(HourShown(sw), std::make_pair(10, 0x5u));

    Playing got(panel.player());
    QStringList times;
    QObject::connect(&display, &CDisplayWidget::signalUpdateTime, [&](const QString& t) { times << t; });
    std::vector<std::pair<time_t, int>> chosen;
    QObject::connect(&panel, &CPlaybackWidget::selectedTime, [&](time_t t, int ch) {
        chosen.emplace_back(t, ch);
        display.start(DISPLAY_MODE::LOCAL_PLAYBACK);  // as the main window does
        panel.connectSignal();
    });
    QTest::mouseClick(line, Qt::LeftButton, {}, line->minuteRect(2, 1).center());
    EXPECT_EQ(chosen, (std::vector<std::pair<time_t, int>>{{time_t(T0 + 20), 0xFFFF}}));
    CPlaybackFile& player = *panel.player();
    std::vector<Seen> v = got.after(1, 200);
    ASSERT_FALSE(v.empty());
    // From the start of the chosen minute's file, in time order.
    EXPECT_GE(v.front().stamp, T0 + 20.0);
    EXPECT_LT(v.front().stamp, T0 + 20.1);
    for (size_t i = 1; i < v.size(); ++i)
        EXPECT_GE(v[i].stamp + 0.1, v[i - 1].stamp);
    EXPECT_GT(std::count_if(v.begin(), v.end(), [](const Seen& s) { return s.audio; }), 100);
    ExpectPaced(v, 1, "+1X");
    // The display shows the minute from its first key frame (one every 3 s here).
    ASSERT_TRUE(displaytest::WaitFor([&] { return !times.isEmpty(); }, 10000));
    EXPECT_TRUE(times.front().startsWith("2026-03-02  10:01:0")) << times.front().toStdString();

    // A seek into the next minute on channel 1: after the flush, from the key frame leading
    // into the time on.
    player.play(T0 + 70, 0x1);
    v = got.after(2, 50);
    ASSERT_FALSE(v.empty());
    EXPECT_TRUE(v.front().key && !v.front().audio);
    EXPECT_LE(v.front().stamp, T0 + 70.0);
    for (const Seen& s : v) {
        EXPECT_GE(s.stamp, T0 + 68.0);
        EXPECT_EQ(s.channel, 0);
    }
    ExpectPaced(v, 1, "after the seek");

    // Four times faster: 16X, key frames only, no audio, paced at 16X.
    for (int i = 0; i < 4; ++i)
        player.command(cgi::PbControl::CMD_FASTER);
    v = got.after(2, 5, PB_FORWARD_16X);
    for (const Seen& s : v)
        EXPECT_TRUE(s.key && !s.audio);
    ExpectPaced(v, 16, "+16X");

    // Backwards: falling stamps.
    player.command(cgi::PbControl::CMD_REVERSE);
    v = got.after(2, 5, PB_REVERSE_1X);
    for (size_t i = 1; i < v.size(); ++i)
        EXPECT_LT(v[i].stamp, v[i - 1].stamp);
    ExpectPaced(v, -1, "-1X");

    // Stop from the buttons: the reader ends and the panel asks to stop the display.
    int stops = 0;
    QObject::connect(&panel, &CPlaybackWidget::stopDisplay, [&] { ++stops; });
    panel.buttons()->button(cgi::PbControl::CMD_STOP)->click();
    EXPECT_FALSE(player.isPlaying());
    EXPECT_EQ(stops, 1);
    EXPECT_TRUE(got.after(1, 0).empty()) << "a flush last";
    panel.disconnectSignal();
    display.stop();
}

TEST(LocalPlayback, PausedShowsThePausedMode)
{
    Rig rig;
    CDisplayWidget display;
    CPlaybackWidget panel;
    panel.setDisplayWidget(&display);
    panel.search(RecordFolder(rig));
    QObject::connect(&panel, &CPlaybackWidget::selectedTime, [&] {
        display.start(DISPLAY_MODE::LOCAL_PLAYBACK);  // as the main window does
        panel.connectSignal();
    });
    // What the main window's status label shows.
    QString windowStatus;
    QObject::connect(&display, &CDisplayWidget::signalChangedStatus, [&](const QString& s) { windowStatus = s; });
    CTimeLine* line = panel.searchWidget()->timeLine();
    QTest::mouseClick(line, Qt::LeftButton, {}, line->minuteRect(2, 1).center());
    PbButtons* buttons = panel.buttons();
    ASSERT_TRUE(QTest::qWaitFor([&] { return buttons->modeText() == "Playback( +1X )"; }, 10000));

    buttons->button(cgi::PbControl::CMD_PAUSE)->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return buttons->modeText() == "Playback( PAUSE )"; }, 10000))
        << buttons->modeText().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return windowStatus == "Playback( PAUSE )"; }, 10000))
        << windowStatus.toStdString();
    panel.PlayStop();
    panel.disconnectSignal();
    display.stop();
}

namespace {

// Plays the folder from its start to the end of its recordings at the fastest speed.
::testing::AssertionResult PlayedToTheEnd(Playing& got)
{
    got.player.play(T0 + 15, 0x5);
    got.player.setMode(PB_FORWARD_256X);
    if (displaytest::WaitFor([&] { return got.status.filter("End of the recordings").size() == 1; }, 20000))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "not played to the end: " << got.status.join("|").toStdString();
}

}  // namespace

TEST(LocalPlayback, DamagedFileIsSkippedWithAStatusText)
{
    Rig rig;
    const QString folder = RecordFolder(rig, true);
    const QStringList bases = RawFileBases(folder);
    ASSERT_EQ(bases.size(), 4);  // 10:00:40 to 10:03:10
    QFile qvf(folder + "/" + bases[1] + ".qvf");
    ASSERT_TRUE(qvf.open(QIODevice::ReadWrite) && qvf.write("JUNK") == 4 && qvf.flush());

    CPlaybackFile player;
    player.setFolder(folder);
    Playing got(&player);
    ASSERT_TRUE(PlayedToTheEnd(got));
    EXPECT_EQ(got.status.filter("Damaged file: " + bases[1]).size(), 1) << got.status.join("|").toStdString();
    // No frame of the damaged minute; the next one is played.
    std::set<int64_t> minutes;
    for (const Seen& s : got.after(1, 0))
        if (!s.flush && !s.audio)
            minutes.insert(int64_t(s.stamp) / 60);
    EXPECT_EQ(minutes.count(int64_t(RawFileTime(bases[1])) / 60), 0u);
    EXPECT_EQ(minutes.count(int64_t(RawFileTime(bases[2])) / 60), 1u);
}

// A minute whose data file was removed is missing, not damaged: the operator is told which.
TEST(LocalPlayback, ARemovedDataFileIsSkippedAsMissing)
{
    Rig rig;
    const QString folder = RecordFolder(rig, true);
    const QStringList bases = RawFileBases(folder);
    ASSERT_EQ(bases.size(), 4);
    ASSERT_TRUE(QFile::remove(folder + "/" + bases[1] + ".qvf"));

    CPlaybackFile player;
    player.setFolder(folder);
    Playing got(&player);
    ASSERT_TRUE(PlayedToTheEnd(got));
    EXPECT_EQ(got.status.filter("Missing file: " + bases[1] + ".qvf").size(), 1) << got.status.join("|").toStdString();
    EXPECT_TRUE(got.status.filter("Damaged file").isEmpty()) << got.status.join("|").toStdString();
}

TEST(LocalFiles, TheLocalSearchNamesThePairOfAListedMinuteWhoseFileWasRemoved)
{
    Rig rig;
    const QString folder = RecordFolder(rig, true);
    const QStringList bases = RawFileBases(folder);
    ASSERT_EQ(bases.size(), 4);
    ASSERT_TRUE(QFile::remove(folder + "/" + bases[2] + recfile::QRX_SUFFIX));
    CSearchDataParser parser(false);
    QStringList missing;
    EXPECT_TRUE(LocalSearch(folder, &parser, &missing).isEmpty());
    EXPECT_EQ(missing, QStringList{bases[2]});
}

TEST(LocalFiles, TheLocalSearchOfAWholeRecordingNamesNothingMissing)
{
    Rig rig;
    const QString folder = RecordFolder(rig, true);
    CSearchDataParser parser(false);
    QStringList missing;
    LocalSearch(folder, &parser, &missing);
    EXPECT_TRUE(missing.isEmpty()) << missing.join(' ').toStdString();
}

TEST(LocalFiles, RecordingFilesThatAreFifosAreRefusedWithoutWaiting)
{
    Rig rig;
    const QString folder = RecordFolder(rig);
    const QStringList bases = RawFileBases(folder);
    ASSERT_GE(bases.size(), 2);
    for (const char* suffix : {recfile::QVF_SUFFIX, recfile::QRX_SUFFIX}) {
        const QString base = bases[suffix == recfile::QVF_SUFFIX ? 0 : 1];
        const QString path = folder + "/" + base + suffix;
        ASSERT_TRUE(QFile::remove(path));
        CRawFile f;
        bool opened = true;
        EXPECT_FALSE(fifotest::BlocksOnFifo(path, [&] { opened = f.open(folder, base); })) << suffix;
        EXPECT_FALSE(opened) << suffix;
        EXPECT_EQ(f.error().toStdString(), (base + ": cannot be read").toStdString()) << suffix;
    }
}

TEST(LocalPlayback, FifoInTheFolderIsSkippedAndStopReturns)
{
    Rig rig;
    const QString folder = RecordFolder(rig);
    const QStringList bases = RawFileBases(folder);
    ASSERT_GE(bases.size(), 3);
    const QString fifo = folder + "/" + bases[1] + recfile::QVF_SUFFIX;
    ASSERT_TRUE(QFile::remove(fifo));
    CPlaybackFile player;
    player.setFolder(folder);
    Playing got(&player);
    bool ended = false;
    EXPECT_FALSE(fifotest::BlocksOnFifo(fifo, [&] {
        got.player.play(T0 + 15, 0x5);
        got.player.setMode(PB_FORWARD_256X);
        ended = displaytest::WaitFor([&] { return got.status.filter("End of the recordings").size() == 1; }, 20000);
        got.player.stopPlay();
    }));
    EXPECT_TRUE(ended);
    EXPECT_EQ(got.status.filter("Damaged file: " + bases[1] + ": cannot be read").size(), 1)
        << got.status.join("|").toStdString();
}

TEST(LocalPlayback, StopLeavesAReaderThatDoesNotEndBehindInBoundedTime)
{
    Rig rig;
    const QString folder = RecordFolder(rig);
    auto player = std::make_unique<CPlaybackFile>();
    player->setFolder(folder);
    // The reader is held in its clock, as in a file that does not answer.
    auto clock = std::make_shared<displaytest::FakeClock>();
    player->setClock(clock);
    clock->Hold(true);
    std::atomic<bool> stopped{false};
    std::atomic<int> late{0};
    QObject context;
    QObject::connect(player.get(), &CPlaybackFile::DisplayVideo, &context,
                     [&](const DISPLAY_DVR_INFO&, const unsigned char*, size_t) { late += stopped ? 1 : 0; },
                     Qt::DirectConnection);
    player->play(T0 + 15, 0x5);
    ASSERT_TRUE(displaytest::WaitFor([&] { return !clock->Sleeps().empty(); }, 10000));

    lefttest::OpenLate release([c = clock.get()] { c->Hold(false); });
    lefttest::Warnings warnings;
    const auto begin = std::chrono::steady_clock::now();
    player->stopPlay();
    const auto took = std::chrono::steady_clock::now() - begin;
    stopped = true;
    EXPECT_LT(took, std::chrono::milliseconds(CPlaybackFile::STOP_WAIT_MS + CPlaybackFile::HANDOUT_WAIT_MS + 1000));
    EXPECT_FALSE(player->isPlaying());
    EXPECT_EQ(warnings.count("left behind"), 1) << warnings.all();

    // The reader ends by itself after its owner is gone, touching nothing of it.
    player.reset();
    release.now();
    EXPECT_TRUE(displaytest::WaitFor([&] { return clock.use_count() == 1; }, 10000));
    EXPECT_EQ(late, 0);
}

// Eight channels at 30 fps for 40 s from T0: many pictures on their way at any time.
QString BusyFolder(const Rig& rig)
{
    Stream s(false);
    CRecord rec;
    rec.start(QStringLiteral("Busy"), Info(8), 0);
    for (int i = 0; i < 1200; ++i)
        for (int ch = 0; ch < 8; ++ch)
            rec.writeFrame(false, s.video(i, ch, T0 * 1000 + i * 33 + ch));
    rec.stop();
    return rig.record() + "/Busy";
}

int DrawnCells(CDisplayWidget& display)
{
    int drawn = 0;
    for (int i = 0; i < CScreen::MAX_CELLS; ++i)
        drawn += display.screenContainer()->getInfo(i).channel >= 0 ? 1 : 0;
    return drawn;
}

TEST(LocalPlayback, StopLeavesEveryCellEmptyEachTime)
{
    Rig rig;
    CDisplayWidget display;
    display.show();
    CPlaybackWidget panel;
    panel.setDisplayWidget(&display);
    panel.search(BusyFolder(rig));
    // What the main window does on a chosen time and on Stop.
    QObject::connect(&panel, &CPlaybackWidget::selectedTime, [&] {
        display.start(DISPLAY_MODE::LOCAL_PLAYBACK);
        panel.connectSignal();
    });
    QObject::connect(&panel, &CPlaybackWidget::stopDisplay, [&] {
        panel.disconnectSignal();
        display.ClearScreen();
    });
    CTimeLine* line = panel.searchWidget()->timeLine();
    for (int round = 0; round < 20; ++round) {
        QTest::mouseClick(line, Qt::LeftButton, {}, line->minuteRect(0, 1).center());
        ASSERT_TRUE(QTest::qWaitFor([&] { return DrawnCells(display) >= 4; }, 10000)) << round;
        QTest::qWait(round * 7 % 50);
        panel.buttons()->button(cgi::PbControl::CMD_STOP)->click();
        QTest::qWait(300);
        EXPECT_EQ(DrawnCells(display), 0) << "round " << round;
    }
    display.stop();
}

TEST(LocalPlayback, ButtonCommandsMoveThroughTheModesAndTheirSpeeds)
{
    using C = cgi::PbControl;
    // Each row also gives the speed the reader plays the new mode at.
    const std::tuple<PbMode, cgi::PbControl_Cmd, PbMode, double> cases[] = {
        {PB_FORWARD_1X, C::CMD_FASTER, PB_FORWARD_2X, 2},      {PB_FORWARD_256X, C::CMD_FASTER, PB_FORWARD_256X, 256},
        {PB_FORWARD_1X, C::CMD_SLOWER, PB_SLOW_1_2, 0.5},      {PB_SLOW_1_2, C::CMD_SLOWER, PB_SLOW_1_4, 0.25},
        {PB_SLOW_1_4, C::CMD_SLOWER, PB_SLOW_1_4, 0.25},       {PB_SLOW_1_4, C::CMD_FASTER, PB_SLOW_1_2, 0.5},
        {PB_REVERSE_1X, C::CMD_FASTER, PB_REVERSE_2X, -2},     {PB_REVERSE_2X, C::CMD_SLOWER, PB_REVERSE_1X, -1},
        {PB_REVERSE_1X, C::CMD_SLOWER, PB_REVERSE_1X, -1},     {PB_PAUSE, C::CMD_FASTER, PB_FORWARD_1X, 1},
        {PB_FORWARD_8X, C::CMD_PAUSE, PB_PAUSE, 0},            {PB_PAUSE, C::CMD_STEP_FORWARD, PB_STEP_FORWARD, 0},
        {PB_FORWARD_4X, C::CMD_REVERSE, PB_REVERSE_1X, -1},    {PB_REVERSE_4X, C::CMD_FORWARD, PB_FORWARD_1X, 1},
    };
    for (const auto& [from, cmd, to, speed] : cases) {
        EXPECT_EQ(CPlaybackFile::ApplyCommand(from, cmd), to) << from << " cmd " << cmd;
        EXPECT_EQ(CPlaybackFile::PlayMode2Speed(to), speed) << to;
    }
    EXPECT_EQ(CPlaybackFile::PlayMode2Speed(static_cast<PbMode>(9)), 0.0);
}

TEST(RemoteSearch, BothProtocolsMarkTheCalendarAndFillTheTimeLine)
{
    for (const bool old : {false, true}) {
        uitest::Sandbox sandbox;
        simdvr::Config cfg = nettest::SmallDvr(old);
        cfg.spans = {{At(2, 10, 0, 30), At(2, 10, 4, 59), 0x3, {1, 2}}, {At(5, 12, 30), At(5, 12, 30, 59), 0x4, {0, 0, 3}}};
        cfg.dvrTime = At(5, 13, 0);
        Remote dvr(cfg);
        CPlaybackWidget panel;
        CSearchWidget* sw = panel.searchWidget();
        ASSERT_TRUE(dvr.search(&panel)) << old;

        simdvr::Request r;
        ASSERT_TRUE(dvr.sim.waitForRequest([](const simdvr::Request& q) { return q.transport == simdvr::Transport::Get; }, 1000, &r));
        cgi::Search s;
        if (old) {
            EXPECT_EQ(r.query, "MODE=7&CID=7");
        } else {
            ASSERT_EQ(r.mode, cgi::MODE_SEARCH);
            ASSERT_TRUE(r.message(&s));
            EXPECT_EQ(std::make_tuple(s.chmask(), s.version(), s.hours_include(), s.start_time(), s.end_time()),
                      std::make_tuple(65535u, 1u, true, At(1, 0, 0), At(1, 0, 0, 0, 4) - 1));
        }
        EXPECT_EQ(sw->calendar()->markedDates(), (std::set<CDate>{CDate(2026, 3, 2), CDate(2026, 3, 5)})) << old;
        sw->calendar()->setSelectedDate(QDate(2026, 3, 5));
        EXPECT_EQ(HourShown(sw), std::make_pair(12, 0x4u));
        sw->calendar()->setSelectedDate(QDate(2026, 3, 2));
        EXPECT_EQ(HourShown(sw), std::make_pair(10, 0x3u));
        const CMinData& grid = sw->data()->getMinData().at(CDateHour(CDate(2026, 3, 2), 10));
        EXPECT_EQ(std::vector<int>(grid.GetData(1), grid.GetData(1) + 6), std::vector<int>({2, 2, 2, 2, 2, 0})) << old;

        // Choosing a minute asks the main window for remote playback of it.
        std::vector<std::pair<time_t, int>> chosen;
        QObject::connect(&panel, &CPlaybackWidget::selectedTime, [&](time_t t, int ch) { chosen.emplace_back(t, ch); });
        CTimeLine* line = sw->timeLine();
        line->resize(600, 200);
        QTest::mouseClick(line, Qt::LeftButton, {}, line->minuteRect(1, 3).center());
        EXPECT_EQ(chosen, (std::vector<std::pair<time_t, int>>{{time_t(At(2, 10, 3)), 0xF}}));
        EXPECT_FALSE(panel.player()->isPlaying());
        // Current DVRs are asked again for each month shown.
        sw->calendar()->setCurrentPage(2026, 4);
        if (!old) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return dvr.done == 2; }, 10000));
            ASSERT_TRUE(dvr.sim.requests().back().message(&s));
            EXPECT_EQ(s.start_time(), At(1, 0, 0, 0, 4));
        }
    }
}

TEST(RemoteSearch, MonthOfRecordingsOnThePanel)
{
    uitest::Sandbox sandbox;
    simdvr::Config cfg = nettest::SmallDvr(false);
    cfg.channels = 16;
    // Most days of the month; on the 17th every channel, each in its own minutes and reasons.
    for (int day = 1; day <= 31; ++day)
        if (day % 7 != 3)
            cfg.spans.push_back({At(day, 8, 0), At(day, 9, 30), 0xFF, {1, 1, 2, 1, 3, 1, 1, 2}});
    for (int k = 0; k < 64; ++k) {
        std::vector<uint32_t> reasons(16, 0);
        reasons[size_t(k % 16)] = uint32_t(1 + (k % 16 + k / 16) % 3);
        cfg.spans.push_back({At(17, 14, k % 16 * 3), At(17, 14, k % 16 * 3 + 4 + k % 5, 59), 1u << (k % 16), reasons});
    }
    Remote dvr(cfg);
    CPlaybackWidget panel;
    AsOnThePage(&panel);
    CSearchWidget* sw = panel.searchWidget();
    ASSERT_TRUE(dvr.search(&panel, 16));
    EXPECT_EQ(sw->calendar()->markedDates().size(), 27u);
    sw->calendar()->setSelectedDate(QDate(2026, 3, 17));
    sw->timeLine()->setHour(14);
    EXPECT_EQ(sw->timeLine()->hourChannels(), 0xFFFFu);
    uitest::Screenshot(&panel, "playback-panel-month");
}

TEST(RemoteSearch, AReplyWithoutHoursStillMarksItsDatesARefusalIsShown)
{
    uitest::Sandbox sandbox;
    simdvr::Config cfg = nettest::SmallDvr(false);
    cfg.spans = {{At(9, 23, 58), At(10, 0, 1), 0x1, {3}}};
    cfg.calListHours = false;
    Remote dvr(cfg);
    CPlaybackWidget panel;
    CSearchWidget* sw = panel.searchWidget();
    ASSERT_TRUE(dvr.search(&panel));
    EXPECT_TRUE(sw->data()->getHourSet().empty());
    EXPECT_EQ(sw->calendar()->markedDates(), (std::set<CDate>{CDate(2026, 3, 9), CDate(2026, 3, 10)}));
    EXPECT_EQ(sw->selectedDate(), QDate(2026, 3, 10));
    EXPECT_EQ(HourShown(sw), std::make_pair(0, 0x1u));

    cfg.password = "other";
    Remote refusing(cfg);
    CBackupWidget backup;
    ASSERT_TRUE(refusing.search(&backup));
    EXPECT_EQ(backup.searchWidget()->status(), "[ERROR]password miss");
    EXPECT_TRUE(backup.searchWidget()->calendar()->markedDates().empty());
}

TEST(Backup, RecordsFromTheFirstKeyFrameThroughTheLastSecondWithProgress)
{
    for (const bool old : {false, true}) {
        Rig rig;
        simdvr::Config cfg = nettest::SmallDvr(old);
        cfg.mainSize = "cif";
        cfg.spans = {{At(2, 10, 0), At(2, 10, 59, 59), 0xF, {1, 1, 1, 1}}};
        Remote dvr(cfg);
        simdvr::Misbehaviour flood;  // the DVR sends as fast as it can, as a backup does
        flood.flood = true;
        dvr.sim.setMisbehaviour(flood);
        CBackupWidget panel;
        AsOnThePage(&panel);
        ASSERT_TRUE(dvr.search(&panel));
        CTimeLine* line = panel.searchWidget()->timeLine();
        line->resize(600, 200);
        QTest::mouseClick(line, Qt::LeftButton, {}, line->minuteRect(0, 1).center());
        panel.findChild<QTimeEdit*>("endTime")->setTime(QTime(10, 1, 3));

        // What the main window does, with the stream and the recorder driven directly.
        CHttpConnect conn;
        CRecord rec;
        std::vector<int> progress;
        int stops = 0;
        QObject::connect(&conn, &CHttpConnect::updateBackupProgress, &panel, &CBackupWidget::OnUpdateProgress);
        QObject::connect(&conn, &CHttpConnect::updateBackupProgress, [&](int v) {
            progress.push_back(v);
            if (!old && progress.size() == 2)
                uitest::Screenshot(&panel, "backup-panel-running");
        });
        QObject::connect(&panel, &CBackupWidget::backupStart, [&](time_t start, time_t end, int channels) {
            rec.start(QStringLiteral("Sim DVR"), Info(4), end);
            conn.SetRecordPtr(&rec);
            conn.Connect(nettest::MakeDvr(dvr.sim, old, uint32_t(channels)), nettest::Param(2, false, start, end));
        });
        QObject::connect(&panel, &CBackupWidget::backupStop, [&] {
            ++stops;
            EXPECT_FALSE(panel.isBackup());
            panel.OnBackupStop();  // re-entry is ignored
            conn.SetRecordPtr(nullptr);
            rec.stop();
        });
        panel.findChild<QPushButton*>("startButton")->click();
        EXPECT_TRUE(panel.isBackup());
        ASSERT_TRUE(QTest::qWaitFor([&] { return stops == 1; }, 20000)) << old;
        conn.Disconnect();
        EXPECT_EQ(stops, 1);
        EXPECT_EQ(panel.progressValue(), 0);
        // Seconds reported as they pass, then -1 at the end time.
        ASSERT_FALSE(progress.empty());
        EXPECT_EQ(progress.back(), -1);
        EXPECT_EQ(std::accumulate(progress.begin(), progress.end() - 1, 0), 3);

        // The raw set in the backup folder: each channel from a key frame, through 10:01:03.
        const QString folder = rig.backup() + "/Sim DVR";
        const QStringList bases = RawFileBases(folder);
        ASSERT_EQ(bases.size(), 1) << old;
        CRawFile f;
        ASSERT_TRUE(f.open(folder, bases[0]));
        uint32_t firstSeen = 0, last = 0;
        for (const recfile::QrxIndexRecord& r : f.index()) {
            if (r.type == FRAME_AUDIO)
                continue;
            EXPECT_TRUE((firstSeen & (1u << r.channel)) || r.type == FRAME_KEY) << "channel " << int(r.channel);
            firstSeen |= 1u << r.channel;
            EXPECT_GE(r.time_sec, At(2, 10, 1));
            last = std::max(last, r.time_sec);
        }
        EXPECT_EQ(firstSeen, 0xFu);
        EXPECT_EQ(last, At(2, 10, 1, 3)) << "the last second is recorded";
    }
}

TEST(Backup, RecorderThatCannotStartEndsTheBackupWithAMessage)
{
    Rig rig;
    uitest::ScriptedPrompt prompt;
    ASSERT_TRUE(QFile(rig.backup()).open(QIODevice::WriteOnly));  // a file where the folder goes
    Remote dvr(nettest::SmallDvr(false));
    CBackupWidget panel;
    panel.search(nettest::MakeDvr(dvr.sim, false), 4, 1);
    CRecord rec;
    QObject::connect(&rec, &CRecord::recordFailed, &panel, &CBackupWidget::OnRecordFailed);
    int stops = 0;
    QObject::connect(&panel, &CBackupWidget::backupStop, [&] { ++stops; });
    QObject::connect(&panel, &CBackupWidget::backupStart, [&](time_t, time_t e, int) { rec.start("X", Info(4), e); });
    panel.findChild<QPushButton*>("startButton")->click();
    EXPECT_FALSE(rec.isRecording() || panel.isBackup());
    EXPECT_EQ(stops, 1);
    EXPECT_TRUE(prompt.messages.size() == 1 && prompt.messages[0].contains("cannot be written"))
        << prompt.messages.join("|").toStdString();
}

TEST(PanelLayout, BothPanelsFitTheBottomPageWithEveryControlReachable)
{
    CPlaybackWidget playback;
    CBackupWidget backup;
    const std::tuple<QWidget*, CSearchWidget*, QStringList> panels[] = {
        {&playback, playback.searchWidget(),
         {"reverseButton", "stepReverseButton", "pauseButton", "stopButton", "stepForwardButton", "forwardButton",
          "slowerButton", "fasterButton", "modeLabel"}},
        {&backup, backup.searchWidget(), {"startTime", "endTime", "startButton", "stopButton", "progress"}},
    };
    for (const auto& [panel, search, names] : panels) {
        AsOnThePage(panel);
        panel->show();
        int lineWidth = 0;
        for (const int width : {PAGE_WIDTH, 1400}) {
            panel->resize(width, PAGE_HEIGHT);
            QCoreApplication::processEvents();
            // Every control an operator needs, whole inside the panel.
            QList<QWidget*> controls{search->calendar(), search->timeLine()};
            for (const QString& name : names)
                controls << panel->findChild<QWidget*>(name);
            for (QCheckBox* box : search->findChildren<QCheckBox*>())
                controls << box;
            ASSERT_EQ(controls.size(), 2 + names.size() + MAX_DVR_CHANNEL);
            for (QWidget* w : controls) {
                const QRect r(w->mapTo(panel, QPoint(0, 0)), w->size());
                EXPECT_TRUE(w->isVisible() && panel->rect().contains(r) && !r.isEmpty())
                    << w->objectName().toStdString() << " in " << width;
            }
            // Sixteen channel rows, thin but each one a target, inside the time line.
            CTimeLine* line = search->timeLine();
            const QRect last = line->minuteRect(MAX_DVR_CHANNEL - 1, 59);
            EXPECT_GE(last.height() + 1, CTimeLine::MIN_ROW) << width;
            EXPECT_TRUE(line->rect().contains(last)) << width;
            // A wider page widens the time line.
            EXPECT_GT(line->width(), lineWidth + (lineWidth ? 300 : 0)) << width;
            lineWidth = line->width();
        }
    }
}
