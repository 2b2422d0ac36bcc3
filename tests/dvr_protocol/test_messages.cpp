#include <gtest/gtest.h>

#include "cal_data.pb.h"
#include "cgi_request.pb.h"
#include "cgi_response.pb.h"
#include "dvr_protocol/cgi_metatypes.h"

namespace {
std::string Bytes(std::initializer_list<int> b)
{
    std::string s;
    for (int c : b) s.push_back(static_cast<char>(c));
    return s;
}
}  // namespace

TEST(RequestMessages, DefaultsAreReadButNotWritten)
{
    cgi::Live live;
    EXPECT_EQ(live.vchmask(), 65535u);
    EXPECT_EQ(live.achmask(), 65535u);
    EXPECT_EQ(live.header_only_mask(), 0u);
    EXPECT_TRUE(live.SerializeAsString().empty());
    live.set_vchmask(65535);
    EXPECT_EQ(live.SerializeAsString(), Bytes({0x10, 0xff, 0xff, 0x03}));

    cgi::Search search;
    EXPECT_EQ(search.chmask(), 65535u);
    EXPECT_FALSE(search.hours_include());
    EXPECT_TRUE(cgi::NullMsg().SerializeAsString().empty());
    EXPECT_EQ(cgi::User().GetTypeName(), "cgi.User");
}

TEST(RequestMessages, PlaybackSkipModeKeepsPresenceOfFalse)
{
    cgi::Playback pb;
    EXPECT_TRUE(pb.skip_mode());
    ASSERT_TRUE(pb.ParseFromString(Bytes({0x20, 0x00})));
    EXPECT_TRUE(pb.has_skip_mode());
    EXPECT_FALSE(pb.skip_mode());
}

TEST(RequestMessages, InvalidEnumValueLeavesFieldUnset)
{
    cgi::PbControl pc;
    ASSERT_TRUE(pc.ParseFromString(Bytes({0x08, 0x05, 0x10, 0x08})));
    EXPECT_EQ(pc.stream_id(), 5u);
    EXPECT_FALSE(pc.has_cmd());
    EXPECT_EQ(pc.cmd(), cgi::PbControl::CMD_FORWARD);
}

TEST(RequestMessages, EnumerationRanges)
{
    EXPECT_TRUE(cgi::Mode_IsValid(23));
    EXPECT_FALSE(cgi::Mode_IsValid(24));
    EXPECT_TRUE(cgi::Codec_IsValid(2));
    EXPECT_FALSE(cgi::AutoStream_IsValid(3));
    EXPECT_EQ(cgi::PbControl::Cmd_ARRAYSIZE, 8);
    EXPECT_EQ(cgi::Ptzf::Cmd_MAX, cgi::Ptzf::CMD_PRESET_GO);
    EXPECT_FALSE(cgi::Ptzf_Cmd_IsValid(13));
    EXPECT_FALSE(cgi::SwUpgrade_Type_IsValid(2));
    EXPECT_EQ(cgi::SwUpgrade::TYPE_KERNEL, 1);
    EXPECT_EQ(cgi::PictureControlSet::Type_ARRAYSIZE, 6);
    EXPECT_EQ(cgi::MODE_GET_DVR_CONF, 22);
}

TEST(RequestMessages, FieldNumbersOfTheLargerRequests)
{
    cgi::StreamChannel sc;
    sc.set_mode(cgi::MODE_PLAYBACK);
    sc.set_stream_id(3);
    sc.set_vchmask(1);
    sc.set_achmask(2);
    sc.set_header_only_mask(4);
    sc.set_auto_stream(cgi::AUTO_STREAM_SUB);
    EXPECT_EQ(sc.SerializeAsString(), Bytes({0x08, 1, 0x10, 3, 0x18, 1, 0x20, 2, 0x28, 4, 0x30, 2}));

    cgi::AutoPreset ap;
    ap.set_cmd(cgi::AutoPreset::CMD_STOP);
    ap.set_channel(1);
    ap.set_start_preset(2);
    ap.set_end_preset(3);
    ap.set_interval(4);
    EXPECT_EQ(ap.SerializeAsString(), Bytes({0x08, 1, 0x10, 1, 0x18, 2, 0x20, 3, 0x28, 4}));

    cgi::PictureControlSet pcs;
    pcs.set_channel(15);
    pcs.set_type(cgi::PictureControlSet::VSHARPNESS);
    pcs.set_value(9);
    EXPECT_EQ(pcs.SerializeAsString(), Bytes({0x08, 15, 0x10, 5, 0x18, 9}));
}

