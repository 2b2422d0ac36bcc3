#pragma once

#include <QString>

class QTranslator;

// The program's one translator. Start-up installs it with the stored language; the PC setup
// page loads another language into it at once. Qt tells the open windows of a new language
// only when a translator is installed or removed, so every load installs it again.
class CTranslator {
public:
    static QTranslator& translator();

    // Loads the translation of a listed language name and installs it; every open window is
    // then told of the language change. An unlisted name, or a translation that does not
    // load, takes the translator out: the texts fall back to English. True when loaded.
    static bool setLanguage(const QString& name);

    // Start-up: the stored language, or the system's when none is stored.
    static bool installStored();
};
