// A stream against a simulated DVR: what it hands on, and how it survives a bad wire.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "StreamProbe.h"

using namespace nettest;
using simdvr::CSimDvr;
using simdvr::Misbehaviour;

namespace {

simdvr::Config SmallDvr(bool old = false)
{
    simdvr::Config c;
    c.oldProtocol = old;
    c.channels = 4;
    c.model = old ? 8 : 4;
    c.channelNames = {QStringLiteral("Door"), QStringLiteral("Yard"), QStringLiteral("Hall"), QStringLiteral("Gate")};
    return c;
}

Misbehaviour Stalled()
{
    Misbehaviour m;
    m.stall = true;
    return m;
}

// The owner of a stream stops it on its first failure report, as the connection object does.
void StopOnFailure(CHttpConnect& conn, QObject* context)
{
    QObject::connect(&conn, &CHttpConnect::signalConnectionFailed, context, [&conn]() { conn.Disconnect(); });
}

}  // namespace

TEST(StreamPackets, LiveStreamConnectsOnceWithItsClientIdNamesAndStatus)
{
    CSimDvr sim(SmallDvr());
    ASSERT_TRUE(sim.start());
    CHttpConnect conn;
    StreamProbe probe(&conn, false);
    conn.setDisplayScreen(4, 4);
    conn.Connect(MakeDvr(sim, false, 0xF), Param(0));

    ASSERT_TRUE(WaitFor([&] { return probe.videoCount() >= 60 && probe.audioCount() > 0; }));
    EXPECT_EQ(probe.connectedCount, 1);
    EXPECT_EQ(probe.lastClientId, sim.streams().front().clientId);
    EXPECT_EQ(conn.getDVRChannels(), 4);
    EXPECT_EQ(probe.lastDvrInfo.ch_name(1), "Yard");
    std::set<int> channels;
    for (const FrameSeen& f : probe.videoFrames())
        channels.insert(f.channel);
    EXPECT_EQ(channels, (std::set<int>{0, 1, 2, 3}));
    DISPLAY_DVR_INFO info = probe.lastInfo();
    EXPECT_EQ(info.channelNames[3], QStringLiteral("Gate"));
    EXPECT_EQ(info.authorityMask, 0xFu);
    EXPECT_EQ(info.model, 4u);
    EXPECT_EQ(info.startScreen + info.screenCount, 8);

    // Status masks travel with the frames; an absent field is an empty mask.
    sim.setLiveStatus(0x1, 0x0, 0x2, 0x4);
    ASSERT_TRUE(WaitFor([&] { return probe.lastInfo().sensorMask == 0x4; }));
    info = probe.lastInfo();
    EXPECT_EQ(info.recordMask, 0x1u);
    EXPECT_EQ(info.motionMask, 0x2u);
    cgi::LiveStatus onlyMotion;
    onlyMotion.set_motion_chmask(0x8);
    sim.sendPacket(cgi::DATA_LIVE_STATUS, QByteArray::fromStdString(onlyMotion.SerializeAsString()));
    cgi::PbStatus pb;
    pb.set_mode(PB_PAUSE);
    sim.sendPacket(cgi::DATA_PB_STATUS, QByteArray::fromStdString(pb.SerializeAsString()));
    sim.sendPacket(200, QByteArray(3, 'x'));  // unknown kinds are ignored
    ASSERT_TRUE(WaitFor([&] { return probe.lastInfo().pbMode == PB_PAUSE; }));
    EXPECT_EQ(probe.lastInfo().motionMask, 0x8u);
    EXPECT_EQ(probe.lastInfo().recordMask, 0u);

    EXPECT_EQ(probe.unsoundFrames(), 0);
    conn.Disconnect();
    EXPECT_FALSE(conn.IsConnected());
    EXPECT_EQ(conn.getClientID(), -1);
    EXPECT_EQ(probe.connectedCount, 1);
    EXPECT_EQ(probe.failures, 0);
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
    conn.Connect(MakeDvr(sim, false, 0x1), Param(0));
    ASSERT_TRUE(WaitFor([&] { return probe.videoCount() >= 5; }, 20000));
    EXPECT_EQ(probe.connectedCount, 1);
    EXPECT_EQ(probe.lastDvrInfo.ch_name(0), "Door");
    EXPECT_EQ(probe.unsoundFrames(), 0);
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
            conn.Connect(MakeDvr(sim, old, 0x3), Param(0));
            ASSERT_TRUE(WaitFor([&] { return probe.videoCount() >= 200; }, 20000));

            // Quiet the DVR: then every well-formed frame it sent must have come through.
            m.stall = true;
            sim.setMisbehaviour(m);
            ASSERT_TRUE(WaitFor([&] { return probe.videoCount() == sim.streams().front().videoFrames; }, 10000))
                << probe.videoCount() << " of " << sim.streams().front().videoFrames;
            EXPECT_EQ(sim.streams().size(), 1u);
            EXPECT_GT(sim.streams().front().corruptPackets, 20);
            EXPECT_EQ(probe.unsoundFrames(), 0);
            EXPECT_EQ(probe.failures, 0);
        }
    }
}

