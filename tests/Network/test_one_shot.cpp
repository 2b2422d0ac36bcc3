// Commands, one-shot reads and multipart uploads against the simulated DVR.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "Network/OldQuery.h"
#include "Network/ReadDVRData.h"
#include "Network/SendCommand.h"
#include "Network/UpLoader.h"
#include "StreamProbe.h"
#include "support/FifoSupport.h"

using namespace nettest;
using simdvr::CSimDvr;
using simdvr::Misbehaviour;
using simdvr::Request;
using simdvr::Transport;

namespace {

// Bytes that look like a reply's or a body's own structure.
QByteArray Awkward(int size) { return QByteArray("\r\n--\0\xFF\"B\xFB", 9).repeated(size / 9 + 1).left(size); }

// The arguments of the one signal a spy is to see.
QList<QVariant> Once(QSignalSpy& spy, int timeoutMs = 10000)
{
    EXPECT_TRUE(QTest::qWaitFor([&] { return spy.count() >= 1; }, timeoutMs));
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
    std::tie(m.replySplit, m.replyStall, m.replyDrop, m.splitIntervalMs) = std::make_tuple(split, stall, drop, 0);
    return m;
}

}  // namespace

TEST(Command, QueriesArePostedAsFormsAndCameraNamesArriveOnce)
{
    CSimDvr sim(SmallDvr());
    ASSERT_TRUE(sim.start());
    const DVR dvr = MakeDvr(sim, false, 0xF);
    CSendCommand sender;
    // A "%" in a request text is never taken for a placeholder.
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
        {CgiQuery(cgi::MODE_RESET_DVR), CgiQuery(cgi::MODE_RESET_DVR)},
    };
    static QStringList logged;
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
        logged << text;
    });
    for (const auto& [query, expected] : cases) {
        // The queue is idle, so the command is posted (and logged) at once.
        ASSERT_TRUE(QTest::qWaitFor([&] { return sender.pendingCount() == 0; }));
        sim.clearLog();
        logged.clear();
        sender.send(dvr, query);
        // The debug line keeps the query with the values of its account masked.
        const QString line = logged.filter(QStringLiteral("webapp.cgi?")).value(0);
        const QString masked = QString::fromLatin1(expected).replace(QRegularExpression("\\b(USER|ID|PW)=[^&]*"), "\\1=***");
        EXPECT_TRUE(line.endsWith(QLatin1Char('?') + masked) && !line.contains(QLatin1String("1234"))) << qPrintable(line);
        Request r;
        ASSERT_TRUE(sim.waitForRequest([](const Request& q) { return q.transport == Transport::Post; }, 5000, &r));
        EXPECT_EQ(QByteArrayList({r.body, r.target, r.header("Content-Type"), r.header("Content-Length")}),
                  QByteArrayList({expected, "/cgi-bin/webapp.cgi?", "application/x-www-form-urlencoded",
                                  QByteArray::number(expected.size())}));
    }
    qInstallMessageHandler(previous);
    // A live command is answered with a result, then the names: once, also byte by byte.
    QSignalSpy names(&sender, &CSendCommand::receivedCameraName);
    for (const bool split : {false, true}) {
        sim.setMisbehaviour(Reply(split));
        sender.send(dvr, CgiQuery(cgi::MODE_LIVE, cgi::Live()));
        EXPECT_EQ(Once(names).at(0).value<cgi::DvrInfo>().ch_name(3), "Gate") << split;
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
    EXPECT_TRUE(ReadOnce(reader, dvr, conf) == simdvr::MakePacket(0, cgi::DATA_DVR_CONF, cfg.dvrConf, false));
    Request r;
    ASSERT_TRUE(sim.waitForRequest([](const Request& q) { return q.transport == Transport::Get; }, 5000, &r));
    EXPECT_TRUE(r.userOk && r.dataOk && r.body.isEmpty() && r.mode == cgi::MODE_GET_DVR_CONF);

    // Byte by byte: whole. Silent halfway: the first half after the idle time. Closed
    // without an answer: empty.
    cfg.dvrConf = cfg.dvrConf.right(5000);
    sim.setConfig(cfg);
    const QByteArray whole = simdvr::MakePacket(0, cgi::DATA_DVR_CONF, cfg.dvrConf, false);
    sim.setMisbehaviour(Reply(true));
    EXPECT_EQ(ReadOnce(reader, dvr, conf), whole);
    sim.setMisbehaviour(Reply(false, true));
    const QByteArray half = ReadOnce(reader, dvr, conf);
    EXPECT_TRUE(half.size() > whole.size() / 3 && half.size() < whole.size() && whole.startsWith(half));
    sim.setMisbehaviour(Reply(false, false, true));
    EXPECT_TRUE(ReadOnce(reader, dvr, conf).isEmpty());

    // Stopped or destroyed while the reply is held back: nothing follows; the next read is whole.
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
    EXPECT_EQ(ReadOnce(reader, dvr, conf), whole);
    CReadDVRData().stopRead();
}

