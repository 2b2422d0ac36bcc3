#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMutex>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "Common/PlayAudio.h"
#include "support/ChildProcess.h"
#include "support/LeftBehind.h"

namespace {
constexpr int kPeriod = 320;  // 20 ms of 8000 Hz 16-bit mono
constexpr int kSecond = 16000;
constexpr qint64 kRoomy = qint64{1} << 20;

// A sound card whose room (bytes it takes now) the test sets through the shared state.
struct Card : CAudioDevice {
    struct State {
        QMutex mutex;
        qint64 room = kRoomy;
        bool opensOk = true, stopped = false;
        int opens = 0, roomQueries = 0;
        QList<QAudioFormat> formats;
        QByteArray written;
        template <typename T> T get(T State::*m) { QMutexLocker lock(&mutex); return this->*m; }
        template <typename T> void set(T State::*m, T value) { QMutexLocker lock(&mutex); this->*m = value; }
    };
    explicit Card(std::shared_ptr<State> state) : s(std::move(state)) {}
    bool open(const QAudioFormat& format) override { QMutexLocker lock(&s->mutex); ++s->opens; s->formats.append(format); return s->opensOk; }
    qint64 bytesFree() override { QMutexLocker lock(&s->mutex); ++s->roomQueries; return s->room; }
    qint64 write(const char* data, qint64 size) override
    {
        QMutexLocker lock(&s->mutex);
        const qint64 taken = std::min(size, s->room);
        s->room -= taken;
        s->written.append(data, taken);
        return taken;
    }
    bool stopped() override { return s->get(&State::stopped); }
    std::shared_ptr<State> s;
};
using CardState = Card::State;

// 16-bit samples counting up from first, so every byte says where it came from.
QByteArray Ramp(int samples, int first)
{
    QByteArray bytes(samples * 2, Qt::Uninitialized);
    auto* s = reinterpret_cast<qint16*>(bytes.data());
    for (int i = 0; i < samples; ++i)
        s[i] = static_cast<qint16>(first + i);
    return bytes;
}

using lefttest::Within;

// True once the player's output thread has ended (by itself) within ms.
bool OutputEnds(const CPlayAudio& player, int ms)
{
    return Within(ms, [&] { return !player.isPlaying(); });
}

class PlayAudio : public ::testing::Test {
protected:
    // Then a little time to write more than it should.
    bool WaitFor(const std::function<bool()>& done)
    {
        Within(5000, done);
        QThread::msleep(50);
        return done();
    }
    bool WaitForWritten(int bytes) { return WaitFor([&] { return card->get(&CardState::written).size() >= bytes; }); }

    std::shared_ptr<CardState> card = std::make_shared<CardState>();
    CPlayAudio player{[c = card] { return std::make_unique<Card>(c); }, 0};  // no retry wait
};
}  // namespace

TEST_F(PlayAudio, AFullDeviceIsWaitedForAndTheQueueKeepsTheNewestSecond)
{
    card->room = 0;
    QElapsedTimer full;
    full.start();
    constexpr int PUSHES = 75;  // 3 s in A-law frames
    QByteArray pushed;
    for (int i = 0; i < PUSHES; ++i) {
        pushed += Ramp(320, i * 320);
        player.PushAudio(false, pushed.right(640));
    }
    QThread::msleep(300);
    // A look at each push and one each half period (10 ms) between: about 105 here, however
    // slowly the pushes go; a busy loop makes millions.
    const qint64 looks = PUSHES + full.elapsed() / 10 + 5;
    EXPECT_LE(card->get(&CardState::roomQueries), looks);
    card->set(&CardState::room, kRoomy);
    EXPECT_TRUE(WaitForWritten(kSecond));
    EXPECT_EQ(card->get(&CardState::written), pushed.right(kSecond));
    // One push longer than the bound keeps its own newest second.
    card->set(&CardState::room, qint64{0});
    const QByteArray big = Ramp(12000, 3);
    player.PushAudio(false, big);
    card->set(&CardState::room, kRoomy);
    EXPECT_TRUE(WaitForWritten(2 * kSecond));
    EXPECT_EQ(card->get(&CardState::written).mid(kSecond), big.right(kSecond));
}

