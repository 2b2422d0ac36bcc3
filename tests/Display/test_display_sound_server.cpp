// The display with the real sound output while its sound server does not answer (a PulseAudio
// server of the test's own with a null sink, stopped with SIGSTOP): the window starts, answers,
// sounds its alarm, plays audio and closes meanwhile, and the program ends. Each case runs in a
// child process, since Qt's audio backend connects to its server once per process.
#include <csignal>
#include <fstream>
#include <string>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QStandardPaths>
#include <QTimer>
#include <QDir>
#include <QElapsedTimer>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "Common/DecodeAudio.h"
#include "Common/SoundThread.h"
#include "Display/DisplayWidget.h"
#include "Settings/EventSound.h"
#include "display_test_util.h"
#include "support/ChildProcess.h"
#include "support/LeftBehind.h"

using namespace displaytest;

namespace {

const char* const kModeVariable = "ZAVO_SOUND_CHILD";
const char* const kPidVariable = "ZAVO_SOUND_SERVER_PID";

// A PulseAudio server with a null sink in a scratch runtime folder, ended with the test.
class SoundServer {
public:
    SoundServer()
    {
        m_env.insert("XDG_RUNTIME_DIR", m_runtime.path());
        m_env.insert("HOME", m_runtime.path());
        m_env.insert("PULSE_SERVER", "unix:" + m_runtime.filePath("pulse/native"));
        const QString program = QStandardPaths::findExecutable("pulseaudio");
        if (program.isEmpty())
            return;
        std::vector<std::string> args{program.toStdString(), "--daemonize=yes", "--exit-idle-time=-1", "-n",
                                      "--load=module-null-sink sink_name=nullsink",
                                      "--load=module-native-protocol-unix"};
        std::vector<std::string> variables;
        for (const QString& v : m_env.toStringList())
            variables.push_back(v.toStdString());
        std::vector<char*> argv, envp;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        for (std::string& v : variables)
            envp.push_back(v.data());
        envp.push_back(nullptr);
        pid_t starter = 0;
        int status = 0;
        // The starter ends once the server runs in the background.
        if (posix_spawn(&starter, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0 ||
            waitpid(starter, &status, 0) != starter || !childtest::EndedWell(status))
            return;
        std::ifstream pidFile(m_runtime.filePath("pulse/pid").toStdString());
        pidFile >> m_pid;
    }
    ~SoundServer()
    {
        if (m_pid <= 0)
            return;
        kill(m_pid, SIGCONT);
        kill(m_pid, SIGTERM);
        for (int waited = 0; kill(m_pid, 0) == 0 && waited < 10000; waited += 10)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    pid_t pid() const { return m_pid; }
    QProcessEnvironment env() const { return m_env; }

private:
    QTemporaryDir m_runtime;
    QProcessEnvironment m_env = QProcessEnvironment::systemEnvironment();
    pid_t m_pid = 0;
};

// The child's side: the server's stop, and its continuation after a bound (so that a window
// that waits for it still ends). What happened before the continuation happened meanwhile.
class HeldServer {
public:
    HeldServer() : m_pid(qEnvironmentVariableIntValue(kPidVariable)) {}
    ~HeldServer() { m_late.reset(); }
    void stop()
    {
        ASSERT_GT(m_pid, 0);
        ASSERT_EQ(kill(m_pid, SIGSTOP), 0);
        m_late = std::make_unique<lefttest::OpenLate>([this] {
            m_continued = true;
            kill(m_pid, SIGCONT);
        }, 20000);
    }
    bool stillStopped() const { return m_late && !m_continued; }

private:
    const pid_t m_pid;
    std::atomic<bool> m_continued{false};
    std::unique_ptr<lefttest::OpenLate> m_late;
};

// The alarm setting on, pictures drawn by the CPU.
void AlarmOn()
{
    EmptySettings();
    CAppSettings().writeSetting(CAppSettings::OPENGL, OPENGL_MODE_OFF);
    CAppSettings().writeSetting(CAppSettings::ALARM_SOUND, 1);
}

// A picture with a motion mark (on) or without one in the widget's first cell.
void Mark(CDisplayWidget& w, bool on)
{
    CDisplayInfo info;
    info.channel = info.screen = 0;
    info.motion = on;
    w.slotUpdateScreen(info);
}

// A second of the selected screen's audio, of either protocol, as a stream's thread hands it over.
void PlayAudio(CDisplayWidget& w, bool oldProtocol = false)
{
    DISPLAY_DVR_INFO info;
    info.channelMask = 0x0001;
    info.oldProtocol = oldProtocol;
    info.model = oldProtocol ? 12 : 0;
    const Frame audio =
        oldProtocol ? FrameOf({3, 0, 0, uint32_t(CDecodeAudio::getEncodedSize(true)), 0, 0, 1000, 0, 12, 0, 0, 0},
                              Frame(CDecodeAudio::getEncodedSize(true), 0x55), true)
                    : CFrameOf(Frame(CDecodeAudio::getEncodedSize(false), 0x55), 3, 0, 0, 0, 1000);
    std::thread([&] {
        for (int i = 0; i < (oldProtocol ? 5 : 25); ++i)
            w.OnPlayAudio(info, audio.data(), audio.size());
    }).join();
}

// The streams the sound server plays for its clients; -1 when it cannot be asked.
int ServerStreams()
{
    int status = 0;
    const std::string out = childtest::RunChildProgram(QStandardPaths::findExecutable("pactl").toStdString(),
                                                       {"list", "short", "sink-inputs"},
                                                       QProcessEnvironment::systemEnvironment(), &status, 20000);
    if (!childtest::EndedWell(status))
        return -1;
    return static_cast<int>(std::count(out.begin(), out.end(), '\n'));
}

// Runs the event loop for ms.
void Pause(int ms)
{
    QElapsedTimer t;
    t.start();
    WaitFor([&] { return t.elapsed() >= ms; }, ms + 1000);
}

// The threads of this process.
int Threads() { return static_cast<int>(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size()); }

// Milliseconds on the clock that every process of the machine shares.
long long MonotonicMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

const char* const kClosedAtLine = "window closed at %lld\n";

// Closes the window and says when, for the parent's measure of the close.
void CloseAndTell(std::unique_ptr<CDisplayWidget>& w)
{
    std::fprintf(stderr, kClosedAtLine, MonotonicMs());
    w->close();
    w.reset();
}

// The process ended within a second of its window's close. A ThreadSanitizer process takes a
// second or more of its own to end: there only the figure is shown.
void ExpectQuickEnd(long long closeToEnd, const std::string& output)
{
    std::fprintf(stderr, "closed to ended: %lld ms\n", closeToEnd);
    EXPECT_GE(closeToEnd, 0) << output;
#if !defined(__SANITIZE_THREAD__)
    EXPECT_LT(closeToEnd, 1000) << output;
#endif
}

// How long the child took from its window's close to its end; -1 when it did not tell.
long long CloseToEndMs(const std::string& output, long long endedAtMs)
{
    const size_t at = output.find("window closed at ");
    if (at == std::string::npos)
        return -1;
    return endedAtMs - std::atoll(output.c_str() + at + std::strlen("window closed at "));
}

// Ticks of a timer on the GUI thread.
int Ticks(int wanted)
{
    int ticks = 0;
    QTimer timer;
    timer.setInterval(20);
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start();
    WaitFor([&] { return ticks >= wanted; }, 10000);
    return ticks;
}

// What a case's child did: its wait status (-1: it did not end), its output.
struct Child {
    bool serverStarted = false;
    long long endedAtMs = 0;  // on the monotonic clock
    int status = -1;
    std::string output;
};

// Runs the named case of the running test in a child beside a server of its own, which goes on
// once the child has gone if the case left it stopped. A child still running after boundMs
// counts as hung.
Child RunChild(const char* mode, int boundMs = 120000, bool leakCheck = true)
{
    Child child;
    SoundServer server;
    if (server.pid() <= 0)
        return child;
    child.serverStarted = true;
    QProcessEnvironment env = server.env();
    env.insert(kModeVariable, mode);
    // The leak check of a checking build's exit takes its own second or more: not the program's.
    if (!leakCheck)
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":detect_leaks=0");
    env.insert(kPidVariable, QString::number(server.pid()));
    child.output = childtest::RunTestChild(
        ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + std::string(".") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name(),
        env, &child.status, boundMs);
    child.endedAtMs = MonotonicMs();
    return child;
}

// Runs the named case, which must pass and end well; its output in *output when asked.
void RunCase(const char* mode, int boundMs = 120000, std::string* output = nullptr, bool leakCheck = true,
             long long* endedAtMs = nullptr)
{
    const Child child = RunChild(mode, boundMs, leakCheck);
    if (endedAtMs)
        *endedAtMs = child.endedAtMs;
    ASSERT_TRUE(child.serverStarted) << "no PulseAudio server could be started (scripts/deps installs pulseaudio)";
    EXPECT_NE(child.status, -1) << "the child did not end\n" << child.output;
    EXPECT_TRUE(childtest::EndedWell(child.status)) << childtest::HowItEnded(child.status) << "\n" << child.output;
    EXPECT_NE(child.output.find("[  PASSED  ] 1 test"), std::string::npos) << child.output;
    // A process that ends before the libraries' clean-up also skips ThreadSanitizer's exit status.
    EXPECT_EQ(child.output.find("WARNING: ThreadSanitizer"), std::string::npos) << child.output;
    EXPECT_EQ(child.output.find("ERROR: AddressSanitizer"), std::string::npos) << child.output;
    if (output)
        *output = child.output;
}

bool IsChild(const char* mode) { return qEnvironmentVariable(kModeVariable) == QLatin1String(mode); }

// A display with the alarm on, sounded and playing live audio; its clock must keep ticking.
std::unique_ptr<CDisplayWidget> SoundingWindow()
{
    AlarmOn();
    auto w = std::make_unique<CDisplayWidget>();
    w->show();
    w->UpdateEventAlarmSetting();
    Mark(*w, true);
    PlayAudio(*w);
    EXPECT_GE(Ticks(5), 5);
    return w;
}

}  // namespace

TEST(DisplaySoundServer, AWindowStartedWhileTheServerIsStoppedAppearsSoundsAndClosesMeanwhile)
{
    if (!IsChild("stopped-at-start"))
        return RunCase("stopped-at-start");
    HeldServer server;
    server.stop();
    auto w = SoundingWindow();
    EXPECT_TRUE(w->isVisible());
    w->close();
    w.reset();
    EXPECT_TRUE(server.stillStopped());
}

TEST(DisplaySoundServer, AnAlarmSoundedWhileTheServerIsStoppedLeavesTheWindowAnsweringAndClosing)
{
    if (!IsChild("stopped-while-open"))
        return RunCase("stopped-while-open");
    AlarmOn();
    auto w = std::make_unique<CDisplayWidget>();
    w->show();
    w->UpdateEventAlarmSetting();
    auto* alarm = w->findChild<CEventSound*>();
    ASSERT_TRUE(alarm);
    // Sounded once with the server answering, so that the backend and the output are up.
    Mark(*w, true);
    ASSERT_TRUE(WaitFor([&] { return alarm->output().open && alarm->output().written > 0; }, 20000));
    Mark(*w, false);

    HeldServer server;
    server.stop();
    Mark(*w, true);
    PlayAudio(*w);
    EXPECT_GE(Ticks(5), 5);
    Mark(*w, false);
    w->close();
    w.reset();
    EXPECT_TRUE(server.stillStopped());
}

TEST(DisplaySoundServer, TheApplicationEndsWellWhileTheServerStoppedAtItsStartStillHoldsTheSoundThread)
{
    if (!IsChild("held-at-exit-from-start")) {
        // A wait for the server lasts libpulse's half a minute from the connection.
        std::string output;
        long long endedAt = 0;
        RunCase("held-at-exit-from-start", 20000, &output, false, &endedAt);
        ExpectQuickEnd(CloseToEndMs(output, endedAt), output);
        return;
    }
    ASSERT_EQ(kill(qEnvironmentVariableIntValue(kPidVariable), SIGSTOP), 0);
    auto w = SoundingWindow();
    CloseAndTell(w);
}

namespace {

// A window whose sound came up with the server answering, gone again.
void SoundCameUpAndWent()
{
    AlarmOn();
    auto w = std::make_unique<CDisplayWidget>();
    SoundThread::waitForBackend();
    w.reset();
}

// Built with the leak checker, and it is on.
bool LeaksAreChecked()
{
#if defined(__SANITIZE_ADDRESS__)
    return !qEnvironmentVariable("ASAN_OPTIONS").contains(QLatin1String("detect_leaks=0"));
#else
    return false;
#endif
}

// A window sounding its alarm and playing live audio, both outputs open on the server.
std::unique_ptr<CDisplayWidget> PlayingWindow(CEventSound** alarm)
{
    AlarmOn();
    auto w = std::make_unique<CDisplayWidget>();
    w->show();
    w->UpdateEventAlarmSetting();
    *alarm = w->findChild<CEventSound*>();
    Mark(*w, true);
    PlayAudio(*w);
    EXPECT_TRUE(WaitFor([&] { return (*alarm)->output().open && ServerStreams() == 2; }, 20000));
    return w;
}

// What the server and the window do after the server answers again: the streams are back to
// the two outputs, the alarm follows the marks, and no thread was left behind.
void AfterTheServerAnswers(CDisplayWidget& w, CEventSound& alarm, int threadsBefore, int slack = 1)
{
    QElapsedTimer since;
    since.start();
    EXPECT_TRUE(WaitFor([&] { return ServerStreams() == 2; }, 2000)) << ServerStreams() << " streams";
    std::fprintf(stderr, "streams back %lld ms after the server answered\n", static_cast<long long>(since.elapsed()));
    since.restart();
    Mark(w, true);
    const qint64 before = alarm.output().written;
    EXPECT_TRUE(WaitFor([&] { return alarm.output().written > before + 3200; }, 2000));
    std::fprintf(stderr, "alarm sounding %lld ms after the mark\n", static_cast<long long>(since.elapsed()));
    Mark(w, false);
    EXPECT_LE(Threads(), threadsBefore + slack) << "threads before the stop: " << threadsBefore;
    std::fprintf(stderr, "threads %d (before the stop %d)\n", Threads(), threadsBefore);
}

// The server stopped for the seconds given while the alarm turns on and off and the audio
// switches protocol every half second; then answered again.
void StopTheServerFor(int seconds)
{
    CEventSound* alarm = nullptr;
    auto w = PlayingWindow(&alarm);
    ASSERT_TRUE(alarm);
    Mark(*w, false);
    const int threadsBefore = Threads();
    const pid_t server = qEnvironmentVariableIntValue(kPidVariable);
    ASSERT_EQ(kill(server, SIGSTOP), 0);
    QElapsedTimer stopped;
    stopped.start();
    for (int i = 0; stopped.elapsed() < seconds * 1000; ++i) {
        Mark(*w, i % 2 == 0);
        PlayAudio(*w, i % 2 == 1);
        Pause(500);
    }
    EXPECT_LE(Threads(), threadsBefore + 1) << "threads during the stop";
    ASSERT_EQ(kill(server, SIGCONT), 0);
    AfterTheServerAnswers(*w, *alarm, threadsBefore);
    CloseAndTell(w);
}

// Runs a stop of the server in a child; its close must end the process within a second.
void RunStop(const char* mode, int seconds)
{
    std::string output;
    long long endedAt = 0;
    RunCase(mode, (seconds + 60) * 1000, &output, false, &endedAt);
    ExpectQuickEnd(CloseToEndMs(output, endedAt), output);
    // The child's own figures.
    for (const char* figure : {"streams back ", "alarm sounding ", "threads "}) {
        const size_t at = output.find(figure);
        if (at != std::string::npos)
            std::fprintf(stderr, "%s\n", output.substr(at, output.find('\n', at) - at).c_str());
    }
}

}  // namespace

// Stops shorter and longer than the server's own request time-out (30 s), and one longer still.
class DisplaySoundServerStop : public ::testing::TestWithParam<int> {};

TEST_P(DisplaySoundServerStop, TheStreamsAlarmAndThreadsAreBackAfterItAndTheCloseIsQuick)
{
    const std::string mode = "stop-" + std::to_string(GetParam());
    if (!IsChild(mode.c_str()))
        return RunStop(mode.c_str(), GetParam());
    StopTheServerFor(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Seconds, DisplaySoundServerStop, ::testing::Values(20, 40, 75),
                         [](const ::testing::TestParamInfo<int>& info) { return std::to_string(info.param) + "s"; });

// Started while the server does not answer, for longer than its clients wait for it.
TEST(DisplaySoundServer, AProgramStartedDuringA45SecondStopSoundsOnceTheServerAnswers)
{
    if (!IsChild("stop-at-start"))
        return RunStop("stop-at-start", 45);
    const pid_t server = qEnvironmentVariableIntValue(kPidVariable);
    ASSERT_EQ(kill(server, SIGSTOP), 0);
    QElapsedTimer stopped;
    stopped.start();
    AlarmOn();
    auto w = std::make_unique<CDisplayWidget>();
    w->show();
    w->UpdateEventAlarmSetting();
    auto* alarm = w->findChild<CEventSound*>();
    ASSERT_TRUE(alarm);
    int told = 0;
    QObject::connect(w.get(), &CDisplayWidget::alarmCannotSound, [&] { ++told; });
    int threadsAtStart = 0;
    for (int i = 0; stopped.elapsed() < 45000; ++i) {
        Mark(*w, true);
        PlayAudio(*w, i % 2 == 1);
        // Counted once both outputs run.
        if (i == 0)
            threadsAtStart = Threads();
        Pause(500);
    }
    EXPECT_LE(Threads(), threadsAtStart + 1) << "threads during the stop";
    // Told once that it cannot sound, however often it was asked.
    EXPECT_EQ(told, 1);
    ASSERT_EQ(kill(server, SIGCONT), 0);
    Mark(*w, false);
    // Live audio goes on as a stream thread keeps handing it over.
    QTimer feed;
    QObject::connect(&feed, &QTimer::timeout, [&] { PlayAudio(*w); });
    feed.start(500);
    // The backend makes the threads of its connection once it connects, for the first time here.
    AfterTheServerAnswers(*w, *alarm, threadsAtStart, 2);
    feed.stop();
    CloseAndTell(w);
}

// The close while an output is open and the server does not answer: the process ends within
// a second, without the libraries' clean-up that would wait for the server.
TEST(DisplaySoundServer, TheCloseWithTheServerStoppedEndsTheProcessWithinASecond)
{
    if (!IsChild("close-while-stopped"))
        return RunStop("close-while-stopped", 0);
    CEventSound* alarm = nullptr;
    auto w = PlayingWindow(&alarm);
    ASSERT_EQ(kill(qEnvironmentVariableIntValue(kPidVariable), SIGSTOP), 0);
    PlayAudio(*w, true);
    Pause(300);
    CloseAndTell(w);
}

// Nothing held: the process ends as any other, with the clean-up registered before the sound came up.
TEST(DisplaySoundServer, AProcessWhoseSoundCameUpAndWentRunsTheLibrariesCleanUp)
{
    if (!IsChild("clean-up-runs")) {
        std::string output;
        RunCase("clean-up-runs", 120000, &output);
        EXPECT_NE(output.find("clean-up registered first ran"), std::string::npos) << output;
        return;
    }
    std::atexit([] {
        const char text[] = "clean-up registered first ran\n";
        (void)!write(2, text, sizeof text - 1);
    });
    SoundCameUpAndWent();
}

// After the server did not answer for a while, libpulse's clean-up has aborted at the exit: the
// process ends before it, having ended everything of its own.
TEST(DisplaySoundServer, AProcessThatSawTheServerSilentEndsBeforeTheLibrariesCleanUp)
{
    if (!IsChild("silent-then-end")) {
        std::string output;
        RunCase("silent-then-end", 120000, &output);
        EXPECT_EQ(output.find("clean-up registered first ran"), std::string::npos) << output;
        return;
    }
    std::atexit([] {
        const char text[] = "clean-up registered first ran\n";
        (void)!write(2, text, sizeof text - 1);
    });
    CEventSound* alarm = nullptr;
    auto w = PlayingWindow(&alarm);
    const pid_t server = qEnvironmentVariableIntValue(kPidVariable);
    ASSERT_EQ(kill(server, SIGSTOP), 0);
    Pause(3000);
    ASSERT_EQ(kill(server, SIGCONT), 0);
    Pause(500);
    w.reset();
}

// The leak check that exit would have made is made when the process ends at once.
TEST(DisplaySoundServer, ALeakIsStillReportedWhenAHeldSoundThreadEndsTheProcessAtOnce)
{
    if (!IsChild("leak-when-held")) {
        if (!LeaksAreChecked())
            GTEST_SKIP() << "built without the leak checker";
        const Child child = RunChild("leak-when-held");
        ASSERT_TRUE(child.serverStarted) << "no PulseAudio server could be started (scripts/deps installs pulseaudio)";
        EXPECT_NE(child.output.find("[  PASSED  ] 1 test"), std::string::npos) << child.output;
        EXPECT_NE(child.output.find("ERROR: LeakSanitizer: detected memory leaks"), std::string::npos) << child.output;
        EXPECT_FALSE(childtest::EndedWell(child.status)) << child.output;
        return;
    }
    // Its only pointer lived on a thread that is gone.
    std::thread([] {
        volatile char* leaked = new char[4096];
        leaked[0] = 1;
    }).join();
    // Held at its start: the backend waits for the server on the sound thread.
    ASSERT_EQ(kill(qEnvironmentVariableIntValue(kPidVariable), SIGSTOP), 0);
    auto w = SoundingWindow();
    w.reset();
}
