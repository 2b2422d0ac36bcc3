#include "DVRSetup/ChannelWidget.h"

#include <QCheckBox>
#include <QEvent>

#include "Common/ChannelNum.h"
#include "DVRSetup/ChannelBoxes.h"

CChannelWidget::CChannelWidget(QWidget* parent) : QWidget(parent)
{
    m_ui.setupUi(this);
    updateChannelCtrl(16);
}

CChannelWidget::~CChannelWidget() = default;

void CChannelWidget::updateChannelCtrl(int chNum)
{
    const QList<NumberedBox> found = FindNumberedBoxes(this, QRegularExpression(CHANNEL_REGEX));
    for (QCheckBox* box : std::as_const(m_boxes))
        disconnect(box, &QCheckBox::clicked, this, &CChannelWidget::OnChannelClicked);
    m_boxes = ShowBoxesBelow(found, chNum);
    for (QCheckBox* box : std::as_const(m_boxes))
        connect(box, &QCheckBox::clicked, this, &CChannelWidget::OnChannelClicked);
    // A hidden box can no longer be unticked by the operator: it must not hold a place.
    m_checkedQueue.removeIf([this](QCheckBox* box) { return !m_boxes.contains(box); });
}

void CChannelWidget::setChMask(unsigned long mask)
{
    CChnum::setCheckBoxValue(m_boxes, mask);
    m_checkedQueue.clear();
    for (QCheckBox* box : std::as_const(m_boxes))
        if (box->isChecked())
            m_checkedQueue.append(box);
}

unsigned long CChannelWidget::getChMask() const { return CChnum::getCheckBoxValue(m_boxes); }

void CChannelWidget::setCheckableCount(int count) { m_checkableCount = count; }

void CChannelWidget::OnChannelClicked()
{
    auto* box = qobject_cast<QCheckBox*>(sender());
    if (m_checkableCount <= 0 || !box)
        return;
    if (!box->isChecked()) {
        m_checkedQueue.removeAll(box);
        return;
    }
    if (m_checkedQueue.size() == m_checkableCount)
        m_checkedQueue.takeFirst()->setChecked(false);
    m_checkedQueue.append(box);
}

void CChannelWidget::languageChange() { m_ui.retranslateUi(this); }

void CChannelWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QWidget::changeEvent(event);
}
