#pragma once

#include <QWidget>

#include "ui_PCSetupPage.h"

class QComboBox;
class QLineEdit;

// Every PC-side option: language, save folders, stream kind, playback mode, audio,
// reconnecting, OpenGL, on-screen texts and marks, alarm sound, file formats and the
// sequence interval. Each choice box is named after its settings key. Built, it loads the
// settings and writes them all back, so every key exists after the first start.
class CPCSetupPage : public QWidget {
    Q_OBJECT

public:
    explicit CPCSetupPage(QWidget* parent = nullptr);
    ~CPCSetupPage() override;

    // Shows the stored settings (a value that is no choice shows the default) and creates
    // the save folders that are missing.
    void loadSettings();
    // Stores what the page shows and switches the program to the chosen language at once.
    void saveSettings();

    QComboBox* choiceBox(const QString& key) const;
    QLineEdit* folderEdit(const QString& key) const;
    QString recordFolder() const;

    void languageChange();

signals:
    void recordFolderChanged(const QString& folder);

protected:
    void changeEvent(QEvent* event) override;

private:
    void fillChoices();
    void chooseFolder(const QString& key);

    Ui_CPCSetupPage m_ui;
};
