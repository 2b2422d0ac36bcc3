#include "DVRSetup/SetupSystem.h"

#include <QEvent>

#include "Common/TextCodec.h"
#include "DVRSetup/KValidator.h"
#include "DVRSetup/PageFill.h"
#include "DVRSetup/PageRules.h"
#include "sys_conf/types/system_types.h"

namespace {

// The DVR name holds 20 characters.
constexpr unsigned long NAME_FIELD_SIZE = 21;
constexpr int HOURS = 24;

}  // namespace

CSetupSystem::CSetupSystem(QWidget* parent) : QWidget(parent)
{
    m_ui.setupUi(this);
    connect(m_ui.systemName, &QLineEdit::textChanged, this, &CSetupSystem::OnChangedName);
    connect(m_ui.systemID, &QSpinBox::valueChanged, this, &CSetupSystem::OnChangedID);
    connect(m_ui.timeFormat, &QComboBox::currentIndexChanged, this, &CSetupSystem::OnChangedTimeFormat);
    connect(m_ui.dateFormat, &QComboBox::currentIndexChanged, this, &CSetupSystem::OnChangedDateFormat);
    connect(m_ui.timezone, &QComboBox::currentIndexChanged, this, &CSetupSystem::OnChangedTimezone);
    connect(m_ui.ntpGroup, &QButtonGroup::idClicked, this, &CSetupSystem::OnChangedNtp);
    connect(m_ui.ntpAddress, &QLineEdit::textChanged, this, &CSetupSystem::OnChangedNtpAddress);
    connect(m_ui.language, &QComboBox::currentIndexChanged, this, &CSetupSystem::OnChangedLangauge);
    connect(m_ui.sensorGroup, &QButtonGroup::idClicked, this, &CSetupSystem::OnChangedSensor);
    connect(m_ui.motionGroup, &QButtonGroup::idClicked, this, &CSetupSystem::OnChangedMotion);
    connect(m_ui.videolossGroup, &QButtonGroup::idClicked, this, &CSetupSystem::OnChangedVideoLoss);
    connect(m_ui.recFailGroup, &QButtonGroup::idClicked, this, &CSetupSystem::OnChangedRecordFail);
    connect(m_ui.recWarnGroup, &QButtonGroup::idClicked, this, &CSetupSystem::OnChangedRecordWarning);
    connect(m_ui.camNameGroup, &QButtonGroup::idClicked, this, &CSetupSystem::OnChangedCameraName);
    connect(m_ui.recordIconGroup, &QButtonGroup::idClicked, this, &CSetupSystem::OnChangedRecordIcon);
    connect(m_ui.motionIconGroup, &QButtonGroup::idClicked, this, &CSetupSystem::OnChangedMotionIcon);
    connect(m_ui.sensorIconGroup, &QButtonGroup::idClicked, this, &CSetupSystem::OnChangedSensorIcon);
    connect(m_ui.taskbarGroup, &QButtonGroup::idClicked, this, &CSetupSystem::OnChangedTaskBar);
    connect(m_ui.vgaMode, &QComboBox::currentIndexChanged, this, &CSetupSystem::OnChangedVgaMode);
    m_ui.systemName->setValidator(KValidator::All(m_ui.systemName, NAME_FIELD_SIZE));
    InitControls();
    InitDvrInfo(m_dvr_info);
}

CSetupSystem::~CSetupSystem() = default;

QList<CSetupSystem::OffOn> CSetupSystem::offOnGroups() const
{
    return {{m_ui.ntpGroup, m_ui.ntpOff, m_ui.ntpOn},
            {m_ui.sensorGroup, m_ui.sensorOff, m_ui.sensorOn},
            {m_ui.motionGroup, m_ui.motionOff, m_ui.motionOn},
            {m_ui.videolossGroup, m_ui.videolossOff, m_ui.videolossOn},
            {m_ui.recFailGroup, m_ui.recFailOff, m_ui.recFailOn},
            {m_ui.recWarnGroup, m_ui.recWarnOff, m_ui.recWarnOn},
            {m_ui.camNameGroup, m_ui.camNameOff, m_ui.camNameOn},
            {m_ui.recordIconGroup, m_ui.recIconOff, m_ui.recIconOn},
            {m_ui.motionIconGroup, m_ui.motionIconOff, m_ui.motionIconOn},
            {m_ui.sensorIconGroup, m_ui.sensorIconOff, m_ui.sensorIconOn},
            {m_ui.taskbarGroup, m_ui.taskbarOff, m_ui.taskbarOn}};
}

