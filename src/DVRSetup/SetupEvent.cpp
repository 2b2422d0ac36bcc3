#include "DVRSetup/SetupEvent.h"

#include <QEvent>
#include <QRegularExpression>

#include "Common/Prompt.h"
#include "Common/TextCodec.h"
#include "DVRSetup/ChannelBoxes.h"
#include "DVRSetup/KValidator.h"
#include "DVRSetup/MotionZoneDialog.h"
#include "DVRSetup/PageFill.h"
#include "sys_conf/types/event_types.h"

namespace {

// The e-mail addresses hold 31 characters, the SMTP fields 29.
constexpr unsigned long ADDRESS_FIELD_SIZE = 32;
constexpr unsigned long SMTP_FIELD_SIZE = 30;
constexpr int MAX_PORT = 65535;
constexpr int LAST_HOUR = 23;
const QPoint RELAY_PLACE(0, 410);
const char RECEIVER_REGEX[] = "rAddress([0-9]+)";

QStringList Numbered(const char* prefix, int count)
{
    QStringList items;
    for (int i = 1; i <= count; ++i)
        items << QStringLiteral("%1 %2").arg(QLatin1String(prefix)).arg(i);
    return items;
}

template <class Label>
QStringList Labels(Label label, int count)
{
    QStringList items;
    for (int i = 0; i < count; ++i)
        items << QString::fromLatin1(label(i));
    return items;
}

}  // namespace

CSetupEvent::CSetupEvent(QWidget* parent)
    : QWidget(parent), m_model(PageModel_Of(m_dvr_info)), m_grid(Event_MotionGrid(m_model))
{
    m_ui.setupUi(this);
    m_ui.AuthenPassword->setEchoMode(QLineEdit::Password);
    connect(m_ui.motionCh, &QComboBox::currentIndexChanged, this, &CSetupEvent::OnChangedMotion);
    connect(m_ui.sensitivity, &QSlider::valueChanged, this, &CSetupEvent::OnChangedSensitivity);
    connect(m_ui.sensitivity, &QSlider::valueChanged, m_ui.sensitivityValue, qOverload<int>(&QLabel::setNum));
    connect(m_ui.detectZone, &QPushButton::clicked, this, &CSetupEvent::OnDetectZone);
    connect(m_ui.MotionPopupGroup, &QButtonGroup::idClicked, this, &CSetupEvent::OnChangedMotionPopup);
    connect(m_ui.motionPopdown, &QComboBox::currentIndexChanged, this, &CSetupEvent::OnChangedMotionPopdown);
    connect(m_ui.sensorCh, &QComboBox::currentIndexChanged, this, &CSetupEvent::OnChangedSensor);
    connect(m_ui.sensorType, &QComboBox::currentIndexChanged, this, &CSetupEvent::OnChangedSensorType);
    connect(m_ui.sensorLink, &QComboBox::currentIndexChanged, this, &CSetupEvent::OnChangedSensorLink);
    connect(m_ui.SensorPopupGroup, &QButtonGroup::idClicked, this, &CSetupEvent::OnChangedSensorPopup);
    connect(m_ui.sensorPopdown, &QComboBox::currentIndexChanged, this, &CSetupEvent::OnChangedSensorPopdown);
    connect(m_ui.relaySensor, &QComboBox::currentIndexChanged, this, &CSetupEvent::OnChangedRelaySensor);
    connect(m_ui.RelaySensorGroup, &QButtonGroup::idClicked, this, &CSetupEvent::OnChangedRelaySensorOutput);
    connect(m_ui.relayMotion, &QComboBox::currentIndexChanged, this, &CSetupEvent::OnChangedRelayMotion);
    connect(m_ui.RelayMotionGroup, &QButtonGroup::idClicked, this, &CSetupEvent::OnChangedRelayMotionOutput);
    connect(m_ui.RecordFailGroup, &QButtonGroup::idClicked, this, &CSetupEvent::OnChangedRecFail);
    connect(m_ui.RecordWarnGroup, &QButtonGroup::idClicked, this, &CSetupEvent::OnChangedRecWarn);
    connect(m_ui.relayTime, &QComboBox::currentIndexChanged, this, &CSetupEvent::OnChangedRelayTime);
    for (QLineEdit* edit : {m_ui.rAddress1, m_ui.rAddress2, m_ui.rAddress3, m_ui.rAddress4, m_ui.senderAddress}) {
        connect(edit, &QLineEdit::textChanged, this, &CSetupEvent::OnChangedAddress);
        edit->setValidator(KValidator::All(edit, ADDRESS_FIELD_SIZE));
    }
    connect(m_ui.smtpAddress, &QLineEdit::textChanged, this, &CSetupEvent::OnChangedSmtpAddress);
    connect(m_ui.smtpPort, &QSpinBox::valueChanged, this, &CSetupEvent::OnChangedSmtpPort);
    connect(m_ui.AuthenGroup, &QButtonGroup::idClicked, this, &CSetupEvent::OnChangedAuthen);
    connect(m_ui.AuthenID, &QLineEdit::textChanged, this, &CSetupEvent::OnChangedAuthenID);
    connect(m_ui.AuthenPassword, &QLineEdit::textChanged, this, &CSetupEvent::OnChangedAuthenPassword);
    connect(m_ui.sslGroup, &QButtonGroup::idClicked, this, &CSetupEvent::OnChangedSsl);
    connect(m_ui.mimeGroup, &QButtonGroup::idClicked, this, &CSetupEvent::OnChangedMime);
    connect(m_ui.emailPeriod, &QComboBox::currentIndexChanged, this, &CSetupEvent::OnChangedEmailPeriod);
    connect(m_ui.prohibitionGroup, &QButtonGroup::idClicked, this, &CSetupEvent::OnChangedProhibition);
    connect(m_ui.startHour, &QSpinBox::valueChanged, this, &CSetupEvent::OnChangedStart);
    connect(m_ui.endHour, &QSpinBox::valueChanged, this, &CSetupEvent::OnChangedEnd);
    connect(m_ui.motionContentsGroup, &QButtonGroup::idClicked, this, &CSetupEvent::OnChangedMotionContent);
    connect(m_ui.sensorContentsGroup, &QButtonGroup::idClicked, this, &CSetupEvent::OnChangedSensorContent);
    connect(m_ui.videoLossContentsGroup, &QButtonGroup::idClicked, this, &CSetupEvent::OnChangedVLossContent);
    connect(m_ui.recordContentsGroup, &QButtonGroup::idClicked, this, &CSetupEvent::OnChangedRecordContent);
    connect(m_ui.systemContentsGroup, &QButtonGroup::idClicked, this, &CSetupEvent::OnChangedSystemContent);
    connect(m_ui.postAlarmRecord, &QComboBox::currentIndexChanged, this, &CSetupEvent::OnChangedPostAlarmRecord);
    for (QLineEdit* edit : {m_ui.smtpAddress, m_ui.AuthenID, m_ui.AuthenPassword})
        edit->setValidator(KValidator::All(edit, SMTP_FIELD_SIZE));
    InitControls();
    InitDvrInfo(m_dvr_info);
}

