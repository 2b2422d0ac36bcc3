// Streams against a simulated DVR: their requests, what they hand on, how they survive a bad wire.

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QSignalSpy>
#include <numeric>

#include "Network/StreamKinds.h"
#include "StreamProbe.h"
#include "support/LeftBehind.h"

using namespace nettest;
using simdvr::Misbehaviour;
using simdvr::Request;

namespace {

constexpr int64_t T0 = 1000000000;  // 2001-09-09 01:46:40 on the DVR's clock

Misbehaviour Bad(int closeAfter = -1, bool stall = false, int errorCode = -1, bool flood = false)
{
    Misbehaviour m;
    std::tie(m.closeAfterPackets, m.stall, m.streamErrorCode, m.flood) = std::make_tuple(closeAfter, stall, errorCode, flood);
    return m;
}

QByteArray Line(const QByteArray& query) { return "GET /cgi-bin/webapp.cgi?" + query + "\r\n\r\n"; }

// Opens one stream (or the audio stream of video stream 7); what the DVR logged of it.
Request Open(simdvr::CSimDvr& sim, const DVR& dvr, const CHttpConnect::ConnParam& param, bool audio = false)
{
    sim.clearLog();
    CHttpConnect conn;
    audio ? conn.audioConnect(dvr, param, 7) : conn.Connect(dvr, param);
    Request r;
    EXPECT_TRUE(sim.waitForRequest([](const Request& q) { return q.transport == simdvr::Transport::Stream; }, 5000, &r));
    return r;
}

}  // namespace

TEST(StreamRequest, CurrentProtocolLines)
{
    simdvr::CSimDvr sim;
    ASSERT_TRUE(sim.start());
    auto live = [](int codec, uint32_t achmask, uint32_t headerOnly) {
        cgi::Live m;
        m.set_codec(cgi::Codec(codec));
        m.set_vchmask(0xA5);
        m.set_achmask(achmask);
        m.set_header_only_mask(headerOnly);
        return CgiQuery(cgi::MODE_LIVE, m);
    };
    cgi::Playback playback;
    playback.set_start_time(T0);
    playback.set_vchmask(0xA5);
    playback.set_achmask(0xA5);
    playback.set_skip_mode(false);
    cgi::Backup backup;
    backup.set_start_time(T0);
    backup.set_end_time(T0 + 60);
    backup.set_chmask(0xA5);
    // The e-map's sub stream asks for headers only; an unknown mode sends no query.
    CHttpConnect::ConnParam mute = Param(0), pb = Param(1, false, T0);
    mute.audio = false;
    pb.playbackMode = false;
    const std::pair<CHttpConnect::ConnParam, QByteArray> cases[] = {
        {Param(0), live(0, 0xA5, 0)}, {Param(0, true, 0, 0, 1), live(1, 0, 0xA5)}, {mute, live(0, 0, 0)},
        {pb, CgiQuery(cgi::MODE_PLAYBACK, playback)},
        {Param(2, false, T0, T0 + 60), CgiQuery(cgi::MODE_BACKUP, backup)}, {Param(7), ""},
    };
    for (const auto& [param, expected] : cases) {
        const Request r = Open(sim, MakeDvr(sim, false, 0xA5), param);
        EXPECT_EQ(r.head, Line(expected));
        EXPECT_TRUE(expected.isEmpty() || (r.userOk && r.dataOk && r.user + r.password == "admin1234"));
    }
}

