// What a stream puts on the wire, read back by the simulated DVR's own decoding.

#include <gtest/gtest.h>

#include "StreamProbe.h"
#include "dvr_protocol/cgi_protocol.h"

using namespace nettest;
using simdvr::CSimDvr;
using simdvr::Request;
using simdvr::Transport;

namespace {

QByteArray Line(const QByteArray& query) { return "GET /cgi-bin/webapp.cgi?" + query + "\r\n\r\n"; }

QByteArray Query(cgi::Mode mode, const google::protobuf::MessageLite& data)
{
    cgi::User user;
    user.set_name("admin");
    user.set_password("1234");
    std::string q;
    cgi::Data2Url(mode, user, data, &q);
    return QByteArray::fromStdString(q);
}

bool IsStream(const Request& r) { return r.transport == Transport::Stream; }
bool IsPost(const Request& r) { return r.transport == Transport::Post; }

// Opens one stream (or the audio stream of video stream 7) and returns what the DVR logged.
Request OpenAndLog(CSimDvr& sim, const DVR& dvr, const CHttpConnect::ConnParam& param, bool audio = false)
{
    sim.clearLog();
    CHttpConnect conn;
    if (audio)
        conn.audioConnect(dvr, param, 7);
    else
        conn.Connect(dvr, param);
    Request r;
    EXPECT_TRUE(sim.waitForRequest(IsStream, 5000, &r));
    return r;
}

simdvr::Config OldDvr()
{
    simdvr::Config c;
    c.oldProtocol = true;
    c.model = 8;
    return c;
}

}  // namespace

TEST(StreamRequest, CurrentProtocolLinesCarryTheRequestedMessage)
{
    CSimDvr sim;
    ASSERT_TRUE(sim.start());
    const DVR dvr = MakeDvr(sim, false, 0xA5);

    struct Case {
        CHttpConnect::ConnParam param;
        uint32_t achmask, headerOnly;
    };
    CHttpConnect::ConnParam sub = Param(0, true);
    sub.codec = 1;
    CHttpConnect::ConnParam mute = Param(0);
    mute.audio = false;
    const Case lives[] = {{Param(0), 0xA5, 0}, {sub, 0, 0xA5}, {mute, 0, 0}};
    for (const Case& c : lives) {
        cgi::Live live;
        live.set_codec(static_cast<cgi::Codec>(c.param.codec));
        live.set_vchmask(0xA5);
        live.set_achmask(c.achmask);
        live.set_header_only_mask(c.headerOnly);
        const Request r = OpenAndLog(sim, dvr, c.param);
        EXPECT_EQ(r.head, Line(Query(cgi::MODE_LIVE, live)));
        EXPECT_TRUE(r.version.isEmpty());
        EXPECT_EQ(r.user, "admin");
        EXPECT_EQ(r.password, "1234");
        cgi::Live got;
        ASSERT_TRUE(r.dataOk && r.message(&got));
        EXPECT_EQ(got.header_only_mask(), c.headerOnly);
        EXPECT_EQ(got.achmask(), c.achmask);
    }

    CHttpConnect::ConnParam pb = Param(1);
    pb.playbackMode = false;
    pb.startTime = 1000000000;
    cgi::Playback playback;
    playback.set_start_time(1000000000);
    playback.set_vchmask(0xA5);
    playback.set_achmask(0xA5);
    playback.set_skip_mode(false);
    EXPECT_EQ(OpenAndLog(sim, dvr, pb).head, Line(Query(cgi::MODE_PLAYBACK, playback)));

    CHttpConnect::ConnParam bk = Param(2);
    bk.startTime = 1000000000;
    bk.endTime = 1000000060;
    cgi::Backup backup;
    backup.set_start_time(1000000000);
    backup.set_end_time(1000000060);
    backup.set_chmask(0xA5);
    const Request r = OpenAndLog(sim, dvr, bk);
    EXPECT_EQ(r.head, Line(Query(cgi::MODE_BACKUP, backup)));
    EXPECT_EQ(r.dataType, "cgi.Backup");

    // An unknown mode sends nothing in place of the query.
    EXPECT_EQ(OpenAndLog(sim, dvr, Param(7)).head, QByteArray("GET /cgi-bin/webapp.cgi?\r\n\r\n"));
}

