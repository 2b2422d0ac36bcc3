#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Common/PBFile.h"
#include "pb_file_support.h"
#include "support/FifoSupport.h"
#include "GroupList.pb.h"

namespace {
using pbtest::ReadBytes;
using pbtest::WriteBytes;

unsigned int modeOf(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? st.st_mode & 0777 : 01000;
}

GroupList sampleList()
{
    GroupList list;
    Group* office = list.add_group();
    office->set_name("Office");
    DVR* front = office->add_dvr();
    front->set_name("Front door");
    front->set_port(80);  // explicitly set to its default: presence must survive
    front->set_password("secret");
    front->add_chname("카메라 2");
    office->add_dvr()->set_old_protocol(true);
    list.add_group()->set_name("Empty group");
    list.add_group()->add_dvr()->set_name("Till");
    return list;
}

class PBFileTest : public ::testing::Test {
protected:
    void SetUp() override { m_path = QFile::encodeName(m_dir.filePath("DVRlist.pb")).toStdString(); }
    // Each returns what was printed on stderr.
    std::string load(GroupList* list)
    {
        ::testing::internal::CaptureStderr();
        CPBFile(m_path, PB_DVRLIST_FILECODE).Load(list);
        return ::testing::internal::GetCapturedStderr();
    }
    std::string save(const GroupList& list, const std::string& path = {})
    {
        ::testing::internal::CaptureStderr();
        m_saved = CPBFile(path.empty() ? m_path : path, PB_DVRLIST_FILECODE).Save(list);
        return ::testing::internal::GetCapturedStderr();
    }
    QStringList folderEntries() const
    {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    // The copies of damaged lists kept beside the list.
    QStringList keptCopies() const { return QDir(m_dir.path()).entryList({"DVRlist.pb.damaged-*"}, QDir::Files); }
    // The kept copy holding these bytes, empty for none.
    std::string keptCopyOf(const std::string& bytes) const
    {
        for (const QString& name : keptCopies()) {
            const std::string path = QFile::encodeName(m_dir.filePath(name)).toStdString();
            if (ReadBytes(path) == bytes)
                return path;
        }
        return std::string();
    }
    QTemporaryDir m_dir;
    std::string m_path;
    bool m_saved = false;  // what the last save() returned
};
}  // namespace

TEST_F(PBFileTest, RoundTripAndUnreadableFilesLeftAloneAndKeptUnderTheirOwnName)
{
    GroupList list;
    EXPECT_EQ(load(&list), "error: file open error " + m_path + "\n");
    EXPECT_TRUE(folderEntries().isEmpty());  // loading must not create the file
    EXPECT_TRUE(save(sampleList()).empty() && m_saved);
    const std::string whole = "DVRLIST_PB" + sampleList().SerializeAsString();
    EXPECT_EQ(ReadBytes(m_path), whole);
    EXPECT_EQ(load(&list), "");
    EXPECT_EQ(list.SerializeAsString(), sampleList().SerializeAsString());
    EXPECT_TRUE(list.group(0).dvr(0).has_port() && !list.group(0).dvr(1).has_port());
    save(GroupList());
    EXPECT_TRUE(keptCopies().isEmpty());  // a good list is replaced without a copy
    const std::string truncated = whole.substr(0, whole.size() - 3);
    for (const std::string& content : {std::string(), std::string("DVRL"), std::string("dvrlist_pb\x0a\x00", 12),
                                       "XXXXXXXXXX" + whole.substr(10), "EMAPLIST_PB" + whole.substr(10), truncated}) {
        WriteBytes(m_path, content);
        GroupList rejected;
        EXPECT_EQ(load(&rejected), "error: invalid file format " + m_path + "\n") << content.size();
        EXPECT_EQ(ReadBytes(m_path), content);
        // A truncated body keeps the groups read before the damage.
        EXPECT_EQ(rejected.group_size() ? rejected.group(0).SerializeAsString() : "",
                  content == truncated ? sampleList().group(0).SerializeAsString() : "");
        // Kept at once, owner-only, and by the first save when that copy is gone; later
        // saves replace a list that loads and leave the copy alone.
        const std::string kept = keptCopyOf(content);
        EXPECT_TRUE(!kept.empty() && modeOf(kept) == 0600u) << content.size();
        QFile::remove(QFile::decodeName(kept.c_str()));
        EXPECT_EQ(save(GroupList()), "");
        EXPECT_FALSE(keptCopyOf(content).empty()) << content.size();
        EXPECT_EQ(ReadBytes(m_path), std::string("DVRLIST_PB"));
        save(sampleList());
        EXPECT_FALSE(keptCopyOf(content).empty()) << content.size();
    }
    // Every damaged file of the round is still there: a later damage never took a copy's name.
    EXPECT_EQ(keptCopies().size(), 6);
}

TEST_F(PBFileTest, SavesAreOwnerOnlyAndAFailedSaveLeavesTheOldFile)
{
    // A list left world-readable by an earlier version is tightened on the next save.
    const mode_t oldMask = umask(022);
    save(sampleList());
    ASSERT_EQ(chmod(m_path.c_str(), 0644), 0);
    save(sampleList());
    EXPECT_EQ(modeOf(m_path), 0600u);
    umask(oldMask);
    const std::string before = ReadBytes(m_path);
    // Made read-only by the operator: left alone even though root could write it.
    ASSERT_EQ(chmod(m_path.c_str(), 0400), 0);
    EXPECT_EQ(save(GroupList()), "error: file create error " + m_path + "\n");
    EXPECT_FALSE(m_saved);
    EXPECT_EQ(ReadBytes(m_path), before);
    ASSERT_EQ(chmod(m_path.c_str(), 0600), 0);
    // The disk fills up in the middle of the write.
    GroupList big = sampleList();
    for (int i = 0; i < 1000; ++i)
        big.mutable_group(0)->add_dvr()->set_name("DVR number " + std::to_string(i));
    const std::string path = m_path;
    const auto saveOnFullDisk = [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const struct rlimit limit = {4096, 4096};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            std::_Exit(3);
        // Exits 0 only when the failure is reported to the caller.
        std::_Exit(CPBFile(path, PB_DVRLIST_FILECODE).Save(big) ? 1 : 0);
    };
    EXPECT_EXIT(saveOnFullDisk(), ::testing::ExitedWithCode(0),
                ::testing::Eq("error: file create error " + path + "\n"));
    EXPECT_EQ(ReadBytes(m_path), before);
    EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("DVRlist.pb")});  // no temporary file left
}

