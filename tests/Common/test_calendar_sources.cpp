#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include "Common/QdxRecord.h"
#include "Common/SearchDataParser.h"
#include "cal_data.pb.h"

// The same recordings reported by a current DVR, by an old DVR and by the PC's own index
// files must give the same calendar.

namespace {

uint32_t utc(int y, int mo, int d, int h, int mi, int s)
{
    return static_cast<uint32_t>(QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC).toSecsSinceEpoch());
}

// A run of whole minutes, recorded on the masked channels with one kind per channel.
struct Recording {
    uint32_t firstMinute;
    int minutes;
    uint32_t mask;
    unsigned char kinds[16];
};

std::vector<Recording> recordings()
{
    Recording crossesMidnight{utc(2021, 3, 31, 23, 57, 0), 6, 0xB, {}};
    crossesMidnight.kinds[0] = 1;
    crossesMidnight.kinds[1] = 1;
    crossesMidnight.kinds[3] = 2;

    Recording morning{utc(2021, 4, 1, 10, 10, 0), 3, 0x8006, {}};
    morning.kinds[1] = 3;
    morning.kinds[2] = 1;
    morning.kinds[15] = 2;

    // Overwrites part of the morning on channel 2 with another kind.
    Recording overlap{utc(2021, 4, 1, 10, 11, 0), 1, 0x4, {}};
    overlap.kinds[2] = 2;

    return {crossesMidnight, morning, overlap};
}

std::string currentReply(const std::vector<Recording>& recs)
{
    cgi::CalData cal;
    cal.set_dvr_time(utc(2021, 4, 2, 9, 0, 0));
    for (const Recording& r : recs) {
        cgi::CalItem* item = cal.add_items();
        // Spans start and end mid-minute, as a DVR reports them.
        item->set_start_time(r.firstMinute + 7);
        item->set_end_time(r.firstMinute + 60u * (r.minutes - 1) + 42);
        item->set_record_chmask(r.mask);
        for (int c = 0; c < 16; ++c)
            item->add_record_reason(r.kinds[c]);
    }
    std::string bytes;
    cal.SerializeToString(&bytes);
    return bytes;
}

std::string oldReply(const std::vector<Recording>& recs)
{
    std::string bytes;
    auto append = [&bytes](int32_t start, int32_t end, uint32_t mask, const unsigned char* codes) {
        char rec[32] = {};
        qToBigEndian<qint32>(start, rec);
        qToBigEndian<qint32>(end, rec + 4);
        qToBigEndian<quint32>(mask, rec + 12);
        for (int i = 0; codes && i < 16; ++i)
            rec[16 + i] = static_cast<char>(codes[i]);
        bytes.append(rec, sizeof(rec));
    };
    append(static_cast<int32_t>(utc(2021, 4, 2, 9, 0, 0)), 0, 0, nullptr);
    for (const Recording& r : recs) {
        unsigned char codes[16];
        for (int c = 0; c < 16; ++c) {
            // Kind 1 has two codes; use both.
            static const unsigned char kindCode[] = {0, 0, 1, 2};
            codes[c] = (r.kinds[c] == 1 && c % 2) ? 3 : kindCode[r.kinds[c] & 3];
        }
        for (int m = 0; m < r.minutes; ++m) {
            const int32_t start = static_cast<int32_t>(r.firstMinute + 60u * m + 3);
            append(start, start + 50, r.mask, codes);
        }
    }
    append(-1, -1, 255, nullptr);
    return bytes;
}

// One index file per recording, as the PC recorder writes them.
QStringList writeIndexFiles(const QString& folder, const std::vector<Recording>& recs)
{
    QStringList paths;
    int n = 0;
    for (const Recording& r : recs) {
        const QString path = folder + QStringLiteral("/rec%1.qdx").arg(n++);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return {};
        QdxFileHeader header{};
        header.word[0] = qToLittleEndian<uint32_t>(0x58445155u);
        f.write(reinterpret_cast<const char*>(&header), sizeof(header));
        for (int m = 0; m < r.minutes; ++m) {
            QdxMinuteRecord rec{};
            rec.start_time = qToLittleEndian<uint32_t>(r.firstMinute + 60u * m);
            rec.end_time = qToLittleEndian<uint32_t>(r.firstMinute + 60u * m + 59);
            rec.record_chmask = qToLittleEndian<uint32_t>(r.mask);
            for (int c = 0; c < 16; ++c)
                rec.record_reason[c] = r.kinds[c] | 0x10;  // only bits 0-1 are the reason
            std::memset(rec.extra, 0x7F, sizeof(rec.extra));
            f.write(reinterpret_cast<const char*>(&rec), sizeof(rec));
        }
        paths << path;
    }
    return paths;
}

}  // namespace

TEST(CalendarSources, CurrentOldAndLocalRecordsGiveTheSameCalendar)
{
    const std::vector<Recording> recs = recordings();

    CSearchDataParser current(false);
    const std::string cur = currentReply(recs);
    current.setNetData(cur.data(), static_cast<int>(cur.size()));

    CSearchDataParser old(true);
    const std::string oldBytes = oldReply(recs);
    old.setNetData(oldBytes.data(), static_cast<int>(oldBytes.size()));

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QStringList files = writeIndexFiles(dir.path(), recs);
    ASSERT_EQ(files.size(), static_cast<int>(recs.size()));
    CSearchDataParser local(false);
    for (const QString& path : files) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray all = f.readAll();
        const QByteArray records = all.mid(static_cast<int>(sizeof(QdxFileHeader)));
        local.setLocalData(records.constData(), static_cast<int>(records.size()));
    }

    // Not three empty models: the expected cells are there.
    const CDateHour eve(CDate(2021, 3, 31), 23);
    const CDateHour midnight(CDate(2021, 4, 1), 0);
    const CDateHour morning(CDate(2021, 4, 1), 10);
    const CSearchDataParser::HourSet hours = {eve, midnight, morning};
    ASSERT_EQ(current.getHourSet(), hours);
    const CMinData& tenOClock = current.getMinData().at(morning);
    EXPECT_EQ(tenOClock.GetData(2)[10], 1);
    EXPECT_EQ(tenOClock.GetData(2)[11], 2);
    EXPECT_EQ(tenOClock.GetData(2)[12], 1);
    EXPECT_EQ(tenOClock.GetData(15)[12], 2);
    EXPECT_EQ(tenOClock.GetData(15)[13], 0);
    EXPECT_EQ(current.getMinData().at(eve).GetData(3)[57], 2);
    EXPECT_EQ(current.getMinData().at(midnight).GetData(0)[2], 1);
    EXPECT_EQ(current.getMinData().at(midnight).GetData(0)[3], 0);

    EXPECT_EQ(old.getHourSet(), hours);
    EXPECT_EQ(local.getHourSet(), hours);
    EXPECT_TRUE(old.getMinData() == current.getMinData());
    EXPECT_TRUE(local.getMinData() == current.getMinData());

    const auto& a = current.getData();
    const auto& b = old.getData();
    const auto& c = local.getData();
    ASSERT_EQ(a.size(), 2u);
    ASSERT_EQ(b.size(), 2u);
    ASSERT_EQ(c.size(), 2u);
    for (const auto& entry : a) {
        EXPECT_EQ(std::memcmp(entry.second.data, b.at(entry.first).data, sizeof(entry.second.data)), 0);
        EXPECT_EQ(std::memcmp(entry.second.data, c.at(entry.first).data, sizeof(entry.second.data)), 0);
    }
}
