#include "DVRSetup/SetupEtc.h"

#include <QEvent>
#include <QTimeZone>

#include "Common/DvrQuery.h"
#include "Network/OldQuery.h"
#include "Network/SendCommand.h"
#include "cgi_request.pb.h"

namespace {

// The DVR counts unsigned 32-bit seconds from 1970 (the last whole day is 2106-02-06); the
// old protocol writes the year with two digits.
const QDate FIRST_DATE(1970, 1, 1);
const QDate LAST_DATE(2106, 2, 6);
const QDate OLD_FIRST_DATE(2000, 1, 1);
const QDate OLD_LAST_DATE(2099, 12, 31);

}  // namespace

CSetupEtc::CSetupEtc(QWidget* parent) : QWidget(parent), m_sendCommand(new CSendCommand(this))
{
    m_ui.setupUi(this);
    connect(m_ui.set, &QPushButton::clicked, this, &CSetupEtc::SetCurrentTime);
    connect(m_ui.apply, &QPushButton::clicked, this, &CSetupEtc::ApplyTime);
    connect(m_ui.close, &QPushButton::clicked, this, &CSetupEtc::signalClose);
    setDVR(m_dvr);
    InitConf();
}

CSetupEtc::~CSetupEtc() = default;

void CSetupEtc::InitDvrInfo(const config::DvrConf_DvrInfo& info)
{
    m_dvr_info.CopyFrom(info);
    setDVR(DVR());
    InitConf();
}

void CSetupEtc::InitConf()
{
    m_system.Clear();
    SetConf(m_system);
}

void CSetupEtc::SetConf(const config::System& sys)
{
    m_system.CopyFrom(sys);
    m_ui.dateEdit->setDisplayFormat(DateDisplayFormat(m_system.time_date().date_format()));
    m_ui.timeEdit->setDisplayFormat(TimeDisplayFormat(m_system.time_date().time_format()));
    SetCurrentTime();
}

void CSetupEtc::setDVR(const DVR& dvr)
{
    m_dvr.CopyFrom(dvr);
    if (m_dvr.old_protocol())
        m_ui.dateEdit->setDateRange(OLD_FIRST_DATE, OLD_LAST_DATE);
    else
        m_ui.dateEdit->setDateRange(FIRST_DATE, LAST_DATE);
}

QString CSetupEtc::DateDisplayFormat(int dateFormat)
{
    switch (dateFormat) {
    case config::System_TimeDate::DATE_FORMAT_YYYYMMDD: return QStringLiteral("yyyy-MM-dd");
    case config::System_TimeDate::DATE_FORMAT_DDMMYYYY: return QStringLiteral("dd-MM-yyyy");
    default: return QStringLiteral("MM-dd-yyyy");
    }
}

QString CSetupEtc::TimeDisplayFormat(int timeFormat)
{
    return timeFormat == config::System_TimeDate::TIME_FORMAT_12 ? QStringLiteral("AP hh:mm:ss")
                                                                 : QStringLiteral("hh:mm:ss");
}

void CSetupEtc::SetCurrentTime()
{
    const QDateTime now = QDateTime::currentDateTime();
    m_ui.dateEdit->setDate(now.date());
    m_ui.timeEdit->setTime(now.time());
}

QString CSetupEtc::ClockQuery(const DVR& dvr, const QDate& date, const QTime& time)
{
    if (dvr.old_protocol())
        return COldQuery::SetClock(dvr, date.toString(QStringLiteral("yyMMdd")) + time.toString(QStringLiteral("hhmmss")));
    // The DVR's wall clock is kept as UTC whatever the PC's zone is.
    cgi::DvrTime request;
    request.set_time(static_cast<uint32_t>(QDateTime(date, time, QTimeZone::utc()).toSecsSinceEpoch()));
    return CgiQueryFor(dvr, cgi::MODE_DVR_TIME, request);
}

QString CSetupEtc::ResetQuery(const DVR& dvr)
{
    return dvr.old_protocol() ? COldQuery::Reset(dvr) : CgiQueryFor(dvr, cgi::MODE_RESET_DVR);
}

void CSetupEtc::ApplyTime()
{
    // A half-typed or out-of-range entry would stay on show while the last valid value is
    // sent: the edits show what goes to the DVR.
    m_ui.dateEdit->interpretText();
    m_ui.timeEdit->interpretText();
    m_sendCommand->send(m_dvr, ClockQuery(m_dvr, m_ui.dateEdit->date(), m_ui.timeEdit->time()));
}

void CSetupEtc::ResetDVR() { m_sendCommand->send(m_dvr, ResetQuery(m_dvr)); }

void CSetupEtc::languageChange() { m_ui.retranslateUi(this); }

void CSetupEtc::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QWidget::changeEvent(event);
}
