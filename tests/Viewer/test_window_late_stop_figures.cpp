// Figures, not checks of the test run: what an operator sees after a quick switch away from a
// DVR and back, at the real stop waits, for DVRs of either protocol giving fresh or reused
// client ids and carrying out stops at once, late or never, answering them or not. Run by
// hand (they take minutes):
//   test_viewer --gtest_also_run_disabled_tests --gtest_filter='*LateStopFigures*'
// Each event prints the time to a moving picture, the stream requests sent and the streams
// the DVR ended, and every change of the cell, the wait indicator and the tree icon meanwhile.

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <ostream>

#include "Display/CellPainter.h"
#include "Display/Screen.h"
#include "Network/StopTimings.h"
#include "window_test_util.h"

using namespace windowtest;

namespace {

struct Kind {
    const char* name;
    bool reuseIds;
    int stopDelayMs;  // 0: at once; -1: never carried out
    bool unanswered;
    bool old = false;
};

std::string KindName(const ::testing::TestParamInfo<Kind>& info) { return info.param.name; }
void PrintTo(const Kind& kind, std::ostream* out) { *out << kind.name; }

class LateStopFigures : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override
    {
        CSendCommand::stopLedger().forget();
        sim = &rig.addDvr("Gate", GetParam().old, 4, 0x1);
        // The list holds no stream kind: the first frame tells it.
        rig.list.mutable_group(0)->mutable_dvr(0)->set_protocol_type(0);
        simdvr::Config cfg = sim->config();
        cfg.reuseClientId = GetParam().reuseIds;
        cfg.mainSize = QStringLiteral("cif");
        if (GetParam().old)
            cfg.model = 12;  // H.264
        sim->setConfig(cfg);
        w = &rig.open();
        w->setConnectionTimings(CConnectDVR::RECONNECT_MS, 60000);
        ASSERT_TRUE(rig.connect());
        simdvr::Misbehaviour m;
        m.stopDelayMs = GetParam().stopDelayMs;
        m.stopsUnanswered = GetParam().unanswered;
        sim->setMisbehaviour(m);
    }
    void TearDown() override { CSendCommand::stopLedger().forget(); }

    const CDisplayInfo& cell() const { return w->displayWidget()->screenContainer()->getInfo(0); }
    QString shown() const
    {
        const CDisplayInfo& c = cell();
        QString text = CellPainter::showsPicture(c) ? QStringLiteral("picture") : QStringLiteral("no picture");
        if (!c.title.isEmpty() && !CellPainter::showsPicture(c))
            text += QStringLiteral(" \"%1\"").arg(c.title);
        if (c.failed)
            text += QStringLiteral(" (failed)");
        text += w->displayWidget()->screenContainer()->waitWidget()->isVisible() ? QStringLiteral(", spinner")
                                                                                 : QStringLiteral(", no spinner");
        const qint64 icon = w->dvrTree()->topLevelItem(0)->child(0)->icon(0).cacheKey();
        text += icon == CControlDVRList::getConnectedIcon().cacheKey()          ? QStringLiteral(", tree connected")
                : icon == CControlDVRList::getConnectionFailedIcon().cacheKey() ? QStringLiteral(", tree failed")
                                                                                 : QStringLiteral(", tree plain");
        return text;
    }

