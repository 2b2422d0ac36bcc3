// The main window without DVRs: start-up, screen layouts, full screen and mode returns.

#include <cerrno>
#include <cstring>

#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QStackedWidget>
#include <QTimer>

#include "DVRInfo/DVRInfoWidget.h"
#include "DVRSetup/SetupWidget.h"
#include "Display/Screen.h"
#include "EMap/ControlEMapList.h"
#include "PCSetup/PCSetupDialog.h"
#include "window_test_util.h"

using namespace windowtest;

TEST(WindowStart, FirstStartWritesEverySettingAndConnectsNothing)
{
    uitest::Sandbox sandbox;
    uitest::ScriptedPrompt prompt;
    ASSERT_FALSE(CAppSettings().contains(CAppSettings::OPENGL));
    Viewer w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("ZAVO"));
    EXPECT_EQ(w.menuMode(), Viewer::MENU_LIVE_S);
    EXPECT_TRUE(w.connections().isEmpty());
    EXPECT_EQ(w.form().bottomWidget->currentIndex(), int(Viewer::VIEW_LIVE));
    CAppSettings settings;
    // The probe answered before the display was built, and the display follows it.
    const int gl = settings.readSetting(CAppSettings::OPENGL, -1).toInt();
    EXPECT_TRUE(gl == OPENGL_MODE_ON || gl == OPENGL_MODE_OFF) << gl;
    EXPECT_EQ(w.displayWidget()->screenContainer()->mode() == OPENGL_MODE_OFF, gl == OPENGL_MODE_OFF);
    for (const QString& key : {CAppSettings::CODEC_TYPE, CAppSettings::PLAYBACK_MODE, CAppSettings::AUDIO_SUPPORT,
                               CAppSettings::SEQ_INTERVAL, CAppSettings::RECONNECT, CAppSettings::OSD_CH_NAME,
                               CAppSettings::OSD_RECORD, CAppSettings::OSD_EVENT, CAppSettings::ALARM_SOUND,
                               CAppSettings::FILE_FORMAT, CAppSettings::CAPTURE_FILE_FORMAT})
        EXPECT_TRUE(settings.contains(key)) << qPrintable(key);
    for (const QString& folder : CAppSettings::PATH_LIST)
        EXPECT_TRUE(QDir(sandbox.appDir() + "/" + folder).exists()) << qPrintable(folder);
    EXPECT_FALSE(w.form().Logo->pixmap().isNull());
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST(WindowStart, FirstStartShowsNamesAndMarksAsPcSetupStoresThem)
{
    uitest::Sandbox sandbox;
    uitest::ScriptedPrompt prompt;
    Viewer w;
    CAppSettings settings;
    const CCellOsd& osd = w.displayWidget()->displaySettings();
    EXPECT_TRUE(osd.chName);
    EXPECT_EQ(osd.chName, settings.readSetting(CAppSettings::OSD_CH_NAME, -1).toBool());
    EXPECT_EQ(osd.record, settings.readSetting(CAppSettings::OSD_RECORD, -1).toInt());
    EXPECT_EQ(osd.event, settings.readSetting(CAppSettings::OSD_EVENT, -1).toInt());
}

TEST(WindowLayout, EachLayoutButtonShowsItsScreens)
{
    WindowRig rig;
    Viewer& w = rig.open();
    CDisplayWidget* d = w.displayWidget();
    const auto view = [&] { return std::make_pair(d->getViewScreens(), d->getViewStartScreen()); };
    using View = std::pair<int, int>;
    // Live S: the button's numbers give the cells and the first one.
    const struct { const char* button; View expected; } single[] = {
        {"Ch5", {1, 5}}, {"Screen4_4", {4, 4}}, {"Screen9_7", {9, 7}}, {"Screen4_12", {4, 12}}, {"Screen16_0", {16, 0}},
    };
    for (const auto& s : single) {
        rig.button(s.button)->click();
        EXPECT_EQ(view(), s.expected) << s.button;
        EXPECT_TRUE(rig.button(s.button)->isChecked()) << s.button;
        rig.settle();
    }
    // A double click toggles one screen and back, and checks the buttons that match.
    w.OnDoubleClickedDisplay(3);
    EXPECT_EQ(view(), View(1, 3));
    EXPECT_TRUE(rig.button("Ch3")->isChecked());
    EXPECT_FALSE(rig.button("Screen16_0")->isChecked());
    w.OnDoubleClickedDisplay(3);
    EXPECT_EQ(view(), View(16, 0));
    EXPECT_TRUE(rig.button("Screen16_0")->isChecked() && !rig.button("Ch3")->isChecked());
    // The sequence shows one screen at a time and leaves the layout buttons unchecked.
    rig.button("Sequence")->click();
    EXPECT_EQ(view(), View(1, 0));
    EXPECT_FALSE(rig.button("Screen16_0")->isChecked());
    rig.button("Sequence")->click();

    // Live M: n x n cells from 0, pages of that size.
    rig.button("LiveM")->click();
    EXPECT_EQ(w.menuMode(), Viewer::MENU_LIVE_M);
    EXPECT_EQ(view(), View(64, 0));
    const struct { const char* button; View expected; QString page; } multi[] = {
        {"Screen3x3", {9, 0}, "1 / 28"}, {"NextPage", {9, 9}, "2 / 28"}, {"PrevPage", {9, 0}, "1 / 28"},
        {"PrevPage", {9, 243}, "28 / 28"}, {"Screen8x8", {64, 0}, "1 / 4"},
    };
    for (const auto& m : multi) {
        rig.button(m.button)->click();
        EXPECT_EQ(view(), m.expected) << m.button;
        EXPECT_EQ(w.form().multiPage->text(), m.page) << m.button;
        rig.settle();
    }
    // Clicking the layout already shown changes nothing.
    rig.button("Screen8x8")->click();
    EXPECT_EQ(view(), View(64, 0));
}

