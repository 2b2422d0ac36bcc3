#include "PlayAudio.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <utility>

#include "Common/SoundOpens.h"
#include "Common/SoundThread.h"

namespace {

constexpr int kPeriodUs = 20000;       // the unit written to the device
constexpr int kQueueUs = 1000000;      // audio kept waiting at most; older audio is dropped
constexpr int kDeviceBufferUs = 200000;  // what may still play after clear()
constexpr int kFullWaitMs = kPeriodUs / 2000;  // a device without room frees one in a period
// A device that takes nothing for this long, or an open that waits this long, means a sound
// server that does not answer (a working one takes a period every 20 ms).
constexpr int kSilentServerMs = 2000;

class CSinkAudioDevice : public CAudioDevice {
public:
    ~CSinkAudioDevice() override
    {
        if (m_sink)
            m_sink->stop();
    }

    bool open(const QAudioFormat& format) override
    {
        // Qt's backend comes up on the sound thread, which lives as long as the program.
        SoundThread::waitForBackend();
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull() || !device.isFormatSupported(format))
            return false;
        m_sink = std::make_unique<QAudioSink>(device, format);
        m_sink->setBufferSize(format.bytesForDuration(kDeviceBufferUs));
        m_io = m_sink->start();
        if (!m_io) {
            m_sink.reset();
            return false;
        }
        return true;
    }

    qint64 bytesFree() override { return m_sink->bytesFree(); }

    qint64 write(const char* data, qint64 size) override { return m_io->write(data, size); }

    bool stopped() override { return m_sink->state() == QAudio::StoppedState; }

private:
    std::unique_ptr<QAudioSink> m_sink;
    QIODevice* m_io = nullptr;  // owned by the sink
};

}  // namespace

std::unique_ptr<CAudioDevice> CreateSinkAudioDevice()
{
    return std::make_unique<CSinkAudioDevice>();
}

struct CPlayAudio::Shared {
    // Guards everything below. Standard types, whose waits the thread checker can follow
    // (a QWaitCondition unlocks inside Qt, out of its sight).
    std::mutex lock;
    std::condition_variable wake;
    QByteArray queue;
    QByteArray loop;  // played over and over while not empty
    qsizetype loopAt = 0;
    bool keepOpen = false;  // open, and opened again, with nothing to play
    bool stop = false;
};

struct CPlayAudio::Status {
    // Guards everything below.
    std::mutex lock;
    CPlayAudio* owner = nullptr;  // told of failures while it lives
    Report report;
    bool failed = false;  // the last open failed or the device stopped
    QElapsedTimer failedAt;

    // How long an output still waits before it tries again; 0: now.
    qint64 retryInMs(int retryMs)
    {
        std::lock_guard<std::mutex> guard(lock);
        return failed ? std::max<qint64>(0, retryMs - failedAt.elapsed()) : 0;
    }
    void opened()
    {
        std::lock_guard<std::mutex> guard(lock);
        failed = false;
        report.open = true;
        ++report.opens;
    }
    // True for the first failure since the last open (or ever).
    bool failure()
    {
        std::lock_guard<std::mutex> guard(lock);
        const bool first = !failed;
        failed = true;
        failedAt.start();
        report.open = false;
        ++report.failures;
        // Emitted under the lock that the owner's destructor takes first: it is alive here.
        if (owner)
            emit owner->failed();
        return first;
    }
    void closed()
    {
        std::lock_guard<std::mutex> guard(lock);
        report.open = false;
    }
    void wrote(qint64 bytes)
    {
        std::lock_guard<std::mutex> guard(lock);
        report.written += bytes;
    }
};

class CPlayAudio::Output : public QThread {
public:
    Output(std::shared_ptr<Shared> shared, std::shared_ptr<Status> status, DeviceFactory factory,
           const QAudioFormat& format, int retryMs)
        : m_s(std::move(shared)),
          m_status(std::move(status)),
          m_factory(std::move(factory)),
          m_format(format),
          m_retryMs(retryMs)
    {
    }
    ~Output() override { (void)m_ended.load(std::memory_order_acquire); }

    // Its owner lets it go: it is deleted on the sound thread once it has also ended.
    void release() { settle(&Output::m_released); }

protected:
    void run() override
    {
        play();
        // Qt's own hand-over at a thread's end uses futexes the thread checker cannot see;
        // this release and the destructor's acquire are a pair it can.
        m_ended.store(true, std::memory_order_release);
        settle(&Output::m_done);
    }

private:
    void play();
    // Opens a device once there is something to play (at once the first time) and the wait
    // after a failure is over. Null once stopped.
    std::unique_ptr<CAudioDevice> open(bool first);
    // Tops the queue up from the loop to at least bytes. (lock held)
    void loopLocked(qsizetype bytes);
    bool stopping()
    {
        std::lock_guard<std::mutex> lock(m_s->lock);
        return m_s->stop;
    }
    // Whichever of the two comes last hands the object over for deletion.
    void settle(bool Output::*which)
    {
        bool both = false;
        {
            std::lock_guard<std::mutex> lock(m_settleLock);
            this->*which = true;
            both = m_released && m_done;
        }
        if (both)
            SoundThread::deleteFinished(this);
    }

