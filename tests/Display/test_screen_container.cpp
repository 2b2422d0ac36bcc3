// The cell container: page layouts, cell lookup, widget cells, the speed meter and the
// OpenGL probe on a platform without OpenGL widgets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <ctime>
#include <memory>

#include "Display/CheckSpeed.h"
#include "Display/Screen.h"
#include "Display/ScreenWidget.h"
#include "Display/WaitWidget.h"
#include "screen_test_util.h"

using namespace screentest;

namespace {

// An owner with the double-click handler the container wires its cells to.
class Owner : public QWidget {
    Q_OBJECT
public:
    int clicks = 0;
public slots:
    void mouseDoubleClicked(QMouseEvent*) { ++clicks; }
};

constexpr int kSpace = 10;

void Drag(QWidget* w, QPoint from, QPoint to)
{
    QMouseEvent press(QEvent::MouseButtonPress, from, w->mapToGlobal(from), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent move(QEvent::MouseMove, to, w->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, to, w->mapToGlobal(to), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

// Frames and bytes the meter holds, completed seconds and the current one together.
CCheckSpeed::Data Counted()
{
    CCheckSpeed::Data sum = gCheckSpeed.current();
    for (const CCheckSpeed::Data& d : gCheckSpeed.records()) {
        sum.bytes += d.bytes;
        sum.frames += d.frames;
    }
    return sum;
}

class ScreenContainerTest : public ::testing::Test {
protected:
    ScreenContainerTest()
    {
        owner.resize(730, 550);
        screen = std::make_unique<CScreen>(&owner, OPENGL_MODE_OFF, 64);
        const QVector<QRect> rects = CScreen::gridRects(16, owner.size(), kSpace);
        for (int i = 0; i < 64; ++i)
            screen->updateDisplayRect(i, rects[i]);
    }

    Owner owner;
    std::unique_ptr<CScreen> screen;
};

}  // namespace

TEST(ScreenLayout, GridsOfOneToSixtyFourCells)
{
    const QSize size(730, 550);
    // One to three cells: each covers the whole area.
    for (int count : {1, 2, 3}) {
        const QVector<QRect> rects = CScreen::gridRects(count, size, kSpace);
        ASSERT_EQ(rects.size(), 64);
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(rects[i], QRect(QPoint(0, 0), QPoint(729, 549))) << count;
        EXPECT_TRUE(rects[count].isEmpty());
    }

    QVector<QRect> r = CScreen::gridRects(4, size, kSpace);
    EXPECT_EQ(r[0], QRect(QPoint(5, 5), QPoint(364, 274)));
    EXPECT_EQ(r[1], QRect(QPoint(364, 5), QPoint(723, 274)));
    EXPECT_EQ(r[2], QRect(QPoint(5, 274), QPoint(364, 543)));
    EXPECT_EQ(r[3], QRect(QPoint(364, 274), QPoint(723, 543)));
    EXPECT_TRUE(r[4].isEmpty());

    r = CScreen::gridRects(9, size, kSpace);
    EXPECT_EQ(r[0], QRect(QPoint(5, 5), QPoint(244, 184)));
    EXPECT_EQ(r[1].left(), 244);
    EXPECT_EQ(r[8], QRect(QPoint(483, 363), QPoint(722, 542)));

    r = CScreen::gridRects(16, size, kSpace);
    EXPECT_EQ(r[0], QRect(5, 5, 180, 135));
    EXPECT_EQ(r[5], QRect(184, 139, 180, 135));
    EXPECT_EQ(r[15], QRect(542, 407, 180, 135));
    EXPECT_TRUE(r[16].isEmpty());

    r = CScreen::gridRects(64, size, kSpace);
    EXPECT_EQ(r[0], QRect(5, 7, 90, 67));
    EXPECT_EQ(r[63], QRect(QPoint(628, 469), QPoint(717, 535)));
}

TEST(ScreenLayout, NoCellsTooManyCellsAndTinyAreasAreSafe)
{
    for (int count : {0, -3})
        for (const QRect& r : CScreen::gridRects(count, QSize(730, 550), kSpace))
            EXPECT_TRUE(r.isEmpty());
    // More than a page: the page's 64 cells.
    const QVector<QRect> many = CScreen::gridRects(100, QSize(730, 550), kSpace);
    EXPECT_EQ(many, CScreen::gridRects(64, QSize(730, 550), kSpace));
    // An area smaller than the margin lays out empty cells.
    for (const QRect& r : CScreen::gridRects(16, QSize(6, 6), kSpace))
        EXPECT_TRUE(r.isEmpty());

    Owner owner;
    owner.resize(100, 100);
    for (int count : {0, 65, 1000}) {
        CScreen screen(&owner, OPENGL_MODE_OFF, count);
        EXPECT_EQ(screen.count(), count == 0 ? 0 : 64);
        screen.setInfo(0, Picture(Solid(8, 8, Qt::red)));
        screen.setInfo(64, Picture(Solid(8, 8, Qt::red)));
        screen.setSelected(70);
        screen.startZoom(99);
        screen.endZoom();
        screen.clear();
        EXPECT_EQ(screen.getInfo(64).channel, -1);
        EXPECT_TRUE(screen.getDisplayRect(-1).isEmpty());
        EXPECT_EQ(screen.cellAt(QPoint(1, 1)), -1);
    }
}

TEST_F(ScreenContainerTest, CellAtFindsTheFirstCellAndNothingInTheMargin)
{
    EXPECT_EQ(screen->cellAt(QPoint(2, 2)), -1);
    EXPECT_EQ(screen->cellAt(QPoint(727, 547)), -1);
    EXPECT_EQ(screen->cellAt(QPoint(5, 5)), 0);
    // The shared column belongs to the cell with the lower index.
    EXPECT_EQ(screen->cellAt(QPoint(184, 100)), 0);
    EXPECT_EQ(screen->cellAt(QPoint(185, 100)), 1);
    EXPECT_EQ(screen->cellAt(QPoint(700, 500)), 15);
    // Cells past the layout have no place.
    EXPECT_TRUE(screen->getDisplayRect(16).isEmpty());
    EXPECT_EQ(screen->screenWidget(0)->geometry(), QRect(5, 5, 180, 135));
    EXPECT_EQ(screen->screenWidget(0)->parentWidget(), &owner);
}

TEST_F(ScreenContainerTest, SelectionAndZoomReachTheirCellsOnly)
{
    screen->setSelected(3);
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(screen->screenWidget(i)->isSelected(), i == 3);
    screen->setSelected(64);
    for (int i = 0; i < 64; ++i)
        EXPECT_FALSE(screen->screenWidget(i)->isSelected());

    screen->startZoom(2);
    screen->setSelected(3);
    Drag(screen->screenWidget(3), QPoint(10, 10), QPoint(50, 40));
    EXPECT_FALSE(screen->screenWidget(3)->zoomRect().isValid());
    screen->setSelected(2);
    Drag(screen->screenWidget(2), QPoint(10, 10), QPoint(50, 40));
    EXPECT_EQ(screen->screenWidget(2)->zoomRect(), QRect(QPoint(10, 10), QPoint(50, 40)));
    EXPECT_TRUE(screen->screenWidget(2)->zoomApplied());

    screen->endZoom();
    EXPECT_FALSE(screen->screenWidget(2)->zoomApplied());
    EXPECT_FALSE(screen->screenWidget(2)->zoomRect().isValid());
    // Zoom mode ended too: a new drag draws nothing.
    Drag(screen->screenWidget(2), QPoint(10, 10), QPoint(50, 40));
    EXPECT_FALSE(screen->screenWidget(2)->zoomRect().isValid());
}

TEST_F(ScreenContainerTest, InfosDoubleClicksWaitIndicatorAndCapture)
{
    screen->setInfo(5, Picture(Solid(352, 240, Qt::green), 5));
    EXPECT_EQ(screen->getInfo(5).channel, 5);
    screen->clear();
    EXPECT_EQ(screen->getInfo(5).channel, -1);
    EXPECT_TRUE(screen->getInfo(5).image.isNull());

    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(screen->screenWidget(7), &dbl);
    EXPECT_EQ(owner.clicks, 1);

    screen->resize(owner.size());
    CWaitWidget* wait = screen->waitWidget();
    ASSERT_NE(wait, nullptr);
    EXPECT_EQ(wait->parentWidget(), &owner);
    EXPECT_EQ(wait->pos(), QPoint(364 - wait->width() / 2, 274 - wait->height() / 2));
    EXPECT_TRUE(wait->isHidden());
    screen->showWaitWidget(nullptr, true);
    EXPECT_FALSE(wait->isHidden());
    screen->showWaitWidget(nullptr, false);
    EXPECT_TRUE(wait->isHidden());

    // Widget cells are captured by their owner: nothing is written here.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shot.png"));
    EXPECT_FALSE(screen->saveCaptureImage(path, CAPTURE_FILEFORMAT::PNG));
    EXPECT_FALSE(QFile::exists(path));
}

TEST(ScreenContainer, OneCellTakesAWidgetOverItAndMovesWithIt)
{
    Owner owner;
    owner.resize(400, 300);
    CScreen screen(&owner, OPENGL_MODE_OFF, 1);
    screen.updateDisplayRect(0, QRect(0, 0, 352, 240));
    screen.move(QPoint(20, 20));
    EXPECT_EQ(screen.getDisplayRect(0), QRect(20, 20, 352, 240));
    auto* grid = new QWidget;
    screen.addWidget(grid);
    EXPECT_EQ(grid->parentWidget(), screen.screenWidget(0));
    EXPECT_FALSE(grid->isHidden());
}

TEST(ScreenContainer, SurvivesItsOwnerGoingFirst)
{
    auto owner = std::make_unique<Owner>();
    auto screen = std::make_unique<CScreen>(owner.get(), OPENGL_MODE_OFF, 16);
    owner.reset();
    screen.reset();  // must not touch the cells the owner took with it
    SUCCEED();
}

TEST_F(ScreenContainerTest, SpeedMeterCountsOnlyShownPictures)
{
    gCheckSpeed.reset();
    // Armed in the past, so that this second counts.
    gCheckSpeed.addData(0, static_cast<long>(std::time(nullptr)) - 10);
    const CCheckSpeed::Data before = Counted();

    CDisplayInfo shown = Picture(Solid(16, 16, Qt::red));
    shown.frameBytes = 1234;
    screen->setInfo(0, shown);
    screen->setInfo(1, shown);

    CDisplayInfo failed = shown;
    failed.failed = true;
    CDisplayInfo refused = shown;
    refused.authorised = false;
    CDisplayInfo lost = shown;
    lost.videoLoss = true;
    CDisplayInfo empty = shown;
    empty.image = QImage();
    for (const CDisplayInfo& info : {failed, refused, lost, empty})
        screen->setInfo(2, info);
    // Nothing is shown outside the container.
    screen->setInfo(64, shown);
    screen->setInfo(-1, shown);

    const CCheckSpeed::Data after = Counted();
    EXPECT_EQ(after.frames - before.frames, 2u);
    EXPECT_EQ(after.bytes - before.bytes, 2u * 1234u);
    gCheckSpeed.reset();
}

TEST(ScreenContainer, OpenGLIsRefusedWhereNoOpenGLWidgetCanShow)
{
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        GTEST_SKIP() << "needs the offscreen platform";
    EXPECT_FALSE(CScreen::initOpengl(16));

    // Asked for OpenGL anyway, or for an unknown mode: widget cells.
    Owner owner;
    owner.resize(200, 200);
    for (int mode : {0, 1, 7}) {
        CScreen screen(&owner, static_cast<OpenGLMode>(mode), 4);
        EXPECT_EQ(screen.mode(), OPENGL_MODE_OFF);
        EXPECT_EQ(screen.view(), nullptr);
        EXPECT_NE(screen.screenWidget(3), nullptr);
    }
}

#include "test_screen_container.moc"
