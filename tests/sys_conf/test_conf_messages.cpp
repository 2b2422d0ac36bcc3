#include <gtest/gtest.h>

#include <bitset>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <type_traits>

#include "dvr_conf.pb.h"

namespace {

using namespace config;

// Every call gives the next value of a running count, so fields next to each other and the
// same field of two channels differ, and a field that moves to another number moves its bytes.
struct Values {
    uint32_t n = 0;
    template <typename T>
    T next()  // every enum has the values 0 and 1
    {
        ++n;
        return static_cast<T>(std::is_same_v<T, bool> ? std::bitset<32>(n).count() % 2 : std::is_enum_v<T> ? n % 2 : n);
    }
    template <typename E>
    E e(int count) { return static_cast<E>(++n % count); }
    void s(std::initializer_list<std::string*> fields)
    {
        for (std::string* f : fields)
            *f = "s" + std::to_string(++n);
    }
    template <typename M, typename... T>
    void set(M* m, void (M::*... setter)(T)) { ((m->*setter)(next<T>()), ...); }
    template <typename A>
    void five(A* a)
    {
        set(a, &A::set_contrast, &A::set_brightness, &A::set_saturation, &A::set_hsharpness, &A::set_vsharpness);
    }
};

// Fields 1..5 of every wire type, as a DVR may send inside the carried-unchanged parts.
std::string UnknownFields(int seed)
{
    const std::string text = "carried " + std::to_string(seed);
    return std::string{1 << 3 | 0, static_cast<char>(0x80 | seed), 2, 2 << 3 | 2, static_cast<char>(text.size())}
           + text + char(3 << 3 | 1) + std::string(8, char(0x10 + seed)) + char(4 << 3 | 5)
           + std::string(4, char(0x20 + seed)) + std::string{5 << 3 | 3, 6 << 3 | 0, char(seed), 5 << 3 | 4};
}

// 16 channels, every field of every message set, unknown bytes inside the carried parts.
DvrConf FullConf16()
{
    using U = Account_User; using P = Camera_Ptz; using SP = Camera_Spot; using SM = Event_Email_SMTP;
    using SC = Event_Email_SendCond; using ST = Event_Email_SendContent; using TI = Network_TcpIp;
    using TD = System_TimeDate; using BZ = System_Buzzer; using DI = System_Display;
    Values v;
    DvrConf conf;
    v.set(conf.mutable_dvr_info(), &DvrConf_DvrInfo::set_model, &DvrConf_DvrInfo::set_vtype);
    conf.mutable_dvr_info()->set_ch_num(16);
    v.s({conf.mutable_dvr_info()->add_languages(), conf.mutable_dvr_info()->add_languages()});
    v.set(conf.mutable_limit(), &DvrConf_Limit::set_apply_network_tcpip);

    Account* account = conf.mutable_account();
    v.s({account->mutable_admin()->mutable_password()});
    for (int i = 0; i < 3; ++i) {
        U* user = account->add_users();
        v.s({user->mutable_name(), user->mutable_password()});
        v.set(user, &U::set_ch_mask, &U::set_ptz, &U::set_playback, &U::set_backup, &U::set_network,
              &U::set_network_timeout, &U::set_network_prohibition, &U::set_network_prohibition_start,
              &U::set_network_prohibition_end);
    }
    v.set(account->mutable_logoff(), &Account_Logoff::set_auto_enable, &Account_Logoff::set_wait_time);

    Camera* cam = conf.mutable_camera();
    Event* ev = conf.mutable_event();
    Record* rec = conf.mutable_record();
    for (int c = 0; c < 16; ++c) {
        Camera_Channel* ch = cam->add_channel();
        c == 3 ? ch->set_name("\xC1\xA4\xB9\xAE") : v.s({ch->mutable_name()});  // Korean, as DVRs store it
        v.set(ch, &Camera_Channel::set_covert, &Camera_Channel::set_eq);
        v.five(ch->mutable_adjustment());
        v.set(cam->add_ptz(), &P::set_model, &P::set_id, &P::set_rev_pan, &P::set_rev_tilt, &P::set_rev_zoom,
              &P::set_rev_focus, &P::set_baudrate);

        Event_Motion* m = ev->mutable_motion_conf()->add_motion();
        v.set(m, &Event_Motion::set_sensitivity, &Event_Motion::set_pop_up);
        for (int i = 0; i < 16 * 12; ++i)
            m->add_zone(v.next<bool>());
        ev->mutable_relay()->add_motion(v.next<bool>());
        ev->mutable_relay()->add_video_loss(v.next<bool>());

        Network_H264* h = conf.mutable_network()->mutable_stream()->add_h264();
        Record_Channel* r = rec->add_channel();
        h->set_resolution(v.e<Resolution>(4));
        r->set_resolution(v.e<Resolution>(4));
        r->set_record_mode(v.e<RecordMode>(10));
        for (int i = 0; i < 4; ++i) {
            h->add_qual(v.e<Quality>(4));
            h->add_fps(v.next<uint32_t>());
            r->add_qual(v.e<Quality>(4));
            r->add_fps(v.next<uint32_t>());
            r->add_qual_evt(v.e<Quality>(4));
            r->add_fps_evt(v.next<uint32_t>());
        }
    }
    v.set(cam->mutable_seq(), &Camera_Seq::set_ch_mask, &Camera_Seq::set_time);
    for (int i = 0; i < 2; ++i)
        v.set(cam->add_spot(), &SP::set_mode, &SP::set_ch_num_single, &SP::set_ch_mask_quad, &SP::set_ch_mask_nona,
              &SP::set_ch_mask_seq, &SP::set_seq_time);
    v.set(cam, &Camera::set_sharpness);

    for (int i = 0; i < 8; ++i) {
        v.set(ev->mutable_sensor_conf()->add_sensor(), &Event_Sensor::set_type, &Event_Sensor::set_link_ch,
              &Event_Sensor::set_pop_up);
        ev->mutable_relay()->add_sensor(v.next<bool>());
    }
    v.set(ev->mutable_motion_conf(), &Event_MotionConf::set_pop_down);
    v.set(ev->mutable_sensor_conf(), &Event_SensorConf::set_pop_down);
    v.set(ev->mutable_relay(), &Event_Relay::set_record_fail, &Event_Relay::set_record_warning,
          &Event_Relay::set_keep_time);
    Event_Email* em = ev->mutable_email();
    v.s({em->mutable_address()->mutable_sender(), em->mutable_smtp()->mutable_address(),
         em->mutable_smtp()->mutable_auth_id(), em->mutable_smtp()->mutable_auth_password()});
    for (int i = 0; i < 4; ++i)
        v.s({em->mutable_address()->add_receiver()});
    v.set(em->mutable_smtp(), &SM::set_port, &SM::set_authentication, &SM::set_use_ssl, &SM::set_use_mime);
    v.set(em->mutable_send_cond(), &SC::set_period, &SC::set_prohibition, &SC::set_prohibition_start,
          &SC::set_prohibition_end);
    v.set(em->mutable_send_content(), &ST::set_motion, &ST::set_sensor, &ST::set_video_loss, &ST::set_rec_status,
          &ST::set_sys_access);
    v.set(ev->mutable_post_record(), &Event_PostRecord::set_time);

    v.set(conf.mutable_hdd()->mutable_mode(), &Hdd_Mode::set_write_mode, &Hdd_Mode::set_forced_deletion);
    v.set(conf.mutable_hdd()->mutable_smart(), &Hdd_Smart::set_smart, &Hdd_Smart::set_check_interval);

    TI* t = conf.mutable_network()->mutable_tcpip();
    Network_StaticNet* sn = t->mutable_static_net();
    v.set(t, &TI::set_type, &TI::set_auto_upnp_port, &TI::set_port, &TI::set_upnp, &TI::set_bandwidth_limitation);
    v.s({sn->mutable_ip_address(), sn->mutable_subnetmask(), sn->mutable_gateway(), sn->mutable_dns_ip(),
         t->mutable_pppoe_net()->mutable_id(), t->mutable_pppoe_net()->mutable_password(),
         t->mutable_pppoe_net()->mutable_dns_ip(), conf.mutable_network()->mutable_ddns()->mutable_hostname()});
    v.set(sn, &Network_StaticNet::set_ddns_support);
    conf.mutable_network()->mutable_stream()->mutable_jpeg()->ParseFromString(UnknownFields(1));
    conf.mutable_network()->add_remote_dvrs()->ParseFromString(UnknownFields(2));
    conf.mutable_network()->add_remote_dvrs()->ParseFromString(UnknownFields(3));

    for (int s = 0; s < 4; ++s) {
        Record_Schedule* schedule = rec->add_schedule();
        for (int cell = 0; cell < 7 * 24; ++cell)
            schedule->add_record_mode(v.e<RecordMode>(10));
    }
    v.set(rec->mutable_misc(), &Record_Misc::set_audio_rec, &Record_Misc::set_time_overlay);
    v.set(rec->mutable_playback(), &Record_Playback::set_chmode, &Record_Playback::set_start_point,
          &Record_Playback::set_audio_play);

    System* sys = conf.mutable_system();
    v.s({sys->mutable_name_id()->mutable_dvr_name(), sys->mutable_time_date()->mutable_time_zone(),
         sys->mutable_time_date()->mutable_ntp_server(), sys->mutable_language()});
    v.set(sys->mutable_name_id(), &System_NameId::set_dvr_id);
    v.set(sys->mutable_time_date(), &TD::set_date_format, &TD::set_time_format, &TD::set_using_ntp);
    v.set(sys->mutable_buzzer(), &BZ::set_motion, &BZ::set_sensor, &BZ::set_video_loss, &BZ::set_record_fail,
          &BZ::set_record_warning);
    v.set(sys->mutable_display(), &DI::set_camera_name, &DI::set_rec_icon, &DI::set_motion_icon,
          &DI::set_sensor_icon, &DI::set_task_bar, &DI::set_vga_mode, &DI::set_osg_position);
    v.five(sys->mutable_display()->mutable_hdmi_vga_adjust());
    v.five(sys->mutable_display()->mutable_vga_only_adjust());
    v.set(sys, &System::set_operation_mode, &System::set_playback_mode);
    v.set(sys->mutable_auto_reboot(), &System_AutoReboot::set_day, &System_AutoReboot::set_time);
    conf.mutable_buyer_info()->ParseFromString(UnknownFields(4));
    return conf;
}

std::string ToHex(const std::string& bytes)
{
    std::string hex;
    for (size_t i = 0; i < bytes.size(); ++i)
        hex += std::string{"0123456789abcdef"[uint8_t(bytes[i]) >> 4], "0123456789abcdef"[bytes[i] & 0xF]}
               + (i % 32 == 31 || i + 1 == bytes.size() ? "\n" : "");
    return hex;
}

}  // namespace

