// Raw recordings whose frame index (.qrx) goes while they run: the data file is kept whole,
// indexed again from its own frame headers, or set aside where the player does not look.

#include <gtest/gtest.h>

#include "Playback/LocalFiles.h"
#include "SysData/RawIndexRebuild.h"
#include "record_test_util.h"

using namespace rectest;

namespace {

enum class Also { Nothing, GarbleData, RemoveData };

// Records channel 0 at 10 fps with audio for `seconds` s from T0, then loses the index of the
// pair being written (also garbling its frames, or removing its data file), and goes on.
struct IndexLost {
    Rig rig;
    QString folder, base;
    QStringList failures;
    QByteArray qvfAtLoss, qrxAtLoss;
    std::vector<QByteArray> given;

    IndexLost(const RawKind& k, int seconds, Also also = Also::Nothing)
    {
        const Stream s(k.old, k.codec);
        CRecord rec;
        QObject::connect(&rec, &CRecord::recordFailed, [&](const QString& t) { failures << t; });
        rec.start(QStringLiteral("Yard"), Info(1, k.model), 0);
        auto put = [&](int i) {
            const int64_t ms = T0 * 1000 + i * 100;
            for (const QByteArray& f : {s.video(i, 0, ms, 1 + i % 3, k.model), s.audio(i, 0, ms + 50)}) {
                rec.writeFrame(k.old, f);
                given.push_back(f);
            }
        };
        int i = 0;
        for (; i < seconds * 10; ++i)
            put(i);
        folder = rig.record() + "/Yard";
        const QStringList open = Files(folder, "*.qvf");
        base = open.isEmpty() ? QString() : open.last().chopped(4);
        qrxAtLoss = FileBytes(qrx());
        EXPECT_TRUE(QFile::remove(qrx()));
        if (also == Also::RemoveData) {
            EXPECT_TRUE(QFile::remove(qvf()));
        }
        QFile data(qvf());
        if (also == Also::GarbleData && data.open(QIODevice::ReadWrite)) {
            // Neither header reads from 0xEE: a channel past 16, no "UM".
            const qint64 frames = data.size() - qint64(sizeof(recfile::QvfFileHeader));
            EXPECT_TRUE(data.seek(sizeof(recfile::QvfFileHeader)) && data.write(QByteArray(frames, '\xEE')) == frames);
            data.close();
        }
        qvfAtLoss = FileBytes(qvf());
        for (; i < seconds * 10 + 100 && rec.isRecording(); ++i)
            put(i);
        rec.stop();
    }
    QString qvf() const { return folder + "/" + base + recfile::QVF_SUFFIX; }
    QString qrx() const { return folder + "/" + base + recfile::QRX_SUFFIX; }
    QString aside() const { return qvf() + UNINDEXED_SUFFIX; }
    QStringList minutes() const { return MinutePairs(folder + "/20260302_100040.qdx"); }
};

}  // namespace

TEST(RawIndexLost, TheDataFileKeepsEveryByteItHad)
{
    for (const RawKind& k : RAW_KINDS) {
        const IndexLost l(k, 5);
        ASSERT_GT(l.qvfAtLoss.size(), qsizetype(sizeof(recfile::QvfFileHeader))) << k.name;
        EXPECT_EQ(FileBytes(l.qvf()), l.qvfAtLoss) << k.name;
    }
}

TEST(RawIndexLost, TheRebuiltIndexIsTheOneTheWriterKept)
{
    for (const RawKind& k : RAW_KINDS) {
        const IndexLost l(k, 5);
        ASSERT_FALSE(l.qrxAtLoss.isEmpty()) << k.name;
        EXPECT_EQ(FileBytes(l.qrx()), l.qrxAtLoss) << k.name;
    }
}

TEST(RawIndexLost, TheLocalPlayerReadsEveryFrameOfTheKeptDataFile)
{
    for (const RawKind& k : RAW_KINDS) {
        const IndexLost l(k, 5);
        CRawFile f;
        ASSERT_TRUE(f.open(l.folder, l.base)) << k.name << " " << f.error().toStdString();
        ASSERT_FALSE(f.index().empty()) << k.name;
        const recfile::QrxIndexRecord& last = f.index().back();
        EXPECT_EQ(qint64(last.offset + last.length), l.qvfAtLoss.size()) << k.name;
        QByteArray frame;
        for (size_t i = 0; i < f.index().size(); ++i) {
            ASSERT_TRUE(f.readFrame(i, &frame)) << k.name << " " << f.error().toStdString();
            EXPECT_EQ(frame, l.given[i]) << k.name << " " << i;
        }
    }
}

TEST(RawIndexLost, TheMinuteIndexStillListsTheKeptDataFile)
{
    const IndexLost l(RAW_KINDS[0], 5);
    EXPECT_EQ(l.minutes(), QStringList{l.base});
}

TEST(RawIndexLost, TheStopMessageNamesTheIndexAndSaysTheDataFileWasKept)
{
    const IndexLost l(RAW_KINDS[0], 5);
    ASSERT_EQ(l.failures.size(), 1);
    EXPECT_TRUE(l.failures[0].startsWith("Recording stopped: Cannot write " + l.qrx() +
                                         " (the file was removed or replaced); the data file was kept"))
        << l.failures[0].toStdString();
}

// The second minute's data file: the first one stays as it was.
TEST(RawIndexLost, ADataFileNoFrameOfWhichReadsIsSetAsideWithEveryByte)
{
    for (const RawKind& k : RAW_KINDS) {
        const IndexLost l(k, 25, Also::GarbleData);
        EXPECT_FALSE(QFile::exists(l.qvf())) << k.name;
        EXPECT_EQ(FileBytes(l.aside()), l.qvfAtLoss) << k.name;
    }
}

TEST(RawIndexLost, TheStopMessageSaysWhereTheDataFileWasSetAside)
{
    const IndexLost l(RAW_KINDS[0], 25, Also::GarbleData);
    ASSERT_EQ(l.failures.size(), 1);
    EXPECT_TRUE(l.failures[0].contains("no frame header reads at byte 413")) << l.failures[0].toStdString();
    EXPECT_TRUE(l.failures[0].endsWith("and was kept as " + l.aside())) << l.failures[0].toStdString();
}

TEST(RawIndexLost, TheMinuteIndexDropsTheMinuteOfTheDataFileSetAside)
{
    const IndexLost l(RAW_KINDS[0], 25, Also::GarbleData);
    EXPECT_EQ(l.minutes(), QStringList{"20260302_100040"});
}

TEST(RawIndexLost, TheLocalListingShowsTheFilesBeforeTheOneSetAsideAndNothingDamaged)
{
    const IndexLost l(RAW_KINDS[0], 25, Also::GarbleData);
    EXPECT_EQ(RawFileBases(l.folder), QStringList{"20260302_100040"});
    CRawFile f;
    QByteArray frame;
    EXPECT_TRUE(f.open(l.folder, "20260302_100040") && f.readFrame(f.index().size() - 1, &frame))
        << f.error().toStdString();
}

TEST(RawIndexLost, APairRemovedWholeLeavesNoDataFileAndNoMinute)
{
    const IndexLost l(RAW_KINDS[0], 25, Also::RemoveData);
    EXPECT_EQ(Files(l.folder, "*"), QStringList({"20260302_100040.qdx", "20260302_100040.qrx", "20260302_100040.qvf"}));
    EXPECT_EQ(l.minutes(), QStringList{"20260302_100040"});
}
