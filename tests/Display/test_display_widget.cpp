// Layout, selection, paging, sequence, status records, alarm and capture of the display
// widget, with widget cells.

#include <QApplication>
#include <QFileInfo>
#include <QMouseEvent>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTimer>

#include <utility>
#include <vector>

#include "display_widget_util.h"

using displaytest::DisplayWidgetTest;
using displaytest::WaitFor;
using Pair = std::pair<int, int>;

TEST_F(DisplayWidgetTest, PagesAskForTheirOwnScreensAndWrapAround)
{
    std::vector<Pair> commands;
    QObject::connect(w.get(), &CDisplayWidget::sendChannelCommand, [&](int n, int first) { commands.emplace_back(n, first); });
    LiveM(16);
    for (int i = 0; i < 5; ++i)
        w->setNextPage();
    EXPECT_EQ(commands.back(), Pair(16, 80));
    EXPECT_EQ(w->getCurrentPage(), QStringLiteral("6 / 16"));
    for (int i = 0; i < 6; ++i)
        w->setPrevPage();
    EXPECT_EQ(commands.back(), Pair(16, 240));
    EXPECT_EQ(w->getCurrentPage(), QStringLiteral("16 / 16"));
}

TEST_F(DisplayWidgetTest, ClicksSelectTheScreenUnderThemAndNothingOutsideTheCells)
{
    std::vector<Pair> changes;
    QObject::connect(w.get(), &CDisplayWidget::changedScreen, [&](int s, int ch) { changes.emplace_back(s, ch); });
    LiveM(16);
    w->setNextPage();
    w->setNextPage();
    auto click = [](QWidget* target, QPoint pos) {
        QMouseEvent e(QEvent::MouseButtonPress, pos, target->mapToGlobal(pos), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &e);
    };
    CScreenWidget* cell5 = w->screenContainer()->screenWidget(5);
    click(cell5, cell5->rect().center());
    EXPECT_EQ(w->selectedScreen(), 37);
    EXPECT_EQ(changes.back(), Pair(37, -1));
    changes.clear();
    click(w.get(), QPoint(1, 1));  // the margin around the grid
    EXPECT_EQ(w->selectedScreen(), 37);
    EXPECT_TRUE(changes.empty());
}

TEST_F(DisplayWidgetTest, ScreenCountsThatMakeNoGridAreHarmless)
{
    w->setScreens(0);
    w->UpdateDisplayRect(0, 7);
    w->setNextPage();
    w->setPrevPage();
    w->updatePage();
    w->switchChannel();
    EXPECT_GT(w->getViewScreens(), 0);
    w->setScreens(100);
    EXPECT_EQ(w->getViewScreens(), 64);
    EXPECT_FALSE(w->screenContainer()->getDisplayRect(63).isEmpty());
}

TEST_F(DisplayWidgetTest, SequenceCyclesTheLayoutsScreensAndSurvivesAClear)
{
    CAppSettings().writeSetting(CAppSettings::SEQ_INTERVAL, QStringLiteral("soon"));
    auto* timer = w->findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_TRUE(timer);
    w->setScreens(4);
    std::vector<Pair> commands;
    QObject::connect(w.get(), &CDisplayWidget::sendChannelCommand, [&](int n, int first) { commands.emplace_back(n, first); });
    w->setSequence(true);
    EXPECT_EQ(commands.front(), Pair(16, 0));  // every channel, before the first switch
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 2000);
    std::vector<int> starts{w->getViewStartScreen()};
    for (int i = 0; i < 4; ++i) {
        w->switchChannel();
        starts.push_back(w->getViewStartScreen());
    }
    EXPECT_EQ(starts, (std::vector<int>{0, 1, 2, 3, 0}));
    EXPECT_TRUE(w->isSingleScreen());
    w->ClearScreen();
    EXPECT_TRUE(timer->isActive());
    w->setSequence(false);
    EXPECT_FALSE(timer->isActive());
}

TEST_F(DisplayWidgetTest, StatusRecordsReachOnlyTheScreensOfSentChannels)
{
    DISPLAY_DVR_INFO info;
    info.status = QStringLiteral("Connection failed");
    info.authorityMask = 0xFFFB;
    info.channelMask = 0x0005;
    info.startScreen = 8;
    auto shown = [&] {
        std::vector<Pair> cells;  // screen, channel of the failed cells
        WaitFor([] { return false; }, 100);
        for (int s = 0; s < 16; ++s)
            if (Cell(s).failed && Cell(s).title == info.status)
                cells.emplace_back(s, Cell(s).channel);
        return cells;
    };
    LiveM(16);
    w->slotUpdateDVRStatus(info);
    EXPECT_EQ(shown(), (std::vector<Pair>{{8, 0}, {9, 2}}));
    EXPECT_NE(Cell(8).authorised, Cell(9).authorised);

    // One DVR: a channel it does not send never lands on screen 0.
    w->setScreenMode(CDisplayWidget::SCREEN_SINGLE_DVR);
    w->resetDisplay();
    info.channelMask = 0x0002;
    w->slotUpdateDVRStatus(info);
    EXPECT_EQ(shown(), (std::vector<Pair>{{1, 1}}));
}

TEST_F(DisplayWidgetTest, AlarmSoundsWhileAnyVisibleCellIsMarked)
{
    CAppSettings().writeSetting(CAppSettings::ALARM_SOUND, 1);
    w->UpdateEventAlarmSetting();
    auto* alarm = w->findChild<QSoundEffect*>();
    ASSERT_TRUE(alarm);
    auto picture = [&](int screen, bool motion) {
        CDisplayInfo info;
        info.channel = info.screen = screen;
        info.motion = motion;
        w->slotUpdateScreen(info);
        return alarm->isPlaying();
    };
    EXPECT_TRUE(picture(2, true));
    EXPECT_TRUE(picture(3, false)) << "screen 2 is still marked";
    w->ClearScreen();
    EXPECT_FALSE(alarm->isPlaying());
    EXPECT_TRUE(picture(5, true)) << "clearing the screens does not disable the alarm";
    EXPECT_FALSE(picture(5, false));
}

TEST_F(DisplayWidgetTest, CaptureWithWidgetCellsWritesNothingAndSaysSo)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shot.png"));
    EXPECT_FALSE(w->saveCaptureImage(path, CAPTURE_FILEFORMAT::PNG));
    EXPECT_FALSE(QFileInfo::exists(path));
}
