// The page contract's defaults over every page, and the Account and Camera pages' own rules.

#include <functional>

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>

#include "DVRSetup/ChannelWidget.h"
#include "DVRSetup/PageRules.h"
#include "DVRSetup/SeqWidget.h"
#include "DVRSetup/SetupAccount.h"
#include "DVRSetup/SetupCamera.h"
#include "DVRSetup/SetupEvent.h"
#include "DVRSetup/SetupHdd.h"
#include "DVRSetup/SetupNetwork.h"
#include "DVRSetup/SetupRecord.h"
#include "DVRSetup/SetupRules.h"
#include "DVRSetup/SetupSystem.h"
#include "setup_test_util.h"

using namespace setuptest;

namespace {

// GetConf after InitDvrInfo(model 4, 16 channels) and InitConf.
template <class Page>
std::string Defaults()
{
    Page page;
    page.InitDvrInfo(Info(4, 16));
    page.InitConf();
    return Bytes(page.GetConf());
}

}  // namespace

// What each page gives before it was shown a configuration, built by hand. That SetConf runs
// no change slot and keeps fields without a control is the container's untouched round trip.
TEST(PageContract, DefaultsAfterInitConf)
{
    config::DvrConf d;
    config::Account* a = d.mutable_account();
    a->mutable_admin()->set_password("5937");
    a->mutable_logoff()->set_auto_enable(false);
    a->mutable_logoff()->set_wait_time(config::Account_Logoff::WAIT_TIME_30SEC);
    d.mutable_system()->mutable_auto_reboot()->set_day(config::System_AutoReboot::OFF);
    d.mutable_system()->mutable_auto_reboot()->set_time(0);
    d.mutable_network()->mutable_tcpip()->set_type(config::Network::TYPE_STATIC);
    d.mutable_network()->mutable_tcpip()->set_bandwidth_limitation(config::Network::BWL_OFF);
    d.mutable_hdd()->mutable_smart()->set_smart(true);
    config::Event* e = d.mutable_event();
    for (int c = 0; c < 16; ++c) {
        *d.mutable_network()->mutable_stream()->add_h264() = Network_DefaultStream(16, config::VideoType_NTSC);
        config::Record_Channel* ch = d.mutable_record()->add_channel();
        ch->set_resolution(config::RESOLUTION_960H);
        for (uint32_t fps : {30, 30, 30, 15}) {
            ch->add_qual(config::QUALITY_HIGH), ch->add_fps(fps);
            ch->add_qual_evt(config::QUALITY_HIGH), ch->add_fps_evt(fps);
        }
        e->mutable_motion_conf()->add_motion()->mutable_zone()->Resize(16 * 12, false);
        e->mutable_relay()->add_motion(false);
    }
    for (int s = 0; s < 4; ++s)
        d.mutable_record()->add_schedule()->mutable_record_mode()->Resize(168, config::RECORD_MODE_MANUAL);
    for (int j = 0; j < 8; ++j) {
        e->mutable_sensor_conf()->add_sensor()->set_link_ch(uint32_t(j));
        e->mutable_relay()->add_sensor(false);
    }
    for (int i = 0; i < 4; ++i)
        e->mutable_email()->mutable_address()->add_receiver("");
    config::Camera camera = Camera_Defaults(16);  // titles and PTZ ids 1..N: checked on the pages
    for (auto& ch : *camera.mutable_channel())
        ch.set_covert(false);
    camera.mutable_seq()->set_ch_mask(65535);
    camera.mutable_seq()->set_time(config::Camera::SEQ_1SECS);
    config::Camera_Spot* s = camera.mutable_spot(0);
    s->set_mode(config::Camera_Spot::MODE_SINGLE), s->set_ch_num_single(0), s->set_ch_mask_quad(15);
    s->set_ch_mask_nona(511), s->set_ch_mask_seq(65535), s->set_seq_time(config::Camera::SEQ_1SECS);

    const std::tuple<const char*, std::string, std::string> pages[] = {
        {"system", Defaults<CSetupSystem>(), Bytes(d.system())},
        {"network", Defaults<CSetupNetwork>(), Bytes(d.network())},
        {"record", Defaults<CSetupRecord>(), Bytes(d.record())},
        {"hdd", Defaults<CSetupHdd>(), Bytes(d.hdd())},
        {"event", Defaults<CSetupEvent>(), Bytes(d.event())},
        {"account", Defaults<CSetupAccount>(), Bytes(d.account())},
        {"camera", Defaults<CSetupCamera>(), Bytes(camera)},
    };
    for (const auto& [name, got, expected] : pages)
        EXPECT_EQ(got, expected) << name;
}

// ---- Account ---------------------------------------------------------------------------------

namespace {

struct AccountPage {
    AccountPage() { page.InitDvrInfo(Info(53, 4)); }
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
    QListWidget* list = Child<QListWidget>(page, "userList");
    QLineEdit* name = Child<QLineEdit>(page, "name");
    QLineEdit* password = Child<QLineEdit>(page, "password");
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

