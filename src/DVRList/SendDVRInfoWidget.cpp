#include "DVRList/SendDVRInfoWidget.h"

#include <QEvent>

#include "Common/Prompt.h"

CSendDVRInfoWidget::CSendDVRInfoWidget(QWidget* parent) : QDialog(parent)
{
    m_ui.setupUi(this);
    connect(m_ui.buttonBox, &QDialogButtonBox::accepted, this, &CSendDVRInfoWidget::accept);
    connect(m_ui.buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CSendDVRInfoWidget::~CSendDVRInfoWidget() = default;

void CSendDVRInfoWidget::setAddress(const QString& address) { m_ui.address->setText(address); }

void CSendDVRInfoWidget::setPort(int port) { m_ui.port->setValue(port); }

void CSendDVRInfoWidget::setPassword(const QString& password) { m_ui.password->setText(password); }

QString CSendDVRInfoWidget::getAddress() const { return m_ui.address->text(); }

int CSendDVRInfoWidget::getPort() const { return m_ui.port->value(); }

QString CSendDVRInfoWidget::getPassword() const { return m_ui.password->text(); }

void CSendDVRInfoWidget::accept()
{
    if (getAddress().isEmpty() || getPort() <= 0 || getPassword().isEmpty()) {
        CPrompt::current().message(this, tr("Please fill in all blanks."));
        return;
    }
    QDialog::accept();
}

void CSendDVRInfoWidget::languageChange() { m_ui.retranslateUi(this); }

void CSendDVRInfoWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QDialog::changeEvent(event);
}
