// Screenshots of the main window with simulated DVRs, when ZAVO_SCREENSHOT_DIR names a folder.

#include "DVRInfo/DVRInfoWidget.h"
#include "Display/Screen.h"
#include "window_test_util.h"

using namespace windowtest;

namespace {

// Until every one of the first n cells shows a picture (key frames come every few seconds).
bool AllCellsShow(Viewer& w, int n)
{
    return QTest::qWaitFor([&] {
        for (int i = 0; i < n; ++i)
            if (w.displayWidget()->screenContainer()->getInfo(i).image.isNull())
                return false;
        return true;
    }, 15000);
}

}  // namespace

TEST(WindowScreens, FirstStartLiveMLiveSInformationConfigurationAndAStill)
{
    if (qEnvironmentVariableIsEmpty("ZAVO_SCREENSHOT_DIR"))
        GTEST_SKIP() << "screenshots only";
    WindowRig rig;
    Viewer& w = rig.open();
    uitest::Screenshot(&w, "window-first-start");
    w.close();
    rig.window.reset();
    const char* names[] = {"Lobby", "Parking", "Store", "Gate"};
    for (const char* name : names)
        rig.addDvr(name, false, 16);
    Viewer& v = rig.open();
    rig.button("LiveM")->click();
    rig.settle();  // the new layout is laid out again before the group connects
    ASSERT_TRUE(rig.connect());
    AllCellsShow(v, 64);
    QTest::qWait(2500);
    uitest::Screenshot(&v, "window-livem-8x8");

    rig.button("LiveS")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return v.connections()[0]->IsConnected(); }, 10000));
    rig.button("Screen9_0")->click();
    AllCellsShow(v, 9);
    QTest::qWait(2500);
    v.slotChangedScreen(0, 0);
    uitest::Screenshot(&v, "window-lives-3x3");

    rig.button("Capture")->click();
    rig.prompt.files << v.lastCapture();
    rig.button("Information")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !v.infoWidget()->isReading(); }, 10000));
    uitest::Screenshot(&v, "window-information");
    rig.button("Setup")->click();
    QTest::qWait(1500);
    uitest::Screenshot(&v, "window-configuration");
    rig.button("configExit")->click();
    rig.button("Playback")->click();
    rig.button("searchImage")->click();
    uitest::Screenshot(&v, "window-still");
}
