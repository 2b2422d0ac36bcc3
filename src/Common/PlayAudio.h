#pragma once

// Plays decoded DVR audio (16-bit samples at 8000 Hz) on the default sound output. Producers
// push blocks of samples; a thread of its own feeds them to the device in whole periods. No
// call waits for that thread or the device: closing an output (or switching its format) leaves
// its thread to end by itself with what it uses, and the sound thread deletes it then.

#include <QAudioFormat>
#include <QByteArray>
#include <QElapsedTimer>
#include <QMutex>
#include <QObject>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

// The sound device end of CPlayAudio: created, used and destroyed on the audio thread only.
class CAudioDevice {
public:
    virtual ~CAudioDevice() = default;
    // False when no device plays this format.
    virtual bool open(const QAudioFormat& format) = 0;
    // Bytes the device takes now without blocking.
    virtual qint64 bytesFree() = 0;
    // Returns the bytes taken.
    virtual qint64 write(const char* data, qint64 size) = 0;
    // True once the device has stopped (lost device, sound server gone).
    virtual bool stopped() = 0;
};

// QAudioSink on the system's default audio output.
std::unique_ptr<CAudioDevice> CreateSinkAudioDevice();

class CPlayAudio : public QObject {
    Q_OBJECT
public:
    using DeviceFactory = std::function<std::unique_ptr<CAudioDevice>()>;

    // Audio goes to the default sound output.
    explicit CPlayAudio(QObject* parent = nullptr);
    // Audio goes to the devices the factory makes; after a device could not be opened (or
    // stopped), pushes try again only once retryMs have passed.
    CPlayAudio(DeviceFactory factory, int retryMs, QObject* parent = nullptr);
    ~CPlayAudio() override;

    // Queues samples; opens the output for this protocol first, closing one open for the
    // other. A push is taken in whole sample frames.
    void PushAudio(bool oldProtocol, const QByteArray& pcm);
    void Init(bool oldProtocol);
    void Deinit();
    // Drops the audio not yet handed to the device.
    void clear();

    static constexpr int kRetryMs = 2000;

    // True while the output thread runs.
    bool isPlaying() const;

private:
    // What the output thread shares with this object; a thread left behind keeps its own.
    struct Shared;
    class Output;

    // 8000 Hz, 16-bit; old-protocol audio is played as two channels.
    static QAudioFormat Format(bool oldProtocol);
    void startOutput();
    void stopOutput();
    void appendLocked(Shared& shared, const char* data, qsizetype size);
    // A reference of its own to the current shared state: a stop may replace it meanwhile.
    std::shared_ptr<Shared> shared() const;

    const DeviceFactory m_factory;
    const int m_retryMs;

    // Serialises opening and closing between pushing threads.
    QMutex m_openLock;
    bool m_oldProtocol = false;

    // Guards m_shared itself, not what it points to. Replaced under both locks, read under either;
    // held only to copy or replace the pointer, so clear() never waits for a closing output.
    mutable std::mutex m_sharedLock;
    std::shared_ptr<Shared> m_shared;
    Output* m_output = nullptr;  // the output thread of the open output (m_openLock)
};
