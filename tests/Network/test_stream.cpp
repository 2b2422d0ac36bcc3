// Streams against a simulated DVR: what they hand on, and how they survive a bad wire.

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <map>
#include <set>

#include "StreamProbe.h"

using namespace nettest;
using simdvr::Misbehaviour;

namespace {

constexpr int64_t T0 = 1700000000;

Misbehaviour Bad(int closeAfter = -1, bool stall = false, int errorCode = -1, bool flood = false)
{
    Misbehaviour m;
    m.closeAfterPackets = closeAfter;
    m.stall = stall;
    m.streamErrorCode = errorCode;
    m.flood = flood;
    return m;
}

}  // namespace

TEST(Stream, LiveConnectsOnceWithItsClientIdNamesAndStatus)
{
    StreamRig s(SmallDvr());
    ASSERT_TRUE(s.started);
    s.conn.setDisplayScreen(4, 4);
    s.open(0xF, Param(0));
    ASSERT_TRUE(WaitFor([&] { return s.probe.videoCount() >= 60 && s.probe.audioCount() > 0; }));
    EXPECT_EQ(s.probe.state().connectedCount, 1);
    EXPECT_EQ(s.probe.state().lastClientId, s.sim.streams().front().clientId);
    EXPECT_EQ(s.conn.getDVRChannels(), 4);
    EXPECT_EQ(s.probe.state().lastDvrInfo.ch_name(1), "Yard");
    std::set<int> channels;
    for (const FrameSeen& f : s.probe.frames())
        channels.insert(f.channel);
    EXPECT_EQ(channels, (std::set<int>{0, 1, 2, 3}));
    DISPLAY_DVR_INFO info = s.probe.lastInfo();
    EXPECT_EQ(info.channelNames[3], QStringLiteral("Gate"));
    EXPECT_EQ(info.authorityMask, 0xFu);
    EXPECT_EQ(info.model, 4u);
    EXPECT_EQ(info.startScreen + info.screenCount, 8);

    // Status masks travel with the frames; an absent field is an empty mask; unknown packet
    // kinds are ignored.
    s.sim.setLiveStatus(0x1, 0x0, 0x2, 0x4);
    ASSERT_TRUE(WaitFor([&] { return s.probe.lastInfo().sensorMask == 0x4; }));
    info = s.probe.lastInfo();
    EXPECT_EQ(info.recordMask, 0x1u);
    EXPECT_EQ(info.motionMask, 0x2u);
    cgi::LiveStatus onlyMotion;
    onlyMotion.set_motion_chmask(0x8);
    s.sim.sendPacket(cgi::DATA_LIVE_STATUS, QByteArray::fromStdString(onlyMotion.SerializeAsString()));
    cgi::PbStatus pb;
    pb.set_mode(PB_PAUSE);
    s.sim.sendPacket(cgi::DATA_PB_STATUS, QByteArray::fromStdString(pb.SerializeAsString()));
    s.sim.sendPacket(200, QByteArray(3, 'x'));
    ASSERT_TRUE(WaitFor([&] { return s.probe.lastInfo().pbMode == PB_PAUSE; }));
    EXPECT_EQ(s.probe.lastInfo().motionMask, 0x8u);
    EXPECT_EQ(s.probe.lastInfo().recordMask, 0u);

    EXPECT_EQ(s.probe.unsound(), 0);
    s.conn.Disconnect();
    EXPECT_FALSE(s.conn.IsConnected());
    EXPECT_EQ(s.conn.getClientID(), -1);
    EXPECT_EQ(s.probe.state().connectedCount, 1);
    EXPECT_EQ(s.probe.state().failures, 0);
}