    const std::shared_ptr<Shared> m_s;
    const std::shared_ptr<Status> m_status;
    const DeviceFactory m_factory;
    const QAudioFormat m_format;
    const int m_retryMs;
    std::atomic<bool> m_ended{false};
    std::mutex m_settleLock;  // guards the two below
    bool m_released = false;
    bool m_done = false;
};

CPlayAudio::CPlayAudio(QObject* parent) : CPlayAudio(&CreateSinkAudioDevice, kRetryMs, parent)
{
    SoundThread::startBackend();
}

CPlayAudio::CPlayAudio(DeviceFactory factory, int retryMs, QObject* parent)
    : CPlayAudio(LiveFormat(), std::move(factory), retryMs, parent)
{
}

CPlayAudio::CPlayAudio(const QAudioFormat& format, DeviceFactory factory, int retryMs, QObject* parent)
    : QObject(parent),
      m_format(format),
      m_factory(std::move(factory)),
      m_retryMs(retryMs),
      m_status(std::make_shared<Status>()),
      m_shared(std::make_shared<Shared>())
{
    m_status->owner = this;
}

CPlayAudio::~CPlayAudio()
{
    {
        std::lock_guard<std::mutex> guard(m_status->lock);
        m_status->owner = nullptr;
    }
    Deinit();
}

QAudioFormat CPlayAudio::LiveFormat()
{
    QAudioFormat format;
    format.setSampleRate(8000);
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

void CPlayAudio::PushAudio(bool oldProtocol, const QByteArray& pcm)
{
    // One-channel samples are played on both channels.
    QByteArray both;
    const QByteArray* frames = &pcm;
    if (!oldProtocol) {
        const qsizetype samples = pcm.size() / 2;
        both.resize(samples * 4);
        for (qsizetype i = 0; i < samples; ++i) {
            std::memcpy(both.data() + 4 * i, pcm.constData() + 2 * i, 2);
            std::memcpy(both.data() + 4 * i + 2, pcm.constData() + 2 * i, 2);
        }
        frames = &both;
    }
    std::shared_ptr<Shared> shared;
    {
        QMutexLocker open(&m_openLock);
        if (!isPlaying())
            startOutput();
        shared = m_shared;
        std::unique_lock<std::mutex> lock(shared->lock);
        if (oldProtocol != m_oldProtocol) {
            // Audio of another stream.
            shared->queue.clear();
            m_oldProtocol = oldProtocol;
        }
        appendLocked(*shared, frames->constData(), frames->size());
    }
    // Through its own reference: another push may leave the output behind meanwhile.
    shared->wake.notify_all();
}

void CPlayAudio::Init(bool oldProtocol)
{
    std::shared_ptr<Shared> current;
    {
        QMutexLocker open(&m_openLock);
        m_oldProtocol = oldProtocol;
        if (!isPlaying())
            startOutput();
        current = m_shared;
        std::unique_lock<std::mutex> lock(current->lock);
        current->keepOpen = true;
    }
    current->wake.notify_all();
}

void CPlayAudio::Deinit()
{
    QMutexLocker open(&m_openLock);
    stopOutput();
}

void CPlayAudio::clear()
{
    const std::shared_ptr<Shared> current = shared();
    std::unique_lock<std::mutex> lock(current->lock);
    current->queue.clear();
}

void CPlayAudio::loop(const QByteArray& frames)
{
    std::shared_ptr<Shared> current;
    {
        QMutexLocker open(&m_openLock);
        if (!frames.isEmpty() && !isPlaying())
            startOutput();
        current = m_shared;
        std::unique_lock<std::mutex> lock(current->lock);
        current->loop = frames.left(frames.size() - frames.size() % m_format.bytesPerFrame());
        current->loopAt = 0;
        current->queue.clear();
    }
    current->wake.notify_all();
}

std::shared_ptr<CPlayAudio::Shared> CPlayAudio::shared() const
{
    std::lock_guard<std::mutex> lock(m_sharedLock);
    return m_shared;
}

bool CPlayAudio::isPlaying() const { return m_output && m_output->isRunning(); }

CPlayAudio::Report CPlayAudio::report() const
{
    std::lock_guard<std::mutex> guard(m_status->lock);
    return m_status->report;
}

void CPlayAudio::startOutput()
{
    stopOutput();
    {
        std::unique_lock<std::mutex> lock(m_shared->lock);
        m_shared->stop = false;
    }
    m_output = new Output(m_shared, m_status, m_factory, m_format, m_retryMs);
    SoundThread::expectFinished();
    m_output->start();
}

void CPlayAudio::stopOutput()
{
    if (!m_output)
        return;
    {
        std::unique_lock<std::mutex> lock(m_shared->lock);
        m_shared->queue.clear();
        m_shared->stop = true;
    }
    m_shared->wake.notify_all();
    // Not waited for: a thread held by its device must not hold the caller (a stream's thread
    // or the window). It ends by itself with the shared state it has and is deleted then.
    std::exchange(m_output, nullptr)->release();
    auto fresh = std::make_shared<Shared>();
    std::lock_guard<std::mutex> lock(m_sharedLock);
    m_shared = std::move(fresh);
}

void CPlayAudio::appendLocked(Shared& shared, const char* data, qsizetype size)
{
    const int frameBytes = m_format.bytesPerFrame();
    const qsizetype limit = m_format.bytesForDuration(kQueueUs);
    size -= size % frameBytes;
    if (size > limit) {
        data += size - limit;
        size = limit;
    }
    QByteArray& queue = shared.queue;
    const qsizetype excess = queue.size() + size - limit;
    if (excess > 0)
        queue.remove(0, std::min(queue.size(), excess));
    queue.append(data, size);
}

std::unique_ptr<CAudioDevice> CPlayAudio::Output::open(bool first)
{
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(m_s->lock);
            if (m_s->stop)
                return nullptr;
            const bool wanted = first || m_s->keepOpen || !m_s->queue.isEmpty() || !m_s->loop.isEmpty();
            if (!wanted) {
                m_s->wake.wait(lock);
                continue;
            }
            const qint64 wait = m_status->retryInMs(m_retryMs);
            if (wait > 0) {
                m_s->wake.wait_for(lock, std::chrono::milliseconds(wait));
                continue;
            }
        }
        // One open of the program's at a time; the others wait here, not in the backend.
        const CSoundOpens::Turn turn = CSoundOpens::program().begin([this] { return stopping(); });
        if (!turn)
            return nullptr;
        std::unique_ptr<CAudioDevice> device = m_factory();
        QElapsedTimer opening;
        opening.start();
        const bool ok = device && device->open(m_format);
        CSoundOpens::program().end(turn);
        if (opening.elapsed() >= kSilentServerMs)
            SoundThread::serverWasSilent();
        if (ok) {
            m_status->opened();
            return device;
        }
        device.reset();
        // Said once, not at every try of an output kept open without a sound server.
        if (m_status->failure())
            qDebug("raw audio format not supported by backend, cannot play audio.");
        first = false;
    }
}

