// The command sender's sequential mode against the simulated DVR: order, time-out, repeats.

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "Network/SendCommand.h"
#include "StreamProbe.h"

using namespace nettest;
using simdvr::CSimDvr;
using simdvr::Misbehaviour;
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

// The channels of the commands the DVR took in, in its order.
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

Misbehaviour HoldFirst(int ms)
{
    Misbehaviour m;
    m.holdRequests = 1;
    m.holdMs = ms;
    return m;
}

using Ends = std::vector<std::pair<QString, QNetworkReply::NetworkError>>;

// The commands whose end was reported, with their errors, in order.
Ends Ended(QSignalSpy& spy)
{
    Ends ends;
    for (const QList<QVariant>& args : spy)
        ends.emplace_back(args.at(0).toString(), args.at(1).value<QNetworkReply::NetworkError>());
    return ends;
}

}  // namespace

TEST(CommandQueue, ADvrBusyWithTheFirstCommandStillSeesThemInOrder)
{
    CSimDvr sim;
    ASSERT_TRUE(sim.start());
    const DVR dvr = MakeDvr(sim, false);

    // At once, the second overtakes the first while the DVR is busy with it.
    CSendCommand parallel;
    sim.setMisbehaviour(HoldFirst(300));
    parallel.send(dvr, Cmd(1));
    parallel.send(dvr, Cmd(2));
    ASSERT_TRUE(sim.waitUntil([&] { return Arrived(sim).size() == 2; }));
    EXPECT_EQ(Arrived(sim), (std::vector<int>{2, 1}));

    // Sequential: one in flight under the time-out, the rest queued, each end reported.
    CSendCommand sender;
    sender.setSequential(true);
    QSignalSpy finished(&sender, &CSendCommand::commandFinished);
    sim.clearLog();
    sim.setMisbehaviour(HoldFirst(300));
    for (int channel : {1, 2, 3})
        sender.send(dvr, Cmd(channel));
    EXPECT_EQ(sender.queuedCount(), 2);
    EXPECT_TRUE(sender.requestTimer().isActive());
    EXPECT_EQ(sender.requestTimer().interval(), CSendCommand::DEFAULT_REQUEST_TIMEOUT_MS);
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() == 3; }, 10000));
    EXPECT_EQ(Arrived(sim), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Ended(finished), (Ends{{Cmd(1), QNetworkReply::NoError}, {Cmd(2), QNetworkReply::NoError},
                                     {Cmd(3), QNetworkReply::NoError}}));
    EXPECT_FALSE(sender.requestTimer().isActive());

    // Repeats still queued when the stop comes are dropped; others stay.
    finished.clear();
    sim.clearLog();
    sim.setMisbehaviour(HoldFirst(300));
    sender.send(dvr, Cmd(1));
    sender.sendRepeat(dvr, Cmd(2));
    sender.send(dvr, Cmd(3));
    sender.sendRepeat(dvr, Cmd(4));
    sender.dropQueuedRepeats();
    sender.send(dvr, Cmd(5));
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() == 3; }, 10000));
    EXPECT_EQ(Arrived(sim), (std::vector<int>{1, 3, 5}));

    // Switched back: what is still queued goes out at once.
    finished.clear();
    sim.setMisbehaviour(HoldFirst(300));
    sender.send(dvr, Cmd(6));
    sender.send(dvr, Cmd(7));
    sender.setSequential(false);
    EXPECT_EQ(sender.queuedCount(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return finished.count() == 2; }, 10000));
}

TEST(CommandQueue, ASilentOrAbsentDvrHoldsTheQueueOnlyUntilTheTimeOut)
{
    CSimDvr sim;
    ASSERT_TRUE(sim.start());
    const DVR dvr = MakeDvr(sim, false);
    CSendCommand sender;
    sender.setSequential(true);
    sender.setRequestTimeout(300);
    QSignalSpy finished(&sender, &CSendCommand::commandFinished);

    Misbehaviour stall;
    stall.replyStall = true;
    sim.setMisbehaviour(stall);
    sender.send(dvr, Cmd(1));
    sender.send(dvr, Cmd(2));
    EXPECT_EQ(sender.requestTimer().interval(), 300);
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() == 2; }, 10000));
    EXPECT_EQ(Ended(finished), (Ends{{Cmd(1), QNetworkReply::TimeoutError}, {Cmd(2), QNetworkReply::TimeoutError}}));
    EXPECT_EQ(Arrived(sim), (std::vector<int>{1, 2}));

    // Nobody listening: each fails at once and the next still goes.
    const DVR gone = MakeDvr(sim, false);
    sim.stop();
    finished.clear();
    sender.send(gone, Cmd(3));
    sender.send(gone, Cmd(4));
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() == 2; }, 10000));
    EXPECT_EQ(Ended(finished),
              (Ends{{Cmd(3), QNetworkReply::ConnectionRefusedError}, {Cmd(4), QNetworkReply::ConnectionRefusedError}}));
    EXPECT_FALSE(sender.requestTimer().isActive());
}
