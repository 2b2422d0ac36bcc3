// Streams of the simulated DVR and its misbehaviour, read with a plain socket.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QSize>
#include <map>

#include "Common/Frame.h"
#include "support/TestMedia.h"
#include "test_sim_util.h"

using namespace simtest;
using simdvr::CSimDvr;
using simdvr::Misbehaviour;

namespace {

template <class F>
F Header(const Packet& p)
{
    F f;
    f.SetData(reinterpret_cast<const unsigned char*>(p.payload.constData()), int(p.payload.size()));
    return f;
}

QByteArray Bytes(const testmedia::AccessUnit& unit) { return QByteArray(reinterpret_cast<const char*>(unit.data.data()), int(unit.data.size())); }

QByteArray LiveQuery(uint32_t vchmask, uint32_t achmask = 0, uint32_t headerOnly = 0)
{
    cgi::Live live;
    live.set_vchmask(vchmask);
    live.set_achmask(achmask);
    live.set_header_only_mask(headerOnly);
    return Query(cgi::MODE_LIVE, live);
}

}  // namespace

TEST(SimStream, CurrentLiveCarriesTheClipsFramesAndAudio)
{
    simdvr::Config cfg = SmallConfig();
    cfg.recordMask = 0x1;
    CSimDvr dvr(cfg);
    ASSERT_TRUE(dvr.start());
    Client c;
    ASSERT_TRUE(c.open(dvr.port(), LiveQuery(0xD, 0x3, 0x8)));  // only channel 0 has an audio input
    ASSERT_TRUE(c.readUntil([&] { return c.count(cgi::DATA_VIDEO) >= 36 && c.count(cgi::DATA_AUDIO) >= 2; }));
    const simdvr::StreamInfo info = dvr.streams().at(0);
    EXPECT_EQ(c.corrupt + c.skipped, 0);
    EXPECT_TRUE(c.packets[0].type == cgi::DATA_DVR_INFO && c.packets[1].type == cgi::DATA_LIVE_STATUS);

    const testmedia::Clip clip = testmedia::LoadClip(testmedia::Codec::H264, "cif");
    ASSERT_FALSE(clip.units.empty());
    std::map<int, size_t> perChannel;
    for (const Packet& p : c.packets) {
        EXPECT_EQ(p.clientId, info.clientId);
        const CFrame f = Header<CFrame>(p);
        if (p.type == cgi::DATA_AUDIO) {
            EXPECT_TRUE(f.GetType() == FRAME_AUDIO && f.GetChannel() == 0 && p.payload.size() == 40 + 320);
        } else if (p.type == cgi::DATA_VIDEO) {
            const int ch = f.GetChannel();
            ASSERT_TRUE(f.IsValid() && (ch == 0 || ch == 2 || ch == 3)) << ch;
            EXPECT_EQ(QSize(f.GetResolution().width, f.GetResolution().height), QSize(352, 240));
            EXPECT_EQ(f.GetRecReason(), ch == 0 ? RECORD_REASON_1 : RECORD_REASON_NONE);
            const testmedia::AccessUnit& unit = clip.units[perChannel[ch]++ % clip.units.size()];
            EXPECT_EQ(f.GetSize(), unit.data.size());
            EXPECT_EQ(f.GetType(), unit.key ? FRAME_KEY : FRAME_DELTA);
            EXPECT_EQ(p.payload.mid(36), ch == 3 ? QByteArray() : Bytes(unit)) << ch;  // 3: headers only
        }
    }
    EXPECT_EQ(perChannel.size(), 3u);
}

