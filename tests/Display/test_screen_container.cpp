// The cell container with widget cells: layouts, cell lookup, selection, the speed meter and
// the OpenGL probe on a platform without OpenGL widgets.
#include <gtest/gtest.h>


#include <ctime>
#include <memory>

#include "Display/CheckSpeed.h"
#include "Display/Screen.h"
#include "Display/ScreenWidget.h"
#include "display_test_util.h"

using namespace displaytest;

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
const QSize kArea(730, 550);

class ScreenContainerTest : public ::testing::Test {
protected:
    ScreenContainerTest()
    {
        owner.resize(kArea);
        screen = std::make_unique<CScreen>(&owner, OPENGL_MODE_OFF, 64);
        const QVector<QRect> rects = CScreen::gridRects(16, kArea, kSpace);
        for (int i = 0; i < 64; ++i)
            screen->updateDisplayRect(i, rects[i]);
    }
    CScreenWidget* Cell(int i) { return screen->screenWidget(i); }

    Owner owner;
    std::unique_ptr<CScreen> screen;
};

}  // namespace

TEST(ScreenLayout, GridsOfOneToSixtyFourCells)
{
    const struct {
        int count, cell;
        QRect expected;
    } cases[] = {
        // One to three cells: each covers the whole area.
        {1, 0, QRect(0, 0, 730, 550)}, {2, 1, QRect(0, 0, 730, 550)}, {3, 2, QRect(0, 0, 730, 550)},
        {3, 3, QRect()},
        {4, 0, QRect(QPoint(5, 5), QPoint(364, 274))}, {4, 1, QRect(QPoint(364, 5), QPoint(723, 274))},
        {4, 2, QRect(QPoint(5, 274), QPoint(364, 543))}, {4, 3, QRect(QPoint(364, 274), QPoint(723, 543))},
        {4, 4, QRect()},
        {9, 0, QRect(QPoint(5, 5), QPoint(244, 184))}, {9, 1, QRect(QPoint(244, 5), QPoint(483, 184))},
        {9, 8, QRect(QPoint(483, 363), QPoint(722, 542))},
        {16, 0, QRect(5, 5, 180, 135)}, {16, 5, QRect(184, 139, 180, 135)}, {16, 15, QRect(542, 407, 180, 135)},
        {16, 16, QRect()},
        {64, 0, QRect(5, 7, 90, 67)}, {64, 63, QRect(QPoint(628, 469), QPoint(717, 535))},
    };
    for (const auto& c : cases) {
        const QVector<QRect> rects = CScreen::gridRects(c.count, kArea, kSpace);
        ASSERT_EQ(rects.size(), 64);
        if (c.expected.isNull())
            EXPECT_TRUE(rects[c.cell].isEmpty()) << c.count << " cells, cell " << c.cell;
        else
            EXPECT_EQ(rects[c.cell], c.expected) << c.count << " cells, cell " << c.cell;
    }
}

TEST(ScreenLayout, NoCellsTooManyCellsAndTinyAreasAreSafe)
{
    for (int count : {0, -3})
        for (const QRect& r : CScreen::gridRects(count, kArea, kSpace))
            EXPECT_TRUE(r.isEmpty());
    EXPECT_EQ(CScreen::gridRects(100, kArea, kSpace), CScreen::gridRects(64, kArea, kSpace));
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
        EXPECT_EQ(screen.getInfo(0).channel, -1);
        EXPECT_EQ(screen.getInfo(64).channel, -1);
        EXPECT_TRUE(screen.getDisplayRect(-1).isEmpty());
        EXPECT_EQ(screen.cellAt(QPoint(1, 1)), -1);
    }
    // The owner may go first: the container must not touch the cells it took along.
    auto first = std::make_unique<Owner>();
    auto screen = std::make_unique<CScreen>(first.get(), OPENGL_MODE_OFF, 16);
    first.reset();
    screen.reset();
}

TEST_F(ScreenContainerTest, CellAtFindsTheFirstCellAndNothingInTheMargin)
{
    // The shared column belongs to the cell with the lower index.
    const std::pair<QPoint, int> cases[] = {{{2, 2}, -1}, {{727, 547}, -1}, {{5, 5}, 0},
                                            {{184, 100}, 0}, {{185, 100}, 1}, {{700, 500}, 15}};
    for (const auto& [p, cell] : cases)
        EXPECT_EQ(screen->cellAt(p), cell) << p.x() << "," << p.y();
    EXPECT_EQ(Cell(0)->geometry(), QRect(5, 5, 180, 135));
    EXPECT_EQ(Cell(0)->parentWidget(), &owner);
}

TEST_F(ScreenContainerTest, SelectionZoomAndDoubleClicksReachTheirCells)
{
    screen->setSelected(3);
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(Cell(i)->isSelected(), i == 3);
    screen->setSelected(64);
    for (int i = 0; i < 64; ++i)
        EXPECT_FALSE(Cell(i)->isSelected());

    screen->startZoom(2);
    screen->setSelected(3);
    Drag(Cell(3), QPoint(10, 10), QPoint(50, 40));
    EXPECT_FALSE(Cell(3)->zoomRect().isValid());
    screen->setSelected(2);
    Drag(Cell(2), QPoint(10, 10), QPoint(50, 40));
    EXPECT_EQ(Cell(2)->zoomRect(), QRect(QPoint(10, 10), QPoint(50, 40)));
    EXPECT_TRUE(Cell(2)->zoomApplied());
    screen->endZoom();
    EXPECT_FALSE(Cell(2)->zoomApplied());
    Drag(Cell(2), QPoint(10, 10), QPoint(50, 40));  // zoom mode ended too
    EXPECT_FALSE(Cell(2)->zoomRect().isValid());

    Mouse(Cell(7), QEvent::MouseButtonDblClick, QPoint(5, 5));
    EXPECT_EQ(owner.clicks, 1);
}

TEST_F(ScreenContainerTest, SpeedMeterCountsOnlyShownPictures)
{
    auto counted = [] {
        CCheckSpeed::Data sum = gCheckSpeed.current();
        for (const CCheckSpeed::Data& d : gCheckSpeed.records()) {
            sum.bytes += d.bytes;
            sum.frames += d.frames;
        }
        return sum;
    };
    gCheckSpeed.reset();
    gCheckSpeed.addData(0, static_cast<long>(std::time(nullptr)) - 10);  // armed in the past
    const CCheckSpeed::Data before = counted();

    CDisplayInfo shown = Picture(Solid(16, 16, Qt::red));
    shown.frameBytes = 1234;
    screen->setInfo(0, shown);
    screen->setInfo(1, shown);
    CDisplayInfo failed = shown, refused = shown, lost = shown, empty = shown;
    failed.failed = true;
    refused.authorised = false;
    lost.videoLoss = true;
    empty.image = QImage();
    for (const CDisplayInfo& info : {failed, refused, lost, empty})
        screen->setInfo(2, info);
    screen->setInfo(64, shown);
    screen->setInfo(-1, shown);

    const CCheckSpeed::Data after = counted();
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
