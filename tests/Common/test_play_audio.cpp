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
constexpr int kPeriod = 320;   // 20 ms of 8000 Hz 16-bit mono, as pushed
constexpr int kSecond = 32000;  // a second at the device, both channels
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

// One-channel samples as the device gets them: each on both channels.
QByteArray Both(const QByteArray& mono)
{
    QByteArray both;
    for (qsizetype i = 0; i + 1 < mono.size(); i += 2)
        both.append(mono.mid(i, 2)).append(mono.mid(i, 2));
    return both;
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
    EXPECT_EQ(card->get(&CardState::written), Both(pushed.right(kSecond / 2)));
    // One push longer than the bound keeps its own newest second.
    card->set(&CardState::room, qint64{0});
    const QByteArray big = Ramp(12000, 3);
    player.PushAudio(false, big);
    card->set(&CardState::room, kRoomy);
    EXPECT_TRUE(WaitForWritten(2 * kSecond));
    EXPECT_EQ(card->get(&CardState::written).mid(kSecond), Both(big.right(kSecond / 2)));
}

TEST(PlayAudioRetry, NoDeviceIsTriedAgainAfterItsWaitAndQueuedAudioPlaysInWholePeriodsOnceOneOpens)
{
    auto card = std::make_shared<CardState>();
    card->opensOk = false;
    CPlayAudio player([c = card] { return std::make_unique<Card>(c); }, 200);
    const QByteArray audio = Ramp(600, 0);
    player.PushAudio(false, audio.left(100));
    player.PushAudio(false, audio.mid(100, 540));
    QThread::msleep(700);
    // Tried at once and then once per wait, not in a busy loop.
    const int opens = card->get(&CardState::opens);
    EXPECT_GE(opens, 2);
    EXPECT_LE(opens, 5);
    EXPECT_GE(player.report().failures, 2);
    EXPECT_FALSE(player.report().open);
    card->set(&CardState::opensOk, true);
    player.PushAudio(false, audio.mid(640, 200));
    EXPECT_TRUE(Within(5000, [&] { return card->get(&CardState::written).size() >= 4 * kPeriod; }));
    QThread::msleep(50);
    // Less than a period waits for more.
    EXPECT_EQ(card->get(&CardState::written), Both(audio.left(2 * kPeriod)));
    EXPECT_TRUE(player.report().open);
}

TEST_F(PlayAudio, BothProtocolsPlayThroughOneOpenOutputAndTheOtherProtocolsQueuedAudioIsDropped)
{
    card->room = 0;
    player.PushAudio(false, Ramp(320, 1000));
    const QByteArray stereo = Ramp(3200, 5000);
    player.PushAudio(true, stereo);
    card->set(&CardState::room, kRoomy);
    EXPECT_TRUE(WaitForWritten(stereo.size()));
    EXPECT_EQ(card->get(&CardState::written), stereo);
    player.PushAudio(false, Ramp(320, 7));
    EXPECT_TRUE(WaitForWritten(stereo.size() + 2 * kPeriod));
    const QList<QAudioFormat> formats = card->get(&CardState::formats);
    ASSERT_EQ(formats.size(), 1);
    EXPECT_EQ(formats[0], CPlayAudio::LiveFormat());
    EXPECT_EQ(formats[0].channelCount(), 2);
}

TEST_F(PlayAudio, AStoppedDeviceIsReplacedByTheSameOutput)
{
    const QByteArray stereo = Ramp(3200, 5000);
    player.PushAudio(true, stereo);
    ASSERT_TRUE(WaitForWritten(stereo.size()));
    card->set(&CardState::stopped, true);
    player.PushAudio(true, stereo);
    ASSERT_TRUE(Within(5000, [&] { return player.report().failures >= 1; }));
    EXPECT_TRUE(player.isPlaying());
    card->set(&CardState::stopped, false);
    const qsizetype before = card->get(&CardState::written).size();
    player.PushAudio(true, stereo);
    EXPECT_TRUE(WaitForWritten(before + stereo.size()));
    EXPECT_GE(card->get(&CardState::opens), 2);
}

TEST_F(PlayAudio, ALoopPlaysOverAndOverUntilItEndsAndThenNothingMore)
{
    card->room = 3 * kSecond;
    const QByteArray frames = Ramp(1000, 0);  // 2000 bytes: 500 frames of both channels
    player.loop(frames);
    EXPECT_TRUE(WaitForWritten(2 * kSecond));
    player.loop(QByteArray());
    QThread::msleep(100);
    const QByteArray written = card->get(&CardState::written);
    ASSERT_GE(written.size(), 2 * kSecond);
    for (qsizetype at = 0; at + frames.size() <= written.size(); at += frames.size())
        ASSERT_EQ(written.mid(at, frames.size()), frames) << at;
    QThread::msleep(100);
    EXPECT_EQ(card->get(&CardState::written).size(), written.size());
}

// Qt's real audio backend without a sound server, in a child process: the backend connects
// to the server once per process.
TEST(PlayAudioSink, SilentAndWorkingWithoutASoundServer)
{
    if (qEnvironmentVariable("ZAVO_AUDIO_CHILD") == QLatin1String("no-server")) {
        CPlayAudio player;
        player.PushAudio(false, Ramp(320, 0));
        ASSERT_TRUE(Within(30000, [&] { return player.report().failures >= 1; }));
        EXPECT_FALSE(player.report().open);
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

TEST(PlayAudioStop, PushesOfEitherFormatNeverWaitForAnOutputItsDeviceHoldsNorOpenAnother)
{
    // The device hangs in its first write until the end of the test (or a late release).
    auto gate = std::make_shared<lefttest::Gate>();
    auto gone = std::make_shared<std::atomic<bool>>(false);
    std::atomic<int> held{0};
    std::atomic<int> made{0};
    std::atomic<bool> released{false};
    CPlayAudio player(
        [&]() -> std::unique_ptr<CAudioDevice> {
            ++made;
            auto card = std::make_unique<HangingCard>(gate, gone);
            card->entered = &held;
            return card;
        }, 0);
    lefttest::OpenLate late([&] {
        released = true;
        gate->open();
    }, 15000);

    player.PushAudio(false, Ramp(4 * kPeriod, 0));
    ASSERT_TRUE(Within(10000, [&] { return held.load() == 1; }));
    constexpr int kSwitches = 12;
    for (int i = 1; i <= kSwitches && !released; ++i)
        player.PushAudio(i % 2 == 1, Ramp(4 * kPeriod, i));
    EXPECT_FALSE(released.load());
    EXPECT_EQ(made.load(), 1);
    late.now();
}
