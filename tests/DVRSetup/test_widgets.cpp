// The shared input widgets: channel boxes, sequence selector, model dialog and the zone grid.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "DVRSetup/ChannelWidget.h"
#include "DVRSetup/ModelInfoDialog.h"
#include "DVRSetup/MotionDetect.h"
#include "DVRSetup/SeqWidget.h"

namespace {

QCheckBox* Box(QWidget& w, const QString& name) { return w.findChild<QCheckBox*>(name); }

void Click(QWidget& w, int channel) { Box(w, QStringLiteral("ch%1").arg(channel))->click(); }

}  // namespace

TEST(ChannelWidget, TheLimitUnticksTheOldestTick)
{
    struct Step {
        int click;             // channel clicked (0-based)
        unsigned long after;   // mask afterwards
    };
    const struct {
        int limit;
        unsigned long start;
        std::vector<Step> steps;
    } cases[] = {
        // Limit 1: radio buttons that can all be off.
        {1, 0x1, {{1, 0x2}, {1, 0x0}, {3, 0x8}}},
        // Limit 4 after CH1-CH4: CH5 unticks CH1; unticking CH2 frees a place for CH6.
        {4, 0xF, {{4, 0x1E}, {1, 0x1C}, {5, 0x3C}, {6, 0x78}}},
        // Re-ticking a box puts it last in line.
        {2, 0x3, {{0, 0x2}, {0, 0x3}, {2, 0x5}}},
        // More ticks than the limit: nothing is unticked until the count is back to the limit.
        {2, 0x7, {{5, 0x27}, {0, 0x26}, {1, 0x24}, {1, 0x22}, {3, 0x0A}}},
        // No limit: clicks never change other boxes.
        {0, 0xFF, {{8, 0x1FF}, {0, 0x1FE}}},
    };
    for (const auto& c : cases) {
        CChannelWidget w;
        w.setCheckableCount(c.limit);
        w.setChMask(c.start);
        EXPECT_EQ(w.getChMask(), c.start);
        for (const Step& s : c.steps) {
            Click(w, s.click);
            EXPECT_EQ(w.getChMask(), s.after) << "limit " << c.limit << " click " << s.click;
        }
    }
}

TEST(ChannelWidget, HiddenBoxesNeitherCountNorHoldAPlace)
{
    CChannelWidget w;
    w.setCheckableCount(4);
    w.setChMask(0xF0F0);
    w.updateChannelCtrl(4);
    EXPECT_TRUE(Box(w, "ch4")->isHidden());
    EXPECT_FALSE(Box(w, "ch3")->isHidden());
    EXPECT_EQ(w.getChMask(), 0u);
    w.setChMask(0xFFFF);
    EXPECT_EQ(w.getChMask(), 0xFu);
    w.updateChannelCtrl(40);
    EXPECT_FALSE(Box(w, "ch15")->isHidden());

    // Hidden ticks leave the queue: with CH1 the only shown tick, the limit of two is
    // reached by the next tick and the one after unticks CH1.
    CChannelWidget two;
    two.setCheckableCount(2);
    two.setChMask(0x1C1);  // CH1, CH7, CH8, CH9
    two.updateChannelCtrl(4);
    Click(two, 1);
    EXPECT_EQ(two.getChMask(), 0x3u);
    Click(two, 2);
    EXPECT_EQ(two.getChMask(), 0x6u);
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
        QStringList shown;  // layout boxes shown
    } rows[] = {
        {16, false, 0xFFFFFFFF, 0x7FFFFF, {"chM1", "chM2", "chM3", "chM4", "chM5", "chM6", "chM7"}},
        // On 8 channels the third layout is M1-8 at bit 20; bits 18, 19, 21, 22 are not kept.
        {8, false, 0x7F00FF, 0x1300FF, {"chM1", "chM2", "chM5"}},
        {4, false, 0xFFFFFFFF, 0x1000F, {"chM1"}},
        // HD-SDI hides the layouts but keeps their bits.
        {16, true, 0x10000, 0x10000, {}},
        {8, false, 0x0FF0, 0x00F0, {"chM1", "chM2", "chM5"}},
    };
    for (const auto& row : rows) {
        w.updateChannelCtrl(row.channels, row.hdSdi);
        w.setChMask(row.set);
        EXPECT_EQ(w.getChMask(), row.got) << row.channels;
        QStringList shown;
        for (int j = 1; j <= 7; ++j)
            if (!Box(w, QStringLiteral("chM%1").arg(j))->isHidden())
                shown << QStringLiteral("chM%1").arg(j);
        EXPECT_EQ(shown, row.shown) << row.channels;
    }
    w.updateChannelCtrl(8, false);
    EXPECT_EQ(Box(w, "chM5")->text(), "M1-8");
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&w, &change);
    EXPECT_EQ(Box(w, "chM5")->text(), "M1-8");
    w.updateChannelCtrl(16, false);
    EXPECT_EQ(Box(w, "chM5")->text(), "M1-9");
}

namespace {

struct ModelDialog {
    CModelInfoDialog dialog;
    QComboBox* combo = dialog.findChild<QComboBox*>("combo_dvrModel");
    QPushButton* ok = dialog.findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Ok);
    bool hidden(int channels) { return dialog.findChild<QRadioButton*>(QStringLiteral("channels%1").arg(channels))->isHidden(); }
};

}  // namespace