TEST(StreamRequest, OldProtocolLines)
{
    simdvr::Config cfg = SmallDvr(true);
    cfg.user.clear();  // any account
    simdvr::CSimDvr sim(cfg);
    ASSERT_TRUE(sim.start());
    DVR dvr = MakeDvr(sim, true, 0xA5);
    const QByteArray acc = "&ID=admin&PW=1234&VER=3000&CH=a5";
    // Protocol type 0: stream kind not known; 2: H.264 with a sub stream; 3: MPEG-4 without.
    const std::tuple<int, int, int, bool, int64_t, QByteArray> cases[] = {
        {0, 0, 0, false, 0, "MODE=0" + acc},           {0, 0, 1, false, 0, "MODE=0" + acc},
        {2, 0, 1, false, 0, "MODE=9" + acc},           {3, 0, 1, false, 0, "MODE=0" + acc},
        {2, 0, 0, true, 0, "MODE=1" + acc + "&CID=107"}, {2, 0, 1, true, 0, "MODE=10" + acc + "&CID=107"},
        {0, 0, 1, true, 0, "MODE=1" + acc + "&CID=107"}, {2, 1, 0, true, 0, "MODE=3" + acc + "&CID=107"},
        {2, 1, 0, false, 0, "MODE=2&STARTTIME=010909014640" + acc},
        {2, 2, 0, false, 3600, "MODE=2&STARTTIME=010909014640&ENDTIME=010909024640" + acc},
    };
    for (const auto& [type, mode, codec, audio, length, expected] : cases) {
        dvr.set_protocol_type(type);
        const Request r = Open(sim, dvr, Param(mode, false, mode ? T0 : 0, length ? T0 + length : 0, codec), audio);
        EXPECT_EQ(r.head, Line(expected));
        EXPECT_TRUE(r.oldProtocol && r.streamId > 0) << expected.constData();
    }
    // Credentials cannot break the query.
    dvr.set_id("op er&1#");
    dvr.set_password("p%20\r\nw\xC3\xBC=");
    const Request r = Open(sim, dvr, Param(0));
    EXPECT_EQ(r.oldId.toStdString(), dvr.id());
    EXPECT_EQ(r.oldPw.toStdString(), dvr.password());
    EXPECT_EQ(r.param("CH"), QByteArray("a5"));
    EXPECT_EQ(r.head.count("\r\n"), 2);
}

TEST(Stream, LiveConnectsOnceWithItsClientIdNamesAndStatus)
{
    StreamRig s(SmallDvr());
    s.open(0xF, Param(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.videoCount() >= 20 && !s.probe.state().audio.empty(); }));
    EXPECT_EQ(s.probe.lastInfo().authorityMask, 0xFu);
    // Status masks travel with the frames; an absent field clears its mask; unknown kinds are ignored.
    s.sim.setLiveStatus(0x1, 0x0, 0x2, 0x4);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const DISPLAY_DVR_INFO i = s.probe.lastInfo();
        return i.recordMask == 0x1 && i.motionMask == 0x2 && i.sensorMask == 0x4;
    }));
    cgi::LiveStatus onlyMotion;
    onlyMotion.set_motion_chmask(0x8);
    s.sim.sendPacket(cgi::DATA_LIVE_STATUS, QByteArray::fromStdString(onlyMotion.SerializeAsString()));
    s.sim.sendPacket(200, QByteArray(3, 'x'));
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.lastInfo().motionMask == 0x8; }));
    EXPECT_EQ(s.probe.lastInfo().recordMask, 0u);

    const StreamProbe::State st = s.probe.state();
    EXPECT_EQ(st.connectedCount, 1);
    EXPECT_EQ(st.lastClientId, s.sim.streams().front().clientId);
    EXPECT_EQ(st.lastDvrInfo.ch_name(1), "Yard");
    EXPECT_EQ(st.failures + st.unsound, 0);
}

namespace {

// An old DVR whose model byte tells H.264, whose sub stream has a request of its own.
simdvr::Config H264OldDvr()
{
    simdvr::Config c = SmallDvr(true);
    c.model = 12;
    return c;
}

}  // namespace

