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
using simdvr::Misbehaviour;
using simdvr::Request;
using simdvr::Transport;

namespace {

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

// Bytes that look like the body's own structure, so that nothing is taken for a delimiter.
QByteArray AwkwardBytes(int size)
{
    QByteArray b(size, '\0');
    const char pattern[] = "\r\n--\x00\xFF\"";
    for (int i = 0; i < size; ++i)
        b[i] = pattern[(i * 13 + i / 7) % 8] ^ char(i & 0x40);
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

struct Finished {
    bool error = false;
    bool aborted = false;
    QString text;
};

Finished WaitFinished(QSignalSpy& spy, int timeoutMs = 10000)
{
    EXPECT_TRUE(WaitFor([&] { return spy.count() >= 1; }, timeoutMs));
    QTest::qWait(50);
    EXPECT_EQ(spy.count(), 1);
    if (spy.isEmpty())
        return Finished{true, true, QStringLiteral("no finished()")};
    const QList<QVariant> args = spy.takeFirst();
    return Finished{args[0].toBool(), args[1].toBool(), args[2].toString()};
}

}  // namespace

TEST(UpFile, ServesHeadFileAndTailInOrderInAnyChunks)
{
    QTemporaryDir dir;
    const QByteArray content = AwkwardBytes(70000);
    const QString path = WriteFile(dir, QStringLiteral("fw.img"), content);
    const QByteArray head("HEAD-bytes\r\n"), tail("\r\n--tail--\r\n");
    const QByteArray whole = head + content + tail;

    QUpFile whole1(path, head, tail);
    ASSERT_TRUE(whole1.openFile());
    EXPECT_EQ(whole1.size(), whole.size());
    EXPECT_EQ(whole1.sizefull(), whole.size());
    EXPECT_EQ(whole1.sizepart(), head.size() + content.size());
    EXPECT_EQ(whole1.readAll(), whole);
    EXPECT_TRUE(whole1.atEnd());

    QUpFile bytes(path, head, tail);
    ASSERT_TRUE(bytes.openFile());
    QByteArray oneByOne;
    char c;
    while (bytes.read(&c, 1) == 1)
        oneByOne += c;
    EXPECT_EQ(oneByOne, whole);

    // Odd chunk sizes across both seams, and a seek back into the head.
    QUpFile chunks(path, head, tail);
    ASSERT_TRUE(chunks.openFile());
    QByteArray pieces;
    for (int n = 1; !chunks.atEnd(); n = n * 3 % 4099 + 1)
        pieces += chunks.read(n);
    EXPECT_EQ(pieces, whole);
    ASSERT_TRUE(chunks.seek(3));
    EXPECT_EQ(chunks.read(20), whole.mid(3, 20));
    ASSERT_TRUE(chunks.seek(whole.size() - 5));
    EXPECT_EQ(chunks.readAll(), whole.right(5));

    // An empty file: head and tail only.
    QUpFile empty(WriteFile(dir, QStringLiteral("empty"), QByteArray()), head, tail);
    ASSERT_TRUE(empty.openFile());
    EXPECT_EQ(empty.size(), head.size() + tail.size());
    EXPECT_EQ(empty.readAll(), head + tail);

    // Not open: nothing to read; never writable.
    QUpFile missing(dir.filePath(QStringLiteral("missing")), head, tail);
    EXPECT_FALSE(missing.openFile());
    EXPECT_FALSE(missing.isOpen());
    EXPECT_EQ(whole1.write("x", 1), -1);
}

TEST(UpFile, HeadAndTailFollowTheFormLayout)
{
    const QByteArray b = "--12345";
    EXPECT_EQ(UpLoader::MakeHead(b, QStringLiteral("/some/folder/my\"conf\r\n.conf")),
              QByteArray("--" + b + "\r\nContent-Disposition: form-data; name=\"REQ\"; "
                         "filename=\"my%22conf%0D%0A.conf\"\r\nContent-Type: application/octet-stream\r\n\r\n"));
    const QByteArray agree = "Content-Disposition: form-data; name=\"agree\"\r\n\r\n1\r\n--" + b + "--\r\n";
    EXPECT_EQ(UpLoader::MakeTail(b, QString()), "\r\n--" + b + "\r\n" + agree);
    // Pieces without "=" or with two are left out; an empty value is kept.
    EXPECT_EQ(UpLoader::MakeTail(b, QStringLiteral("A=1&&B&C=2=3&D=")),
              "\r\n--" + b + "\r\n" + "Content-Disposition: form-data; name=\"A\"\r\n\r\n1\r\n--" + b + "\r\n" +
                  "Content-Disposition: form-data; name=\"D\"\r\n\r\n\r\n--" + b + "\r\n" + agree);
}

TEST(Upload, BodyAndHeadersArriveByteForByte)
{
    CSimDvr sim;
    ASSERT_TRUE(sim.start());
    QTemporaryDir dir;
    const QByteArray content = AwkwardBytes(300000);
    const QString path = WriteFile(dir, QStringLiteral("dvr.conf"), content);
    const QString query = ConfQuery();

    UpLoader up;
    QSignalSpy started(&up, &UpLoader::started);
    QSignalSpy progress(&up, &UpLoader::progress);
    QSignalSpy finished(&up, &UpLoader::finished);
    up.upload(QStringLiteral("127.0.0.1"), sim.port(), query, path);
    const Finished f = WaitFinished(finished);
    EXPECT_FALSE(f.error);
    EXPECT_FALSE(f.aborted);
    EXPECT_TRUE(f.text.isEmpty());
    EXPECT_EQ(started.count(), 1);

    Request r;
    ASSERT_TRUE(sim.waitForRequest([](const Request& q) { return q.transport == Transport::Upload; }, 5000, &r));
    EXPECT_EQ(r.method, QByteArray("POST"));
    EXPECT_EQ(r.target, QByteArray("/cgi-bin/webapp.cgi"));
    const QByteArray contentType = r.header("Content-Type");
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^multipart/form-data; boundary=(--[0-9]+)$")).match(QString::fromLatin1(contentType));
    ASSERT_TRUE(m.hasMatch()) << contentType.constData();
    const QByteArray B = m.captured(1).toLatin1();
    EXPECT_EQ(r.boundary, B);

    // The body exactly as the form is laid out.
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
    EXPECT_EQ(r.fileField, QByteArray("REQ"));
    EXPECT_EQ(r.fileName, QByteArray("dvr.conf"));
    EXPECT_TRUE(r.fileData == content);
    EXPECT_EQ(r.mode, int(cgi::MODE_SET_DVR_CONF));
    EXPECT_TRUE(r.userOk);
    EXPECT_EQ(r.param("agree"), QByteArray("1"));

    EXPECT_EQ(r.header("Host"), QByteArray("127.0.0.1"));
    EXPECT_EQ(r.header("User-Agent"),
              QByteArray("Mozilla/5.0 (Windows; U; Windows NT 5.1; ru; rv:1.9.1.3) Gecko/20090824 Firefox/3.5.3 "
                         "(.NET CLR 3.5.30729)"));
    EXPECT_EQ(r.header("Accept"), QByteArray("text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"));
    EXPECT_EQ(r.header("Accept-Language"), QByteArray("ru,en-us;q=0.7,en;q=0.3"));
    EXPECT_EQ(r.header("Accept-Charset"), QByteArray("windows-1251,utf-8;q=0.7,*;q=0.7"));
    EXPECT_EQ(r.header("Keep-Alive"), QByteArray("300"));

    bool complete = false;
    for (const QList<QVariant>& p : progress)
        complete |= p.at(0).toLongLong() == expected.size() && p.at(1).toLongLong() == expected.size();
    EXPECT_TRUE(complete);

    // Reused for a second upload: a new delimiter, a new body.
    up.upload(QStringLiteral("127.0.0.1"), sim.port(), QString(), WriteFile(dir, QStringLiteral("b"), "x"));
    EXPECT_FALSE(WaitFinished(finished).error);
}

TEST(Upload, RefusalsAndFailuresAreReportedWithTheirTexts)
{
    QTemporaryDir dir;
    const QString path = WriteFile(dir, QStringLiteral("fw.img"), AwkwardBytes(1000));

    {  // the DVR refuses: its code's text, not a success
        simdvr::Config cfg;
        cfg.uploadResultCode = 4;
        CSimDvr sim(cfg);
        ASSERT_TRUE(sim.start());
        UpLoader up;
        QSignalSpy finished(&up, &UpLoader::finished);
        up.upload(QStringLiteral("127.0.0.1"), sim.port(), ConfQuery(), path);
        const Finished f = WaitFinished(finished);
        EXPECT_TRUE(f.error);
        EXPECT_FALSE(f.aborted);
        EXPECT_EQ(f.text, QStringLiteral("[ERROR]permission denied"));
    }
    {  // unreadable file: nothing is sent
        CSimDvr sim;
        ASSERT_TRUE(sim.start());
        UpLoader up;
        QSignalSpy finished(&up, &UpLoader::finished);
        QSignalSpy started(&up, &UpLoader::started);
        const QString missing = dir.filePath(QStringLiteral("nothing.conf"));
        up.upload(QStringLiteral("127.0.0.1"), sim.port(), ConfQuery(), missing);
        const Finished f = WaitFinished(finished);
        EXPECT_TRUE(f.error);
        EXPECT_EQ(f.text, QStringLiteral("Error: can't open file %1").arg(missing));
        EXPECT_EQ(started.count(), 0);
        QTest::qWait(100);
        EXPECT_TRUE(sim.requests().empty());
    }
    {  // nobody listening
        CSimDvr sim;
        ASSERT_TRUE(sim.start());
        const int port = sim.port();
        sim.stop();
        UpLoader up;
        QSignalSpy finished(&up, &UpLoader::finished);
        up.upload(QStringLiteral("127.0.0.1"), port, ConfQuery(), path);
        const Finished f = WaitFinished(finished);
        EXPECT_TRUE(f.error);
        EXPECT_EQ(f.text, QStringLiteral("Network error: %1").arg(int(QNetworkReply::ConnectionRefusedError)));
    }
}

TEST(Upload, AbortEndsWithOneAbortedFinished)
{
    CSimDvr sim;
    ASSERT_TRUE(sim.start());
    Misbehaviour m;
    m.replyStall = true;  // the reply never completes
    sim.setMisbehaviour(m);
    QTemporaryDir dir;
    const QString path = WriteFile(dir, QStringLiteral("fw.img"), AwkwardBytes(200000));

    auto* up = new UpLoader;
    QSignalSpy finished(up, &UpLoader::finished);
    up->upload(QStringLiteral("127.0.0.1"), sim.port(), ConfQuery(), path);
    ASSERT_TRUE(sim.waitForRequest([](const Request& q) { return q.transport == Transport::Upload; }));
    QTest::qWait(50);
    up->abort();
    const Finished f = WaitFinished(finished);
    EXPECT_FALSE(f.error);
    EXPECT_TRUE(f.aborted);
    EXPECT_TRUE(f.text.isEmpty());
    EXPECT_TRUE(up->aborted());

    // Destroyed in the middle of an upload: nothing left behind.
    up->upload(QStringLiteral("127.0.0.1"), sim.port(), ConfQuery(), path);
    QTest::qWait(20);
    delete up;
    QTest::qWait(50);
}
