// One open of a sound device at a time for the whole program, and an open that never returns
// judged lost by the clock.
#include <gtest/gtest.h>

#include <QThread>

#include <atomic>
#include <memory>
#include <thread>

#include "Common/PlayAudio.h"
#include "Common/SoundOpens.h"
#include "support/LeftBehind.h"

namespace {

struct Clock {
    int64_t now = 1000;
    CSoundOpens::Clock fn() { return [this] { return now; }; }
};

constexpr int kLost = 35000;

}  // namespace

TEST(SoundOpens, ASecondOpenWaitsWhileOneIsInFlight)
{
    Clock clock;
    CSoundOpens gate(clock.fn(), kLost);
    const CSoundOpens::Turn first = gate.tryBegin();
    ASSERT_NE(first, 0u);
    EXPECT_EQ(gate.tryBegin(), 0u);
    clock.now += kLost - 1;
    EXPECT_EQ(gate.tryBegin(), 0u);
    gate.end(first);
    EXPECT_NE(gate.tryBegin(), 0u);
}

TEST(SoundOpens, AnOpenInFlightPastTheServersTimeOutIsLostAndLetsTheNextGo)
{
    Clock clock;
    CSoundOpens gate(clock.fn(), kLost);
    const CSoundOpens::Turn stuck = gate.tryBegin();
    clock.now += kLost;
    const CSoundOpens::Turn next = gate.tryBegin();
    ASSERT_NE(next, 0u);
    EXPECT_EQ(gate.lost(), 1);
    EXPECT_EQ(gate.inFlight(), 2);
    // The lost one returning late frees nothing of the next one's turn.
    gate.end(stuck);
    EXPECT_EQ(gate.lost(), 0);
    EXPECT_EQ(gate.tryBegin(), 0u);
    gate.end(next);
    EXPECT_EQ(gate.inFlight(), 0);
}

TEST(SoundOpens, AWaitingOpenThatIsCancelledGetsNoTurn)
{
    CSoundOpens gate;
    const CSoundOpens::Turn held = gate.tryBegin();
    std::atomic<bool> cancelled{false};
    CSoundOpens::Turn got = 1;
    std::thread waiter([&] { got = gate.begin([&] { return cancelled.load(); }, 10); });
    QThread::msleep(50);
    cancelled = true;
    waiter.join();
    EXPECT_EQ(got, 0u);
    gate.end(held);
    EXPECT_EQ(gate.inFlight(), 0);
}

TEST(SoundOpens, AWaitingOpenGetsItsTurnWhenTheOneInFlightReturns)
{
    CSoundOpens gate;
    const CSoundOpens::Turn held = gate.tryBegin();
    std::atomic<CSoundOpens::Turn> got{0};
    std::thread waiter([&] { got = gate.begin({}, 10); });
    QThread::msleep(50);
    EXPECT_EQ(got.load(), 0u);
    gate.end(held);
    waiter.join();
    EXPECT_NE(got.load(), 0u);
    gate.end(got);
}

namespace {

// A device whose open waits at a gate, as one waits for a sound server that does not answer.
struct WaitingOpen : CAudioDevice {
    WaitingOpen(std::shared_ptr<lefttest::Gate> g, std::atomic<int>* entered) : gate(std::move(g)), opens(entered) {}
    bool open(const QAudioFormat&) override
    {
        ++*opens;
        gate->pass();
        return true;
    }
    qint64 bytesFree() override { return 0; }
    qint64 write(const char*, qint64) override { return 0; }
    bool stopped() override { return false; }
    std::shared_ptr<lefttest::Gate> gate;
    std::atomic<int>* opens;
};

}  // namespace

TEST(SoundOpens, OutputsOfTheProgramOpenOneAtATime)
{
    auto gate = std::make_shared<lefttest::Gate>();
    std::atomic<int> opens{0};
    std::atomic<int> secondOpens{0};
    CPlayAudio first([&] { return std::make_unique<WaitingOpen>(gate, &opens); }, 0);
    auto second = std::make_unique<CPlayAudio>(
        [&]() -> std::unique_ptr<CAudioDevice> {
            ++secondOpens;
            return nullptr;
        }, 0);
    first.Init(false);
    ASSERT_TRUE(lefttest::Within(5000, [&] { return gate->waiting(); }));
    second->PushAudio(false, QByteArray(640, 1));
    QThread::msleep(200);
    EXPECT_EQ(secondOpens.load(), 0);
    // Closed while it waits its turn: it never opens.
    second->Deinit();
    gate->open();
    ASSERT_TRUE(lefttest::Within(5000, [&] { return first.report().open; }));
    QThread::msleep(100);
    EXPECT_EQ(secondOpens.load(), 0);
    EXPECT_EQ(CSoundOpens::program().inFlight(), 0);
}
