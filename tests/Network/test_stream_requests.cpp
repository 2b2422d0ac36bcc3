// What a stream puts on the wire, read back by the simulated DVR's own decoding.

#include <gtest/gtest.h>

#include <memory>

#include "Network/HttpConnect.h"
#include "StreamProbe.h"
#include "dvr_protocol/cgi_protocol.h"

using namespace nettest;
using simdvr::CSimDvr;
using simdvr::Request;
using simdvr::Transport;

namespace {

QByteArray Line(const std::string& query) { return "GET /cgi-bin/webapp.cgi?" + QByteArray::fromStdString(query) + "\r\n\r\n"; }
QByteArray Line(const QByteArray& query) { return "GET /cgi-bin/webapp.cgi?" + query + "\r\n\r\n"; }

cgi::User Admin()
{
    cgi::User u;
    u.set_name("admin");
    u.set_password("1234");
    return u;
}

// Opens one stream, returns the request the DVR logged for it, and closes the stream.
Request OpenAndLog(CSimDvr& sim, const DVR& dvr, const CHttpConnect::ConnParam& param)
{
    sim.clearLog();
    CHttpConnect conn;
    conn.Connect(dvr, param);
    Request r;
    const bool got = sim.waitForRequest([](const Request& q) { return q.transport == Transport::Stream; }, 5000, &r);
    conn.Disconnect();
    EXPECT_TRUE(got);
    return r;
}

simdvr::Config OldConfig()
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
    DVR dvr = MakeDvr(sim, false, 0x00A5);

    {  // live, main stream, audio: video and audio of the selected channels
        const Request r = OpenAndLog(sim, dvr, LiveParam());
        cgi::Live live;
        live.set_codec(cgi::CODEC_MAIN);
        live.set_vchmask(0xA5);
        live.set_achmask(0xA5);
        live.set_header_only_mask(0);
        std::string q;
        cgi::Data2Url(cgi::MODE_LIVE, Admin(), live, &q);
        EXPECT_EQ(r.head, Line(q));
        EXPECT_TRUE(r.version.isEmpty());
        EXPECT_TRUE(r.pathOk);
        EXPECT_EQ(r.mode, 0);
        EXPECT_EQ(r.user, "admin");
        EXPECT_EQ(r.password, "1234");
        ASSERT_TRUE(r.dataOk);
        EXPECT_EQ(r.dataType, "cgi.Live");
        cgi::Live got;
        ASSERT_TRUE(r.message(&got));
        EXPECT_EQ(got.vchmask(), 0xA5u);
        EXPECT_EQ(got.achmask(), 0xA5u);
        EXPECT_TRUE(got.has_header_only_mask());
        EXPECT_EQ(got.header_only_mask(), 0u);
    }
    {  // e-map: headers only, never audio; sub stream
        CHttpConnect::ConnParam p = LiveParam(true);
        p.codec = 1;
        const Request r = OpenAndLog(sim, dvr, p);
        cgi::Live got;
        ASSERT_TRUE(r.message(&got));
        EXPECT_EQ(got.codec(), cgi::CODEC_SUB);
        EXPECT_EQ(got.vchmask(), 0xA5u);
        EXPECT_EQ(got.achmask(), 0u);
        EXPECT_EQ(got.header_only_mask(), 0xA5u);
    }
    {  // audio off
        CHttpConnect::ConnParam p = LiveParam();
        p.audio = false;
        const Request r = OpenAndLog(sim, dvr, p);
        cgi::Live got;
        ASSERT_TRUE(r.message(&got));
        EXPECT_EQ(got.achmask(), 0u);
        EXPECT_EQ(got.header_only_mask(), 0u);
    }
    {  // playback, continuous
        CHttpConnect::ConnParam p;
        p.mode = 1;
        p.playbackMode = false;
        p.audio = true;
        p.startTime = 1000000000;
        const Request r = OpenAndLog(sim, dvr, p);
        cgi::Playback pb;
        pb.set_start_time(1000000000);
        pb.set_vchmask(0xA5);
        pb.set_achmask(0xA5);
        pb.set_skip_mode(false);
        std::string q;
        cgi::Data2Url(cgi::MODE_PLAYBACK, Admin(), pb, &q);
        EXPECT_EQ(r.head, Line(q));
        EXPECT_EQ(r.dataType, "cgi.Playback");
        cgi::Playback got;
        ASSERT_TRUE(r.message(&got));
        EXPECT_TRUE(got.has_skip_mode());
        EXPECT_FALSE(got.skip_mode());
        EXPECT_EQ(got.start_time(), 1000000000u);
    }
    {  // backup
        CHttpConnect::ConnParam p;
        p.mode = 2;
        p.startTime = 1000000000;
        p.endTime = 1000000060;
        const Request r = OpenAndLog(sim, dvr, p);
        cgi::Backup got;
        ASSERT_TRUE(r.message(&got));
        EXPECT_EQ(r.mode, 2);
        EXPECT_EQ(got.start_time(), 1000000000u);
        EXPECT_EQ(got.end_time(), 1000000060u);
        EXPECT_EQ(got.chmask(), 0xA5u);
    }
    {  // an unknown mode sends nothing in place of the query
        CHttpConnect::ConnParam p;
        p.mode = 7;
        const Request r = OpenAndLog(sim, dvr, p);
        EXPECT_EQ(r.head, QByteArray("GET /cgi-bin/webapp.cgi?\r\n\r\n"));
    }
}

