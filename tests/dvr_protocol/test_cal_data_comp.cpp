#include <cstdint>

#include <gtest/gtest.h>

#include "cal_data.pb.h"
#include "dvr_protocol/cal_data_comp.h"

namespace {

cgi::CalItem item(uint32_t start, uint32_t end, uint32_t mask, std::initializer_list<uint32_t> reasons)
{
    cgi::CalItem it;
    it.set_start_time(start);
    it.set_end_time(end);
    it.set_record_chmask(mask);
    for (uint32_t r : reasons)
        it.add_record_reason(r);
    return it;
}

const uint32_t TEN = 1600000800;  // a whole minute: 2020-09-13 12:40:00

}  // namespace

TEST(CalDataComp, SpanInTheNextMinuteIsMerged)
{
    cgi::CalItem span = item(TEN - 600, TEN + 59, 0x3, {1, 2});
    EXPECT_EQ(cgi::cal_data::Comp(&span, item(TEN + 60, TEN + 100, 0x3, {1, 2})), 0);
    EXPECT_EQ(span.start_time(), TEN - 600);
    EXPECT_EQ(span.end_time(), TEN + 100u);

    // Mid-minute end, mid-minute start of the minute after.
    EXPECT_EQ(cgi::cal_data::Comp(&span, item(TEN + 130, TEN + 200, 0x3, {1, 2})), 0);
    EXPECT_EQ(span.end_time(), TEN + 200u);
}

TEST(CalDataComp, GapsAndDifferencesAreNotMerged)
{
    const cgi::CalItem original = item(TEN - 600, TEN + 59, 0x3, {1, 2});
    cgi::CalItem span = original;

    EXPECT_EQ(cgi::cal_data::Comp(&span, item(TEN + 120, TEN + 150, 0x3, {1, 2})), -1);   // a minute left out
    EXPECT_EQ(cgi::cal_data::Comp(&span, item(TEN + 60, TEN + 150, 0x7, {1, 2})), -1);    // other channels
    EXPECT_EQ(cgi::cal_data::Comp(&span, item(TEN + 60, TEN + 150, 0x3, {1, 3})), -1);    // other kind
    EXPECT_EQ(cgi::cal_data::Comp(&span, item(TEN + 60, TEN + 150, 0x3, {1, 2, 0})), -1); // longer list
    EXPECT_EQ(cgi::cal_data::Comp(&span, item(TEN + 30, TEN + 150, 0x3, {1, 2})), -1);    // same minute
    EXPECT_EQ(cgi::cal_data::Comp(&span, item(TEN - 60, TEN + 150, 0x3, {1, 2})), -1);    // overlaps back
    EXPECT_EQ(span.SerializeAsString(), original.SerializeAsString());
}

TEST(CalDataComp, EmptySpansAndEmptyItems)
{
    // An item without channels is ignored, even by an empty span.
    cgi::CalItem empty;
    EXPECT_EQ(cgi::cal_data::Comp(&empty, item(TEN, TEN + 30, 0, {1})), 0);
    EXPECT_EQ(empty.SerializeAsString(), cgi::CalItem().SerializeAsString());

    // A span without a start or an end takes the next item whole.
    const cgi::CalItem next = item(TEN, TEN + 30, 0x5, {2, 0, 3});
    EXPECT_EQ(cgi::cal_data::Comp(&empty, next), 0);
    EXPECT_EQ(empty.SerializeAsString(), next.SerializeAsString());

    cgi::CalItem noEnd = item(TEN - 600, 0, 0x1, {1});
    EXPECT_EQ(cgi::cal_data::Comp(&noEnd, next), 0);
    EXPECT_EQ(noEnd.SerializeAsString(), next.SerializeAsString());

    cgi::CalItem span = item(TEN - 600, TEN + 59, 0x5, {2, 0, 3});
    EXPECT_EQ(cgi::cal_data::Comp(&span, item(TEN + 60, TEN + 90, 0, {})), 0);
    EXPECT_EQ(span.end_time(), TEN + 59);
}

TEST(CalDataComp, TimesAfter2038AndAtTheEndOfTheCounter)
{
    // Past 2^31 seconds the times are still plain counts.
    const uint32_t late = 0x80000000u + 20u;  // 2038-01-19 03:14:28
    cgi::CalItem span = item(late - 300, late, 0x1, {1});
    EXPECT_EQ(cgi::cal_data::Comp(&span, item(late + 40, late + 70, 0x1, {1})), 0);
    EXPECT_EQ(span.end_time(), late + 70);

    // Rounding the last partial minute up must not wrap to 0.
    const uint32_t lastMinute = 0xFFFFFFFFu / 60u * 60u;
    cgi::CalItem end = item(lastMinute - 600, lastMinute - 1, 0x1, {2});
    EXPECT_EQ(cgi::cal_data::Comp(&end, item(lastMinute, 0xFFFFFFFFu, 0x1, {2})), 0);
    EXPECT_EQ(end.end_time(), 0xFFFFFFFFu);
    cgi::CalItem before = item(lastMinute - 600, lastMinute - 30, 0x1, {2});
    EXPECT_EQ(cgi::cal_data::Comp(&before, item(lastMinute + 10, 0xFFFFFFFFu, 0x1, {2})), 0);
    EXPECT_EQ(before.end_time(), 0xFFFFFFFFu);
}