TEST(Stream, OldProtocolSubStreamOfAnUnknownKindRestartsOnceWithTheRequestItsKindGives)
{
    StreamKinds::forget();
    StreamRig s(H264OldDvr());
    DVR dvr = MakeDvr(s.sim, true, 0xF);
    dvr.set_protocol_type(0);
    s.conn.Connect(dvr, Param(0, false, 0, 0, 1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.videoCount() >= 10; }));
    const std::vector<simdvr::StreamInfo> streams = s.sim.streams();
    ASSERT_EQ(streams.size(), 2u);
    // The first stream is stopped by its own client id once its first frame tells the kind.
    const QByteArray stop = "MODE=5&CID=" + QByteArray::number(streams[0].clientId) + "&OP=5";
    EXPECT_TRUE(s.sim.waitForRequest([&](const Request& r) { return r.body == stop; }));
    std::vector<QByteArray> lines;
    for (const Request& r : s.sim.requests())
        if (r.transport == simdvr::Transport::Stream)
            lines.push_back(r.head);
    EXPECT_EQ(lines, std::vector<QByteArray>({Line("MODE=0&ID=admin&PW=1234&VER=3000&CH=f"),
                                              Line("MODE=9&ID=admin&PW=1234&VER=3000&CH=f")}));
    // Only the new stream connects, and its frames carry the old header kind.
    const StreamProbe::State st = s.probe.state();
    EXPECT_EQ(st.connectedCount, 1);
    EXPECT_EQ(st.lastClientId, streams[1].clientId);
    EXPECT_TRUE(s.probe.lastInfo().oldProtocol);
    EXPECT_EQ(st.failures + st.unsound, 0);
}

namespace {

// An old DVR's main stream of a kind not known yet.
void OpenMainStreamOfUnknownKind(StreamRig& s, CHttpConnect& conn)
{
    DVR dvr = MakeDvr(s.sim, true, 0xF);
    dvr.set_protocol_type(0);
    conn.Connect(dvr, Param(0));
}

int StreamRequests(const simdvr::CSimDvr& sim)
{
    int n = 0;
    for (const Request& r : sim.requests())
        n += r.transport == simdvr::Transport::Stream;
    return n;
}

}  // namespace

// Its request is the same whatever the kind: the stream that told the kind goes on.
TEST(Stream, OldProtocolMainStreamOfAnUnknownKindKeepsTheStreamThatToldItsKind)
{
    StreamKinds::forget();
    StreamRig s(SmallDvr(true));  // MPEG-4
    OpenMainStreamOfUnknownKind(s, s.conn);
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.videoCount() >= 10; }));
    EXPECT_EQ(StreamRequests(s.sim), 1);
    EXPECT_EQ(s.conn.getProtocolType(), 3);
    EXPECT_EQ(s.probe.state().connectedCount, 1);
    EXPECT_FALSE(s.sim.waitForRequest([](const Request& r) { return r.transport == simdvr::Transport::Post; }, 300));
}

// A group switch makes new connections from the list, which holds no kind.
TEST(Stream, OldProtocolKindLearnedOnceServesTheNextConnectionToThatDvr)
{
    StreamKinds::forget();
    StreamRig s(H264OldDvr());
    OpenMainStreamOfUnknownKind(s, s.conn);
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().connectedCount == 1; }, 10000));
    s.conn.Disconnect();
    CHttpConnect next;
    StreamProbe probe(&next, true);
    DVR dvr = MakeDvr(s.sim, true, 0xF);
    dvr.set_protocol_type(0);
    next.Connect(dvr, Param(0, false, 0, 0, 1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return probe.videoCount() >= 10; }));
    EXPECT_EQ(StreamRequests(s.sim), 2);
    EXPECT_EQ(s.sim.streams().back().codec, 1);
    next.Disconnect();
}

