// The configuration container against simulated DVRs: reads, sends, confirmations, files, the
// offline model setup, the panels over the tabs: firmware upgrade, date, time and reset.

#include <algorithm>
#include <ctime>

#include <QAbstractButton>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QTimeZone>

#include "DVRSetup/ModelInfoDialog.h"
#include "DVRSetup/MotionZoneDialog.h"
#include "DVRSetup/ProgressDialog.h"
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
#include "support/FifoSupport.h"

using namespace setuptest;

namespace {

const char CORRECT[] = "The DVR configuration is correctly transfered!";
const char FAILED[] = "The transmission error occurred!";

struct Container {
    Container() { w.resize(899, 690), w.Init(); }
    // Reads the DVR's configuration and waits until the container has taken the reply.
    bool read(const DVR& dvr)
    {
        w.readData(dvr, 16, config::VideoType_NTSC);
        return w.reader() && QSignalSpy(w.reader(), &CReadDVRData::completed).wait(10000);
    }
    void tab(SetupTabIndex index) { Child<QTabWidget>(w, "tabWidget")->setCurrentIndex(index); }
    QString title(int channel) { return Child<QLineEdit>(w, QStringLiteral("name%1").arg(channel).toLatin1())->text(); }
    // Sends and waits for the result box.
    QString send(bool all)
    {
        const int before = prompt.messages.size();
        all ? w.OnSendAll() : w.OnSend();
        const bool shown = w.isUploading() ? WaitForMessage(prompt, before + 1) : prompt.messages.size() > before;
        return shown ? prompt.messages.last() : QString();
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

simdvr::Misbehaviour Holding(int ms)
{
    simdvr::Misbehaviour hold;
    hold.holdRequests = 1;
    hold.holdMs = ms;
    return hold;
}

// The parts of the configuration by name: those present, or those that differ from another.
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
    void type(const char* name, const QString& keys) { QTest::keyClicks(get<QLineEdit>(name), keys); }
    CSetupWidget& w;
};

struct UpgradePanel {
    UpgradePanel()
    {
        QFile f(image);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        for (int i = 0; i < 64 * 1024; ++i)
            f.putChar(char(i * 7));
    }
    void start(const DVR& dvr, int type, const QString& file)
    {
        panel.setDVR(dvr);
        Child<QComboBox>(panel, "type")->setCurrentIndex(type);
        Child<QLineEdit>(panel, "fileName")->setText(file);
        Child<QPushButton>(panel, "upgrade")->click();
    }
    bool idle()
    {
        return panel.progressDialog()->isHidden() && Child<QPushButton>(panel, "upgrade")->isEnabled()
               && Child<QPushButton>(panel, "close")->isEnabled();
    }

