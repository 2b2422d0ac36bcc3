#include "Common/SoundThread.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEvent>
#include <QMediaDevices>
#include <QObject>
#include <QThread>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <utility>

#include <unistd.h>

namespace {

// How long the application's end waits for the audio outputs and the thread together.
constexpr int kEndWaitMs = 500;
// A backend that takes this long to come up waited for a sound server that did not answer.
constexpr int kSilentServerMs = 2000;

struct State {
    std::mutex lock;  // guards everything below
    std::condition_variable changed;
    QThread* thread = nullptr;
    QObject* context = nullptr;  // a Context
    bool ended = false;
    bool backendAsked = false;
    bool backendUp = false;
    bool serverSilent = false;  // the sound server did not answer for a while in this run
    int expected = 0;  // thread objects not yet deleted
    // Posted functions, handed over under the lock rather than inside Qt's events, whose
    // hand-over ThreadSanitizer cannot see.
    std::deque<std::function<void()>> posted;
};

// Never destroyed: a sound thread left to the process's end may still use it.
State& TheState()
{
    static State* const state = new State;
    return *state;
}

// Lives on the sound thread; each event it gets runs one posted function. An event of no
// content of ours: Qt's own hand-over of it is one ThreadSanitizer cannot see.
class Context : public QObject {
protected:
    void customEvent(QEvent*) override;
};

void End();

// The context on the running thread, started at first use; null once ended. (lock held)
QObject* ContextLocked(State& s)
{
    if (s.ended)
        return nullptr;
    if (!s.thread) {
        s.thread = new QThread;
        s.thread->setObjectName(QStringLiteral("Sound"));
        s.context = new Context;
        s.context->moveToThread(s.thread);
        s.thread->start();
        qAddPostRoutine(End);
    }
    return s.context;
}

// Sound thread: runs the oldest posted function.
void Context::customEvent(QEvent*)
{
    std::function<void()> f;
    {
        State& s = TheState();
        std::lock_guard<std::mutex> lock(s.lock);
        if (s.posted.empty())
            return;
        f = std::move(s.posted.front());
        s.posted.pop_front();
    }
    f();
}

// Posts f after what was posted before it. (lock held)
void PostLocked(State& s, std::function<void()> f)
{
    if (QObject* context = ContextLocked(s)) {
        s.posted.push_back(std::move(f));
        QCoreApplication::postEvent(context, new QEvent(QEvent::User));
    }
}

// Exit work of the tools a build may link in, declared weak: null where they are not.
extern "C" void __lsan_do_leak_check() __attribute__((weak));
extern "C" int __llvm_profile_write_file() __attribute__((weak));
extern "C" void __gcov_dump() __attribute__((weak));

// What is left of the end for the application's own destruction, when the program's end did
// not decide it first.
void End()
{
    if (!SoundThread::finish(kEndWaitMs))
        qWarning("Sound: the sound device holds a sound thread at the application's end");
}

}  // namespace

void SoundThread::post(std::function<void()> f)
{
    State& s = TheState();
    std::lock_guard<std::mutex> lock(s.lock);
    PostLocked(s, std::move(f));
}

void SoundThread::startBackend()
{
    {
        State& s = TheState();
        std::lock_guard<std::mutex> lock(s.lock);
        if (s.backendAsked)
            return;
        s.backendAsked = true;
    }
    post([] {
        QElapsedTimer connecting;
        connecting.start();
        QMediaDevices::defaultAudioOutput();
        if (connecting.elapsed() >= kSilentServerMs)
            SoundThread::serverWasSilent();
        State& s = TheState();
        std::lock_guard<std::mutex> lock(s.lock);
        s.backendUp = true;
        s.changed.notify_all();
    });
}

void SoundThread::waitForBackend()
{
    startBackend();
    State& s = TheState();
    std::unique_lock<std::mutex> lock(s.lock);
    s.changed.wait(lock, [&] { return s.backendUp || s.ended; });
}

void SoundThread::expectFinished()
{
    State& s = TheState();
    std::lock_guard<std::mutex> lock(s.lock);
    ++s.expected;
}

void SoundThread::deleteFinished(QThread* thread)
{
    post([thread] {
        // Its run() has returned: only Qt's own end of the thread is left to wait for.
        thread->wait();
        delete thread;
        State& s = TheState();
        std::lock_guard<std::mutex> lock(s.lock);
        --s.expected;
        s.changed.notify_all();
    });
}

void SoundThread::serverWasSilent()
{
    State& s = TheState();
    std::lock_guard<std::mutex> lock(s.lock);
    s.serverSilent = true;
}

bool SoundThread::finish(int ms)
{
    QDeadlineTimer deadline(ms);
    State& s = TheState();
    QThread* thread = nullptr;
    bool outputsEnded = false;
    {
        std::unique_lock<std::mutex> lock(s.lock);
        outputsEnded = s.changed.wait_for(lock, std::chrono::milliseconds(deadline.remainingTime()),
                                          [&] { return s.expected == 0; });
        // After everything posted so far.
        if (s.thread)
            PostLocked(s, [] { QThread::currentThread()->quit(); });
        thread = std::exchange(s.thread, nullptr);
        s.ended = true;
        // An output still waiting for the backend goes on without it.
        s.changed.notify_all();
    }
    bool silent = false;
    {
        std::lock_guard<std::mutex> lock(s.lock);
        silent = s.serverSilent;
    }
    if (!thread)
        return outputsEnded && !silent;
    if (!thread->wait(deadline)) {
        // Left to the process's end, with what it uses.
        return false;
    }
    delete s.context;
    s.context = nullptr;
    delete thread;
    return outputsEnded && !silent;
}

void SoundThread::endProcessNow(int status)
{
    std::fflush(nullptr);
    if (__lsan_do_leak_check)
        __lsan_do_leak_check();
    if (__llvm_profile_write_file)
        __llvm_profile_write_file();
    if (__gcov_dump)
        __gcov_dump();
    _exit(status);
}
