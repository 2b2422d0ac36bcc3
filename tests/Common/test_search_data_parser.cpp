#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QDateTime>
#include <QtEndian>

#include "Common/QdxRecord.h"
#include "Common/SearchDataParser.h"
#include "cal_data.pb.h"

namespace {

uint32_t utc(int y, int mo, int d, int h, int mi, int s)
{
    return static_cast<uint32_t>(QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC).toSecsSinceEpoch());
}

const CDateHour kDay(int y, int mo, int d, int h)
{
    return CDateHour(CDate(y, mo, d), h);
}

std::string serialized(const cgi::CalData& cal)
{
    std::string bytes;
    cal.SerializeToString(&bytes);
    return bytes;
}

cgi::CalItem* addItem(cgi::CalData* cal, uint32_t start, uint32_t end, uint32_t mask,
                      std::initializer_list<uint32_t> reasons)
{
    cgi::CalItem* item = cal->add_items();
    item->set_start_time(start);
    item->set_end_time(end);
    item->set_record_chmask(mask);
    for (uint32_t r : reasons)
        item->add_record_reason(r);
    return item;
}

void parse(CSearchDataParser* parser, const cgi::CalData& cal)
{
    const std::string bytes = serialized(cal);
    parser->setNetData(bytes.data(), static_cast<int>(bytes.size()));
}

unsigned char cell(const CSearchDataParser& parser, const CDateHour& key, int ch, int min)
{
    const auto it = parser.getMinData().find(key);
    if (it == parser.getMinData().end())
        return 0xEE;  // no grid at all
    return it->second.GetData(ch)[min];
}

struct OldRecord {
    int32_t start;
    int32_t end;
    uint32_t mask;
    unsigned char codes[16];
};

void appendOld(std::string* out, const OldRecord& r)
{
    char rec[32] = {};
    qToBigEndian<qint32>(r.start, rec);
    qToBigEndian<qint32>(r.end, rec + 4);
    qToBigEndian<quint32>(0xA5A5A5A5u, rec + 8);
    qToBigEndian<quint32>(r.mask, rec + 12);
    for (int i = 0; i < 16; ++i)
        rec[16 + i] = static_cast<char>(r.codes[i]);
    out->append(rec, sizeof(rec));
}

std::string qdxRecords(const std::vector<QdxMinuteRecord>& records)
{
    return std::string(reinterpret_cast<const char*>(records.data()), records.size() * sizeof(QdxMinuteRecord));
}

QdxMinuteRecord qdx(uint32_t start, uint32_t mask, std::initializer_list<uint8_t> reasons)
{
    QdxMinuteRecord r{};
    r.start_time = qToLittleEndian(start);
    r.end_time = qToLittleEndian(start + 59);
    r.record_chmask = qToLittleEndian(mask);
    int i = 0;
    for (uint8_t v : reasons)
        r.record_reason[i++] = v;
    return r;
}

}  // namespace

TEST(SearchDataParser, ItemMarksEveryMinuteItTouches)
{
    CSearchDataParser parser(false);
    cgi::CalData cal;
    cal.set_dvr_time(utc(2020, 5, 17, 12, 0, 0));
    addItem(&cal, utc(2020, 5, 17, 10, 0, 30), utc(2020, 5, 17, 10, 2, 10), 0x5, {1, 0, 2});
    parse(&parser, cal);

    const CDateHour ten = kDay(2020, 5, 17, 10);
    for (int m = 0; m < 3; ++m) {
        EXPECT_EQ(cell(parser, ten, 0, m), 1) << m;
        EXPECT_EQ(cell(parser, ten, 1, m), 0) << m;
        EXPECT_EQ(cell(parser, ten, 2, m), 2) << m;
    }
    EXPECT_EQ(cell(parser, ten, 0, 3), 0);
    EXPECT_EQ(parser.getMinData().size(), 1u);
    EXPECT_EQ(parser.getDvrTime(), static_cast<int>(utc(2020, 5, 17, 12, 0, 0)));
}

