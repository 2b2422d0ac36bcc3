#include <gtest/gtest.h>

#include "cal_data.pb.h"
#include "cgi_request.pb.h"
#include "cgi_response.pb.h"
#include "dvr_protocol/cgi_metatypes.h"

static std::string Bytes(std::initializer_list<int> b) { return std::string(b.begin(), b.end()); }

// Field numbers, defaults and presence as the DVRs read and write them.
TEST(ProtocolMessages, WireBytesOfRequestsAndReplies)
{
    EXPECT_EQ(cgi::Live().vchmask() & cgi::Live().achmask() & cgi::Search().chmask(), 65535u);

    cgi::StreamChannel sc;
    sc.set_mode(cgi::MODE_PLAYBACK);
    sc.set_stream_id(3);
    sc.set_vchmask(1);
    sc.set_achmask(2);
    sc.set_header_only_mask(4);
    sc.set_auto_stream(cgi::AUTO_STREAM_SUB);
    cgi::AutoPreset ap;
    ap.set_cmd(cgi::AutoPreset::CMD_STOP);
    ap.set_channel(1);
    ap.set_start_preset(2);
    ap.set_end_preset(3);
    ap.set_interval(4);
    cgi::PictureControlSet pcs;
    pcs.set_channel(15);
    pcs.set_type(cgi::PictureControlSet::VSHARPNESS);
    pcs.set_value(9);
    EXPECT_EQ(sc.SerializeAsString() + ap.SerializeAsString() + pcs.SerializeAsString(),
              Bytes({0x08, 1, 0x10, 3, 0x18, 1, 0x20, 2, 0x28, 4, 0x30, 2,  //
                     0x08, 1, 0x10, 1, 0x18, 2, 0x20, 3, 0x28, 4, 0x08, 15, 0x10, 5, 0x18, 9}));

    cgi::Playback pb;
    EXPECT_TRUE(pb.skip_mode());
    ASSERT_TRUE(pb.ParseFromString(Bytes({0x20, 0x00})));
    EXPECT_TRUE(pb.has_skip_mode());
    EXPECT_FALSE(pb.skip_mode());

    cgi::PbControl pc;  // a command value no DVR knows leaves the field unset
    ASSERT_TRUE(pc.ParseFromString(Bytes({0x08, 0x05, 0x10, 0x08})));
    EXPECT_EQ(pc.stream_id(), 5u);
    EXPECT_FALSE(pc.has_cmd());

    cgi::DvrInfo info;
    ASSERT_TRUE(info.ParseFromString(std::string()));
    EXPECT_EQ(info.ch_num(), 16u);
    EXPECT_EQ(info.available_chmask(), 65535u);
    info.set_model_name("X");
    info.add_ch_name("CAM1");
    EXPECT_EQ(info.SerializeAsString(), Bytes({0x32, 4, 'C', 'A', 'M', '1', 0x62, 1, 'X'}));

    cgi::LiveStatus st;
    ASSERT_TRUE(st.ParseFromString(Bytes({0x18, 0x05})));
    EXPECT_EQ(st.motion_chmask(), 5u);
    EXPECT_EQ(st.record_chmask() | st.vloss_chmask() | st.sensor_chmask(), 0u);

    cgi::PictureControlGet packed;  // packed is read, unpacked is written
    ASSERT_TRUE(packed.ParseFromString(Bytes({0x0a, 3, 1, 2, 3})));
    EXPECT_EQ(packed.SerializeAsString(), Bytes({0x08, 1, 0x08, 2, 0x08, 3}));

    cgi::CalItem item;
    item.set_start_time(1);
    item.set_end_time(2);
    item.set_record_chmask(5);
    for (int reason : {1, 0, 2})
        item.add_record_reason(reason);
    EXPECT_EQ(item.SerializeAsString(), Bytes({0x08, 1, 0x10, 2, 0x18, 5, 0x22, 3, 1, 0, 2}));

    cgi::RegisterMetaTypes();
    EXPECT_TRUE(QMetaType::fromName("cgi::DvrInfo").isValid());
}
