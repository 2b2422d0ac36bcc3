// Streams of the simulated DVR, read with a plain socket and cut with the project's parser.
#include <gtest/gtest.h>

#include <QtEndian>

#include "Common/Frame.h"
#include "cgi_response.pb.h"
#include "support/TestMedia.h"
#include "test_sim_util.h"

using namespace simtest;
using simdvr::CSimDvr;

namespace {

QByteArray OldQuery(const QByteArray& keys)
{
    return keys;
}

}  // namespace

TEST(SimStream, CurrentLiveCarriesInfoStatusAndRealFramesOfTheRequestedChannels)
{
    simdvr::Config cfg = SmallConfig();
    cfg.channelNames = QStringList{"Door", "Yard"};
    cfg.recordMask = 0x1;
    cfg.motionMask = 0x4;
    CSimDvr dvr(cfg);
    ASSERT_TRUE(dvr.start());

    cgi::Live live;
    live.set_vchmask(0x5 | 0x8);
    live.set_achmask(0x3);  // only channel 0 has an audio input
    live.set_header_only_mask(0x8);
    StreamClient c;
    ASSERT_TRUE(c.open(dvr.port(), CurrentQuery(cgi::MODE_LIVE, "admin", "1234", live)));
    ASSERT_TRUE(c.readUntil([&] { return c.count(cgi::DATA_VIDEO) >= 3 * 12 && c.count(cgi::DATA_AUDIO) >= 2; }));

    simdvr::Request req;
    ASSERT_TRUE(dvr.waitForRequest([](const simdvr::Request& r) { return r.transport == simdvr::Transport::Stream; },
                                   2000, &req));
    EXPECT_TRUE(req.version.isEmpty());
    EXPECT_EQ(req.mode, 0);
    EXPECT_EQ(req.user, "admin");
    EXPECT_EQ(req.password, "1234");
    EXPECT_EQ(req.dataType, "cgi.Live");
    cgi::Live seen;
    ASSERT_TRUE(req.message(&seen));
    EXPECT_EQ(seen.header_only_mask(), 0x8u);

    const simdvr::StreamInfo info = dvr.stream(req.streamId);
    ASSERT_GE(info.clientId, 0);
    EXPECT_EQ(info.vchmask, 0xDu);
    EXPECT_EQ(info.achmask, 0x1u);
    EXPECT_EQ(c.cutter.corrupt, 0);
    EXPECT_EQ(c.cutter.skipped, 0);

    const auto& packets = c.cutter.packets;
    ASSERT_GE(packets.size(), 2u);
    EXPECT_EQ(packets[0].type, cgi::DATA_DVR_INFO);
    cgi::DvrInfo di;
    ASSERT_TRUE(di.ParseFromArray(packets[0].payload.constData(), packets[0].payload.size()));
    EXPECT_EQ(di.ch_num(), 4u);
    EXPECT_EQ(di.available_chmask(), 0xFu);
    ASSERT_EQ(di.ch_name_size(), 4);
    EXPECT_EQ(di.ch_name(1), "Yard");
    EXPECT_EQ(di.ch_name(3), "CAM4");
    EXPECT_EQ(packets[1].type, cgi::DATA_LIVE_STATUS);
    cgi::LiveStatus st;
    ASSERT_TRUE(st.ParseFromArray(packets[1].payload.constData(), packets[1].payload.size()));
    EXPECT_EQ(st.record_chmask(), 0x1u);
    EXPECT_EQ(st.motion_chmask(), 0x4u);

    const testmedia::Clip clip = testmedia::LoadClip(testmedia::Codec::H264, "cif");
    ASSERT_FALSE(clip.units.empty());
    std::map<int, int> perChannel;
    for (const Packet& p : packets) {
        EXPECT_EQ(p.clientId, info.clientId);
        if (p.type == cgi::DATA_AUDIO) {
            CFrame f;
            f.SetData(reinterpret_cast<const unsigned char*>(p.payload.constData()), p.payload.size());
            EXPECT_EQ(f.GetType(), FRAME_AUDIO);
            EXPECT_EQ(f.GetChannel(), 0);
            EXPECT_EQ(f.GetDataOffset(), 40u);
            EXPECT_EQ(p.payload.size(), 40 + 320);
            EXPECT_TRUE(f.FitsIn(static_cast<size_t>(p.payload.size())));
            continue;
        }
        if (p.type != cgi::DATA_VIDEO)
            continue;
        CFrame f;
        f.SetData(reinterpret_cast<const unsigned char*>(p.payload.constData()), p.payload.size());
        ASSERT_TRUE(f.IsValid());
        const int ch = f.GetChannel();
        ASSERT_TRUE(ch == 0 || ch == 2 || ch == 3) << ch;
        EXPECT_EQ(f.GetResolution().width, 352);
        EXPECT_EQ(f.GetResolution().height, 240);
        EXPECT_EQ(f.GetRecReason(), ch == 0 ? RECORD_REASON_1 : RECORD_REASON_NONE);
        const int n = perChannel[ch]++;
        const testmedia::AccessUnit& unit = clip.units[static_cast<size_t>(n) % clip.units.size()];
        EXPECT_EQ(f.GetSize(), unit.data.size());
        EXPECT_EQ(f.GetType(), unit.key ? FRAME_KEY : FRAME_DELTA);
        if (ch == 3) {
            EXPECT_EQ(p.payload.size(), 36) << "header only";
            EXPECT_FALSE(f.FitsIn(static_cast<size_t>(p.payload.size())));
        } else {
            ASSERT_TRUE(f.FitsIn(static_cast<size_t>(p.payload.size())));
            EXPECT_EQ(p.payload.mid(36), QByteArray(reinterpret_cast<const char*>(unit.data.data()),
                                                    static_cast<int>(unit.data.size())))
                << "frame " << n << " of channel " << ch;
        }
    }
    EXPECT_EQ(perChannel.size(), 3u);
    EXPECT_GE(dvr.totalVideoFrames(), perChannel[0] + perChannel[2]);
}