CSetupEvent::~CSetupEvent() = default;

void CSetupEvent::InitControls()
{
    const int popDowns = config::Event::PopDownType_ARRAYSIZE;
    SetItemsBlocked(m_ui.sensorType, Labels(config::SensorType_Index2String, config::Event_Sensor::Type_ARRAYSIZE));
    SetItemsBlocked(m_ui.motionPopdown, Labels(config::PopDownType_Index2String, popDowns));
    SetItemsBlocked(m_ui.sensorPopdown, Labels(config::PopDownType_Index2String, popDowns));
    SetItemsBlocked(m_ui.relayTime, Labels(config::RelayKeepTime_Index2String, config::Event_Relay::KeepTime_ARRAYSIZE));
    SetItemsBlocked(m_ui.emailPeriod, Labels(config::SendPeriod_Index2String, config::Event_Email::SendPeriod_ARRAYSIZE));
    SetItemsBlocked(m_ui.postAlarmRecord,
                    Labels(config::PostAlarmRecordTime_Index2String, config::Event_PostRecord::Time_ARRAYSIZE));
    {
        const QSignalBlocker a(m_ui.sensitivity), b(m_ui.smtpPort), c(m_ui.startHour), d(m_ui.endHour);
        m_ui.sensitivity->setRange(0, 15);
        m_ui.smtpPort->setRange(0, MAX_PORT);
        m_ui.startHour->setRange(0, LAST_HOUR);
        m_ui.endHour->setRange(0, LAST_HOUR);
    }
    const std::tuple<QButtonGroup*, QAbstractButton*, QAbstractButton*> groups[] = {
        {m_ui.MotionPopupGroup, m_ui.motionPopupOff, m_ui.motionPopupOn},
        {m_ui.SensorPopupGroup, m_ui.sensorPopupOff, m_ui.sensorPopupOn},
        {m_ui.RelaySensorGroup, m_ui.relaySensorOff, m_ui.relaySensorOn},
        {m_ui.RelayMotionGroup, m_ui.relayMotionOff, m_ui.relayMotionOn},
        {m_ui.RecordFailGroup, m_ui.recordFailOff, m_ui.recordFailOn},
        {m_ui.RecordWarnGroup, m_ui.recordWarnOff, m_ui.recordWarnOn},
        {m_ui.AuthenGroup, m_ui.authenOff, m_ui.authenOn},
        {m_ui.sslGroup, m_ui.sslOff, m_ui.sslOn},
        {m_ui.mimeGroup, m_ui.mimeOff, m_ui.mimeOn},
        {m_ui.prohibitionGroup, m_ui.prohibitionOff, m_ui.prohibitionOn},
        {m_ui.motionContentsGroup, m_ui.motionNo, m_ui.motionYes},
        {m_ui.sensorContentsGroup, m_ui.sensorNo, m_ui.sensorYes},
        {m_ui.videoLossContentsGroup, m_ui.videoLossNo, m_ui.videoLossYes},
        {m_ui.recordContentsGroup, m_ui.recordNo, m_ui.recordYes},
        {m_ui.systemContentsGroup, m_ui.systemNo, m_ui.systemYes},
    };
    for (const auto& [group, off, on] : groups)
        SetOffOnIds(group, off, on);
    UpdateControls();
}