void CSetupSystem::InitControls()
{
    m_ui.systemID->setRange(0, 255);
    QStringList timeFormats, dateFormats, vgaModes, hours;
    for (int i = 0; i <= config::System_TimeDate::TIME_FORMAT_12; ++i)
        timeFormats << QString::fromLatin1(config::TimeFormat_Index2String(i));
    for (int i = 0; i <= config::System_TimeDate::DATE_FORMAT_MMDDYYYY; ++i)
        dateFormats << QString::fromLatin1(config::DateFormat_Index2String(i));
    for (int i = 0; i <= config::System_Display::VGA_1920x1080; ++i)
        vgaModes << QString::fromLatin1(config::VgaMode_Index2String(i));
    for (int hour = 0; hour < HOURS; ++hour)
        hours << QString::asprintf("%2d:00", hour);
    SetItemsBlocked(m_ui.timeFormat, timeFormats);
    SetItemsBlocked(m_ui.dateFormat, dateFormats);
    SetItemsBlocked(m_ui.vgaMode, vgaModes);
    SetItemsBlocked(m_ui.autoRebootDay, rebootDays());
    SetItemsBlocked(m_ui.autoRebootTime, hours);
    {
        // Shown, stored and matched by the name the DVR knows.
        const QSignalBlocker block(m_ui.timezone);
        m_ui.timezone->clear();
        for (int i = 0; i < config::TimeZone_Count(); ++i) {
            const QString zone = QString::fromLatin1(config::TimeZone_Index2String(i));
            m_ui.timezone->addItem(zone, zone);
        }
    }
    for (const OffOn& g : offOnGroups())
        SetOffOnIds(g.group, g.off, g.on);
    UpdateControls();
}

void CSetupSystem::InitDvrInfo(const config::DvrConf_DvrInfo& info)
{
    m_dvr_info.CopyFrom(info);
    UpdateControls();
    InitConf();
}

void CSetupSystem::UpdateControls()
{
    QStringList languages;
    for (const std::string& key : m_dvr_info.languages())
        languages << Capitalize(QString::fromStdString(key));
    SetItemsBlocked(m_ui.language, languages);
    const bool sensors = PageModel_Of(m_dvr_info).sensors > 0;
    for (QWidget* w : std::initializer_list<QWidget*>{m_ui.sensorLabel, m_ui.sensorOff, m_ui.sensorOn,
                                                      m_ui.sensorIconLabel, m_ui.sensorIconOff, m_ui.sensorIconOn})
        w->setVisible(sensors);
}

void CSetupSystem::MakeConfValid() { System_MakeValid(&m_system); }

void CSetupSystem::InitConf()
{
    m_system.Clear();
    SetConf(m_system);
}

void CSetupSystem::SetConf(const config::System& system)
{
    if (&system != &m_system)
        m_system.CopyFrom(system);
    MakeConfValid();
    const config::System_TimeDate& time = m_system.time_date();
    SetTextBlocked(m_ui.systemName, CTextCodec::FromEucKr(m_system.name_id().dvr_name()));
    SetValueBlocked(m_ui.systemID, static_cast<int>(m_system.name_id().dvr_id()));
    SetIndexBlocked(m_ui.timeFormat, config::TimeFormat_Type2Index(time.time_format()));
    SetIndexBlocked(m_ui.dateFormat, config::DateFormat_Type2Index(time.date_format()));
    SetIndexBlocked(m_ui.timezone, config::TimeZone_Find(time.time_zone()));
    SetTextBlocked(m_ui.ntpAddress, CTextCodec::FromEucKr(time.ntp_server()));
    const int language = m_ui.language->findText(CTextCodec::FromEucKr(m_system.language()), Qt::MatchFixedString);
    SetIndexBlocked(m_ui.language, std::max(language, 0));
    showOffOn();
    SetIndexBlocked(m_ui.vgaMode, config::VgaMode_Type2Index(m_system.display().vga_mode()));
    SetIndexBlocked(m_ui.autoRebootDay, config::RebootDay_Type2Index(m_system.auto_reboot().day()));
    // An hour beyond the list shows no selection; GetConf then keeps it.
    const uint32_t hour = m_system.auto_reboot().time();
    SetIndexBlocked(m_ui.autoRebootTime, hour < HOURS ? static_cast<int>(hour) : -1);
}

void CSetupSystem::showOffOn()
{
    const config::System_Buzzer& buzzer = m_system.buzzer();
    const config::System_Display& display = m_system.display();
    const bool values[] = {m_system.time_date().using_ntp(), buzzer.sensor(), buzzer.motion(),
                           buzzer.video_loss(), buzzer.record_fail(), buzzer.record_warning(),
                           display.camera_name(), display.rec_icon(), display.motion_icon(),
                           display.sensor_icon(), display.task_bar()};
    const QList<OffOn> groups = offOnGroups();
    for (int i = 0; i < groups.size(); ++i)
        CheckId(groups[i].group, values[i] ? 1 : 0);
    m_ui.ntpAddress->setEnabled(IsOn(m_ui.ntpGroup));
}

