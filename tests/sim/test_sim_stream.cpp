// Streams of the simulated DVR, read with a plain socket and cut with the project's parser.
#include <gtest/gtest.h>

#include <QSize>
#include <map>

#include "Common/Frame.h"
#include "cgi_response.pb.h"
#include "support/TestMedia.h"
#include "test_sim_util.h"

using namespace simtest;
using simdvr::CSimDvr;

namespace {

template <class F>
F Header(const Packet& p)
{
    F f;
    f.SetData(reinterpret_cast<const unsigned char*>(p.payload.constData()), int(p.payload.size()));
    return f;
}

QByteArray Bytes(const testmedia::AccessUnit& unit)
{
    return QByteArray(reinterpret_cast<const char*>(unit.data.data()), int(unit.data.size()));
}

// The message of the last packet of a type.
template <class M>
M Last(const Client& c, uint8_t type)
{
    M m;
    for (const Packet& p : c.packets)
        if (p.type == type)
            m.ParseFromArray(p.payload.constData(), int(p.payload.size()));
    return m;
}

cgi::Live Live(uint32_t vchmask, uint32_t achmask = 0)
{
    cgi::Live live;
    live.set_vchmask(vchmask);
    live.set_achmask(achmask);
    return live;
}

}  // namespace

TEST(SimStream, CurrentLiveCarriesTheClipsFramesAndAudio)
{
    simdvr::Config cfg = SmallConfig();
    cfg.recordMask = 0x1;
    CSimDvr dvr(cfg);
    ASSERT_TRUE(dvr.start());
    cgi::Live live = Live(0xD, 0x3);  // only channel 0 has an audio input
    live.set_header_only_mask(0x8);
    Client c;
    ASSERT_TRUE(c.open(dvr.port(), Query(cgi::MODE_LIVE, live)));
    ASSERT_TRUE(c.readUntil([&] { return c.count(cgi::DATA_VIDEO) >= 36 && c.count(cgi::DATA_AUDIO) >= 2; }));
    const simdvr::StreamInfo info = dvr.streams().at(0);
    EXPECT_EQ(info.vchmask, 0xDu);
    EXPECT_EQ(info.achmask, 0x1u);
    EXPECT_EQ(c.corrupt + c.skipped, 0);
    // Information and status first.
    const std::vector<Packet>& packets = c.packets;
    EXPECT_EQ(packets[0].type, cgi::DATA_DVR_INFO);
    EXPECT_EQ(packets[1].type, cgi::DATA_LIVE_STATUS);

    const testmedia::Clip clip = testmedia::LoadClip(testmedia::Codec::H264, "cif");
    ASSERT_FALSE(clip.units.empty());
    std::map<int, size_t> perChannel;
    for (const Packet& p : packets) {
        EXPECT_EQ(p.clientId, info.clientId);
        const CFrame f = Header<CFrame>(p);
        if (p.type == cgi::DATA_AUDIO) {
            EXPECT_EQ(f.GetType(), FRAME_AUDIO);
            EXPECT_EQ(f.GetChannel(), 0);
            EXPECT_EQ(p.payload.size(), 40 + 320);
            EXPECT_TRUE(f.FitsIn(size_t(p.payload.size())));
        } else if (p.type == cgi::DATA_VIDEO) {
            const int ch = f.GetChannel();
            ASSERT_TRUE(f.IsValid() && (ch == 0 || ch == 2 || ch == 3)) << ch;
            EXPECT_EQ(QSize(f.GetResolution().width, f.GetResolution().height), QSize(352, 240));
            EXPECT_EQ(f.GetRecReason(), ch == 0 ? RECORD_REASON_1 : RECORD_REASON_NONE);
            const testmedia::AccessUnit& unit = clip.units[perChannel[ch]++ % clip.units.size()];
            EXPECT_EQ(f.GetSize(), unit.data.size());
            EXPECT_EQ(f.GetType(), unit.key ? FRAME_KEY : FRAME_DELTA);
            // Channel 3 asked for headers only.
            EXPECT_EQ(p.payload.mid(36), ch == 3 ? QByteArray() : Bytes(unit)) << "frame of channel " << ch;
        }
    }
    EXPECT_EQ(perChannel.size(), 3u);
}

