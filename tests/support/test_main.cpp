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

#include "Common/SoundThread.h"
#include "support/ExitLimits.h"
#ifdef ZAVO_TEST_GUI
#include <QApplication>
#include <QWidget>
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

// Since the main window's close in the test that ran last: the close, the window's end and
// the application's are what the operator waits for.
QElapsedTimer g_sinceClose;

#ifdef ZAVO_TEST_GUI
// Starts the clock when a main window (one of its own, with no parent) is asked to close.
class CloseClock : public QObject {
public:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::Close && object->isWidgetType()) {
            const auto* widget = static_cast<const QWidget*>(object);
            if (widget->windowType() == Qt::Window && !widget->parentWidget())
                g_sinceClose.start();
        }
        return false;
    }
};
#endif

// A window closed by an earlier test of the same run says nothing about the end.
class ForgetEarlierCloses : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { g_sinceClose.invalidate(); }
};

// Says how long the application took to go, how long the process took from the main window's
// close, and which threads it left running; false when either took longer than a program
// that is right may take, or a thread was left.
bool ExitWasClean(qint64 endedInMs, const QStringList& threadsBefore)
{
    std::fprintf(stderr, exitcheck::kApplicationEndLine, static_cast<long long>(endedInMs));
    // A thread just joined may still be on its way out of the kernel's list.
    QStringList left = ThreadNamesBut(threadsBefore);
    for (int waited = 0; !left.isEmpty() && waited < 3000; waited += 10) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        left = ThreadNamesBut(threadsBefore);
    }
    std::fprintf(stderr, "threads left after the application: %d %s\n", static_cast<int>(left.size()),
                qPrintable(left.join(QLatin1Char(' '))));
    bool clean = endedInMs < exitcheck::kApplicationEndMs && left.isEmpty();
    if (g_sinceClose.isValid()) {
        const qint64 closeToEnd = g_sinceClose.elapsed();
        std::fprintf(stderr, exitcheck::kCloseToEndLine, static_cast<long long>(closeToEnd));
        clean = clean && closeToEnd < exitcheck::kCloseToEndMs;
    }
    return clean;
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
    ::testing::UnitTest::GetInstance()->listeners().Append(new ForgetEarlierCloses);
    // ThreadSanitizer starts a helper thread of its own at the first thread created, and keeps
    // it: one started and joined here puts it among the threads that were there before.
    std::thread([] {}).join();
    const QStringList threadsBefore = Threads();
    int rc = 0;
    QElapsedTimer ending;
    {
#ifdef ZAVO_TEST_GUI
        CloseClock closeClock;
#endif
        TestApp app(argc, argv);
#ifdef ZAVO_TEST_GUI
        app.installEventFilter(&closeClock);
#endif
        rc = RUN_ALL_TESTS();
        // What the tests released with deleteLater() and no event loop ran for since.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // The program's end, as the program takes it.
        if (!SoundThread::finish(SoundThread::kFinishMs))
            SoundThread::endProcessNow(rc);
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
