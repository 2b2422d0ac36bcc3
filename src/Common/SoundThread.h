#pragma once

// The thread the program's sound is driven from, so that a sound server that does not answer
// holds it and never the window or a stream: Qt's audio backend comes up there, the alarm
// plays there, and the audio outputs that have ended are deleted there. It starts at first use
// and ends with the application; one still held by the sound server then is left behind. Once
// it has started, the process's exit ends the process before Qt's audio globals are destroyed.

#include <functional>

class QThread;

namespace SoundThread {

// Runs f on the sound thread after what was posted before it. Never waits; does nothing once
// the application has ended.
void post(std::function<void()> f);
// Brings Qt's audio backend up on the sound thread (once), without waiting for it.
void startBackend();
// Waits until the backend is up: for threads that may wait (an audio output's).
void waitForBackend();
// Counts a thread about to start that deleteFinished will delete: the application's end waits
// a bounded time for those not yet deleted.
void expectFinished();
// Deletes a counted thread object whose run() has returned, on the sound thread. Posted
// through the sound thread's own queue, so ThreadSanitizer sees the hand-over.
void deleteFinished(QThread* thread);

}  // namespace SoundThread