TEST(SimStream, OldProtocolSendsRecordBigEndianLengthsAndCUFramesByModel)
{
    for (const int model : {14, 8}) {
        SCOPED_TRACE(model);
        simdvr::Config cfg = SmallConfig(true);
        cfg.model = uint32_t(model);
        cfg.vlossMask = 0x4;
        CSimDvr dvr(cfg);
        ASSERT_TRUE(dvr.start());
        Client c(true);
        ASSERT_TRUE(c.open(dvr.port(), "MODE=0&ID=admin&PW=1234&VER=3000&CH=7"));
        ASSERT_TRUE(c.readUntil([&] { return c.count(10) + c.count(11) >= 9; }));
        EXPECT_EQ(c.corrupt, 0);
        const int cid = dvr.streams().at(0).clientId;
        // The DVR record first.
        EXPECT_EQ(c.packets[0].type, 20);
        EXPECT_EQ(c.packets[0].payload.size(), 214);

        const testmedia::Clip clip = testmedia::LoadClip(model == 8 ? testmedia::Codec::Mpeg4 : testmedia::Codec::H264, "cif");
        std::map<int, size_t> perChannel;
        for (size_t i = 1; i < c.packets.size(); ++i) {
            const Packet& p = c.packets[i];
            EXPECT_EQ(p.clientId, cid);
            const CUFrame f = Header<CUFrame>(p);
            ASSERT_TRUE(f.IsValid());
            EXPECT_EQ(f.GetModel(), model);
            EXPECT_EQ(QSize(f.GetResolution().width, f.GetResolution().height), QSize(352, 240));
            const int ch = f.GetChannel();
            ASSERT_LT(ch, 3);
            const testmedia::AccessUnit& unit = clip.units[perChannel[ch]++ % clip.units.size()];
            EXPECT_EQ(f.GetType(), unit.key ? FRAME_KEY : FRAME_DELTA);
            EXPECT_EQ(p.type, unit.key ? 10 : 11);
            EXPECT_EQ(f.GetRawDataSize(), unit.data.size());
            // A channel without video sends its header only.
            EXPECT_EQ(p.payload.mid(80), ch == 2 ? QByteArray() : Bytes(unit));
        }
        if (model == 8) {  // MPEG-4 part 2 starts with its sequence headers
            const QByteArray start = c.packets[1].payload.mid(80, 4);
            EXPECT_TRUE(start.startsWith(QByteArray("\0\0\1", 3)) && (uint8_t(start[3]) == 0xB0 || uint8_t(start[3]) <= 0x2F));
        }

        // The audio stream takes the id the client gives it and sends G.726 frames.
        Client a(true);
        ASSERT_TRUE(a.open(dvr.port(), "MODE=1&ID=admin&PW=1234&VER=3000&CH=1&CID=" + QByteArray::number(cid + 100)));
        ASSERT_TRUE(a.readUntil([&] { return a.count(2) >= 2; }));
        for (const Packet& p : a.packets) {
            EXPECT_EQ(p.type, 2);
            EXPECT_EQ(p.clientId, cid + 100);
            EXPECT_EQ(Header<CUFrame>(p).GetType(), FRAME_AUDIO);
            EXPECT_EQ(Header<CUFrame>(p).GetRawDataSize(), 1200u);
            EXPECT_EQ(p.payload.size(), 80 + 1200);
        }
    }
}

TEST(SimStream, RefusalsClientLimitAndTheStopCommand)
{
    const std::tuple<bool, QByteArray, int> cases[] = {
        {false, Query(cgi::MODE_LIVE, cgi::Live(), "12345"), cgi::ERR_PASSWORD_MISS},
        {true, "MODE=0&ID=guest&PW=1234&VER=3000&CH=f", 1},
        {true, "MODE=0&ID=admin&PW=x&VER=3000&CH=f", 2},
        {true, "MODE=0&ID=admin&PW=1234&VER=2000&CH=f", 3},
    };
    for (const auto& [old, query, code] : cases) {
        SCOPED_TRACE(query.toStdString());
        CSimDvr dvr(SmallConfig(old));
        ASSERT_TRUE(dvr.start());
        Client c(old);
        ASSERT_TRUE(c.open(dvr.port(), query));
        c.readUntil([] { return false; }, 5000);
        EXPECT_TRUE(c.closed);
        ASSERT_EQ(c.packets.size(), 1u);
        EXPECT_EQ(c.packets[0].type, old ? 1 : 0);
        EXPECT_EQ(c.packets[0].payload, QByteArray(1, char(code)));
        EXPECT_EQ(dvr.streams().at(0).errorCode, code);
    }

    // A stream closed without its stop command keeps its slot.
    simdvr::Config cfg = SmallConfig();
    cfg.maxClients = 1;
    cfg.keepSlotOnClose = true;
    CSimDvr dvr(cfg);
    ASSERT_TRUE(dvr.start());
    const QByteArray q = Query(cgi::MODE_LIVE, Live(1));
    int firstId = -1;
    {
        Client first;
        ASSERT_TRUE(first.open(dvr.port(), q));
        ASSERT_TRUE(first.readUntil([&] { return first.count(cgi::DATA_VIDEO) >= 1; }));
        firstId = first.packets[0].clientId;
    }
    ASSERT_TRUE(dvr.waitUntil([&] { return !dvr.streams()[0].open; }));
    EXPECT_EQ(Cut(Raw(dvr.port(), q, 5000)).at(0).payload, QByteArray(1, cgi::ERR_CLIENT_LIMIT));
    cgi::StreamStop stop;
    stop.set_stream_id(uint32_t(firstId));
    Http(dvr.port(), "POST", Query(cgi::MODE_STREAM_STOP, stop));
    EXPECT_TRUE(dvr.streams()[0].stopped);
    Client third;
    ASSERT_TRUE(third.open(dvr.port(), q));
    EXPECT_TRUE(third.readUntil([&] { return third.count(cgi::DATA_VIDEO) >= 1; }));
}

