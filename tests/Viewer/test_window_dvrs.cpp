// The main window against simulated DVRs: connecting groups, the stream-channel commands of
// each layout, reconnecting, stopping, DVR recording, playback, backup and captures.

#include <algorithm>

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QTextEdit>
#include <QTimeEdit>

#include "EMap/ControlEMapList.h"
#include "LiveCtrl/LiveCtrlWidget.h"
#include "PCSetup/PCSetupDialog.h"
#include "Playback/BackupWidget.h"
#include "window_test_util.h"

using namespace windowtest;
using simdvr::Request;
using simdvr::Transport;

namespace {

int StopsReceived(const simdvr::CSimDvr& sim)
{
    int stops = 0;
    for (const Request& r : sim.requests())
        stops += r.transport == Transport::Post && ((r.oldProtocol && r.param("OP") == "5") || r.mode == cgi::MODE_STREAM_STOP);
    return stops;
}

int StreamsOpened(const simdvr::CSimDvr& sim, int mode)
{
    int n = 0;
    for (const simdvr::StreamInfo& s : sim.streams())
        n += !s.audioOnly && s.mode == mode && s.clientId >= 0;
    return n;
}

bool Visible(CLiveCtrlWidget* panel, const char* button)
{
    return panel->findChild<QWidget*>(button)->isVisibleTo(panel);
}

}  // namespace

TEST(WindowDvrs, GroupInLiveSAndLiveMGetsItsScreensIconsAndChannelCommands)
{
    WindowRig rig;
    simdvr::CSimDvr& a = rig.addDvr("Front", false, 16);
    simdvr::CSimDvr& b = rig.addDvr("Yard", true, 4);
    Viewer& w = rig.open();
    ASSERT_TRUE(rig.connect());
    rig.settle();
    ASSERT_EQ(w.connections().size(), 2);
    const QTreeWidgetItem* group = w.dvrTree()->topLevelItem(0);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(group->child(i)->icon(0).cacheKey(), CControlDVRList::getConnectedIcon().cacheKey()) << i;
    // Live S: the first DVR is current and the only one shown.
    EXPECT_EQ(w.currentDvrIndex(), 0);
    EXPECT_TRUE(w.connections()[0]->isVisible() && !w.connections()[1]->isVisible());
    EXPECT_EQ(w.dvrLabel()->text(), QStringLiteral("Front( admin )"));
    // A current DVR of model 4 has a relay and picture controls; an old one neither.
    w.slotChangedScreen(0, 0);
    EXPECT_TRUE(Visible(w.liveCtrl(), "DVRControl2") && Visible(w.liveCtrl(), "DVRControl3"));
    EXPECT_TRUE(rig.button("Setup")->isVisibleTo(&w));

    // Live M: the streams are kept; the DVRs follow each other on the wall.
    const int streams = StreamsOpened(a, 0);
    rig.button("LiveM")->click();
    rig.settle();
    EXPECT_EQ(StreamsOpened(a, 0), streams);
    EXPECT_EQ(w.connections()[1]->getDisplayStartScreen(), 16);
    EXPECT_TRUE(w.connections()[0]->isVisible() && w.connections()[1]->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return LastVideoMask(a) == 0xFFFF && LastVideoMask(b) == 0xF; }, 5000));
    w.slotChangedScreen(17, 1);
    EXPECT_EQ(w.currentDvrIndex(), 1);
    EXPECT_FALSE(Visible(w.liveCtrl(), "DVRControl2") || Visible(w.liveCtrl(), "DVRControl3"));
    EXPECT_FALSE(rig.button("Setup")->isVisibleTo(&w));
    // A page of 16 from screen 16: the first DVR has nothing on it, the second its channels.
    rig.button("Screen4x4")->click();
    rig.button("NextPage")->click();
    rig.settle();
    EXPECT_TRUE(QTest::qWaitFor([&] { return LastVideoMask(a) == 0 && LastVideoMask(b) == 0xF; }, 5000));
    EXPECT_EQ(w.form().multiPage->text(), QStringLiteral("2 / 16"));

    // Closing the window stops every stream once.
    a.clearLog();
    b.clearLog();
    w.close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return StopsReceived(a) >= 1 && StopsReceived(b) >= 1; }, 5000));
    EXPECT_EQ(StopsReceived(a), 1);
    EXPECT_TRUE(w.connections().isEmpty());
}

TEST(WindowDvrs, LiveMCountsOnlyCheckedChannelsAndMapsEachScreenToItsChannel)
{
    WindowRig rig;
    // Channels 2, 5, 9 and 12 of a 16-channel DVR, then a 4-channel one.
    simdvr::CSimDvr& a = rig.addDvr("Sparse", false, 16, 0x1224);
    simdvr::CSimDvr& b = rig.addDvr("Small", false, 4);
    Viewer& w = rig.open();
    rig.button("LiveM")->click();
    ASSERT_TRUE(rig.connect());
    rig.settle();
    EXPECT_EQ(w.connections()[1]->getDisplayStartScreen(), 4);
    // A 2x2 page from screen 0 shows the sparse DVR's four channels; the next one the other DVR.
    rig.button("Screen2x2")->click();
    rig.settle();
    EXPECT_TRUE(QTest::qWaitFor([&] { return LastVideoMask(a) == 0x1224 && LastVideoMask(b) == 0; }, 5000));
    rig.button("NextPage")->click();
    rig.settle();
    EXPECT_TRUE(QTest::qWaitFor([&] { return LastVideoMask(a) == 0 && LastVideoMask(b) == 0xF; }, 5000));
}

