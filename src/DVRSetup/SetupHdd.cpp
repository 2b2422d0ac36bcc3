#include "DVRSetup/SetupHdd.h"

#include <QEvent>

#include "DVRSetup/PageFill.h"
#include "sys_conf/types/hdd_types.h"

namespace {

// "Off", then the numbers the DVR's own menu offers; the item index is the stored value.
constexpr int FORCED_DELETION_ITEMS = 100;

}  // namespace

CSetupHdd::CSetupHdd(QWidget* parent) : QWidget(parent)
{
    m_ui.setupUi(this);
    connect(m_ui.writeMode, &QComboBox::currentIndexChanged, this, &CSetupHdd::OnChangedWriteMode);
    connect(m_ui.forceDeletion, &QComboBox::currentIndexChanged, this, &CSetupHdd::OnChangedForceDeletion);
    connect(m_ui.smartGroup, &QButtonGroup::idClicked, this, &CSetupHdd::OnChangedSmart);
    connect(m_ui.smartCheckInterval, &QComboBox::currentIndexChanged, this, &CSetupHdd::OnChangedCheckInterval);
    InitControls();
    InitConf();
}

CSetupHdd::~CSetupHdd() = default;

void CSetupHdd::InitControls()
{
    SetItemsBlocked(m_ui.writeMode, {tr("ONCE"), tr("OVERWRITE")});
    QStringList deletion{QStringLiteral("Off")};
    for (int i = 1; i < FORCED_DELETION_ITEMS; ++i)
        deletion << QString::number(i);
    SetItemsBlocked(m_ui.forceDeletion, deletion);
    QStringList intervals;
    for (int i = 0; i <= config::Hdd_Smart::INTERVAL_24HOURS; ++i)
        intervals << QString::fromLatin1(config::SmartCheckInterval_Index2String(i));
    SetItemsBlocked(m_ui.smartCheckInterval, intervals);
    SetOffOnIds(m_ui.smartGroup, m_ui.smartOff, m_ui.smartOn);
}

void CSetupHdd::InitDvrInfo(const config::DvrConf_DvrInfo& info)
{
    m_dvr_info.CopyFrom(info);
    InitConf();
}

void CSetupHdd::UpdateControls() {}

void CSetupHdd::MakeConfValid() {}

void CSetupHdd::InitConf()
{
    m_hdd.Clear();
    SetConf(m_hdd);
}

void CSetupHdd::SetConf(const config::Hdd& hdd)
{
    if (&hdd != &m_hdd)
        m_hdd.CopyFrom(hdd);
    SetIndexBlocked(m_ui.writeMode, config::HddWriteMode_Type2Index(m_hdd.mode().write_mode()));
    // A number beyond the list shows no selection and stays stored.
    const uint32_t deletion = m_hdd.mode().forced_deletion();
    SetIndexBlocked(m_ui.forceDeletion, deletion < FORCED_DELETION_ITEMS ? static_cast<int>(deletion) : -1);
    const int smart = m_hdd.smart().smart() ? 1 : 0;
    CheckId(m_ui.smartGroup, smart);
    OnChangedSmart(smart);
    SetIndexBlocked(m_ui.smartCheckInterval, config::SmartCheckInterval_Type2Index(m_hdd.smart().check_interval()));
}

config::Hdd CSetupHdd::GetConf() const { return m_hdd; }

void CSetupHdd::OnChangedWriteMode(int index)
{
    if (index >= 0)
        m_hdd.mutable_mode()->set_write_mode(config::HddWriteMode_Index2Type(index));
}

void CSetupHdd::OnChangedForceDeletion(int index)
{
    if (index >= 0)
        m_hdd.mutable_mode()->set_forced_deletion(static_cast<uint32_t>(index));
}

void CSetupHdd::OnChangedSmart(int id)
{
    m_hdd.mutable_smart()->set_smart(id != 0);
    m_ui.smartCheckInterval->setEnabled(id != 0);
}

void CSetupHdd::OnChangedCheckInterval(int index)
{
    if (index >= 0)
        m_hdd.mutable_smart()->set_check_interval(config::SmartCheckInterval_Index2Type(index));
}

void CSetupHdd::languageChange()
{
    m_ui.retranslateUi(this);
    InitControls();
    // The rebuilt lists start on their first items: show what the message holds again.
    SetConf(m_hdd);
}

void CSetupHdd::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QWidget::changeEvent(event);
}