TEST(SearchDataParser, ChannelsWithoutAReasonAndHighBitsAreLeftAlone)
{
    CSearchDataParser parser(false);
    cgi::CalData cal;
    const uint32_t t = utc(2020, 5, 17, 10, 0, 0);
    addItem(&cal, t, t + 59, 0x20 | 0x1, {3, 1, 1});  // channel 5 has no entry
    // Only the low byte of a reason is a kind; channel 16 does not exist.
    std::vector<uint32_t> reasons(17, 0x102);
    cgi::CalItem* wide = addItem(&cal, t + 120, t + 179, 0xFFFFFFFFu, {});
    for (uint32_t r : reasons)
        wide->add_record_reason(r);
    parse(&parser, cal);

    const CDateHour key = kDay(2020, 5, 17, 10);
    EXPECT_EQ(cell(parser, key, 0, 0), 3);
    EXPECT_EQ(cell(parser, key, 5, 0), 0);
    for (int c = 0; c < MAX_DVR_CHANNEL; ++c)
        EXPECT_EQ(cell(parser, key, c, 2), 2) << c;
}

TEST(SearchDataParser, SpansCrossHoursAndDatesOnTheDvrClock)
{
    CSearchDataParser parser(false);
    cgi::CalData cal;
    addItem(&cal, utc(2021, 12, 31, 23, 58, 0), utc(2022, 1, 1, 0, 1, 59), 0x8000, {0, 0, 0, 0, 0, 0, 0, 0,
                                                                                     0, 0, 0, 0, 0, 0, 0, 3});
    parse(&parser, cal);

    const CDateHour lastHour = kDay(2021, 12, 31, 23);
    const CDateHour firstHour = kDay(2022, 1, 1, 0);
    ASSERT_EQ(parser.getMinData().size(), 2u);
    EXPECT_EQ(cell(parser, lastHour, 15, 57), 0);
    EXPECT_EQ(cell(parser, lastHour, 15, 58), 3);
    EXPECT_EQ(cell(parser, lastHour, 15, 59), 3);
    EXPECT_EQ(cell(parser, firstHour, 15, 0), 3);
    EXPECT_EQ(cell(parser, firstHour, 15, 1), 3);
    EXPECT_EQ(cell(parser, firstHour, 15, 2), 0);

    const CSearchDataParser::HourSet expected = {lastHour, firstHour};
    EXPECT_EQ(parser.getHourSet(), expected);
}

TEST(SearchDataParser, HourSetFollowsTheReplyVersion)
{
    cgi::CalData cal;
    addItem(&cal, utc(2020, 2, 29, 7, 10, 0), utc(2020, 2, 29, 8, 5, 0), 1, {1});

    CSearchDataParser parser(false);
    parse(&parser, cal);
    const CSearchDataParser::HourSet fromItems = {kDay(2020, 2, 29, 7), kDay(2020, 2, 29, 8)};
    EXPECT_EQ(parser.getHourSet(), fromItems);

    cal.set_version(1);
    parse(&parser, cal);
    EXPECT_TRUE(parser.getHourSet().empty());
    EXPECT_EQ(parser.getMinData().size(), 2u);

    cgi::CalHourItem* h = cal.add_hours();
    h->set_year(2020);
    h->set_mon(3);
    h->set_mday(1);
    h->set_hour(22);
    parse(&parser, cal);
    const CSearchDataParser::HourSet listed = {kDay(2020, 3, 1, 22)};
    EXPECT_EQ(parser.getHourSet(), listed);
}

TEST(SearchDataParser, BogusSpansAreSkippedOrCut)
{
    CSearchDataParser parser(false);
    cgi::CalData cal;
    const uint32_t t = utc(2020, 5, 17, 10, 0, 0);
    addItem(&cal, t + 600, t, 1, {1});  // ends before it starts
    parse(&parser, cal);
    EXPECT_TRUE(parser.getMinData().empty());
    EXPECT_TRUE(parser.getHourSet().empty());

    // The whole counter range: cut to a month from its start.
    cal.Clear();
    addItem(&cal, 0, 0xFFFFFFFFu, 1, {2});
    parse(&parser, cal);
    EXPECT_EQ(parser.getMinData().size(), static_cast<size_t>(31 * 24));
    EXPECT_EQ(cell(parser, kDay(1970, 1, 31, 23), 0, 59), 2);
    EXPECT_EQ(parser.getMinData().count(kDay(1970, 2, 1, 0)), 0u);

    // The last minutes before the counter wraps are read, not lost to an overflow.
    cal.Clear();
    addItem(&cal, 0xFFFFFF00u, 0xFFFFFFFFu, 1, {3});
    parse(&parser, cal);
    const CDateHour last = kDay(2106, 2, 7, 6);
    EXPECT_EQ(cell(parser, last, 0, 23), 0);
    EXPECT_EQ(cell(parser, last, 0, 24), 3);
    EXPECT_EQ(cell(parser, last, 0, 28), 3);
    EXPECT_EQ(cell(parser, last, 0, 29), 0);
}

