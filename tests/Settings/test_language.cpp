#include <QLocale>
#include <QTranslator>

#include <gtest/gtest.h>

#include "Settings/Language.h"

TEST(Language, ListsTheNineBuiltInTranslations)
{
    CLanguage language;
    EXPECT_EQ(language.getLanguageCode(),
              (QStringList{"de", "en", "fr", "ja", "ko", "nb", "ru", "tr", "zh_tw"}));
    EXPECT_EQ(language.getLanguageName(),
              (QStringList{"German", "English", "French", "Japanese", "Korean",
                           QLocale::languageToString(QLocale::NorwegianBokmal), "Russian", "Turkish",
                           "Chinese"}));

    EXPECT_EQ(language.getLanguageFileName("Korean"), "viewer_ko.qm");
    EXPECT_EQ(language.getLanguageFileName("Chinese"), "viewer_zh_tw.qm");
    EXPECT_EQ(language.getLanguageFileName("korean"), "");
    EXPECT_EQ(language.getLanguageFileName("Klingon"), "");
    EXPECT_EQ(language.getLanguageFileName(QString()), "");
}

TEST(Language, EveryListedFileLoadsAsATranslation)
{
    CLanguage language;
    const QStringList locales{"de_DE", "en_US", "fr_FR", "ja_JP", "ko_KR", "nb_NO", "ru_RU", "tr_TR", "zh_TW"};
    ASSERT_EQ(language.getLanguageName().size(), locales.size());
    for (int i = 0; i < locales.size(); ++i) {
        const QString file = language.getLanguageFileName(language.getLanguageName().at(i));
        QTranslator translator;
        ASSERT_TRUE(translator.load(file, CLanguage::LANGUAGE_PATH, QString(), QString())) << file.toStdString();
        EXPECT_EQ(translator.language(), locales.at(i));
    }
}
