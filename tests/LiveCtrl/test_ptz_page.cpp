// The PTZ page: what each button sends on both protocols, holding, order, the speed.

#include <QComboBox>
#include <QLabel>
#include <QSlider>

#include "LiveCtrl/PtzfWidget.h"
#include "livectrl_test_util.h"

using namespace lctest;

namespace {

struct MoveRow {
    const char* button;
    int cmd;      // current protocol
    int oldCode;  // -1: the old protocol has none
};

const MoveRow MOVES[] = {
    {"ptzf_up", 8, 6},         {"ptzf_down", 9, 7},         {"ptzf_left", 7, 5},
    {"ptzf_right", 6, 4},      {"ptzf_zoom_in", 0, 0},      {"ptzf_zoom_out", 1, 1},
    {"ptzf_focus_far", 2, 2},  {"ptzf_focus_near", 3, 3},   {"ptzf_iris_open", 4, -1},
    {"ptzf_iris_close", 5, -1},
};

QByteArray OldPtz(int cid, int channel, const QByteArray& req)
{
    return "MODE=5&CID=" + QByteArray::number(cid) + "&OP=7&CH=" + QByteArray::number(channel)
           + "&LEN=" + QByteArray::number(req.size()) + "&REQ=" + req;
}

void ExpectPtzf(const Request& r, int cmd, int channel, int speed, int preset = -1)
{
    const auto m = Decoded<cgi::Ptzf>(r, cgi::MODE_PTZF);
    EXPECT_EQ(int(m.cmd()), cmd);
    EXPECT_TRUE(m.has_channel() && m.has_speed());
    EXPECT_EQ(int(m.channel()), channel);
    EXPECT_EQ(int(m.speed()), speed);
    EXPECT_EQ(m.has_preset(), preset >= 0);
    if (preset >= 0) {
        EXPECT_EQ(int(m.preset()), preset);
    }
}

struct PtzPage {
    explicit PtzPage(bool old) : sim(Config(old))
    {
        EXPECT_TRUE(sim.start());
        page = std::make_unique<CPtzfWidget>();
        page->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(page.get()));
        page->setConnectedDVR(Entry(sim, old), 7);
        page->setChannel(5);
        page->findChild<QSlider*>("Speed")->setValue(2);
    }
    std::vector<Request> sent() { return SentBy(page->commandSender(), sim); }

    uitest::Sandbox sandbox;
    CSimDvr sim;
    std::unique_ptr<CPtzfWidget> page;
};

}  // namespace

TEST(PtzPage, EveryMoveAndItsStopOnBothProtocols)
{
    for (const bool old : {false, true}) {
        PtzPage p(old);
        EXPECT_EQ(Button(*p.page, "ptzf_iris_open")->isEnabled(), !old);
        EXPECT_EQ(Button(*p.page, "ptzf_iris_close")->isEnabled(), !old);
        for (const MoveRow& row : MOVES) {
            SCOPED_TRACE(std::string(row.button) + (old ? " old" : " current"));
            p.sim.clearLog();
            QTest::mousePress(Button(*p.page, row.button), Qt::LeftButton);
            QTest::mouseRelease(Button(*p.page, row.button), Qt::LeftButton);
            const std::vector<Request> posts = p.sent();
            if (old && row.oldCode < 0) {
                EXPECT_TRUE(posts.empty());
                continue;
            }
            ASSERT_EQ(posts.size(), 2u);
            if (old) {
                EXPECT_EQ(posts[0].body, OldPtz(7, 5, QByteArray::number(row.oldCode) + "S2"));
                EXPECT_EQ(posts[1].body, OldPtz(7, 5, "8"));
            } else {
                ExpectPtzf(posts[0], row.cmd, 5, 2);
                ExpectPtzf(posts[1], cgi::Ptzf::CMD_STOP, 5, 2);
            }
        }
    }
}

TEST(PtzPage, PresetsAreSentByIndexOrByNumber)
{
    for (const bool old : {false, true}) {
        SCOPED_TRACE(old ? "old" : "current");
        PtzPage p(old);
        auto* presets = p.page->findChild<QComboBox*>("presetNum");
        ASSERT_EQ(presets->count(), 99);
        EXPECT_EQ(presets->itemText(98), "preset 99");
        EXPECT_EQ(presets->currentIndex(), 0);
        presets->setCurrentIndex(4);
        QTest::mouseClick(Button(*p.page, "Set"), Qt::LeftButton);
        presets->setCurrentIndex(98);
        QTest::mouseClick(Button(*p.page, "Go"), Qt::LeftButton);
        const std::vector<Request> posts = p.sent();
        ASSERT_EQ(posts.size(), 2u);
        EXPECT_FALSE(p.page->repeatTimer().isActive());
        if (old) {
            EXPECT_EQ(posts[0].body, OldPtz(7, 5, "9S5"));
            EXPECT_EQ(posts[1].body, OldPtz(7, 5, "9G99"));
        } else {
            ExpectPtzf(posts[0], cgi::Ptzf::CMD_PRESET_SET, 5, 2, 4);
            ExpectPtzf(posts[1], cgi::Ptzf::CMD_PRESET_GO, 5, 2, 98);
        }
    }
}

