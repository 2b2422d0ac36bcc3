// Multipart uploads: the body device on its own, and whole uploads to the simulated DVR.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "Network/UpLoader.h"
#include "StreamProbe.h"
#include "dvr_protocol/cgi_protocol.h"

using namespace nettest;
using simdvr::CSimDvr;
using simdvr::Request;

namespace {

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return f.fileName();
}

// Bytes that look like the body's own structure, so that nothing is taken for a delimiter.
QByteArray AwkwardBytes(int size)
{
    static const char pattern[8] = {'\r', '\n', '-', '-', '\0', '\xFF', '"', 'B'};
    QByteArray b(size, '\0');
    for (int i = 0; i < size; ++i)
        b[i] = pattern[(i * 13 + i / 7) % 8];
    return b;
}

QString ConfQuery()
{
    cgi::User user;
    user.set_name("admin");
    user.set_password("1234");
    std::string q;
    cgi::Data2Url(cgi::MODE_SET_DVR_CONF, user, cgi::NullMsg(), &q);
    return QString::fromStdString(q);
}

// The arguments of the one finished() an upload ends with.
QList<QVariant> Finished(QSignalSpy& spy, int timeoutMs = 10000)
{
    EXPECT_TRUE(WaitFor([&] { return spy.count() >= 1; }, timeoutMs));
    QTest::qWait(50);
    EXPECT_EQ(spy.count(), 1);
    return spy.isEmpty() ? QList<QVariant>{true, true, QStringLiteral("none")} : spy.takeFirst();
}

}  // namespace

TEST(UpFile, ServesHeadFileAndTailInOrderInAnyChunks)
{
    QTemporaryDir dir;
    const QByteArray content = AwkwardBytes(70000);
    const QString path = WriteFile(dir, QStringLiteral("fw.img"), content);
    const QByteArray head("HEAD\r\n"), tail("\r\n--tail--\r\n");
    const QByteArray whole = head + content + tail;

    QUpFile a(path, head, tail);
    ASSERT_TRUE(a.openFile());
    EXPECT_EQ(a.size(), whole.size());
    EXPECT_EQ(a.sizepart(), head.size() + content.size());
    EXPECT_EQ(a.readAll(), whole);

    QUpFile b(path, head, tail);
    ASSERT_TRUE(b.openFile());
    QByteArray pieces;
    char c;
    while (b.read(&c, 1) == 1)
        pieces += c;
    EXPECT_EQ(pieces, whole);
    pieces.clear();
    ASSERT_TRUE(b.seek(0));
    for (int n = 1; !b.atEnd(); n = n * 3 % 4099 + 1)
        pieces += b.read(n);
    EXPECT_EQ(pieces, whole);
    ASSERT_TRUE(b.seek(3));
    EXPECT_EQ(b.read(20), whole.mid(3, 20));

    QUpFile empty(WriteFile(dir, QStringLiteral("empty"), QByteArray()), head, tail);
    ASSERT_TRUE(empty.openFile());
    EXPECT_EQ(empty.size(), head.size() + tail.size());
    EXPECT_EQ(empty.readAll(), head + tail);

    QUpFile missing(dir.filePath(QStringLiteral("missing")), head, tail);
    EXPECT_FALSE(missing.openFile());
}

TEST(UpFile, FieldsFollowTheQueryAndTheFileNameIsEscaped)
{
    const QByteArray b = "--12345";
    EXPECT_EQ(UpLoader::MakeHead(b, QStringLiteral("/folder/my\"conf\r\n.conf")),
              "--" + b + "\r\nContent-Disposition: form-data; name=\"REQ\"; filename=\"my%22conf%0D%0A.conf\"\r\n"
              "Content-Type: application/octet-stream\r\n\r\n");
    const QByteArray agree = "Content-Disposition: form-data; name=\"agree\"\r\n\r\n1\r\n--" + b + "--\r\n";
    EXPECT_EQ(UpLoader::MakeTail(b, QString()), "\r\n--" + b + "\r\n" + agree);
    // Pieces without "=" or with two are left out; an empty value is kept.
    EXPECT_EQ(UpLoader::MakeTail(b, QStringLiteral("A=1&&B&C=2=3&D=")),
              "\r\n--" + b + "\r\nContent-Disposition: form-data; name=\"A\"\r\n\r\n1\r\n--" + b +
                  "\r\nContent-Disposition: form-data; name=\"D\"\r\n\r\n\r\n--" + b + "\r\n" + agree);
}

