#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "dvr_protocol/parser.h"

namespace {

using Bytes = std::vector<unsigned char>;

void PutLength(Bytes& out, uint32_t length, bool bigEndian)
{
    for (int i = 0; i < 4; ++i) {
        const int shift = bigEndian ? 24 - 8 * i : 8 * i;
        out.push_back(static_cast<unsigned char>(length >> shift));
    }
}

// A packet whose length field and end code can be damaged on purpose.
Bytes RawPacket(uint8_t cid, uint8_t type, const Bytes& payload, bool bigEndian, uint32_t lengthField,
                const Bytes& etx = Bytes(cgi::Parser::ETX, cgi::Parser::ETX + 4))
{
    Bytes out(cgi::Parser::STX, cgi::Parser::STX + 4);
    out.push_back(cid);
    out.push_back(type);
    PutLength(out, lengthField, bigEndian);
    out.insert(out.end(), payload.begin(), payload.end());
    out.insert(out.end(), etx.begin(), etx.end());
    return out;
}

Bytes Packet(uint8_t cid, uint8_t type, const Bytes& payload, bool bigEndian = false)
{
    return RawPacket(cid, type, payload, bigEndian, static_cast<uint32_t>(payload.size()));
}

void Append(Bytes& to, const Bytes& from) { to.insert(to.end(), from.begin(), from.end()); }

struct Cut {
    int cid;
    int type;
    Bytes payload;
    bool operator==(const Cut& o) const { return cid == o.cid && type == o.type && payload == o.payload; }
};

std::ostream& operator<<(std::ostream& os, const Cut& c)
{
    return os << "{cid " << c.cid << ", type " << c.type << ", " << c.payload.size() << " bytes}";
}

// The receive loop of a stream connection over a fixed buffer: cut whole packets, skip a
// corrupt start code, keep the tail from an incomplete packet's start, or the last three
// bytes when no start code is left.
class StreamCutter {
public:
    StreamCutter(bool bigEndian, size_t capacity) : m_parser(bigEndian), m_bigEndian(bigEndian), m_buf(capacity) {}

    void Reset()
    {
        packets.clear();
        corrupt = 0;
        m_fill = 0;
    }

    void Feed(const unsigned char* data, size_t n)
    {
        while (n > 0) {
            const size_t take = std::min(n, m_buf.size() - m_fill);
            if (take == 0) {
                ADD_FAILURE() << "buffer full without a whole packet";
                return;
            }
            std::memcpy(m_buf.data() + m_fill, data, take);
            m_fill += take;
            data += take;
            n -= take;
            Scan();
        }
    }
    void Feed(const Bytes& b) { Feed(b.data(), b.size()); }

    std::vector<Cut> packets;
    int corrupt = 0;
    size_t Kept() const { return m_fill; }

private:
    void Scan()
    {
        const unsigned char* const begin = m_buf.data();
        const unsigned char* const end = begin + m_fill;
        const unsigned char* pos = begin;
        const unsigned char* stx = nullptr;
        const unsigned char* etx = nullptr;
        for (;;) {
            if (m_parser.FindPacket(pos, end, &stx, &etx)) {
                const cgi::PacketHeader h = m_parser.GetPayLoad(stx);
                uint32_t length = h.length;
                if (m_bigEndian)
                    length = __builtin_bswap32(length);
                const size_t size = m_parser.GetDataSize(stx, etx);
                EXPECT_EQ(size, length);
                const unsigned char* data = m_parser.GetDataPoint(stx);
                packets.push_back({h.client_id, h.data_type, Bytes(data, data + size)});
                pos = etx + cgi::Parser::ETX_SIZE;
                continue;
            }
            if (etx == end + 1) {
                ++corrupt;
                pos = stx;
                continue;
            }
            break;
        }
        const unsigned char* keep = stx;
        if (stx == end)
            keep = std::max(pos, end - std::min<size_t>(3, static_cast<size_t>(end - begin)));
        m_fill = static_cast<size_t>(end - keep);
        std::memmove(m_buf.data(), keep, m_fill);
    }