    for (const char* n : {"admin", "guard", "nurse", "Admin", ""}) {
        a.type(n, "pw");
        a.press("userAdd");
    }
    EXPECT_EQ(a.prompt.messages, QStringList{"Can't add same user."});
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
    EXPECT_EQ(a.name->text(), "nurse");
    EXPECT_EQ(a.list->currentItem()->text(), "nurse");
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
}

// ---- Camera ----------------------------------------------------------------------------------

TEST(CameraPage, ModelFactsChooseControls)
{
    CSetupCamera page;
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
        EXPECT_EQ(Items(Child<QComboBox>(page, "spotMode")), row.modes);
        EXPECT_EQ(Child<QFrame>(page, "eqFrame")->isHidden(), !row.eq);
        EXPECT_EQ(Child<QSpinBox>(page, "ptzChannel")->maximum(), row.channels);
        // The main sequence always offers its layouts; the spot sequence not on HD-SDI.
        EXPECT_FALSE(Child<QFrame>(page, "seqFrame")->findChild<QCheckBox*>("chM1")->isHidden());
        EXPECT_EQ(!Child<QWidget>(page, "spotPage4")->findChild<QCheckBox*>("chM1")->isHidden(), row.spotLayouts);
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
    ASSERT_EQ(page.GetConf().spot_size(), 1);
    EXPECT_EQ(page.GetConf().spot(0).mode(), config::Camera_Spot::MODE_SINGLE);

    // QUAD is not offered on HD-SDI: no choice is shown and the mode stays stored, as does
    // a Single channel beyond the DVR's count; every field of the spot is written.
    c.clear_spot();
    config::Camera_Spot* s = c.add_spot();
    s->set_mode(config::Camera_Spot::MODE_QUAD);
    s->set_ch_num_single(9);
    page.SetConf(c);
    EXPECT_EQ(mode->currentIndex(), -1);
    EXPECT_EQ(stack->currentIndex(), 1);
    config::Camera_Spot got = page.GetConf().spot(0);
    EXPECT_EQ(got.mode(), config::Camera_Spot::MODE_QUAD);
    EXPECT_EQ(got.ch_num_single(), 9u);
    EXPECT_TRUE(got.has_ch_mask_quad() && got.has_ch_mask_nona() && got.has_seq_time());

    // Choosing Off keeps the shown page and stores mode 5 with all selections.
    mode->setCurrentIndex(0);
    EXPECT_EQ(stack->currentIndex(), 0);
    auto* single = Child<QWidget>(page, "spotPage0")->findChild<CChannelWidget*>();
    ASSERT_TRUE(single);
    single->findChild<QCheckBox*>("ch2")->click();
    mode->setCurrentIndex(2);
    EXPECT_EQ(mode->currentText(), "Off");
    EXPECT_EQ(stack->currentIndex(), 0);
    got = page.GetConf().spot(0);
    EXPECT_EQ(got.mode(), config::Camera_Spot::MODE_OFF);
    EXPECT_EQ(got.ch_num_single(), 2u);
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

    // The Single channel: the lowest ticked one below N, else CH1.
    const std::tuple<unsigned long, int, uint32_t> singles[] = {
        {0, 16, 0}, {0b1000, 16, 3}, {0b1010, 4, 1}, {0x100, 4, 0}, {0xFFFFFFFF, 16, 0}};
    for (const auto& [mask, n, ch] : singles)
        EXPECT_EQ(Spot_SingleChannel(mask, n), ch) << mask;
}

TEST(CameraPage, TitlesOfTheWrongCountAreReplacedRebuiltPtzHasIdZeroEqOnAhd2)
{
    CSetupCamera page;
    page.InitDvrInfo(Info(116, 4));  // AHD2: EQ shown
    config::Camera c = Camera_Defaults(16);
    c.mutable_channel(0)->set_name("gate");
    page.SetConf(c);
    EXPECT_EQ(Child<QLineEdit>(page, "name0")->text(), "CH-01");
    EXPECT_EQ(Child<QLabel>(page, "nameLabel0")->text(), "CH-1");
    auto* ptzChannel = Child<QSpinBox>(page, "ptzChannel");
    ptzChannel->setValue(3);
    EXPECT_EQ(Child<QSpinBox>(page, "ptzID")->value(), 0);
    Child<QSpinBox>(page, "eqChannel")->setValue(2);
    Child<QRadioButton>(page, "eqOn")->click();
    ptzChannel->setValue(99);  // clamped to 4, never beyond the list
    EXPECT_EQ(ptzChannel->value(), 4);
    EXPECT_EQ(page.GetConf().ptz(3).id(), 0u);
    EXPECT_TRUE(page.GetConf().channel(1).eq());
    EXPECT_FALSE(page.GetConf().channel(0).eq());
}