TEST(Upload, BodyAndHeadersArriveByteForByte)
{
    CSimDvr sim;
    ASSERT_TRUE(sim.start());
    QTemporaryDir dir;
    const QByteArray content = AwkwardBytes(300000);
    const QString query = ConfQuery();
    UpLoader up;
    QSignalSpy started(&up, &UpLoader::started);
    QSignalSpy progress(&up, &UpLoader::progress);
    QSignalSpy finished(&up, &UpLoader::finished);
    up.upload(QStringLiteral("127.0.0.1"), sim.port(), query, WriteFile(dir, QStringLiteral("dvr.conf"), content));
    EXPECT_EQ(Finished(finished), (QList<QVariant>{false, false, QString()}));
    EXPECT_EQ(started.count(), 1);

    Request r;
    ASSERT_TRUE(sim.waitForRequest([](const Request& q) { return q.transport == simdvr::Transport::Upload; }, 5000, &r));
    EXPECT_EQ(r.target, QByteArray("/cgi-bin/webapp.cgi"));
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("^multipart/form-data; boundary=(--[0-9]+)$"))
                                          .match(QString::fromLatin1(r.header("Content-Type")));
    ASSERT_TRUE(m.hasMatch()) << r.header("Content-Type").constData();
    const QByteArray B = m.captured(1).toLatin1();

    QByteArray expected = "--" + B + "\r\nContent-Disposition: form-data; name=\"REQ\"; filename=\"dvr.conf\"\r\n"
                          "Content-Type: application/octet-stream\r\n\r\n" + content + "\r\n--" + B + "\r\n";
    for (const QString& piece : query.split(QLatin1Char('&'))) {
        const QStringList kv = piece.split(QLatin1Char('='));
        expected += "Content-Disposition: form-data; name=\"" + kv[0].toLatin1() + "\"\r\n\r\n" + kv[1].toLatin1() +
                    "\r\n--" + B + "\r\n";
    }
    expected += "Content-Disposition: form-data; name=\"agree\"\r\n\r\n1\r\n--" + B + "--\r\n";
    EXPECT_TRUE(r.body == expected);
    EXPECT_EQ(r.header("Content-Length"), QByteArray::number(expected.size()));
    EXPECT_TRUE(r.fileData == content);
    EXPECT_TRUE(r.userOk);
    EXPECT_EQ(r.mode, int(cgi::MODE_SET_DVR_CONF));
    EXPECT_EQ(r.header("Host"), QByteArray("127.0.0.1"));
    EXPECT_EQ(r.header("User-Agent"), QByteArray("Mozilla/5.0 (Windows; U; Windows NT 5.1; ru; rv:1.9.1.3) "
                                                 "Gecko/20090824 Firefox/3.5.3 (.NET CLR 3.5.30729)"));
    EXPECT_EQ(r.header("Accept-Charset"), QByteArray("windows-1251,utf-8;q=0.7,*;q=0.7"));
    bool complete = false;
    for (const QList<QVariant>& p : progress)
        complete |= p.at(0).toLongLong() == expected.size() && p.at(1).toLongLong() == expected.size();
    EXPECT_TRUE(complete);
}

TEST(Upload, RefusalsFailuresAndAbort)
{
    QTemporaryDir dir;
    const QString path = WriteFile(dir, QStringLiteral("fw.img"), AwkwardBytes(200000));
    simdvr::Config cfg;
    cfg.uploadResultCode = 4;
    CSimDvr sim(cfg);
    ASSERT_TRUE(sim.start());
    UpLoader up;
    QSignalSpy finished(&up, &UpLoader::finished);

    // The DVR refuses: its code's text, not a success.
    up.upload(QStringLiteral("127.0.0.1"), sim.port(), ConfQuery(), path);
    EXPECT_EQ(Finished(finished), (QList<QVariant>{true, false, QStringLiteral("[ERROR]permission denied")}));

    // An unreadable file: reported before anything is sent.
    sim.clearLog();
    const QString missing = dir.filePath(QStringLiteral("nothing.conf"));
    up.upload(QStringLiteral("127.0.0.1"), sim.port(), ConfQuery(), missing);
    EXPECT_EQ(Finished(finished), (QList<QVariant>{true, false, QStringLiteral("Error: can't open file %1").arg(missing)}));
    EXPECT_TRUE(sim.requests().empty());

    // Aborted while the reply is outstanding: one finished(), aborted.
    simdvr::Misbehaviour m;
    m.replyStall = true;
    sim.setMisbehaviour(m);
    up.upload(QStringLiteral("127.0.0.1"), sim.port(), ConfQuery(), path);
    ASSERT_TRUE(sim.waitForRequest([](const Request& q) { return q.transport == simdvr::Transport::Upload; }));
    up.abort();
    EXPECT_EQ(Finished(finished), (QList<QVariant>{false, true, QString()}));
    EXPECT_TRUE(up.aborted());

    // Destroyed in the middle of an upload: nothing left behind.
    auto* doomed = new UpLoader;
    doomed->upload(QStringLiteral("127.0.0.1"), sim.port(), ConfQuery(), path);
    QTest::qWait(20);
    delete doomed;

    // Nobody listening.
    const int port = sim.port();
    sim.stop();
    up.upload(QStringLiteral("127.0.0.1"), port, ConfQuery(), path);
    EXPECT_EQ(Finished(finished),
              (QList<QVariant>{true, false, QStringLiteral("Network error: %1").arg(int(QNetworkReply::ConnectionRefusedError))}));
}
