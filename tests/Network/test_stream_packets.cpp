// A stream against a simulated DVR: what it hands on, and how it survives a bad wire.

#include <gtest/gtest.h>

#include <set>

#include "Common/Frame.h"
#include "Network/HttpConnect.h"
#include "StreamProbe.h"

using namespace nettest;
using simdvr::CSimDvr;
using simdvr::Misbehaviour;
using simdvr::Request;
using simdvr::Transport;

namespace {

simdvr::Config SmallDvr(bool old = false)
{
    simdvr::Config c;
    c.oldProtocol = old;
    c.channels = 4;
    c.model = old ? 8 : 4;
    c.channelNames = {QStringLiteral("Door"), QStringLiteral("Yard"), QStringLiteral("Hall"),
                      QStringLiteral("Gate")};
    return c;
}

// The owner of a stream stops it on its first failure report, as the connection object does.
void StopOnFailure(CHttpConnect& conn, QObject* context)
{
    QObject::connect(&conn, &CHttpConnect::signalConnectionFailed, context, [&conn]() { conn.Disconnect(); });
}

}  // namespace

TEST(StreamPackets, LiveStreamConnectsOnceWithItsClientIdAndNames)
{
    CSimDvr sim(SmallDvr());
    ASSERT_TRUE(sim.start());
    CHttpConnect conn;
    StreamProbe probe(&conn, false);
    conn.setDisplayScreen(4, 4);
    conn.Connect(MakeDvr(sim, false, 0xF), LiveParam());

    ASSERT_TRUE(WaitFor([&] { return probe.videoCount() >= 60 && probe.audioCount() > 0; }));
    EXPECT_EQ(probe.connectedCount, 1);
    EXPECT_EQ(probe.lastClientId, sim.streams().front().clientId);
    EXPECT_EQ(conn.getClientID(), probe.lastClientId);
    EXPECT_TRUE(conn.IsConnected());
    EXPECT_EQ(conn.getDVRChannels(), 4);
    EXPECT_EQ(conn.getVideoType(), 0);  // 480 lines: NTSC
    ASSERT_EQ(probe.lastDvrInfo.ch_name_size(), 4);
    EXPECT_EQ(probe.lastDvrInfo.ch_name(1), "Yard");
    EXPECT_EQ(probe.unsoundFrames(), 0);

    const std::vector<FrameSeen> frames = probe.videoFrames();
    std::set<int> channels;
    for (const FrameSeen& f : frames)
        channels.insert(f.channel);
    EXPECT_EQ(channels, (std::set<int>{0, 1, 2, 3}));
    const DISPLAY_DVR_INFO& info = frames.back().info;
    EXPECT_EQ(info.dvrName, QStringLiteral("Sim"));
    EXPECT_EQ(info.channelNames[3], QStringLiteral("Gate"));
    EXPECT_EQ(info.channelMask, 0xFu);
    EXPECT_EQ(info.authorityMask, 0xFu);
    EXPECT_EQ(info.model, 4u);
    EXPECT_EQ(info.startScreen, 4);
    EXPECT_EQ(info.screenCount, 4);
    EXPECT_FALSE(info.oldProtocol);
    EXPECT_TRUE(info.status.isEmpty());

    conn.Disconnect();
    EXPECT_FALSE(conn.IsConnected());
    EXPECT_EQ(conn.getClientID(), -1);
    EXPECT_EQ(probe.connectedCount, 1);
}

