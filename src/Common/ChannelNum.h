#pragma once

// Channel bit masks (bit n = channel n, at most 16 channels per DVR) and the channel
// check boxes of the dialogs and setup pages.

#include <QList>

class QCheckBox;

// Object names of the channel check boxes on the setup pages; the capture is the number.
inline constexpr char CHANNEL_REGEX[] = "ch([0-9]+)";

class CChannelNum {
public:
    CChannelNum();
    ~CChannelNum();

    // Channels above 63 wrap around (65 tests bit 1); a negative channel is never set.
    static bool isEnabled(unsigned long long mask, int ch);
    // Position of ch among the channels of the mask (bits 0-15); for a channel not in the
    // mask, the last position; -1 when the mask holds no channel.
    static int getIndexCount(unsigned long long mask, int ch);
};

class CChnum {
public:
    CChnum();
    ~CChnum();

    // Box i stands for channel i.
    static void setCheckBoxValue(const QList<QCheckBox*>& boxes, unsigned long mask);
    static unsigned long getCheckBoxValue(const QList<QCheckBox*>& boxes);
    static int getCheckedChNum(unsigned long mask);
    // Puts boxes found by name in any order into channel order.
    static void SortCheckBox(QList<QCheckBox*>* boxes);
};

// Compares the first number in the two boxes' object names ("ch_2" before "ch_10").
// A name without a number is logged and compares as not smaller on either side.
bool CompareChQCheckBox(const QCheckBox* a, const QCheckBox* b);
