#pragma once

#include <QByteArray>
#include <QWidget>

#include "DVRList.pb.h"
#include "DVRSetup/PageRules.h"
#include "dvr_conf.pb.h"
#include "event.pb.h"
#include "ui_SetupEvent.h"

// The Event tab: motion detection per channel (with the motion zone editor over the
// channel's live picture), the alarm sensors, the relay output, e-mail notification and the
// post-alarm recording time. Every control writes into the message as it changes; the
// relay's video-loss switches have no control and pass through.
class CSetupEvent : public QWidget {
    Q_OBJECT

public:
    explicit CSetupEvent(QWidget* parent = nullptr);
    ~CSetupEvent() override;

    void InitControls();
    void InitDvrInfo(const config::DvrConf_DvrInfo& info);
    void UpdateControls();
    void MakeConfValid();
    void InitConf();
    void SetConf(const config::Event& event);
    config::Event GetConf();
    void languageChange();

    // The DVR whose cameras the motion zone editor shows.
    void setConnectedDVR(const DVR& dvr);
    const DVR& connectedDVR() const { return m_connected_dvr; }

    int getMotionZoneCols() const;
    int getMotionZoneRows() const;

public slots:
    void OnChangedMotion(int index);
    void OnChangedSensitivity(int value);
    void OnDetectZone();
    void OnChangedMotionPopup(int id);
    void OnChangedMotionPopdown(int index);
    void OnChangedSensor(int index);
    void OnChangedSensorType(int index);
    void OnChangedSensorLink(int index);
    void OnChangedSensorPopup(int id);
    void OnChangedSensorPopdown(int index);
    void OnChangedRelaySensor(int index);
    void OnChangedRelaySensorOutput(int id);
    void OnChangedRelayMotion(int index);
    void OnChangedRelayMotionOutput(int id);
    void OnChangedRecFail(int id);
    void OnChangedRecWarn(int id);
    void OnChangedRelayTime(int index);
    void OnChangedAddress(const QString& text);
    void OnChangedSmtpAddress(const QString& text);
    void OnChangedSmtpPort(int value);
    void OnChangedAuthen(int id);
    void OnChangedAuthenID(const QString& text);
    void OnChangedAuthenPassword(const QString& text);
    void OnChangedSsl(int id);
    void OnChangedMime(int id);
    void OnChangedEmailPeriod(int index);
    void OnChangedProhibition(int id);
    void OnChangedStart(int value);
    void OnChangedEnd(int value);
    void OnChangedMotionContent(int id);
    void OnChangedSensorContent(int id);
    void OnChangedVLossContent(int id);
    void OnChangedRecordContent(int id);
    void OnChangedSystemContent(int id);
    void OnChangedPostAlarmRecord(int index);

protected:
    void changeEvent(QEvent* event) override;

private:
    bool onAll() const { return m_ui.motionCh->currentIndex() >= m_model.channels; }
    // The motion entry the motion controls edit: channel k, or the "ALL" shadow.
    config::Event_Motion* motionTarget();
    config::Event_Sensor* shownSensor();
    void showEmail();

    Ui_CSetupEvent m_ui;
    config::DvrConf_DvrInfo m_dvr_info;
    config::Event m_event;
    config::Event_Motion m_all_motion;
    DVR m_connected_dvr;
    QByteArray m_motion_zone;
    PageModel m_model;
    config::MotionGrid m_grid;
    // The operator's own choices on "ALL", the only values GetConf copies to every channel.
    MotionEdits m_allEdits;
};
