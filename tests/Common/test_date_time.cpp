#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

#include <QDateTime>

#include "Common/DateTime.h"

// Also run with TZ=Asia/Seoul (see CMakeLists.txt), where local dates differ from the
// DVR's wall clock for nine hours of every day.

namespace {

int utc(int y, int mo, int d, int h, int mi, int s)
{
    return static_cast<int>(QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC).toSecsSinceEpoch());
}

}  // namespace

TEST(DateTimeZone, SecondRunReallyUsesAnotherZone)
{
    const char* tz = std::getenv("TZ");
    if (!tz || std::strcmp(tz, "Asia/Seoul") != 0)
        GTEST_SKIP() << "only meaningful in the Asia/Seoul run";
    EXPECT_EQ(QDateTime::currentDateTime().offsetFromUtc(), 9 * 3600);
}

TEST(DateTime, DvrTimesReadAsTheDvrWallClock)
{
    const CDateTime epoch(0);
    EXPECT_EQ(epoch.getDate(), CDate(1970, 1, 1));
    EXPECT_EQ(epoch.getHour() + epoch.getMinute() + epoch.getSecond(), 0);
    EXPECT_EQ(CDateTime::convert_Timet_QDateTime(86399).toString(CDateTime::DISPLAY_TIME_FORMAT),
              QStringLiteral("1970-01-01  23:59:59"));
    EXPECT_EQ(CDateTime::convert_Timet_QDateTime(1000000000).toString(CDateTime::FILE_TIME_FORMAT),
              QStringLiteral("20010909_014640"));

    // 20:15 on New Year's Eve is already the next morning in Seoul.
    const CDateTime eve(utc(2019, 12, 31, 20, 15, 7));
    EXPECT_EQ(eve.getDate(), CDate(2019, 12, 31));
    EXPECT_EQ(eve.getHour(), 20);
    EXPECT_EQ(eve.getMinute(), 15);
    EXPECT_EQ(eve.getSecond(), 7);

    // The counter is unsigned 32-bit: -1 is its last second, past 2038 stays in order.
    EXPECT_EQ(CDateTime::convert_Timet_QDateTime(-1).toString(CDateTime::DISPLAY_TIME_FORMAT),
              QStringLiteral("2106-02-07  06:28:15"));
    EXPECT_EQ(CDateTime::convert_Timet_QDateTime(time_t(0x100000000LL) + 60).toSecsSinceEpoch(), 60);
    EXPECT_EQ(CDateTime(-1).getDate(), CDate(2106, 2, 7));
    EXPECT_EQ(CDateTime(static_cast<int>(0x80000000u + 86400u)).getDate(), CDate(2038, 1, 20));
}

TEST(DateTime, FieldsNameTheSameInstantAsTheDvrTime)
{
    EXPECT_EQ(CDateTime(2001, 9, 9, 1, 46, 40), CDateTime(1000000000));
    EXPECT_NE(CDateTime(2001, 9, 9, 1, 46, 41), CDateTime(1000000000));

    CDateTime set;
    set.setDateTime(2019, 12, 31, 23, 30, 0);
    EXPECT_EQ(set, CDateTime(utc(2019, 12, 31, 23, 30, 0)));
    EXPECT_EQ(set.getDate(), CDate(2019, 12, 31));

    set.setDateTime(86400);
    EXPECT_EQ(set.getDate(), CDate(1970, 1, 2));
    set.setDateTime(2001, 9, 9, 1, 46, 40);
    EXPECT_EQ(set, CDateTime(1000000000));

    EXPECT_EQ(CDateTime().getDate(), CDate(1970, 1, 1));
    EXPECT_NE(CDateTime(), CDateTime(0));  // no time yet
}

TEST(DateTime, DatesCompareFieldByField)
{
    CDate d;
    EXPECT_EQ(d, CDate(1970, 1, 1));
    d.setDate(2020, 13, -4);  // stored as given
    EXPECT_EQ(d.month, 13);
    EXPECT_EQ(d.day, -4);

    EXPECT_TRUE(CDate(2019, 12, 31) < CDate(2020, 1, 1));
    EXPECT_TRUE(CDate(2020, 1, 31) < CDate(2020, 2, 1));
    EXPECT_TRUE(CDate(2020, 2, 1) < CDate(2020, 2, 2));
    EXPECT_FALSE(CDate(2020, 2, 2) < CDate(2020, 2, 2));
    EXPECT_FALSE(CDate(2021, 1, 1) < CDate(2020, 12, 31));
}
