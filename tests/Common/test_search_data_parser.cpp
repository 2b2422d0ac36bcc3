#include <cstdint>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QDateTime>
#include <QtEndian>

#include "Common/QdxRecord.h"
#include "Common/SearchDataParser.h"
#include "cal_data.pb.h"

// Also run with TZ=Asia/Seoul (see CMakeLists.txt): DVR times are UTC whatever the PC's zone.

namespace {
uint32_t utc(int y, int mo, int d, int h, int mi, int s = 0)
{
    return static_cast<uint32_t>(QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC).toSecsSinceEpoch());
}

CDateHour at(int y, int mo, int d, int h) { return CDateHour(CDate(y, mo, d), h); }

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

void appendOld(std::string* out, uint32_t start, uint32_t end, uint32_t mask, std::vector<unsigned char> codes)
{
    char rec[32] = {};
    qToBigEndian<quint32>(start, rec);
    qToBigEndian<quint32>(end, rec + 4);
    qToBigEndian<quint32>(mask, rec + 12);
    std::copy(codes.begin(), codes.end(), rec + 16);
    out->append(rec, sizeof(rec));
}

std::string qdx(uint32_t start, uint32_t mask, std::vector<uint8_t> reasons, uint32_t end = 0)
{
    QdxMinuteRecord r{};
    r.start_time = qToLittleEndian(start);
    r.end_time = qToLittleEndian(end);
    r.record_chmask = qToLittleEndian(mask);
    std::memset(r.extra, 0x7F, sizeof(r.extra));
    std::copy(reasons.begin(), reasons.end(), r.record_reason);
    return std::string(reinterpret_cast<const char*>(&r), sizeof(r));
}
}  // namespace

TEST(CalendarSources, CurrentOldAndLocalRecordsGiveTheSameCalendar)
{
    // Whole minutes recorded on the masked channels, one kind per channel.
    const struct { uint32_t firstMinute, minutes, mask; std::vector<unsigned char> kinds; } recordings[] = {
        {utc(2021, 3, 31, 23, 57), 6, 0xB, {1, 1, 0, 2}},  // over midnight
        {utc(2021, 4, 1, 10, 10), 3, 0x8006, {0, 3, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2}},
        {utc(2021, 4, 1, 10, 11), 1, 0x4, {0, 0, 2}},  // overwrites one
    };
    cgi::CalData cal;
    std::string oldBytes, local;
    appendOld(&oldBytes, utc(2021, 4, 2, 9, 0), 0, 0, {});
    for (const auto& r : recordings) {
        // A DVR reports spans that start and end mid-minute.
        const uint32_t lastMinute = r.firstMinute + 60 * (r.minutes - 1);
        cgi::CalItem* item = addItem(&cal, r.firstMinute + 7, lastMinute + 42, r.mask, {});
        std::vector<unsigned char> kinds(r.kinds), oldCodes(16), qdxReasons(16);
        kinds.resize(16);
        for (int c = 0; c < 16; ++c) {
            item->add_record_reason(kinds[c]);
            // Old codes: 0 or 3 for kind 1 (both used), 1 for kind 2, 2 for kind 3.
            oldCodes[c] = static_cast<unsigned char>(kinds[c] == 1 ? (c % 2 ? 3 : 0) : kinds[c] - 1);
            qdxReasons[c] = kinds[c] | 0x10;  // only bits 0-1 are the reason
        }
        for (uint32_t m = 0; m < r.minutes; ++m) {
            const uint32_t minute = r.firstMinute + 60 * m;
            appendOld(&oldBytes, minute + 3, minute + 53, r.mask, oldCodes);
            local += qdx(minute, r.mask, qdxReasons, minute + 59);
        }
    }
    // The end record, then one that must not be read.
    appendOld(&oldBytes, ~0u, ~0u, 255, {});
    appendOld(&oldBytes, utc(2021, 4, 1, 5, 0), utc(2021, 4, 1, 5, 0, 9), 1, {1});
    CSearchDataParser current(false), old(true), fromFiles(false);
    parse(&current, cal);
    old.setNetData(oldBytes.data(), 31);  // not one whole record
    EXPECT_NE(old.getDvrTime(), static_cast<int>(utc(2021, 4, 2, 9, 0)));
    old.setNetData(oldBytes.data(), static_cast<int>(oldBytes.size()));
    EXPECT_EQ(old.getDvrTime(), static_cast<int>(utc(2021, 4, 2, 9, 0)));
    // Index files come one at a time; parts of a record are not read.
    fromFiles.setLocalData(local.data(), sizeof(QdxMinuteRecord) - 1);
    fromFiles.setLocalData(nullptr, 152);
    const size_t half = local.size() / sizeof(QdxMinuteRecord) / 2 * sizeof(QdxMinuteRecord);
    fromFiles.setLocalData(local.data(), static_cast<int>(half));
    fromFiles.setLocalData(local.data() + half, static_cast<int>(local.size() - half));
    // Not three empty models: the expected cells are there.
    const CDateHour eve = at(2021, 3, 31, 23), midnight = at(2021, 4, 1, 0), morning = at(2021, 4, 1, 10);
    ASSERT_EQ(current.getHourSet(), CSearchDataParser::HourSet({eve, midnight, morning}));
    const CMinData& ten = current.getMinData().at(morning);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(ten.GetData(2)) + 9, 5), std::string("\0\1\2\1\0", 5));
    EXPECT_EQ(cell(current, eve, 3, 57), 2);
    EXPECT_EQ(cell(current, midnight, 1, 3), 0);
    for (CSearchDataParser* other : {&old, &fromFiles}) {
        EXPECT_EQ(other->getHourSet(), current.getHourSet());
        EXPECT_TRUE(other->getMinData() == current.getMinData());
        ASSERT_EQ(other->getData().size(), 2u);
        for (const auto& entry : current.getData())
            EXPECT_EQ(std::memcmp(&entry.second, &other->getData().at(entry.first), sizeof(_TIMELINE_DATA)), 0);
    }
}