TEST(WindowLayout, FullScreenHidesTheWindowAndEscapeBringsTheDisplayBack)
{
    WindowRig rig;
    Viewer& w = rig.open();
    rig.button("SingleFull")->click();
    EXPECT_TRUE(w.displayWidget()->isFullScreen());
    EXPECT_FALSE(w.isVisible());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(w.displayWidget(), &escape);
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.displayWidget()->isFullScreen());
    EXPECT_EQ(w.displayWidget()->parentWidget(), w.form().DisplayFrame);
    EXPECT_GE(w.form().displayLayout->indexOf(w.displayWidget()), 0);
}

TEST(WindowLayout, ClosedInFullScreenTheWindowTakesTheDisplayAlong)
{
    WindowRig rig;
    Viewer& w = rig.open();
    rig.button("SingleFull")->click();
    ASSERT_TRUE(w.displayWidget()->isFullScreen());
    const QPointer<CDisplayWidget> display = w.displayWidget();
    rig.window.reset();
    EXPECT_TRUE(display.isNull());
}

TEST(WindowModes, EveryModeReturnsWhereItShouldAndLeavesNoStrayPage)
{
    WindowRig rig;
    Viewer& w = rig.open();
    const auto* ui = &w.form();
    // Configuration entered from Information returns to Information.
    rig.button("Information")->click();
    EXPECT_EQ(w.menuMode(), Viewer::MENU_INFORMATION);
    EXPECT_TRUE(w.infoWidget()->isVisible() && !ui->DisplayFrame->isVisible());
    rig.button("Setup")->click();
    EXPECT_EQ(w.menuMode(), Viewer::MENU_CONFIGURATION);
    EXPECT_EQ(ui->MainMenu->currentWidget(), ui->configPage);
    rig.button("configExit")->click();
    EXPECT_EQ(w.menuMode(), Viewer::MENU_INFORMATION);
    EXPECT_EQ(ui->MainMenu->currentWidget(), ui->MainPage);
    // An e-map entered from Backup returns to Backup.
    rig.button("Backup")->click();
    rig.button("EMap")->click();
    EXPECT_EQ(w.menuMode(), Viewer::MENU_EMAP_VIEW);
    EXPECT_EQ(ui->bottomWidget->currentIndex(), int(Viewer::VIEW_EMAP));
    rig.button("EMapEdit")->click();
    EXPECT_EQ(w.menuMode(), Viewer::MENU_EMAP_EDIT);
    EXPECT_TRUE(w.dvrTree()->cameraNameShow());
    rig.button("EMapExit")->click();
    EXPECT_EQ(w.menuMode(), Viewer::MENU_BACKUP);
    EXPECT_FALSE(w.dvrTree()->cameraNameShow());
    // PC setup is mode 9 while it shows and gives the mode back when it closes; the
    // configuration entered afterwards returns to that mode.
    rig.button("PCSetup")->click();
    EXPECT_EQ(w.menuMode(), Viewer::MENU_PC_SETUP);
    w.pcSetupDialog()->reject();
    EXPECT_EQ(w.menuMode(), Viewer::MENU_BACKUP);
    EXPECT_TRUE(rig.button("Backup")->isChecked());
    rig.button("Setup")->click();
    rig.button("configExit")->click();
    EXPECT_EQ(w.menuMode(), Viewer::MENU_BACKUP);
    EXPECT_TRUE(ui->DisplayFrame->isVisible());
    EXPECT_FALSE(w.setupWidget()->isVisible());
}

namespace {

// PC setup opened and closed as the operator does it, by Cancel or by OK.
void UsePCSetup(WindowRig& rig, bool ok)
{
    rig.button("PCSetup")->click();
    if (ok)
        rig.window->pcSetupDialog()->accept();
    else
        rig.window->pcSetupDialog()->reject();
}

}  // namespace

// Closed by OK (true) or by Cancel (false).
class WindowPCSetupClosedTwice : public ::testing::TestWithParam<bool> {};

TEST_P(WindowPCSetupClosedTwice, LeavesLiveSShowingAndItsButtonChecked)
{
    WindowRig rig;
    Viewer& w = rig.open();
    UsePCSetup(rig, GetParam());
    UsePCSetup(rig, GetParam());
    EXPECT_EQ(w.menuMode(), Viewer::MENU_LIVE_S);
    EXPECT_TRUE(rig.button("LiveS")->isChecked());
    EXPECT_FALSE(rig.button("PCSetup")->isChecked());
}

