#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// The translations built into the resources, by English language name and code.
class CLanguage : public QObject {
    Q_OBJECT

public:
    static const QString LANGUAGE_PATH;         // ":/Viewer/files/translations"
    static const QString LANGUAGE_FILE_PREFIX;  // "viewer_"
    static const QString LANGUAGE_FILE_REGEX;   // "viewer_([a-z_]+).qm"

    CLanguage();

    void LoadLanguageList();

    // "viewer_<code>.qm" for a listed name, an empty string for any other.
    QString getLanguageFileName(const QString& name);

    QStringList& getLanguageName();
    QStringList& getLanguageCode();

private:
    QStringList m_languageNames;
    QStringList m_languageCodes;  // parallel to m_languageNames
};
