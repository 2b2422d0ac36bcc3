#pragma once

#include <QDialog>

#include "ui_PCSetupDialog.h"

class CPCInfoPage;
class CPCSetupPage;

// The PC setup dialog: the settings page and the PC's disk. Built, it writes every PC
// setting once and creates the missing save folders; OK saves before accepted() is emitted.
class CPCSetupDialog : public QDialog {
    Q_OBJECT

public:
    explicit CPCSetupDialog(QWidget* parent = nullptr);
    ~CPCSetupDialog() override;

    // The stored settings again, before the dialog is shown.
    void loadSettings();

    CPCSetupPage* setupPage() const { return m_ui.setupPage; }
    CPCInfoPage* infoPage() const { return m_ui.infoPage; }

    void accept() override;
    void languageChange();

protected:
    void changeEvent(QEvent* event) override;

private:
    Ui_CPCSetupDialog m_ui;
};
