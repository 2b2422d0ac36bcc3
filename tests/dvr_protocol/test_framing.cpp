#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "dvr_protocol/parser.h"

namespace {

using Bytes = std::vector<unsigned char>;
using Ptr = const unsigned char*;
const Bytes kEtx(cgi::Parser::ETX, cgi::Parser::ETX + 4);
constexpr uint32_t kLimit = 41943040u;  // 40 MiB

// A packet whose length field and end code may be damaged on purpose (length -1: the real one).
Bytes Packet(uint8_t cid, uint8_t type, const Bytes& payload, bool bigEndian = false, int64_t length = -1,
             const Bytes& etx = kEtx)
{
    Bytes out = {0xFB, 0xFB, 0xFB, 0xFC, cid, type};
    const auto field = static_cast<uint32_t>(length < 0 ? payload.size() : length);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<unsigned char>(field >> (bigEndian ? 24 - 8 * i : 8 * i)));
    out.insert(out.end(), payload.begin(), payload.end());
    out.insert(out.end(), etx.begin(), etx.end());
    return out;
}

void Append(Bytes& to, std::initializer_list<Bytes> parts)
{
    for (const Bytes& part : parts)
        to.insert(to.end(), part.begin(), part.end());
}

using Cut = std::tuple<int, int, Bytes>;  // client id, data type, payload

// A receive loop: append what arrives, cut whole packets, skip a corrupt start code, keep the
// tail from an incomplete packet's start, or the last three bytes when no start code is left.
struct Cutter {
    explicit Cutter(bool bigEndian) : parser(bigEndian), big(bigEndian) {}
    void Feed(Ptr data, size_t n)
    {
        buf.insert(buf.end(), data, data + n);
        buf.reserve(buf.size() + 1);  // the corrupt result points one past the scanned bytes
        Ptr pos = buf.data(), end = pos + buf.size(), stx = nullptr, etx = nullptr;
        for (;;) {
            if (parser.FindPacket(pos, end, &stx, &etx)) {
                const cgi::PacketHeader h = parser.GetPayLoad(stx);
                EXPECT_EQ(parser.GetDataSize(stx, etx), big ? __builtin_bswap32(h.length) : h.length);
                packets.emplace_back(h.client_id, h.data_type, Bytes(parser.GetDataPoint(stx), etx));
                pos = etx + cgi::Parser::ETX_SIZE;
            } else if (etx == end + 1) {
                ++corrupt;
                pos = stx;
            } else {
                break;
            }
        }
        Ptr keep = stx == end ? std::max(pos, end - std::min<size_t>(3, buf.size())) : stx;
        buf.erase(buf.begin(), buf.begin() + (keep - buf.data()));
    }
    cgi::Parser parser;
    bool big;
    Bytes buf;
    std::vector<Cut> packets;
    int corrupt = 0;
};

}  // namespace

// 40 MiB is a whole packet once it is all in; one byte short waits for the rest.
TEST(PacketFraming, FortyMebibytesAreOnePacket)
{
    const cgi::Parser p(false);
    Ptr stx = nullptr, etx = nullptr;
    Bytes big;
    Append(big, {Packet(9, 2, {}, false, kLimit, {}), Bytes(kLimit, 0x55), kEtx});
    ASSERT_TRUE(p.FindPacket(big.data(), big.data() + big.size(), &stx, &etx));
    EXPECT_EQ(p.GetDataSize(stx, etx), kLimit);
    EXPECT_FALSE(p.FindPacket(big.data(), big.data() + big.size() - 1, &stx, &etx));
    EXPECT_EQ(stx, big.data());
}

// Junk before and between packets (broken start codes too), an empty payload, payloads that
// hold both codes, a bad end code, an end code a byte early or late, and lengths over the
// limit or wrapping with the overhead in 32 bits (corrupt as soon as the header is in), split
// at every offset.
TEST(StreamCutting, EverySplitPointGivesTheSamePackets)
{
    const Bytes codes = {0xFB, 0xFB, 0xFB, 0xFC, 0x01, 0xFB, 0xFB, 0xFB, 0xFD, 0x03};
    Bytes large(300);
    for (size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<unsigned char>(i * 7);
    for (bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        Bytes s;
        Append(s, {
            {0x00, 0xFB, 0xFB, 0xFB, 0x41, 0xFB, 0xFB, 0x41, 0xFC, 0xFB, 0x41, 0xFB, 0xFC, 0xFB},
            Packet(3, 2, codes, bigEndian), Packet(3, 0, {}, bigEndian), {0xFB, 0xFB, 0xFB, 0xFB, 0xFB},
            Packet(4, 1, large, bigEndian), Packet(5, 2, {9, 9, 9}, bigEndian, 3, {0xFB, 0xFB, 0xFB, 0xFE}),
            Packet(6, 3, {1, 2, 3, 4, 5}, bigEndian), Packet(7, 2, {1, 2}, bigEndian, kLimit + 1),
            Packet(7, 2, {1, 2}, bigEndian, 0xFFFFFFF2u), Packet(7, 2, {1, 2}, bigEndian, 0xFFFFFFFFu),
            Packet(5, 2, {5, 5, 5}, bigEndian, 2), Packet(5, 2, {5}, bigEndian, 2), Packet(8, 5, {0xAA}, bigEndian),
            {0x10, 0x20}});
        const std::vector<Cut> expected = {{3, 2, codes}, {3, 0, {}}, {4, 1, large}, {6, 3, {1, 2, 3, 4, 5}},
                                           {8, 5, {0xAA}}};
        for (size_t split = 0; split <= s.size(); ++split) {
            Cutter c(bigEndian);
            c.Feed(s.data(), split);
            c.Feed(s.data() + split, s.size() - split);
            ASSERT_EQ(std::make_pair(c.packets, c.corrupt), std::make_pair(expected, 6)) << "split at " << split;
            EXPECT_LE(c.buf.size(), 3u);
        }
    }
}
