// The page contract over every page, and the Account and Camera pages' own rules.

#include <functional>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimeEdit>

#include "DVRSetup/ChannelWidget.h"
#include "DVRSetup/PageRules.h"
#include "DVRSetup/SeqWidget.h"
#include "DVRSetup/SetupAccount.h"
#include "DVRSetup/SetupCamera.h"
#include "DVRSetup/SetupEtc.h"
#include "DVRSetup/SetupEvent.h"
#include "DVRSetup/SetupHdd.h"
#include "DVRSetup/SetupNetwork.h"
#include "DVRSetup/SetupRecord.h"
#include "DVRSetup/SetupRules.h"
#include "DVRSetup/SetupSystem.h"
#include "setup_test_util.h"

using namespace setuptest;

namespace {

// What each page gives after InitConf, and what it gives back after showing a full part.
struct PageCase {
    const char* name;
    std::function<std::string()> defaults;     // GetConf after InitDvrInfo(model 4)
    std::function<std::string()> expected;     // the defaults as built by hand
    std::function<std::string()> roundTrip;    // GetConf after SetConf(FullConf part)
    std::string full;
};

template <class Page, class Part>
PageCase Case(const char* name, const Part& full, const Part& defaults)
{
    auto page = std::make_shared<Page>();
    return {name,
            [page] {
                page->InitDvrInfo(Info(4, 16));
                page->InitConf();
                return Bytes(page->GetConf());
            },
            [defaults] { return Bytes(defaults); },
            [page, full] {
                page->SetConf(full);
                return Bytes(page->GetConf());
            },
            Bytes(full)};
}

config::Account AccountDefaults()
{
    config::Account a;
    a.mutable_admin()->set_password("5937");
    a.mutable_logoff()->set_auto_enable(false);
    a.mutable_logoff()->set_wait_time(config::Account_Logoff::WAIT_TIME_30SEC);
    return a;
}

config::System SystemDefaults()
{
    config::System s;
    s.mutable_auto_reboot()->set_day(config::System_AutoReboot::OFF);
    s.mutable_auto_reboot()->set_time(0);
    return s;
}

config::Network NetworkDefaults()
{
    config::Network n;
    n.mutable_tcpip()->set_type(config::Network::TYPE_STATIC);
    n.mutable_tcpip()->set_bandwidth_limitation(config::Network::BWL_OFF);
    for (int c = 0; c < 16; ++c)
        *n.mutable_stream()->add_h264() = Network_DefaultStream(16, config::VideoType_NTSC);
    return n;
}

config::Record RecordDefaults()
{
    config::Record r;
    for (int c = 0; c < 16; ++c) {
        config::Record_Channel* ch = r.add_channel();
        ch->set_resolution(config::RESOLUTION_960H);
        for (uint32_t fps : {30, 30, 30, 15}) {
            ch->add_qual(config::QUALITY_HIGH);
            ch->add_fps(fps);
            ch->add_qual_evt(config::QUALITY_HIGH);
            ch->add_fps_evt(fps);
        }
    }
    for (int s = 0; s < 4; ++s) {
        config::Record_Schedule* schedule = r.add_schedule();
        for (int i = 0; i < 168; ++i)
            schedule->add_record_mode(config::RECORD_MODE_MANUAL);
    }
    return r;
}

config::Event EventDefaults()
{
    config::Event e;
    for (int c = 0; c < 16; ++c) {
        config::Event_Motion* m = e.mutable_motion_conf()->add_motion();
        for (int i = 0; i < 16 * 12; ++i)
            m->add_zone(false);
        e.mutable_relay()->add_motion(false);
    }
    for (int j = 0; j < 8; ++j) {
        e.mutable_sensor_conf()->add_sensor()->set_link_ch(uint32_t(j));
        e.mutable_relay()->add_sensor(false);
    }
    for (int i = 0; i < 4; ++i)
        e.mutable_email()->mutable_address()->add_receiver("");
    return e;
}

config::Hdd HddDefaults()
{
    config::Hdd h;
    h.mutable_smart()->set_smart(true);
    return h;
}

config::Camera CameraDefaults()
{
    config::Camera c = Camera_Defaults(16);
    for (auto& ch : *c.mutable_channel())
        ch.set_covert(false);
    c.mutable_seq()->set_ch_mask(65535);
    c.mutable_seq()->set_time(config::Camera::SEQ_1SECS);
    config::Camera_Spot* s = c.mutable_spot(0);
    s->set_mode(config::Camera_Spot::MODE_SINGLE);
    s->set_ch_num_single(0);
    s->set_ch_mask_quad(15);
    s->set_ch_mask_nona(511);
    s->set_ch_mask_seq(65535);
    s->set_seq_time(config::Camera::SEQ_1SECS);
    return c;
}

}  // namespace

