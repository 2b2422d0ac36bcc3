#include <gtest/gtest.h>

#include "conf_fill.h"

// Each check walks every field of one message, so a default that drifts is caught wherever
// the message is used: as an absent part, after Clear() and as a freshly added entry.
namespace {

void ExpectDefaults(const config::Account_User& u)
{
    EXPECT_EQ(u.name(), "");
    EXPECT_EQ(u.password(), "5937");
    EXPECT_EQ(u.ch_mask(), 0xFFFFu);
    EXPECT_FALSE(u.ptz());
    EXPECT_FALSE(u.playback());
    EXPECT_FALSE(u.backup());
    EXPECT_TRUE(u.network());
    EXPECT_EQ(u.network_timeout(), config::Account::NETWORK_TIMEOUT_OFF);
    EXPECT_FALSE(u.network_prohibition());
    EXPECT_EQ(u.network_prohibition_start(), 18u);
    EXPECT_EQ(u.network_prohibition_end(), 8u);
}

void ExpectDefaults(const config::Account& a)
{
    EXPECT_FALSE(a.has_admin());
    EXPECT_EQ(a.admin().password(), "5937");
    EXPECT_EQ(a.users_size(), 0);
    EXPECT_FALSE(a.has_logoff());
    EXPECT_FALSE(a.logoff().auto_enable());
    EXPECT_EQ(a.logoff().wait_time(), config::Account_Logoff::WAIT_TIME_30SEC);
}

void ExpectDefaults(const config::Camera_Channel_Adjustment& adj)
{
    EXPECT_EQ(adj.contrast(), 8u);
    EXPECT_EQ(adj.brightness(), 8u);
    EXPECT_EQ(adj.saturation(), 8u);
    EXPECT_EQ(adj.hsharpness(), 8u);
    EXPECT_EQ(adj.vsharpness(), 8u);
}

void ExpectDefaults(const config::System_Display_Adjustment& adj)
{
    EXPECT_EQ(adj.contrast(), 8u);
    EXPECT_EQ(adj.brightness(), 8u);
    EXPECT_EQ(adj.saturation(), 8u);
    EXPECT_EQ(adj.hsharpness(), 8u);
    EXPECT_EQ(adj.vsharpness(), 8u);
}

void ExpectDefaults(const config::Camera_Channel& ch)
{
    EXPECT_EQ(ch.name(), "");
    EXPECT_FALSE(ch.covert());
    EXPECT_FALSE(ch.has_adjustment());
    ExpectDefaults(ch.adjustment());
    EXPECT_FALSE(ch.eq());
}

void ExpectDefaults(const config::Camera_Ptz& p)
{
    EXPECT_EQ(p.model(), config::Camera_Ptz::MODEL_PELCO_D);
    EXPECT_EQ(p.id(), 0u);
    EXPECT_FALSE(p.rev_pan());
    EXPECT_FALSE(p.rev_tilt());
    EXPECT_FALSE(p.rev_zoom());
    EXPECT_FALSE(p.rev_focus());
    EXPECT_EQ(p.baudrate(), config::Camera_Ptz::BAUDRATE_9600);
}

void ExpectDefaults(const config::Camera_Spot& s)
{
    EXPECT_EQ(s.mode(), config::Camera_Spot::MODE_SINGLE);
    EXPECT_EQ(s.ch_num_single(), 0u);
    EXPECT_EQ(s.ch_mask_quad(), 15u);
    EXPECT_EQ(s.ch_mask_nona(), 511u);
    EXPECT_EQ(s.ch_mask_seq(), 65535u);
    EXPECT_EQ(s.seq_time(), config::Camera::SEQ_1SECS);
}

void ExpectDefaults(const config::Camera& c)
{
    EXPECT_EQ(c.channel_size(), 0);
    EXPECT_EQ(c.ptz_size(), 0);
    EXPECT_FALSE(c.has_seq());
    EXPECT_EQ(c.seq().ch_mask(), 65535u);
    EXPECT_EQ(c.seq().time(), config::Camera::SEQ_1SECS);
    EXPECT_EQ(c.spot_size(), 0);
    EXPECT_EQ(c.sharpness(), config::Camera::SHARPNESS_NORMAL);
}

void ExpectDefaults(const config::Event_Email_SMTP& s)
{
    EXPECT_EQ(s.address(), "smtp.example.com");
    EXPECT_EQ(s.port(), 587u);
    EXPECT_TRUE(s.authentication());
    EXPECT_EQ(s.auth_id(), "");
    EXPECT_EQ(s.auth_password(), "");
    EXPECT_TRUE(s.use_ssl());
    EXPECT_TRUE(s.use_mime());
}

void ExpectDefaults(const config::Event& e)
{
    EXPECT_FALSE(e.has_motion_conf());
    EXPECT_EQ(e.motion_conf().motion_size(), 0);
    EXPECT_EQ(e.motion_conf().pop_down(), config::Event::POP_DOWN_CONT);
    EXPECT_FALSE(e.has_sensor_conf());
    EXPECT_EQ(e.sensor_conf().sensor_size(), 0);
    EXPECT_EQ(e.sensor_conf().pop_down(), config::Event::POP_DOWN_CONT);

    EXPECT_FALSE(e.has_relay());
    const config::Event_Relay& r = e.relay();
    EXPECT_EQ(r.motion_size() + r.sensor_size() + r.video_loss_size(), 0);
    EXPECT_FALSE(r.record_fail());
    EXPECT_FALSE(r.record_warning());
    EXPECT_EQ(r.keep_time(), config::Event_Relay::KEEP_NONE);

    EXPECT_FALSE(e.has_email());
    EXPECT_EQ(e.email().address().sender(), "");
    EXPECT_EQ(e.email().address().receiver_size(), 0);
    ExpectDefaults(e.email().smtp());
    const config::Event_Email_SendCond& cond = e.email().send_cond();
    EXPECT_EQ(cond.period(), config::Event_Email::SEND_PERIOD_NO);
    EXPECT_FALSE(cond.prohibition());
    EXPECT_EQ(cond.prohibition_start(), 0u);
    EXPECT_EQ(cond.prohibition_end(), 0u);
    const config::Event_Email_SendContent& content = e.email().send_content();
    EXPECT_FALSE(content.motion() || content.sensor() || content.video_loss() ||
                 content.rec_status() || content.sys_access());

    EXPECT_FALSE(e.has_post_record());
    EXPECT_EQ(e.post_record().time(), config::Event_PostRecord::TIME_NONE);
}

void ExpectDefaults(const config::Event_Motion& m)
{
    EXPECT_EQ(m.sensitivity(), 8u);
    EXPECT_EQ(m.zone_size(), 0);
    EXPECT_FALSE(m.pop_up());
}

void ExpectDefaults(const config::Event_Sensor& s)
{
    EXPECT_EQ(s.type(), config::Event_Sensor::TYPE_NO);
    EXPECT_EQ(s.link_ch(), 0u);
    EXPECT_FALSE(s.pop_up());
}

void ExpectDefaults(const config::Hdd& h)
{
    EXPECT_FALSE(h.has_mode());
    EXPECT_EQ(h.mode().write_mode(), config::Hdd::WRITE_OVERWRITE);
    EXPECT_EQ(h.mode().forced_deletion(), 0u);
    EXPECT_FALSE(h.has_smart());
    EXPECT_TRUE(h.smart().smart());
    EXPECT_EQ(h.smart().check_interval(), config::Hdd_Smart::INTERVAL_6HOURS);
}

void ExpectDefaults(const config::Network& n)
{
    EXPECT_FALSE(n.has_tcpip());
    const config::Network_TcpIp& t = n.tcpip();
    EXPECT_EQ(t.type(), config::Network::TYPE_STATIC);
    EXPECT_EQ(t.auto_upnp_port(), 0u);
    EXPECT_EQ(t.port(), 0u);
    EXPECT_FALSE(t.upnp());
    EXPECT_EQ(t.bandwidth_limitation(), config::Network::BWL_OFF);
    EXPECT_EQ(t.static_net().ip_address() + t.static_net().subnetmask() + t.static_net().gateway() +
                  t.static_net().dns_ip(),
              "");
    EXPECT_FALSE(t.static_net().ddns_support());
    EXPECT_EQ(t.pppoe_net().id() + t.pppoe_net().password() + t.pppoe_net().dns_ip(), "");
    EXPECT_FALSE(n.has_ddns());
    EXPECT_EQ(n.ddns().hostname(), "");
    EXPECT_FALSE(n.has_stream());
    EXPECT_FALSE(n.stream().has_jpeg());
    EXPECT_EQ(n.stream().h264_size(), 0);
    EXPECT_EQ(n.remote_dvrs_size(), 0);
}

void ExpectDefaults(const config::Network_H264& h)
{
    EXPECT_EQ(h.resolution(), config::RESOLUTION_CIF);
    EXPECT_EQ(h.qual_size() + h.fps_size(), 0);
}

void ExpectDefaults(const config::Record_Channel& ch)
{
    EXPECT_EQ(ch.resolution(), config::RESOLUTION_960H);
    EXPECT_EQ(ch.qual_size() + ch.fps_size() + ch.qual_evt_size() + ch.fps_evt_size(), 0);
    EXPECT_EQ(ch.record_mode(), config::RECORD_MODE_MANUAL);
}

void ExpectDefaults(const config::Record& r)
{
    EXPECT_EQ(r.channel_size(), 0);
    EXPECT_EQ(r.schedule_size(), 0);
    EXPECT_FALSE(r.has_misc());
    EXPECT_TRUE(r.misc().audio_rec());
    EXPECT_FALSE(r.misc().time_overlay());
    EXPECT_FALSE(r.has_playback());
    EXPECT_EQ(r.playback().chmode(), 0u);
    EXPECT_EQ(r.playback().start_point(), config::Record_Playback::START_FIRST);
    EXPECT_FALSE(r.playback().audio_play());
}

void ExpectDefaults(const config::System& s)
{
    EXPECT_FALSE(s.has_name_id());
    EXPECT_EQ(s.name_id().dvr_name(), "DVR");
    EXPECT_EQ(s.name_id().dvr_id(), 0u);
    EXPECT_FALSE(s.has_time_date());
    EXPECT_EQ(s.time_date().date_format(), config::System_TimeDate::DATE_FORMAT_YYYYMMDD);
    EXPECT_EQ(s.time_date().time_format(), config::System_TimeDate::TIME_FORMAT_24);
    EXPECT_EQ(s.time_date().time_zone(), "GMT");
    EXPECT_FALSE(s.time_date().using_ntp());
    EXPECT_EQ(s.time_date().ntp_server(), "pool.ntp.org");
    EXPECT_FALSE(s.has_language());
    EXPECT_EQ(s.language(), "english");
    const config::System_Buzzer& b = s.buzzer();
    EXPECT_FALSE(b.motion() || b.sensor() || b.video_loss() || b.record_fail() || b.record_warning());
    const config::System_Display& d = s.display();
    EXPECT_TRUE(d.camera_name() && d.rec_icon() && d.motion_icon() && d.sensor_icon() && d.task_bar());
    EXPECT_EQ(d.vga_mode(), config::System_Display::VGA_1024x768);
    ExpectDefaults(d.hdmi_vga_adjust());
    ExpectDefaults(d.vga_only_adjust());
    EXPECT_EQ(d.osg_position(), 0u);
    EXPECT_EQ(s.operation_mode(), 1u);
    EXPECT_EQ(s.playback_mode(), 1u);
    EXPECT_EQ(s.auto_reboot().day(), config::System_AutoReboot::OFF);
    EXPECT_EQ(s.auto_reboot().time(), 0u);
}

void ExpectDefaults(const config::DvrConf& c)
{
    EXPECT_FALSE(c.has_dvr_info());
    EXPECT_EQ(c.dvr_info().model(), 0u);
    EXPECT_EQ(c.dvr_info().ch_num(), 16u);
    EXPECT_EQ(c.dvr_info().vtype(), 0u);
    EXPECT_EQ(c.dvr_info().languages_size(), 0);
    EXPECT_FALSE(c.has_limit());
    EXPECT_FALSE(c.limit().apply_network_tcpip());
    EXPECT_FALSE(c.has_account() || c.has_camera() || c.has_event() || c.has_hdd() ||
                 c.has_network() || c.has_record() || c.has_system() || c.has_buyer_info());
    ExpectDefaults(c.account());
    ExpectDefaults(c.camera());
    ExpectDefaults(c.event());
    ExpectDefaults(c.hdd());
    ExpectDefaults(c.network());
    ExpectDefaults(c.record());
    ExpectDefaults(c.system());
    EXPECT_EQ(c.ByteSizeLong(), 0u);
}

}  // namespace