TEST_F(PBFileTest, AFifoInThePlaceOfTheListIsRefusedWithoutWaiting)
{
    GroupList list;
    std::string err;
    EXPECT_FALSE(fifotest::BlocksOnFifo(QFile::decodeName(m_path.c_str()), [&] { err = load(&list); }));
    EXPECT_THAT(err, ::testing::HasSubstr("file open error"));
    EXPECT_EQ(list.group_size(), 0);
}

TEST_F(PBFileTest, ASaveAskedToKeepTheOldFileKeepsAValidOneUnderADatedUnreadName)
{
    save(sampleList());
    const std::string before = ReadBytes(m_path);
    CPBFile::SaveReport report;
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(CPBFile(m_path, PB_DVRLIST_FILECODE).Save(GroupList(), &report, true));
    ::testing::internal::GetCapturedStderr();
    EXPECT_NE(report.keptAs.find("DVRlist.pb.unread-"), std::string::npos) << report.keptAs;
    EXPECT_EQ(ReadBytes(report.keptAs), before);
}

TEST_F(PBFileTest, AFailedSaveReportsTheSystemsReason)
{
    save(sampleList());
    ASSERT_EQ(chmod(m_path.c_str(), 0400), 0);
    CPBFile::SaveReport report;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(CPBFile(m_path, PB_DVRLIST_FILECODE).Save(GroupList(), &report));
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(report.error, EACCES);
}

TEST_F(PBFileTest, AFailedSaveOverAFolderReportsThatItIsAFolder)
{
    ASSERT_TRUE(QDir().mkpath(QFile::decodeName(m_path.c_str())));
    CPBFile::SaveReport report;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(CPBFile(m_path, PB_DVRLIST_FILECODE).Save(GroupList(), &report));
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(report.error, EISDIR);
}
