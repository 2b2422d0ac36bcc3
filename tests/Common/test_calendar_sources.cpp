#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include "Common/QdxRecord.h"
#include "Common/SearchDataParser.h"
#include "cal_data.pb.h"

// The same recordings reported by a current DVR, by an old DVR and by the PC's own index
// files give the same calendar.

namespace {

uint32_t utc(int y, int mo, int d, int h, int mi)
{
    return static_cast<uint32_t>(QDateTime(QDate(y, mo, d), QTime(h, mi), Qt::UTC).toSecsSinceEpoch());
}

// Whole minutes recorded on the masked channels, one kind per channel.
struct Recording {
    uint32_t firstMinute;
    uint32_t minutes;
    uint32_t mask;
    std::vector<unsigned char> kinds;
};

const std::vector<Recording> RECORDINGS = {
    {utc(2021, 3, 31, 23, 57), 6, 0xB, {1, 1, 0, 2}},                                   // over midnight
    {utc(2021, 4, 1, 10, 10), 3, 0x8006, {0, 3, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2}},
    {utc(2021, 4, 1, 10, 11), 1, 0x4, {0, 0, 2}},                                       // overwrites one
};

unsigned char kindOf(const Recording& r, int ch)
{
    return ch < static_cast<int>(r.kinds.size()) ? r.kinds[ch] : 0;
}

}  // namespace

TEST(CalendarSources, CurrentOldAndLocalRecordsGiveTheSameCalendar)
{
    cgi::CalData cal;
    std::string oldBytes(32, '\0');
    qToBigEndian<qint32>(static_cast<qint32>(utc(2021, 4, 2, 9, 0)), &oldBytes[0]);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QStringList files;

    for (const Recording& r : RECORDINGS) {
        // A DVR reports spans that start and end mid-minute.
        cgi::CalItem* item = cal.add_items();
        item->set_start_time(r.firstMinute + 7);
        item->set_end_time(r.firstMinute + 60 * (r.minutes - 1) + 42);
        item->set_record_chmask(r.mask);

        QFile qdx(dir.filePath(QStringLiteral("rec%1.qdx").arg(files.size())));
        ASSERT_TRUE(qdx.open(QIODevice::WriteOnly));
        QdxFileHeader header{};
        header.word[0] = qToLittleEndian<uint32_t>(0x58445155u);
        qdx.write(reinterpret_cast<const char*>(&header), sizeof(header));
        files << qdx.fileName();

        for (uint32_t m = 0; m < r.minutes; ++m) {
            const uint32_t minute = r.firstMinute + 60 * m;
            char rec[32] = {};
            qToBigEndian<qint32>(static_cast<qint32>(minute + 3), rec);
            qToBigEndian<qint32>(static_cast<qint32>(minute + 53), rec + 4);
            qToBigEndian<quint32>(r.mask, rec + 12);

            QdxMinuteRecord q{};
            q.start_time = qToLittleEndian(minute);
            q.end_time = qToLittleEndian(minute + 59);
            q.record_chmask = qToLittleEndian(r.mask);
            std::memset(q.extra, 0x7F, sizeof(q.extra));

            for (int c = 0; c < 16; ++c) {
                const unsigned char kind = kindOf(r, c);
                if (m == 0)
                    item->add_record_reason(kind);
                // Old codes: 0 or 3 for kind 1 (both used), 1 for kind 2, 2 for kind 3.
                rec[16 + c] = static_cast<char>(kind == 1 ? (c % 2 ? 3 : 0) : kind - 1);
                q.record_reason[c] = kind | 0x10;  // only bits 0-1 are the reason
            }
            oldBytes.append(rec, sizeof(rec));
            qdx.write(reinterpret_cast<const char*>(&q), sizeof(q));
        }
    }
    // The end record, then one that must not be read.
    oldBytes.append(std::string(8, '\xff') + std::string(7, '\0') + '\xff' + std::string(16, '\0'));
    oldBytes.append(oldBytes.substr(32, 32));
    qToBigEndian<qint32>(static_cast<qint32>(utc(2021, 4, 1, 5, 0)), &oldBytes[oldBytes.size() - 32]);
    qToBigEndian<qint32>(static_cast<qint32>(utc(2021, 4, 1, 5, 0) + 9), &oldBytes[oldBytes.size() - 28]);

    CSearchDataParser current(false);
    const std::string cur = cal.SerializeAsString();
    current.setNetData(cur.data(), static_cast<int>(cur.size()));
    CSearchDataParser old(true);
    old.setNetData(oldBytes.data(), static_cast<int>(oldBytes.size()));
    CSearchDataParser local(false);
    for (const QString& path : files) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray records = f.readAll().mid(static_cast<int>(sizeof(QdxFileHeader)));
        local.setLocalData(records.constData(), static_cast<int>(records.size()));
    }

    // Not three empty models: the expected cells are there.
    const CDateHour eve(CDate(2021, 3, 31), 23);
    const CDateHour midnight(CDate(2021, 4, 1), 0);
    const CDateHour morning(CDate(2021, 4, 1), 10);
    ASSERT_EQ(current.getHourSet(), CSearchDataParser::HourSet({eve, midnight, morning}));
    const CMinData& ten = current.getMinData().at(morning);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(ten.GetData(2)) + 9, 5), std::string("\0\1\2\1\0", 5));
    EXPECT_EQ(ten.GetData(15)[12], 2);
    EXPECT_EQ(current.getMinData().at(eve).GetData(3)[57], 2);
    EXPECT_EQ(current.getMinData().at(midnight).GetData(1)[2], 1);
    EXPECT_EQ(current.getMinData().at(midnight).GetData(1)[3], 0);

    EXPECT_EQ(old.getHourSet(), current.getHourSet());
    EXPECT_EQ(local.getHourSet(), current.getHourSet());
    EXPECT_TRUE(old.getMinData() == current.getMinData());
    EXPECT_TRUE(local.getMinData() == current.getMinData());

    const auto& lines = current.getData();
    ASSERT_EQ(lines.size(), 2u);
    for (const auto& entry : lines) {
        EXPECT_EQ(std::memcmp(&entry.second, &old.getData().at(entry.first), sizeof(_TIMELINE_DATA)), 0);
        EXPECT_EQ(std::memcmp(&entry.second, &local.getData().at(entry.first), sizeof(_TIMELINE_DATA)), 0);
    }
}
