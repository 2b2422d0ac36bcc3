#pragma once

// Plays 16-bit audio on the default sound output: decoded DVR audio (8000 Hz), or a sound
// played over and over (the alarm). Producers push blocks of samples; a thread of its own
// opens the device and feeds it in whole periods. No call waits for that thread or the device:
// closing an output leaves its thread to end by itself with what it uses, and the sound
// thread deletes it then.
//
// The device stays open in one format for as long as the output runs, whatever the audio
// pushed: opening waits for the sound server, and an open that waits long enough never
// returns. Opens of every output go one at a time (CSoundOpens).

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

    // DVR audio to the default sound output.
    explicit CPlayAudio(QObject* parent = nullptr);
    // DVR audio to the devices the factory makes; after a device could not be opened (or
    // stopped), the output tries again once retryMs have passed and audio waits.
    CPlayAudio(DeviceFactory factory, int retryMs, QObject* parent = nullptr);
    // Audio of the given format (16-bit samples), for loop().
    CPlayAudio(const QAudioFormat& format, DeviceFactory factory, int retryMs, QObject* parent = nullptr);
    ~CPlayAudio() override;

    // Queues DVR samples: one channel (current protocol), or two channels interleaved (old
    // protocol). Queued audio of the other protocol is dropped. A push is taken in whole frames.
    void PushAudio(bool oldProtocol, const QByteArray& pcm);
    // Opens the output now, with nothing to play yet, and keeps it open (opened again after a
    // failure) until Deinit.
    void Init(bool oldProtocol);
    void Deinit();
    // Drops the audio not yet handed to the device.
    void clear();
    // Plays frames of the output's format over and over; an empty loop ends it and drops
    // what it had queued.
    void loop(const QByteArray& frames);

    // A failed open is cheap (the backend knows the server is gone): tried again soon, so that
    // sound is back about a second after the server.
    static constexpr int kRetryMs = 1000;
    // The device format of DVR audio: 8000 Hz, two channels, so that both protocols play
    // through one open output (one-channel audio is played on both).
    static QAudioFormat LiveFormat();

    // True while the output thread runs.
    bool isPlaying() const;

    // What the outputs of this object have done so far.
    struct Report {
        bool open = false;  // a device is open now
        int opens = 0;      // devices opened
        int failures = 0;   // opens that failed and devices that stopped
        qint64 written = 0; // bytes the devices took
    };
    Report report() const;

signals:
    // An open failed or the device stopped (queued from the output thread).
    void failed();

private:
    // What the output thread shares with this object; a thread left behind keeps its own.
    struct Shared;
    // What every output of this object reports, and how it reaches this object.
    struct Status;
    class Output;

    void startOutput();
    void stopOutput();
    void appendLocked(Shared& shared, const char* data, qsizetype size);
    // A reference of its own to the current shared state: a stop may replace it meanwhile.
    std::shared_ptr<Shared> shared() const;

    const QAudioFormat m_format;
    const DeviceFactory m_factory;
    const int m_retryMs;
    const std::shared_ptr<Status> m_status;

    // Serialises opening and closing between pushing threads.
    QMutex m_openLock;
    bool m_oldProtocol = false;

    // Guards m_shared itself, not what it points to. Replaced under both locks, read under either;
    // held only to copy or replace the pointer, so clear() never waits for a closing output.
    mutable std::mutex m_sharedLock;
    std::shared_ptr<Shared> m_shared;
    Output* m_output = nullptr;  // the output thread (m_openLock)
};
