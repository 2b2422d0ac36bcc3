#include <gtest/gtest.h>

#include <QTransform>

#include <memory>

#include "Display/WaitWidget.h"
#include "display_test_util.h"

// The one spoke drawn bright (alpha 180 among eleven light blue ones at 80), -1 for any other
// drawing, -2 for none. Each spoke is turned 30 degrees further round the centre.
static int LitSpoke(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    int lit = -1, blank = 0, dim = 0;
    for (int k = 0; k < 12; ++k) {
        QTransform t;
        t.translate((image.width() - 1) / 2, (image.height() - 1) / 2);
        t.rotate(30.0 * (k + 1));
        const QPointF middle = t.map(QPointF(7.5, 14.5));
        const QRgb c = image.pixel(int(middle.x()), int(middle.y()));
        blank += qAlpha(c) == 0;
        dim += std::abs(qAlpha(c) - 80) <= 3 && displaytest::Near(c, qRgb(85, 170, 255), 3);
        if (std::abs(qAlpha(c) - 180) <= 3)
            lit = k;
    }
    return blank == 12 ? -2 : dim == 11 ? lit : -1;
}

TEST(WaitWidget, SpinnerTurnsOnlyWhileShownAndItsControlNeverOutlivesHandleOrParent)
{
    CWaitWidget spinner(nullptr);
    EXPECT_EQ(LitSpoke(spinner), -2);
    spinner.show();
    for (int step = 0; step <= 12; ++step, spinner.updateValue())
        EXPECT_EQ(LitSpoke(spinner), step % 12);
    EXPECT_TRUE(displaytest::WaitFor([&] { return LitSpoke(spinner) == 2; }));  // its own timer
    spinner.hide();
    EXPECT_EQ(LitSpoke(spinner), -2);

    QWidget parent;
    parent.resize(400, 300);
    auto spinners = [&] { return parent.findChildren<CWaitWidget*>().size(); };
    {
        CControlWait control;
        control.show(&parent);
        control.show(&parent);
        ASSERT_EQ(spinners(), 1);
        EXPECT_EQ(parent.findChild<CWaitWidget*>()->pos(), QPoint(399 / 2 - 25, 299 / 2 - 25));
        control.hide();
        EXPECT_EQ(spinners(), 0);
        control.show(&parent);
        control.show(nullptr);
        EXPECT_EQ(spinners(), 0);
        control.show(&parent);
    }
    EXPECT_EQ(spinners(), 0);
    // The widget it was shown on may go first.
    CControlWait control;
    auto gone = std::make_unique<QWidget>();
    control.show(gone.get());
    gone.reset();
    control.hide();
    control.show(nullptr);
}
