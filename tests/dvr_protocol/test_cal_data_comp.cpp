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
    it.mutable_record_reason()->Add(reasons.begin(), reasons.end());
    return it;
}

// An item starting in the minute after the span's end, with the same channels and reasons,
// extends the span; a span without a start or an end takes the item whole; an item without
// channels is ignored; anything else leaves the span as it is.
TEST(CalDataComp, MergeRule)
{
    const uint32_t t = 1600000800;  // a whole minute
    const uint32_t late = 0x80000000u + 20u;
    const uint32_t last = 0xFFFFFFFFu / 60u * 60u;  // rounding up past it must not wrap to 0
    const uint32_t whole = 1;                        // as end: the span becomes the item
    const cgi::CalItem item = Item(t, t + 30, 5, {2, 0, 3});
    struct Case { cgi::CalItem span, next; int result; uint32_t end; };
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
        {Item(t - 600, t + 59, 3, {1, 2}), Item(t + 60, t + 150, 0, {1, 2}), 0, t + 59},
        {cgi::CalItem(), item, 0, whole}, {Item(t - 600, 0, 1, {1}), item, 0, whole},
        {cgi::CalItem(), Item(t, t + 30, 0, {1}), 0, 0},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        cgi::CalItem span = c.span, expected = c.end == whole ? c.next : c.span;
        if (c.end != whole && c.end != expected.end_time())
            expected.set_end_time(c.end);
        EXPECT_EQ(cgi::cal_data::Comp(&span, c.next), c.result) << i;
        EXPECT_EQ(span.SerializeAsString(), expected.SerializeAsString()) << i;
    }
}
