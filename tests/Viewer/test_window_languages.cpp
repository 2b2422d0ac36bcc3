// Every language chosen in PC setup while the window is open: each text of the program's
// windows, pages and panels (hidden ones too) reads as after a start in that language.

#include "Settings/Language.h"
#include "language_rig.h"
#include "support/WidgetTexts.h"

using namespace windowtest;

TEST(WindowLanguages, EveryTextAfterALanguageChangeReadsAsAfterAStartInThatLanguage)
{
    QStringList languages = CLanguage().getLanguageName();
    ASSERT_EQ(languages.size(), 9);
    // English last, so that every language is also left once.
    languages.removeAll("English");
    languages << "English";
    QString previous = "English";
    const uitest::WidgetTexts english = LanguageRig(previous).texts();
    for (const QString& language : languages) {
        uitest::WidgetTexts changed;
        {
            LanguageRig rig(previous);
            rig.chooseLanguage(language);
            changed = rig.texts();
        }
        uitest::WidgetTexts started;
        {
            LanguageRig rig(language);
            started = rig.texts();
        }
        if (language != "English") {
            EXPECT_NE(started, english) << language.toStdString() << " starts in English";
        }
        const QStringList differences = uitest::TextDifferences(changed, started);
        EXPECT_TRUE(differences.isEmpty()) << previous.toStdString() << " -> " << language.toStdString()
                                           << " (changed / started):\n"
                                           << differences.join('\n').toStdString();
        previous = language;
    }
}
