#pragma once

#include <QWidget>

#include "DVRInfo/HddInfo.h"
#include "ui_PCInfoPage.h"

// The PC's own disk: the drive that holds the record folder, with its total, used and free
// space.
class CPCInfoPage : public QWidget {
    Q_OBJECT

public:
    explicit CPCInfoPage(QWidget* parent = nullptr);
    ~CPCInfoPage() override;

    // Measures the drive of the folder (of its nearest existing parent when it is missing).
    void setFolder(const QString& folder);

    // Sizes of the drive that holds a path, in megabytes; false when none can be measured.
    static bool measureDrive(const QString& path, HDD_INFO_T* info, QString* root);

    void languageChange();

protected:
    void changeEvent(QEvent* event) override;

private:
    Ui_CPCInfoPage m_ui;
};
