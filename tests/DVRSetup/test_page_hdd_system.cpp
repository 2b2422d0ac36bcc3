// The HDD and System pages: what a fill shows, what comes back, and a language change.

#include <QButtonGroup>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTranslator>

#include <functional>

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

TEST(HddPage, WhatAFillShowsAndAfterALanguageChangeStillShows)
{
    CSetupHdd page;
    auto* deletion = Child<QComboBox>(page, "forceDeletion");
    auto* interval = Child<QComboBox>(page, "smartCheckInterval");
    // Deletion shown (-1: none, the number stays stored), S.M.A.R.T. shown on; without the field
    // the check is on, and from then on the field is present.
    const std::tuple<config::Hdd, int, bool> rows[] = {
        {HddOf(37, true), 37, true}, {HddOf(150, true), -1, true}, {HddOf(0, false), 0, false}, {HddOf(5, false, false), 5, true}};
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
        return QByteArray(source) == "Asia/Seoul" ? "Seoul (Korea)" : QByteArray(source) == "Sunday" ? "Sonntag" : QString();
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

TEST(SystemPage, LanguagesAndTheSensorRowsFollowTheModel)
{
    CSetupSystem page;
    for (const auto& [model, channels, sensors] : {std::tuple(4, 16, true), {10, 16, false}, {65, 8, true}, {56, 4, false}}) {
        page.InitDvrInfo(WithLanguages(model, channels));
        EXPECT_EQ(Items(Child<QComboBox>(page, "language")), (QStringList{"English", "French"}));
        for (const char* name : {"sensorLabel", "sensorOff", "sensorOn", "sensorIconLabel", "sensorIconOn"})
            EXPECT_EQ(Child<QWidget>(page, name)->isHidden(), !sensors) << name << " " << model;
        // Hidden rows keep their fields.
        EXPECT_TRUE(page.GetConf().display().sensor_icon());
    }
}

TEST(SystemPage, WhatAFillShowsAndWhatComesBack)
{
    CSetupSystem page;
    page.InitDvrInfo(WithLanguages(4, 16));
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
        {"unknown language", [](S s) { s->set_language("klingon"); }, [&] { EXPECT_EQ(language->currentIndex(), 0); }, {}},
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

TEST(SystemPage, ZonesByTheirOwnNameTheNtpAddressOnlyWithNtp)
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

    auto* address = Child<QLineEdit>(page, "ntpAddress");
    EXPECT_FALSE(address->isEnabled());
    Child<QRadioButton>(page, "ntpOn")->click();
    EXPECT_TRUE(address->isEnabled());
    EXPECT_EQ(address->text(), "pool.ntp.org");

    // A language change retranslates the form only.
    const config::System before = page.GetConf();
    ChangeLanguage(&page);
    EXPECT_EQ(zone->itemText(18), "Asia/Seoul");
    EXPECT_EQ(Bytes(page.GetConf()), Bytes(before));
}
