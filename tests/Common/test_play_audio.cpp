#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <functional>
#include <memory>

#include "Common/PlayAudio.h"

namespace {

constexpr int kMonoPeriod = 320;  // 20 ms of 8000 Hz 16-bit mono
constexpr int kMonoSecond = 16000;
constexpr qint64 kRoomy = qint64{1} << 20;

// What a sound card did, shared between the test and the devices CPlayAudio makes.
struct CardLog {
    QMutex mutex;
    qint64 room = kRoomy;  // bytes the card takes; writes use it up
    bool opens_ok = true, stopped = false;
    int opens = 0, closes = 0, roomQueries = 0;
    QList<QAudioFormat> formats;
    QByteArray written;
    QList<qint64> writes;

    template <typename T>
    T get(T CardLog::*member)
    {
        QMutexLocker lock(&mutex);
        return this->*member;
    }
    template <typename T>
    void set(T CardLog::*member, T value)
    {
        QMutexLocker lock(&mutex);
        this->*member = value;
    }
};

// A sound card whose room the test controls; with a real device inside, it passes every
// call on and only records what was taken.
class ScriptedCard : public CAudioDevice {
public:
    ScriptedCard(std::shared_ptr<CardLog> log, std::unique_ptr<CAudioDevice> real = nullptr)
        : m_log(std::move(log)), m_real(std::move(real)) {}
    ~ScriptedCard() override { m_log->set(&CardLog::closes, m_log->get(&CardLog::closes) + 1); }
    bool open(const QAudioFormat& format) override
    {
        const bool realOk = !m_real || m_real->open(format);
        QMutexLocker lock(&m_log->mutex);
        ++m_log->opens;
        m_log->formats.append(format);
        return realOk && m_log->opens_ok;
    }
    qint64 bytesFree() override
    {
        QMutexLocker lock(&m_log->mutex);
        ++m_log->roomQueries;
        return m_real ? m_real->bytesFree() : m_log->room;
    }
    qint64 write(const char* data, qint64 size) override
    {
        QMutexLocker lock(&m_log->mutex);
        const qint64 taken = m_real ? m_real->write(data, size) : std::min(size, m_log->room);
        m_log->room -= taken;
        m_log->written.append(data, taken);
        m_log->writes.append(taken);
        return taken;
    }
    bool stopped() override { return m_real ? m_real->stopped() : m_log->get(&CardLog::stopped); }

private:
    std::shared_ptr<CardLog> m_log;
    std::unique_ptr<CAudioDevice> m_real;
};

CPlayAudio::DeviceFactory CardFactory(const std::shared_ptr<CardLog>& log)
{
    return [log] { return std::make_unique<ScriptedCard>(log); };
}

// 16-bit samples counting up from first, so every byte says where it came from.
QByteArray Ramp(int samples, int first)
{
    QByteArray bytes(samples * 2, Qt::Uninitialized);
    auto* s = reinterpret_cast<qint16*>(bytes.data());
    for (int i = 0; i < samples; ++i)
        s[i] = static_cast<qint16>(first + i);
    return bytes;
}

bool WaitFor(const std::function<bool()>& done, int ms = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && !timer.hasExpired(ms))
        QThread::msleep(2);
    return done();
}

bool WaitForWritten(CardLog& card, int bytes, int ms = 5000)
{
    const bool reached = WaitFor([&] { return card.get(&CardLog::written).size() >= bytes; }, ms);
    QThread::msleep(50);  // time to write more than it should
    return reached;
}

// Counts the "cannot play" messages of every thread while it exists.
QAtomicInt g_noOutputMessages;
struct NoOutputMessages {
    NoOutputMessages()
    {
        g_noOutputMessages = 0;
        previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
            if (text == QLatin1String("raw audio format not supported by backend, cannot play audio."))
                ++g_noOutputMessages;
        });
    }
    ~NoOutputMessages() { qInstallMessageHandler(previous); }
    QtMessageHandler previous;
};

}  // namespace

