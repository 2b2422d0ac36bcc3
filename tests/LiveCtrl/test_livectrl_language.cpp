// The live control panel in the operator's language, and a language chosen while it is open.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include "LiveCtrl/AutoPresetWidget.h"
#include "LiveCtrl/LiveCtrlWidget.h"
#include "LiveCtrl/PtzfWidget.h"
#include "Settings/Language.h"
#include "support/LanguageSupport.h"
#include "support/UiTestSupport.h"

namespace {

template <class W>
W* Child(const QWidget* panel, const char* name)
{
    W* w = panel->findChild<W*>(QLatin1String(name));
    EXPECT_TRUE(w) << name;
    return w;
}

}  // namespace

TEST(LiveCtrlLanguage, SpeedNamesAndPresetItemsAreInTheLanguageOfTheStart)
{
    uitest::Sandbox sandbox;
    uitest::EnglishAtTheEnd english;
    CAppSettings().writeSetting("Speed", 3);
    uitest::ChooseLanguage("German");
    CLiveCtrlWidget panel;
    EXPECT_EQ(Child<QLabel>(&panel, "SpeedLabel")->text(), "Sehr schnell");
    for (const char* preset : {"presetNum", "StartPreset", "EndPreset"}) {
        EXPECT_EQ(Child<QComboBox>(&panel, preset)->itemText(0), "Preset 1") << preset;
        EXPECT_EQ(Child<QComboBox>(&panel, preset)->itemText(98), "Preset 99") << preset;
    }
}

TEST(LiveCtrlLanguage, ALanguageChangeKeepsThePresetsAndTheSpeedChosen)
{
    uitest::Sandbox sandbox;
    uitest::EnglishAtTheEnd english;
    CLiveCtrlWidget panel;
    Child<QSlider>(&panel, "Speed")->setValue(1);
    const std::pair<const char*, int> presets[] = {{"presetNum", 41}, {"StartPreset", 3}, {"EndPreset", 17}};
    for (const auto& [name, index] : presets)
        Child<QComboBox>(&panel, name)->setCurrentIndex(index);
    uitest::ChooseLanguage("Japanese");
    for (const auto& [name, index] : presets)
        EXPECT_EQ(Child<QComboBox>(&panel, name)->currentIndex(), index) << name;
    EXPECT_EQ(Child<QComboBox>(&panel, "presetNum")->currentText(), "プリセット 42");
    EXPECT_EQ(Child<QSlider>(&panel, "Speed")->value(), 1);
    EXPECT_EQ(Child<QLabel>(&panel, "SpeedLabel")->text(), "標準");
}

TEST(LiveCtrlLanguage, EverySpeedNameFitsItsLabelInEveryLanguage)
{
    uitest::Sandbox sandbox;
    uitest::ProgramStyle style;
    uitest::EnglishAtTheEnd english;
    CLiveCtrlWidget panel;
    panel.show();
    auto* speed = Child<QSlider>(&panel, "Speed");
    auto* label = Child<QLabel>(&panel, "SpeedLabel");
    const QStringList languages = CLanguage().getLanguageName();
    for (const QString& language : languages) {
        uitest::ChooseLanguage(language);
        for (int value = speed->minimum(); value <= speed->maximum(); ++value) {
            speed->setValue(value);
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width())
                << language.toStdString() << ": " << label->text().toStdString();
        }
    }
}

namespace {

// The tour's start and end boxes as the panel lays them out on its tour page.
std::pair<int, int> TourBoxWidths(CLiveCtrlWidget& panel)
{
    panel.changeWidget(CLiveCtrlWidget::PAGE_AUTO_PRESET);
    QCoreApplication::processEvents();
    return {Child<QComboBox>(&panel, "StartPreset")->width(), Child<QComboBox>(&panel, "EndPreset")->width()};
}

}  // namespace

TEST(LiveCtrlLanguage, TourBoxesShownBeforeASwitchAreAsWideAsAtAStartInTheNewLanguage)
{
    uitest::Sandbox sandbox;
    uitest::ProgramStyle style;
    uitest::EnglishAtTheEnd english;
    std::pair<int, int> started;
    {
        uitest::ChooseLanguage("French");
        CLiveCtrlWidget panel;
        panel.show();
        started = TourBoxWidths(panel);
    }
    uitest::ChooseLanguage("English");
    CLiveCtrlWidget panel;
    panel.show();
    const std::pair<int, int> inEnglish = TourBoxWidths(panel);
    uitest::ChooseLanguage("French");
    EXPECT_NE(started, inEnglish);
    EXPECT_EQ(TourBoxWidths(panel), started);
}
