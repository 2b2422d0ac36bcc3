#pragma once

#include <QDialog>
#include <QString>

#include "ui_SendDVRInfoWidget.h"

// Asks the operator to confirm the address, port and administrator password of the DVR a
// configuration goes to.
class CSendDVRInfoWidget : public QDialog {
    Q_OBJECT

public:
    explicit CSendDVRInfoWidget(QWidget* parent = nullptr);
    ~CSendDVRInfoWidget() override;

    void setAddress(const QString& address);
    void setPort(int port);
    void setPassword(const QString& password);
    QString getAddress() const;
    int getPort() const;
    QString getPassword() const;

    // OK: accepted only with an address, a port above 0 and a password.
    void accept() override;

    void languageChange();

protected:
    void changeEvent(QEvent* event) override;

private:
    Ui_CSendDVRInfoWidget m_ui;
};