TEST(StreamPackets, FrameDataOutsideItsPacketIsNeverHandedOn)
{
    CSimDvr sim(SmallDvr());
    ASSERT_TRUE(sim.start());
    sim.setMisbehaviour(Stalled());  // only the packets below
    CHttpConnect conn;
    StreamProbe probe(&conn, false);
    conn.Connect(MakeDvr(sim, false, 0xF), Param(0));
    ASSERT_TRUE(sim.waitForStreams(1));

    const QByteArray data(100, '\x42');
    auto send = [&](int type, int channel, uint32_t declared, int bytes, int dataType = cgi::DATA_VIDEO) {
        simdvr::FrameFields f;
        f.type = type;
        f.channel = channel;
        f.frameSize = declared;
        sim.sendPacket(uint8_t(dataType), (simdvr::MakeCFrameHeader(f) + data).left(bytes));
    };
    send(0, 1, 101, 136);             // one byte more than the packet holds
    send(0, 1, 0xFFFFFFFF, 136);      // a size that would wrap
    send(0, 1, 0, 20);                // header cut short
    send(0, 17, 100, 136);            // invalid header
    send(0, 16, 100, 136);            // past the channels a DVR has
    send(3, 0, 100, 139, cgi::DATA_AUDIO);  // audio data starts at 40: one byte short
    send(0, 2, 100, 136);             // and one good frame
    ASSERT_TRUE(WaitFor([&] { return probe.videoCount() >= 1; }));
    QTest::qWait(200);
    EXPECT_EQ(probe.videoCount(), 1);
    EXPECT_EQ(probe.audioCount(), 0);
    EXPECT_EQ(probe.videoFrames().front().channel, 2);
    EXPECT_EQ(probe.unsoundFrames(), 0);
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
    conn.Connect(MakeDvr(sim, false, 0x1), Param(0));
    ASSERT_TRUE(sim.waitForStreams(3, 10000));
    EXPECT_EQ(probe.failures, 0);
    EXPECT_GE(probe.connectedCount, 2);  // once per run

    m.closeAfterPackets = 0;
    sim.setMisbehaviour(m);
    sim.closeStreams();  // the one open now had data: it is reopened, and that one fails
    ASSERT_TRUE(WaitFor([&] { return probe.failures == 1; }, 10000));
    const size_t streams = sim.streams().size();
    QTest::qWait(300);
    EXPECT_EQ(sim.streams().size(), streams) << "a failed stream is not reopened";
    EXPECT_EQ(probe.failures, 1);
    EXPECT_EQ(probe.statuses.back(), QStringLiteral("Connection failed"));
    EXPECT_FALSE(conn.isRunning());
}