TEST(PageContract, DefaultsAfterInitConfAndAFullPartComesBackByteForByte)
{
    const config::DvrConf full = FullConf();
    const PageCase cases[] = {
        Case<CSetupSystem>("system", full.system(), SystemDefaults()),
        Case<CSetupNetwork>("network", full.network(), NetworkDefaults()),
        Case<CSetupRecord>("record", full.record(), RecordDefaults()),
        Case<CSetupHdd>("hdd", full.hdd(), HddDefaults()),
        Case<CSetupEvent>("event", full.event(), EventDefaults()),
        Case<CSetupAccount>("account", full.account(), AccountDefaults()),
        Case<CSetupCamera>("camera", full.camera(), CameraDefaults()),
    };
    for (const PageCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.defaults(), c.expected());
        // Filling runs no change slot: the bytes that are no text would not survive one.
        EXPECT_EQ(c.roundTrip(), c.full);
    }
}

TEST(SetupEtc, FormatsOfTheConfigurationAndTheClockAtEveryFill)
{
    CSetupEtc panel;
    auto* date = Child<QDateEdit>(panel, "dateEdit");
    auto* time = Child<QTimeEdit>(panel, "timeEdit");
    const std::tuple<int, int, QString, QString> rows[] = {
        {0, 0, "yyyy-MM-dd", "hh:mm:ss"}, {1, 1, "dd-MM-yyyy", "AP hh:mm:ss"}, {2, 0, "MM-dd-yyyy", "hh:mm:ss"}};
    for (const auto& [dateFormat, timeFormat, dateShown, timeShown] : rows) {
        config::System sys;
        sys.mutable_time_date()->set_date_format(static_cast<config::System_TimeDate_DateFormat>(dateFormat));
        sys.mutable_time_date()->set_time_format(static_cast<config::System_TimeDate_TimeFormat>(timeFormat));
        date->setDate(QDate(2001, 2, 3));
        panel.SetConf(sys);
        EXPECT_EQ(date->displayFormat(), dateShown);
        EXPECT_EQ(time->displayFormat(), timeShown);
        EXPECT_EQ(date->date(), QDate::currentDate());
    }
    EXPECT_EQ(CSetupEtc::DateDisplayFormat(7), "MM-dd-yyyy");
    EXPECT_EQ(CSetupEtc::TimeDisplayFormat(9), "hh:mm:ss");
    // The date range is what the DVR's clock can hold.
    DVR old;
    old.set_old_protocol(true);
    panel.setDVR(old);
    EXPECT_EQ(date->minimumDate(), QDate(2000, 1, 1));
    EXPECT_EQ(date->maximumDate(), QDate(2099, 12, 31));
    panel.setDVR(DVR());
    EXPECT_EQ(date->minimumDate(), QDate(1970, 1, 1));
    EXPECT_EQ(date->maximumDate(), QDate(2106, 2, 6));
}

// ---- Account ---------------------------------------------------------------------------------

namespace {

struct AccountPage {
    AccountPage()
    {
        page.InitDvrInfo(Info(53, 4));
        list = Child<QListWidget>(page, "userList");
        name = Child<QLineEdit>(page, "name");
        password = Child<QLineEdit>(page, "password");
    }
    void type(const QString& n, const QString& p)
    {
        name->setText(n);
        password->setText(p);
    }
    void press(const char* button) { Child<QPushButton>(page, button)->click(); }
    QStringList names()
    {
        QStringList out;
        const config::Account conf = page.GetConf();
        for (const auto& u : conf.users())
            out << QString::fromStdString(u.name());
        return out;
    }
    uitest::ScriptedPrompt prompt;
    CSetupAccount page;
    QListWidget* list;
    QLineEdit* name;
    QLineEdit* password;
};

}  // namespace