TEST(SearchDataParser, ManyLongSpansCannotGrowWithoutBound)
{
    CSearchDataParser parser(false);
    cgi::CalData cal;
    // Twenty months far apart, each a month long: more hours than any search covers.
    for (int i = 0; i < 20; ++i) {
        const uint32_t start = utc(2000 + i, 1, 1, 0, 0, 0);
        addItem(&cal, start, start + 40u * 24u * 3600u, 0, {});
    }
    parse(&parser, cal);
    EXPECT_EQ(parser.getMinData().size(), static_cast<size_t>(CSearchDataParser::MAX_NET_HOURS));
    EXPECT_EQ(parser.getHourSet().size(), parser.getMinData().size());

    // Old DVRs report single minutes; spread over more hours than a year they stop there too.
    std::string bytes;
    appendOld(&bytes, {1, 0, 0, {}});
    for (int h = 0; h < CSearchDataParser::MAX_NET_HOURS + 100; ++h)
        appendOld(&bytes, {1000000000 + 3600 * h, 1000000000 + 3600 * h + 5, 1, {1}});
    CSearchDataParser old(true);
    old.setNetData(bytes.data(), static_cast<int>(bytes.size()));
    EXPECT_EQ(old.getMinData().size(), static_cast<size_t>(CSearchDataParser::MAX_NET_HOURS));
}

TEST(SearchDataParser, AYearIsReadWholeButAFloodStopsEarly)
{
    // Every hour of a leap year on every channel, one item per hour.
    CSearchDataParser parser(false);
    cgi::CalData cal;
    const uint32_t newYear = utc(2020, 1, 1, 0, 0, 0);
    const int hours = 366 * 24;
    for (int h = 0; h < hours; ++h) {
        const uint32_t start = newYear + 3600u * h;
        cgi::CalItem* item = addItem(&cal, start, start + 3599, 0xFFFF, {});
        for (int c = 0; c < 16; ++c)
            item->add_record_reason(1 + (h + c) % 3);
    }
    parse(&parser, cal);
    ASSERT_EQ(parser.getMinData().size(), static_cast<size_t>(hours));
    EXPECT_EQ(cell(parser, kDay(2020, 12, 31, 23), 15, 59), 1 + (hours - 1 + 15) % 3);
    EXPECT_EQ(cell(parser, kDay(2020, 12, 31, 23), 0, 0), 1 + (hours - 1) % 3);

    // The same month over and over: read only until the work allowed is used up.
    cal.Clear();
    const uint32_t may = utc(2020, 5, 1, 0, 0, 0);
    for (int i = 0; i < 500; ++i) {
        cgi::CalItem* item = addItem(&cal, may, may + 31u * 86400u - 1, 0xFFFF, {});
        for (int c = 0; c < 16; ++c)
            item->add_record_reason(i < 400 ? 1 : 2);
    }
    parse(&parser, cal);
    EXPECT_EQ(parser.getMinData().size(), static_cast<size_t>(31 * 24));
    EXPECT_EQ(cell(parser, kDay(2020, 5, 31, 23), 15, 59), 1);
}

TEST(SearchDataParser, UnreadableReplyLeavesNothingAndTheClockRunning)
{
    CSearchDataParser parser(false);
    cgi::CalData cal;
    cal.set_dvr_time(123456);
    addItem(&cal, utc(2020, 5, 17, 10, 0, 0), utc(2020, 5, 17, 10, 0, 59), 1, {1});
    parse(&parser, cal);
    ASSERT_FALSE(parser.getMinData().empty());
    parser.getData();

    const char garbage[] = "\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\x01";
    parser.setNetData(garbage, sizeof(garbage) - 1);
    EXPECT_TRUE(parser.getMinData().empty());
    EXPECT_TRUE(parser.getHourSet().empty());
    EXPECT_TRUE(parser.getData().empty());

    const std::time_t before = std::time(nullptr);
    const int first = parser.getDvrTime();
    const std::time_t after = std::time(nullptr);
    EXPECT_GE(first, static_cast<int>(before));
    EXPECT_LE(first, static_cast<int>(after));
    EXPECT_EQ(parser.getDvrTime(), first);

    // A reply without a DVR time parses but also falls back to the clock.
    parser.setNetData(nullptr, 0);
    EXPECT_NE(parser.getDvrTime(), 0);
    cal.clear_dvr_time();
    parse(&parser, cal);
    EXPECT_FALSE(parser.getMinData().empty());
    EXPECT_GE(parser.getDvrTime(), static_cast<int>(before));
}

