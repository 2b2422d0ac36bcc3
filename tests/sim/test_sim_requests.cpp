// One-shot replies of the simulated DVR by mode, for both protocol generations.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QtEndian>

#include "test_sim_util.h"

using namespace simtest;
using simdvr::Request;

TEST(SimRequests, OneShotReadsAnswerByMode)
{
    simdvr::Config cfg = SmallConfig();
    cfg.dvrTime = 1300000000;
    cfg.calVersion = 1;
    cfg.spans.push_back({1300003630, 1300003750, 0x5, {1, 0, 3}});
    cfg.modelName = "sim-16";
    simdvr::CSimDvr dvr(cfg);
    ASSERT_TRUE(dvr.start());
    auto read = [&](const QByteArray& query, int type, bool old = false) {
        const std::vector<Packet> p = Cut(Http(dvr.port(), query), old);
        EXPECT_TRUE(p.size() == 1 && p[0].type == type) << query.constData();
        return p.empty() ? std::string() : p[0].payload.toStdString();
    };
    cgi::DvrInfo info;
    ASSERT_TRUE(info.ParseFromString(read(Query(cgi::MODE_GET_DVR_INFO), cgi::DATA_DVR_INFO)));
    EXPECT_TRUE(info.model_name() == "sim-16" && info.ch_num() == 4);
    cgi::HddInfo hdd;
    ASSERT_TRUE(hdd.ParseFromString(read(Query(cgi::MODE_GET_HDD_INFO), cgi::DATA_HDD_INFO)) && hdd.info_size() == 1);
    EXPECT_GT(hdd.info(0).total(), hdd.info(0).used());
    cgi::SysLog log;
    EXPECT_TRUE(log.ParseFromString(read(Query(cgi::MODE_GET_SYS_LOG), cgi::DATA_SYS_LOG)) && log.log_size() > 0);
    cgi::PictureControlGet pic;
    ASSERT_TRUE(pic.ParseFromString(read(Query(cgi::MODE_GET_PICTURE_CONTROL), cgi::DATA_PICTURE_CONTROL)));
    EXPECT_EQ(pic.contrast_size() + pic.vsharpness_size(), 8);
    // Wrong credentials give the result code only.
    EXPECT_EQ(read(Query(cgi::MODE_GET_DVR_CONF, cgi::NullMsg(), "0000"), cgi::DATA_RESPONSE), std::string(1, cgi::ERR_PASSWORD_MISS));

    // Search: the searched channels of the spans inside the time, and the hours they touch.
    cgi::Search search;
    search.set_chmask(0x4);
    search.set_start_time(1300000000);
    search.set_end_time(1300086400);
    cgi::CalData cal;
    ASSERT_TRUE(cal.ParseFromString(read(Query(cgi::MODE_SEARCH, search), cfg.searchDataType)));
    ASSERT_TRUE(cal.dvr_time() == 1300000000 && cal.items_size() == 1 && cal.hours_size() == 1);
    EXPECT_EQ(cal.items(0).record_chmask(), 0x4u);
    EXPECT_EQ(cal.items(0).record_reason_size(), 3);
    const cgi::CalHourItem& h = cal.hours(0);  // 08:07:10 to 08:09:10 UTC
    EXPECT_EQ(h.year() * 1000000 + h.mon() * 10000 + h.mday() * 100 + h.hour(), 2011031308u);
    search.set_start_time(1300090000);
    search.set_end_time(1300100000);
    ASSERT_TRUE(cal.ParseFromString(read(Query(cgi::MODE_SEARCH, search), cfg.searchDataType)));
    EXPECT_EQ(cal.items_size(), 0);

    // The old search: DVR time, the minutes 08:07, 08:08, 08:09 and the end record, 32 bytes each.
    const QByteArray rec = QByteArray::fromStdString(read("MODE=7&CID=12", cfg.searchDataType, true));
    ASSERT_EQ(rec.size(), 5 * 32);
    auto u32 = [&](int offset) { return qFromBigEndian<quint32>(rec.constData() + offset); };
    EXPECT_EQ(u32(0), 1300000000u);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_TRUE(u32(32 * i) == 1300003620u + 60 * (i - 1) && u32(32 * i + 4) - u32(32 * i) == 59) << i;
        EXPECT_TRUE(u32(32 * i + 12) == 0x5 && rec[32 * i + 16] == 0 && rec[32 * i + 18] == 2) << i;  // kinds 1 and 3
    }
    EXPECT_TRUE((u32(128) & u32(132)) == 0xFFFFFFFF && u32(140) == 255);
    // The old information page, or its refusal; other paths and garbage get nothing.
    EXPECT_TRUE(QString::fromLatin1(Http(dvr.port(), "MODE=6&ID=admin&PW=1234&OP=17"))
                    .contains(QRegularExpression("HDD([0-9])\\s:\\sused\\s([0-9]+)MB\\s-\\sfree\\s([0-9]+)MB")));
    EXPECT_EQ(read("MODE=6&ID=admin&PW=bad&OP=17", 1, true), std::string(1, 2));
    EXPECT_TRUE(Raw(dvr.port(), "GET /index.html HTTP/1.1\r\nHost: x\r\n\r\n", 3000).startsWith("HTTP/1.1 404"));
    EXPECT_TRUE(Raw(dvr.port(), "HELLO\r\n\r\n", 3000).isEmpty());
}