void CSetupEvent::InitDvrInfo(const config::DvrConf_DvrInfo& info)
{
    m_dvr_info.CopyFrom(info);
    UpdateControls();
    InitConf();
}

void CSetupEvent::UpdateControls()
{
    m_model = PageModel_Of(m_dvr_info);
    m_grid = Event_MotionGrid(m_model);
    const QStringList channels = Numbered("Ch", m_model.channels);
    SetItemsBlocked(m_ui.motionCh, QStringList(channels) << QStringLiteral("ALL"));
    SetItemsBlocked(m_ui.sensorLink, channels);
    SetItemsBlocked(m_ui.relayMotion, channels);
    const QStringList sensors = Numbered("Sensor", m_model.sensors);
    SetItemsBlocked(m_ui.sensorCh, sensors);
    SetItemsBlocked(m_ui.relaySensor, sensors);
    const bool hasSensors = m_model.sensors > 0;
    m_ui.relayFrame->setVisible(m_model.relay);
    m_ui.sensorFrame->setVisible(hasSensors);
    // Without sensors the relay group takes the sensor group's place.
    m_ui.relayFrame->move(hasSensors ? RELAY_PLACE : m_ui.sensorFrame->pos());
    for (QWidget* w : std::initializer_list<QWidget*>{m_ui.relaySensorLabel, m_ui.relaySensor,
                                                      m_ui.relaySensorOutputLabel, m_ui.relaySensorOff,
                                                      m_ui.relaySensorOn, m_ui.sensorLabel, m_ui.sensorNo,
                                                      m_ui.sensorYes})
        w->setVisible(hasSensors);
}

void CSetupEvent::MakeConfValid() { Event_MakeValid(&m_event, m_model, m_grid.cells()); }

void CSetupEvent::InitConf()
{
    m_event.Clear();
    SetConf(m_event);
}

int CSetupEvent::getMotionZoneCols() const { return m_grid.cols; }

int CSetupEvent::getMotionZoneRows() const { return m_grid.rows; }

void CSetupEvent::setConnectedDVR(const DVR& dvr) { m_connected_dvr.CopyFrom(dvr); }

void CSetupEvent::SetConf(const config::Event& event)
{
    if (&event != &m_event)
        m_event.CopyFrom(event);
    MakeConfValid();
    m_all_motion = Event_AllShadow(m_event, m_grid.cells());
    m_allEdits = {};
    SetIndexBlocked(m_ui.motionCh, 0);
    m_motion_zone = QByteArray(m_event.motion_conf().motion(0).zone_size(), '\0');
    OnChangedMotion(0);
    SetIndexBlocked(m_ui.sensorCh, 0);
    OnChangedSensor(0);
    SetIndexBlocked(m_ui.relaySensor, 0);
    OnChangedRelaySensor(0);
    SetIndexBlocked(m_ui.relayMotion, 0);
    OnChangedRelayMotion(0);
    const config::Event_Relay& relay = m_event.relay();
    CheckId(m_ui.RecordFailGroup, relay.record_fail() ? 1 : 0);
    CheckId(m_ui.RecordWarnGroup, relay.record_warning() ? 1 : 0);
    SetIndexBlocked(m_ui.relayTime, config::RelayKeepTime_Type2Index(relay.keep_time()));
    showEmail();
    SetIndexBlocked(m_ui.postAlarmRecord, config::PostAlarmRecordTime_Type2Index(m_event.post_record().time()));
}

