// The whole program against simulated DVRs for a while, through every path that runs on
// threads of its own: live video of a group in Live S and Live M with a recording to PC files,
// remote and local playback, a map with a camera's pop-up, a configuration read and the
// motion-zone editor's picture. scripts/tsan runs it for at least a minute under
// ThreadSanitizer (ZAVO_WHOLE_PROGRAM_SECONDS); by default it makes one round.

#include <QDirIterator>
#include <QSignalSpy>
#include <QTabWidget>

#include "DVRSetup/MotionZoneDialog.h"
#include "DVRSetup/SetupTabIndex.h"
#include "DVRSetup/SetupWidget.h"
#include "Display/Screen.h"
#include "EMap/CameraWidget.h"
#include "EMap/ControlEMapList.h"
#include "EMap/EMapWidget.h"
#include "EMap/ShowVideoDialog.h"
#include "Network/ReadDVRData.h"
#include "Playback/PbButtons.h"
#include "Playback/PlaybackWidget.h"
#include "Playback/SearchWidget.h"
#include "Playback/TimeLine.h"
#include "window_test_util.h"

using namespace windowtest;

namespace {

constexpr int WAIT_MS = 60000;  // generous: under ThreadSanitizer everything is slow
// Two key frames' worth of the simulated DVRs' streams (one every 30 frames at 10 fps).
constexpr int RECORD_MS = 6500;

// The window with a group of a current and an old DVR, and a map of the current one's camera.
class WholeProgram : public ::testing::Test {
protected:
    WholeProgram()
    {
        current = &rig.addDvr("Gate", false, 4);
        old = &rig.addDvr("Yard", true, 4);
        for (simdvr::CSimDvr* sim : {current, old}) {
            simdvr::Config c = sim->config();
            c.mainSize = QStringLiteral("cif");
            sim->setConfig(c);
        }
        maps = rig.saveFirstCameraMap();
        // On an X server the display draws with OpenGL when it can, as the program does.
        if (QGuiApplication::platformName() == QLatin1String("xcb") && CScreen::initOpengl(16))
            CAppSettings().writeSetting(CAppSettings::OPENGL, OPENGL_MODE_ON);
        rig.open();
    }

