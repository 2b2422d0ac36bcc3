#pragma once

#include <QObject>
#include <QString>

#include <memory>

#include "Common/PlayAudio.h"
#include "Common/WaveFile.h"

// The alarm that sounds while the shown picture carries a motion or sensor mark, when the
// "AlarmSound" setting is on. Its sound is read and its output opened once the setting is on
// (or it is played), and the output stays open: opening waits for the sound server, so an
// alarm that sounds at an event never waits for one. A sound server that did not answer (at
// the start, or for a while) delays the alarm only until it answers again.
class CEventSound : public QObject {
    Q_OBJECT

public:
    // The alarm on the default sound output, or on the devices the factory makes.
    explicit CEventSound(CPlayAudio::DeviceFactory device = {});
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
    // Whether its sound has been read, and what its output has done.
    bool soundRead() const { return !m_sound.frames.isEmpty(); }
    CPlayAudio::Report output() const;

signals:
    // The alarm was asked to sound and cannot: told once, and again only after it has sounded.
    void cannotSound(const QString& text);

private:
    // Reads the sound and opens the output, once.
    void load();
    // Tells, once, when the alarm is on and cannot sound.
    void checkSounding();

    const CPlayAudio::DeviceFactory m_device;
    std::unique_ptr<CPlayAudio> m_output;
    WaveSound m_sound;
    bool m_playing = false;
    bool m_enabled = false;
    bool m_loaded = false;
    bool m_told = false;
    int m_opensWhenTold = 0;
};
