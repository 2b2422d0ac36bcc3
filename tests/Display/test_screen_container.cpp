// The cell container with widget cells and the OpenGL scene drawn by a painter: layouts, cell
// lookup, bounds and the OpenGL probe where no OpenGL widget shows.
#include "Display/GraphicsScene.h"
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

const QSize kArea(730, 550);

}  // namespace

TEST(ScreenLayout, GridsOfOneToSixtyFourCellsAndNoneForCountsThatMakeNoGrid)
{
    const struct {
        int count, cell;
        QRect expected;  // null: empty
    } cases[] = {
        // One to three cells: each covers the whole area.
        {1, 0, QRect(0, 0, 730, 550)}, {3, 2, QRect(0, 0, 730, 550)}, {3, 3, QRect()},
        {4, 0, QRect(QPoint(5, 5), QPoint(364, 274))}, {4, 3, QRect(QPoint(364, 274), QPoint(723, 543))},
        {4, 4, QRect()}, {9, 1, QRect(QPoint(244, 5), QPoint(483, 184))}, {9, 8, QRect(QPoint(483, 363), QPoint(722, 542))},
        {16, 5, QRect(184, 139, 180, 135)}, {16, 15, QRect(542, 407, 180, 135)}, {16, 16, QRect()},
        {64, 0, QRect(5, 7, 90, 67)}, {64, 63, QRect(QPoint(628, 469), QPoint(717, 535))},
        {0, 0, QRect()}, {-3, 0, QRect()}, {100, 63, QRect(QPoint(628, 469), QPoint(717, 535))},
    };
    for (const auto& c : cases) {
        const QVector<QRect> rects = CScreen::gridRects(c.count, kArea, 10);
        ASSERT_EQ(rects.size(), 64);
        if (c.expected.isNull())
            EXPECT_TRUE(rects[c.cell].isEmpty()) << c.count << " cells, cell " << c.cell;
        else
            EXPECT_EQ(rects[c.cell], c.expected) << c.count << " cells, cell " << c.cell;
    }
    for (const QRect& r : CScreen::gridRects(16, QSize(6, 6), 10))
        EXPECT_TRUE(r.isEmpty());
}

TEST(ScreenContainer, ClicksFindTheCellUnderThemAndIndexesOutsideTheWallAreIgnored)
{
    Owner owner;
    owner.resize(100, 100);
    for (int count : {0, 65, 1000}) {
        CScreen screen(&owner, OPENGL_MODE_OFF, count);
        EXPECT_EQ(screen.count(), count == 0 ? 0 : 64);
        for (int i : {-1, 0, 64})
            screen.setInfo(i, Picture(Solid(8, 8, Qt::red)));
        screen.setSelected(70);
        screen.startZoom(99);
        screen.endZoom();
        screen.clear();
        EXPECT_TRUE(screen.getInfo(0).channel == -1 && screen.getInfo(64).channel == -1 &&
                    screen.getDisplayRect(-1).isEmpty() && screen.cellAt(QPoint(1, 1)) == -1) << count;
    }
    // The OpenGL scene, drawn here by a painter, checks its indexes too.
    CGraphicsScene scene(OPENGL_MODE_POWER_OF_2, 2);
    for (int i : {-1, 0, 1, 2})
        scene.setInfo(i, Picture(Solid(64, 64, Qt::white)));
    scene.updateDisplayRect(1, QRect(0, 0, 100, 100));
    scene.updateDisplayRect(5, QRect(0, 0, 300, 200));
    QImage wall(300, 200, QImage::Format_RGB32);
    wall.fill(Qt::black);
    QPainter painter(&wall);
    scene.render(&painter, QRectF(wall.rect()), QRectF(wall.rect()));
    painter.end();
    EXPECT_TRUE(wall.pixel(50, 50) == qRgb(255, 255, 255) && wall.pixel(200, 150) == qRgb(0, 0, 0));
    EXPECT_TRUE(scene.getInfo(2).channel == -1 && scene.getDisplayRect(-1).isEmpty());
    EXPECT_EQ(CGraphicsScene(OPENGL_MODE_ON, -4).count(), 0);

    owner.resize(kArea);
    CScreen screen(&owner, OPENGL_MODE_OFF, 64);
    const QVector<QRect> rects = CScreen::gridRects(16, kArea, 10);
    for (int i = 0; i < 64; ++i)
        screen.updateDisplayRect(i, rects[i]);
    // The shared column belongs to the cell with the lower index; the margin to none.
    for (const auto& [p, cell] : {std::pair{QPoint(2, 2), -1}, {{727, 547}, -1}, {{5, 5}, 0}, {{184, 100}, 0},
                                  {{185, 100}, 1}, {{700, 500}, 15}})
        EXPECT_EQ(screen.cellAt(p), cell) << p.x() << "," << p.y();
    EXPECT_EQ(screen.screenWidget(5)->geometry(), rects[5]);
    Mouse(screen.screenWidget(7), QEvent::MouseButtonDblClick, QPoint(5, 5));
    EXPECT_EQ(owner.clicks, 1);

    // The owner may go first: the container must not touch the cells it took along.
    auto first = std::make_unique<Owner>();
    auto orphan = std::make_unique<CScreen>(first.get(), OPENGL_MODE_OFF, 16);
    first.reset();
    orphan.reset();
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

TEST(ScreenContainer, SoftwareRasterisersAreToldFromHardwareRenderers)
{
    for (const char* software : {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "Software Rasterizer",
                                 "zink Vulkan 1.3(llvmpipe (LLVM 15.0.6, 256 bits) (MESA_LLVMPIPE))",
                                 "SWR (LLVM 11.0.1, 256 bits)", "GDI Generic"})
        EXPECT_TRUE(CScreen::isSoftwareRenderer(QString::fromLatin1(software))) << software;
    for (const char* hardware : {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", "NVIDIA GeForce GTX 1050/PCIe/SSE2",
                                 "AMD Radeon RX 580 Series (polaris10, LLVM 15.0.6, DRM 3.49, 6.1.0-13-amd64)",
                                 "SVGA3D; build: RELEASE;  LLVM;", "virgl", ""})
        EXPECT_FALSE(CScreen::isSoftwareRenderer(QString::fromLatin1(hardware))) << hardware;
}

#include "test_screen_container.moc"
