#pragma once

// A language chosen as PC setup chooses it, and English again at the end of a test.

#include <QCoreApplication>
#include <QString>

#include "Settings/Translator.h"

namespace uitest {

// Loads the language and lets the open widgets hear of it.
inline void ChooseLanguage(const QString& language)
{
    CTranslator::setLanguage(language);
    QCoreApplication::processEvents();
}

struct EnglishAtTheEnd {
    ~EnglishAtTheEnd() { CTranslator::setLanguage(QString()); }
};

}  // namespace uitest
