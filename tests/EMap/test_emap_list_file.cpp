// The e-map list file damaged, unreadable (also when it becomes readable later), changed on disk
// while the list is up, and written by a later version.

#include <cerrno>
#include <cstring>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Common/AppDir.h"
#include "EMap/ControlEMapList.h"
#include "EMap/EMapList.h"
#include "support/AsNobody.h"
#include "support/ListFileSupport.h"
#include "support/UiTestSupport.h"

using listtest::Bytes;
using listtest::LaterField;
using listtest::QuietLoad;
using listtest::Write;

namespace {

// Three groups of two maps with two cameras each.
EMapGroupList ThreeGroups()
{
    EMapGroupList list;
    for (int g = 0; g < 3; ++g) {
        EMapList* group = list.add_emap_list();
        group->set_name("Floor " + std::to_string(g + 1));
        for (int m = 0; m < 2; ++m) {
            EMap* map = group->add_emap();
            map->set_name("Map " + std::to_string(m + 1));
            map->set_map_image_path("/maps/plan.png");
            for (int c = 0; c < 2; ++c) {
                EMapItems* item = map->add_items();
                item->mutable_dvr()->set_name("DVR");
                item->mutable_dvr()->set_address("10.0.0.1");
                item->mutable_dvr()->set_id("ad");
                item->set_pos_x(10 * c + 1);
                item->set_pos_y(20);
                item->set_channel(c + 1);
            }
        }
    }
    return list;
}

QByteArray Whole(const EMapGroupList& list)
{
    return QByteArray("EMAPLIST_PB") + QByteArray::fromStdString(list.SerializeAsString());
}

// Each map read is the original's with its first cameras, all whole.
void ExpectWholePrefix(const EMapGroupList& read, const EMapGroupList& original, int cut)
{
    EXPECT_LE(read.emap_list_size(), original.emap_list_size()) << cut;
    for (int g = 0; g < read.emap_list_size(); ++g) {
        EXPECT_EQ(read.emap_list(g).name(), original.emap_list(g).name()) << cut;
        for (int m = 0; m < read.emap_list(g).emap_size(); ++m) {
            EMap fields = read.emap_list(g).emap(m), originalFields = original.emap_list(g).emap(m);
            for (int c = 0; c < fields.items_size(); ++c)
                EXPECT_EQ(fields.items(c).SerializeAsString(), originalFields.items(c).SerializeAsString())
                    << cut << " " << g << " " << m << " " << c;
            fields.clear_items();
            originalFields.clear_items();
            EXPECT_EQ(fields.SerializeAsString(), originalFields.SerializeAsString()) << cut;
        }
    }
}

class EMapListFileTest : public ::testing::Test {
protected:
    QString file() const { return sandbox.appDir() + "/EMaplist.pb"; }
    QByteArray roundTrip(const EMapGroupList& list)
    {
        EXPECT_TRUE(CControlEMapList().Save(list));
        CEMapList tree;
        EXPECT_TRUE(tree.saveEMapList());
        return Bytes(file());
    }
    // What a list that reads the file twice tells the operator.
    QStringList toldByAList()
    {
        ::testing::internal::CaptureStderr();
        CEMapList list;
        QCoreApplication::processEvents();
        list.loadEMapList();
        QCoreApplication::processEvents();
        ::testing::internal::GetCapturedStderr();
        return prompt.messages;
    }
    uitest::Sandbox sandbox;
    uitest::ScriptedPrompt prompt;
};

}  // namespace

TEST_F(EMapListFileTest, ACutAtEveryByteKeepsOnlyWholeCamerasAndTheOriginalByteForByte)
{
    const EMapGroupList original = ThreeGroups();
    const QByteArray whole = Whole(original);
    for (int cut = 0; cut < whole.size(); ++cut) {
        QTemporaryDir dir;
        CAppDir::setOverridePath(dir.path());
        const QString path = dir.path() + "/EMaplist.pb";
        Write(path, whole.left(cut));
        ListDamage damage;
        const EMapGroupList read = QuietLoad<CControlEMapList>(&damage);
        ExpectWholePrefix(read, original, cut);
        ASSERT_TRUE(CControlEMapList().Save(read)) << cut;
        EXPECT_EQ(Bytes(damage.damaged ? damage.keptAs : path), whole.left(cut)) << cut;
    }
    CAppDir::setOverridePath(sandbox.appDir());
}

