#pragma once

#include <QWidget>

#include "DVRList.pb.h"
#include "LiveCtrlQuery.h"
#include "ui_AutoPresetWidget.h"

class CSendCommand;

// Page 1 of the live control panel: starts and ends a preset tour on the camera of the
// page's channel. Start, end and dwell time are remembered per channel number (shared by
// every DVR) in the groups "channel<n>" of the settings.
class CAutoPresetWidget : public QWidget {
    Q_OBJECT

public:
    explicit CAutoPresetWidget(QWidget* parent = nullptr);
    ~CAutoPresetWidget() override;

    void setConnectedDVR(const DVR& dvr, int clientId);
    // Takes the channel and shows its stored tour.
    void setChannel(int channel);
    int channel() const { return m_channel; }
    void readSettings();
    void saveSettings();
    void languageChange();

    const CSendCommand& commandSender() const { return *m_send_command; }

public slots:
    void OnClickedAutoStart();
    void OnClickedAutoEnd();

protected:
    void changeEvent(QEvent* event) override;

private:
    CommandTarget target() const { return {m_connected_dvr, m_client_id, m_channel}; }
    void send(const QString& query);

    Ui_CAutoPresetWidget m_ui;
    int m_channel = 0;
    DVR m_connected_dvr;
    int m_client_id = 0;
    CSendCommand* m_send_command = nullptr;
};
