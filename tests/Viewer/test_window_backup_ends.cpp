// What ends a running backup and what does not: every way that ends it before its end time
// tells the operator, another DVR's disconnect or a click on another DVR in the tree leaves it
// running and shown, a double-click on its own DVR changes nothing, and PC setup neither cuts it
// nor keeps the Backup button from returning to it.

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimeEdit>

#include "PCSetup/PCSetupDialog.h"
#include "Playback/BackupWidget.h"
#include "Playback/SearchWidget.h"
#include "support/FileSizeLimit.h"
#include "window_test_util.h"

using namespace windowtest;

namespace {

// Two current DVRs with an hour of recordings each, both in the group the operator connected
// through the tree; the first backs up ten minutes of it into a scratch folder.
struct RunningBackup {
    RunningBackup()
    {
        const auto now = static_cast<uint32_t>(::time(nullptr));
        for (const char* name : {"Office", "Store"}) {
            simdvr::CSimDvr& sim = rig.addDvr(name, false, 4);
            simdvr::Config c = sim.config();
            c.spans = {{now - 3600, now, 0x1, {1}}};
            sim.setConfig(c);
        }
        CAppSettings().writeSetting(CAppSettings::PATH_LIST[2], backups.path());
        window = &rig.open();
    }
    QTreeWidgetItem* item(int dvr) const { return window->dvrTree()->topLevelItem(0)->child(dvr); }
    // A click on the DVR in the tree.
    void click(int dvr) const { window->dvrTree()->setCurrentItem(item(dvr)); }
    // A double-click on the DVR in the tree.
    void doubleClick(int dvr) const
    {
        click(dvr);
        window->dvrTree()->connectCurrent();
    }
    // True once the first DVR's backup has data.
    bool start()
    {
        doubleClick(0);
        if (!QTest::qWaitFor([&] { return office() && office()->IsConnected(); }, 15000))
            return false;
        rig.button("Backup")->click();
        WindowRig::settle();
        panel()->findChild<QTimeEdit*>("startTime")->setTime(QTime(0, 0));
        panel()->findChild<QTimeEdit*>("endTime")->setTime(QTime(0, 10));
        panel()->findChild<QPushButton*>("startButton")->click();
        return QTest::qWaitFor([&] { return panel()->progressValue() > 0; }, 20000);
    }
    bool backupRuns() const { return panel()->isBackup() && office() && office()->isRecording(); }
    CConnectDVR* office() const { return window->connections().value(0); }
    CBackupWidget* panel() const { return window->backupWidget(); }
    QString endedEarly() const
    {
        return QString("The backup ended before its end time. The files written so far are in \"%1\".")
            .arg(QDir::toNativeSeparators(QDir(backups.path()).filePath("Office")));
    }
    // Waits for the first message the operator is told; empty when none comes.
    QString told() const
    {
        QTest::qWaitFor([&] { return !rig.prompt.messages.isEmpty(); }, 5000);
        return rig.prompt.messages.join('|');
    }

    QTemporaryDir backups;
    WindowRig rig;
    Viewer* window = nullptr;
};

}  // namespace

TEST(BackupEnds, ADisconnectOfAnotherDvrLeavesTheBackupRunning)
{
    RunningBackup b;
    ASSERT_TRUE(b.start());
    b.click(1);
    b.window->dvrTree()->disconnectCurrent();
    WindowRig::settle();
    WindowRig::settle();
    EXPECT_TRUE(b.backupRuns());
}

TEST(BackupEnds, ADisconnectOfTheBackedUpDvrTellsThatTheBackupEndedEarly)
{
    RunningBackup b;
    ASSERT_TRUE(b.start());
    b.window->dvrTree()->disconnectCurrent();
    EXPECT_EQ(b.told().toStdString(), b.endedEarly().toStdString());
}

// The disk fills up under the backup: the operator hears why it stopped and where its files are.
TEST(BackupEnds, AFullDiskTellsWhereTheFilesWrittenSoFarAre)
{
    RunningBackup b;
    ASSERT_TRUE(b.start());
    qint64 largest = 0;
    QDirIterator files(b.backups.path(), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext())
        largest = std::max(largest, QFileInfo(files.next()).size());
    QString told;
    {
        FileSizeLimit full(rlim_t(largest) + 1);
        told = b.told();
    }
    EXPECT_TRUE(told.startsWith("Recording stopped: ")) << told.toStdString();
    EXPECT_TRUE(told.endsWith("\n" + b.endedEarly())) << told.toStdString();
}

