#include <csignal>
#include <cstdlib>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Common/PBFile.h"
#include "EMapList.pb.h"
#include "GroupList.pb.h"

namespace {

std::string readBytes(const std::string& path)
{
    QFile file(QFile::decodeName(path.c_str()));
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll().toStdString();
}

void writeBytes(const std::string& path, const std::string& bytes)
{
    QFile file(QFile::decodeName(path.c_str()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
              static_cast<qint64>(bytes.size()));
}

GroupList sampleList()
{
    GroupList list;
    Group* office = list.add_group();
    office->set_name("Office");
    office->set_auto_connect(1);
    DVR* front = office->add_dvr();
    front->set_name("Front door");
    front->set_address("192.168.0.20");
    front->set_port(80);  // explicitly set to its default: presence must survive
    front->set_id("admin");
    front->set_password("secret");
    front->set_chnum(8);
    front->set_bit_ch(0x00ff);
    front->add_chname("Gate");
    front->add_chname("카메라 2");
    DVR* old = office->add_dvr();
    old->set_name("Old unit");
    old->set_old_protocol(true);
    old->set_protocol_type(3);
    list.add_group()->set_name("Empty group");
    Group* store = list.add_group();
    store->set_name("Store");
    store->add_dvr()->set_name("Till");
    return list;
}

struct StderrText {
    std::string text;
};

template <typename Fn>
StderrText captureStderr(Fn fn)
{
    ::testing::internal::CaptureStderr();
    fn();
    return {::testing::internal::GetCapturedStderr()};
}

class PBFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = QFile::encodeName(m_dir.filePath(QStringLiteral("DVRlist.pb"))).toStdString();
    }