TEST(StreamPackets, StatusMasksTravelWithTheFrames)
{
    CSimDvr sim(SmallDvr());
    ASSERT_TRUE(sim.start());
    CHttpConnect conn;
    StreamProbe probe(&conn, false);
    conn.Connect(MakeDvr(sim, false, 0xF), LiveParam());
    ASSERT_TRUE(WaitFor([&] { return probe.videoCount() > 10; }));

    sim.setLiveStatus(0x1, 0x0, 0x2, 0x4);
    ASSERT_TRUE(WaitFor([&] {
        const auto f = probe.videoFrames();
        return f.back().info.motionMask == 0x2;
    }));
    const DISPLAY_DVR_INFO info = probe.videoFrames().back().info;
    EXPECT_EQ(info.recordMask, 0x1u);
    EXPECT_EQ(info.motionMask, 0x2u);
    EXPECT_EQ(info.sensorMask, 0x4u);
    EXPECT_EQ(info.videoLossMask, 0x0u);

    // An absent field is an empty mask.
    cgi::LiveStatus onlyMotion;
    onlyMotion.set_motion_chmask(0x8);
    sim.sendPacket(cgi::DATA_LIVE_STATUS, QByteArray::fromStdString(onlyMotion.SerializeAsString()));
    ASSERT_TRUE(WaitFor([&] { return probe.videoFrames().back().info.motionMask == 0x8; }));
    EXPECT_EQ(probe.videoFrames().back().info.recordMask, 0u);

    // Playback status and unknown packet kinds.
    cgi::PbStatus pb;
    pb.set_mode(PB_PAUSE);
    sim.sendPacket(cgi::DATA_PB_STATUS, QByteArray::fromStdString(pb.SerializeAsString()));
    sim.sendPacket(cgi::DATA_HDD_INFO, QByteArray("\x08\x01", 2));
    sim.sendPacket(200, QByteArray(3, 'x'));
    ASSERT_TRUE(WaitFor([&] { return probe.videoFrames().back().info.pbMode == PB_PAUSE; }));
    EXPECT_EQ(probe.failures, 0);
    conn.Disconnect();
}

TEST(StreamPackets, PacketsSplitAtEveryByteStillArriveWhole)
{
    CSimDvr sim(SmallDvr());
    ASSERT_TRUE(sim.start());
    Misbehaviour m;
    m.splitPackets = -1;
    m.splitIntervalMs = 0;
    sim.setMisbehaviour(m);

    CHttpConnect conn;
    StreamProbe probe(&conn, false);
    conn.Connect(MakeDvr(sim, false, 0x1), LiveParam());
    ASSERT_TRUE(WaitFor([&] { return probe.videoCount() >= 5; }, 20000));
    EXPECT_EQ(probe.connectedCount, 1);
    EXPECT_EQ(probe.lastDvrInfo.ch_name(0), "Door");
    EXPECT_EQ(probe.unsoundFrames(), 0);
    for (const FrameSeen& f : probe.videoFrames())
        EXPECT_EQ(f.len, size_t(CFrame::HEADER_SIZE) + f.declaredSize);
    conn.Disconnect();
}

TEST(StreamPackets, JunkAndCorruptPacketsCostOnlyThemselves)
{
    using simdvr::LengthFault;
    for (const LengthFault fault : {LengthFault::OverLimit, LengthFault::Longer, LengthFault::Huge}) {
        for (const bool old : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "fault " << int(fault) << (old ? " old" : " current"));
            CSimDvr sim(SmallDvr(old));
            ASSERT_TRUE(sim.start());
            Misbehaviour m;
            m.junkEvery = 2;
            m.corruptLengthEvery = 5;
            m.lengthFault = fault;
            m.corruptEndCodeEvery = 7;
            m.flood = true;
            sim.setMisbehaviour(m);

            CHttpConnect conn;
            StreamProbe probe(&conn, old);
            DVR dvr = MakeDvr(sim, old, 0x3);
            dvr.set_protocol_type(old ? 2 : 1);
            conn.Connect(dvr, LiveParam());
            ASSERT_TRUE(WaitFor([&] { return probe.videoCount() >= 200; }, 20000));

            // Quiet the DVR, then every well-formed frame it sent must have come through.
            m.stall = true;
            sim.setMisbehaviour(m);
            ASSERT_TRUE(WaitFor([&] {
                const auto s = sim.streams();
                return s.size() == 1 && probe.videoCount() == s.front().videoFrames;
            }, 10000)) << probe.videoCount() << " of " << sim.streams().front().videoFrames;
            EXPECT_GT(sim.streams().front().corruptPackets, 20);
            EXPECT_EQ(probe.unsoundFrames(), 0);
            EXPECT_EQ(probe.connectedCount, 1);
            EXPECT_EQ(probe.failures, 0);
            conn.Disconnect();
        }
    }
}

