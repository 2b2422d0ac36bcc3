// The preset tour page: start and end on both protocols, the tour remembered per channel.

#include <QComboBox>

#include "LiveCtrl/AutoPresetWidget.h"
#include "livectrl_test_util.h"

using namespace lctest;

namespace {

struct Tour {
    int start, end, interval;
    bool operator==(const Tour& o) const { return start == o.start && end == o.end && interval == o.interval; }
};

Tour Stored(int channel)
{
    Tour t{};
    CAppSettings().readAutoPreset(channel, t.start, t.end, t.interval);
    return t;
}

Tour Shown(CAutoPresetWidget& page)
{
    return {page.findChild<QComboBox*>("StartPreset")->currentIndex(), page.findChild<QComboBox*>("EndPreset")->currentIndex(),
            page.findChild<QComboBox*>("Interval")->currentText().toInt()};
}

void Choose(CAutoPresetWidget& page, int start, int end, const QString& interval)
{
    page.findChild<QComboBox*>("StartPreset")->setCurrentIndex(start);
    page.findChild<QComboBox*>("EndPreset")->setCurrentIndex(end);
    auto* intervals = page.findChild<QComboBox*>("Interval");
    intervals->setCurrentIndex(intervals->findText(interval));
}

}  // namespace

TEST(AutoPresetPage, StartAndEndOnBothProtocolsStoreNothing)
{
    for (const bool old : {false, true}) {
        SCOPED_TRACE(old ? "old" : "current");
        uitest::Sandbox sandbox;
        CSimDvr sim(Config(old));
        ASSERT_TRUE(sim.start());
        CAutoPresetWidget page;
        page.setConnectedDVR(Entry(sim, old), 7);
        page.setChannel(5);
        EXPECT_EQ(Shown(page), (Tour{0, 0, 5}));
        auto* intervals = page.findChild<QComboBox*>("Interval");
        ASSERT_EQ(intervals->count(), 6);
        EXPECT_EQ(intervals->itemText(5), "60");
        EXPECT_EQ(page.findChild<QComboBox*>("EndPreset")->itemText(98), "preset 99");

        Choose(page, 2, 7, QStringLiteral("30"));
        QTest::mouseClick(Button(page, "AutoStart"), Qt::LeftButton);
        QTest::mouseClick(Button(page, "AutoEnd"), Qt::LeftButton);
        const std::vector<Request> posts = SentBy(page.commandSender(), sim);
        ASSERT_EQ(posts.size(), 2u);
        if (old) {
            EXPECT_EQ(posts[0].body, "MODE=5&CID=7&OP=7&CH=5&LEN=9&REQ=10G3,8,30");
            EXPECT_EQ(posts[1].body, "MODE=5&CID=7&OP=7&CH=5&LEN=2&REQ=11");
        } else {
            const auto start = Decoded<cgi::AutoPreset>(posts[0], cgi::MODE_AUTO_PRESET);
            EXPECT_TRUE(start.has_cmd() && start.cmd() == cgi::AutoPreset::CMD_START);
            EXPECT_EQ(start.channel(), 5u);
            EXPECT_EQ(start.start_preset(), 2u);
            EXPECT_EQ(start.end_preset(), 8u);  // one past the last preset
            EXPECT_EQ(start.interval(), 30u);
            const auto end = Decoded<cgi::AutoPreset>(posts[1], cgi::MODE_AUTO_PRESET);
            EXPECT_TRUE(end.has_cmd() && end.cmd() == cgi::AutoPreset::CMD_STOP);
            EXPECT_TRUE(end.has_channel() && end.channel() == 5u);
            EXPECT_FALSE(end.has_start_preset() || end.has_end_preset() || end.has_interval());
        }
        EXPECT_EQ(Stored(5), (Tour{0, 0, 0}));
    }
}

TEST(AutoPresetPage, ToursAreKeptPerChannelNumberAndBadStoredValuesShowTheFirstItems)
{
    uitest::Sandbox sandbox;
    CSimDvr sim(Config(false));
    ASSERT_TRUE(sim.start());
    CAppSettings settings;
    settings.writeAutoPreset(2, 3, 6, 20);
    settings.writeAutoPreset(4, -1, 150, 7);
    // Another DVR's page shows the same tour for the same channel number.
    for (const char* name : {"Lobby", "Garage"}) {
        CAutoPresetWidget page;
        page.setConnectedDVR(Entry(sim, false, name), 1);
        page.setChannel(2);
        EXPECT_EQ(Shown(page), (Tour{3, 6, 20})) << name;
    }
    CAutoPresetWidget page;
    page.setConnectedDVR(Entry(sim, false), 1);
    page.setChannel(4);
    EXPECT_EQ(Shown(page), (Tour{0, 0, 5}));
    page.OnClickedAutoStart();
    const std::vector<Request> posts = SentBy(page.commandSender(), sim);
    ASSERT_EQ(posts.size(), 1u);
    const auto start = Decoded<cgi::AutoPreset>(posts[0], cgi::MODE_AUTO_PRESET);
    EXPECT_EQ(start.start_preset(), 0u);
    EXPECT_EQ(start.end_preset(), 1u);

    Choose(page, 9, 1, QStringLiteral("60"));  // a start after the end goes as chosen
    page.saveSettings();
    EXPECT_EQ(Stored(4), (Tour{9, 1, 60}));
}
