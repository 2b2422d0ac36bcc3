// One-shot replies of the simulated DVR by mode, for both protocol generations.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QtEndian>

#include "test_sim_util.h"

using namespace simtest;

TEST(SimRequests, OneShotReadsAnswerByMode)
{
    simdvr::Config cfg = SmallConfig();
    cfg.dvrTime = 1300000000;
    cfg.calVersion = 1;
    cfg.spans.push_back({1300003630, 1300003750, 0x5, {1, 0, 3}});
    cfg.modelName = "sim-16";
    simdvr::CSimDvr dvr(cfg);
    ASSERT_TRUE(dvr.start());
    auto read = [&](const QByteArray& query, int type, bool old = false) {
        const std::vector<Packet> p = Cut(Http(dvr.port(), query), old);
        EXPECT_TRUE(p.size() == 1 && p[0].type == type) << query.constData();
        return p.empty() ? std::string() : p[0].payload.toStdString();
    };
    cgi::DvrInfo info;
    ASSERT_TRUE(info.ParseFromString(read(Query(cgi::MODE_GET_DVR_INFO), cgi::DATA_DVR_INFO)));
    EXPECT_TRUE(info.model_name() == "sim-16" && info.ch_num() == 4);
    cgi::HddInfo hdd;
    ASSERT_TRUE(hdd.ParseFromString(read(Query(cgi::MODE_GET_HDD_INFO), cgi::DATA_HDD_INFO)) && hdd.info_size() == 1);
    EXPECT_GT(hdd.info(0).total(), hdd.info(0).used());
    cgi::SysLog log;
    EXPECT_TRUE(log.ParseFromString(read(Query(cgi::MODE_GET_SYS_LOG), cgi::DATA_SYS_LOG)) && log.log_size() > 0);
    cgi::PictureControlGet pic;
    ASSERT_TRUE(pic.ParseFromString(read(Query(cgi::MODE_GET_PICTURE_CONTROL), cgi::DATA_PICTURE_CONTROL)));
    EXPECT_EQ(pic.contrast_size() + pic.vsharpness_size(), 8);
    // Wrong credentials give the result code only.
    EXPECT_EQ(read(Query(cgi::MODE_GET_DVR_CONF, cgi::NullMsg(), "0000"), cgi::DATA_RESPONSE), std::string(1, cgi::ERR_PASSWORD_MISS));

    // Search: the searched channels of the spans inside the time, and the hours they touch.
    cgi::Search search;
    search.set_chmask(0x4);
    search.set_start_time(1300000000);
    search.set_end_time(1300086400);
    cgi::CalData cal;
    ASSERT_TRUE(cal.ParseFromString(read(Query(cgi::MODE_SEARCH, search), cfg.searchDataType)));
    ASSERT_TRUE(cal.dvr_time() == 1300000000 && cal.items_size() == 1 && cal.hours_size() == 1);
    EXPECT_EQ(cal.items(0).record_chmask(), 0x4u);
    EXPECT_EQ(cal.items(0).record_reason_size(), 3);
    const cgi::CalHourItem& h = cal.hours(0);  // 08:07:10 to 08:09:10 UTC
    EXPECT_EQ(h.year() * 1000000 + h.mon() * 10000 + h.mday() * 100 + h.hour(), 2011031308u);
    search.set_start_time(1300090000);
    search.set_end_time(1300100000);
    ASSERT_TRUE(cal.ParseFromString(read(Query(cgi::MODE_SEARCH, search), cfg.searchDataType)));
    EXPECT_EQ(cal.items_size(), 0);

    // The old search: DVR time, the minutes 08:07, 08:08, 08:09 and the end record, 32 bytes each.
    const QByteArray rec = QByteArray::fromStdString(read("MODE=7&CID=12", cfg.searchDataType, true));
    ASSERT_EQ(rec.size(), 5 * 32);
    auto u32 = [&](int offset) { return qFromBigEndian<quint32>(rec.constData() + offset); };
    EXPECT_EQ(u32(0), 1300000000u);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_TRUE(u32(32 * i) == 1300003620u + 60 * (i - 1) && u32(32 * i + 4) - u32(32 * i) == 59) << i;
        EXPECT_TRUE(u32(32 * i + 12) == 0x5 && rec[32 * i + 16] == 0 && rec[32 * i + 18] == 2) << i;  // kinds 1 and 3
    }
    EXPECT_TRUE((u32(128) & u32(132)) == 0xFFFFFFFF && u32(140) == 255);
    // The old information page, or its refusal; other paths and garbage get nothing.
    EXPECT_TRUE(QString::fromLatin1(Http(dvr.port(), "MODE=6&ID=admin&PW=1234&OP=17"))
                    .contains(QRegularExpression("HDD([0-9])\\s:\\sused\\s([0-9]+)MB\\s-\\sfree\\s([0-9]+)MB")));
    EXPECT_EQ(read("MODE=6&ID=admin&PW=bad&OP=17", 1, true), std::string(1, 2));
    EXPECT_TRUE(Raw(dvr.port(), "GET /index.html HTTP/1.1\r\nHost: x\r\n\r\n", 3000).startsWith("HTTP/1.1 404"));
    EXPECT_TRUE(Raw(dvr.port(), "HELLO\r\n\r\n", 3000).isEmpty());
}
