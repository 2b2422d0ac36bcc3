#pragma once

// Configuration mode against simulated DVRs: the operator's confirmations, the uploads the
// DVR took in and the configurations they carried.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTest>
#include <QTranslator>

#include "DVRList/SendDVRInfoWidget.h"
#include "DVRSetup/SetupWidget.h"
#include "cgi_request.pb.h"
#include "dvr_conf.pb.h"
#include "sim/SimDvr.h"
#include "support/UiTestSupport.h"

namespace setuptest {

using simdvr::CSimDvr;
using simdvr::Request;
using simdvr::Transport;

// A DVR that knows "admin" with the password "1234".
inline std::unique_ptr<CSimDvr> StartSim(const config::DvrConf& conf = config::DvrConf(), bool old = false)
{
    simdvr::Config c;
    c.oldProtocol = old;
    c.model = old ? 8 : 4;
    c.dvrConf = QByteArray::fromStdString(conf.SerializeAsString());
    auto sim = std::make_unique<CSimDvr>(c);
    EXPECT_TRUE(sim->start());
    return sim;
}

// The DVR list entry of an operator account, admin's by default.
inline DVR Entry(const CSimDvr& sim, const char* id = "admin", const char* password = "1234", bool old = false)
{
    DVR dvr;
    dvr.set_name("Lobby");
    dvr.set_address("127.0.0.1");
    dvr.set_port(sim.port());
    dvr.set_id(id);
    dvr.set_password(password);
    dvr.set_old_protocol(old);
    return dvr;
}

// Answers every confirmation with OK; a non-empty password is typed in first.
inline void ConfirmWith(uitest::ScriptedPrompt& prompt, const QString& password = QString())
{
    prompt.onDialog = [password](QDialog* dialog) {
        auto* confirm = qobject_cast<CSendDVRInfoWidget*>(dialog);
        if (!password.isEmpty())
            confirm->setPassword(password);
        confirm->accept();
    };
}

inline std::vector<Request> Of(const CSimDvr& sim, Transport transport, int mode)
{
    std::vector<Request> found;
    for (const Request& r : sim.requests())
        if (r.transport == transport && r.mode == mode)
            found.push_back(r);
    return found;
}

// The configuration an upload carried; the account must be admin's.
inline config::DvrConf Uploaded(const Request& r)
{
    EXPECT_EQ(r.mode, cgi::MODE_SET_DVR_CONF);
    EXPECT_EQ(r.user, "admin");
    EXPECT_EQ(r.password, "1234");
    EXPECT_TRUE(r.dataOk && r.data.empty());
    EXPECT_EQ(r.fileField, "REQ");
    config::DvrConf conf;
    EXPECT_TRUE(conf.ParseFromArray(r.fileData.constData(), int(r.fileData.size())));
    return conf;
}

inline config::DvrConf_DvrInfo Info(int model, int channels, int vtype = 0)
{
    config::DvrConf_DvrInfo info;
    info.set_model(uint32_t(model));
    info.set_ch_num(uint32_t(channels));
    info.set_vtype(uint32_t(vtype));
    return info;
}

inline QStringList Items(const QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

inline bool WaitForMessage(const uitest::ScriptedPrompt& prompt, int count = 1)
{
    return QTest::qWaitFor([&] { return prompt.messages.size() >= count; }, 10000);
}

template <class T>
T* Child(QWidget& w, const char* name)
{
    T* c = w.findChild<T*>(QLatin1String(name));
    EXPECT_TRUE(c) << name;
    return c;
}

inline std::string Bytes(const google::protobuf::MessageLite& m) { return m.SerializeAsString(); }

// A language in which every text of the configuration pages reads "[text]".
class MarkingTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        return QByteArray(context).startsWith("CSetup") ? QStringLiteral("[%1]").arg(QString::fromUtf8(source))
                                                        : QString();
    }
    bool isEmpty() const override { return false; }
};

// The page hears of a language change while `translator` is installed.
inline void ChangeLanguageTo(QTranslator& translator, QWidget* page)
{
    QCoreApplication::installTranslator(&translator);
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(page, &change);
    QCoreApplication::removeTranslator(&translator);
}