TEST(StreamPackets, SilenceReportsConnectionFailedOnce)
{
    for (const bool refused : {false, true}) {
        SCOPED_TRACE(refused ? "nobody listening" : "DVR silent");
        CSimDvr sim(SmallDvr());
        ASSERT_TRUE(sim.start());
        sim.setMisbehaviour(Stalled());
        const DVR dvr = MakeDvr(sim, false, 0x1);
        if (refused)
            sim.stop();
        CHttpConnect conn;
        conn.setNoPacketTimeout(400);
        StreamProbe probe(&conn, false);
        conn.Connect(dvr, Param(0));
        ASSERT_TRUE(WaitFor([&] { return probe.failures == 1; }));
        QTest::qWait(1000);
        EXPECT_EQ(probe.failures, 1);
        EXPECT_EQ(probe.statuses, std::vector<QString>{QStringLiteral("Connection failed")});
        EXPECT_TRUE(conn.isRunning()) << "its owner stops it";
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
        {false, 1, "[ERROR]user unknown"},    {false, 2, "[ERROR]password miss"},
        {false, 3, "[ERROR]client limit"},    {false, 4, "[ERROR]permission denied"},
        {false, 5, "[ERROR]network timeout"}, {false, 6, "[ERROR]request refused"},
        {false, 9, "[ERROR]unknown"},         {true, 0, "[ERROR]unknown"},
        {true, 3, "[ERROR]protocol version"}, {true, 4, "[ERROR]client limit"},
        {true, 5, "[ERROR]super exist"},      {true, 6, "[ERROR]no video data"},
        {true, 7, "[ERROR]no video channel"}, {true, 10, "[ERROR]mpeg push end"},
        {true, 14, "[ERROR]connection timeout"}, {true, 15, "[ERROR]unknown"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CSimDvr sim(SmallDvr(c.old));
        ASSERT_TRUE(sim.start());
        Misbehaviour m;
        m.streamErrorCode = c.code;
        sim.setMisbehaviour(m);
        CHttpConnect conn;
        StreamProbe probe(&conn, c.old);
        StopOnFailure(conn, &probe);
        conn.Connect(MakeDvr(sim, c.old, 0x1), Param(0));
        ASSERT_TRUE(WaitFor([&] { return probe.failures >= 1 && !conn.isRunning(); }));
        EXPECT_EQ(probe.statuses.front(), QString::fromLatin1(c.text));
        // The first failure text of a run stays.
        conn.setConnectionFailed(QStringLiteral("other"));
        EXPECT_EQ(probe.statuses.back(), QString::fromLatin1(c.text));
    }

    // Code 0 of the current protocol is no error; a payload of another length is a failure
    // without a text.
    CSimDvr sim(SmallDvr());
    ASSERT_TRUE(sim.start());
    CHttpConnect conn;
    StreamProbe probe(&conn, false);
    conn.Connect(MakeDvr(sim, false, 0x1), Param(0));
    ASSERT_TRUE(WaitFor([&] { return probe.videoCount() > 3; }));
    sim.sendPacket(cgi::DATA_RESPONSE, QByteArray(1, '\0'));
    QTest::qWait(200);
    EXPECT_EQ(probe.failures, 0);
    sim.sendPacket(cgi::DATA_RESPONSE, QByteArray(2, '\x02'));
    ASSERT_TRUE(WaitFor([&] { return probe.failures == 1; }));
    EXPECT_TRUE(probe.statuses.back().isEmpty());
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
        conn.Connect(MakeDvr(sim, old, 0xF), Param(0, true));
        std::map<int, EMap_Status::ENUM> last;
        std::map<int, bool> record;
        ASSERT_TRUE(WaitFor([&] {
            for (size_t i = 0; i < probe.emapEvents.size(); ++i) {
                last[probe.emapEvents[i].first] = probe.emapEvents[i].second;
                record[probe.emapEvents[i].first] = probe.emapRecord[i];
            }
            return last.size() == 4 && probe.emapEvents.size() > 40;
        }));
        EXPECT_EQ(probe.videoCount(), 0) << "an e-map stream feeds no display";
        EXPECT_EQ(last[0], EMap_Status::MOTION);
        EXPECT_EQ(last[1], EMap_Status::MOTION_SENSOR);
        EXPECT_EQ(last[2], EMap_Status::SENSOR);
        EXPECT_EQ(last[3], EMap_Status::VIDEO_LOSS);
        EXPECT_TRUE(record[0]);
        EXPECT_FALSE(record[1]);

        // Data comes only with frames that carry it: never for the lost channel, and on the
        // current protocol (headers asked for) only with a frame sent with data.
        const std::vector<int> withData = probe.emapDataChannels();
        EXPECT_EQ(std::count(withData.begin(), withData.end(), 3), 0);
        EXPECT_EQ(withData.empty(), !old);
        if (!old) {
            simdvr::FrameFields f;
            f.channel = 2;
            f.frameSize = 10;
            sim.sendPacket(cgi::DATA_VIDEO, simdvr::MakeCFrameHeader(f) + QByteArray(10, '\1'));
            ASSERT_TRUE(WaitFor([&] { return probe.emapDataChannels() == std::vector<int>{2}; }));
        }
        EXPECT_EQ(probe.unsoundFrames(), 0);

        // A failure turns every camera of the DVR grey.
        conn.Disconnect();
        QTest::qWait(50);
        const size_t before = probe.emapEvents.size();
        conn.setConnectionFailed(QStringLiteral("x"));
        ASSERT_EQ(probe.emapEvents.size(), before + 16);
        for (size_t i = before; i < probe.emapEvents.size(); ++i)
            EXPECT_EQ(probe.emapEvents[i].second, EMap_Status::DISCONNECTED);
        EXPECT_TRUE(probe.statuses.empty());
    }
}