TEST(Stream, SplitJunkAndCorruptPacketsCostOnlyThemselves)
{
    {
        Misbehaviour m;
        m.splitPackets = -1;  // every packet one byte at a time
        m.splitIntervalMs = 0;
        StreamRig s(SmallDvr(), m);
        ASSERT_TRUE(s.started);
        s.open(0x1, Param(0));
        ASSERT_TRUE(WaitFor([&] { return s.probe.videoCount() >= 5; }, 20000));
        EXPECT_EQ(s.probe.state().connectedCount, 1);
        EXPECT_EQ(s.probe.state().lastDvrInfo.ch_name(0), "Door");
        EXPECT_EQ(s.probe.unsound(), 0);
    }
    using simdvr::LengthFault;
    for (const LengthFault fault : {LengthFault::OverLimit, LengthFault::Longer, LengthFault::Huge}) {
        for (const bool old : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "fault " << int(fault) << " old " << old);
            Misbehaviour m = Bad(-1, false, -1, true);
            m.junkEvery = 2;
            m.corruptLengthEvery = 5;
            m.lengthFault = fault;
            m.corruptEndCodeEvery = 7;
            StreamRig s(SmallDvr(old), m);
            ASSERT_TRUE(s.started);
            s.open(0x3, Param(0));
            ASSERT_TRUE(WaitFor([&] { return s.probe.videoCount() >= 200; }, 20000));
            // Quiet the DVR: then every well-formed frame it sent must have come through.
            m.stall = true;
            s.sim.setMisbehaviour(m);
            ASSERT_TRUE(WaitFor([&] { return s.probe.videoCount() == s.sim.streams().front().videoFrames; }, 10000))
                << s.probe.videoCount() << " of " << s.sim.streams().front().videoFrames;
            EXPECT_EQ(s.sim.streams().size(), 1u);
            EXPECT_GT(s.sim.streams().front().corruptPackets, 20);
            EXPECT_EQ(s.probe.unsound() + s.probe.state().failures, 0);
        }
    }
}

TEST(Stream, FrameDataOutsideItsPacketIsNeverHandedOn)
{
    StreamRig s(SmallDvr(), Bad(-1, true));  // only the packets below
    ASSERT_TRUE(s.started);
    s.open(0xF, Param(0));
    ASSERT_TRUE(s.sim.waitForStreams(1));
    const std::tuple<int, int, uint32_t, int> frames[] = {
        {0, 1, 101, 136},         // one byte more than the packet holds
        {0, 1, 0xFFFFFFFF, 136},  // a size that would wrap
        {0, 1, 0, 20},            // header cut short
        {0, 17, 100, 136},        // invalid header
        {0, 16, 100, 136},        // past the channels a DVR has
        {3, 0, 100, 139},         // audio data starts at 40: one byte short
        {0, 2, 100, 136},         // and one good frame
    };
    for (const auto& [type, channel, declared, bytes] : frames) {
        simdvr::FrameFields f;
        f.type = type;
        f.channel = channel;
        f.frameSize = declared;
        s.sim.sendPacket(uint8_t(type == 3 ? cgi::DATA_AUDIO : cgi::DATA_VIDEO),
                         (simdvr::MakeCFrameHeader(f) + QByteArray(100, '\x42')).left(bytes));
    }
    ASSERT_TRUE(WaitFor([&] { return s.probe.videoCount() >= 1; }));
    QTest::qWait(200);
    ASSERT_EQ(s.probe.videoCount(), 1);
    EXPECT_EQ(s.probe.frames().front().channel, 2);
    EXPECT_EQ(s.probe.audioCount() + s.probe.unsound(), 0);
}

TEST(Stream, ClosedByTheDvr)
{
    // Live after data: reopened at once; then before data: a failure, not reopened.
    StreamRig s(SmallDvr(), Bad(6));
    ASSERT_TRUE(s.started);
    s.open(0x1, Param(0));
    ASSERT_TRUE(s.sim.waitForStreams(3, 10000));
    EXPECT_EQ(s.probe.state().failures, 0);
    EXPECT_GE(s.probe.state().connectedCount, 2);  // once per run
    s.sim.setMisbehaviour(Bad(0));
    s.sim.closeStreams();
    ASSERT_TRUE(WaitFor([&] { return s.probe.state().failures == 1; }, 10000));
    const size_t streams = s.sim.streams().size();
    QTest::qWait(300);
    EXPECT_EQ(s.sim.streams().size(), streams);
    EXPECT_EQ(s.probe.state().failures, 1);
    EXPECT_EQ(s.probe.state().statuses.back(), QStringLiteral("Connection failed"));
    EXPECT_FALSE(s.conn.isRunning());

    // Before any packet a backup still ends with its message, a playback fails instead of
    // waiting for ever.
    CHttpConnect backup;
    backup.Connect(MakeDvr(s.sim, false, 0x1), Param(2, false, T0, T0 + 60));
    ASSERT_TRUE(WaitFor(CloseBackupMessage));
    EXPECT_FALSE(backup.isRunning());
    s.open(0x1, Param(1));
    ASSERT_TRUE(WaitFor([&] { return s.probe.state().failures == 2; }));
    EXPECT_EQ(s.probe.state().statuses.back(), QStringLiteral("Connection failed"));

    // After data a playback simply ends: no failure, not reopened.
    s.sim.setMisbehaviour(Bad(20));
    s.sim.clearLog();
    s.open(0x1, Param(1));
    ASSERT_TRUE(WaitFor([&] { return s.probe.videoCount() > 0 && !s.conn.isRunning(); }));
    QTest::qWait(300);
    EXPECT_EQ(s.probe.state().failures, 2);
    EXPECT_EQ(s.sim.streams().size(), 1u);
    EXPECT_EQ(s.probe.lastInfo().displayMode, uint32_t(DISPLAY_MODE::REMOTE_PLAYBACK));
}