    QStringList folderEntries() const
    {
        return QDir(m_dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QTemporaryDir m_dir;
    std::string m_path;
};

}  // namespace

TEST_F(PBFileTest, WritesCodeThenMessage)
{
    GroupList example;
    Group* group = example.add_group();
    group->set_name("My Group");
    group->add_dvr()->set_name("My DVR");
    CPBFile(m_path, PB_DVRLIST_FILECODE).Save(example);
    const std::string expected = std::string("DVRLIST_PB") + "\x0a\x14" + "\x12\x08" + "My Group"
                                 + "\x1a\x08" + "\x0a\x06" + "My DVR";
    EXPECT_EQ(readBytes(m_path), expected);
    EXPECT_EQ(expected.size(), 32u);

    CPBFile(m_path, PB_DVRLIST_FILECODE).Save(GroupList());
    EXPECT_EQ(readBytes(m_path), "DVRLIST_PB");
}

TEST_F(PBFileTest, RoundTripKeepsEveryFieldAndItsPresence)
{
    const GroupList original = sampleList();
    CPBFile(m_path, PB_DVRLIST_FILECODE).Save(original);

    GroupList loaded;
    const StderrText err = captureStderr([&] { CPBFile(m_path, PB_DVRLIST_FILECODE).Load(&loaded); });
    EXPECT_EQ(err.text, "");
    EXPECT_EQ(loaded.SerializeAsString(), original.SerializeAsString());
    ASSERT_EQ(loaded.group_size(), 3);
    EXPECT_TRUE(loaded.group(0).dvr(0).has_port());
    EXPECT_FALSE(loaded.group(0).dvr(1).has_port());
    EXPECT_EQ(loaded.group(0).dvr(0).chname(1), "카메라 2");
    EXPECT_EQ(loaded.group(1).dvr_size(), 0);
}

TEST_F(PBFileTest, MissingOrForeignFilesLeaveTheMessageEmpty)
{
    GroupList list;
    StderrText err = captureStderr([&] { CPBFile(m_path, PB_DVRLIST_FILECODE).Load(&list); });
    EXPECT_EQ(err.text, "error: file open error " + m_path + "\n");
    EXPECT_EQ(list.group_size(), 0);
    EXPECT_TRUE(folderEntries().isEmpty()) << "loading must not create the file";

    for (const std::string& content : {std::string(), std::string("DVRLIST"), std::string("dvrlist_pb\x0a\x00", 12),
                                       std::string("XXXXXXXXXX") + sampleList().SerializeAsString()}) {
        writeBytes(m_path, content);
        GroupList rejected;
        err = captureStderr([&] { CPBFile(m_path, PB_DVRLIST_FILECODE).Load(&rejected); });
        EXPECT_EQ(err.text, "Invalid file format(DVR list)") << "content size " << content.size();
        EXPECT_EQ(rejected.group_size(), 0);
        EXPECT_EQ(readBytes(m_path), content) << "a rejected file stays as it is";
    }

    // The e-map file uses the same text when it holds a DVR list.
    writeBytes(m_path, "DVRLIST_PB" + sampleList().SerializeAsString());
    EMapGroupList maps;
    err = captureStderr([&] { CPBFile(m_path, PB_EMAPLIST_FILECODE).Load(&maps); });
    EXPECT_EQ(err.text, "Invalid file format(DVR list)");
    EXPECT_EQ(maps.emap_list_size(), 0);
}

TEST_F(PBFileTest, CodeAloneIsAnEmptyListAndATruncatedBodyKeepsWhatWasRead)
{
    writeBytes(m_path, "DVRLIST_PB");
    GroupList empty;
    StderrText err = captureStderr([&] { CPBFile(m_path, PB_DVRLIST_FILECODE).Load(&empty); });
    EXPECT_EQ(err.text, "");
    EXPECT_EQ(empty.group_size(), 0);

    const GroupList original = sampleList();
    const std::string whole = "DVRLIST_PB" + original.SerializeAsString();
    writeBytes(m_path, whole.substr(0, whole.size() - 3));
    GroupList partial;
    err = captureStderr([&] { CPBFile(m_path, PB_DVRLIST_FILECODE).Load(&partial); });
    EXPECT_EQ(err.text, "Invalid file format(DVR list)");
    ASSERT_GE(partial.group_size(), 1);
    EXPECT_EQ(partial.group(0).SerializeAsString(), original.group(0).SerializeAsString());
}

TEST_F(PBFileTest, ReadOnlyFileLoadsForAnyUser)
{
    CPBFile(m_path, PB_DVRLIST_FILECODE).Save(sampleList());
    ASSERT_EQ(chmod(m_path.c_str(), 0444), 0);
    ASSERT_EQ(chmod(QFile::encodeName(m_dir.path()).constData(), 0755), 0);
    const std::string path = m_path;
    // Root may write anything, so the child drops to an ordinary user to see the file as
    // the operator would.
    const auto loadAsOrdinaryUser = [&] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            std::_Exit(3);
        GroupList list;
        CPBFile(path, PB_DVRLIST_FILECODE).Load(&list);
        std::_Exit(list.group_size() == 3 && list.group(2).name() == "Store" ? 0 : 1);
    };
    EXPECT_EXIT(loadAsOrdinaryUser(), ::testing::ExitedWithCode(0), "");
    GroupList list;
    const StderrText err = captureStderr([&] { CPBFile(m_path, PB_DVRLIST_FILECODE).Load(&list); });
    EXPECT_EQ(err.text, "");
    EXPECT_EQ(list.group_size(), 3);
}

