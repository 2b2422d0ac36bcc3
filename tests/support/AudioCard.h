#pragma once

// A sound card behind CPlayAudio's device seam that plays at its format's real rate: it takes
// what a real device of 200 ms would take, and keeps every byte it took, so a test sees what
// would have been heard and when.

#include <QAudioFormat>
#include <QByteArray>
#include <QElapsedTimer>

#include <algorithm>
#include <memory>
#include <mutex>

#include "Common/PlayAudio.h"

namespace audiotest {

struct CardState {
    std::mutex lock;  // guards everything below
    bool opensOk = true;
    bool stopped = false;
    int opens = 0;
    QAudioFormat format;
    QByteArray written;

    bool get(bool CardState::*m)
    {
        std::lock_guard<std::mutex> guard(lock);
        return this->*m;
    }
    void set(bool CardState::*m, bool value)
    {
        std::lock_guard<std::mutex> guard(lock);
        this->*m = value;
    }
    qsizetype writtenSize()
    {
        std::lock_guard<std::mutex> guard(lock);
        return written.size();
    }
    QByteArray writtenBytes()
    {
        std::lock_guard<std::mutex> guard(lock);
        return written;
    }
    int openCount()
    {
        std::lock_guard<std::mutex> guard(lock);
        return opens;
    }
};

class RealTimeCard : public CAudioDevice {
public:
    explicit RealTimeCard(std::shared_ptr<CardState> state) : m_s(std::move(state)) {}
    bool open(const QAudioFormat& format) override
    {
        std::lock_guard<std::mutex> guard(m_s->lock);
        ++m_s->opens;
        m_s->format = format;
        m_format = format;
        m_clock.start();
        return m_s->opensOk;
    }
    qint64 bytesFree() override
    {
        const qint64 played = m_format.bytesForDuration(m_clock.nsecsElapsed() / 1000);
        const qint64 buffered = m_taken - std::min(played, m_taken);
        return std::max<qint64>(0, m_format.bytesForDuration(200000) - buffered);
    }
    qint64 write(const char* data, qint64 size) override
    {
        const qint64 taken = std::min(size, bytesFree());
        m_taken += taken;
        std::lock_guard<std::mutex> guard(m_s->lock);
        m_s->written.append(data, taken);
        return taken;
    }
    bool stopped() override { return m_s->get(&CardState::stopped); }

private:
    const std::shared_ptr<CardState> m_s;
    QAudioFormat m_format;
    QElapsedTimer m_clock;
    qint64 m_taken = 0;
};

inline CPlayAudio::DeviceFactory Cards(const std::shared_ptr<CardState>& state)
{
    return [state] { return std::make_unique<RealTimeCard>(state); };
}

}  // namespace audiotest
