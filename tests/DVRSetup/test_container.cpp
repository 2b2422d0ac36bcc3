// The configuration container against simulated DVRs: reads, sends, confirmations, files, the
// offline model setup and the panels over the tabs.

#include <QAbstractButton>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>

#include "DVRSetup/ModelInfoDialog.h"
#include "DVRSetup/SetupAccount.h"
#include "DVRSetup/SetupCamera.h"
#include "DVRSetup/SetupEtc.h"
#include "DVRSetup/SetupEvent.h"
#include "DVRSetup/SetupHdd.h"
#include "DVRSetup/SetupNetwork.h"
#include "DVRSetup/SetupRecord.h"
#include "DVRSetup/SetupSystem.h"
#include "DVRSetup/SetupTabIndex.h"
#include "DVRSetup/Upgrade.h"
#include "Network/ReadDVRData.h"
#include "dvr_types/model_info.h"
#include "setup_test_util.h"

using namespace setuptest;

namespace {

const char CORRECT[] = "The DVR configuration is correctly transfered!";
const char FAILED[] = "The transmission error occured!";

struct Container {
    Container()
    {
        w.resize(899, 690);
        w.Init();
    }
    // Reads the DVR's configuration and waits until the container has taken the reply.
    bool read(const DVR& dvr)
    {
        w.readData(dvr, 16, config::VideoType_NTSC);
        if (!w.reader())
            return false;
        QSignalSpy done(w.reader(), &CReadDVRData::completed);
        return done.wait(10000);
    }
    void tab(SetupTabIndex index) { Child<QTabWidget>(w, "tabWidget")->setCurrentIndex(index); }
    QString title(int channel) { return Child<QLineEdit>(w, QStringLiteral("name%1").arg(channel).toLatin1())->text(); }
    // Sends and waits for the result box.
    QString send(bool all)
    {
        const int before = prompt.messages.size();
        all ? w.OnSendAll() : w.OnSend();
        if (!w.isUploading())
            return prompt.messages.size() > before ? prompt.messages.last() : QString();
        return WaitForMessage(prompt, before + 1) ? prompt.messages.last() : QString();
    }

    uitest::Sandbox sandbox;
    uitest::ScriptedPrompt prompt;
    CSetupWidget w;
};

config::DvrConf EightChannels()
{
    config::DvrConf conf;
    conf.mutable_dvr_info()->set_model(52);
    conf.mutable_dvr_info()->set_ch_num(8);
    for (int i = 0; i < 8; ++i)
        conf.mutable_camera()->add_channel()->set_name("cam " + std::to_string(i + 1));
    return conf;
}

// The parts of the configuration by name: those present, those that differ from another.
#define PART(p) {#p, [](const config::DvrConf& c) { return c.has_##p() ? Bytes(c.p()) : std::string("-"); }}
const std::pair<const char*, std::string (*)(const config::DvrConf&)> kParts[] = {
    PART(dvr_info), PART(limit), PART(account), PART(camera), PART(event),
    PART(hdd),      PART(network), PART(record), PART(system), PART(buyer_info)};
#undef PART

std::string Parts(const config::DvrConf& a, const config::DvrConf* other = nullptr)
{
    std::string names;
    for (const auto& [name, bytes] : kParts)
        if (other ? bytes(a) != bytes(*other) : bytes(a) != "-")
            names += std::string(name) + " ";
    return other && names.empty() && Bytes(a) != Bytes(*other) ? "presence" : names;
}

// The operator's hand on the controls of one page.
template <class Page>
struct On {
    template <class T>
    T* get(const char* name) { return Child<T>(*w.findChild<Page*>(), name); }
    void combo(const char* name, int index) { get<QComboBox>(name)->setCurrentIndex(index); }
    void click(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            get<QAbstractButton>(name)->click();
    }
    void text(const char* name, const QString& text) { get<QLineEdit>(name)->setText(text); }
    void type(const char* name, const QString& keys) { QTest::keyClicks(get<QLineEdit>(name), keys); }
    void spin(const char* name, int value) { get<QSpinBox>(name)->setValue(value); }
    CSetupWidget& w;
};

}  // namespace

