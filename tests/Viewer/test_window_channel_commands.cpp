// The stream-channel commands a layout change sends to the DVRs of the group.

#include "Network/SendCommand.h"
#include "Settings/AppSettings.h"
#include "window_test_util.h"

using namespace windowtest;
using simdvr::Request;
using simdvr::Transport;

namespace {

bool IsChannelCommand(const Request& r) { return IsStreamCommand(r, "3", cgi::MODE_STREAM_CHANNEL); }

// Stream-channel commands logged for the video streams, or the old protocol's audio streams.
int ChannelCommands(const simdvr::CSimDvr& sim, bool audio = false)
{
    int n = 0;
    for (const Request& r : sim.requests())
        n += IsChannelCommand(r) && (r.oldProtocol && r.param("CID").toInt() >= 100) == audio;
    return n;
}

// Until the DVR has its command, then long enough for any later one to arrive.
bool CommandsSettle(simdvr::CSimDvr& sim)
{
    if (!sim.waitForRequest(IsChannelCommand))
        return false;
    WindowRig::settle();
    QTest::qWait(500);
    return true;
}

// The group connected in Live S with all 16 screens, the command each connect sends answered
// and forgotten.
bool ConnectAndForget(WindowRig& rig)
{
    rig.open();
    if (!rig.connect())
        return false;
    for (const auto& sim : rig.sims)
        if (!sim->waitForRequest([](const Request& r) { return IsChannelCommand(r) && r.answeredMs >= 0; }, 10000))
            return false;
    if (!CSendCommand::waitForAllCommands(10000))
        return false;
    for (const auto& sim : rig.sims)
        sim->clearLog();
    return true;
}

// One DVR connected, then one layout change from 16 screens to channel 2 alone; null when the
// DVR never got a command for it.
simdvr::CSimDvr* ChangeLayoutOnce(WindowRig& rig, bool old)
{
    simdvr::CSimDvr& sim = rig.addDvr("Gate", old, 4);
    if (!ConnectAndForget(rig))
        return nullptr;
    rig.button("Ch2")->click();
    return CommandsSettle(sim) ? &sim : nullptr;
}

}  // namespace

TEST(WindowChannelCommands, ALayoutChangeSendsACurrentDvrOneCommand)
{
    WindowRig rig;
    const simdvr::CSimDvr* sim = ChangeLayoutOnce(rig, false);
    ASSERT_TRUE(sim);
    EXPECT_EQ(ChannelCommands(*sim), 1);
}

TEST(WindowChannelCommands, ALayoutChangeSendsAnOldDvrOneQueryForItsVideoStream)
{
    WindowRig rig;
    const simdvr::CSimDvr* sim = ChangeLayoutOnce(rig, true);
    ASSERT_TRUE(sim);
    EXPECT_EQ(ChannelCommands(*sim), 1);
}

TEST(WindowChannelCommands, ALayoutChangeSendsAnOldDvrOneQueryForItsAudioStream)
{
    WindowRig rig;
    const simdvr::CSimDvr* sim = ChangeLayoutOnce(rig, true);
    ASSERT_TRUE(sim);
    EXPECT_EQ(ChannelCommands(*sim, true), 1);
}

TEST(WindowChannelCommands, ReturningToTheLayoutBeforeSendsItsCommandAgain)
{
    WindowRig rig;
    simdvr::CSimDvr* sim = ChangeLayoutOnce(rig, false);
    ASSERT_TRUE(sim);
    sim->clearLog();
    rig.button("Screen16_0")->click();
    ASSERT_TRUE(CommandsSettle(*sim));
    EXPECT_EQ(ChannelCommands(*sim), 1);
}

TEST(WindowChannelCommands, AStreamReopenedWithTheSameIdGetsTheLayoutsCommandAgain)
{
    WindowRig rig;
    simdvr::CSimDvr& sim = rig.addDvr("Gate", false, 4);
    simdvr::Config cfg = sim.config();
    cfg.reuseClientId = true;
    sim.setConfig(cfg);
    ASSERT_TRUE(ConnectAndForget(rig));
    rig.button("Ch2")->click();
    ASSERT_TRUE(CommandsSettle(sim));
    ASSERT_EQ(LastVideoMask(sim), 0x4);
    sim.clearLog();
    sim.closeStreams();  // the stream lived: reopened at once, asking every channel
    ASSERT_TRUE(sim.waitForStreams(1, 10000));
    ASSERT_TRUE(CommandsSettle(sim));
    EXPECT_EQ(LastVideoMask(sim), 0x4);
}

// With the stream kind chosen by the layout, a DVR whose cells are off the Live M page is
// asked for no channels once; a change that switches the kind for the shown one asks it
// nothing new.
TEST(WindowChannelCommands, AHiddenDvrGetsNoCommandAgainWhenTheLayoutSwitchesTheStreamKind)
{
    WindowRig rig;
    CAppSettings().writeSetting(CAppSettings::CODEC_TYPE, 3);
    simdvr::CSimDvr& shown = rig.addDvr("Front", false, 16);
    simdvr::CSimDvr& hidden = rig.addDvr("Yard", false, 4);
    rig.open();
    rig.button("LiveM")->click();
    ASSERT_TRUE(rig.connect());
    rig.button("Screen4x4")->click();
    ASSERT_TRUE(hidden.waitUntil([&] { return LastVideoMask(hidden) == 0; }));
    ASSERT_TRUE(CommandsSettle(shown));
    hidden.clearLog();
    shown.clearLog();
    rig.button("Screen2x2")->click();
    ASSERT_TRUE(CommandsSettle(shown));
    EXPECT_EQ(ChannelCommands(hidden), 0);
}