void CSetupEvent::showEmail()
{
    const config::Event_Email& email = m_event.email();
    QLineEdit* const receivers[] = {m_ui.rAddress1, m_ui.rAddress2, m_ui.rAddress3, m_ui.rAddress4};
    for (int i = 0; i < EMAIL_RECEIVERS; ++i)
        SetTextBlocked(receivers[i], CTextCodec::FromEucKr(email.address().receiver(i)));
    SetTextBlocked(m_ui.senderAddress, CTextCodec::FromEucKr(email.address().sender()));
    const config::Event_Email_SMTP& smtp = email.smtp();
    SetTextBlocked(m_ui.smtpAddress, CTextCodec::FromEucKr(smtp.address()));
    SetValueBlocked(m_ui.smtpPort, static_cast<int>(smtp.port()));
    CheckId(m_ui.AuthenGroup, smtp.authentication() ? 1 : 0);
    SetTextBlocked(m_ui.AuthenID, CTextCodec::FromEucKr(smtp.auth_id()));
    SetTextBlocked(m_ui.AuthenPassword, CTextCodec::FromEucKr(smtp.auth_password()));
    CheckId(m_ui.sslGroup, smtp.use_ssl() ? 1 : 0);
    CheckId(m_ui.mimeGroup, smtp.use_mime() ? 1 : 0);
    const config::Event_Email_SendCond& cond = email.send_cond();
    SetIndexBlocked(m_ui.emailPeriod, config::SendPeriod_Type2Index(cond.period()));
    CheckId(m_ui.prohibitionGroup, cond.prohibition() ? 1 : 0);
    SetValueBlocked(m_ui.startHour, static_cast<int>(cond.prohibition_start()));
    SetValueBlocked(m_ui.endHour, static_cast<int>(cond.prohibition_end()));
    const config::Event_Email_SendContent& content = email.send_content();
    CheckId(m_ui.motionContentsGroup, content.motion() ? 1 : 0);
    CheckId(m_ui.sensorContentsGroup, content.sensor() ? 1 : 0);
    CheckId(m_ui.videoLossContentsGroup, content.video_loss() ? 1 : 0);
    CheckId(m_ui.recordContentsGroup, content.rec_status() ? 1 : 0);
    CheckId(m_ui.systemContentsGroup, content.sys_access() ? 1 : 0);
}

config::Event CSetupEvent::GetConf()
{
    if (onAll())
        Event_ApplyAll(&m_event, m_allEdits);
    return m_event;
}

// ---- motion ------------------------------------------------------------------------------------

config::Event_Motion* CSetupEvent::motionTarget()
{
    const int k = m_ui.motionCh->currentIndex();
    if (k < 0)
        return nullptr;
    if (k >= m_model.channels)
        return &m_all_motion;
    return k < m_event.motion_conf().motion_size() ? m_event.mutable_motion_conf()->mutable_motion(k) : nullptr;
}

void CSetupEvent::OnChangedMotion(int index)
{
    if (index < 0)
        return;
    const config::Event_Motion* shown = motionTarget();
    if (!shown)
        return;
    SetValueBlocked(m_ui.sensitivity, static_cast<int>(shown->sensitivity()));
    // The fill is silent, so the number beside the slider is set here.
    m_ui.sensitivityValue->setNum(m_ui.sensitivity->value());
    const QByteArray zone = Zone_ToBytes(*shown);
    for (int i = 0; i < m_motion_zone.size() && i < zone.size(); ++i)
        m_motion_zone[i] = zone[i];
    CheckId(m_ui.MotionPopupGroup, shown->pop_up() ? 1 : 0);
    SetIndexBlocked(m_ui.motionPopdown, config::PopDownType_Type2Index(m_event.motion_conf().pop_down()));
}

void CSetupEvent::OnChangedSensitivity(int value)
{
    config::Event_Motion* target = motionTarget();
    if (!target)
        return;
    target->set_sensitivity(static_cast<uint32_t>(value));
    if (onAll())
        m_allEdits.sensitivity = static_cast<uint32_t>(value);
}