TEST(SetupContainer, AReadResetsThePagesToTheModelThenShowsItsParts)
{
    auto sim = StartSim(EightChannels());
    Container c;
    EXPECT_EQ(c.title(0), "CH-01");
    ASSERT_TRUE(c.read(Entry(*sim, "oper")));
    const auto reads = Of(*sim, Transport::Get, cgi::MODE_GET_DVR_CONF);
    ASSERT_EQ(reads.size(), 1u);
    // As admin with the entry's password, whatever the entry's user is.
    EXPECT_EQ(reads[0].user, "admin");
    EXPECT_EQ(reads[0].password, "1234");
    EXPECT_TRUE(reads[0].dataOk && reads[0].data.empty());

    EXPECT_EQ(c.w.dvrInfo().model(), 52u);
    // The languages came from the model table before the pages saw the model.
    ASSERT_EQ(size_t(c.w.dvrInfo().languages_size()), DvrModelInfo(DvrModel(52)).languages.size());
    EXPECT_EQ(c.title(7), "cam 8");
    EXPECT_TRUE(Child<QLineEdit>(c.w, "name8")->isHidden());
    // Parts the configuration lacks show the model's defaults.
    EXPECT_EQ(c.w.findChild<CSetupAccount*>()->GetConf().admin().password(), "5937");
    EXPECT_EQ(c.w.findChild<CSetupEvent*>()->connectedDVR().port(), sim->port());
    EXPECT_TRUE(c.prompt.messages.isEmpty());

    // Init forgets the DVR and shows model 4's defaults.
    c.w.Init();
    EXPECT_TRUE(c.w.targetDVR().address().empty());
    EXPECT_EQ(c.w.dvrInfo().model(), 4u);
    EXPECT_EQ(c.title(7), "CH-08");
    EXPECT_FALSE(Child<QLineEdit>(c.w, "name15")->isHidden());
}

TEST(SetupContainer, ReadsThatBringNoConfigurationAreShownAndChangeNothing)
{
    config::DvrConf unknown;
    unknown.mutable_dvr_info()->set_model(18);
    const std::tuple<config::DvrConf, const char*, QString> rows[] = {
        {EightChannels(), "wrong", "[ERROR]password miss"},
        {unknown, "1234", "The DVR configuration is of an unknown model (18)."},
    };
    for (const auto& [conf, password, message] : rows) {
        auto sim = StartSim(conf);
        Container c;
        ASSERT_TRUE(c.read(Entry(*sim, "admin", password)));
        EXPECT_EQ(c.prompt.messages, QStringList{message});
        EXPECT_EQ(c.w.dvrInfo().model(), 4u);
        EXPECT_EQ(c.title(0), "CH-01");
    }

    // A silent DVR: the read gives up after the idle time and says so.
    auto silent = StartSim(EightChannels());
    simdvr::Misbehaviour stall;
    stall.replyStall = true;
    silent->setMisbehaviour(stall);
    Container c;
    c.w.setReadIdleTimeout(300);
    ASSERT_TRUE(c.read(Entry(*silent)));
    EXPECT_EQ(c.prompt.messages, QStringList{"The DVR configuration could not be read."});

    // Nothing is asked of a DVR without an address, and an old one cannot be read.
    Container none;
    DVR empty = Entry(*silent);
    empty.set_address("");
    EXPECT_FALSE(none.read(empty));
    auto old = StartSim(config::DvrConf(), true);
    EXPECT_FALSE(none.read(Entry(*old, "admin", "1234", true)));
    EXPECT_EQ(none.prompt.messages, QStringList{"The configuration of a DVR on the old protocol cannot be read."});
    EXPECT_TRUE(old->requests().empty());
}

