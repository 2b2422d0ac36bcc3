#include <algorithm>
#include <climits>

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QRegularExpression>
#include <QWidget>

#include "Common/ChannelNum.h"

namespace {

QStringList g_messages;

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

TEST(ChannelMask, BitTestsAndCountsNeverShiftOutOfRange)
{
    const struct {
        unsigned long long mask;
        int ch;
        bool enabled;
        int index;
    } cases[] = {
        {0x2, 1, true, 0}, {0x2, 0, false, 0}, {0x2, 65, true, 0}, {1ull << 63, INT_MAX, true, -1},
        {~0ull, -1, false, 15}, {~0ull, INT_MIN, false, 15}, {0x0005, 2, true, 1}, {0x8001, 15, true, 1},
        {0x0005, 1, false, 1}, {0x0007, -3, false, 2}, {0x0007, 100, false, 2}, {0, 3, false, -1},
        {0xFFFF0000ull, 16, true, -1},  // not channels
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.mask << " " << std::dec << c.ch);
        EXPECT_EQ(CChannelNum::isEnabled(c.mask, c.ch), c.enabled);
        EXPECT_EQ(CChannelNum::getIndexCount(c.mask, c.ch), c.index);
    }
    EXPECT_EQ(CChnum::getCheckedChNum(0x1FFFF), 16);
    EXPECT_EQ(CChnum::getCheckedChNum(0xFFFF0000ul), 0);

    // More boxes than the mask has bits: the rest stay unchecked and unread.
    QWidget parent;
    QStringList names;
    for (int i = 0; i < 70; ++i)
        names << QStringLiteral("ch%1").arg(i);
    const QList<QCheckBox*> boxes = makeBoxes(&parent, names);
    for (unsigned long mask : {0x0005ul, ~0ul, 0x8000ul}) {
        boxes[69]->setChecked(true);
        CChnum::setCheckBoxValue(boxes, mask);
        for (int i = 0; i < 69; ++i)
            ASSERT_EQ(boxes[i]->isChecked(), i < int(sizeof mask * CHAR_BIT) && (mask >> i & 1)) << mask << " " << i;
        EXPECT_EQ(CChnum::getCheckBoxValue(boxes), mask);
    }
    CChnum::setCheckBoxValue(boxes.mid(0, 2), 0xFFF1ul);  // bits beyond the list are ignored
    EXPECT_EQ(CChnum::getCheckBoxValue(boxes), 0x8001ul);
}

TEST(ChannelCheckBoxes, SortedByTheFirstNumberInTheName)
{
    QWidget page;
    // One too long for an int counts as 0.
    QList<QCheckBox*> boxes = makeBoxes(&page, {"ch_11", "ch9_1", "ch10_0", "ch99999999999", "ch_2"});
    CChnum::SortCheckBox(&boxes);
    QStringList sortedNames;
    for (const QCheckBox* box : boxes)
        sortedNames << box->objectName();
    EXPECT_EQ(sortedNames, QStringList({"ch99999999999", "ch_2", "ch9_1", "ch10_0", "ch_11"}));
    QWidget setup;
    makeBoxes(&setup, {"ch12", "allChannels", "Ch2"});
    const QRegularExpression pattern(QString::fromLatin1(CHANNEL_REGEX));
    const QList<QCheckBox*> found = setup.findChildren<QCheckBox*>(pattern);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(pattern.match(found[0]->objectName()).captured(1), QStringLiteral("12"));

    // A name without a number is logged and never smaller; such a comparison is no strict
    // order, and sorting must still only permute the list.
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { g_messages << text; });
    g_messages.clear();
    QCheckBox* all = makeBoxes(&page, {"all"})[0];
    const bool allFirst = CompareChQCheckBox(all, boxes[1]);
    const bool allSecond = CompareChQCheckBox(boxes[1], all);
    const QStringList logged = g_messages;
    QStringList names;
    for (int i = 0; i < 200; ++i)
        names << (i % 7 == 3 ? QStringLiteral("box") : QStringLiteral("ch%1").arg((i * 37) % 101));
    QList<QCheckBox*> list = makeBoxes(&page, names), sorted = list;
    CChnum::SortCheckBox(&sorted);
    qInstallMessageHandler(previous);
    EXPECT_FALSE(allFirst || allSecond);
    const QString text = QStringLiteral("[ERROR] Can't find a channel number from all\n");
    EXPECT_EQ(logged, QStringList({text, text}));
    std::sort(list.begin(), list.end());
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(list, sorted);
}
