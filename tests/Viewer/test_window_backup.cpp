// The main window in Backup mode against simulated DVRs: the wait indicator of a backup
// that cannot be written, the message a backup ends with, a backup cut by a choice in the
// tree, and the Configuration button of the DVR chosen in the tree.

#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QScreen>
#include <QMessageBox>
#include <QTimeEdit>
#include <QTimer>

#include "Display/Screen.h"
#include "Playback/BackupWidget.h"
#include "Playback/LocalFiles.h"
#include "Playback/SearchWidget.h"
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

// Two current DVRs in one group, the second with an hour of recordings; the first backs up a
// minute into a scratch folder until the operator double-clicks the second in the tree.
struct BackupCutByTheTree {
    BackupCutByTheTree()
    {
        rig.addDvr("Office", false, 4);
        simdvr::CSimDvr& store = rig.addDvr("Store", false, 4);
        simdvr::Config c = store.config();
        const auto now = static_cast<uint32_t>(::time(nullptr));
        c.spans = {{now - 3600, now, 0x1, {1}}};
        store.setConfig(c);
        CAppSettings().writeSetting(CAppSettings::PATH_LIST[2], backups.path());
        window = &rig.open();
    }
    // True once the first DVR's backup has data.
    bool running()
    {
        if (!rig.connect(0))
            return false;
        rig.button("Backup")->click();
        WindowRig::settle();
        CBackupWidget* panel = window->backupWidget();
        panel->findChild<QTimeEdit*>("startTime")->setTime(QTime(0, 0));
        panel->findChild<QTimeEdit*>("endTime")->setTime(QTime(0, 1));
        panel->findChild<QPushButton*>("startButton")->click();
        return QTest::qWaitFor([&] { return panel->progressValue() > 0; }, 20000);
    }
    // A click on the second DVR: it becomes the current one.
    void select()
    {
        CDVRListTree* tree = window->dvrTree();
        tree->setCurrentItem(tree->topLevelItem(0)->child(1));
    }
    // True once the backup had data and the second DVR was double-clicked.
    bool cut()
    {
        if (!running())
            return false;
        select();
        window->dvrTree()->connectCurrent();
        WindowRig::settle();
        return true;
    }
    QString files() const { return QDir(backups.path()).filePath("Office"); }
    CSearchWidget* search() const { return window->backupWidget()->searchWidget(); }

    QTemporaryDir backups;
    WindowRig rig;
    Viewer* window = nullptr;
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

TEST(WindowBackup, ABackupCutByATreeChoiceResetsThePanel)
{
    BackupCutByTheTree b;
    ASSERT_TRUE(b.cut());
    CBackupWidget* panel = b.window->backupWidget();
    EXPECT_FALSE(panel->isBackup());
    EXPECT_TRUE(panel->findChild<QPushButton*>("startButton")->isEnabled());
    EXPECT_FALSE(panel->findChild<QPushButton*>("stopButton")->isEnabled());
    EXPECT_EQ(panel->progressValue(), 0);
}

TEST(WindowBackup, ABackupCutByATreeChoiceTellsThatItEndedEarlyAndWhereItsFilesAre)
{
    BackupCutByTheTree b;
    ASSERT_TRUE(b.cut());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !b.rig.prompt.messages.isEmpty(); }, 5000));
    EXPECT_EQ(b.rig.prompt.messages.join('|').toStdString(),
              QString("The backup ended before its end time. The files written so far are in \"%1\".")
                  .arg(QDir::toNativeSeparators(b.files()))
                  .toStdString());
}

TEST(WindowBackup, ABackupCutByATreeChoiceLeavesItsFilesFinished)
{
    BackupCutByTheTree b;
    ASSERT_TRUE(b.cut());
    const QStringList bases = RawFileBases(b.files());
    ASSERT_FALSE(bases.isEmpty());
    for (const QString& base : bases) {
        CRawFile f;
        EXPECT_TRUE(f.open(b.files(), base)) << f.error().toStdString();
        EXPECT_FALSE(f.index().empty()) << base.toStdString();
    }
}

TEST(WindowBackup, ABackupCutByATreeChoiceOffersTheChosenDvrsRecordings)
{
    BackupCutByTheTree b;
    ASSERT_TRUE(b.cut());
    // The search of the chosen DVR sets its status at once and clears it with the reply.
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.search()->dvr().name() == "Store" && b.search()->status().isEmpty(); },
                                10000));
    EXPECT_FALSE(b.search()->data()->getMinData().empty());
    EXPECT_TRUE(b.search()->isEnabled());
}

TEST(WindowBackup, StopEndsTheBackupAfterAnotherDvrWasClickedInTheTree)
{
    BackupCutByTheTree b;
    ASSERT_TRUE(b.running());
    b.select();
    WindowRig::settle();
    b.window->backupWidget()->findChild<QPushButton*>("stopButton")->click();
    const CConnectDVR* backup = b.window->connections().value(0);
    ASSERT_TRUE(backup);
    EXPECT_FALSE(backup->isRecording());
}

TEST(WindowBackup, ABackupCutByTheMapButtonIsOverWhenTheOperatorComesBack)
{
    BackupCutByTheTree b;
    ASSERT_TRUE(b.running());
    b.rig.button("EMap")->click();
    WindowRig::settle();
    b.rig.button("Backup")->click();
    WindowRig::settle();
    CBackupWidget* panel = b.window->backupWidget();
    EXPECT_FALSE(panel->isBackup());
    EXPECT_TRUE(panel->findChild<QPushButton*>("startButton")->isEnabled());
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

TEST(WindowConfigurationButton, IsHiddenAsSoonAsAnOldDvrIsChosenLiveNotFromItsFirstPicture)
{
    TwoProtocols t;
    ASSERT_TRUE(t.chooseLive(1));
    ASSERT_TRUE(t.configurationShown());
    // The operator's double click, and no event handled since: no picture can have come.
    CDVRListTree* tree = t.window->dvrTree();
    tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    tree->connectCurrent();
    EXPECT_FALSE(t.configurationShown());
}
