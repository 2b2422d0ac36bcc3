#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <cmath>
#include <functional>
#include <memory>

#include "Common/PlayAudio.h"

namespace {

constexpr int kMonoPeriod = 320;   // 20 ms of 8000 Hz 16-bit mono
constexpr int kMonoSecond = 16000;
const char kNoOutputMessage[] = "raw audio format not supported by backend, cannot play audio.";

// What a sound card did, shared between the test and the devices CPlayAudio makes.
struct CardLog {
    QMutex mutex;
    qint64 room = 1 << 20;  // bytes the card takes; writes use it up
    bool opens_ok = true;
    bool stopped = false;
    int opens = 0;
    int closes = 0;
    int roomQueries = 0;
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
        : m_log(std::move(log)), m_real(std::move(real))
    {
    }
    ~ScriptedCard() override
    {
        QMutexLocker lock(&m_log->mutex);
        ++m_log->closes;
    }
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
    bool stopped() override
    {
        QMutexLocker lock(&m_log->mutex);
        return m_real ? m_real->stopped() : m_log->stopped;
    }

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
    while (!done()) {
        if (timer.hasExpired(ms))
            return false;
        QThread::msleep(2);
    }
    return true;
}

// Counts the "cannot play" messages of every thread while it exists.
QAtomicInt g_noOutputMessages;
struct NoOutputMessages {
    NoOutputMessages()
    {
        g_noOutputMessages = 0;
        previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
            if (text == QLatin1String(kNoOutputMessage))
                ++g_noOutputMessages;
        });
    }
    ~NoOutputMessages() { qInstallMessageHandler(previous); }
    int count() const { return g_noOutputMessages.loadRelaxed(); }
    QtMessageHandler previous;
};

}  // namespace

TEST(PlayAudio, WritesWholePeriodsInOrder)
{
    auto card = std::make_shared<CardLog>();
    CPlayAudio player(CardFactory(card), 0);
    const QByteArray audio = Ramp(600, 0);

    player.PushAudio(false, audio.left(100));
    QThread::msleep(100);
    EXPECT_TRUE(card->get(&CardLog::written).isEmpty()) << "less than a period waits for more";

    player.PushAudio(false, audio.mid(100, 540));
    ASSERT_TRUE(WaitFor([&] { return card->get(&CardLog::written).size() == 2 * kMonoPeriod; }));
    player.PushAudio(false, audio.mid(640, 200));
    QThread::msleep(100);
    EXPECT_EQ(card->get(&CardLog::written), audio.left(2 * kMonoPeriod));
    for (qint64 size : card->get(&CardLog::writes))
        EXPECT_EQ(size % kMonoPeriod, 0);

    const QList<QAudioFormat> formats = card->get(&CardLog::formats);
    ASSERT_EQ(formats.size(), 1);
    EXPECT_EQ(formats[0].sampleRate(), 8000);
    EXPECT_EQ(formats[0].channelCount(), 1);
    EXPECT_EQ(formats[0].sampleFormat(), QAudioFormat::Int16);
}

TEST(PlayAudio, FullDeviceIsWaitedForWithoutSpinning)
{
    auto card = std::make_shared<CardLog>();
    card->room = 0;
    CPlayAudio player(CardFactory(card), 0);
    const QByteArray audio = Ramp(4000, 7);
    player.PushAudio(false, audio);
    ASSERT_TRUE(WaitFor([&] { return card->get(&CardLog::roomQueries) > 0; }));
    QThread::msleep(300);
    // Waiting half a period between looks: about 30 in 300 ms; a busy loop makes millions.
    EXPECT_LT(card->get(&CardLog::roomQueries), 100);
    EXPECT_TRUE(card->get(&CardLog::written).isEmpty());

    card->set(&CardLog::room, qint64{1} << 20);
    ASSERT_TRUE(WaitFor([&] { return card->get(&CardLog::written).size() == audio.size(); }));
    EXPECT_EQ(card->get(&CardLog::written), audio);
}

