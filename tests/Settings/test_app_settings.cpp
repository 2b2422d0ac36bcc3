#include <cstdio>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Common/AppDir.h"
#include "settings_sandbox.h"

TEST_F(SettingsTest, KeyNamesAreTheStoredOnes)
{
    const std::pair<QString, const char*> keys[] = {
        {CAppSettings::COMPANY_NAME, "COMPANY"},
        {CAppSettings::APP_NAME, "LOMA ZAVO"},
        {CAppSettings::START_PRESET, "StartPreset"},
        {CAppSettings::END_PRESET, "EndPreset"},
        {CAppSettings::PRESET_INTERVAL, "PresetInterval"},
        {CAppSettings::LANGUAGE, "Language"},
        {CAppSettings::CODEC_TYPE, "CodecType"},
        {CAppSettings::PLAYBACK_MODE, "PlaybackMode"},
        {CAppSettings::AUDIO_SUPPORT, "AudioSupport"},
        {CAppSettings::SEQ_INTERVAL, "SeqenceInterval"},
        {CAppSettings::RECONNECT, "Reconnect"},
        {CAppSettings::OPENGL, "Opengl"},
        {CAppSettings::OSD_CH_NAME, "OsdChName"},
        {CAppSettings::OSD_RECORD, "OsdRecord"},
        {CAppSettings::OSD_EVENT, "OsdEvent"},
        {CAppSettings::ALARM_SOUND, "AlarmSound"},
        {CAppSettings::FILE_FORMAT, "FileFormat"},
        {CAppSettings::CAPTURE_FILE_FORMAT, "CaptureFileFormat"},
        {CAppSettings::EMAP_POPUP, "EmapPopup"},
        {CAppSettings::EMAP_POPDOWN, "EmapPopdown"},
        {CAppSettings::EMAP_IMAGESIZE, "EmapImageSize"},
    };
    for (const auto& key : keys)
        EXPECT_EQ(key.first, QLatin1String(key.second));
    EXPECT_EQ(CAppSettings::PATH_LIST, (QStringList{"Capture", "Record", "Backup"}));
}

TEST_F(SettingsTest, EveryKeyHasItsFirstStartDefault)
{
    const std::pair<const char*, QVariant> defaults[] = {
        {"CodecType", 3},         {"PlaybackMode", 1},     {"AudioSupport", 1}, {"SeqenceInterval", "2"},
        {"Reconnect", 1},         {"Opengl", 0},           {"OsdChName", 1},    {"OsdRecord", 1},
        {"OsdEvent", 1},          {"AlarmSound", 0},       {"FileFormat", 0},   {"CaptureFileFormat", 0},
        {"EmapPopup", 0},         {"EmapPopdown", 0},      {"EmapImageSize", 0}, {"StartPreset", 0},
        {"EndPreset", 0},         {"PresetInterval", 0},
    };
    for (const auto& entry : defaults) {
        const QVariant value = CAppSettings::defaultSetting(entry.first);
        EXPECT_EQ(value, entry.second) << entry.first;
        EXPECT_EQ(value.typeId(), entry.second.typeId()) << entry.first;
    }

    QTemporaryDir appDir;
    ASSERT_TRUE(appDir.isValid());
    CAppDir::setOverridePath(appDir.path());
    for (const QString& key : CAppSettings::PATH_LIST)
        EXPECT_EQ(CAppSettings::defaultSetting(key).toString(), QDir::toNativeSeparators(appDir.path() + "/" + key));
    CAppDir::setOverridePath(QString());

    EXPECT_EQ(CAppSettings::defaultSetting("Language").toString(), CAppSettings().readLanguage());
    EXPECT_FALSE(CAppSettings::defaultSetting("NoSuchKey").isValid());
}

TEST_F(SettingsTest, ValuesPersistInTheNamedStore)
{
    {
        CAppSettings settings;
        EXPECT_FALSE(settings.contains(CAppSettings::OSD_RECORD));
        const QVariant absent = settings.readSetting(CAppSettings::OSD_RECORD, QVariant());
        EXPECT_FALSE(absent.isValid());
        EXPECT_EQ(absent.toInt(), 0);
        EXPECT_EQ(settings.readSetting(CAppSettings::OSD_RECORD, 1).toInt(), 1);

        settings.writeSetting(CAppSettings::OSD_RECORD, 2);
        settings.writeSetting(CAppSettings::SEQ_INTERVAL, QStringLiteral("10"));
        settings.writeSetting(CAppSettings::OPENGL, QStringLiteral("fast"));
    }
    // A second object sees the first one's writes, and so does the file on disk.
    CAppSettings settings;
    EXPECT_TRUE(settings.contains(CAppSettings::OSD_RECORD));
    EXPECT_EQ(settings.readSetting(CAppSettings::OSD_RECORD, 1).toInt(), 2);
    EXPECT_EQ(settings.readSetting(CAppSettings::SEQ_INTERVAL, QVariant()).toInt(), 10);
    EXPECT_EQ(settings.readSetting(CAppSettings::OPENGL, QVariant()).toInt(), 0) << "not a number reads as 0";

    const QString file = m_root + "/user/COMPANY/LOMA ZAVO.conf";
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_EQ(QSettings(file, QSettings::IniFormat).value("OsdRecord").toInt(), 2);

    settings.remove(CAppSettings::OSD_RECORD);
    EXPECT_FALSE(settings.contains(CAppSettings::OSD_RECORD));
    EXPECT_TRUE(settings.contains(CAppSettings::SEQ_INTERVAL));
}

TEST_F(SettingsTest, AutoPresetTourPerChannel)
{
    CAppSettings settings;
    settings.writeAutoPreset(3, 1, 5, 10);
    settings.writeAutoPreset(15, 7, 8, 30);

    QSettings store(CAppSettings::COMPANY_NAME, CAppSettings::APP_NAME);
    EXPECT_EQ(store.value("channel3/StartPreset"), QVariant(1));
    EXPECT_EQ(store.value("channel3/EndPreset"), QVariant(5));
    EXPECT_EQ(store.value("channel3/PresetInterval"), QVariant(10));
    EXPECT_FALSE(store.contains("StartPreset")) << "the group is left after writing";

    int start = -1, end = -1, interval = -1;
    settings.readAutoPreset(15, start, end, interval);
    EXPECT_EQ(start, 7);
    EXPECT_EQ(end, 8);
    EXPECT_EQ(interval, 30);
    settings.readAutoPreset(4, start, end, interval);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 0);
    EXPECT_EQ(interval, 0);
    EXPECT_FALSE(settings.contains("PresetInterval"));
}

TEST_F(SettingsTest, LanguageFallsBackToTheSystemLocale)
{
    CAppSettings settings;
    const QString systemName =
        QLocale::languageToString(QLocale(QLocale::system().name().section('_', 0, 0)).language());
    EXPECT_EQ(settings.readLanguage(), systemName);
    settings.writeLanguage("Korean");
    EXPECT_EQ(settings.readLanguage(), "Korean");
    EXPECT_EQ(settings.readSetting(CAppSettings::LANGUAGE, QVariant()).toString(), "Korean");
    settings.writeLanguage(QString());
    EXPECT_EQ(settings.readLanguage(), systemName);
}

// Run by the next test in a child process with a German locale.
TEST_F(SettingsTest, DISABLED_PrintsTheLanguage)
{
    std::printf("LANGUAGE=%s\n", qPrintable(CAppSettings().readLanguage()));
}

TEST_F(SettingsTest, LanguageOfAGermanSystemIsGerman)
{
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
