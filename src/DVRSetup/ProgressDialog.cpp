#include "DVRSetup/ProgressDialog.h"

#include <QEvent>

CProgressDialog::CProgressDialog(QWidget* parent) : QDialog(parent)
{
    m_ui.setupUi(this);
    connect(m_ui.abortButton, &QPushButton::clicked, this, &CProgressDialog::Aborted);
}

CProgressDialog::~CProgressDialog() = default;

void CProgressDialog::restart()
{
    m_percent = 0;
    m_ui.progressBar->setValue(0);
}

void CProgressDialog::Progress(qint64 bytesSent, qint64 bytesTotal)
{
    if (bytesTotal == 0)
        return;
    const int percent = static_cast<int>(bytesSent * 100 / bytesTotal);
    if (percent == m_percent)
        return;
    m_percent = percent;
    m_ui.progressBar->setValue(percent);
}

void CProgressDialog::languageChange() { m_ui.retranslateUi(this); }

void CProgressDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QDialog::changeEvent(event);
}
