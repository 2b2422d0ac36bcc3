#include <set>

#include <gtest/gtest.h>

#include "Common/SearchDataParser.h"
#include "Playback/LocalFiles.h"
#include "SysData/RecordFiles.h"
#include "SysData/RecordTypes.h"
#include "record_test_util.h"

using namespace rectest;

namespace {

struct Written {
    QByteArray bytes;
    int64_t ms;
    int channel;
    bool audio;
};

// Channels 0 and 2 at 10 fps from T0 for 100 s (three minutes of the clock), audio on
// channel 0 every 40 ms; channel 2 reason 2 in the middle minute, channel 0 reason 0.
std::vector<Written> ThreeMinutes(const Stream& s)
{
    std::vector<Written> out;
    for (int i = 0; i < 1000; ++i) {
        const int64_t ms = T0 * 1000 + i * 100;
        const bool middle = ms / 60000 == (T0 + 20) / 60;
        out.push_back({s.video(i, 0, ms, 0), ms, 0, false});
        out.push_back({s.video(i, 2, ms + 5, middle ? 2 : 1), ms + 5, 2, false});
        for (int a = 0; a < 3; ++a)
            out.push_back({s.audio(i * 3 + a, 0, ms + a * 33), ms + a * 33, 0, true});
    }
    return out;
}

// n frames of one channel at 25 fps into the record folder's `name` folder, which is returned.
QString RecordOneChannel(const Rig& rig, const QString& name, int n)
{
    Stream s(false);
    CRecord rec;
    rec.start(name, Info(1), 0);
    for (int i = 0; i < n; ++i)
        rec.writeFrame(false, s.video(i, 0, T0 * 1000 + i * 40));
    rec.stop();
    return rig.record() + "/" + name;
}

}  // namespace

TEST(RawRecording, ThreeMinutesSplitIndexedAndSearchable)
{
    for (const bool old : {false, true}) {
        Rig rig;
        Stream s(old);
        const std::vector<Written> frames = ThreeMinutes(s);
        CRecord rec;
        rec.start(QStringLiteral("Lobby/../x"), Info(4), 0);
        ASSERT_TRUE(rec.isRecording());
        for (const Written& w : frames)
            rec.writeFrame(old, w.bytes);
        rec.stop();
        EXPECT_FALSE(rec.isRecording());

        const QString folder = rig.record() + "/Lobby____x";
        EXPECT_EQ(rec.folder(), folder);
        EXPECT_EQ(Files(folder, "*.qdx"), QStringList{"20260302_100040.qdx"});
        const QStringList pairs = {"20260302_100040", "20260302_100100", "20260302_100200"};
        EXPECT_EQ(Files(folder, "*.qvf"), QStringList({pairs[0] + ".qvf", pairs[1] + ".qvf", pairs[2] + ".qvf"}));
        EXPECT_EQ(RawFileBases(folder), pairs);

        // Every frame once, in order, through the index.
        size_t next = 0;
        for (const QString& base : pairs) {
            CRawFile f;
            ASSERT_TRUE(f.open(folder, base)) << f.error().toStdString();
            EXPECT_EQ(f.header().old_protocol, old ? 1 : 0);
            EXPECT_EQ(f.header().protocol_type, old ? 2 : 1);
            EXPECT_STREQ(f.header().dvr_name, "Lobby/../x");
            EXPECT_STREQ(f.header().titles[3], "CAM4");
            for (size_t i = 0; i < f.index().size(); ++i, ++next) {
                QByteArray bytes;
                ASSERT_TRUE(f.readFrame(i, &bytes));
                ASSERT_LT(next, frames.size());
                EXPECT_EQ(bytes, frames[next].bytes) << next;
                EXPECT_EQ(f.index()[i].time_sec, uint32_t(frames[next].ms / 1000));
                EXPECT_EQ(f.index()[i].time_sec / 60, RawFileTime(base) / 60);
            }
        }
        EXPECT_EQ(next, frames.size());

        // The minute index: one record per minute, channels 0 and 2, reasons merged.
        QFile qdx(folder + "/20260302_100040.qdx");
        ASSERT_TRUE(qdx.open(QIODevice::ReadOnly));
        const QByteArray all = qdx.readAll();
        ASSERT_EQ(all.size(), 12 + 3 * 76);
        for (int m = 0; m < 3; ++m) {
            QdxMinuteRecord r;
            memcpy(&r, all.constData() + 12 + m * 76, sizeof r);
            EXPECT_EQ(r.start_time, uint32_t((T0 / 60 + m) * 60));
            EXPECT_EQ(r.record_chmask, 0x5u);
            EXPECT_EQ(r.record_reason[0], 1) << "a channel with frames shows on the time line";
            EXPECT_EQ(r.record_reason[2], m == 1 ? 2 : 1);
            EXPECT_EQ(r.record_reason[1], 0);
        }

        CSearchDataParser parser(false);
        EXPECT_TRUE(LocalSearch(folder, &parser).isEmpty());
        const CDateHour hour(CDate(2026, 3, 2), 10);
        ASSERT_EQ(parser.getHourSet().size(), 1u);
        const CMinData& grid = parser.getMinData().at(hour);
        EXPECT_EQ(std::vector<int>(grid.GetData(2), grid.GetData(2) + 4), std::vector<int>({1, 2, 1, 0}));
        EXPECT_EQ(grid.GetData(0)[2], 1);
        EXPECT_EQ(grid.GetData(1)[1], 0);
    }
}

