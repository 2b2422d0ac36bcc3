// Layout, selection, paging, sequence, status records and capture of the display widget,
// with widget cells.

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

namespace {

using Command = std::pair<int, int>;

void Click(QWidget* target, const QPoint& pos, QEvent::Type type = QEvent::MouseButtonPress)
{
    QMouseEvent event(type, pos, target->mapToGlobal(pos), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

}  // namespace

TEST_F(DisplayWidgetTest, PagesAskForTheirOwnScreensAndWrapAround)
{
    std::vector<Command> commands;
    QObject::connect(w.get(), &CDisplayWidget::sendChannelCommand,
                     [&](int n, int first) { commands.emplace_back(n, first); });
    w->setScreenMode(CDisplayWidget::SCREEN_MULTI_DVR);
    w->resetDisplay();
    w->UpdateDisplayRect(16, 0);
    for (int i = 0; i < 5; ++i)
        w->setNextPage();
    EXPECT_EQ(commands.back(), Command(16, 80));
    EXPECT_EQ(w->getCurrentPage(), QStringLiteral("6 / 16"));
    for (int i = 0; i < 6; ++i)
        w->setPrevPage();
    EXPECT_EQ(commands.back(), Command(16, 240));
    EXPECT_EQ(w->getCurrentPage(), QStringLiteral("16 / 16"));
    EXPECT_EQ(w->getViewStartScreen(), 240);
}

TEST_F(DisplayWidgetTest, ClicksSelectTheScreenUnderThemAndNothingOutsideTheCells)
{
    std::vector<Command> changes;
    QObject::connect(w.get(), &CDisplayWidget::changedScreen,
                     [&](int screen, int ch) { changes.emplace_back(screen, ch); });
    w->setScreenMode(CDisplayWidget::SCREEN_MULTI_DVR);
    w->resetDisplay();
    w->UpdateDisplayRect(16, 0);
    w->setNextPage();
    w->setNextPage();
    CScreenWidget* cell5 = w->screenContainer()->screenWidget(5);
    ASSERT_TRUE(cell5);
    Click(cell5, cell5->rect().center());
    EXPECT_EQ(w->selectedScreen(), 37);
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.back(), Command(37, -1));

    changes.clear();
    Click(w.get(), QPoint(1, 1));  // the margin around the grid
    EXPECT_EQ(w->selectedScreen(), 37);
    EXPECT_TRUE(changes.empty());

    // A double click asks for a single view of the screen; the answer toggles the view.
    std::vector<int> doubled;
    QObject::connect(w.get(), &CDisplayWidget::doubleClicked, [&](int s) { doubled.push_back(s); });
    Click(cell5, cell5->rect().center(), QEvent::MouseButtonDblClick);
    ASSERT_EQ(doubled, std::vector<int>{37});
    w->doubleClickedScreen(37);
    EXPECT_TRUE(w->isSingleScreen());
    EXPECT_EQ(w->getViewStartScreen(), 37);
    EXPECT_EQ(w->screenContainer()->getDisplayRect(0), w->rect());
    w->doubleClickedScreen(37);
    EXPECT_EQ(w->getViewScreens(), 16);
    EXPECT_EQ(w->getViewStartScreen(), 32);
    EXPECT_EQ(w->getCurrentPage(), QStringLiteral("3 / 16"));
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
    EXPECT_EQ(w->getCurrentPage(), QStringLiteral("1 / 4"));
}

TEST_F(DisplayWidgetTest, SequenceCyclesTheLayoutsScreensAndSurvivesAClear)
{
    CAppSettings().writeSetting(CAppSettings::SEQ_INTERVAL, QStringLiteral("soon"));
    std::vector<Command> commands;
    QObject::connect(w.get(), &CDisplayWidget::sendChannelCommand,
                     [&](int n, int first) { commands.emplace_back(n, first); });
    auto* timer = w->findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_TRUE(timer);

    w->setScreens(4);
    commands.clear();
    w->setSequence(true);
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.front(), Command(16, 0));  // every channel, before the first switch
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 2000);
    EXPECT_TRUE(w->isSingleScreen());

    std::vector<int> starts;
    for (int i = 0; i < 4; ++i) {
        w->switchChannel();
        starts.push_back(w->getViewStartScreen());
    }
    EXPECT_EQ(starts, (std::vector<int>{1, 2, 3, 0}));
    w->ClearScreen();
    EXPECT_TRUE(timer->isActive());
    w->setSequence(false);
    EXPECT_FALSE(timer->isActive());

    w->setScreenMode(CDisplayWidget::SCREEN_MULTI_DVR);
    w->resetDisplay();
    w->setSequence(true);
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(w->getViewScreens(), 64);
}

TEST_F(DisplayWidgetTest, StatusRecordsReachOnlyTheScreensOfSentChannels)
{
    DISPLAY_DVR_INFO info;
    info.status = QStringLiteral("Connection failed");
    info.authorityMask = 0xFFFB;
    info.channelMask = 0x0005;
    info.startScreen = 8;
    w->setScreenMode(CDisplayWidget::SCREEN_MULTI_DVR);
    w->resetDisplay();
    w->UpdateDisplayRect(16, 0);
    w->slotUpdateDVRStatus(info);
    ASSERT_TRUE(WaitFor([&] { return Cell(9).channel >= 0; }));
    for (int s = 0; s < 16; ++s) {
        const CDisplayInfo& cell = Cell(s);
        if (s == 8 || s == 9) {
            EXPECT_EQ(cell.channel, s == 8 ? 0 : 2);
            EXPECT_TRUE(cell.failed);
            EXPECT_EQ(cell.title, info.status);
            EXPECT_EQ(cell.authorised, s == 8);
        } else {
            EXPECT_EQ(cell.channel, -1) << "screen " << s;
        }
    }

    // One DVR: the channel's own screen, never screen 0 for a channel it does not send.
    w->setScreenMode(CDisplayWidget::SCREEN_SINGLE_DVR);
    w->resetDisplay();
    info.channelMask = 0x0002;
    w->slotUpdateDVRStatus(info);
    ASSERT_TRUE(WaitFor([&] { return Cell(1).failed; }));
    for (int s = 0; s < 16; ++s)
        EXPECT_EQ(Cell(s).channel, s == 1 ? 1 : -1) << "screen " << s;
}

TEST_F(DisplayWidgetTest, CaptureWithWidgetCellsWritesNothingAndSaysSo)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shot.png"));
    EXPECT_FALSE(w->saveCaptureImage(path, CAPTURE_FILEFORMAT::PNG));
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_F(DisplayWidgetTest, AlarmSoundsWhileAnyVisibleCellIsMarked)
{
    CAppSettings().writeSetting(CAppSettings::ALARM_SOUND, 1);
    w->UpdateEventAlarmSetting();
    auto* alarm = w->findChild<QSoundEffect*>();
    ASSERT_TRUE(alarm);
    auto picture = [](int screen, bool motion) {
        CDisplayInfo info;
        info.channel = info.screen = screen;
        info.motion = motion;
        return info;
    };
    w->slotUpdateScreen(picture(2, true));
    EXPECT_TRUE(alarm->isPlaying());
    w->slotUpdateScreen(picture(3, false));
    EXPECT_TRUE(alarm->isPlaying()) << "screen 2 is still marked";
    w->ClearScreen();
    EXPECT_FALSE(alarm->isPlaying());
    w->slotUpdateScreen(picture(5, true));
    EXPECT_TRUE(alarm->isPlaying()) << "clearing the screens does not disable the alarm";
    w->slotUpdateScreen(picture(5, false));
    EXPECT_FALSE(alarm->isPlaying());
}
