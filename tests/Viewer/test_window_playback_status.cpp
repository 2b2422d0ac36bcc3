// The main window's status bar in remote playback: the playback mode in force after each
// button and after the DVR ended the stream, and the DVR played; against simulated DVRs.

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

// Playback button requests the DVR received.
int PbControls(const simdvr::CSimDvr& sim)
{
    int n = 0;
    for (const simdvr::Request& r : sim.requests())
        n += windowtest::IsStreamCommand(r, "8", cgi::MODE_PB_CONTROL);
    return n;
}

// A window playing back its one DVR from an hour ago at +1X.
struct Playback {
    // stepStatusLate: the DVR's status naming a step comes after the step's frame.
    explicit Playback(bool old, int fps = 10, bool stepStatusLate = false)
    {
        simdvr::CSimDvr& added = rig.addDvr("Office", old, 4);
        simdvr::Config cfg = added.config();
        cfg.fps = fps;
        cfg.mainSize = QStringLiteral("cif");
        cfg.stepStatusAfterFrame = stepStatusLate;
        added.setConfig(cfg);
        sim = &added;
        Viewer& w = rig.open();
        // A paused DVR sends nothing: no reconnect for that.
        w.setConnectionTimings(300, 60000);
        window = &w;
        status = BarLabel(w, 2);
        time = BarLabel(w, 1);
    }
    bool start(int channels = 0x1)
    {
        if (!status || !time || !rig.connect())
            return false;
        rig.button("Search")->click();
        // The operator chooses a time once the search is shown.
        WindowRig::settle();
        window->OnSelectedTime(::time(nullptr) - 3600, channels);
        if (!QTest::qWaitFor([&] { return status->text() == "Playback( +1X )"; }, 10000))
            return false;
        // The display is laid out again once after the stream changed; a button belongs after that.
        WindowRig::settle();
        return QTest::qWaitFor([&] { return !time->text().isEmpty(); }, 10000);
    }
    void press(cgi::PbControl_Cmd command) { window->playbackWidget()->buttons()->button(command)->click(); }
    // Presses the button and waits until the DVR plays in the mode it leads to.
    bool pressUntil(cgi::PbControl_Cmd command, PbMode mode)
    {
        press(command);
        return sim->waitUntil([&] { return PlaybackStream(*sim).pbMode == uint32_t(mode); });
    }
    ::testing::AssertionResult statusBecomes(const char* text)
    {
        if (QTest::qWaitFor([&] { return status->text() == QLatin1String(text); }, 3000))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the status shows \"" << status->text().toStdString() << '"';
    }
    // The DVR ends the playback stream; true once the window has seen the end.
    bool endStream()
    {
        const simdvr::StreamInfo stream = PlaybackStream(*sim);
        if (stream.id == 0)
            return false;
        sim->closeStream(stream.id);
        return QTest::qWaitFor([&] { return !window->connections()[0]->IsConnected(); }, 5000);
    }

    WindowRig rig;
    simdvr::CSimDvr* sim = nullptr;
    Viewer* window = nullptr;
    QLabel* status = nullptr;
    QLabel* time = nullptr;
};

// A current-protocol DVR whose status naming a step follows the step's frame.
struct Stepping : Playback {
    using Press = std::pair<cgi::PbControl_Cmd, PbMode>;

