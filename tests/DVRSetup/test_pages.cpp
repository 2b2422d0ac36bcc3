// The page contract's defaults over every page, and the Account, Camera, HDD and System
// pages' own rules.

#include <functional>

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTranslator>

#include "DVRSetup/ChannelWidget.h"
#include "DVRSetup/PageRules.h"
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
auto Defaults()
{
    Page page;
    page.InitDvrInfo(Info(4, 16));
    page.InitConf();
    return page.GetConf();
}

struct AccountPage {
    AccountPage()
    {
        page.InitDvrInfo(Info(53, 4));
        // The page's refusals are message boxes run through the prompt: their texts join the
        // messages, their looks are kept.
        prompt.onDialog = [this](QDialog* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            ASSERT_TRUE(box);
            prompt.messages << box->text();
            const QString title = box->windowTitle();
            looks << box->text() + (title.isEmpty() ? " | no title" : " | title " + title)
                         + (box->icon() == QMessageBox::NoIcon ? " | no icon" : " | icon");
            uitest::Screenshot(box, "account_message");
            box->done(QMessageBox::Ok);
        };
    }
    void edit(const QString& n, const QString& p, const char* button)
    {
        name->setText(n), password->setText(p);
        Child<QPushButton>(page, button)->click();
    }
    QStringList names()
    {
        QStringList out;
        const config::Account conf = page.GetConf();
        for (const auto& u : conf.users())
            out << QString::fromStdString(u.name() + ":" + u.password());
        return out;
    }
    QCheckBox* box(const char* channel) { return Child<QCheckBox>(page, channel); }
    uitest::ScriptedPrompt prompt;
    QStringList looks;
    CSetupAccount page;
    QListWidget* list = Child<QListWidget>(page, "userList");
    QLineEdit* name = Child<QLineEdit>(page, "name");
    QLineEdit* password = Child<QLineEdit>(page, "password");
};

void ChangeLanguage(QWidget* page)
{
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(page, &change);
}

config::Hdd HddOf(int deletion, bool smart, bool withSmart = true)
{
    config::Hdd hdd;
    hdd.mutable_mode()->set_write_mode(config::Hdd::WRITE_ONCE);
    hdd.mutable_mode()->set_forced_deletion(uint32_t(deletion));
    if (withSmart)
        hdd.mutable_smart()->set_smart(smart);
    hdd.mutable_smart()->set_check_interval(config::Hdd_Smart::INTERVAL_24HOURS);
    return hdd;
}

// Offers a zone name and a day name of the System page, as a loaded language file would: only
// the day is taken, zones stay the names the DVR stores.
class ZoneTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (QByteArray(context) != "CSetupSystem")
            return QString();
        const QByteArray text(source);
        return text == "Asia/Seoul" ? "Seoul (Korea)" : text == "Sunday" ? "Sonntag" : QString();
    }
    bool isEmpty() const override { return false; }
};

config::DvrConf_DvrInfo WithLanguages(int model, int channels)
{
    config::DvrConf_DvrInfo info = Info(model, channels);
    info.add_languages("english");
    info.add_languages("french");
    return info;
}
}  // namespace

// The lists each page sizes to the model before it was shown a configuration, built by hand.
// Scalar defaults are checked where a page repairs them; that SetConf keeps fields without a
// control is the container's untouched round trip.
TEST(PageContract, DefaultsAfterInitConf)
{
    config::DvrConf d;
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
    for (int j = 0; j < 8; ++j)
        e->mutable_sensor_conf()->add_sensor()->set_link_ch(uint32_t(j)), e->mutable_relay()->add_sensor(false);
    for (int i = 0; i < 4; ++i)
        e->mutable_email()->mutable_address()->add_receiver("");
    config::Camera camera = Camera_Defaults(16);  // titles and PTZ ids 1..N: checked on the pages
    for (auto& ch : *camera.mutable_channel())
        ch.set_covert(false);
    camera.mutable_seq()->set_ch_mask(65535), camera.mutable_seq()->set_time(config::Camera::SEQ_1SECS);
    config::Camera_Spot* s = camera.mutable_spot(0);
    s->set_mode(config::Camera_Spot::MODE_SINGLE), s->set_ch_num_single(0), s->set_ch_mask_quad(15);
    s->set_ch_mask_nona(511), s->set_ch_mask_seq(65535), s->set_seq_time(config::Camera::SEQ_1SECS);

    EXPECT_EQ(Bytes(Defaults<CSetupNetwork>().stream()), Bytes(d.network().stream()));
    EXPECT_EQ(Bytes(Defaults<CSetupRecord>()), Bytes(d.record()));
    EXPECT_EQ(Bytes(Defaults<CSetupEvent>()), Bytes(d.event()));
    EXPECT_EQ(Bytes(Defaults<CSetupCamera>()), Bytes(camera));
}

