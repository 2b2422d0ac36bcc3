#pragma once

#include <QDialog>
#include <QString>

#include "ui_Login.h"

// Asks for a DVR account id and password.
class CLogin : public QDialog {
    Q_OBJECT

public:
    explicit CLogin(QWidget* parent = nullptr);
    ~CLogin() override;

    QString getID() const;
    QString getPassword() const;

    void languageChange();

protected:
    void changeEvent(QEvent* event) override;

private:
    Ui_CLogin m_ui;
};