TEST(StreamPackets, OldProtocolLearnsItsStreamKindAndRestartsOnce)
{
    simdvr::Config cfg = SmallDvr(true);
    cfg.channelNames[0] = QString::fromUtf8("\xEC\xA0\x95\xEB\xAC\xB8");  // EUC-KR on the wire
    CSimDvr sim(cfg);
    ASSERT_TRUE(sim.start());
    CHttpConnect conn;
    StreamProbe probe(&conn, true);
    DVR dvr = MakeDvr(sim, true, 0xF);
    dvr.set_protocol_type(0);
    conn.Connect(dvr, Param(0));

    ASSERT_TRUE(WaitFor([&] { return probe.videoCount() > 10; }));
    ASSERT_EQ(sim.streams().size(), 2u);
    const QByteArray stop = "MODE=5&CID=" + QByteArray::number(sim.streams()[0].clientId) + "&OP=5";
    EXPECT_TRUE(sim.waitForRequest([&](const simdvr::Request& r) { return r.body == stop; }));
    EXPECT_EQ(probe.connectedCount, 1);
    EXPECT_EQ(probe.lastClientId, sim.streams()[1].clientId);
    EXPECT_EQ(probe.lastDvrInfo.model(), 8u);
    const DISPLAY_DVR_INFO info = probe.lastInfo();
    EXPECT_TRUE(info.oldProtocol);
    EXPECT_EQ(info.channelNames[0], cfg.channelNames[0]);
    EXPECT_EQ(info.channelNames[3], QStringLiteral("Gate"));
    EXPECT_EQ(probe.unsoundFrames(), 0);
}

TEST(StreamPackets, ShortOldRecordIsZeroFilled)
{
    CSimDvr sim(SmallDvr(true));
    ASSERT_TRUE(sim.start());
    sim.setMisbehaviour(Stalled());
    CHttpConnect conn;
    StreamProbe probe(&conn, true);
    conn.Connect(MakeDvr(sim, true, 0xF), Param(0));
    ASSERT_TRUE(sim.waitForStreams(1));

    // 100 bytes: names of channels 0 to 6 fit, the eighth slot is cut after 3 bytes.
    const QByteArray record =
        simdvr::MakeOldDvrRecord(8, 0x00F0, {"A0", "A1", "A2", "A3", "A4", "A5", "A6", "LONGNAME7", "A8"});
    sim.sendPacket(20, record.left(100));
    simdvr::FrameFields f;
    f.channel = 5;
    f.model = 99;  // not a model: the channel count names one
    f.info = simdvr::CUFrameResolutionInfo(704, 576);
    f.frameSize = 8;
    sim.sendPacket(10, simdvr::MakeCUFrameHeader(f) + QByteArray(8, '\0'));
    ASSERT_TRUE(WaitFor([&] { return probe.videoCount() == 1; }));
    const DISPLAY_DVR_INFO info = probe.lastInfo();
    EXPECT_EQ(info.authorityMask, 0xF0u);
    EXPECT_EQ(info.channelNames[6], QStringLiteral("A6"));
    EXPECT_EQ(info.channelNames[7], QStringLiteral("LON"));
    EXPECT_EQ(info.channelNames[8], QString());
    EXPECT_EQ(info.model, 7u);
    EXPECT_EQ(conn.getVideoType(), 1);  // 576 lines: PAL
}
