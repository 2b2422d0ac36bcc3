#include "PCSetup/PCSetupDialog.h"

#include <QEvent>

#include "PCSetup/PCInfoPage.h"
#include "PCSetup/PCSetupPage.h"

CPCSetupDialog::CPCSetupDialog(QWidget* parent) : QDialog(parent)
{
    m_ui.setupUi(this);
    connect(m_ui.setupPage, &CPCSetupPage::recordFolderChanged, m_ui.infoPage, &CPCInfoPage::setFolder);
    connect(m_ui.buttonBox, &QDialogButtonBox::accepted, this, &CPCSetupDialog::accept);
    connect(m_ui.buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_ui.infoPage->setFolder(m_ui.setupPage->recordFolder());
}

CPCSetupDialog::~CPCSetupDialog() = default;

void CPCSetupDialog::loadSettings()
{
    m_ui.setupPage->loadSettings();
    m_ui.infoPage->setFolder(m_ui.setupPage->recordFolder());
    m_ui.tabs->setCurrentIndex(0);
}

void CPCSetupDialog::accept()
{
    m_ui.setupPage->saveSettings();
    QDialog::accept();
}

void CPCSetupDialog::languageChange()
{
    m_ui.retranslateUi(this);
}

void CPCSetupDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QDialog::changeEvent(event);
}
