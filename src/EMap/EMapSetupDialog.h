#pragma once

#include <QDialog>

#include "ui_EMapSetupDialog.h"

// The e-map settings: event pop-ups, how long they stay open, and how map pictures are sized.
// Read when built, written on OK; the settings store is the only state.
class CEMapSetupDialog : public QDialog {
    Q_OBJECT

public:
    explicit CEMapSetupDialog(QWidget* parent = nullptr);
    ~CEMapSetupDialog() override;

    void loadSettings();
    void languageChange();

    const Ui_CEMapSetupDialog& form() const { return m_ui; }

public slots:
    void OnAccept();

protected:
    void changeEvent(QEvent* event) override;

private:
    Ui_CEMapSetupDialog m_ui;
};