TEST(SetupContainer, InitStopsARunningReadSoItsReplyNeverArrives)
{
    auto slow = StartSim(EightChannels());
    simdvr::Misbehaviour hold;
    hold.holdRequests = 1;
    hold.holdMs = 300;
    slow->setMisbehaviour(hold);
    config::DvrConf four;
    four.mutable_dvr_info()->set_model(53);
    four.mutable_dvr_info()->set_ch_num(4);
    auto quick = StartSim(four);

    Container c;
    c.w.readData(Entry(*slow), 16, config::VideoType_NTSC);
    ASSERT_TRUE(slow->waitUntil([&] { return c.w.reader() != nullptr; }));
    c.w.Init();
    EXPECT_EQ(c.w.reader(), nullptr);
    ASSERT_TRUE(c.read(Entry(*quick)));
    // Past the slow DVR's answer: it never reaches the pages.
    EXPECT_FALSE(slow->waitForRequest([](const Request& r) { return r.mode == cgi::MODE_GET_DVR_CONF; }, 800));
    EXPECT_EQ(c.w.dvrInfo().model(), 53u);
    EXPECT_TRUE(c.prompt.messages.isEmpty());
}

// Every control an operator edits writes its own field: each edit, sent with Apply All,
// arrives as exactly that change. Apply sends the current tab's part, never the buyer info.
TEST(SetupContainer, AnUntouchedConfigurationGoesBackEqualAndEachEditArrivesAlone)
{
    config::DvrConf conf = FullConf();
    conf.mutable_buyer_info();
    auto sim = StartSim(conf);
    conf.clear_buyer_info();
    Container c;
    ASSERT_TRUE(c.read(Entry(*sim)));
    for (int tab = 0; tab < SETUP_TAB_COUNT; ++tab) {
        c.tab(SetupTabIndex(tab));
        uitest::Screenshot(&c.w, QStringLiteral("tab%1_%2").arg(tab).arg(Child<QTabWidget>(c.w, "tabWidget")->tabText(tab)));
    }
    ConfirmWith(c.prompt);
    EXPECT_EQ(c.send(true), CORRECT);
    // The DVR keeps what it was sent.
    config::DvrConf sent;
    ASSERT_TRUE(sent.ParseFromString(sim->config().dvrConf.toStdString()));
    EXPECT_EQ(Parts(sent, &conf), "");

    On<CSetupSystem> system{c.w};
    On<CSetupNetwork> network{c.w};
    On<CSetupRecord> record{c.w};
    On<CSetupHdd> hdd{c.w};
    On<CSetupEvent> event{c.w};
    On<CSetupAccount> account{c.w};
    On<CSetupCamera> camera{c.w};
    // Per page: the operator's edits, and the fields they change.
    using namespace config;
    const std::pair<std::function<void()>, std::function<void(DvrConf*)>> edits[] = {
        {[&] {
             system.text("systemName", "Gate"), system.combo("timeFormat", 0), system.combo("dateFormat", 2);
             system.combo("language", 0), system.combo("timezone", 18), system.combo("vgaMode", 3);
             system.combo("autoRebootDay", 8), system.combo("autoRebootTime", 23), system.click({"ntpOff"});
         },
         [](DvrConf* d) {
             System* s = d->mutable_system();
             System_TimeDate* t = s->mutable_time_date();
             s->mutable_name_id()->set_dvr_name("Gate"), t->set_time_format(System_TimeDate::TIME_FORMAT_24);
             t->set_date_format(System_TimeDate::DATE_FORMAT_MMDDYYYY), t->set_using_ntp(false);
             // The language stored in lower case, the zone by the name the DVR knows.
             s->set_language("english"), t->set_time_zone("Asia/Seoul");
             s->mutable_display()->set_vga_mode(System_Display::VGA_1440x900);
             s->mutable_auto_reboot()->set_day(System_AutoReboot::EVERYDAY), s->mutable_auto_reboot()->set_time(23);
         }},
        {[&] {
             network.combo("networkType", 2), network.combo("dhcpBWLimitation", 5), network.spin("dhcpPort", 9090);
             network.click({"staticUpnpOff"}), network.text("gateway", ""), network.type("ddnsHostname", "_x" + QString(20, 'x'));
         },
         [](DvrConf* d) {
             // Index 2 is DHCP; the four bandwidth combos are one, so are the ports of the static
             // and DHCP pages and the UPnP switches of three; the host name takes 19 characters of its set.
             Network_TcpIp* t = d->mutable_network()->mutable_tcpip();
             t->set_type(Network::TYPE_DHCP), t->set_bandwidth_limitation(Network::BWL_1000kbps), t->set_port(9090);
             t->set_upnp(false), t->mutable_static_net()->set_gateway("");
             d->mutable_network()->mutable_ddns()->set_hostname("lobby-1" + std::string(12, 'x'));
         }},
        {[&] {
             record.combo("channel", 4), record.combo("quality", 3), record.combo("playbackChannel", 8);
             record.combo("startPoint", 0), record.click({"audioOn"});
         },
         [](DvrConf* d) {
             Record* r = d->mutable_record();
             r->mutable_channel(4)->set_qual(1, QUALITY_SUPER);  // channel 5 records at resolution 1
             r->mutable_playback()->set_chmode(8), r->mutable_playback()->set_start_point(Record_Playback::START_2MINS_AGO);
             r->mutable_misc()->set_audio_rec(true);
         }},
        // The deletion days are the item index.
        {[&] { hdd.combo("forceDeletion", 37), hdd.click({"smartOn"}), hdd.combo("smartCheckInterval", 2); },
         [](DvrConf* d) {
             d->mutable_hdd()->mutable_mode()->set_forced_deletion(37), d->mutable_hdd()->mutable_smart()->set_smart(true);
             d->mutable_hdd()->mutable_smart()->set_check_interval(Hdd_Smart::INTERVAL_24HOURS);
         }},
        {[&] {
             event.combo("sensorCh", 3), event.combo("sensorType", 0), event.combo("sensorLink", 9);
             event.combo("sensorPopdown", 2), event.combo("motionPopdown", 0), event.combo("relaySensor", 5);
             event.click({"relaySensorOn"}), event.combo("relayTime", 3), event.type("rAddress4", QString(40, 'a'));
             event.text("AuthenPassword", ""), event.type("AuthenPassword", QString(40, 'p'));
             event.combo("emailPeriod", 7), event.combo("postAlarmRecord", 6);
         },
         [](DvrConf* d) {
             Event* e = d->mutable_event();
             e->mutable_sensor_conf()->mutable_sensor(3)->set_type(Event_Sensor::TYPE_NO);
             e->mutable_sensor_conf()->mutable_sensor(3)->set_link_ch(9);
             e->mutable_sensor_conf()->set_pop_down(Event::POP_DOWN_10SEC);
             e->mutable_motion_conf()->set_pop_down(Event::POP_DOWN_CONT);
             e->mutable_relay()->set_sensor(5, true), e->mutable_relay()->set_keep_time(Event_Relay::KEEP_30SEC);
             // Addresses take 31 characters, the SMTP fields 29.
             e->mutable_email()->mutable_address()->set_receiver(3, "d@example.com" + std::string(18, 'a'));
             e->mutable_email()->mutable_smtp()->set_auth_password(std::string(29, 'p'));
             e->mutable_email()->mutable_send_cond()->set_period(Event_Email::SEND_PERIOD_2MINS_AFTER_EVENT);
             e->mutable_post_record()->set_time(Event_PostRecord::TIME_60SEC);
         }},
        {[&] { account.text("admin_password", "9876"); },
         [](DvrConf* d) { d->mutable_account()->mutable_admin()->set_password("9876"); }},
        {[&] {
             camera.combo("sharpness", 0), camera.spin("ptzChannel", 3), camera.spin("ptzID", 42);
             camera.combo("ptzBaudRate", 7);
         },
         [](DvrConf* d) {
             d->mutable_camera()->set_sharpness(Camera::SHARPNESS_SOFT);
             d->mutable_camera()->mutable_ptz(2)->set_id(42);
             d->mutable_camera()->mutable_ptz(2)->set_baudrate(Camera_Ptz::BAUDRATE_115200);
         }},
    };
    int row = 0;
    for (const auto& [edit, change] : edits) {
        SCOPED_TRACE(row++);
        edit();
        change(&conf);
        EXPECT_EQ(c.send(true), CORRECT);
        ASSERT_TRUE(sent.ParseFromString(sim->config().dvrConf.toStdString()));
        EXPECT_EQ(Parts(sent, &conf), "");
    }

    c.tab(SETUP_TAB_CAMERA);
    EXPECT_EQ(c.send(false), CORRECT);
    EXPECT_EQ(Parts(Uploaded(Of(*sim, Transport::Upload, cgi::MODE_SET_DVR_CONF).back())), "dvr_info limit camera ");
    // limit and its flag are on the wire also when false.
    c.w.findChild<CSetupNetwork*>()->SetApplyNetworkTCPIP(false);
    EXPECT_EQ(c.send(true), CORRECT);
    EXPECT_TRUE(Of(*sim, Transport::Upload, cgi::MODE_SET_DVR_CONF).back().fileData.contains(QByteArray("\x12\x02\x08\x00", 4)));
}

