// The shared input widgets: channel boxes, sequence selector, model dialog and the zone grid.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "DVRSetup/ChannelWidget.h"
#include "DVRSetup/ModelInfoDialog.h"
#include "DVRSetup/MotionDetect.h"
#include "DVRSetup/SeqWidget.h"

namespace {

QCheckBox* Box(QWidget& w, const QString& name) { return w.findChild<QCheckBox*>(name); }

}  // namespace

TEST(ChannelWidget, TheLimitUnticksTheOldestShownTick)
{
    const struct {
        int limit, shown;
        unsigned long start;
        std::vector<std::pair<int, unsigned long>> clicks;  // channel clicked (0-based), mask afterwards
    } cases[] = {
        // Limit 1: radio buttons that can all be off.
        {1, 16, 0x1, {{1, 0x2}, {1, 0x0}, {3, 0x8}}},
        // Limit 4 after CH1-CH4: CH5 unticks CH1; unticking CH2 frees a place for CH6.
        {4, 16, 0xF, {{4, 0x1E}, {1, 0x1C}, {5, 0x3C}, {6, 0x78}}},
        // Re-ticking a box puts it last in line.
        {2, 16, 0x3, {{0, 0x2}, {0, 0x3}, {2, 0x5}}},
        // More ticks than the limit: nothing is unticked until the count is back to the limit.
        {2, 16, 0x7, {{5, 0x27}, {0, 0x26}, {1, 0x24}, {1, 0x22}, {3, 0x0A}}},
        // No limit: clicks never change other boxes; more than 16 channels show 16.
        {0, 40, 0xFF, {{8, 0x1FF}, {0, 0x1FE}, {15, 0x81FE}}},
        // Hidden boxes neither count nor hold a place: with CH1 the only shown tick, the next
        // tick reaches the limit and the one after unticks CH1.
        {4, 4, 0xF0F0, {}},
        {2, 4, 0x1C1, {{1, 0x3}, {2, 0x6}}},
    };
    for (const auto& c : cases) {
        CChannelWidget w;
        w.setCheckableCount(c.limit);
        w.setChMask(c.start);
        w.updateChannelCtrl(c.shown);
        EXPECT_EQ(w.getChMask(), c.start & ((1ul << std::min(c.shown, 16)) - 1));
        for (const auto& [click, after] : c.clicks) {
            Box(w, QStringLiteral("ch%1").arg(click))->click();
            EXPECT_EQ(w.getChMask(), after) << "limit " << c.limit << " click " << click;
        }
    }
}

TEST(SeqWidget, LayoutBitsFollowTheChannelCount)
{
    CSeqWidget w;
    EXPECT_EQ(w.getTime(), -1);
    w.addItems();
    w.setTime(7);
    EXPECT_EQ(w.getTime(), 7);
    const struct {
        int channels;
        bool hdSdi;
        unsigned long set, got;
        QString shown;  // layout boxes shown
    } rows[] = {
        {16, false, 0xFFFFFFFF, 0x7FFFFF, "1234567"},
        // On 8 channels the third layout is M1-8 at bit 20; bits 18, 19, 21, 22 are not kept.
        {8, false, 0x7F00FF, 0x1300FF, "125"},
        {8, false, 0x0FF0, 0x00F0, "125"},
        {4, false, 0xFFFFFFFF, 0x1000F, "1"},
        // HD-SDI hides the layouts but keeps their bits.
        {16, true, 0x10000, 0x10000, ""},
    };
    for (const auto& row : rows) {
        w.updateChannelCtrl(row.channels, row.hdSdi);
        w.setChMask(row.set);
        EXPECT_EQ(w.getChMask(), row.got) << row.channels;
        QString shown;
        for (int j = 1; j <= 7; ++j)
            if (!Box(w, QStringLiteral("chM%1").arg(j))->isHidden())
                shown += QString::number(j);
        EXPECT_EQ(shown, row.shown) << row.channels;
    }
    // A language change keeps "M1-8" on 8 channels.
    w.updateChannelCtrl(8, false);
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&w, &change);
    EXPECT_EQ(Box(w, "chM5")->text(), "M1-8");
    w.updateChannelCtrl(16, false);
    EXPECT_EQ(Box(w, "chM5")->text(), "M1-9");
}

