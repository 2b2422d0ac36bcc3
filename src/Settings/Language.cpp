#include "Settings/Language.h"

#include <QDir>
#include <QLocale>
#include <QRegularExpression>

const QString CLanguage::LANGUAGE_PATH = QStringLiteral(":/Viewer/files/translations");
const QString CLanguage::LANGUAGE_FILE_PREFIX = QStringLiteral("viewer_");
const QString CLanguage::LANGUAGE_FILE_REGEX = QStringLiteral("viewer_([a-z_]+).qm");

CLanguage::CLanguage()
{
    LoadLanguageList();
}

void CLanguage::LoadLanguageList()
{
    const QRegularExpression fileName(QRegularExpression::anchoredPattern(LANGUAGE_FILE_REGEX));
    const QStringList entries =
        QDir(LANGUAGE_PATH).entryList(QStringList(LANGUAGE_FILE_PREFIX + QLatin1String("*.qm")));
    for (const QString& entry : entries) {
        const QRegularExpressionMatch match = fileName.match(entry);
        if (!match.hasMatch())
            continue;
        const QString code = match.captured(1);
        m_languageNames.append(QLocale::languageToString(QLocale(code).language()));
        m_languageCodes.append(code);
    }
}

QString CLanguage::getLanguageFileName(const QString& name)
{
    const int index = m_languageNames.indexOf(name);
    if (index < 0)
        return QString();
    return LANGUAGE_FILE_PREFIX + m_languageCodes.at(index) + QLatin1String(".qm");
}

QStringList& CLanguage::getLanguageName()
{
    return m_languageNames;
}

QStringList& CLanguage::getLanguageCode()
{
    return m_languageCodes;
}
