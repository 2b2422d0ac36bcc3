#include <QCheckBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimeEdit>
#include <QToolButton>

#include <gtest/gtest.h>

#include "Playback/BackupWidget.h"
#include "Playback/PlaybackWidget.h"
#include "panel_test_util.h"

namespace {

// Every control an operator needs, whole inside the panel.
void ExpectReachable(QWidget* panel, const QList<QWidget*>& controls, int width)
{
    const QRect area = panel->rect();
    for (QWidget* w : controls) {
        const QRect r(w->mapTo(panel, QPoint(0, 0)), w->size());
        EXPECT_TRUE(w->isVisible() && area.contains(r) && !r.isEmpty())
            << w->objectName().toStdString() << " at " << r.x() << "," << r.y() << " " << r.width() << "x"
            << r.height() << " in " << width;
    }
}

}  // namespace

// The main window shows the panels on bottom pages of 190 px, 901 px wide at its first size.
TEST(PanelLayout, BothPanelsFitTheBottomPageWithEveryControlReachable)
{
    CPlaybackWidget playback;
    CBackupWidget backup;
    const struct {
        QWidget* panel;
        CSearchWidget* search;
        QStringList controls;
    } panels[] = {
        {&playback, playback.searchWidget(),
         {"reverseButton", "stepReverseButton", "pauseButton", "stopButton", "stepForwardButton", "forwardButton",
          "slowerButton", "fasterButton", "modeLabel"}},
        {&backup, backup.searchWidget(), {"startTime", "endTime", "startButton", "stopButton", "progress"}},
    };
    for (const auto& p : panels) {
        paneltest::AsOnThePage(p.panel);
        p.panel->show();
        const QSize least = p.panel->minimumSizeHint();
        EXPECT_LE(least.width(), paneltest::PAGE_WIDTH) << p.panel->objectName().toStdString();
        EXPECT_LE(least.height(), paneltest::PAGE_HEIGHT) << p.panel->objectName().toStdString();

        int lineWidth = 0;
        for (const int width : {paneltest::PAGE_WIDTH, 1400}) {
            p.panel->resize(width, paneltest::PAGE_HEIGHT);
            QCoreApplication::processEvents();
            QList<QWidget*> controls{p.search->calendar(), p.search->timeLine()};
            for (const QString& name : p.controls)
                controls << p.panel->findChild<QWidget*>(name);
            for (QCheckBox* box : p.search->findChildren<QCheckBox*>())
                controls << box;
            ASSERT_EQ(controls.size(), 2 + p.controls.size() + MAX_DVR_CHANNEL);
            ExpectReachable(p.panel, controls, width);

            // Sixteen channel rows, thin but each one a target, inside the time line.
            CTimeLine* line = p.search->timeLine();
            const QRect last = line->minuteRect(MAX_DVR_CHANNEL - 1, 59);
            EXPECT_GE(last.height() + 1, CTimeLine::MIN_ROW) << width;
            EXPECT_TRUE(line->rect().contains(last)) << width;
            // A wider page widens the time line.
            EXPECT_GT(line->width(), lineWidth + (lineWidth ? 300 : 0)) << width;
            lineWidth = line->width();
        }
    }
}