void CSetupEvent::OnDetectZone()
{
    CMotionZoneDialog dialog;
    dialog.setMotionZone(m_grid.rows, m_grid.cols, m_motion_zone);
    const int k = m_ui.motionCh->currentIndex();
    m_connected_dvr.set_bit_ch(k >= 0 && k < m_model.channels ? 1u << k : 1u);
    // Offline (a file or a model set up without a DVR) the grid is edited without a picture.
    if (!m_connected_dvr.address().empty())
        dialog.connect(m_connected_dvr);
    if (CPrompt::current().exec(&dialog) != QDialog::Accepted)
        return;
    m_motion_zone = dialog.getMotionZone();
    if (config::Event_Motion* target = motionTarget())
        Zone_FromBytes(target, m_motion_zone);
    if (onAll())
        m_allEdits.zone = m_motion_zone;
}

void CSetupEvent::OnChangedMotionPopup(int)
{
    config::Event_Motion* target = motionTarget();
    if (!target)
        return;
    const bool on = IsOn(m_ui.MotionPopupGroup);
    target->set_pop_up(on);
    if (onAll())
        m_allEdits.pop_up = on;
}

void CSetupEvent::OnChangedMotionPopdown(int index)
{
    if (index >= 0)
        m_event.mutable_motion_conf()->set_pop_down(config::PopDownType_Index2Type(index));
}

// ---- sensors and relay -------------------------------------------------------------------------

config::Event_Sensor* CSetupEvent::shownSensor()
{
    const int j = m_ui.sensorCh->currentIndex();
    return j >= 0 && j < m_event.sensor_conf().sensor_size() ? m_event.mutable_sensor_conf()->mutable_sensor(j)
                                                              : nullptr;
}

void CSetupEvent::OnChangedSensor(int index)
{
    if (index < 0 || index >= m_event.sensor_conf().sensor_size())
        return;
    const config::Event_Sensor& sensor = m_event.sensor_conf().sensor(index);
    SetIndexBlocked(m_ui.sensorType, config::SensorType_Type2Index(sensor.type()));
    // A channel beyond the DVR's shows no selection and stays stored.
    SetIndexBlocked(m_ui.sensorLink,
                    sensor.link_ch() < uint32_t(m_model.channels) ? static_cast<int>(sensor.link_ch()) : -1);
    CheckId(m_ui.SensorPopupGroup, sensor.pop_up() ? 1 : 0);
    SetIndexBlocked(m_ui.sensorPopdown, config::PopDownType_Type2Index(m_event.sensor_conf().pop_down()));
}

void CSetupEvent::OnChangedSensorType(int index)
{
    if (config::Event_Sensor* sensor = shownSensor(); sensor && index >= 0)
        sensor->set_type(config::SensorType_Index2Type(index));
}

void CSetupEvent::OnChangedSensorLink(int index)
{
    if (config::Event_Sensor* sensor = shownSensor(); sensor && index >= 0)
        sensor->set_link_ch(static_cast<uint32_t>(index));
}

void CSetupEvent::OnChangedSensorPopup(int)
{
    if (config::Event_Sensor* sensor = shownSensor())
        sensor->set_pop_up(IsOn(m_ui.SensorPopupGroup));
}

void CSetupEvent::OnChangedSensorPopdown(int index)
{
    if (index >= 0)
        m_event.mutable_sensor_conf()->set_pop_down(config::PopDownType_Index2Type(index));
}

void CSetupEvent::OnChangedRelaySensor(int index)
{
    if (index >= 0 && index < m_event.relay().sensor_size())
        CheckId(m_ui.RelaySensorGroup, m_event.relay().sensor(index) ? 1 : 0);
}

void CSetupEvent::OnChangedRelaySensorOutput(int)
{
    SetEntry(m_event.mutable_relay()->mutable_sensor(), m_ui.relaySensor->currentIndex(),
             IsOn(m_ui.RelaySensorGroup));
}

void CSetupEvent::OnChangedRelayMotion(int index)
{
    if (index >= 0 && index < m_event.relay().motion_size())
        CheckId(m_ui.RelayMotionGroup, m_event.relay().motion(index) ? 1 : 0);
}

void CSetupEvent::OnChangedRelayMotionOutput(int)
{
    SetEntry(m_event.mutable_relay()->mutable_motion(), m_ui.relayMotion->currentIndex(),
             IsOn(m_ui.RelayMotionGroup));
}