// The defaults that are not protobuf's own zero, false or empty, read through absent parts and
// in newly added list entries.
TEST(DvrConf, AbsentPartsAndAddedEntriesReadTheirDefaults)
{
    DvrConf c;
    ASSERT_TRUE(c.ParseFromArray("", 0));
    EXPECT_EQ(c.ByteSizeLong(), 0u);
    const System& sys = c.system();
    const Event& ev = c.event();
    const System_Display& d = sys.display();
    const Event_Email_SMTP& smtp = ev.email().smtp();
    const Account_User& u = *c.mutable_account()->add_users();
    const Camera_Ptz& ptz = *c.mutable_camera()->add_ptz();
    const Camera_Spot& spot = *c.mutable_camera()->add_spot();
    const Record_Channel& rec = *c.mutable_record()->add_channel();
    const std::pair<long, long> numbers[] = {
        {c.dvr_info().ch_num(), 16}, {c.camera().seq().ch_mask(), 65535}, {smtp.port(), 587},
        {sys.operation_mode(), 1}, {sys.playback_mode(), 1}, {c.camera().seq().time(), Camera::SEQ_1SECS},
        {c.account().logoff().wait_time(), Account_Logoff::WAIT_TIME_30SEC},
        {c.camera().sharpness(), Camera::SHARPNESS_NORMAL}, {ev.relay().keep_time(), Event_Relay::KEEP_NONE},
        {ev.motion_conf().pop_down(), Event::POP_DOWN_CONT}, {ev.sensor_conf().pop_down(), Event::POP_DOWN_CONT},
        {ev.email().send_cond().period(), Event_Email::SEND_PERIOD_NO},
        {ev.post_record().time(), Event_PostRecord::TIME_NONE}, {c.hdd().mode().write_mode(), Hdd::WRITE_OVERWRITE},
        {c.hdd().smart().check_interval(), Hdd_Smart::INTERVAL_6HOURS},
        {c.network().tcpip().type(), Network::TYPE_STATIC},
        {c.network().tcpip().bandwidth_limitation(), Network::BWL_OFF},
        {c.record().playback().start_point(), Record_Playback::START_FIRST},
        {sys.time_date().date_format(), System_TimeDate::DATE_FORMAT_YYYYMMDD},
        {sys.time_date().time_format(), System_TimeDate::TIME_FORMAT_24},
        {d.vga_mode(), System_Display::VGA_1024x768}, {sys.auto_reboot().day(), System_AutoReboot::OFF},
        {u.ch_mask(), 0xFFFF}, {u.network_timeout(), Account::NETWORK_TIMEOUT_OFF},
        {u.network_prohibition_start(), 18}, {u.network_prohibition_end(), 8},
        {ptz.model(), Camera_Ptz::MODEL_PELCO_D}, {ptz.baudrate(), Camera_Ptz::BAUDRATE_9600},
        {spot.mode(), Camera_Spot::MODE_SINGLE}, {spot.ch_mask_quad(), 15}, {spot.ch_mask_nona(), 511},
        {spot.ch_mask_seq(), 65535}, {spot.seq_time(), Camera::SEQ_1SECS},
        {c.mutable_event()->mutable_motion_conf()->add_motion()->sensitivity(), 8},
        {c.mutable_event()->mutable_sensor_conf()->add_sensor()->type(), Event_Sensor::TYPE_NO},
        {c.mutable_network()->mutable_stream()->add_h264()->resolution(), RESOLUTION_CIF},
        {rec.resolution(), RESOLUTION_960H}, {rec.record_mode(), RECORD_MODE_MANUAL},
    };
    for (size_t i = 0; i < std::size(numbers); ++i)
        EXPECT_EQ(numbers[i].first, numbers[i].second) << i;
    EXPECT_EQ(std::vector<std::string>({c.account().admin().password(), u.password(), smtp.address(),
                                        sys.name_id().dvr_name(), sys.time_date().time_zone(),
                                        sys.time_date().ntp_server(), sys.language()}),
              std::vector<std::string>({"5937", "5937", "smtp.example.com", "DVR", "GMT", "pool.ntp.org", "english"}));
    EXPECT_TRUE(smtp.authentication() && smtp.use_ssl() && smtp.use_mime() && c.hdd().smart().smart() &&
                c.record().misc().audio_rec() && d.camera_name() && d.rec_icon() && d.motion_icon() &&
                d.sensor_icon() && d.task_bar() && u.network());
    const Adjustment& channel = c.mutable_camera()->add_channel()->adjustment();
    for (const Adjustment* adj : {&d.hdmi_vga_adjust(), &d.vga_only_adjust(), &channel})
        EXPECT_EQ(std::vector<uint32_t>({adj->contrast(), adj->brightness(), adj->saturation(), adj->hsharpness(),
                                         adj->vsharpness()}),
                  std::vector<uint32_t>(5, 8));
}

