#include "conf_fill.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

constexpr int kChannels = 16;
constexpr int kSensors = 8;

void AppendVarint(std::string* out, uint64_t v)
{
    for (; v >= 0x80; v >>= 7)
        out->push_back(static_cast<char>((v & 0x7F) | 0x80));
    out->push_back(static_cast<char>(v));
}

// Both adjustment messages hold the same five values.
template <typename A, typename F>
void SetFive(A* a, F value)
{
    a->set_contrast(value(0));
    a->set_brightness(value(1));
    a->set_saturation(value(2));
    a->set_hsharpness(value(3));
    a->set_vsharpness(value(4));
}

void FillAccount(config::Account* a)
{
    a->mutable_admin()->set_password("adm1n");
    for (int u = 0; u < 3; ++u) {
        config::Account_User* user = a->add_users();
        user->set_name("user" + std::to_string(u));
        user->set_password("pw" + std::to_string(u * 11));
        user->set_ch_mask(0x0F0Fu << u);
        user->set_ptz(u != 0);
        user->set_playback(u != 1);
        user->set_backup(u != 2);
        user->set_network(u == 1);
        user->set_network_timeout(static_cast<config::Account_NetworkTimeout>(u + 2));
        user->set_network_prohibition(u == 2);
        user->set_network_prohibition_start(20 + u);
        user->set_network_prohibition_end(5 - u);
    }
    a->mutable_logoff()->set_auto_enable(true);
    a->mutable_logoff()->set_wait_time(config::Account_Logoff::WAIT_TIME_5MIN);
}

void FillCamera(config::Camera* cam)
{
    for (int c = 0; c < kChannels; ++c) {
        config::Camera_Channel* ch = cam->add_channel();
        // A Korean title as the DVR stores it (EUC-KR).
        ch->set_name(c == 3 ? std::string("\xC1\xA4\xB9\xAE") : "Cam " + std::to_string(c + 1));
        ch->set_covert(c % 2 == 1);
        SetFive(ch->mutable_adjustment(), [c](int k) { return (c + k) % 16; });
        ch->set_eq(c % 3 == 0);

        config::Camera_Ptz* ptz = cam->add_ptz();
        ptz->set_model(c % 2 ? config::Camera_Ptz::MODEL_PELCO_D : config::Camera_Ptz::MODEL_NONE);
        ptz->set_id(c + 100);
        ptz->set_rev_pan(c & 1);
        ptz->set_rev_tilt(c & 2);
        ptz->set_rev_zoom(c & 4);
        ptz->set_rev_focus(c & 8);
        ptz->set_baudrate(static_cast<config::Camera_Ptz_BaudRate>(c % 8));
    }
    cam->mutable_seq()->set_ch_mask(0x5F00F0u);
    cam->mutable_seq()->set_time(config::Camera::SEQ_8SECS);
    for (int s = 0; s < 2; ++s) {
        config::Camera_Spot* spot = cam->add_spot();
        spot->set_mode(s ? config::Camera_Spot::MODE_SEQUENCE : config::Camera_Spot::MODE_NONA);
        spot->set_ch_num_single(7 + s);
        spot->set_ch_mask_quad(0xF0u >> s);
        spot->set_ch_mask_nona(0x1F0u + s);
        spot->set_ch_mask_seq(0x30F0Fu + s);
        spot->set_seq_time(s ? config::Camera::SEQ_30SECS : config::Camera::SEQ_2SECS);
    }
    cam->set_sharpness(config::Camera::SHARPNESS_HARD);
}

