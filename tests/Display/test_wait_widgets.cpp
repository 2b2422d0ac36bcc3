#include <gtest/gtest.h>

#include <memory>

#include "Display/WaitWidget.h"
#include "display_test_util.h"

static QImage Render(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

TEST(WaitWidget, SpinnerTurnsOnlyWhileShownAndItsControlNeverOutlivesHandleOrParent)
{
    CWaitWidget spinner(nullptr);
    const QImage hidden = Render(spinner);
    spinner.show();
    const QImage first = Render(spinner);
    EXPECT_NE(first, hidden);
    // Twelve steps make a full turn.
    for (int step = 1; step <= 12; ++step, spinner.updateValue())
        EXPECT_EQ(Render(spinner) == first, step == 1) << step;
    EXPECT_EQ(Render(spinner), first);
    EXPECT_TRUE(displaytest::WaitFor([&] { return Render(spinner) != first; }));  // its own timer
    spinner.hide();
    EXPECT_EQ(Render(spinner), hidden);

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
