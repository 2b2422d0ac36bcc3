#pragma once

#include <QDateTime>
#include <QString>
#include <QWidget>

#include "DVRList.pb.h"
#include "dvr_conf.pb.h"
#include "ui_SetupEtc.h"

class CSendCommand;

// The "Time & Date" panel of the configuration container: sets the target DVR's clock from
// the edits (shown in the DVR's display formats, starting at the PC's clock) and resets the
// DVR. It reads only time_date of the system part and contributes nothing to a sent or
// saved configuration. Commands are fire-and-forget.
class CSetupEtc : public QWidget {
    Q_OBJECT

public:
    explicit CSetupEtc(QWidget* parent = nullptr);
    ~CSetupEtc() override;

    void InitDvrInfo(const config::DvrConf_DvrInfo& info);
    void InitConf();
    void SetConf(const config::System& sys);

    // The DVR the commands go to; the date range follows what its clock can hold.
    void setDVR(const DVR& dvr);
    const DVR& dvr() const { return m_dvr; }
    const CSendCommand& commandSender() const { return *m_sendCommand; }

    // Posts the reset command at once; no question is asked here.
    void ResetDVR();

    void languageChange();

    // Display formats for date_format and time_format.
    static QString DateDisplayFormat(int dateFormat);
    static QString TimeDisplayFormat(int timeFormat);
    // The clock command for a wall-clock time of the DVR.
    static QString ClockQuery(const DVR& dvr, const QDate& date, const QTime& time);
    static QString ResetQuery(const DVR& dvr);

public slots:
    void SetCurrentTime();
    void ApplyTime();

signals:
    void signalClose();

protected:
    void changeEvent(QEvent* event) override;

private:
    Ui_CSetupEtc m_ui;
    config::DvrConf_DvrInfo m_dvr_info;
    config::System m_system;
    DVR m_dvr;
    CSendCommand* m_sendCommand;
};
