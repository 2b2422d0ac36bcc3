// The end of the program as the operator waits for it, from the main window's close to the
// process's end, judged by the exit check in a child process of this program.

#include <chrono>
#include <thread>

#include <sys/stat.h>

#include <QCloseEvent>
#include <QTimeEdit>

#include "Playback/BackupWidget.h"
#include "support/ChildRun.h"
#include "support/ExitLimits.h"
#include "window_test_util.h"

using namespace windowtest;

namespace {

// A main window whose close takes longer than the check allows.
class SlowToClose : public QWidget {
protected:
    void closeEvent(QCloseEvent* event) override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(exitcheck::kCloseToEndMs + 1000));
        event->accept();
    }
};

// The inode of the settings file: a write replaces the file.
ino_t SettingsInode()
{
    struct stat st {};
    const QString file = QSettings(CAppSettings::COMPANY_NAME, CAppSettings::APP_NAME).fileName();
    return ::stat(QFile::encodeName(file).constData(), &st) == 0 ? st.st_ino : 0;
}

}  // namespace

TEST(ExitCheck, FailsAProgramWhoseMainWindowIsSlowToClose)
{
    if (childrun::InChild()) {
        SlowToClose window;
        window.show();
        window.close();
        return;
    }
    int status = 0;
    const std::string output = childrun::Run("ExitCheck.FailsAProgramWhoseMainWindowIsSlowToClose", "check", &status);
    ASSERT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
    EXPECT_GE(childrun::ReportedMs(output, "window closed to the end in"), exitcheck::kCloseToEndMs) << output;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 0) << output;
}

TEST(ExitCheck, PassesAProgramWhoseMainWindowClosesAtOnce)
{
    if (childrun::InChild()) {
        QWidget window;
        window.show();
        window.close();
        return;
    }
    int status = 0;
    const std::string output = childrun::Run("ExitCheck.PassesAProgramWhoseMainWindowClosesAtOnce", "check", &status);
    EXPECT_GE(childrun::ReportedMs(output, "window closed to the end in"), 0) << output;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
}

// The window closed while a backup writes its files: the program ends as promptly as an idle one.
TEST(WindowExit, TheProgramEndsPromptlyWhenItsWindowClosesDuringABackup)
{
    if (childrun::InChild()) {
        QTemporaryDir backups;
        WindowRig rig;
        rig.addDvr("Office", false, 4);
        CAppSettings().writeSetting(CAppSettings::PATH_LIST[2], backups.path());
        Viewer& w = rig.open();
        ASSERT_TRUE(rig.connect());
        rig.button("Backup")->click();
        WindowRig::settle();
        CBackupWidget* panel = w.backupWidget();
        panel->findChild<QTimeEdit*>("startTime")->setTime(QTime(0, 0));
        panel->findChild<QTimeEdit*>("endTime")->setTime(QTime(23, 0));
        panel->findChild<QPushButton*>("startButton")->click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return panel->progressValue() > 0; }, 20000));
        w.close();
        return;
    }
    int status = 0;
    const std::string output =
        childrun::Run("WindowExit.TheProgramEndsPromptlyWhenItsWindowClosesDuringABackup", "report", &status);
    ASSERT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
    const int closeToEnd = childrun::ReportedMs(output, "window closed to the end in");
    EXPECT_GE(closeToEnd, 0) << output;
    EXPECT_LT(closeToEnd, exitcheck::kCloseToEndMs) << output;
    EXPECT_NE(output.find("threads left after the application: 0"), std::string::npos) << output;
}

// Writing the settings syncs them to disk, which the pending data of a backup can hold up.
TEST(WindowExit, ClosingTheWindowWritesNoSettings)
{
    WindowRig rig;
    rig.addDvr("Office", false, 4);
    Viewer& w = rig.open();
    ASSERT_TRUE(rig.connect());
    CAppSettings().writeSetting(QStringLiteral("probe"), 1);  // the file exists whatever ran before
    const ino_t before = SettingsInode();
    ASSERT_NE(before, ino_t(0));
    w.close();
    rig.window.reset();
    EXPECT_EQ(SettingsInode(), before);
}
