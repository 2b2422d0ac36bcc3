// The OpenGL scene's own rules, checked without OpenGL (the painter draws the pictures):
// power-of-two pictures, texture ranges, empty cells, zoom by mouse, tooltips, double clicks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>

#include "Display/GraphicsScene.h"
#include "Display/GraphicsView.h"
#include "display_test_util.h"

using namespace displaytest;

namespace {

QImage Render(CGraphicsScene& scene, const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    scene.render(&painter, QRectF(QPointF(0, 0), size), QRectF(QPointF(0, 0), size));
    return image;
}

// Presses that no cell takes must reach the owner, which selects screens with them.
class Owner : public QWidget {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

void Send(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// A scene of two cells shown in a view over owner.
struct Shown {
    CGraphicsScene scene{OPENGL_MODE_ON, 2};
    CGraphicsView view;
    explicit Shown(QWidget* owner, QSize size) : view(owner)
    {
        owner->resize(size);
        view.setScene(&scene);
        view.resize(size);
        owner->show();
    }
    QWidget* port() { return view.viewport(); }
};

}  // namespace

TEST(GraphicsScene, PowerOfTwoPicturesKeepThePictureTopLeft)
{
    const std::pair<int, int> sizes[] = {{704, 1024}, {480, 512}, {1024, 1024}, {1025, 2048}, {2, 2}, {1, 2}, {0, 2}};
    for (const auto& [in, out] : sizes)
        EXPECT_EQ(CGraphicsScene::powerOfTwo(in), out) << in;

    QImage target;
    CGraphicsScene::ConvertToGLImage(Quadrants(704, 480), target);
    ASSERT_EQ(target.size(), QSize(1024, 512));
    EXPECT_EQ(target.format(), QImage::Format_RGB888);
    // Outside the picture: black, not whatever memory held.
    for (const auto& [p, colour] : {std::pair{QPoint(0, 0), qRgb(255, 0, 0)}, {QPoint(703, 0), qRgb(0, 255, 0)},
                                    {QPoint(703, 479), qRgb(255, 255, 255)}, {QPoint(704, 10), qRgb(0, 0, 0)},
                                    {QPoint(10, 480), qRgb(0, 0, 0)}})
        EXPECT_EQ(target.pixel(p), colour) << p.x() << "," << p.y();

    // A 32-bit picture of another size gets a new image of its format.
    CGraphicsScene::ConvertToGLImage(Solid(352, 240, Qt::green, QImage::Format_RGB32), target);
    EXPECT_EQ(target.size(), QSize(512, 256));
    EXPECT_EQ(target.format(), QImage::Format_RGB32);
    EXPECT_EQ(target.pixel(351, 239), qRgb(0, 255, 0));
}

TEST(GraphicsScene, TextureRangeCoversThePictureOrTheZoomedPart)
{
    // A 704 x 480 picture in a 1024 x 512 texture, shown in a 730 x 550 cell.
    const QRect cell(0, 0, 730, 550);
    const QRect zoom(QPoint(73, 55), QPoint(365, 275));
    float r[4];
    CGraphicsScene::textureRange(QSize(704, 480), QSize(1024, 512), false, zoom, cell, r);
    EXPECT_EQ(std::vector<float>(r, r + 4), (std::vector<float>{0.0f, 0.0f, 0.6875f, 0.9375f}));
    // The zoomed tenth to half of the cell is that part of the picture.
    CGraphicsScene::textureRange(QSize(704, 480), QSize(1024, 512), true, zoom, cell, r);
    EXPECT_FLOAT_EQ(r[0], 0.06875f);
    EXPECT_FLOAT_EQ(r[1], 0.09375f);
    EXPECT_FLOAT_EQ(r[2], 0.34375f);
    EXPECT_FLOAT_EQ(r[3], 0.46875f);
    // A cell without size shows the whole picture.
    CGraphicsScene::textureRange(QSize(704, 480), QSize(704, 480), true, zoom, QRect(5, 5, 0, 0), r);
    EXPECT_FLOAT_EQ(r[2], 1.0f);
}

TEST(GraphicsScene, ACellWithoutRectangleDrawsNothingAndIndexesAreChecked)
{
    CGraphicsScene scene(OPENGL_MODE_POWER_OF_2, 2);
    CDisplayInfo info = Picture(Solid(64, 64, Qt::white));
    info.title = QStringLiteral("T");
    info.channelName = QStringLiteral("N");
    info.record = info.motion = info.sensor = true;
    scene.setInfo(0, info);
    scene.setInfo(1, info);
    scene.updateDisplayRect(1, QRect(0, 0, 100, 100));
    scene.updateDisplayRect(0, QRect());
    scene.setSelected(0);
    QImage wall = Render(scene, QSize(300, 200));
    EXPECT_TRUE(BrightBox(wall, QRect(101, 0, 199, 200)).isEmpty());
    EXPECT_FALSE(BrightBox(wall, QRect(0, 0, 100, 100)).isEmpty());

    // Out-of-range cells are ignored and read as empty.
    scene.setInfo(2, info);
    scene.setInfo(-1, info);
    scene.updateDisplayRect(5, QRect(0, 0, 300, 200));
    EXPECT_EQ(scene.getInfo(2).channel, -1);
    EXPECT_TRUE(scene.getDisplayRect(-1).isEmpty());
    scene.clear();
    EXPECT_EQ(scene.getInfo(1).channel, -1);
    EXPECT_EQ(Render(scene, QSize(300, 200)).pixel(50, 50), qRgb(0, 0, 0));

    CGraphicsScene none(OPENGL_MODE_ON, -4);
    EXPECT_EQ(none.count(), 0);
    EXPECT_TRUE(none.getToolTip(QPoint(0, 0)).isEmpty());
    Render(none, QSize(10, 10));
}

TEST(GraphicsScene, ZoomDragInSceneCoordinatesWithinTheSelectedCell)
{
    Owner owner;
    Shown s(&owner, QSize(730, 550));
    s.scene.updateDisplayRect(0, QRect(0, 0, 730, 550));
    s.scene.updateDisplayRect(1, QRect());
    s.scene.setInfo(0, Picture(Quadrants(704, 480)));
    EXPECT_EQ(s.view.sceneRect(), QRectF(0, 0, 730, 550));

    // Without zoom the press goes on to the owner.
    Send(s.port(), QEvent::MouseButtonPress, QPoint(100, 80), Qt::LeftButton);
    Send(s.port(), QEvent::MouseButtonRelease, QPoint(100, 80), Qt::NoButton);
    EXPECT_EQ(owner.presses, 1);
    EXPECT_FALSE(s.scene.zoomRect().isValid());

    s.scene.startZoom();
    Send(s.port(), QEvent::MouseButtonPress, QPoint(100, 80), Qt::LeftButton);
    Send(s.port(), QEvent::MouseMove, QPoint(20, 10), Qt::LeftButton);
    EXPECT_EQ(s.scene.zoomRect(), QRect(QPoint(20, 10), QPoint(100, 80)));
    EXPECT_FALSE(s.scene.zoomApplied());
    QImage wall = Render(s.scene, QSize(730, 550));
    EXPECT_EQ(wall.pixel(60, 10), qRgb(255, 255, 255));
    EXPECT_EQ(wall.pixel(20, 40), qRgb(255, 255, 255));
    Send(s.port(), QEvent::MouseButtonRelease, QPoint(20, 10), Qt::NoButton);
    EXPECT_TRUE(s.scene.zoomApplied());
    // The zoomed part fills the cell: all of it lies in the red quadrant.
    wall = Render(s.scene, QSize(730, 550));
    for (QPoint p : {QPoint(100, 100), QPoint(600, 450), QPoint(700, 100)})
        EXPECT_TRUE(Near(wall.pixel(p), qRgb(255, 0, 0), 8)) << p.x() << "," << p.y();

    // A drag past the selected cell stops at its edge.
    s.scene.updateDisplayRect(0, QRect(0, 0, 300, 200));
    Send(s.port(), QEvent::MouseButtonPress, QPoint(250, 150), Qt::LeftButton);
    Send(s.port(), QEvent::MouseMove, QPoint(500, 400), Qt::LeftButton);
    EXPECT_EQ(s.scene.zoomRect(), QRect(QPoint(250, 150), QPoint(299, 199)));
    Send(s.port(), QEvent::MouseButtonRelease, QPoint(500, 400), Qt::NoButton);
    s.scene.endZoom();
    EXPECT_FALSE(s.scene.zoomApplied());
    EXPECT_FALSE(s.scene.zoomRect().isValid());
}

TEST(GraphicsScene, FailedCellsNameTheirFailureInATooltipAndDoubleClicksAreSignalled)
{
    QWidget owner;
    Shown s(&owner, QSize(400, 200));
    s.scene.updateDisplayRect(0, QRect(QPoint(0, 0), QPoint(199, 199)));
    s.scene.updateDisplayRect(1, QRect(QPoint(199, 0), QPoint(399, 199)));
    CDisplayInfo failed;
    failed.failed = true;
    failed.title = QStringLiteral("Connection failed");
    s.scene.setInfo(1, failed);
    s.scene.setInfo(0, Picture(Solid(8, 8, Qt::red)));
    EXPECT_EQ(s.scene.getToolTip(QPoint(300, 100)), failed.title);
    EXPECT_EQ(s.scene.getToolTip(QPoint(199, 0)), failed.title);  // edges belong to the cell
    EXPECT_TRUE(s.scene.getToolTip(QPoint(100, 100)).isEmpty());
    EXPECT_TRUE(s.scene.getToolTip(QPoint(500, 100)).isEmpty());

    QHelpEvent over(QEvent::ToolTip, QPoint(300, 100), s.port()->mapToGlobal(QPoint(300, 100)));
    QApplication::sendEvent(s.port(), &over);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), failed.title);
    QHelpEvent elsewhere(QEvent::ToolTip, QPoint(100, 100), s.port()->mapToGlobal(QPoint(100, 100)));
    QApplication::sendEvent(s.port(), &elsewhere);
    EXPECT_TRUE(WaitFor([] { return !QToolTip::isVisible(); }, 3000));

    int doubles = 0;
    QObject::connect(&s.view, &CGraphicsView::doubleClicked, [&doubles](QMouseEvent*) { ++doubles; });
    Send(s.port(), QEvent::MouseButtonDblClick, QPoint(50, 50), Qt::LeftButton);
    EXPECT_EQ(doubles, 1);
}