TEST(StreamRequest, OldProtocolLinesUsePlainKeys)
{
    CSimDvr sim(OldConfig());
    ASSERT_TRUE(sim.start());
    DVR dvr = MakeDvr(sim, true, 0x00A5);

    struct Case {
        int protocolType;
        int codec;
        int mode;
        QByteArray expected;
    };
    const Case lives[] = {
        {0, 0, 0, "MODE=0&ID=admin&PW=1234&VER=3000&CH=a5"},
        {0, 1, 0, "MODE=0&ID=admin&PW=1234&VER=3000&CH=a5"},  // kind not known yet
        {2, 1, 0, "MODE=9&ID=admin&PW=1234&VER=3000&CH=a5"},  // H.264 sub stream
        {1, 1, 0, "MODE=9&ID=admin&PW=1234&VER=3000&CH=a5"},
        {3, 1, 0, "MODE=0&ID=admin&PW=1234&VER=3000&CH=a5"},  // MPEG-4 has none
    };
    for (const Case& c : lives) {
        dvr.set_protocol_type(c.protocolType);
        CHttpConnect::ConnParam p = LiveParam();
        p.codec = c.codec;
        const Request r = OpenAndLog(sim, dvr, p);
        EXPECT_EQ(r.head, Line(c.expected)) << c.protocolType << " " << c.codec;
        EXPECT_TRUE(r.oldProtocol);
    }

    dvr.set_protocol_type(2);
    CHttpConnect::ConnParam pb;
    pb.mode = 1;
    pb.startTime = 1000000000;  // 2001-09-09 01:46:40 on the DVR's clock
    EXPECT_EQ(OpenAndLog(sim, dvr, pb).head,
              Line(QByteArray("MODE=2&STARTTIME=010909014640&ID=admin&PW=1234&VER=3000&CH=a5")));

    CHttpConnect::ConnParam bk;
    bk.mode = 2;
    bk.startTime = 1000000000;
    bk.endTime = 1000003600;
    EXPECT_EQ(OpenAndLog(sim, dvr, bk).head,
              Line(QByteArray("MODE=2&STARTTIME=010909014640&ENDTIME=010909024640&ID=admin&PW=1234&VER=3000&CH=a5")));
}

TEST(StreamRequest, OldProtocolAudioStreamNamesTheVideoStream)
{
    CSimDvr sim(OldConfig());
    ASSERT_TRUE(sim.start());
    DVR dvr = MakeDvr(sim, true, 0x000F);
    dvr.set_protocol_type(2);

    struct Case {
        int mode;
        int codec;
        QByteArray expected;
    };
    const Case cases[] = {
        {0, 0, "MODE=1&ID=admin&PW=1234&VER=3000&CH=f&CID=107"},
        {0, 1, "MODE=10&ID=admin&PW=1234&VER=3000&CH=f&CID=107"},
        {1, 0, "MODE=3&ID=admin&PW=1234&VER=3000&CH=f&CID=107"},
    };
    for (const Case& c : cases) {
        sim.clearLog();
        CHttpConnect audio;
        CHttpConnect::ConnParam p = LiveParam();
        p.mode = c.mode;
        p.codec = c.codec;
        audio.audioConnect(dvr, p, 7);
        Request r;
        ASSERT_TRUE(sim.waitForRequest([](const Request& q) { return q.transport == Transport::Stream; }, 5000, &r));
        EXPECT_EQ(r.head, Line(c.expected));
        EXPECT_EQ(audio.getClientID(), 7);

        // Its stop names the audio stream: the video stream's id + 100.
        audio.Disconnect();
        ASSERT_TRUE(sim.waitForRequest([](const Request& q) { return q.transport == Transport::Post; }, 5000, &r));
        EXPECT_EQ(r.body, QByteArray("MODE=5&CID=107&OP=5"));
    }
}

