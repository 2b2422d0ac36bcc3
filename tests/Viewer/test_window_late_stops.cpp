// The main window with a DVR that gives every stream the same client id and carries out
// stops seconds late. When the DVR ends the stream, its cell drops the last picture until the
// next stream's first, and that stream then runs steadily; a DVR whose stops come later than
// a new stream waits for them is shown failed, and the operator's retry after its stops
// came in runs steadily. While a stream waits for stops, its cell and the tree say so. No
// cell shows a frozen picture as live. The stop waits run at a quarter of their real length.

#include <algorithm>

#include "Display/CellPainter.h"
#include "Display/Screen.h"
#include "Network/HttpConnect.h"
#include "support/ShortStopTimings.h"
#include "window_test_util.h"

using namespace windowtest;

namespace {

constexpr int FPS = 10;  // WindowRig's DVRs
constexpr int STEADY_MS = ShortStopTimings::ANSWER_MS;
constexpr int MAX_KILLED = 1;

struct LateStopWindow {
    // One channel of a DVR whose stops take `stopDelayMs`, connected in Live S and showing
    // pictures; a failure stays shown.
    void connect(int stopDelayMs)
    {
        sim = &rig.addDvr("Gate", false, 4, 0x1);
        simdvr::Config cfg = sim->config();
        cfg.reuseClientId = true;
        cfg.mainSize = QStringLiteral("cif");
        sim->setConfig(cfg);
        simdvr::Misbehaviour late;
        late.stopDelayMs = stopDelayMs;
        sim->setMisbehaviour(late);
        w = &rig.open();
        w->setConnectionTimings(CConnectDVR::RECONNECT_MS, 60000);
        ASSERT_TRUE(rig.connect());
        c = w->connections()[0];
        ASSERT_TRUE(QTest::qWaitFor([&] { return CellPainter::showsPicture(cell()); }, 10000));
    }
    const CDisplayInfo& cell() const { return w->displayWidget()->screenContainer()->getInfo(0); }
    bool iconIs(const QIcon& icon) const
    {
        return w->dvrTree()->topLevelItem(0)->child(0)->icon(0).cacheKey() == icon.cacheKey();
    }
    // The streams since stream `first` that the DVR ended itself.
    int killedSince(int first) const
    {
        int killed = 0;
        for (const simdvr::StreamInfo& st : sim->streams())
            killed += st.id >= first && st.closedBySim;
        return killed;
    }
    // The newest stream began at or after `first` and has run STEADY_MS.
    bool steadySince(int first) const
    {
        const std::vector<simdvr::StreamInfo> streams = sim->streams();
        return !streams.empty() && streams.back().id >= first && streams.back().open && !streams.back().stopped
               && streams.back().videoFrames >= int64_t(STEADY_MS) * FPS / 1000;
    }

    ShortStopTimings timings;
    WindowRig rig;
    simdvr::CSimDvr* sim = nullptr;
    Viewer* w = nullptr;
    CConnectDVR* c = nullptr;
};

class WindowLateStops : public ::testing::TestWithParam<int>, protected LateStopWindow {};

std::string DelayName(const ::testing::TestParamInfo<int>& info)
{
    return "StopsCarriedOut" + std::to_string(info.param) + "msLate";
}

}  // namespace

TEST_P(WindowLateStops, TheCellDropsThePictureOfAStreamTheDvrEndedUntilTheNextStreamsFirst)
{
    ASSERT_NO_FATAL_FAILURE(connect(GetParam()));
    sim->closeStreams();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !c->IsConnected(); }, 10000));
    // Whichever comes first: the cell without a picture, or the next stream.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !CellPainter::showsPicture(cell()) || c->IsConnected(); },
                                GetParam() + 30000));
    EXPECT_FALSE(CellPainter::showsPicture(cell()));
    EXPECT_FALSE(c->IsConnected());
}

TEST_P(WindowLateStops, AStreamTheDvrEndedCostsBoundedlyManyStreamsAndThenRunsSteadilyInItsCell)
{
    ASSERT_NO_FATAL_FAILURE(connect(GetParam()));
    const int first = int(sim->streams().size()) + 1;
    sim->closeStreams();
    ASSERT_TRUE(QTest::qWaitFor([&] { return steadySince(first) || c->reconnectPending(); },
                                GetParam() + STEADY_MS + 30000));
    const int killed = killedSince(first);
    RecordProperty("streams_opened", int(sim->streams().size()) - first + 1);
    RecordProperty("streams_killed", killed);
    EXPECT_LE(killed, MAX_KILLED);
    EXPECT_TRUE(steadySince(first));
    const qint64 shown = cell().image.cacheKey();
    EXPECT_TRUE(QTest::qWaitFor([&] { return CellPainter::showsPicture(cell()) && cell().image.cacheKey() != shown; }));
    EXPECT_TRUE(iconIs(CControlDVRList::getConnectedIcon()));
}

// 3, 6 and 10 s at the real waits.
INSTANTIATE_TEST_SUITE_P(Delays, WindowLateStops, ::testing::Values(750, 1500, 2500), DelayName);

