#include "PCSetup/PCSetupPage.h"

#include <QDir>
#include <QEvent>
#include <QPushButton>

#include "Common/Prompt.h"
#include "PCSetup/PCSetupChoices.h"
#include "Settings/AppSettings.h"
#include "Settings/Language.h"
#include "Settings/Translator.h"

namespace {

// Shown when the stored language is not among the translations.
const QString FALLBACK_LANGUAGE = QStringLiteral("English");

void MakeFolder(const QString& path)
{
    if (!path.isEmpty() && !QDir(path).exists())
        QDir().mkpath(path);
}

}  // namespace

CPCSetupPage::CPCSetupPage(QWidget* parent) : QWidget(parent)
{
    m_ui.setupUi(this);
    fillChoices();
    m_ui.Language->addItems(CLanguage().getLanguageName());
    m_ui.Language->setEnabled(m_ui.Language->count() > 0);
    for (const QString& key : CAppSettings::PATH_LIST) {
        auto* button = findChild<QPushButton*>(key + QLatin1String("Button"));
        connect(button, &QPushButton::clicked, this, [this, key]() { chooseFolder(key); });
    }
    connect(m_ui.Record, &QLineEdit::textChanged, this, &CPCSetupPage::recordFolderChanged);
    loadSettings();
    saveSettings();
}

CPCSetupPage::~CPCSetupPage() = default;

QComboBox* CPCSetupPage::choiceBox(const QString& key) const
{
    return findChild<QComboBox*>(key);
}

QLineEdit* CPCSetupPage::folderEdit(const QString& key) const
{
    return findChild<QLineEdit*>(key);
}

QString CPCSetupPage::recordFolder() const
{
    return m_ui.Record->text();
}

void CPCSetupPage::fillChoices()
{
    for (const PCSetupChoiceKey& key : PCSetupChoiceKeys()) {
        QComboBox* box = choiceBox(key.key);
        const QSignalBlocker block(box);
        const int index = box->currentIndex();
        box->clear();
        for (const PCSetupChoice& choice : key.choices)
            box->addItem(tr(choice.label));
        box->setCurrentIndex(index);
    }
}

void CPCSetupPage::loadSettings()
{
    CAppSettings settings;
    for (const PCSetupChoiceKey& key : PCSetupChoiceKeys()) {
        QComboBox* box = choiceBox(key.key);
        const QSignalBlocker block(box);
        box->setCurrentIndex(PCSetupChoiceIndex(key, settings.readSetting(key.key, QVariant())));
    }
    for (const QString& key : CAppSettings::PATH_LIST) {
        QString path = settings.readSetting(key, QVariant()).toString();
        if (path.isEmpty())
            path = CAppSettings::defaultSetting(key).toString();
        MakeFolder(path);
        folderEdit(key)->setText(path);
    }
    const QSignalBlocker block(m_ui.Language);
    int language = m_ui.Language->findText(settings.readLanguage());
    if (language < 0)
        language = m_ui.Language->findText(FALLBACK_LANGUAGE);
    m_ui.Language->setCurrentIndex(language >= 0 ? language : 0);
}

void CPCSetupPage::saveSettings()
{
    CAppSettings settings;
    for (const PCSetupChoiceKey& key : PCSetupChoiceKeys())
        settings.writeSetting(key.key, PCSetupChoiceValue(key, choiceBox(key.key)->currentIndex()));
    for (const QString& key : CAppSettings::PATH_LIST) {
        const QString path = folderEdit(key)->text();
        MakeFolder(path);
        settings.writeSetting(key, path);
    }
    if (m_ui.Language->count() == 0)
        return;
    const QString language = m_ui.Language->currentText();
    settings.writeLanguage(language);
    CTranslator::setLanguage(language);
}

void CPCSetupPage::chooseFolder(const QString& key)
{
    QLineEdit* edit = folderEdit(key);
    const QString folder = CPrompt::current().chooseFolder(this, tr("Please select a folder."), edit->text());
    if (!folder.isEmpty())
        edit->setText(QDir::toNativeSeparators(folder));
}

void CPCSetupPage::languageChange()
{
    m_ui.retranslateUi(this);
    fillChoices();
}

void CPCSetupPage::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QWidget::changeEvent(event);
}
