// The command sender's sequential mode against the simulated DVR: order, time-out, repeats.

#include <gtest/gtest.h>

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

using Ends = std::vector<std::pair<QString, QNetworkReply::NetworkError>>;

class CommandQueue : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.start());
        dvr = MakeDvr(sim, false);
        sender.setSequential(true);
    }
    // The DVR takes its next request in late.
    void HoldFirst()
    {
        simdvr::Misbehaviour m;
        m.holdRequests = 1;
        m.holdMs = 300;
        sim.setMisbehaviour(m);
    }
    // The channels of the commands the DVR took in, in its order.
    std::vector<int> Arrived() const
    {
        std::vector<int> channels;
        for (const Request& r : sim.requests()) {
            cgi::Ptzf ptzf;
            if (r.transport == Transport::Post && r.message(&ptzf))
                channels.push_back(int(ptzf.channel()));
        }
        return channels;
    }
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

TEST_F(CommandQueue, ADvrBusyWithTheFirstCommandStillSeesThemInOrder)
{
    // At once, the second overtakes the first while the DVR is busy with it.
    CSendCommand parallel;
    HoldFirst();
    parallel.send(dvr, Cmd(1));
    parallel.send(dvr, Cmd(2));
    ASSERT_TRUE(sim.waitUntil([&] { return Arrived().size() == 2; }));
    EXPECT_EQ(Arrived(), (std::vector<int>{2, 1}));

    // Sequential: one in flight under the time-out, the rest queued, each end reported.
    sim.clearLog();
    HoldFirst();
    for (int channel : {1, 2, 3})
        sender.send(dvr, Cmd(channel));
    EXPECT_EQ(sender.queuedCount(), 2);
    EXPECT_TRUE(sender.requestTimer().isActive());
    EXPECT_EQ(sender.requestTimer().interval(), CSendCommand::DEFAULT_REQUEST_TIMEOUT_MS);
    EXPECT_EQ(Ended(3), (Ends{{Cmd(1), QNetworkReply::NoError}, {Cmd(2), QNetworkReply::NoError},
                              {Cmd(3), QNetworkReply::NoError}}));
    EXPECT_EQ(Arrived(), (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(sender.requestTimer().isActive());

    // Repeats still queued when the stop comes are dropped; others stay.
    sim.clearLog();
    HoldFirst();
    sender.send(dvr, Cmd(1));
    sender.sendRepeat(dvr, Cmd(2));
    sender.send(dvr, Cmd(3));
    sender.sendRepeat(dvr, Cmd(4));
    sender.dropQueuedRepeats();
    sender.send(dvr, Cmd(5));
    Ended(3);
    EXPECT_EQ(Arrived(), (std::vector<int>{1, 3, 5}));

    // Switched back: what is still queued goes out at once.
    HoldFirst();
    sender.send(dvr, Cmd(6));
    sender.send(dvr, Cmd(7));
    sender.setSequential(false);
    EXPECT_EQ(sender.queuedCount(), 0);
    EXPECT_EQ(Ended(2).size(), 2u);
}

TEST_F(CommandQueue, ASilentOrAbsentDvrHoldsTheQueueOnlyUntilTheTimeOut)
{
    sender.setRequestTimeout(300);
    simdvr::Misbehaviour stall;
    stall.replyStall = true;
    sim.setMisbehaviour(stall);
    sender.send(dvr, Cmd(1));
    sender.send(dvr, Cmd(2));
    EXPECT_EQ(sender.requestTimer().interval(), 300);
    EXPECT_EQ(Ended(2), (Ends{{Cmd(1), QNetworkReply::TimeoutError}, {Cmd(2), QNetworkReply::TimeoutError}}));
    EXPECT_EQ(Arrived(), (std::vector<int>{1, 2}));

    // Nobody listening: each fails at once and the next still goes.
    sim.stop();
    sender.send(dvr, Cmd(3));
    sender.send(dvr, Cmd(4));
    EXPECT_EQ(Ended(2), (Ends{{Cmd(3), QNetworkReply::ConnectionRefusedError}, {Cmd(4), QNetworkReply::ConnectionRefusedError}}));
    EXPECT_FALSE(sender.requestTimer().isActive());
}