// ---- Account ---------------------------------------------------------------------------------

TEST(AccountPage, AddModifyDeleteKeepListAndUsersInStep)
{
    AccountPage a;
    // No row: Modify and Delete do nothing.
    a.edit("nobody", "pw", "userModify");
    a.edit("nobody", "pw", "userDelete");
    for (const char* n : {"admin", "guard", "nurse", "Admin", ""})
        a.edit(n, "pw", "userAdd");
    EXPECT_EQ(a.prompt.messages, QStringList{"Can't add same user."});
    EXPECT_EQ(a.names(), (QStringList{"admin:pw", "guard:pw", "nurse:pw"}));

    // Modify refuses a name another row has, and takes the current row's own name.
    a.list->setCurrentRow(1);
    EXPECT_EQ(a.name->text(), "guard");
    a.edit("NURSE", "pw", "userModify");
    EXPECT_EQ(a.prompt.messages.size(), 2);
    a.edit("GUARD", "pw2", "userModify");
    EXPECT_EQ(a.names(), (QStringList{"admin:pw", "GUARD:pw2", "nurse:pw"}));
    // Delete the second: the third moves up and its user is shown.
    a.edit("", "", "userDelete");
    EXPECT_EQ(a.names(), (QStringList{"admin:pw", "nurse:pw"}));
    EXPECT_EQ(std::make_pair(a.list->count(), a.name->text()), std::make_pair(2, QString("nurse")));
    EXPECT_EQ(a.list->currentItem()->text(), "nurse");
}

TEST(AccountPage, ItsRefusalsComeWithoutTitleOrIcon)
{
    AccountPage a;
    for (const char* n : {"guard", "nurse", "GUARD"})
        a.edit(n, "pw", "userAdd");
    a.list->setCurrentRow(1);
    a.edit("Guard", "pw", "userModify");
    EXPECT_EQ(a.looks, (QStringList{"Can't add same user. | no title | no icon",
                                    "Another user already has this name. | no title | no icon"}));
}

TEST(AccountPage, ChannelsRightsAndTheAreaFollowTheCurrentRow)
{
    AccountPage a;
    config::Account account;
    config::Account_User* u = account.add_users();
    u->set_name("guard"), u->set_ch_mask(0xFFFF), u->set_backup(true);
    account.add_users()->set_name("nurse");
    a.name->setText("typed before");
    a.page.SetConf(account);
    // The area shows row 0 at once; only CH1..CH4 exist on this model.
    EXPECT_EQ(a.name->text(), "guard");
    EXPECT_TRUE(a.box("ch4")->isHidden());
    EXPECT_TRUE(a.box("chAll")->isChecked());
    EXPECT_EQ(Child<QButtonGroup>(a.page, "backupGroup")->checkedId(), 1);
    a.edit("guard", "pw", "userModify");
    EXPECT_EQ(a.page.GetConf().users(0).ch_mask(), 0xFu);
    a.box("ch1")->setChecked(false);
    EXPECT_FALSE(a.box("chAll")->isChecked());
    a.box("chAll")->setChecked(true);
    EXPECT_TRUE(a.box("ch1")->isChecked());

    a.list->setCurrentRow(1);
    EXPECT_EQ(a.name->text(), "nurse");
    Child<QPushButton>(a.page, "clear")->click();
    EXPECT_TRUE(a.name->text().isEmpty());

    // Admin: written at every keystroke, defaulted when missing; a new model drops users.
    Child<QLineEdit>(a.page, "admin_password")->setText("");
    EXPECT_EQ(a.page.GetConf().admin().password(), "");
    a.page.SetConf(config::Account());
    EXPECT_EQ(a.page.GetConf().admin().password(), "5937");
    a.page.SetConf(account);
    a.page.InitDvrInfo(Info(4, 16));
    EXPECT_EQ(a.list->count(), 0);
    EXPECT_FALSE(a.box("ch15")->isHidden());
}