TEST_F(PlayAudio, NoDeviceKeepsWorkingAndWholePeriodsPlayInOrderOnceOneOpens)
{
    // Every push tries again; the audio queued meanwhile plays once a device opens, in whole
    // periods.
    card->opensOk = false;
    const QByteArray audio = Ramp(600, 0);
    player.PushAudio(false, audio.left(100));
    ASSERT_TRUE(OutputEnds(player, 5000));
    player.PushAudio(false, audio.mid(100, 540));
    ASSERT_TRUE(OutputEnds(player, 5000));
    EXPECT_EQ(card->get(&CardState::opens), 2);
    card->set(&CardState::opensOk, true);
    player.PushAudio(false, audio.mid(640, 200));
    EXPECT_TRUE(WaitForWritten(2 * kPeriod));
    EXPECT_EQ(card->get(&CardState::written), audio.left(2 * kPeriod));  // less than a period waits

    // What is still queued in the other format is dropped; old-protocol audio is stereo.
    card->set(&CardState::room, qint64{0});
    player.PushAudio(false, Ramp(320, 1000));
    const QByteArray stereo = Ramp(3200, 5000);
    player.PushAudio(true, stereo);
    card->set(&CardState::room, kRoomy);
    EXPECT_TRUE(WaitForWritten(2 * kPeriod + stereo.size()));
    EXPECT_EQ(card->get(&CardState::written).mid(2 * kPeriod), stereo);
    const QList<QAudioFormat> formats = card->get(&CardState::formats);
    ASSERT_EQ(formats.size(), 4);
    for (int i : {2, 3})
        EXPECT_TRUE(formats[i].sampleRate() == 8000 && formats[i].channelCount() == i - 1 &&
                    formats[i].sampleFormat() == QAudioFormat::Int16) << i;

    // A device that stops ends the output; the next push opens a new one.
    card->set(&CardState::stopped, true);
    player.PushAudio(true, stereo);
    ASSERT_TRUE(OutputEnds(player, 5000));
    card->set(&CardState::stopped, false);
    player.PushAudio(true, stereo);
    EXPECT_TRUE(WaitFor([&] { return card->get(&CardState::opens) == 5; }));
}

// Qt's real audio backend without a sound server, in a child process: the backend connects
// to the server once per process.
TEST(PlayAudioSink, SilentAndWorkingWithoutASoundServer)
{
    if (qEnvironmentVariable("ZAVO_AUDIO_CHILD") == QLatin1String("no-server")) {
        CPlayAudio player;
        player.PushAudio(false, Ramp(320, 0));
        ASSERT_TRUE(OutputEnds(player, 30000));  // the output thread ends when nothing can be opened
        for (int i = 0; i < 25; ++i)
            player.PushAudio(i % 2 == 0, Ramp(320, 0));
        return;
    }
    QTemporaryDir runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"XDG_RUNTIME_DIR", "HOME"})
        env.insert(name, runtime.path());
    env.insert("PULSE_SERVER", "unix:" + runtime.filePath("pulse/native"));
    env.insert("ZAVO_AUDIO_CHILD", "no-server");
    int status = 0;
    const std::string output = childtest::RunTestChild("PlayAudioSink.*", env, &status);
    EXPECT_TRUE(childtest::EndedWell(status)) << childtest::HowItEnded(status) << "\n" << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
}

namespace {

// A sound device whose writes wait at a gate, as a sound server that has stopped answering.
struct HangingCard : CAudioDevice {
    explicit HangingCard(std::shared_ptr<lefttest::Gate> gate, std::shared_ptr<std::atomic<bool>> gone)
        : g(std::move(gate)), destroyed(std::move(gone))
    {
    }
    ~HangingCard() override { *destroyed = true; }
    bool open(const QAudioFormat&) override { return true; }
    qint64 bytesFree() override { return kRoomy; }
    qint64 write(const char*, qint64 size) override
    {
        if (entered)
            ++*entered;
        g->pass();
        return size;
    }
    bool stopped() override { return false; }
    std::shared_ptr<lefttest::Gate> g;
    std::shared_ptr<std::atomic<bool>> destroyed;
    std::atomic<int>* entered = nullptr;  // counts the writes begun
};

}  // namespace