TEST(SimStream, PacedAtTheConfiguredRateWithRisingTimeStamps)
{
    simdvr::Config cfg = SmallConfig();
    cfg.fps = 10;
    cfg.audioMask = 0;
    CSimDvr dvr(cfg);
    ASSERT_TRUE(dvr.start());
    cgi::Live live;
    live.set_vchmask(0x1);
    StreamClient c;
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(c.open(dvr.port(), CurrentQuery(cgi::MODE_LIVE, "admin", "1234", live)));
    c.readFor(1200);
    const double seconds = t.elapsed() / 1000.0;
    const int frames = c.count(cgi::DATA_VIDEO);
    EXPECT_GE(frames, 2);
    EXPECT_LE(frames, static_cast<int>(seconds * 10) + 2) << "more frames than the rate allows";
    int64_t last = 0;
    for (const Packet& p : c.cutter.packets) {
        if (p.type != cgi::DATA_VIDEO)
            continue;
        CFrame f;
        f.SetData(reinterpret_cast<const unsigned char*>(p.payload.constData()), p.payload.size());
        const int64_t ms = f.GetTime().sec * 1000 + f.GetTime().usec / 1000;
        EXPECT_GE(ms, last);
        last = ms;
    }
}

TEST(SimStream, OldProtocolSendsRecordBigEndianLengthsAndCUFramesByModel)
{
    for (const int model : {14, 8}) {
        SCOPED_TRACE(model);
        simdvr::Config cfg = SmallConfig();
        cfg.oldProtocol = true;
        cfg.model = static_cast<uint32_t>(model);
        cfg.user = "ad min";
        cfg.password = "p&ss";
        cfg.channelNames = QStringList{"Gate"};
        cfg.motionMask = 0x2;
        cfg.vlossMask = 0x4;
        CSimDvr dvr(cfg);
        ASSERT_TRUE(dvr.start());
        StreamClient c(true);
        ASSERT_TRUE(c.open(dvr.port(), OldQuery("MODE=0&ID=ad%20min&PW=p%26ss&VER=3000&CH=7")));
        ASSERT_TRUE(c.readUntil([&] { return c.count(10) + c.count(11) >= 9; }));
        EXPECT_EQ(c.cutter.corrupt, 0);

        simdvr::Request req;
        ASSERT_TRUE(dvr.waitForRequest([](const simdvr::Request& r) { return r.streamId > 0; }, 2000, &req));
        EXPECT_TRUE(req.oldProtocol);
        EXPECT_EQ(req.oldId, "ad min");
        EXPECT_EQ(req.oldPw, "p&ss");
        const int cid = dvr.stream(req.streamId).clientId;

        const auto& packets = c.cutter.packets;
        ASSERT_EQ(packets[0].type, 20);
        const QByteArray rec = packets[0].payload;
        ASSERT_EQ(rec.size(), 214);
        EXPECT_EQ(static_cast<uint8_t>(rec[0]), 4);
        EXPECT_EQ(static_cast<uint8_t>(rec[2]), 0);
        EXPECT_EQ(static_cast<uint8_t>(rec[3]), 0xF);
        EXPECT_EQ(QByteArray(rec.constData() + 6), "Gate");
        EXPECT_EQ(QByteArray(rec.constData() + 6 + 13 * 3), "CAM4");

        const testmedia::Clip clip =
            testmedia::LoadClip(model == 8 ? testmedia::Codec::Mpeg4 : testmedia::Codec::H264, "cif");
        std::map<int, int> perChannel;
        for (size_t i = 1; i < packets.size(); ++i) {
            const Packet& p = packets[i];
            ASSERT_TRUE(p.type == 10 || p.type == 11) << int(p.type);
            EXPECT_EQ(p.clientId, cid);
            CUFrame f;
            f.SetData(reinterpret_cast<const unsigned char*>(p.payload.constData()), p.payload.size());
            ASSERT_TRUE(f.IsValid());
            EXPECT_EQ(f.GetModel(), model);
            EXPECT_EQ(f.GetResolution().width, 352);
            EXPECT_EQ(f.GetResolution().height, 240);
            EXPECT_EQ(f.GetVideoLoss(), 0x4);
            const int ch = f.GetChannel();
            ASSERT_LT(ch, 3);
            EXPECT_EQ((f.GetInfo() & 0x08) != 0, ch == 1) << "motion flag";
            const testmedia::AccessUnit& unit = clip.units[static_cast<size_t>(perChannel[ch]++) % clip.units.size()];
            EXPECT_EQ(f.GetType(), unit.key ? FRAME_KEY : FRAME_DELTA);
            EXPECT_EQ(p.type, unit.key ? 10 : 11);
            EXPECT_EQ(f.GetRawDataSize(), unit.data.size());
            if (ch == 2) {
                EXPECT_EQ(p.payload.size(), 80) << "a channel without video sends its header only";
                continue;
            }
            ASSERT_TRUE(f.FitsIn(static_cast<size_t>(p.payload.size())));
            EXPECT_EQ(f.GetDataOffset(), 80u);
            EXPECT_EQ(p.payload.mid(80), QByteArray(reinterpret_cast<const char*>(unit.data.data()),
                                                    static_cast<int>(unit.data.size())));
        }
        if (model == 8) {  // MPEG-4 part 2 starts with its sequence headers
            ASSERT_GT(packets.size(), 1u);
            EXPECT_TRUE(packets[1].payload.mid(80, 3) == QByteArray("\x00\x00\x01", 3));
            const uint8_t code = static_cast<uint8_t>(packets[1].payload[83]);
            EXPECT_TRUE(code == 0xB0 || code <= 0x2F) << int(code);
        }

        // The audio stream takes the id the client gives it and sends G.726 frames.
        StreamClient a(true);
        ASSERT_TRUE(a.open(dvr.port(), "MODE=1&ID=ad%20min&PW=p%26ss&VER=3000&CH=1&CID=" + QByteArray::number(cid + 100)));
        ASSERT_TRUE(a.readUntil([&] { return a.count(2) >= 2; }));
        for (const Packet& p : a.cutter.packets) {
            ASSERT_EQ(p.type, 2);
            EXPECT_EQ(p.clientId, cid + 100);
            CUFrame f;
            f.SetData(reinterpret_cast<const unsigned char*>(p.payload.constData()), p.payload.size());
            EXPECT_EQ(f.GetType(), FRAME_AUDIO);
            EXPECT_EQ(f.GetRawDataSize(), 1200u);
            EXPECT_EQ(p.payload.size(), 80 + 1200);
        }
    }
}

