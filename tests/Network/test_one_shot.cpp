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

cgi::User Admin()
{
    cgi::User u;
    u.set_name("admin");
    u.set_password("1234");
    return u;
}

QString Query(cgi::Mode mode, const google::protobuf::MessageLite& data)
{
    std::string q;
    cgi::Data2Url(mode, Admin(), data, &q);
    return QString::fromStdString(q);
}

struct Packet {
    int type;
    QByteArray payload;
};

std::vector<Packet> Packets(const QByteArray& body, bool old)
{
    std::vector<Packet> out;
    CDataParser parser;
    const char* data = body.constData();
    unsigned int size = unsigned(body.size());
    while (parser.setReceivedData(old, data, size)) {
        data = nullptr;
        size = 0;
        const std::vector<char>& p = parser.getResultData();
        out.push_back({parser.getDataType(), QByteArray(p.data(), qsizetype(p.size()))});
    }
    return out;
}

// Reads once and returns the body handed over (fails the test when none comes).
QByteArray ReadOnce(CReadDVRData& reader, const DVR& dvr, const QString& query, int timeoutMs = 5000)
{
    QSignalSpy spy(&reader, &CReadDVRData::completed);
    reader.startRead(dvr, query);
    EXPECT_TRUE(WaitFor([&] { return spy.count() >= 1; }, timeoutMs));
    if (spy.isEmpty())
        return QByteArray();
    QTest::qWait(50);
    EXPECT_EQ(spy.count(), 1);
    return spy.takeFirst().at(0).toByteArray();
}

}  // namespace

