#include <numeric>

#include <QPushButton>
#include <QTest>
#include <QTimeEdit>

#include <gtest/gtest.h>

#include "Display/display_test_util.h"
#include "Network/StreamProbe.h"
#include "Playback/BackupWidget.h"
#include "Playback/LocalFiles.h"
#include "Playback/PlaybackWidget.h"
#include "SysData/RecordFiles.h"
#include "SysData/record_test_util.h"
#include "panel_test_util.h"

using namespace rectest;

namespace {

uint32_t At(int day, int hour, int minute, int second = 0)
{
    return uint32_t(QDateTime(QDate(2026, 3, day), QTime(hour, minute, second), Qt::UTC).toSecsSinceEpoch());
}

}  // namespace

TEST(RemoteSearch, BothProtocolsMarkTheCalendarAndFillTheTimeLine)
{
    for (const bool old : {false, true}) {
        uitest::Sandbox sandbox;
        simdvr::Config cfg = nettest::SmallDvr(old);
        cfg.spans = {{At(2, 10, 0, 30), At(2, 10, 4, 59), 0x3, {1, 2}}, {At(5, 12, 30), At(5, 12, 30, 59), 0x4, {0, 0, 3}}};
        cfg.dvrTime = At(5, 13, 0);
        simdvr::CSimDvr sim(cfg);
        ASSERT_TRUE(sim.start());
        CPlaybackWidget panel;
        CSearchWidget* sw = panel.searchWidget();
        sw->calendar()->setCurrentPage(2026, 3);
        int done = 0;
        QObject::connect(sw, &CSearchWidget::searchDone, [&] { ++done; });
        panel.search(nettest::MakeDvr(sim, old), 4, 7);
        EXPECT_FALSE(panel.IsLocalPlayback());
        ASSERT_TRUE(QTest::qWaitFor([&] { return done == 1; }, 10000)) << old;

        simdvr::Request r;
        ASSERT_TRUE(sim.waitForRequest([](const simdvr::Request& q) { return q.transport == simdvr::Transport::Get; }, 1000, &r));
        if (old) {
            EXPECT_EQ(r.query, "MODE=7&CID=7");
        } else {
            cgi::Search s;
            ASSERT_EQ(r.mode, cgi::MODE_SEARCH);
            ASSERT_TRUE(r.message(&s));
            EXPECT_EQ(s.chmask(), 65535u);
            EXPECT_EQ(s.version(), 1u);
            EXPECT_TRUE(s.hours_include());
            EXPECT_EQ(s.start_time(), At(1, 0, 0));
            EXPECT_EQ(s.end_time(), uint32_t(QDateTime(QDate(2026, 4, 1), QTime(0, 0), Qt::UTC).toSecsSinceEpoch() - 1));
        }
        EXPECT_EQ(sw->calendar()->markedDates(), (std::set<CDate>{CDate(2026, 3, 2), CDate(2026, 3, 5)})) << old;
        sw->calendar()->setSelectedDate(QDate(2026, 3, 2));
        EXPECT_EQ(sw->timeLine()->hour(), 10);
        EXPECT_EQ(sw->timeLine()->hourChannels(), 0x3u);
        const CMinData& grid = sw->data()->getMinData().at(CDateHour(CDate(2026, 3, 2), 10));
        EXPECT_EQ(std::vector<int>(grid.GetData(1), grid.GetData(1) + 6), std::vector<int>({2, 2, 2, 2, 2, 0})) << old;
        sw->calendar()->setSelectedDate(QDate(2026, 3, 5));
        EXPECT_EQ(sw->timeLine()->hour(), 12);
        EXPECT_EQ(sw->timeLine()->hourChannels(), 0x4u);

        // Choosing a minute asks the main window for remote playback of it.
        std::vector<std::pair<time_t, int>> chosen;
        QObject::connect(&panel, &CPlaybackWidget::selectedTime, [&](time_t t, int ch) { chosen.emplace_back(t, ch); });
        sw->calendar()->setSelectedDate(QDate(2026, 3, 2));
        CTimeLine* line = sw->timeLine();
        line->resize(600, 200);
        QTest::mouseClick(line, Qt::LeftButton, {}, line->minuteRect(1, 3).center());
        ASSERT_EQ(chosen.size(), 1u);
        EXPECT_EQ(chosen[0], std::make_pair(time_t(At(2, 10, 3)), 0xF));
        EXPECT_FALSE(panel.player()->isPlaying());
        // Current DVRs are asked again for each month shown.
        sim.clearLog();
        sw->calendar()->setCurrentPage(2026, 4);
        if (!old) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return done == 2; }, 10000));
            cgi::Search s;
            ASSERT_TRUE(sim.waitForRequest([](const simdvr::Request& q) { return q.mode == cgi::MODE_SEARCH; }, 1000, &r));
            ASSERT_TRUE(r.message(&s));
            EXPECT_EQ(s.start_time(), uint32_t(QDateTime(QDate(2026, 4, 1), QTime(0, 0), Qt::UTC).toSecsSinceEpoch()));
        }

    }
}

