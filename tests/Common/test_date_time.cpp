#include <cstdlib>

#include <gtest/gtest.h>

#include <QDateTime>

#include "Common/DateTime.h"

// Also run with TZ=Asia/Seoul (see CMakeLists.txt), where local dates differ from the
// DVR's wall clock for nine hours of every day.
TEST(DateTime, DvrTimesReadAsTheDvrWallClock)
{
    if (qEnvironmentVariable("TZ") == QLatin1String("Asia/Seoul"))
        ASSERT_EQ(QDateTime::currentDateTime().offsetFromUtc(), 9 * 3600);  // the second run is real
    // The counter is unsigned 32-bit: -1 is its last second, past 2038 stays in order.
    const struct { time_t dvr; const char* shown; } shown[] = {
        {86399, "1970-01-01  23:59:59"}, {-1, "2106-02-07  06:28:15"},
        {time_t(0x100000000LL) + 60, "1970-01-01  00:01:00"}};
    for (const auto& c : shown)
        EXPECT_EQ(CDateTime::convert_Timet_QDateTime(c.dvr).toString(CDateTime::DISPLAY_TIME_FORMAT), c.shown);
    EXPECT_EQ(CDateTime::convert_Timet_QDateTime(1000000000).toString(CDateTime::FILE_TIME_FORMAT),
              QStringLiteral("20010909_014640"));
    // 2019-12-31 20:15:07 UTC, already the next morning in Seoul.
    const CDateTime eve(1577823307);
    EXPECT_EQ(eve.getDate(), CDate(2019, 12, 31));
    EXPECT_EQ(eve.getHour() * 10000 + eve.getMinute() * 100 + eve.getSecond(), 201507);
    EXPECT_EQ(CDateTime(static_cast<int>(0x80000000u + 86400u)).getDate(), CDate(2038, 1, 20));
    // Fields name the same instant as the DVR time.
    EXPECT_EQ(CDateTime(2019, 12, 31, 20, 15, 7), eve);
    EXPECT_NE(CDateTime(2019, 12, 31, 20, 15, 8), eve);
    const CDate ordered[] = {{2019, 12, 31}, {2020, 1, 31}, {2020, 2, 1}, {2020, 2, 2}, {2020, 12, 1}};
    for (const CDate& a : ordered)
        for (const CDate& b : ordered)
            EXPECT_EQ(a < b, &a < &b) << a.year << "-" << a.month << "-" << a.day;
}
