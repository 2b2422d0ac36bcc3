#pragma once

#include <QHash>
#include <QList>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "DVRList.pb.h"
#include "ui_RemotePortWiget.h"

class CSendCommand;

// Page 2 of the live control panel: the DVR's relay output (port 0) on, off, or on with a
// switch-off after 5, 10, 20 or 30 s counted here, per DVR. The page does not know the
// relay's real state.
class CRemotePortWiget : public QWidget {
    Q_OBJECT

public:
    explicit CRemotePortWiget(QWidget* parent = nullptr);
    ~CRemotePortWiget() override;

    void setConnectedDVR(const DVR& dvr, int clientId);
    void sendCommand(unsigned int port, bool on);
    void languageChange();

    int autoOffSeconds() const { return m_auto_off_seconds; }
    // The pending switch-off of a DVR's port; null when none is pending. Its object name is
    // AutoOffKey(dvr, port).
    const QTimer* autoOffTimer(const DVR& dvr, unsigned int port = 0) const;
    static QString AutoOffKey(const DVR& dvr, unsigned int port);
    const CSendCommand& commandSender() const { return *m_send_command; }

public slots:
    void OnClickedRP();
    void OnClickedAutoRP();
    void OnClickedOffSecond();

protected:
    void changeEvent(QEvent* event) override;

private:
    // A relay switched on with "Auto": the switch-off goes to the DVR and connection that
    // were switched on, whichever DVR the page shows by then.
    struct AutoOff {
        DVR dvr;
        int clientId = 0;
        unsigned int port = 0;
        QTimer* timer = nullptr;
    };

    void send(const DVR& dvr, int clientId, unsigned int port, bool on);
    void cancelAutoOff(const QString& key);
    void OnTimer(const QString& key);
    void showAutoState();

    Ui_CRemotePortWiget m_ui;
    DVR m_connected_dvr;
    int m_client_id = 0;
    int m_auto_off_seconds = 0;
    CSendCommand* m_send_command = nullptr;
    QList<QPushButton*> m_auto_buttons;
    // Each DVR's and port's own; only a click for the same DVR and port replaces it.
    QHash<QString, AutoOff> m_auto_offs;
};
