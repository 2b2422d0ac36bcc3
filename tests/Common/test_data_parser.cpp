#include <gtest/gtest.h>

#include <string>
#include <tuple>
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
bool Feed(CDataParser& p, const Bytes& b) { return p.setReceivedData(false, b.data(), unsigned(b.size())); }

using Got = std::tuple<int, int, Bytes>;  // client id, data type, payload
// Feeds one read and takes every packet it completes, as the command sender does.
void FeedAndDrain(CDataParser& p, bool bigEndian, const char* data, size_t n, std::vector<Got>& out)
{
    bool found = p.setReceivedData(bigEndian, data, static_cast<unsigned int>(n));
    while (found) {
        out.emplace_back(p.getClientID(), p.getDataType(), p.getResultData());
        EXPECT_EQ(p.getResultData().size(), p.getFrameSize(bigEndian));
        found = p.setReceivedData(bigEndian, nullptr, 0);
    }
}
}  // namespace

TEST(DataParser, EverySplitPointGivesTheSamePackets)
{
    for (bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        Bytes stream;
        std::vector<Got> expected;
        auto add = [&](uint8_t cid, uint8_t type, const Bytes& payload) {
            Append(stream, Packet(cid, type, payload, bigEndian));
            expected.emplace_back(cid, type, payload);
        };
        Bytes big(700);
        for (size_t i = 0; i < big.size(); ++i)
            big[i] = static_cast<char>(i * 13);
        Append(stream, {'j', 'u', 'n', 'k', char(0xFB), char(0xFB)});
        add(1, 2, {char(0xFB), char(0xFB), char(0xFB), char(0xFC), 1, char(0xFB), char(0xFB), char(0xFB),
                   char(0xFD), 2});  // start and end codes inside a payload
        add(1, 0, {});
        Append(stream, {char(0xFB), char(0xFB), char(0xFB), char(0xFB)});
        add(2, 10, big);
        // Over the limit: costs its start code only.
        Append(stream, RawPacket(3, 2, {7, 7}, bigEndian, 0x2800001));
        // An end code up to LATE_END_CODE bytes late is taken; one byte later the packet is lost.
        for (size_t late : {CDataParser::LATE_END_CODE, CDataParser::LATE_END_CODE + 1}) {
            Append(stream, RawPacket(5, 2, {'l', 'a', 't', 'e'}, bigEndian, 4, Bytes(late, 'p')));
            Append(stream, END_CODE);
        }
        expected.emplace_back(5, 2, Bytes{'l', 'a', 't', 'e'});
        // Never closed before the next start code: dropped.
        Append(stream, RawPacket(6, 2, {'o', 'p', 'e', 'n'}, bigEndian, 4, {'x', 'y'}));
        add(4, 1, {5, 6, 7});
        Append(stream, {'x'});
        for (size_t split = 0; split <= stream.size(); ++split) {
            CDataParser p;
            std::vector<Got> got;
            FeedAndDrain(p, bigEndian, stream.data(), split, got);
            FeedAndDrain(p, bigEndian, stream.data() + split, stream.size() - split, got);
            ASSERT_EQ(got, expected) << "split at " << split;
            EXPECT_LE(p.getBufferedSize(), 3u);
        }
    }
}

TEST(DataParser, FortyMebibytesAreWaitedForLongerLengthsAreCorrupt)
{
    CDataParser p;
    const uint32_t limit = 41943040u;
    ASSERT_FALSE(Feed(p, RawPacket(1, 2, {}, false, limit, {})));
    Bytes body(limit, 'z');
    body.front() = 'a';
    body.back() = 'b';
    ASSERT_FALSE(Feed(p, body));
    ASSERT_TRUE(Feed(p, END_CODE));
    ASSERT_EQ(p.getResultData().size(), limit);
    EXPECT_TRUE(p.getResultData().front() == 'a' && p.getResultData().back() == 'b');
    // Lengths that wrap a 32-bit sum, 5 in the wrong byte order: the next packet still comes.
    for (uint32_t bad : {0x2800001u, 0xFFFFFFF2u, 0xFFFFFFFFu, 0x05000000u}) {
        CDataParser q;
        ASSERT_FALSE(Feed(q, RawPacket(1, 2, {1, 2, 3, 4, 5}, false, bad))) << bad;
        EXPECT_LE(q.getBufferedSize(), 3u) << bad;
        ASSERT_TRUE(Feed(q, Packet(9, 9, {'o', 'k'}))) << bad;
        EXPECT_EQ(q.getResultData(), (Bytes{'o', 'k'}));
    }
}
