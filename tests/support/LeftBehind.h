#pragma once

// For tests of threads that do not end when asked: a gate such a thread is held at, a
// release that comes late in any case (so a stop that waits for ever still ends the test),
// and the warnings logged meanwhile.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include <QMutex>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace lefttest {

// A thread that comes here waits until the test opens the gate, as one held up in a device,
// a file or a receiver that does not answer. Not an interruption point of any thread kind.
class Gate {
public:
    void pass()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_waiting = true;
        m_cond.wait(lock, [this] { return m_open; });
    }
    bool waiting()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_waiting;
    }
    void open()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_open = true;
        m_cond.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cond;
    bool m_waiting = false;
    bool m_open = false;
};

// True once done() holds, looked at until ms have passed.
inline bool Within(int ms, const std::function<bool()>& done)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done() && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return done();
}

// Releases (opens the gate) when now() is called or once `ms` have passed, whichever comes
// first.
class OpenLate {
public:
    explicit OpenLate(std::function<void()> release, int ms = 8000)
        : m_thread([this, release = std::move(release), ms] {
              for (int waited = 0; waited < ms && !m_now; waited += 50)
                  std::this_thread::sleep_for(std::chrono::milliseconds(50));
              release();
          })
    {
    }
    explicit OpenLate(Gate& gate, int ms = 8000) : OpenLate([&gate] { gate.open(); }, ms) {}
    ~OpenLate() { now(); }
    void now()
    {
        m_now = true;
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    std::atomic<bool> m_now{false};
    std::thread m_thread;
};

// The warnings logged (on any thread) while it lives.
class Warnings {
public:
    Warnings()
    {
        Log().clear();
        m_previous = qInstallMessageHandler(&Keep);
    }
    ~Warnings() { qInstallMessageHandler(m_previous); }
    // How many contain the text.
    int count(const QString& text) const
    {
        QMutexLocker lock(&Mutex());
        return static_cast<int>(Log().filter(text).size());
    }
    std::string all() const
    {
        QMutexLocker lock(&Mutex());
        return Log().join(QLatin1Char('|')).toStdString();
    }

private:
    static QStringList& Log()
    {
        static QStringList log;
        return log;
    }
    static QMutex& Mutex()
    {
        static QMutex mutex;
        return mutex;
    }
    static void Keep(QtMsgType type, const QMessageLogContext&, const QString& text)
    {
        if (type != QtWarningMsg)
            return;
        QMutexLocker lock(&Mutex());
        Log() << text;
    }

    QtMessageHandler m_previous = nullptr;
};

}  // namespace lefttest
