// The configuration container against simulated DVRs: reads, sends, confirmations, files and
// the offline model setup.

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
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
    config::Camera camera() { return w.findChild<CSetupCamera*>()->GetConf(); }
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
    config::Camera* camera = conf.mutable_camera();
    for (int i = 0; i < 8; ++i)
        camera->add_channel()->set_name("cam " + std::to_string(i + 1));
    return conf;
}

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
    const DvrModelInfo model{DvrModel(52)};
    ASSERT_EQ(size_t(c.w.dvrInfo().languages_size()), model.languages.size());
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
    const struct {
        const char* name;
        config::DvrConf conf;
        const char* password;
        QString message;
    } rows[] = {
        {"refused", EightChannels(), "wrong", "[ERROR]password miss"},
        {"unknown model", unknown, "1234", "The DVR configuration is of an unknown model (18)."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        auto sim = StartSim(row.conf);
        Container c;
        ASSERT_TRUE(c.read(Entry(*sim, "admin", row.password)));
        EXPECT_EQ(c.prompt.messages, QStringList{row.message});
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
    config::DvrConf four = EightChannels();
    four.mutable_dvr_info()->set_model(53);
    four.mutable_dvr_info()->set_ch_num(4);
    four.mutable_camera()->Clear();
    auto quick = StartSim(four);

    Container c;
    c.w.readData(Entry(*slow), 16, config::VideoType_NTSC);
    ASSERT_TRUE(slow->waitUntil([&] { return c.w.reader() != nullptr; }));
    c.w.Init();
    EXPECT_EQ(c.w.reader(), nullptr);
    ASSERT_TRUE(c.read(Entry(*quick)));
    EXPECT_EQ(c.w.dvrInfo().model(), 53u);
    // Past the slow DVR's answer: it never reaches the pages.
    EXPECT_FALSE(slow->waitForRequest([](const Request& r) { return r.mode == cgi::MODE_GET_DVR_CONF; }, 800));
    EXPECT_EQ(c.w.dvrInfo().model(), 53u);
    EXPECT_TRUE(c.prompt.messages.isEmpty());
}

TEST(SetupContainer, ApplySendsTheCurrentTabApplyAllEveryPartNeverTheBuyerInfo)
{
    config::DvrConf conf = FullConf();
    conf.mutable_buyer_info();
    auto sim = StartSim(conf);
    Container c;
    ASSERT_TRUE(c.read(Entry(*sim)));
    ConfirmWith(c.prompt);

    c.tab(SETUP_TAB_CAMERA);
    EXPECT_EQ(c.send(false), CORRECT);
    c.tab(SETUP_TAB_NETWORK);
    c.w.findChild<CSetupNetwork*>()->SetApplyNetworkTCPIP(false);
    EXPECT_EQ(c.send(true), CORRECT);
    const auto uploads = Of(*sim, Transport::Upload, cgi::MODE_SET_DVR_CONF);
    ASSERT_EQ(uploads.size(), 2u);

    const config::DvrConf one = Uploaded(uploads[0]);
    EXPECT_TRUE(one.has_dvr_info() && one.has_limit() && one.has_camera());
    EXPECT_FALSE(one.has_account() || one.has_event() || one.has_hdd() || one.has_network() || one.has_record()
                 || one.has_system() || one.has_buyer_info());
    EXPECT_TRUE(one.limit().apply_network_tcpip());

    const config::DvrConf all = Uploaded(uploads[1]);
    EXPECT_TRUE(all.has_account() && all.has_camera() && all.has_event() && all.has_hdd() && all.has_network()
                && all.has_record() && all.has_system());
    EXPECT_FALSE(all.has_buyer_info());
    // limit and its flag are on the wire also when false.
    EXPECT_TRUE(all.limit().has_apply_network_tcpip());
    EXPECT_FALSE(all.limit().apply_network_tcpip());
    EXPECT_TRUE(uploads[1].fileData.contains(QByteArray("\x12\x02\x08\x00", 4)));
    EXPECT_FALSE(c.w.isUploading());
}

namespace {

// The parts of two configurations that differ, by name.
QStringList DifferingParts(const config::DvrConf& a, const config::DvrConf& b)
{
    const std::pair<const char*, std::function<std::string(const config::DvrConf&)>> parts[] = {
        {"dvr_info", [](const config::DvrConf& c) { return Bytes(c.dvr_info()); }},
        {"limit", [](const config::DvrConf& c) { return Bytes(c.limit()); }},
        {"account", [](const config::DvrConf& c) { return Bytes(c.account()); }},
        {"camera", [](const config::DvrConf& c) { return Bytes(c.camera()); }},
        {"event", [](const config::DvrConf& c) { return Bytes(c.event()); }},
        {"hdd", [](const config::DvrConf& c) { return Bytes(c.hdd()); }},
        {"network", [](const config::DvrConf& c) { return Bytes(c.network()); }},
        {"record", [](const config::DvrConf& c) { return Bytes(c.record()); }},
        {"system", [](const config::DvrConf& c) { return Bytes(c.system()); }},
    };
    QStringList differ;
    for (const auto& [name, bytes] : parts)
        if (bytes(a) != bytes(b))
            differ << name;
    if (Bytes(a) != Bytes(b) && differ.isEmpty())
        differ << "presence";
    return differ;
}

template <class T, class Page>
T* On(CSetupWidget& w, const char* name)
{
    auto* page = w.findChild<Page*>();
    return page ? Child<T>(*page, name) : nullptr;
}

}  // namespace

TEST(SetupContainer, AnUntouchedConfigurationGoesBackEqualAndEachEditArrivesAlone)
{
    config::DvrConf conf = FullConf();
    auto sim = StartSim(conf);
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
    EXPECT_EQ(DifferingParts(sent, conf), QStringList());

    // One operator's edit on each page, each sent with Apply All: only that field changes.
    const struct {
        const char* page;
        std::function<void()> edit;
        std::function<void(config::DvrConf*)> change;
    } edits[] = {
        {"system", [&] { On<QLineEdit, CSetupSystem>(c.w, "systemName")->setText("Gate"); },
         [](config::DvrConf* d) { d->mutable_system()->mutable_name_id()->set_dvr_name("Gate"); }},
        {"network", [&] { On<QComboBox, CSetupNetwork>(c.w, "networkType")->setCurrentIndex(2); },
         [](config::DvrConf* d) { d->mutable_network()->mutable_tcpip()->set_type(config::Network::TYPE_DHCP); }},
        {"record",
         [&] {
             On<QComboBox, CSetupRecord>(c.w, "channel")->setCurrentIndex(4);
             On<QComboBox, CSetupRecord>(c.w, "quality")->setCurrentIndex(3);
         },
         // Channel 5 records at resolution 1.
         [](config::DvrConf* d) { d->mutable_record()->mutable_channel(4)->set_qual(1, config::QUALITY_SUPER); }},
        {"hdd", [&] { On<QComboBox, CSetupHdd>(c.w, "forceDeletion")->setCurrentIndex(37); },
         [](config::DvrConf* d) { d->mutable_hdd()->mutable_mode()->set_forced_deletion(37); }},
        {"event", [&] { On<QComboBox, CSetupEvent>(c.w, "relayTime")->setCurrentIndex(3); },
         [](config::DvrConf* d) { d->mutable_event()->mutable_relay()->set_keep_time(config::Event_Relay::KEEP_30SEC); }},
        {"account", [&] { On<QLineEdit, CSetupAccount>(c.w, "admin_password")->setText("9876"); },
         [](config::DvrConf* d) { d->mutable_account()->mutable_admin()->set_password("9876"); }},
        {"camera", [&] { On<QComboBox, CSetupCamera>(c.w, "sharpness")->setCurrentIndex(0); },
         [](config::DvrConf* d) { d->mutable_camera()->set_sharpness(config::Camera::SHARPNESS_SOFT); }},
    };
    for (const auto& e : edits) {
        SCOPED_TRACE(e.page);
        e.edit();
        e.change(&conf);
        EXPECT_EQ(c.send(true), CORRECT);
        ASSERT_TRUE(sent.ParseFromString(sim->config().dvrConf.toStdString()));
        EXPECT_EQ(DifferingParts(sent, conf), QStringList());
    }
    EXPECT_EQ(Of(*sim, Transport::Upload, cgi::MODE_SET_DVR_CONF).size(), 8u);
}

TEST(SetupContainer, ConfirmationPrefillsOnlyAdminsPasswordAndKeepsTheChangedTarget)
{
    auto sim = StartSim(EightChannels());
    const struct {
        const char* id;
        QString prefilled;
    } rows[] = {{"ADMIN", "1234"}, {"admin", "1234"}, {"oper", ""}};
    for (const auto& row : rows) {
        Container c;
        ASSERT_TRUE(c.read(Entry(*sim, row.id)));
        QString shown;
        c.prompt.onDialog = [&](QDialog* d) {
            auto* confirm = qobject_cast<CSendDVRInfoWidget*>(d);
            shown = confirm->getPassword();
            EXPECT_EQ(confirm->getPort(), sim->port());
            confirm->setPassword("1234");
            confirm->accept();
        };
        EXPECT_EQ(c.send(false), CORRECT);
        EXPECT_EQ(shown, row.prefilled) << row.id;
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
    ASSERT_EQ(running.size(), 2);
    EXPECT_EQ(running[0][0].toBool(), true);
    EXPECT_EQ(running[1][0].toBool(), false);
    // An aborted upload reached nothing, whatever its error flag says.
    c.w.FinishUpload(false, true, QString());
    EXPECT_EQ(c.prompt.messages.last(), FAILED);
}

TEST(SetupContainer, FilesOpenAndSaveTheBareConfiguration)
{
    Container c;
    QTemporaryDir dir;
    const QString conf = dir.filePath("lobby.conf");
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile f(name);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return name;
    };
    config::DvrConf opened = EightChannels();
    opened.mutable_buyer_info();
    c.prompt.files = {write(conf, QByteArray::fromStdString(opened.SerializeAsString()))};
    c.w.OnOpenFiles();
    EXPECT_EQ(c.title(0), "cam 1");
    EXPECT_TRUE(c.w.targetDVR().address().empty());

    // Load Default keeps the opened model and resets the values.
    c.w.OnLoadDefault();
    EXPECT_EQ(c.title(0), "CH-01");
    EXPECT_EQ(c.w.dvrInfo().model(), 52u);

    // A save holds dvr_info with the model's languages, limit and the seven parts, nothing else.
    const QString saved = dir.filePath("saved.conf");
    c.prompt.files = {dir.filePath("saved.CONF"), saved};
    c.w.OnSaveFiles();
    EXPECT_FALSE(QFile::exists(dir.filePath("saved.CONF")));
    c.w.OnSaveFiles();
    QFile f(saved);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    config::DvrConf back;
    ASSERT_TRUE(back.ParseFromString(f.readAll().toStdString()));
    EXPECT_EQ(back.dvr_info().model(), 52u);
    EXPECT_EQ(back.dvr_info().ch_num(), 8u);
    EXPECT_GT(back.dvr_info().languages_size(), 0);
    EXPECT_TRUE(back.limit().has_apply_network_tcpip());
    EXPECT_TRUE(back.has_system() && back.has_camera() && back.has_account());
    EXPECT_FALSE(back.has_buyer_info());

    // An empty file is an empty configuration: model 0 with 16 channels.
    c.prompt.files = {write(dir.filePath("empty.conf"), QByteArray())};
    c.w.OnOpenFiles();
    EXPECT_EQ(c.w.dvrInfo().model(), 0u);
    EXPECT_FALSE(Child<QLineEdit>(c.w, "name15")->isHidden());

    config::DvrConf unknown;
    unknown.mutable_dvr_info()->set_model(200);
    c.prompt.files = {dir.filePath("missing.conf"), write(dir.filePath("junk.conf"), "\x0a\xff\xff"),
                      write(dir.filePath("unknown.conf"), QByteArray::fromStdString(unknown.SerializeAsString())),
                      QString()};
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
        auto* dialog = qobject_cast<CModelInfoDialog*>(d);
        ASSERT_TRUE(dialog);
        dialog->show();
        // Model 4 (960H): choose 4 channels, PAL.
        d->findChild<QRadioButton*>("channels4")->click();
        d->findChild<QRadioButton*>("videoType1")->click();
        d->findChild<QComboBox*>("combo_dvrModel")->setCurrentIndex(0);
        uitest::Screenshot(d, "model_dialog");
        d->accept();
    };
    c.w.OnSetupModel();
    EXPECT_EQ(c.w.dvrInfo().model(), 53u);
    EXPECT_EQ(c.w.dvrInfo().ch_num(), 4u);
    EXPECT_EQ(c.w.dvrInfo().vtype(), 1u);
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
    const quint16 port = sim->port();
    c.prompt.onDialog = [port](QDialog* d) {
        auto* confirm = qobject_cast<CSendDVRInfoWidget*>(d);
        ASSERT_TRUE(confirm);
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
    EXPECT_TRUE(tabs->isHidden());
    EXPECT_FALSE(upgrade->isHidden());
    EXPECT_EQ(upgrade->size(), QSize(889, 680));
    EXPECT_EQ(upgrade->dvr().id(), "admin");
    c.w.resize(999, 790);
    EXPECT_EQ(tabs->size(), QSize(989, 780));
    EXPECT_EQ(upgrade->size(), QSize(889, 680));

    // The clock panel opens at the PC's time, not at what it showed before.
    Child<QDateEdit>(*etc, "dateEdit")->setDate(QDate(2001, 2, 3));
    c.w.OnDateTime();
    EXPECT_EQ(Child<QDateEdit>(*etc, "dateEdit")->date(), QDate::currentDate());
    EXPECT_TRUE(upgrade->isHidden());
    EXPECT_FALSE(etc->isHidden());
    EXPECT_EQ(etc->size(), QSize(989, 780));
    Child<QPushButton>(*etc, "close")->click();
    EXPECT_TRUE(etc->isHidden());
    EXPECT_FALSE(tabs->isHidden());

    c.w.OnResetDVR();
    ASSERT_TRUE(sim->waitForRequest([](const Request& r) { return r.mode == cgi::MODE_RESET_DVR; }));
    const auto resets = Of(*sim, Transport::Post, cgi::MODE_RESET_DVR);
    ASSERT_EQ(resets.size(), 1u);
    EXPECT_EQ(resets[0].user, "admin");
    EXPECT_TRUE(resets[0].dataOk && resets[0].data.empty());
    EXPECT_TRUE(etc->isHidden());
}
