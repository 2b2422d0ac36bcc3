// The main window with a DVR that ends every live stream a few packets after it began.

#include <QElapsedTimer>

#include "Display/Screen.h"
#include "Network/HttpConnect.h"
#include "window_test_util.h"

using namespace windowtest;

namespace {

constexpr int KEY_FRAME_INTERVAL_MS = 1000;  // a key frame every 30 frames at 30 fps

simdvr::Misbehaviour ClosingAfter(int packets)
{
    simdvr::Misbehaviour m;
    m.closeAfterPackets = packets;
    return m;
}

// A DVR whose streams start between key frames, as real ones do, and end after a few packets.
simdvr::CSimDvr& AddClosingDvr(WindowRig& rig)
{
    simdvr::CSimDvr& sim = rig.addDvr("Gate", false, 4);
    simdvr::Config cfg = sim.config();
    cfg.fps = 30;
    cfg.startFrame = 15;
    sim.setConfig(cfg);
    sim.setMisbehaviour(ClosingAfter(5));
    return sim;
}

Viewer& OpenAndConnect(WindowRig& rig, int reconnectMs)
{
    Viewer& w = rig.open();
    w.setConnectionTimings(reconnectMs, 60000);
    w.OnGroupConnect(*w.dvrTree()->topLevelItem(0), 0, -1);
    return w;
}

QImage FirstCellPicture(Viewer& w) { return w.displayWidget()->screenContainer()->getInfo(0).image; }

}  // namespace

TEST(WindowClosingDvr, StreamsOpenedStayBoundedWhileTheDvrKeepsClosing)
{
    WindowRig rig;
    simdvr::CSimDvr& sim = AddClosingDvr(rig);
    constexpr int reconnectMs = 2000, watchMs = 6000;
    OpenAndConnect(rig, reconnectMs);
    QTest::qWait(watchMs);
    // A row of quick ends at once, then one row per reconnect.
    const int bound = CHttpConnect::QUICK_ENDS_TO_FAIL * (watchMs / reconnectMs + 1);
    const int opened = int(sim.streams().size());
    RecordProperty("streams_opened", opened);
    EXPECT_LE(opened, bound);
}

TEST(WindowClosingDvr, ADvrThatKeepsClosingShowsTheFailedIconAndWaitsForItsReconnect)
{
    WindowRig rig;
    AddClosingDvr(rig);
    Viewer& w = OpenAndConnect(rig, 60000);
    ASSERT_FALSE(w.connections().isEmpty());
    CConnectDVR* c = w.connections()[0];
    ASSERT_TRUE(QTest::qWaitFor([&] { return c->reconnectPending(); }, 15000));
    const QTreeWidgetItem* item = w.dvrTree()->topLevelItem(0)->child(0);
    EXPECT_EQ(item->icon(0).cacheKey(), CControlDVRList::getConnectionFailedIcon().cacheKey());
}

TEST(WindowClosingDvr, ADvrThatKeepsClosingIsToldAsAFailedConnection)
{
    WindowRig rig;
    AddClosingDvr(rig);
    Viewer& w = OpenAndConnect(rig, 60000);
    ASSERT_FALSE(w.connections().isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.connections()[0]->reconnectPending(); }, 15000));
    rig.settle();
    const CDisplayInfo cell = w.displayWidget()->screenContainer()->getInfo(0);
    EXPECT_TRUE(cell.failed);
    EXPECT_EQ(cell.title, QStringLiteral("Connection failed"));
}

TEST(WindowClosingDvr, ADvrThatRecoversIsLiveAgainWithinTheReconnectIntervalAndOneKeyFrameInterval)
{
    WindowRig rig;
    simdvr::CSimDvr& sim = AddClosingDvr(rig);
    constexpr int reconnectMs = 2000;
    Viewer& w = OpenAndConnect(rig, reconnectMs);
    ASSERT_FALSE(w.connections().isEmpty());
    CConnectDVR* c = w.connections()[0];
    ASSERT_TRUE(QTest::qWaitFor([&] { return c->reconnectPending(); }, 15000));
    const qint64 before = FirstCellPicture(w).cacheKey();
    QElapsedTimer recovered;
    recovered.start();
    sim.setMisbehaviour(simdvr::Misbehaviour());
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const QImage picture = FirstCellPicture(w);
        return c->IsConnected() && !picture.isNull() && picture.cacheKey() != before;
    }, 4 * reconnectMs));
    RecordProperty("live_again_ms", int(recovered.elapsed()));
    EXPECT_LE(recovered.elapsed(), reconnectMs + KEY_FRAME_INTERVAL_MS);
}