TEST(AccountPage, AddModifyDeleteKeepListAndUsersInStep)
{
    AccountPage a;
    // No row: Modify and Delete do nothing.
    a.type("nobody", "pw");
    a.press("userModify");
    a.press("userDelete");
    EXPECT_TRUE(a.names().isEmpty());

    for (const char* n : {"admin", "guard", "nurse"}) {
        a.type(n, "pw");
        a.press("userAdd");
    }
    a.type("Admin", "pw");
    a.press("userAdd");
    EXPECT_EQ(a.prompt.messages, QStringList{"Can't add same user."});
    a.type("", "pw");
    a.press("userAdd");
    EXPECT_EQ(a.names(), (QStringList{"admin", "guard", "nurse"}));

    // Modify refuses a name another row has, and takes the current row's own name.
    a.list->setCurrentRow(1);
    EXPECT_EQ(a.name->text(), "guard");
    a.type("NURSE", "pw");
    a.press("userModify");
    EXPECT_EQ(a.prompt.messages.size(), 2);
    a.type("GUARD", "pw2");
    a.press("userModify");
    EXPECT_EQ(a.names(), (QStringList{"admin", "GUARD", "nurse"}));
    EXPECT_EQ(a.page.GetConf().users(1).password(), "pw2");

    // Delete the second: the third moves up and its user is shown.
    a.press("userDelete");
    EXPECT_EQ(a.names(), (QStringList{"admin", "nurse"}));
    EXPECT_EQ(a.list->count(), 2);
    EXPECT_EQ(a.list->item(1)->text(), "nurse");
    EXPECT_EQ(a.name->text(), a.list->currentItem()->text());
}

TEST(AccountPage, ChannelsRightsAndTheAreaFollowTheCurrentRow)
{
    AccountPage a;
    config::Account account;
    config::Account_User* u = account.add_users();
    u->set_name("guard");
    u->set_ch_mask(0xFFFF);
    u->set_backup(true);
    account.add_users()->set_name("nurse");
    a.name->setText("typed before");
    a.page.SetConf(account);
    // The area shows row 0 at once; only CH1..CH4 exist on this model.
    EXPECT_EQ(a.name->text(), "guard");
    EXPECT_TRUE(Child<QCheckBox>(a.page, "ch4")->isHidden());
    EXPECT_TRUE(Child<QCheckBox>(a.page, "chAll")->isChecked());
    EXPECT_EQ(Child<QButtonGroup>(a.page, "backupGroup")->checkedId(), 1);
    a.password->setText("pw");
    a.press("userModify");
    EXPECT_EQ(a.page.GetConf().users(0).ch_mask(), 0xFu);

    Child<QCheckBox>(a.page, "ch1")->setChecked(false);
    EXPECT_FALSE(Child<QCheckBox>(a.page, "chAll")->isChecked());
    Child<QCheckBox>(a.page, "chAll")->setChecked(true);
    EXPECT_TRUE(Child<QCheckBox>(a.page, "ch1")->isChecked());

    a.list->setCurrentRow(1);
    EXPECT_EQ(a.name->text(), "nurse");
    a.press("clear");
    EXPECT_TRUE(a.name->text().isEmpty());
    EXPECT_EQ(Child<QSpinBox>(a.page, "networkProhibitionStart")->value(), 18);
    EXPECT_EQ(Child<QButtonGroup>(a.page, "networkGroup")->checkedId(), 1);

    // Admin: written at every keystroke, defaulted when missing; a new model drops users.
    Child<QLineEdit>(a.page, "admin_password")->setText("");
    EXPECT_EQ(a.page.GetConf().admin().password(), "");
    a.page.SetConf(config::Account());
    EXPECT_EQ(a.page.GetConf().admin().password(), "5937");
    a.page.SetConf(account);
    a.page.InitDvrInfo(Info(4, 16));
    EXPECT_EQ(a.list->count(), 0);
    EXPECT_FALSE(Child<QCheckBox>(a.page, "ch15")->isHidden());

    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&a.page, &change);
    EXPECT_EQ(Child<QComboBox>(a.page, "networkTimeout")->itemText(1), "1 minute");
    EXPECT_EQ(Child<QComboBox>(a.page, "networkTimeout")->itemData(5).toInt(), 60);
    EXPECT_EQ(Child<QComboBox>(a.page, "logoffWaitTime")->itemText(4), "10 min");
}