TEST(ReplyMessages, EmptyDvrInfoHasItsDefaults)
{
    cgi::DvrInfo info;
    ASSERT_TRUE(info.ParseFromString(std::string()));
    EXPECT_EQ(info.ch_num(), 16u);
    EXPECT_EQ(info.available_chmask(), 65535u);
    EXPECT_EQ(info.model(), 0u);
    EXPECT_TRUE(info.model_name().empty());
    EXPECT_EQ(info.ch_name_size(), 0);
}

TEST(ReplyMessages, DvrInfoModelNameIsFieldTwelve)
{
    cgi::DvrInfo info;
    info.set_model_name("X");
    info.add_ch_name("CAM1");
    EXPECT_EQ(info.SerializeAsString(), Bytes({0x32, 4, 'C', 'A', 'M', '1', 0x62, 1, 'X'}));
}

TEST(ReplyMessages, LiveStatusAbsentMasksAreEmpty)
{
    cgi::LiveStatus st;
    ASSERT_TRUE(st.ParseFromString(Bytes({0x18, 0x05})));
    EXPECT_EQ(st.motion_chmask(), 5u);
    EXPECT_EQ(st.record_chmask(), 0u);
    EXPECT_EQ(st.vloss_chmask(), 0u);
    EXPECT_EQ(st.sensor_chmask(), 0u);
}

TEST(ReplyMessages, PictureControlAcceptsPackedAndWritesUnpacked)
{
    cgi::PictureControlGet packed, plain;
    ASSERT_TRUE(packed.ParseFromString(Bytes({0x0a, 3, 1, 2, 3})));
    ASSERT_TRUE(plain.ParseFromString(Bytes({0x08, 1, 0x08, 2, 0x08, 3})));
    ASSERT_EQ(packed.contrast_size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(packed.contrast(i), plain.contrast(i));
    EXPECT_EQ(packed.SerializeAsString(), Bytes({0x08, 1, 0x08, 2, 0x08, 3}));
}

TEST(ReplyMessages, NestedTypeNamesAndRanges)
{
    EXPECT_EQ(cgi::HddInfo_Info().GetTypeName(), "cgi.HddInfo.Info");
    EXPECT_EQ(cgi::SysLog_Log().GetTypeName(), "cgi.SysLog.Log");
    EXPECT_TRUE(cgi::DataType_IsValid(10));
    EXPECT_FALSE(cgi::DataType_IsValid(11));
    EXPECT_TRUE(cgi::Error_IsValid(7));
    EXPECT_FALSE(cgi::Error_IsValid(8));
}

TEST(ReplyMessages, TruncatedPayloadFailsToParse)
{
    cgi::SysLog log;
    // A log entry whose length runs past the end.
    EXPECT_FALSE(log.ParseFromString(Bytes({0x0a, 0x10, 0x08, 0x01})));
}

TEST(ReplyMessages, DvrInfoIsAMetaType)
{
    cgi::RegisterMetaTypes();
    EXPECT_TRUE(QMetaType::fromName("cgi::DvrInfo").isValid());
}

TEST(CalendarMessages, ReasonsArePackedOnTheWire)
{
    cgi::CalItem item;
    item.set_start_time(1);
    item.set_end_time(2);
    item.set_record_chmask(5);
    item.add_record_reason(1);
    item.add_record_reason(0);
    item.add_record_reason(2);
    EXPECT_EQ(item.SerializeAsString(), Bytes({0x08, 1, 0x10, 2, 0x18, 5, 0x22, 3, 1, 0, 2}));

    cgi::CalData data;
    data.set_dvr_time(9);
    *data.add_items() = item;
    auto* h = data.add_hours();
    h->set_year(2026);
    h->set_mon(12);
    h->set_mday(6);
    h->set_hour(17);
    data.set_version(1);
    cgi::CalData back;
    ASSERT_TRUE(back.ParseFromString(data.SerializeAsString()));
    EXPECT_EQ(back.items(0).record_reason_size(), 3);
    EXPECT_EQ(back.hours(0).mday(), 6u);
    EXPECT_EQ(back.GetTypeName(), "cgi.CalData");
}