    cgi::Parser m_parser;
    bool m_bigEndian;
    std::vector<unsigned char> m_buf;
    size_t m_fill = 0;
};

// A stream with everything a DVR connection may meet: junk before and between packets
// (including broken start codes), an empty payload, payloads holding both codes, a packet
// with a bad end code and one with a length over the limit.
struct TestStream {
    Bytes bytes;
    std::vector<Cut> expected;
    int corrupt = 0;
};

TestStream MakeStream(bool bigEndian)
{
    TestStream s;
    const Bytes codesInside = {0xFB, 0xFB, 0xFB, 0xFC, 0x01, 0x02, 0xFB, 0xFB, 0xFB, 0xFD, 0x03};
    Bytes bigPayload(300);
    for (size_t i = 0; i < bigPayload.size(); ++i)
        bigPayload[i] = static_cast<unsigned char>(i * 7);

    Append(s.bytes, {0x00, 0xFB, 0xFB, 0xFB, 0x41, 0xFB});  // junk ending in a partial code
    Append(s.bytes, Packet(3, 2, codesInside, bigEndian));
    s.expected.push_back({3, 2, codesInside});
    Append(s.bytes, Packet(3, 0, {}, bigEndian));
    s.expected.push_back({3, 0, {}});
    Append(s.bytes, {0xFB, 0xFB, 0xFB, 0xFB, 0xFB});  // junk that runs into the next start code
    Append(s.bytes, Packet(4, 1, bigPayload, bigEndian));
    s.expected.push_back({4, 1, bigPayload});
    // Bad end code: costs its start code, the rest is scanned as junk.
    Append(s.bytes, RawPacket(5, 2, {9, 9, 9}, bigEndian, 3, {0xFB, 0xFB, 0xFB, 0xFE}));
    ++s.corrupt;
    Append(s.bytes, Packet(6, 3, {1, 2, 3, 4, 5}, bigEndian));
    s.expected.push_back({6, 3, {1, 2, 3, 4, 5}});
    // Over the limit: rejected as soon as its header is in, before any payload.
    Append(s.bytes, RawPacket(7, 2, {1, 2}, bigEndian, 0x2800001));
    ++s.corrupt;
    Append(s.bytes, Packet(8, 5, {0xAA}, bigEndian));
    s.expected.push_back({8, 5, {0xAA}});
    Append(s.bytes, {0x10, 0x20});  // trailing junk
    return s;
}

}  // namespace

TEST(PacketFraming, FindStxSkipsJunkAndPartialCodes)
{
    const cgi::Parser p(false);
    const Bytes b = {0xFB, 0xFB, 0xFB, 0xFB, 0xFB, 0xFC, 0x00};
    EXPECT_EQ(p.FindSTX(b.data(), b.data() + b.size()), b.data() + 2);
    // A code that ends exactly at the end is found; one cut by the end is not.
    EXPECT_EQ(p.FindSTX(b.data(), b.data() + 6), b.data() + 2);
    EXPECT_EQ(p.FindSTX(b.data(), b.data() + 5), b.data() + 5);
    EXPECT_EQ(p.FindSTX(b.data() + 3, b.data() + b.size()), b.data() + b.size());
    EXPECT_EQ(p.FindSTX(b.data(), b.data()), b.data());
    const Bytes etxOnly(cgi::Parser::ETX, cgi::Parser::ETX + 4);
    EXPECT_EQ(p.FindSTX(etxOnly.data(), etxOnly.data() + 4), etxOnly.data() + 4);
}