TEST(StreamPackets, FrameDataOutsideItsPacketIsNeverHandedOn)
{
    CSimDvr sim(SmallDvr());
    ASSERT_TRUE(sim.start());
    Misbehaviour m;
    m.stall = true;  // only the packets below
    sim.setMisbehaviour(m);

    CHttpConnect conn;
    StreamProbe probe(&conn, false);
    conn.Connect(MakeDvr(sim, false, 0xF), LiveParam());
    ASSERT_TRUE(sim.waitForStreams(1));

    simdvr::FrameFields f;
    f.channel = 1;
    f.width = 704;
    f.height = 480;
    const QByteArray data(100, '\x42');
    f.frameSize = 101;  // one byte more than the packet holds
    sim.sendPacket(cgi::DATA_VIDEO, simdvr::MakeCFrameHeader(f) + data);
    f.frameSize = 0xFFFFFFFF;
    sim.sendPacket(cgi::DATA_VIDEO, simdvr::MakeCFrameHeader(f) + data);
    sim.sendPacket(cgi::DATA_VIDEO, simdvr::MakeCFrameHeader(f).left(20));  // header cut short
    f.channel = 17;  // invalid header
    f.frameSize = 100;
    sim.sendPacket(cgi::DATA_VIDEO, simdvr::MakeCFrameHeader(f) + data);
    f.channel = 16;  // past the channels a DVR has
    sim.sendPacket(cgi::DATA_VIDEO, simdvr::MakeCFrameHeader(f) + data);
    f.type = 3;  // audio: data from byte 40
    f.channel = 0;
    f.frameSize = 100;
    sim.sendPacket(cgi::DATA_AUDIO, simdvr::MakeCFrameHeader(f) + data.left(99));
    // And one good frame, which must come through.
    f.type = 0;
    f.channel = 2;
    f.frameSize = 100;
    sim.sendPacket(cgi::DATA_VIDEO, simdvr::MakeCFrameHeader(f) + data);

    ASSERT_TRUE(WaitFor([&] { return probe.videoCount() >= 1; }));
    QTest::qWait(200);
    EXPECT_EQ(probe.videoCount(), 1);
    EXPECT_EQ(probe.audioCount(), 0);
    EXPECT_EQ(probe.videoFrames().front().channel, 2);
    EXPECT_EQ(probe.unsoundFrames(), 0);
    conn.Disconnect();
}

TEST(StreamPackets, CloseAfterDataReopensAtOnceCloseBeforeDataFails)
{
    CSimDvr sim(SmallDvr());
    ASSERT_TRUE(sim.start());
    Misbehaviour m;
    m.closeAfterPackets = 6;
    sim.setMisbehaviour(m);

    CHttpConnect conn;
    StreamProbe probe(&conn, false);
    conn.Connect(MakeDvr(sim, false, 0x1), LiveParam());
    ASSERT_TRUE(sim.waitForStreams(3, 10000));
    EXPECT_EQ(probe.failures, 0);
    EXPECT_GE(probe.connectedCount, 2);  // once per run

    // Now the DVR closes every stream before sending anything.
    m.closeAfterPackets = 0;
    sim.setMisbehaviour(m);
    sim.closeStreams();  // the one open now had data: it is reopened, and that one fails
    ASSERT_TRUE(WaitFor([&] { return probe.failures == 1; }, 10000));
    const int streams = int(sim.streams().size());
    QTest::qWait(300);
    EXPECT_EQ(int(sim.streams().size()), streams) << "a failed stream is not reopened";
    EXPECT_EQ(probe.failures, 1);
    ASSERT_FALSE(probe.statuses.empty());
    EXPECT_EQ(probe.statuses.back().status, QStringLiteral("Connection failed"));
    EXPECT_FALSE(conn.isRunning());
}

