// Requests the simulated DVR decodes and the one-shot replies it gives.
#include <gtest/gtest.h>

#include <QHttpPart>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QtEndian>

#include "cal_data.pb.h"
#include "cgi_response.pb.h"
#include "test_sim_util.h"

using namespace simtest;
using simdvr::CSimDvr;

namespace {

// The same query with the hex digits of every escape in capitals.
QByteArray UpperEscapes(const QByteArray& q)
{
    QByteArray out = q;
    for (int i = 0; i + 2 < out.size(); ++i)
        if (out[i] == '%') {
            out[i + 1] = static_cast<char>(toupper(out[i + 1]));
            out[i + 2] = static_cast<char>(toupper(out[i + 2]));
        }
    return out;
}

Packet OnlyPacket(const HttpReply& r, bool big = false)
{
    const std::vector<Packet> p = Cut(r.body, big);
    EXPECT_EQ(p.size(), 1u);
    return p.empty() ? Packet() : p[0];
}

uint32_t U32BE(const QByteArray& b, int offset)
{
    return qFromBigEndian<quint32>(reinterpret_cast<const uchar*>(b.constData()) + offset);
}

}  // namespace

TEST(SimRequests, DecodesEitherHexCaseOnEveryTransport)
{
    CSimDvr dvr(SmallConfig());
    ASSERT_TRUE(dvr.start());
    cgi::Ptzf ptz;
    ptz.set_cmd(cgi::Ptzf::CMD_PRESET_GO);
    ptz.set_channel(3);
    ptz.set_preset(62);  // serializes to bytes whose Base64 needs "+" or "="
    const QByteArray lower = CurrentQuery(cgi::MODE_PTZF, "admin", "1234", ptz);
    ASSERT_TRUE(lower.contains('%'));
    const QByteArray upper = UpperEscapes(lower);
    ASSERT_NE(lower, upper);

    QNetworkAccessManager nam;
    for (const QByteArray& q : {lower, upper}) {
        EXPECT_EQ(Post(nam, dvr.port(), q).status, 200);
        EXPECT_EQ(Get(nam, dvr.port(), q).status, 200);
        RawExchange(dvr.port(), "GET /cgi-bin/webapp.cgi?" + q + "\r\n\r\n", 2000);
    }
    ASSERT_TRUE(dvr.waitUntil([&] { return dvr.requests().size() >= 6; }));
    const std::vector<simdvr::Request> log = dvr.requests();
    int posts = 0, gets = 0, streams = 0;
    for (const simdvr::Request& r : log) {
        posts += r.transport == simdvr::Transport::Post;
        gets += r.transport == simdvr::Transport::Get;
        streams += r.transport == simdvr::Transport::Stream;
        EXPECT_EQ(r.mode, cgi::MODE_PTZF);
        EXPECT_TRUE(r.userOk);
        EXPECT_EQ(r.user, "admin");
        EXPECT_EQ(r.password, "1234");
        EXPECT_TRUE(r.dataOk);
        EXPECT_EQ(r.dataType, "cgi.Ptzf");
        EXPECT_EQ(r.data, ptz.SerializeAsString());
        cgi::Ptzf seen;
        ASSERT_TRUE(r.message(&seen));
        EXPECT_EQ(seen.preset(), 62u);
    }
    EXPECT_EQ(posts, 2);
    EXPECT_EQ(gets, 2);
    EXPECT_EQ(streams, 2);  // a stream request of a command mode is refused
    const simdvr::Request& post = log[0];
    EXPECT_EQ(post.body, lower);
    EXPECT_EQ(post.version, "HTTP/1.1");
    EXPECT_EQ(post.header("content-type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(post.header("Content-Length"), QByteArray::number(lower.size()));
}

TEST(SimRequests, LogsOldPlainKeysAsSent)
{
    simdvr::Config cfg = SmallConfig();
    cfg.oldProtocol = true;
    CSimDvr dvr(cfg);
    ASSERT_TRUE(dvr.start());
    QNetworkAccessManager nam;
    const QByteArray q = "MODE=5&CID=7&OP=7&CH=2&LEN=4&REQ=9G12";
    const HttpReply r = Post(nam, dvr.port(), q);
    EXPECT_EQ(r.status, 200);
    EXPECT_TRUE(r.body.isEmpty());
    ASSERT_EQ(dvr.requests().size(), 1u);
    const simdvr::Request req = dvr.requests()[0];
    EXPECT_TRUE(req.oldProtocol);
    EXPECT_EQ(req.mode, 5);
    EXPECT_EQ(req.query, q);
    ASSERT_EQ(req.params.size(), 6);
    EXPECT_EQ(req.param("REQ"), "9G12");
    EXPECT_EQ(req.param("CH"), "2");
    EXPECT_FALSE(req.hasParam("ID"));
}

TEST(SimRequests, OneShotReadsAnswerByMode)
{
    simdvr::Config cfg = SmallConfig();
    cfg.dvrConf = QByteArray("\x08\x01\x12\x03" "abc", 7);
    cfg.dvrTime = 1300000000;
    cfg.calVersion = 1;
    cfg.spans.push_back({1300003630, 1300003750, 0x5, {1, 0, 2}});
    cfg.modelName = "sim-16";
    CSimDvr dvr(cfg);
    ASSERT_TRUE(dvr.start());
    QNetworkAccessManager nam;
    const cgi::NullMsg none;
    auto read = [&](cgi::Mode mode, const google::protobuf::MessageLite& m) {
        return OnlyPacket(Get(nam, dvr.port(), CurrentQuery(mode, "admin", "1234", m)));
    };

    Packet p = read(cgi::MODE_GET_DVR_INFO, none);
    EXPECT_EQ(p.type, cgi::DATA_DVR_INFO);
    cgi::DvrInfo info;
    ASSERT_TRUE(info.ParseFromArray(p.payload.constData(), p.payload.size()));
    EXPECT_EQ(info.model_name(), "sim-16");
    EXPECT_EQ(info.ch_num(), 4u);

    p = read(cgi::MODE_GET_HDD_INFO, none);
    EXPECT_EQ(p.type, cgi::DATA_HDD_INFO);
    cgi::HddInfo hdd;
    ASSERT_TRUE(hdd.ParseFromArray(p.payload.constData(), p.payload.size()));
    ASSERT_EQ(hdd.info_size(), 1);
    EXPECT_GT(hdd.info(0).total(), hdd.info(0).used());

    p = read(cgi::MODE_GET_SYS_LOG, none);
    EXPECT_EQ(p.type, cgi::DATA_SYS_LOG);
    cgi::SysLog log;
    ASSERT_TRUE(log.ParseFromArray(p.payload.constData(), p.payload.size()));
    EXPECT_GT(log.log_size(), 0);

    p = read(cgi::MODE_GET_PICTURE_CONTROL, none);
    EXPECT_EQ(p.type, cgi::DATA_PICTURE_CONTROL);
    cgi::PictureControlGet pic;
    ASSERT_TRUE(pic.ParseFromArray(p.payload.constData(), p.payload.size()));
    EXPECT_EQ(pic.contrast_size(), 4);
    EXPECT_EQ(pic.vsharpness_size(), 4);

    p = read(cgi::MODE_GET_DVR_CONF, none);
    EXPECT_EQ(p.type, cgi::DATA_DVR_CONF);
    EXPECT_EQ(p.payload, cfg.dvrConf);

    cgi::Search search;
    search.set_chmask(0x4);
    search.set_start_time(1300000000);
    search.set_end_time(1300086400);
    p = read(cgi::MODE_SEARCH, search);
    EXPECT_EQ(p.type, cfg.searchDataType);
    cgi::CalData cal;
    ASSERT_TRUE(cal.ParseFromArray(p.payload.constData(), p.payload.size()));
    EXPECT_EQ(cal.dvr_time(), 1300000000u);
    ASSERT_EQ(cal.items_size(), 1);
    EXPECT_EQ(cal.items(0).record_chmask(), 0x4u) << "only the searched channels";
    EXPECT_EQ(cal.items(0).record_reason_size(), 3);
    ASSERT_EQ(cal.hours_size(), 1);  // 08:07:10 to 08:09:10 UTC
    EXPECT_EQ(cal.hours(0).year(), 2011u);
    EXPECT_EQ(cal.hours(0).mon(), 3u);
    EXPECT_EQ(cal.hours(0).mday(), 13u);
    EXPECT_EQ(cal.hours(0).hour(), 8u);

    search.set_start_time(1300090000);  // after the span
    search.set_end_time(1300100000);
    p = read(cgi::MODE_SEARCH, search);
    ASSERT_TRUE(cal.ParseFromArray(p.payload.constData(), p.payload.size()));
    EXPECT_EQ(cal.items_size(), 0);

    // The camera-name command: a result packet, then the information.
    const std::vector<Packet> both = Cut(Post(nam, dvr.port(), CurrentQuery(cgi::MODE_LIVE, "admin", "1234", cgi::Live())).body);
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[0].type, cgi::DATA_RESPONSE);
    EXPECT_EQ(both[0].payload, QByteArray(1, '\0'));
    EXPECT_EQ(both[1].type, cgi::DATA_DVR_INFO);

    // Wrong credentials give the result code only.
    p = OnlyPacket(Get(nam, dvr.port(), CurrentQuery(cgi::MODE_GET_DVR_CONF, "admin", "0000", none)));
    EXPECT_EQ(p.type, cgi::DATA_RESPONSE);
    EXPECT_EQ(p.payload, QByteArray(1, cgi::ERR_PASSWORD_MISS));
}

TEST(SimRequests, OldReadsGiveSearchRecordsAndTheInformationPage)
{
    simdvr::Config cfg = SmallConfig();
    cfg.oldProtocol = true;
    cfg.dvrTime = 1300000000;
    cfg.spans.push_back({1300003630, 1300003750, 0x5, {1, 0, 3}});
    CSimDvr dvr(cfg);
    ASSERT_TRUE(dvr.start());
    QNetworkAccessManager nam;

    const Packet p = OnlyPacket(Get(nam, dvr.port(), "MODE=7&CID=12"), true);
    EXPECT_EQ(p.clientId, 12);
    const QByteArray rec = p.payload;
    ASSERT_EQ(rec.size() % 32, 0);
    // DVR time, the minutes 08:07, 08:08, 08:09 and the end record.
    ASSERT_EQ(rec.size(), 5 * 32);
    EXPECT_EQ(U32BE(rec, 0), 1300000000u);
    for (int i = 1; i <= 3; ++i) {
        const uint32_t start = U32BE(rec, 32 * i);
        EXPECT_EQ(start % 60, 0u);
        EXPECT_EQ(U32BE(rec, 32 * i + 4) - start, 59u);
        EXPECT_EQ(U32BE(rec, 32 * i + 12), 0x5u);
        EXPECT_EQ(static_cast<uint8_t>(rec[32 * i + 16]), 0) << "kind 1";
        EXPECT_EQ(static_cast<uint8_t>(rec[32 * i + 18]), 2) << "kind 3";
    }
    EXPECT_EQ(U32BE(rec, 32 * 1), 1300003620u);
    EXPECT_EQ(U32BE(rec, 128), 0xFFFFFFFFu);
    EXPECT_EQ(U32BE(rec, 132), 0xFFFFFFFFu);
    EXPECT_EQ(U32BE(rec, 140), 255u);

    const HttpReply page = Get(nam, dvr.port(), "MODE=6&ID=admin&PW=1234&OP=17");
    EXPECT_TRUE(QString::fromLatin1(page.body).contains(
        QRegularExpression("HDD([0-9])\\s:\\sused\\s([0-9]+)MB\\s-\\sfree\\s([0-9]+)MB")));
    const Packet refused = OnlyPacket(Get(nam, dvr.port(), "MODE=6&ID=admin&PW=bad&OP=17"), true);
    EXPECT_EQ(refused.type, 1);
    EXPECT_EQ(refused.payload, QByteArray(1, 2));
}

TEST(SimRequests, UploadsAreDecodedAndAnsweredWithTheConfiguredCode)
{
    CSimDvr dvr(SmallConfig());
    ASSERT_TRUE(dvr.start());
    QNetworkAccessManager nam;
    const QByteArray conf("\x0a\x05hello\x10\x01", 9);
    const QByteArray query = CurrentQuery(cgi::MODE_SET_DVR_CONF, "admin", "1234", cgi::NullMsg());

    auto upload = [&] {
        auto* multi = new QHttpMultiPart(QHttpMultiPart::FormDataType);
        QHttpPart file;
        file.setHeader(QNetworkRequest::ContentDispositionHeader,
                       QVariant("form-data; name=\"REQ\"; filename=\"my \\\"dvr\\\".conf\""));
        file.setHeader(QNetworkRequest::ContentTypeHeader, QVariant("application/octet-stream"));
        file.setBody(conf);
        multi->append(file);
        for (const QByteArray& piece : query.split('&')) {
            const QList<QByteArray> kv = piece.split('=');
            QHttpPart field;
            field.setHeader(QNetworkRequest::ContentDispositionHeader,
                            QVariant("form-data; name=\"" + kv[0] + "\""));
            field.setBody(kv.value(1));
            multi->append(field);
        }
        QHttpPart agree;
        agree.setHeader(QNetworkRequest::ContentDispositionHeader, QVariant("form-data; name=\"agree\""));
        agree.setBody("1");
        multi->append(agree);
        QNetworkReply* reply = nam.post(QNetworkRequest(CgiUrl(dvr.port())), multi);
        multi->setParent(reply);
        return Finish(reply, 10000);
    };

    HttpReply r = upload();
    ASSERT_EQ(r.status, 200);
    Packet p = OnlyPacket(r);
    EXPECT_EQ(p.type, cgi::DATA_RESPONSE);
    EXPECT_EQ(p.payload, QByteArray(1, '\0'));

    ASSERT_EQ(dvr.requests().size(), 1u);
    const simdvr::Request req = dvr.requests()[0];
    EXPECT_EQ(req.transport, simdvr::Transport::Upload);
    EXPECT_EQ(req.fileField, "REQ");
    EXPECT_EQ(req.fileName, "my \"dvr\".conf");
    EXPECT_EQ(req.fileData, conf);
    EXPECT_EQ(req.mode, cgi::MODE_SET_DVR_CONF);
    EXPECT_EQ(req.user, "admin");
    EXPECT_TRUE(req.dataOk);
    EXPECT_EQ(req.param("agree"), "1");
    EXPECT_FALSE(req.boundary.isEmpty());

    // The uploaded configuration is what the next read returns.
    p = OnlyPacket(Get(nam, dvr.port(), CurrentQuery(cgi::MODE_GET_DVR_CONF, "admin", "1234", cgi::NullMsg())));
    EXPECT_EQ(p.payload, conf);

    simdvr::Config cfg = dvr.config();
    cfg.uploadResultCode = cgi::ERR_PERMISSION_DENIED;
    dvr.setConfig(cfg);
    r = upload();
    p = OnlyPacket(r);
    EXPECT_EQ(p.payload, QByteArray(1, cgi::ERR_PERMISSION_DENIED));
}

TEST(SimRequests, RejectsOtherPathsAndMalformedRequests)
{
    CSimDvr dvr(SmallConfig());
    ASSERT_TRUE(dvr.start());
    const QByteArray notFound = RawExchange(dvr.port(), "GET /index.html HTTP/1.1\r\nHost: x\r\n\r\n", 3000);
    EXPECT_TRUE(notFound.startsWith("HTTP/1.1 404")) << notFound.toStdString();
    const QByteArray garbage = RawExchange(dvr.port(), "HELLO\r\n\r\n", 3000);
    EXPECT_TRUE(garbage.isEmpty());
    ASSERT_TRUE(dvr.waitUntil([&] { return dvr.requests().size() == 2; }));
    EXPECT_FALSE(dvr.requests()[0].pathOk);
    EXPECT_EQ(dvr.requests()[1].transport, simdvr::Transport::Other);
}