void CSetupEvent::OnChangedRecFail(int) { m_event.mutable_relay()->set_record_fail(IsOn(m_ui.RecordFailGroup)); }

void CSetupEvent::OnChangedRecWarn(int) { m_event.mutable_relay()->set_record_warning(IsOn(m_ui.RecordWarnGroup)); }

void CSetupEvent::OnChangedRelayTime(int index)
{
    if (index >= 0)
        m_event.mutable_relay()->set_keep_time(config::RelayKeepTime_Index2Type(index));
}

// ---- e-mail ------------------------------------------------------------------------------------

void CSetupEvent::OnChangedAddress(const QString& text)
{
    config::Event_Email_Address* address = m_event.mutable_email()->mutable_address();
    if (sender() == m_ui.senderAddress) {
        address->set_sender(CTextCodec::ToEucKr(text));
        return;
    }
    const int n = NumberInName(sender(), QRegularExpression(RECEIVER_REGEX));
    if (n >= 1 && n <= address->receiver_size())
        address->set_receiver(n - 1, CTextCodec::ToEucKr(text));
}

void CSetupEvent::OnChangedSmtpAddress(const QString& text)
{
    m_event.mutable_email()->mutable_smtp()->set_address(CTextCodec::ToEucKr(text));
}

void CSetupEvent::OnChangedSmtpPort(int value)
{
    m_event.mutable_email()->mutable_smtp()->set_port(static_cast<uint32_t>(value));
}

void CSetupEvent::OnChangedAuthen(int)
{
    m_event.mutable_email()->mutable_smtp()->set_authentication(IsOn(m_ui.AuthenGroup));
}

void CSetupEvent::OnChangedAuthenID(const QString& text)
{
    m_event.mutable_email()->mutable_smtp()->set_auth_id(CTextCodec::ToEucKr(text));
}

void CSetupEvent::OnChangedAuthenPassword(const QString& text)
{
    m_event.mutable_email()->mutable_smtp()->set_auth_password(CTextCodec::ToEucKr(text));
}

void CSetupEvent::OnChangedSsl(int) { m_event.mutable_email()->mutable_smtp()->set_use_ssl(IsOn(m_ui.sslGroup)); }

void CSetupEvent::OnChangedMime(int) { m_event.mutable_email()->mutable_smtp()->set_use_mime(IsOn(m_ui.mimeGroup)); }

void CSetupEvent::OnChangedEmailPeriod(int index)
{
    if (index >= 0)
        m_event.mutable_email()->mutable_send_cond()->set_period(config::SendPeriod_Index2Type(index));
}

void CSetupEvent::OnChangedProhibition(int)
{
    m_event.mutable_email()->mutable_send_cond()->set_prohibition(IsOn(m_ui.prohibitionGroup));
}

void CSetupEvent::OnChangedStart(int value)
{
    m_event.mutable_email()->mutable_send_cond()->set_prohibition_start(static_cast<uint32_t>(value));
}

void CSetupEvent::OnChangedEnd(int value)
{
    m_event.mutable_email()->mutable_send_cond()->set_prohibition_end(static_cast<uint32_t>(value));
}

void CSetupEvent::OnChangedMotionContent(int)
{
    m_event.mutable_email()->mutable_send_content()->set_motion(IsOn(m_ui.motionContentsGroup));
}

void CSetupEvent::OnChangedSensorContent(int)
{
    m_event.mutable_email()->mutable_send_content()->set_sensor(IsOn(m_ui.sensorContentsGroup));
}

void CSetupEvent::OnChangedVLossContent(int)
{
    m_event.mutable_email()->mutable_send_content()->set_video_loss(IsOn(m_ui.videoLossContentsGroup));
}

void CSetupEvent::OnChangedRecordContent(int)
{
    m_event.mutable_email()->mutable_send_content()->set_rec_status(IsOn(m_ui.recordContentsGroup));
}

void CSetupEvent::OnChangedSystemContent(int)
{
    m_event.mutable_email()->mutable_send_content()->set_sys_access(IsOn(m_ui.systemContentsGroup));
}

void CSetupEvent::OnChangedPostAlarmRecord(int index)
{
    if (index >= 0)
        m_event.mutable_post_record()->set_time(config::PostAlarmRecordTime_Index2Type(index));
}

void CSetupEvent::languageChange() { m_ui.retranslateUi(this); }

void CSetupEvent::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QWidget::changeEvent(event);
}