TEST(SetupContainer, ConfirmationPrefillsOnlyAdminsPasswordAndKeepsTheChangedTarget)
{
    auto sim = StartSim(EightChannels());
    for (const auto& [id, prefilled] : {std::pair("ADMIN", "1234"), {"admin", "1234"}, {"oper", ""}}) {
        Container c;
        ASSERT_TRUE(c.read(Entry(*sim, id)));
        QString shown;
        c.prompt.onDialog = [&](QDialog* d) {
            auto* confirm = qobject_cast<CSendDVRInfoWidget*>(d);
            shown = confirm->getPassword();
            EXPECT_EQ(confirm->getPort(), sim->port());
            confirm->setPassword("1234");
            confirm->accept();
        };
        EXPECT_EQ(c.send(false), CORRECT);
        EXPECT_EQ(shown, prefilled) << id;
        EXPECT_EQ(c.w.targetDVR().id(), "admin");
        // The changed target serves the next operation.
        c.prompt.onDialog = [&](QDialog* d) {
            shown = qobject_cast<CSendDVRInfoWidget*>(d)->getPassword();
            d->reject();
        };
        EXPECT_EQ(c.send(false), QString());
        EXPECT_EQ(shown, "1234");
    }
    EXPECT_EQ(Of(*sim, Transport::Upload, cgi::MODE_SET_DVR_CONF).size(), 3u);
}

