#pragma once

#include <QWidget>

#include "dvr_conf.pb.h"
#include "system.pb.h"
#include "ui_SetupSystem.h"

// The System tab: the DVR's name and ID, clock formats, time zone and NTP, menu language,
// buzzer, monitor display and automatic reboot. Every control but the two reboot lists
// writes into the message as it changes; GetConf reads the reboot lists. Fields without a
// control (operation and playback mode, picture adjustments, OSD position) pass through.
class CSetupSystem : public QWidget {
    Q_OBJECT

public:
    explicit CSetupSystem(QWidget* parent = nullptr);
    ~CSetupSystem() override;

    void InitControls();
    void InitDvrInfo(const config::DvrConf_DvrInfo& info);
    void UpdateControls();
    void MakeConfValid();
    void InitConf();
    void SetConf(const config::System& system);
    config::System GetConf();
    void languageChange();

public slots:
    void OnChangedName(const QString& text);
    void OnChangedID(int value);
    void OnChangedTimeFormat(int index);
    void OnChangedDateFormat(int index);
    void OnChangedTimezone(int index);
    void OnChangedNtp(int id);
    void OnChangedNtpAddress(const QString& text);
    void OnChangedLangauge(int index);
    void OnChangedSensor(int id);
    void OnChangedMotion(int id);
    void OnChangedVideoLoss(int id);
    void OnChangedRecordFail(int id);
    void OnChangedRecordWarning(int id);
    void OnChangedCameraName(int id);
    void OnChangedRecordIcon(int id);
    void OnChangedMotionIcon(int id);
    void OnChangedSensorIcon(int id);
    void OnChangedTaskBar(int id);
    void OnChangedVgaMode(int index);

protected:
    void changeEvent(QEvent* event) override;

private:
    // The eleven Off/On groups: NTP, the five buzzer fields, the five display fields.
    struct OffOn {
        QButtonGroup* group;
        QAbstractButton* off;
        QAbstractButton* on;
    };
    QList<OffOn> offOnGroups() const;
    // The reboot day items, in the language of the moment.
    static QStringList rebootDays();
    void showOffOn();

    Ui_CSetupSystem m_ui;
    config::DvrConf_DvrInfo m_dvr_info;
    config::System m_system;
};
