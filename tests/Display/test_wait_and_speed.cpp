// Wait indicators and the speed meter.
#include "Display/CheckSpeed.h"
#include "Display/WaitWidget.h"
#include "display_test_util.h"

TEST(WaitWidget, SpinnerTurnsOnlyWhileShownAndItsControlNeverOutlivesHandleOrParent)
{
    CWaitWidget spinner(nullptr);
    auto render = [&spinner] {
        QImage image(spinner.size(), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        spinner.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
        return image;
    };
    const QImage hidden = render();
    spinner.show();
    const QImage first = render();
    spinner.updateValue();
    EXPECT_NE(render(), first);
    for (int step = 1; step < 12; ++step)  // twelve steps make a full turn
        spinner.updateValue();
    EXPECT_EQ(render(), first);
    spinner.hide();
    EXPECT_TRUE(render() == hidden && first != hidden);

    QWidget parent;
    parent.resize(400, 300);
    auto spinners = [&] { return parent.findChildren<CWaitWidget*>().size(); };
    {
        CControlWait control;
        control.show(&parent);
        control.show(&parent);
        ASSERT_EQ(spinners(), 1);
        EXPECT_EQ(parent.findChild<CWaitWidget*>()->pos(), QPoint(399 / 2 - 25, 299 / 2 - 25));
        // Hidden, or shown on nothing: gone; the handle going takes its spinner along.
        for (bool hide : {true, false}) {
            hide ? control.hide() : control.show(nullptr);
            EXPECT_EQ(spinners(), 0);
            control.show(&parent);
        }
    }
    EXPECT_EQ(spinners(), 0);
    // The widget it was shown on may go first.
    CControlWait control;
    control.show(std::make_unique<QWidget>().get());
    control.hide();
    control.show(nullptr);
}

TEST(CheckSpeed, ArmsThenKeepsABoundedMinuteThatSurvivesTheClockGoingBack)
{
    using Counts = std::vector<std::pair<uint64_t, uint64_t>>;  // bytes, frames
    time_t now = 0;
    CCheckSpeed speed([&now] { return now; });
    // Counts a frame at second `at`; returns the completed seconds, then the one being counted.
    auto add = [&](unsigned long bytes, time_t at) {
        now = at;
        speed.addData(bytes);
        Counts out;
        for (const CCheckSpeed::Data& d : speed.records())
            out.emplace_back(d.bytes, d.frames);
        out.emplace_back(speed.current().bytes, speed.current().frames);
        return out;
    };
    // The first frame arms the meter two seconds ahead; what comes before is not counted.
    for (time_t at : {100, 101, 102})
        add(at == 102 ? 700 : 500, at);
    EXPECT_EQ(add(25, 105), (Counts{{700, 1}, {0, 0}, {0, 0}, {25, 1}}));
    // A step back of a second is ignored; a real jump back closes the second being counted.
    add(99, 104);
    add(30, 50);
    EXPECT_EQ(add(30, 51), (Counts{{700, 1}, {0, 0}, {0, 0}, {25, 1}, {30, 1}, {30, 1}}));

    for (time_t s = 52; s < 113; ++s)
        add(static_cast<unsigned long>(s * 10), s);
    const Counts minute = add(1130, 113);
    EXPECT_TRUE(minute.size() == 61u && minute.front() == std::make_pair(uint64_t{530}, uint64_t{1}));
    // After a long gap only empty seconds remain, however long the gap.
    Counts empty(60, {0, 0});
    empty.emplace_back(9, 1);
    EXPECT_EQ(add(9, 200), empty);
    EXPECT_EQ(add(9, time_t{4000000000}), empty);
}

// A meter fed 30 frames of 100 bytes a second from second 102 (armed at 100) to 105.
class CheckSpeedSilence : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (time_t s = 100; s <= 105; ++s) {
            now = s;
            for (int f = 0; f < 30; ++f)
                speed.addData(100);
        }
    }
    // Frames in the records read now, and the number of records.
    std::pair<uint64_t, size_t> framesRead() const
    {
        uint64_t frames = 0;
        const std::vector<CCheckSpeed::Data> records = speed.records();
        for (const CCheckSpeed::Data& d : records)
            frames += d.frames;
        return {frames, records.size()};
    }

    time_t now = 0;
    CCheckSpeed speed{[this] { return now; }};
};

TEST_F(CheckSpeedSilence, SecondsWithoutFramesReadAsEmptyRecords)
{
    ASSERT_EQ(framesRead(), std::make_pair(uint64_t{90}, size_t{3}));
    now = 108;  // seconds 105 (its 30 frames), 106 and 107 have passed
    EXPECT_EQ(framesRead(), std::make_pair(uint64_t{120}, size_t{6}));
    EXPECT_EQ(speed.current().frames, 0u);
}

TEST_F(CheckSpeedSilence, AMinuteWithoutFramesReadsNothing)
{
    now = 105 + CCheckSpeed::kMaxRecords + 1;
    EXPECT_EQ(framesRead(), std::make_pair(uint64_t{0}, size_t{CCheckSpeed::kMaxRecords}));
}

TEST_F(CheckSpeedSilence, ReadingLeavesTheNextFrameItsRecords)
{
    now = 108;
    const std::vector<CCheckSpeed::Data> read = speed.records();
    speed.addData(7);
    const std::vector<CCheckSpeed::Data> after = speed.records();
    ASSERT_EQ(after.size(), read.size());
    for (size_t i = 0; i < read.size(); ++i)
        EXPECT_TRUE(after[i].bytes == read[i].bytes && after[i].frames == read[i].frames) << i;
    EXPECT_EQ(speed.current().bytes, 7u);
}