TEST(Upload, AFirmwareFileThatIsAFifoIsRefusedWithoutWaiting)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("firmware.bin");
    QUpFile file(fifo, "head", "tail");
    bool opened = true;
    EXPECT_FALSE(fifotest::BlocksOnFifo(fifo, [&] { opened = file.openFile(); }));
    EXPECT_FALSE(opened);
}

TEST(Upload, BodyAndHeadersArriveByteForByteAndADestroyedUploadLeavesNothing)
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
    const QByteArray B = r.boundary;
    EXPECT_EQ(r.header("Content-Type"), "multipart/form-data; boundary=" + B);
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

    // Destroyed in the middle of an upload: nothing left behind. Refusals and aborts are
    // checked through the setup pages, which read them.
    auto* doomed = new UpLoader;
    doomed->upload(QStringLiteral("127.0.0.1"), sim.port(), query, path);
    QTest::qWait(20);
    delete doomed;
}

namespace {

// The DVR holds the next request it takes in for 500 ms before it acts on it and answers.
void HoldNext(CSimDvr& sim)
{
    Misbehaviour m;
    m.holdRequests = 1;
    m.holdMs = 500;
    sim.setMisbehaviour(m);
}

Request Taken(CSimDvr& sim, Transport kind)
{
    Request r;
    EXPECT_TRUE(sim.waitForRequest([kind](const Request& q) { return q.transport == kind && q.answeredMs >= 0; }, 10000, &r));
    return r;
}

// A file to upload, in a folder of its own.
struct UploadFile {
    UploadFile()
    {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(Awkward(2000)) == 2000);
    }
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("dvr.conf"));
};

}  // namespace

TEST(Order, AResetWaitsForAnUploadInFlight)
{
    CSimDvr sim;
    ASSERT_TRUE(sim.start());
    UploadFile file;
    HoldNext(sim);
    UpLoader up;
    QSignalSpy finished(&up, &UpLoader::finished);
    up.upload(QStringLiteral("127.0.0.1"), sim.port(), CgiQuery(cgi::MODE_SET_DVR_CONF), file.path);
    ASSERT_TRUE(sim.waitForRequest(IsUpload));
    CSendCommand sender;
    sender.send(MakeDvr(sim, false), CgiQuery(cgi::MODE_RESET_DVR));
    const Request reset = Taken(sim, Transport::Post);
    EXPECT_GE(reset.arrivalMs, Taken(sim, Transport::Upload).answeredMs);
    EXPECT_EQ(Once(finished), (QList<QVariant>{false, false, QString()}));
}

TEST(Order, AnUploadWaitsForTheCommandsSentBeforeIt)
{
    CSimDvr sim;
    ASSERT_TRUE(sim.start());
    UploadFile file;
    HoldNext(sim);
    CSendCommand sender;
    sender.send(MakeDvr(sim, false), CgiQuery(cgi::MODE_RESET_DVR));
    UpLoader up;
    QSignalSpy started(&up, &UpLoader::started);
    up.upload(QStringLiteral("127.0.0.1"), sim.port(), CgiQuery(cgi::MODE_SET_DVR_CONF), file.path);
    EXPECT_EQ(started.count(), 0);
    const Request upload = Taken(sim, Transport::Upload);
    EXPECT_GE(upload.arrivalMs, Taken(sim, Transport::Post).answeredMs);
    EXPECT_EQ(started.count(), 1);
}

TEST(Order, AnUploadAbortedBeforeItsTurnNeverReachesTheDvrAndLetsTheNextCommandGo)
{
    CSimDvr sim;
    ASSERT_TRUE(sim.start());
    UploadFile file;
    HoldNext(sim);
    const DVR dvr = MakeDvr(sim, false);
    CSendCommand sender;
    sender.send(dvr, CgiQuery(cgi::MODE_RESET_DVR));
    UpLoader up;
    QSignalSpy finished(&up, &UpLoader::finished);
    up.upload(QStringLiteral("127.0.0.1"), sim.port(), CgiQuery(cgi::MODE_SET_DVR_CONF), file.path);
    up.abort();
    EXPECT_EQ(Once(finished), (QList<QVariant>{false, true, QString()}));
    sender.send(dvr, CgiQuery(cgi::MODE_RESET_DVR));
    ASSERT_TRUE(QTest::qWaitFor([&] { return sender.pendingCount() == 0; }, 10000));
    EXPECT_EQ(sim.requests().size(), 2u);
    EXPECT_FALSE(sim.waitForRequest(IsUpload, 200));
}

TEST(Order, AReadAfterAWriteShowsWhatWasWritten)
{
    CSimDvr sim;
    ASSERT_TRUE(sim.start());
    HoldNext(sim);
    const DVR dvr = MakeDvr(sim, false);
    CSendCommand sender;
    cgi::PictureControlSet set;
    set.set_channel(0);
    set.set_value(3);
    sender.send(dvr, CgiQuery(cgi::MODE_SET_PICTURE_CONTROL, set));
    CReadDVRData reader;
    ReadOnce(reader, dvr, CgiQuery(cgi::MODE_GET_PICTURE_CONTROL));
    EXPECT_GE(Taken(sim, Transport::Get).arrivalMs, Taken(sim, Transport::Post).answeredMs);
}
