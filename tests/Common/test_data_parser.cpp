#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Common/DataParser.h"

namespace {

using Bytes = std::vector<char>;

Bytes RawPacket(uint8_t cid, uint8_t type, const Bytes& payload, bool bigEndian, uint32_t lengthField,
                const Bytes& etx = END_CODE)
{
    Bytes out = START_CODE;
    out.push_back(static_cast<char>(cid));
    out.push_back(static_cast<char>(type));
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>(lengthField >> (bigEndian ? 24 - 8 * i : 8 * i)));
    out.insert(out.end(), payload.begin(), payload.end());
    out.insert(out.end(), etx.begin(), etx.end());
    return out;
}

Bytes Packet(uint8_t cid, uint8_t type, const Bytes& payload, bool bigEndian = false)
{
    return RawPacket(cid, type, payload, bigEndian, static_cast<uint32_t>(payload.size()));
}

void Append(Bytes& to, const Bytes& from) { to.insert(to.end(), from.begin(), from.end()); }

struct Got {
    int cid;
    int type;
    unsigned int length;
    Bytes payload;
    bool operator==(const Got& o) const
    {
        return cid == o.cid && type == o.type && length == o.length && payload == o.payload;
    }
};

std::ostream& operator<<(std::ostream& os, const Got& g)
{
    return os << "{cid " << g.cid << ", type " << g.type << ", " << g.payload.size() << " bytes}";
}

// Feeds one read and takes every packet it completes, as the command sender does.
void FeedAndDrain(CDataParser& p, bool bigEndian, const char* data, size_t n, std::vector<Got>& out)
{
    bool found = p.setReceivedData(bigEndian, data, static_cast<unsigned int>(n));
    while (found) {
        const Bytes& r = p.getResultData();
        out.push_back({p.getClientID(), p.getDataType(), p.getFrameSize(bigEndian), r});
        EXPECT_EQ(r.size(), p.getFrameSize(bigEndian));
        found = p.setReceivedData(bigEndian, nullptr, 0);
    }
}

struct TestStream {
    Bytes bytes;
    std::vector<Got> expected;
};

TestStream MakeStream(bool bigEndian)
{
    TestStream s;
    const Bytes codesInside = {char(0xFB), char(0xFB), char(0xFB), char(0xFC), 1, char(0xFB),
                               char(0xFB), char(0xFB), char(0xFD), 2};
    Bytes big(700);
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 13);
    auto add = [&](uint8_t cid, uint8_t type, const Bytes& payload) {
        Append(s.bytes, Packet(cid, type, payload, bigEndian));
        s.expected.push_back({cid, type, static_cast<unsigned int>(payload.size()), payload});
    };
    Append(s.bytes, {'j', 'u', 'n', 'k', char(0xFB), char(0xFB)});
    add(1, 2, codesInside);
    add(1, 0, {});
    Append(s.bytes, {char(0xFB), char(0xFB), char(0xFB), char(0xFB)});
    add(2, 10, big);
    // Over the limit: costs its start code only.
    Append(s.bytes, RawPacket(3, 2, {7, 7}, bigEndian, 0x2800001));
    // A late end code after some padding.
    Append(s.bytes, RawPacket(5, 2, {'l', 'a', 't', 'e'}, bigEndian, 4, {'p', 'a', 'd'}));
    Append(s.bytes, END_CODE);
    s.expected.push_back({5, 2, 4, {'l', 'a', 't', 'e'}});
    // Never closed before the next start code: dropped.
    Append(s.bytes, RawPacket(6, 2, {'o', 'p', 'e', 'n'}, bigEndian, 4, {'x', 'y'}));
    add(4, 1, {5, 6, 7});
    Append(s.bytes, {'x'});
    return s;
}

}  // namespace

TEST(DataParser, TwoPacketsInOneRead)
{
    CDataParser p;
    Bytes in = {'a', 'b'};
    Append(in, Packet(7, 2, {'h', 'i'}));
    Append(in, Packet(8, 3, {'y', 'o', 'u'}));
    ASSERT_TRUE(p.setReceivedData(false, in.data(), static_cast<unsigned int>(in.size())));
    EXPECT_EQ(p.getResultData(), (Bytes{'h', 'i'}));
    EXPECT_EQ(p.getClientID(), 7);
    EXPECT_EQ(p.getDataType(), 2);
    ASSERT_TRUE(p.setReceivedData(false, nullptr, 0));
    EXPECT_EQ(p.getResultData(), (Bytes{'y', 'o', 'u'}));
    EXPECT_EQ(p.getResultData().capacity(), 3u);
    EXPECT_EQ(p.getClientID(), 8);
    EXPECT_EQ(p.getFrameSize(false), 3u);
    EXPECT_FALSE(p.setReceivedData(false, nullptr, 0));
    // A false call drops the previous result but keeps the header.
    EXPECT_TRUE(p.getResultData().empty());
    EXPECT_EQ(p.getDataType(), 3);
    EXPECT_EQ(p.getBufferedSize(), 0u);
}

