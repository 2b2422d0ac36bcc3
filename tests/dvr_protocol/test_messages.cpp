#include <gtest/gtest.h>

#include <tuple>

#include "cal_data.pb.h"
#include "cgi_request.pb.h"
#include "cgi_response.pb.h"
#include "dvr_protocol/cgi_metatypes.h"

// Field numbers, defaults and presence as the DVRs read and write them: each message read from
// its bytes shows its values and writes the same bytes back.
TEST(ProtocolMessages, WireBytesOfRequestsAndReplies)
{
    const auto read = [](google::protobuf::MessageLite& m, std::initializer_list<int> bytes) {
        const std::string wire(bytes.begin(), bytes.end());
        EXPECT_TRUE(m.ParseFromString(wire)) << m.GetTypeName();
        EXPECT_EQ(m.SerializeAsString(), wire) << m.GetTypeName();
    };
    EXPECT_EQ(cgi::Live().vchmask() & cgi::Live().achmask() & cgi::Search().chmask(), 65535u);
    cgi::StreamChannel sc;
    read(sc, {0x08, 1, 0x10, 3, 0x18, 1, 0x20, 2, 0x28, 4, 0x30, 2});
    EXPECT_EQ(std::make_tuple(sc.mode(), sc.stream_id(), sc.vchmask(), sc.achmask(), sc.header_only_mask(),
                              sc.auto_stream()),
              std::make_tuple(cgi::MODE_PLAYBACK, 3u, 1u, 2u, 4u, cgi::AUTO_STREAM_SUB));
    cgi::AutoPreset ap;
    read(ap, {0x08, 1, 0x10, 1, 0x18, 2, 0x20, 3, 0x28, 4});
    EXPECT_EQ(std::make_tuple(ap.cmd(), ap.channel(), ap.start_preset(), ap.end_preset(), ap.interval()),
              std::make_tuple(cgi::AutoPreset::CMD_STOP, 1u, 2u, 3u, 4u));
    cgi::PictureControlSet pcs;
    read(pcs, {0x08, 15, 0x10, 5, 0x18, 9});
    EXPECT_EQ(std::make_tuple(pcs.channel(), pcs.type(), pcs.value()),
              std::make_tuple(15u, cgi::PictureControlSet::VSHARPNESS, 9u));
    cgi::Playback pb;
    EXPECT_TRUE(pb.skip_mode());
    read(pb, {0x20, 0x00});
    EXPECT_TRUE(pb.has_skip_mode() && !pb.skip_mode());
    cgi::PbControl pc;  // a command value no DVR knows leaves the field unset
    read(pc, {0x08, 0x05, 0x10, 0x08});
    EXPECT_TRUE(pc.stream_id() == 5 && !pc.has_cmd());

    cgi::DvrInfo info;
    read(info, {0x32, 4, 'C', 'A', 'M', '1', 0x62, 1, 'X'});
    EXPECT_EQ(std::make_tuple(info.ch_name(0), info.model_name(), info.ch_num(), info.available_chmask()),
              std::make_tuple("CAM1", "X", 16u, 65535u));
    cgi::LiveStatus st;
    read(st, {0x18, 0x05});
    EXPECT_EQ(std::make_tuple(st.record_chmask(), st.vloss_chmask(), st.motion_chmask(), st.sensor_chmask()),
              std::make_tuple(0u, 0u, 5u, 0u));
    cgi::CalItem item;
    read(item, {0x08, 1, 0x10, 2, 0x18, 5, 0x22, 3, 1, 0, 2});
    EXPECT_EQ(std::make_tuple(item.start_time(), item.end_time(), item.record_chmask(),
                              std::vector<uint32_t>(item.record_reason().begin(), item.record_reason().end())),
              std::make_tuple(1u, 2u, 5u, std::vector<uint32_t>{1, 0, 2}));
    cgi::PictureControlGet packed;  // packed is read, unpacked is written
    ASSERT_TRUE(packed.ParseFromString(std::string("\x0a\x03\x01\x02\x03", 5)));
    EXPECT_EQ(packed.SerializeAsString(), std::string("\x08\x01\x08\x02\x08\x03", 6));

    cgi::RegisterMetaTypes();
    EXPECT_TRUE(QMetaType::fromName("cgi::DvrInfo").isValid());
}