    Viewer& w() { return *rig.window; }
    // Until the display's first cell has shown `n` new pictures.
    bool drawsFrames(int n = 5)
    {
        const CScreen* screen = w().displayWidget()->screenContainer();
        qint64 shown = screen->getInfo(0).image.cacheKey();
        int fresh = 0;
        return QTest::qWaitFor([&] {
            const qint64 now = screen->getInfo(0).image.cacheKey();
            if (now != shown && !screen->getInfo(0).image.isNull())
                ++fresh;
            shown = now;
            return fresh >= n;
        }, WAIT_MS);
    }
    // Live S with the group, recording the current DVR to PC files for a moment.
    void liveS()
    {
        rig.button("LiveS")->click();
        ASSERT_TRUE(rig.connect(-1, WAIT_MS));
        w().slotChangedScreen(0, 0);
        ASSERT_TRUE(drawsFrames());
        recordedFrom = ::time(nullptr);
        rig.button("RecToPC")->click();
        ASSERT_TRUE(rig.button("RecToPC")->isChecked());
        QTest::qWait(RECORD_MS);
        rig.button("RecToPC")->click();
        ASSERT_FALSE(rig.button("RecToPC")->isChecked());
    }
    void liveM()
    {
        rig.button("LiveM")->click();
        WindowRig::settle();
        ASSERT_TRUE(rig.connect(-1, WAIT_MS));
        ASSERT_TRUE(drawsFrames());
    }
    // The current DVR's recording of an hour ago, channel 1.
    void remotePlayback()
    {
        rig.button("LiveS")->click();
        ASSERT_TRUE(rig.connect(-1, WAIT_MS));
        w().slotChangedScreen(0, 0);
        rig.button("Search")->click();
        QSignalSpy status(w().displayWidget(), &CDisplayWidget::signalChangedStatus);
        w().OnSelectedTime(::time(nullptr) - 3600, 0x1);
        ASSERT_TRUE(QTest::qWaitFor([&] {
            for (const QList<QVariant>& s : status)
                if (s.at(0).toString().startsWith("Playback("))
                    return true;
            return false;
        }, WAIT_MS));
        ASSERT_TRUE(drawsFrames());
        w().playbackWidget()->buttons()->button(cgi::PbControl::CMD_PAUSE)->click();
        QTest::qWait(500);
    }
    // The files the Live S recording wrote, played from where they start.
    void localPlayback()
    {
        QString folder;
        for (QDirIterator it(rig.sandbox.appDir(), {"*.qrx"}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            folder = QFileInfo(it.next()).absolutePath();
        ASSERT_FALSE(folder.isEmpty()) << "nothing was recorded";
        rig.button("Playback")->click();
        rig.prompt.folders << folder;
        rig.button("Directory")->click();
        ASSERT_TRUE(w().playbackWidget()->IsLocalPlayback());
        emit w().playbackWidget()->searchWidget()->timeLine()->selectedTime(recordedFrom);
        ASSERT_TRUE(drawsFrames(3));
        w().playbackWidget()->buttons()->button(cgi::PbControl::CMD_STOP)->click();
    }
    // The map in view mode, with the camera's pop-up showing its picture.
    void mapWithPopUp()
    {
        rig.button("EMap")->click();
        rig.button("EMapView")->click();
        w().OnSelectedEMapGroup(maps.emap_list(0));
        ASSERT_EQ(w().emapWidgets().size(), 1);
        CCameraWidget* icon = w().emapWidgets().at(0)->cameraWidgets().value(0);
        ASSERT_TRUE(icon);
        QTest::mouseDClick(icon, Qt::LeftButton, {}, QPoint(4, 4));
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return icon->videoDialog() && !icon->videoDialog()->screen().getInfo(0).image.isNull();
        }, WAIT_MS));
        rig.button("EMapExit")->click();
    }
    // The current DVR's configuration, then the zone editor over its camera.
    void configurationAndZone()
    {
        rig.button("LiveS")->click();
        ASSERT_TRUE(rig.connect(-1, WAIT_MS));
        w().slotChangedScreen(0, 0);
        rig.button("Setup")->click();
        CSetupWidget* setup = w().setupWidget();
        ASSERT_TRUE(setup->reader());
        ASSERT_TRUE(QSignalSpy(setup->reader(), &CReadDVRData::completed).wait(WAIT_MS));
        ASSERT_EQ(setup->targetDVR().port(), current->port());
        bool pictured = false;
        rig.prompt.onDialog = [&](QDialog* d) {
            auto* zone = qobject_cast<CMotionZoneDialog*>(d);
            pictured = zone && QTest::qWaitFor([&] { return !zone->screen()->getInfo(0).image.isNull(); }, WAIT_MS);
            if (pictured)
                uitest::Screenshot(zone, "window-motion-zone");
            d->accept();
        };
        setup->findChild<QTabWidget*>("tabWidget")->setCurrentIndex(SETUP_TAB_EVENT);
        setup->findChild<QPushButton*>("detectZone")->click();
        rig.prompt.onDialog = nullptr;
        EXPECT_TRUE(pictured);
        rig.button("configExit")->click();
    }

    WindowRig rig;
    simdvr::CSimDvr* current = nullptr;
    simdvr::CSimDvr* old = nullptr;
    EMapGroupList maps;
    time_t recordedFrom = 0;
};

}  // namespace

TEST_F(WholeProgram, LivePlaybackMapsConfigurationAndZonesRoundAfterRound)
{
    const int seconds = qEnvironmentVariableIntValue("ZAVO_WHOLE_PROGRAM_SECONDS");
    QElapsedTimer running;
    running.start();
    int rounds = 0;
    do {
        ++rounds;
        SCOPED_TRACE(rounds);
        ASSERT_NO_FATAL_FAILURE(liveS());
        ASSERT_NO_FATAL_FAILURE(liveM());
        ASSERT_NO_FATAL_FAILURE(remotePlayback());
        ASSERT_NO_FATAL_FAILURE(localPlayback());
        ASSERT_NO_FATAL_FAILURE(mapWithPopUp());
        ASSERT_NO_FATAL_FAILURE(configurationAndZone());
    } while (running.elapsed() < seconds * 1000LL);
    RecordProperty("rounds", rounds);
    RecordProperty("seconds", int(running.elapsed() / 1000));
    EXPECT_TRUE(rig.prompt.messages.isEmpty()) << rig.prompt.messages.join("\n").toStdString();
}