// ---- Camera ----------------------------------------------------------------------------------

namespace {

bool LayoutsShown(QWidget* w)
{
    return !w->findChild<QCheckBox*>("chM1")->isHidden();
}

}  // namespace

TEST(CameraPage, ModelFactsChooseControls)
{
    CSetupCamera page;
    auto* mode = Child<QComboBox>(page, "spotMode");
    const auto seqs = page.findChildren<CSeqWidget*>();
    ASSERT_EQ(seqs.size(), 2);
    const struct {
        int model, channels;
        QStringList modes;
        bool eq, spotLayouts;
    } rows[] = {
        {4, 16, {"Single", "Quad", "9 Split", "16 Split", "Sequence", "Off"}, false, true},
        {52, 8, {"Single", "Quad", "9 Split", "Sequence", "Off"}, false, true},
        {64, 4, {"Single", "Sequence", "Off"}, false, false},
        {116, 4, {"Single", "Quad", "Sequence", "Off"}, true, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.model);
        page.InitDvrInfo(Info(row.model, row.channels));
        EXPECT_EQ(Items(mode), row.modes);
        EXPECT_EQ(Child<QFrame>(page, "eqFrame")->isHidden(), !row.eq);
        EXPECT_EQ(Child<QSpinBox>(page, "ptzChannel")->maximum(), row.channels);
        // The main sequence always offers its layouts; the spot sequence not on HD-SDI.
        EXPECT_TRUE(LayoutsShown(Child<QFrame>(page, "seqFrame")));
        EXPECT_EQ(LayoutsShown(Child<QWidget>(page, "spotPage4")), row.spotLayouts);
        EXPECT_EQ(Child<QLineEdit>(page, "name4")->isHidden(), row.channels == 4);
        // PTZ ids 1..N from the defaults.
        EXPECT_EQ(Child<QSpinBox>(page, "ptzID")->value(), 1);
        EXPECT_EQ(page.GetConf().ptz(row.channels - 1).id(), uint32_t(row.channels));
    }
}

