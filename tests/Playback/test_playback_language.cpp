// The search and playback panels when the operator chooses another language: what they show of
// the last search and of the playback stays, in the new language where it is a text; the
// calendar names months and days in the chosen language.

#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

#include "Playback/CalendarWidget.h"
#include "Playback/PbButtons.h"
#include "Playback/SearchWidget.h"
#include "support/LanguageSupport.h"
#include "SysData/RecordFiles.h"

TEST(SearchPanelLanguage, TheStatusOfTheLastSearchIsTranslatedAndTheDateStays)
{
    uitest::EnglishAtTheEnd english;
    QTemporaryDir folder;
    QFile index(folder.filePath(QStringLiteral("cam") + recfile::QDX_SUFFIX));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write("no index");
    index.close();
    CSearchWidget panel;
    panel.searchLocal(folder.path());
    const QString date = panel.findChild<QLabel*>("dateLabel")->text();
    ASSERT_FALSE(date.isEmpty());
    ASSERT_TRUE(panel.status().startsWith("Files not read: cam")) << panel.status().toStdString();
    uitest::ChooseLanguage("German");
    EXPECT_TRUE(panel.status().startsWith("Nicht gelesene Dateien: cam")) << panel.status().toStdString();
    EXPECT_EQ(panel.findChild<QLabel*>("dateLabel")->text(), date);
}

TEST(PlaybackButtonsLanguage, TheTipsAreTranslatedAndTheModeShownStays)
{
    uitest::EnglishAtTheEnd english;
    PbButtons buttons;
    buttons.setModeText("Playback( FORWARD x2 )");
    uitest::ChooseLanguage("French");
    EXPECT_EQ(buttons.button(cgi::PbControl::CMD_STOP)->toolTip(), "Arrêt");
    EXPECT_EQ(buttons.modeText(), "Playback( FORWARD x2 )");
}

namespace {

// The calendar at December 2026, whose first of the month is a Tuesday.
struct DecemberCalendar {
    DecemberCalendar() { calendar.setCurrentPage(2026, 12); }
    QString month() const { return calendar.findChild<QToolButton*>("qt_calendar_monthbutton")->text(); }
    // The name heading a column, Sunday's first.
    QString dayName(int column) const
    {
        const QAbstractItemModel* days = calendar.findChild<QTableView*>("qt_calendar_calendarview")->model();
        return days->index(0, column).data().toString();
    }
    CCalendarWidget calendar;
};

// The machine's own language, which the calendar must not follow; put back at the end.
struct SystemLocale {
    explicit SystemLocale(QLocale::Language language) { QLocale::setDefault(QLocale(language)); }
    ~SystemLocale() { QLocale::setDefault(previous); }
    const QLocale previous;
};

}  // namespace

TEST(CalendarLanguage, MonthAndDayNamesAreThoseOfTheLanguageOfTheStart)
{
    uitest::EnglishAtTheEnd english;
    uitest::ChooseLanguage("German");
    DecemberCalendar c;
    EXPECT_EQ(c.month(), "Dezember");
    EXPECT_EQ(c.dayName(0), QLocale(QLocale::German).dayName(Qt::Sunday, QLocale::ShortFormat));
}

TEST(CalendarLanguage, MonthAndDayNamesFollowALanguageChosenWhileItIsOpen)
{
    uitest::EnglishAtTheEnd english;
    DecemberCalendar c;
    uitest::ChooseLanguage("French");
    EXPECT_EQ(c.month(), "décembre");
    EXPECT_EQ(c.dayName(6), QLocale(QLocale::French).dayName(Qt::Saturday, QLocale::ShortFormat));
}

TEST(CalendarLanguage, EnglishChosenOnAMachineInAnotherLanguageShowsEnglishNames)
{
    SystemLocale system(QLocale::Russian);
    uitest::EnglishAtTheEnd english;
    uitest::ChooseLanguage("English");
    DecemberCalendar c;
    EXPECT_EQ(c.month(), "December");
    EXPECT_EQ(c.dayName(0), "Sun");
}

TEST(CalendarLanguage, WeeksStartOnSundayAlsoInALanguageWhoseWeeksStartOnMonday)
{
    uitest::EnglishAtTheEnd english;
    DecemberCalendar c;
    uitest::ChooseLanguage("French");
    EXPECT_EQ(c.calendar.firstDayOfWeek(), Qt::Sunday);
    EXPECT_EQ(c.dayName(0), QLocale(QLocale::French).dayName(Qt::Sunday, QLocale::ShortFormat));
}