TEST(SetupContainer, SendingIsGuarded)
{
    auto sim = StartSim(FullConf());
    Container c;
    ConfirmWith(c.prompt, "1234");
    c.w.readData(Entry(*sim), 16, config::VideoType_NTSC);  // entering the mode, read not awaited
    c.w.Init();
    // Nothing loaded yet: the operator is asked before defaults go over the DVR's settings.
    EXPECT_EQ(c.send(true), QString());
    EXPECT_EQ(c.prompt.questions.size(), 1);
    EXPECT_EQ(c.prompt.dialogs, 0);
    // Yes: on to the confirmation, which takes no DVR without an address.
    c.prompt.yesNo = {true};
    EXPECT_EQ(c.send(true), "Please fill in all blanks.");
    EXPECT_TRUE(Of(*sim, Transport::Upload, cgi::MODE_SET_DVR_CONF).empty());
    ASSERT_TRUE(c.read(Entry(*sim)));

    // An empty admin password is refused wherever the account part goes.
    c.w.findChild<QLineEdit*>("admin_password")->setText("");
    c.tab(SETUP_TAB_ACCOUNT);
    EXPECT_EQ(c.send(false), "The admin password must not be empty.");
    EXPECT_EQ(c.send(true), "The admin password must not be empty.");
    c.tab(SETUP_TAB_HDD);
    EXPECT_EQ(c.send(false), CORRECT);

    // While an upload runs, Apply and Apply All are refused; a refusal is a failure.
    simdvr::Config refusing = sim->config();
    refusing.uploadResultCode = 2;
    sim->setConfig(refusing);
    simdvr::Misbehaviour hold;
    hold.holdRequests = 1;
    hold.holdMs = 300;
    sim->setMisbehaviour(hold);
    QSignalSpy running(&c.w, &CSetupWidget::uploadRunning);
    const int dialogs = c.prompt.dialogs;
    c.w.OnSend();
    EXPECT_TRUE(c.w.isUploading());
    c.w.OnSendAll();
    EXPECT_EQ(c.prompt.dialogs, dialogs + 1);
    ASSERT_TRUE(WaitForMessage(c.prompt, c.prompt.messages.size() + 1));
    EXPECT_EQ(c.prompt.messages.last(), FAILED);
    EXPECT_EQ(running, (QList<QVariantList>{{true}, {false}}));
    // An aborted upload reached nothing, whatever its error flag says.
    c.w.FinishUpload(false, true, QString());
    EXPECT_EQ(c.prompt.messages.last(), FAILED);
}

