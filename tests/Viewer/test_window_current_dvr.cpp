// The current DVR of a group: the status bar, the tree and the buttons that act on "the
// current DVR" all name the DVR whose cell is selected.

#include <QLabel>

#include "Display/Screen.h"
#include "window_test_util.h"

using namespace windowtest;
using simdvr::Request;

namespace {

bool AskedToRecord(const simdvr::CSimDvr& sim)
{
    for (const Request& r : sim.requests())
        if (r.transport == simdvr::Transport::Post
            && (r.oldProtocol ? r.param("OP") == "11" : r.mode == cgi::MODE_RECORD_TO_DVR))
            return true;
    return false;
}

// A 16-channel DVR on screens 0 to 15 of Live M and an old 4-channel one on 16 to 19.
class WindowCurrentDvr : public ::testing::Test {
protected:
    void SetUp() override
    {
        front = &rig.addDvr("Front", false, 16);
        yard = &rig.addDvr("Yard", true, 4);
        w = &rig.open();
        ASSERT_TRUE(rig.connect());
        rig.settle();
    }

    void enterLiveM()
    {
        rig.button("LiveM")->click();
        rig.settle();
    }

    // Clicks the cell of a screen of the first page once it shows a picture of its channel.
    ::testing::AssertionResult select(int screen)
    {
        CScreen* cells = w->displayWidget()->screenContainer();
        if (!QTest::qWaitFor([&] { return cells->getInfo(screen).channel >= 0; }, 15000))
            return ::testing::AssertionFailure() << "no picture on screen " << screen;
        QTest::mouseClick(cells->screenWidget(screen), Qt::LeftButton);
        if (w->displayWidget()->selectedScreen() != screen)
            return ::testing::AssertionFailure() << "screen " << screen << " not selected";
        return ::testing::AssertionSuccess();
    }

    QTreeWidgetItem* treeItem(int dvr) const { return w->dvrTree()->topLevelItem(0)->child(dvr); }

    WindowRig rig;
    simdvr::CSimDvr* front = nullptr;
    simdvr::CSimDvr* yard = nullptr;
    Viewer* w = nullptr;
};

}  // namespace

TEST_F(WindowCurrentDvr, TheStatusBarNamesTheDvrAgainAfterALayoutChange)
{
    ASSERT_EQ(w->dvrLabel()->text().toStdString(), "Front( admin )");
    rig.button("Screen9_0")->click();
    rig.settle();
    EXPECT_EQ(w->dvrLabel()->text().toStdString(), "Front( admin )");
}

TEST_F(WindowCurrentDvr, SelectingACellOfAnotherDvrNamesThatDvrInTheStatusBar)
{
    enterLiveM();
    ASSERT_TRUE(select(0));
    ASSERT_TRUE(select(17));
    EXPECT_EQ(w->dvrLabel()->text().toStdString(), "Yard( admin )");
}

TEST_F(WindowCurrentDvr, SelectingACellOfAnotherDvrHighlightsThatDvrInTheTree)
{
    enterLiveM();
    ASSERT_TRUE(select(17));
    EXPECT_EQ(w->dvrTree()->currentItem(), treeItem(1));
    ASSERT_TRUE(select(2));
    EXPECT_EQ(w->dvrTree()->currentItem(), treeItem(0));
}

TEST_F(WindowCurrentDvr, DvrRecordAfterTheWallIsLaidOutAgainGoesToTheDvrOfTheSelectedCell)
{
    enterLiveM();
    ASSERT_TRUE(select(2));
    // What runs after every layout change and every dropped connection; both DVRs stay on
    // the page.
    w->restoreScreen();
    front->clearLog();
    yard->clearLog();
    rig.button("RecToDVR")->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return AskedToRecord(*front); }, 5000));
    EXPECT_FALSE(AskedToRecord(*yard));
}