TEST(Stream, SilenceReportsConnectionFailedOnce)
{
    for (const bool refused : {false, true}) {
        SCOPED_TRACE(refused ? "nobody listening" : "DVR silent");
        StreamRig s(SmallDvr(), Bad(-1, true));
        ASSERT_TRUE(s.started);
        if (refused)
            s.sim.stop();
        s.conn.setNoPacketTimeout(400);
        s.open(0x1, Param(0));
        ASSERT_TRUE(WaitFor([&] { return s.probe.state().failures == 1; }));
        QTest::qWait(1000);
        EXPECT_EQ(s.probe.state().statuses, std::vector<QString>{QStringLiteral("Connection failed")});
        EXPECT_TRUE(s.conn.isRunning()) << "its owner stops it";
    }
}

TEST(Stream, ResultCodesGiveTheirTexts)
{
    const std::tuple<bool, int, const char*> cases[] = {
        {false, 1, "[ERROR]user unknown"},    {false, 2, "[ERROR]password miss"},
        {false, 3, "[ERROR]client limit"},    {false, 4, "[ERROR]permission denied"},
        {false, 5, "[ERROR]network timeout"}, {false, 6, "[ERROR]request refused"},
        {false, 9, "[ERROR]unknown"},         {true, 0, "[ERROR]unknown"},
        {true, 3, "[ERROR]protocol version"}, {true, 4, "[ERROR]client limit"},
        {true, 5, "[ERROR]super exist"},      {true, 6, "[ERROR]no video data"},
        {true, 7, "[ERROR]no video channel"}, {true, 10, "[ERROR]mpeg push end"},
        {true, 14, "[ERROR]connection timeout"}, {true, 15, "[ERROR]unknown"},
    };
    for (const auto& [old, code, text] : cases) {
        SCOPED_TRACE(text);
        StreamRig s(SmallDvr(old), Bad(-1, false, code));
        ASSERT_TRUE(s.started);
        // The owner stops a stream on its first failure report, as the connection object does.
        QObject::connect(&s.conn, &CHttpConnect::signalConnectionFailed, &s.probe, [&s] { s.conn.Disconnect(); });
        s.open(0x1, Param(0));
        ASSERT_TRUE(WaitFor([&] { return s.probe.state().failures >= 1 && !s.conn.isRunning(); }));
        EXPECT_EQ(s.probe.state().statuses.front(), QString::fromLatin1(text));
        s.conn.setConnectionFailed(QStringLiteral("other"));
        EXPECT_EQ(s.probe.state().statuses.back(), QString::fromLatin1(text)) << "the first text of a run stays";
    }

    // Code 0 of the current protocol is no error; a payload of another length is a failure
    // without a text.
    StreamRig s(SmallDvr());
    ASSERT_TRUE(s.started);
    s.open(0x1, Param(0));
    ASSERT_TRUE(WaitFor([&] { return s.probe.videoCount() > 3; }));
    s.sim.sendPacket(cgi::DATA_RESPONSE, QByteArray(1, '\0'));
    QTest::qWait(200);
    EXPECT_EQ(s.probe.state().failures, 0);
    s.sim.sendPacket(cgi::DATA_RESPONSE, QByteArray(2, '\x02'));
    ASSERT_TRUE(WaitFor([&] { return s.probe.state().failures == 1; }));
    EXPECT_TRUE(s.probe.state().statuses.back().isEmpty());
}

