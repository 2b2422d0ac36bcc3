#pragma once

#include <QObject>

class QSoundEffect;

// The alarm that sounds while the shown picture carries a motion or sensor mark, when the
// "AlarmSound" setting is on. Its sound is read once the setting is on (or it is played).
// Without an audio device it stays silent.
class CEventSound : public QObject {
    Q_OBJECT

public:
    CEventSound();

    void setEvent(bool on);
    void play();
    void stop();
    // Takes the "AlarmSound" setting; turning it off silences a running alarm.
    void UpdateSetting();
    // Silences the alarm and keeps it off until the setting is read again.
    void reset();

private:
    // Reads the sound, once.
    void load();

    QSoundEffect* m_sound;  // child: loops while the alarm lasts
    bool m_playing;
    bool m_enabled;
};