TEST(PtzPage, AHeldMoveRepeatsEverySecondWithTheSpeedOfThatMoment)
{
    PtzPage p(false);
    QPushButton* up = Button(*p.page, "ptzf_up");
    QTest::mousePress(up, Qt::LeftButton);
    EXPECT_TRUE(p.page->repeatTimer().isActive());
    EXPECT_EQ(p.page->repeatTimer().interval(), 1000);
    p.page->findChild<QSlider*>("Speed")->setValue(3);  // sends nothing by itself
    EXPECT_EQ(p.sent().size(), 1u);
    p.page->OnTimer();
    EXPECT_EQ(p.sent().size(), 2u);  // a repeat goes once the one before it is through
    p.page->OnTimer();
    EXPECT_EQ(p.sent().size(), 3u);
    QTest::mouseRelease(up, Qt::LeftButton);
    EXPECT_FALSE(p.page->repeatTimer().isActive());
    p.page->OnTimer();  // nothing held: nothing sent
    const std::vector<Request> posts = p.sent();
    ASSERT_EQ(posts.size(), 4u);
    ExpectPtzf(posts[0], cgi::Ptzf::CMD_UP, 5, 2);
    ExpectPtzf(posts[1], cgi::Ptzf::CMD_UP, 5, 3);
    ExpectPtzf(posts[2], cgi::Ptzf::CMD_UP, 5, 3);
    ExpectPtzf(posts[3], cgi::Ptzf::CMD_STOP, 5, 3);
}

TEST(PtzPage, TheStopFollowsItsMoveToTheSameCameraWhenTheDvrIsSlow)
{
    PtzPage p(false);
    CSimDvr other(Config(false));
    ASSERT_TRUE(other.start());
    simdvr::Misbehaviour slow;
    slow.holdRequests = 1;
    slow.holdMs = 300;
    p.sim.setMisbehaviour(slow);

    QPushButton* left = Button(*p.page, "ptzf_left");
    QTest::mousePress(left, Qt::LeftButton);
    p.page->setConnectedDVR(Entry(other, false), 3);  // another screen selected meanwhile
    p.page->setChannel(9);
    p.page->OnTimer();  // still queued behind the move when the release comes
    QTest::mouseRelease(left, Qt::LeftButton);
    std::vector<Request> posts = p.sent();
    ASSERT_EQ(posts.size(), 2u);
    ExpectPtzf(posts[0], cgi::Ptzf::CMD_LEFT, 5, 2);
    ExpectPtzf(posts[1], cgi::Ptzf::CMD_STOP, 5, 2);
    EXPECT_TRUE(Posts(other).empty());

    // The next press goes where the selection is now.
    QTest::mouseClick(left, Qt::LeftButton);
    posts = SentBy(p.page->commandSender(), other);
    ASSERT_EQ(posts.size(), 2u);
    ExpectPtzf(posts[1], cgi::Ptzf::CMD_STOP, 9, 2);
}

TEST(PtzPage, TheSpeedIsKeptAcrossRunsWithItsName)
{
    uitest::Sandbox sandbox;
    const std::pair<QVariant, std::pair<int, const char*>> rows[] = {
        {QVariant(), {0, "Slow"}}, {1, {1, "Normal"}}, {2, {2, "Fast"}}, {7, {3, "Very Fast"}}, {-4, {0, "Slow"}}};
    for (const auto& [stored, shown] : rows) {
        if (stored.isValid())
            CAppSettings().writeSetting(QStringLiteral("Speed"), stored);
        CPtzfWidget page;
        EXPECT_EQ(page.findChild<QSlider*>("Speed")->value(), shown.first);
        EXPECT_EQ(page.findChild<QLabel*>("SpeedLabel")->text(), shown.second);
    }
    {
        CPtzfWidget page;
        page.findChild<QSlider*>("Speed")->setValue(2);
        EXPECT_EQ(page.findChild<QLabel*>("SpeedLabel")->text(), "Fast");
    }
    EXPECT_EQ(CAppSettings().readSetting(QStringLiteral("Speed"), -1).toInt(), 2);
}