TEST(SimStream, RefusesWithTheResultCodeOfEachGeneration)
{
    struct Case {
        bool old;
        QByteArray query;
        int code;
    };
    cgi::Live live;
    const std::vector<Case> cases = {
        {false, CurrentQuery(cgi::MODE_LIVE, "guest", "1234", live), 1},
        {false, CurrentQuery(cgi::MODE_LIVE, "admin", "12345", live), 2},
        {true, "MODE=0&ID=guest&PW=1234&VER=3000&CH=f", 1},
        {true, "MODE=0&ID=admin&PW=x&VER=3000&CH=f", 2},
        {true, "MODE=0&ID=admin&PW=1234&VER=2000&CH=f", 3},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.query.toStdString());
        simdvr::Config cfg = SmallConfig();
        cfg.oldProtocol = k.old;
        CSimDvr dvr(cfg);
        ASSERT_TRUE(dvr.start());
        StreamClient c(k.old);
        ASSERT_TRUE(c.open(dvr.port(), k.query));
        c.readUntil([] { return false; }, 5000);  // until the DVR closes
        EXPECT_TRUE(c.closed);
        ASSERT_EQ(c.cutter.packets.size(), 1u);
        EXPECT_EQ(c.cutter.packets[0].type, k.old ? 1 : 0);
        EXPECT_EQ(c.cutter.packets[0].payload, QByteArray(1, static_cast<char>(k.code)));
        ASSERT_EQ(dvr.streams().size(), 1u);
        EXPECT_EQ(dvr.streams()[0].errorCode, k.code);
    }
}