    uitest::Sandbox sandbox;
    uitest::ScriptedPrompt prompt;
    QTemporaryDir dir;
    QString image = dir.filePath("dvr-firmware.img");
    CUpgrade panel;
};

}  // namespace

TEST(SetupContainer, AReadShowsItsPartsOverTheModelsDefaultsInitForgetsItAndStopsALateOne)
{
    auto sim = StartSim(EightChannels());
    Container c;
    ASSERT_TRUE(c.read(Entry(*sim, "oper")));
    // As admin with the entry's password, whatever the entry's user is, with an empty NullMsg.
    const auto reads = Of(*sim, Transport::Get, cgi::MODE_GET_DVR_CONF);
    ASSERT_EQ(reads.size(), 1u);
    EXPECT_EQ(reads[0].user + reads[0].password, "admin1234");
    EXPECT_TRUE(reads[0].dataOk && reads[0].data.empty());
    // The languages came from the model table before the pages saw the model.
    EXPECT_EQ(size_t(c.w.dvrInfo().languages_size()), DvrModelInfo(DvrModel(52)).languages.size());
    EXPECT_EQ(c.title(7), "cam 8");
    EXPECT_TRUE(Child<QLineEdit>(c.w, "name8")->isHidden());
    EXPECT_EQ(c.w.findChild<CSetupEvent*>()->connectedDVR().port(), sim->port());
    EXPECT_TRUE(c.prompt.messages.isEmpty());

    // Init forgets the DVR and shows model 4's defaults, also while a read is on its way: the
    // slow DVR holds the request until it is let go.
    sim->clearLog();
    sim->setMisbehaviour(Holding(-1));
    c.w.readData(Entry(*sim), 16, config::VideoType_NTSC);
    ASSERT_TRUE(sim->waitUntil([&] { return sim->heldRequests() == 1; }));
    c.w.Init();
    EXPECT_EQ(c.w.reader(), nullptr);
    EXPECT_TRUE(c.w.targetDVR().address().empty());
    EXPECT_EQ(std::make_pair(c.w.dvrInfo().model(), c.title(7)), std::make_pair(4u, QString("CH-08")));
    EXPECT_FALSE(Child<QLineEdit>(c.w, "name15")->isHidden());
    config::DvrConf four;
    four.mutable_dvr_info()->set_model(53);
    four.mutable_dvr_info()->set_ch_num(4);
    auto quick = StartSim(four);
    // The read was stopped: it hung up on the slow DVR, whose answer then has nowhere to go.
    EXPECT_TRUE(sim->waitForRequest([](const Request& r) { return r.hungUpMs >= 0; }));
    ASSERT_TRUE(c.read(Entry(*quick)));
    sim->releaseHeld();
    EXPECT_TRUE(sim->waitForRequest([](const Request& r) { return r.answeredMs >= 0; }));
    EXPECT_EQ(c.w.dvrInfo().model(), 53u);
    EXPECT_TRUE(c.prompt.messages.isEmpty());
}

TEST(SetupContainer, ReadsThatBringNoConfigurationAreShownAndChangeNothing)
{
    config::DvrConf unknown;
    unknown.mutable_dvr_info()->set_model(18);
    simdvr::Misbehaviour stall;
    stall.replyStall = true;
    // Refused, of an unknown model, silent (the read gives up after the idle time).
    const std::tuple<config::DvrConf, const char*, simdvr::Misbehaviour, QString> rows[] = {
        {EightChannels(), "wrong", {}, "[ERROR]password miss"},
        {unknown, "1234", {}, "The DVR configuration is of an unknown model (18)."},
        {EightChannels(), "1234", stall, "The DVR configuration could not be read."},
    };
    for (const auto& [conf, password, misbehaviour, message] : rows) {
        auto sim = StartSim(conf);
        sim->setMisbehaviour(misbehaviour);
        Container c;
        c.w.setReadIdleTimeout(300);
        ASSERT_TRUE(c.read(Entry(*sim, "admin", password)));
        EXPECT_EQ(c.prompt.messages, QStringList{message});
        EXPECT_EQ(std::make_pair(c.w.dvrInfo().model(), c.title(0)), std::make_pair(4u, QString("CH-01")));
    }

    // Nothing is asked of a DVR without an address, and an old one cannot be read.
    auto old = StartSim(config::DvrConf(), true);
    Container none;
    DVR empty = Entry(*old);
    empty.set_address("");
    EXPECT_FALSE(none.read(empty));
    EXPECT_FALSE(none.read(Entry(*old, "admin", "1234", true)));
    EXPECT_EQ(none.prompt.messages, QStringList{"The configuration of a DVR on the old protocol cannot be read."});
    EXPECT_TRUE(old->requests().empty());
}

// The port of the DVR the Event page's zone editor streams; 0 when it shows no picture.
int ZoneEditorPort(Container& c)
{
    int port = -1;
    c.prompt.onDialog = [&](QDialog* d) {
        if (auto* zone = qobject_cast<CMotionZoneDialog*>(d))
            port = zone->streamedDVR().address().empty() ? 0 : int(zone->streamedDVR().port());
        d->reject();
    };
    c.tab(SETUP_TAB_EVENT);
    Child<QPushButton>(c.w, "detectZone")->click();
    c.prompt.onDialog = nullptr;
    return port;
}

TEST(SetupContainer, AFailedReadOfAnotherDvrLeavesTheZoneEditorWithoutAPicture)
{
    auto shown = StartSim(EightChannels());
    auto other = StartSim(EightChannels());
    Container c;
    ASSERT_TRUE(c.read(Entry(*shown)));
    EXPECT_EQ(ZoneEditorPort(c), int(shown->port()));
    ASSERT_TRUE(c.read(Entry(*other, "admin", "wrong")));
    EXPECT_EQ(ZoneEditorPort(c), 0);
}

TEST(SetupContainer, ConfigurationEnteredWithoutADvrLeavesTheZoneEditorWithoutAPicture)
{
    auto sim = StartSim(EightChannels());
    Container c;
    ASSERT_TRUE(c.read(Entry(*sim)));
    c.w.Init();
    EXPECT_EQ(ZoneEditorPort(c), 0);
}

// Untouched, Apply All sends every part back equal, never the buyer info; then one edit per
// page arrives as exactly that change, and Apply sends the current tab's part.
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
        uitest::Screenshot(&c.w, QStringLiteral("tab%1_%2").arg(tab).arg(c.w.findChild<QTabWidget*>()->tabText(tab)));
    }
    ConfirmWith(c.prompt);
    On<CSetupSystem> system{c.w};
    On<CSetupNetwork> network{c.w};
    On<CSetupRecord> record{c.w};
    On<CSetupHdd> hdd{c.w};
    On<CSetupEvent> event{c.w};
    On<CSetupAccount> account{c.w};
    On<CSetupCamera> camera{c.w};
    using namespace config;
    const std::pair<std::function<void()>, std::function<void(DvrConf*)>> edits[] = {
        {[] {}, [](DvrConf*) {}},
        // The language stored in lower case, the zone by the name the DVR knows.
        {[&] { system.combo("language", 0), system.combo("timezone", 18); },
         [](DvrConf* d) {
             d->mutable_system()->set_language("english");
             d->mutable_system()->mutable_time_date()->set_time_zone("Asia/Seoul");
         }},
        // Index 2 is DHCP; the four bandwidth combos are one.
        {[&] { network.combo("networkType", 2), network.combo("dhcpBWLimitation", 5); },
         [](DvrConf* d) {
             d->mutable_network()->mutable_tcpip()->set_type(Network::TYPE_DHCP);
             d->mutable_network()->mutable_tcpip()->set_bandwidth_limitation(Network::BWL_1000kbps);
         }},
        // Channel 5 records at resolution 1.
        {[&] { record.combo("channel", 4), record.combo("quality", 3); },
         [](DvrConf* d) { d->mutable_record()->mutable_channel(4)->set_qual(1, QUALITY_SUPER); }},
        // The deletion days are the item index.
        {[&] { hdd.combo("forceDeletion", 37); },
         [](DvrConf* d) { d->mutable_hdd()->mutable_mode()->set_forced_deletion(37); }},
        // Addresses take 31 characters.
        {[&] { event.combo("relayTime", 3), event.type("rAddress4", QString(40, 'a')); },
         [](DvrConf* d) {
             d->mutable_event()->mutable_relay()->set_keep_time(Event_Relay::KEEP_30SEC);
             const std::string address = "d@example.com" + std::string(18, 'a');
             d->mutable_event()->mutable_email()->mutable_address()->set_receiver(3, address);
         }},
        {[&] { account.get<QLineEdit>("admin_password")->setText("9876"); },
         [](DvrConf* d) { d->mutable_account()->mutable_admin()->set_password("9876"); }},
        {[&] { camera.combo("sharpness", 0); },
         [](DvrConf* d) { d->mutable_camera()->set_sharpness(Camera::SHARPNESS_SOFT); }},
    };
    int row = 0;
    for (const auto& [edit, change] : edits) {
        SCOPED_TRACE(row++);
        edit();
        change(&conf);
        EXPECT_EQ(c.send(true), CORRECT);
        config::DvrConf sent;
        ASSERT_TRUE(sent.ParseFromString(sim->config().dvrConf.toStdString()));
        EXPECT_EQ(Parts(sent, &conf), "");
    }

    c.tab(SETUP_TAB_CAMERA);
    EXPECT_EQ(c.send(false), CORRECT);
    EXPECT_EQ(Parts(Uploaded(Of(*sim, Transport::Upload, cgi::MODE_SET_DVR_CONF).back())), "dvr_info limit camera ");
    // limit and its flag are on the wire also when false.
    c.w.findChild<CSetupNetwork*>()->SetApplyNetworkTCPIP(false);
    EXPECT_EQ(c.send(true), CORRECT);
    const QByteArray last = Of(*sim, Transport::Upload, cgi::MODE_SET_DVR_CONF).back().fileData;
    EXPECT_TRUE(last.contains(QByteArray("\x12\x02\x08\x00", 4)));
}

