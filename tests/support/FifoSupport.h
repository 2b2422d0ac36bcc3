#pragma once

// A FIFO where the program expects a regular file: a reader that opens it waits for a writer
// for ever.

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QString>

#include <gtest/gtest.h>

namespace fifotest {

// Makes a FIFO at `path` and calls `call`; true when the call blocked on it. A call still
// running after a few seconds is released by opening the FIFO's other end, so the test ends.
inline bool BlocksOnFifo(const QString& path, const std::function<void()>& call)
{
    const QByteArray name = QFile::encodeName(path);
    if (mkfifo(name.constData(), 0600) != 0) {
        ADD_FAILURE() << "cannot make a FIFO at " << name.constData();
        return false;
    }
    std::atomic<bool> done{false}, blocked{false};
    std::thread watchdog([&] {
        for (int i = 0; i < 100 && !done; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        while (!done) {
            blocked = true;
            // Succeeds once a reader waits in its open: it then reads the end of the file.
            const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
    call();
    done = true;
    watchdog.join();
    return blocked;
}

}  // namespace fifotest
