#pragma once

// Plain clients for checking the simulated DVR: a raw stream reader that cuts packets with
// the project's parser, and blocking HTTP exchanges through QNetworkAccessManager.

#include <functional>
#include <string>
#include <vector>

#include <QByteArray>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHttpMultiPart>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTcpSocket>
#include <QTimer>

#include "cgi_request.pb.h"
#include "dvr_protocol/cgi_protocol.h"
#include "dvr_protocol/parser.h"
#include "sim/SimDvr.h"

namespace simtest {

inline QByteArray CurrentQuery(cgi::Mode mode, const std::string& user, const std::string& password,
                               const google::protobuf::MessageLite& data)
{
    cgi::User u;
    u.set_name(user);
    u.set_password(password);
    std::string q;
    if (cgi::Data2Url(mode, u, data, &q) != 0)
        return QByteArray();
    return QByteArray::fromStdString(q);
}

struct Packet {
    uint8_t clientId = 0;
    uint8_t type = 0;
    QByteArray payload;
};

// Cuts `bytes` into packets; counts corrupt packets and bytes outside whole packets.
class PacketCutter {
public:
    explicit PacketCutter(bool bigEndian) : m_parser(bigEndian) {}

    void feed(const QByteArray& bytes)
    {
        m_buf += bytes;
        const auto* begin = reinterpret_cast<const unsigned char*>(m_buf.constData());
        const auto* end = begin + m_buf.size();
        const unsigned char* pos = begin;
        while (true) {
            const unsigned char* stx = nullptr;
            const unsigned char* etx = nullptr;
            if (m_parser.FindPacket(pos, end, &stx, &etx)) {
                skipped += stx - pos;
                const cgi::PacketHeader h = m_parser.GetPayLoad(stx);
                Packet p;
                p.clientId = h.client_id;
                p.type = h.data_type;
                p.payload = QByteArray(reinterpret_cast<const char*>(m_parser.GetDataPoint(stx)),
                                       static_cast<int>(m_parser.GetDataSize(stx, etx)));
                packets.push_back(p);
                pos = etx + cgi::Parser::ETX_SIZE;
                continue;
            }
            if (etx == end + 1) {  // corrupt: resume past its start code
                ++corrupt;
                skipped += stx - pos;
                pos = stx;
                continue;
            }
            if (stx == end) {  // no start code: keep what may be the start of one
                const unsigned char* keep = end - std::min<ptrdiff_t>(3, end - pos);
                skipped += keep - pos;
                pos = keep;
            } else {
                skipped += stx - pos;
                pos = stx;
            }
            break;
        }
        m_buf.remove(0, static_cast<int>(pos - begin));
    }
    int pending() const { return m_buf.size(); }

    std::vector<Packet> packets;
    int corrupt = 0;
    int64_t skipped = 0;

private:
    cgi::Parser m_parser;
    QByteArray m_buf;
};

// A raw stream connection, read in the test's thread (the DVR runs on its own).
class StreamClient {
public:
    explicit StreamClient(bool bigEndian = false) : cutter(bigEndian) {}

    bool open(uint16_t port, const QByteArray& query)
    {
        sock.connectToHost(QStringLiteral("127.0.0.1"), port);
        if (!sock.waitForConnected(5000))
            return false;
        sock.write("GET /cgi-bin/webapp.cgi?" + query + "\r\n\r\n");
        return sock.waitForBytesWritten(5000) || sock.bytesToWrite() == 0;
    }

    // Reads until done() holds, the DVR closes, or the time is up; returns done().
    bool readUntil(const std::function<bool()>& done, int timeoutMs = 10000)
    {
        QElapsedTimer t;
        t.start();
        while (!done()) {
            if (closed || t.elapsed() > timeoutMs)
                return done();
            readSome(50);
        }
        return true;
    }
    // Reads for about `ms` milliseconds; returns the number of bytes.
    int64_t readFor(int ms)
    {
        const int64_t before = total;
        QElapsedTimer t;
        t.start();
        while (!closed && t.elapsed() < ms)
            readSome(static_cast<int>(std::max<qint64>(1, ms - t.elapsed())));
        return total - before;
    }
    void readSome(int waitMs)
    {
        if (sock.bytesAvailable() == 0 && !sock.waitForReadyRead(waitMs)) {
            if (sock.state() != QAbstractSocket::ConnectedState)
                closed = true;
            return;
        }
        const QByteArray data = sock.readAll();
        if (data.isEmpty())
            return;
        readSizes.push_back(data.size());
        raw += data;
        total += data.size();
        cutter.feed(data);
    }
    int count(uint8_t type) const
    {
        int n = 0;
        for (const Packet& p : cutter.packets)
            n += p.type == type;
        return n;
    }

    QTcpSocket sock;
    PacketCutter cutter;
    QByteArray raw;
    std::vector<int> readSizes;
    int64_t total = 0;
    bool closed = false;
};

struct HttpReply {
    int status = 0;
    QByteArray body;
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    bool finished = false;
};

inline HttpReply Finish(QNetworkReply* reply, int timeoutMs)
{
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(timeoutMs);
    if (!reply->isFinished())
        loop.exec();
    HttpReply r;
    r.finished = reply->isFinished();
    if (!r.finished)
        reply->abort();
    r.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    r.body = reply->readAll();
    r.error = reply->error();
    reply->deleteLater();
    return r;
}

inline QUrl CgiUrl(uint16_t port, const QByteArray& query = QByteArray())
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1/cgi-bin/webapp.cgi?").arg(port) + QString::fromLatin1(query));
}

inline HttpReply Get(QNetworkAccessManager& nam, uint16_t port, const QByteArray& query, int timeoutMs = 10000)
{
    return Finish(nam.get(QNetworkRequest(CgiUrl(port, query))), timeoutMs);
}

inline HttpReply Post(QNetworkAccessManager& nam, uint16_t port, const QByteArray& query, int timeoutMs = 10000)
{
    QNetworkRequest req(CgiUrl(port));
    req.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
    return Finish(nam.post(req, query), timeoutMs);
}

// One HTTP exchange over a plain socket: every byte the DVR sends until it closes.
inline QByteArray RawExchange(uint16_t port, const QByteArray& request, int timeoutMs = 10000,
                              std::vector<int>* readSizes = nullptr)
{
    QTcpSocket s;
    s.connectToHost(QStringLiteral("127.0.0.1"), port);
    if (!s.waitForConnected(5000))
        return QByteArray();
    s.write(request);
    QByteArray all;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        if (s.bytesAvailable() == 0 && !s.waitForReadyRead(50)) {
            if (s.state() != QAbstractSocket::ConnectedState)
                break;
            continue;
        }
        const QByteArray d = s.readAll();
        if (readSizes && !d.isEmpty())
            readSizes->push_back(d.size());
        all += d;
    }
    return all;
}

inline std::vector<Packet> Cut(const QByteArray& bytes, bool bigEndian = false)
{
    PacketCutter c(bigEndian);
    c.feed(bytes);
    return c.packets;
}

inline simdvr::Config SmallConfig()
{
    simdvr::Config c;
    c.channels = 4;
    c.mainSize = QStringLiteral("cif");
    return c;
}

}  // namespace simtest
