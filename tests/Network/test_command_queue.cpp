// The per-DVR command queues against simulated DVRs: order at the DVR, DVRs that never wait
// for each other, repeats, time-outs, commands that outlive their sender.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>

#include "Network/SendCommand.h"
#include "StreamProbe.h"

using namespace nettest;
using simdvr::CSimDvr;
using simdvr::Request;
using simdvr::Transport;

namespace {

// A command told apart by its channel.
QString Cmd(int channel)
{
    cgi::Ptzf ptzf;
    ptzf.set_channel(static_cast<uint32_t>(channel));
    return QString::fromLatin1(CgiQuery(cgi::MODE_PTZF, ptzf));
}

// The channels of the commands a DVR took in, in the order they arrived.
std::vector<int> Arrived(const CSimDvr& sim)
{
    std::vector<int> channels;
    for (const Request& r : sim.requests()) {
        cgi::Ptzf ptzf;
        if (r.transport == Transport::Post && r.message(&ptzf))
            channels.push_back(int(ptzf.channel()));
    }
    return channels;
}

void Hold(CSimDvr& sim, int requests, int ms)
{
    simdvr::Misbehaviour m;
    m.holdRequests = requests;
    m.holdMs = ms;
    sim.setMisbehaviour(m);
}

using Ends = std::vector<std::pair<QString, QNetworkReply::NetworkError>>;

class CommandQueue : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.start());
        dvr = MakeDvr(sim, false);
    }
    void TearDown() override { EXPECT_TRUE(CSendCommand::waitForAllCommands(10000)); }
    // The commands whose end was reported, with their errors, in order; once n have ended.
    Ends Ended(int n)
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return finished.count() == n; }, 10000));
        Ends ends;
        for (const QList<QVariant>& args : finished)
            ends.emplace_back(args.at(0).toString(), args.at(1).value<QNetworkReply::NetworkError>());
        finished.clear();
        return ends;
    }

    CSimDvr sim;
    DVR dvr;
    CSendCommand sender;
    QSignalSpy finished{&sender, &CSendCommand::commandFinished};
};

}  // namespace

TEST_F(CommandQueue, ChannelCommandsOfTwoSendersTakeEffectAtABusyDvrInTheOrderSent)
{
    CHttpConnect stream;
    StreamProbe probe(&stream, false);
    stream.Connect(dvr, Param(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return probe.state().connectedCount == 1; }, 10000));
    CSendCommand window;
    Hold(sim, 1, 300);  // the first is taken in late; a DVR acts on each when it takes it in
    for (uint32_t mask = 1; mask <= 10; ++mask) {
        cgi::StreamChannel command;
        command.set_mode(cgi::MODE_LIVE);
        command.set_stream_id(static_cast<uint32_t>(stream.getClientID()));
        command.set_vchmask(mask);
        (mask % 2 ? window : sender).send(dvr, QString::fromLatin1(CgiQuery(cgi::MODE_STREAM_CHANNEL, command)));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.pendingCount() + sender.pendingCount() == 0; }, 10000));
    EXPECT_EQ(sim.streams().back().vchmask, 10u);
    stream.Disconnect();
}

TEST_F(CommandQueue, OneCommandPerDvrIsInFlightAndEachEndIsReported)
{
    Hold(sim, 1, 300);
    for (int channel : {1, 2, 3})
        sender.send(dvr, Cmd(channel));
    EXPECT_EQ(sender.pendingCount(), 3);
    EXPECT_EQ(Ended(3), (Ends{{Cmd(1), QNetworkReply::NoError}, {Cmd(2), QNetworkReply::NoError},
                              {Cmd(3), QNetworkReply::NoError}}));
    EXPECT_EQ(sender.pendingCount(), 0);
}

TEST_F(CommandQueue, ASlowDvrNeverDelaysAnotherDvrsStop)
{
    CSimDvr fast;
    ASSERT_TRUE(fast.start());
    Hold(sim, -1, 3000);  // every answer held
    QSignalSpy slowEnds(&sender, &CSendCommand::commandFinished);
    sender.send(dvr, Cmd(1));
    sender.send(dvr, Cmd(2));
    ASSERT_TRUE(sim.waitUntil([&] { return Arrived(sim).size() == 1; }));

    CSendCommand page;
    QElapsedTimer clock;
    clock.start();
    page.send(MakeDvr(fast, false), Cmd(8));  // move
    page.send(MakeDvr(fast, false), Cmd(9));  // stop
    ASSERT_TRUE(fast.waitUntil([&] { return Arrived(fast).size() == 2; }));
    RecordProperty("stop_delay_ms", int(clock.elapsed()));
    EXPECT_EQ(Arrived(fast), (std::vector<int>{8, 9}));
    EXPECT_EQ(slowEnds.count(), 0) << "the slow DVR answered first: the fast one waited for it";
    EXPECT_EQ(Arrived(sim), (std::vector<int>{1}));
}

TEST_F(CommandQueue, RepeatsStillQueuedWhenTheStopComesAreDropped)
{
    Hold(sim, 1, 300);
    sender.send(dvr, Cmd(1));
    sender.sendRepeat(dvr, Cmd(2));
    sender.send(dvr, Cmd(3));
    sender.sendRepeat(dvr, Cmd(4));
    sender.dropQueuedRepeats();
    sender.send(dvr, Cmd(5));
    Ended(3);
    EXPECT_EQ(Arrived(sim), (std::vector<int>{1, 3, 5}));
}

TEST_F(CommandQueue, ASilentDvrHoldsItsQueueOnlyUntilTheTimeOut)
{
    sender.setRequestTimeout(300);
    simdvr::Misbehaviour stall;
    stall.replyStall = true;
    sim.setMisbehaviour(stall);
    sender.send(dvr, Cmd(1));
    sender.send(dvr, Cmd(2));
    EXPECT_EQ(Ended(2), (Ends{{Cmd(1), QNetworkReply::TimeoutError}, {Cmd(2), QNetworkReply::TimeoutError}}));
    EXPECT_EQ(Arrived(sim), (std::vector<int>{1, 2}));
}

TEST_F(CommandQueue, AnAbsentDvrFailsEachCommandAtOnceAndTheNextStillGoes)
{
    sim.stop();
    sender.send(dvr, Cmd(3));
    sender.send(dvr, Cmd(4));
    EXPECT_EQ(Ended(2), (Ends{{Cmd(3), QNetworkReply::ConnectionRefusedError},
                              {Cmd(4), QNetworkReply::ConnectionRefusedError}}));
}

TEST_F(CommandQueue, ACommandOutlivesTheSenderThatSentIt)
{
    Hold(sim, 1, 200);
    auto* page = new CSendCommand;
    page->send(dvr, Cmd(1));
    page->send(dvr, Cmd(2));
    delete page;
    EXPECT_TRUE(sim.waitUntil([&] { return Arrived(sim).size() == 2; }));
    EXPECT_EQ(Arrived(sim), (std::vector<int>{1, 2}));
}

TEST_F(CommandQueue, WaitingForAllCommandsGivesUpAtItsBound)
{
    Hold(sim, 1, 3000);
    sender.send(dvr, Cmd(1));
    EXPECT_FALSE(CSendCommand::waitForAllCommands(200));
    EXPECT_EQ(sender.pendingCount(), 1);
}