TEST(SimStream, ClientLimitHoldsUntilTheStopCommand)
{
    simdvr::Config cfg = SmallConfig();
    cfg.maxClients = 1;
    cfg.keepSlotOnClose = true;
    CSimDvr dvr(cfg);
    ASSERT_TRUE(dvr.start());
    cgi::Live live;
    live.set_vchmask(1);
    const QByteArray q = CurrentQuery(cgi::MODE_LIVE, "admin", "1234", live);

    int firstId = -1;
    {
        StreamClient first;
        ASSERT_TRUE(first.open(dvr.port(), q));
        ASSERT_TRUE(first.readUntil([&] { return first.count(cgi::DATA_VIDEO) >= 1; }));
        firstId = first.cutter.packets[0].clientId;
    }  // closed without a stop command: the slot stays taken
    ASSERT_TRUE(dvr.waitUntil([&] { return !dvr.streams()[0].open; }));

    StreamClient second;
    ASSERT_TRUE(second.open(dvr.port(), q));
    second.readUntil([] { return false; }, 5000);
    ASSERT_EQ(second.cutter.packets.size(), 1u);
    EXPECT_EQ(second.cutter.packets[0].payload, QByteArray(1, cgi::ERR_CLIENT_LIMIT));

    QNetworkAccessManager nam;
    cgi::StreamStop stop;
    stop.set_stream_id(static_cast<uint32_t>(firstId));
    const HttpReply r = Post(nam, dvr.port(), CurrentQuery(cgi::MODE_STREAM_STOP, "admin", "1234", stop));
    ASSERT_EQ(r.status, 200);
    EXPECT_TRUE(dvr.streams()[0].stopped);

    StreamClient third;
    ASSERT_TRUE(third.open(dvr.port(), q));
    ASSERT_TRUE(third.readUntil([&] { return third.count(cgi::DATA_VIDEO) >= 1; }));
}

