// The pacing and misbehaviour knobs of the simulated DVR do what they say.
#include <gtest/gtest.h>

#include "Common/Frame.h"
#include "test_sim_util.h"

using namespace simtest;
using simdvr::CSimDvr;
using simdvr::LengthFault;
using simdvr::Misbehaviour;

namespace {

QByteArray LiveQuery(uint32_t vchmask)
{
    cgi::Live live;
    live.set_vchmask(vchmask);
    live.set_achmask(0);
    return Query(cgi::MODE_LIVE, live);
}

}  // namespace

TEST(SimMisbehaviour, JunkAndCorruptPacketsAreExactlyWhatTheCountersSay)
{
    struct Case {
        bool old;
        int junkEvery, corruptLengthEvery;
        LengthFault fault;
        int corruptEndEvery, packets, corrupt;
    } const cases[] = {
        // Packets 5, 7, 10, 14, 15, 20, 21, 25, 28, 30, 35 and 40 are damaged; a good one ends.
        {false, 2, 5, LengthFault::OverLimit, 7, 41, 12},
        {false, 2, 5, LengthFault::Longer, 7, 41, 12},
        {true, 2, 5, LengthFault::OverLimit, 7, 41, 12},
        {true, 2, 5, LengthFault::Longer, 7, 41, 12},
        {false, 1, 0, LengthFault::OverLimit, 0, 30, 0},  // junk alone
        {false, 0, 1, LengthFault::Huge, 0, 1, 1},        // 40 MiB: legal, waited for
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "old " << k.old << " fault " << int(k.fault) << " packets " << k.packets);
        CSimDvr dvr(SmallConfig(k.old));
        ASSERT_TRUE(dvr.start());
        Misbehaviour m;
        m.junkEvery = k.junkEvery;
        m.corruptLengthEvery = k.corruptLengthEvery;
        m.lengthFault = k.fault;
        m.corruptEndCodeEvery = k.corruptEndEvery;
        m.closeAfterPackets = k.packets;
        m.flood = true;
        dvr.setMisbehaviour(m);
        Client c(k.old);
        ASSERT_TRUE(c.open(dvr.port(), k.old ? QByteArray("MODE=0&ID=admin&PW=1234&VER=3000&CH=3") : LiveQuery(0x3)));
        c.readUntil([] { return false; }, 15000);
        ASSERT_TRUE(c.closed);
        ASSERT_TRUE(dvr.waitUntil([&] { return !dvr.streams().back().open; }));
        const simdvr::StreamInfo info = dvr.streams().back();
        EXPECT_EQ(info.packets, k.packets);
        EXPECT_EQ(info.corruptPackets, k.corrupt);
        EXPECT_EQ(c.raw.size(), info.bytes);
        if (k.fault == LengthFault::Huge) {
            EXPECT_TRUE(c.packets.empty() && c.corrupt == 0);
            EXPECT_EQ(c.raw.mid(6, 4), QByteArray("\x00\x00\x80\x02", 4));  // 0x2800000 little-endian
            continue;
        }
        EXPECT_EQ(c.corrupt, k.corrupt);
        EXPECT_EQ(int64_t(c.packets.size()), info.packets - info.corruptPackets)
            << "every good packet is found again after junk and damage";
        EXPECT_EQ(info.videoFrames + (k.old ? 1 : 2), int64_t(c.packets.size()))
            << "information (and status) packets plus the good frames";
        EXPECT_GE(info.junkBytes, k.packets / k.junkEvery);
        EXPECT_TRUE(k.corrupt || c.skipped == info.junkBytes) << "junk alone is skipped byte for byte";
    }
}

TEST(SimMisbehaviour, PacedWithRisingTimeStampsUnlessFlooded)
{
    simdvr::Config cfg = SmallConfig();
    cfg.fps = 20;
    cfg.audioMask = 0;
    CSimDvr dvr(cfg);
    ASSERT_TRUE(dvr.start());
    Client c;
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(c.open(dvr.port(), LiveQuery(0x1)));
    c.readFor(600);
    const int paced = c.count(cgi::DATA_VIDEO);
    EXPECT_GE(paced, 2);
    EXPECT_LE(paced, t.elapsed() * 20 / 1000 + 2) << "more frames than the rate allows";
    int64_t last = 0;
    for (const Packet& p : c.packets) {
        if (p.type != cgi::DATA_VIDEO)
            continue;
        CFrame f;
        f.SetData(reinterpret_cast<const unsigned char*>(p.payload.constData()), int(p.payload.size()));
        EXPECT_GE(f.GetTime().sec * 1000 + f.GetTime().usec / 1000, last);
        last = f.GetTime().sec * 1000 + f.GetTime().usec / 1000;
    }

    // A flood outruns the rate: 200 frames would take 10 s.
    Misbehaviour m;
    m.flood = true;
    dvr.setMisbehaviour(m);
    t.restart();
    ASSERT_TRUE(c.readUntil([&] { return c.count(cgi::DATA_VIDEO) >= paced + 200; }, 10000));
    EXPECT_LT(t.elapsed(), 9000);
    EXPECT_EQ(c.corrupt, 0);
}

TEST(SimMisbehaviour, SplitStreamsAndRepliesComeOneBytePerReadUnchanged)
{
    CSimDvr dvr(SmallConfig());
    ASSERT_TRUE(dvr.start());
    Misbehaviour m;
    m.splitPackets = 2;  // the information and status packets, some 100 bytes
    m.splitIntervalMs = 3;
    dvr.setMisbehaviour(m);
    Client c;
    ASSERT_TRUE(c.open(dvr.port(), LiveQuery(0x1)));
    ASSERT_TRUE(c.readUntil([&] { return c.count(cgi::DATA_VIDEO) >= 2; }));
    EXPECT_EQ(c.corrupt, 0);
    EXPECT_EQ(c.packets[0].type, cgi::DATA_DVR_INFO);
    EXPECT_EQ(c.packets[1].type, cgi::DATA_LIVE_STATUS);
    ASSERT_GT(c.readSizes.size(), 40u);
    EXPECT_GT(std::count(c.readSizes.begin(), c.readSizes.begin() + 40, 1), 30);

    // A one-shot reply whole, split, or stalled after half its body.
    const QByteArray get = "GET /cgi-bin/webapp.cgi?" + Query(cgi::MODE_GET_PICTURE_CONTROL) +
                           " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
    dvr.setMisbehaviour(Misbehaviour());
    const QByteArray normal = Raw(dvr.port(), get);
    const int bodyStart = int(normal.indexOf("\r\n\r\n")) + 4;
    ASSERT_TRUE(normal.startsWith("HTTP/1.1 200 OK\r\n"));
    ASSERT_EQ(Cut(normal.mid(bodyStart)).size(), 1u);
    m = Misbehaviour();
    m.replySplit = true;
    m.splitIntervalMs = 1;
    dvr.setMisbehaviour(m);
    std::vector<int> sizes;
    EXPECT_EQ(Raw(dvr.port(), get, 20000, &sizes), normal);
    EXPECT_GT(std::count(sizes.begin(), sizes.end(), 1), normal.size() / 2);
    m = Misbehaviour();
    m.replyStall = true;
    dvr.setMisbehaviour(m);
    EXPECT_EQ(Raw(dvr.port(), get, 800), normal.left(bodyStart + (normal.size() - bodyStart) / 2));
}
