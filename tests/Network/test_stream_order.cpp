// A stream's stop reaches the DVR before the request of the stream that follows it, checked
// at a simulated DVR that gives every stream the same client id (as real ones may), so a late
// stop would end the new stream. The client has seen such a stop end a stream of that DVR
// first: only then does it wait. The stop waits run at a quarter of their real length.

#include <algorithm>

#include <gtest/gtest.h>

#include "Network/SendCommand.h"
#include "Network/StreamKinds.h"
#include "StreamProbe.h"
#include "support/ShortStopTimings.h"

using namespace nettest;
using simdvr::CSimDvr;
using simdvr::Request;
using simdvr::Transport;

namespace {

simdvr::Config ReusingDvr(bool old = false)
{
    simdvr::Config c = SmallDvr(old);
    c.reuseClientId = true;
    if (old)
        c.model = 12;  // H.264: its sub stream has a request of its own
    return c;
}

// The client has seen a stop of this DVR carried out on a newer stream of the same client
// id, after a switch back; the log of the DVR starts afresh.
void TaughtLateStops(CSimDvr& sim, const DVR& dvr)
{
    const simdvr::Misbehaviour before = sim.misbehaviour();
    simdvr::Misbehaviour late = before;
    late.stopDelayMs = 1000;
    sim.setMisbehaviour(late);
    {
        CHttpConnect conn;
        StreamProbe probe(&conn, dvr.old_protocol());
        conn.Connect(dvr, Param(0));
        ASSERT_TRUE(QTest::qWaitFor([&] { return probe.state().connectedCount == 1; }, 10000));
        conn.Disconnect();
        conn.Connect(dvr, Param(0));
        ASSERT_TRUE(QTest::qWaitFor([&] { return LateStopsHurt(dvr); }, 30000));
        conn.Disconnect();
        CSendCommand::waitForStreamStops(dvr, 10000);
    }
    sim.setMisbehaviour(before);
    sim.clearLog();
}

// A live stream of channel 1 that has its first frame, from a DVR whose late stops the client
// knows.
void Streaming(StreamRig& s)
{
    ASSERT_NO_FATAL_FAILURE(TaughtLateStops(s.sim, MakeDvr(s.sim, s.old, 0x1)));
    s.open(0x1, Param(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().connectedCount == 1; }, 10000));
}

class StreamOrder : public ::testing::Test {
    ShortStopTimings timings;
};

// An old DVR's live sub stream, its stream kind not known yet: the first frame tells an H.264
// DVR, whose sub stream has a request of its own, and restarts it.
void OpenOfUnknownKind(StreamRig& s)
{
    StreamKinds::forget();
    DVR dvr = MakeDvr(s.sim, true, 0xF);
    dvr.set_protocol_type(0);
    s.conn.Connect(dvr, Param(0, false, 0, 0, 1));
}

// The DVR never answers a command.
void NeverAnswer(CSimDvr& sim)
{
    simdvr::Misbehaviour stall;
    stall.replyStall = true;
    sim.setMisbehaviour(stall);
}

// The DVR answers its next command late, as a busy one does.
void HoldNextAnswer(CSimDvr& sim)
{
    simdvr::Misbehaviour m;
    m.holdRequests = 1;
    m.holdMs = 300;
    sim.setMisbehaviour(m);
}

bool IsStop(const Request& r)
{
    if (r.transport != Transport::Post)
        return false;
    return r.oldProtocol ? r.param("OP") == "5" : r.mode == cgi::MODE_STREAM_STOP;
}

// Stream requests and stops, in the order the DVR took them in: 'S' and 'x'.
std::string Order(const CSimDvr& sim)
{
    std::string out;
    for (const Request& r : sim.requests()) {
        if (r.transport == Transport::Stream)
            out += 'S';
        else if (IsStop(r))
            out += 'x';
    }
    return out;
}

// The newest stream is still open and nothing stopped it.
bool NewestStreamLives(const CSimDvr& sim)
{
    const std::vector<simdvr::StreamInfo> streams = sim.streams();
    return !streams.empty() && streams.back().open && !streams.back().stopped;
}

}  // namespace

// A stop for a stream its DVR ended would end the next stream of that id.
TEST_F(StreamOrder, AStreamTheDvrClosedIsReopenedWithoutAStop)
{
    StreamRig s(ReusingDvr());
    Streaming(s);
    HoldNextAnswer(s.sim);
    s.sim.closeStreams();
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().connectedCount == 2; }, 10000));
    QTest::qWait(500);
    EXPECT_EQ(Order(s.sim), "SS");
    EXPECT_TRUE(NewestStreamLives(s.sim));
    EXPECT_EQ(s.probe.state().failures, 0);
}