TEST(WindowDvrs, AFailedDvrComesBackAfterTheReconnectIntervalAndAStoppedOneNever)
{
    WindowRig rig;
    simdvr::CSimDvr& first = rig.addDvr("Gate", false, 4);
    Viewer& w = rig.open();
    ASSERT_TRUE(rig.connect());
    const QTreeWidgetItem* item = w.dvrTree()->topLevelItem(0)->child(0);
    // The DVR goes away: the stream fails, the icon says so, and a reconnect waits.
    simdvr::Config cfg = first.config();
    cfg.port = first.port();
    first.stop();
    CConnectDVR* c = w.connections()[0];
    ASSERT_TRUE(QTest::qWaitFor([&] { return c->reconnectPending() || !c->IsConnected(); }, 15000));
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return item->icon(0).cacheKey() == CControlDVRList::getConnectionFailedIcon().cacheKey();
    }, 15000));
    // Back on the same port: connected again without the operator.
    simdvr::CSimDvr back(cfg);
    ASSERT_TRUE(back.start());
    EXPECT_TRUE(QTest::qWaitFor([&] { return c->IsConnected(); }, 15000));
    EXPECT_EQ(item->icon(0).cacheKey(), CControlDVRList::getConnectedIcon().cacheKey());
    // Disconnected by the operator: no reconnect is left waiting.
    w.slotDisconnectDVR(-1);
    EXPECT_FALSE(c->reconnectPending());
    back.clearLog();
    QTest::qWait(800);
    const std::vector<Request> later = back.requests();
    EXPECT_TRUE(std::none_of(later.begin(), later.end(), [](const Request& r) { return r.transport == Transport::Stream; }));
}

TEST(WindowDvrs, RequestsOfTheCurrentDvrRecordingPlaybackAndBackup)
{
    WindowRig rig;
    simdvr::CSimDvr& sim = rig.addDvr("Office", false, 4);
    Viewer& w = rig.open();
    ASSERT_TRUE(rig.connect());
    // Recording on the DVR.
    rig.button("RecToDVR")->click();
    EXPECT_TRUE(sim.waitForRequest([](const Request& r) { return r.mode == cgi::MODE_RECORD_TO_DVR; }));

    // Search only stops the stream; a chosen time plays back from it.
    const int stops = StopsReceived(sim);
    rig.button("Search")->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return StopsReceived(sim) == stops + 1; }, 5000));
    EXPECT_EQ(StreamsOpened(sim, 1), 0);
    const time_t t0 = time(nullptr) - 3600;
    w.OnSelectedTime(t0, 0x3);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return StreamsOpened(sim, 1) == 1 && w.connections()[0]->getClientID() == sim.streams().back().clientId;
    }, 10000));
    EXPECT_EQ(sim.streams().back().vchmask, 0x3u);
    EXPECT_EQ(sim.streams().back().startTime, uint32_t(t0));
    w.OnChangedPbStatus(cgi::PbControl::CMD_PAUSE);
    Request pause;
    ASSERT_TRUE(sim.waitForRequest([](const Request& r) { return r.mode == cgi::MODE_PB_CONTROL; }, 5000, &pause));
    cgi::PbControl control;
    ASSERT_TRUE(pause.message(&control));
    EXPECT_EQ(control.cmd(), cgi::PbControl::CMD_PAUSE);
    EXPECT_EQ(int(control.stream_id()), sim.streams().back().clientId);
    // Stop ends the playback stream and searches again.
    sim.clearLog();
    w.OnChangedPbStatus(cgi::PbControl::CMD_STOP);
    EXPECT_TRUE(sim.waitForRequest([](const Request& r) { return r.mode == cgi::MODE_SEARCH; }));
    EXPECT_FALSE(w.connections()[0]->IsConnected());

    // A backup from the panel records from before its stream's first frame into the backup
    // folder; a DVR that closes the stream ends it on the panel and in the window.
    rig.button("LiveS")->click();
    CConnectDVR* c = w.connections()[0];
    ASSERT_TRUE(QTest::qWaitFor([&] { return c->IsConnected(); }, 10000));
    rig.button("Backup")->click();
    w.backupWidget()->findChild<QTimeEdit*>("startTime")->setTime(QTime(10, 0));
    w.backupWidget()->findChild<QTimeEdit*>("endTime")->setTime(QTime(10, 30));
    w.backupWidget()->findChild<QPushButton*>("startButton")->click();
    EXPECT_TRUE(w.backupWidget()->isBackup());
    EXPECT_TRUE(c->isRecording());
    const auto files = [&] {
        QStringList suffixes;
        for (QDirIterator it(rig.sandbox.appDir() + "/Backup", QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            suffixes << QFileInfo(it.next()).suffix();
        return suffixes;
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return StreamsOpened(sim, 2) == 1 && files().contains("qvf"); }, 10000))
        << files().join(' ').toStdString();
    sim.closeStreams();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.backupWidget()->isBackup() && !c->isRecording(); }, 10000));
    EXPECT_FALSE(c->IsConnected());
    for (QWidget* box : QApplication::topLevelWidgets())
        if (qobject_cast<QMessageBox*>(box))
            box->close();
}

