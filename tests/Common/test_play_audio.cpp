#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMutex>
#include <QProcess>
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
    bool opensOk = true, stopped = false;
    int opens = 0, roomQueries = 0;
    QList<QAudioFormat> formats;
    QByteArray written;

    template <typename T> T get(T CardLog::*member) { QMutexLocker lock(&mutex); return this->*member; }
    template <typename T> void set(T CardLog::*member, T value) { QMutexLocker lock(&mutex); this->*member = value; }
};

// A sound card whose room the test controls.
class ScriptedCard : public CAudioDevice {
public:
    explicit ScriptedCard(std::shared_ptr<CardLog> log) : m_log(std::move(log)) {}
    bool open(const QAudioFormat& format) override
    {
        QMutexLocker lock(&m_log->mutex);
        ++m_log->opens;
        m_log->formats.append(format);
        return m_log->opensOk;
    }
    qint64 bytesFree() override
    {
        QMutexLocker lock(&m_log->mutex);
        ++m_log->roomQueries;
        return m_log->room;
    }
    qint64 write(const char* data, qint64 size) override
    {
        QMutexLocker lock(&m_log->mutex);
        const qint64 taken = std::min(size, m_log->room);
        m_log->room -= taken;
        m_log->written.append(data, taken);
        return taken;
    }
    bool stopped() override { return m_log->get(&CardLog::stopped); }

private:
    std::shared_ptr<CardLog> m_log;
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
    EXPECT_EQ(card->get(&CardLog::written), audio.left(2 * kMonoPeriod));  // less than a period waits

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
    for (int i : {0, 1}) {
        EXPECT_EQ(formats[i].sampleRate(), 8000);
        EXPECT_EQ(formats[i].channelCount(), 1 + i);
        EXPECT_EQ(formats[i].sampleFormat(), QAudioFormat::Int16);
    }
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
    card->opensOk = false;
    // With no retry wait every push tries again; the audio queued meanwhile plays once a device opens.
    CPlayAudio player(CardFactory(card), 0);
    QByteArray pushed;
    for (int i = 0; i < 3; ++i) {
        pushed += Ramp(320, i * 320);
        player.PushAudio(false, pushed.right(640));
        player.wait();
    }
    EXPECT_EQ(card->get(&CardLog::opens), 3);
    EXPECT_EQ(g_noOutputMessages.loadRelaxed(), 3);
    card->set(&CardLog::opensOk, true);
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
    EXPECT_TRUE(WaitFor([&] { return card->get(&CardLog::opens) == 5; }));
}

// Qt's real audio backend without a sound server, in a child process: it connects to the
// server once per process.
TEST(PlayAudioSink, SilentAndWorkingWithoutASoundServer)
{
    if (qEnvironmentVariable("ZAVO_AUDIO_CHILD") == QLatin1String("no-server")) {
        NoOutputMessages messages;
        CPlayAudio player;
        player.PushAudio(false, Ramp(320, 0));
        ASSERT_TRUE(player.wait(30000));  // the output thread ends when nothing can be opened
        for (int i = 0; i < 25; ++i)  // within the retry time one attempt serves every push
            player.PushAudio(false, Ramp(320, 0));
        EXPECT_EQ(g_noOutputMessages.loadRelaxed(), 1);
        player.PushAudio(true, Ramp(320, 0));
        player.clear();
        return;
    }
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("HOME", runtime.path());
    env.insert("PULSE_SERVER", "unix:" + runtime.filePath("pulse/native"));
    env.insert("ZAVO_AUDIO_CHILD", "no-server");
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=PlayAudioSink.*"});
    child.waitForFinished(120000);
    const std::string output = QString::fromLocal8Bit(child.readAll()).toStdString();
    EXPECT_EQ(child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1, 0) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
}