TEST(DataParser, EverySplitPointGivesTheSamePackets)
{
    for (bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        const TestStream s = MakeStream(bigEndian);
        for (size_t split = 0; split <= s.bytes.size(); ++split) {
            CDataParser p;
            std::vector<Got> got;
            FeedAndDrain(p, bigEndian, s.bytes.data(), split, got);
            FeedAndDrain(p, bigEndian, s.bytes.data() + split, s.bytes.size() - split, got);
            ASSERT_EQ(got, s.expected) << "split at " << split;
            EXPECT_LE(p.getBufferedSize(), 3u);
        }
        CDataParser p;
        std::vector<Got> got;
        for (char c : s.bytes) {
            FeedAndDrain(p, bigEndian, &c, 1, got);
            ASSERT_LE(p.getBufferedSize(), 14u + 700u);
        }
        EXPECT_EQ(got, s.expected);
    }
}

TEST(DataParser, ByteOrderOfTheLength)
{
    const Bytes be = RawPacket(1, 2, {1, 2, 3, 4, 5}, true, 5);
    CDataParser big;
    ASSERT_TRUE(big.setReceivedData(true, be.data(), static_cast<unsigned int>(be.size())));
    EXPECT_EQ(big.getFrameSize(true), 5u);
    EXPECT_EQ(big.getFrameSize(false), 0x05000000u);

    // Read little-endian, 00 00 00 05 is over the limit: the packet is dropped at once
    // instead of waiting for 80 MiB, and a following packet still comes through.
    CDataParser little;
    Bytes s = be;
    Append(s, Packet(9, 9, {'o', 'k'}));
    ASSERT_TRUE(little.setReceivedData(false, s.data(), static_cast<unsigned int>(s.size())));
    EXPECT_EQ(little.getClientID(), 9);
    EXPECT_EQ(little.getResultData(), (Bytes{'o', 'k'}));
}

TEST(DataParser, LengthLimit)
{
    // 40 MiB is waited for; the whole packet then comes out intact.
    CDataParser p;
    const uint32_t limit = 41943040u;
    Bytes head = RawPacket(1, 2, {}, false, limit, {});
    ASSERT_FALSE(p.setReceivedData(false, head.data(), static_cast<unsigned int>(head.size())));
    EXPECT_EQ(p.getBufferedSize(), 10u);
    Bytes body(limit, 'z');
    body[0] = 'a';
    body[limit - 1] = 'b';
    ASSERT_FALSE(p.setReceivedData(false, body.data(), static_cast<unsigned int>(body.size())));
    ASSERT_TRUE(p.setReceivedData(false, END_CODE.data(), 4));
    const Bytes& r = p.getResultData();
    ASSERT_EQ(r.size(), limit);
    EXPECT_EQ(r.front(), 'a');
    EXPECT_EQ(r.back(), 'b');
    EXPECT_EQ(p.getBufferedSize(), 0u);

    // Lengths over the limit, including ones that wrap a 32-bit sum, are corrupt at once.
    for (uint32_t bad : {0x2800001u, 0xFFFFFFF2u, 0xFFFFFFFFu}) {
        CDataParser q;
        const Bytes pkt = RawPacket(1, 2, {}, false, bad, {});
        EXPECT_FALSE(q.setReceivedData(false, pkt.data(), static_cast<unsigned int>(pkt.size())));
        EXPECT_LE(q.getBufferedSize(), 3u) << bad;
    }
}

