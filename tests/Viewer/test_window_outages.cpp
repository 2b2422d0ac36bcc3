// The main window when DVRs go away, are disconnected by the operator, or are still
// streaming when the window closes.

#include <QElapsedTimer>
#include <QTextEdit>


#include "LiveCtrl/LiveCtrlWidget.h"
#include "window_test_util.h"

using namespace windowtest;
using simdvr::Request;
using simdvr::Transport;

namespace {

bool IsStop(const Request& r) { return IsStreamCommand(r, "5", cgi::MODE_STREAM_STOP); }

int StopsFor(const simdvr::CSimDvr& sim, int clientId)
{
    int n = 0;
    for (const Request& r : sim.requests()) {
        cgi::StreamStop stop;
        n += IsStop(r) && (r.oldProtocol ? r.param("CID").toInt() == clientId
                                         : r.message(&stop) && int(stop.stream_id()) == clientId);
    }
    return n;
}

bool HasIcon(const QTreeWidgetItem* item, const QIcon& icon) { return item->icon(0).cacheKey() == icon.cacheKey(); }

// One DVR connected in Live S, its first screen selected: the control panel drives it.
Viewer& OpenWithPanel(WindowRig& rig)
{
    rig.addDvr("Gate", false, 4);
    Viewer& w = rig.open();
    EXPECT_TRUE(rig.connect());
    w.slotChangedScreen(0, 0);
    EXPECT_TRUE(w.liveCtrl()->isEnabled());
    return w;
}

}  // namespace

TEST(WindowOutages, ADisconnectedDvrShowsThePlainDvrIcon)
{
    WindowRig rig;
    rig.addDvr("Gate", false, 4);
    rig.addDvr("Yard", false, 4);
    Viewer& w = rig.open();
    ASSERT_TRUE(rig.connect());
    const QTreeWidgetItem* group = w.dvrTree()->topLevelItem(0);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return HasIcon(group->child(0), CControlDVRList::getConnectedIcon()) &&
               HasIcon(group->child(1), CControlDVRList::getConnectedIcon());
    }));
    w.slotDisconnectDVR(1);
    EXPECT_TRUE(HasIcon(group->child(1), CControlDVRList::getDVRIcon()));
    EXPECT_TRUE(HasIcon(group->child(0), CControlDVRList::getConnectedIcon()));
}

TEST(WindowOutages, TheCurrentDvrsDisconnectionDisablesTheControlPanelAtOnce)
{
    WindowRig rig;
    Viewer& w = OpenWithPanel(rig);
    w.connections()[0]->disconnect();
    EXPECT_FALSE(w.liveCtrl()->isEnabled());
}

TEST(WindowOutages, SelectingAScreenOfADisconnectedDvrDisablesTheControlPanel)
{
    WindowRig rig;
    Viewer& w = OpenWithPanel(rig);
    w.connections()[0]->disconnect();
    w.liveCtrl()->EnableWidget(true);  // whatever enabled it meanwhile
    w.slotChangedScreen(1, 1);  // a cell still showing its last picture
    EXPECT_FALSE(w.liveCtrl()->isEnabled());
}

TEST(WindowOutages, TheControlPanelDrivesTheCurrentDvrAgainAfterAnAutomaticReconnect)
{
    WindowRig rig;
    Viewer& w = OpenWithPanel(rig);
    w.setConnectionTimings(500, 60000);
    simdvr::CSimDvr& sim = *rig.sims.front();
    CConnectDVR* c = w.connections()[0];
    sim.setRefusing(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return c->reconnectPending() && !w.liveCtrl()->isEnabled(); }, 10000));
    sim.setRefusing(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return c->IsConnected(); }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.liveCtrl()->isEnabled(); }, 2000));
}

TEST(WindowOutages, ClosingTheWindowStopsEveryStreamAtItsDvr)
{
    WindowRig rig;
    simdvr::CSimDvr& current = rig.addDvr("Gate", false, 4);
    simdvr::CSimDvr& old = rig.addDvr("Yard", true, 4);
    Viewer& w = rig.open();
    ASSERT_TRUE(rig.connect());
    const int currentId = current.streams().back().clientId;
    const int oldId = old.streams().front().clientId;  // the video stream; its audio one follows
    w.close();
    // Read without running this thread's events: what reached the DVRs did so before close() returned.
    EXPECT_EQ(StopsFor(current, currentId), 1);
    EXPECT_EQ(StopsFor(old, oldId), 1);
}