TEST(PacketFraming, WholeAndIncompletePackets)
{
    const cgi::Parser p(false);
    const Bytes pkt = Packet(0x21, 0x02, {7, 8, 9});
    const unsigned char* b = pkt.data();
    const unsigned char* e = b + pkt.size();
    const unsigned char* stx = nullptr;
    const unsigned char* etx = nullptr;

    ASSERT_TRUE(p.FindPacket(b, e, &stx, &etx));
    EXPECT_EQ(stx, b);
    EXPECT_EQ(etx, b + 13);
    EXPECT_EQ(p.GetDataPoint(stx), b + 10);
    EXPECT_EQ(p.GetDataSize(stx, etx), 3u);
    const cgi::PacketHeader h = p.GetPayLoad(stx);
    EXPECT_EQ(h.client_id, 0x21);
    EXPECT_EQ(h.data_type, 0x02);
    EXPECT_EQ(h.length, 3u);

    // Every proper prefix that holds the start code waits, reporting the start.
    for (size_t n = 4; n < pkt.size(); ++n) {
        EXPECT_FALSE(p.FindPacket(b, b + n, &stx, &etx)) << n;
        EXPECT_EQ(stx, b) << n;
        EXPECT_EQ(etx, b + n) << n;
        EXPECT_EQ(p.FindETX(b, b + n), b + n) << n;
    }
    for (size_t n = 0; n < 4; ++n) {
        EXPECT_FALSE(p.FindPacket(b, b + n, &stx, &etx));
        EXPECT_EQ(stx, b + n);
        EXPECT_EQ(etx, b + n);
    }

    const Bytes empty = Packet(1, 1, {});
    ASSERT_EQ(empty.size(), 14u);
    ASSERT_TRUE(p.FindPacket(empty.data(), empty.data() + 14, &stx, &etx));
    EXPECT_EQ(p.GetDataSize(stx, etx), 0u);
    EXPECT_EQ(etx, empty.data() + 10);
}

TEST(PacketFraming, LengthLimitAndCorruptPackets)
{
    const cgi::Parser p(false);
    const unsigned char* stx = nullptr;
    const unsigned char* etx = nullptr;

    // 40 MiB is waited for, one byte more is corrupt before any payload arrives, and a
    // length whose sum with the overhead wraps in 32 bits is corrupt too.
    const Bytes atLimit = RawPacket(1, 2, {}, false, 41943040u, {});
    EXPECT_EQ(p.FindETX(atLimit.data(), atLimit.data() + 10), atLimit.data() + 10);
    Bytes waiting = atLimit;
    waiting.resize(14);
    EXPECT_EQ(p.FindETX(waiting.data(), waiting.data() + 14), waiting.data() + 14);
    EXPECT_FALSE(p.FindPacket(waiting.data(), waiting.data() + 14, &stx, &etx));
    EXPECT_EQ(stx, waiting.data());
    for (uint32_t bad : {0x2800001u, 0xFFFFFFF2u, 0xFFFFFFFFu}) {
        Bytes over = RawPacket(1, 2, {}, false, bad, {0, 0, 0, 0});
        const unsigned char* end = over.data() + over.size();
        EXPECT_EQ(p.FindETX(over.data(), end), end + 1) << bad;
        EXPECT_FALSE(p.FindPacket(over.data(), end, &stx, &etx));
        EXPECT_EQ(stx, over.data() + 4);
        EXPECT_EQ(etx, end + 1);
    }

    // Wrong end code, then a good packet: the search resumes past the bad start code and
    // finds the next one.
    Bytes s = RawPacket(1, 2, {5, 5}, false, 2, {0xFB, 0xFB, 0xFB, 0xFE});
    const size_t second = s.size();
    Append(s, Packet(2, 2, {6}));
    const unsigned char* end = s.data() + s.size();
    EXPECT_EQ(p.FindETX(s.data(), end), end + 1);
    EXPECT_FALSE(p.FindPacket(s.data(), end, &stx, &etx));
    EXPECT_EQ(stx, s.data() + 4);
    EXPECT_EQ(etx, end + 1);
    ASSERT_TRUE(p.FindPacket(stx, end, &stx, &etx));
    EXPECT_EQ(stx, s.data() + second);
    EXPECT_EQ(p.GetPayLoad(stx).client_id, 2);

    // An end code that is off by one byte is just as corrupt as a wrong one.
    Bytes longer = RawPacket(1, 2, {5, 5, 5}, false, 2);
    EXPECT_EQ(p.FindETX(longer.data(), longer.data() + longer.size()), longer.data() + longer.size() + 1);
    Bytes shorter = RawPacket(1, 2, {5}, false, 2);
    shorter.push_back(0);
    EXPECT_EQ(p.FindETX(shorter.data(), shorter.data() + shorter.size()), shorter.data() + shorter.size() + 1);
}