namespace {

QByteArray GetRequest(cgi::Mode mode)
{
    return "GET /cgi-bin/webapp.cgi?" + Query(mode) + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
}

simdvr::Misbehaviour HoldEvery(int ms)
{
    simdvr::Misbehaviour m;
    m.holdRequests = -1;
    m.holdMs = ms;
    return m;
}

// Holds every request until released and sends one GET; true once the DVR holds it.
bool HoldOneGet(simdvr::CSimDvr& dvr, Client& held)
{
    dvr.setMisbehaviour(HoldEvery(-1));
    return held.open(dvr.port(), GetRequest(cgi::MODE_GET_DVR_INFO))
           && dvr.waitUntil([&] { return dvr.heldRequests() == 1; });
}

QByteArray StopRequest(int clientId)
{
    cgi::StreamStop stop;
    stop.set_stream_id(uint32_t(clientId));
    return "GET /cgi-bin/webapp.cgi?" + Query(cgi::MODE_STREAM_STOP, stop) + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
}

QByteArray LiveStream()
{
    cgi::Live live;
    live.set_vchmask(0x1);
    return Query(cgi::MODE_LIVE, live);
}

}  // namespace

TEST(SimRequests, HoldingEveryRequestHoldsEachOneThatArrives)
{
    simdvr::CSimDvr dvr(SmallConfig());
    ASSERT_TRUE(dvr.start());
    dvr.setMisbehaviour(HoldEvery(60000));
    Client clients[3];
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(clients[i].open(dvr.port(), GetRequest(cgi::MODE_GET_DVR_INFO)));
        EXPECT_TRUE(dvr.waitUntil([&] { return dvr.heldRequests() == i + 1; })) << i;
    }
}

TEST(SimRequests, AHeldRequestIsLoggedAtItsArrival)
{
    simdvr::CSimDvr dvr(SmallConfig());
    ASSERT_TRUE(dvr.start());
    dvr.setMisbehaviour(HoldEvery(60000));
    Client held;
    ASSERT_TRUE(held.open(dvr.port(), GetRequest(cgi::MODE_GET_DVR_INFO)));
    Request get;
    ASSERT_TRUE(dvr.waitForRequest([](const Request& r) { return r.transport == simdvr::Transport::Get; }, 5000, &get));
    EXPECT_EQ(dvr.heldRequests(), 1);
    const qint64 between = simdvr::CSimDvr::nowMs();
    Client stream;
    ASSERT_TRUE(stream.open(dvr.port(), LiveStream()));
    ASSERT_TRUE(dvr.waitForStreams(1));
    const std::vector<Request> log = dvr.requests();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].transport, simdvr::Transport::Get);
    EXPECT_LT(log[0].seq, log[1].seq);
    EXPECT_LE(get.arrivalMs, between);
    EXPECT_GE(log[1].arrivalMs, between);
}

