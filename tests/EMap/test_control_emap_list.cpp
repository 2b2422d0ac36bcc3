#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Common/AppDir.h"
#include "EMap/ControlEMapList.h"

namespace {

class ControlEMapListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        CAppDir::setOverridePath(m_dir.path());
    }
    void TearDown() override { CAppDir::setOverridePath(QString()); }

    QString listPath() const { return m_dir.path() + "/EMaplist.pb"; }

    QTemporaryDir m_dir;
};

}  // namespace

TEST_F(ControlEMapListTest, MissingOrForeignFileGivesAnEmptyList)
{
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(CControlEMapList().Load().emap_list_size(), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "error: file open error " + QFile::encodeName(listPath()).toStdString() + "\n");
    EXPECT_FALSE(QFile::exists(listPath()));

    {
        QFile file(listPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("DVRLIST_PB\x0a\x04\x12\x02g1", 16);
    }
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(CControlEMapList().Load().emap_list_size(), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Invalid file format(DVR list)");
}

TEST_F(ControlEMapListTest, SavedMapsComeBack)
{
    EMapGroupList groups;
    EMapList* building = groups.add_emap_list();
    building->set_name("Group");
    EMap* map = building->add_emap();
    map->set_name("emap1");
    map->set_map_image_path("/home/op/plan.png");
    EMapItems* item = map->add_items();
    item->mutable_dvr()->set_name("Front");
    item->mutable_dvr()->set_address("10.0.0.5");
    item->set_pos_x(30);
    item->set_pos_y(-4);
    item->set_channel(2);
    groups.add_emap_list()->set_name("Empty");

    EXPECT_TRUE(CControlEMapList().Save(groups));
    QFile file(listPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("EMAPLIST_PB") + QByteArray::fromStdString(groups.SerializeAsString()));

    ::testing::internal::CaptureStderr();
    const EMapGroupList loaded = CControlEMapList().Load();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(loaded.SerializeAsString(), groups.SerializeAsString());
}
