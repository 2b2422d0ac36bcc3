#include "PlayAudio.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <utility>

#include "Common/SoundThread.h"

namespace {

constexpr int kPeriodUs = 20000;       // the unit written to the device
constexpr int kQueueUs = 1000000;      // audio kept waiting at most; older audio is dropped
constexpr int kDeviceBufferUs = 200000;  // what may still play after clear()
constexpr int kFullWaitMs = kPeriodUs / 2000;  // a device without room frees one in a period

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
    bool stop = false;
    bool failed = false;
    QElapsedTimer failedAt;

    void failedLocked()
    {
        failed = true;
        failedAt.start();
    }
};

class CPlayAudio::Output : public QThread {
public:
    Output(std::shared_ptr<Shared> shared, DeviceFactory factory, bool oldProtocol)
        : m_s(std::move(shared)), m_factory(std::move(factory)), m_oldProtocol(oldProtocol)
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
    const DeviceFactory m_factory;
    const bool m_oldProtocol;
    std::atomic<bool> m_ended{false};
    std::mutex m_settleLock;  // guards the two below
    bool m_released = false;
    bool m_done = false;
};

CPlayAudio::CPlayAudio(QObject* parent)
    : CPlayAudio(&CreateSinkAudioDevice, kRetryMs, parent)
{
    SoundThread::startBackend();
}

CPlayAudio::CPlayAudio(DeviceFactory factory, int retryMs, QObject* parent)
    : QObject(parent), m_factory(std::move(factory)), m_retryMs(retryMs), m_shared(std::make_shared<Shared>())
{
}

CPlayAudio::~CPlayAudio()
{
    Deinit();
}

QAudioFormat CPlayAudio::Format(bool oldProtocol)
{
    QAudioFormat format;
    format.setSampleRate(8000);
    format.setChannelCount(oldProtocol ? 2 : 1);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

void CPlayAudio::PushAudio(bool oldProtocol, const QByteArray& pcm)
{
    std::shared_ptr<Shared> shared;
    {
        QMutexLocker open(&m_openLock);
        if (oldProtocol != m_oldProtocol) {
            // The queued audio has the other channel count: it goes with the old output.
            stopOutput();
            m_oldProtocol = oldProtocol;
            std::unique_lock<std::mutex> lock(m_shared->lock);
            m_shared->failed = false;
        }
        if (!isPlaying()) {
            bool retry;
            {
                std::unique_lock<std::mutex> lock(m_shared->lock);
                retry = !m_shared->failed || m_shared->failedAt.elapsed() >= m_retryMs;
            }
            if (retry)
                startOutput();
        }
        shared = m_shared;
        std::unique_lock<std::mutex> lock(shared->lock);
        appendLocked(*shared, pcm.constData(), pcm.size());
    }
    // Through its own reference: another push may leave the output behind meanwhile.
    shared->wake.notify_all();
}

void CPlayAudio::Init(bool oldProtocol)
{
    QMutexLocker open(&m_openLock);
    if (isPlaying() && oldProtocol == m_oldProtocol)
        return;
    if (oldProtocol != m_oldProtocol) {
        stopOutput();
        m_oldProtocol = oldProtocol;
    }
    startOutput();
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

std::shared_ptr<CPlayAudio::Shared> CPlayAudio::shared() const
{
    std::lock_guard<std::mutex> lock(m_sharedLock);
    return m_shared;
}

bool CPlayAudio::isPlaying() const { return m_output && m_output->isRunning(); }

void CPlayAudio::startOutput()
{
    if (m_output && m_output->isFinished()) {
        // Ended by itself (a device that failed): taken over with the audio queued since.
        std::exchange(m_output, nullptr)->release();
    }
    stopOutput();
    {
        std::unique_lock<std::mutex> lock(m_shared->lock);
        m_shared->stop = false;
        m_shared->failed = false;
    }
    m_output = new Output(m_shared, m_factory, m_oldProtocol);
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
    {
        std::lock_guard<std::mutex> lock(m_shared->lock);
        fresh->failed = m_shared->failed;
        fresh->failedAt = m_shared->failedAt;
    }
    std::lock_guard<std::mutex> lock(m_sharedLock);
    m_shared = std::move(fresh);
}

void CPlayAudio::appendLocked(Shared& shared, const char* data, qsizetype size)
{
    const int frameBytes = Format(m_oldProtocol).bytesPerFrame();
    const qsizetype limit = Format(m_oldProtocol).bytesForDuration(kQueueUs);
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

void CPlayAudio::Output::play()
{
    const QAudioFormat format = Format(m_oldProtocol);
    std::unique_ptr<CAudioDevice> device = m_factory();
    if (!device || !device->open(format)) {
        qDebug("raw audio format not supported by backend, cannot play audio.");
        std::unique_lock<std::mutex> lock(m_s->lock);
        m_s->failedLocked();
        return;
    }

    const qsizetype period = format.bytesForDuration(kPeriodUs);
    QByteArray chunk;
    for (;;) {
        // The device's own timers and notifications run on this thread.
        QCoreApplication::processEvents();
        if (device->stopped()) {
            std::unique_lock<std::mutex> lock(m_s->lock);
            m_s->failedLocked();
            break;
        }
        const qint64 room = device->bytesFree();
        {
            std::unique_lock<std::mutex> lock(m_s->lock);
            if (m_s->stop)
                break;
            const qsizetype periods = std::min<qint64>(room, m_s->queue.size()) / period;
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
        if (written < chunk.size()) {
            // The device took less than it offered: keep the rest and give it time.
            std::unique_lock<std::mutex> lock(m_s->lock);
            const qsizetype rest = chunk.size() - written;
            const qsizetype space = Format(m_oldProtocol).bytesForDuration(kQueueUs) - m_s->queue.size();
            if (!m_s->stop) {
                if (space > 0)
                    m_s->queue.prepend(chunk.constData() + written, std::min(rest, space));
                m_s->wake.wait_for(lock, std::chrono::milliseconds(kFullWaitMs));
            }
        }
    }
}