config::System CSetupSystem::GetConf()
{
    config::System_AutoReboot* reboot = m_system.mutable_auto_reboot();
    // Present also when untouched; a stored value no item shows stays.
    if (const int day = m_ui.autoRebootDay->currentIndex(); day >= 0)
        reboot->set_day(config::RebootDay_Index2Type(day));
    else
        reboot->set_day(reboot->day());
    if (const int hour = m_ui.autoRebootTime->currentIndex(); hour >= 0)
        reboot->set_time(static_cast<uint32_t>(hour));
    else
        reboot->set_time(reboot->time());
    return m_system;
}

void CSetupSystem::OnChangedName(const QString& text)
{
    m_system.mutable_name_id()->set_dvr_name(CTextCodec::ToEucKr(text));
}

void CSetupSystem::OnChangedID(int value) { m_system.mutable_name_id()->set_dvr_id(static_cast<uint32_t>(value)); }

void CSetupSystem::OnChangedTimeFormat(int index)
{
    if (index >= 0)
        m_system.mutable_time_date()->set_time_format(config::TimeFormat_Index2Type(index));
}

void CSetupSystem::OnChangedDateFormat(int index)
{
    if (index >= 0)
        m_system.mutable_time_date()->set_date_format(config::DateFormat_Index2Type(index));
}

void CSetupSystem::OnChangedTimezone(int index)
{
    if (index >= 0)
        m_system.mutable_time_date()->set_time_zone(m_ui.timezone->itemData(index).toString().toStdString());
}

void CSetupSystem::OnChangedNtp(int)
{
    const bool on = IsOn(m_ui.ntpGroup);
    m_system.mutable_time_date()->set_using_ntp(on);
    const QSignalBlocker block(m_ui.ntpAddress);
    m_ui.ntpAddress->setEnabled(on);
}

void CSetupSystem::OnChangedNtpAddress(const QString& text)
{
    m_system.mutable_time_date()->set_ntp_server(CTextCodec::ToEucKr(text));
}

void CSetupSystem::OnChangedLangauge(int index)
{
    if (index >= 0)
        m_system.set_language(CTextCodec::ToEucKr(m_ui.language->itemText(index).toLower()));
}

void CSetupSystem::OnChangedSensor(int) { m_system.mutable_buzzer()->set_sensor(IsOn(m_ui.sensorGroup)); }

void CSetupSystem::OnChangedMotion(int) { m_system.mutable_buzzer()->set_motion(IsOn(m_ui.motionGroup)); }

void CSetupSystem::OnChangedVideoLoss(int) { m_system.mutable_buzzer()->set_video_loss(IsOn(m_ui.videolossGroup)); }

void CSetupSystem::OnChangedRecordFail(int) { m_system.mutable_buzzer()->set_record_fail(IsOn(m_ui.recFailGroup)); }

void CSetupSystem::OnChangedRecordWarning(int)
{
    m_system.mutable_buzzer()->set_record_warning(IsOn(m_ui.recWarnGroup));
}

void CSetupSystem::OnChangedCameraName(int)
{
    m_system.mutable_display()->set_camera_name(IsOn(m_ui.camNameGroup));
}

void CSetupSystem::OnChangedRecordIcon(int)
{
    m_system.mutable_display()->set_rec_icon(IsOn(m_ui.recordIconGroup));
}

void CSetupSystem::OnChangedMotionIcon(int)
{
    m_system.mutable_display()->set_motion_icon(IsOn(m_ui.motionIconGroup));
}

void CSetupSystem::OnChangedSensorIcon(int)
{
    m_system.mutable_display()->set_sensor_icon(IsOn(m_ui.sensorIconGroup));
}

void CSetupSystem::OnChangedTaskBar(int) { m_system.mutable_display()->set_task_bar(IsOn(m_ui.taskbarGroup)); }

void CSetupSystem::OnChangedVgaMode(int index)
{
    if (index >= 0)
        m_system.mutable_display()->set_vga_mode(config::VgaMode_Index2Type(index));
}

QStringList CSetupSystem::rebootDays()
{
    QStringList days;
    for (int i = 0; i < config::RebootDay_Count(); ++i)
        days << tr(config::RebootDay_Index2String(i));
    return days;
}

void CSetupSystem::languageChange()
{
    m_ui.retranslateUi(this);
    // The days are the page's only translated items; the day shown stays.
    const int day = m_ui.autoRebootDay->currentIndex();
    SetItemsBlocked(m_ui.autoRebootDay, rebootDays());
    SetIndexBlocked(m_ui.autoRebootDay, day);
}

void CSetupSystem::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QWidget::changeEvent(event);
}
