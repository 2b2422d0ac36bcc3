#include <gtest/gtest.h>

#include "Common/SearchDataParser.h"
#include "Playback/LocalFiles.h"
#include "SysData/CreateRaw.h"
#include "SysData/RecordFiles.h"
#include "SysData/RecordTypes.h"
#include "record_test_util.h"

using namespace rectest;

namespace {

// Frames with their time stamps (ms): channels 0 and 2 at 10 fps from T0 for 100 s (three
// minutes of the clock), audio on channel 0 every 33 ms; channel 2 reason 2 in the middle
// minute, channel 0 reason 0.
std::vector<std::pair<QByteArray, int64_t>> ThreeMinutes(const Stream& s)
{
    std::vector<std::pair<QByteArray, int64_t>> out;
    for (int i = 0; i < 1000; ++i) {
        const int64_t ms = T0 * 1000 + i * 100;
        const bool middle = ms / 60000 == (T0 + 20) / 60;
        out.emplace_back(s.video(i, 0, ms, 0), ms);
        out.emplace_back(s.video(i, 2, ms + 5, middle ? 2 : 1), ms + 5);
        for (int a = 0; a < 3; ++a)
            out.emplace_back(s.audio(i * 3 + a, 0, ms + a * 33), ms + a * 33);
    }
    return out;
}

}  // namespace