    // Runs `action`, then watches for `watchMs` (or until the connection fails, or `afterMoving`
    // past a moving picture) and prints what happened. The time to a moving picture: -1 when
    // none came.
    qint64 watch(const char* what, const std::function<void()>& action, int watchMs, int afterMoving = -1)
    {
        const int first = int(sim->streams().size()) + 1;
        const int requestsBefore = streamRequests();
        QElapsedTimer clock;
        clock.start();
        action();
        QString last;
        qint64 moving = -1;
        qint64 key = 0;
        int changes = 0;
        std::printf("  %s\n", what);
        while (clock.elapsed() < watchMs) {
            const QString now = shown();
            if (now != last) {
                std::printf("    %6.2f s  %s\n", clock.elapsed() / 1000.0, qPrintable(now));
                last = now;
            }
            // Moving: two pictures in a row of a stream opened since the action.
            if (CellPainter::showsPicture(cell()) && cell().image.cacheKey() != key) {
                if (key != 0 && ++changes == 2 && moving < 0)
                    moving = clock.elapsed();
                key = cell().image.cacheKey();
            }
            if (!CellPainter::showsPicture(cell()))
                changes = 0;
            if (cell().failed && w->connections().value(0) && w->connections()[0]->reconnectPending())
                break;
            if (afterMoving >= 0 && moving >= 0 && clock.elapsed() >= moving + afterMoving)
                break;
            QTest::qWait(20);
        }
        int opened = 0, killed = 0;
        for (const simdvr::StreamInfo& st : sim->streams())
            if (st.id >= first && !st.audioOnly) {
                ++opened;
                killed += st.closedBySim;
            }
        std::printf("    moving picture after %s; %d video stream requests, %d streams opened, %d ended by the DVR\n",
                    moving < 0 ? "never" : qPrintable(QString::number(moving / 1000.0, 'f', 2) + " s"),
                    streamRequests() - requestsBefore, opened, killed);
        std::fflush(stdout);
        return moving;
    }
    // A double-click on the group: the old connections go, new ones dial.
    qint64 doubleClick(const char* what, int watchMs, int afterMoving = -1)
    {
        return watch(what, [this] { w->OnGroupConnect(*w->dvrTree()->topLevelItem(0), 0, -1); }, watchMs, afterMoving);
    }
    int streamRequests() const
    {
        int n = 0;
        for (const simdvr::Request& r : sim->requests())
            n += r.transport == simdvr::Transport::Stream && !r.hasParam("CID");
        return n;
    }
    // Long enough for any stop of the row to strike.
    int watchMs() const { return std::max(8000, GetParam().stopDelayMs + 6000); }

    WindowRig rig;
    simdvr::CSimDvr* sim = nullptr;
    Viewer* w = nullptr;
};

}  // namespace

TEST_P(LateStopFigures, DISABLED_SwitchesBackClosesByTheDvrAndAPlayback)
{
    std::printf("%s\n", GetParam().name);
    const int watchFor = watchMs();
    doubleClick("first switch back", watchFor);
    doubleClick("second switch back", watchFor);
    doubleClick("third switch back, then the DVR ends the stream 2 s into its moving picture", watchFor, 2000);
    watch("the DVR ended the stream", [this] { sim->closeStreams(); }, watchFor);
    doubleClick("switch back after that close", watchFor);
    if (w->connections().value(0) && w->connections()[0]->reconnectPending()) {
        // The operator tries again once the stops have come in.
        QTest::qWait(StopTimings().lateMs - StopTimings().answerMs);
        doubleClick("retry after the failure", watchFor);
    }
    const int playbacksBefore = [this] {
        int n = 0;
        for (const simdvr::StreamInfo& st : sim->streams())
            n += st.mode == 1 && !st.audioOnly;
        return n;
    }();
    watch("Search and a click on the time line an hour back", [this] {
        rig.button("Search")->click();
        WindowRig::settle();
        w->OnSelectedTime(::time(nullptr) - 3600, 0x1);
    }, watchFor);
    int playbacks = 0, playbacksEnded = 0;
    for (const simdvr::StreamInfo& st : sim->streams())
        if (st.mode == 1 && !st.audioOnly) {
            ++playbacks;
            playbacksEnded += st.closedBySim;
        }
    std::printf("    playback streams %d, ended by the DVR %d; the connection %s\n", playbacks - playbacksBefore,
                playbacksEnded, w->connections().value(0) && w->connections()[0]->IsConnected() ? "plays" : "stopped");
    std::fflush(stdout);
    EXPECT_TRUE(w->connections().value(0) && w->connections()[0]->IsConnected());
}

INSTANTIATE_TEST_SUITE_P(
    Dvrs, LateStopFigures,
    ::testing::Values(Kind{"FreshIdsStopsNeverAnswered", false, 0, true},
                      Kind{"ReusedIdsStopsAtOnceAnswered", true, 0, false},
                      Kind{"ReusedIdsStopsAtOnceNeverAnswered", true, 0, true},
                      Kind{"ReusedIdsStops3sLate", true, 3000, false},
                      Kind{"ReusedIdsStops6sLate", true, 6000, false},
                      Kind{"ReusedIdsStops10sLate", true, 10000, false},
                      Kind{"ReusedIdsStops18sLate", true, 18000, false},
                      Kind{"ReusedIdsStops40sLate", true, 40000, false},
                      Kind{"ReusedIdsStopsNeverCarriedOut", true, -1, false},
                      Kind{"OldFreshIdsStopsNeverAnswered", false, 0, true, true},
                      Kind{"OldReusedIdsStopsAtOnceNeverAnswered", true, 0, true, true},
                      Kind{"OldReusedIdsStops6sLate", true, 6000, false, true},
                      Kind{"OldReusedIdsStops18sLate", true, 18000, false, true}),
    KindName);