void FillEvent(config::Event* ev)
{
    config::Event_MotionConf* mc = ev->mutable_motion_conf();
    config::Event_Relay* r = ev->mutable_relay();
    for (int c = 0; c < kChannels; ++c) {
        config::Event_Motion* m = mc->add_motion();
        m->set_sensitivity(15 - c);
        for (int i = 0; i < 16 * 12; ++i)
            m->add_zone((i + c) % 3 == 0);
        m->set_pop_up(c % 2 == 0);
        r->add_motion(c % 4 == 1);
        r->add_video_loss(c % 5 == 2);
    }
    mc->set_pop_down(config::Event::POP_DOWN_10SEC);

    config::Event_SensorConf* sc = ev->mutable_sensor_conf();
    for (int j = 0; j < kSensors; ++j) {
        config::Event_Sensor* s = sc->add_sensor();
        s->set_type(j % 2 ? config::Event_Sensor::TYPE_NC : config::Event_Sensor::TYPE_NO);
        s->set_link_ch(15 - j);
        s->set_pop_up(j % 3 == 0);
        r->add_sensor(j % 2 == 0);
    }
    sc->set_pop_down(config::Event::POP_DOWN_30SEC);
    r->set_record_fail(true);
    r->set_record_warning(false);
    r->set_keep_time(config::Event_Relay::KEEP_10SEC);

    config::Event_Email* em = ev->mutable_email();
    em->mutable_address()->set_sender("dvr@example.org");
    for (int i = 0; i < 4; ++i)
        em->mutable_address()->add_receiver("r" + std::to_string(i) + "@example.org");
    config::Event_Email_SMTP* smtp = em->mutable_smtp();
    smtp->set_address("mail.example.org");
    smtp->set_port(465);
    smtp->set_authentication(false);
    smtp->set_auth_id("sender");
    smtp->set_auth_password("secret");
    smtp->set_use_ssl(false);
    smtp->set_use_mime(false);
    config::Event_Email_SendCond* cond = em->mutable_send_cond();
    cond->set_period(config::Event_Email::SEND_PERIOD_2MINS_AFTER_EVENT);
    cond->set_prohibition(true);
    cond->set_prohibition_start(22);
    cond->set_prohibition_end(6);
    config::Event_Email_SendContent* content = em->mutable_send_content();
    content->set_motion(true);
    content->set_sensor(false);
    content->set_video_loss(true);
    content->set_rec_status(false);
    content->set_sys_access(true);

    ev->mutable_post_record()->set_time(config::Event_PostRecord::TIME_40SEC);
}

void FillNetwork(config::Network* net)
{
    config::Network_TcpIp* t = net->mutable_tcpip();
    t->set_type(config::Network::TYPE_PPPOE);
    t->set_auto_upnp_port(8081);
    t->mutable_static_net()->set_ip_address("192.168.10.20");
    t->mutable_static_net()->set_subnetmask("255.255.255.0");
    t->mutable_static_net()->set_gateway("192.168.10.1");
    t->mutable_static_net()->set_dns_ip("192.168.10.2");
    t->mutable_static_net()->set_ddns_support(true);
    t->set_port(8080);
    t->set_upnp(true);
    t->set_bandwidth_limitation(config::Network::BWL_3000kbps);
    t->mutable_pppoe_net()->set_id("pppoe-user");
    t->mutable_pppoe_net()->set_password("pppoe-pass");
    t->mutable_pppoe_net()->set_dns_ip("10.0.0.53");

    net->mutable_ddns()->set_hostname("front-door");

    config::Network_Stream* st = net->mutable_stream();
    st->mutable_jpeg()->ParseFromString(UnknownFields(1));
    for (int c = 0; c < kChannels; ++c) {
        config::Network_H264* h = st->add_h264();
        h->set_resolution(static_cast<config::Resolution>(c % 4));
        for (int r = 0; r < 4; ++r) {
            h->add_qual(static_cast<config::Quality>((c + r) % 4));
            h->add_fps(1 + (c * 4 + r) % 30);
        }
    }
    net->add_remote_dvrs()->ParseFromString(UnknownFields(2));
    net->add_remote_dvrs()->ParseFromString(UnknownFields(3));
}

void FillRecord(config::Record* rec)
{
    for (int c = 0; c < kChannels; ++c) {
        config::Record_Channel* ch = rec->add_channel();
        ch->set_resolution(static_cast<config::Resolution>(3 - c % 4));
        for (int r = 0; r < 4; ++r) {
            ch->add_qual(static_cast<config::Quality>((c + r) % 4));
            ch->add_fps(30 - (c + r) % 30);
            ch->add_qual_evt(static_cast<config::Quality>((c + r + 1) % 4));
            ch->add_fps_evt(1 + (c * 3 + r) % 30);
        }
        ch->set_record_mode(static_cast<config::RecordMode>(c % 10));
    }
    for (int s = 0; s < 4; ++s) {
        config::Record_Schedule* sch = rec->add_schedule();
        for (int cell = 0; cell < 7 * 24; ++cell)
            sch->add_record_mode(static_cast<config::RecordMode>((cell + s * 3) % 10));
    }
    rec->mutable_misc()->set_audio_rec(false);
    rec->mutable_misc()->set_time_overlay(true);
    rec->mutable_playback()->set_chmode(16);
    rec->mutable_playback()->set_start_point(config::Record_Playback::START_1HOUR_AGO);
    rec->mutable_playback()->set_audio_play(true);
}