TEST(SetupContainer, ConfirmationPrefillsOnlyAdminsPasswordAndKeepsTheChangedTarget)
{
    auto sim = StartSim(EightChannels());
    for (const auto& [id, prefilled] : {std::pair("ADMIN", "1234"), {"admin", "1234"}, {"oper", ""}}) {
        Container c;
        ASSERT_TRUE(c.read(Entry(*sim, id)));
        QString shown;
        bool accept = true;
        c.prompt.onDialog = [&](QDialog* d) {
            auto* confirm = qobject_cast<CSendDVRInfoWidget*>(d);
            shown = confirm->getPassword();
            EXPECT_EQ(confirm->getPort(), sim->port());
            confirm->setPassword("1234");
            accept ? d->accept() : d->reject();
        };
        EXPECT_EQ(c.send(false), CORRECT);
        EXPECT_EQ(shown, prefilled) << id;
        EXPECT_EQ(c.w.targetDVR().id(), "admin");
        // The changed target serves the next operation.
        accept = false;
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
    // Nothing loaded yet: the operator is asked before defaults go over the DVR's settings; yes
    // leads on to the confirmation, which takes no DVR without an address.
    EXPECT_EQ(c.send(true), QString());
    EXPECT_EQ(std::make_pair(int(c.prompt.questions.size()), c.prompt.dialogs), std::make_pair(1, 0));
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
    sim->setMisbehaviour(Holding(300));
    QSignalSpy running(&c.w, &CSetupWidget::uploadRunning);
    const int dialogs = c.prompt.dialogs;
    c.w.OnSend();
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
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size()))
            << name;
        return f.fileName();
    };
    config::DvrConf opened = EightChannels();
    opened.mutable_buyer_info();
    c.prompt.files = {write("lobby.conf", opened.SerializeAsString())};
    c.w.OnOpenFiles();
    EXPECT_EQ(c.title(0), "cam 1");
    // Load Default keeps the opened model and resets the values.
    c.w.OnLoadDefault();
    EXPECT_EQ(std::make_pair(c.w.dvrInfo().model(), c.title(0)), std::make_pair(52u, QString("CH-01")));

    // A name without the suffix is refused; a save holds dvr_info with the model's languages,
    // limit with its flag and the seven parts, nothing else.
    c.prompt.files = {dir.filePath("saved.CONF"), dir.filePath("saved.conf")};
    c.w.OnSaveFiles();
    c.w.OnSaveFiles();
    EXPECT_FALSE(QFile::exists(dir.filePath("saved.CONF")));
    QFile f(dir.filePath("saved.conf"));
    config::DvrConf back;
    ASSERT_TRUE(f.open(QIODevice::ReadOnly) && back.ParseFromString(f.readAll().toStdString()));
    EXPECT_EQ(size_t(back.dvr_info().languages_size()), DvrModelInfo(DvrModel(52)).languages.size());
    EXPECT_TRUE(back.limit().has_apply_network_tcpip());
    EXPECT_EQ(Parts(back), "dvr_info limit account camera event hdd network record system ");

    // An empty file is an empty configuration: model 0 with 16 channels.
    config::DvrConf unknown;
    unknown.mutable_dvr_info()->set_model(200);
    c.prompt.files = {write("empty.conf", ""), dir.filePath("missing.conf"), write("junk.conf", "\x0a\xff\xff"),
                      write("unknown.conf", unknown.SerializeAsString()), QString()};
    c.w.OnOpenFiles();
    EXPECT_EQ(c.w.dvrInfo().model(), 0u);
    EXPECT_FALSE(Child<QLineEdit>(c.w, "name15")->isHidden());
    for (int i = 0; i < 4; ++i)
        c.w.OnOpenFiles();
    EXPECT_EQ(c.prompt.messages,
              (QStringList{"The file name must end with \".conf\".",
                           QStringLiteral("The file %1 cannot be opened.").arg(dir.filePath("missing.conf")),
                           QStringLiteral("The file %1 is not a DVR configuration.").arg(dir.filePath("junk.conf")),
                           "The DVR configuration is of an unknown model (200)."}));
    EXPECT_EQ(c.w.dvrInfo().model(), 0u);
}

