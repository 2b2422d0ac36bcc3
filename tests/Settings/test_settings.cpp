#include <cstdio>
#include <tuple>

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QSoundEffect>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "Common/AppDir.h"
#include "Settings/AppSettings.h"
#include "Settings/EventSound.h"

namespace {

// Points the settings store at a scratch folder for the whole program, before any store is
// opened, so no test reads or writes the real settings; every test starts from an empty store.
QString SettingsRoot()
{
    static QTemporaryDir dir;
    static const bool ready = [] {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path() + "/user");
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, dir.path() + "/system");
        return true;
    }();
    return ready ? dir.path() : QString();
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_root = SettingsRoot();
        QSettings store(CAppSettings::COMPANY_NAME, CAppSettings::APP_NAME);
        ASSERT_TRUE(!m_root.isEmpty() && store.fileName().startsWith(m_root)) << store.fileName().toStdString();
        store.clear();
    }
    QString m_root;
};

// Qt's sample loader leaks when the program ends while it still reads the file.
QSoundEffect* LoadedEffect(CEventSound& alarm)
{
    QSoundEffect* effect = alarm.findChild<QSoundEffect*>();
    return effect && QTest::qWaitFor([effect] { return effect->status() != QSoundEffect::Loading; }, 10000)
               ? effect : nullptr;
}

}  // namespace

TEST_F(SettingsTest, EveryKeyHasItsStoredNameAndFirstStartDefault)
{
    const std::tuple<QString, const char*, QVariant> keys[] = {
        {CAppSettings::CODEC_TYPE, "CodecType", 3},          {CAppSettings::PLAYBACK_MODE, "PlaybackMode", 1},
        {CAppSettings::AUDIO_SUPPORT, "AudioSupport", 1},    {CAppSettings::SEQ_INTERVAL, "SeqenceInterval", "2"},
        {CAppSettings::RECONNECT, "Reconnect", 1},           {CAppSettings::OPENGL, "Opengl", 0},
        {CAppSettings::OSD_CH_NAME, "OsdChName", 1},         {CAppSettings::OSD_RECORD, "OsdRecord", 1},
        {CAppSettings::OSD_EVENT, "OsdEvent", 1},            {CAppSettings::ALARM_SOUND, "AlarmSound", 0},
        {CAppSettings::FILE_FORMAT, "FileFormat", 0},        {CAppSettings::CAPTURE_FILE_FORMAT, "CaptureFileFormat", 0},
        {CAppSettings::EMAP_POPUP, "EmapPopup", 0},          {CAppSettings::EMAP_POPDOWN, "EmapPopdown", 0},
        {CAppSettings::EMAP_IMAGESIZE, "EmapImageSize", 0},  {CAppSettings::START_PRESET, "StartPreset", 0},
        {CAppSettings::END_PRESET, "EndPreset", 0},          {CAppSettings::PRESET_INTERVAL, "PresetInterval", 0},
        {CAppSettings::LANGUAGE, "Language", CAppSettings().readLanguage()},
    };
    for (const auto& [key, name, value] : keys) {
        EXPECT_EQ(key, QLatin1String(name));
        EXPECT_EQ(CAppSettings::defaultSetting(name), value) << name;
        EXPECT_EQ(CAppSettings::defaultSetting(name).typeId(), value.typeId()) << name;
    }
    EXPECT_FALSE(CAppSettings::defaultSetting("NoSuchKey").isValid());

    QTemporaryDir appDir;
    CAppDir::setOverridePath(appDir.path());
    EXPECT_EQ(CAppSettings::PATH_LIST, (QStringList{"Capture", "Record", "Backup"}));
    for (const QString& key : CAppSettings::PATH_LIST)
        EXPECT_EQ(CAppSettings::defaultSetting(key).toString(), QDir::toNativeSeparators(appDir.path() + "/" + key));
    CAppDir::setOverridePath(QString());
}

