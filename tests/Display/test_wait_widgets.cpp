#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTransform>

#include <cmath>
#include <memory>

#include "Display/WaitWidget.h"

namespace {

// The spinner drawn onto a transparent image.
QImage Render(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

// Alpha at the middle of spoke k: spokes are drawn one after another, each turned 30
// degrees further round the widget's centre.
int SpokeAlpha(const QImage& image, int k)
{
    QTransform t;
    t.translate((image.width() - 1) / 2, (image.height() - 1) / 2);
    t.rotate(30.0 * (k + 1));
    const QPointF centre = t.map(QPointF(5 + 2.5, 7 + 7.5));
    return qAlpha(image.pixel(static_cast<int>(centre.x()), static_cast<int>(centre.y())));
}

// The one spoke drawn bright, or -1.
int LitSpoke(const QImage& image)
{
    int lit = -1;
    for (int k = 0; k < 12; ++k) {
        const int alpha = SpokeAlpha(image, k);
        if (std::abs(alpha - 180) <= 3) {
            if (lit >= 0)
                return -1;
            lit = k;
        } else if (std::abs(alpha - 80) > 3) {
            return -1;
        }
    }
    return lit;
}

bool Transparent(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return false;
    return true;
}

QList<CWaitWidget*> Spinners(QWidget& parent)
{
    return parent.findChildren<CWaitWidget*>(QString(), Qt::FindDirectChildrenOnly);
}

}  // namespace

TEST(WaitWidget, DrawsTwelveSpokesWithOneLit)
{
    CWaitWidget spinner(nullptr);
    EXPECT_EQ(spinner.size(), QSize(50, 50));
    EXPECT_TRUE(Transparent(Render(spinner))) << "nothing is drawn before it is shown";

    spinner.show();
    QImage image = Render(spinner);
    EXPECT_EQ(LitSpoke(image), 0);
    // The spokes are light blue, drawn translucent.
    int blue = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = QColor::fromRgba(image.pixel(x, y));
            if (c.alpha() >= 80 && std::abs(c.red() - 85) <= 2 && std::abs(c.green() - 170) <= 2 && c.blue() >= 253)
                ++blue;
        }
    EXPECT_GT(blue, 12 * 20) << "each spoke has solid pixels of the colour";

    for (int step = 1; step <= 12; ++step) {
        spinner.updateValue();
        EXPECT_EQ(LitSpoke(Render(spinner)), step % 12) << "step " << step;
    }

    spinner.hide();
    EXPECT_TRUE(Transparent(Render(spinner))) << "a hidden spinner stops";
}

TEST(WaitWidget, TurnsWhileShown)
{
    CWaitWidget spinner(nullptr);
    spinner.show();
    const int first = LitSpoke(Render(spinner));
    QElapsedTimer timer;
    timer.start();
    int now = first;
    while (now == first && !timer.hasExpired(5000)) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        now = LitSpoke(Render(spinner));
    }
    EXPECT_EQ(now, (first + 1) % 12);
}

TEST(ControlWait, ShowsOneCentredIndicatorAtATime)
{
    QWidget parent;
    parent.resize(400, 300);
    parent.show();
    CControlWait control;
    control.hide();  // nothing shown: nothing happens
    EXPECT_TRUE(Spinners(parent).isEmpty());

    control.show(&parent);
    ASSERT_EQ(Spinners(parent).size(), 1);
    CWaitWidget* first = Spinners(parent).front();
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->pos(), QPoint(399 / 2 - 25, 299 / 2 - 25));

    control.show(&parent);
    const QList<CWaitWidget*> after = Spinners(parent);
    ASSERT_EQ(after.size(), 1) << "the first indicator is gone, not just hidden";
    EXPECT_TRUE(after.front()->isVisible());

    control.hide();
    EXPECT_TRUE(Spinners(parent).isEmpty());

    control.show(&parent);
    control.show(nullptr);
    EXPECT_TRUE(Spinners(parent).isEmpty()) << "no parent: the old indicator goes, none is made";
}

TEST(ControlWait, OutlivesTheWidgetItWasShownOn)
{
    CControlWait control;
    auto parent = std::make_unique<QWidget>();
    parent->resize(100, 100);
    control.show(parent.get());
    parent.reset();  // destroys the indicator with it
    control.hide();
    control.show(nullptr);

    QWidget other;
    {
        CControlWait scoped;
        scoped.show(&other);
        EXPECT_EQ(Spinners(other).size(), 1);
    }
    EXPECT_TRUE(Spinners(other).isEmpty()) << "an indicator does not outlive its handle";
}

TEST(WaitDialog, TitleBarWithoutButtonsAndASpinnerBesideTheText)
{
    CWaitDialog dialog(nullptr);
    const Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_TRUE(dialog.isWindow());
    EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_FALSE(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint | Qt::WindowSystemMenuHint));

    auto* layout = qobject_cast<QHBoxLayout*>(dialog.layout());
    ASSERT_NE(layout, nullptr);
    ASSERT_EQ(layout->count(), 2);
    QWidget* holder = layout->itemAt(0)->widget();
    auto* label = qobject_cast<QLabel*>(layout->itemAt(1)->widget());
    ASSERT_NE(holder, nullptr);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("Please wait a minute."));
    EXPECT_EQ(holder->minimumSize(), QSize(50, 50));
    EXPECT_EQ(holder->maximumSize(), QSize(50, 50));
    auto* spinner = holder->findChild<CWaitWidget*>();
    ASSERT_NE(spinner, nullptr);

    dialog.show();
    EXPECT_EQ(LitSpoke(Render(*spinner)), 0) << "the spinner runs while the dialog is shown";
    dialog.hide();
    EXPECT_TRUE(Transparent(Render(*spinner)));
}