TEST(StreamPackets, SilenceReportsConnectionFailedOnce)
{
    for (const bool refused : {false, true}) {
        SCOPED_TRACE(refused ? "nobody listening" : "DVR silent");
        CSimDvr sim(SmallDvr());
        ASSERT_TRUE(sim.start());
        Misbehaviour m;
        m.stall = true;
        sim.setMisbehaviour(m);
        DVR dvr = MakeDvr(sim, false, 0x1);
        if (refused)
            sim.stop();

        CHttpConnect conn;
        conn.setNoPacketTimeout(400);
        StreamProbe probe(&conn, false);
        conn.Connect(dvr, LiveParam());
        ASSERT_TRUE(WaitFor([&] { return probe.failures == 1; }, 5000));
        QTest::qWait(1000);
        EXPECT_EQ(probe.failures, 1);
        ASSERT_EQ(probe.statuses.size(), 1u);
        EXPECT_EQ(probe.statuses.front().status, QStringLiteral("Connection failed"));
        EXPECT_TRUE(conn.isRunning()) << "the owner stops the stream";
        conn.Disconnect();
    }
}

TEST(StreamPackets, ResultCodesGiveTheirTexts)
{
    struct Case {
        bool old;
        int code;
        const char* text;
    };
    const Case cases[] = {
        {false, 1, "[ERROR]user unknown"},     {false, 2, "[ERROR]password miss"},
        {false, 3, "[ERROR]client limit"},     {false, 4, "[ERROR]permission denied"},
        {false, 5, "[ERROR]network timeout"},  {false, 6, "[ERROR]request refused"},
        {false, 7, "[ERROR]unknown"},          {false, 9, "[ERROR]unknown"},
        {true, 0, "[ERROR]unknown"},           {true, 3, "[ERROR]protocol version"},
        {true, 4, "[ERROR]client limit"},      {true, 5, "[ERROR]super exist"},
        {true, 6, "[ERROR]no video data"},     {true, 7, "[ERROR]no video channel"},
        {true, 10, "[ERROR]mpeg push end"},    {true, 14, "[ERROR]connection timeout"},
        {true, 15, "[ERROR]unknown"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << (c.old ? "old " : "current ") << c.code);
        CSimDvr sim(SmallDvr(c.old));
        ASSERT_TRUE(sim.start());
        Misbehaviour m;
        m.streamErrorCode = c.code;
        sim.setMisbehaviour(m);
        CHttpConnect conn;
        StreamProbe probe(&conn, c.old);
        StopOnFailure(conn, &probe);
        conn.Connect(MakeDvr(sim, c.old, 0x1), LiveParam());
        ASSERT_TRUE(WaitFor([&] { return probe.failures >= 1 && !conn.isRunning(); }));
        ASSERT_FALSE(probe.statuses.empty());
        EXPECT_EQ(probe.statuses.front().status, QString::fromLatin1(c.text));
        EXPECT_EQ(conn.getErrMessage(c.code), QString::fromLatin1(c.text));
    }

    // A wrong password is refused by the DVR itself.
    CSimDvr sim(SmallDvr());
    ASSERT_TRUE(sim.start());
    DVR dvr = MakeDvr(sim, false, 0x1);
    dvr.set_password("wrong");
    CHttpConnect conn;
    StreamProbe probe(&conn, false);
    StopOnFailure(conn, &probe);
    conn.Connect(dvr, LiveParam());
    ASSERT_TRUE(WaitFor([&] { return probe.failures >= 1 && !conn.isRunning(); }));
    EXPECT_EQ(probe.statuses.front().status, QStringLiteral("[ERROR]password miss"));
    // The first failure text of a run stays.
    conn.setConnectionFailed(QStringLiteral("other"));
    EXPECT_EQ(probe.statuses.back().status, QStringLiteral("[ERROR]password miss"));
}

TEST(StreamPackets, NoErrorCodeChangesNothingOtherLengthsFailWithoutText)
{
    CSimDvr sim(SmallDvr());
    ASSERT_TRUE(sim.start());
    CHttpConnect conn;
    StreamProbe probe(&conn, false);
    conn.Connect(MakeDvr(sim, false, 0x1), LiveParam());
    ASSERT_TRUE(WaitFor([&] { return probe.videoCount() > 3; }));

    sim.sendPacket(cgi::DATA_RESPONSE, QByteArray(1, '\0'));
    QTest::qWait(200);
    EXPECT_EQ(probe.failures, 0);

    sim.sendPacket(cgi::DATA_RESPONSE, QByteArray(2, '\x02'));
    ASSERT_TRUE(WaitFor([&] { return probe.failures == 1; }));
    EXPECT_TRUE(probe.statuses.back().status.isEmpty());
    conn.Disconnect();
}

