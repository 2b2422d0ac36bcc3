// Rebuilding the frame index of a raw data file from its own frame headers, and setting aside
// one that cannot be indexed, over files a real recording wrote.

#include <gtest/gtest.h>

#include "Playback/LocalFiles.h"
#include "SysData/RawIndexRebuild.h"
#include "record_test_util.h"

using namespace rectest;

namespace {

// A finished recording of 2 s of video and audio whose index has gone; the index as the
// writer kept it.
struct Unindexed {
    Rig rig;
    QString folder, qvf, qrx;
    QByteArray keptFile;
    std::vector<recfile::QrxIndexRecord> kept;

    explicit Unindexed(const RawKind& k)
    {
        const Stream s(k.old, k.codec);
        CRecord rec;
        rec.start(QStringLiteral("Yard"), Info(1, k.model), 0);
        for (int i = 0; i < 20; ++i) {
            rec.writeFrame(k.old, s.video(i, 0, T0 * 1000 + i * 100, i % 4, k.model));
            rec.writeFrame(k.old, s.audio(i, 0, T0 * 1000 + i * 100 + 50));
        }
        rec.stop();
        folder = rig.record() + "/Yard";
        qvf = folder + "/20260302_100040.qvf";
        qrx = folder + "/20260302_100040.qrx";
        CRawFile f;
        EXPECT_TRUE(f.open(folder, "20260302_100040"));
        kept = f.index();
        f.close();
        keptFile = FileBytes(qrx);
        EXPECT_TRUE(QFile::remove(qrx));
    }

    // Overwrites bytes of the data file (negative `at`: cuts it to that size); its bytes after.
    QByteArray damage(qint64 at, const QByteArray& bytes = {})
    {
        QFile f(qvf);
        EXPECT_TRUE(f.open(QIODevice::ReadWrite) && (at < 0 ? f.resize(-at) : f.seek(at) && f.write(bytes) == bytes.size()));
        f.close();
        return FileBytes(qvf);
    }
};

}  // namespace

TEST(RawIndexRebuild, AWholeDataFileGetsTheIndexTheWriterWrote)
{
    for (const RawKind& k : RAW_KINDS) {
        Unindexed u(k);
        const RawIndexRebuild r = RebuildRawIndex(u.qvf, u.qrx);
        EXPECT_EQ(r.frames, u.kept.size()) << k.name;
        EXPECT_EQ(r.unindexedBytes, 0u) << k.name;
        EXPECT_TRUE(r.error.isEmpty()) << k.name << " " << r.error.toStdString();
        ASSERT_EQ(u.keptFile.size(), qsizetype(sizeof(recfile::QrxFileHeader) + 40 * sizeof(recfile::QrxIndexRecord)));
        EXPECT_EQ(FileBytes(u.qrx), u.keptFile) << k.name;
    }
}

TEST(RawIndexRebuild, ACutLastFrameLeavesTheFramesBeforeItIndexedAndItsBytesKept)
{
    for (const RawKind& k : RAW_KINDS) {
        Unindexed u(k);
        const recfile::QrxIndexRecord last = u.kept.back();
        const QByteArray cut = u.damage(-qint64(last.offset + last.length / 2));
        const RawIndexRebuild r = RebuildRawIndex(u.qvf, u.qrx);
        EXPECT_EQ(r.frames, u.kept.size() - 1) << k.name;
        EXPECT_EQ(r.unindexedBytes, last.length / 2) << k.name;
        EXPECT_TRUE(r.error.contains("runs past the end of the file")) << k.name << " " << r.error.toStdString();
        EXPECT_EQ(FileBytes(u.qvf), cut) << k.name;
    }
}

TEST(RawIndexRebuild, AFrameHeaderThatDoesNotReadEndsTheIndexBeforeIt)
{
    for (const RawKind& k : RAW_KINDS) {
        Unindexed u(k);
        u.damage(qint64(u.kept[5].offset), QByteArray(8, '\xEE'));
        const RawIndexRebuild r = RebuildRawIndex(u.qvf, u.qrx);
        EXPECT_EQ(r.frames, 5u) << k.name;
        EXPECT_EQ(r.error, QStringLiteral("no frame header reads at byte %1").arg(u.kept[5].offset)) << k.name;
        CRawFile f;
        ASSERT_TRUE(f.open(u.folder, "20260302_100040")) << k.name;
        EXPECT_EQ(f.index().size(), 5u) << k.name;
    }
}

TEST(RawIndexRebuild, AFileHoldingTheIndexNameIsLeftAsItIs)
{
    Unindexed u(RAW_KINDS[0]);
    QFile other(u.qrx);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly) && other.write("kept") == 4);
    other.close();
    const RawIndexRebuild r = RebuildRawIndex(u.qvf, u.qrx);
    EXPECT_EQ(r.frames, 0u);
    EXPECT_EQ(FileBytes(u.qrx), QByteArray("kept"));
}

TEST(RawIndexRebuild, NoIndexIsWrittenWhenNoFrameReads)
{
    Unindexed u(RAW_KINDS[0]);
    u.damage(sizeof(recfile::QvfFileHeader), QByteArray(8, '\xEE'));
    EXPECT_EQ(RebuildRawIndex(u.qvf, u.qrx).frames, 0u);
    EXPECT_FALSE(QFile::exists(u.qrx));
}

TEST(RawIndexRebuild, ASetAsideNameTakenAlreadyIsNotOverwritten)
{
    Unindexed u(RAW_KINDS[0]);
    const QByteArray data = FileBytes(u.qvf);
    QFile taken(u.qvf + UNINDEXED_SUFFIX);
    ASSERT_TRUE(taken.open(QIODevice::WriteOnly) && taken.write("kept") == 4);
    taken.close();
    const QString aside = SetAsideRawData(u.qvf);
    EXPECT_EQ(aside, u.qvf + ".2" + UNINDEXED_SUFFIX);
    EXPECT_EQ(FileBytes(aside), data);
    EXPECT_EQ(FileBytes(u.qvf + UNINDEXED_SUFFIX), QByteArray("kept"));
}
