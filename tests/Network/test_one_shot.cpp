// Commands and one-shot reads against the simulated DVR.

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "Common/DataParser.h"
#include "Network/OldQuery.h"
#include "Network/ReadDVRData.h"
#include "Network/SendCommand.h"
#include "StreamProbe.h"
#include "dvr_protocol/cgi_protocol.h"

using namespace nettest;
using simdvr::CSimDvr;
using simdvr::Misbehaviour;
using simdvr::Request;
using simdvr::Transport;

namespace {

QString Query(cgi::Mode mode, const google::protobuf::MessageLite& data)
{
    cgi::User user;
    user.set_name("admin");
    user.set_password("1234");
    std::string q;
    cgi::Data2Url(mode, user, data, &q);
    return QString::fromStdString(q);
}

// Type and payload of every packet of a reply body.
std::vector<std::pair<int, QByteArray>> Packets(const QByteArray& body)
{
    std::vector<std::pair<int, QByteArray>> out;
    CDataParser parser;
    const char* data = body.constData();
    unsigned int size = unsigned(body.size());
    while (parser.setReceivedData(false, data, size)) {
        data = nullptr;
        size = 0;
        const std::vector<char>& p = parser.getResultData();
        out.emplace_back(parser.getDataType(), QByteArray(p.data(), qsizetype(p.size())));
    }
    return out;
}

// Reads once and returns the body handed over; exactly one completed() is expected.
QByteArray ReadOnce(CReadDVRData& reader, const DVR& dvr, const QString& query)
{
    QSignalSpy spy(&reader, &CReadDVRData::completed);
    reader.startRead(dvr, query);
    EXPECT_TRUE(WaitFor([&] { return spy.count() >= 1; }, 20000));
    QTest::qWait(50);
    EXPECT_EQ(spy.count(), 1);
    return spy.isEmpty() ? QByteArray() : spy.takeFirst().at(0).toByteArray();
}

bool IsGet(const Request& r) { return r.transport == Transport::Get; }

}  // namespace