TEST(SimStream, OldProtocolSendsRecordBigEndianLengthsAndCUFramesByModel)
{
    for (const int model : {14, 8}) {
        simdvr::Config cfg = SmallConfig(true);
        cfg.model = uint32_t(model);
        cfg.vlossMask = 0x4;
        CSimDvr dvr(cfg);
        ASSERT_TRUE(dvr.start());
        Client c(true);
        ASSERT_TRUE(c.open(dvr.port(), "MODE=0&ID=admin&PW=1234&VER=3000&CH=7"));
        ASSERT_TRUE(c.readUntil([&] { return c.count(10) + c.count(11) >= 9; }));
        EXPECT_EQ(c.corrupt, 0);
        EXPECT_TRUE(c.packets[0].type == 20 && c.packets[0].payload.size() == 214);  // the DVR record first
        const int cid = dvr.streams().at(0).clientId;
        const testmedia::Clip clip = testmedia::LoadClip(model == 8 ? testmedia::Codec::Mpeg4 : testmedia::Codec::H264, "cif");
        std::map<int, size_t> perChannel;
        for (size_t i = 1; i < c.packets.size(); ++i) {
            const Packet& p = c.packets[i];
            const CUFrame f = Header<CUFrame>(p);
            ASSERT_TRUE(f.IsValid() && p.clientId == cid && f.GetModel() == model && f.GetChannel() < 3) << model;
            EXPECT_EQ(QSize(f.GetResolution().width, f.GetResolution().height), QSize(352, 240));
            const int ch = f.GetChannel();
            const testmedia::AccessUnit& unit = clip.units[perChannel[ch]++ % clip.units.size()];
            EXPECT_EQ(f.GetType(), unit.key ? FRAME_KEY : FRAME_DELTA);
            EXPECT_EQ(p.type, unit.key ? 10 : 11);
            EXPECT_EQ(f.GetRawDataSize(), unit.data.size());
            EXPECT_EQ(p.payload.mid(80), ch == 2 ? QByteArray() : Bytes(unit)) << model;  // 2: no video, header only
        }
    }
}

TEST(SimStream, RefusedRequestsGetTheirResultCodeAndAClose)
{
    const std::tuple<bool, QByteArray, int> cases[] = {
        {false, Query(cgi::MODE_LIVE, cgi::Live(), "12345"), cgi::ERR_PASSWORD_MISS},
        {true, "MODE=0&ID=guest&PW=1234&VER=3000&CH=f", 1},
        {true, "MODE=0&ID=admin&PW=x&VER=3000&CH=f", 2},
        {true, "MODE=0&ID=admin&PW=1234&VER=2000&CH=f", 3},
    };
    for (const auto& [old, query, code] : cases) {
        CSimDvr dvr(SmallConfig(old));
        ASSERT_TRUE(dvr.start());
        const std::vector<Packet> p = Cut(Raw(dvr.port(), query, 5000), old);  // then closed
        ASSERT_EQ(p.size(), 1u) << query.constData();
        EXPECT_EQ(p[0].type, old ? 1 : 0);
        EXPECT_EQ(p[0].payload, QByteArray(1, char(code)));
    }

}

// The client's tests count on these: every good packet the counters report, and only those.
TEST(SimMisbehaviour, JunkAndCorruptPacketsAreExactlyWhatTheCountersSay)
{
    using simdvr::LengthFault;
    // Packets 5, 7, 10, 14, 15, 20, 21, 25, 28, 30, 35 and 40 are damaged; a good one ends.
    const std::tuple<bool, int, int, LengthFault, int, int, int> cases[] = {
        {false, 2, 5, LengthFault::OverLimit, 7, 41, 12}, {true, 2, 5, LengthFault::Longer, 7, 41, 12},
        {false, 1, 0, LengthFault::OverLimit, 0, 30, 0},  // junk alone
        {false, 0, 1, LengthFault::Huge, 0, 1, 1},        // 40 MiB: legal, waited for
    };
    for (const auto& [old, junk, length, fault, end, packets, corrupt] : cases) {
        SCOPED_TRACE(packets * 10 + old);
        CSimDvr dvr(SmallConfig(old));
        ASSERT_TRUE(dvr.start());
        Misbehaviour m;
        m.junkEvery = junk;
        m.corruptLengthEvery = length;
        m.lengthFault = fault;
        m.corruptEndCodeEvery = end;
        m.closeAfterPackets = packets;
        m.flood = true;
        dvr.setMisbehaviour(m);
        Client c(old);
        ASSERT_TRUE(c.open(dvr.port(), old ? QByteArray("MODE=0&ID=admin&PW=1234&VER=3000&CH=3") : LiveQuery(0x3)));
        c.readUntil([] { return false; }, 15000);
        ASSERT_TRUE(c.closed && dvr.waitUntil([&] { return !dvr.streams().back().open; }));
        const simdvr::StreamInfo info = dvr.streams().back();
        EXPECT_EQ(info.packets, packets);
        EXPECT_EQ(info.corruptPackets, corrupt);
        EXPECT_EQ(c.raw.size(), info.bytes);
        if (fault == LengthFault::Huge) {
            EXPECT_TRUE(c.packets.empty() && c.corrupt == 0);
            EXPECT_EQ(c.raw.mid(6, 4), QByteArray("\x00\x00\x80\x02", 4));  // 0x2800000 little-endian
            continue;
        }
        EXPECT_EQ(c.corrupt, corrupt);
        // Information (and status) packets plus the good frames, found again after junk and damage.
        EXPECT_EQ(info.videoFrames + (old ? 1 : 2), int64_t(c.packets.size()));
        EXPECT_EQ(int64_t(c.packets.size()), info.packets - info.corruptPackets);
        EXPECT_TRUE(corrupt || c.skipped == info.junkBytes);  // junk alone is skipped byte for byte
    }
}

