// The live control panel: pages, visibility rules, where the selected channel goes, tour
// settings; with ZAVO_SCREENSHOT_DIR set, a picture of each page is saved there.

#include <QComboBox>
#include <QDir>
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
        EmptySettings();
        panel = std::make_unique<CLiveCtrlWidget>();
        panel->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
        stack = panel->findChild<QStackedWidget*>("stackedWidget");
        ptz = panel->findChild<CPtzfWidget*>();
        tour = panel->findChild<CAutoPresetWidget*>();
        relay = panel->findChild<CRemotePortWiget*>();
        picture = panel->findChild<CPictureWidget*>();
    }
    void click(int page) { QTest::mouseClick(Button(*panel, qPrintable(QStringLiteral("DVRControl%1").arg(page))), Qt::LeftButton); }
    // The page shown and the one checked button.
    std::pair<int, int> shown()
    {
        int checked = -1;
        for (int i = 0; i < 4; ++i)
            if (Button(*panel, qPrintable(QStringLiteral("DVRControl%1").arg(i)))->isChecked())
                checked = checked == -1 ? i : -2;
        return {stack->currentIndex(), checked};
    }
    std::vector<int> channels() { return {ptz->channel(), tour->channel(), picture->channel()}; }

    std::unique_ptr<CLiveCtrlWidget> panel;
    QStackedWidget* stack = nullptr;
    CPtzfWidget* ptz = nullptr;
    CAutoPresetWidget* tour = nullptr;
    CRemotePortWiget* relay = nullptr;
    CPictureWidget* picture = nullptr;
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

DVR Offline(bool old)
{
    DVR dvr;
    dvr.set_name("Yard");
    dvr.set_address("127.0.0.1");
    dvr.set_port(1);
    dvr.set_chnum(8);
    dvr.set_old_protocol(old);
    return dvr;
}

}  // namespace

TEST(LiveCtrlPanel, StartsDisabledOnThePtzPageWithEachPageInItsPlace)
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
    p.panel->EnableWidget(true);
    EXPECT_TRUE(p.panel->isEnabled());
    for (int page : {3, 1, 2, 0}) {
        p.click(page);
        EXPECT_EQ(p.shown(), std::make_pair(page, page));
    }
    // A button whose name names no page shows the first.
    p.click(2);
    Button(*p.panel, "DVRControl1")->setObjectName(QStringLiteral("Tour"));
    QTest::mouseClick(p.panel->findChild<QPushButton*>("Tour"), Qt::LeftButton);
    p.panel->findChild<QPushButton*>("Tour")->setObjectName(QStringLiteral("DVRControl1"));
    EXPECT_EQ(p.shown(), std::make_pair(0, 0));
}

TEST(LiveCtrlPanel, RelayAndPicturePagesFollowTheDvr)
{
    Panel p;
    p.panel->EnableWidget(true);
    p.click(2);
    p.panel->setConnectedDVR(Offline(false), 7, false);
    EXPECT_TRUE(Button(*p.panel, "DVRControl2")->isHidden());
    EXPECT_TRUE(p.relay->isHidden());
    EXPECT_EQ(p.shown(), std::make_pair(0, 0));
    p.panel->setConnectedDVR(Offline(false), 7, true);
    EXPECT_FALSE(Button(*p.panel, "DVRControl2")->isHidden() || p.relay->isHidden());
    EXPECT_EQ(p.shown(), std::make_pair(0, 0));

    p.click(3);
    p.panel->setVisiblePictureCtrl(false);
    EXPECT_TRUE(Button(*p.panel, "DVRControl3")->isHidden());
    EXPECT_FALSE(p.picture->isHidden());
    EXPECT_EQ(p.shown(), std::make_pair(0, 0));
    p.click(1);
    p.panel->setVisiblePictureCtrl(true);
    EXPECT_EQ(p.shown(), std::make_pair(1, 1));
    EXPECT_FALSE(Button(*p.panel, "DVRControl3")->isHidden());
}

TEST(LiveCtrlPanel, TheSelectedChannelReachesOnlyThePageShown)
{
    Panel p;
    p.panel->EnableWidget(true);
    const std::pair<int, int> steps[] = {{-1, 4}, {2, 6}, {3, -1}, {-1, 7}, {0, -1}, {1, 9}};
    const std::vector<int> expected[] = {{4, 4, 0}, {4, 4, 0}, {4, 4, 6}, {4, 4, 7}, {7, 7, 7}, {7, 9, 7}};
    for (size_t i = 0; i < std::size(steps); ++i) {
        if (steps[i].first >= 0)
            p.click(steps[i].first);
        if (steps[i].second >= 0)
            p.panel->setSelectedChannel(steps[i].second);
        EXPECT_EQ(p.channels(), expected[i]) << i;
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

    // Another camera selected while the page is shown: its own tour, after the old one is kept.
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

TEST(LiveCtrlPanel, Screenshots)
{
    const QString dir = qEnvironmentVariable("ZAVO_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "ZAVO_SCREENSHOT_DIR not set";
    QDir().mkpath(dir);
    CSimDvr sim(Config(false));
    ASSERT_TRUE(sim.start());
    Panel p;
    p.panel->EnableWidget(true);
    p.panel->setConnectedDVR(Entry(sim, false), 7, true);
    QSignalSpy read(p.picture->reader(), &CReadDVRData::completed);
    ASSERT_TRUE(read.wait(10000));
    p.panel->setSelectedChannel(1);
    p.panel->findChild<QSlider*>("Speed")->setValue(1);
    const char* names[] = {"ptz", "auto-preset", "relay", "picture"};
    for (int page = 0; page < 4; ++page) {
        p.click(page);
        QTest::qWait(50);
        const QImage shot = p.panel->grab().toImage();
        EXPECT_EQ(shot.size(), QSize(728, 138));
        EXPECT_TRUE(shot.save(QDir(dir).filePath(QStringLiteral("livectrl-%1.png").arg(names[page]))));
    }
    p.panel->setConnectedDVR(Entry(sim, true), 7, false);
    p.panel->setVisiblePictureCtrl(false);
    p.panel->EnableWidget(false);
    EXPECT_TRUE(p.panel->grab().toImage().save(QDir(dir).filePath(QStringLiteral("livectrl-old-disabled.png"))));
}