TEST_F(EMapListFileTest, TheOperatorIsToldOnceWhatADamagedListGaveAndWhereItIsKept)
{
    const QByteArray whole = Whole(ThreeGroups());
    // Cut in the first map of the second group: one whole group, and the cut one kept for
    // the whole camera of its first map.
    const int secondGroup = whole.indexOf("Floor 2");
    Write(file(), whole.left(whole.indexOf("10.0.0.1", whole.indexOf("10.0.0.1", secondGroup) + 1)));
    const QStringList told = toldByAList();
    const QStringList kept = QDir(sandbox.appDir()).entryList({"EMaplist.pb.damaged-*"}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(told, QStringList({QString("The e-map list file was damaged. Read from it: 2 groups and 3 maps. "
                                                    "The damaged file is kept as \"%1\".")
                                                .arg(sandbox.appDir() + "/" + kept.first())}));
}

TEST_F(EMapListFileTest, TheOperatorIsToldOnceOfAListFileThatCannotBeReadAndThatNothingWasOverwritten)
{
    // A folder in the list's place: unreadable also for root, whom permissions do not stop.
    ASSERT_TRUE(QDir().mkpath(file()));
    EXPECT_EQ(toldByAList().join('|').toStdString(),
              QString("The e-map list file \"%1\" could not be read (%2). The default list is shown instead; "
                      "nothing was overwritten.")
                  .arg(file(), QString::fromLocal8Bit(std::strerror(EISDIR)))
                  .toStdString());
}

// The operator's maps, unreadable at start; once the list is up the file's permission is given
// back, as the message invites, and a group is added.
class EMapUnreadAtStartTest : public EMapListFileTest {
protected:
    void startUnreadableThenAddAGroup()
    {
        ASSERT_TRUE(CControlEMapList().Save(ThreeGroups()));
        original = Bytes(file());
        kept = listtest::KeptAfterAnEditOfAListUnreadAtStart<CEMapList>(file(), prompt.messages, [](CEMapList& list) {
            EMapList added;
            added.set_name("Added");
            list.addGroup(added, false);
            list.saveEMapList();
        });
    }
    QByteArray original;
    QStringList kept;
};

TEST_F(EMapUnreadAtStartTest, TheListIsKeptWhenTheFirstEditReplacesIt)
{
    RUN_AS_A_USER_WHOM_MODES_STOP();
    startUnreadableThenAddAGroup();
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(Bytes(kept[0]), original);
}

TEST_F(EMapUnreadAtStartTest, TheOperatorIsToldWhereTheListIsKept)
{
    RUN_AS_A_USER_WHOM_MODES_STOP();
    startUnreadableThenAddAGroup();
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(prompt.messages.mid(1),
              QStringList{QString("The e-map list file that could not be read at start is kept as \"%1\".").arg(kept[0])});
}

// The operator's maps, replaced from outside by a valid list of one more group while the list
// is up (as another copy of the program would), and a group added in the list.
class EMapChangedOnDiskTest : public EMapListFileTest {
protected:
    void changeOnDiskThenAddAGroup()
    {
        ASSERT_TRUE(CControlEMapList().Save(ThreeGroups()));
        EMapGroupList more = ThreeGroups();
        more.add_emap_list()->set_name("Added elsewhere");
        changed = Whole(more);
        kept = listtest::KeptAfterAnEditOfAListChangedOnDisk<CEMapList>(file(), changed, [](CEMapList& list) {
            EMapList added;
            added.set_name("Added");
            list.addGroup(added, false);
            list.saveEMapList();
        });
    }
    QByteArray changed;
    QStringList kept;
};

TEST_F(EMapChangedOnDiskTest, TheChangedListIsKeptWhenTheListSaves)
{
    changeOnDiskThenAddAGroup();
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(Bytes(kept[0]), changed);
}

TEST_F(EMapChangedOnDiskTest, TheOperatorIsToldWhereTheChangedListIsKept)
{
    changeOnDiskThenAddAGroup();
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(prompt.messages, listtest::ToldOfAChangedList("e-map", kept));
}

TEST_F(EMapListFileTest, AListWhoseSaveFailedIsNotReplacedByTheFileOnTheNextLoad)
{
    ASSERT_TRUE(CControlEMapList().Save(ThreeGroups()));
    CEMapList list;
    ASSERT_TRUE(QFile::setPermissions(file(), QFileDevice::ReadOwner));
    EMapList added;
    added.set_name("Unsaved");
    list.addGroup(added, false);
    ASSERT_FALSE(list.saveEMapList());
    list.loadEMapList();
    EXPECT_EQ(list.topLevelItem(list.topLevelItemCount() - 1)->text(0), "Unsaved");
}

TEST_F(EMapListFileTest, LaterFieldsOfTheListSurviveASave)
{
    EMapGroupList list = ThreeGroups();
    list.mutable_unknown_fields()->append(LaterField(1));
    EXPECT_EQ(roundTrip(list), Whole(list));
}

TEST_F(EMapListFileTest, LaterFieldsOfAGroupSurviveASave)
{
    EMapGroupList list = ThreeGroups();
    list.mutable_emap_list(1)->mutable_unknown_fields()->append(LaterField(2));
    EXPECT_EQ(roundTrip(list), Whole(list));
}

TEST_F(EMapListFileTest, LaterFieldsOfAMapSurviveASave)
{
    EMapGroupList list = ThreeGroups();
    list.mutable_emap_list(2)->mutable_emap(1)->mutable_unknown_fields()->append(LaterField(3));
    EXPECT_EQ(roundTrip(list), Whole(list));
}

TEST_F(EMapListFileTest, LaterFieldsOfACameraSurviveASave)
{
    EMapGroupList list = ThreeGroups();
    list.mutable_emap_list(0)->mutable_emap(1)->mutable_items(1)->mutable_unknown_fields()->append(LaterField(4));
    EXPECT_EQ(roundTrip(list), Whole(list));
}

TEST_F(EMapListFileTest, LaterFieldsOfACamerasDvrSurviveASave)
{
    EMapGroupList list = ThreeGroups();
    list.mutable_emap_list(0)->mutable_emap(0)->mutable_items(0)->mutable_dvr()->mutable_unknown_fields()->append(
        LaterField(5));
    EXPECT_EQ(roundTrip(list), Whole(list));
}