TEST(Stream, EMapReportsCameraStates)
{
    for (const bool old : {false, true}) {
        SCOPED_TRACE(old);
        simdvr::Config cfg = SmallDvr(old);
        cfg.recordMask = 0x1;
        cfg.motionMask = 0x3;
        cfg.sensorMask = 0x6;
        cfg.vlossMask = 0x8;
        StreamRig s(cfg);
        ASSERT_TRUE(s.started);
        s.open(0xF, Param(0, true));
        std::map<int, StreamProbe::EMapEvent> last;
        ASSERT_TRUE(WaitFor([&] {
            for (const StreamProbe::EMapEvent& e : s.probe.state().emapEvents)
                last.insert_or_assign(e.channel, e);
            return last.size() == 4 && s.probe.state().emapEvents.size() > 40;
        }));
        EXPECT_EQ(s.probe.videoCount(), 0) << "an e-map stream feeds no display";
        const EMap_Status::ENUM expected[] = {EMap_Status::MOTION, EMap_Status::MOTION_SENSOR,
                                              EMap_Status::SENSOR, EMap_Status::VIDEO_LOSS};
        for (int ch = 0; ch < 4; ++ch) {
            EXPECT_EQ(last.at(ch).status, expected[ch]) << ch;
            EXPECT_EQ(last.at(ch).record, ch == 0) << ch;
        }

        // Data comes only with frames that carry it: never for the lost channel, and on the
        // current protocol (headers asked for) only with a frame sent with data.
        const std::vector<FrameSeen> data = s.probe.frames(false, true);
        EXPECT_EQ(data.empty(), !old);
        for (const FrameSeen& f : data)
            EXPECT_NE(f.channel, 3);
        if (!old) {
            simdvr::FrameFields f;
            f.channel = 2;
            f.frameSize = 10;
            s.sim.sendPacket(cgi::DATA_VIDEO, simdvr::MakeCFrameHeader(f) + QByteArray(10, '\1'));
            ASSERT_TRUE(WaitFor([&] { return s.probe.frames(false, true).size() == 1; }));
            EXPECT_EQ(s.probe.frames(false, true).front().channel, 2);
        }
        EXPECT_EQ(s.probe.unsound(), 0);

        // A failure turns every camera of the DVR grey.
        s.conn.Disconnect();
        QTest::qWait(50);
        const size_t before = s.probe.state().emapEvents.size();
        s.conn.setConnectionFailed(QStringLiteral("x"));
        const StreamProbe::State st = s.probe.state();
        ASSERT_EQ(st.emapEvents.size(), before + 16);
        for (size_t i = before; i < st.emapEvents.size(); ++i)
            EXPECT_EQ(st.emapEvents[i].status, EMap_Status::DISCONNECTED);
        EXPECT_TRUE(st.statuses.empty());
    }
}

TEST(Stream, OldProtocolLearnsItsStreamKindAndRestartsOnce)
{
    simdvr::Config cfg = SmallDvr(true);
    cfg.channelNames[0] = QString::fromUtf8("\xEC\xA0\x95\xEB\xAC\xB8");  // EUC-KR on the wire
    StreamRig s(cfg);
    ASSERT_TRUE(s.started);
    DVR dvr = MakeDvr(s.sim, true, 0xF);
    dvr.set_protocol_type(0);
    s.conn.Connect(dvr, Param(0));
    ASSERT_TRUE(WaitFor([&] { return s.probe.videoCount() > 10; }));
    ASSERT_EQ(s.sim.streams().size(), 2u);
    const QByteArray stop = "MODE=5&CID=" + QByteArray::number(s.sim.streams()[0].clientId) + "&OP=5";
    EXPECT_TRUE(s.sim.waitForRequest([&](const simdvr::Request& r) { return r.body == stop; }));
    EXPECT_EQ(s.probe.state().connectedCount, 1);
    EXPECT_EQ(s.probe.state().lastClientId, s.sim.streams()[1].clientId);
    EXPECT_EQ(s.probe.state().lastDvrInfo.model(), 8u);
    const DISPLAY_DVR_INFO info = s.probe.lastInfo();
    EXPECT_TRUE(info.oldProtocol);
    EXPECT_EQ(info.channelNames[0], cfg.channelNames[0]);
    EXPECT_EQ(info.channelNames[3], QStringLiteral("Gate"));
    EXPECT_EQ(s.probe.unsound(), 0);
}

TEST(Stream, ShortOldRecordIsZeroFilled)
{
    StreamRig s(SmallDvr(true), Bad(-1, true));
    ASSERT_TRUE(s.started);
    s.open(0xF, Param(0));
    ASSERT_TRUE(s.sim.waitForStreams(1));
    // 100 bytes: names of channels 0 to 6 fit, the eighth slot is cut after 3 bytes.
    const QByteArray record =
        simdvr::MakeOldDvrRecord(8, 0x00F0, {"A0", "A1", "A2", "A3", "A4", "A5", "A6", "LONGNAME7", "A8"});
    s.sim.sendPacket(20, record.left(100));
    simdvr::FrameFields f;
    f.channel = 5;
    f.model = 99;  // not a model: the channel count names one
    f.info = simdvr::CUFrameResolutionInfo(704, 576);
    f.frameSize = 8;
    s.sim.sendPacket(10, simdvr::MakeCUFrameHeader(f) + QByteArray(8, '\0'));
    ASSERT_TRUE(WaitFor([&] { return s.probe.videoCount() == 1; }));
    const DISPLAY_DVR_INFO info = s.probe.lastInfo();
    EXPECT_EQ(info.authorityMask, 0xF0u);
    EXPECT_EQ(info.channelNames[6], QStringLiteral("A6"));
    EXPECT_EQ(info.channelNames[7], QStringLiteral("LON"));
    EXPECT_EQ(info.channelNames[8], QString());
    EXPECT_EQ(info.model, 7u);
    EXPECT_EQ(s.conn.getVideoType(), 1);  // 576 lines: PAL
}

