// Every language chosen in PC setup in turn, starting from a stored language the program does
// not offer: the dialog's own texts, Qt's standard buttons and the font of Han characters
// follow at once.

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLocale>
#include <QPushButton>

#include <gtest/gtest.h>

#include "PCSetup/PCSetupDialog.h"
#include "PCSetup/PCSetupPage.h"
#include "Settings/Translator.h"
#include "support/UiTestSupport.h"

TEST(PCSetupLanguage, EachLanguageRetranslatesTheDialogAndQtsOwnButtons)
{
    uitest::Sandbox sandbox;
    uitest::ScriptedPrompt prompt;
    CAppSettings().writeLanguage("Klingon");
    EXPECT_FALSE(CTranslator::installStored());
    const QStringList families = QApplication::font().families();
    CPCSetupDialog dialog;
    QComboBox* language = dialog.setupPage()->choiceBox("Language");
    QPushButton* cancel = dialog.findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Cancel);

    struct Row {
        QString language;
        QString title;
        QString cancel;
        QString hanFont;  // behind the application's own (fonts-noto-cjk)
    };
    const Row rows[] = {
        {"German", "PC-Einstellungen", "Abbrechen", ""},
        {"Japanese", "PC設定", "キャンセル", "Noto Sans CJK JP"},
        {"Korean", "PC 설정", "취소", ""},
        {"Russian", "Настройки ПК", "Отмена", ""},
        {"Turkish", "PC Ayarları", "İptal", ""},
        {"Chinese", "電腦設定", "取消", "Noto Sans CJK TC"},
        {"French", "Réglages PC", "Annuler", ""},
        // Debian has no Qt texts in Norwegian Bokmål: Qt's own stay English.
        {QLocale::languageToString(QLocale::NorwegianBokmal), "PC-oppsett", "Cancel", ""},
        {"German", "PC-Einstellungen", "Abbrechen", ""},
        {"English", "PC Setup", "Cancel", ""},
    };
    for (const Row& row : rows) {
        language->setCurrentText(row.language);
        ASSERT_EQ(language->currentText(), row.language);
        dialog.accept();
        QCoreApplication::processEvents();
        EXPECT_EQ(dialog.windowTitle(), row.title) << row.language.toStdString();
        EXPECT_EQ(cancel->text(), row.cancel) << row.language.toStdString();
        EXPECT_EQ(QApplication::font().families(), row.hanFont.isEmpty() ? families : families + QStringList(row.hanFont));
    }
    CTranslator::setLanguage(QString());
}