TEST_F(StreamOrder, AStreamOfAnotherObjectToTheSameDvrWaitsForTheStopOfTheOldOne)
{
    // A group switch or a reconnect: the old connection goes, a new one dials at once.
    StreamRig s(ReusingDvr());
    Streaming(s);
    HoldNextAnswer(s.sim);
    s.conn.Disconnect();
    CHttpConnect next;
    StreamProbe probe(&next, false);
    next.Connect(MakeDvr(s.sim, false, 0x1), Param(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return probe.state().connectedCount == 1; }, 10000));
    QTest::qWait(500);
    EXPECT_EQ(Order(s.sim), "SxS");
    EXPECT_TRUE(NewestStreamLives(s.sim));
    next.Disconnect();
}

TEST_F(StreamOrder, TheRestartOfAnOldDvrOfUnknownKindStopsTheFirstStreamBeforeTheSecond)
{
    StreamRig s(ReusingDvr(true));
    ASSERT_NO_FATAL_FAILURE(TaughtLateStops(s.sim, MakeDvr(s.sim, true, 0xF)));
    HoldNextAnswer(s.sim);
    OpenOfUnknownKind(s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().connectedCount == 1; }, 10000));
    QTest::qWait(500);
    EXPECT_EQ(Order(s.sim), "SxS");
    EXPECT_TRUE(NewestStreamLives(s.sim));
}

TEST_F(StreamOrder, AStopThatIsNeverAnsweredDelaysTheNextStreamOnlyBoundedly)
{
    StreamRig s(ReusingDvr());
    Streaming(s);
    NeverAnswer(s.sim);
    s.conn.Disconnect();
    s.conn.Connect(MakeDvr(s.sim, false, 0x1), Param(0));
    // The next stream goes out after the bounded wait, long before the stop's time-out.
    ASSERT_TRUE(QTest::qWaitFor([&] { return Order(s.sim).size() >= 3; }, ShortStopTimings::ANSWER_MS + 2000));
    EXPECT_EQ(Order(s.sim), "SxS");
}

TEST_F(StreamOrder, AStreamStoppedWhileWaitingForAStopNeverSendsItsRequest)
{
    StreamRig s(ReusingDvr());
    Streaming(s);
    NeverAnswer(s.sim);
    s.conn.Disconnect();  // its stop is never answered
    CHttpConnect next;
    next.Connect(MakeDvr(s.sim, false, 0x1), Param(0));
    next.Disconnect();  // while it waits for that stop
    QTest::qWait(ShortStopTimings::ANSWER_MS + 300);
    EXPECT_EQ(Order(s.sim), "Sx");
}

namespace {

// The DVR carries out and answers every command 3 s after it came in.
void CarryOutLate(CSimDvr& sim)
{
    simdvr::Misbehaviour m;
    m.holdRequests = -1;
    m.holdMs = 3000;
    sim.setMisbehaviour(m);
}

// Every stop the DVR took in has been carried out.
bool StopsCarriedOut(const CSimDvr& sim)
{
    const std::vector<Request> log = sim.requests();
    return std::any_of(log.begin(), log.end(), IsStop)
           && std::all_of(log.begin(), log.end(), [](const Request& r) { return !IsStop(r) || r.answeredMs >= 0; });
}

QString PtzUp(int channel)
{
    cgi::Ptzf ptzf;
    ptzf.set_cmd(cgi::Ptzf::CMD_UP);
    ptzf.set_channel(static_cast<uint32_t>(channel));
    return QString::fromLatin1(CgiQuery(cgi::MODE_PTZF, ptzf));
}

}  // namespace

TEST_F(StreamOrder, AGroupSwitchWhilePtzIsHeldOnASlowDvrLeavesTheNewStreamAlive)
{
    StreamRig s(ReusingDvr());
    Streaming(s);
    CarryOutLate(s.sim);
    const DVR dvr = MakeDvr(s.sim, false, 0x1);
    CSendCommand page;
    page.send(dvr, PtzUp(1), CommandSubject::PtzMove(1));
    for (int second = 0; second < 3; ++second) {
        QTest::qWait(1000);
        page.sendRepeat(dvr, PtzUp(1), CommandSubject::PtzMove(1));
    }
    s.conn.Disconnect();
    CHttpConnect next;
    StreamProbe probe(&next, false);
    next.Connect(dvr, Param(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return probe.state().connectedCount == 1 && StopsCarriedOut(s.sim); }, 15000));
    QTest::qWait(500);
    EXPECT_EQ(Order(s.sim), "SxS");
    EXPECT_TRUE(NewestStreamLives(s.sim));
    next.Disconnect();
}