TEST(SearchDataParser, OldProtocolRecords)
{
    std::string bytes;
    const int32_t dvrNow = static_cast<int32_t>(utc(2020, 5, 17, 12, 0, 0));
    appendOld(&bytes, {dvrNow, 0, 0, {}});
    const int32_t base = 1000;  // 1970-01-01 00:16:40
    appendOld(&bytes, {base, base + 59, 0x0F, {0, 1, 2, 3}});         // kept: codes 0,1,2,3 -> 1,2,3,1
    appendOld(&bytes, {base + 120, base + 180, 0x1, {1}});             // 60 s or more: skipped
    appendOld(&bytes, {base + 240, base + 230, 0x1, {1}});             // backwards: skipped
    appendOld(&bytes, {0, 10, 0x1, {1}});                               // no start: skipped
    appendOld(&bytes, {base + 300, base + 301, 0x30001, {4, 0, 0, 0, 2, 1}});  // code 4 and bit 16 ignored
    appendOld(&bytes, {-1, -1, 255, {}});                               // end of the list
    appendOld(&bytes, {base + 360, base + 361, 0x1, {1}});              // after the end: not read
    bytes.append(20, '\0');                                              // a trailing part

    CSearchDataParser parser(true);
    parser.setNetData(bytes.data(), static_cast<int>(bytes.size()));

    EXPECT_EQ(parser.getDvrTime(), dvrNow);
    const CDateHour key = kDay(1970, 1, 1, 0);
    ASSERT_EQ(parser.getMinData().size(), 1u);
    EXPECT_EQ(cell(parser, key, 0, 16), 1);
    EXPECT_EQ(cell(parser, key, 1, 16), 2);
    EXPECT_EQ(cell(parser, key, 2, 16), 3);
    EXPECT_EQ(cell(parser, key, 3, 16), 1);
    EXPECT_EQ(cell(parser, key, 0, 18), 0);
    EXPECT_EQ(cell(parser, key, 0, 20), 0);
    EXPECT_EQ(cell(parser, key, 0, 21), 0);  // code 4
    EXPECT_EQ(cell(parser, key, 4, 21), 0);  // mask bit clear
    EXPECT_EQ(cell(parser, key, 0, 22), 0);
    const CSearchDataParser::HourSet expected = {key};
    EXPECT_EQ(parser.getHourSet(), expected);
}

TEST(SearchDataParser, OldProtocolShortReplies)
{
    CSearchDataParser parser(true);
    std::string bytes;
    appendOld(&bytes, {5000, 0, 0, {}});
    parser.setNetData(bytes.data(), 31);  // not one whole record
    EXPECT_NE(parser.getDvrTime(), 5000);
    parser.setNetData(bytes.data(), 32);
    EXPECT_EQ(parser.getDvrTime(), 5000);
    EXPECT_TRUE(parser.getMinData().empty());
}

TEST(SearchDataParser, LocalRecordsAddUp)
{
    CSearchDataParser parser(false);
    const uint32_t t = utc(2019, 12, 31, 22, 5, 0);
    const std::string first = qdxRecords({qdx(t, 0x3, {1, 0x06}), qdx(t + 60, 0x1, {3})});
    parser.setLocalData(first.data(), 75);
    EXPECT_TRUE(parser.getMinData().empty());
    parser.setLocalData(nullptr, 152);
    EXPECT_TRUE(parser.getMinData().empty());

    parser.setLocalData(first.data(), 100);  // one whole record
    const CDateHour key = kDay(2019, 12, 31, 22);
    EXPECT_EQ(cell(parser, key, 0, 5), 1);
    EXPECT_EQ(cell(parser, key, 1, 5), 2);  // bits 0-1 only
    EXPECT_EQ(cell(parser, key, 0, 6), 0);
    EXPECT_EQ(parser.getDvrTime(), static_cast<int>(t));

    // A second file adds to the first; the DVR time stays the first one seen.
    const std::string second = qdxRecords({qdx(t + 3600, 0x8000, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2})});
    parser.setLocalData(second.data(), static_cast<int>(second.size()));
    parser.setLocalData(first.data(), static_cast<int>(first.size()));
    EXPECT_EQ(cell(parser, key, 0, 6), 3);
    EXPECT_EQ(cell(parser, kDay(2019, 12, 31, 23), 15, 5), 2);
    EXPECT_EQ(parser.getDvrTime(), static_cast<int>(t));
    const CSearchDataParser::HourSet expected = {key, kDay(2019, 12, 31, 23)};
    EXPECT_EQ(parser.getHourSet(), expected);

    parser.clear();
    EXPECT_TRUE(parser.getMinData().empty());
    EXPECT_TRUE(parser.getHourSet().empty());
}