TEST(PlayAudio, WholePeriodsInOrderAndAProtocolChangeReopens)
{
    auto card = std::make_shared<CardLog>();
    CPlayAudio player(CardFactory(card), 0);
    const QByteArray audio = Ramp(600, 0);
    player.PushAudio(false, audio.left(100));
    player.PushAudio(false, audio.mid(100, 540));
    player.PushAudio(false, audio.mid(640, 200));
    EXPECT_TRUE(WaitForWritten(*card, 2 * kMonoPeriod));
    EXPECT_EQ(card->get(&CardLog::written), audio.left(2 * kMonoPeriod)) << "less than a period waits for more";

    // What is still queued in the other format is dropped; old-protocol audio is stereo.
    card->set(&CardLog::room, qint64{0});
    player.PushAudio(false, Ramp(320, 1000));
    const QByteArray stereo = Ramp(3200, 5000);
    player.PushAudio(true, stereo);
    card->set(&CardLog::room, kRoomy);
    EXPECT_TRUE(WaitForWritten(*card, 2 * kMonoPeriod + stereo.size()));
    EXPECT_EQ(card->get(&CardLog::written).mid(2 * kMonoPeriod), stereo);

    const QList<QAudioFormat> formats = card->get(&CardLog::formats);
    ASSERT_EQ(formats.size(), 2);
    EXPECT_EQ(card->get(&CardLog::closes), 1);
    for (int i : {0, 1}) {
        EXPECT_EQ(formats[i].sampleRate(), 8000);
        EXPECT_EQ(formats[i].channelCount(), 1 + i);
        EXPECT_EQ(formats[i].sampleFormat(), QAudioFormat::Int16);
    }
    for (qint64 size : card->get(&CardLog::writes))
        EXPECT_EQ(size % kMonoPeriod, 0);
}

TEST(PlayAudio, FullDeviceIsWaitedForAndTheQueueKeepsTheNewestSecond)
{
    auto card = std::make_shared<CardLog>();
    card->room = 0;
    CPlayAudio player(CardFactory(card), 0);
    QByteArray pushed;
    for (int i = 0; i < 75; ++i) {  // 3 s in A-law frames
        pushed += Ramp(320, i * 320);
        player.PushAudio(false, pushed.right(640));
    }
    ASSERT_TRUE(WaitFor([&] { return card->get(&CardLog::roomQueries) > 0; }));
    QThread::msleep(300);
    // Waiting half a period between looks: about 30 in 300 ms; a busy loop makes millions.
    EXPECT_LT(card->get(&CardLog::roomQueries), 100);
    card->set(&CardLog::room, kRoomy);
    EXPECT_TRUE(WaitForWritten(*card, kMonoSecond));
    EXPECT_EQ(card->get(&CardLog::written), pushed.right(kMonoSecond));

    // One push longer than the bound keeps its own newest second; clear drops what the
    // device has not taken.
    card->set(&CardLog::room, qint64{0});
    const QByteArray big = Ramp(12000, 3);
    player.PushAudio(false, big);
    card->set(&CardLog::room, kRoomy);
    EXPECT_TRUE(WaitForWritten(*card, 2 * kMonoSecond));
    card->set(&CardLog::room, qint64{0});
    player.PushAudio(false, Ramp(1600, 0));
    player.clear();
    const QByteArray after = Ramp(320, 9000);
    player.PushAudio(false, after);
    card->set(&CardLog::room, kRoomy);
    EXPECT_TRUE(WaitForWritten(*card, 2 * kMonoSecond + after.size()));
    EXPECT_EQ(card->get(&CardLog::written).mid(kMonoSecond), big.right(kMonoSecond) + after);
}

TEST(PlayAudio, NoDeviceKeepsWorkingAndRetries)
{
    NoOutputMessages messages;
    auto card = std::make_shared<CardLog>();
    card->opens_ok = false;
    {
        // Within the retry time one attempt serves every push.
        CPlayAudio player(CardFactory(card), 3600 * 1000);
        for (int i = 0; i < 10; ++i) {
            player.PushAudio(false, Ramp(320, i));
            player.wait();
        }
        EXPECT_EQ(card->get(&CardLog::opens), 1);
        EXPECT_EQ(g_noOutputMessages.loadRelaxed(), 1);
    }
    // With no wait every push tries again; the audio queued meanwhile plays once a device opens.
    CPlayAudio player(CardFactory(card), 0);
    QByteArray pushed;
    for (int i = 0; i < 3; ++i) {
        pushed += Ramp(320, i * 320);
        player.PushAudio(false, pushed.right(640));
        player.wait();
    }
    EXPECT_EQ(card->get(&CardLog::opens), 4);
    EXPECT_EQ(g_noOutputMessages.loadRelaxed(), 4);
    card->set(&CardLog::opens_ok, true);
    pushed += Ramp(320, 960);
    player.PushAudio(false, pushed.right(640));
    EXPECT_TRUE(WaitForWritten(*card, pushed.size()));
    EXPECT_EQ(card->get(&CardLog::written), pushed);

    // A device that stops ends the output; the next push opens a new one.
    card->set(&CardLog::stopped, true);
    player.PushAudio(false, Ramp(320, 0));
    ASSERT_TRUE(player.wait(5000));
    card->set(&CardLog::stopped, false);
    player.PushAudio(false, Ramp(320, 0));
    EXPECT_TRUE(WaitFor([&] { return card->get(&CardLog::opens) == 6; }));
}

