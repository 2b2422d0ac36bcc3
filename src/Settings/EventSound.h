#pragma once

#include <QObject>
#include <QSoundEffect>

#include <memory>

// The alarm that sounds while the shown picture carries a motion or sensor mark, when the
// "AlarmSound" setting is on. Its sound is read once the setting is on (or it is played).
// Without an audio device it stays silent.
//
// The sound plays on the sound thread: this object only hands over what it wants there (the
// newest wish, one hand-over under way at most), so a sound server that does not answer never
// holds the caller.
class CEventSound : public QObject {
    Q_OBJECT

public:
    CEventSound();
    ~CEventSound() override;

    void setEvent(bool on);
    void play();
    void stop();
    // Takes the "AlarmSound" setting; turning it off silences a running alarm.
    void UpdateSetting();
    // Silences the alarm and keeps it off until the setting is read again.
    void reset();

    // Whether the alarm is asked to sound.
    bool isOn() const { return m_playing; }
    // What the sound thread has done about it so far.
    struct Report {
        QSoundEffect::Status status = QSoundEffect::Null;  // of reading the sound
        int loops = 0;
        bool sounding = false;
        int changes = 0;  // of sounding
        bool current = false;  // the last wish has been handled
    };
    Report report() const;

private:
    // What the sound thread works with; it keeps it as long as it has work for it.
    struct Shared;

    // Reads the sound, once.
    void load();
    // Hands the wish over to the sound thread.
    void request();

    const std::shared_ptr<Shared> m_shared;
    bool m_playing;
    bool m_enabled;
    bool m_loaded;
};