TEST(StreamRequest, OldProtocolCredentialsCannotBreakTheQuery)
{
    simdvr::Config cfg = OldConfig();
    cfg.user = QString::fromUtf8("op er&1#");
    cfg.password = QString::fromUtf8("p%20\r\nw\xC3\xBC=");
    CSimDvr sim(cfg);
    ASSERT_TRUE(sim.start());
    DVR dvr = MakeDvr(sim, true, 0x1);
    dvr.set_id(cfg.user.toStdString());
    dvr.set_password(cfg.password.toStdString());

    const Request r = OpenAndLog(sim, dvr, LiveParam());
    EXPECT_EQ(r.oldId, cfg.user.toUtf8());
    EXPECT_EQ(r.oldPw, cfg.password.toUtf8());
    EXPECT_EQ(r.param("VER"), QByteArray("3000"));
    EXPECT_EQ(r.param("CH"), QByteArray("1"));
    EXPECT_EQ(r.head.count("\r\n"), 2);  // the line still ends only where it should
    EXPECT_EQ(r.streamId > 0, true) << "the DVR accepted the account";

    // Letters and digits go as they are.
    const Request plain = OpenAndLog(sim, MakeDvr(sim, true, 0x1), LiveParam());
    EXPECT_TRUE(plain.head.contains("&ID=admin&PW=1234&"));
}

TEST(StreamRequest, StopCommandReachesTheDvrForBothGenerations)
{
    for (const bool old : {false, true}) {
        SCOPED_TRACE(old ? "old protocol" : "current protocol");
        simdvr::Config cfg = old ? OldConfig() : simdvr::Config();
        cfg.channels = 4;
        CSimDvr sim(cfg);
        ASSERT_TRUE(sim.start());
        DVR dvr = MakeDvr(sim, old, 0x1);
        dvr.set_protocol_type(old ? 2 : 1);

        auto* conn = new CHttpConnect;
        StreamProbe probe(conn, old);
        conn->Connect(dvr, LiveParam());
        ASSERT_TRUE(WaitFor([&] { return probe.connectedCount == 1; }));
        const int cid = conn->getClientID();
        EXPECT_EQ(cid, sim.streams().front().clientId);

        // Deleted right after the stop: the command must still go out.
        conn->Disconnect();
        delete conn;

        Request r;
        ASSERT_TRUE(sim.waitForRequest([](const Request& q) { return q.transport == Transport::Post; }, 5000, &r));
        EXPECT_EQ(r.target, QByteArray("/cgi-bin/webapp.cgi?"));
        EXPECT_EQ(r.header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
        EXPECT_EQ(r.header("Content-Length"), QByteArray::number(r.body.size()));
        EXPECT_EQ(r.query, r.body);
        if (old) {
            EXPECT_EQ(r.body, "MODE=5&CID=" + QByteArray::number(cid) + "&OP=5");
        } else {
            cgi::StreamStop stop;
            stop.set_stream_id(uint32_t(cid));
            std::string q;
            cgi::Data2Url(cgi::MODE_STREAM_STOP, Admin(), stop, &q);
            EXPECT_EQ(r.body, QByteArray::fromStdString(q));
            EXPECT_EQ(r.mode, int(cgi::MODE_STREAM_STOP));
            cgi::StreamStop got;
            ASSERT_TRUE(r.message(&got));
            EXPECT_EQ(got.stream_id(), uint32_t(cid));
            EXPECT_FALSE(got.has_mode());
        }
    }
}