TEST(PlayAudioStop, AnOutputThreadThatDoesNotEndIsLeftBehindInBoundedTime)
{
    auto gate = std::make_shared<lefttest::Gate>();
    auto gone = std::make_shared<std::atomic<bool>>(false);
    auto player = std::make_unique<CPlayAudio>([gate, gone] { return std::make_unique<HangingCard>(gate, gone); }, 0);
    player->PushAudio(false, Ramp(4 * kPeriod, 0));
    ASSERT_TRUE(Within(5000, [&] { return gate->waiting(); }));
    lefttest::OpenLate late(*gate);

    // Not waited for: the device still holds the thread when the stop returns.
    player->Deinit();
    EXPECT_FALSE(gone->load());
    EXPECT_FALSE(player->isPlaying());

    // The thread ends by itself after its owner is gone, and is deleted then.
    player.reset();
    late.now();
    EXPECT_TRUE(Within(5000, [&] { return gone->load(); }));
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(PlayAudioStop, PushesAndClearsDuringALeftBehindStopGoOnIntoTheNextOutput)
{
    // The first device hangs in its first write; the ones after it keep what they get.
    auto gate = std::make_shared<lefttest::Gate>();
    auto gone = std::make_shared<std::atomic<bool>>(false);
    auto card = std::make_shared<CardState>();
    std::atomic<int> made{0};
    auto player = std::make_unique<CPlayAudio>(
        [&]() -> std::unique_ptr<CAudioDevice> {
            if (made++ == 0)
                return std::make_unique<HangingCard>(gate, gone);
            return std::make_unique<Card>(card);
        }, 0);
    player->PushAudio(false, Ramp(4 * kPeriod, 0));
    ASSERT_TRUE(Within(5000, [&] { return gate->waiting(); }));
    lefttest::OpenLate late(*gate);

    // Other threads push and clear all through the stop that leaves the output behind.
    std::atomic<bool> done{false};
    std::thread pusher([&] {
        while (!done)
            player->PushAudio(false, Ramp(kPeriod, 7));
    });
    std::thread clearer([&] {
        while (!done)
            player->clear();
    });
    player->Deinit();
    EXPECT_FALSE(gone->load());
    EXPECT_TRUE(Within(5000, [&] { return !card->get(&CardState::written).isEmpty(); }));
    done = true;
    pusher.join();
    clearer.join();
    EXPECT_EQ(made.load(), 2);

    player.reset();
    late.now();
    EXPECT_TRUE(Within(5000, [&] { return gone->load(); }));
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(PlayAudioStop, PushesOfEitherFormatNeverWaitForAnOutputItsDeviceHolds)
{
    // Every device hangs in its first write until the end of the test (or a late release).
    auto gate = std::make_shared<lefttest::Gate>();
    auto gone = std::make_shared<std::atomic<bool>>(false);
    std::atomic<int> held{0};
    std::atomic<bool> released{false};
    CPlayAudio player(
        [&]() -> std::unique_ptr<CAudioDevice> {
            auto card = std::make_unique<HangingCard>(gate, gone);
            card->entered = &held;
            return card;
        }, 0);
    lefttest::OpenLate late([&] {
        released = true;
        gate->open();
    }, 15000);

    // Each push changes the format, so each finds the last output held by its device.
    constexpr int kSwitches = 12;
    for (int i = 0; i < kSwitches && !released; ++i) {
        player.PushAudio(i % 2 == 1, Ramp(4 * kPeriod, i));
        ASSERT_TRUE(Within(10000, [&] { return held.load() == i + 1; })) << i;
    }
    EXPECT_FALSE(released.load());
    late.now();
}
