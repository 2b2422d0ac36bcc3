#pragma once

#include <QList>
#include <QWidget>

#include "ui_ChannelWidget.h"

class QCheckBox;

// One check box per channel of a DVR, read and written as a channel mask (bit n = channel
// n). With a limit, ticking one box more than the limit allows unticks the box ticked first.
class CChannelWidget : public QWidget {
    Q_OBJECT

public:
    explicit CChannelWidget(QWidget* parent = nullptr);
    ~CChannelWidget() override;

    // Shows the boxes of channels 0..chNum-1; the ticks stay.
    void updateChannelCtrl(int chNum);
    // Ticks the shown boxes by the mask, also past the limit.
    void setChMask(unsigned long mask);
    unsigned long getChMask() const;
    // 0 removes the limit.
    void setCheckableCount(int count);

    void languageChange();

public slots:
    void OnChannelClicked();

protected:
    void changeEvent(QEvent* event) override;

private:
    Ui_CChannelWidget m_ui;
    QList<QCheckBox*> m_boxes;         // shown, channel order
    QList<QCheckBox*> m_checkedQueue;  // ticked, oldest first
    int m_checkableCount = 0;
};