TEST(StreamPackets, EMapStreamReportsCameraStates)
{
    for (const bool old : {false, true}) {
        SCOPED_TRACE(old ? "old protocol" : "current protocol");
        simdvr::Config cfg = SmallDvr(old);
        cfg.recordMask = 0x1;
        cfg.motionMask = 0x3;
        cfg.sensorMask = 0x6;
        cfg.vlossMask = 0x8;
        CSimDvr sim(cfg);
        ASSERT_TRUE(sim.start());

        CHttpConnect conn;
        StreamProbe probe(&conn, old);
        DVR dvr = MakeDvr(sim, old, 0xF);
        dvr.set_protocol_type(old ? 2 : 1);
        conn.Connect(dvr, LiveParam(true));
        ASSERT_TRUE(WaitFor([&] {
            std::set<int> seen;
            for (const EMapEvent& e : probe.emapEvents)
                seen.insert(e.channel);
            return seen.size() == 4 && probe.emapEvents.size() > 40;
        }));
        EXPECT_EQ(probe.videoCount(), 0) << "an e-map stream feeds no display";

        // The last state of each channel (the first frames may predate the status).
        std::map<int, EMapEvent> last;
        for (const EMapEvent& e : probe.emapEvents)
            last[e.channel] = e;
        EXPECT_EQ(last[0].status, EMap_Status::MOTION);
        EXPECT_TRUE(last[0].record);
        EXPECT_EQ(last[1].status, EMap_Status::MOTION_SENSOR);
        EXPECT_FALSE(last[1].record);
        EXPECT_EQ(last[2].status, EMap_Status::SENSOR);
        EXPECT_EQ(last[3].status, EMap_Status::VIDEO_LOSS);
        EXPECT_EQ(last[0].time.size(), 20);  // "yyyy-MM-dd  hh:mm:ss"

        // Header-only frames of a lost channel bring no data.
        for (const QByteArray& bytes : probe.emapData()) {
            int channel = -1;
            if (old) {
                CUFrame f;
                f.SetData(reinterpret_cast<const unsigned char*>(bytes.constData()), int(bytes.size()));
                EXPECT_TRUE(f.FitsIn(size_t(bytes.size())));
                channel = f.GetChannel();
            } else {
                CFrame f;
                f.SetData(reinterpret_cast<const unsigned char*>(bytes.constData()), int(bytes.size()));
                EXPECT_TRUE(f.FitsIn(size_t(bytes.size())));
                channel = f.GetChannel();
            }
            EXPECT_NE(channel, 3);
        }
        if (old) {
            EXPECT_GT(probe.emapDataCount(), 0);
        } else {
            // Asked for headers only: data comes only with a frame that carries it.
            EXPECT_EQ(probe.emapDataCount(), 0);
            simdvr::FrameFields f;
            f.channel = 2;
            f.frameSize = 10;
            sim.sendPacket(cgi::DATA_VIDEO, simdvr::MakeCFrameHeader(f) + QByteArray(10, '\1'));
            ASSERT_TRUE(WaitFor([&] { return probe.emapDataCount() == 1; }));
            EXPECT_EQ(probe.emapData().front().size(), CFrame::HEADER_SIZE + 10);
        }

        // A failure turns every camera of the DVR grey.
        const size_t before = probe.emapEvents.size();
        conn.setConnectionFailed(QStringLiteral("x"));
        ASSERT_TRUE(WaitFor([&] { return probe.emapEvents.size() >= before + 16; }));
        conn.Disconnect();
        int disconnected = 0;
        for (size_t i = before; i < probe.emapEvents.size(); ++i)
            disconnected += probe.emapEvents[i].status == EMap_Status::DISCONNECTED;
        EXPECT_EQ(disconnected, 16);
        EXPECT_TRUE(probe.statuses.empty());
    }
}