INSTANTIATE_TEST_SUITE_P(Closes, WindowPCSetupClosedTwice, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "ByOK" : "ByCancel"; });

TEST(WindowPCSetup, UsedTwiceFromInformationReturnsToInformation)
{
    WindowRig rig;
    Viewer& w = rig.open();
    rig.button("Information")->click();
    UsePCSetup(rig, false);
    UsePCSetup(rig, true);
    EXPECT_EQ(w.menuMode(), Viewer::MENU_INFORMATION);
    EXPECT_TRUE(rig.button("Information")->isChecked());
    EXPECT_FALSE(rig.button("PCSetup")->isChecked());
}

// The window has the size the live view needs; no other mode may make it larger.
inline void PrintTo(const QSize& size, std::ostream* out) { *out << size.width() << " x " << size.height(); }

namespace {

// A group with one DVR that has no address, and one e-map group with one map.
EMapGroupList OneMapAndOneDvr(WindowRig& rig)
{
    Group* group = rig.list.add_group();
    group->set_name("Site");
    DVR* dvr = group->add_dvr();
    dvr->set_name("Hall");
    dvr->set_chnum(16);
    EMapGroupList maps;
    EMapList* floor = maps.add_emap_list();
    floor->set_name("Floor 1");
    floor->add_emap()->set_name("Hall");
    EXPECT_TRUE(CControlEMapList().Save(maps));
    return maps;
}

}  // namespace

TEST(WindowSize, SearchPlaybackAndBackupKeepTheWindowSize)
{
    WindowRig rig;
    Viewer& w = rig.open();
    rig.settle();
    const QSize size = w.size();
    for (const char* mode : {"Search", "Playback", "Backup"}) {
        rig.button(mode)->click();
        rig.settle();
        EXPECT_EQ(w.size(), size) << mode;
    }
}

// A window with one map of one DVR, in the e-map mode; the size it had before.
struct MapWindow {
    MapWindow() : maps(OneMapAndOneDvr(rig)), w(rig.open())
    {
        rig.settle();
        size = w.size();
        rig.button("EMap")->click();
    }
    WindowRig rig;
    const EMapGroupList maps;
    Viewer& w;
    QSize size;
};

TEST(WindowSize, AMapOpenInViewKeepsTheWindowSize)
{
    MapWindow m;
    m.w.OnSelectedEMapGroup(m.maps.emap_list(0));
    m.rig.settle();
    ASSERT_EQ(m.w.emapWidgets().size(), 1);
    EXPECT_EQ(m.w.size(), m.size);
}

TEST(WindowSize, AMapOpenInEditKeepsTheWindowSize)
{
    MapWindow m;
    m.rig.button("EMapEdit")->click();
    m.w.OnSelectedEMap(m.maps.emap_list(0).emap(0));
    m.rig.settle();
    ASSERT_TRUE(m.w.dvrTree()->isVisible());
    ASSERT_TRUE(m.w.dvrTree()->cameraNameShow());
    EXPECT_EQ(m.w.size(), m.size);
}

TEST(WindowSize, AStillImageLargerThanTheDisplayKeepsTheWindowSize)
{
    WindowRig rig;
    Viewer& w = rig.open();
    rig.settle();
    const QSize size = w.size();
    const QString file = rig.sandbox.appDir() + "/Capture/large.png";
    QImage picture(1400, 1000, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(file));
    rig.button("Playback")->click();
    rig.prompt.files << file;
    rig.button("searchImage")->click();
    rig.settle();
    EXPECT_EQ(w.size(), size);
}

namespace {

// The operator reads each message in the program's own box, whose event loop runs until the
// box is accepted a moment later.
class OperatorAcceptingBoxes : public uitest::ScriptedPrompt {
public:
    void message(QWidget* parent, const QString& text) override
    {
        messages << text;
        QTimer::singleShot(300, [] {
            if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                box->accept();
        });
        CPrompt::message(parent, text);
    }
};

}  // namespace

TEST(WindowModes, ANameReplyWhoseListCannotBeSavedIsToldInABoxWithoutTouchingTheFreedReply)
{
    WindowRig rig;
    rig.addDvr("Gate", false, 4);
    rig.list.mutable_group(0)->mutable_dvr(0)->clear_chname();
    rig.open();
    ASSERT_TRUE(QFile::setPermissions(rig.sandbox.appDir() + "/DVRlist.pb", QFileDevice::ReadOwner));
    // The window closes at the end with the list still unsaved: the operator lets it go.
    rig.prompt.yesNo << true;
    OperatorAcceptingBoxes operatorAnswers;
    rig.button("EMap")->click();
    rig.button("EMapEdit")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !operatorAnswers.messages.isEmpty(); }, 10000));
    // The box's loop ran the reply's deferred deletion; the window goes on past it.
    QTest::qWait(500);
    EXPECT_EQ(operatorAnswers.messages,
              QStringList{"The DVR list could not be saved (" + QString::fromLocal8Bit(std::strerror(EACCES)) + ")."});
}
