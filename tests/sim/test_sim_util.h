#pragma once

// A plain client for checking the simulated DVR: a socket read in the test's thread (the
// DVR runs on its own) whose bytes are cut into packets with the project's parser.

#include <functional>
#include <string>
#include <vector>

#include <QByteArray>
#include <QElapsedTimer>
#include <QTcpSocket>

#include "dvr_protocol/cgi_protocol.h"
#include "dvr_protocol/parser.h"
#include "sim/SimDvr.h"

namespace simtest {

inline QByteArray Query(cgi::Mode mode, const google::protobuf::MessageLite& data = cgi::NullMsg(),
                        const std::string& password = "1234")
{
    cgi::User u;
    u.set_name("admin");
    u.set_password(password);
    std::string q;
    cgi::Data2Url(mode, u, data, &q);
    return QByteArray::fromStdString(q);
}

struct Packet {
    uint8_t clientId = 0;
    uint8_t type = 0;
    QByteArray payload;
};

class Client {
public:
    explicit Client(bool bigEndian = false) : m_parser(bigEndian) {}

    // Connects and sends `request`; a query (no line end) becomes a stream request line.
    bool open(uint16_t port, const QByteArray& request)
    {
        sock.connectToHost(QStringLiteral("127.0.0.1"), port);
        if (!sock.waitForConnected(5000))
            return false;
        sock.write(request.contains('\n') ? request : "GET /cgi-bin/webapp.cgi?" + request + "\r\n\r\n");
        return sock.waitForBytesWritten(5000) || sock.bytesToWrite() == 0;
    }
    // Reads until done() holds, the DVR closes, or the time is up; returns done().
    bool readUntil(const std::function<bool()>& done, int timeoutMs = 10000)
    {
        QElapsedTimer t;
        t.start();
        while (!done() && !closed && t.elapsed() < timeoutMs) {
            if (sock.bytesAvailable() == 0 && !sock.waitForReadyRead(20)) {
                closed = sock.state() != QAbstractSocket::ConnectedState;
                continue;
            }
            const QByteArray data = sock.readAll();
            readSizes.push_back(int(data.size()));
            raw += data;
            feed(data);
        }
        return done();
    }
    // Reads for `ms` milliseconds (or until closed); returns the number of bytes.
    int64_t readFor(int ms)
    {
        const qsizetype before = raw.size();
        QElapsedTimer t;
        t.start();
        readUntil([&] { return t.elapsed() >= ms; }, ms + 1000);
        return raw.size() - before;
    }
    int count(uint8_t type) const
    {
        return int(std::count_if(packets.begin(), packets.end(), [&](const Packet& p) { return p.type == type; }));
    }

    QTcpSocket sock;
    QByteArray raw;
    std::vector<int> readSizes;
    bool closed = false;
    std::vector<Packet> packets;
    int corrupt = 0;        // packets found corrupt
    int64_t skipped = 0;    // bytes outside whole packets

    void feed(const QByteArray& bytes)
    {
        m_buf += bytes;
        const auto* begin = reinterpret_cast<const unsigned char*>(m_buf.constData());
        const auto* end = begin + m_buf.size();
        const unsigned char* pos = begin;
        for (;;) {
            const unsigned char* stx = nullptr;
            const unsigned char* etx = nullptr;
            const bool found = m_parser.FindPacket(pos, end, &stx, &etx);
            const bool bad = !found && etx == end + 1;
            if (!found && !bad && stx == end)  // no start code: keep what may be the start of one
                stx = end - std::min<ptrdiff_t>(3, end - pos);
            skipped += stx - pos;
            pos = stx;
            if (found) {
                const cgi::PacketHeader h = m_parser.GetPayLoad(stx);
                packets.push_back({h.client_id, h.data_type,
                                   QByteArray(reinterpret_cast<const char*>(m_parser.GetDataPoint(stx)),
                                              int(m_parser.GetDataSize(stx, etx)))});
                pos = etx + cgi::Parser::ETX_SIZE;
            } else if (bad) {  // corrupt: resume past its start code
                ++corrupt;
            } else {
                break;
            }
        }
        m_buf.remove(0, int(pos - begin));
    }

private:
    cgi::Parser m_parser;
    QByteArray m_buf;
};

// Every byte the DVR sends until it closes (or the time is up).
inline QByteArray Raw(uint16_t port, const QByteArray& request, int timeoutMs = 10000,
                      std::vector<int>* readSizes = nullptr)
{
    Client c;
    c.open(port, request);
    c.readUntil([] { return false; }, timeoutMs);
    if (readSizes)
        *readSizes = c.readSizes;
    return c.raw;
}

// One HTTP exchange: the reply's body.
inline QByteArray Http(uint16_t port, const QByteArray& method, const QByteArray& query)
{
    const bool get = method == "GET";
    const QByteArray reply = Raw(port, method + " /cgi-bin/webapp.cgi?" + (get ? query : QByteArray()) +
                                           " HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: " +
                                           QByteArray::number(get ? 0 : query.size()) + "\r\n\r\n" + (get ? QByteArray() : query));
    const int end = int(reply.indexOf("\r\n\r\n"));
    return end < 0 ? QByteArray() : reply.mid(end + 4);
}

inline std::vector<Packet> Cut(const QByteArray& bytes, bool bigEndian = false)
{
    Client c(bigEndian);
    c.feed(bytes);
    return c.packets;
}

inline simdvr::Config SmallConfig(bool old = false)
{
    simdvr::Config c;
    c.oldProtocol = old;
    c.channels = 4;
    c.mainSize = QStringLiteral("cif");
    return c;
}

}  // namespace simtest
