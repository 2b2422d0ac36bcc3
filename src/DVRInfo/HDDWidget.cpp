#include "DVRInfo/HDDWidget.h"

#include <QEvent>

CHDDWidget::CHDDWidget(QWidget* parent) : QWidget(parent)
{
    m_ui.setupUi(this);
}

CHDDWidget::~CHDDWidget() = default;

void CHDDWidget::setInfo(int index, const HDD_INFO_T& info)
{
    m_shown = true;
    m_index = index;
    m_info = info;
    showInfo();
}

int CHDDWidget::usedPercent(const HDD_INFO_T& info)
{
    if (info.total == 0)
        return 0;
    if (info.used >= info.total)
        return 100;
    // Wide enough that used * 100 cannot wrap.
    return static_cast<int>(static_cast<unsigned __int128>(info.used) * 100 / info.total);
}

void CHDDWidget::showInfo()
{
    m_ui.HddGroup->setTitle(m_index >= 0 ? tr("HDD %1").arg(m_index + 1) : QString());
    const QString size = QStringLiteral("%L1 MB");
    m_ui.totalspace->setText(size.arg(qulonglong(m_info.total)));
    m_ui.usedspace->setText(size.arg(qulonglong(m_info.used)));
    m_ui.freespace->setText(size.arg(qulonglong(m_info.free)));
    m_ui.HddProgress->setValue(usedPercent(m_info));
}

void CHDDWidget::languageChange()
{
    m_ui.retranslateUi(this);
    if (m_shown)
        showInfo();
}

void CHDDWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QWidget::changeEvent(event);
}
