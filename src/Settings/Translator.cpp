#include "Settings/Translator.h"

#include <QCoreApplication>
#include <QTranslator>

#include "Settings/AppSettings.h"
#include "Settings/Language.h"

QTranslator& CTranslator::translator()
{
    static QTranslator g_translator;
    return g_translator;
}

bool CTranslator::setLanguage(const QString& name)
{
    QTranslator& tr = translator();
    const QString file = CLanguage().getLanguageFileName(name);
    // Installing twice would list the translator twice; out first, then in again.
    QCoreApplication::removeTranslator(&tr);
    if (file.isEmpty() || !tr.load(file, CLanguage::LANGUAGE_PATH, QString(), QString()))
        return false;
    QCoreApplication::installTranslator(&tr);
    return true;
}

bool CTranslator::installStored()
{
    return setLanguage(CAppSettings().readLanguage());
}