TEST(SearchDataParser, ReasonsOnlyForChannelsThatHaveOneAndBogusSpansAreCut)
{
    CSearchDataParser parser(false);
    cgi::CalData cal;
    cal.set_dvr_time(utc(2020, 5, 17, 12, 0));
    addItem(&cal, utc(2020, 5, 17, 10, 0, 30), utc(2020, 5, 17, 10, 2, 10), 0x25, {1});
    // Only the low byte of a reason is a kind; there is no channel 16.
    addItem(&cal, utc(2020, 5, 17, 10, 5), utc(2020, 5, 17, 10, 5, 59), ~0u, std::vector<uint32_t>(17, 0x103));
    addItem(&cal, 1000000600, 1000000000, 1, {1});  // ends before it starts
    parse(&parser, cal);
    const CDateHour ten = at(2020, 5, 17, 10);
    const int cells[][3] = {{0, 0, 1}, {0, 2, 1}, {0, 3, 0}, {2, 1, 0}, {5, 1, 0}, {15, 5, 3}};
    for (const auto& c : cells)
        EXPECT_EQ(cell(parser, ten, c[0], c[1]), c[2]) << c[0] << " " << c[1];
    EXPECT_EQ(parser.getHourSet(), CSearchDataParser::HourSet({ten}));
    EXPECT_EQ(parser.getDvrTime(), static_cast<int>(utc(2020, 5, 17, 12, 0)));
    // The whole counter range is cut to a month from its start; the last minutes before the
    // counter wraps are read, not lost to an overflow.
    cal.Clear();
    addItem(&cal, 0, 0xFFFFFFFFu, 1, {2});
    addItem(&cal, 0xFFFFFF00u, 0xFFFFFFFFu, 1, {3});
    parse(&parser, cal);
    EXPECT_EQ(parser.getMinData().size(), static_cast<size_t>(31 * 24 + 1));
    EXPECT_EQ(cell(parser, at(1970, 1, 31, 23), 0, 59), 2);
    EXPECT_EQ(cell(parser, at(2106, 2, 7, 6), 0, 23), 0);
    EXPECT_EQ(cell(parser, at(2106, 2, 7, 6), 0, 28), 3);
    // An unreadable reply leaves nothing, and the PC's clock stands in for the DVR's.
    const std::time_t before = std::time(nullptr);
    parser.setNetData("\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\x01", 11);
    EXPECT_TRUE(parser.getMinData().empty() && parser.getHourSet().empty() && parser.getData().empty());
    EXPECT_GE(parser.getDvrTime(), static_cast<int>(before));
}

TEST(SearchDataParser, AYearFitsButFloodsStop)
{
    // Every hour of a leap year on every channel, one item per hour: read whole.
    CSearchDataParser parser(false);
    cgi::CalData cal;
    const uint32_t newYear = utc(2020, 1, 1, 0, 0);
    const int hours = 366 * 24;
    for (int h = 0; h < hours; ++h)
        addItem(&cal, newYear + 3600u * h, newYear + 3600u * h + 3599, 0xFFFF, std::vector<uint32_t>(16, 1 + h % 3));
    parse(&parser, cal);
    ASSERT_EQ(parser.getMinData().size(), static_cast<size_t>(hours));
    EXPECT_EQ(cell(parser, at(2020, 12, 31, 23), 15, 59), 1 + (hours - 1) % 3);
    // The same month over and over: read only until the work allowed is used up.
    cal.Clear();
    const uint32_t may = utc(2020, 5, 1, 0, 0);
    for (int i = 0; i < 500; ++i)
        addItem(&cal, may, may + 31u * 86400u - 1, 0xFFFF, std::vector<uint32_t>(16, i < 400 ? 1 : 2));
    parse(&parser, cal);
    EXPECT_EQ(cell(parser, at(2020, 5, 31, 23), 15, 59), 1);
    // Old DVRs and index files spread over too many dates stop too.
    std::string bytes, records;
    appendOld(&bytes, 1, 0, 0, {});
    for (int d = 0; d < CSearchDataParser::MAX_LOCAL_DATES + 40; ++d) {
        appendOld(&bytes, 1000000000 + 86400 * d, 1000000000 + 86400 * d + 5, 1, {1});
        records += qdx(1000000000 + 86400 * d, 1, {1});
    }
    CSearchDataParser old(true), local(false);
    old.setNetData(bytes.data(), static_cast<int>(bytes.size()));
    EXPECT_EQ(old.getMinData().size(), static_cast<size_t>(CSearchDataParser::MAX_NET_DATES));
    local.setLocalData(records.data(), static_cast<int>(records.size()));
    EXPECT_EQ(local.getMinData().size(), static_cast<size_t>(CSearchDataParser::MAX_LOCAL_DATES));
}