TEST(Stream, SplitJunkAndCorruptPacketsCostOnlyThemselves)
{
    using simdvr::LengthFault;
    for (const LengthFault fault : {LengthFault::OverLimit, LengthFault::Longer, LengthFault::Huge}) {
        for (const bool old : {false, true}) {
            SCOPED_TRACE(int(fault) * 2 + old);
            Misbehaviour m = Bad(-1, false, -1, true);
            m.junkEvery = 2;
            m.corruptLengthEvery = 5;
            m.lengthFault = fault;
            m.corruptEndCodeEvery = 7;
            m.splitPackets = 1;
            m.splitIntervalMs = 0;  // the first packet one byte at a time
            StreamRig s(SmallDvr(old), m);
            s.open(0x3, Param(0));
            ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.videoCount() >= 200; }, 20000));
            m.stall = true;  // then every well-formed frame the DVR sent must have come through
            s.sim.setMisbehaviour(m);
            ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.videoCount() == s.sim.streams().front().videoFrames; }, 10000));
            EXPECT_EQ(s.sim.streams().size(), 1u);
            EXPECT_GT(s.sim.streams().front().corruptPackets, 20);
            EXPECT_EQ(s.probe.state().unsound + s.probe.state().failures, 0);
            EXPECT_EQ(s.probe.lastInfo().channelNames[1], QStringLiteral("Yard"));
        }
    }
}

TEST(Stream, FrameDataOutsideItsPacketIsNeverHandedOn)
{
    StreamRig s(SmallDvr(), Bad(-1, true));  // only the packets below
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
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.videoCount() >= 1; }));
    QTest::qWait(200);
    const StreamProbe::State st = s.probe.state();
    ASSERT_EQ(st.video.size(), 1u);
    EXPECT_EQ(st.video.front().channel, 2);
    EXPECT_TRUE(st.audio.empty() && st.unsound == 0);
}

TEST(Stream, ShortOldRecordIsZeroFilled)
{
    StreamRig s(SmallDvr(true), Bad(-1, true));
    s.open(0xF, Param(0));
    ASSERT_TRUE(s.sim.waitForStreams(1));
    // 100 bytes: names of channels 0 to 6 fit, the eighth slot is cut after 3 bytes.
    s.sim.sendPacket(20, simdvr::MakeOldDvrRecord(8, 0x00F0, {"A0", "A1", "A2", "A3", "A4", "A5", "A6", "LONGNAME7"}).left(100));
    simdvr::FrameFields f;
    f.channel = 5;
    f.info = simdvr::CUFrameResolutionInfo(704, 576);
    f.frameSize = 8;
    f.model = 99;  // not a model: the channel count names one
    s.sim.sendPacket(10, simdvr::MakeCUFrameHeader(f) + QByteArray(8, '\0'));
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.videoCount() == 1; }));
    const DISPLAY_DVR_INFO info = s.probe.lastInfo();
    EXPECT_EQ(info.authorityMask, 0xF0u);
    EXPECT_EQ(info.channelNames[6], QStringLiteral("A6"));
    EXPECT_EQ(info.channelNames[7], QStringLiteral("LON"));
    EXPECT_EQ(info.channelNames[8], QString());
    EXPECT_EQ(info.model, 7u);
    EXPECT_EQ(s.conn.getVideoType(), 1);  // 576 lines: PAL
}

TEST(Stream, ClosedOrSilentDvrFailsOnce)
{
    // Live after data: reopened at once; then before data: a failure, not reopened.
    StreamRig s(SmallDvr(), Bad(6));
    s.open(0x1, Param(0));
    ASSERT_TRUE(s.sim.waitForStreams(3, 10000));
    EXPECT_EQ(s.probe.state().failures, 0);
    EXPECT_GE(s.probe.state().connectedCount, 2);
    s.sim.setMisbehaviour(Bad(0));
    s.sim.closeStreams();
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().failures == 1; }, 10000));
    const size_t streams = s.sim.streams().size();
    QTest::qWait(300);
    EXPECT_EQ(s.sim.streams().size(), streams);
    EXPECT_EQ(s.probe.state().statuses.back(), QStringLiteral("Connection failed"));
    EXPECT_FALSE(s.conn.isRunning());

    // Before any packet a backup still ends with its message, a playback fails.
    CHttpConnect backup;
    QSignalSpy ended(&backup, &CHttpConnect::backupEnded);
    backup.Connect(MakeDvr(s.sim, false, 0x1), Param(2, false, T0, T0 + 60));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended.count() == 1; }));
    EXPECT_FALSE(ended.first().first().toBool());
    EXPECT_FALSE(backup.isRunning());
    s.open(0x1, Param(1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().failures == 2; }));

    // Silent: one failure after the no-packet time.
    s.conn.setNoPacketTimeout(400);
    s.sim.setMisbehaviour(Bad(-1, true));
    s.open(0x1, Param(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().failures == 3; }));
    QTest::qWait(1000);
    EXPECT_EQ(s.probe.state().failures, 3);
    EXPECT_EQ(s.probe.state().statuses.back(), QStringLiteral("Connection failed"));
    EXPECT_TRUE(s.conn.isRunning());  // until its owner stops it
}