TEST(CameraPage, SpotRules)
{
    CSetupCamera page;
    page.InitDvrInfo(Info(64, 4));  // HD-SDI, 4 channels
    auto* mode = Child<QComboBox>(page, "spotMode");
    auto* stack = Child<QStackedWidget>(page, "spotPage");

    // Two spot entries are cut to one default entry.
    config::Camera c = Camera_Defaults(4);
    c.mutable_spot(0)->set_mode(config::Camera_Spot::MODE_SEQUENCE);
    c.add_spot();
    page.SetConf(c);
    config::Camera got = page.GetConf();
    ASSERT_EQ(got.spot_size(), 1);
    EXPECT_EQ(got.spot(0).mode(), config::Camera_Spot::MODE_SINGLE);

    // QUAD is not offered on HD-SDI: no choice is shown and the mode stays stored, as does
    // a Single channel beyond the DVR's count.
    c.clear_spot();
    config::Camera_Spot* s = c.add_spot();
    s->set_mode(config::Camera_Spot::MODE_QUAD);
    s->set_ch_num_single(9);
    page.SetConf(c);
    EXPECT_EQ(mode->currentIndex(), -1);
    EXPECT_EQ(stack->currentIndex(), 1);
    got = page.GetConf();
    EXPECT_EQ(got.spot(0).mode(), config::Camera_Spot::MODE_QUAD);
    EXPECT_EQ(got.spot(0).ch_num_single(), 9u);
    // Every field of the spot is written.
    EXPECT_TRUE(got.spot(0).has_ch_mask_quad() && got.spot(0).has_ch_mask_nona() && got.spot(0).has_seq_time());

    // Choosing Off keeps the shown page and stores mode 5 with all selections.
    mode->setCurrentIndex(0);
    EXPECT_EQ(stack->currentIndex(), 0);
    auto* single = qobject_cast<CChannelWidget*>(Child<QWidget>(page, "spotPage0")->findChild<CChannelWidget*>());
    ASSERT_TRUE(single);
    single->findChild<QCheckBox*>("ch2")->click();
    mode->setCurrentIndex(2);
    EXPECT_EQ(mode->currentText(), "Off");
    EXPECT_EQ(stack->currentIndex(), 0);
    got = page.GetConf();
    EXPECT_EQ(got.spot(0).mode(), config::Camera_Spot::MODE_OFF);
    EXPECT_EQ(got.spot(0).ch_num_single(), 2u);
    // Nothing ticked in Single stores CH1.
    single->findChild<QCheckBox*>("ch2")->click();
    EXPECT_EQ(page.GetConf().spot(0).ch_num_single(), 0u);

    // On 4 channels Quad is offered but shows no boxes, and its mask keeps 15.
    page.InitDvrInfo(Info(53, 4));
    mode->setCurrentIndex(1);
    EXPECT_EQ(mode->currentText(), "Quad");
    EXPECT_EQ(stack->currentIndex(), 1);
    EXPECT_EQ(page.GetConf().spot(0).mode(), config::Camera_Spot::MODE_QUAD);
    EXPECT_EQ(page.GetConf().spot(0).ch_mask_quad(), 15u);
}

TEST(CameraPage, TitlesPtzAndEqWriteIntoTheirEntries)
{
    CSetupCamera page;
    page.InitDvrInfo(Info(116, 4));  // AHD2: EQ shown
    config::Camera c = Camera_Defaults(16);  // the wrong count: titles are replaced
    c.mutable_channel(0)->set_name("gate");
    page.SetConf(c);
    EXPECT_EQ(Child<QLineEdit>(page, "name0")->text(), "CH-01");
    EXPECT_EQ(Child<QLabel>(page, "nameLabel0")->text(), "CH-1");

    Child<QLineEdit>(page, "name3")->setText("yard");
    auto* ptzChannel = Child<QSpinBox>(page, "ptzChannel");
    ptzChannel->setValue(3);
    EXPECT_EQ(Child<QSpinBox>(page, "ptzID")->value(), 0);  // rebuilt PTZ entries carry id 0
    Child<QSpinBox>(page, "ptzID")->setValue(42);
    Child<QRadioButton>(page, "zoomOn")->click();
    Child<QComboBox>(page, "ptzModel")->setCurrentIndex(0);
    Child<QComboBox>(page, "ptzBaudRate")->setCurrentIndex(7);
    Child<QComboBox>(page, "sharpness")->setCurrentIndex(0);
    Child<QSpinBox>(page, "eqChannel")->setValue(2);
    Child<QRadioButton>(page, "eqOn")->click();
    ptzChannel->setValue(99);  // clamped to 4, never beyond the list
    EXPECT_EQ(ptzChannel->value(), 4);

    const config::Camera got = page.GetConf();
    EXPECT_EQ(got.channel(3).name(), "yard");
    EXPECT_EQ(got.ptz(2).id(), 42u);
    EXPECT_TRUE(got.ptz(2).rev_zoom());
    EXPECT_EQ(got.ptz(2).model(), config::Camera_Ptz::MODEL_NONE);
    EXPECT_EQ(got.ptz(2).baudrate(), config::Camera_Ptz::BAUDRATE_115200);
    EXPECT_FALSE(got.ptz(3).rev_zoom());
    EXPECT_EQ(got.sharpness(), config::Camera::SHARPNESS_SOFT);
    EXPECT_TRUE(got.channel(1).eq());
    EXPECT_FALSE(got.channel(0).eq());
}