TEST(SimMisbehaviour, SplitStreamsAndRepliesComeOneBytePerReadUnchanged)
{
    CSimDvr dvr(SmallConfig());
    ASSERT_TRUE(dvr.start());
    Misbehaviour m;
    m.splitPackets = 2;
    m.splitIntervalMs = 3;  // the information and status packets, some 100 bytes
    dvr.setMisbehaviour(m);
    Client c;
    ASSERT_TRUE(c.open(dvr.port(), LiveQuery(0x1)));
    ASSERT_TRUE(c.readUntil([&] { return c.count(cgi::DATA_VIDEO) >= 2; }));
    EXPECT_TRUE(c.corrupt == 0 && c.packets[0].type == cgi::DATA_DVR_INFO && c.packets[1].type == cgi::DATA_LIVE_STATUS);
    ASSERT_GT(c.readSizes.size(), 40u);
    EXPECT_GT(std::count(c.readSizes.begin(), c.readSizes.begin() + 40, 1), 30);

    // A one-shot reply whole, split, or stalled after half its body.
    const QByteArray get = "GET /cgi-bin/webapp.cgi?" + Query(cgi::MODE_GET_PICTURE_CONTROL) + " HTTP/1.1\r\n\r\n";
    dvr.setMisbehaviour(Misbehaviour());
    const QByteArray normal = Raw(dvr.port(), get);
    const int body = int(normal.indexOf("\r\n\r\n")) + 4;
    ASSERT_TRUE(normal.startsWith("HTTP/1.1 200 OK\r\n") && Cut(normal.mid(body)).size() == 1);
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
    EXPECT_EQ(Raw(dvr.port(), get, 800), normal.left(body + (normal.size() - body) / 2));
}

namespace {

// Two live streams of a DVR that hands its first client id out again, each past its first frame.
struct TwoStreamsOneId {
    TwoStreamsOneId()
    {
        simdvr::Config cfg = SmallConfig();
        cfg.reuseClientId = true;
        cfg.firstClientId = 7;
        dvr.setConfig(cfg);
        ok = dvr.start() && first.open(dvr.port(), LiveQuery(0x1)) && dvr.waitForStreams(1)
             && second.open(dvr.port(), LiveQuery(0x1)) && first.readUntil([&] { return first.count(cgi::DATA_VIDEO) >= 1; })
             && second.readUntil([&] { return second.count(cgi::DATA_VIDEO) >= 1; })
             && dvr.streams().size() == 2;
    }
    CSimDvr dvr;
    Client first, second;
    bool ok = false;
};

}  // namespace

TEST(SimStream, AReusedClientIdGoesToEveryStreamAtOnce)
{
    TwoStreamsOneId s;
    ASSERT_TRUE(s.ok);
    for (const simdvr::StreamInfo& info : s.dvr.streams()) {
        EXPECT_TRUE(info.open) << info.id;
        EXPECT_EQ(info.clientId, 7) << info.id;
    }
    for (const Client* c : {&s.first, &s.second})
        for (const Packet& p : c->packets)
            EXPECT_EQ(p.clientId, 7);
}

