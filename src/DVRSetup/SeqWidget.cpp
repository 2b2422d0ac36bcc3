#include "DVRSetup/SeqWidget.h"

#include <QCheckBox>
#include <QEvent>
#include <QSignalBlocker>

#include "Common/ChannelNum.h"
#include "DVRSetup/ChannelBoxes.h"
#include "sys_conf/types/camera_types.h"

namespace {

const char MCHANNEL_REGEX[] = "chM([0-9]+)";

// Layout box chMj stands for mask bit 15 + j (M1-4 is bit 16).
constexpr int LAYOUT_BIT_BASE = 15;

bool LayoutOffered(int chNum, int number)
{
    if (chNum == 4)
        return number == 1;
    if (chNum == 8)
        return number == 1 || number == 2 || number == 5;
    return true;
}

}  // namespace

CSeqWidget::CSeqWidget(QWidget* parent) : QWidget(parent)
{
    m_ui.setupUi(this);
    updateChannelCtrl(16, false);
}

CSeqWidget::~CSeqWidget() = default;

void CSeqWidget::updateChannelCtrl(int chNum, bool isHdSdi)
{
    m_chNum = chNum;
    m_boxes = ShowBoxesBelow(FindNumberedBoxes(this, QRegularExpression(CHANNEL_REGEX)), chNum);

    m_multiBoxes.clear();
    for (const NumberedBox& b : FindNumberedBoxes(this, QRegularExpression(MCHANNEL_REGEX))) {
        const bool offered = LayoutOffered(chNum, b.number);
        b.box->setVisible(offered && !isHdSdi);
        if (offered)
            m_multiBoxes.append(b.box);
    }
    CChnum::SortCheckBox(&m_multiBoxes);
    labelLayouts();
}

void CSeqWidget::labelLayouts()
{
    // On 8 channels the third layout covers the first eight channels.
    m_ui.chM5->setText(m_chNum == 8 ? tr("M1-8") : tr("M1-9"));
}

void CSeqWidget::addItems()
{
    const QSignalBlocker block(m_ui.seqTime);
    m_ui.seqTime->clear();
    for (int i = 0; i < config::SeqTime_Count(); ++i)
        m_ui.seqTime->addItem(QString::fromLatin1(config::SeqTime_Index2String(i)));
}

void CSeqWidget::setChMask(unsigned long mask)
{
    CChnum::setCheckBoxValue(m_boxes, mask);
    const QRegularExpression pattern(MCHANNEL_REGEX);
    for (QCheckBox* box : std::as_const(m_multiBoxes))
        box->setChecked(CChannelNum::isEnabled(mask, LAYOUT_BIT_BASE + NumberInName(box, pattern)));
}

unsigned long CSeqWidget::getChMask() const
{
    unsigned long mask = CChnum::getCheckBoxValue(m_boxes);
    const QRegularExpression pattern(MCHANNEL_REGEX);
    for (QCheckBox* box : m_multiBoxes)
        if (box->isChecked())
            mask |= 1ul << (LAYOUT_BIT_BASE + NumberInName(box, pattern));
    return mask;
}

void CSeqWidget::setTime(int index)
{
    const QSignalBlocker block(m_ui.seqTime);
    m_ui.seqTime->setCurrentIndex(index);
}

int CSeqWidget::getTime() const { return m_ui.seqTime->currentIndex(); }

void CSeqWidget::languageChange()
{
    m_ui.retranslateUi(this);
    labelLayouts();
}

void CSeqWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QWidget::changeEvent(event);
}
