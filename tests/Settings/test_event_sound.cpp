#include <QFile>
#include <QSignalSpy>
#include <QSoundEffect>
#include <QTest>

#include <gtest/gtest.h>

#include "Settings/EventSound.h"
#include "settings_sandbox.h"

namespace {

class EventSoundTest : public SettingsTest {
protected:
    static void setAlarmSetting(int value) { CAppSettings().writeSetting(CAppSettings::ALARM_SOUND, value); }

    // Qt's sample loader leaks when the program ends while it still reads the file.
    static void waitUntilLoaded(CEventSound& alarm)
    {
        QSoundEffect* effect = alarm.findChild<QSoundEffect*>();
        ASSERT_NE(effect, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([effect] { return effect->status() == QSoundEffect::Ready; }, 10000));
    }

    static bool sounding(CEventSound& alarm)
    {
        QSoundEffect* effect = alarm.findChild<QSoundEffect*>();
        return effect && effect->isPlaying();
    }
};

}  // namespace

TEST(AlarmSoundFile, IsABuiltInLoopingPcmWave)
{
    QFile wav(":/Viewer/files/sound/AlarmSound.wav");
    ASSERT_TRUE(wav.open(QIODevice::ReadOnly));
    const QByteArray head = wav.read(44);
    ASSERT_EQ(head.size(), 44);
    EXPECT_EQ(head.mid(0, 4), "RIFF");
    EXPECT_EQ(head.mid(8, 8), "WAVEfmt ");
    EXPECT_EQ(head.at(20), 1) << "PCM";
    EXPECT_GT(wav.size(), 4000);

    CEventSound alarm;
    QSoundEffect* effect = alarm.findChild<QSoundEffect*>();
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->loopCount(), int(QSoundEffect::Infinite));
    EXPECT_EQ(effect->source(), QUrl("qrc:/Viewer/files/sound/AlarmSound.wav"));
    // Decoding does not need an audio device.
    EXPECT_TRUE(QTest::qWaitFor([effect] { return effect->status() != QSoundEffect::Loading; }, 10000));
    EXPECT_EQ(effect->status(), QSoundEffect::Ready);
}

TEST_F(EventSoundTest, FollowsEventsOnlyWhileTheSettingIsOn)
{
    CEventSound alarm;
    waitUntilLoaded(alarm);
    alarm.setEvent(true);
    EXPECT_FALSE(sounding(alarm)) << "off until the setting is read";

    setAlarmSetting(0);
    alarm.UpdateSetting();
    alarm.setEvent(true);
    EXPECT_FALSE(sounding(alarm));

    setAlarmSetting(1);
    alarm.UpdateSetting();
    QSignalSpy changes(alarm.findChild<QSoundEffect*>(), &QSoundEffect::playingChanged);
    alarm.setEvent(true);
    EXPECT_TRUE(sounding(alarm));
    alarm.setEvent(true);
    EXPECT_TRUE(sounding(alarm));
    EXPECT_EQ(changes.count(), 1) << "a lasting event does not restart the sound";
    alarm.setEvent(false);
    EXPECT_FALSE(sounding(alarm));

    // Turning the setting off silences a running alarm at once.
    alarm.setEvent(true);
    ASSERT_TRUE(sounding(alarm));
    setAlarmSetting(0);
    alarm.UpdateSetting();
    EXPECT_FALSE(sounding(alarm));
    alarm.setEvent(true);
    EXPECT_FALSE(sounding(alarm));
}

TEST_F(EventSoundTest, ResetSilencesUntilTheSettingIsReadAgain)
{
    setAlarmSetting(1);
    CEventSound alarm;
    waitUntilLoaded(alarm);
    alarm.UpdateSetting();
    alarm.setEvent(true);
    ASSERT_TRUE(sounding(alarm));
    alarm.reset();
    EXPECT_FALSE(sounding(alarm));
    alarm.setEvent(true);
    EXPECT_FALSE(sounding(alarm));
    alarm.UpdateSetting();
    alarm.setEvent(true);
    EXPECT_TRUE(sounding(alarm));

    // play and stop work whatever the setting says.
    alarm.reset();
    alarm.play();
    EXPECT_TRUE(sounding(alarm));
    alarm.stop();
    EXPECT_FALSE(sounding(alarm));
}
