// The main window in Backup mode against simulated DVRs: the wait indicator of a backup
// that cannot be written, the message a backup ends with, and the Configuration button of
// the DVR chosen in the tree.

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QMessageBox>
#include <QTimeEdit>
#include <QTimer>

#include "Display/Screen.h"
#include "Playback/BackupWidget.h"
#include "window_test_util.h"

using namespace windowtest;

namespace {

// Counts the messages, and whether the wait indicator turned while each was read.
class WaitWatchingPrompt : public uitest::ScriptedPrompt {
public:
    explicit WaitWatchingPrompt(Viewer* window) : m_window(window) {}
    void message(QWidget* parent, const QString& text) override
    {
        ScriptedPrompt::message(parent, text);
        waitShown << m_window->displayWidget()->screenContainer()->waitWidget()->isVisible();
    }
    QList<bool> waitShown;

private:
    Viewer* m_window;
};

// One current-protocol DVR, live in the window, then in Backup mode.
struct BackupWindow {
    BackupWindow()
    {
        rig.addDvr("Office", false, 4);
        window = &rig.open();
    }
    bool enterBackup()
    {
        if (!rig.connect())
            return false;
        rig.button("Backup")->click();
        WindowRig::settle();
        return true;
    }
    // Backs up the chosen day's first `seconds` seconds of channel 1.
    void startBackup(int seconds)
    {
        CBackupWidget* panel = window->backupWidget();
        panel->findChild<QTimeEdit*>("startTime")->setTime(QTime(0, 0));
        panel->findChild<QTimeEdit*>("endTime")->setTime(QTime(0, 0).addSecs(seconds));
        panel->findChild<QPushButton*>("startButton")->click();
    }
    bool waitTurning() const { return window->displayWidget()->screenContainer()->waitWidget()->isVisible(); }

    WindowRig rig;
    Viewer* window = nullptr;
};

// The whole screen as the X server shows it, when ZAVO_SCREENSHOT_DIR names a folder.
void ScreenGrab(const QString& name)
{
    const QString dir = qEnvironmentVariable("ZAVO_SCREENSHOT_DIR");
    if (dir.isEmpty() || !QDir().mkpath(dir))
        return;
    QTest::qWait(200);
    QGuiApplication::primaryScreen()->grabWindow(0).save(QDir(dir).filePath(name + ".png"));
}

// The box the window shows as the active modal one, as seen while its own loop runs.
struct ModalSeen {
    QString text;
    QWidget* parent = nullptr;
    Qt::WindowModality modality = Qt::NonModal;
};

// Two DVRs in one group: an old-protocol one and a current one.
struct TwoProtocols {
    TwoProtocols()
    {
        rig.addDvr("Old", true, 4);
        rig.addDvr("New", false, 4);
        window = &rig.open();
    }
    // Chooses the DVR in the tree and connects it, as the operator does.
    void choose(int dvr)
    {
        CDVRListTree* tree = window->dvrTree();
        tree->setCurrentItem(tree->topLevelItem(0)->child(dvr));
        tree->connectCurrent();
        WindowRig::settle();
    }
    // Chooses the DVR in Live S and waits for its pictures.
    bool chooseLive(int dvr)
    {
        choose(dvr);
        return QTest::qWaitFor([&] {
            const CConnectDVR* c = window->connections().value(dvr);
            return c && c->IsConnected();
        }, 15000);
    }
    bool configurationShown() const { return !rig.button("Setup")->isHidden(); }
    // Enters Backup mode and chooses the DVR there; whether Configuration is offered then.
    bool configurationShownInBackupFor(int dvr)
    {
        rig.button("Backup")->click();
        choose(dvr);
        return configurationShown();
    }

    WindowRig rig;
    Viewer* window = nullptr;
};

}  // namespace

TEST(WindowBackup, ARefusedBackupLeavesNoWaitIndicatorTurning)
{
    BackupWindow b;
    ASSERT_TRUE(b.enterBackup());
    CAppSettings().writeSetting(CAppSettings::PATH_LIST[2], "/dev/null/backup");
    b.startBackup(2);
    ASSERT_EQ(b.rig.prompt.messages.size(), 1);
    WindowRig::settle();
    uitest::Screenshot(b.window, "backup-refused");
    EXPECT_FALSE(b.waitTurning());
}

TEST(WindowBackup, ARefusedBackupShowsNoWaitIndicatorWhileItsMessageIsRead)
{
    BackupWindow b;
    WaitWatchingPrompt prompt(b.window);
    ASSERT_TRUE(b.enterBackup());
    CAppSettings().writeSetting(CAppSettings::PATH_LIST[2], "/dev/null/backup");
    b.startBackup(2);
    ASSERT_EQ(prompt.waitShown.size(), 1);
    EXPECT_FALSE(prompt.waitShown.first());
}

TEST(WindowBackup, TheEndMessageIsApplicationModalOverTheMainWindow)
{
    BackupWindow b;
    ASSERT_TRUE(b.enterBackup());
    // The program's own dialogs, as the operator sees them.
    CPrompt::install(nullptr);
    ModalSeen seen;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = {box->text(), box->parentWidget(), box->windowModality()};
        look.stop();
        ScreenGrab("backup-end-message");
        box->done(QMessageBox::Ok);
    });
    look.start(50);
    b.startBackup(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !seen.text.isEmpty(); }, 20000));
    EXPECT_EQ(seen.text.toStdString(), "The backup is complete.");
    EXPECT_EQ(seen.parent, b.window);
    EXPECT_EQ(seen.modality, Qt::ApplicationModal);
}

TEST(WindowBackup, TheConfigurationButtonIsHiddenForAnOldDvrChosenInBackup)
{
    TwoProtocols t;
    ASSERT_TRUE(t.chooseLive(1));
    ASSERT_TRUE(t.configurationShown());
    EXPECT_FALSE(t.configurationShownInBackupFor(0));
}

TEST(WindowBackup, TheConfigurationButtonIsShownForACurrentDvrChosenInBackupAfterAnOldOne)
{
    TwoProtocols t;
    ASSERT_TRUE(t.chooseLive(0));
    ASSERT_FALSE(t.configurationShown());
    EXPECT_TRUE(t.configurationShownInBackupFor(1));
}