TEST_F(SettingsTest, ValuesPersistInTheNamedStoreAndAutoPresetsPerChannel)
{
    {
        CAppSettings settings;
        EXPECT_FALSE(settings.readSetting(CAppSettings::OSD_RECORD, QVariant()).isValid());
        EXPECT_EQ(settings.readSetting(CAppSettings::OSD_RECORD, 1).toInt(), 1);
        settings.writeSetting(CAppSettings::OSD_RECORD, 2);
        settings.writeSetting(CAppSettings::SEQ_INTERVAL, QStringLiteral("10"));
        settings.writeAutoPreset(3, 1, 5, 10);
        settings.writeAutoPreset(15, 7, 8, 30);
    }
    // A second object and the file on disk see the first one's writes.
    CAppSettings settings;
    EXPECT_EQ(settings.readSetting(CAppSettings::OSD_RECORD, 1).toInt(), 2);
    EXPECT_EQ(settings.readSetting(CAppSettings::SEQ_INTERVAL, QVariant()).toInt(), 10);
    const QSettings file(m_root + "/user/COMPANY/LOMA ZAVO.conf", QSettings::IniFormat);
    EXPECT_EQ(file.value("OsdRecord").toInt(), 2);
    EXPECT_EQ(QVariantList({file.value("channel3/StartPreset"), file.value("channel3/EndPreset"),
                            file.value("channel3/PresetInterval")}),
              QVariantList({1, 5, 10}));
    EXPECT_FALSE(file.contains("StartPreset"));  // the group is left after writing
    int start = -1, end = -1, interval = -1;
    settings.readAutoPreset(15, start, end, interval);
    EXPECT_EQ(std::vector<int>({start, end, interval}), std::vector<int>({7, 8, 30}));
    settings.readAutoPreset(4, start, end, interval);
    EXPECT_EQ(std::vector<int>({start, end, interval}), std::vector<int>({0, 0, 0}));
    settings.remove(CAppSettings::OSD_RECORD);
    EXPECT_FALSE(settings.contains(CAppSettings::OSD_RECORD));
    EXPECT_TRUE(settings.contains(CAppSettings::SEQ_INTERVAL));
}

// Run by the next test in a child process with a German locale.
TEST_F(SettingsTest, DISABLED_PrintsTheLanguage)
{
    std::printf("LANGUAGE=%s\n", qPrintable(CAppSettings().readLanguage()));
}

TEST_F(SettingsTest, LanguageIsTheStoredOneOrTheSystemLocales)
{
    CAppSettings settings;
    settings.writeLanguage("Korean");
    EXPECT_EQ(settings.readSetting(CAppSettings::LANGUAGE, QVariant()).toString(), "Korean");
    EXPECT_EQ(settings.readLanguage(), "Korean");
    settings.writeLanguage(QString());
    EXPECT_EQ(settings.readLanguage(), CAppSettings::defaultSetting(CAppSettings::LANGUAGE).toString());

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"})
        env.insert(name, "de_DE.UTF-8");
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_also_run_disabled_tests", "--gtest_filter=SettingsTest.DISABLED_PrintsTheLanguage"});
    ASSERT_TRUE(child.waitForFinished(60000));
    EXPECT_EQ(child.exitCode(), 0);
    EXPECT_TRUE(child.readAllStandardOutput().contains("LANGUAGE=German\n"));
}

TEST_F(SettingsTest, AlarmLoopsABuiltInWaveWhileEventsLastAndTheSettingIsOn)
{
    QFile wav(":/Viewer/files/sound/AlarmSound.wav");
    ASSERT_TRUE(wav.open(QIODevice::ReadOnly));
    const QByteArray head = wav.read(44);
    EXPECT_TRUE(head.startsWith("RIFF") && head.mid(8, 8) == "WAVEfmt " && head.at(20) == 1);  // PCM
    CEventSound alarm;
    QSoundEffect* effect = LoadedEffect(alarm);
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->loopCount(), int(QSoundEffect::Infinite));
    EXPECT_EQ(effect->source(), QUrl("qrc:/Viewer/files/sound/AlarmSound.wav"));
    EXPECT_EQ(effect->status(), QSoundEffect::Ready);  // decoding needs no audio device

    const auto setting = [&alarm](int on) {
        CAppSettings().writeSetting(CAppSettings::ALARM_SOUND, on);
        alarm.UpdateSetting();
    };
    alarm.setEvent(true);
    EXPECT_FALSE(effect->isPlaying());  // off until the setting is read
    setting(0);
    alarm.setEvent(true);
    EXPECT_FALSE(effect->isPlaying());
    setting(1);
    QSignalSpy changes(effect, &QSoundEffect::playingChanged);
    alarm.setEvent(true);
    alarm.setEvent(true);
    EXPECT_TRUE(effect->isPlaying());
    EXPECT_EQ(changes.count(), 1);  // a lasting event does not restart the sound
    alarm.setEvent(false);
    EXPECT_FALSE(effect->isPlaying());

    // Turning the setting off silences a running alarm at once; reset silences it until the
    // setting is read again; play and stop work whatever the setting says.
    alarm.setEvent(true);
    setting(0);
    EXPECT_FALSE(effect->isPlaying());
    setting(1);
    alarm.setEvent(true);
    ASSERT_TRUE(effect->isPlaying());
    alarm.reset();
    alarm.setEvent(true);
    EXPECT_FALSE(effect->isPlaying());
    alarm.UpdateSetting();
    alarm.setEvent(true);
    EXPECT_TRUE(effect->isPlaying());
    alarm.reset();
    alarm.play();
    EXPECT_TRUE(effect->isPlaying());
    alarm.stop();
    EXPECT_FALSE(effect->isPlaying());
}