TEST(SetupContainer, AConfigurationFileThatIsAFifoIsRefusedWithoutWaiting)
{
    Container c;
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe.conf");
    c.prompt.files = {fifo};
    EXPECT_FALSE(fifotest::BlocksOnFifo(fifo, [&] { c.w.OnOpenFiles(); }));
    EXPECT_EQ(c.prompt.messages, QStringList{QStringLiteral("The file %1 cannot be opened.").arg(fifo)});
}

TEST(SetupContainer, SaveRefusesAnEmptyAdminPasswordAsApplyDoes)
{
    Container c;
    QTemporaryDir dir;
    Child<QLineEdit>(c.w, "admin_password")->setText("");
    c.prompt.files = {dir.filePath("lobby.conf")};
    c.w.OnSaveFiles();
    EXPECT_FALSE(QFile::exists(dir.filePath("lobby.conf")));
    EXPECT_EQ(c.prompt.messages, QStringList{"The admin password must not be empty."});
}

TEST(SetupContainer, SetupModelPrepairsAModelOffline)
{
    auto sim = StartSim(EightChannels());
    Container c;
    // Model 4 (960H): 4 channels, PAL.
    c.prompt.onDialog = [](QDialog* d) {
        d->show();
        for (const char* choice : {"channels4", "videoType1"})
            d->findChild<QAbstractButton*>(choice)->click();
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
    c.prompt.onDialog = [](QDialog* d) {
        EXPECT_EQ(qobject_cast<CModelInfoDialog*>(d)->getModelType(), 2);
        d->reject();
    };
    c.w.OnSetupModel();
    EXPECT_EQ(c.w.dvrInfo().model(), 53u);

    // A model set up is a configuration loaded: Apply asks for nothing but the DVR.
    c.prompt.onDialog = [port = sim->port()](QDialog* d) {
        auto* confirm = qobject_cast<CSendDVRInfoWidget*>(d);
        confirm->setAddress("127.0.0.1"), confirm->setPort(port), confirm->setPassword("1234");
        confirm->accept();
    };
    EXPECT_EQ(c.send(true), CORRECT);
    EXPECT_EQ(std::make_pair(int(c.prompt.questions.size()), c.prompt.dialogs), std::make_pair(0, 3));
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
    c.w.OnUpgrade();  // cancelled: nothing changes
    EXPECT_TRUE(upgrade->isHidden() && etc->isHidden());
    ConfirmWith(c.prompt);
    c.w.OnUpgrade();
    EXPECT_TRUE(tabs->isHidden() && !upgrade->isHidden());
    EXPECT_EQ(upgrade->dvr().id(), "admin");
    EXPECT_EQ(upgrade->size(), QSize(889, 680));

    // The clock panel opens at the PC's time, not at what it showed before, over the tabs' size.
    c.w.resize(999, 790);
    Child<QDateEdit>(*etc, "dateEdit")->setDate(QDate(2001, 2, 3));
    c.w.OnDateTime();
    EXPECT_EQ(Child<QDateEdit>(*etc, "dateEdit")->date(), QDate::currentDate());
    EXPECT_TRUE(upgrade->isHidden() && !etc->isHidden());
    EXPECT_EQ(etc->size(), QSize(989, 780));
    Child<QAbstractButton>(*etc, "close")->click();
    EXPECT_TRUE(etc->isHidden() && !tabs->isHidden());

    // The reset goes to the DVR read; its request is the clock test's.
    c.w.OnResetDVR();
    EXPECT_TRUE(sim->waitForRequest([](const Request& r) { return r.mode == cgi::MODE_RESET_DVR; }));
}

// ---- firmware upgrade, clock and reset ------------------------------------------------------

TEST(Upgrade, TheImageGoesUnchangedWithItsTypeAndTheOutcomeIsShown)
{
    auto sim = StartSim();
    UpgradePanel u;
    QFile image(u.image);
    ASSERT_TRUE(image.open(QIODevice::ReadOnly));
    const QByteArray bytes = image.readAll();
    // Type (the cgi::SwUpgrade value), the DVR's result code, whether the file exists.
    const std::tuple<int, int, bool, QString> rows[] = {
        {1, 0, true, "The upgrade is completed!"},
        {0, 3, true, "The upgrade is failed!"},
        {0, 0, false, "The upgrade is failed!"},
    };
    for (const auto& [type, resultCode, exists, message] : rows) {
        simdvr::Config c = sim->config();
        c.uploadResultCode = resultCode;
        sim->setConfig(c);
        sim->clearLog();
        u.prompt.messages.clear();
        u.start(Entry(*sim), type, exists ? u.image : u.dir.filePath("missing.img"));
        ASSERT_TRUE(WaitForMessage(u.prompt));
        EXPECT_EQ(u.prompt.messages, QStringList{message});
        EXPECT_TRUE(u.idle());
        const auto uploads = Of(*sim, Transport::Upload, cgi::MODE_SW_UPGRADE);
        ASSERT_EQ(uploads.size(), exists ? 1u : 0u);
        if (!exists)
            continue;
        cgi::SwUpgrade request;
        ASSERT_TRUE(uploads[0].dataOk && uploads[0].message(&request));
        EXPECT_EQ(int(request.type()), type);
        EXPECT_EQ(uploads[0].user, "admin");
        EXPECT_EQ(uploads[0].fileField + " " + uploads[0].fileName, "REQ dvr-firmware.img");
        EXPECT_EQ(uploads[0].fileData, bytes);
    }

    // Without an address or a file nothing goes out.
    sim->clearLog();
    DVR nowhere = Entry(*sim);
    nowhere.set_address("");
    u.start(nowhere, 0, u.image);
    u.start(Entry(*sim), 0, QString());
    EXPECT_TRUE(u.panel.progressDialog()->isHidden());
    EXPECT_TRUE(CUpgrade::UpgradeQuery(Entry(*sim), 2).isEmpty());
    EXPECT_TRUE(sim->requests().empty());
}

TEST(Upgrade, AbortingAStallingUploadShowsNoBox)
{
    auto sim = StartSim();
    sim->setMisbehaviour(Holding(30000));
    UpgradePanel u;
    u.panel.resize(889, 680);
    u.start(Entry(*sim), 0, u.image);
    EXPECT_FALSE(u.idle());
    // The whole image is sent before the DVR falls silent.
    auto* bar = Child<QProgressBar>(*u.panel.progressDialog(), "progressBar");
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->value() == 100; }, 10000));
    uitest::Screenshot(&u.panel, "upgrade_panel");
    uitest::Screenshot(u.panel.progressDialog(), "upgrade_progress");
    Child<QPushButton>(*u.panel.progressDialog(), "abortButton")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !u.panel.isUploading(); }, 10000));
    EXPECT_TRUE(u.idle());
    EXPECT_TRUE(u.prompt.messages.isEmpty());
}