TEST(SearchDataParser, TimeLinesCopyTheGridsOfTheirDate)
{
    CSearchDataParser parser(false);
    cgi::CalData cal;
    addItem(&cal, utc(2020, 5, 17, 0, 0, 0), utc(2020, 5, 17, 0, 0, 59), 0x1, {1});
    addItem(&cal, utc(2020, 5, 17, 23, 59, 0), utc(2020, 5, 18, 0, 0, 30), 0x4, {0, 0, 2});
    parse(&parser, cal);

    const CSearchDataParser::TimeLineMap& lines = parser.getData();
    ASSERT_EQ(lines.size(), 2u);
    const _TIMELINE_DATA& day = lines.at(CDate(2020, 5, 17));
    EXPECT_EQ(day.data[0][0][0], 1u);
    EXPECT_EQ(day.data[0][0][1], 0u);
    EXPECT_EQ(day.data[2][23][59], 2u);
    EXPECT_EQ(day.data[2][23][58], 0u);
    EXPECT_EQ(lines.at(CDate(2020, 5, 18)).data[2][0][0], 2u);

    unsigned long total = 0;
    for (int c = 0; c < MAX_DVR_CHANNEL; ++c)
        for (int h = 0; h < HOURS_OF_DAY; ++h)
            for (int m = 0; m < MINS_OF_HOUR; ++m)
                total += day.data[c][h][m];
    EXPECT_EQ(total, 3u);

    // Local data added later shows up at the next call; nothing is forgotten in between.
    const std::string more = qdxRecords({qdx(utc(2020, 5, 17, 12, 30, 0), 0x2, {0, 3})});
    parser.setLocalData(more.data(), static_cast<int>(more.size()));
    EXPECT_EQ(parser.getData().at(CDate(2020, 5, 17)).data[1][12][30], 3u);
    EXPECT_EQ(parser.getData().at(CDate(2020, 5, 17)).data[0][0][0], 1u);
}

TEST(SearchDataParser, GridsAndKeysHoldTheirShape)
{
    CMinData grid;
    for (int c = 0; c < MAX_DVR_CHANNEL; ++c)
        for (int m = 0; m < MINS_OF_HOUR; ++m)
            ASSERT_EQ(grid.GetData(c)[m], 0);
    grid.SetData(15, 59, 3);
    grid.SetData(0, 0, 1);
    EXPECT_EQ(grid.GetData(15)[59], 3);
    EXPECT_EQ(grid.GetData(0)[0], 1);
    EXPECT_EQ(grid.GetData(14)[59], 0);
    EXPECT_FALSE(grid == CMinData());

    grid.SetData(7, 58, 60, 2);
    grid.SetData(7, 0, 2, 1);
    grid.SetData(7, 30, 30, 3);  // empty range
    EXPECT_EQ(grid.GetData(7)[0], 1);
    EXPECT_EQ(grid.GetData(7)[1], 1);
    EXPECT_EQ(grid.GetData(7)[2], 0);
    EXPECT_EQ(grid.GetData(7)[30], 0);
    EXPECT_EQ(grid.GetData(7)[57], 0);
    EXPECT_EQ(grid.GetData(7)[58], 2);
    EXPECT_EQ(grid.GetData(7)[59], 2);
    EXPECT_EQ(grid.GetData(8)[0], 0);

    const CDateHourCompareLess less;
    EXPECT_TRUE(less(kDay(2020, 1, 31, 23), kDay(2020, 2, 1, 0)));
    EXPECT_TRUE(less(kDay(2020, 2, 1, 0), kDay(2020, 2, 1, 1)));
    EXPECT_FALSE(less(kDay(2020, 2, 1, 1), kDay(2020, 2, 1, 1)));
    EXPECT_FALSE(less(kDay(2021, 1, 1, 0), kDay(2020, 12, 31, 23)));
}
