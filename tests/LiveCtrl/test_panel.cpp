// The live control panel: pages, visibility rules, where the selected channel goes, tour
// settings. With ZAVO_SCREENSHOT_DIR set, each page is saved there as drawn.

#include <QComboBox>
#include <QSignalSpy>
#include <QSlider>
#include <QStackedWidget>

#include "LiveCtrl/AutoPresetWidget.h"
#include "LiveCtrl/LiveCtrlWidget.h"
#include "LiveCtrl/PictureWidget.h"
#include "LiveCtrl/PtzfWidget.h"
#include "LiveCtrl/RemotePortWiget.h"
#include "Network/ReadDVRData.h"
#include "livectrl_test_util.h"

using namespace lctest;

namespace {

struct Panel {
    Panel()
    {
        panel->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    }
    QPushButton* button(int page) { return Button(*panel, qPrintable(QStringLiteral("DVRControl%1").arg(page))); }
    void click(int page) { QTest::mouseClick(button(page), Qt::LeftButton); }
    // The page shown and the one button checked.
    std::pair<int, int> shown()
    {
        int checked = -1;
        for (int i = 0; i < 4; ++i)
            if (button(i)->isChecked())
                checked = checked == -1 ? i : -2;
        return {stack->currentIndex(), checked};
    }
    std::vector<int> channels() { return {ptz->channel(), tour->channel(), picture->channel()}; }

    uitest::Sandbox sandbox;
    std::unique_ptr<CLiveCtrlWidget> panel = std::make_unique<CLiveCtrlWidget>();
    QStackedWidget* stack = panel->findChild<QStackedWidget*>("stackedWidget");
    CPtzfWidget* ptz = panel->findChild<CPtzfWidget*>();
    CAutoPresetWidget* tour = panel->findChild<CAutoPresetWidget*>();
    CRemotePortWiget* relay = panel->findChild<CRemotePortWiget*>();
    CPictureWidget* picture = panel->findChild<CPictureWidget*>();
};

void ChooseTour(CAutoPresetWidget* page, int start, int end, int intervalItem)
{
    page->findChild<QComboBox*>("StartPreset")->setCurrentIndex(start);
    page->findChild<QComboBox*>("EndPreset")->setCurrentIndex(end);
    page->findChild<QComboBox*>("Interval")->setCurrentIndex(intervalItem);
}

std::vector<int> Stored(int channel)
{
    std::vector<int> t(3);
    CAppSettings().readAutoPreset(channel, t[0], t[1], t[2]);
    return t;
}

}  // namespace

TEST(LiveCtrlPanel, StartsDisabledOnThePtzPageAndTheButtonsChooseThePages)
{
    Panel p;
    EXPECT_FALSE(p.panel->isEnabled());
    EXPECT_EQ(p.shown(), std::make_pair(0, 0));
    EXPECT_EQ(p.panel->size(), QSize(728, 138));
    const QWidget* pages[] = {p.ptz, p.tour, p.relay, p.picture};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(pages[i]->parentWidget(), p.stack->widget(i)) << i;
    for (const char* arrow : {"ptzf_up", "ptzf_down", "ptzf_left", "ptzf_right", "ptzf_zoom_in", "ptzf_iris_close"})
        EXPECT_FALSE(Button(*p.ptz, arrow)->icon().pixmap(16, 16).isNull()) << arrow;

    CSimDvr sim(Config(false));
    ASSERT_TRUE(sim.start());
    p.panel->setConnectedDVR(Entry(sim, false), 7, true);
    QSignalSpy read(p.picture->reader(), &CReadDVRData::completed);
    EXPECT_TRUE(read.wait(10000));
    p.panel->EnableWidget(true);
    p.panel->findChild<QSlider*>("Speed")->setValue(1);
    const char* names[] = {"ptz", "auto-preset", "relay", "picture"};
    for (int page : {3, 1, 2, 0}) {
        p.click(page);
        EXPECT_EQ(p.shown(), std::make_pair(page, page));
        uitest::Screenshot(p.panel.get(), QStringLiteral("livectrl-%1").arg(names[page]));
    }
    // A button whose name names no page shows the first.
    p.click(2);
    p.button(1)->setObjectName(QStringLiteral("Tour"));
    QTest::mouseClick(p.panel->findChild<QPushButton*>("Tour"), Qt::LeftButton);
    p.panel->findChild<QPushButton*>("Tour")->setObjectName(QStringLiteral("DVRControl1"));
    EXPECT_EQ(p.shown(), std::make_pair(0, 0));
}