TEST(PlayAudio, QueueKeepsTheNewestSecond)
{
    auto card = std::make_shared<CardLog>();
    card->room = 0;
    CPlayAudio player(CardFactory(card), 0);
    QByteArray pushed;
    for (int i = 0; i < 75; ++i) {  // 3 s in A-law frames
        const QByteArray frame = Ramp(320, i * 320);
        pushed += frame;
        player.PushAudio(false, frame);
    }
    card->set(&CardLog::room, qint64{1} << 20);
    ASSERT_TRUE(WaitFor([&] { return card->get(&CardLog::written).size() >= kMonoSecond; }));
    QThread::msleep(50);
    EXPECT_EQ(card->get(&CardLog::written), pushed.right(kMonoSecond));

    // One push longer than the bound keeps its own newest second.
    card->set(&CardLog::room, qint64{0});
    const QByteArray big = Ramp(12000, 3);
    player.PushAudio(false, big);
    card->set(&CardLog::room, qint64{1} << 20);
    ASSERT_TRUE(WaitFor([&] { return card->get(&CardLog::written).size() >= 2 * kMonoSecond; }));
    EXPECT_EQ(card->get(&CardLog::written).mid(kMonoSecond), big.right(kMonoSecond));
}

TEST(PlayAudio, ProtocolChangeReopensAndDropsTheOtherFormat)
{
    auto card = std::make_shared<CardLog>();
    CPlayAudio player(CardFactory(card), 0);
    player.PushAudio(false, Ramp(320, 0));
    ASSERT_TRUE(WaitFor([&] { return card->get(&CardLog::written).size() == 640; }));

    card->set(&CardLog::room, qint64{0});
    player.PushAudio(false, Ramp(320, 1000));  // still queued when the format changes
    const QByteArray stereo = Ramp(3200, 5000);
    player.PushAudio(true, stereo);
    card->set(&CardLog::room, qint64{1} << 20);
    ASSERT_TRUE(WaitFor([&] { return card->get(&CardLog::written).size() >= 640 + stereo.size(); }));
    QThread::msleep(50);
    EXPECT_EQ(card->get(&CardLog::written).mid(640), stereo);

    const QList<QAudioFormat> formats = card->get(&CardLog::formats);
    ASSERT_EQ(formats.size(), 2);
    EXPECT_EQ(formats[0].channelCount(), 1);
    EXPECT_EQ(formats[1].channelCount(), 2);
    EXPECT_EQ(formats[1].sampleRate(), 8000);
    EXPECT_EQ(card->get(&CardLog::closes), 1);
    for (qint64 size : card->get(&CardLog::writes))
        EXPECT_EQ(size % 4, 0) << "stereo frames stay whole";
}

TEST(PlayAudio, ClearDropsWhatTheDeviceHasNotTaken)
{
    auto card = std::make_shared<CardLog>();
    card->room = 0;
    CPlayAudio player(CardFactory(card), 0);
    player.PushAudio(false, Ramp(1600, 0));
    player.clear();
    const QByteArray after = Ramp(320, 9000);
    player.PushAudio(false, after);
    card->set(&CardLog::room, qint64{1} << 20);
    ASSERT_TRUE(WaitFor([&] { return card->get(&CardLog::written).size() >= after.size(); }));
    QThread::msleep(50);
    EXPECT_EQ(card->get(&CardLog::written), after);
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
        EXPECT_EQ(messages.count(), 1);
    }

    // With no wait every push tries again; the audio queued meanwhile plays once a device
    // opens.
    card->set(&CardLog::opens, 0);
    CPlayAudio player(CardFactory(card), 0);
    QByteArray pushed;
    for (int i = 0; i < 3; ++i) {
        pushed += Ramp(320, i * 320);
        player.PushAudio(false, pushed.right(640));
        player.wait();
    }
    EXPECT_EQ(card->get(&CardLog::opens), 3);
    EXPECT_EQ(messages.count(), 4);
    EXPECT_TRUE(card->get(&CardLog::written).isEmpty());

    card->set(&CardLog::opens_ok, true);
    pushed += Ramp(320, 960);
    player.PushAudio(false, pushed.right(640));
    ASSERT_TRUE(WaitFor([&] { return card->get(&CardLog::written).size() == pushed.size(); }));
    EXPECT_EQ(card->get(&CardLog::written), pushed);

    // A device that stops ends the output; the next push opens a new one.
    card->set(&CardLog::stopped, true);
    player.PushAudio(false, Ramp(320, 0));
    ASSERT_TRUE(player.wait(5000));
    card->set(&CardLog::stopped, false);
    const int opens = card->get(&CardLog::opens);
    player.PushAudio(false, Ramp(320, 0));
    ASSERT_TRUE(WaitFor([&] { return card->get(&CardLog::opens) == opens + 1; }));
}