// A DVR that reuses client ids at once: a stop that comes in before a new stream but is
// carried out after it ends the new one.
TEST(SimRequests, AHeldStopEndsTheStreamThatCameInDuringItsHold)
{
    simdvr::Config cfg = SmallConfig();
    cfg.reuseClientId = true;
    simdvr::CSimDvr dvr(cfg);
    ASSERT_TRUE(dvr.start());
    Client before, after, stop;
    ASSERT_TRUE(before.open(dvr.port(), LiveStream()));
    ASSERT_TRUE(dvr.waitForStreams(1));
    simdvr::Misbehaviour m = HoldEvery(2000);  // ample for the next stream to come in
    m.holdRequests = 1;
    dvr.setMisbehaviour(m);
    ASSERT_TRUE(stop.open(dvr.port(), StopRequest(cfg.firstClientId)));
    ASSERT_TRUE(dvr.waitUntil([&] { return dvr.heldRequests() == 1; }));
    EXPECT_FALSE(dvr.stream(1).stopped);
    ASSERT_TRUE(after.open(dvr.port(), LiveStream()));
    ASSERT_TRUE(dvr.waitForStreams(2));
    ASSERT_TRUE(dvr.waitUntil([&] { return !dvr.stream(2).open; }));
    EXPECT_TRUE(dvr.stream(2).stopped);
    EXPECT_TRUE(dvr.stream(1).open);
}

