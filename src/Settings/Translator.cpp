#include "Settings/Translator.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QtDebug>

#include "Settings/AppSettings.h"
#include "Settings/Language.h"

QTranslator& CTranslator::translator()
{
    static QTranslator g_translator;
    return g_translator;
}

QTranslator& CTranslator::qtTranslator()
{
    static QTranslator g_qtTranslator;
    return g_qtTranslator;
}

namespace {

QLocale& Chosen()
{
    static QLocale locale(QLocale::English);
    return locale;
}

// Han characters are shared by Chinese, Japanese and Korean, and the system draws them with a
// font chosen by its own language: Korean hanja would stand among Japanese kana. A font made
// for the chosen language goes behind the application's own, where the system has one.
void PreferHanFontOf(const QString& code)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    // The family the system resolved the application's font to: an alias such as "Sans Serif"
    // would leave the added one in front.
    static const QStringList original{QFontInfo(QApplication::font()).family()};
    static const std::pair<QString, QString> fonts[] = {{"ja", "Noto Sans CJK JP"},
                                                        {"zh_tw", "Noto Sans CJK TC"}};
    QStringList families = original;
    for (const auto& [language, family] : fonts)
        if (code == language && QFontDatabase::hasFamily(family))
            families << family;
    QFont font = QApplication::font();
    if (font.families() != families) {
        font.setFamilies(families);
        QApplication::setFont(font);
        // Widgets the style sheet gave a font of their own take the new one only when polished
        // again.
        if (!qApp->styleSheet().isEmpty())
            qApp->setStyleSheet(qApp->styleSheet());
    }
}

// Qt tells the open widgets of a new language by posted events; delivered now, what they
// re-translate can be measured again. A combo box measures its items when first shown and
// again only on a style change: it is told of one, so that it measures the new items.
void RelayoutOpenWidgets()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    const QWidgetList widgets = QApplication::allWidgets();
    for (QWidget* w : widgets) {
        if (!qobject_cast<QComboBox*>(w))
            continue;
        QEvent restyled(QEvent::StyleChange);
        QCoreApplication::sendEvent(w, &restyled);
    }
}

}  // namespace

bool CTranslator::setLanguage(const QString& name)
{
    QTranslator& own = translator();
    QTranslator& qt = qtTranslator();
    // Installing twice would list a translator twice; out first, then in again.
    QCoreApplication::removeTranslator(&qt);
    QCoreApplication::removeTranslator(&own);

    CLanguage language;
    const QString file = language.getLanguageFileName(name);
    const int index = language.getLanguageName().indexOf(name);
    Chosen() = QLocale(QLocale::English);
    if (file.isEmpty() || !own.load(file, CLanguage::LANGUAGE_PATH, QString(), QString())) {
        if (!file.isEmpty())
            qDebug() << "translation" << file << "did not load; the texts stay English";
        PreferHanFontOf(QString());
        RelayoutOpenWidgets();
        return false;
    }
    const QString code = language.getLanguageCode().at(index);
    Chosen() = QLocale(code);
    PreferHanFontOf(code);
    // Debian has no Qt texts for every language (none for Norwegian Bokmål): Qt's dialogs
    // then stay English.
    if (qt.load(QLocale(code), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt);
    QCoreApplication::installTranslator(&own);
    RelayoutOpenWidgets();
    return true;
}

QLocale CTranslator::locale() { return Chosen(); }

bool CTranslator::installStored()
{
    return setLanguage(CAppSettings().readLanguage());
}
