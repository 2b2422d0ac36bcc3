#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Common/AppDir.h"
#include "DVRList/ControlDVRList.h"

namespace {

class ControlDVRListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        useFolder(m_dir.path());
    }
    void TearDown() override { CAppDir::setOverridePath(QString()); }

    void useFolder(const QString& folder)
    {
        m_folder = folder;
        CAppDir::setOverridePath(folder);
    }
    QString listPath() const { return m_folder + "/DVRlist.pb"; }
    QByteArray fileBytes() const
    {
        QFile file(listPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir m_dir;
    QString m_folder;
};

void expectDefaultList(const GroupList& list)
{
    ASSERT_EQ(list.group_size(), 1);
    const Group& group = list.group(0);
    EXPECT_EQ(group.name(), "My Group");
    EXPECT_EQ(group.auto_connect(), -1);
    EXPECT_FALSE(group.has_auto_connect());
    ASSERT_EQ(group.dvr_size(), 1);
    const DVR& dvr = group.dvr(0);
    EXPECT_EQ(dvr.name(), "My DVR");
    EXPECT_EQ(dvr.address(), "");
    EXPECT_EQ(dvr.port(), 80);
    EXPECT_EQ(dvr.chnum(), 16);
    EXPECT_EQ(dvr.bit_ch(), 65535u);
    EXPECT_EQ(dvr.chname_size(), 0);
    EXPECT_FALSE(dvr.old_protocol());
    EXPECT_EQ(dvr.protocol_type(), 0);
    // Only the two names are stored, so later default changes reach old lists too.
    EXPECT_EQ(dvr.ByteSizeLong(), 8u);
}

}  // namespace

TEST_F(ControlDVRListTest, FirstStartGivesTheDefaultListAndWritesNothing)
{
    ::testing::internal::CaptureStderr();
    const GroupList list = CControlDVRList().Load();
    const std::string err = ::testing::internal::GetCapturedStderr();
    expectDefaultList(list);
    EXPECT_EQ(err, "error: file open error " + QFile::encodeName(listPath()).toStdString() + "\n");
    EXPECT_TRUE(QDir(m_folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
}

TEST_F(ControlDVRListTest, SavedListsComeBackUnchanged)
{
    GroupList list;
    Group* office = list.add_group();
    office->set_name("Office");
    DVR* dvr = office->add_dvr();
    dvr->set_name("Front");
    dvr->set_address("10.0.0.5");
    dvr->set_port(8080);
    dvr->set_password("pw");
    dvr->add_chname("Door");
    list.add_group()->set_name("Empty");
    EXPECT_TRUE(CControlDVRList().Save(list));
    EXPECT_TRUE(fileBytes().startsWith("DVRLIST_PB"));
    EXPECT_EQ(CControlDVRList().Load().SerializeAsString(), list.SerializeAsString());

    // A list without groups is stored as such but read as the default list.
    EXPECT_TRUE(CControlDVRList().Save(GroupList()));
    EXPECT_EQ(fileBytes(), "DVRLIST_PB");
    expectDefaultList(CControlDVRList().Load());

    // A list the operator made read-only is not replaced, and the caller hears of it.
    ASSERT_TRUE(QFile::setPermissions(listPath(), QFileDevice::ReadOwner));
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(CControlDVRList().Save(list));
    EXPECT_NE(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(fileBytes(), "DVRLIST_PB");
}

TEST_F(ControlDVRListTest, ForeignFileGivesTheDefaultListAndSurvivesAsBackup)
{
    {
        QFile file(listPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("EMAPLIST_PB\x0a\x02\x0a\x00", 15);
    }
    ::testing::internal::CaptureStderr();
    const GroupList list = CControlDVRList().Load();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Invalid file format(DVR list)");
    expectDefaultList(list);

    EXPECT_TRUE(CControlDVRList().Save(list));
    QFile backup(listPath() + ".bak");
    ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
    EXPECT_EQ(backup.readAll(), QByteArray("EMAPLIST_PB\x0a\x02\x0a\x00", 15));
    EXPECT_EQ(CControlDVRList().Load().SerializeAsString(), list.SerializeAsString());
}

TEST_F(ControlDVRListTest, FolderNamesOutsideAsciiWork)
{
    const QString folder = m_dir.path() + QString::fromUtf8("/감시 목록 Müller");
    ASSERT_TRUE(QDir().mkpath(folder));
    useFolder(folder);
    GroupList list;
    list.add_group()->set_name("창고");
    EXPECT_TRUE(CControlDVRList().Save(list));
    EXPECT_TRUE(QFile::exists(folder + "/DVRlist.pb"));
    EXPECT_EQ(CControlDVRList().Load().SerializeAsString(), list.SerializeAsString());
}

TEST(DVRTreeIcons, EachGetterGivesItsOwnPictureEveryTime)
{
    const std::pair<QIcon (*)(), const char*> icons[] = {
        {&CControlDVRList::getDVRIcon, "dvr"},
        {&CControlDVRList::getCameraIcon, "camera"},
        {&CControlDVRList::getGroupIcon, "group"},
        {&CControlDVRList::getConnectedIcon, "connected"},
        {&CControlDVRList::getConnectionFailedIcon, "notConnected"},
    };
    QList<QImage> seen;
    for (const auto& entry : icons) {
        const QIcon icon = entry.first();
        ASSERT_FALSE(icon.isNull()) << entry.second;
        EXPECT_EQ(icon.cacheKey(), entry.first().cacheKey()) << entry.second << ": one icon, copied";
        const QImage file(QString(":/Viewer/files/images/%1.png").arg(entry.second));
        ASSERT_EQ(file.size(), QSize(16, 16)) << entry.second;
        const QImage shown = icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(shown, file.convertToFormat(QImage::Format_ARGB32)) << entry.second;
        for (const QImage& other : seen)
            EXPECT_NE(shown, other) << entry.second << " looks like another icon";
        seen.append(shown);
    }
}
