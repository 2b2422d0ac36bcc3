// The relay page: on, off and auto-off on both protocols, and where the auto-off goes.

#include <cstring>

#include <QTimer>

#include "LiveCtrl/RemotePortWiget.h"
#include "livectrl_test_util.h"

using namespace lctest;

namespace {

// On (true) or off, as the DVR took it in; the current protocol names no port.
bool IsOn(const Request& r)
{
    if (r.oldProtocol) {
        EXPECT_EQ(r.body.left(25), "MODE=5&CID=7&OP=20&LEN=3&");
        EXPECT_TRUE(r.body.endsWith("REQ=0,1") || r.body.endsWith("REQ=0,0")) << r.body.constData();
        return r.body.endsWith("REQ=0,1");
    }
    const auto relay = Decoded<cgi::RelayPort>(r, cgi::MODE_RELAY_PORT);
    cgi::RelayPort only;
    only.set_cmd(relay.cmd());
    EXPECT_EQ(r.data, only.SerializeAsString());
    return relay.cmd() == cgi::RelayPort::CMD_ON;
}

std::vector<bool> Switched(const std::vector<Request>& posts)
{
    std::vector<bool> on;
    for (const Request& r : posts)
        on.push_back(IsOn(r));
    return on;
}

// Makes a running auto-off expire now.
void Expire(CRemotePortWiget& page)
{
    ASSERT_TRUE(page.autoOffTimer().isActive());
    page.findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly)->start(0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !page.autoOffTimer().isActive(); }));
}

}  // namespace

TEST(RelayPage, OnOffAndAutoBeforeAnyDelayOnBothProtocols)
{
    for (const bool old : {false, true}) {
        SCOPED_TRACE(old ? "old" : "current");
        CSimDvr sim(Config(old));
        ASSERT_TRUE(sim.start());
        CRemotePortWiget page;
        page.setConnectedDVR(Entry(sim, old), 7);
        QTest::mouseClick(Button(page, "RPOn0"), Qt::LeftButton);
        QTest::mouseClick(Button(page, "RPOff0"), Qt::LeftButton);
        // No delay chosen yet: on, and off as soon as the events run.
        for (const char* delay : {"AutoOff0", "AutoOff1", "AutoOff2", "AutoOff3"})
            EXPECT_FALSE(Button(page, delay)->isChecked());
        EXPECT_EQ(page.autoOffSeconds(), 0);
        QTest::mouseClick(Button(page, "RPAuto0"), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !Button(page, "RPAuto0")->isChecked(); }));
        EXPECT_FALSE(page.autoOffTimer().isActive());
        EXPECT_EQ(Switched(SentBy(page.commandSender(), sim)), (std::vector<bool>{true, false, true, false}));
    }
}

TEST(RelayPage, TheAutoOffReachesTheDvrSwitchedOnAfterTheDelayOfTheButtonsName)
{
    CSimDvr first(Config(false));
    CSimDvr second(Config(true));
    ASSERT_TRUE(first.start() && second.start());
    CRemotePortWiget page;
    page.setConnectedDVR(Entry(first, false), 7);
    const std::pair<const char*, int> delays[] = {{"AutoOff3", 30}, {"AutoOff0", 5}, {"AutoOff2", 20}, {"AutoOff1", 10}};
    for (const auto& [name, seconds] : delays) {
        Button(page, name)->setText(QStringLiteral("zehn"));  // translated texts say nothing
        QTest::mouseClick(Button(page, name), Qt::LeftButton);
        EXPECT_EQ(page.autoOffSeconds(), seconds) << name;
    }
    QTest::mouseClick(Button(page, "RPAuto0"), Qt::LeftButton);
    EXPECT_TRUE(Button(page, "RPAuto0")->isChecked());
    EXPECT_EQ(page.autoOffTimer().interval(), 10000);
    page.setConnectedDVR(Entry(second, true), 9);  // another DVR selected meanwhile
    Expire(page);
    EXPECT_FALSE(Button(page, "RPAuto0")->isChecked());
    EXPECT_EQ(Switched(SentBy(page.commandSender(), first)), (std::vector<bool>{true, false}));
    EXPECT_TRUE(Posts(second).empty());
}

TEST(RelayPage, OnOrOffEndsAPendingAutoOffAndASecondAutoLeavesTheRelayOn)
{
    CSimDvr sim(Config(false));
    ASSERT_TRUE(sim.start());
    CRemotePortWiget page;
    page.setConnectedDVR(Entry(sim, false), 7);
    QTest::mouseClick(Button(page, "AutoOff1"), Qt::LeftButton);
    for (const char* end : {"RPOff0", "RPOn0", "RPAuto0"}) {
        sim.clearLog();
        QTest::mouseClick(Button(page, "RPAuto0"), Qt::LeftButton);
        EXPECT_TRUE(page.autoOffTimer().isActive());
        QTest::mouseClick(Button(page, end), Qt::LeftButton);
        EXPECT_FALSE(page.autoOffTimer().isActive()) << end;
        EXPECT_FALSE(Button(page, "RPAuto0")->isChecked()) << end;
        EXPECT_EQ(Switched(SentBy(page.commandSender(), sim)), (std::vector<bool>{true, std::strcmp(end, "RPOff0") != 0}))
            << end;
    }
}