// The real sound output. Qt's audio backend connects to the sound server once per process,
// so each case runs again in a child process with the environment it needs.
namespace {

const char kChildVariable[] = "ZAVO_AUDIO_CHILD";

bool IsChild(const char* role)
{
    return qEnvironmentVariable(kChildVariable) == QLatin1String(role);
}

// Runs the current test in a child process; returns its exit code and output.
int RunChild(const char* role, QProcessEnvironment env, QString* output)
{
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    env.insert(kChildVariable, QString::fromLatin1(role));
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name())});
    if (!child.waitForFinished(120000)) {
        child.kill();
        child.waitForFinished();
    }
    *output = QString::fromLocal8Bit(child.readAll());
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
}

// A sine at 440 Hz, a quarter of full scale.
QByteArray Tone(int samples)
{
    QByteArray bytes(samples * 2, Qt::Uninitialized);
    auto* s = reinterpret_cast<qint16*>(bytes.data());
    for (int i = 0; i < samples; ++i)
        s[i] = static_cast<qint16>(8192 * std::sin(2 * M_PI * 440 * i / 8000.0));
    return bytes;
}

}  // namespace

TEST(PlayAudioSink, SilentAndWorkingWithoutASoundServer)
{
    if (IsChild("no-server")) {
        NoOutputMessages messages;
        CPlayAudio player;
        player.PushAudio(false, Tone(320));
        ASSERT_TRUE(player.wait(30000)) << "the output thread ends when nothing can be opened";
        EXPECT_EQ(messages.count(), 1);
        for (int i = 0; i < 25; ++i)
            player.PushAudio(i % 2 == 0, Tone(320));
        player.clear();
        return;
    }
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("HOME", runtime.path());
    env.insert("PULSE_SERVER", "unix:" + runtime.filePath("no-server"));
    QString output;
    EXPECT_EQ(RunChild("no-server", env, &output), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}

TEST(PlayAudioSink, PlaysIntoANullSink)
{
    if (IsChild("null-sink")) {
        auto log = std::make_shared<CardLog>();
        CPlayAudio player([log] { return std::make_unique<ScriptedCard>(log, CreateSinkAudioDevice()); },
                          CPlayAudio::kRetryMs);
        // One second in A-law frames; the device holds a fraction of it, so the rest goes in
        // only as the sink plays.
        const QByteArray tone = Tone(8000);
        for (int i = 0; i < 25; ++i)
            player.PushAudio(false, tone.mid(i * 640, 640));
        ASSERT_TRUE(WaitFor([&] { return log->get(&CardLog::written).size() == tone.size(); }, 20000))
            << log->get(&CardLog::written).size() << " bytes played";
        EXPECT_EQ(log->get(&CardLog::written), tone);

        const QByteArray stereo = Tone(3200);
        player.PushAudio(true, stereo);
        ASSERT_TRUE(WaitFor([&] { return log->get(&CardLog::written).size() == tone.size() + stereo.size(); }, 20000));
        const QList<QAudioFormat> formats = log->get(&CardLog::formats);
        ASSERT_EQ(formats.size(), 2);
        EXPECT_EQ(formats[1].channelCount(), 2);
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
    QProcess server;
    server.setProcessEnvironment(env);
    server.setProcessChannelMode(QProcess::MergedChannels);
    server.start(pulseaudio, {"--daemonize=no", "--exit-idle-time=-1", "-n", "--use-pid-file=no",
                              "--load=module-null-sink sink_name=nullsink",
                              "--load=module-native-protocol-unix"});
    const QString socket = runtime.filePath("pulse/native");
    const bool up = server.waitForStarted(10000) && WaitFor([&] { return QFileInfo::exists(socket); }, 10000);
    if (!up) {
        server.kill();
        server.waitForFinished();
        GTEST_SKIP() << "pulseaudio did not start: " << server.readAll().toStdString();
    }

    env.insert("PULSE_SERVER", "unix:" + socket);
    QString output;
    const int code = RunChild("null-sink", env, &output);
    server.terminate();
    if (!server.waitForFinished(10000)) {
        server.kill();
        server.waitForFinished();
    }
    EXPECT_EQ(code, 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}