// Each menu button that leaves Backup mode.
class BackupEndedByAButton : public ::testing::TestWithParam<const char*> {};

TEST_P(BackupEndedByAButton, TellsThatTheBackupEndedEarly)
{
    RunningBackup b;
    ASSERT_TRUE(b.start());
    b.rig.button(GetParam())->click();
    EXPECT_EQ(b.told().toStdString(), b.endedEarly().toStdString());
}

INSTANTIATE_TEST_SUITE_P(MenuButtons, BackupEndedByAButton,
                         ::testing::Values("LiveS", "LiveM", "Search", "Playback", "EMap", "Information", "Setup"),
                         [](const ::testing::TestParamInfo<const char*>& button) { return std::string(button.param); });

TEST(BackupEnds, ClosingTheWindowTellsThatTheBackupEndedEarly)
{
    RunningBackup b;
    ASSERT_TRUE(b.start());
    b.window->close();
    EXPECT_EQ(b.told().toStdString(), b.endedEarly().toStdString());
}

TEST(BackupEnds, AClickOnAnotherDvrLeavesTheBackupsProgress)
{
    RunningBackup b;
    ASSERT_TRUE(b.start());
    const int before = b.panel()->progressValue();
    b.click(1);
    WindowRig::settle();
    EXPECT_GE(b.panel()->progressValue(), before);
}

TEST(BackupEnds, AClickOnAnotherDvrLeavesTheBackupsDvrInTheStatusBar)
{
    RunningBackup b;
    ASSERT_TRUE(b.start());
    b.click(1);
    WindowRig::settle();
    EXPECT_TRUE(b.window->dvrLabel()->text().startsWith("Office")) << b.window->dvrLabel()->text().toStdString();
}

TEST(BackupEnds, AClickOnAnotherDvrLeavesTheBackupsSearchOnThePanel)
{
    RunningBackup b;
    ASSERT_TRUE(b.start());
    b.click(1);
    WindowRig::settle();
    CSearchWidget* search = b.panel()->searchWidget();
    EXPECT_EQ(search->dvr().name(), "Office");
    EXPECT_FALSE(search->data()->getMinData().empty());
}

TEST(BackupEnds, AClickOnAnotherDvrLeavesTheBackupsPicturesOnTheWall)
{
    RunningBackup b;
    ASSERT_TRUE(b.start());
    b.click(1);
    WindowRig::settle();
    ASSERT_TRUE(b.office());
    EXPECT_TRUE(b.office()->isVisible());
}

TEST(BackupEnds, ADoubleClickOnTheBackedUpDvrLeavesTheBackupRunning)
{
    RunningBackup b;
    ASSERT_TRUE(b.start());
    b.click(1);
    WindowRig::settle();
    b.doubleClick(0);
    WindowRig::settle();
    EXPECT_TRUE(b.backupRuns());
    EXPECT_TRUE(b.rig.prompt.messages.isEmpty());
}

TEST(BackupEnds, ANewStreamTypeFromPCSetupLeavesTheBackupRunning)
{
    RunningBackup b;
    ASSERT_TRUE(b.start());
    b.rig.button("PCSetup")->click();
    CAppSettings().writeSetting(CAppSettings::CODEC_TYPE, Viewer::getCodecType() == 0 ? 1 : 0);
    b.window->OnApplyPCSetup();
    WindowRig::settle();
    EXPECT_TRUE(b.backupRuns());
}

TEST(BackupEnds, TheBackupButtonAfterPCSetupReturnsToTheRunningBackup)
{
    RunningBackup b;
    ASSERT_TRUE(b.start());
    b.rig.button("PCSetup")->click();
    b.window->pcSetupDialog()->reject();
    b.rig.button("Backup")->click();
    WindowRig::settle();
    EXPECT_TRUE(b.backupRuns());
    EXPECT_EQ(b.window->menuMode(), Viewer::MENU_BACKUP);
}
