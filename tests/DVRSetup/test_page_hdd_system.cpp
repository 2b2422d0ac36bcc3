// The HDD and System pages: their lists, what a fill shows and what the controls store.

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include "DVRSetup/SetupHdd.h"
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