// The DVR's clock is its wall clock kept as UTC: the PC's own zone (here Seoul) must not shift
// it. Both commands are in flight at once.
TEST(SetupEtc, ClockAndResetReachTheDvrInBothProtocols)
{
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "Asia/Seoul");
    tzset();
    const std::tuple<bool, QDate, QTime, uint32_t, QByteArray> rows[] = {
        {false, QDate(2024, 2, 29), QTime(13, 14, 15), 1709212455u, {}},
        {false, QDate(1970, 1, 1), QTime(0, 0, 0), 0u, {}},
        {true, QDate(2024, 2, 29), QTime(13, 14, 15), 0u, "MODE=5&OP=19&ID=admin&PW=1234&LEN=12&REQ=240229131415"},
    };
    for (const auto& [old, date, time, seconds, oldQuery] : rows) {
        auto sim = StartSim(config::DvrConf(), old);
        CSetupEtc panel;
        panel.setDVR(Entry(*sim, "admin", "1234", old));
        Child<QDateEdit>(panel, "dateEdit")->setDate(date);
        Child<QTimeEdit>(panel, "timeEdit")->setTime(time);
        Child<QPushButton>(panel, "apply")->click();
        panel.ResetDVR();
        ASSERT_TRUE(sim->waitUntil([&] { return sim->requests().size() == 2; }));
        auto posts = sim->requests();
        auto clock = [](const Request& r) { return r.body.contains("OP=19") || r.mode == cgi::MODE_DVR_TIME; };
        std::sort(posts.begin(), posts.end(), [&](const Request& a, const Request& b) { return clock(a) > clock(b); });
        EXPECT_TRUE(posts[0].transport == Transport::Post && posts[1].transport == Transport::Post);
        if (old) {
            EXPECT_EQ(posts[0].body, oldQuery);
            EXPECT_EQ(posts[1].body, "MODE=5&ID=admin&PW=1234&OP=18");
            continue;
        }
        cgi::DvrTime sent;
        ASSERT_EQ(posts[0].mode, cgi::MODE_DVR_TIME);
        ASSERT_TRUE(posts[0].message(&sent));
        EXPECT_EQ(sent.time(), seconds) << date.toString().toStdString();
        EXPECT_EQ(posts[0].user, "admin");
        EXPECT_EQ(posts[1].mode, cgi::MODE_RESET_DVR);
        EXPECT_TRUE(posts[1].dataOk && posts[1].data.empty());
    }
    zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone);
    tzset();
}

