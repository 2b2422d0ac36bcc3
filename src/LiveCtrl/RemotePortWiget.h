#pragma once

#include <QList>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "DVRList.pb.h"
#include "ui_RemotePortWiget.h"

class CSendCommand;

// Page 2 of the live control panel: the DVR's relay output (port 0) on, off, or on with a
// switch-off after 5, 10, 20 or 30 s counted here. The page does not know the relay's real
// state.
class CRemotePortWiget : public QWidget {
    Q_OBJECT

public:
    explicit CRemotePortWiget(QWidget* parent = nullptr);
    ~CRemotePortWiget() override;

    void setConnectedDVR(const DVR& dvr, int clientId);
    void sendCommand(unsigned int port, bool on);
    void languageChange();

    int autoOffSeconds() const { return m_auto_off_seconds; }
    const QTimer& autoOffTimer() const { return *m_auto_off_timer; }
    const CSendCommand& commandSender() const { return *m_send_command; }

public slots:
    void OnClickedRP();
    void OnClickedAutoRP();
    void OnClickedOffSecond();
    void OnTimer();

private:
    void send(const DVR& dvr, int clientId, unsigned int port, bool on);

    Ui_CRemotePortWiget m_ui;
    DVR m_connected_dvr;
    int m_client_id = 0;
    int m_auto_off_seconds = 0;
    CSendCommand* m_send_command = nullptr;
    QList<QPushButton*> m_auto_buttons;
    QTimer* m_auto_off_timer = nullptr;
    // The DVR and connection that were switched on; the auto-off goes there.
    DVR m_auto_dvr;
    int m_auto_client_id = 0;
};
