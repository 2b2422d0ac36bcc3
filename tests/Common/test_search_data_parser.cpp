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

CDateHour at(int y, int mo, int d, int h)
{
    return CDateHour(CDate(y, mo, d), h);
}

cgi::CalItem* addItem(cgi::CalData* cal, uint32_t start, uint32_t end, uint32_t mask,
                      std::vector<uint32_t> reasons)
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
    const std::string bytes = cal.SerializeAsString();
    parser->setNetData(bytes.data(), static_cast<int>(bytes.size()));
}

// 0xEE: no grid for that hour at all.
int cell(const CSearchDataParser& parser, const CDateHour& key, int ch, int min)
{
    const auto it = parser.getMinData().find(key);
    return it == parser.getMinData().end() ? 0xEE : it->second.GetData(ch)[min];
}

void appendOld(std::string* out, int32_t start, int32_t end, uint32_t mask, std::vector<unsigned char> codes)
{
    char rec[32] = {};
    qToBigEndian<qint32>(start, rec);
    qToBigEndian<qint32>(end, rec + 4);
    qToBigEndian<quint32>(mask, rec + 12);
    for (size_t i = 0; i < codes.size(); ++i)
        rec[16 + i] = static_cast<char>(codes[i]);
    out->append(rec, sizeof(rec));
}

std::string qdx(uint32_t start, uint32_t mask, std::vector<uint8_t> reasons)
{
    QdxMinuteRecord r{};
    r.start_time = qToLittleEndian(start);
    r.record_chmask = qToLittleEndian(mask);
    for (size_t i = 0; i < reasons.size(); ++i)
        r.record_reason[i] = reasons[i];
    return std::string(reinterpret_cast<const char*>(&r), sizeof(r));
}

}  // namespace

TEST(SearchDataParser, SpansMarkEveryMinuteTheyTouch)
{
    CSearchDataParser parser(false);
    cgi::CalData cal;
    cal.set_dvr_time(utc(2020, 5, 17, 12, 0, 0));
    addItem(&cal, utc(2020, 5, 17, 10, 0, 30), utc(2020, 5, 17, 10, 2, 10), 0x25, {1, 0, 2});
    // Only the low byte of a reason is a kind; there is no channel 16.
    addItem(&cal, utc(2020, 5, 17, 10, 5, 0), utc(2020, 5, 17, 10, 5, 59), 0xFFFFFFFF,
            std::vector<uint32_t>(17, 0x103));
    addItem(&cal, utc(2021, 12, 31, 23, 58, 0), utc(2022, 1, 1, 0, 1, 59), 0x8000, std::vector<uint32_t>(16, 2));
    parse(&parser, cal);

    const CDateHour ten = at(2020, 5, 17, 10);
    for (int m = 0; m < 3; ++m) {
        EXPECT_EQ(cell(parser, ten, 0, m), 1);
        EXPECT_EQ(cell(parser, ten, 1, m), 0);
        EXPECT_EQ(cell(parser, ten, 2, m), 2);
        EXPECT_EQ(cell(parser, ten, 5, m), 0);  // bit set, but no reason for it
    }
    EXPECT_EQ(cell(parser, ten, 0, 3), 0);
    EXPECT_EQ(cell(parser, ten, 15, 5), 3);

    const CDateHour lastHour = at(2021, 12, 31, 23);
    const CDateHour firstHour = at(2022, 1, 1, 0);
    EXPECT_EQ(cell(parser, lastHour, 15, 57), 0);
    EXPECT_EQ(cell(parser, lastHour, 15, 58), 2);
    EXPECT_EQ(cell(parser, firstHour, 15, 1), 2);
    EXPECT_EQ(cell(parser, firstHour, 15, 2), 0);
    EXPECT_EQ(parser.getHourSet(), CSearchDataParser::HourSet({ten, lastHour, firstHour}));
    EXPECT_EQ(parser.getDvrTime(), static_cast<int>(utc(2020, 5, 17, 12, 0, 0)));
}

TEST(SearchDataParser, HourSetFollowsTheReplyVersion)
{
    cgi::CalData cal;
    addItem(&cal, utc(2020, 2, 29, 7, 10, 0), utc(2020, 2, 29, 8, 5, 0), 1, {1});
    CSearchDataParser parser(false);
    parse(&parser, cal);
    EXPECT_EQ(parser.getHourSet(), CSearchDataParser::HourSet({at(2020, 2, 29, 7), at(2020, 2, 29, 8)}));

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
    EXPECT_EQ(parser.getHourSet(), CSearchDataParser::HourSet({at(2020, 3, 1, 22)}));
}