TEST(Stream, BackupRecordsUntilItsEndReportsItOnceAndEndsWithItsMessage)
{
    for (const bool old : {false, true}) {
        SCOPED_TRACE(old);
        StreamRig s(SmallDvr(old), Bad(-1, false, -1, true));
        ASSERT_TRUE(s.started);
        s.conn.SetRecordPtr(&s.probe);
        s.open(0x3, Param(2, false, T0, T0 + 3));
        ASSERT_TRUE(WaitFor(CloseBackupMessage, 15000));
        EXPECT_FALSE(s.conn.isRunning());
        const StreamProbe::State st = s.probe.state();
        EXPECT_EQ(st.failures, 0);
        EXPECT_EQ(std::count(st.progress.begin(), st.progress.end(), -1), 1);
        // Every frame before the end was recorded and shown; the progress adds up to the time
        // the frames span.
        const std::vector<FrameSeen> shown = s.probe.frames();
        ASSERT_GT(shown.size(), 30u);
        EXPECT_EQ(s.probe.recordedVideo, int(shown.size()));
        EXPECT_EQ(s.probe.recordedOld, old);
        EXPECT_EQ(shown.front().time, T0);
        EXPECT_LT(shown.back().time, T0 + 3);
        int64_t sum = 0;
        for (int v : st.progress)
            sum += std::max(v, 0);
        EXPECT_EQ(sum, shown.back().time - T0);
    }
}

TEST(Stream, RecorderGetsFramesWhileAttachedAndRecording)
{
    {  // live: nothing while not recording; then video and audio; nothing after detaching
        StreamRig s(SmallDvr());
        ASSERT_TRUE(s.started);
        s.probe.recording = false;
        s.conn.SetRecordPtr(&s.probe);
        s.open(0x3, Param(0));
        ASSERT_TRUE(WaitFor([&] { return s.probe.videoCount() > 10; }));
        EXPECT_EQ(s.probe.recordedVideo + s.probe.recordedAudio, 0);
        s.probe.recording = true;
        ASSERT_TRUE(WaitFor([&] { return s.probe.recordedVideo > 20 && s.probe.recordedAudio > 0; }));
        s.conn.SetRecordPtr(nullptr);
        const int written = s.probe.recordedVideo + s.probe.recordedAudio;
        QTest::qWait(300);
        EXPECT_EQ(s.probe.recordedVideo + s.probe.recordedAudio, written);
    }
    // A recorded playback: audio goes to the file only, result codes are ignored.
    StreamRig s(SmallDvr());
    ASSERT_TRUE(s.started);
    s.conn.SetRecordPtr(&s.probe);
    s.open(0x1, Param(1, false, T0));
    ASSERT_TRUE(WaitFor([&] { return s.probe.recordedAudio > 2; }));
    s.sim.sendPacket(cgi::DATA_RESPONSE, QByteArray(1, '\x05'));
    QTest::qWait(200);
    EXPECT_EQ(s.probe.audioCount() + s.probe.state().failures, 0);
}

TEST(Stream, FloodedStreamStopsCleanlyMidPacket)
{
    simdvr::CSimDvr sim;
    ASSERT_TRUE(sim.start());
    sim.setMisbehaviour(Bad(-1, false, -1, true));
    for (int round = 0; round < 6; ++round) {
        auto* conn = new CHttpConnect;
        StreamProbe probe(conn, false);
        conn->SetRecordPtr(&probe);
        conn->Connect(MakeDvr(sim, false), Param(0));
        ASSERT_TRUE(WaitFor([&] { return probe.videoCount() > 50; }, 10000));
        QTest::qWait(int(QRandomGenerator::global()->bounded(30)));
        // Change what the stream shares with this thread while it runs.
        conn->setDisplayScreen(round, 16);
        conn->SetRecordPtr(nullptr);
        if (round % 2)
            conn->Disconnect();
        delete conn;  // stops a running stream too
        EXPECT_GT(probe.recordedVideo, 0);
        EXPECT_EQ(probe.unsound(), 0);
    }
}