TEST(SetupContainer, FilesOpenAndSaveTheBareConfiguration)
{
    Container c;
    QTemporaryDir dir;
    auto write = [&](const char* name, const std::string& bytes) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size()));
        return f.fileName();
    };
    config::DvrConf opened = EightChannels();
    opened.mutable_buyer_info();
    c.prompt.files = {write("lobby.conf", opened.SerializeAsString())};
    c.w.OnOpenFiles();
    EXPECT_EQ(c.title(0), "cam 1");
    EXPECT_TRUE(c.w.targetDVR().address().empty());

    // Load Default keeps the opened model and resets the values.
    c.w.OnLoadDefault();
    EXPECT_EQ(c.title(0), "CH-01");
    EXPECT_EQ(c.w.dvrInfo().model(), 52u);

    // A save holds dvr_info with the model's languages, limit and the seven parts, nothing else;
    // a name without the suffix is refused.
    c.prompt.files = {dir.filePath("saved.CONF"), dir.filePath("saved.conf")};
    c.w.OnSaveFiles();
    EXPECT_FALSE(QFile::exists(dir.filePath("saved.CONF")));
    c.w.OnSaveFiles();
    QFile f(dir.filePath("saved.conf"));
    config::DvrConf back;
    ASSERT_TRUE(f.open(QIODevice::ReadOnly) && back.ParseFromString(f.readAll().toStdString()));
    EXPECT_EQ(back.dvr_info().ch_num(), 8u);
    EXPECT_EQ(size_t(back.dvr_info().languages_size()), DvrModelInfo(DvrModel(52)).languages.size());
    EXPECT_TRUE(back.limit().has_apply_network_tcpip());
    EXPECT_EQ(Parts(back), "dvr_info limit account camera event hdd network record system ");

    // An empty file is an empty configuration: model 0 with 16 channels.
    c.prompt.files = {write("empty.conf", "")};
    c.w.OnOpenFiles();
    EXPECT_EQ(c.w.dvrInfo().model(), 0u);
    EXPECT_FALSE(Child<QLineEdit>(c.w, "name15")->isHidden());

    config::DvrConf unknown;
    unknown.mutable_dvr_info()->set_model(200);
    c.prompt.files = {dir.filePath("missing.conf"), write("junk.conf", "\x0a\xff\xff"),
                      write("unknown.conf", unknown.SerializeAsString()), QString()};
    for (int i = 0; i < 4; ++i)
        c.w.OnOpenFiles();
    EXPECT_EQ(c.prompt.messages,
              (QStringList{"The file name must end with \".conf\".",
                           QStringLiteral("The file %1 cannot be opened.").arg(dir.filePath("missing.conf")),
                           QStringLiteral("The file %1 is not a DVR configuration.").arg(dir.filePath("junk.conf")),
                           "The DVR configuration is of an unknown model (200)."}));
    EXPECT_EQ(c.w.dvrInfo().model(), 0u);
}

