// The main window with a DVR that gives every stream the same client id and carries out
// stops seconds late. When the DVR ends the stream, its cell drops the last picture until the
// next stream's first, and that stream then runs steadily; a stream that a stop later than any
// wait ended after a switch back is live again at once. While a stream waits for stops, its
// cell and the tree say so. No cell shows a frozen picture as live. The stop waits run at a
// quarter of their real length.

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
    // The video frames the DVR sent on the streams since stream `first`.
    int64_t framesSince(int first) const
    {
        int64_t frames = 0;
        for (const simdvr::StreamInfo& st : sim->streams())
            frames += st.id >= first ? st.videoFrames : 0;
        return frames;
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
    const int first = int(sim->streams().size()) + 1;
    sim->closeStreams();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !c->IsConnected(); }, 10000));
    // Whichever comes first: the cell without a picture, or the next stream's first frame. Not
    // the next stream's connection: the stream dials again on its own thread, and may have done
    // so by the time the cell's drop is seen.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !CellPainter::showsPicture(cell()) || framesSince(first) > 0; },
                                GetParam() + 30000));
    EXPECT_FALSE(CellPainter::showsPicture(cell()));
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

namespace {

// A switch back (a double-click on the group) makes the window's connections anew.
void SwitchBack(LateStopWindow& v)
{
    v.w->OnGroupConnect(*v.w->dvrTree()->topLevelItem(0), 0, -1);
    v.c = v.w->connections()[0];
}

// A switch back to a DVR whose stops come later than any wait: the new stream runs until the
// stop of the last one ends it.
struct BeyondTheWaitWindow : LateStopWindow {
    static constexpr int DELAY_MS = ShortStopTimings::ANSWER_MS + 750;
    void killed()
    {
        ASSERT_NO_FATAL_FAILURE(connect(DELAY_MS));
        first = int(sim->streams().size()) + 1;
        SwitchBack(*this);
        ASSERT_TRUE(QTest::qWaitFor([&] { return killedSince(first) == 1 || c->reconnectPending(); }, DELAY_MS + 30000));
    }
    int first = 0;
};

}  // namespace

TEST(WindowLateStopsBeyondTheWait, AStreamAStopLaterThanAnyWaitEndedIsLiveAgainAtOnce)
{
    BeyondTheWaitWindow v;
    ASSERT_NO_FATAL_FAILURE(v.killed());
    ASSERT_TRUE(QTest::qWaitFor([&] { return v.c->IsConnected() || v.c->reconnectPending(); }, 10000));
    const qint64 shown = v.cell().image.cacheKey();
    EXPECT_TRUE(QTest::qWaitFor([&] { return CellPainter::showsPicture(v.cell()) && v.cell().image.cacheKey() != shown; }));
    EXPECT_FALSE(v.cell().failed);
    EXPECT_TRUE(v.iconIs(CControlDVRList::getConnectedIcon()));
}

TEST(WindowLateStopsBeyondTheWait, TheStreamAfterTheOneTheStopEndedRunsSteadily)
{
    BeyondTheWaitWindow v;
    ASSERT_NO_FATAL_FAILURE(v.killed());
    const int reopened = int(v.sim->streams().size());
    ASSERT_TRUE(QTest::qWaitFor([&] { return v.steadySince(reopened) || v.c->reconnectPending(); }, STEADY_MS + 30000));
    EXPECT_EQ(v.killedSince(v.first), 1);
    EXPECT_TRUE(v.steadySince(reopened));
}

namespace {

// A DVR whose late stop has ended a stream of the window after a switch back; the stop of the
// next switch back is never carried out nor answered: the stream that follows waits for it.
struct StopWaitWindow : LateStopWindow {
    void waitForStop()
    {
        ASSERT_NO_FATAL_FAILURE(connect(750));
        const int first = int(sim->streams().size()) + 1;
        SwitchBack(*this);
        ASSERT_TRUE(QTest::qWaitFor([&] { return LateStopsHurt(c->getDVR()) && runsAfterAKill(first); }, 30000));
        simdvr::Misbehaviour never;
        never.stopDelayMs = -1;
        sim->setMisbehaviour(never);
        SwitchBack(*this);
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
