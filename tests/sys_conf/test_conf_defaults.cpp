#include <gtest/gtest.h>

#include <vector>

#include "conf_fill.h"

// The defaults that are not protobuf's own zero, false or empty, and the enum defaults (an
// enum's first value would be the default otherwise). Read through absent parts.
static void ExpectDefaults(const config::DvrConf& c)
{
    EXPECT_EQ(c.ByteSizeLong(), 0u);
    EXPECT_EQ(c.dvr_info().ch_num(), 16u);
    EXPECT_EQ(c.account().admin().password(), "5937");
    EXPECT_EQ(c.account().logoff().wait_time(), config::Account_Logoff::WAIT_TIME_30SEC);
    EXPECT_EQ(c.camera().seq().ch_mask(), 65535u);
    EXPECT_EQ(c.camera().seq().time(), config::Camera::SEQ_1SECS);
    EXPECT_EQ(c.camera().sharpness(), config::Camera::SHARPNESS_NORMAL);
    EXPECT_EQ(c.event().motion_conf().pop_down(), config::Event::POP_DOWN_CONT);
    EXPECT_EQ(c.event().sensor_conf().pop_down(), config::Event::POP_DOWN_CONT);
    EXPECT_EQ(c.event().relay().keep_time(), config::Event_Relay::KEEP_NONE);
    const config::Event_Email_SMTP& smtp = c.event().email().smtp();
    EXPECT_EQ(smtp.address(), "smtp.example.com");
    EXPECT_EQ(smtp.port(), 587u);
    EXPECT_TRUE(smtp.authentication() && smtp.use_ssl() && smtp.use_mime());
    EXPECT_EQ(c.event().email().send_cond().period(), config::Event_Email::SEND_PERIOD_NO);
    EXPECT_EQ(c.event().post_record().time(), config::Event_PostRecord::TIME_NONE);
    EXPECT_EQ(c.hdd().mode().write_mode(), config::Hdd::WRITE_OVERWRITE);
    EXPECT_TRUE(c.hdd().smart().smart());
    EXPECT_EQ(c.hdd().smart().check_interval(), config::Hdd_Smart::INTERVAL_6HOURS);
    EXPECT_EQ(c.network().tcpip().type(), config::Network::TYPE_STATIC);
    EXPECT_EQ(c.network().tcpip().bandwidth_limitation(), config::Network::BWL_OFF);
    EXPECT_TRUE(c.record().misc().audio_rec());
    EXPECT_EQ(c.record().playback().start_point(), config::Record_Playback::START_FIRST);
    const config::System& s = c.system();
    EXPECT_EQ(s.name_id().dvr_name(), "DVR");
    EXPECT_EQ(s.time_date().date_format(), config::System_TimeDate::DATE_FORMAT_YYYYMMDD);
    EXPECT_EQ(s.time_date().time_format(), config::System_TimeDate::TIME_FORMAT_24);
    EXPECT_EQ(s.time_date().time_zone(), "GMT");
    EXPECT_EQ(s.time_date().ntp_server(), "pool.ntp.org");
    EXPECT_EQ(s.language(), "english");
    const config::System_Display& d = s.display();
    EXPECT_TRUE(d.camera_name() && d.rec_icon() && d.motion_icon() && d.sensor_icon() && d.task_bar());
    EXPECT_EQ(d.vga_mode(), config::System_Display::VGA_1024x768);
    for (const auto* adj : {&d.hdmi_vga_adjust(), &d.vga_only_adjust()})
        EXPECT_EQ(std::vector<uint32_t>({adj->contrast(), adj->brightness(), adj->saturation(),
                                         adj->hsharpness(), adj->vsharpness()}),
                  std::vector<uint32_t>(5, 8));
    EXPECT_EQ(s.operation_mode(), 1u);
    EXPECT_EQ(s.playback_mode(), 1u);
    EXPECT_EQ(s.auto_reboot().day(), config::System_AutoReboot::OFF);
}

TEST(DvrConfDefaults, EmptyBytesAndClearGiveTheDefaults)
{
    config::DvrConf conf;
    ASSERT_TRUE(conf.ParseFromArray("", 0));
    ExpectDefaults(conf);
    conf = FullConf16();
    conf.Clear();
    ExpectDefaults(conf);
}

TEST(DvrConfDefaults, AddedListEntriesStartWithTheirDefaults)
{
    config::DvrConf conf;
    const config::Account_User& u = *conf.mutable_account()->add_users();
    EXPECT_EQ(u.password(), "5937");
    EXPECT_EQ(u.ch_mask(), 0xFFFFu);
    EXPECT_TRUE(u.network());
    EXPECT_EQ(u.network_timeout(), config::Account::NETWORK_TIMEOUT_OFF);
    EXPECT_EQ(u.network_prohibition_start(), 18u);
    EXPECT_EQ(u.network_prohibition_end(), 8u);

    const config::Camera_Channel_Adjustment& adj = conf.mutable_camera()->add_channel()->adjustment();
    EXPECT_EQ(std::vector<uint32_t>({adj.contrast(), adj.brightness(), adj.saturation(),
                                     adj.hsharpness(), adj.vsharpness()}),
              std::vector<uint32_t>(5, 8));
    const config::Camera_Ptz& ptz = *conf.mutable_camera()->add_ptz();
    EXPECT_EQ(ptz.model(), config::Camera_Ptz::MODEL_PELCO_D);
    EXPECT_EQ(ptz.baudrate(), config::Camera_Ptz::BAUDRATE_9600);
    const config::Camera_Spot& spot = *conf.mutable_camera()->add_spot();
    EXPECT_EQ(spot.mode(), config::Camera_Spot::MODE_SINGLE);
    EXPECT_EQ(spot.ch_mask_quad(), 15u);
    EXPECT_EQ(spot.ch_mask_nona(), 511u);
    EXPECT_EQ(spot.ch_mask_seq(), 65535u);
    EXPECT_EQ(spot.seq_time(), config::Camera::SEQ_1SECS);

    EXPECT_EQ(conf.mutable_event()->mutable_motion_conf()->add_motion()->sensitivity(), 8u);
    EXPECT_EQ(conf.mutable_event()->mutable_sensor_conf()->add_sensor()->type(),
              config::Event_Sensor::TYPE_NO);
    EXPECT_EQ(conf.mutable_network()->mutable_stream()->add_h264()->resolution(), config::RESOLUTION_CIF);
    const config::Record_Channel& rec = *conf.mutable_record()->add_channel();
    EXPECT_EQ(rec.resolution(), config::RESOLUTION_960H);
    EXPECT_EQ(rec.record_mode(), config::RECORD_MODE_MANUAL);
}
