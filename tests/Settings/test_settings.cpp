#include <cstdio>
#include <tuple>

#include <QCoreApplication>
#include <QProcess>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

#include "Common/WaveFile.h"
#include "Settings/EventSound.h"
#include "support/AudioCard.h"
#include "support/UiTestSupport.h"

namespace {

class SettingsTest : public ::testing::Test {
protected:
    uitest::Sandbox m_sandbox;
};

using audiotest::CardState;

// True once the card has taken more of the alarm within a second.
bool Sounds(CardState& card)
{
    const qsizetype before = card.writtenSize();
    return QTest::qWaitFor([&] { return card.writtenSize() > before + 640; }, 1000);
}

// True when the card takes nothing more for a while (after what was on its way).
bool Silent(CardState& card)
{
    QTest::qWait(100);
    const qsizetype before = card.writtenSize();
    QTest::qWait(250);
    return card.writtenSize() == before;
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

    EXPECT_EQ(CAppSettings::PATH_LIST, (QStringList{"Capture", "Record", "Backup"}));
    for (const QString& key : CAppSettings::PATH_LIST)
        EXPECT_EQ(CAppSettings::defaultSetting(key).toString(), QDir::toNativeSeparators(m_sandbox.appDir() + "/" + key));
}

TEST_F(SettingsTest, ValuesPersistInTheNamedStoreAndAutoPresetsPerChannel)
{
    {
        CAppSettings settings;
        settings.writeSetting(CAppSettings::OSD_RECORD, 2);
        settings.writeAutoPreset(3, 1, 5, 10);
        settings.writeAutoPreset(15, 7, 8, 30);
    }
    // A second object and the file on disk see the first one's writes.
    CAppSettings settings;
    EXPECT_EQ(settings.readSetting(CAppSettings::OSD_RECORD, 1).toInt(), 2);
    const QSettings file(CAppSettings::COMPANY_NAME, CAppSettings::APP_NAME);
    EXPECT_TRUE(file.fileName().endsWith("/COMPANY/LOMA ZAVO.conf")) << file.fileName().toStdString();
    EXPECT_EQ(QVariantList({file.value("OsdRecord"), file.value("channel3/StartPreset"), file.value("channel3/EndPreset"),
                            file.value("channel3/PresetInterval")}),
              QVariantList({2, 1, 5, 10}));
    EXPECT_FALSE(file.contains("StartPreset"));  // the group is left after writing
    for (const auto& [channel, expected] : {std::pair{15, std::vector<int>{7, 8, 30}}, {4, {0, 0, 0}}}) {
        std::vector<int> read(3, -1);
        settings.readAutoPreset(channel, read[0], read[1], read[2]);
        EXPECT_EQ(read, expected) << channel;
    }
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

TEST_F(SettingsTest, TheAlarmReadsItsSoundAndOpensItsOutputOnlyOnceTheSettingIsOn)
{
    auto card = std::make_shared<CardState>();
    CEventSound alarm(audiotest::Cards(card));
    alarm.UpdateSetting();  // off, as at the first start
    QTest::qWait(100);
    EXPECT_FALSE(alarm.soundRead());
    EXPECT_EQ(card->openCount(), 0);
    CAppSettings().writeSetting(CAppSettings::ALARM_SOUND, 1);
    alarm.UpdateSetting();
    EXPECT_TRUE(alarm.soundRead());
    EXPECT_TRUE(QTest::qWaitFor([&] { return card->openCount() == 1; }, 5000));
    // Opened ahead of an event, silent until one comes.
    EXPECT_TRUE(Silent(*card));
}

TEST_F(SettingsTest, TheAlarmPlaysTheBuiltInWaveFromItsStartOverAndOver)
{
    auto card = std::make_shared<CardState>();
    CEventSound alarm(audiotest::Cards(card));
    QFile file(QStringLiteral(":/Viewer/files/sound/AlarmSound.wav"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    WaveSound wave;
    QString error;
    ASSERT_TRUE(ReadWave(file.readAll(), &wave, &error)) << qPrintable(error);
    alarm.play();
    const qsizetype twice = 2 * wave.frames.size();
    ASSERT_TRUE(QTest::qWaitFor([&] { return card->writtenSize() >= twice; }, 20000));
    alarm.stop();
    EXPECT_EQ(card->writtenBytes().left(twice), wave.frames + wave.frames);
    std::lock_guard<std::mutex> guard(card->lock);
    EXPECT_EQ(card->format, wave.format);
}

TEST_F(SettingsTest, AlarmSoundsWhileEventsLastAndTheSettingIsOn)
{
    auto card = std::make_shared<CardState>();
    CEventSound alarm(audiotest::Cards(card));
    // e/E: an event starts/ends; 1/0: the setting turned on/off; u: the setting read again;
    // r: reset; p/s: play/stop. After each step the alarm plays (+) or is silent (-): off until
    // the setting is read, a lasting event does not restart it, turning the setting off silences
    // it at once, reset until the setting is read again; play and stop whatever the setting says.
    const QStringList steps = QString("e- 0- e- 1- e+ e+ E- e+ 0- 1- e+ r- e- u- e+ r- p+ s-").split(' ');
    for (int i = 0; i < steps.size(); ++i) {
        switch (steps[i][0].toLatin1()) {
        case 'e': alarm.setEvent(true); break;
        case 'E': alarm.setEvent(false); break;
        case '0':
        case '1': CAppSettings().writeSetting(CAppSettings::ALARM_SOUND, steps[i][0] == '1' ? 1 : 0); [[fallthrough]];
        case 'u': alarm.UpdateSetting(); break;
        case 'r': alarm.reset(); break;
        case 'p': alarm.play(); break;
        case 's': alarm.stop(); break;
        }
        EXPECT_EQ(alarm.isOn(), steps[i][1] == '+') << "step " << i;
        if (steps[i][1] == '+')
            EXPECT_TRUE(Sounds(*card)) << "step " << i;
        else
            EXPECT_TRUE(Silent(*card)) << "step " << i;
    }
    // Opened once, for all the steps.
    EXPECT_EQ(card->openCount(), 1);
}

TEST_F(SettingsTest, AnAlarmThatCannotOpenItsOutputIsToldOnceUntilItHasSounded)
{
    auto card = std::make_shared<CardState>();
    card->set(&CardState::opensOk, false);
    CEventSound alarm(audiotest::Cards(card));
    QStringList told;
    QObject::connect(&alarm, &CEventSound::cannotSound, [&](const QString& text) { told << text; });
    alarm.play();
    EXPECT_TRUE(QTest::qWaitFor([&] { return told.size() == 1; }, 5000));
    // Tries again while it is on, without telling again.
    EXPECT_TRUE(QTest::qWaitFor([&] { return card->openCount() >= 2; }, 5000));
    alarm.stop();
    alarm.play();
    QTest::qWait(200);
    EXPECT_EQ(told.size(), 1);

    card->set(&CardState::opensOk, true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return alarm.output().open; }, 5000));
    EXPECT_TRUE(Sounds(*card));
    // A device lost after the alarm sounded is told again.
    card->set(&CardState::opensOk, false);
    card->set(&CardState::stopped, true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return told.size() == 2; }, 5000));
}
