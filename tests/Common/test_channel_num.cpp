#include <algorithm>
#include <climits>
#include <memory>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QRegularExpression>
#include <QStringList>
#include <QWidget>

#include "Common/ChannelNum.h"

namespace {

QStringList g_messages;

void collectMessages(QtMsgType, const QMessageLogContext&, const QString& text)
{
    g_messages << text;
}

// Captures the debug log while it lives.
class MessageCapture {
public:
    MessageCapture() : m_previous(qInstallMessageHandler(collectMessages)) { g_messages.clear(); }
    ~MessageCapture() { qInstallMessageHandler(m_previous); }

private:
    QtMessageHandler m_previous;
};

QList<QCheckBox*> makeBoxes(QWidget* parent, const QStringList& names)
{
    QList<QCheckBox*> boxes;
    for (const QString& name : names) {
        auto* box = new QCheckBox(parent);
        box->setObjectName(name);
        boxes << box;
    }
    return boxes;
}

QStringList namesOf(const QList<QCheckBox*>& boxes)
{
    QStringList names;
    for (const QCheckBox* box : boxes)
        names << box->objectName();
    return names;
}

}  // namespace

TEST(ChannelMask, IsEnabledWrapsLargeChannelsAndRefusesNegativeOnes)
{
    EXPECT_TRUE(CChannelNum::isEnabled(0x2, 1));
    EXPECT_FALSE(CChannelNum::isEnabled(0x2, 0));
    EXPECT_TRUE(CChannelNum::isEnabled(0x2, 65));
    EXPECT_TRUE(CChannelNum::isEnabled(1ull << 63, 63));
    EXPECT_TRUE(CChannelNum::isEnabled(1ull << 63, 127));
    EXPECT_TRUE(CChannelNum::isEnabled(1ull << 63, INT_MAX));  // INT_MAX % 64 == 63

    EXPECT_FALSE(CChannelNum::isEnabled(~0ull, -1));
    EXPECT_FALSE(CChannelNum::isEnabled(~0ull, -64));
    EXPECT_FALSE(CChannelNum::isEnabled(~0ull, INT_MIN));
}

TEST(ChannelMask, IndexCountPlacesChannelsOneAfterAnother)
{
    EXPECT_EQ(CChannelNum::getIndexCount(0x0005, 0), 0);
    EXPECT_EQ(CChannelNum::getIndexCount(0x0005, 2), 1);
    EXPECT_EQ(CChannelNum::getIndexCount(0x8001, 15), 1);
    EXPECT_EQ(CChannelNum::getIndexCount(0xFFFF, 15), 15);

    // A channel not in the mask, or outside 0-15, gets the last position.
    EXPECT_EQ(CChannelNum::getIndexCount(0x0005, 1), 1);
    EXPECT_EQ(CChannelNum::getIndexCount(0x0007, -3), 2);
    EXPECT_EQ(CChannelNum::getIndexCount(0x0007, 100), 2);

    // Bits above 15 are not channels.
    EXPECT_EQ(CChannelNum::getIndexCount(0, 3), -1);
    EXPECT_EQ(CChannelNum::getIndexCount(0xFFFF0000ull, 16), -1);
    EXPECT_EQ(CChannelNum::getIndexCount(0x10001ull, 16), 0);
}

TEST(ChannelMask, CheckedChannelCountSeesSixteenBitsOnly)
{
    EXPECT_EQ(CChnum::getCheckedChNum(0x1FFFF), 16);
    EXPECT_EQ(CChnum::getCheckedChNum(0x8421), 4);
    EXPECT_EQ(CChnum::getCheckedChNum(0), 0);
    EXPECT_EQ(CChnum::getCheckedChNum(0xFFFF0000ul), 0);
}

TEST(ChannelCheckBoxes, MaskRoundTripThroughRealBoxes)
{
    QWidget parent;
    const QList<QCheckBox*> boxes = makeBoxes(&parent, {"ch0", "ch1", "ch2", "ch3"});

    boxes[1]->setChecked(true);
    CChnum::setCheckBoxValue(boxes, 0x0005);
    EXPECT_TRUE(boxes[0]->isChecked());
    EXPECT_FALSE(boxes[1]->isChecked());
    EXPECT_TRUE(boxes[2]->isChecked());
    EXPECT_FALSE(boxes[3]->isChecked());
    EXPECT_EQ(CChnum::getCheckBoxValue(boxes), 0x0005ul);

    // Bits beyond the list are ignored.
    CChnum::setCheckBoxValue(boxes, 0xFFF0ul);
    EXPECT_EQ(CChnum::getCheckBoxValue(boxes), 0ul);

    boxes[3]->setChecked(true);
    EXPECT_EQ(CChnum::getCheckBoxValue(boxes), 0x8ul);

    EXPECT_EQ(CChnum::getCheckBoxValue({}), 0ul);
    CChnum::setCheckBoxValue({}, ~0ul);  // nothing to do, nothing to break
}

