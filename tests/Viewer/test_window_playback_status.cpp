// The main window's status label in remote playback: the playback mode in force after each
// button, against simulated DVRs.

#include <QLabel>

#include "Playback/PbButtons.h"
#include "Playback/PlaybackWidget.h"
#include "window_test_util.h"

using namespace windowtest;

namespace {

// The bar above the display: DVR name, time and status, left to right.
QLabel* BarLabel(Viewer& w, int index)
{
    for (QFrame* bar : w.displayWidget()->parentWidget()->findChildren<QFrame*>(Qt::FindDirectChildrenOnly)) {
        QLayout* row = bar->layout();
        if (row && row->count() == 3 && qobject_cast<QLabel*>(row->itemAt(index)->widget()))
            return static_cast<QLabel*>(row->itemAt(index)->widget());
    }
    return nullptr;
}

// The playback video stream the DVR runs; a default one (id 0) while there is none.
simdvr::StreamInfo PlaybackStream(const simdvr::CSimDvr& sim)
{
    const std::vector<simdvr::StreamInfo> streams = sim.streams();
    for (auto it = streams.rbegin(); it != streams.rend(); ++it)
        if (it->mode == 1 && !it->audioOnly && it->open)
            return *it;
    return simdvr::StreamInfo();
}

// A window playing back its one DVR from an hour ago at +1X.
struct Playback {
    explicit Playback(bool old, int fps = 10)
    {
        simdvr::CSimDvr& added = rig.addDvr("Office", old, 4);
        simdvr::Config cfg = added.config();
        cfg.fps = fps;
        cfg.mainSize = QStringLiteral("cif");
        added.setConfig(cfg);
        sim = &added;
        Viewer& w = rig.open();
        // A paused DVR sends nothing: no reconnect for that.
        w.setConnectionTimings(300, 60000);
        window = &w;
        status = BarLabel(w, 2);
        time = BarLabel(w, 1);
    }
    bool start()
    {
        if (!status || !time || !rig.connect())
            return false;
        rig.button("Search")->click();
        window->OnSelectedTime(::time(nullptr) - 3600, 0x1);
        if (!QTest::qWaitFor([&] { return status->text() == "Playback( +1X )"; }, 10000))
            return false;
        // The display is laid out again once after the stream changed; a button belongs after that.
        WindowRig::settle();
        return QTest::qWaitFor([&] { return !time->text().isEmpty(); }, 10000);
    }
    void press(cgi::PbControl_Cmd command) { window->playbackWidget()->buttons()->button(command)->click(); }

    WindowRig rig;
    simdvr::CSimDvr* sim = nullptr;
    Viewer* window = nullptr;
    QLabel* status = nullptr;
    QLabel* time = nullptr;
};

}  // namespace

TEST(RemotePlaybackStatus, PausedShowsThePausedMode)
{
    // Old-protocol frames name no pause, and a paused DVR sends none.
    Playback pb(true);
    ASSERT_TRUE(pb.start());
    pb.press(cgi::PbControl::CMD_PAUSE);
    ASSERT_TRUE(pb.sim->waitUntil([&] { return PlaybackStream(*pb.sim).pbMode == PB_PAUSE; }));
    EXPECT_EQ(pb.status->text().toStdString(), "Playback( PAUSE )");
}

TEST(RemotePlaybackStatus, FramesSentBeforeTheDvrTookThePauseDoNotBringBackTheModeBeforeIt)
{
    // A key frame a second, so that frames shown after the button move the time.
    Playback pb(false, 30);
    ASSERT_TRUE(pb.start());
    // The DVR takes the button only a while later, streaming on in the mode before it.
    simdvr::Misbehaviour late;
    late.holdRequests = 1;
    late.holdMs = 4000;
    pb.sim->setMisbehaviour(late);
    const QString before = pb.time->text();
    pb.press(cgi::PbControl::CMD_PAUSE);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !pb.time->text().isEmpty() && pb.time->text() != before; }, 10000))
        << "no frame after the button";
    EXPECT_EQ(pb.status->text().toStdString(), "Playback( PAUSE )");
    ASSERT_TRUE(pb.sim->waitUntil([&] { return PlaybackStream(*pb.sim).pbMode == PB_PAUSE; }, 10000));
    EXPECT_EQ(pb.status->text().toStdString(), "Playback( PAUSE )");
}