TEST(WindowOutages, ClosingTheWindowStopsTheStreamsOfAnOpenMap)
{
    WindowRig rig;
    simdvr::CSimDvr& sim = rig.addDvr("Hall", false, 4);
    EMapGroupList maps;
    EMap* map = maps.add_emap_list()->add_emap();
    map->set_name("Hall");
    EMapItems* item = map->add_items();
    *item->mutable_dvr() = rig.list.group(0).dvr(0);
    item->set_channel(0);
    Viewer& w = rig.open();
    rig.button("EMap")->click();
    w.OnSelectedEMapGroup(maps.emap_list(0));
    // The camera's state in the log: the view's stream has its client id.
    const QTextEdit* log = w.form().bottomEMapPage->findChild<QTextEdit*>();
    ASSERT_TRUE(log);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !log->toPlainText().isEmpty(); }, 10000));
    const int clientId = sim.streams().back().clientId;
    w.close();
    EXPECT_EQ(StopsFor(sim, clientId), 1);
}

TEST(WindowOutages, ADvrBackFromAnOutageIsShownLiveAtTheFirstReconnectAfterItsReturn)
{
    WindowRig rig;
    simdvr::CSimDvr& sim = rig.addDvr("Gate", false, 4);
    simdvr::Config cfg = sim.config();
    cfg.startFrame = 15;  // streams start between key frames, as real ones do
    sim.setConfig(cfg);
    Viewer& w = rig.open();
    const int reconnectMs = 2000;
    w.setConnectionTimings(reconnectMs, 60000);
    ASSERT_TRUE(rig.connect());
    CConnectDVR* c = w.connections()[0];
    sim.setRefusing(true);
    // Failed at once, long before the no-packet time.
    ASSERT_TRUE(QTest::qWaitFor([&] { return c->reconnectPending(); }, 10000));
    QTest::qWait(reconnectMs + 500);  // one reconnect refused meanwhile
    sim.clearLog();
    QElapsedTimer back;
    back.start();
    sim.setRefusing(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return c->IsConnected(); }, 3 * reconnectMs));
    RecordProperty("recovery_ms_after_return", int(back.elapsed()));
    EXPECT_EQ(sim.streams().size(), 1u);  // the first dial after the return took
    EXPECT_TRUE(HasIcon(w.dvrTree()->topLevelItem(0)->child(0), CControlDVRList::getConnectedIcon()));
}

TEST(WindowOutages, AnOldDvrOfUnknownKindKeepsItsVideoAndAudioAfterTheRestartThatLearnsIt)
{
    WindowRig rig;
    simdvr::CSimDvr& sim = rig.addDvr("Yard", true, 4);
    simdvr::Config cfg = sim.config();
    cfg.reuseClientId = true;  // the restarted stream gets the id the stop names
    sim.setConfig(cfg);
    rig.list.mutable_group(0)->mutable_dvr(0)->set_protocol_type(0);
    Viewer& w = rig.open();
    ASSERT_TRUE(rig.connect());
    const auto audioOpen = [&] {
        for (const simdvr::StreamInfo& s : sim.streams())
            if (s.audioOnly && s.open && !s.stopped)
                return true;
        return false;
    };
    ASSERT_TRUE(QTest::qWaitFor(audioOpen, 10000));
    QTest::qWait(1000);
    std::vector<simdvr::StreamInfo> video;
    for (const simdvr::StreamInfo& s : sim.streams())
        if (!s.audioOnly)
            video.push_back(s);
    ASSERT_EQ(video.size(), 2u);  // the first, and the one opened once the kind was known
    EXPECT_TRUE(video.back().open);
    EXPECT_FALSE(video.back().stopped);
    EXPECT_TRUE(audioOpen());
    EXPECT_TRUE(w.connections()[0]->IsConnected());
}

TEST(WindowOutages, ClosingTheWindowSendsEveryStopOfADvrThatNeverAnswers)
{
    WindowRig rig;
    CAppSettings().writeSetting(CAppSettings::AUDIO_SUPPORT, true);
    simdvr::CSimDvr& old = rig.addDvr("Yard", true, 4);
    Viewer& w = rig.open();
    ASSERT_TRUE(rig.connect());
    ASSERT_TRUE(old.waitUntil([&] { return old.streams().size() == 2; }, 10000));
    const int videoId = old.streams().front().clientId;
    const int audioId = old.streams().back().clientId;
    simdvr::Misbehaviour silent;
    silent.holdRequests = -1;
    silent.holdMs = 60000;
    old.setMisbehaviour(silent);
    w.close();
    EXPECT_EQ(StopsFor(old, videoId), 1);
    EXPECT_EQ(StopsFor(old, audioId), 1);
}