TEST(Stream, ARefusedDialFailsAtOnceNotAfterTheNoPacketTime)
{
    StreamRig s(SmallDvr());
    s.sim.stop();
    s.open(0x1, Param(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().failures == 1; }, 10000));
    EXPECT_EQ(s.probe.state().statuses.back(), QStringLiteral("Connection failed"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !s.conn.isRunning(); }));  // the socket never dials again by itself
}

TEST(Stream, ResultCodesGiveTheirTexts)
{
    const std::tuple<bool, int, const char*> cases[] = {
        {false, 2, "[ERROR]password miss"}, {false, 9, "[ERROR]unknown"},
        {true, 4, "[ERROR]client limit"},   {true, 14, "[ERROR]connection timeout"},
    };
    for (const auto& [old, code, text] : cases) {
        StreamRig s(SmallDvr(old), Bad(-1, false, code));
        QObject::connect(&s.conn, &CHttpConnect::signalConnectionFailed, &s.probe, [&s] { s.conn.Disconnect(); });  // as its owner
        s.open(0x1, Param(0));
        ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.state().failures >= 1 && !s.conn.isRunning(); })) << text;
        s.conn.setConnectionFailed(QStringLiteral("other"));  // the first text of a run stays
        EXPECT_EQ(s.probe.state().statuses.back(), QString::fromLatin1(text));
    }
}

TEST(Stream, BackupRecordsUntilItsEndReportsItOnceAndSaysItIsComplete)
{
    for (const bool old : {false, true}) {
        StreamRig s(SmallDvr(old), Bad(-1, false, -1, true));
        s.conn.SetRecordPtr(&s.probe);
        s.open(0x3, Param(2, false, T0, T0 + 3));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !s.probe.state().backupEnds.empty(); }, 15000));
        EXPECT_EQ(s.probe.state().backupEnds, std::vector<bool>{true});
        // A frame past the end tells before the stream has closed.
        EXPECT_TRUE(QTest::qWaitFor([&] { return !s.conn.isRunning(); }, 10000));
        const StreamProbe::State st = s.probe.state();
        EXPECT_EQ(st.failures, 0);
        EXPECT_EQ(std::count(st.progress.begin(), st.progress.end(), -1), 1);
        // Every frame before the end recorded and shown; the progress adds up to their span.
        const std::vector<FrameSeen> shown = st.video;
        ASSERT_GT(shown.size(), 30u);
        EXPECT_EQ(s.probe.recordedVideo, int(shown.size()));
        EXPECT_EQ(s.probe.recordedOld, old);
        EXPECT_EQ(shown.front().time, T0);
        EXPECT_EQ(shown.back().time, T0 + 3);  // the last second is kept
        EXPECT_EQ(std::accumulate(st.progress.begin(), st.progress.end(), 1), shown.back().time - T0);  // one -1
    }
}