TEST(ChannelCheckBoxes, ListsLongerThanTheMaskStayDefined)
{
    QWidget parent;
    QStringList names;
    for (int i = 0; i < 70; ++i)
        names << QStringLiteral("ch%1").arg(i);
    const QList<QCheckBox*> boxes = makeBoxes(&parent, names);

    CChnum::setCheckBoxValue(boxes, ~0ul);
    const int maskBits = static_cast<int>(sizeof(unsigned long) * CHAR_BIT);
    for (int i = 0; i < boxes.size(); ++i)
        EXPECT_EQ(boxes[i]->isChecked(), i < maskBits) << "box " << i;

    for (QCheckBox* box : boxes)
        box->setChecked(true);
    EXPECT_EQ(CChnum::getCheckBoxValue(boxes), ~0ul);
}

TEST(ChannelCheckBoxes, SortByTheNumberInTheName)
{
    QWidget parent;
    QList<QCheckBox*> boxes = makeBoxes(&parent, {"ch_10", "ch_2", "ch_0"});
    CChnum::SortCheckBox(&boxes);
    EXPECT_EQ(namesOf(boxes), QStringList({"ch_0", "ch_2", "ch_10"}));

    // Only the first run of digits counts; one too long for an int counts as 0.
    QList<QCheckBox*> more = makeBoxes(&parent, {"ch9_1", "ch10_0", "ch99999999999", "ch3"});
    CChnum::SortCheckBox(&more);
    EXPECT_EQ(namesOf(more), QStringList({"ch99999999999", "ch3", "ch9_1", "ch10_0"}));
}

TEST(ChannelCheckBoxes, PatternFindsTheBoxesOfAPageInChannelOrder)
{
    QWidget page;
    std::vector<int> order(16);
    for (int i = 0; i < 16; ++i)
        order[i] = i + 1;
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
    for (int n : order)
        makeBoxes(&page, {QStringLiteral("ch%1").arg(n)});
    makeBoxes(&page, {"allChannels", "Ch1"});  // not channel boxes: no lower-case "ch" + digits

    const QRegularExpression pattern(QString::fromLatin1(CHANNEL_REGEX));
    QList<QCheckBox*> boxes = page.findChildren<QCheckBox*>(pattern);
    ASSERT_EQ(boxes.size(), 16);
    CChnum::SortCheckBox(&boxes);
    for (int i = 0; i < boxes.size(); ++i)
        EXPECT_EQ(pattern.match(boxes[i]->objectName()).captured(1).toInt(), i + 1);
}

TEST(ChannelCheckBoxes, NameWithoutNumberIsLoggedAndNeverSmaller)
{
    QWidget parent;
    const QList<QCheckBox*> boxes = makeBoxes(&parent, {"ch_1", "all"});
    {
        MessageCapture capture;
        EXPECT_FALSE(CompareChQCheckBox(boxes[1], boxes[0]));
        ASSERT_EQ(g_messages.size(), 1);
        EXPECT_EQ(g_messages[0], QStringLiteral("[ERROR] Can't find a channel number from all\n"));

        g_messages.clear();
        EXPECT_FALSE(CompareChQCheckBox(boxes[0], boxes[1]));
        ASSERT_EQ(g_messages.size(), 1);
        EXPECT_EQ(g_messages[0], QStringLiteral("[ERROR] Can't find a channel number from all\n"));
    }
    EXPECT_TRUE(CompareChQCheckBox(boxes[0], makeBoxes(&parent, {"ch_2"})[0]));
}

TEST(ChannelCheckBoxes, SortingWithUnnumberedBoxesKeepsEveryBox)
{
    // Such a comparison is no strict order; the sort must still only permute the list.
    QWidget parent;
    QStringList names;
    for (int i = 0; i < 200; ++i)
        names << (i % 7 == 3 ? QStringLiteral("box") : QStringLiteral("ch%1").arg((i * 37) % 101));
    QList<QCheckBox*> boxes = makeBoxes(&parent, names);
    const QList<QCheckBox*> before = boxes;

    MessageCapture capture;
    CChnum::SortCheckBox(&boxes);

    EXPECT_FALSE(g_messages.isEmpty());
    QList<QCheckBox*> a = before;
    QList<QCheckBox*> b = boxes;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_EQ(a, b);
}
