#include "PlayAudio.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QCoreApplication>
#include <QMediaDevices>

#include <algorithm>
#include <chrono>

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

CPlayAudio::CPlayAudio(QObject* parent)
    : CPlayAudio(&CreateSinkAudioDevice, kRetryMs, parent)
{
    // Let the platform's audio backend come up on the owner's thread rather than on the
    // audio thread, which ends whenever the output closes.
    QMediaDevices::defaultAudioOutput();
}

CPlayAudio::CPlayAudio(DeviceFactory factory, int retryMs, QObject* parent)
    : QThread(parent), m_factory(std::move(factory)), m_retryMs(retryMs)
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
    {
        QMutexLocker open(&m_openLock);
        if (oldProtocol != m_oldProtocol) {
            // The queued audio has the other channel count: it goes with the old output.
            stopOutput();
            m_oldProtocol = oldProtocol;
            std::unique_lock<std::mutex> lock(m_lock);
            m_failed = false;
        }
        if (!isRunning()) {
            bool retry;
            {
                std::unique_lock<std::mutex> lock(m_lock);
                retry = !m_failed || m_failedAt.elapsed() >= m_retryMs;
            }
            if (retry)
                startOutput();
        }
        std::unique_lock<std::mutex> lock(m_lock);
        appendLocked(pcm.constData(), pcm.size());
    }
    m_wake.notify_all();
}

void CPlayAudio::Init(bool oldProtocol)
{
    QMutexLocker open(&m_openLock);
    if (isRunning() && oldProtocol == m_oldProtocol)
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
    std::unique_lock<std::mutex> lock(m_lock);
    m_queue.clear();
}

void CPlayAudio::startOutput()
{
    wait();  // a thread that ended by itself is joined before it starts again
    {
        std::unique_lock<std::mutex> lock(m_lock);
        m_stop = false;
        m_failed = false;
    }
    start();
}

void CPlayAudio::stopOutput()
{
    {
        std::unique_lock<std::mutex> lock(m_lock);
        m_queue.clear();
        m_stop = true;
    }
    m_wake.notify_all();
    wait();
}

void CPlayAudio::appendLocked(const char* data, qsizetype size)
{
    const int frameBytes = Format(m_oldProtocol).bytesPerFrame();
    const qsizetype limit = Format(m_oldProtocol).bytesForDuration(kQueueUs);
    size -= size % frameBytes;
    if (size > limit) {
        data += size - limit;
        size = limit;
    }
    const qsizetype excess = m_queue.size() + size - limit;
    if (excess > 0)
        m_queue.remove(0, std::min(m_queue.size(), excess));
    m_queue.append(data, size);
}

void CPlayAudio::failedLocked()
{
    m_failed = true;
    m_failedAt.start();
}

void CPlayAudio::run()
{
    const QAudioFormat format = Format(m_oldProtocol);
    std::unique_ptr<CAudioDevice> device = m_factory();
    if (!device || !device->open(format)) {
        qDebug("raw audio format not supported by backend, cannot play audio.");
        std::unique_lock<std::mutex> lock(m_lock);
        failedLocked();
        return;
    }

    const qsizetype period = format.bytesForDuration(kPeriodUs);
    QByteArray chunk;
    for (;;) {
        // The device's own timers and notifications run on this thread.
        QCoreApplication::processEvents();
        if (device->stopped()) {
            std::unique_lock<std::mutex> lock(m_lock);
            failedLocked();
            break;
        }
        const qint64 room = device->bytesFree();
        {
            std::unique_lock<std::mutex> lock(m_lock);
            if (m_stop)
                break;
            const qsizetype periods = std::min<qint64>(room, m_queue.size()) / period;
            if (periods == 0) {
                if (m_queue.size() < period)
                    m_wake.wait(lock);  // until audio arrives or the output closes
                else
                    m_wake.wait_for(lock, std::chrono::milliseconds(kFullWaitMs));
                continue;
            }
            chunk = m_queue.left(periods * period);
            m_queue.remove(0, chunk.size());
        }
        // Written without the lock: pushes never wait for the sound device.
        const qint64 written = std::max<qint64>(0, device->write(chunk.constData(), chunk.size()));
        if (written < chunk.size()) {
            // The device took less than it offered: keep the rest and give it time.
            std::unique_lock<std::mutex> lock(m_lock);
            const qsizetype rest = chunk.size() - written;
            const qsizetype space = Format(m_oldProtocol).bytesForDuration(kQueueUs) - m_queue.size();
            if (!m_stop) {
                if (space > 0)
                    m_queue.prepend(chunk.constData() + written, std::min(rest, space));
                m_wake.wait_for(lock, std::chrono::milliseconds(kFullWaitMs));
            }
        }
    }
}