TEST(RawRecording, CutRecordingPlaysToItsLastWholeFrame)
{
    Rig rig;
    const QString folder = RecordOneChannel(rig, "Cut", 40);
    const QString base = RawFileBases(folder).value(0);
    CRawFile whole;
    ASSERT_TRUE(whole.open(folder, base));
    ASSERT_EQ(whole.index().size(), 40u);
    const recfile::QrxIndexRecord last = whole.index().back();
    whole.close();
    // As after a crash in the middle of the last frame.
    QFile qvf(folder + "/" + base + ".qvf");
    ASSERT_TRUE(qvf.resize(qint64(last.offset + last.length / 2)));
    CRawFile cut;
    ASSERT_TRUE(cut.open(folder, base));
    EXPECT_EQ(cut.index().size(), 39u);
    QByteArray bytes;
    EXPECT_TRUE(cut.readFrame(38, &bytes));
}

TEST(RawRecording, DamagedAndForeignFilesAreRefused)
{
    Rig rig;
    const QString folder = RecordOneChannel(rig, "Bad", 10);
    const QString base = RawFileBases(folder).value(0);
    const QString qvf = folder + "/" + base + ".qvf";
    const QString qrx = folder + "/" + base + ".qrx";
    QFile(qvf).copy(folder + "/orig.qvf");
    QFile(qrx).copy(folder + "/orig.qrx");

    auto patch = [](const QString& path, qint64 at, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        if (at < 0)
            ASSERT_TRUE(f.resize(-at));
        else {
            f.seek(at);
            f.write(bytes);
        }
    };
    const qint64 rec0 = sizeof(recfile::QrxFileHeader);
    const struct {
        const char* what;
        QString path;
        qint64 at;
        QByteArray bytes;
        const char* error;
        bool readFails;
    } cases[] = {
        {"foreign .qvf", qvf, 0, "RIFF", "not a recording file", false},
        {"truncated .qrx header", qrx, -20, {}, "not a recording file", false},
        {"index out of order", qrx, rec0 + 36, QByteArray(8, '\x01'), "damaged index", false},
        {"channel past 16", qrx, rec0 + 20, "\x20", "damaged index", false},
        {"frame header broken", qvf, sizeof(recfile::QvfFileHeader), QByteArray(8, '\xEE'), "damaged frame", true},
    };
    for (const auto& c : cases) {
        QFile::remove(qvf);
        QFile::remove(qrx);
        QFile::copy(folder + "/orig.qvf", qvf);
        QFile::copy(folder + "/orig.qrx", qrx);
        patch(c.path, c.at, c.bytes);
        CRawFile f;
        QByteArray frame;
        const bool ok = f.open(folder, base) && f.readFrame(0, &frame);
        EXPECT_FALSE(ok) << c.what;
        EXPECT_TRUE(f.error().contains(c.error)) << c.what << " " << f.error().toStdString();
        EXPECT_EQ(f.index().size() > 0, c.readFails) << c.what;
    }

    // The local search reads the good index and names the foreign and the short one.
    QFile foreign(folder + "/notes.qdx");
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write("hello, this is not an index at all");
    foreign.close();
    QFile(folder + "/short.qdx").open(QIODevice::WriteOnly);
    CSearchDataParser parser(false);
    const QStringList refused = LocalSearch(folder, &parser);
    EXPECT_EQ(refused.size(), 2);
    EXPECT_EQ(parser.getHourSet().size(), 1u);
}

TEST(RawRecording, UnwritableFolderReportsAndRecordsNothing)
{
    Rig rig;
    Stream s(false);
    // The record folder's place is taken by a file.
    QFile blocker(rig.record());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    CRecord rec;
    QStringList failures;
    QObject::connect(&rec, &CRecord::recordFailed, [&](const QString& t) { failures << t; });
    rec.start(QStringLiteral("DVR1"), Info(1), 0);
    EXPECT_FALSE(rec.isRecording());
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].contains("DVR1"));

    // A folder that goes away under a running recording: it stops with a message.
    QFile::remove(rig.record());
    rec.start(QStringLiteral("DVR1"), Info(1), 0);
    ASSERT_TRUE(rec.isRecording());
    ASSERT_TRUE(QDir(rig.record() + "/DVR1").removeRecursively());
    rec.writeFrame(false, s.video(0, 0, T0 * 1000));
    EXPECT_FALSE(rec.isRecording());
    ASSERT_EQ(failures.size(), 2);
    EXPECT_TRUE(failures[1].contains("Recording stopped"));
    rec.stop();
    EXPECT_EQ(failures.size(), 2);
}

TEST(RawRecording, FolderNamesAreSafe)
{
    const struct {
        const char* in;
        const char* out;
    } cases[] = {{"Front door", "Front door"}, {"a/b\\c", "a_b_c"}, {"..", "__"}, {"../../etc", "______etc"},
                 {"", "DVR"},   {" ", "DVR"},      {"x\x01y", "x_y"}, {"C:", "C_"}};
    for (const auto& c : cases)
        EXPECT_EQ(RecordFolderName(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
    EXPECT_EQ(RecordFileTime(uint32_t(T0)), "20260302_100040");
}