TEST(SetupContainer, SetupModelPrepairsAModelOffline)
{
    auto sim = StartSim(EightChannels());
    Container c;
    c.prompt.onDialog = [](QDialog* d) {
        d->show();
        // Model 4 (960H): choose 4 channels, PAL.
        d->findChild<QRadioButton*>("channels4")->click();
        d->findChild<QRadioButton*>("videoType1")->click();
        d->findChild<QComboBox*>("combo_dvrModel")->setCurrentIndex(0);
        uitest::Screenshot(d, "model_dialog");
        d->accept();
    };
    c.w.OnSetupModel();
    EXPECT_EQ(std::make_tuple(c.w.dvrInfo().model(), c.w.dvrInfo().ch_num(), c.w.dvrInfo().vtype()),
              std::make_tuple(53u, 4u, 1u));
    EXPECT_GT(c.w.dvrInfo().languages_size(), 0);
    EXPECT_TRUE(Child<QLineEdit>(c.w, "name4")->isHidden());

    // Reopened, 53 is an AHD model; Cancel changes nothing.
    int shownType = -1;
    c.prompt.onDialog = [&](QDialog* d) {
        shownType = qobject_cast<CModelInfoDialog*>(d)->getModelType();
        d->reject();
    };
    c.w.OnSetupModel();
    EXPECT_EQ(shownType, 2);
    EXPECT_EQ(c.w.dvrInfo().model(), 53u);

    // A model set up is a configuration loaded: Apply asks for nothing but the DVR.
    c.prompt.onDialog = [port = sim->port()](QDialog* d) {
        auto* confirm = qobject_cast<CSendDVRInfoWidget*>(d);
        confirm->setAddress("127.0.0.1");
        confirm->setPort(port);
        confirm->setPassword("1234");
        confirm->accept();
    };
    EXPECT_EQ(c.send(true), CORRECT);
    EXPECT_TRUE(c.prompt.questions.isEmpty());
    EXPECT_EQ(Uploaded(Of(*sim, Transport::Upload, cgi::MODE_SET_DVR_CONF).at(0)).dvr_info().model(), 53u);
}

TEST(SetupContainer, PanelsOverlayTheTabsAndResetGoesToTheTarget)
{
    auto sim = StartSim(EightChannels());
    Container c;
    c.w.show();
    ASSERT_TRUE(c.read(Entry(*sim)));
    auto* tabs = Child<QTabWidget>(c.w, "tabWidget");
    auto* upgrade = c.w.findChild<CUpgrade*>();
    auto* etc = c.w.findChild<CSetupEtc*>();
    EXPECT_TRUE(upgrade->isHidden() && etc->isHidden());

    c.w.OnUpgrade();  // cancelled: nothing changes
    EXPECT_TRUE(upgrade->isHidden());
    ConfirmWith(c.prompt);
    c.w.OnUpgrade();
    EXPECT_TRUE(tabs->isHidden() && !upgrade->isHidden());
    EXPECT_EQ(upgrade->dvr().id(), "admin");
    EXPECT_EQ(upgrade->size(), QSize(889, 680));
    c.w.resize(999, 790);

    // The clock panel opens at the PC's time, not at what it showed before.
    Child<QDateEdit>(*etc, "dateEdit")->setDate(QDate(2001, 2, 3));
    c.w.OnDateTime();
    EXPECT_EQ(Child<QDateEdit>(*etc, "dateEdit")->date(), QDate::currentDate());
    EXPECT_TRUE(upgrade->isHidden() && !etc->isHidden());
    EXPECT_EQ(etc->size(), QSize(989, 780));
    Child<QPushButton>(*etc, "close")->click();
    EXPECT_TRUE(etc->isHidden() && !tabs->isHidden());

    c.w.OnResetDVR();
    ASSERT_TRUE(sim->waitForRequest([](const Request& r) { return r.mode == cgi::MODE_RESET_DVR; }));
    const auto resets = Of(*sim, Transport::Post, cgi::MODE_RESET_DVR);
    ASSERT_EQ(resets.size(), 1u);
    EXPECT_EQ(resets[0].user, "admin");
    EXPECT_TRUE(resets[0].dataOk && resets[0].data.empty());
    EXPECT_TRUE(etc->isHidden());
}