TEST(StreamPackets, OldProtocolLearnsItsStreamKindAndRestartsOnce)
{
    simdvr::Config cfg = SmallDvr(true);
    cfg.channelNames = {QString::fromUtf8("\xEC\xA0\x95\xEB\xAC\xB8"), QStringLiteral("Yard"),
                        QStringLiteral("Hall"), QStringLiteral("Gate")};
    CSimDvr sim(cfg);
    ASSERT_TRUE(sim.start());
    CHttpConnect conn;
    StreamProbe probe(&conn, true);
    conn.Connect(MakeDvr(sim, true, 0xF), LiveParam());  // stream kind not yet known

    ASSERT_TRUE(WaitFor([&] { return probe.videoCount() > 10; }));
    ASSERT_EQ(sim.streams().size(), 2u);
    const int firstCid = sim.streams()[0].clientId;
    Request stop;
    EXPECT_TRUE(sim.waitForRequest([&](const Request& r) {
        return r.transport == Transport::Post && r.body == "MODE=5&CID=" + QByteArray::number(firstCid) + "&OP=5";
    }, 5000, &stop));
    EXPECT_EQ(probe.connectedCount, 1);
    EXPECT_EQ(probe.lastClientId, sim.streams()[1].clientId);
    EXPECT_EQ(probe.lastDvrInfo.model(), 8u);
    EXPECT_EQ(probe.lastDvrInfo.ch_num(), 4u);
    EXPECT_EQ(probe.lastDvrInfo.ch_name_size(), 16);

    const DISPLAY_DVR_INFO info = probe.videoFrames().back().info;
    EXPECT_TRUE(info.oldProtocol);
    EXPECT_EQ(info.model, 8u);
    EXPECT_EQ(info.channelNames[0], QString::fromUtf8("\xEC\xA0\x95\xEB\xAC\xB8"));
    EXPECT_EQ(info.channelNames[3], QStringLiteral("Gate"));
    EXPECT_EQ(probe.unsoundFrames(), 0);
    conn.Disconnect();
}

TEST(StreamPackets, ShortOldRecordIsZeroFilled)
{
    CSimDvr sim(SmallDvr(true));
    ASSERT_TRUE(sim.start());
    Misbehaviour m;
    m.stall = true;
    sim.setMisbehaviour(m);
    CHttpConnect conn;
    StreamProbe probe(&conn, true);
    DVR dvr = MakeDvr(sim, true, 0xF);
    dvr.set_protocol_type(2);
    conn.Connect(dvr, LiveParam());
    ASSERT_TRUE(sim.waitForStreams(1));

    // 100 bytes: names of channels 0 to 6 fit, the eighth slot is cut after 3 bytes.
    QByteArray record =
        simdvr::MakeOldDvrRecord(8, 0x00F0, {"A0", "A1", "A2", "A3", "A4", "A5", "A6", "LONGNAME7", "A8"});
    sim.sendPacket(20, record.left(100));
    simdvr::FrameFields f;
    f.channel = 5;
    f.model = 99;  // not a model: the channel count names one
    f.info = simdvr::CUFrameResolutionInfo(704, 576);
    f.frameSize = 8;
    sim.sendPacket(10, simdvr::MakeCUFrameHeader(f) + QByteArray(8, '\0'));
    ASSERT_TRUE(WaitFor([&] { return probe.videoCount() == 1; }));
    const DISPLAY_DVR_INFO info = probe.videoFrames().front().info;
    EXPECT_EQ(info.authorityMask, 0xF0u);
    EXPECT_EQ(info.channelNames[6], QStringLiteral("A6"));
    EXPECT_EQ(info.channelNames[7], QStringLiteral("LON"));
    EXPECT_EQ(info.channelNames[8], QString());
    EXPECT_EQ(info.model, 7u);
    EXPECT_EQ(conn.getVideoType(), 1);  // 576 lines: PAL
    EXPECT_EQ(conn.getDVRChannels(), 8);
    conn.Disconnect();
}
