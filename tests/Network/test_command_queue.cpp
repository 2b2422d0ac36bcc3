// The per-DVR command queues against simulated DVRs: order at the DVR, DVRs that never wait
// for each other, repeats, time-outs, commands that outlive their sender.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

#include "Network/OldQuery.h"
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
        if (r.transport == Transport::Post && !r.oldProtocol && r.message(&ptzf))
            channels.push_back(int(ptzf.channel()));
    }
    return channels;
}

void NeverAnswer(CSimDvr& sim)
{
    simdvr::Misbehaviour stall;
    stall.replyStall = true;
    sim.setMisbehaviour(stall);
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

namespace {

QString Stop(int stream) { return COldQuery::StreamStop(stream); }

bool IsStopOf(const Request& r, int stream)
{
    return r.transport == Transport::Post && r.param("OP") == "5" && r.param("CID") == QByteArray::number(stream);
}

// PTZ commands for camera 1 told apart by their command.
QString PtzCmd(cgi::Ptzf::Cmd cmd, int channel = 1)
{
    cgi::Ptzf ptzf;
    ptzf.set_cmd(cmd);
    ptzf.set_channel(static_cast<uint32_t>(channel));
    return QString::fromLatin1(CgiQuery(cgi::MODE_PTZF, ptzf));
}

// What the DVR took in, in arrival order: "c<channel>" for commands, "x<cid>" for stops.
QStringList Log(const CSimDvr& sim)
{
    QStringList out;
    for (const Request& r : sim.requests()) {
        cgi::Ptzf ptzf;
        if (r.transport != Transport::Post)
            continue;
        if (r.oldProtocol)
            out << QStringLiteral("x") + QString::fromLatin1(r.param("CID"));
        else if (r.message(&ptzf))
            out << QStringLiteral("c%1/%2").arg(ptzf.channel()).arg(int(ptzf.cmd()));
    }
    return out;
}

}  // namespace

TEST_F(CommandQueue, AStopGoesAtOnceBesideTheCommandInFlightAndAheadOfThoseWaiting)
{
    Hold(sim, -1, 3000);
    sender.send(dvr, Cmd(1));
    sender.send(dvr, Cmd(2));
    ASSERT_TRUE(sim.waitUntil([&] { return Arrived(sim).size() == 1; }));
    CSendCommand::sendStreamStop(dvr, Stop(9), 9);
    ASSERT_TRUE(sim.waitForRequest([](const Request& r) { return IsStopOf(r, 9); }, 2000));
    EXPECT_EQ(sim.heldRequests(), 2) << "the stop waited for the command in flight";
    Ended(2);
    EXPECT_EQ(Log(sim), (QStringList{"c1/0", "x9", "c2/0"}));
}

TEST_F(CommandQueue, AStopDropsTheCommandsWaitingForItsStreamButNoCamerasStop)
{
    Hold(sim, 1, 300);
    sender.send(dvr, Cmd(1));
    sender.send(dvr, Cmd(2), CommandSubject::StreamChannel(9));
    CommandSubject record;
    record.stream = 9;
    sender.send(dvr, Cmd(3), record);
    sender.send(dvr, Cmd(4), CommandSubject::StreamChannel(8));
    sender.send(dvr, Cmd(5), CommandSubject::PtzStop(1));
    CSendCommand::sendStreamStop(dvr, Stop(9), 9);
    Ended(3);
    EXPECT_EQ(Arrived(sim), (std::vector<int>{1, 4, 5}));
}

TEST_F(CommandQueue, OfTheChannelCommandsWaitingForAStreamOnlyTheNewestIsSent)
{
    Hold(sim, 1, 300);
    sender.send(dvr, Cmd(1), CommandSubject::StreamChannel(9));
    for (int channel = 2; channel <= 6; ++channel)
        sender.send(dvr, Cmd(channel), CommandSubject::StreamChannel(channel % 2 ? 9 : 8));
    Ended(3);
    EXPECT_EQ(Arrived(sim), (std::vector<int>{1, 5, 6}));
}

TEST_F(CommandQueue, ANewerMoveDropsTheWaitingPtzCommandsOfItsCameraAndAStopDropsNone)
{
    Hold(sim, 1, 300);
    sender.send(dvr, PtzCmd(cgi::Ptzf::CMD_UP), CommandSubject::PtzMove(1));
    sender.send(dvr, PtzCmd(cgi::Ptzf::CMD_STOP), CommandSubject::PtzStop(1));
    sender.send(dvr, PtzCmd(cgi::Ptzf::CMD_LEFT, 2), CommandSubject::PtzMove(2));
    sender.send(dvr, PtzCmd(cgi::Ptzf::CMD_DOWN), CommandSubject::PtzMove(1));
    sender.send(dvr, PtzCmd(cgi::Ptzf::CMD_STOP), CommandSubject::PtzStop(1));
    Ended(4);
    EXPECT_EQ(Log(sim), (QStringList{"c1/8", "c2/7", "c1/9", "c1/10"}));
}

TEST_F(CommandQueue, AHeldButtonKeepsOneRepeatPerSenderQueuedAtASlowDvr)
{
    Hold(sim, -1, 3000);
    sender.send(dvr, Cmd(1));
    for (int i = 0; i < 10; ++i)
        sender.sendRepeat(dvr, Cmd(1));
    EXPECT_EQ(sender.pendingCount(), 2);
    sender.dropQueuedRepeats();
    sender.send(dvr, Cmd(2));
    Ended(2);
    EXPECT_EQ(Arrived(sim), (std::vector<int>{1, 2}));
}

TEST_F(CommandQueue, ARepeatInFlightKeepsTheNextOneOut)
{
    Hold(sim, 1, 300);
    sender.sendRepeat(dvr, Cmd(1));
    ASSERT_TRUE(sim.waitUntil([&] { return Arrived(sim).size() == 1; }));
    sender.sendRepeat(dvr, Cmd(1));
    EXPECT_EQ(sender.pendingCount(), 1);
}

TEST_F(CommandQueue, ThreeHundredClicksAtADvrThatNeverAnswersLeaveABoundedQueueAndItsStopGoes)
{
    sender.setRequestTimeout(1000);
    NeverAnswer(sim);
    for (int click = 0; click < 300; ++click) {
        sender.send(dvr, PtzCmd(cgi::Ptzf::CMD_UP), CommandSubject::PtzMove(1));
        sender.dropQueuedRepeats();
        sender.send(dvr, PtzCmd(cgi::Ptzf::CMD_STOP), CommandSubject::PtzStop(1));
    }
    EXPECT_LE(sender.pendingCount(), 3);
    CSendCommand::sendStreamStop(dvr, Stop(9), 9);
    EXPECT_TRUE(sim.waitForRequest([](const Request& r) { return IsStopOf(r, 9); }, 2000));
}

TEST_F(CommandQueue, ACameraNameRequestWithoutNamesInItsFirstPacketsIsGivenUpAtOnce)
{
    simdvr::Misbehaviour m;
    m.replyStall = true;
    m.replyLeadPackets = 4;
    m.replyStallAfterPackets = 4;  // four status packets, then nothing
    sim.setMisbehaviour(m);
    QSignalSpy names(&sender, &CSendCommand::receivedCameraName);
    sender.send(dvr, QString::fromLatin1(CgiQuery(cgi::MODE_LIVE, cgi::Live())));
    EXPECT_EQ(Ended(1), (Ends{{QString::fromLatin1(CgiQuery(cgi::MODE_LIVE, cgi::Live())),
                               QNetworkReply::OperationCanceledError}}));
    EXPECT_EQ(names.count(), 0);
}

TEST_F(CommandQueue, OneDvrWrittenTwoWaysHasOneQueue)
{
    DVR typed = dvr;
    typed.set_address(" LOCALHOST ");
    DVR plain = dvr;
    plain.set_address("localhost");
    EXPECT_EQ(CSendCommand::QueueKey(typed), CSendCommand::QueueKey(plain));
    EXPECT_NE(CSendCommand::QueueKey(plain), CSendCommand::QueueKey(dvr));
}

TEST_F(CommandQueue, TheExitWaitTakesNoUserInput)
{
    QPushButton button;
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    int clicked = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] { ++clicked; });
    Hold(sim, 1, 500);
    sender.send(dvr, Cmd(1));
    // A click the operator makes while the program waits for its commands.
    QTimer::singleShot(100, [&] {
        QWindow* window = button.windowHandle();
        const QPointF at(button.width() / 2.0, button.height() / 2.0);
        QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
            window, at, button.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress);
        QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
            window, at, button.mapToGlobal(at), Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease);
    });
    EXPECT_TRUE(CSendCommand::waitForAllCommands(5000));
    EXPECT_EQ(clicked, 0);
}