TEST(RemoteSearch, MonthOfRecordingsOnThePanel)
{
    uitest::Sandbox sandbox;
    simdvr::Config cfg = nettest::SmallDvr(false);
    cfg.channels = 16;
    // Most days of the month; on the 17th every channel, each with its own pattern.
    for (int day = 1; day <= 31; ++day)
        if (day % 7 != 3)
            cfg.spans.push_back({At(day, 8, 0), At(day, 9, 30), 0xFF, {1, 1, 2, 1, 3, 1, 1, 2}});
    for (int ch = 0; ch < 16; ++ch)
        for (int k = 0; k < 4; ++k) {
            const int start = (ch * 7 + k * 15) % 60;
            std::vector<uint32_t> reasons(16, 0);
            reasons[size_t(ch)] = uint32_t(1 + (ch + k) % 3);
            cfg.spans.push_back({At(17, 14, start), At(17, 14, std::min(59, start + 4 + ch % 5), 59), 1u << ch, reasons});
        }
    simdvr::CSimDvr sim(cfg);
    ASSERT_TRUE(sim.start());
    CPlaybackWidget panel;
    paneltest::AsOnThePage(&panel);
    CSearchWidget* sw = panel.searchWidget();
    sw->calendar()->setCurrentPage(2026, 3);
    int done = 0;
    QObject::connect(sw, &CSearchWidget::searchDone, [&] { ++done; });
    panel.search(nettest::MakeDvr(sim, false), 16, 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return done == 1; }, 10000));
    EXPECT_EQ(sw->calendar()->markedDates().size(), 27u);
    sw->calendar()->setSelectedDate(QDate(2026, 3, 17));
    sw->timeLine()->setHour(14);
    EXPECT_EQ(sw->timeLine()->hourChannels(), 0xFFFFu);
    const CMinData& grid = sw->data()->getMinData().at(CDateHour(CDate(2026, 3, 17), 14));
    std::set<int> kinds;
    for (int ch = 0; ch < 16; ++ch)
        kinds.insert(grid.GetData(ch), grid.GetData(ch) + 60);
    EXPECT_EQ(kinds, (std::set<int>{0, 1, 2, 3}));
    uitest::Screenshot(&panel, "playback-panel-month");
    panel.resize(1400, paneltest::PAGE_HEIGHT);
    uitest::Screenshot(&panel, "playback-panel-month-wide");
}

TEST(RemoteSearch, ReplyWithoutHoursStillMarksItsDates)
{
    uitest::Sandbox sandbox;
    simdvr::Config cfg = nettest::SmallDvr(false);
    cfg.spans = {{At(9, 23, 58), At(10, 0, 1), 0x1, {3}}};
    cfg.calListHours = false;
    simdvr::CSimDvr sim(cfg);
    ASSERT_TRUE(sim.start());
    CPlaybackWidget panel;
    CSearchWidget* sw = panel.searchWidget();
    sw->calendar()->setCurrentPage(2026, 3);
    int done = 0;
    QObject::connect(sw, &CSearchWidget::searchDone, [&] { ++done; });
    panel.search(nettest::MakeDvr(sim, false), 4, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return done == 1; }, 10000));
    EXPECT_TRUE(sw->data()->getHourSet().empty());
    EXPECT_EQ(sw->calendar()->markedDates(), (std::set<CDate>{CDate(2026, 3, 9), CDate(2026, 3, 10)}));
    EXPECT_EQ(sw->selectedDate(), QDate(2026, 3, 10));
    EXPECT_EQ(sw->timeLine()->hour(), 0);
    EXPECT_EQ(sw->timeLine()->hourChannels(), 0x1u);
}

