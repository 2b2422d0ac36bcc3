#pragma once

#include <QList>
#include <QPushButton>
#include <QString>
#include <QTimer>
#include <QWidget>

#include "DVRList.pb.h"
#include "LiveCtrlQuery.h"
#include "ui_PtzfWidget.h"

class CSendCommand;

// Page 0 of the live control panel: pan, tilt, zoom, focus and iris of the selected camera
// at four speeds, and presets 1 to 99. A move lasts while its button is held: it is sent at
// the press, again every second, and a stop follows the release.
class CPtzfWidget : public QWidget {
    Q_OBJECT

public:
    static constexpr int REPEAT_INTERVAL_MS = 1000;

    explicit CPtzfWidget(QWidget* parent = nullptr);
    ~CPtzfWidget() override;

    void setConnectedDVR(const DVR& dvr, int clientId);
    // name: "Set", "Go", a move button's name, or empty for a stop.
    void sendCommand(const QString& name);
    void languageChange();

    int channel() const { return m_channel; }
    const QTimer& repeatTimer() const { return *m_repeat_timer; }
    const CSendCommand& commandSender() const { return *m_send_command; }

public slots:
    void OnSendPreset();
    void OnPressedPTZF();
    void OnReleasedPTZF();
    void OnTimer();
    void OnChangedSpeed(int speed);
    void setChannel(int selectedch);

protected:
    void changeEvent(QEvent* event) override;

private:
    CommandTarget target() const;
    void sendTo(const CommandTarget& target, const QString& name, bool repeat);

    Ui_CPtzfWidget m_ui;
    DVR m_connected_dvr;
    int m_channel = 0;
    int m_client_id = 0;
    QList<QPushButton*> m_ptzf_buttons;
    QTimer* m_repeat_timer = nullptr;
    CSendCommand* m_send_command = nullptr;
    // The camera the held move went to; its repeats and its stop go there too.
    CommandTarget m_held;
    bool m_holding = false;
};
