// The PC setup dialog: every setting written at start, fall-backs, folders, the PC's drive
// and a language switched at once.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStorageInfo>
#include <QTest>
#include <QTranslator>

#include <gtest/gtest.h>

#include "DVRInfo/HDDWidget.h"
#include "PCSetup/PCInfoPage.h"
#include "PCSetup/PCSetupDialog.h"
#include "PCSetup/PCSetupPage.h"
#include "Settings/Language.h"
#include "Settings/Translator.h"
#include "support/UiTestSupport.h"

namespace {

QVariant Stored(const QString& key)
{
    return QSettings(CAppSettings::COMPANY_NAME, CAppSettings::APP_NAME).value(key);
}

void Store(const QString& key, const QVariant& value)
{
    QSettings(CAppSettings::COMPANY_NAME, CAppSettings::APP_NAME).setValue(key, value);
}

class PCSetupTest : public ::testing::Test {
protected:
    void TearDown() override { CTranslator::setLanguage(QString()); }

    uitest::Sandbox sandbox;
    uitest::ScriptedPrompt prompt;
};

}  // namespace

TEST_F(PCSetupTest, FirstStartWritesEverySettingAndMakesTheFolders)
{
    const QString system = CAppSettings().readLanguage();
    CPCSetupDialog dialog;
    const std::pair<QString, QVariant> defaults[] = {
        {"CodecType", 3},  {"PlaybackMode", 1}, {"AudioSupport", 1}, {"Reconnect", 1},
        {"Opengl", 0},     {"OsdChName", 1},    {"OsdRecord", 1},    {"OsdEvent", 1},
        {"AlarmSound", 0}, {"FileFormat", 0},   {"CaptureFileFormat", 0}, {"SeqenceInterval", "2"},
    };
    for (const auto& [key, value] : defaults)
        EXPECT_EQ(Stored(key).toString(), value.toString()) << key.toStdString();
    for (const QString key : {"Capture", "Record", "Backup"}) {
        const QString folder = QDir::toNativeSeparators(sandbox.appDir() + "/" + key);
        EXPECT_EQ(Stored(key).toString(), folder);
        EXPECT_TRUE(QDir(folder).exists()) << key.toStdString();
    }
    const bool listed = CLanguage().getLanguageName().contains(system);
    EXPECT_EQ(Stored("Language").toString(), listed ? system : "English");
    for (const QString key : {"EmapPopup", "EmapPopdown", "EmapImageSize"})
        EXPECT_FALSE(Stored(key).isValid()) << key.toStdString();
    uitest::Screenshot(&dialog, "pc-setup");
}

TEST_F(PCSetupTest, StoredValuesShowTheirChoiceOrTheDefault)
{
    struct Case {
        const char* key;
        QVariant stored;
        const char* shown;
        QVariant saved;
    };
    const Case cases[] = {
        {"CodecType", 1, "Sub", 1},
        {"CodecType", 2, "Auto", 3},
        {"Opengl", 7, "OpenGL(High PC)", 0},
        {"Opengl", 2, "Off", 2},
        {"OsdRecord", "x", "Icon", 1},
        {"OsdEvent", 2, "Outline", 2},
        {"SeqenceInterval", "10", "10", "10"},
        {"SeqenceInterval", "3", "2", "2"},
        {"AlarmSound", 1, "On", 1},
        {"FileFormat", 1, "AVI", 1},
        {"CaptureFileFormat", -1, "JPEG", 0},
        {"PlaybackMode", 0, "Continuous", 0},
    };
    for (const Case& c : cases) {
        Store(c.key, c.stored);
        Store("Language", "Klingon");
        Store("Backup", "");
        CPCSetupDialog dialog;
        EXPECT_EQ(dialog.setupPage()->choiceBox(c.key)->currentText(), c.shown) << c.key;
        EXPECT_EQ(Stored(c.key).toString(), c.saved.toString()) << c.key;
        EXPECT_EQ(dialog.setupPage()->choiceBox("Language")->currentText(), "English");
        EXPECT_EQ(Stored("Backup").toString(), QDir::toNativeSeparators(sandbox.appDir() + "/Backup"));
    }
}