// The real sound output. Qt's audio backend connects to the sound server once per process,
// so each case runs again in a child process with the environment it needs.
namespace {

bool IsChild(const char* role) { return qEnvironmentVariable("ZAVO_AUDIO_CHILD") == QLatin1String(role); }

// Runs the current test in a child process and expects it to pass.
void RunChild(const char* role, const QTemporaryDir& runtime)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("HOME", runtime.path());
    env.insert("PULSE_SERVER", "unix:" + runtime.filePath("pulse/native"));
    env.insert("ZAVO_AUDIO_CHILD", QString::fromLatin1(role));
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name())});
    child.waitForFinished(120000);
    const std::string output = QString::fromLocal8Bit(child.readAll()).toStdString();
    EXPECT_EQ(child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1, 0) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
}

}  // namespace

TEST(PlayAudioSink, SilentAndWorkingWithoutASoundServer)
{
    if (IsChild("no-server")) {
        NoOutputMessages messages;
        CPlayAudio player;
        player.PushAudio(false, Ramp(320, 0));
        ASSERT_TRUE(player.wait(30000)) << "the output thread ends when nothing can be opened";
        EXPECT_EQ(g_noOutputMessages.loadRelaxed(), 1);
        for (int i = 0; i < 25; ++i)
            player.PushAudio(i % 2 == 0, Ramp(320, 0));
        player.clear();
        return;
    }
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    RunChild("no-server", runtime);
}

TEST(PlayAudioSink, PlaysIntoANullSink)
{
    if (IsChild("null-sink")) {
        auto log = std::make_shared<CardLog>();
        CPlayAudio player([log] { return std::make_unique<ScriptedCard>(log, CreateSinkAudioDevice()); },
                          CPlayAudio::kRetryMs);
        // One second in A-law frames; the device holds a fraction of it, so the rest goes in
        // only as the sink plays.
        const QByteArray mono = Ramp(8000, 0), stereo = Ramp(3200, 8000);
        for (int i = 0; i < 25; ++i)
            player.PushAudio(false, mono.mid(i * 640, 640));
        ASSERT_TRUE(WaitForWritten(*log, mono.size(), 20000)) << log->get(&CardLog::written).size() << " bytes";
        player.PushAudio(true, stereo);
        ASSERT_TRUE(WaitForWritten(*log, mono.size() + stereo.size(), 20000));
        EXPECT_EQ(log->get(&CardLog::written), mono + stereo);
        EXPECT_TRUE(player.isRunning()) << "the sink is still open";
        return;
    }
    const QString pulseaudio = QStandardPaths::findExecutable("pulseaudio");
    if (pulseaudio.isEmpty())
        GTEST_SKIP() << "pulseaudio is not installed: no null sink to play into";
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("HOME", runtime.path());
    env.remove("PULSE_SERVER");
    QProcess server;  // killed on destruction
    server.setProcessEnvironment(env);
    server.setProcessChannelMode(QProcess::MergedChannels);
    server.start(pulseaudio, {"--daemonize=no", "--exit-idle-time=-1", "-n", "--use-pid-file=no",
                              "--load=module-null-sink sink_name=nullsink",
                              "--load=module-native-protocol-unix"});
    const QString socket = runtime.filePath("pulse/native");
    if (!server.waitForStarted(10000) || !WaitFor([&] { return QFileInfo::exists(socket); }))
        GTEST_SKIP() << "pulseaudio did not start: " << server.readAll().toStdString();
    RunChild("null-sink", runtime);
    server.terminate();
    server.waitForFinished(10000);
}