void CPlayAudio::Output::loopLocked(qsizetype bytes)
{
    const QByteArray& loop = m_s->loop;
    while (!loop.isEmpty() && m_s->queue.size() < bytes) {
        const qsizetype take = std::min(loop.size() - m_s->loopAt, bytes - m_s->queue.size());
        m_s->queue.append(loop.constData() + m_s->loopAt, take);
        m_s->loopAt = (m_s->loopAt + take) % loop.size();
    }
}

void CPlayAudio::Output::play()
{
    const qsizetype period = m_format.bytesForDuration(kPeriodUs);
    const qsizetype limit = m_format.bytesForDuration(kQueueUs);
    std::unique_ptr<CAudioDevice> device;
    bool first = true;
    QByteArray chunk;
    QElapsedTimer starved;  // since the device last took audio that waited
    for (;;) {
        if (!device) {
            device = open(first);
            first = false;
            if (!device)
                break;
        }
        // The device's own timers and notifications run on this thread.
        QCoreApplication::processEvents();
        if (device->stopped()) {
            device.reset();
            m_status->failure();
            continue;
        }
        const qint64 room = device->bytesFree();
        {
            std::unique_lock<std::mutex> lock(m_s->lock);
            if (m_s->stop)
                break;
            loopLocked(std::max<qsizetype>(period, room - room % period));
            const qsizetype periods = std::min<qint64>(room, m_s->queue.size()) / period;
            if (room >= period || m_s->queue.size() < period)
                starved.invalidate();
            else if (!starved.isValid())
                starved.start();
            else if (starved.hasExpired(kSilentServerMs))
                SoundThread::serverWasSilent();
            if (periods == 0) {
                if (m_s->queue.size() < period)
                    m_s->wake.wait(lock);  // until audio arrives or the output closes
                else
                    m_s->wake.wait_for(lock, std::chrono::milliseconds(kFullWaitMs));
                continue;
            }
            chunk = m_s->queue.left(periods * period);
            m_s->queue.remove(0, chunk.size());
        }
        // Written without the lock: pushes never wait for the sound device.
        const qint64 written = std::max<qint64>(0, device->write(chunk.constData(), chunk.size()));
        m_status->wrote(written);
        if (written < chunk.size()) {
            // The device took less than it offered: keep the rest and give it time.
            std::unique_lock<std::mutex> lock(m_s->lock);
            const qsizetype rest = chunk.size() - written;
            const qsizetype space = limit - m_s->queue.size();
            if (!m_s->stop) {
                if (space > 0)
                    m_s->queue.prepend(chunk.constData() + written, std::min(rest, space));
                m_s->wake.wait_for(lock, std::chrono::milliseconds(kFullWaitMs));
            }
        }
    }
    if (device) {
        device.reset();
        m_status->closed();
    }
}
