#pragma once

// A plain socket client for the simulated DVR (which runs on its own thread); the project's parser cuts packets.

#include <functional>
#include <vector>

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
    uint8_t clientId = 0, type = 0;
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
    int count(uint8_t type) const
    {
        return int(std::count_if(packets.begin(), packets.end(), [&](const Packet& p) { return p.type == type; }));
    }
    // Cuts whole packets off the bytes read so far; a corrupt one is counted and skipped.
    void feed(const QByteArray& bytes)
    {
        m_buf += bytes;
        const auto* begin = reinterpret_cast<const unsigned char*>(m_buf.constData());
        const auto* end = begin + m_buf.size();
        const unsigned char* pos = begin;
        for (;;) {
            const unsigned char *stx = nullptr, *etx = nullptr;
            const bool found = m_parser.FindPacket(pos, end, &stx, &etx);
            const bool bad = !found && etx == end + 1;
            if (!found && !bad && stx == end)  // no start code: keep what may be the start of one
                stx = end - std::min<ptrdiff_t>(3, end - pos);
            skipped += stx - pos;
            pos = stx;
            if (!found && !bad)
                break;
            if (bad) {
                ++corrupt;
                continue;
            }
            const cgi::PacketHeader h = m_parser.GetPayLoad(stx);
            packets.push_back({h.client_id, h.data_type,
                               QByteArray(reinterpret_cast<const char*>(m_parser.GetDataPoint(stx)),
                                          int(m_parser.GetDataSize(stx, etx)))});
            pos = etx + cgi::Parser::ETX_SIZE;
        }
        m_buf.remove(0, int(pos - begin));
    }

    QTcpSocket sock;
    QByteArray raw;
    std::vector<int> readSizes;
    bool closed = false;
    std::vector<Packet> packets;
    int corrupt = 0;        // packets found corrupt
    int64_t skipped = 0;    // bytes outside whole packets

private:
    cgi::Parser m_parser;
    QByteArray m_buf;
};

// Every byte the DVR sends until it closes (or the time is up).
inline QByteArray Raw(uint16_t port, const QByteArray& request, int timeoutMs = 10000, std::vector<int>* readSizes = nullptr)
{
    Client c;
    c.open(port, request);
    c.readUntil([] { return false; }, timeoutMs);
    if (readSizes)
        *readSizes = c.readSizes;
    return c.raw;
}

// One GET: the reply's body.
inline QByteArray Http(uint16_t port, const QByteArray& query)
{
    const QByteArray reply = Raw(port, "GET /cgi-bin/webapp.cgi?" + query + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
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