TEST(SearchDataParser, BogusSpansAreSkippedOrCut)
{
    CSearchDataParser parser(false);
    cgi::CalData cal;
    addItem(&cal, 1000000600, 1000000000, 1, {1});  // ends before it starts
    parse(&parser, cal);
    EXPECT_TRUE(parser.getMinData().empty());

    // The whole counter range: cut to a month from its start.
    cal.Clear();
    addItem(&cal, 0, 0xFFFFFFFFu, 1, {2});
    parse(&parser, cal);
    EXPECT_EQ(parser.getMinData().size(), static_cast<size_t>(31 * 24));
    EXPECT_EQ(cell(parser, at(1970, 1, 31, 23), 0, 59), 2);
    EXPECT_EQ(cell(parser, at(1970, 2, 1, 0), 0, 0), 0xEE);

    // The last minutes before the counter wraps are read, not lost to an overflow.
    cal.Clear();
    addItem(&cal, 0xFFFFFF00u, 0xFFFFFFFFu, 1, {3});
    parse(&parser, cal);
    const CDateHour last = at(2106, 2, 7, 6);
    EXPECT_EQ(cell(parser, last, 0, 23), 0);
    EXPECT_EQ(cell(parser, last, 0, 24), 3);
    EXPECT_EQ(cell(parser, last, 0, 28), 3);
}

TEST(SearchDataParser, AYearFitsButFloodsStop)
{
    // Every hour of a leap year on every channel, one item per hour: read whole.
    CSearchDataParser parser(false);
    cgi::CalData cal;
    const uint32_t newYear = utc(2020, 1, 1, 0, 0, 0);
    const int hours = 366 * 24;
    for (int h = 0; h < hours; ++h)
        addItem(&cal, newYear + 3600u * h, newYear + 3600u * h + 3599, 0xFFFF,
                std::vector<uint32_t>(16, 1 + h % 3));
    parse(&parser, cal);
    ASSERT_EQ(parser.getMinData().size(), static_cast<size_t>(hours));
    EXPECT_EQ(cell(parser, at(2020, 12, 31, 23), 15, 59), 1 + (hours - 1) % 3);

    // Month-long spans in twenty different years: no more dates than a year holds.
    cal.Clear();
    for (int i = 0; i < 20; ++i)
        addItem(&cal, utc(2000 + i, 1, 1, 0, 0, 0), utc(2000 + i, 3, 1, 0, 0, 0), 0, {});
    parse(&parser, cal);
    EXPECT_EQ(parser.getMinData().size(), static_cast<size_t>(CSearchDataParser::MAX_NET_DATES * 24));
    EXPECT_EQ(parser.getData().size(), static_cast<size_t>(CSearchDataParser::MAX_NET_DATES));

    // The same month over and over: read only until the work allowed is used up.
    cal.Clear();
    const uint32_t may = utc(2020, 5, 1, 0, 0, 0);
    for (int i = 0; i < 500; ++i)
        addItem(&cal, may, may + 31u * 86400u - 1, 0xFFFF, std::vector<uint32_t>(16, i < 400 ? 1 : 2));
    parse(&parser, cal);
    EXPECT_EQ(cell(parser, at(2020, 5, 31, 23), 15, 59), 1);

    // Old DVRs report single minutes; spread over more dates than a year they stop too.
    std::string bytes;
    appendOld(&bytes, 1, 0, 0, {});
    for (int d = 0; d < CSearchDataParser::MAX_NET_DATES + 50; ++d)
        appendOld(&bytes, 1000000000 + 86400 * d, 1000000000 + 86400 * d + 5, 1, {1});
    CSearchDataParser old(true);
    old.setNetData(bytes.data(), static_cast<int>(bytes.size()));
    EXPECT_EQ(old.getMinData().size(), static_cast<size_t>(CSearchDataParser::MAX_NET_DATES));

    // Index files: ten years of dates at most.
    std::string records;
    for (int d = 0; d < CSearchDataParser::MAX_LOCAL_DATES + 40; ++d)
        records += qdx(1000000000 + 86400 * d, 1, {1});
    CSearchDataParser local(false);
    local.setLocalData(records.data(), static_cast<int>(records.size()));
    EXPECT_EQ(local.getMinData().size(), static_cast<size_t>(CSearchDataParser::MAX_LOCAL_DATES));
}

TEST(SearchDataParser, UnreadableReplyLeavesNothingAndTheClockRunning)
{
    CSearchDataParser parser(false);
    cgi::CalData cal;
    cal.set_dvr_time(123456);
    addItem(&cal, 1000000000, 1000000059, 1, {1});
    parse(&parser, cal);
    ASSERT_EQ(parser.getData().size(), 1u);

    const char garbage[] = "\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\x01";
    parser.setNetData(garbage, sizeof(garbage) - 1);
    EXPECT_TRUE(parser.getMinData().empty());
    EXPECT_TRUE(parser.getHourSet().empty());
    EXPECT_TRUE(parser.getData().empty());

    const std::time_t before = std::time(nullptr);
    const int now = parser.getDvrTime();
    EXPECT_GE(now, static_cast<int>(before));
    EXPECT_LE(now, static_cast<int>(std::time(nullptr)));
    EXPECT_EQ(parser.getDvrTime(), now);

    // A reply without a DVR time is read, and the clock stands in for it.
    cal.clear_dvr_time();
    parse(&parser, cal);
    EXPECT_FALSE(parser.getMinData().empty());
    EXPECT_GE(parser.getDvrTime(), static_cast<int>(before));
}

