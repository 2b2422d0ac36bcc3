#include "Settings/EventSound.h"

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
    int wishes = 0;

    // Sound thread only.
    QSoundEffect* effect = nullptr;
    // Written by the sound thread.
    std::atomic<int> status{QSoundEffect::Null};
    std::atomic<int> loops{0};
    std::atomic<bool> sounding{false};
    std::atomic<int> changes{0};
    std::atomic<int> handled{0};  // wishes

    // Sound thread: does what is wished now, until no newer wish waits.
    void apply();
    void release();
};

void CEventSound::Shared::apply()
{
    bool wantPlay = false;
    bool wantLoad = false;
    int wish = 0;
    {
        std::lock_guard<std::mutex> guard(lock);
        posted = false;
        wantPlay = play;
        wantLoad = load;
        wish = wishes;
    }
    struct Handled {
        Shared* s;
        int wish;
        ~Handled() { s->handled = wish; }
    } handledAtEnd{this, wish};
    if (!effect) {
        if (!wantLoad && !wantPlay)
            return;
        // Made here: Qt's audio backend answers (or not) on this thread.
        effect = new QSoundEffect;
        effect->setLoopCount(QSoundEffect::Infinite);
        loops = effect->loopCount();
        QObject::connect(effect, &QSoundEffect::statusChanged, effect, [this] { status = effect->status(); });
        QObject::connect(effect, &QSoundEffect::playingChanged, effect, [this] {
            sounding = effect->isPlaying();
            ++changes;
        });
    }
    // Only once the alarm can sound: Qt's loader cannot be stopped, and what it holds is lost
    // when the program ends while it still reads the sound.
    if (effect->source().isEmpty())
        effect->setSource(QUrl(QStringLiteral("qrc:/Viewer/files/sound/AlarmSound.wav")));
    // May wait for a sound server that does not answer; a wish made meanwhile comes next.
    if (wantPlay && !effect->isPlaying())
        effect->play();
    else if (!wantPlay && effect->isPlaying())
        effect->stop();
}

void CEventSound::Shared::release()
{
    delete effect;
    effect = nullptr;
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

CEventSound::Report CEventSound::report() const
{
    Report r;
    r.status = static_cast<QSoundEffect::Status>(m_shared->status.load());
    r.loops = m_shared->loops;
    r.sounding = m_shared->sounding;
    r.changes = m_shared->changes;
    std::lock_guard<std::mutex> guard(m_shared->lock);
    r.current = m_shared->handled == m_shared->wishes;
    return r;
}

void CEventSound::request()
{
    {
        std::lock_guard<std::mutex> guard(m_shared->lock);
        m_shared->play = m_playing;
        m_shared->load = m_loaded;
        ++m_shared->wishes;
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