TEST(WindowLateStopsBeyondTheWait, ADvrWhoseStopsComeLaterThanTheStreamWaitsIsShownFailed)
{
    LateStopWindow v;
    const int delay = ShortStopTimings::ANSWER_MS + 750;
    ASSERT_NO_FATAL_FAILURE(v.connect(delay));
    const int first = int(v.sim->streams().size()) + 1;
    v.sim->closeStreams();
    ASSERT_TRUE(QTest::qWaitFor([&] { return v.c->reconnectPending(); }, delay + 30000));
    const int killed = v.killedSince(first);
    RecordProperty("streams_opened", int(v.sim->streams().size()) - first + 1);
    RecordProperty("streams_killed", killed);
    EXPECT_LE(killed, MAX_KILLED);
    EXPECT_TRUE(v.iconIs(CControlDVRList::getConnectionFailedIcon()));
    v.rig.settle();
    EXPECT_TRUE(v.cell().failed);
    EXPECT_EQ(v.cell().title, QStringLiteral("Connection failed"));
}

TEST(WindowLateStopsBeyondTheWait, ARetryByTheOperatorOnceTheStopsCameInRunsSteadily)
{
    LateStopWindow v;
    const int delay = ShortStopTimings::ANSWER_MS + 750;
    ASSERT_NO_FATAL_FAILURE(v.connect(delay));
    v.sim->closeStreams();
    ASSERT_TRUE(QTest::qWaitFor([&] { return v.c->reconnectPending(); }, delay + 30000));
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const std::vector<simdvr::Request> log = v.sim->requests();
        return std::all_of(log.begin(), log.end(), [](const simdvr::Request& r) {
            return r.transport != simdvr::Transport::Post || r.carriedOutMs >= 0;
        });
    }, delay + 10000));
    const int first = int(v.sim->streams().size()) + 1;
    ASSERT_TRUE(v.rig.connect());
    v.c = v.w->connections()[0];
    ASSERT_TRUE(QTest::qWaitFor([&] { return v.steadySince(first) || v.c->reconnectPending(); },
                                STEADY_MS + 30000));
    EXPECT_EQ(v.killedSince(first), 0);
    EXPECT_TRUE(v.steadySince(first));
}

namespace {

// A DVR whose late stop has ended a stream of the window before; its next stop is never
// answered, and the DVR ends the stream: the stream that follows waits for that stop.
struct StopWaitWindow : LateStopWindow {
    void waitForStop()
    {
        ASSERT_NO_FATAL_FAILURE(connect(750));
        const int first = int(sim->streams().size()) + 1;
        sim->closeStreams();
        // The stream after the one the late stop ended runs: the connection's own state still
        // says connected while the ended stream is being let go.
        ASSERT_TRUE(QTest::qWaitFor([&] { return CSendCommand::lateStopsHurt(c->getDVR()) && runsAfterAKill(first); },
                                    30000));
        simdvr::Misbehaviour never;
        never.stopDelayMs = -1;
        sim->setMisbehaviour(never);
        sim->closeStreams();
        ASSERT_TRUE(QTest::qWaitFor([&] { return CSendCommand::hasUnansweredStreamStops(c->getDVR()); }, 10000));
    }
    bool waitShown() const { return w->displayWidget()->screenContainer()->waitWidget()->isVisible(); }
    // The newest stream began after one since stream `first` that the DVR ended, and sends.
    bool runsAfterAKill(int first) const
    {
        const std::vector<simdvr::StreamInfo> streams = sim->streams();
        int killed = -1;
        for (const simdvr::StreamInfo& st : streams)
            if (st.id >= first && st.closedBySim)
                killed = st.id;
        return killed >= 0 && streams.back().id > killed && streams.back().open && !streams.back().stopped &&
               streams.back().videoFrames > 0 && c->IsConnected();
    }
};

const QString WAIT_TEXT = QStringLiteral("Waiting for the DVR to end the last stream");

}  // namespace

TEST(WindowStopWait, TheCellOfAStreamWaitingForTheDvrsStopsNamesTheWait)
{
    StopWaitWindow v;
    ASSERT_NO_FATAL_FAILURE(v.waitForStop());
    EXPECT_TRUE(QTest::qWaitFor([&] { return v.cell().title == WAIT_TEXT; }, ShortStopTimings::ANSWER_MS));
    uitest::Screenshot(v.w, "window-stop-wait");
    EXPECT_FALSE(CellPainter::showsPicture(v.cell()));
    EXPECT_FALSE(v.cell().failed);
}

TEST(WindowStopWait, TheWaitIndicatorTurnsWhileAStreamWaitsForTheDvrsStops)
{
    StopWaitWindow v;
    ASSERT_NO_FATAL_FAILURE(v.waitForStop());
    EXPECT_TRUE(QTest::qWaitFor([&] { return v.waitShown(); }, ShortStopTimings::ANSWER_MS));
    EXPECT_TRUE(CSendCommand::hasUnansweredStreamStops(v.c->getDVR()));
}

TEST(WindowStopWait, TheTreeDoesNotShowADvrConnectedWhileItsStreamWaitsForItsStops)
{
    StopWaitWindow v;
    ASSERT_NO_FATAL_FAILURE(v.waitForStop());
    EXPECT_TRUE(QTest::qWaitFor([&] { return v.iconIs(CControlDVRList::getDVRIcon()); }, ShortStopTimings::ANSWER_MS));
    EXPECT_FALSE(v.iconIs(CControlDVRList::getConnectedIcon()));
}
