#include "Settings/EventSound.h"

#include <QSoundEffect>
#include <QUrl>

#include "Settings/AppSettings.h"

CEventSound::CEventSound()
    : m_sound(new QSoundEffect(this))
    , m_playing(false)
    , m_enabled(false)
{
    m_sound->setLoopCount(QSoundEffect::Infinite);
}

void CEventSound::load()
{
    // Only once the alarm can sound: Qt's loader cannot be stopped, and what it holds is lost
    // when the program ends while it still reads the sound.
    if (m_sound->source().isEmpty())
        m_sound->setSource(QUrl(QStringLiteral("qrc:/Viewer/files/sound/AlarmSound.wav")));
}

void CEventSound::setEvent(bool on)
{
    if (!m_enabled)
        return;
    if (on)
        play();
    else
        stop();
}

void CEventSound::play()
{
    if (m_playing)
        return;
    load();
    m_sound->play();
    m_playing = true;
}

void CEventSound::stop()
{
    if (!m_playing)
        return;
    m_sound->stop();
    m_playing = false;
}

void CEventSound::UpdateSetting()
{
    m_enabled = CAppSettings().readSetting(CAppSettings::ALARM_SOUND, QVariant()).toBool();
    if (m_enabled)
        load();
    else
        stop();
}

void CEventSound::reset()
{
    stop();
    m_enabled = false;
}
