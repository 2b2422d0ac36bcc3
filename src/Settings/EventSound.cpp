#include "Settings/EventSound.h"

#include <QSoundEffect>
#include <QUrl>

#include <atomic>
#include <mutex>

#include "Common/SoundThread.h"
#include "Settings/AppSettings.h"

struct CEventSound::Shared {
    // Guards the wish and whether a hand-over is under way.
    std::mutex lock;
    bool play = false;
    bool load = false;
    bool posted = false;

    // Sound thread only.
    QSoundEffect* effect = nullptr;
    std::atomic<bool> sounding{false};
    std::atomic<bool> loading{false};

    // Sound thread: does what is wished now, until no newer wish waits.
    void apply();
    void release();
};

void CEventSound::Shared::apply()
{
    bool wantPlay = false;
    bool wantLoad = false;
    {
        std::lock_guard<std::mutex> guard(lock);
        posted = false;
        wantPlay = play;
        wantLoad = load;
    }
    if (!effect) {
        if (!wantLoad && !wantPlay)
            return;
        // Made here: Qt's audio backend answers (or not) on this thread.
        effect = new QSoundEffect;
        effect->setLoopCount(QSoundEffect::Infinite);
        QObject::connect(effect, &QSoundEffect::statusChanged, effect,
                         [this] { loading = effect->status() == QSoundEffect::Loading; });
    }
    // Only once the alarm can sound: Qt's loader cannot be stopped, and what it holds is lost
    // when the program ends while it still reads the sound.
    if (effect->source().isEmpty()) {
        loading = true;
        effect->setSource(QUrl(QStringLiteral("qrc:/Viewer/files/sound/AlarmSound.wav")));
    }
    // May wait for a sound server that does not answer; a wish made meanwhile comes next.
    if (wantPlay && !effect->isPlaying())
        effect->play();
    else if (!wantPlay && effect->isPlaying())
        effect->stop();
    sounding = effect->isPlaying();
}

void CEventSound::Shared::release()
{
    delete effect;
    effect = nullptr;
    sounding = false;
}

CEventSound::CEventSound() : m_shared(std::make_shared<Shared>()), m_playing(false), m_enabled(false), m_loaded(false)
{
}

CEventSound::~CEventSound()
{
    {
        std::lock_guard<std::mutex> guard(m_shared->lock);
        m_shared->play = false;
    }
    SoundThread::post([shared = m_shared] { shared->release(); });
}

bool CEventSound::isSounding() const { return m_shared->sounding; }

bool CEventSound::isLoading() const { return m_shared->loading; }

void CEventSound::request()
{
    {
        std::lock_guard<std::mutex> guard(m_shared->lock);
        m_shared->play = m_playing;
        m_shared->load = m_loaded;
        if (m_shared->posted)
            return;
        m_shared->posted = true;
    }
    SoundThread::post([shared = m_shared] { shared->apply(); });
}

void CEventSound::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    request();
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
    m_loaded = true;
    m_playing = true;
    request();
}

void CEventSound::stop()
{
    if (!m_playing)
        return;
    m_playing = false;
    request();
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