TEST(DvrConfDefaults, EmptyBytesParseAsAnEmptyConfiguration)
{
    config::DvrConf conf;
    ASSERT_TRUE(conf.ParseFromArray("", 0));
    ExpectDefaults(conf);
    EXPECT_TRUE(conf.SerializeAsString().empty());
}

TEST(DvrConfDefaults, ClearGivesEveryPartItsDefaults)
{
    config::DvrConf conf = FullConf16();
    conf.Clear();
    ExpectDefaults(conf);

    // The parts the pages hold by value, each cleared on its own.
    const config::DvrConf full = FullConf16();
    config::Account account = full.account();
    account.Clear();
    ExpectDefaults(account);
    config::Camera camera = full.camera();
    camera.Clear();
    ExpectDefaults(camera);
    config::Event event = full.event();
    event.Clear();
    ExpectDefaults(event);
    config::Hdd hdd = full.hdd();
    hdd.Clear();
    ExpectDefaults(hdd);
    config::Network network = full.network();
    network.Clear();
    ExpectDefaults(network);
    config::Record record = full.record();
    record.Clear();
    ExpectDefaults(record);
    config::System system = full.system();
    system.Clear();
    ExpectDefaults(system);
}

TEST(DvrConfDefaults, AddedListEntriesStartWithTheirDefaults)
{
    config::DvrConf conf;
    ExpectDefaults(*conf.mutable_account()->add_users());
    ExpectDefaults(*conf.mutable_camera()->add_channel());
    ExpectDefaults(*conf.mutable_camera()->add_ptz());
    ExpectDefaults(*conf.mutable_camera()->add_spot());
    ExpectDefaults(*conf.mutable_event()->mutable_motion_conf()->add_motion());
    ExpectDefaults(*conf.mutable_event()->mutable_sensor_conf()->add_sensor());
    ExpectDefaults(*conf.mutable_network()->mutable_stream()->add_h264());
    ExpectDefaults(*conf.mutable_record()->add_channel());
}