TEST(LiveCtrlPanel, RelayAndPicturePagesFollowTheDvr)
{
    Panel p;
    DVR dvr;
    dvr.set_address("127.0.0.1");
    dvr.set_port(1);
    dvr.set_old_protocol(true);
    p.panel->EnableWidget(true);
    p.click(2);
    p.panel->setConnectedDVR(dvr, 7, false);
    EXPECT_TRUE(p.button(2)->isHidden() && p.relay->isHidden());
    EXPECT_EQ(p.shown(), std::make_pair(0, 0));
    p.click(3);
    p.panel->setVisiblePictureCtrl(false);
    EXPECT_TRUE(p.button(3)->isHidden());
    EXPECT_FALSE(p.picture->isHidden());
    EXPECT_EQ(p.shown(), std::make_pair(0, 0));
    p.panel->EnableWidget(false);
    uitest::Screenshot(p.panel.get(), QStringLiteral("livectrl-old-disabled"));

    p.panel->EnableWidget(true);
    p.click(1);
    p.panel->setConnectedDVR(dvr, 7, true);
    p.panel->setVisiblePictureCtrl(true);
    EXPECT_FALSE(p.button(2)->isHidden() || p.relay->isHidden() || p.button(3)->isHidden());
    EXPECT_EQ(p.shown(), std::make_pair(1, 1));
}

TEST(LiveCtrlPanel, TheSelectedChannelReachesOnlyThePageShown)
{
    Panel p;
    p.panel->EnableWidget(true);
    // {page clicked, channel selected} (-1: none), then the channels of PTZ, tour, picture.
    const std::pair<std::pair<int, int>, std::vector<int>> steps[] = {
        {{-1, 4}, {4, 4, 0}}, {{2, 6}, {4, 4, 0}}, {{3, -1}, {4, 4, 6}},
        {{-1, 7}, {4, 4, 7}}, {{0, -1}, {7, 7, 7}}, {{1, 9}, {7, 9, 7}}};
    for (const auto& [step, channels] : steps) {
        if (step.first >= 0)
            p.click(step.first);
        if (step.second >= 0)
            p.panel->setSelectedChannel(step.second);
        EXPECT_EQ(p.channels(), channels) << step.first << " " << step.second;
    }
}

TEST(LiveCtrlPanel, TourSettingsAreStoredOnLeavingTheirPageOrTheirCamera)
{
    auto p = std::make_unique<Panel>();
    p->panel->EnableWidget(true);
    p->panel->setSelectedChannel(2);
    p->click(1);
    ChooseTour(p->tour, 3, 5, 2);
    EXPECT_EQ(Stored(2), (std::vector<int>{0, 0, 0}));
    p->click(0);
    EXPECT_EQ(Stored(2), (std::vector<int>{3, 5, 15}));
    p->click(1);
    ChooseTour(p->tour, 4, 5, 2);
    p->click(1);  // again on its own page: stored as well
    EXPECT_EQ(Stored(2), (std::vector<int>{4, 5, 15}));

    // Another camera selected while the page is shown: the old tour is kept, the new shown.
    ChooseTour(p->tour, 7, 8, 5);
    CAppSettings().writeAutoPreset(6, 1, 2, 10);
    p->panel->setSelectedChannel(6);
    EXPECT_EQ(Stored(2), (std::vector<int>{7, 8, 60}));
    EXPECT_EQ(p->tour->channel(), 6);
    EXPECT_EQ(p->tour->findChild<QComboBox*>("Interval")->currentText(), "10");
    ChooseTour(p->tour, 11, 12, 4);
    p.reset();
    EXPECT_EQ(Stored(6), (std::vector<int>{11, 12, 30}));
}