TEST(WindowDvrs, CapturesAreSavedUnderTheirOwnNamesEvenWithinOneSecond)
{
    WindowRig rig;
    rig.addDvr("Lobby", false, 4);
    Viewer& w = rig.open();
    w.OnCaptureClicked();
    EXPECT_TRUE(rig.prompt.messages.isEmpty()) << "no connection, no capture";
    ASSERT_TRUE(rig.connect());
    rig.settle();
    w.OnCaptureClicked();
    const QString first = w.lastCapture();
    w.OnCaptureClicked();
    const QString second = w.lastCapture();
    ASSERT_FALSE(first.isEmpty());
    ASSERT_FALSE(second.isEmpty());
    EXPECT_NE(first, second);
    EXPECT_TRUE(first.startsWith(rig.sandbox.appDir() + "/Capture/") && first.endsWith(".jpg"));
    EXPECT_FALSE(QImage(second).isNull());
    ASSERT_EQ(rig.prompt.messages.size(), 2);
    EXPECT_TRUE(rig.prompt.messages[0].startsWith("The image has been saved.\n(" + first));
}

TEST(WindowDvrs, AMapOfTheOpenGroupShowsItsCamerasStatesInTheLog)
{
    WindowRig rig;
    simdvr::CSimDvr& sim = rig.addDvr("Hall", false, 4);
    sim.setLiveStatus(0, 0, 0x1, 0);  // motion on channel 0
    const EMapGroupList maps = rig.saveFirstCameraMap();
    Viewer& w = rig.open();
    rig.button("EMap")->click();
    EXPECT_EQ(w.menuMode(), Viewer::MENU_EMAP_VIEW);
    w.OnSelectedEMapGroup(maps.emap_list(0));
    ASSERT_EQ(w.emapWidgets().size(), 1);
    // The view opens its camera's stream; the state arrives in the log under the map.
    QTextEdit* log = w.form().bottomEMapPage->findChild<QTextEdit*>();
    ASSERT_TRUE(log);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !log->toPlainText().isEmpty(); }, 10000));
    EXPECT_TRUE(sim.waitForRequest([](const Request& r) { return r.transport == Transport::Stream; }));
    // Leaving closes the views and their streams.
    rig.button("EMapExit")->click();
    EXPECT_TRUE(w.emapWidgets().isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return StopsReceived(sim) >= 1; }, 5000));
}

TEST(WindowDvrs, ALayoutChosenBeforeConnectingIsWhatTheDvrIsAskedForOnceConnected)
{
    WindowRig rig;
    simdvr::CSimDvr& sim = rig.addDvr("Front", false, 16);
    rig.open();
    rig.settle();
    rig.button("Screen4_0")->click();  // a quad, with nothing connected yet
    rig.settle();
    ASSERT_TRUE(rig.connect());
    EXPECT_TRUE(QTest::qWaitFor([&] { return LastVideoMask(sim) == 0xF; }, 5000)) << LastVideoMask(sim);
}

namespace {

int StreamsOpened(const simdvr::CSimDvr& sim)
{
    const std::vector<Request> requests = sim.requests();
    return static_cast<int>(
        std::count_if(requests.begin(), requests.end(), [](const Request& r) { return r.transport == Transport::Stream; }));
}

void CancelPCSetup(WindowRig& rig)
{
    rig.button("PCSetup")->click();
    rig.window->pcSetupDialog()->reject();
}

}  // namespace

TEST(WindowDvrs, LiveSClickedAfterPCSetupUsedTwiceOpensNoStream)
{
    WindowRig rig;
    simdvr::CSimDvr& sim = rig.addDvr("Office", false, 4);
    rig.open();
    ASSERT_TRUE(rig.connect());
    CancelPCSetup(rig);
    CancelPCSetup(rig);
    const int opened = StreamsOpened(sim);
    rig.button("LiveS")->click();
    WindowRig::settle();
    EXPECT_EQ(StreamsOpened(sim), opened);
}

TEST(WindowDvrs, AGroupChosenInPlaybackAfterPCSetupIsNotConnected)
{
    WindowRig rig;
    rig.addDvr("Office", false, 4);
    Viewer& w = rig.open();
    rig.button("Playback")->click();
    CancelPCSetup(rig);
    w.OnGroupConnect(*w.dvrTree()->topLevelItem(0), 0, -1);
    EXPECT_TRUE(w.connections().isEmpty());
}
