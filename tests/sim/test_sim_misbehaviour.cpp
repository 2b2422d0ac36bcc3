// The misbehaviour knobs of the simulated DVR do what they say.
#include <gtest/gtest.h>

#include "test_sim_util.h"

using namespace simtest;
using simdvr::CSimDvr;

namespace {

QByteArray LiveQuery(uint32_t vchmask)
{
    cgi::Live live;
    live.set_vchmask(vchmask);
    live.set_achmask(0);
    return CurrentQuery(cgi::MODE_LIVE, "admin", "1234", live);
}

// Runs one stream that the DVR closes after `packets` packets and reads it to the end.
simdvr::StreamInfo RunClosedStream(CSimDvr& dvr, StreamClient& c, bool old = false)
{
    const QByteArray q = old ? QByteArray("MODE=0&ID=admin&PW=1234&VER=3000&CH=3") : LiveQuery(0x3);
    EXPECT_TRUE(c.open(dvr.port(), q));
    c.readUntil([] { return false; }, 15000);
    EXPECT_TRUE(c.closed);
    EXPECT_TRUE(dvr.waitUntil([&] { return !dvr.streams().empty() && !dvr.streams().back().open; }));
    return dvr.streams().back();
}

}  // namespace

TEST(SimMisbehaviour, JunkAndCorruptPacketsAreExactlyWhatTheCountersSay)
{
    for (const bool old : {false, true}) {
        for (const simdvr::LengthFault fault : {simdvr::LengthFault::OverLimit, simdvr::LengthFault::Longer}) {
            SCOPED_TRACE(testing::Message() << "old " << old << " fault " << static_cast<int>(fault));
            simdvr::Config cfg = SmallConfig();
            cfg.oldProtocol = old;
            CSimDvr dvr(cfg);
            ASSERT_TRUE(dvr.start());
            simdvr::Misbehaviour m;
            m.junkEvery = 2;
            m.corruptLengthEvery = 5;
            m.lengthFault = fault;
            m.corruptEndCodeEvery = 7;
            m.closeAfterPackets = 41;  // a good packet after the last damaged one
            m.flood = true;
            dvr.setMisbehaviour(m);
            StreamClient c(old);
            const simdvr::StreamInfo info = RunClosedStream(dvr, c, old);

            EXPECT_EQ(info.packets, 41);
            // Packets 5, 7, 10, 14, 15, 20, 21, 25, 28, 30, 35 and 40 are damaged.
            EXPECT_EQ(info.corruptPackets, 12);
            EXPECT_GT(info.junkBytes, 0);
            EXPECT_EQ(c.total, info.bytes);
            EXPECT_EQ(static_cast<int64_t>(c.cutter.packets.size()), info.packets - info.corruptPackets)
                << "every good packet is found again after junk and damage";
            EXPECT_EQ(c.cutter.corrupt, 12);
            EXPECT_EQ(info.videoFrames + (old ? 1 : 2), static_cast<int64_t>(c.cutter.packets.size()))
                << "information (and status) packets plus the good frames";
        }
    }
}

TEST(SimMisbehaviour, JunkAloneIsSkippedByteForByte)
{
    CSimDvr dvr(SmallConfig());
    ASSERT_TRUE(dvr.start());
    simdvr::Misbehaviour m;
    m.junkEvery = 1;
    m.closeAfterPackets = 30;
    m.flood = true;
    dvr.setMisbehaviour(m);
    StreamClient c;
    const simdvr::StreamInfo info = RunClosedStream(dvr, c);
    EXPECT_EQ(c.cutter.corrupt, 0);
    EXPECT_EQ(static_cast<int64_t>(c.cutter.packets.size()), 30);
    EXPECT_EQ(c.cutter.skipped, info.junkBytes);
    EXPECT_GE(info.junkBytes, 30);
}

TEST(SimMisbehaviour, HugeLengthIsLegalButNeverCompletes)
{
    CSimDvr dvr(SmallConfig());
    ASSERT_TRUE(dvr.start());
    simdvr::Misbehaviour m;
    m.corruptLengthEvery = 1;
    m.lengthFault = simdvr::LengthFault::Huge;
    m.closeAfterPackets = 1;
    dvr.setMisbehaviour(m);
    StreamClient c;
    RunClosedStream(dvr, c);
    ASSERT_GE(c.raw.size(), 14);
    EXPECT_EQ(c.raw.mid(6, 4), QByteArray("\x00\x00\x80\x02", 4));  // 0x2800000 little-endian
    EXPECT_TRUE(c.cutter.packets.empty());
    EXPECT_EQ(c.cutter.corrupt, 0) << "a length of 40 MiB is waited for";
}

TEST(SimMisbehaviour, SplitPacketsArriveOneByteAtATimeAndUnchanged)
{
    simdvr::Config cfg = SmallConfig();
    CSimDvr dvr(cfg);
    ASSERT_TRUE(dvr.start());
    simdvr::Misbehaviour m;
    m.splitPackets = 2;  // the information and status packets
    m.splitIntervalMs = 3;
    dvr.setMisbehaviour(m);
    StreamClient c;
    ASSERT_TRUE(c.open(dvr.port(), LiveQuery(0x1)));
    ASSERT_TRUE(c.readUntil([&] { return c.count(cgi::DATA_VIDEO) >= 2; }));
    ASSERT_GE(c.cutter.packets.size(), 3u);
    EXPECT_EQ(c.cutter.corrupt, 0);
    const int splitBytes = c.cutter.packets[0].payload.size() + c.cutter.packets[1].payload.size() + 28;
    // The first reads are single bytes; most of the split bytes come one per read.
    int singles = 0, covered = 0;
    for (int s : c.readSizes) {
        if (covered >= splitBytes - 1)
            break;
        singles += s == 1;
        covered += s;
    }
    EXPECT_GT(singles, splitBytes / 2) << "reads " << c.readSizes.size();
    EXPECT_EQ(c.cutter.packets[0].type, cgi::DATA_DVR_INFO);
    EXPECT_EQ(c.cutter.packets[1].type, cgi::DATA_LIVE_STATUS);
}

