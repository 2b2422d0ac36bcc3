// Live S with a DVR whose checked channels have gaps: channel n is on screen n, so every
// layout asks for the checked channels on its screens, also those past the count of checked
// channels.

#include <QString>

#include "Display/Screen.h"
#include "LiveCtrl/LiveCtrlWidget.h"
#include "window_test_util.h"

using namespace windowtest;

namespace {

// Channels 2, 5, 9 and 12 of 16: four checked channels, the last three on screens past 3.
constexpr uint32_t CHECKED = (1u << 2) | (1u << 5) | (1u << 9) | (1u << 12);

class WindowLiveSGaps : public ::testing::Test {
protected:
    void SetUp() override
    {
        sim = &rig.addDvr("Sparse", false, 16, CHECKED);
        w = &rig.open();
        ASSERT_TRUE(rig.connect());
        rig.settle();
    }

    // Once the layout has been laid out again, the DVR was last asked for exactly `mask`.
    ::testing::AssertionResult lastAskedFor(uint32_t mask)
    {
        rig.settle();
        if (QTest::qWaitFor([&] { return LastVideoMask(*sim) == long(mask); }, 5000))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "last mask " << std::hex << LastVideoMask(*sim) << ", wanted " << mask;
    }

    CScreenWidget* cell(int i) const { return w->displayWidget()->screenContainer()->screenWidget(i); }

    WindowRig rig;
    simdvr::CSimDvr* sim = nullptr;
    Viewer* w = nullptr;
};

}  // namespace

TEST_F(WindowLiveSGaps, SingleViewOfEachCheckedChannelAsksForThatChannel)
{
    for (int ch : {2, 5, 9, 12}) {
        const QString name = QStringLiteral("Ch%1").arg(ch);
        rig.button(qPrintable(name))->click();
        EXPECT_TRUE(lastAskedFor(1u << ch)) << qPrintable(name);
    }
}

TEST_F(WindowLiveSGaps, EachQuadAsksForTheCheckedChannelsOnItsScreens)
{
    const struct { const char* button; uint32_t mask; } quads[] = {
        {"Screen4_0", 1u << 2}, {"Screen4_4", 1u << 5}, {"Screen4_8", 1u << 9}, {"Screen4_12", 1u << 12},
    };
    for (const auto& q : quads) {
        rig.button(q.button)->click();
        EXPECT_TRUE(lastAskedFor(q.mask)) << q.button;
    }
}

TEST_F(WindowLiveSGaps, EachNineSplitAsksForTheCheckedChannelsOnItsScreens)
{
    const struct { const char* button; uint32_t mask; } splits[] = {
        {"Screen9_0", (1u << 2) | (1u << 5)}, {"Screen9_7", (1u << 9) | (1u << 12)},
    };
    for (const auto& s : splits) {
        rig.button(s.button)->click();
        EXPECT_TRUE(lastAskedFor(s.mask)) << s.button;
    }
}

TEST_F(WindowLiveSGaps, DoubleClickOnAChannelPastTheCountShowsItAloneAndBackAllChecked)
{
    QTest::mouseDClick(cell(9), Qt::LeftButton);
    EXPECT_TRUE(w->displayWidget()->isSingleScreen());
    EXPECT_TRUE(lastAskedFor(1u << 9));
    // The single cell shows screen 9; a double click on it returns to the 16-split.
    QTest::mouseDClick(cell(0), Qt::LeftButton);
    EXPECT_EQ(w->displayWidget()->getViewScreens(), 16);
    EXPECT_TRUE(lastAskedFor(CHECKED));
}

TEST_F(WindowLiveSGaps, SelectingAScreenOfAChannelPastTheCountEnablesTheControlPanel)
{
    // The cell knows its channel once a picture of it arrived.
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->displayWidget()->screenContainer()->getInfo(9).channel == 9; }, 15000));
    QTest::mouseClick(cell(9), Qt::LeftButton);
    EXPECT_EQ(w->displayWidget()->selectedScreen(), 9);
    EXPECT_TRUE(w->liveCtrl()->isEnabled());
}
