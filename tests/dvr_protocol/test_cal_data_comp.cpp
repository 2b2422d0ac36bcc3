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

const uint32_t TEN = 1600000800;  // a whole minute

}  // namespace

TEST(CalDataComp, SpanInTheNextMinuteIsMergedAnythingElseIsNot)
{
    cgi::CalItem span = item(TEN - 600, TEN + 59, 0x3, {1, 2});
    EXPECT_EQ(cgi::cal_data::Comp(&span, item(TEN + 60, TEN + 100, 0x3, {1, 2})), 0);
    EXPECT_EQ(span.start_time(), TEN - 600);
    EXPECT_EQ(span.end_time(), TEN + 100);
    EXPECT_EQ(cgi::cal_data::Comp(&span, item(TEN + 130, TEN + 200, 0x3, {1, 2})), 0);  // mid-minute both
    EXPECT_EQ(span.end_time(), TEN + 200);

    const std::string before = span.SerializeAsString();
    EXPECT_EQ(cgi::cal_data::Comp(&span, item(TEN + 300, TEN + 350, 0x3, {1, 2})), -1);     // a minute left out
    EXPECT_EQ(cgi::cal_data::Comp(&span, item(TEN + 210, TEN + 350, 0x3, {1, 2})), -1);     // same minute
    EXPECT_EQ(cgi::cal_data::Comp(&span, item(TEN + 240, TEN + 350, 0x7, {1, 2})), -1);     // other channels
    EXPECT_EQ(cgi::cal_data::Comp(&span, item(TEN + 240, TEN + 350, 0x3, {1, 3})), -1);     // other kind
    EXPECT_EQ(cgi::cal_data::Comp(&span, item(TEN + 240, TEN + 350, 0x3, {1, 2, 0})), -1);  // longer list
    EXPECT_EQ(span.SerializeAsString(), before);
}

TEST(CalDataComp, EmptySpansAndEmptyItems)
{
    cgi::CalItem empty;
    EXPECT_EQ(cgi::cal_data::Comp(&empty, item(TEN, TEN + 30, 0, {1})), 0);  // no channels: ignored
    EXPECT_EQ(empty.SerializeAsString(), std::string());

    const cgi::CalItem next = item(TEN, TEN + 30, 0x5, {2, 0, 3});
    EXPECT_EQ(cgi::cal_data::Comp(&empty, next), 0);
    EXPECT_EQ(empty.SerializeAsString(), next.SerializeAsString());
    cgi::CalItem noEnd = item(TEN - 600, 0, 0x1, {1});
    EXPECT_EQ(cgi::cal_data::Comp(&noEnd, next), 0);
    EXPECT_EQ(noEnd.SerializeAsString(), next.SerializeAsString());
}

TEST(CalDataComp, TimesAfter2038AndAtTheEndOfTheCounter)
{
    const uint32_t late = 0x80000000u + 20u;  // past 2^31 seconds
    cgi::CalItem span = item(late - 300, late, 0x1, {1});
    EXPECT_EQ(cgi::cal_data::Comp(&span, item(late + 40, late + 70, 0x1, {1})), 0);
    EXPECT_EQ(span.end_time(), late + 70);

    // Rounding the last partial minute up must not wrap to 0.
    const uint32_t lastMinute = 0xFFFFFFFFu / 60u * 60u;
    cgi::CalItem end = item(lastMinute - 600, lastMinute - 30, 0x1, {2});
    EXPECT_EQ(cgi::cal_data::Comp(&end, item(lastMinute + 10, 0xFFFFFFFFu, 0x1, {2})), 0);
    EXPECT_EQ(end.end_time(), 0xFFFFFFFFu);
}