    Stepping() : Playback(false, 10, true) {}
    // Starts, presses each button until the DVR plays in its mode, then waits for the text.
    ::testing::AssertionResult statusAfter(std::initializer_list<Press> presses, const char* text)
    {
        if (!start())
            return ::testing::AssertionFailure() << "no playback";
        for (const Press& p : presses)
            if (!pressUntil(p.first, p.second))
                return ::testing::AssertionFailure() << "the DVR did not take button " << p.first;
        return statusBecomes(text);
    }
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

TEST(RemotePlaybackStatus, ForwardAfterAPauseShowsTheForwardMode)
{
    // Old-protocol frames name their mode; the frames before the pause named +1X too.
    Playback pb(true);
    ASSERT_TRUE(pb.start());
    ASSERT_TRUE(pb.pressUntil(cgi::PbControl::CMD_PAUSE, PB_PAUSE));
    ASSERT_TRUE(pb.statusBecomes("Playback( PAUSE )"));
    ASSERT_TRUE(pb.pressUntil(cgi::PbControl::CMD_FORWARD, PB_FORWARD_1X));
    EXPECT_TRUE(pb.statusBecomes("Playback( +1X )"));
}

TEST(RemotePlaybackStatus, StepForwardShowsTheStepMode)
{
    Stepping pb;
    EXPECT_TRUE(pb.statusAfter({{cgi::PbControl::CMD_STEP_FORWARD, PB_STEP_FORWARD}}, "Playback( STEP+ )"));
    uitest::Screenshot(pb.window, "playback-step-forward");
}

TEST(RemotePlaybackStatus, StepBackwardAfterStepForwardShowsStepBackward)
{
    Stepping pb;
    EXPECT_TRUE(pb.statusAfter({{cgi::PbControl::CMD_STEP_FORWARD, PB_STEP_FORWARD},
                                {cgi::PbControl::CMD_STEP_REVERSE, PB_STEP_BACKWARD}},
                               "Playback( STEP- )"));
    uitest::Screenshot(pb.window, "playback-step-backward");
}

TEST(RemotePlaybackStatus, StepForwardWhilePausedShowsTheStepMode)
{
    Stepping pb;
    EXPECT_TRUE(pb.statusAfter({{cgi::PbControl::CMD_PAUSE, PB_PAUSE}, {cgi::PbControl::CMD_STEP_FORWARD, PB_STEP_FORWARD}},
                               "Playback( STEP+ )"));
}

TEST(RemotePlaybackStatus, APlaybackTheDvrEndedShowsTheStopMode)
{
    Playback pb(false);
    ASSERT_TRUE(pb.start());
    ASSERT_TRUE(pb.endStream());
    EXPECT_TRUE(pb.statusBecomes("Playback( STOP )"));
    uitest::Screenshot(pb.window, "playback-ended-stop");
}

TEST(RemotePlaybackStatus, ButtonsOfAPlaybackTheDvrEndedAreNotSent)
{
    Playback pb(false);
    ASSERT_TRUE(pb.start());
    ASSERT_TRUE(pb.endStream());
    const int before = PbControls(*pb.sim);
    pb.press(cgi::PbControl::CMD_PAUSE);
    pb.press(cgi::PbControl::CMD_FASTER);
    QTest::qWait(500);
    EXPECT_EQ(PbControls(*pb.sim), before);
}

TEST(RemotePlaybackStatus, APlaybackTheDvrEndedKeepsTheStopModeAfterAButton)
{
    Playback pb(false);
    ASSERT_TRUE(pb.start());
    ASSERT_TRUE(pb.endStream());
    ASSERT_TRUE(pb.statusBecomes("Playback( STOP )"));
    pb.press(cgi::PbControl::CMD_PAUSE);
    QTest::qWait(300);
    EXPECT_EQ(pb.status->text().toStdString(), "Playback( STOP )");
}

TEST(RemotePlaybackStatus, AnOldDvrsPlaybackSoundStopsWithTheVideoTheDvrEnded)
{
    Playback pb(true);
    ASSERT_TRUE(pb.start());
    const auto audioOpen = [&] {
        const std::vector<simdvr::StreamInfo> streams = pb.sim->streams();
        return std::any_of(streams.begin(), streams.end(), [](const simdvr::StreamInfo& s) {
            return s.mode == 1 && s.audioOnly && s.open;
        });
    };
    ASSERT_TRUE(pb.sim->waitUntil(audioOpen));
    ASSERT_TRUE(pb.endStream());
    EXPECT_TRUE(pb.sim->waitUntil([&] { return !audioOpen(); }, 3000));
}

TEST(RemotePlaybackStatus, TheDvrLabelNamesTheDvrPlayedWithoutItsFirstChannel)
{
    Playback pb(false);
    QLabel* dvr = BarLabel(*pb.window, 0);
    ASSERT_NE(dvr, nullptr);
    ASSERT_TRUE(pb.start(0x2));
    EXPECT_EQ(dvr->text().toStdString(), "Office( admin )");
}

TEST(RemotePlaybackStatus, TheDvrLabelNamesTheDvrAfterStop)
{
    Playback pb(false);
    QLabel* dvr = BarLabel(*pb.window, 0);
    ASSERT_NE(dvr, nullptr);
    ASSERT_TRUE(pb.start());
    pb.press(cgi::PbControl::CMD_STOP);
    WindowRig::settle();
    EXPECT_EQ(dvr->text().toStdString(), "Office( admin )");
}
