// The OpenGL scene's own rules, checked without OpenGL (the painter draws the pictures).
#include <gtest/gtest.h>

#include <QMouseEvent>

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

// A scene of two cells shown in a view over its owner.
struct Shown {
    Owner owner;
    CGraphicsScene scene{OPENGL_MODE_ON, 2};
    CGraphicsView view{&owner};
    explicit Shown(QSize size)
    {
        owner.resize(size);
        view.setScene(&scene);
        view.resize(size);
        owner.show();
    }
    void send(QEvent::Type type, QPoint pos, Qt::MouseButtons held = Qt::LeftButton)
    {
        Mouse(view.viewport(), type, pos, held);
    }
};

}  // namespace

TEST(GraphicsScene, ACellWithoutRectangleDrawsNothingAndIndexesAreChecked)
{
    CGraphicsScene scene(OPENGL_MODE_POWER_OF_2, 2);
    CDisplayInfo info = Picture(Solid(64, 64, Qt::white));
    info.title = QStringLiteral("T");
    info.record = info.motion = info.sensor = true;
    for (int i : {-1, 0, 1, 2})
        scene.setInfo(i, info);
    scene.updateDisplayRect(1, QRect(0, 0, 100, 100));
    scene.updateDisplayRect(0, QRect());
    scene.updateDisplayRect(5, QRect(0, 0, 300, 200));
    scene.setSelected(0);
    const QImage wall = Render(scene, QSize(300, 200));
    EXPECT_TRUE(BrightBox(wall, QRect(101, 0, 199, 200)).isEmpty());
    EXPECT_FALSE(BrightBox(wall, QRect(0, 0, 100, 100)).isEmpty());
    EXPECT_EQ(scene.getInfo(2).channel, -1);
    EXPECT_TRUE(scene.getDisplayRect(-1).isEmpty());
    scene.clear();
    EXPECT_EQ(Render(scene, QSize(300, 200)).pixel(50, 50), qRgb(0, 0, 0));

    CGraphicsScene none(OPENGL_MODE_ON, -4);
    EXPECT_EQ(none.count(), 0);
    EXPECT_TRUE(none.getToolTip(QPoint(0, 0)).isEmpty());
    Render(none, QSize(10, 10));
}

TEST(GraphicsScene, ZoomDragInSceneCoordinatesWithinTheSelectedCell)
{
    Shown s(QSize(730, 550));
    s.scene.updateDisplayRect(0, QRect(0, 0, 300, 200));
    s.scene.setInfo(0, Picture(Quadrants(704, 480)));
    // Without zoom the press goes on to the owner.
    s.send(QEvent::MouseButtonPress, QPoint(100, 80));
    s.send(QEvent::MouseButtonRelease, QPoint(100, 80), Qt::NoButton);
    EXPECT_EQ(s.owner.presses, 1);
    EXPECT_FALSE(s.scene.zoomRect().isValid());

    s.scene.startZoom();
    s.send(QEvent::MouseButtonPress, QPoint(100, 80));
    s.send(QEvent::MouseMove, QPoint(20, 10));
    EXPECT_EQ(s.scene.zoomRect(), QRect(QPoint(20, 10), QPoint(100, 80)));
    EXPECT_FALSE(s.scene.zoomApplied());
    EXPECT_EQ(Render(s.scene, QSize(730, 550)).pixel(60, 10), qRgb(255, 255, 255)) << "the rectangle is drawn";
    s.send(QEvent::MouseButtonRelease, QPoint(20, 10), Qt::NoButton);
    EXPECT_TRUE(s.scene.zoomApplied());
    EXPECT_TRUE(Near(Render(s.scene, QSize(730, 550)).pixel(280, 180), qRgb(255, 0, 0), 8)) << "the red part fills it";

    // A drag past the selected cell stops at its edge.
    s.send(QEvent::MouseButtonPress, QPoint(250, 150));
    s.send(QEvent::MouseMove, QPoint(500, 400));
    EXPECT_EQ(s.scene.zoomRect(), QRect(QPoint(250, 150), QPoint(299, 199)));
    s.send(QEvent::MouseButtonRelease, QPoint(500, 400), Qt::NoButton);
    s.scene.endZoom();
    EXPECT_FALSE(s.scene.zoomApplied());
    EXPECT_FALSE(s.scene.zoomRect().isValid());
}

TEST(GraphicsScene, FailedCellsNameTheirFailureInATooltipAndDoubleClicksAreSignalled)
{
    Shown s(QSize(400, 200));
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

    int doubles = 0;
    QObject::connect(&s.view, &CGraphicsView::doubleClicked, [&doubles](QMouseEvent*) { ++doubles; });
    s.send(QEvent::MouseButtonDblClick, QPoint(50, 50));
    EXPECT_EQ(doubles, 1);
}
