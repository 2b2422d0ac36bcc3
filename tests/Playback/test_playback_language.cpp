// The search and playback panels when the operator chooses another language: what they show of
// the last search and of the playback stays, in the new language where it is a text.

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

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