TEST(Stream, ABackupCutShortSaysSoOnce)
{
    StreamRig s(SmallDvr(), Bad(40, false, -1, true));  // closed long before its last second
    s.conn.SetRecordPtr(&s.probe);
    s.open(0x3, Param(2, false, T0, T0 + 60));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !s.probe.state().backupEnds.empty(); }, 15000));
    QTest::qWait(300);
    EXPECT_EQ(s.probe.state().backupEnds, std::vector<bool>{false});
    const std::vector<int> progress = s.probe.state().progress;
    EXPECT_EQ(std::count(progress.begin(), progress.end(), -1), 1);
}

TEST(Stream, ABackupTheDvrClosesAfterItsLastSecondSaysItIsComplete)
{
    // A DVR that sends no frame past the end: the close alone tells.
    StreamRig s(SmallDvr());
    s.conn.SetRecordPtr(&s.probe);
    s.open(0x1, Param(2, false, T0, T0 + 1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !s.probe.state().video.empty() && s.probe.state().video.back().time == T0 + 1; }, 15000));
    s.sim.closeStreams();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !s.probe.state().backupEnds.empty(); }, 15000));
    EXPECT_EQ(s.probe.state().backupEnds, std::vector<bool>{true});
}

TEST(Stream, FloodedStreamStopsCleanlyMidPacket)
{
    StreamRig s(SmallDvr(), Bad(-1, false, -1, true));  // its own stream left unopened
    for (int round = 0; round < 6; ++round) {
        auto* conn = new CHttpConnect;
        StreamProbe probe(conn, false);
        conn->SetRecordPtr(&probe);
        conn->Connect(MakeDvr(s.sim, false), Param(0));
        ASSERT_TRUE(QTest::qWaitFor([&] { return probe.videoCount() > 50; }, 10000));
        QTest::qWait(int(QRandomGenerator::global()->bounded(30)));
        // Change what the stream shares with this thread while it runs.
        conn->setDisplayScreen(round, 16);
        conn->SetRecordPtr(nullptr);
        cgi::StreamStop stop;
        stop.set_stream_id(uint32_t(conn->getClientID()));
        if (round % 2)
            conn->Disconnect();
        delete conn;  // stops a running stream too
        EXPECT_GT(probe.recordedVideo, 0);
        EXPECT_EQ(probe.state().unsound, 0);
        // The stop reaches the DVR, else it soon refuses with "client limit".
        const QByteArray body = CgiQuery(cgi::MODE_STREAM_STOP, stop);
        EXPECT_TRUE(s.sim.waitForRequest([&](const Request& q) {
            return q.body == body && q.header("Content-Length") == QByteArray::number(body.size());
        }));
    }
}

TEST(Stream, AStreamWhoseThreadDoesNotEndIsLeftBehindInBoundedTimeWithWhatItUses)
{
    StreamRig s(SmallDvr(), Bad(-1, false, -1, true));  // its own stream left unopened
    auto* conn = new CHttpConnect;
    // A receiver that holds the first frame, as one stuck writing it would.
    lefttest::Gate gate;
    QObject::connect(conn, &CHttpConnect::VDataReceived, conn,
                     [&](const DISPLAY_DVR_INFO&, const unsigned char*, size_t) { gate.pass(); }, Qt::DirectConnection);
    conn->Connect(MakeDvr(s.sim, false), Param(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.waiting(); }, 10000));
    lefttest::OpenLate late(gate, 10000);

    // What the stream's thread uses beside itself (its recorder) is kept while it runs.
    auto kept = std::make_shared<QObject>();
    const std::weak_ptr<QObject> keep = kept;
    {
        lefttest::Warnings warnings;
        QElapsedTimer timer;
        timer.start();
        CHttpConnect::Dispose(conn, kept);
        EXPECT_LT(timer.elapsed(), CHttpConnect::JOIN_WAIT_MS + 1000);
        EXPECT_EQ(warnings.count("left"), 2) << warnings.all();
    }
    kept.reset();
    EXPECT_FALSE(keep.expired());

    // The thread ends by itself once let go; the stream and what it kept go then.
    late.now();
    EXPECT_TRUE(QTest::qWaitFor([&] { return keep.expired(); }, 10000));
}
