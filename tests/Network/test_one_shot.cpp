// Commands, one-shot reads and multipart uploads against the simulated DVR.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "Common/DataParser.h"
#include "Network/OldQuery.h"
#include "Network/ReadDVRData.h"
#include "Network/SendCommand.h"
#include "Network/UpLoader.h"
#include "StreamProbe.h"

using namespace nettest;
using simdvr::CSimDvr;
using simdvr::Misbehaviour;
using simdvr::Request;
using simdvr::Transport;

namespace {

// Bytes that look like a reply's or a body's own structure.
QByteArray Awkward(int size) { return QByteArray("\r\n--\0\xFF\"B\xFB", 9).repeated(size / 9 + 1).left(size); }

// The payload of a reply body that is one whole packet; "none" otherwise.
QByteArray OnlyPayload(const QByteArray& body)
{
    CDataParser parser;
    QByteArray payload;
    int n = 0;
    for (bool more = parser.setReceivedData(false, body.constData(), unsigned(body.size())); more;
         more = parser.setReceivedData(false, nullptr, 0), ++n)
        payload = QByteArray(parser.getResultData().data(), qsizetype(parser.getResultData().size()));
    return n == 1 ? payload : QByteArray("none");
}

// The arguments of the one signal a spy is to see.
QList<QVariant> Once(QSignalSpy& spy, int timeoutMs = 10000)
{
    EXPECT_TRUE(WaitFor([&] { return spy.count() >= 1; }, timeoutMs));
    QTest::qWait(50);
    EXPECT_EQ(spy.count(), 1);
    return spy.isEmpty() ? QList<QVariant>{QByteArray("none"), true, QStringLiteral("none")} : spy.takeFirst();
}

QByteArray ReadOnce(CReadDVRData& reader, const DVR& dvr, const QString& query)
{
    QSignalSpy spy(&reader, &CReadDVRData::completed);
    reader.startRead(dvr, query);
    return Once(spy, 20000).at(0).toByteArray();
}

bool IsUpload(const Request& r) { return r.transport == Transport::Upload; }

Misbehaviour Reply(bool split, bool stall = false, bool drop = false)
{
    Misbehaviour m;
    m.replySplit = split, m.replyStall = stall, m.replyDrop = drop, m.splitIntervalMs = 0;
    return m;
}

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
    // A "%" in a request text is never taken for a placeholder.
    const std::pair<QString, QByteArray> cases[] = {
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
        {CgiQuery(cgi::MODE_PTZF, ptz), CgiQuery(cgi::MODE_PTZF, ptz)},
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
    cgi::Ptzf got;
    ASSERT_TRUE(sim.requests().back().userOk && sim.requests().back().message(&got));
    EXPECT_EQ(got.preset(), 5u);
}

TEST(Command, CameraNamesArriveOnceAlsoWhenTheReplyComesByteByByte)
{
    CSimDvr sim(SmallDvr());
    ASSERT_TRUE(sim.start());
    for (const bool split : {false, true}) {
        sim.setMisbehaviour(Reply(split));
        CSendCommand sender;
        QSignalSpy names(&sender, &CSendCommand::receivedCameraName);
        // Answered with a result, then the names.
        sender.send(MakeDvr(sim, false, 0xF), CgiQuery(cgi::MODE_LIVE, cgi::Live()));
        EXPECT_EQ(Once(names).at(0).value<cgi::DvrInfo>().ch_name(3), "Gate");
    }
}

TEST(Read, RepliesArriveWholeOrWithWhatCameBeforeSilence)
{
    simdvr::Config cfg;
    cfg.dvrConf = Awkward(300000);
    CSimDvr sim(cfg);
    ASSERT_TRUE(sim.start());
    const DVR dvr = MakeDvr(sim, false);
    const QString conf = CgiQuery(cgi::MODE_GET_DVR_CONF);
    CReadDVRData reader;
    reader.setIdleTimeout(400);
    EXPECT_TRUE(OnlyPayload(ReadOnce(reader, dvr, conf)) == cfg.dvrConf);
    Request r;
    ASSERT_TRUE(sim.waitForRequest([](const Request& q) { return q.transport == Transport::Get; }, 5000, &r));
    // The URL layer writes percent escapes in upper case; DVRs decode either.
    EXPECT_EQ(r.target.toLower(), ("/cgi-bin/webapp.cgi?" + conf.toLatin1()).toLower());
    EXPECT_TRUE(r.userOk && r.dataOk && r.body.isEmpty());

    // Byte by byte: whole. Silent halfway: the first half after the idle time. Closed
    // without an answer: empty.
    cfg.dvrConf = cfg.dvrConf.right(5000);
    sim.setConfig(cfg);
    sim.setMisbehaviour(Reply(true));
    EXPECT_TRUE(OnlyPayload(ReadOnce(reader, dvr, conf)) == cfg.dvrConf);
    sim.setMisbehaviour(Reply(false, true));
    const QByteArray half = ReadOnce(reader, dvr, conf);
    EXPECT_GT(half.size(), cfg.dvrConf.size() / 3);
    EXPECT_EQ(OnlyPayload(half), "none");
    sim.setMisbehaviour(Reply(false, false, true));
    EXPECT_TRUE(ReadOnce(reader, dvr, conf).isEmpty());

    // Stopped, or destroyed, while the reply is held back: nothing follows; the next read
    // is whole.
    sim.setMisbehaviour(Reply(false, true));
    sim.clearLog();
    QSignalSpy spy(&reader, &CReadDVRData::completed);
    auto* doomed = new CReadDVRData;
    reader.startRead(dvr, conf);
    doomed->startRead(dvr, conf);
    ASSERT_TRUE(sim.waitUntil([&] { return sim.requests().size() == 2; }));
    reader.stopRead();
    delete doomed;
    EXPECT_FALSE(reader.isRunning());
    QTest::qWait(600);
    EXPECT_EQ(spy.count(), 0);
    sim.setMisbehaviour(Misbehaviour());
    EXPECT_EQ(OnlyPayload(ReadOnce(reader, dvr, conf)), cfg.dvrConf);
    CReadDVRData().stopRead();
}

TEST(Upload, BodyAndHeadersArriveByteForByteFailuresAreReported)
{
    CSimDvr sim;
    ASSERT_TRUE(sim.start());
    QTemporaryDir dir;
    const QByteArray content = Awkward(300000);
    const QString path = dir.filePath(QStringLiteral("my\"conf\r\n.conf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.flush());
    // The file name is escaped; query pieces without "=" or with two are left out, an empty
    // value is kept.
    const QString conf = CgiQuery(cgi::MODE_SET_DVR_CONF), query = conf + "&&B&C=2=3&D=";
    UpLoader up;
    QSignalSpy finished(&up, &UpLoader::finished);
    up.upload(QStringLiteral("127.0.0.1"), sim.port(), query, path);
    EXPECT_EQ(Once(finished), (QList<QVariant>{false, false, QString()}));

    Request r;
    ASSERT_TRUE(sim.waitForRequest(IsUpload, 5000, &r));
    EXPECT_EQ(r.target, QByteArray("/cgi-bin/webapp.cgi"));
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("^multipart/form-data; boundary=(--[0-9]+)$"))
                                          .match(QString::fromLatin1(r.header("Content-Type")));
    ASSERT_TRUE(m.hasMatch()) << r.header("Content-Type").constData();
    const QByteArray B = m.captured(1).toLatin1();
    auto field = [&](const QByteArray& name, const QByteArray& value) {
        return "Content-Disposition: form-data; name=\"" + name + "\"\r\n\r\n" + value + "\r\n--" + B;
    };
    QByteArray expected = "--" + B + "\r\nContent-Disposition: form-data; name=\"REQ\"; filename=\"my%22conf%0D%0A.conf\"\r\n"
                          "Content-Type: application/octet-stream\r\n\r\n" + content + "\r\n--" + B + "\r\n";
    for (const QString& piece : conf.split(QLatin1Char('&')))
        expected += field(piece.section('=', 0, 0).toLatin1(), piece.section('=', 1).toLatin1()) + "\r\n";
    expected += field("D", "") + "\r\n" + field("agree", "1") + "--\r\n";
    EXPECT_TRUE(r.body == expected);
    EXPECT_EQ(r.header("Content-Length"), QByteArray::number(expected.size()));
    EXPECT_TRUE(r.userOk && r.mode == cgi::MODE_SET_DVR_CONF && r.fileData == content);
    EXPECT_EQ(r.header("User-Agent"), QByteArray("Mozilla/5.0 (Windows; U; Windows NT 5.1; ru; rv:1.9.1.3) "
                                                 "Gecko/20090824 Firefox/3.5.3 (.NET CLR 3.5.30729)"));
    EXPECT_EQ(r.header("Accept-Charset"), QByteArray("windows-1251,utf-8;q=0.7,*;q=0.7"));

    // The DVR refuses: its code's text, not a success.
    simdvr::Config cfg;
    cfg.uploadResultCode = 4;
    sim.setConfig(cfg);
    up.upload(QStringLiteral("127.0.0.1"), sim.port(), query, path);
    EXPECT_EQ(Once(finished), (QList<QVariant>{true, false, QStringLiteral("[ERROR]permission denied")}));

    // Aborted while the reply is outstanding: one finished(), aborted; destroyed in the
    // middle of an upload: nothing left behind.
    sim.setMisbehaviour(Reply(false, true));
    up.upload(QStringLiteral("127.0.0.1"), sim.port(), query, path);
    ASSERT_TRUE(sim.waitForRequest(IsUpload));
    up.abort();
    EXPECT_EQ(Once(finished), (QList<QVariant>{false, true, QString()}));
    auto* doomed = new UpLoader;
    doomed->upload(QStringLiteral("127.0.0.1"), sim.port(), query, path);
    QTest::qWait(20);
    delete doomed;
}