TEST(PacketFraming, FortyMebibytePacketIsWhole)
{
    const cgi::Parser p(false);
    Bytes big = RawPacket(9, 2, {}, false, 41943040u, {});
    big.resize(14 + 41943040u, 0x55);
    std::memcpy(big.data() + 10 + 41943040u, cgi::Parser::ETX, 4);
    const unsigned char* stx = nullptr;
    const unsigned char* etx = nullptr;
    ASSERT_TRUE(p.FindPacket(big.data(), big.data() + big.size(), &stx, &etx));
    EXPECT_EQ(p.GetDataSize(stx, etx), 41943040u);
    EXPECT_FALSE(p.FindPacket(big.data(), big.data() + big.size() - 1, &stx, &etx));
    EXPECT_EQ(etx, big.data() + big.size() - 1);
}

TEST(PacketFraming, ByteOrders)
{
    const Bytes payload = {1, 2, 3, 4, 5};
    const Bytes be = RawPacket(1, 2, payload, true, 5);  // length bytes 00 00 00 05
    ASSERT_EQ(be[6], 0);
    ASSERT_EQ(be[9], 5);
    const unsigned char* stx = nullptr;
    const unsigned char* etx = nullptr;

    const cgi::Parser big(true);
    ASSERT_TRUE(big.FindPacket(be.data(), be.data() + be.size(), &stx, &etx));
    EXPECT_EQ(big.GetDataSize(stx, etx), 5u);
    // The header keeps the wire order; the reader converts it.
    EXPECT_EQ(__builtin_bswap32(big.GetPayLoad(stx).length), 5u);

    // Read little-endian the same bytes mean 83,886,080: over the limit.
    const cgi::Parser little(false);
    const unsigned char* end = be.data() + be.size();
    EXPECT_FALSE(little.FindPacket(be.data(), end, &stx, &etx));
    EXPECT_EQ(etx, end + 1);

    const Bytes le = RawPacket(1, 2, payload, false, 5);
    ASSERT_TRUE(little.FindPacket(le.data(), le.data() + le.size(), &stx, &etx));
    EXPECT_EQ(little.GetPayLoad(stx).length, 5u);
    EXPECT_FALSE(big.FindPacket(le.data(), le.data() + le.size(), &stx, &etx));
}

TEST(StreamCutting, EverySplitPointGivesTheSamePackets)
{
    for (bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        const TestStream s = MakeStream(bigEndian);
        // The tight capacity forces the tail to move while the largest packet is incomplete.
        for (size_t capacity : {size_t(0x500000), size_t(320)}) {
            SCOPED_TRACE(capacity);
            StreamCutter c(bigEndian, capacity);
            c.Feed(s.bytes);
            EXPECT_EQ(c.packets, s.expected);
            EXPECT_EQ(c.corrupt, s.corrupt);
            for (size_t split = 0; split <= s.bytes.size(); ++split) {
                c.Reset();
                c.Feed(s.bytes.data(), split);
                c.Feed(s.bytes.data() + split, s.bytes.size() - split);
                ASSERT_EQ(c.packets, s.expected) << "split at " << split;
                ASSERT_EQ(c.corrupt, s.corrupt) << "split at " << split;
                EXPECT_LE(c.Kept(), 3u);
            }
            c.Reset();
            for (unsigned char byte : s.bytes)
                c.Feed(&byte, 1);
            EXPECT_EQ(c.packets, s.expected);
            EXPECT_EQ(c.corrupt, s.corrupt);
        }
    }
}

TEST(StreamCutting, JunkKeepsOnlyThreeBytesAndCodesAcrossReadsAreFound)
{
    StreamCutter c(false, 4096);
    Bytes junk(1000);
    for (size_t i = 0; i < junk.size(); ++i)
        junk[i] = (i % 5 == 4) ? 0x11 : 0xFB;  // runs of FB that never complete a code
    for (int round = 0; round < 50; ++round) {
        c.Feed(junk);
        ASSERT_LE(c.Kept(), 3u);
    }
    // A start code cut by the read boundary after junk: FB | FB FB FC ...
    const Bytes pkt = Packet(1, 2, {42});
    c.Feed(pkt.data(), 1);
    c.Feed(pkt.data() + 1, pkt.size() - 1);
    ASSERT_EQ(c.packets.size(), 1u);
    EXPECT_EQ(c.packets[0].payload, Bytes{42});
    EXPECT_EQ(c.corrupt, 0);
}