TEST_F(PCSetupTest, FoldersAndTheDriveOfTheRecordFolder)
{
    QTemporaryDir elsewhere;
    CPCSetupDialog dialog;
    const QString chosen = elsewhere.path() + "/records";
    ASSERT_TRUE(QDir().mkpath(chosen));
    prompt.folders = {chosen, QString()};
    dialog.setupPage()->findChild<QPushButton*>("RecordButton")->click();
    dialog.setupPage()->findChild<QPushButton*>("CaptureButton")->click();
    EXPECT_EQ(prompt.questions, QStringList({"Please select a folder.", "Please select a folder."}));
    EXPECT_EQ(dialog.setupPage()->folderEdit("Record")->text(), QDir::toNativeSeparators(chosen));
    EXPECT_EQ(dialog.setupPage()->folderEdit("Capture")->text(), QDir::toNativeSeparators(sandbox.appDir() + "/Capture"));

    // A folder typed by hand is made when the dialog is accepted, and read back next time.
    const QString typed = elsewhere.path() + "/new/backup";
    dialog.setupPage()->folderEdit("Backup")->setText(typed);
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    dialog.accept();
    ASSERT_EQ(accepted.count(), 1);
    EXPECT_TRUE(QDir(typed).exists());
    EXPECT_EQ(Stored("Record").toString(), QDir::toNativeSeparators(chosen));
    dialog.loadSettings();
    EXPECT_EQ(dialog.setupPage()->folderEdit("Backup")->text(), typed);

    // The PC page measures the drive of the record folder, or of the nearest existing parent.
    HDD_INFO_T drive;
    QString root;
    ASSERT_TRUE(CPCInfoPage::measureDrive(chosen + "/not/yet", &drive, &root));
    EXPECT_EQ(drive.used + drive.free, drive.total);
    EXPECT_GT(drive.total, 0u);
    EXPECT_EQ(QStorageInfo(chosen).rootPath(), root);
    const CHDDWidget* disk = dialog.infoPage()->findChild<CHDDWidget*>();
    EXPECT_EQ(disk->findChild<QGroupBox*>("HddGroup")->title(), "");
    EXPECT_EQ(disk->findChild<QLabel*>("totalspace")->text(), QString("%L1 MB").arg(qulonglong(drive.total)));
    EXPECT_EQ(dialog.infoPage()->findChild<QLabel*>("drive")->text(), QDir::toNativeSeparators(root));
    uitest::Screenshot(dialog.infoPage(), "pc-information");
}

TEST_F(PCSetupTest, ChosenLanguageRetranslatesOpenWindowsAtOnce)
{
    ASSERT_TRUE(CLanguage().getLanguageName().contains("Spanish"));
    CHDDWidget disk;
    disk.setInfo(0, {10, 5, 5});
    CPCSetupDialog dialog;
    QComboBox* language = dialog.setupPage()->choiceBox("Language");
    auto shown = [&] {
        QCoreApplication::processEvents();
        return QStringList{disk.findChild<QLabel*>("hddLabel1")->text(), disk.findChild<QGroupBox*>("HddGroup")->title(),
                           dialog.windowTitle(), dialog.setupPage()->choiceBox("Reconnect")->currentText()};
    };
    ASSERT_EQ(shown(), QStringList({"Total Space : ", "HDD 1", "PC Setup", "On"}));

    // Accepting saves first; every open window follows at once.
    bool savedBeforeAccepted = false;
    QObject::connect(&dialog, &QDialog::accepted, [&] { savedBeforeAccepted = Stored("Language") == "Spanish"; });
    language->setCurrentText("Spanish");
    dialog.accept();
    EXPECT_TRUE(savedBeforeAccepted);
    EXPECT_EQ(shown(), QStringList({"Espacio total : ", "Disco 1", "Configuración del PC", "Encendido"}));
    EXPECT_EQ(dialog.setupPage()->choiceBox("Reconnect")->currentIndex(), 1);

    language->setCurrentText("English");
    dialog.accept();
    EXPECT_EQ(shown(), QStringList({"Total Space : ", "HDD 1", "PC Setup", "On"}));
    EXPECT_FALSE(CTranslator::setLanguage("Klingon"));
    EXPECT_TRUE(CTranslator::translator().isEmpty());
}
