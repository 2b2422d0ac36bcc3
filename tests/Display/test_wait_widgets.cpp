#include <gtest/gtest.h>

#include <QLabel>
#include <QTransform>

#include <memory>

#include "Display/WaitWidget.h"
#include "display_test_util.h"

namespace {

// The spinner drawn onto a transparent image.
QImage Render(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

// The one spoke drawn bright (alpha 180 among eleven at 80), -1 for any other drawing, -2 for
// none. Spokes are drawn one after another, each turned 30 degrees further round the centre.
int LitSpoke(const QImage& image)
{
    int lit = -1, blank = 0, dim = 0;
    for (int k = 0; k < 12; ++k) {
        QTransform t;
        t.translate((image.width() - 1) / 2, (image.height() - 1) / 2);
        t.rotate(30.0 * (k + 1));
        const QPointF middle = t.map(QPointF(7.5, 14.5));
        const int alpha = qAlpha(image.pixel(int(middle.x()), int(middle.y())));
        blank += alpha == 0;
        dim += std::abs(alpha - 80) <= 3;
        if (std::abs(alpha - 180) <= 3)
            lit = k;
    }
    return blank == 12 ? -2 : dim == 11 ? lit : -1;
}

int Spinners(QWidget& parent) { return parent.findChildren<CWaitWidget*>(QString(), Qt::FindDirectChildrenOnly).size(); }

}  // namespace

TEST(WaitWidget, DrawsTwelveLightBlueSpokesWithOneLitTurningWhileShown)
{
    CWaitWidget spinner(nullptr);
    EXPECT_EQ(spinner.size(), QSize(50, 50));
    EXPECT_EQ(LitSpoke(Render(spinner)), -2) << "nothing is drawn before it is shown";

    spinner.show();
    const QImage image = Render(spinner);
    EXPECT_EQ(LitSpoke(image), 0);
    int blue = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = QColor::fromRgba(image.pixel(x, y));
            blue += c.alpha() >= 80 && std::abs(c.red() - 85) <= 2 && std::abs(c.green() - 170) <= 2 && c.blue() >= 253;
        }
    EXPECT_GT(blue, 12 * 20) << "each spoke has solid pixels of the colour";
    for (int step = 1; step <= 12; ++step) {
        spinner.updateValue();
        EXPECT_EQ(LitSpoke(Render(spinner)), step % 12) << "step " << step;
    }
    // Its own timer turns it.
    EXPECT_TRUE(displaytest::WaitFor([&] { return LitSpoke(Render(spinner)) == 1; }));

    spinner.hide();
    EXPECT_EQ(LitSpoke(Render(spinner)), -2) << "a hidden spinner stops";
}

TEST(ControlWait, ShowsOneCentredIndicatorAtATimeAndNeverOutlivesItsHandle)
{
    QWidget parent;
    parent.resize(400, 300);
    parent.show();
    {
        CControlWait control;
        control.hide();  // nothing shown: nothing happens
        EXPECT_EQ(Spinners(parent), 0);
        control.show(&parent);
        ASSERT_EQ(Spinners(parent), 1);
        CWaitWidget* first = parent.findChild<CWaitWidget*>();
        EXPECT_TRUE(first->isVisible());
        EXPECT_EQ(first->pos(), QPoint(399 / 2 - 25, 299 / 2 - 25));
        control.show(&parent);
        EXPECT_EQ(Spinners(parent), 1) << "the first indicator is gone, not just hidden";
        control.hide();
        EXPECT_EQ(Spinners(parent), 0);
        control.show(&parent);
        control.show(nullptr);
        EXPECT_EQ(Spinners(parent), 0) << "no parent: the old indicator goes, none is made";
        control.show(&parent);
    }
    EXPECT_EQ(Spinners(parent), 0) << "an indicator does not outlive its handle";

    // The widget it was shown on may go first.
    CControlWait control;
    auto gone = std::make_unique<QWidget>();
    control.show(gone.get());
    gone.reset();
    control.hide();
    control.show(nullptr);
}

TEST(WaitDialog, ShowsItsTextBesideASpinnerThatRunsWhileShown)
{
    CWaitDialog dialog(nullptr);
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    auto* label = dialog.findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("Please wait a minute."));
    auto* spinner = dialog.findChild<CWaitWidget*>();
    ASSERT_NE(spinner, nullptr);
    EXPECT_EQ(spinner->parentWidget()->maximumSize(), QSize(50, 50));
    dialog.show();
    EXPECT_EQ(LitSpoke(Render(*spinner)), 0);
    dialog.hide();
    EXPECT_EQ(LitSpoke(Render(*spinner)), -2);
}
