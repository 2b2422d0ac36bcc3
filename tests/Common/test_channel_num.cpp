#include <algorithm>
#include <climits>

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QWidget>

#include "Common/ChannelNum.h"

namespace {
QList<QCheckBox*> makeBoxes(QWidget* parent, const QStringList& names)
{
    QList<QCheckBox*> boxes;
    for (const QString& name : names) {
        boxes << new QCheckBox(parent);
        boxes.back()->setObjectName(name);
    }
    return boxes;
}
}  // namespace

TEST(ChannelMask, BitTestsCountsAndBoxesNeverShiftOutOfRange)
{
    const struct { unsigned long long mask; int ch; bool enabled; int index; } cases[] = {
        {0x2, 1, true, 0}, {0x2, 65, true, 0}, {1ull << 63, INT_MAX, true, -1}, {~0ull, -1, false, 15},
        {~0ull, INT_MIN, false, 15}, {0x8001, 15, true, 1}, {0x0005, 1, false, 1}, {0x0007, -3, false, 2},
        {0x0007, 100, false, 2}, {0, 3, false, -1}, {0xFFFF0000ull, 16, true, -1},  // not channels
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CChannelNum::isEnabled(c.mask, c.ch), c.enabled) << c.mask << " " << c.ch;
        EXPECT_EQ(CChannelNum::getIndexCount(c.mask, c.ch), c.index) << c.mask << " " << c.ch;
    }
    EXPECT_EQ(CChnum::getCheckedChNum(0x1FFFF), 16);  // bit 16 is no channel
    // More boxes than the mask has bits: the rest stay unchecked and unread.
    QWidget parent;
    QStringList names;
    for (int i = 0; i < 70; ++i)
        names << QStringLiteral("ch%1").arg(i);
    const QList<QCheckBox*> boxes = makeBoxes(&parent, names);
    for (unsigned long mask : {0x0005ul, ~0ul}) {
        boxes[69]->setChecked(true);
        CChnum::setCheckBoxValue(boxes, mask);
        for (int i = 0; i < 69; ++i)
            ASSERT_EQ(boxes[i]->isChecked(), i < int(sizeof mask * CHAR_BIT) && (mask >> i & 1)) << mask << " " << i;
        EXPECT_EQ(CChnum::getCheckBoxValue(boxes), mask);
    }
}

TEST(ChannelCheckBoxes, SortedByTheFirstNumberAndNamesWithoutOneNeverSmaller)
{
    QWidget page;
    QList<QCheckBox*> boxes = makeBoxes(&page, {"ch_11", "ch9_1", "ch10_0", "ch_2"});
    CChnum::SortCheckBox(&boxes);
    EXPECT_EQ(boxes[0]->objectName() + boxes[1]->objectName() + boxes[3]->objectName(), "ch_2ch9_1ch_11");
    // Such a comparison is no strict order: sorting must still only permute the list.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QCheckBox* all = makeBoxes(&page, {"all"})[0];
    const bool allFirst = CompareChQCheckBox(all, boxes[1]), allSecond = CompareChQCheckBox(boxes[1], all);
    QStringList names;
    for (int i = 0; i < 200; ++i)
        names << (i % 7 == 3 ? QStringLiteral("box") : QStringLiteral("ch%1").arg((i * 37) % 101));
    QList<QCheckBox*> list = makeBoxes(&page, names), sorted = list;
    CChnum::SortCheckBox(&sorted);
    qInstallMessageHandler(previous);
    EXPECT_FALSE(allFirst || allSecond);
    std::sort(list.begin(), list.end());
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(list, sorted);
}
