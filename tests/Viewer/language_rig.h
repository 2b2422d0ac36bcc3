#pragma once

// A main window started in one language, and another chosen as the operator chooses it.

#include <QComboBox>
#include <QRegularExpression>

#include "PCSetup/PCSetupDialog.h"
#include "PCSetup/PCSetupPage.h"
#include "Settings/Translator.h"
#include "support/WidgetTexts.h"
#include "window_test_util.h"

namespace windowtest {

// A window started in `language`, with one group of one DVR in its tree.
struct LanguageRig : WindowRig {
    explicit LanguageRig(const QString& language)
    {
        Group* group = list.add_group();
        group->set_name("Site");
        DVR* dvr = group->add_dvr();
        dvr->set_name("Lobby");
        dvr->set_address("127.0.0.1");
        dvr->set_port(1);
        dvr->set_chnum(4);
        CAppSettings().writeLanguage(language);
        CTranslator::installStored();
        open();
        QCoreApplication::processEvents();
    }
    ~LanguageRig() { CTranslator::setLanguage(QString()); }

    // As the operator does it: PC setup, another language, OK.
    void chooseLanguage(const QString& language)
    {
        button("PCSetup")->click();
        CPCSetupDialog* dialog = window->pcSetupDialog();
        QComboBox* box = dialog->setupPage()->choiceBox("Language");
        box->setCurrentText(language);
        ASSERT_EQ(box->currentText(), language);
        dialog->accept();
        QCoreApplication::processEvents();
    }
    // The folders are the sandbox's own, and numbers tell the moment (the clock, the PC's free
    // space): both are left out of the comparison.
    uitest::WidgetTexts texts() const
    {
        static const QRegularExpression number(QStringLiteral("\\d+"));
        uitest::WidgetTexts out = uitest::TextsOfAllWindows();
        for (auto& [key, text] : out)
            text = QString(text).replace(sandbox.appDir(), QStringLiteral("<folder>")).replace(number, QStringLiteral("#"));
        return out;
    }
};

}  // namespace windowtest