TEST(SimStream, CommandsChangeChannelsStatusPlaybackAndStopTheStream)
{
    simdvr::Config cfg = SmallConfig();
    cfg.audioMask = 0;
    CSimDvr dvr(cfg);
    ASSERT_TRUE(dvr.start());
    QNetworkAccessManager nam;

    cgi::Live live;
    live.set_vchmask(0x1);
    StreamClient c;
    ASSERT_TRUE(c.open(dvr.port(), CurrentQuery(cgi::MODE_LIVE, "admin", "1234", live)));
    ASSERT_TRUE(c.readUntil([&] { return c.count(cgi::DATA_VIDEO) >= 1; }));
    const int cid = c.cutter.packets[0].clientId;

    cgi::StreamChannel sc;
    sc.set_stream_id(static_cast<uint32_t>(cid));
    sc.set_vchmask(0x2);
    sc.set_achmask(0);
    ASSERT_EQ(Post(nam, dvr.port(), CurrentQuery(cgi::MODE_STREAM_CHANNEL, "admin", "1234", sc)).status, 200);
    const size_t mark = c.cutter.packets.size();
    dvr.setLiveStatus(0x2, 0, 0x1, 0x8);
    ASSERT_TRUE(c.readUntil([&] { return c.count(cgi::DATA_LIVE_STATUS) >= 2 && c.count(cgi::DATA_VIDEO) >= 8; }));
    // Frames written before the command may still be on their way; the last ones are channel 1.
    CFrame last;
    const Packet& p = c.cutter.packets.back();
    last.SetData(reinterpret_cast<const unsigned char*>(p.payload.constData()), p.payload.size());
    EXPECT_EQ(last.GetChannel(), 1);
    bool statusSeen = false;
    for (size_t i = mark; i < c.cutter.packets.size(); ++i) {
        if (c.cutter.packets[i].type != cgi::DATA_LIVE_STATUS)
            continue;
        cgi::LiveStatus st;
        ASSERT_TRUE(st.ParseFromArray(c.cutter.packets[i].payload.constData(), c.cutter.packets[i].payload.size()));
        EXPECT_EQ(st.record_chmask(), 0x2u);
        EXPECT_EQ(st.sensor_chmask(), 0x8u);
        statusSeen = true;
    }
    EXPECT_TRUE(statusSeen);

    cgi::StreamStop stop;
    stop.set_stream_id(static_cast<uint32_t>(cid));
    ASSERT_EQ(Post(nam, dvr.port(), CurrentQuery(cgi::MODE_STREAM_STOP, "admin", "1234", stop)).status, 200);
    c.readUntil([] { return false; }, 5000);
    EXPECT_TRUE(c.closed);

    // Playback: PbStatus first, a pause stops the frames and is reported.
    cgi::Playback pb;
    pb.set_start_time(1300000000);
    pb.set_vchmask(0x1);
    pb.set_achmask(0);
    StreamClient play;
    ASSERT_TRUE(play.open(dvr.port(), CurrentQuery(cgi::MODE_PLAYBACK, "admin", "1234", pb)));
    ASSERT_TRUE(play.readUntil([&] { return play.count(cgi::DATA_VIDEO) >= 3; }));
    ASSERT_EQ(play.cutter.packets[1].type, cgi::DATA_PB_STATUS);
    CFrame first;
    first.SetData(reinterpret_cast<const unsigned char*>(play.cutter.packets[2].payload.constData()),
                  play.cutter.packets[2].payload.size());
    EXPECT_EQ(first.GetTime().sec, 1300000000);
    cgi::PbControl pause;
    pause.set_stream_id(play.cutter.packets[0].clientId);
    pause.set_cmd(cgi::PbControl::CMD_PAUSE);
    ASSERT_EQ(Post(nam, dvr.port(), CurrentQuery(cgi::MODE_PB_CONTROL, "admin", "1234", pause)).status, 200);
    ASSERT_TRUE(play.readUntil([&] { return play.count(cgi::DATA_PB_STATUS) >= 2; }));
    const int framesAtPause = play.count(cgi::DATA_VIDEO);
    play.readFor(400);
    EXPECT_LE(play.count(cgi::DATA_VIDEO), framesAtPause + 1);
    cgi::PbStatus ps;
    for (const Packet& q : play.cutter.packets) {
        if (q.type == cgi::DATA_PB_STATUS) {
            ASSERT_TRUE(ps.ParseFromArray(q.payload.constData(), q.payload.size()));
        }
    }
    EXPECT_EQ(ps.mode(), static_cast<uint32_t>(PB_PAUSE));
}

