#pragma once

#include <QLocale>
#include <QString>

class QTranslator;

// The program's one translator, and beside it Qt's own texts (standard buttons, file dialogs)
// in the same language. Start-up installs them with the stored language; the PC setup page
// loads another language into them at once. Qt tells the open windows of a new language only
// when a translator is installed or removed, so every load installs them again.
class CTranslator {
public:
    static QTranslator& translator();
    static QTranslator& qtTranslator();

    // Loads the translation of a listed language name and installs it, with Qt's own where
    // the system has them for that language; every open window is then told of the change.
    // An unlisted name, or a translation that does not load, takes both out: the texts fall
    // back to English. True when the program's translation loaded.
    static bool setLanguage(const QString& name);

    // Start-up: the stored language, or the system's when none is stored.
    static bool installStored();

    // The locale of the language the texts are in (English when no translation is loaded),
    // for what Qt names by locale rather than by translator: months and days.
    static QLocale locale();
};
