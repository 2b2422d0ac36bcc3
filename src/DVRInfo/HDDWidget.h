#pragma once

#include <QWidget>

#include "DVRInfo/HddInfo.h"
#include "ui_HDDWidget.h"

// One disk: its title, total, used and free space, and a bar of the used share.
class CHDDWidget : public QWidget {
    Q_OBJECT

public:
    explicit CHDDWidget(QWidget* parent = nullptr);
    ~CHDDWidget() override;

    // index 0 or more titles the disk "HDD <index + 1>"; a negative index leaves no title.
    void setInfo(int index, const HDD_INFO_T& info);

    // The used share in percent, 0 for an empty disk, at most 100.
    static int usedPercent(const HDD_INFO_T& info);

    void languageChange();

protected:
    void changeEvent(QEvent* event) override;

private:
    void showInfo();

    Ui_CHDDWidget m_ui;
    bool m_shown = false;  // setInfo ran: a retranslation shows the values again
    int m_index = -1;
    HDD_INFO_T m_info;
};