void FillSystem(config::System* sys)
{
    sys->mutable_name_id()->set_dvr_name("Lobby");
    sys->mutable_name_id()->set_dvr_id(42);
    config::System_TimeDate* td = sys->mutable_time_date();
    td->set_date_format(config::System_TimeDate::DATE_FORMAT_MMDDYYYY);
    td->set_time_format(config::System_TimeDate::TIME_FORMAT_12);
    td->set_time_zone("Asia/Seoul");
    td->set_using_ntp(true);
    td->set_ntp_server("ntp.example.org");
    sys->set_language("korean");
    config::System_Buzzer* b = sys->mutable_buzzer();
    b->set_motion(true);
    b->set_sensor(false);
    b->set_video_loss(true);
    b->set_record_fail(false);
    b->set_record_warning(true);
    config::System_Display* d = sys->mutable_display();
    d->set_camera_name(false);
    d->set_rec_icon(true);
    d->set_motion_icon(false);
    d->set_sensor_icon(true);
    d->set_task_bar(false);
    d->set_vga_mode(config::System_Display::VGA_1440x900);
    SetFive(d->mutable_hdmi_vga_adjust(), [](int k) { return 1 + k; });
    SetFive(d->mutable_vga_only_adjust(), [](int k) { return 10 + k; });
    d->set_osg_position(3);
    sys->set_operation_mode(2);
    sys->set_playback_mode(0);
    sys->mutable_auto_reboot()->set_day(config::System_AutoReboot::WEDNESDAY);
    sys->mutable_auto_reboot()->set_time(23);
}

}  // namespace

std::string UnknownFields(int seed)
{
    std::string b;
    b.push_back(1 << 3 | 0);  // varint
    AppendVarint(&b, 300u + seed);
    const std::string text = "carried " + std::to_string(seed);
    b.push_back(2 << 3 | 2);  // length-delimited
    AppendVarint(&b, text.size());
    b += text;
    b.push_back(3 << 3 | 1);  // fixed64
    b.append(8, static_cast<char>(0x10 + seed));
    b.push_back(4 << 3 | 5);  // fixed32
    b.append(4, static_cast<char>(0x20 + seed));
    b.push_back(5 << 3 | 3);  // group holding a varint
    b.push_back(6 << 3 | 0);
    AppendVarint(&b, seed);
    b.push_back(5 << 3 | 4);
    return b;
}

config::DvrConf FullConf16()
{
    config::DvrConf conf;
    config::DvrConf_DvrInfo* info = conf.mutable_dvr_info();
    info->set_model(77);
    info->set_ch_num(16);
    info->set_vtype(1);
    for (const char* language : {"english", "korean", "french"})
        info->add_languages(language);
    conf.mutable_limit()->set_apply_network_tcpip(true);
    FillAccount(conf.mutable_account());
    FillCamera(conf.mutable_camera());
    FillEvent(conf.mutable_event());
    conf.mutable_hdd()->mutable_mode()->set_write_mode(config::Hdd::WRITE_ONCE);
    conf.mutable_hdd()->mutable_mode()->set_forced_deletion(37);
    conf.mutable_hdd()->mutable_smart()->set_smart(false);
    conf.mutable_hdd()->mutable_smart()->set_check_interval(config::Hdd_Smart::INTERVAL_24HOURS);
    FillNetwork(conf.mutable_network());
    FillRecord(conf.mutable_record());
    FillSystem(conf.mutable_system());
    conf.mutable_buyer_info()->ParseFromString(UnknownFields(4));
    return conf;
}

std::string ToHex(const std::string& bytes)
{
    std::string hex;
    for (size_t i = 0; i < bytes.size(); ++i) {
        hex += "0123456789abcdef"[static_cast<unsigned char>(bytes[i]) >> 4];
        hex += "0123456789abcdef"[bytes[i] & 0xF];
        if (i % 32 == 31 || i + 1 == bytes.size())
            hex += '\n';
    }
    return hex;
}

std::string ReadHexFile(const std::string& name)
{
    const char* root = std::getenv("ZAVO_SOURCE_DIR");
    const std::string here = __FILE__;
    const std::string dir = root && *root ? std::string(root) + "/tests/sys_conf"
                                          : here.substr(0, here.find_last_of('/'));
    std::ifstream in(dir + "/data/" + name);
    std::string digits;
    for (auto it = std::istreambuf_iterator<char>(in); it != std::istreambuf_iterator<char>(); ++it) {
        if (std::isxdigit(static_cast<unsigned char>(*it)))
            digits += *it;
        else if (!std::isspace(static_cast<unsigned char>(*it)))
            return {};
    }
    std::string bytes;
    for (size_t i = 0; i + 1 < digits.size(); i += 2)
        bytes += static_cast<char>(std::stoi(digits.substr(i, 2), nullptr, 16));
    return digits.size() % 2 ? std::string() : bytes;
}
