// What a stream puts on the wire, read back by the simulated DVR's own decoding.

#include <gtest/gtest.h>

#include "StreamProbe.h"

using namespace nettest;
using simdvr::CSimDvr;
using simdvr::Request;

namespace {

QByteArray Line(const QByteArray& query) { return "GET /cgi-bin/webapp.cgi?" + query + "\r\n\r\n"; }

// Opens one stream (or the audio stream of video stream 7) and returns what the DVR logged.
Request Open(CSimDvr& sim, const DVR& dvr, const CHttpConnect::ConnParam& param, bool audio = false)
{
    sim.clearLog();
    CHttpConnect conn;
    if (audio)
        conn.audioConnect(dvr, param, 7);
    else
        conn.Connect(dvr, param);
    Request r;
    EXPECT_TRUE(sim.waitForRequest([](const Request& q) { return q.transport == simdvr::Transport::Stream; }, 5000, &r));
    return r;
}

}  // namespace

TEST(StreamRequest, CurrentProtocolLines)
{
    CSimDvr sim;
    ASSERT_TRUE(sim.start());
    const DVR dvr = MakeDvr(sim, false, 0xA5);

    // Main stream with audio; the e-map's sub stream asks for headers only; no audio.
    CHttpConnect::ConnParam sub = Param(0, true), mute = Param(0);
    sub.codec = 1;
    mute.audio = false;
    const std::tuple<CHttpConnect::ConnParam, uint32_t, uint32_t> lives[] = {
        {Param(0), 0xA5, 0}, {sub, 0, 0xA5}, {mute, 0, 0}};
    for (const auto& [param, achmask, headerOnly] : lives) {
        cgi::Live live;
        live.set_codec(cgi::Codec(param.codec));
        live.set_vchmask(0xA5);
        live.set_achmask(achmask);
        live.set_header_only_mask(headerOnly);
        const Request r = Open(sim, dvr, param);
        EXPECT_EQ(r.head, Line(CgiQuery(cgi::MODE_LIVE, live)));
        cgi::Live got;
        ASSERT_TRUE(r.userOk && r.dataOk && r.message(&got));
        EXPECT_EQ(r.user + r.password, "admin1234");
        EXPECT_EQ(got.header_only_mask(), headerOnly);
        EXPECT_EQ(got.achmask(), achmask);
    }

    CHttpConnect::ConnParam pb = Param(1, false, 1000000000);
    pb.playbackMode = false;
    cgi::Playback playback;
    playback.set_start_time(1000000000);
    playback.set_vchmask(0xA5);
    playback.set_achmask(0xA5);
    playback.set_skip_mode(false);
    EXPECT_EQ(Open(sim, dvr, pb).head, Line(CgiQuery(cgi::MODE_PLAYBACK, playback)));

    cgi::Backup backup;
    backup.set_start_time(1000000000);
    backup.set_end_time(1000000060);
    backup.set_chmask(0xA5);
    const Request r = Open(sim, dvr, Param(2, false, 1000000000, 1000000060));
    EXPECT_EQ(r.head, Line(CgiQuery(cgi::MODE_BACKUP, backup)));
    EXPECT_EQ(r.dataType, "cgi.Backup");

    // An unknown mode sends nothing in place of the query.
    EXPECT_EQ(Open(sim, dvr, Param(7)).head, Line(""));
}

TEST(StreamRequest, OldProtocolLines)
{
    simdvr::Config cfg = SmallDvr(true);
    cfg.user.clear();  // any account
    CSimDvr sim(cfg);
    ASSERT_TRUE(sim.start());
    DVR dvr = MakeDvr(sim, true, 0xA5);
    const QByteArray account = "&ID=admin&PW=1234&VER=3000&CH=a5";
    // 1000000000 is 2001-09-09 01:46:40 on the DVR's clock.
    struct Case {
        int protocolType, mode, codec;
        bool audio;
        int64_t start, end;
        QByteArray expected;
    } const cases[] = {
        {0, 0, 0, false, 0, 0, "MODE=0" + account},
        {0, 0, 1, false, 0, 0, "MODE=0" + account},  // stream kind not known
        {2, 0, 1, false, 0, 0, "MODE=9" + account},  // H.264 sub stream
        {3, 0, 1, false, 0, 0, "MODE=0" + account},  // MPEG-4 has none
        {2, 0, 0, true, 0, 0, "MODE=1" + account + "&CID=107"},
        {2, 0, 1, true, 0, 0, "MODE=10" + account + "&CID=107"},
        {0, 0, 1, true, 0, 0, "MODE=1" + account + "&CID=107"},
        {2, 1, 0, true, 0, 0, "MODE=3" + account + "&CID=107"},
        {2, 1, 0, false, 1000000000, 0, "MODE=2&STARTTIME=010909014640" + account},
        {2, 2, 0, false, 1000000000, 1000003600, "MODE=2&STARTTIME=010909014640&ENDTIME=010909024640" + account},
    };
    for (const Case& c : cases) {
        dvr.set_protocol_type(c.protocolType);
        CHttpConnect::ConnParam p = Param(c.mode, false, c.start, c.end);
        p.codec = c.codec;
        const Request r = Open(sim, dvr, p, c.audio);
        EXPECT_EQ(r.head, Line(c.expected));
        EXPECT_TRUE(r.oldProtocol && r.streamId > 0) << c.expected.constData();
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

TEST(StreamRequest, StopReachesTheDvrAlsoWhenTheStreamIsDeletedAtOnce)
{
    for (const bool old : {false, true}) {
        SCOPED_TRACE(old);
        CSimDvr sim(SmallDvr(old));
        ASSERT_TRUE(sim.start());
        auto* conn = new CHttpConnect;
        StreamProbe probe(conn, old);
        conn->Connect(MakeDvr(sim, old, 0x1), Param(0));
        ASSERT_TRUE(WaitFor([&] { return probe.state().connectedCount == 1; }));
        const int cid = conn->getClientID();
        EXPECT_EQ(cid, sim.streams().front().clientId);
        conn->Disconnect();
        delete conn;

        Request r;
        ASSERT_TRUE(sim.waitForRequest([](const Request& q) { return q.transport == simdvr::Transport::Post; }, 5000, &r));
        EXPECT_EQ(r.target, QByteArray("/cgi-bin/webapp.cgi?"));
        EXPECT_EQ(r.header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
        EXPECT_EQ(r.header("Content-Length"), QByteArray::number(r.body.size()));
        cgi::StreamStop stop;
        stop.set_stream_id(uint32_t(cid));
        EXPECT_EQ(r.body, old ? "MODE=5&CID=" + QByteArray::number(cid) + "&OP=5" : CgiQuery(cgi::MODE_STREAM_STOP, stop));
    }
}