TEST(RawRecording, ThreeMinutesSplitIndexedAndSearchable)
{
    for (const bool old : {false, true}) {
        Rig rig;
        Stream s(old);
        const auto frames = ThreeMinutes(s);
        CRecord rec;
        rec.start(QStringLiteral("Lobby/../x"), Info(4), 0);
        ASSERT_TRUE(rec.isRecording());
        for (const auto& frame : frames)
            rec.writeFrame(old, frame.first);
        rec.stop();

        const QString folder = rig.record() + "/Lobby____x";
        EXPECT_EQ(rec.folder(), folder);
        EXPECT_EQ(Files(folder, "*.qdx"), QStringList{"20260302_100040.qdx"});
        const QStringList pairs = {"20260302_100040", "20260302_100100", "20260302_100200"};
        EXPECT_EQ(RawFileBases(folder), pairs);

        // Every frame once, in order, through the index.
        size_t next = 0;
        for (const QString& base : pairs) {
            CRawFile f;
            ASSERT_TRUE(f.open(folder, base)) << f.error().toStdString();
            const recfile::QvfFileHeader& h = f.header();
            EXPECT_EQ(std::make_tuple(h.old_protocol, h.protocol_type, std::string(h.dvr_name) + " " + h.titles[3]),
                      std::make_tuple(old ? 1 : 0, old ? 2 : 1, std::string("Lobby/../x CAM4")));
            for (size_t i = 0; i < f.index().size(); ++i, ++next) {
                QByteArray bytes;
                ASSERT_TRUE(f.readFrame(i, &bytes));
                ASSERT_LT(next, frames.size());
                EXPECT_EQ(bytes, frames[next].first) << next;
                const uint32_t sec = f.index()[i].time_sec;  // in the file of its minute
                EXPECT_EQ(std::make_pair(sec, sec / 60),
                          std::make_pair(uint32_t(frames[next].second / 1000), RawFileTime(base) / 60));
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
            // Channel 0's frames carry reason 0: a channel with frames shows on the time line.
            EXPECT_EQ(std::make_tuple(r.start_time, r.record_chmask, r.record_reason[0], r.record_reason[1],
                                      r.record_reason[2]),
                      std::make_tuple(uint32_t((T0 / 60 + m) * 60), 0x5u, 1, 0, m == 1 ? 2 : 1)) << m;
        }

        CSearchDataParser parser(false);
        EXPECT_TRUE(LocalSearch(folder, &parser).isEmpty());
        ASSERT_EQ(parser.getHourSet().size(), 1u);
        const CMinData& grid = parser.getMinData().at(CDateHour(CDate(2026, 3, 2), 10));
        EXPECT_EQ(std::vector<int>(grid.GetData(2), grid.GetData(2) + 4), std::vector<int>({1, 2, 1, 0}));
        EXPECT_TRUE(grid.GetData(0)[2] == 1 && grid.GetData(1)[1] == 0);
    }
}

// A cut recording (a crash in the middle of the last frame) plays to its last whole frame.
TEST(RawRecording, DamagedAndForeignFilesAreRefusedACutOneIsRead)
{
    Rig rig;
    Stream s(false);
    CRecord rec;
    rec.start(QStringLiteral("Bad"), Info(1), 0);
    for (int i = 0; i < 10; ++i)
        rec.writeFrame(false, s.video(i, 0, T0 * 1000 + i * 40));
    rec.stop();
    const QString folder = rig.record() + "/Bad", base = RawFileBases(folder).value(0);
    const QString qvf = folder + "/" + base + ".qvf", qrx = folder + "/" + base + ".qrx";
    CRawFile whole;
    ASSERT_TRUE(whole.open(folder, base) && whole.index().size() == 10u);
    const qint64 cut = qint64(whole.index().back().offset + whole.index().back().length / 2);
    whole.close();
    for (const QString& file : {qvf, qrx})
        QFile::copy(file, file + ".orig");

    // What is damaged, where (negative: cut to that size), the bytes written there, the error,
    // the frames indexed.
    const qint64 rec0 = sizeof(recfile::QrxFileHeader);
    const struct { const char* what; QString path; qint64 at; QByteArray bytes; const char* error; size_t indexed; }
        cases[] = {
        {"foreign .qvf", qvf, 0, "RIFF", "not a recording file", 0},
        {"truncated .qrx header", qrx, -20, {}, "not a recording file", 0},
        {"index out of order", qrx, rec0 + 36, QByteArray(8, '\x01'), "damaged index", 0},
        {"channel past 16", qrx, rec0 + 20, "\x20", "damaged index", 0},
        {"frame header broken", qvf, sizeof(recfile::QvfFileHeader), QByteArray(8, '\xEE'), "damaged frame", 10},
        // Backwards or fast, the player would hand the last frame out as a key frame.
        {"delta frame indexed as a key frame", qrx, rec0 + 9 * qint64(sizeof(recfile::QrxIndexRecord)) + 21,
         QByteArray(1, '\0'), "damaged frame", 10},
        {"cut in the last frame", qvf, -cut, {}, "", 9},
    };
    for (const auto& c : cases) {
        for (const QString& file : {qvf, qrx})
            ASSERT_TRUE(QFile::remove(file) && QFile::copy(file + ".orig", file));
        QFile damaged(c.path);
        ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
        ASSERT_TRUE(c.at < 0 ? damaged.resize(-c.at) : damaged.seek(c.at) && damaged.write(c.bytes) == c.bytes.size());
        damaged.close();
        CRawFile f;
        QByteArray frame;
        const bool read = f.open(folder, base) && f.readFrame(0, &frame) && f.readFrame(f.index().size() - 1, &frame);
        EXPECT_EQ(read, *c.error == '\0') << c.what;
        EXPECT_TRUE(f.error().contains(c.error)) << c.what << " " << f.error().toStdString();
        EXPECT_EQ(f.index().size(), c.indexed) << c.what;
    }

    // The local search reads the good index and names the foreign and the short one.
    for (const auto& [name, text] :
         {std::pair{"/notes.qdx", "hello, this is not an index at all"}, {"/short.qdx", ""}}) {
        QFile index(folder + name);
        ASSERT_TRUE(index.open(QIODevice::WriteOnly) && index.write(text) >= 0);
    }
    CSearchDataParser parser(false);
    EXPECT_EQ(LocalSearch(folder, &parser).size(), 2);
    EXPECT_EQ(parser.getHourSet().size(), 1u);
}

TEST(RawRecording, UnwritableFolderReportsAndRecordsNothing)
{
    Rig rig;
    Stream s(false);
    // The record folder's place is taken by a file.
    ASSERT_TRUE(QFile(rig.record()).open(QIODevice::WriteOnly));
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
    const std::pair<const char*, const char*> cases[] = {
        {"Front door", "Front door"}, {"a/b\\c", "a_b_c"}, {"..", "__"}, {"../../etc", "______etc"},
        {"", "DVR"}, {" ", "DVR"}, {"x\x01y", "x_y"}, {"C:", "C_"}};
    for (const auto& [in, out] : cases)
        EXPECT_EQ(RecordFolderName(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;
    EXPECT_EQ(RecordFileTime(uint32_t(T0)), "20260302_100040");
}

TEST(RawRecording, ABackupKeepsAudioStampedAfterItsEnd)
{
    Rig rig;
    Stream s(true);
    CRecord rec;
    rec.start(QStringLiteral("Yard"), Info(1, 14), T0 + 2);
    for (int i = 0; i < 20; ++i)
        rec.writeFrame(true, s.video(i, 0, T0 * 1000 + i * 100));
    // The audio stream's own clock runs a few seconds ahead of the recording.
    for (int a = 0; a < 3; ++a)
        rec.writeFrame(true, s.audio(a, 0, (T0 + 5) * 1000 + a * 400));
    rec.stop();
    int audio = 0;
    const QString folder = rig.backup() + "/Yard";
    for (const QString& base : RawFileBases(folder)) {
        CRawFile f;
        ASSERT_TRUE(f.open(folder, base)) << f.error().toStdString();
        for (const recfile::QrxIndexRecord& r : f.index())
            audio += r.type == FRAME_AUDIO;
    }
    EXPECT_EQ(audio, 3);
}

namespace {

// The minute records of a .qdx file.
std::vector<QdxMinuteRecord> MinuteRecords(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray all = f.readAll().mid(sizeof(recfile::QdxHeader));
    std::vector<QdxMinuteRecord> out(size_t(all.size()) / sizeof(QdxMinuteRecord));
    if (!out.empty())
        memcpy(out.data(), all.constData(), out.size() * sizeof(QdxMinuteRecord));
    return out;
}

// Audio frames in each pair of a folder.
std::vector<int> AudioPerPair(const QString& folder)
{
    std::vector<int> out;
    for (const QString& base : RawFileBases(folder)) {
        CRawFile f;
        out.push_back(0);
        if (f.open(folder, base))
            for (const recfile::QrxIndexRecord& r : f.index())
                out.back() += r.type == FRAME_AUDIO;
    }
    return out;
}

// An old DVR's clock of today, while the video it sends was recorded months ago.
constexpr int64_t PRESENT_MS = (T0 + 200 * 86400 + 17) * 1000;

// 100 s of video from T0 (three minutes) at 10 fps, with an audio frame every 400 ms stamped
// by another clock.
void RecordVideoWithAudioOfAnotherClock(CRecord& rec, const Stream& s)
{
    for (int i = 0, a = 0; i < 1000; ++i) {
        rec.writeFrame(true, s.video(i, 0, T0 * 1000 + i * 100));
        if (i % 4 == 3)
            rec.writeFrame(true, s.audio(a, 0, PRESENT_MS + a * 400)), ++a;
    }
}

}  // namespace

TEST(RawRecording, AudioOnAnotherClockGoesIntoThePairsOfItsVideosMinutes)
{
    Rig rig;
    Stream s(true);
    CRecord rec;
    rec.start(QStringLiteral("Yard"), Info(1, 14), T0 + 100);
    RecordVideoWithAudioOfAnotherClock(rec, s);
    rec.stop();
    const QString folder = rig.backup() + "/Yard";
    EXPECT_EQ(RawFileBases(folder), QStringList({"20260302_100040", "20260302_100100", "20260302_100200"}));
    EXPECT_EQ(AudioPerPair(folder), std::vector<int>({50, 150, 50}));
}

TEST(RawRecording, AudioOnAnotherClockLeavesTheMinuteIndexToTheVideo)
{
    Rig rig;
    Stream s(true);
    CRecord rec;
    rec.start(QStringLiteral("Yard"), Info(1, 14), 0);
    RecordVideoWithAudioOfAnotherClock(rec, s);
    rec.stop();
    std::vector<std::pair<uint32_t, uint32_t>> minutes;
    for (const QdxMinuteRecord& r : MinuteRecords(rig.record() + "/Yard/20260302_100040.qdx"))
        minutes.emplace_back(r.start_time, r.end_time);
    const uint32_t m0 = uint32_t(T0 / 60 * 60);
    EXPECT_EQ(minutes, (std::vector<std::pair<uint32_t, uint32_t>>{
                           {m0, m0 + 59}, {m0 + 60, m0 + 119}, {m0 + 120, uint32_t(T0 + 99)}}));
}

TEST(RawRecording, AudioBeforeTheFirstVideoFrameGoesIntoTheVideosFirstPair)
{
    Rig rig;
    Stream s(true);
    CRecord rec;
    rec.start(QStringLiteral("Yard"), Info(1, 14), 0);
    for (int a = 0; a < 3; ++a)
        rec.writeFrame(true, s.audio(a, 0, PRESENT_MS + a * 400));
    for (int i = 0; i < 20; ++i)
        rec.writeFrame(true, s.video(i, 0, T0 * 1000 + i * 100));
    rec.stop();
    const QString folder = rig.record() + "/Yard";
    EXPECT_EQ(Files(folder, "*.q*"), QStringList({"20260302_100040.qdx", "20260302_100040.qrx", "20260302_100040.qvf"}));
    EXPECT_EQ(AudioPerPair(folder), std::vector<int>({3}));
}

TEST(RawRecording, TwoBackupsOfOneSecondEachIndexTheirOwnPairs)
{
    Rig rig;
    Stream s(false);
    for (int backup = 0; backup < 2; ++backup) {
        CRecord rec;
        rec.start(QStringLiteral("Yard"), Info(1), T0 + 30);
        for (int i = 0; i < 300; ++i)  // 30 s: into the next minute
            rec.writeFrame(false, s.video(i, 0, T0 * 1000 + i * 100));
        rec.stop();
    }
    const QString folder = rig.backup() + "/Yard";
    ASSERT_EQ(Files(folder, "*.qdx"), QStringList({"20260302_100040.qdx", "20260302_100041.qdx"}));
    QStringList named;
    for (const QString& qdx : Files(folder, "*.qdx"))
        for (const QdxMinuteRecord& r : MinuteRecords(folder + "/" + qdx)) {
            recfile::QdxMinuteExtra extra;
            memcpy(&extra, r.extra, sizeof extra);
            named << qdx.left(15) + ": " + RecordFileTime(extra.file_time);
        }
    EXPECT_EQ(named, QStringList({"20260302_100040: 20260302_100040", "20260302_100040: 20260302_100100",
                                  "20260302_100041: 20260302_100041", "20260302_100041: 20260302_100101"}));
}

TEST(RawRecording, AnIndexFileOfTheSameNameIsNotOverwritten)
{
    Rig rig;
    Stream s(false);
    const QString folder = rig.record() + "/Yard";
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile other(folder + "/20260302_100040.qdx");
    ASSERT_TRUE(other.open(QIODevice::WriteOnly) && other.write("kept") == 4);
    other.close();
    CRecord rec;
    rec.start(QStringLiteral("Yard"), Info(1), 0);
    for (int i = 0; i < 20; ++i)
        rec.writeFrame(false, s.video(i, 0, T0 * 1000 + i * 100));
    rec.stop();
    ASSERT_TRUE(other.open(QIODevice::ReadOnly));
    EXPECT_EQ(other.readAll(), QByteArray("kept"));
}

TEST(RawRecording, AudioHeldWhenAWriteFailedDoesNotCountInTheNextRecording)
{
    Rig rig;
    Stream s(true);
    CCreateRaw raw;
    const RecordDvr dvr = RecordDvr::FromInfo(QStringLiteral("Yard"), Info(1, 14));
    auto put = [&](const QByteArray& f) {
        return raw.writeFrame(true, reinterpret_cast<const unsigned char*>(f.constData()), size_t(f.size()));
    };
    // Nearly as much audio as is held back for video, then a video frame that cannot be written.
    raw.open(rig.record() + "/missing", dvr);
    const size_t frame = size_t(s.audio(0, 0, PRESENT_MS).size());
    for (int a = 0; (a + 2) * frame < CCreateRaw::FLUSH_BYTES; ++a)
        ASSERT_TRUE(put(s.audio(a, 0, PRESENT_MS + a * 400)));
    ASSERT_FALSE(put(s.video(0, 0, T0 * 1000)));

    const QString folder = rig.record() + "/Yard";
    ASSERT_TRUE(QDir().mkpath(folder));
    raw.open(folder, dvr);
    for (int a = 0; a < 3; ++a)
        ASSERT_TRUE(put(s.audio(a, 0, PRESENT_MS + a * 400)));
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(put(s.video(i, 0, T0 * 1000 + i * 100)));
    ASSERT_TRUE(raw.close());
    EXPECT_EQ(AudioPerPair(folder), std::vector<int>({3}));
}
