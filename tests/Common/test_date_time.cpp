#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

#include <QDateTime>

#include "Common/DateTime.h"

// These run twice (see CMakeLists.txt): with the machine's zone and with TZ=Asia/Seoul, where
// local dates differ from the DVR's wall clock for nine hours of every day.

namespace {

qint64 utcSeconds(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC).toSecsSinceEpoch();
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
    EXPECT_EQ(epoch.getHour(), 0);
    EXPECT_EQ(epoch.getMinute(), 0);
    EXPECT_EQ(epoch.getSecond(), 0);

    EXPECT_EQ(CDateTime::convert_Timet_QDateTime(86399).toString(CDateTime::DISPLAY_TIME_FORMAT),
              QStringLiteral("1970-01-01  23:59:59"));
    EXPECT_EQ(CDateTime::convert_Timet_QDateTime(1000000000).toString(CDateTime::FILE_TIME_FORMAT),
              QStringLiteral("20010909_014640"));

    // 20:00 on New Year's Eve is already the next morning in Seoul.
    const int evening = static_cast<int>(utcSeconds(2019, 12, 31, 20, 15, 7));
    const CDateTime dt(evening);
    EXPECT_EQ(dt.getDate(), CDate(2019, 12, 31));
    EXPECT_EQ(dt.getHour(), 20);
    EXPECT_EQ(dt.getMinute(), 15);
    EXPECT_EQ(dt.getSecond(), 7);
}

TEST(DateTime, NegativeDvrTimesCountAsUnsigned)
{
    EXPECT_EQ(CDateTime::convert_Timet_QDateTime(-1).toString(CDateTime::DISPLAY_TIME_FORMAT),
              QStringLiteral("2106-02-07  06:28:15"));
    // time_t is wider than the DVR's counter: only its low 32 bits count.
    EXPECT_EQ(CDateTime::convert_Timet_QDateTime(time_t(0x100000000LL) + 60).toSecsSinceEpoch(), 60);

    const CDateTime wrapped(-1);
    EXPECT_EQ(wrapped.getDate(), CDate(2106, 2, 7));
    EXPECT_EQ(wrapped.getHour(), 6);

    // Past 2038 the signed value is negative.
    const CDateTime late(static_cast<int>(static_cast<unsigned int>(utcSeconds(2040, 6, 1, 12, 0, 0))));
    EXPECT_EQ(late.getDate(), CDate(2040, 6, 1));
    EXPECT_EQ(late.getHour(), 12);
}

TEST(DateTime, FieldsNameTheSameInstantAsTheDvrTime)
{
    const int t = 1000000000;  // 2001-09-09 01:46:40
    EXPECT_EQ(CDateTime(2001, 9, 9, 1, 46, 40), CDateTime(t));
    EXPECT_NE(CDateTime(2001, 9, 9, 1, 46, 41), CDateTime(t));

    CDateTime set;
    set.setDateTime(2001, 9, 9, 1, 46, 40);
    EXPECT_EQ(set, CDateTime(t));
    EXPECT_EQ(set.getDate(), CDate(2001, 9, 9));

    // A value first set from a DVR time and then from fields keeps reading UTC fields.
    CDateTime reused(0);
    reused.setDateTime(2019, 12, 31, 23, 30, 0);
    EXPECT_EQ(reused, CDateTime(static_cast<int>(utcSeconds(2019, 12, 31, 23, 30, 0))));
    EXPECT_EQ(reused.getHour(), 23);

    reused.setDateTime(86400);
    EXPECT_EQ(reused.getDate(), CDate(1970, 1, 2));
    EXPECT_EQ(reused.getHour(), 0);
}

TEST(DateTime, DefaultAndEquality)
{
    const CDateTime none;
    EXPECT_EQ(none.getDate(), CDate(1970, 1, 1));
    EXPECT_EQ(none, CDateTime());
    EXPECT_NE(none, CDateTime(0));

    EXPECT_EQ(CDate(), CDate(1970, 1, 1));
    CDate d;
    d.setDate(2020, 13, -4);  // stored as given
    EXPECT_EQ(d.year, 2020);
    EXPECT_EQ(d.month, 13);
    EXPECT_EQ(d.day, -4);
    EXPECT_NE(CDate(2020, 1, 2), CDate(2020, 2, 1));
}

TEST(DateTime, DatesOrderByYearThenMonthThenDay)
{
    EXPECT_TRUE(CDate(2019, 12, 31) < CDate(2020, 1, 1));
    EXPECT_TRUE(CDate(2020, 1, 31) < CDate(2020, 2, 1));
    EXPECT_TRUE(CDate(2020, 2, 1) < CDate(2020, 2, 2));
    EXPECT_FALSE(CDate(2020, 2, 2) < CDate(2020, 2, 2));
    EXPECT_FALSE(CDate(2020, 3, 1) < CDate(2020, 2, 28));
    EXPECT_FALSE(CDate(2021, 1, 1) < CDate(2020, 12, 31));
}
