// Test entry: gives every test executable the Qt application object it needs.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QElapsedTimer>
#ifdef ZAVO_TEST_GUI
#include <QApplication>
using TestApp = QApplication;
#else
#include <QCoreApplication>
using TestApp = QCoreApplication;
#endif

namespace {

QStringList Threads() { return QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot); }

// The names of the threads running now but for those given, and for Qt's D-Bus thread: the
// xcb platform starts it and a global of Qt's ends it at the process's exit, after main.
QStringList ThreadNamesBut(const QStringList& earlier)
{
    QStringList names;
    for (const QString& id : Threads()) {
        if (earlier.contains(id))
            continue;
        QFile comm(QStringLiteral("/proc/self/task/%1/comm").arg(id));
        const QString name = comm.open(QIODevice::ReadOnly) ? QString::fromUtf8(comm.readAll()).trimmed() : id;
        if (name != QLatin1String("QDBusConnection"))
            names << name;
    }
    return names;
}

// Says how long the application took to go and which threads it left running; false when
// it took as long as Qt's network layer waits for its thread (which it then leaves running)
// or left a thread.
bool ExitWasClean(qint64 endedInMs, const QStringList& threadsBefore)
{
    constexpr qint64 kNetworkThreadWaitMs = 5000;
    std::fprintf(stderr, "application ended in %lld ms\n", static_cast<long long>(endedInMs));
    // A thread just joined may still be on its way out of the kernel's list.
    QStringList left = ThreadNamesBut(threadsBefore);
    for (int waited = 0; !left.isEmpty() && waited < 3000; waited += 10) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        left = ThreadNamesBut(threadsBefore);
    }
    std::fprintf(stderr, "threads left after the application: %d %s\n", static_cast<int>(left.size()),
                qPrintable(left.join(QLatin1Char(' '))));
    return endedInMs < kNetworkThreadWaitMs && left.isEmpty();
}

}  // namespace

int main(int argc, char** argv)
{
    // ctest's test discovery runs us without the test's environment: pick a platform that
    // works without a display unless an X server is really there.
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const char* display = std::getenv("DISPLAY");
    if (!platform || !*platform || (std::strcmp(platform, "xcb") == 0 && (!display || !*display)))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);

    ::testing::InitGoogleTest(&argc, argv);
    // ThreadSanitizer starts a helper thread of its own at the first thread created, and keeps
    // it: one started and joined here puts it among the threads that were there before.
    std::thread([] {}).join();
    const QStringList threadsBefore = Threads();
    int rc = 0;
    QElapsedTimer ending;
    {
        TestApp app(argc, argv);
        rc = RUN_ALL_TESTS();
        // What the tests released with deleteLater() and no event loop ran for since.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ending.start();
    }
    // "report" for the tests of the shut-down, which read it from a child; "check" fails the
    // program of a suite whose every test must end cleanly.
    const QByteArray exitMode = qgetenv("ZAVO_TEST_EXIT");
    if (!exitMode.isEmpty() && !::testing::GTEST_FLAG(list_tests) && !ExitWasClean(ending.elapsed(), threadsBefore) && exitMode == "check") {
        std::fprintf(stderr, "the application did not end cleanly\n");
        rc = rc ? rc : 1;
    }
    return rc;
}