TEST(Command, QueriesArePostedAsFormsForBothGenerations)
{
    CSimDvr sim;
    ASSERT_TRUE(sim.start());
    const DVR dvr = MakeDvr(sim, false);
    CSendCommand sender;
    cgi::Ptzf ptz;
    ptz.set_cmd(cgi::Ptzf::CMD_PRESET_GO);
    ptz.set_preset(5);

    // The old-protocol texts exactly as such a DVR expects them; a "%" in a request text
    // is never taken for a placeholder.
    const std::pair<QString, QByteArray> cases[] = {
        {COldQuery::StreamStop(7), "MODE=5&CID=7&OP=5"},
        {COldQuery::Record(7), "MODE=5&CID=7&OP=11"},
        {COldQuery::StreamChannel(107, 0xF0A0), "MODE=5&CID=107&OP=3&CH=f0a0"},
        {COldQuery::EMapChannel(7, 0), "MODE=5&CID=7&OP=6&CH=0"},
        {COldQuery::PbButton(7, QLatin1Char('4')), "MODE=5&CID=7&OP=8&LEN=1&REQ=4"},
        {COldQuery::Ptz(7, 3, QStringLiteral("UP%20")), "MODE=5&CID=7&OP=7&CH=3&LEN=5&REQ=UP%20"},
        {COldQuery::Relay(7, QStringLiteral("10")), "MODE=5&CID=7&OP=20&LEN=2&REQ=10"},
        {COldQuery::SetClock(dvr, QStringLiteral("230102030405")), "MODE=5&OP=19&ID=admin&PW=1234&LEN=12&REQ=230102030405"},
        {COldQuery::Reset(dvr), "MODE=5&ID=admin&PW=1234&OP=18"},
        {COldQuery::ReadInfo(dvr), "MODE=6&ID=admin&PW=1234&OP=17"},
        {COldQuery::Search(7), "MODE=7&CID=7"},
        {Query(cgi::MODE_PTZF, ptz), Query(cgi::MODE_PTZF, ptz).toLatin1()},
    };
    for (const auto& [query, expected] : cases) {
        SCOPED_TRACE(expected.constData());
        sim.clearLog();
        sender.send(dvr, query);
        Request r;
        ASSERT_TRUE(sim.waitForRequest([](const Request& q) { return q.transport == Transport::Post; }, 5000, &r));
        EXPECT_EQ(r.body, expected);
        EXPECT_EQ(r.target, QByteArray("/cgi-bin/webapp.cgi?"));
        EXPECT_EQ(r.header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
        EXPECT_EQ(r.header("Content-Length"), QByteArray::number(expected.size()));
    }
    Request r = sim.requests().back();
    cgi::Ptzf got;
    ASSERT_TRUE(r.userOk && r.dataOk && r.message(&got));
    EXPECT_EQ(got.preset(), 5u);
}

TEST(Command, CameraNamesArriveOnceAlsoWhenTheReplyComesByteByByte)
{
    simdvr::Config cfg;
    cfg.channels = 4;
    cfg.channelNames = {QStringLiteral("Door"), QStringLiteral("Yard"), QStringLiteral("Hall"), QStringLiteral("Gate")};
    CSimDvr sim(cfg);
    ASSERT_TRUE(sim.start());
    const DVR dvr = MakeDvr(sim, false, 0xF);

    for (const bool split : {false, true}) {
        Misbehaviour m;
        m.replySplit = split;
        m.splitIntervalMs = 0;
        sim.setMisbehaviour(m);
        CSendCommand sender;
        QSignalSpy names(&sender, &CSendCommand::receivedCameraName);
        sender.send(dvr, Query(cgi::MODE_LIVE, cgi::Live()));  // answered with a result, then the names
        ASSERT_TRUE(WaitFor([&] { return names.count() >= 1; }));
        QTest::qWait(100);
        ASSERT_EQ(names.count(), 1) << split;
        EXPECT_EQ(names.takeFirst().at(0).value<cgi::DvrInfo>().ch_name(3), "Gate");
    }

    CSendCommand sender;
    QSignalSpy names(&sender, &CSendCommand::receivedCameraName);
    sender.send(dvr, Query(cgi::MODE_RESET_DVR, cgi::NullMsg()));
    ASSERT_TRUE(sim.waitForRequest([](const Request& q) { return q.mode == cgi::MODE_RESET_DVR; }));
    QTest::qWait(200);
    EXPECT_EQ(names.count(), 0);
}

TEST(Read, RepliesArriveWholeByteForByte)
{
    simdvr::Config cfg;
    cfg.dvrConf = QByteArray(300000, '\0');
    for (int i = 0; i < cfg.dvrConf.size(); ++i)
        cfg.dvrConf[i] = char(i * 7 + (i >> 11));
    cfg.hddInfo.add_info()->set_total(1000);
    CSimDvr sim(cfg);
    ASSERT_TRUE(sim.start());
    const DVR dvr = MakeDvr(sim, false);
    const QString conf = Query(cgi::MODE_GET_DVR_CONF, cgi::NullMsg());
    CReadDVRData reader;

    auto packets = Packets(ReadOnce(reader, dvr, conf));
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0].first, int(cgi::DATA_DVR_CONF));
    EXPECT_TRUE(packets[0].second == cfg.dvrConf);
    Request r;
    ASSERT_TRUE(sim.waitForRequest(IsGet, 5000, &r));
    // The URL layer writes percent escapes in upper case; DVRs decode either.
    EXPECT_EQ(r.target.toLower(), ("/cgi-bin/webapp.cgi?" + conf.toLatin1()).toLower());
    EXPECT_TRUE(r.userOk && r.dataOk && r.body.isEmpty());

    // A reused reader starts a fresh body.
    packets = Packets(ReadOnce(reader, dvr, Query(cgi::MODE_GET_HDD_INFO, cgi::NullMsg())));
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0].second.toStdString(), cfg.hddInfo.SerializeAsString());

    // Byte by byte.
    Misbehaviour m;
    m.replySplit = true;
    m.splitIntervalMs = 0;
    sim.setMisbehaviour(m);
    cfg.dvrConf = cfg.dvrConf.right(5000);
    sim.setConfig(cfg);
    packets = Packets(ReadOnce(reader, dvr, conf));
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_TRUE(packets[0].second == cfg.dvrConf);

    // An old DVR's information page is taken as it comes.
    cfg.oldProtocol = true;
    cfg.oldInfoPage = QByteArray("<html>HDD1 : 1000 MB\r\n\x01\xFF</html>");
    sim.setConfig(cfg);
    sim.setMisbehaviour(Misbehaviour());
    EXPECT_EQ(ReadOnce(reader, dvr, COldQuery::ReadInfo(dvr)), cfg.oldInfoPage);
}

TEST(Read, SilentDroppedAndStoppedReads)
{
    simdvr::Config cfg;
    cfg.dvrConf = QByteArray(4000, 'c');
    CSimDvr sim(cfg);
    ASSERT_TRUE(sim.start());
    const DVR dvr = MakeDvr(sim, false);
    const QString query = Query(cgi::MODE_GET_DVR_CONF, cgi::NullMsg());
    Misbehaviour stall;
    stall.replyStall = true;
    Misbehaviour drop;
    drop.replyDrop = true;

    // Silent halfway: completes with the first half after the idle time.
    sim.setMisbehaviour(stall);
    CReadDVRData reader;
    reader.setIdleTimeout(400);
    const QByteArray half = ReadOnce(reader, dvr, query);
    EXPECT_GT(half.size(), 0);
    EXPECT_TRUE(Packets(half).empty());

    // Closed without an answer: completes empty.
    sim.setMisbehaviour(drop);
    EXPECT_TRUE(ReadOnce(reader, dvr, query).isEmpty());

    // Stopped: nothing follows; the next read is whole.
    sim.setMisbehaviour(stall);
    sim.clearLog();
    QSignalSpy spy(&reader, &CReadDVRData::completed);
    reader.startRead(dvr, query);
    ASSERT_TRUE(sim.waitForRequest(IsGet));
    reader.stopRead();
    EXPECT_FALSE(reader.isRunning());
    QTest::qWait(600);
    EXPECT_EQ(spy.count(), 0);
    sim.setMisbehaviour(Misbehaviour());
    const auto packets = Packets(ReadOnce(reader, dvr, query));
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0].second, cfg.dvrConf);

    // Destroyed while running, or never started.
    sim.setMisbehaviour(stall);
    auto* running = new CReadDVRData;
    running->startRead(dvr, query);
    QTest::qWait(50);
    delete running;
    CReadDVRData idle;
    idle.stopRead();
}