TEST_F(StreamOrder, ADvrThatCarriesOutStopsThreeSecondsLateKeepsItsNewStream)
{
    StreamRig s(ReusingDvr());
    Streaming(s);
    CarryOutLate(s.sim);
    s.conn.Disconnect();
    s.conn.Connect(MakeDvr(s.sim, false, 0x1), Param(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().connectedCount == 2 && StopsCarriedOut(s.sim); }, 15000));
    QTest::qWait(1500);
    EXPECT_EQ(Order(s.sim), "SxS");
    EXPECT_TRUE(NewestStreamLives(s.sim));
}

TEST_F(StreamOrder, AnOldDvrCarryingOutStopsLateKeepsTheStreamOfItsKindRestart)
{
    StreamRig s(ReusingDvr(true));
    ASSERT_NO_FATAL_FAILURE(TaughtLateStops(s.sim, MakeDvr(s.sim, true, 0xF)));
    CarryOutLate(s.sim);
    OpenOfUnknownKind(s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().connectedCount == 1 && StopsCarriedOut(s.sim); }, 15000));
    QTest::qWait(1500);
    EXPECT_EQ(Order(s.sim), "SxS");
    EXPECT_TRUE(NewestStreamLives(s.sim));
}

TEST_F(StreamOrder, AStreamToTheDvrUnderItsNameInOtherLettersWaitsForTheStopOfTheOldOne)
{
    StreamRig s(ReusingDvr());
    DVR named = MakeDvr(s.sim, false, 0x1);
    named.set_address("localhost");
    ASSERT_NO_FATAL_FAILURE(TaughtLateStops(s.sim, named));
    s.conn.Connect(named, Param(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().connectedCount == 1; }, 10000));
    HoldNextAnswer(s.sim);
    s.conn.Disconnect();
    named.set_address("LocalHost");
    CHttpConnect next;
    StreamProbe probe(&next, false);
    next.Connect(named, Param(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return probe.state().connectedCount == 1; }, 10000));
    QTest::qWait(500);
    EXPECT_EQ(Order(s.sim), "SxS");
    EXPECT_TRUE(NewestStreamLives(s.sim));
    next.Disconnect();
}

// Frames that the stream thread reads between a stop and its end must not give back the id
// that stop took: a second stop would end the next stream a DVR gives that id.
TEST_F(StreamOrder, AStreamThatSendsOnAfterItsStopIsStoppedOnlyOnce)
{
    simdvr::Misbehaviour late;
    late.stopDelayMs = 2000;
    StreamRig s(ReusingDvr(), late);
    Streaming(s);
    s.conn.sendStop();
    const int seen = s.probe.videoCount();
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.videoCount() >= seen + 3; }, 10000));
    s.conn.Disconnect();
    // Every stop sent so far has reached the DVR once this is answered.
    ASSERT_TRUE(CSendCommand::waitForStreamStops(MakeDvr(s.sim, false, 0x1), 30000));
    EXPECT_EQ(Order(s.sim), "Sx");
}

// A stream its DVR ended had data: it is reopened at once, whatever stop of its id is pending
// (here another stream's, held by the DVR), since the restart is what the operator needs.
TEST_F(StreamOrder, AStreamItsDvrEndedIsReopenedAtOnceWhileAStopOfItsIdIsUnanswered)
{
    StreamRig s(ReusingDvr());
    Streaming(s);
    simdvr::Misbehaviour hold;
    hold.stopDelayMs = -1;
    s.sim.setMisbehaviour(hold);
    {
        CHttpConnect other;  // an e-map's stream of the same DVR
        StreamProbe probe(&other, false);
        other.Connect(MakeDvr(s.sim, false, 0x1), Param(0, true));
        ASSERT_TRUE(QTest::qWaitFor([&] { return s.sim.streams().size() == 2 && s.sim.streams().back().packets > 0; }, 10000));
        other.Disconnect();
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return Order(s.sim) == "SSx"; }, 5000));
    const int before = s.probe.state().connectedCount;
    s.sim.closeStreams();
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().connectedCount > before; }, 20000));
    std::vector<Request> stops;
    for (const Request& r : s.sim.requests())
        if (IsStop(r))
            stops.push_back(r);
    Request dial;
    const int seq = s.sim.streams().back().requestSeq;
    ASSERT_TRUE(s.sim.waitForRequest([&](const Request& r) { return r.seq == seq; }, 0, &dial));
    ASSERT_EQ(stops.size(), 1u);
    EXPECT_TRUE(stops.back().hungUpMs < 0 || dial.arrivalMs < stops.back().hungUpMs);
    EXPECT_EQ(Order(s.sim), "SSxS");
}
