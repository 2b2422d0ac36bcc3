#include <cstdint>

#include <gtest/gtest.h>

#include "cal_data.pb.h"
#include "dvr_protocol/cal_data_comp.h"

static cgi::CalItem Item(uint32_t start, uint32_t end, uint32_t mask, std::initializer_list<uint32_t> reasons)
{
    cgi::CalItem it;
    it.set_start_time(start);
    it.set_end_time(end);
    it.set_record_chmask(mask);
    for (uint32_t r : reasons)
        it.add_record_reason(r);
    return it;
}

// An item starting in the minute after the span's end, with the same channels and reasons,
// extends the span; anything else leaves it as it is.
TEST(CalDataComp, MergeRule)
{
    const uint32_t t = 1600000800;  // a whole minute
    const uint32_t late = 0x80000000u + 20u;
    const uint32_t last = 0xFFFFFFFFu / 60u * 60u;  // rounding up past it must not wrap to 0
    struct Case {
        cgi::CalItem span, next;
        int result;
        uint32_t end;  // the span's end afterwards
    };
    const Case cases[] = {
        {Item(t - 600, t + 59, 3, {1, 2}), Item(t + 60, t + 100, 3, {1, 2}), 0, t + 100},
        {Item(t - 600, t + 70, 3, {1, 2}), Item(t + 130, t + 200, 3, {1, 2}), 0, t + 200},  // mid-minute
        {Item(late - 300, late, 1, {1}), Item(late + 40, late + 70, 1, {1}), 0, late + 70},
        {Item(last - 600, last - 30, 1, {2}), Item(last + 10, 0xFFFFFFFFu, 1, {2}), 0, 0xFFFFFFFFu},
        {Item(t - 600, t + 59, 3, {1, 2}), Item(t + 120, t + 150, 3, {1, 2}), -1, t + 59},  // a minute left out
        {Item(t - 600, t + 70, 3, {1, 2}), Item(t + 100, t + 150, 3, {1, 2}), -1, t + 70},  // the same minute
        {Item(t - 600, t + 59, 3, {1, 2}), Item(t + 60, t + 150, 7, {1, 2}), -1, t + 59},   // other channels
        {Item(t - 600, t + 59, 3, {1, 2}), Item(t + 60, t + 150, 3, {1, 3}), -1, t + 59},   // other reason
        {Item(t - 600, t + 59, 3, {1, 2}), Item(t + 60, t + 150, 3, {1, 2, 0}), -1, t + 59},
        {Item(t - 600, t + 59, 3, {1, 2}), Item(t + 60, t + 150, 0, {1, 2}), 0, t + 59},  // no channels: ignored
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        cgi::CalItem span = cases[i].span;
        EXPECT_EQ(cgi::cal_data::Comp(&span, cases[i].next), cases[i].result) << i;
        EXPECT_EQ(span.start_time(), cases[i].span.start_time()) << i;
        EXPECT_EQ(span.end_time(), cases[i].end) << i;
        EXPECT_EQ(span.record_chmask(), cases[i].span.record_chmask()) << i;
    }

    // A span without a start or an end takes the next item whole.
    const cgi::CalItem next = Item(t, t + 30, 5, {2, 0, 3});
    for (cgi::CalItem span : {cgi::CalItem(), Item(t - 600, 0, 1, {1})}) {
        EXPECT_EQ(cgi::cal_data::Comp(&span, next), 0);
        EXPECT_EQ(span.SerializeAsString(), next.SerializeAsString());
    }
    cgi::CalItem empty;
    EXPECT_EQ(cgi::cal_data::Comp(&empty, Item(t, t + 30, 0, {1})), 0);
    EXPECT_EQ(empty.ByteSizeLong(), 0u);
}
