#include "Login.h"

#include <QEvent>

CLogin::CLogin(QWidget* parent) : QDialog(parent)
{
    m_ui.setupUi(this);
    connect(m_ui.buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui.buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CLogin::~CLogin() = default;

QString CLogin::getID() const { return m_ui.ID->text(); }

QString CLogin::getPassword() const { return m_ui.Password->text(); }

void CLogin::languageChange() { m_ui.retranslateUi(this); }

void CLogin::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QDialog::changeEvent(event);
}
