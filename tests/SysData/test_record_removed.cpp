// Recordings whose folder or file is removed while they run: the writer stops within a couple
// of seconds of the stream's time, names the file and the reason, and puts nothing more into
// what was removed.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <gtest/gtest.h>

#include "record_test_util.h"

using namespace rectest;

namespace {

enum class Removed { Folder, File };

// Records channel 0 at 10 fps for 5 s, removes the folder or its first data file, and goes on
// for at most 10 s more: the next minute, where the raw writer starts new files, is 15 s away.
struct Removal {
    QString folder;
    QStringList failures;
    int taken = 0;               // frames given to the recorder after the removal while it recorded
    qint64 sizeAtRemoval = -1;   // of the first data file, held open across its removal
    qint64 sizeAfterStop = -1;

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
        EXPECT_TRUE(what == Removed::Folder ? QDir(folder).removeRecursively() : QFile::remove(file));
        for (; i < 150 && rec.isRecording(); ++i, ++taken)
            rec.writeFrame(false, s.video(i, 0, T0 * 1000 + i * 100));
        rec.stop();
        sizeAfterStop = Size(fd);
        if (fd >= 0)
            ::close(fd);
    }

    static qint64 Size(int fd)
    {
        struct stat st {};
        return fd >= 0 && ::fstat(fd, &st) == 0 ? qint64(st.st_size) : -1;
    }
};

QString NoSuchFile() { return QString::fromLocal8Bit(std::strerror(ENOENT)); }

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
        EXPECT_TRUE(r.failures[0].endsWith(" (" + NoSuchFile() + ")")) << r.failures[0].toStdString();
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
