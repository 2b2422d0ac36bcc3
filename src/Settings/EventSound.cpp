#include "Settings/EventSound.h"

#include <QFile>

#include "Settings/AppSettings.h"

namespace {

const char* const kSoundFile = ":/Viewer/files/sound/AlarmSound.wav";

}  // namespace

CEventSound::CEventSound(CPlayAudio::DeviceFactory device)
    : m_device(device ? std::move(device) : CPlayAudio::DeviceFactory(&CreateSinkAudioDevice))
{
}

CEventSound::~CEventSound() = default;

CPlayAudio::Report CEventSound::output() const
{
    return m_output ? m_output->report() : CPlayAudio::Report();
}

void CEventSound::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    QFile file(QString::fromLatin1(kSoundFile));
    QString error;
    if (!file.open(QIODevice::ReadOnly))
        error = file.errorString();
    else if (!ReadWave(file.readAll(), &m_sound, &error))
        m_sound = WaveSound();
    if (!error.isEmpty()) {
        qWarning("Alarm: %s: %s", kSoundFile, qPrintable(error));
        return;
    }
    m_output = std::make_unique<CPlayAudio>(m_sound.format, m_device, CPlayAudio::kRetryMs);
    connect(m_output.get(), &CPlayAudio::failed, this, &CEventSound::checkSounding);
    m_output->Init(false);
}

void CEventSound::checkSounding()
{
    if (!m_playing)
        return;
    const CPlayAudio::Report r = output();
    if (r.open)
        return;
    // Told again only when it has sounded since.
    if (m_told && r.opens == m_opensWhenTold)
        return;
    if (!m_sound.frames.isEmpty() && r.failures == 0)
        return;  // its first open is still under way
    m_told = true;
    m_opensWhenTold = r.opens;
    emit cannotSound(m_sound.frames.isEmpty() ? tr("The alarm cannot sound: its sound cannot be read.")
                                              : tr("The alarm cannot sound: the sound output does not answer."));
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
    m_playing = true;
    if (m_output)
        m_output->loop(m_sound.frames);
    checkSounding();
}

void CEventSound::stop()
{
    if (!m_playing)
        return;
    m_playing = false;
    if (m_output)
        m_output->loop(QByteArray());
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
