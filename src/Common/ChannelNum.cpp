#include "ChannelNum.h"

#include <algorithm>
#include <climits>

#include <QCheckBox>
#include <QRegularExpression>
#include <QtDebug>

namespace {

const int CHANNEL_BITS = 16;
const int MASK_BITS = static_cast<int>(sizeof(unsigned long) * CHAR_BIT);

bool channelNumber(const QCheckBox* box, int* number)
{
    static const QRegularExpression digits(QStringLiteral("(\\d+)"));
    const QString name = box->objectName();
    const QRegularExpressionMatch match = digits.match(name);
    if (!match.hasMatch()) {
        qDebug("[ERROR] Can't find a channel number from %s\n", name.toLatin1().constData());
        return false;
    }
    *number = match.captured(1).toInt();  // 0 when the run is too long for an int
    return true;
}

}  // namespace

CChannelNum::CChannelNum() = default;
CChannelNum::~CChannelNum() = default;

bool CChannelNum::isEnabled(unsigned long long mask, int ch)
{
    if (ch < 0)
        return false;
    return (mask >> (ch % 64)) & 1ull;
}

int CChannelNum::getIndexCount(unsigned long long mask, int ch)
{
    int index = -1;
    for (int i = 0; i < CHANNEL_BITS; ++i) {
        if (mask & (1ull << i)) {
            ++index;
            if (i == ch)
                break;
        }
    }
    return index;
}

CChnum::CChnum() = default;
CChnum::~CChnum() = default;

void CChnum::setCheckBoxValue(const QList<QCheckBox*>& boxes, unsigned long mask)
{
    for (int i = 0; i < boxes.size(); ++i) {
        const bool on = i < MASK_BITS && ((mask >> i) & 1ul);
        boxes[i]->setChecked(on);
    }
}

unsigned long CChnum::getCheckBoxValue(const QList<QCheckBox*>& boxes)
{
    unsigned long mask = 0;
    const int count = std::min<int>(boxes.size(), MASK_BITS);
    for (int i = 0; i < count; ++i) {
        if (boxes[i]->isChecked())
            mask |= 1ul << i;
    }
    return mask;
}

int CChnum::getCheckedChNum(unsigned long mask)
{
    return __builtin_popcountl(mask & 0xFFFFul);
}

void CChnum::SortCheckBox(QList<QCheckBox*>* boxes)
{
    // A box without a number makes the order inconsistent; a merge sort stays within the
    // list whatever the comparison answers, where a quick sort may not.
    std::stable_sort(boxes->begin(), boxes->end(), CompareChQCheckBox);
}

bool CompareChQCheckBox(const QCheckBox* a, const QCheckBox* b)
{
    int na = 0;
    int nb = 0;
    if (!channelNumber(a, &na) || !channelNumber(b, &nb))
        return false;
    return na < nb;
}
