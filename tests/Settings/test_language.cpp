#include <QLocale>
#include <QTranslator>

#include <gtest/gtest.h>

#include "Settings/Language.h"

TEST(Language, NineBuiltInTranslationsThatLoad)
{
    CLanguage language;
    EXPECT_EQ(language.getLanguageCode(), (QStringList{"de", "en", "fr", "ja", "ko", "nb", "ru", "tr", "zh_tw"}));
    ASSERT_EQ(language.getLanguageName(),
              (QStringList{"German", "English", "French", "Japanese", "Korean",
                           QLocale::languageToString(QLocale::NorwegianBokmal), "Russian", "Turkish", "Chinese"}));
    const QStringList locales{"de_DE", "en_US", "fr_FR", "ja_JP", "ko_KR", "nb_NO", "ru_RU", "tr_TR", "zh_TW"};
    for (int i = 0; i < locales.size(); ++i) {
        const QString file = language.getLanguageFileName(language.getLanguageName().at(i));
        QTranslator translator;
        ASSERT_TRUE(translator.load(file, CLanguage::LANGUAGE_PATH, QString(), QString())) << file.toStdString();
        EXPECT_EQ(translator.language(), locales.at(i));
    }
    for (const QString& unknown : {QString("korean"), QString("Klingon"), QString()})
        EXPECT_EQ(language.getLanguageFileName(unknown), "");
}