TEST(RemoteSearch, RefusalIsShownAndLeavesTheCalendarEmpty)
{
    uitest::Sandbox sandbox;
    simdvr::Config cfg = nettest::SmallDvr(false);
    cfg.password = "other";
    simdvr::CSimDvr sim(cfg);
    ASSERT_TRUE(sim.start());
    CBackupWidget panel;
    int done = 0;
    QObject::connect(panel.searchWidget(), &CSearchWidget::searchDone, [&] { ++done; });
    panel.search(nettest::MakeDvr(sim, false), 4, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return done == 1; }, 10000));
    EXPECT_EQ(panel.searchWidget()->status(), "[ERROR]password miss");
    EXPECT_TRUE(panel.searchWidget()->calendar()->markedDates().empty());
}

TEST(Backup, RecordsFromTheFirstKeyFrameThroughTheLastSecondWithProgress)
{
    for (const bool old : {false, true}) {
        Rig rig;
        simdvr::Config cfg = nettest::SmallDvr(old);
        cfg.mainSize = "cif";
        cfg.spans = {{At(2, 10, 0), At(2, 10, 59, 59), 0xF, {1, 1, 1, 1}}};
        simdvr::CSimDvr sim(cfg);
        ASSERT_TRUE(sim.start());
        simdvr::Misbehaviour flood;
        flood.flood = true;
        sim.setMisbehaviour(flood);

        CBackupWidget panel;
        paneltest::AsOnThePage(&panel);
        int done = 0;
        QObject::connect(panel.searchWidget(), &CSearchWidget::searchDone, [&] { ++done; });
        panel.searchWidget()->calendar()->setCurrentPage(2026, 3);
        panel.search(nettest::MakeDvr(sim, old), 4, 1);
        ASSERT_TRUE(QTest::qWaitFor([&] { return done == 1; }, 10000));
        CTimeLine* line = panel.searchWidget()->timeLine();
        line->resize(600, 200);
        QTest::mouseClick(line, Qt::LeftButton, {}, line->minuteRect(0, 1).center());
        panel.findChild<QTimeEdit*>("endTime")->setTime(QTime(10, 1, 3));
        EXPECT_EQ(panel.rangeStart(), time_t(At(2, 10, 1)));
        EXPECT_EQ(panel.rangeEnd(), time_t(At(2, 10, 1, 3)));

        // What the main window and the connection object do, with the stream and the
        // recorder driven directly.
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
            conn.Connect(nettest::MakeDvr(sim, old, uint32_t(channels)), nettest::Param(2, false, start, end));
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
        nettest::CloseBackupMessage();
        EXPECT_EQ(stops, 1);
        EXPECT_EQ(panel.progressValue(), 0);
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
            if (!(firstSeen & (1u << r.channel)))
                EXPECT_EQ(r.type, FRAME_KEY) << "channel " << int(r.channel);
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
    QFile blocker(rig.backup());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    simdvr::CSimDvr sim(nettest::SmallDvr(false));
    ASSERT_TRUE(sim.start());
    CBackupWidget panel;
    panel.search(nettest::MakeDvr(sim, false), 4, 1);
    CRecord rec;
    QObject::connect(&rec, &CRecord::recordFailed, &panel, &CBackupWidget::OnRecordFailed);
    int stops = 0;
    QObject::connect(&panel, &CBackupWidget::backupStop, [&] { ++stops; });
    QObject::connect(&panel, &CBackupWidget::backupStart,
                     [&](time_t, time_t end, int) { rec.start(QStringLiteral("X"), Info(4), end); });
    panel.findChild<QPushButton*>("startButton")->click();
    EXPECT_FALSE(rec.isRecording());
    EXPECT_FALSE(panel.isBackup());
    EXPECT_EQ(stops, 1);
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].contains("cannot be written"));
}