TEST(SearchDataParser, OldProtocolRecords)
{
    std::string bytes;
    appendOld(&bytes, 5000, 0, 0, {});                         // the DVR's time only
    appendOld(&bytes, 1000, 1059, 0x0F, {0, 1, 2, 3});         // 00:16, codes -> kinds 1,2,3,1
    appendOld(&bytes, 1120, 1180, 0x1, {1});                   // 60 s or more: skipped
    appendOld(&bytes, 1240, 1230, 0x1, {1});                   // backwards: skipped
    appendOld(&bytes, 0, 10, 0x1, {1});                        // no start: skipped
    appendOld(&bytes, 1300, 1301, 0x30003, {4, 2});            // code 4 and bits 16-17 ignored
    appendOld(&bytes, -1, -1, 255, {});                        // end of the list
    appendOld(&bytes, 1360, 1361, 0x1, {1});                   // not read
    bytes.append(20, '\0');

    CSearchDataParser parser(true);
    parser.setNetData(bytes.data(), 31);  // not one whole record
    EXPECT_NE(parser.getDvrTime(), 5000);
    parser.setNetData(bytes.data(), static_cast<int>(bytes.size()));
    EXPECT_EQ(parser.getDvrTime(), 5000);

    const CDateHour key = at(1970, 1, 1, 0);
    ASSERT_EQ(parser.getHourSet(), CSearchDataParser::HourSet({key}));
    EXPECT_EQ(cell(parser, key, 0, 16), 1);
    EXPECT_EQ(cell(parser, key, 1, 16), 2);
    EXPECT_EQ(cell(parser, key, 2, 16), 3);
    EXPECT_EQ(cell(parser, key, 3, 16), 1);
    EXPECT_EQ(cell(parser, key, 0, 18) + cell(parser, key, 0, 20), 0);
    EXPECT_EQ(cell(parser, key, 0, 21), 0);
    EXPECT_EQ(cell(parser, key, 1, 21), 3);
    EXPECT_EQ(cell(parser, key, 0, 22), 0);
}

TEST(SearchDataParser, LocalRecordsAddUp)
{
    CSearchDataParser parser(false);
    const uint32_t t = utc(2019, 12, 31, 22, 5, 0);
    const std::string first = qdx(t, 0x3, {1, 0x06}) + qdx(t + 60, 0x1, {3});
    parser.setLocalData(first.data(), 75);
    parser.setLocalData(nullptr, 152);
    EXPECT_TRUE(parser.getMinData().empty());

    parser.setLocalData(first.data(), 100);  // one whole record
    const CDateHour key = at(2019, 12, 31, 22);
    EXPECT_EQ(cell(parser, key, 0, 5), 1);
    EXPECT_EQ(cell(parser, key, 1, 5), 2);  // bits 0-1 only
    EXPECT_EQ(cell(parser, key, 0, 6), 0);

    // Further files add to the model; the DVR time stays the first one seen.
    const std::string second = qdx(t + 3600, 0x8000, std::vector<uint8_t>(16, 2));
    parser.setLocalData(second.data(), static_cast<int>(second.size()));
    parser.setLocalData(first.data(), static_cast<int>(first.size()));
    EXPECT_EQ(cell(parser, key, 0, 6), 3);
    EXPECT_EQ(cell(parser, at(2019, 12, 31, 23), 15, 5), 2);
    EXPECT_EQ(parser.getDvrTime(), static_cast<int>(t));
    EXPECT_EQ(parser.getHourSet(), CSearchDataParser::HourSet({key, at(2019, 12, 31, 23)}));

    parser.clear();
    EXPECT_TRUE(parser.getMinData().empty() && parser.getHourSet().empty());
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
    EXPECT_EQ(day.data[2][23][59], 2u);
    EXPECT_EQ(lines.at(CDate(2020, 5, 18)).data[2][0][0], 2u);
    unsigned long total = 0;
    for (const auto& channel : day.data)
        for (const auto& hour : channel)
            for (unsigned int v : hour)
                total += v;
    EXPECT_EQ(total, 3u);

    // Local data added later shows at the next call; nothing is forgotten in between.
    const std::string more = qdx(utc(2020, 5, 17, 12, 30, 0), 0x2, {0, 3});
    parser.setLocalData(more.data(), static_cast<int>(more.size()));
    EXPECT_EQ(parser.getData().at(CDate(2020, 5, 17)).data[1][12][30], 3u);
    EXPECT_EQ(parser.getData().at(CDate(2020, 5, 17)).data[0][0][0], 1u);

    CMinData grid;
    grid.SetData(7, 58, 60, 2);
    grid.SetData(7, 30, 30, 3);  // an empty range
    EXPECT_EQ(grid.GetData(7)[57] + grid.GetData(7)[30], 0);
    EXPECT_EQ(grid.GetData(7)[58] + grid.GetData(7)[59], 4);
}