TEST(ModelInfoDialog, ChoicesFollowTheModelType)
{
    ModelDialog d;
    QStringList items;
    for (int i = 0; i < d.combo->count(); ++i)
        items << d.combo->itemText(i);
    EXPECT_EQ(items, (QStringList{"960H DVR", "HD-SDI DVR", "AHD DVR", "AHD2 DVR"}));
    EXPECT_EQ(d.dialog.getModelType(), 2);

    // A configuration of model 64 (HD-SDI, 4 channels).
    d.dialog.setDVRChannels(4);
    d.dialog.setVideoType(config::VideoType_PAL);
    d.dialog.setModel(64);
    d.dialog.show();
    EXPECT_EQ(d.combo->currentIndex(), 1);
    EXPECT_TRUE(d.hidden(16));
    EXPECT_EQ(d.dialog.getVideoType(), 1);
    EXPECT_TRUE(d.ok->isEnabled());

    // The rule looks at the checked choice: 16 ticked under AHD, then HD-SDI falls back to 4.
    d.combo->setCurrentIndex(2);
    QTest::mouseClick(d.dialog.findChild<QRadioButton*>("channels16"), Qt::LeftButton);
    EXPECT_EQ(d.dialog.getDVRChannels(), 16);
    d.combo->setCurrentIndex(1);
    EXPECT_EQ(d.dialog.getDVRChannels(), 4);
    // AHD2 has 4 channels only.
    QTest::mouseClick(d.dialog.findChild<QRadioButton*>("channels8"), Qt::LeftButton);
    d.combo->setCurrentIndex(3);
    EXPECT_TRUE(d.hidden(8));
    EXPECT_TRUE(d.hidden(16));
    EXPECT_EQ(d.dialog.getDVRChannels(), 4);
    EXPECT_EQ(d.dialog.getModelType(), 3);
    d.combo->setCurrentIndex(0);
    EXPECT_FALSE(d.hidden(8) || d.hidden(16));

    // A channel count without a choice leaves OK disabled until one is chosen.
    d.dialog.setDVRChannels(12);
    EXPECT_EQ(d.dialog.getDVRChannels(), -1);
    EXPECT_FALSE(d.ok->isEnabled());
    QTest::mouseClick(d.dialog.findChild<QRadioButton*>("channels8"), Qt::LeftButton);
    EXPECT_TRUE(d.ok->isEnabled());
}

namespace {

struct Grid {
    explicit Grid(int cols, int rows)
    {
        w.resize(352, 240);
        w.setMotionZone(rows, cols, QByteArray(rows * cols, '\0'));
        w.show();
    }
    QByteArray set() const
    {
        QByteArray cells;
        const QByteArray z = w.getMotionZone();
        for (int i = 0; i < z.size(); ++i)
            if (z[i])
                cells += char(i);
        return cells;
    }
    CMotionDetect w;
};

// QTest takes a null point for the widget's centre.
QPoint At(int x, int y) { return QPoint(x, y); }

}  // namespace

TEST(MotionDetect, PressesDragsAndDoubleClicksEditCells)
{
    {
        // 16 x 12 of 22 x 20 pixels: row 2, column 5 is byte 37.
        Grid g(16, 12);
        QTest::mouseClick(&g.w, Qt::LeftButton, {}, At(5 * 22 + 3, 2 * 20 + 3));
        g.w.updateMotionZone(true);
        EXPECT_EQ(g.set(), QByteArray(1, 37));
        // Drag up and to the left, then Selection: the whole block, corners included.
        QTest::mousePress(&g.w, Qt::LeftButton, {}, At(3 * 22 + 1, 4 * 20 + 1));
        QMouseEvent move(QEvent::MouseMove, QPointF(1 * 22 + 1, 3 * 20 + 1), QPointF(), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&g.w, &move);
        QTest::mouseRelease(&g.w, Qt::LeftButton, {}, At(1 * 22 + 1, 3 * 20 + 1));
        EXPECT_EQ(g.w.dragStart(), QPoint(3, 4));
        EXPECT_EQ(g.w.dragEnd(), QPoint(1, 3));
        g.w.updateMotionZone(true);
        EXPECT_EQ(g.set(), QByteArray("\x25\x31\x32\x33\x41\x42\x43", 7));
        // Clear after a single click clears only that cell.
        QTest::mouseClick(&g.w, Qt::LeftButton, {}, At(2 * 22 + 1, 3 * 20 + 1));
        g.w.updateMotionZone(false);
        EXPECT_EQ(g.set(), QByteArray("\x25\x31\x33\x41\x42\x43", 6));
        // A double click toggles the cell of the press that began it; twice restores it.
        for (char expected : {1, 0}) {
            QTest::mouseClick(&g.w, Qt::LeftButton, {}, At(1, 1));
            QTest::mouseDClick(&g.w, Qt::LeftButton, {}, At(1, 1));
            EXPECT_EQ(g.w.getMotionZone().at(0), expected);
        }
        EXPECT_EQ(g.w.getMotionZone().size(), 16 * 12);
    }
    {
        // 22 x 18 of 16 x 13 pixels: the strip below row 17 and points outside clamp.
        Grid g(22, 18);
        QTest::mouseClick(&g.w, Qt::LeftButton, {}, At(351, 238));
        EXPECT_EQ(g.w.dragStart(), QPoint(21, 17));
        QTest::mousePress(&g.w, Qt::LeftButton, {}, At(1, 1));
        QMouseEvent move(QEvent::MouseMove, QPointF(500, -40), QPointF(), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&g.w, &move);
        EXPECT_EQ(g.w.dragEnd(), QPoint(21, 0));
        g.w.updateMotionZone(true);
        EXPECT_EQ(g.set().size(), 22);
    }
    {
        // A grid that cannot be laid out takes no input.
        CMotionDetect empty;
        empty.resize(352, 240);
        empty.setMotionZone(0, 0, QByteArray());
        QTest::mouseDClick(&empty, Qt::LeftButton, {}, At(10, 10));
        empty.updateMotionZone(true);
        EXPECT_TRUE(empty.getMotionZone().isEmpty());
    }
}