// A configuration of model 4 (16 channels) that already holds every field the pages make
// present, so that showing it and collecting it again changes no byte. By design the pages
// add: dvr_info's languages (when empty) and limit with apply_network_tcpip; the account's
// admin and both log-off fields; every camera channel's covert flag, seq with its mask and
// time, and all six fields of the one spot entry. Masks hold only what the widgets can show
// (channel bits below 16, layout bits 16..22). Titles and passwords carry bytes that are no
// EUC-KR text: a page writing back what it shows would change them.
inline config::DvrConf FullConf()
{
    using namespace config;
    DvrConf conf;
    DvrConf_DvrInfo* info = conf.mutable_dvr_info();
    info->set_model(4), info->set_ch_num(16), info->set_vtype(1);
    info->add_languages("english"), info->add_languages("korean");
    conf.mutable_limit()->set_apply_network_tcpip(true);

    Account* account = conf.mutable_account();
    account->mutable_admin()->set_password("adm\xff\xfe");
    for (const char* name : {"guard", "\xb0\xa1nurse"}) {
        Account_User* u = account->add_users();
        u->set_name(name), u->set_password("pw"), u->set_ch_mask(0x00F0), u->set_ptz(true);
        u->set_network_timeout(Account::NETWORK_TIMEOUT_15MINS), u->set_network_prohibition_start(2);
    }
    account->mutable_logoff()->set_auto_enable(true);
    account->mutable_logoff()->set_wait_time(Account_Logoff::WAIT_TIME_5MIN);

    Camera* camera = conf.mutable_camera();
    Record* record = conf.mutable_record();
    Network* network = conf.mutable_network();
    Event* event = conf.mutable_event();
    for (int i = 0; i < 16; ++i) {
        Camera_Channel* ch = camera->add_channel();
        ch->set_name(i == 2 ? std::string("cam\xff") : "door " + std::to_string(i));
        ch->set_covert(i % 5 == 1), ch->mutable_adjustment()->set_contrast(uint32_t(i % 16)), ch->set_eq(i == 3);
        Camera_Ptz* ptz = camera->add_ptz();
        ptz->set_model(i % 2 ? Camera_Ptz::MODEL_NONE : Camera_Ptz::MODEL_PELCO_D), ptz->set_id(uint32_t(200 + i));
        ptz->set_rev_tilt(i == 4), ptz->set_baudrate(Camera_Ptz::BAUDRATE_38400);

        Network_H264* h = network->mutable_stream()->add_h264();
        h->set_resolution(static_cast<Resolution>(i % 4));
        Record_Channel* rc = record->add_channel();
        rc->set_resolution(static_cast<Resolution>((i + 1) % 4));
        rc->set_record_mode(static_cast<RecordMode>(i % 10));
        for (int r = 0; r < 4; ++r) {
            h->add_qual(static_cast<Quality>((i + r) % 4));
            h->add_fps(uint32_t(i + r + 1));  // rates no list holds stay as stored
            rc->add_qual(static_cast<Quality>((i + r) % 4)), rc->add_fps(uint32_t(i + r));
            rc->add_qual_evt(static_cast<Quality>((i + r + 1) % 4)), rc->add_fps_evt(uint32_t(2 * i + r));
        }

        Event_Motion* m = event->mutable_motion_conf()->add_motion();
        m->set_sensitivity(uint32_t(15 - i)), m->set_pop_up(i % 3 == 0);
        for (int cell = 0; cell < 16 * 12; ++cell)  // the grid of model 4
            m->add_zone((cell + i) % 5 == 0);
        event->mutable_relay()->add_motion(i % 4 == 1);
        event->mutable_relay()->add_video_loss(i % 2 == 0);  // no control: passes through
    }
    camera->mutable_seq()->set_ch_mask(0x50F0F), camera->mutable_seq()->set_time(Camera::SEQ_15SECS);
    Camera_Spot* spot = camera->add_spot();
    spot->set_mode(Camera_Spot::MODE_NONA), spot->set_ch_num_single(6), spot->set_ch_mask_quad(0xF0);
    spot->set_ch_mask_nona(0x1FF0), spot->set_ch_mask_seq(0x40FFFF), spot->set_seq_time(Camera::SEQ_4SECS);
    camera->set_sharpness(Camera::SHARPNESS_HARD);

    System* system = conf.mutable_system();
    system->mutable_name_id()->set_dvr_name("Lobby \xff"), system->mutable_name_id()->set_dvr_id(17);
    System_TimeDate* time = system->mutable_time_date();
    time->set_date_format(System_TimeDate::DATE_FORMAT_DDMMYYYY);
    time->set_time_format(System_TimeDate::TIME_FORMAT_12);
    time->set_time_zone("Europe/Oslo"), time->set_using_ntp(true), time->set_ntp_server("ntp.\xfe");
    system->set_language("Korean");
    system->mutable_buzzer()->set_sensor(true), system->mutable_buzzer()->set_record_warning(true);
    System_Display* display = system->mutable_display();
    display->set_rec_icon(false), display->set_vga_mode(System_Display::VGA_1280x1024), display->set_osg_position(3);
    display->mutable_hdmi_vga_adjust()->set_brightness(5), display->mutable_vga_only_adjust()->set_saturation(11);
    system->set_operation_mode(2), system->set_playback_mode(0);
    system->mutable_auto_reboot()->set_day(System_AutoReboot::FRIDAY), system->mutable_auto_reboot()->set_time(4);

    Network_TcpIp* tcpip = network->mutable_tcpip();
    tcpip->set_type(Network::TYPE_PPPOE), tcpip->set_auto_upnp_port(9000), tcpip->set_port(8081);
    tcpip->set_upnp(true), tcpip->set_bandwidth_limitation(Network::BWL_2000kbps);
    Network_StaticNet* net = tcpip->mutable_static_net();
    net->set_ip_address("10.0.0.\xff"), net->set_subnetmask("255.255.255.0"), net->set_gateway("10.0.0.1");
    net->set_dns_ip(""), net->set_ddns_support(true);
    Network_PPPoENet* pppoe = tcpip->mutable_pppoe_net();
    pppoe->set_id("isp"), pppoe->set_password("pp\xfe"), pppoe->set_dns_ip("8.8.8.8");
    network->mutable_ddns()->set_hostname("lobby-1");
    // The JPEG stream and remote DVRs are opaque: unknown fields that must come back.
    network->mutable_stream()->mutable_jpeg()->ParseFromString(std::string("\x08\x07", 2));
    network->add_remote_dvrs()->ParseFromString("\x0a\x04" "gate");

    for (int s = 0; s < 4; ++s) {
        Record_Schedule* schedule = record->add_schedule();
        for (int cell = 0; cell < 168; ++cell)
            schedule->add_record_mode(static_cast<RecordMode>((cell / 7 + s) % 10));
    }
    record->mutable_misc()->set_audio_rec(false), record->mutable_misc()->set_time_overlay(true);
    Record_Playback* playback = record->mutable_playback();
    playback->set_chmode(16), playback->set_audio_play(true);
    playback->set_start_point(Record_Playback::START_6HOURS_AGO);
    Hdd* hdd = conf.mutable_hdd();
    hdd->mutable_mode()->set_write_mode(Hdd::WRITE_ONCE), hdd->mutable_mode()->set_forced_deletion(7);
    hdd->mutable_smart()->set_smart(false), hdd->mutable_smart()->set_check_interval(Hdd_Smart::INTERVAL_12HOURS);

    event->mutable_motion_conf()->set_pop_down(Event::POP_DOWN_10SEC);
    event->mutable_sensor_conf()->set_pop_down(Event::POP_DOWN_30SEC);
    for (int j = 0; j < 8; ++j) {
        Event_Sensor* s = event->mutable_sensor_conf()->add_sensor();
        s->set_type(j % 2 ? Event_Sensor::TYPE_NC : Event_Sensor::TYPE_NO), s->set_link_ch(uint32_t(15 - j));
        s->set_pop_up(j == 2);
        event->mutable_relay()->add_sensor(j % 3 == 0);
    }
    Event_Relay* relay = event->mutable_relay();
    relay->set_record_fail(true), relay->set_record_warning(false), relay->set_keep_time(Event_Relay::KEEP_10SEC);
    Event_Email* email = event->mutable_email();
    email->mutable_address()->set_sender("dvr@\xfe");
    for (const char* r : {"a@example.com", "", "c@example.com", "d@example.com"})
        email->mutable_address()->add_receiver(r);
    Event_Email_SMTP* smtp = email->mutable_smtp();
    smtp->set_address("mail.example.com"), smtp->set_port(2525), smtp->set_authentication(false);
    smtp->set_auth_id("lobby"), smtp->set_auth_password("pw\xff"), smtp->set_use_ssl(true), smtp->set_use_mime(false);
    Event_Email_SendCond* cond = email->mutable_send_cond();
    cond->set_period(Event_Email::SEND_PERIOD_5HOURS), cond->set_prohibition(true);
    cond->set_prohibition_start(20), cond->set_prohibition_end(7);
    Event_Email_SendContent* content = email->mutable_send_content();
    content->set_motion(true), content->set_video_loss(true), content->set_sys_access(false);
    event->mutable_post_record()->set_time(Event_PostRecord::TIME_30SEC);
    return conf;
}

}  // namespace setuptest