namespace {

simdvr::Misbehaviour LateStops(int ms)
{
    simdvr::Misbehaviour m;
    m.stopDelayMs = ms;
    return m;
}

QByteArray OldStopPost(int clientId)
{
    const QByteArray body = "MODE=5&CID=" + QByteArray::number(clientId) + "&OP=5";
    return "POST /cgi-bin/webapp.cgi HTTP/1.1\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

// Starts the DVR and a live stream from it, then sends the stream's stop, which the DVR
// holds under `m`.
void HoldStopOfAStream(simdvr::CSimDvr& dvr, Client& stream, Client& stop, const simdvr::Misbehaviour& m)
{
    const bool old = dvr.config().oldProtocol;
    ASSERT_TRUE(dvr.start());
    ASSERT_TRUE(stream.open(dvr.port(), old ? QByteArray("MODE=0&ID=admin&PW=1234&VER=3000&CH=1") : LiveStream()));
    ASSERT_TRUE(dvr.waitForStreams(1));
    dvr.setMisbehaviour(m);
    const int id = dvr.stream(1).clientId;
    ASSERT_TRUE(stop.open(dvr.port(), old ? OldStopPost(id) : StopRequest(id)));
    ASSERT_TRUE(dvr.waitUntil([&] { return dvr.heldRequests() == 1; }));
}

}  // namespace

TEST(SimRequests, AHeldStopIsCarriedOutAfterItsClientHungUp)
{
    simdvr::CSimDvr dvr(SmallConfig());
    Client stream, stop;
    ASSERT_NO_FATAL_FAILURE(HoldStopOfAStream(dvr, stream, stop, HoldEvery(300)));
    stop.sock.abort();
    EXPECT_TRUE(dvr.waitUntil([&] { return dvr.stream(1).stopped; }));
    EXPECT_EQ(dvr.heldRequests(), 0);
}

TEST(SimRequests, ALateStopHoldsOnlyStopsWhileOtherCommandsAreAnsweredAtOnce)
{
    simdvr::CSimDvr dvr(SmallConfig());
    Client stream, stop;
    ASSERT_NO_FATAL_FAILURE(HoldStopOfAStream(dvr, stream, stop, LateStops(60000)));
    const std::vector<Packet> info = Cut(Http(dvr.port(), Query(cgi::MODE_GET_DVR_INFO)));
    ASSERT_EQ(info.size(), 1u);
    EXPECT_EQ(info[0].type, cgi::DATA_DVR_INFO);
    EXPECT_FALSE(dvr.stream(1).stopped);
    EXPECT_EQ(dvr.heldRequests(), 1);
}

TEST(SimRequests, AnOldDvrsLateStopIsCarriedOutAfterItsDelayThoughItsClientHungUp)
{
    simdvr::CSimDvr dvr(SmallConfig(true));
    Client stream(true), stop;
    ASSERT_NO_FATAL_FAILURE(HoldStopOfAStream(dvr, stream, stop, LateStops(300)));
    stop.sock.abort();
    ASSERT_TRUE(dvr.waitUntil([&] { return dvr.stream(1).stopped; }));
    Request carried;
    ASSERT_TRUE(dvr.waitForRequest(
        [](const Request& r) { return r.transport == simdvr::Transport::Post && r.answeredMs >= 0; }, 5000, &carried));
    EXPECT_GE(carried.answeredMs - carried.arrivalMs, 300);
}

TEST(SimRequests, AnUnansweredStopIsCarriedOutAndItsConnectionGetsNoByte)
{
    simdvr::CSimDvr dvr(SmallConfig());
    Client stream, stop;
    simdvr::Misbehaviour m = LateStops(300);
    m.stopsUnanswered = true;
    ASSERT_NO_FATAL_FAILURE(HoldStopOfAStream(dvr, stream, stop, m));
    ASSERT_TRUE(dvr.waitUntil([&] { return dvr.stream(1).stopped; }));
    Request carried;
    ASSERT_TRUE(dvr.waitForRequest([](const Request& r) { return r.carriedOutMs >= 0; }, 5000, &carried));
    EXPECT_EQ(carried.answeredMs, -1);
    EXPECT_FALSE(stop.sock.waitForReadyRead(500));
    EXPECT_EQ(stop.sock.state(), QAbstractSocket::ConnectedState);
}

TEST(SimRequests, AStopHeldWithoutADelayWaitsForItsRelease)
{
    simdvr::CSimDvr dvr(SmallConfig());
    Client stream, stop;
    ASSERT_NO_FATAL_FAILURE(HoldStopOfAStream(dvr, stream, stop, LateStops(-1)));
    EXPECT_FALSE(dvr.waitUntil([&] { return dvr.stream(1).stopped; }, 500));
    dvr.releaseHeld();
    EXPECT_TRUE(dvr.waitUntil([&] { return dvr.stream(1).stopped; }));
}

TEST(SimRequests, RefusingClosesEveryConnectionAndRefusesDials)
{
    simdvr::CSimDvr dvr(SmallConfig());
    ASSERT_TRUE(dvr.start());
    Client stream;
    ASSERT_TRUE(stream.open(dvr.port(), LiveStream()));
    ASSERT_TRUE(dvr.waitForStreams(1));
    dvr.setMisbehaviour(HoldEvery(60000));
    Client oneShot;
    ASSERT_TRUE(oneShot.open(dvr.port(), GetRequest(cgi::MODE_GET_DVR_INFO)));
    ASSERT_TRUE(dvr.waitUntil([&] { return dvr.heldRequests() == 1; }));

    dvr.setRefusing(true);
    stream.readUntil([] { return false; });
    EXPECT_TRUE(stream.closed);
    oneShot.readUntil([] { return false; });
    EXPECT_TRUE(oneShot.closed);
    EXPECT_TRUE(oneShot.raw.isEmpty());
    EXPECT_TRUE(dvr.waitUntil([&] { return !dvr.stream(1).open; }));
    EXPECT_TRUE(dvr.stream(1).closedBySim);
    QTcpSocket dial;
    dial.connectToHost(QStringLiteral("127.0.0.1"), dvr.port());
    EXPECT_FALSE(dial.waitForConnected(5000));
    EXPECT_EQ(dial.error(), QAbstractSocket::ConnectionRefusedError);
}

TEST(SimRequests, AfterRefusingTheDvrAnswersAgainOnTheSamePort)
{
    simdvr::CSimDvr dvr(SmallConfig());
    ASSERT_TRUE(dvr.start());
    const uint16_t port = dvr.port();
    dvr.setRefusing(true);
    dvr.setRefusing(false);
    EXPECT_EQ(dvr.port(), port);
    const std::vector<Packet> reply = Cut(Http(port, Query(cgi::MODE_GET_DVR_INFO)));
    ASSERT_EQ(reply.size(), 1u);
    EXPECT_EQ(reply[0].type, cgi::DATA_DVR_INFO);
}

TEST(SimRequests, AHeldRequestIsAnsweredAfterItsHold)
{
    simdvr::CSimDvr dvr(SmallConfig());
    ASSERT_TRUE(dvr.start());
    dvr.setMisbehaviour(HoldEvery(300));
    Client held;
    ASSERT_TRUE(held.open(dvr.port(), GetRequest(cgi::MODE_GET_DVR_INFO)));
    Request get;
    ASSERT_TRUE(dvr.waitForRequest([](const Request& r) { return r.answeredMs >= 0; }, 5000, &get));
    EXPECT_GE(get.answeredMs - get.arrivalMs, 300);
}

TEST(SimRequests, ARequestHeldUntilReleasedIsAnsweredOnItsRelease)
{
    simdvr::CSimDvr dvr(SmallConfig());
    ASSERT_TRUE(dvr.start());
    Client held;
    ASSERT_TRUE(HoldOneGet(dvr, held));
    dvr.releaseHeld();
    EXPECT_EQ(dvr.heldRequests(), 0);
    held.readUntil([] { return false; });
    const std::vector<Packet> reply = Cut(held.raw.mid(held.raw.indexOf("\r\n\r\n") + 4));
    ASSERT_EQ(reply.size(), 1u);
    EXPECT_EQ(reply[0].type, cgi::DATA_DVR_INFO);
}

TEST(SimRequests, AHeldRequestLogsWhenItsClientHungUp)
{
    simdvr::CSimDvr dvr(SmallConfig());
    ASSERT_TRUE(dvr.start());
    Client held;
    ASSERT_TRUE(HoldOneGet(dvr, held));
    EXPECT_EQ(dvr.requests().at(0).hungUpMs, -1);
    held.sock.abort();
    Request get;
    ASSERT_TRUE(dvr.waitForRequest([](const Request& r) { return r.hungUpMs >= 0; }, 5000, &get));
    EXPECT_EQ(get.answeredMs, -1);
    dvr.releaseHeld();
    EXPECT_GE(dvr.requests().at(0).answeredMs, get.hungUpMs);
}

TEST(SimRequests, ACommandReplyLedByStatusPacketsStallsAfterTheWholePacketsAsked)
{
    simdvr::CSimDvr dvr(SmallConfig());
    ASSERT_TRUE(dvr.start());
    simdvr::Misbehaviour m;
    m.replyStall = true;
    m.replyLeadPackets = 2;
    m.replyStallAfterPackets = 3;
    dvr.setMisbehaviour(m);
    const QByteArray body = Query(cgi::MODE_LIVE, cgi::Live());
    const QByteArray reply = Raw(dvr.port(), "POST /cgi-bin/webapp.cgi HTTP/1.1\r\nContent-Length: " +
                                                 QByteArray::number(body.size()) + "\r\n\r\n" + body, 1000);
    const std::vector<Packet> p = Cut(reply.mid(reply.indexOf("\r\n\r\n") + 4));
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].type, cgi::DATA_LIVE_STATUS);
    EXPECT_EQ(p[1].type, cgi::DATA_LIVE_STATUS);
    EXPECT_EQ(p[2].type, cgi::DATA_RESPONSE);
}