// ---- Camera ----------------------------------------------------------------------------------

TEST(CameraPage, ModelFactsChooseControls)
{
    CSetupCamera page;
    // Spot modes offered, EQ shown, the spot sequence's layouts shown (the main one always).
    const std::tuple<int, int, QStringList, bool, bool> rows[] = {
        {4, 16, {"Single", "Quad", "9 Split", "16 Split", "Sequence", "Off"}, false, true},
        {52, 8, {"Single", "Quad", "9 Split", "Sequence", "Off"}, false, true},
        {64, 4, {"Single", "Sequence", "Off"}, false, false},
        {116, 4, {"Single", "Quad", "Sequence", "Off"}, true, true},
    };
    for (const auto& [model, channels, modes, eq, spotLayouts] : rows) {
        SCOPED_TRACE(model);
        page.InitDvrInfo(Info(model, channels));
        EXPECT_EQ(Items(Child<QComboBox>(page, "spotMode")), modes);
        EXPECT_EQ(Child<QFrame>(page, "eqFrame")->isHidden(), !eq);
        EXPECT_EQ(Child<QSpinBox>(page, "ptzChannel")->maximum(), channels);
        EXPECT_FALSE(Child<QFrame>(page, "seqFrame")->findChild<QCheckBox*>("chM1")->isHidden());
        EXPECT_EQ(!Child<QWidget>(page, "spotPage4")->findChild<QCheckBox*>("chM1")->isHidden(), spotLayouts);
        EXPECT_EQ(Child<QLineEdit>(page, "name4")->isHidden(), channels == 4);
        // PTZ ids 1..N from the defaults.
        EXPECT_EQ(page.GetConf().ptz(channels - 1).id(), uint32_t(channels));
    }
    // Titles of the wrong count are replaced, rebuilt PTZ entries carry id 0; the PTZ channel
    // stays within the list.
    config::Camera c = Camera_Defaults(16);
    c.mutable_channel(0)->set_name("gate");
    page.SetConf(c);
    EXPECT_EQ(Child<QLineEdit>(page, "name0")->text(), "CH-01");
    Child<QSpinBox>(page, "ptzChannel")->setValue(99);
    EXPECT_EQ(Child<QSpinBox>(page, "ptzChannel")->value(), 4);
    EXPECT_EQ(Child<QSpinBox>(page, "ptzID")->value(), 0);
    // EQ on AHD2.
    Child<QSpinBox>(page, "eqChannel")->setValue(2);
    Child<QRadioButton>(page, "eqOn")->click();
    EXPECT_TRUE(page.GetConf().channel(1).eq());
    EXPECT_FALSE(page.GetConf().channel(0).eq());
}