// A year typed beyond the DVR's clock stays half-typed in the edit; Apply sends the last valid
// date, and that is what the edit must show.
TEST(SetupEtc, ApplyShowsTheDateItSendsAfterAnEntryOutOfRange)
{
    auto sim = StartSim();
    CSetupEtc panel;
    panel.setDVR(Entry(*sim));
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    auto* date = Child<QDateEdit>(panel, "dateEdit");
    date->setSelectedSection(QDateTimeEdit::YearSection);
    QTest::keyClicks(date, "210");
    ASSERT_TRUE(date->text().startsWith("210-")) << date->text().toStdString();
    Child<QPushButton>(panel, "apply")->click();
    ASSERT_TRUE(sim->waitForRequest([](const Request& r) { return r.mode == cgi::MODE_DVR_TIME; }));
    cgi::DvrTime sent;
    ASSERT_TRUE(Of(*sim, Transport::Post, cgi::MODE_DVR_TIME).at(0).message(&sent));
    const QDate sentDate = QDateTime::fromSecsSinceEpoch(sent.time(), QTimeZone::utc()).date();
    EXPECT_EQ(date->text(), sentDate.toString(date->displayFormat()));
    uitest::Screenshot(&panel, "clock_after_apply");
}

TEST(SetupEtc, FormatsOfTheConfigurationAndTheRangeOfTheDvrsClock)
{
    CSetupEtc panel;
    auto* date = Child<QDateEdit>(panel, "dateEdit");
    QStringList formats;
    for (int i = 0; i < 4; ++i)
        formats << CSetupEtc::DateDisplayFormat(i) + " " + CSetupEtc::TimeDisplayFormat(i);
    EXPECT_EQ(formats, (QStringList{"yyyy-MM-dd hh:mm:ss", "dd-MM-yyyy AP hh:mm:ss", "MM-dd-yyyy hh:mm:ss",
                                    "MM-dd-yyyy hh:mm:ss"}));
    config::System sys;
    sys.mutable_time_date()->set_date_format(config::System_TimeDate::DATE_FORMAT_DDMMYYYY);
    sys.mutable_time_date()->set_time_format(config::System_TimeDate::TIME_FORMAT_12);
    panel.SetConf(sys);
    EXPECT_EQ(date->displayFormat() + " " + Child<QTimeEdit>(panel, "timeEdit")->displayFormat(), formats[1]);
    // The date range is what the DVR's clock can hold.
    DVR dvr;
    for (const auto& [from, to] : {std::pair(QDate(2000, 1, 1), QDate(2099, 12, 31)), {{1970, 1, 1}, {2106, 2, 6}}}) {
        dvr.set_old_protocol(from.year() == 2000);
        panel.setDVR(dvr);
        EXPECT_EQ(std::pair(date->minimumDate(), date->maximumDate()), std::pair(from, to));
    }
}