TEST(SimStream, AStopForAReusedClientIdEndsOnlyTheNewestStream)
{
    TwoStreamsOneId s;
    ASSERT_TRUE(s.ok);
    cgi::StreamStop stop;
    stop.set_stream_id(7);
    const std::vector<Packet> reply = Cut(Http(s.dvr.port(), Query(cgi::MODE_STREAM_STOP, stop)));
    ASSERT_EQ(reply.size(), 1u);
    ASSERT_TRUE(s.dvr.waitUntil([&] { return !s.dvr.stream(2).open; }));
    EXPECT_TRUE(s.dvr.stream(2).stopped);
    EXPECT_TRUE(s.dvr.stream(2).closedBySim);
    EXPECT_TRUE(s.dvr.stream(1).open);
    EXPECT_FALSE(s.dvr.stream(1).stopped);
    // The older stream goes on.
    const int frames = s.first.count(cgi::DATA_VIDEO);
    EXPECT_TRUE(s.first.readUntil([&] { return s.first.count(cgi::DATA_VIDEO) > frames; }));
}

TEST(SimStream, ALiveStreamStartsAtTheConfiguredFrameOfTheClip)
{
    const testmedia::Clip clip = testmedia::LoadClip(testmedia::Codec::H264, "cif");
    ASSERT_GT(clip.units.size(), 31u);
    ASSERT_TRUE(!clip.units[15].key && clip.units[30].key);  // mid-interval, as the test means
    simdvr::Config cfg = SmallConfig();
    cfg.startFrame = 15;
    CSimDvr dvr(cfg);
    ASSERT_TRUE(dvr.start());
    Client c;
    ASSERT_TRUE(c.open(dvr.port(), LiveQuery(0x1)));
    ASSERT_TRUE(c.readUntil([&] { return c.count(cgi::DATA_VIDEO) >= 20; }));
    size_t i = 0;
    int firstKey = -1;
    for (const Packet& p : c.packets) {
        if (p.type != cgi::DATA_VIDEO)
            continue;
        const testmedia::AccessUnit& unit = clip.units[(15 + i) % clip.units.size()];
        EXPECT_EQ(p.payload.mid(36), Bytes(unit)) << i;
        if (firstKey < 0 && Header<CFrame>(p).GetType() == FRAME_KEY)
            firstKey = int(i);
        ++i;
    }
    EXPECT_EQ(firstKey, 15);  // half a second in
}

// Some old DVRs stamp the audio stream of a backup with their present clock, the video with the
// recording's times.
TEST(SimStream, AnOldBackupsAudioStreamCanRunOnTheDvrsPresentClock)
{
    simdvr::Config cfg = SmallConfig(true);
    cfg.model = 14;
    cfg.fps = 10;
    cfg.oldAudioPresentClock = true;
    CSimDvr dvr(cfg);
    ASSERT_TRUE(dvr.start());
    Client video(true);
    ASSERT_TRUE(video.open(dvr.port(), "MODE=2&STARTTIME=010909014640&ENDTIME=010909014650&ID=admin&PW=1234&VER=3000&CH=1"));
    ASSERT_TRUE(video.readUntil([&] { return video.count(10) >= 1; }));
    const int cid = dvr.streams().at(0).clientId;
    Client audio(true);
    ASSERT_TRUE(audio.open(dvr.port(), "MODE=3&ID=admin&PW=1234&VER=3000&CH=1&CID=" + QByteArray::number(cid + 100)));
    ASSERT_TRUE(audio.readUntil([&] { return audio.count(2) >= 1; }));
    const int64_t now = QDateTime::currentSecsSinceEpoch();
    EXPECT_EQ(Header<CUFrame>(video.packets.at(1)).GetTime().sec, 1000000000);
    EXPECT_NEAR(double(Header<CUFrame>(audio.packets.at(0)).GetTime().sec), double(now), 5);
}