// Scrolling a name edit to the end of the name moves nothing when the whole name is shown.
TEST(CameraPage, ATwentyCharacterNameIsShownWhole)
{
    const uitest::ProgramStyle style;
    CSetupCamera page;
    page.InitDvrInfo(Info(4, 16));
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    for (int channel = 0; channel < 16; ++channel) {
        auto* edit = Child<QLineEdit>(page, QStringLiteral("name%1").arg(channel).toLatin1());
        edit->setText(QStringLiteral("FRONT DOOR CAMERA %1").arg(channel + 1, 2, 10, QLatin1Char('0')));
        edit->clearFocus();  // no cursor in the pictures
        edit->home(false);
        const QImage start = edit->grab().toImage();
        edit->end(false);
        EXPECT_TRUE(edit->grab().toImage() == start) << channel;
    }
    uitest::Screenshot(&page, "camera_long_names");
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
    c.mutable_spot()->RemoveLast();
    c.mutable_spot(0)->set_mode(config::Camera_Spot::MODE_QUAD);
    c.mutable_spot(0)->set_ch_num_single(9);
    page.SetConf(c);
    EXPECT_EQ(std::make_pair(mode->currentIndex(), stack->currentIndex()), std::make_pair(-1, 1));
    config::Camera_Spot got = page.GetConf().spot(0);
    EXPECT_EQ(std::make_pair(got.mode(), got.ch_num_single()), std::make_pair(config::Camera_Spot::MODE_QUAD, 9u));
    EXPECT_TRUE(got.has_ch_mask_quad() && got.has_ch_mask_nona() && got.has_ch_mask_seq() && got.has_seq_time());

    // The shown page is the mode's value, not the combo's index: Off keeps the page shown and
    // stores mode 5 with all selections; nothing ticked in Single stores CH1.
    mode->setCurrentIndex(0);
    auto* single = Child<QWidget>(page, "spotPage0")->findChild<CChannelWidget*>();
    ASSERT_TRUE(single);
    single->findChild<QCheckBox*>("ch2")->click();
    mode->setCurrentIndex(2);
    EXPECT_EQ(std::make_pair(mode->currentText(), stack->currentIndex()), std::make_pair(QString("Off"), 0));
    got = page.GetConf().spot(0);
    EXPECT_EQ(std::make_pair(got.mode(), got.ch_num_single()), std::make_pair(config::Camera_Spot::MODE_OFF, 2u));
    single->findChild<QCheckBox*>("ch2")->click();
    EXPECT_EQ(page.GetConf().spot(0).ch_num_single(), 0u);

    // On 4 channels Quad is offered but shows no boxes, and its mask keeps 15.
    page.InitDvrInfo(Info(53, 4));
    mode->setCurrentIndex(1);
    EXPECT_EQ(std::make_pair(mode->currentText(), stack->currentIndex()), std::make_pair(QString("Quad"), 1));
    got = page.GetConf().spot(0);
    EXPECT_EQ(std::make_pair(got.mode(), got.ch_mask_quad()), std::make_pair(config::Camera_Spot::MODE_QUAD, 15u));

    // The Single channel: the lowest ticked one below N, else CH1.
    const std::tuple<unsigned long, int, uint32_t> singles[] = {
        {0, 16, 0}, {0b1000, 16, 3}, {0b1010, 4, 1}, {0x100, 4, 0}, {0xFFFFFFFF, 16, 0}};
    for (const auto& [mask, n, ch] : singles)
        EXPECT_EQ(Spot_SingleChannel(mask, n), ch) << mask;
}

// ---- HDD and System -------------------------------------------------------------------------

TEST(HddPage, WhatAFillShowsAndAfterALanguageChangeStillShows)
{
    CSetupHdd page;
    auto* deletion = Child<QComboBox>(page, "forceDeletion");
    auto* interval = Child<QComboBox>(page, "smartCheckInterval");
    // Deletion shown (-1: none, the number stays stored), S.M.A.R.T. shown on; without the field
    // the check is on, and from then on the field is present.
    const std::tuple<config::Hdd, int, bool> rows[] = {
        {HddOf(37, true), 37, true}, {HddOf(150, true), -1, true}, {HddOf(0, false), 0, false},
        {HddOf(5, false, false), 5, true}};
    for (bool language : {false, true})
        for (const auto& [hdd, shown, smart] : rows) {
            page.SetConf(hdd);
            if (language)
                ChangeLanguage(&page);  // the lists are built again
            EXPECT_EQ(Child<QComboBox>(page, "writeMode")->currentText(), "ONCE");
            EXPECT_EQ(deletion->currentIndex(), shown);
            EXPECT_EQ(Child<QButtonGroup>(page, "smartGroup")->checkedId(), smart ? 1 : 0);
            EXPECT_EQ(interval->isEnabled(), smart);
            EXPECT_EQ(interval->currentText(), "24 hours");
            config::Hdd expected = hdd;
            expected.mutable_smart()->set_smart(smart);
            EXPECT_EQ(Bytes(page.GetConf()), Bytes(expected)) << hdd.mode().forced_deletion() << " " << language;
        }
}