TEST(SimStream, BackupRunsFromStartToEndTimeThenCloses)
{
    for (const bool old : {false, true}) {
        SCOPED_TRACE(old);
        simdvr::Config cfg = SmallConfig();
        cfg.oldProtocol = old;
        cfg.audioMask = 0;
        CSimDvr dvr(cfg);
        ASSERT_TRUE(dvr.start());
        simdvr::Misbehaviour m;
        m.flood = true;
        dvr.setMisbehaviour(m);
        const uint32_t start = 1300000000;
        QByteArray q;
        if (old) {
            // 2011-03-13 07:06:40 UTC and two seconds later.
            q = "MODE=2&STARTTIME=110313070640&ENDTIME=110313070642&ID=admin&PW=1234&VER=3000&CH=1";
        } else {
            cgi::Backup b;
            b.set_start_time(start);
            b.set_end_time(start + 2);
            b.set_chmask(0x1);
            q = CurrentQuery(cgi::MODE_BACKUP, "admin", "1234", b);
        }
        StreamClient c(old);
        ASSERT_TRUE(c.open(dvr.port(), q));
        c.readUntil([] { return false; }, 10000);
        EXPECT_TRUE(c.closed);
        int64_t firstSec = -1, lastSec = -1;
        int frames = 0;
        for (const Packet& p : c.cutter.packets) {
            if (p.type != (old ? 10 : 2) && p.type != (old ? 11 : 2))
                continue;
            KTimeVal t;
            if (old) {
                CUFrame f;
                f.SetData(reinterpret_cast<const unsigned char*>(p.payload.constData()), p.payload.size());
                t = f.GetTime();
            } else {
                CFrame f;
                f.SetData(reinterpret_cast<const unsigned char*>(p.payload.constData()), p.payload.size());
                t = f.GetTime();
            }
            if (firstSec < 0)
                firstSec = t.sec;
            lastSec = t.sec;
            ++frames;
        }
        EXPECT_EQ(firstSec, start);
        EXPECT_EQ(lastSec, start + 2) << "the last frame reaches the end time";
        EXPECT_EQ(frames, 2 * 30 + 1);
        EXPECT_TRUE(dvr.streams()[0].closedBySim);
    }
}

TEST(SimStream, WithoutItsClipsTheDvrStillAnswersButSendsNoVideo)
{
    simdvr::Config cfg = SmallConfig();
    cfg.mediaDir = QStringLiteral("/nonexistent-media");
    CSimDvr dvr(cfg);
    ASSERT_TRUE(dvr.start());
    cgi::Live live;
    StreamClient c;
    ASSERT_TRUE(c.open(dvr.port(), CurrentQuery(cgi::MODE_LIVE, "admin", "1234", live)));
    ASSERT_TRUE(c.readUntil([&] { return c.count(cgi::DATA_LIVE_STATUS) >= 1; }));
    c.readFor(300);
    EXPECT_EQ(c.count(cgi::DATA_DVR_INFO), 1);
    EXPECT_EQ(c.count(cgi::DATA_VIDEO), 0);
    EXPECT_EQ(c.count(cgi::DATA_AUDIO), 0);
    EXPECT_FALSE(c.closed);
}
