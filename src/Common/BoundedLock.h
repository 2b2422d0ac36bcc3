#pragma once

#include <chrono>
#include <thread>

// Takes a deferred lock within ms; false when it could not. Polled with try_lock: the timed
// exclusive lock of a shared mutex waits in a call ThreadSanitizer does not follow.
template <class Lock>
bool LockWithin(Lock& lock, int ms)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!lock.try_lock()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}