TEST(DataParser, EndCodes)
{
    // A late end code is accepted; the payload still comes from the length, and the
    // bytes before the late end code are skipped.
    {
        CDataParser p;
        Bytes s = RawPacket(1, 2, {'a', 'b'}, false, 2, {'p', 'a', 'd'});
        Append(s, END_CODE);
        Append(s, Packet(2, 2, {'c'}));
        std::vector<Got> got;
        FeedAndDrain(p, false, s.data(), s.size(), got);
        ASSERT_EQ(got.size(), 2u);
        EXPECT_EQ(got[0].payload, (Bytes{'a', 'b'}));
        EXPECT_EQ(got[1].payload, Bytes{'c'});
    }
    // An end code may come up to LATE_END_CODE bytes late, also when a read boundary
    // cuts it; one byte later the packet is dropped and what follows still comes out.
    for (size_t late : {size_t(0), size_t(1), CDataParser::LATE_END_CODE, CDataParser::LATE_END_CODE + 1}) {
        CDataParser p;
        Bytes s = RawPacket(1, 2, {'a', 'b', 'c'}, false, 3, Bytes(late, 'j'));
        Append(s, END_CODE);
        Append(s, Packet(2, 2, {'d'}));
        std::vector<Got> got;
        const size_t cut = s.size() - 15 - 2;  // inside the late end code
        FeedAndDrain(p, false, s.data(), cut, got);
        FeedAndDrain(p, false, s.data() + cut, s.size() - cut, got);
        const bool accepted = late <= CDataParser::LATE_END_CODE;
        ASSERT_EQ(got.size(), accepted ? 2u : 1u) << late;
        if (accepted) {
            EXPECT_EQ(got[0].payload, (Bytes{'a', 'b', 'c'}));
        }
        EXPECT_EQ(got.back().payload, Bytes{'d'});
    }
    // A packet never closed does not hold the buffer open.
    {
        CDataParser p;
        const Bytes head = RawPacket(1, 2, {'a', 'b', 'c'}, false, 3, {});
        EXPECT_FALSE(p.setReceivedData(false, head.data(), static_cast<unsigned int>(head.size())));
        const Bytes junk(4096, 'j');
        for (int i = 0; i < 100; ++i) {
            ASSERT_FALSE(p.setReceivedData(false, junk.data(), static_cast<unsigned int>(junk.size())));
            ASSERT_LE(p.getBufferedSize(), 3u);
        }
    }
    // A packet that is never closed before the next one starts costs its start code;
    // the next packet comes through, even though its end code follows.
    {
        CDataParser p;
        Bytes s = RawPacket(1, 2, {'a'}, false, 1, {'n', 'o', 'p', 'e'});
        Append(s, Packet(5, 6, {'n', 'e', 'x', 't'}));
        std::vector<Got> got;
        FeedAndDrain(p, false, s.data(), s.size(), got);
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].cid, 5);
        EXPECT_EQ(got[0].payload, (Bytes{'n', 'e', 'x', 't'}));
    }
}

TEST(DataParser, JunkAndClearKeepMemoryBounded)
{
    CDataParser p;
    Bytes junk(65536);
    for (size_t i = 0; i < junk.size(); ++i)
        junk[i] = (i % 3 == 2) ? 'q' : char(0xFB);
    for (int i = 0; i < 64; ++i) {
        ASSERT_FALSE(p.setReceivedData(false, junk.data(), static_cast<unsigned int>(junk.size())));
        ASSERT_LE(p.getBufferedSize(), 3u);
    }
    // Fewer than ten bytes never yield a packet, even when they start with a start code.
    EXPECT_FALSE(p.setReceivedData(false, START_CODE.data(), 4));
    EXPECT_EQ(p.getBufferedSize(), 4u);
    EXPECT_EQ(std::memcmp(p.getBufferedData(), START_CODE.data(), 4), 0);

    p.clear();
    EXPECT_EQ(p.getBufferedSize(), 0u);
    // The cleared start code must not combine with what follows.
    Bytes rest = {1, 2, 0, 0, 0, 0};
    Append(rest, END_CODE);
    EXPECT_FALSE(p.setReceivedData(false, rest.data(), static_cast<unsigned int>(rest.size())));
    EXPECT_TRUE(p.getResultData().empty());
}

TEST(DataParser, ManySmallPacketsInOneBigRead)
{
    // Thousands of packets taken one by one out of a single read, payload sizes varying.
    Bytes s;
    for (int i = 0; i < 5000; ++i)
        Append(s, Packet(static_cast<uint8_t>(i), 2, Bytes(static_cast<size_t>(i % 50), char(i))));
    CDataParser p;
    std::vector<Got> got;
    FeedAndDrain(p, false, s.data(), s.size(), got);
    ASSERT_EQ(got.size(), 5000u);
    for (int i = 0; i < 5000; ++i) {
        ASSERT_EQ(got[static_cast<size_t>(i)].cid, i & 0xFF);
        ASSERT_EQ(got[static_cast<size_t>(i)].payload, Bytes(static_cast<size_t>(i % 50), char(i)));
    }
}
