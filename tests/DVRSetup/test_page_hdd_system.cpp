// The HDD and System pages: their lists, what a fill shows and what the controls store.

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTranslator>

#include <functional>

#include "DVRSetup/PageRules.h"
#include "DVRSetup/SetupHdd.h"
#include "DVRSetup/SetupSystem.h"
#include "setup_test_util.h"

using namespace setuptest;

namespace {

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

}  // namespace

TEST(HddPage, DefaultsAndWhatAFillShows)
{
    CSetupHdd page;
    auto* write = Child<QComboBox>(page, "writeMode");
    auto* deletion = Child<QComboBox>(page, "forceDeletion");
    auto* interval = Child<QComboBox>(page, "smartCheckInterval");
    EXPECT_EQ(Items(write), (QStringList{"ONCE", "OVERWRITE"}));
    EXPECT_EQ(deletion->count(), 100);
    EXPECT_EQ(deletion->itemText(99), "99");
    EXPECT_EQ(Items(interval), (QStringList{"6 hours", "12 hours", "24 hours"}));
    EXPECT_EQ(write->currentText(), "OVERWRITE");
    EXPECT_EQ(deletion->currentText(), "Off");
    EXPECT_TRUE(Child<QRadioButton>(page, "smartOn")->isChecked());
    EXPECT_EQ(interval->currentText(), "6 hours");
    EXPECT_TRUE(interval->isEnabled());

    const struct {
        const char* name;
        config::Hdd hdd;
        int shownDeletion;
        bool smartShown;
    } rows[] = {
        {"37", HddOf(37, true), 37, true},
        // Beyond the list: no selection, and the number stays stored.
        {"150", HddOf(150, true), -1, true},
        {"smart off", HddOf(0, false), 0, false},
        // Without the field the check is on, and from now on the field is present.
        {"no smart field", HddOf(5, false, false), 5, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        page.SetConf(row.hdd);
        EXPECT_EQ(write->currentText(), "ONCE");
        EXPECT_EQ(deletion->currentIndex(), row.shownDeletion);
        EXPECT_EQ(Child<QButtonGroup>(page, "smartGroup")->checkedId(), row.smartShown ? 1 : 0);
        EXPECT_EQ(interval->isEnabled(), row.smartShown);
        EXPECT_EQ(interval->currentText(), "24 hours");
        config::Hdd expected = row.hdd;
        expected.mutable_smart()->set_smart(row.smartShown);
        EXPECT_EQ(Bytes(page.GetConf()), Bytes(expected));
    }
}

TEST(HddPage, ControlsStoreAtOnceAndALanguageChangeShowsTheMessageAgain)
{
    CSetupHdd page;
    page.SetConf(HddOf(150, false));
    auto* deletion = Child<QComboBox>(page, "forceDeletion");
    Child<QRadioButton>(page, "smartOn")->click();
    EXPECT_TRUE(Child<QComboBox>(page, "smartCheckInterval")->isEnabled());
    config::Hdd got = page.GetConf();
    EXPECT_TRUE(got.smart().smart());
    EXPECT_EQ(got.smart().check_interval(), config::Hdd_Smart::INTERVAL_24HOURS);

    deletion->setCurrentIndex(0);
    Child<QComboBox>(page, "writeMode")->setCurrentIndex(1);
    Child<QComboBox>(page, "smartCheckInterval")->setCurrentIndex(1);
    got = page.GetConf();
    EXPECT_EQ(got.mode().forced_deletion(), 0u);
    EXPECT_EQ(got.mode().write_mode(), config::Hdd::WRITE_OVERWRITE);
    EXPECT_EQ(got.smart().check_interval(), config::Hdd_Smart::INTERVAL_12HOURS);

    page.SetConf(HddOf(42, false));
    ChangeLanguage(&page);
    EXPECT_EQ(deletion->currentText(), "42");
    EXPECT_EQ(Child<QComboBox>(page, "writeMode")->currentText(), "ONCE");
    EXPECT_EQ(Child<QComboBox>(page, "smartCheckInterval")->currentText(), "24 hours");
    EXPECT_FALSE(Child<QComboBox>(page, "smartCheckInterval")->isEnabled());
    EXPECT_EQ(Bytes(page.GetConf()), Bytes(HddOf(42, false)));
}

// ---- System ----------------------------------------------------------------------------------

namespace {

// Offers a zone name and a day name of the System page, as a loaded language file would: only
// the day is taken, zones stay the names the DVR stores.
class ZoneTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (QByteArray(context) != "CSetupSystem")
            return QString();
        if (QByteArray(source) == "Asia/Seoul")
            return QStringLiteral("Seoul (Korea)");
        if (QByteArray(source) == "Sunday")
            return QStringLiteral("Sonntag");
        return QString();
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

TEST(SystemPage, ListsAndTheSensorRowsFollowTheModel)
{
    CSetupSystem page;
    EXPECT_EQ(Items(Child<QComboBox>(page, "timeFormat")), (QStringList{"24", "12 AM/PM"}));
    EXPECT_EQ(Items(Child<QComboBox>(page, "dateFormat")), (QStringList{"YYYY/MM/DD", "DD/MM/YYYY", "MM/DD/YYYY"}));
    EXPECT_EQ(Child<QComboBox>(page, "vgaMode")->itemText(4), "1920x1080");
    EXPECT_EQ(Child<QComboBox>(page, "autoRebootDay")->count(), 9);
    EXPECT_EQ(Child<QComboBox>(page, "autoRebootDay")->itemText(8), "Everyday");
    const QStringList hours = Items(Child<QComboBox>(page, "autoRebootTime"));
    EXPECT_EQ(hours.size(), 24);
    EXPECT_EQ(hours.first(), " 0:00");
    EXPECT_EQ(hours.last(), "23:00");
    EXPECT_EQ(Child<QComboBox>(page, "timezone")->itemText(18), "Asia/Seoul");
    EXPECT_TRUE(Child<QComboBox>(page, "language")->count() == 0);

    const struct {
        int model, channels;
        bool sensors;
    } rows[] = {{4, 16, true}, {10, 16, false}, {65, 8, true}, {56, 4, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.model);
        page.InitDvrInfo(WithLanguages(row.model, row.channels));
        EXPECT_EQ(Items(Child<QComboBox>(page, "language")), (QStringList{"English", "French"}));
        for (const char* name : {"sensorLabel", "sensorOff", "sensorOn", "sensorIconLabel", "sensorIconOn"})
            EXPECT_EQ(Child<QWidget>(page, name)->isHidden(), !row.sensors) << name;
        // Hidden rows keep their fields.
        EXPECT_TRUE(page.GetConf().display().sensor_icon());
    }
    EXPECT_EQ(Capitalize("ENGLISH"), "English");
    EXPECT_EQ(Capitalize("chinese_tw"), "Chinese_tw");
    EXPECT_EQ(Capitalize(""), "");
}

TEST(SystemPage, WhatAFillShowsAndWhatComesBack)
{
    CSetupSystem page;
    page.InitDvrInfo(WithLanguages(4, 16));
    auto* zone = Child<QComboBox>(page, "timezone");
    auto* language = Child<QComboBox>(page, "language");
    auto* hour = Child<QComboBox>(page, "autoRebootTime");
    const struct {
        const char* name;
        std::function<void(config::System*)> set;
        std::function<void()> shown;
        std::function<void(config::System*)> expect;  // what GetConf returns beyond the input
    } rows[] = {
        {"id beyond 255", [](config::System* s) { s->mutable_name_id()->set_dvr_id(300); },
         [&] { EXPECT_EQ(Child<QSpinBox>(page, "systemID")->value(), 0); },
         [](config::System* s) { s->mutable_name_id()->set_dvr_id(0); }},
        {"zone", [](config::System* s) { s->mutable_time_date()->set_time_zone("Asia/Seoul"); },
         [&] { EXPECT_EQ(zone->currentIndex(), 18); }, {}},
        {"zone in lower case", [](config::System* s) { s->mutable_time_date()->set_time_zone("asia/seoul"); },
         [&] { EXPECT_EQ(zone->currentIndex(), -1); }, {}},
        {"language in upper case", [](config::System* s) { s->set_language("FRENCH"); },
         [&] { EXPECT_EQ(language->currentText(), "French"); }, {}},
        {"unknown language", [](config::System* s) { s->set_language("klingon"); },
         [&] { EXPECT_EQ(language->currentIndex(), 0); }, {}},
        {"reboot hour beyond the list", [](config::System* s) { s->mutable_auto_reboot()->set_time(30); },
         [&] { EXPECT_EQ(hour->currentIndex(), -1); },
         [](config::System* s) { s->mutable_auto_reboot()->set_day(config::System_AutoReboot::OFF); }},
        {"fields without a control",
         [](config::System* s) {
             s->set_operation_mode(7);
             s->set_playback_mode(0);
             s->mutable_display()->mutable_hdmi_vga_adjust()->set_contrast(3);
             s->mutable_display()->mutable_vga_only_adjust()->set_vsharpness(12);
             s->mutable_display()->set_osg_position(2);
         },
         [] {}, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        config::System sys;
        row.set(&sys);
        page.SetConf(sys);
        row.shown();
        config::System expected = sys;
        if (row.expect)
            row.expect(&expected);
        // Untouched, the reboot day and hour come back present.
        if (!expected.auto_reboot().has_day())
            expected.mutable_auto_reboot()->set_day(config::System_AutoReboot::OFF);
        if (!expected.auto_reboot().has_time())
            expected.mutable_auto_reboot()->set_time(0);
        EXPECT_EQ(Bytes(page.GetConf()), Bytes(expected));
    }
}

TEST(SystemPage, ControlsStoreTheirFieldsZonesByTheirOwnName)
{
    ZoneTranslator translator;
    QCoreApplication::installTranslator(&translator);
    CSetupSystem page;
    QCoreApplication::removeTranslator(&translator);
    page.InitDvrInfo(WithLanguages(4, 16));
    auto* zone = Child<QComboBox>(page, "timezone");
    EXPECT_EQ(zone->itemText(18), "Asia/Seoul");
    EXPECT_EQ(Child<QComboBox>(page, "autoRebootDay")->itemText(1), "Sonntag");
    config::System sys;
    sys.mutable_time_date()->set_time_zone("Asia/Seoul");
    page.SetConf(sys);
    EXPECT_EQ(zone->currentIndex(), 18);
    zone->setCurrentIndex(0);
    zone->setCurrentIndex(18);
    EXPECT_EQ(page.GetConf().time_date().time_zone(), "Asia/Seoul");

    // NTP off disables the address; On enables it and keeps the text.
    auto* address = Child<QLineEdit>(page, "ntpAddress");
    EXPECT_FALSE(address->isEnabled());
    Child<QRadioButton>(page, "ntpOn")->click();
    EXPECT_TRUE(address->isEnabled());
    EXPECT_EQ(address->text(), "pool.ntp.org");

    Child<QComboBox>(page, "language")->setCurrentIndex(1);
    Child<QComboBox>(page, "language")->setCurrentIndex(0);
    Child<QLineEdit>(page, "systemName")->setText("Gate");
    Child<QSpinBox>(page, "systemID")->setValue(42);
    Child<QComboBox>(page, "timeFormat")->setCurrentIndex(1);
    Child<QComboBox>(page, "dateFormat")->setCurrentIndex(2);
    Child<QComboBox>(page, "vgaMode")->setCurrentIndex(3);
    Child<QComboBox>(page, "autoRebootDay")->setCurrentIndex(8);
    Child<QComboBox>(page, "autoRebootTime")->setCurrentIndex(23);
    for (const char* on : {"sensorOn", "motionOn", "videolossOn", "recFailOn", "recWarnOn"})
        Child<QRadioButton>(page, on)->click();
    for (const char* off : {"camNameOff", "recIconOff", "motionIconOff", "sensorIconOff", "taskbarOff"})
        Child<QRadioButton>(page, off)->click();
    const config::System got = page.GetConf();
    EXPECT_TRUE(got.time_date().using_ntp());
    EXPECT_EQ(got.language(), "english");
    EXPECT_EQ(got.name_id().dvr_name(), "Gate");
    EXPECT_EQ(got.name_id().dvr_id(), 42u);
    EXPECT_EQ(got.time_date().time_format(), config::System_TimeDate::TIME_FORMAT_12);
    EXPECT_EQ(got.time_date().date_format(), config::System_TimeDate::DATE_FORMAT_MMDDYYYY);
    EXPECT_EQ(got.display().vga_mode(), config::System_Display::VGA_1440x900);
    EXPECT_EQ(got.auto_reboot().day(), config::System_AutoReboot::EVERYDAY);
    EXPECT_EQ(got.auto_reboot().time(), 23u);
    const config::System_Buzzer& b = got.buzzer();
    EXPECT_TRUE(b.sensor() && b.motion() && b.video_loss() && b.record_fail() && b.record_warning());
    const config::System_Display& d = got.display();
    EXPECT_FALSE(d.camera_name() || d.rec_icon() || d.motion_icon() || d.sensor_icon() || d.task_bar());

    // A language change retranslates the form only.
    ChangeLanguage(&page);
    EXPECT_EQ(zone->itemText(18), "Asia/Seoul");
    EXPECT_EQ(Bytes(page.GetConf()), Bytes(got));
}