TEST(StreamRequest, OldProtocolLinesUsePlainKeys)
{
    CSimDvr sim(OldDvr());
    ASSERT_TRUE(sim.start());
    DVR dvr = MakeDvr(sim, true, 0xA5);

    struct Case {
        int protocolType, mode, codec;
        bool audio;
        QByteArray expected;
    };
    const Case cases[] = {
        {0, 0, 0, false, "MODE=0&ID=admin&PW=1234&VER=3000&CH=a5"},
        {0, 0, 1, false, "MODE=0&ID=admin&PW=1234&VER=3000&CH=a5"},  // stream kind not known
        {2, 0, 1, false, "MODE=9&ID=admin&PW=1234&VER=3000&CH=a5"},  // H.264 sub stream
        {3, 0, 1, false, "MODE=0&ID=admin&PW=1234&VER=3000&CH=a5"},  // MPEG-4 has none
        {2, 0, 0, true, "MODE=1&ID=admin&PW=1234&VER=3000&CH=a5&CID=107"},
        {2, 0, 1, true, "MODE=10&ID=admin&PW=1234&VER=3000&CH=a5&CID=107"},
        {0, 0, 1, true, "MODE=1&ID=admin&PW=1234&VER=3000&CH=a5&CID=107"},
        {2, 1, 0, true, "MODE=3&ID=admin&PW=1234&VER=3000&CH=a5&CID=107"},
    };
    for (const Case& c : cases) {
        dvr.set_protocol_type(c.protocolType);
        CHttpConnect::ConnParam p = Param(c.mode);
        p.codec = c.codec;
        const Request r = OpenAndLog(sim, dvr, p, c.audio);
        EXPECT_EQ(r.head, Line(c.expected));
        EXPECT_TRUE(r.oldProtocol && r.streamId > 0) << c.expected.constData();
    }

    // 1000000000 is 2001-09-09 01:46:40 on the DVR's clock.
    CHttpConnect::ConnParam pb = Param(1);
    pb.startTime = 1000000000;
    EXPECT_EQ(OpenAndLog(sim, dvr, pb).head,
              Line("MODE=2&STARTTIME=010909014640&ID=admin&PW=1234&VER=3000&CH=a5"));
    CHttpConnect::ConnParam bk = Param(2);
    bk.startTime = 1000000000;
    bk.endTime = 1000003600;
    EXPECT_EQ(OpenAndLog(sim, dvr, bk).head,
              Line("MODE=2&STARTTIME=010909014640&ENDTIME=010909024640&ID=admin&PW=1234&VER=3000&CH=a5"));
}

TEST(StreamRequest, OldProtocolCredentialsCannotBreakTheQuery)
{
    simdvr::Config cfg = OldDvr();
    cfg.user = QString::fromUtf8("op er&1#");
    cfg.password = QString::fromUtf8("p%20\r\nw\xC3\xBC=");
    CSimDvr sim(cfg);
    ASSERT_TRUE(sim.start());
    DVR dvr = MakeDvr(sim, true, 0x1);
    dvr.set_id(cfg.user.toStdString());
    dvr.set_password(cfg.password.toStdString());

    const Request r = OpenAndLog(sim, dvr, Param(0));
    EXPECT_EQ(r.oldId, cfg.user.toUtf8());
    EXPECT_EQ(r.oldPw, cfg.password.toUtf8());
    EXPECT_EQ(r.param("CH"), QByteArray("1"));
    EXPECT_EQ(r.head.count("\r\n"), 2);
    EXPECT_GT(r.streamId, 0) << "the DVR accepted the account";
}

TEST(StreamRequest, StopReachesTheDvrAlsoWhenTheStreamIsDeletedAtOnce)
{
    for (const bool old : {false, true}) {
        SCOPED_TRACE(old ? "old protocol" : "current protocol");
        simdvr::Config cfg = old ? OldDvr() : simdvr::Config();
        cfg.channels = 4;
        CSimDvr sim(cfg);
        ASSERT_TRUE(sim.start());

        auto* conn = new CHttpConnect;
        StreamProbe probe(conn, old);
        conn->Connect(MakeDvr(sim, old, 0x1), Param(0));
        ASSERT_TRUE(WaitFor([&] { return probe.connectedCount == 1; }));
        const int cid = conn->getClientID();
        EXPECT_EQ(cid, sim.streams().front().clientId);
        conn->Disconnect();
        delete conn;

        Request r;
        ASSERT_TRUE(sim.waitForRequest(IsPost, 5000, &r));
        EXPECT_EQ(r.target, QByteArray("/cgi-bin/webapp.cgi?"));
        EXPECT_EQ(r.header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
        EXPECT_EQ(r.header("Content-Length"), QByteArray::number(r.body.size()));
        cgi::StreamStop stop;
        stop.set_stream_id(uint32_t(cid));
        EXPECT_EQ(r.body, old ? "MODE=5&CID=" + QByteArray::number(cid) + "&OP=5" : Query(cgi::MODE_STREAM_STOP, stop));
    }
}
