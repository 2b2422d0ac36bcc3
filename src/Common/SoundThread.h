#pragma once

// The thread the program's sound is driven from, so that a sound server that does not answer
// holds it and never the window or a stream: Qt's audio backend comes up there, the alarm
// plays there, and the audio outputs that have ended are deleted there. It starts at first use
// and ends with the program (finish); one still held by the sound server then is left behind,
// and the program ends its process at once rather than run the libraries' clean-up under it
// (as after a sound server that did not answer).

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

// An output or the backend saw the sound server not answer for a while (an open or a start
// that waited, a device that took nothing although audio waited).
void serverWasSilent();
// The program's end, with the application still there and its windows gone: gives the audio
// outputs and the sound thread up to ms to end. True when the libraries' clean-up may run.
// False when one is still held by the sound server (the clean-up would wait for the server
// under it, or free what it uses), or when the server did not answer for a while in this run
// (libpulse's clean-up has then aborted in its main loop, the server's connection having come
// back only just before): the process must end with endProcessNow instead.
bool finish(int ms);
// Ends the process with its status at once, after the leak check and the coverage data that a
// checking build writes at its exit.
[[noreturn]] void endProcessNow(int status);
// How long the program's end gives the sound: the close stays within a second.
constexpr int kFinishMs = 500;

}  // namespace SoundThread