TEST(SimMisbehaviour, StallStopsTheStreamAndResumesWithoutABurst)
{
    simdvr::Config cfg = SmallConfig();
    cfg.fps = 20;
    CSimDvr dvr(cfg);
    ASSERT_TRUE(dvr.start());
    StreamClient c;
    ASSERT_TRUE(c.open(dvr.port(), LiveQuery(0x1)));
    ASSERT_TRUE(c.readUntil([&] { return c.count(cgi::DATA_VIDEO) >= 2; }));
    simdvr::Misbehaviour m;
    m.stall = true;
    dvr.setMisbehaviour(m);
    c.readFor(400);  // what was under way
    EXPECT_EQ(c.readFor(600), 0);
    EXPECT_FALSE(c.closed);
    const int before = c.count(cgi::DATA_VIDEO);
    dvr.setMisbehaviour(simdvr::Misbehaviour());
    QElapsedTimer t;
    t.start();
    c.readFor(300);
    const int after = c.count(cgi::DATA_VIDEO) - before;
    EXPECT_GE(after, 1);
    EXPECT_LE(after, static_cast<int>(t.elapsed() * 20 / 1000) + 2);
}

TEST(SimMisbehaviour, CloseBeforeOrAfterData)
{
    CSimDvr dvr(SmallConfig());
    ASSERT_TRUE(dvr.start());
    simdvr::Misbehaviour m;
    m.closeAfterPackets = 0;
    dvr.setMisbehaviour(m);
    StreamClient before;
    simdvr::StreamInfo info = RunClosedStream(dvr, before);
    EXPECT_EQ(before.total, 0);
    EXPECT_TRUE(info.closedBySim);

    m.closeAfterPackets = 5;
    dvr.setMisbehaviour(m);
    StreamClient after;
    info = RunClosedStream(dvr, after);
    EXPECT_EQ(after.cutter.packets.size(), 5u);
    EXPECT_EQ(after.cutter.pending(), 0);
}

TEST(SimMisbehaviour, ErrorCodeInsteadOfAStream)
{
    CSimDvr dvr(SmallConfig());
    ASSERT_TRUE(dvr.start());
    simdvr::Misbehaviour m;
    m.streamErrorCode = cgi::ERR_NETWORK_TIMEOUT;
    m.closeAfterError = false;
    dvr.setMisbehaviour(m);
    StreamClient c;
    ASSERT_TRUE(c.open(dvr.port(), LiveQuery(0x1)));
    c.readFor(500);
    EXPECT_FALSE(c.closed) << "kept open on request";
    ASSERT_EQ(c.cutter.packets.size(), 1u);
    EXPECT_EQ(c.cutter.packets[0].type, cgi::DATA_RESPONSE);
    EXPECT_EQ(c.cutter.packets[0].payload, QByteArray(1, cgi::ERR_NETWORK_TIMEOUT));
}

TEST(SimMisbehaviour, FloodOutrunsThePacedRate)
{
    simdvr::Config cfg = SmallConfig();
    cfg.fps = 10;
    CSimDvr dvr(cfg);
    ASSERT_TRUE(dvr.start());
    simdvr::Misbehaviour m;
    m.flood = true;
    dvr.setMisbehaviour(m);
    StreamClient c;
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(c.open(dvr.port(), LiveQuery(0x1)));
    ASSERT_TRUE(c.readUntil([&] { return c.count(cgi::DATA_VIDEO) >= 200; }, 20000));
    // At the paced rate 200 frames would take 20 s.
    EXPECT_LT(t.elapsed(), 20000 * 9 / 10);
    EXPECT_EQ(c.cutter.corrupt, 0);
}

TEST(SimMisbehaviour, OneShotRepliesSplitStallOrDrop)
{
    CSimDvr dvr(SmallConfig());
    ASSERT_TRUE(dvr.start());
    const QByteArray get = "GET /cgi-bin/webapp.cgi?"
                           + CurrentQuery(cgi::MODE_GET_PICTURE_CONTROL, "admin", "1234", cgi::NullMsg())
                           + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
    const QByteArray normal = RawExchange(dvr.port(), get);
    ASSERT_TRUE(normal.startsWith("HTTP/1.1 200 OK\r\n"));
    const QByteArray body = normal.mid(normal.indexOf("\r\n\r\n") + 4);
    ASSERT_EQ(Cut(body).size(), 1u);

    simdvr::Misbehaviour m;
    m.replySplit = true;
    m.splitIntervalMs = 1;
    dvr.setMisbehaviour(m);
    std::vector<int> sizes;
    EXPECT_EQ(RawExchange(dvr.port(), get, 20000, &sizes), normal);
    int singles = 0;
    for (int s : sizes)
        singles += s == 1;
    EXPECT_GT(singles, normal.size() / 2);

    m = simdvr::Misbehaviour();
    m.replyStall = true;
    dvr.setMisbehaviour(m);
    const QByteArray stalled = RawExchange(dvr.port(), get, 800);
    EXPECT_EQ(stalled, normal.left(normal.indexOf("\r\n\r\n") + 4 + body.size() / 2));

    m = simdvr::Misbehaviour();
    m.replyDrop = true;
    dvr.setMisbehaviour(m);
    EXPECT_TRUE(RawExchange(dvr.port(), get, 3000).isEmpty());
    ASSERT_TRUE(dvr.waitUntil([&] { return dvr.requests().size() == 4; }));
}
