// Recordings on a disk that fills up. The process's file size limit makes writes past it fail
// (EFBIG) as a full disk makes them fail (ENOSPC), for real and without root.

#include <sys/resource.h>

#include <csignal>
#include <cstring>

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtEndian>

#include <gtest/gtest.h>

#include "Playback/LocalFiles.h"
#include "SysData/RecordFiles.h"
#include "record_test_util.h"
#include "support/FileSizeLimit.h"

using namespace rectest;

namespace {

QString TooLarge() { return QString::fromLocal8Bit(std::strerror(EFBIG)); }

QStringList EmptyFiles(const QString& folder)
{
    QStringList out;
    for (const QFileInfo& f : QDir(folder).entryInfoList(QDir::Files))
        if (f.size() == 0)
            out << f.fileName();
    return out;
}

// Records until the recorder stops on its own (at most `frames` video frames); the texts it
// stopped with.
QStringList RecordUntilFull(CRecord& rec, const Stream& s, rlim_t limit, int frames = 3000)
{
    QStringList failures;
    QObject context;
    QObject::connect(&rec, &CRecord::recordFailed, &context, [&](const QString& t) { failures << t; });
    {
        FileSizeLimit full(limit);
        for (int i = 0; i < frames && rec.isRecording(); ++i) {
            rec.writeFrame(s.old, s.video(i, 0, T0 * 1000 + i * 100));
            rec.writeFrame(s.old, s.audio(i, 0, T0 * 1000 + i * 100 + 50));
        }
    }
    rec.stop();
    return failures;
}

// The four-character codes of a RIFF file's top-level chunks ("LIST movi" for lists); empty
// when the RIFF header does not give the file's size.
QStringList RiffChunks(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray b = f.readAll();
    if (b.size() < 12 || !b.startsWith("RIFF") || qFromLittleEndian<quint32>(b.constData() + 4) + 8 != quint64(b.size()))
        return {};
    QStringList out;
    for (qsizetype at = 12; at + 8 <= b.size();) {
        const quint32 size = qFromLittleEndian<quint32>(b.constData() + at + 4);
        QString id = QString::fromLatin1(b.mid(at, 4));
        if (id == "LIST")
            id += " " + QString::fromLatin1(b.mid(at + 8, 4));
        out << id;
        at += 8 + qsizetype(size) + (size & 1);
    }
    return out;
}

// ffprobe's view of a file's video: frames its header counts, frames read, its duration.
struct Probe {
    int headerFrames = -1, readFrames = -1;
    double duration = 0;
};

Probe ProbeVideo(const QString& path)
{
    QProcess p;
    p.start("ffprobe", {"-v", "error", "-select_streams", "v", "-count_frames", "-show_entries",
                        "stream=nb_frames,nb_read_frames,duration", "-of", "json", path});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    const QJsonObject root = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    const QJsonObject video = root["streams"].toArray().at(0).toObject();
    return {video["nb_frames"].toString("-1").toInt(), video["nb_read_frames"].toString("-1").toInt(),
            video["duration"].toString().toDouble()};
}

// AVI at 10 fps: channel 2 sends a key frame and four more, then nothing; channel 1 goes on
// with its audio until the disk is full.
struct AviOnAFullDisk {
    Rig rig{1, true};
    Stream s{false};
    QStringList failures;
    int written = 0;  // video frames of channel 1 taken before the failure
    QString folder = rig.record() + "/Yard";

    AviOnAFullDisk()
    {
        CRecord rec;
        QObject::connect(&rec, &CRecord::recordFailed, [&](const QString& t) { failures << t; });
        rec.start(QStringLiteral("Yard"), Info(2), 0);
        {
            FileSizeLimit full(1536 * 1024);
            for (int i = 0; i < 5; ++i)
                rec.writeFrame(false, s.video(30 + i, 1, T0 * 1000 + i * 100));
            for (int i = 0, a = 0; i < 3000 && rec.isRecording(); ++i) {
                rec.writeFrame(false, s.video(i, 0, T0 * 1000 + i * 100));
                written += rec.isRecording();
                for (; a * 40 < (i + 1) * 100 && rec.isRecording(); ++a)
                    rec.writeFrame(false, s.audio(a, 0, T0 * 1000 + a * 40));
            }
        }
        rec.stop();
    }
};

}  // namespace

TEST(FullDisk, TheRawWriterNamesTheReason)
{
    Rig rig;
    Stream s(true);
    CRecord rec;
    rec.start(QStringLiteral("Yard"), Info(1, 14), 0);
    const QStringList failures = RecordUntilFull(rec, s, 200 * 1024);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].contains(".qvf (" + TooLarge() + ")")) << failures[0].toStdString();
}

TEST(FullDisk, ARawRecordingThatCannotWriteItsFirstFrameLeavesNoFiles)
{
    Rig rig;
    Stream s(false);
    CRecord rec;
    rec.start(QStringLiteral("Yard"), Info(1), 0);
    RecordUntilFull(rec, s, 300);
    EXPECT_EQ(QDir(rig.record() + "/Yard").entryList(QDir::Files), QStringList());
}

TEST(FullDisk, TheAviWriterNamesTheReason)
{
    AviOnAFullDisk r;
    ASSERT_EQ(r.failures.size(), 1);
    EXPECT_TRUE(r.failures[0].contains("_01.avi (" + TooLarge() + ")")) << r.failures[0].toStdString();
}

TEST(FullDisk, EveryAviFileIsLeftWithItsIndex)
{
    AviOnAFullDisk r;
    const QStringList files = Files(r.folder, "*.avi");
    ASSERT_EQ(files, QStringList({"20260302_100040_01.avi", "20260302_100040_02.avi"}));
    for (const QString& file : files)
        EXPECT_TRUE(RiffChunks(r.folder + "/" + file).contains("idx1")) << file.toStdString();
}

TEST(FullDisk, EveryAviFileIsLeftWithItsFrameCountAndDuration)
{
    AviOnAFullDisk r;
    ASSERT_GT(r.written, 100);
    const struct {
        const char* file;
        int frames;
    } cases[] = {{"20260302_100040_01.avi", r.written}, {"20260302_100040_02.avi", 5}};
    for (const auto& c : cases) {
        const Probe p = ProbeVideo(r.folder + "/" + c.file);
        EXPECT_EQ(p.readFrames, c.frames) << c.file;
        EXPECT_EQ(p.headerFrames, c.frames) << c.file;
        EXPECT_NEAR(p.duration, c.frames / 10.0, 0.15) << c.file;
    }
}

TEST(FullDisk, NoEmptyFileIsLeft)
{
    AviOnAFullDisk r;
    EXPECT_EQ(EmptyFiles(r.folder), QStringList());
}
