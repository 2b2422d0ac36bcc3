// The display with the real sound output while its sound server does not answer (a PulseAudio
// server of the test's own with a null sink, stopped with SIGSTOP): the window starts, answers,
// sounds its alarm, plays audio and closes meanwhile, and the program ends. Each case runs in a
// child process, since Qt's audio backend connects to its server once per process.
#include <csignal>
#include <fstream>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QStandardPaths>
#include <QTimer>

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

// Half a second of the selected screen's audio, as a stream's thread hands it over.
void PlayAudio(CDisplayWidget& w)
{
    DISPLAY_DVR_INFO info;
    info.channelMask = 0x0001;
    const Frame audio = CFrameOf(Frame(CDecodeAudio::getEncodedSize(false), 0x55), 3, 0, 0, 0, 1000);
    std::thread([&] {
        for (int i = 0; i < 25; ++i)
            w.OnPlayAudio(info, audio.data(), audio.size());
    }).join();
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
    int status = -1;
    std::string output;
};

// Runs the named case of the running test in a child beside a server of its own, which goes on
// once the child has gone if the case left it stopped. A child still running after boundMs
// counts as hung.
Child RunChild(const char* mode, int boundMs = 120000)
{
    Child child;
    SoundServer server;
    if (server.pid() <= 0)
        return child;
    child.serverStarted = true;
    QProcessEnvironment env = server.env();
    env.insert(kModeVariable, mode);
    env.insert(kPidVariable, QString::number(server.pid()));
    child.output = childtest::RunTestChild(
        ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + std::string(".") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name(),
        env, &child.status, boundMs);
    return child;
}

// Runs the named case, which must pass and end well; its output in *output when asked.
void RunCase(const char* mode, int boundMs = 120000, std::string* output = nullptr)
{
    const Child child = RunChild(mode, boundMs);
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
    // Sounded once with the server answering, so that the backend and the sound are up.
    Mark(*w, true);
    ASSERT_TRUE(WaitFor([&] { return alarm->report().sounding && alarm->report().status == QSoundEffect::Ready; }, 20000));
    Mark(*w, false);
    ASSERT_TRUE(WaitFor([&] { return !alarm->report().sounding; }, 20000));

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
    if (!IsChild("held-at-exit-from-start"))
        // The end waits 2 s for the outputs and 2 s for the sound thread; a wait for the server
        // lasts libpulse's half a minute from the connection. The bound leaves a loaded machine
        // a wide margin below that.
        return RunCase("held-at-exit-from-start", 20000);
    ASSERT_EQ(kill(qEnvironmentVariableIntValue(kPidVariable), SIGSTOP), 0);
    auto w = SoundingWindow();
    w->close();
    w.reset();
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

}  // namespace

// Qt's audio clean-up at the exit has aborted in libpulse when the server had answered only
// just before: once the sound thread ran, what was registered for the exit before it (as Qt's
// audio globals are) is never run.
TEST(DisplaySoundServer, AProcessWhoseSoundCameUpEndsBeforeTheLibrariesCleanUp)
{
    if (!IsChild("ends-before-clean-up")) {
        std::string output;
        RunCase("ends-before-clean-up", 120000, &output);
        EXPECT_EQ(output.find("clean-up registered first ran"), std::string::npos) << output;
        return;
    }
    std::atexit([] {
        const char text[] = "clean-up registered first ran\n";
        (void)!write(2, text, sizeof text - 1);
    });
    SoundCameUpAndWent();
}

// The leak check that exit would have made is made before the process ends.
TEST(DisplaySoundServer, ALeakIsStillReportedWhenTheProcessEndsBeforeTheLibrariesCleanUp)
{
    if (!IsChild("leak-before-clean-up")) {
        if (!LeaksAreChecked())
            GTEST_SKIP() << "built without the leak checker";
        const Child child = RunChild("leak-before-clean-up");
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
    SoundCameUpAndWent();
}
