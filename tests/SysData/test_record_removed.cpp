// Recordings whose folder or file is removed while they run: the writer stops within a couple
// of seconds of the stream's time, names the file and the reason, and puts nothing more into
// what was removed.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include <gtest/gtest.h>

#include "SysData/RecordFiles.h"
#include "SysData/RecordTypes.h"
#include "record_test_util.h"

using namespace rectest;

namespace {

enum class Removed { Folder, File, Replaced };

constexpr char REPLACEMENT[] = "the operator's own file";

// Another file takes the name, as a copy or a save over it does.
bool Replace(const QString& file)
{
    QFile other(file + ".new");
    if (!other.open(QIODevice::WriteOnly) || other.write(REPLACEMENT) < 0)
        return false;
    other.close();
    return ::rename(QFile::encodeName(other.fileName()).constData(), QFile::encodeName(file).constData()) == 0;
}

// Records channel 0 at 10 fps for 5 s, removes the folder or its first data file, and goes on
// for at most 10 s more: the next minute, where the raw writer starts new files, is 15 s away.
struct Removal {
    QString folder;
    QStringList failures;
    int taken = 0;               // frames given to the recorder after the removal while it recorded
    qint64 sizeAtRemoval = -1;   // of the first data file, held open across its removal
    qint64 sizeAfterStop = -1;
    QByteArray heldByTheName;    // what the removed file's name holds after the stop

    Removal(int fileFormat, Removed what)
    {
        Rig rig(fileFormat);
        Stream s(false);
        CRecord rec;
        QObject::connect(&rec, &CRecord::recordFailed, [&](const QString& t) { failures << t; });
        rec.start(QStringLiteral("Yard"), Info(1), 0);
        int i = 0;
        for (; i < 50; ++i)
            rec.writeFrame(false, s.video(i, 0, T0 * 1000 + i * 100));
        folder = rig.record() + "/Yard";
        const QString file = folder + "/" + Files(folder, fileFormat == 1 ? "*.avi" : "*.qvf").value(0);
        const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_CLOEXEC);
        EXPECT_GE(fd, 0) << file.toStdString();
        sizeAtRemoval = Size(fd);
        EXPECT_TRUE(what == Removed::Folder ? QDir(folder).removeRecursively()
                    : what == Removed::File ? QFile::remove(file)
                                            : Replace(file));
        for (; i < 150 && rec.isRecording(); ++i, ++taken)
            rec.writeFrame(false, s.video(i, 0, T0 * 1000 + i * 100));
        rec.stop();
        sizeAfterStop = Size(fd);
        QFile named(file);
        if (named.open(QIODevice::ReadOnly))
            heldByTheName = named.readAll();
        if (fd >= 0)
            ::close(fd);
    }

    static qint64 Size(int fd)
    {
        struct stat st {};
        return fd >= 0 && ::fstat(fd, &st) == 0 ? qint64(st.st_size) : -1;
    }
};

// Said also when the name was taken by another file again, where "no such file" is not true.
const QString REMOVED_OR_REPLACED = QStringLiteral(" (the file was removed or replaced)");

const struct {
    const char* name;
    int fileFormat;
} FORMATS[] = {{"raw", 0}, {"avi", 1}};

}  // namespace

TEST(RemovedRecording, TheWriterStopsWithinTwoSecondsOfItsFolderBeingRemoved)
{
    for (const auto& format : FORMATS) {
        const Removal r(format.fileFormat, Removed::Folder);
        EXPECT_LE(r.taken, 20) << format.name;
    }
}

TEST(RemovedRecording, TheWriterStopsWithinTwoSecondsOfItsFileBeingRemoved)
{
    for (const auto& format : FORMATS) {
        const Removal r(format.fileFormat, Removed::File);
        EXPECT_LE(r.taken, 20) << format.name;
    }
}

TEST(RemovedRecording, TheWriterNamesTheRemovedFileAndTheReason)
{
    for (const auto& format : FORMATS) {
        const Removal r(format.fileFormat, Removed::Folder);
        ASSERT_EQ(r.failures.size(), 1) << format.name;
        EXPECT_TRUE(r.failures[0].startsWith("Recording stopped: Cannot write " + r.folder + "/"))
            << r.failures[0].toStdString();
        EXPECT_TRUE(r.failures[0].endsWith(REMOVED_OR_REPLACED)) << r.failures[0].toStdString();
    }
}

TEST(RemovedRecording, ARemovedFileTakesNoMoreBytes)
{
    for (const auto& format : FORMATS) {
        const Removal r(format.fileFormat, Removed::Folder);
        ASSERT_GT(r.sizeAtRemoval, 0) << format.name;
        EXPECT_LE(r.sizeAfterStop, r.sizeAtRemoval) << format.name;
    }
}

TEST(RemovedRecording, AFileReplacedByAnotherOfTheSameNameIsToldAsRemovedOrReplaced)
{
    for (const auto& format : FORMATS) {
        const Removal r(format.fileFormat, Removed::Replaced);
        ASSERT_EQ(r.failures.size(), 1) << format.name;
        EXPECT_TRUE(r.failures[0].endsWith(REMOVED_OR_REPLACED)) << r.failures[0].toStdString();
    }
}

TEST(RemovedRecording, TheFileThatTookTheNameIsLeftAsItIs)
{
    for (const auto& format : FORMATS) {
        const Removal r(format.fileFormat, Removed::Replaced);
        EXPECT_EQ(r.heldByTheName, QByteArray(REPLACEMENT)) << format.name;
    }
}

namespace {

// A raw recording of two minutes whose second data file is removed 5 s into its minute;
// what is left in the folder once the recorder has stopped.
struct SecondMinuteRemoved {
    QStringList files;
    QStringList indexedPairs;  // the pair named by each minute of the index

    SecondMinuteRemoved()
    {
        Rig rig(0);
        Stream s(false);
        CRecord rec;
        rec.start(QStringLiteral("Yard"), Info(1), 0);
        // 20 s to 10:01:00, where the second pair starts, and 5 s into it.
        int i = 0;
        for (; i < 250; ++i)
            rec.writeFrame(false, s.video(i, 0, T0 * 1000 + i * 100));
        const QString folder = rig.record() + "/Yard";
        EXPECT_TRUE(QFile::remove(folder + "/20260302_100100.qvf"));
        for (; i < 400 && rec.isRecording(); ++i)
            rec.writeFrame(false, s.video(i, 0, T0 * 1000 + i * 100));
        rec.stop();
        files = Files(folder, "*");
        indexedPairs = MinutePairs(folder + "/20260302_100040.qdx");
    }
};

}  // namespace

TEST(RemovedRecording, TheIndexListsNoMinuteWhoseDataFileWasRemoved)
{
    const SecondMinuteRemoved r;
    EXPECT_EQ(r.indexedPairs, QStringList{"20260302_100040"});
}

TEST(RemovedRecording, TheFrameIndexOfARemovedDataFileIsNotLeftBehind)
{
    const SecondMinuteRemoved r;
    EXPECT_EQ(r.files, QStringList({"20260302_100040.qdx", "20260302_100040.qrx", "20260302_100040.qvf"}));
}