TEST(ModelInfoDialog, ChoicesFollowTheModelType)
{
    CModelInfoDialog dialog;
    auto* combo = dialog.findChild<QComboBox*>("combo_dvrModel");
    QPushButton* ok = dialog.findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Ok);
    auto radio = [&](int channels) { return dialog.findChild<QRadioButton*>(QStringLiteral("channels%1").arg(channels)); };
    // A configuration of model 64 (HD-SDI, 4 channels).
    dialog.setDVRChannels(4);
    dialog.setVideoType(config::VideoType_PAL);
    dialog.setModel(64);
    dialog.show();
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_TRUE(radio(16)->isHidden());
    EXPECT_EQ(dialog.getVideoType(), 1);
    EXPECT_TRUE(ok->isEnabled());

    // The rule looks at the checked choice: 16 ticked under AHD, then HD-SDI falls back to 4.
    combo->setCurrentIndex(2);
    QTest::mouseClick(radio(16), Qt::LeftButton);
    EXPECT_EQ(dialog.getDVRChannels(), 16);
    combo->setCurrentIndex(1);
    EXPECT_EQ(dialog.getDVRChannels(), 4);
    // AHD2 has 4 channels only.
    QTest::mouseClick(radio(8), Qt::LeftButton);
    combo->setCurrentIndex(3);
    EXPECT_TRUE(radio(8)->isHidden() && radio(16)->isHidden());
    EXPECT_EQ(std::make_pair(dialog.getDVRChannels(), dialog.getModelType()), std::make_pair(4, 3));
    combo->setCurrentIndex(0);
    EXPECT_FALSE(radio(8)->isHidden() || radio(16)->isHidden());

    // A channel count without a choice leaves OK disabled until one is chosen.
    dialog.setDVRChannels(12);
    EXPECT_EQ(dialog.getDVRChannels(), -1);
    EXPECT_FALSE(ok->isEnabled());
    QTest::mouseClick(radio(8), Qt::LeftButton);
    EXPECT_TRUE(ok->isEnabled());
}

namespace {

// The watched cells of the grid, by index.
QByteArray Watched(const CMotionDetect& w)
{
    QByteArray cells;
    const QByteArray z = w.getMotionZone();
    for (int i = 0; i < z.size(); ++i)
        if (z[i])
            cells += char(i);
    return cells;
}

void MoveTo(CMotionDetect* w, QPointF at)
{
    QMouseEvent move(QEvent::MouseMove, at, QPointF(), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}

}  // namespace

TEST(MotionDetect, PressesDragsAndDoubleClicksEditCells)
{
    // 16 x 12 of 22 x 20 pixels: row 2, column 5 is byte 37. QTest takes a null point for the
    // widget's centre, so no point here is (0, 0).
    CMotionDetect g;
    g.resize(352, 240);
    g.setMotionZone(12, 16, QByteArray(16 * 12, '\0'));
    g.show();
    QTest::mouseClick(&g, Qt::LeftButton, {}, QPoint(5 * 22 + 3, 2 * 20 + 3));
    g.updateMotionZone(true);
    EXPECT_EQ(Watched(g), QByteArray(1, 37));
    // Drag up and to the left, then Selection: the whole block, corners included.
    QTest::mousePress(&g, Qt::LeftButton, {}, QPoint(3 * 22 + 1, 4 * 20 + 1));
    MoveTo(&g, QPointF(1 * 22 + 1, 3 * 20 + 1));
    QTest::mouseRelease(&g, Qt::LeftButton, {}, QPoint(1 * 22 + 1, 3 * 20 + 1));
    EXPECT_EQ(std::make_pair(g.dragStart(), g.dragEnd()), std::make_pair(QPoint(3, 4), QPoint(1, 3)));
    g.updateMotionZone(true);
    EXPECT_EQ(Watched(g), QByteArray("\x25\x31\x32\x33\x41\x42\x43", 7));
    // Clear after a single click clears only that cell.
    QTest::mouseClick(&g, Qt::LeftButton, {}, QPoint(2 * 22 + 1, 3 * 20 + 1));
    g.updateMotionZone(false);
    EXPECT_EQ(Watched(g), QByteArray("\x25\x31\x33\x41\x42\x43", 6));
    // A double click toggles the cell of the press that began it; twice restores it.
    for (char expected : {1, 0}) {
        QTest::mouseClick(&g, Qt::LeftButton, {}, QPoint(1, 1));
        QTest::mouseDClick(&g, Qt::LeftButton, {}, QPoint(1, 1));
        EXPECT_EQ(g.getMotionZone().at(0), expected);
    }

    // 22 x 18 of 16 x 13 pixels: the strip below row 17 and points outside clamp.
    g.setMotionZone(18, 22, QByteArray(22 * 18, '\0'));
    QTest::mouseClick(&g, Qt::LeftButton, {}, QPoint(351, 238));
    EXPECT_EQ(g.dragStart(), QPoint(21, 17));
    QTest::mousePress(&g, Qt::LeftButton, {}, QPoint(1, 1));
    MoveTo(&g, QPointF(500, -40));
    EXPECT_EQ(g.dragEnd(), QPoint(21, 0));
    g.updateMotionZone(true);
    EXPECT_EQ(Watched(g).size(), 22);

    // A grid that cannot be laid out takes no input.
    g.setMotionZone(0, 0, QByteArray());
    QTest::mouseDClick(&g, Qt::LeftButton, {}, QPoint(10, 10));
    g.updateMotionZone(true);
    EXPECT_TRUE(g.getMotionZone().isEmpty());
}
