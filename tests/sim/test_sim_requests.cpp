// Requests the simulated DVR decodes and the one-shot replies it gives.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QtEndian>

#include "cal_data.pb.h"
#include "cgi_response.pb.h"
#include "test_sim_util.h"

using namespace simtest;
using simdvr::CSimDvr;

namespace {

Packet OnlyPacket(const QByteArray& body, bool big = false)
{
    const std::vector<Packet> p = Cut(body, big);
    EXPECT_EQ(p.size(), 1u);
    return p.empty() ? Packet() : p[0];
}

}  // namespace

TEST(SimRequests, OneShotReadsAnswerByMode)
{
    simdvr::Config cfg = SmallConfig();
    cfg.dvrTime = 1300000000;
    cfg.calVersion = 1;
    cfg.spans.push_back({1300003630, 1300003750, 0x5, {1, 0, 2}});
    cfg.modelName = "sim-16";
    CSimDvr dvr(cfg);
    ASSERT_TRUE(dvr.start());
    auto read = [&](cgi::Mode mode, const google::protobuf::MessageLite& m, uint8_t type) {
        const Packet p = OnlyPacket(Http(dvr.port(), "GET", Query(mode, m)));
        EXPECT_EQ(p.type, type) << mode;
        return p.payload.toStdString();
    };
    cgi::DvrInfo info;
    ASSERT_TRUE(info.ParseFromString(read(cgi::MODE_GET_DVR_INFO, cgi::NullMsg(), cgi::DATA_DVR_INFO)));
    EXPECT_EQ(info.model_name(), "sim-16");
    EXPECT_EQ(info.ch_num(), 4u);
    cgi::HddInfo hdd;
    ASSERT_TRUE(hdd.ParseFromString(read(cgi::MODE_GET_HDD_INFO, cgi::NullMsg(), cgi::DATA_HDD_INFO)));
    ASSERT_EQ(hdd.info_size(), 1);
    EXPECT_GT(hdd.info(0).total(), hdd.info(0).used());
    cgi::SysLog log;
    ASSERT_TRUE(log.ParseFromString(read(cgi::MODE_GET_SYS_LOG, cgi::NullMsg(), cgi::DATA_SYS_LOG)));
    EXPECT_GT(log.log_size(), 0);
    cgi::PictureControlGet pic;
    ASSERT_TRUE(pic.ParseFromString(read(cgi::MODE_GET_PICTURE_CONTROL, cgi::NullMsg(), cgi::DATA_PICTURE_CONTROL)));
    EXPECT_EQ(pic.contrast_size() + pic.vsharpness_size(), 8);

    // Search: the searched channels of the spans inside the time, and the hours they touch.
    cgi::Search search;
    search.set_chmask(0x4);
    search.set_start_time(1300000000);
    search.set_end_time(1300086400);
    cgi::CalData cal;
    ASSERT_TRUE(cal.ParseFromString(read(cgi::MODE_SEARCH, search, uint8_t(cfg.searchDataType))));
    EXPECT_EQ(cal.dvr_time(), 1300000000u);
    ASSERT_EQ(cal.items_size(), 1);
    EXPECT_EQ(cal.items(0).record_chmask(), 0x4u);
    EXPECT_EQ(cal.items(0).record_reason_size(), 3);
    ASSERT_EQ(cal.hours_size(), 1);  // 08:07:10 to 08:09:10 UTC
    EXPECT_EQ(cal.hours(0).year() * 1000000 + cal.hours(0).mon() * 10000 + cal.hours(0).mday() * 100 + cal.hours(0).hour(),
              2011031308u);
    search.set_start_time(1300090000);
    search.set_end_time(1300100000);
    ASSERT_TRUE(cal.ParseFromString(read(cgi::MODE_SEARCH, search, uint8_t(cfg.searchDataType))));
    EXPECT_EQ(cal.items_size(), 0);

    // Wrong credentials give the result code only; other paths and garbage get nothing.
    const Packet refused = OnlyPacket(Http(dvr.port(), "GET", Query(cgi::MODE_GET_DVR_CONF, cgi::NullMsg(), "0000")));
    EXPECT_EQ(refused.type, cgi::DATA_RESPONSE);
    EXPECT_EQ(refused.payload, QByteArray(1, cgi::ERR_PASSWORD_MISS));
    EXPECT_TRUE(Raw(dvr.port(), "GET /index.html HTTP/1.1\r\nHost: x\r\n\r\n", 3000).startsWith("HTTP/1.1 404"));
    EXPECT_TRUE(Raw(dvr.port(), "HELLO\r\n\r\n", 3000).isEmpty());
}

TEST(SimRequests, OldReadsGiveSearchRecordsAndTheInformationPage)
{
    simdvr::Config cfg = SmallConfig(true);
    cfg.dvrTime = 1300000000;
    cfg.spans.push_back({1300003630, 1300003750, 0x5, {1, 0, 3}});
    CSimDvr dvr(cfg);
    ASSERT_TRUE(dvr.start());
    const Packet p = OnlyPacket(Http(dvr.port(), "GET", "MODE=7&CID=12"), true);
    EXPECT_EQ(p.clientId, 12);
    // DVR time, the minutes 08:07, 08:08, 08:09 and the end record, 32 bytes each.
    const QByteArray& rec = p.payload;
    ASSERT_EQ(rec.size(), 5 * 32);
    auto u32 = [&](int offset) { return qFromBigEndian<quint32>(rec.constData() + offset); };
    EXPECT_EQ(u32(0), 1300000000u);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(u32(32 * i), 1300003620u + 60 * (i - 1));
        EXPECT_EQ(u32(32 * i + 4) - u32(32 * i), 59u);
        EXPECT_EQ(u32(32 * i + 12), 0x5u);
        EXPECT_EQ(int(rec[32 * i + 16]), 0) << "kind 1";
        EXPECT_EQ(int(rec[32 * i + 18]), 2) << "kind 3";
    }
    EXPECT_EQ(u32(128) & u32(132), 0xFFFFFFFFu);
    EXPECT_EQ(u32(140), 255u);

    EXPECT_TRUE(QString::fromLatin1(Http(dvr.port(), "GET", "MODE=6&ID=admin&PW=1234&OP=17"))
                    .contains(QRegularExpression("HDD([0-9])\\s:\\sused\\s([0-9]+)MB\\s-\\sfree\\s([0-9]+)MB")));
    const Packet refused = OnlyPacket(Http(dvr.port(), "GET", "MODE=6&ID=admin&PW=bad&OP=17"), true);
    EXPECT_EQ(refused.type, 1);
    EXPECT_EQ(refused.payload, QByteArray(1, 2));
}