TEST(Command, QueriesArePostedAsFormsForBothGenerations)
{
    CSimDvr sim;
    ASSERT_TRUE(sim.start());
    DVR dvr = MakeDvr(sim, false);
    CSendCommand sender;

    cgi::Ptzf ptz;
    ptz.set_cmd(cgi::Ptzf::CMD_PRESET_GO);
    ptz.set_channel(2);
    ptz.set_preset(5);

    // The old-protocol texts, as a DVR on that protocol expects them.
    struct Case {
        QString query;
        QByteArray expected;
    };
    const Case olds[] = {
        {COldQuery::StreamStop(7), "MODE=5&CID=7&OP=5"},
        {COldQuery::Record(7), "MODE=5&CID=7&OP=11"},
        {COldQuery::StreamChannel(107, 0xF0A0), "MODE=5&CID=107&OP=3&CH=f0a0"},
        {COldQuery::EMapChannel(7, 0), "MODE=5&CID=7&OP=6&CH=0"},
        {COldQuery::PbButton(7, QLatin1Char('4')), "MODE=5&CID=7&OP=8&LEN=1&REQ=4"},
        {COldQuery::Ptz(7, 3, QStringLiteral("UP%20")), "MODE=5&CID=7&OP=7&CH=3&LEN=5&REQ=UP%20"},
        {COldQuery::Relay(7, QStringLiteral("10")), "MODE=5&CID=7&OP=20&LEN=2&REQ=10"},
        {COldQuery::SetClock(dvr, QStringLiteral("230102030405")),
         "MODE=5&OP=19&ID=admin&PW=1234&LEN=12&REQ=230102030405"},
        {COldQuery::Reset(dvr), "MODE=5&ID=admin&PW=1234&OP=18"},
        {COldQuery::ReadInfo(dvr), "MODE=6&ID=admin&PW=1234&OP=17"},
        {COldQuery::Search(7), "MODE=7&CID=7"},
    };
    for (const Case& c : olds) {
        SCOPED_TRACE(c.expected.constData());
        EXPECT_EQ(c.query.toLatin1(), c.expected);
        sim.clearLog();
        sender.send(dvr, c.query);
        Request r;
        ASSERT_TRUE(sim.waitForRequest([](const Request& q) { return q.transport == Transport::Post; }, 5000, &r));
        EXPECT_EQ(r.body, c.expected);
        EXPECT_TRUE(r.oldProtocol);
        EXPECT_EQ(r.mode, c.expected.mid(5, 1).toInt());
    }
    sim.clearLog();
    sender.send(dvr, Query(cgi::MODE_PTZF, ptz));
    Request r;
    ASSERT_TRUE(sim.waitForRequest([](const Request& q) { return q.transport == Transport::Post; }, 5000, &r));
    EXPECT_EQ(r.method, QByteArray("POST"));
    EXPECT_EQ(r.target, QByteArray("/cgi-bin/webapp.cgi?"));
    EXPECT_EQ(r.version, QByteArray("HTTP/1.1"));
    EXPECT_EQ(r.header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
    EXPECT_EQ(r.header("Content-Length"), QByteArray::number(r.body.size()));
    EXPECT_EQ(r.body, Query(cgi::MODE_PTZF, ptz).toLatin1());
    ASSERT_TRUE(r.userOk && r.dataOk);
    cgi::Ptzf got;
    ASSERT_TRUE(r.message(&got));
    EXPECT_EQ(got.cmd(), cgi::Ptzf::CMD_PRESET_GO);
    EXPECT_EQ(got.preset(), 5u);
}

TEST(Command, CameraNamesArriveOnceAlsoWhenTheReplyComesByteByByte)
{
    simdvr::Config cfg;
    cfg.channels = 4;
    cfg.channelNames = {QStringLiteral("Door"), QStringLiteral("Yard"), QStringLiteral("Hall"),
                        QStringLiteral("Gate")};
    CSimDvr sim(cfg);
    ASSERT_TRUE(sim.start());
    DVR dvr = MakeDvr(sim, false, 0xF);
    cgi::Live live;
    live.set_vchmask(0xF);

    for (const bool split : {false, true}) {
        SCOPED_TRACE(split ? "split" : "whole");
        Misbehaviour m;
        m.replySplit = split;
        m.splitIntervalMs = 0;
        sim.setMisbehaviour(m);
        CSendCommand sender;
        QSignalSpy names(&sender, &CSendCommand::receivedCameraName);
        sender.send(dvr, Query(cgi::MODE_LIVE, live));
        ASSERT_TRUE(WaitFor([&] { return names.count() >= 1; }));
        QTest::qWait(100);
        ASSERT_EQ(names.count(), 1);
        const cgi::DvrInfo info = names.takeFirst().at(0).value<cgi::DvrInfo>();
        ASSERT_EQ(info.ch_name_size(), 4);
        EXPECT_EQ(info.ch_name(3), "Gate");
    }

    // A reply without DVR information gives nothing.
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
    cgi::HddInfo_Info* disk = cfg.hddInfo.add_info();
    disk->set_total(1000);
    disk->set_used(250);
    CSimDvr sim(cfg);
    ASSERT_TRUE(sim.start());
    DVR dvr = MakeDvr(sim, false);

    for (const bool split : {false, true}) {
        SCOPED_TRACE(split ? "split" : "whole");
        Misbehaviour m;
        m.replySplit = split;
        m.splitIntervalMs = 0;
        sim.setMisbehaviour(m);
        if (split) {  // byte by byte: a smaller configuration will do
            cfg.dvrConf = cfg.dvrConf.right(5000);
            sim.setConfig(cfg);
        }
        CReadDVRData reader;

        // The configuration: a large payload, byte for byte.
        const QString confQuery = Query(cgi::MODE_GET_DVR_CONF, cgi::NullMsg());
        sim.clearLog();
        const QByteArray body = ReadOnce(reader, dvr, confQuery, 20000);
        const std::vector<Packet> packets = Packets(body, false);
        ASSERT_EQ(packets.size(), 1u);
        EXPECT_EQ(packets[0].type, int(cgi::DATA_DVR_CONF));
        EXPECT_TRUE(packets[0].payload == cfg.dvrConf);
        Request r;
        ASSERT_TRUE(sim.waitForRequest([](const Request& q) { return q.transport == Transport::Get; }, 5000, &r));
        // The URL layer writes percent escapes in upper case; DVRs decode either.
        EXPECT_EQ(r.target.toLower(), ("/cgi-bin/webapp.cgi?" + confQuery.toLatin1()).toLower());
        EXPECT_EQ(r.mode, int(cgi::MODE_GET_DVR_CONF));
        EXPECT_TRUE(r.userOk && r.dataOk);
        EXPECT_TRUE(r.body.isEmpty());
        sim.clearLog();

        if (split)
            continue;
        // A reused reader starts a fresh body.
        const std::vector<Packet> hdd = Packets(ReadOnce(reader, dvr, Query(cgi::MODE_GET_HDD_INFO, cgi::NullMsg())), false);
        ASSERT_EQ(hdd.size(), 1u);
        EXPECT_EQ(hdd[0].type, int(cgi::DATA_HDD_INFO));
        EXPECT_EQ(hdd[0].payload.toStdString(), cfg.hddInfo.SerializeAsString());
    }
}

TEST(Read, OldProtocolInformationPage)
{
    simdvr::Config cfg;
    cfg.oldProtocol = true;
    cfg.oldInfoPage = QByteArray("<html>HDD1 : 1000 MB / 2000 MB\r\n\x01\xFF</html>");
    CSimDvr sim(cfg);
    ASSERT_TRUE(sim.start());
    DVR dvr = MakeDvr(sim, true);
    CReadDVRData reader;
    EXPECT_EQ(ReadOnce(reader, dvr, COldQuery::ReadInfo(dvr)), cfg.oldInfoPage);
}

TEST(Read, SilentDroppedAndStoppedReads)
{
    simdvr::Config cfg;
    cfg.dvrConf = QByteArray(4000, 'c');
    CSimDvr sim(cfg);
    ASSERT_TRUE(sim.start());
    DVR dvr = MakeDvr(sim, false);
    const QString query = Query(cgi::MODE_GET_DVR_CONF, cgi::NullMsg());
    Misbehaviour m;

    {  // the DVR falls silent halfway: the read completes with the first half
        m.replyStall = true;
        sim.setMisbehaviour(m);
        CReadDVRData reader;
        reader.setIdleTimeout(400);
        const QByteArray body = ReadOnce(reader, dvr, query);
        EXPECT_GT(body.size(), 0);
        EXPECT_LT(body.size(), 4014);
        EXPECT_TRUE(Packets(body, false).empty());
        EXPECT_FALSE(reader.isRunning());
    }
    {  // closed without an answer: completes empty
        m = Misbehaviour();
        m.replyDrop = true;
        sim.setMisbehaviour(m);
        CReadDVRData reader;
        EXPECT_TRUE(ReadOnce(reader, dvr, query).isEmpty());
    }
    {  // stopped: nothing follows, and the next read is whole
        m = Misbehaviour();
        m.replyStall = true;
        sim.setMisbehaviour(m);
        CReadDVRData reader;
        QSignalSpy spy(&reader, &CReadDVRData::completed);
        reader.startRead(dvr, query);
        ASSERT_TRUE(sim.waitForRequest([](const Request& q) { return q.transport == Transport::Get; }));
        QTest::qWait(100);
        reader.stopRead();
        EXPECT_FALSE(reader.isRunning());
        QTest::qWait(200);
        EXPECT_EQ(spy.count(), 0);

        sim.setMisbehaviour(Misbehaviour());
        const std::vector<Packet> packets = Packets(ReadOnce(reader, dvr, query), false);
        ASSERT_EQ(packets.size(), 1u);
        EXPECT_EQ(packets[0].payload, cfg.dvrConf);

        // Destroyed while running: silent, nothing left behind.
        sim.setMisbehaviour(m);
        auto* running = new CReadDVRData;
        running->startRead(dvr, query);
        QTest::qWait(50);
        delete running;
    }
    {  // never started
        CReadDVRData reader;
        reader.stopRead();
        EXPECT_FALSE(reader.isRunning());
    }
}