// The data file sits beside this source; ctest names the source tree, which stays right when
// the compiler saw other paths (ccache with a base folder).
TEST(DvrConf, FullConfigurationMatchesTheGoldenBytesAndCarriedPartsTravelBack)
{
    const char* root = std::getenv("ZAVO_SOURCE_DIR");
    const std::filesystem::path dir = root && *root ? std::filesystem::path(root) / "tests/sys_conf"
                                                    : std::filesystem::path(__FILE__).parent_path();
    const std::string bytes = FullConf16().SerializeAsString();
    std::ifstream in(dir / "data/dvr_conf_16ch.hex");
    if (std::string(std::istreambuf_iterator<char>(in), {}) != ToHex(bytes)) {
        const auto actual = std::filesystem::temp_directory_path() / "dvr_conf_16ch.actual.hex";
        std::ofstream(actual) << ToHex(bytes);
        FAIL() << "serialization differs from " << dir / "data/dvr_conf_16ch.hex" << "; actual bytes in " << actual;
    }
    // Back again, the unknown bytes inside jpeg, remote_dvrs and buyer_info included.
    DvrConf conf;
    ASSERT_TRUE(conf.ParseFromString(bytes));
    EXPECT_EQ(conf.SerializeAsString(), bytes);
    EXPECT_EQ(conf.network().remote_dvrs(1).SerializeAsString(), UnknownFields(3));
    EXPECT_EQ(conf.camera().channel(3).name(), "\xC1\xA4\xB9\xAE");

    // An empty carried part stays present; an enum value no menu offers reads as the default
    // and goes back unchanged.
    const std::string odd("\x32\x04\x0a\x02\x08\x07\x52\x00", 8);
    ASSERT_TRUE(conf.ParseFromString(odd));
    EXPECT_TRUE(conf.has_buyer_info());
    EXPECT_FALSE(conf.hdd().mode().has_write_mode());
    EXPECT_EQ(conf.hdd().mode().write_mode(), Hdd::WRITE_OVERWRITE);
    EXPECT_EQ(conf.SerializeAsString(), odd);
}