TEST(SimStream, CommandsChangeChannelsStatusPlaybackAndStopTheStream)
{
    simdvr::Config cfg = SmallConfig();
    cfg.audioMask = 0;
    CSimDvr dvr(cfg);
    ASSERT_TRUE(dvr.start());
    Client c;
    ASSERT_TRUE(c.open(dvr.port(), Query(cgi::MODE_LIVE, Live(0x1))));
    ASSERT_TRUE(c.readUntil([&] { return c.count(cgi::DATA_VIDEO) >= 1; }));
    const int cid = c.packets[0].clientId;
    cgi::StreamChannel sc;
    sc.set_stream_id(uint32_t(cid));
    sc.set_vchmask(0x2);
    sc.set_achmask(0);
    Http(dvr.port(), "POST", Query(cgi::MODE_STREAM_CHANNEL, sc));
    dvr.setLiveStatus(0x2, 0, 0x1, 0x8);
    ASSERT_TRUE(c.readUntil([&] { return c.count(cgi::DATA_LIVE_STATUS) >= 2 && c.count(cgi::DATA_VIDEO) >= 8; }));
    // Frames written before the command may still be on their way; the last ones are channel 1.
    EXPECT_EQ(Header<CFrame>(c.packets.back()).GetChannel(), 1);
    const auto st = Last<cgi::LiveStatus>(c, cgi::DATA_LIVE_STATUS);
    EXPECT_EQ(st.record_chmask(), 0x2u);
    EXPECT_EQ(st.sensor_chmask(), 0x8u);
    cgi::StreamStop stop;
    stop.set_stream_id(uint32_t(cid));
    Http(dvr.port(), "POST", Query(cgi::MODE_STREAM_STOP, stop));
    c.readUntil([] { return false; }, 5000);
    EXPECT_TRUE(c.closed);

    // Playback: PbStatus first, a pause stops the frames and is reported.
    cgi::Playback pb;
    pb.set_start_time(1300000000);
    pb.set_vchmask(0x1);
    pb.set_achmask(0);
    Client play;
    ASSERT_TRUE(play.open(dvr.port(), Query(cgi::MODE_PLAYBACK, pb)));
    ASSERT_TRUE(play.readUntil([&] { return play.count(cgi::DATA_VIDEO) >= 3; }));
    ASSERT_EQ(play.packets[1].type, cgi::DATA_PB_STATUS);
    EXPECT_EQ(Header<CFrame>(play.packets[2]).GetTime().sec, 1300000000);
    cgi::PbControl pause;
    pause.set_stream_id(play.packets[0].clientId);
    pause.set_cmd(cgi::PbControl::CMD_PAUSE);
    Http(dvr.port(), "POST", Query(cgi::MODE_PB_CONTROL, pause));
    ASSERT_TRUE(play.readUntil([&] { return play.count(cgi::DATA_PB_STATUS) >= 2; }));
    const int framesAtPause = play.count(cgi::DATA_VIDEO);
    play.readFor(400);
    EXPECT_LE(play.count(cgi::DATA_VIDEO), framesAtPause + 1);
    EXPECT_EQ(Last<cgi::PbStatus>(play, cgi::DATA_PB_STATUS).mode(), uint32_t(PB_PAUSE));
}