TEST_F(PBFileTest, NewFilesAreReadableByTheOwnerOnly)
{
    const mode_t oldMask = umask(022);
    CPBFile(m_path, PB_DVRLIST_FILECODE).Save(sampleList());
    struct stat st;
    ASSERT_EQ(stat(m_path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    // A list left world-readable by an earlier version is tightened on the next save.
    ASSERT_EQ(chmod(m_path.c_str(), 0644), 0);
    CPBFile(m_path, PB_DVRLIST_FILECODE).Save(sampleList());
    ASSERT_EQ(stat(m_path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    umask(oldMask);
}

TEST_F(PBFileTest, FailedSaveLeavesTheOldFile)
{
    const GroupList original = sampleList();
    CPBFile(m_path, PB_DVRLIST_FILECODE).Save(original);
    const std::string before = readBytes(m_path);
    GroupList replacement;
    replacement.add_group()->set_name("Replacement");

    // Made read-only by the operator: left alone even though root could write it.
    ASSERT_EQ(chmod(m_path.c_str(), 0400), 0);
    StderrText err = captureStderr([&] { CPBFile(m_path, PB_DVRLIST_FILECODE).Save(replacement); });
    EXPECT_EQ(err.text, "error: file create error " + m_path + "\n");
    EXPECT_EQ(readBytes(m_path), before);
    ASSERT_EQ(chmod(m_path.c_str(), 0600), 0);

    // The disk fills up in the middle of the write.
    GroupList big = sampleList();
    for (int i = 0; i < 1000; ++i)
        big.mutable_group(0)->add_dvr()->set_name("DVR number " + std::to_string(i));
    ASSERT_GT(big.ByteSizeLong(), 8192u);
    const std::string path = m_path;
    const auto saveOnFullDisk = [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const struct rlimit limit = {4096, 4096};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            std::_Exit(3);
        CPBFile(path, PB_DVRLIST_FILECODE).Save(big);
        std::_Exit(0);
    };
    EXPECT_EXIT(saveOnFullDisk(), ::testing::ExitedWithCode(0),
                ::testing::Eq("error: file create error " + path + "\n"));
    EXPECT_EQ(readBytes(m_path), before);
    EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("DVRlist.pb")}) << "no temporary file is left";

    // A folder in the file's place cannot be replaced.
    const std::string folder = m_path + ".d";
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    err = captureStderr([&] { CPBFile(folder, PB_DVRLIST_FILECODE).Save(replacement); });
    EXPECT_EQ(err.text, "error: file create error " + folder + "\n");

    // No folder to create the file in.
    const std::string nowhere = m_path + ".missing/DVRlist.pb";
    err = captureStderr([&] { CPBFile(nowhere, PB_DVRLIST_FILECODE).Save(replacement); });
    EXPECT_EQ(err.text, "error: file create error " + nowhere + "\n");
}

TEST_F(PBFileTest, UnreadableListIsKeptAsBackupBeforeTheFirstSave)
{
    const std::string backup = m_path + ".bak";
    GroupList replacement;
    replacement.add_group()->set_name("Replacement");

    // A good list is replaced without a copy.
    CPBFile(m_path, PB_DVRLIST_FILECODE).Save(sampleList());
    CPBFile(m_path, PB_DVRLIST_FILECODE).Save(replacement);
    EXPECT_FALSE(QFile::exists(QFile::decodeName(backup.c_str())));

    const std::string valid = "DVRLIST_PB" + sampleList().SerializeAsString();
    for (const std::string& broken : {"EMAPLIST_PB" + sampleList().SerializeAsString(),
                                      valid.substr(0, valid.size() - 3), std::string("DVRL")}) {
        QFile::remove(QFile::decodeName(backup.c_str()));
        writeBytes(m_path, broken);
        const StderrText err = captureStderr([&] { CPBFile(m_path, PB_DVRLIST_FILECODE).Save(replacement); });
        EXPECT_EQ(err.text, "");
        EXPECT_EQ(readBytes(backup), broken);
        EXPECT_EQ(readBytes(m_path), "DVRLIST_PB" + replacement.SerializeAsString());

        // Later saves replace a list that loads, so the copy keeps the broken file.
        CPBFile(m_path, PB_DVRLIST_FILECODE).Save(sampleList());
        EXPECT_EQ(readBytes(backup), broken);
        struct stat st;
        ASSERT_EQ(stat(backup.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0600u);
    }
}

TEST_F(PBFileTest, LinkedListStaysALink)
{
    const std::string real = m_path + ".real";
    CPBFile(real, PB_DVRLIST_FILECODE).Save(sampleList());
    ASSERT_EQ(symlink(real.c_str(), m_path.c_str()), 0);
    GroupList replacement;
    replacement.add_group()->set_name("Replacement");
    CPBFile(m_path, PB_DVRLIST_FILECODE).Save(replacement);
    struct stat st;
    ASSERT_EQ(lstat(m_path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(readBytes(real), "DVRLIST_PB" + replacement.SerializeAsString());
}
