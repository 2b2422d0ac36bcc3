// A list changed on disk behind the program's back, by hand or by another copy of the program,
// and the temporary files of a save that was cut short.

#include <csignal>
#include <cstdlib>
#include <ctime>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Common/PBFile.h"
#include "pb_file_support.h"
#include "GroupList.pb.h"

using pbtest::ReadBytes;
using pbtest::WriteBytes;

namespace {

// A list of one group of the given name and DVRs; many make it larger than a save killed at
// 4 KiB can write.
GroupList ListOf(const std::string& name, int dvrs = 1)
{
    GroupList list;
    Group* group = list.add_group();
    group->set_name(name);
    for (int i = 0; i < dvrs; ++i)
        group->add_dvr()->set_name("DVR number " + std::to_string(i));
    return list;
}

std::string FileOf(const GroupList& list)
{
    return PB_DVRLIST_FILECODE + list.SerializeAsString();
}

void SetModified(const std::string& path, std::time_t when)
{
    const struct utimbuf times = {when, when};
    ASSERT_EQ(utime(path.c_str(), &times), 0);
}

// Another copy of the program on the same list, in a process of its own: it reads the list
// as it starts and saves a list of its own when told to.
class OtherCopy {
public:
    OtherCopy(const std::string& path, const GroupList& list)
    {
        int go[2], ready[2];
        if (pipe(go) != 0 || pipe(ready) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            close(go[1]);
            close(ready[0]);
            GroupList held;
            CPBFile(path, PB_DVRLIST_FILECODE).Load(&held);
            char byte = 0;
            const bool told = write(ready[1], &byte, 1) == 1 && read(go[0], &byte, 1) == 1;
            std::_Exit(told && CPBFile(path, PB_DVRLIST_FILECODE).Save(list) ? 0 : 1);
        }
        m_go = go[1];
        close(go[0]);
        close(ready[1]);
        char byte = 0;
        m_started = m_pid > 0 && read(ready[0], &byte, 1) == 1;
        close(ready[0]);
    }
    ~OtherCopy()
    {
        close(m_go);  // a copy never told to save ends on its own
        if (m_pid > 0)
            waitpid(m_pid, nullptr, 0);
    }
    bool started() const { return m_started; }
    // True when it saved.
    bool save()
    {
        if (m_pid <= 0)
            return false;
        char byte = 0;
        int status = 0;
        const bool ran = write(m_go, &byte, 1) == 1 && waitpid(m_pid, &status, 0) == m_pid;
        m_pid = -1;
        return ran && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

private:
    pid_t m_pid = -1;
    int m_go = -1;
    bool m_started = false;
};

class ListChangedOnDiskTest : public ::testing::Test {
protected:
    void SetUp() override { m_path = QFile::encodeName(m_dir.filePath("DVRlist.pb")).toStdString(); }
    void load()
    {
        GroupList list;
        ::testing::internal::CaptureStderr();  // a missing list is complained of
        CPBFile(m_path, PB_DVRLIST_FILECODE).Load(&list);
        ::testing::internal::GetCapturedStderr();
    }
    CPBFile::SaveReport save(const GroupList& list)
    {
        CPBFile::SaveReport report;
        EXPECT_TRUE(CPBFile(m_path, PB_DVRLIST_FILECODE).Save(list, &report));
        return report;
    }
    std::string pathOf(const QString& name) const { return QFile::encodeName(m_dir.filePath(name)).toStdString(); }
    QStringList entries(const QString& pattern = QStringLiteral("*")) const
    {
        return QDir(m_dir.path()).entryList({pattern}, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                           QDir::Name);
    }
    // Whether one of the copies kept as changed holds these bytes.
    bool keptAsChanged(const std::string& bytes) const
    {
        for (const QString& name : entries(QStringLiteral("DVRlist.pb.changed-*")))
            if (ReadBytes(pathOf(name)) == bytes)
                return true;
        return false;
    }
    QTemporaryDir m_dir;
    std::string m_path;
};

}  // namespace

TEST_F(ListChangedOnDiskTest, AListChangedSinceItWasReadIsKeptWithTheChangedBytes)
{
    WriteBytes(m_path, FileOf(ListOf("Read")));
    load();
    WriteBytes(m_path, FileOf(ListOf("Changed elsewhere")));
    EXPECT_EQ(ReadBytes(save(ListOf("Saved")).keptAs), FileOf(ListOf("Changed elsewhere")));
}

TEST_F(ListChangedOnDiskTest, AListChangedSinceItWasSavedIsKept)
{
    save(ListOf("Saved"));
    WriteBytes(m_path, FileOf(ListOf("Changed elsewhere")));
    EXPECT_EQ(ReadBytes(save(ListOf("Saved again")).keptAs), FileOf(ListOf("Changed elsewhere")));
}

TEST_F(ListChangedOnDiskTest, AListMadeWhereNoneWasFoundIsKept)
{
    load();
    WriteBytes(m_path, FileOf(ListOf("Made elsewhere")));
    EXPECT_EQ(ReadBytes(save(ListOf("Saved")).keptAs), FileOf(ListOf("Made elsewhere")));
}

TEST_F(ListChangedOnDiskTest, TheCopyIsNamedForTheChangedFilesModificationTime)
{
    save(ListOf("Saved"));
    WriteBytes(m_path, FileOf(ListOf("Changed elsewhere")));
    const std::time_t modified = 1700000000;
    SetModified(m_path, modified);
    const std::string stamp = QDateTime::fromSecsSinceEpoch(modified).toString("yyyyMMdd-HHmmss").toStdString();
    EXPECT_EQ(save(ListOf("Saved again")).keptAs, m_path + ".changed-" + stamp);
}

TEST_F(ListChangedOnDiskTest, AListUnchangedSinceItWasReadMakesNoCopy)
{
    WriteBytes(m_path, FileOf(ListOf("Read")));
    load();
    save(ListOf("Saved"));
    EXPECT_EQ(entries(), QStringList{"DVRlist.pb"});
}

TEST_F(ListChangedOnDiskTest, AListTouchedButNotChangedMakesNoCopy)
{
    save(ListOf("Saved"));
    SetModified(m_path, std::time(nullptr) + 3600);
    save(ListOf("Saved again"));
    EXPECT_EQ(entries(), QStringList{"DVRlist.pb"});
}

TEST_F(ListChangedOnDiskTest, AListWrittenAgainWithTheSameBytesMakesNoCopy)
{
    WriteBytes(m_path, FileOf(ListOf("Read")));
    load();
    ASSERT_TRUE(QFile::remove(QFile::decodeName(m_path.c_str())));
    WriteBytes(m_path, FileOf(ListOf("Read")));
    save(ListOf("Saved"));
    EXPECT_EQ(entries(), QStringList{"DVRlist.pb"});
}

// This copy and another both read the list; this one saves, then the other, then this one
// again.
class TwoCopiesTest : public ListChangedOnDiskTest {
protected:
    void SetUp() override
    {
        ListChangedOnDiskTest::SetUp();
        WriteBytes(m_path, FileOf(ListOf("Both read")));
        load();
        OtherCopy other(m_path, ListOf("Other"));
        ASSERT_TRUE(other.started());
        save(ListOf("This"));
        ASSERT_TRUE(other.save());
        save(ListOf("This again"));
    }
};

TEST_F(TwoCopiesTest, TheOtherCopysSaveKeepsWhatThisOneSaved)
{
    EXPECT_TRUE(keptAsChanged(FileOf(ListOf("This"))));
}

TEST_F(TwoCopiesTest, ThisCopysNextSaveKeepsWhatTheOtherSaved)
{
    EXPECT_TRUE(keptAsChanged(FileOf(ListOf("Other"))));
}

// Saves that are killed, as by a power cut, where they write their temporary file.
class InterruptedSaveTest : public ListChangedOnDiskTest {
protected:
    void SetUp() override
    {
        ListChangedOnDiskTest::SetUp();
        WriteBytes(m_path, FileOf(ListOf("Read")));
        load();
    }
    void saveKilledAt4KiB(const GroupList& list)
    {
        const std::string path = m_path;
        const auto saveUntilKilled = [&] {
            const struct rlimit noCore = {0, 0}, limit = {4096, 4096};
            std::signal(SIGXFSZ, SIG_DFL);
            if (setrlimit(RLIMIT_CORE, &noCore) != 0 || setrlimit(RLIMIT_FSIZE, &limit) != 0)
                std::_Exit(3);
            (void)CPBFile(path, PB_DVRLIST_FILECODE).Save(list);
            std::_Exit(0);
        };
        EXPECT_EXIT(saveUntilKilled(), ::testing::KilledBySignal(SIGXFSZ), "");
    }
};

TEST_F(InterruptedSaveTest, TheTemporaryListIsRemovedAtTheNextLoad)
{
    saveKilledAt4KiB(ListOf("Big", 500));
    ASSERT_EQ(entries("DVRlist.pb.saving-*").size(), 1);
    load();
    EXPECT_EQ(entries(), QStringList{"DVRlist.pb"});
}

TEST_F(InterruptedSaveTest, TheTemporaryCopyOfAChangedListIsRemovedAtTheNextLoad)
{
    WriteBytes(m_path, FileOf(ListOf("Changed elsewhere", 500)));
    saveKilledAt4KiB(ListOf("Saved"));
    ASSERT_EQ(entries("DVRlist.pb.changed-*.saving-*").size(), 1);
    load();
    EXPECT_EQ(entries(), QStringList{"DVRlist.pb"});
}

TEST_F(InterruptedSaveTest, OnlyTheTemporariesOfThisListAreRemoved)
{
    const QStringList others = {"DVRlist.pb",
                                "DVRlist.pb.changed-20240102-030405",
                                "DVRlist.pb.damaged-20240102-030405-2",
                                "DVRlist.pb.unread-20240102-030405",
                                "DVRlist.pb.backup",
                                "DVRlist.pb.Ab12Cd",
                                "DVRlist.pb.saving-Ab12C",
                                "DVRlist.pb.saving-Ab12Cde",
                                "DVRlist.pb.old.saving-Ab12Cd",
                                "DVRlist.pb.changed-2024.saving-Ab12Cd",
                                "My DVRlist.pb.saving-Ab12Cd",
                                "EMaplist.pb.saving-Ab12Cd"};
    for (const QString& name : others.mid(1))
        WriteBytes(pathOf(name), FileOf(ListOf("Not a temporary of this list")));
    saveKilledAt4KiB(ListOf("Big", 500));
    load();
    QStringList expected = others;
    expected.sort();
    EXPECT_EQ(entries(), expected);
}

TEST_F(InterruptedSaveTest, ATemporaryAnotherCopyIsStillWritingStays)
{
    const std::string temp = pathOf("DVRlist.pb.saving-Ab12Cd");
    WriteBytes(temp, FileOf(ListOf("Being written")));
    const int fd = open(temp.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(flock(fd, LOCK_EX), 0);
    load();
    close(fd);
    EXPECT_EQ(ReadBytes(temp), FileOf(ListOf("Being written")));
}
