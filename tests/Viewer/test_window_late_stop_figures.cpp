// Figures, not checks of the test run: what an operator sees after a quick switch away from a
// DVR and back, at the real stop waits, for DVRs giving fresh or reused client ids and
// answering stops late or never. Run by hand (they take minutes):
//   test_viewer --gtest_also_run_disabled_tests --gtest_filter='*LateStopFigures*'
// Each switch prints the time to a moving picture, the streams opened and ended by the DVR,
// and every change of the cell, the wait indicator and the tree icon meanwhile.

#include <cstdio>
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
    int stopDelayMs;  // 0: at once
    bool unanswered;
};

std::string KindName(const ::testing::TestParamInfo<Kind>& info) { return info.param.name; }
void PrintTo(const Kind& kind, std::ostream* out) { *out << kind.name; }

class LateStopFigures : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override
    {
        CSendCommand::forgetLateStops();
        sim = &rig.addDvr("Gate", false, 4, 0x1);
        simdvr::Config cfg = sim->config();
        cfg.reuseClientId = GetParam().reuseIds;
        cfg.mainSize = QStringLiteral("cif");
        sim->setConfig(cfg);
        w = &rig.open();
        w->setConnectionTimings(CConnectDVR::RECONNECT_MS, 60000);
        ASSERT_TRUE(rig.connect());
        simdvr::Misbehaviour m;
        m.stopDelayMs = GetParam().stopDelayMs;
        m.stopsUnanswered = GetParam().unanswered;
        sim->setMisbehaviour(m);
    }
    void TearDown() override { CSendCommand::forgetLateStops(); }

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

    // A double-click on the group: the old connections go, new ones dial. Watches for
    // `watchMs` (or until the connection fails) and prints what happened. The time to a
    // moving picture: -1 when none came.
    qint64 doubleClick(const char* what, int watchMs)
    {
        const int first = int(sim->streams().size()) + 1;
        QElapsedTimer clock;
        clock.start();
        w->OnGroupConnect(*w->dvrTree()->topLevelItem(0), 0, -1);
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
            // Moving: two pictures in a row of a stream opened since the click.
            if (CellPainter::showsPicture(cell()) && cell().image.cacheKey() != key) {
                if (key != 0 && ++changes == 2 && moving < 0)
                    moving = clock.elapsed();
                key = cell().image.cacheKey();
            }
            if (!CellPainter::showsPicture(cell()))
                changes = 0;
            if (cell().failed && w->connections().value(0) && w->connections()[0]->reconnectPending())
                break;
            QTest::qWait(20);
        }
        int opened = 0, killed = 0;
        for (const simdvr::StreamInfo& st : sim->streams())
            if (st.id >= first) {
                ++opened;
                killed += st.closedBySim;
            }
        std::printf("    moving picture after %s; %d streams opened, %d ended by the DVR\n",
                    moving < 0 ? "never" : qPrintable(QString::number(moving / 1000.0, 'f', 2) + " s"), opened, killed);
        std::fflush(stdout);
        return moving;
    }

    WindowRig rig;
    simdvr::CSimDvr* sim = nullptr;
    Viewer* w = nullptr;
};

}  // namespace

TEST_P(LateStopFigures, DISABLED_TwoSwitchesBackAndARetry)
{
    // Longer than any stop can strike after the switch.
    const int watch = StopTimings().lateMs + 5000;
    std::printf("%s\n", GetParam().name);
    const qint64 first = doubleClick("first switch back", watch);
    const qint64 second = doubleClick("second switch back", watch);
    qint64 retry = 0;
    if (w->connections().value(0) && w->connections()[0]->reconnectPending()) {
        // The operator tries again once the stops have come in.
        QTest::qWait(StopTimings().lateMs - StopTimings().answerMs);
        retry = doubleClick("retry after the failure", watch);
    }
    // Every switch ends in a moving picture or a failure the operator is shown.
    EXPECT_TRUE(first >= 0 || cell().failed);
    EXPECT_TRUE(second >= 0 || cell().failed);
    EXPECT_GE(retry, 0);
}

INSTANTIATE_TEST_SUITE_P(Dvrs, LateStopFigures,
                         ::testing::Values(Kind{"FreshIdsStopsNeverAnswered", false, 0, true},
                                           Kind{"ReusedIdsStops3sLate", true, 3000, false},
                                           Kind{"ReusedIdsStops6sLate", true, 6000, false},
                                           Kind{"ReusedIdsStops10sLate", true, 10000, false},
                                           Kind{"ReusedIdsStops18sLate", true, 18000, false},
                                           Kind{"ReusedIdsStopsNeverAnswered", true, 0, true},
                                           Kind{"ReusedIdsStopsNeverCarriedOut", true, -1, false}),
                         KindName);
