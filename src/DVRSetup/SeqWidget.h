#pragma once

#include <QList>
#include <QWidget>

#include "ui_SeqWidget.h"

class QCheckBox;

// One display sequence of a DVR monitor: the channels and multi-screen layouts shown in
// turn, as one mask (bits 0..15 channels, bit 15 + j the layout box chMj), and the dwell
// time of a step as an index.
class CSeqWidget : public QWidget {
    Q_OBJECT

public:
    explicit CSeqWidget(QWidget* parent = nullptr);
    ~CSeqWidget() override;

    // Offers the channel boxes of chNum and its layouts (4: M1-4; 8: M1-4, M5-8, M1-8;
    // other counts: all seven). On HD-SDI models the layouts are hidden but keep their ticks.
    void updateChannelCtrl(int chNum, bool isHdSdi);
    void addItems();
    void setChMask(unsigned long mask);
    unsigned long getChMask() const;
    void setTime(int index);
    int getTime() const;

    void languageChange();

protected:
    void changeEvent(QEvent* event) override;

private:
    void labelLayouts();

    Ui_CSeqWidget m_ui;
    int m_chNum = 16;
    QList<QCheckBox*> m_boxes;       // shown channels, channel order
    QList<QCheckBox*> m_multiBoxes;  // offered layouts, by number
};