TEST(SystemPage, WhatAFillShowsAndWhatComesBack)
{
    CSetupSystem page;
    // The model's languages; the sensor rows only with sensors, their fields kept when hidden.
    for (const auto& [model, sensors] : {std::pair(10, false), {4, true}}) {
        page.InitDvrInfo(WithLanguages(model, 16));
        EXPECT_EQ(Items(Child<QComboBox>(page, "language")), (QStringList{"English", "French"}));
        for (const char* name : {"sensorLabel", "sensorOff", "sensorOn", "sensorIconLabel", "sensorIconOn"})
            EXPECT_EQ(Child<QWidget>(page, name)->isHidden(), !sensors) << name << " " << model;
        EXPECT_TRUE(page.GetConf().display().sensor_icon());
    }
    auto* zone = Child<QComboBox>(page, "timezone");
    auto* language = Child<QComboBox>(page, "language");
    // What the fill is given, what it shows, and what GetConf returns beyond the input.
    using S = config::System*;
    const std::tuple<const char*, std::function<void(S)>, std::function<void()>, std::function<void(S)>> rows[] = {
        {"id beyond 255", [](S s) { s->mutable_name_id()->set_dvr_id(300); },
         [&] { EXPECT_EQ(Child<QSpinBox>(page, "systemID")->value(), 0); },
         [](S s) { s->mutable_name_id()->set_dvr_id(0); }},
        {"zone", [](S s) { s->mutable_time_date()->set_time_zone("Asia/Seoul"); },
         [&] { EXPECT_EQ(zone->currentIndex(), 18); }, {}},
        {"zone in lower case", [](S s) { s->mutable_time_date()->set_time_zone("asia/seoul"); },
         [&] { EXPECT_EQ(zone->currentIndex(), -1); }, {}},
        {"language in upper case", [](S s) { s->set_language("FRENCH"); },
         [&] { EXPECT_EQ(language->currentText(), "French"); }, {}},
        {"unknown language", [](S s) { s->set_language("klingon"); }, [&] { EXPECT_EQ(language->currentIndex(), 0); },
         {}},
        {"reboot hour beyond the list", [](S s) { s->mutable_auto_reboot()->set_time(30); },
         [&] { EXPECT_EQ(Child<QComboBox>(page, "autoRebootTime")->currentIndex(), -1); }, {}},
        {"fields without a control",
         [](S s) {
             s->set_operation_mode(7), s->set_playback_mode(0), s->mutable_display()->set_osg_position(2);
             s->mutable_display()->mutable_hdmi_vga_adjust()->set_contrast(3);
             s->mutable_display()->mutable_vga_only_adjust()->set_vsharpness(12);
         },
         [] {}, {}},
    };
    for (const auto& [name, set, shown, beyond] : rows) {
        SCOPED_TRACE(name);
        config::System sys;
        set(&sys);
        page.SetConf(sys);
        shown();
        if (beyond)
            beyond(&sys);
        // Untouched, the reboot day and hour come back present.
        if (!sys.auto_reboot().has_day())
            sys.mutable_auto_reboot()->set_day(config::System_AutoReboot::OFF);
        if (!sys.auto_reboot().has_time())
            sys.mutable_auto_reboot()->set_time(0);
        EXPECT_EQ(Bytes(page.GetConf()), Bytes(sys));
    }
}

TEST(SystemPage, ALanguageChangeTranslatesTheRebootDaysAndKeepsTheDayShown)
{
    CSetupSystem page;
    config::System sys;
    sys.mutable_auto_reboot()->set_day(config::System_AutoReboot::TUESDAY);
    page.SetConf(sys);
    auto* day = Child<QComboBox>(page, "autoRebootDay");
    const int tuesday = day->currentIndex();
    MarkingTranslator marking;
    ChangeLanguageTo(marking, &page);
    EXPECT_EQ(day->itemText(1), "[Sunday]");
    EXPECT_EQ(day->currentIndex(), tuesday);
    EXPECT_EQ(page.GetConf().auto_reboot().day(), config::System_AutoReboot::TUESDAY);
}

TEST(SystemPage, ZonesByTheirOwnNameInEveryLanguage)
{
    ZoneTranslator translator;
    QCoreApplication::installTranslator(&translator);
    CSetupSystem page;
    QCoreApplication::removeTranslator(&translator);
    page.InitDvrInfo(WithLanguages(4, 16));
    auto* zone = Child<QComboBox>(page, "timezone");
    EXPECT_EQ(zone->itemText(18), "Asia/Seoul");
    EXPECT_EQ(Child<QComboBox>(page, "autoRebootDay")->itemText(1), "Sonntag");
    zone->setCurrentIndex(18);
    EXPECT_EQ(page.GetConf().time_date().time_zone(), "Asia/Seoul");

    // A language change retranslates the form only.
    const config::System before = page.GetConf();
    ChangeLanguage(&page);
    EXPECT_EQ(zone->itemText(18), "Asia/Seoul");
    EXPECT_EQ(Bytes(page.GetConf()), Bytes(before));
}
