// The DVR list file damaged, unreadable (also when it becomes readable later), changed on disk
// while the tree is up, written by a later version, and camera names written after a burst of
// replies.

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "Common/AppDir.h"
#include "DVRList/DVRListTree.h"
#include "sim/SimDvr.h"
#include "support/AsNobody.h"
#include "support/ListFileSupport.h"
#include "support/UiTestSupport.h"

using listtest::Bytes;
using listtest::LaterField;
using listtest::QuietLoad;
using listtest::Write;

namespace {

DVR Named(const std::string& name, int port, const std::vector<std::string>& titles = {})
{
    DVR dvr;
    dvr.set_name(name);
    dvr.set_address("10.0.0.1");
    dvr.set_port(port);
    dvr.set_id("ad");
    dvr.set_password("pw");
    dvr.set_chnum(4);
    for (const std::string& title : titles)
        dvr.add_chname(title);
    return dvr;
}

// Three groups; the last DVR of each is an old-protocol one.
GroupList ThreeGroups()
{
    GroupList list;
    for (int g = 0; g < 3; ++g) {
        Group* group = list.add_group();
        group->set_name("Group " + std::to_string(g + 1));
        group->set_auto_connect(g);
        for (int d = 0; d < 3; ++d)
            *group->add_dvr() = Named("DVR " + std::to_string(d + 1), 8000 + d, {"Door", "Yard"});
        group->mutable_dvr(2)->set_old_protocol(true);
    }
    return list;
}

ino_t Inode(const QString& path)
{
    struct stat st {};
    return stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

cgi::DvrInfo Reply(const std::vector<std::string>& titles)
{
    cgi::DvrInfo info;
    for (const std::string& title : titles)
        info.add_ch_name(title);
    return info;
}

class DVRListFileTest : public ::testing::Test {
protected:
    QString file() const { return sandbox.appDir() + "/DVRlist.pb"; }
    void store(const GroupList& list) { ASSERT_TRUE(CControlDVRList().Save(list)); }
    // What a tree writes back of the stored file, unchanged.
    QByteArray roundTrip()
    {
        CDVRListTree tree;
        EXPECT_TRUE(tree.saveDVRList());
        return Bytes(file());
    }
    // What a tree that reads the list twice (at start and on entering camera mode) tells the
    // operator.
    QStringList toldByATree()
    {
        ::testing::internal::CaptureStderr();
        CDVRListTree tree;
        QCoreApplication::processEvents();
        tree.setCameraNameShow(true);
        QCoreApplication::processEvents();
        ::testing::internal::GetCapturedStderr();
        return prompt.messages;
    }
    uitest::Sandbox sandbox;
    uitest::ScriptedPrompt prompt;
};

}  // namespace

TEST_F(DVRListFileTest, ACutAtEveryByteKeepsOnlyWholeRecordsAndTheOriginalByteForByte)
{
    const GroupList original = ThreeGroups();
    const QByteArray whole = QByteArray("DVRLIST_PB") + QByteArray::fromStdString(original.SerializeAsString());
    for (int cut = 0; cut < whole.size(); ++cut) {
        QTemporaryDir dir;
        CAppDir::setOverridePath(dir.path());
        const QString path = dir.path() + "/DVRlist.pb";
        const QByteArray damaged = whole.left(cut);
        Write(path, damaged);
        ListDamage damage;
        const GroupList read = QuietLoad<CControlDVRList>(&damage);

        // Every group read is the original's, with the first of its DVRs, all whole.
        const bool fallback = damage.groups == 0;
        for (int g = 0; !fallback && g < read.group_size(); ++g) {
            Group fields = read.group(g), originalFields = original.group(g);
            fields.clear_dvr();
            originalFields.clear_dvr();
            EXPECT_EQ(fields.SerializeAsString(), originalFields.SerializeAsString()) << cut;
            for (int d = 0; d < read.group(g).dvr_size(); ++d)
                EXPECT_EQ(read.group(g).dvr(d).SerializeAsString(), original.group(g).dvr(d).SerializeAsString())
                    << cut << " " << g << " " << d;
        }
        EXPECT_LE(read.group_size(), 3) << cut;

        // The damaged file is recoverable as it was, also after the save.
        ASSERT_TRUE(CControlDVRList().Save(read)) << cut;
        if (damage.damaged) {
            EXPECT_NE(damage.keptAs, path) << cut;
            EXPECT_EQ(Bytes(damage.keptAs), damaged) << cut;
        } else if (damage.groups > 0) {
            // Cut between two groups: nothing tells it from a shorter list, and nothing is lost.
            EXPECT_EQ(Bytes(path), damaged) << cut;
        } else {
            EXPECT_EQ(damaged, "DVRLIST_PB") << cut;  // a list of no group: nothing to keep
        }
    }
    CAppDir::setOverridePath(sandbox.appDir());
}

TEST_F(DVRListFileTest, ACutDvrIsDroppedWholeWithNoPaddedLoginOrLostProtocolFlag)
{
    const std::string body = ThreeGroups().SerializeAsString();
    // Cut inside the login of the first group's old-protocol DVR.
    const size_t login = body.find("ad", body.find("DVR 3"));
    ASSERT_NE(login, std::string::npos);
    Write(file(), QByteArray("DVRLIST_PB") + QByteArray::fromStdString(body.substr(0, login + 1)));
    const GroupList read = QuietLoad<CControlDVRList>();
    ASSERT_EQ(read.group_size(), 1);
    EXPECT_EQ(read.group(0).dvr_size(), 2);
}

TEST_F(DVRListFileTest, TheDamagedFileKeptAtLoadIsNotTakenByALaterDamage)
{
    const QByteArray whole = QByteArray("DVRLIST_PB") + QByteArray::fromStdString(ThreeGroups().SerializeAsString());
    QStringList kept;
    for (const int cut : {60, 90}) {
        Write(file(), whole.left(cut));
        ListDamage damage;
        store(QuietLoad<CControlDVRList>(&damage));
        kept << damage.keptAs;
    }
    ASSERT_EQ(kept.size(), 2);
    EXPECT_NE(kept[0], kept[1]);
    EXPECT_EQ(Bytes(kept[0]), whole.left(60));
    EXPECT_EQ(Bytes(kept[1]), whole.left(90));
}

TEST_F(DVRListFileTest, TheOperatorIsToldOnceWhatADamagedListGaveAndWhereItIsKept)
{
    const QByteArray whole = QByteArray("DVRLIST_PB") + QByteArray::fromStdString(ThreeGroups().SerializeAsString());
    // Cut in the second DVR of the second group: three DVRs and one are whole.
    const int secondGroup = whole.indexOf("Group 2");
    Write(file(), whole.left(whole.indexOf("DVR 2", secondGroup) + 2));
    const QStringList told = toldByATree();
    const QStringList kept = QDir(sandbox.appDir()).entryList({"DVRlist.pb.damaged-*"}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(told, QStringList({QString("The DVR list file was damaged. Read from it: 2 groups and 4 DVRs. "
                                                    "The damaged file is kept as \"%1\".")
                                                .arg(sandbox.appDir() + "/" + kept.first())}));
}

TEST_F(DVRListFileTest, TheOperatorIsToldOnceOfAListFileThatCannotBeReadAndThatNothingWasOverwritten)
{
    // A folder in the list's place: unreadable also for root, whom permissions do not stop.
    ASSERT_TRUE(QDir().mkpath(file()));
    EXPECT_EQ(toldByATree().join('|').toStdString(),
              QString("The DVR list file \"%1\" could not be read (%2). The default list is shown instead; "
                      "nothing was overwritten.")
                  .arg(file(), QString::fromLocal8Bit(std::strerror(EISDIR)))
                  .toStdString());
}

// The operator's list, unreadable at start; once the tree is up its permission is given back,
// as the message invites, and a group is added.
class UnreadAtStartTest : public DVRListFileTest {
protected:
    void startUnreadableThenAddAGroup()
    {
        GroupList list;
        Group* group = list.add_group();
        group->set_name("Precious");
        *group->add_dvr() = Named("Front", 8000);
        *group->add_dvr() = Named("Back", 8001);
        store(list);
        original = Bytes(file());
        kept = listtest::KeptAfterAnEditOfAListUnreadAtStart<CDVRListTree>(file(), prompt.messages, [&](CDVRListTree& tree) {
            prompt.texts = {"Added"};
            tree.addGroup();
        });
    }
    QByteArray original;
    QStringList kept;
};

TEST_F(UnreadAtStartTest, TheListIsKeptWhenTheFirstEditReplacesIt)
{
    RUN_AS_A_USER_WHOM_MODES_STOP();
    startUnreadableThenAddAGroup();
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(Bytes(kept[0]), original);
}

TEST_F(UnreadAtStartTest, TheOperatorIsToldWhereTheListIsKept)
{
    RUN_AS_A_USER_WHOM_MODES_STOP();
    startUnreadableThenAddAGroup();
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(prompt.messages.mid(1),
              QStringList{QString("The DVR list file that could not be read at start is kept as \"%1\".").arg(kept[0])});
}

TEST_F(UnreadAtStartTest, TheEditIsSaved)
{
    RUN_AS_A_USER_WHOM_MODES_STOP();
    startUnreadableThenAddAGroup();
    const GroupList stored = QuietLoad<CControlDVRList>();
    EXPECT_EQ(stored.group(stored.group_size() - 1).name(), "Added");
}

// The operator's list, replaced from outside by a valid list of one more group while the tree
// is up (as another copy of the program would), and a group added in the tree.
class ChangedOnDiskTest : public DVRListFileTest {
protected:
    void changeOnDiskThenAddAGroup()
    {
        store(ThreeGroups());
        GroupList more = ThreeGroups();
        more.add_group()->set_name("Added elsewhere");
        changed = QByteArray("DVRLIST_PB") + QByteArray::fromStdString(more.SerializeAsString());
        kept = listtest::KeptAfterAnEditOfAListChangedOnDisk<CDVRListTree>(file(), changed, [&](CDVRListTree& tree) {
            prompt.texts = {"Added"};
            tree.addGroup();
        });
    }
    QByteArray changed;
    QStringList kept;
};

TEST_F(ChangedOnDiskTest, TheChangedListIsKeptWhenTheTreeSaves)
{
    changeOnDiskThenAddAGroup();
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(Bytes(kept[0]), changed);
}

TEST_F(ChangedOnDiskTest, TheOperatorIsToldWhereTheChangedListIsKept)
{
    changeOnDiskThenAddAGroup();
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(prompt.messages, listtest::ToldOfAChangedList("DVR", kept));
}

TEST_F(DVRListFileTest, ATreeSavingOverTheListItReadKeepsNothingAndTellsNothing)
{
    store(ThreeGroups());
    CDVRListTree tree;
    prompt.texts = {"Added"};
    tree.addGroup();
    EXPECT_TRUE(listtest::CopiesBeside(file(), "changed").isEmpty());
    EXPECT_TRUE(prompt.messages.isEmpty()) << prompt.messages.join('|').toStdString();
}

TEST_F(DVRListFileTest, ATreeWhoseSaveFailedRebuildsFromItsOwnGroups)
{
    store(ThreeGroups());
    CDVRListTree tree;
    ASSERT_TRUE(QFile::setPermissions(file(), QFileDevice::ReadOwner));
    prompt.texts = {"Unsaved"};
    tree.addGroup();
    ASSERT_TRUE(tree.unsaved());
    tree.setCameraNameShow(true);
    EXPECT_EQ(tree.topLevelItem(tree.topLevelItemCount() - 1)->text(0), "Unsaved");
}

TEST_F(DVRListFileTest, LaterFieldsOfTheListSurviveASave)
{
    GroupList list = ThreeGroups();
    list.mutable_unknown_fields()->append(LaterField(1));
    store(list);
    const QByteArray before = Bytes(file());
    EXPECT_EQ(roundTrip(), before);
}

TEST_F(DVRListFileTest, LaterFieldsOfAGroupSurviveASave)
{
    GroupList list = ThreeGroups();
    list.mutable_group(1)->mutable_unknown_fields()->append(LaterField(2));
    store(list);
    const QByteArray before = Bytes(file());
    EXPECT_EQ(roundTrip(), before);
}

TEST_F(DVRListFileTest, LaterFieldsOfADvrSurviveASave)
{
    GroupList list = ThreeGroups();
    list.mutable_group(2)->mutable_dvr(1)->mutable_unknown_fields()->append(LaterField(3));
    store(list);
    const QByteArray before = Bytes(file());
    EXPECT_EQ(roundTrip(), before);
}

// Camera names as DVRs answer them, in camera mode.
class CameraNamesTest : public DVRListFileTest {
protected:
    void SetUp() override
    {
        GroupList list;
        Group* group = list.add_group();
        group->set_name("Site");
        *group->add_dvr() = Named("Named", 8000, {"Door", "Yard", "Hall", "Gate"});
        *group->add_dvr() = Named("One old title", 8000, {"Door", "Yard", "Old", "Gate"});
        *group->add_dvr() = Named("Elsewhere", 8001, {"A", "B", "C", "D"});
        store(list);
        tree = std::make_unique<CDVRListTree>();
        tree->setCameraNameShow(true);
    }
    QTreeWidgetItem* dvrItem(int d) const { return tree->topLevelItem(0)->child(d); }
    std::unique_ptr<CDVRListTree> tree;
    const std::vector<std::string> names = {"Door", "Yard", "Hall", "Gate"};
};

TEST_F(CameraNamesTest, AReplyRebuildsNoCameraItem)
{
    QSignalSpy inserted(tree->model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(tree->model(), &QAbstractItemModel::rowsRemoved);
    tree->applyCameraNames("10.0.0.1:8000", Reply(names));
    EXPECT_EQ(inserted.count() + removed.count(), 0);
    EXPECT_EQ(dvrItem(1)->child(2)->text(0), "Hall");
}

TEST_F(CameraNamesTest, AReplyTouchesOnlyTheItemsWhoseTitlesChanged)
{
    QSet<QTreeWidgetItem*> touched;
    QObject::connect(tree.get(), &QTreeWidget::itemChanged, [&](QTreeWidgetItem* item) { touched << item; });
    tree->applyCameraNames("10.0.0.1:8000", Reply(names));
    EXPECT_EQ(touched, QSet<QTreeWidgetItem*>({dvrItem(1), dvrItem(1)->child(2), tree->topLevelItem(0)}));
}

TEST_F(CameraNamesTest, AReplyWithTheStoredTitlesWritesNothing)
{
    const ino_t before = Inode(file());
    tree->applyCameraNames("10.0.0.1:8001", Reply({"A", "B", "C", "D"}));
    QTest::qWait(CDVRListTree::NAMES_SAVE_DELAY_MS + 200);
    EXPECT_EQ(Inode(file()), before);
}

TEST_F(CameraNamesTest, ABurstOfRepliesIsWrittenOnceWhenItPauses)
{
    tree->applyCameraNames("10.0.0.1:8000", Reply(names));
    tree->applyCameraNames("10.0.0.1:8001", Reply({"E", "F", "G", "H"}));
    EXPECT_EQ(CControlDVRList().Load().group(0).dvr(2).chname(0), "A");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !tree->namesSavePending(); }, 5000));
    const GroupList stored = CControlDVRList().Load();
    EXPECT_EQ(stored.group(0).dvr(1).chname(2), "Hall");
    EXPECT_EQ(stored.group(0).dvr(2).chname(0), "E");
}

TEST_F(CameraNamesTest, NamesNotWrittenYetAreWrittenWhenTheTreeGoes)
{
    tree->applyCameraNames("10.0.0.1:8001", Reply({"E", "F", "G", "H"}));
    tree.reset();
    EXPECT_EQ(CControlDVRList().Load().group(0).dvr(2).chname(0), "E");
}

TEST_F(CameraNamesTest, NamesNotWrittenYetSurviveLeavingCameraMode)
{
    tree->applyCameraNames("10.0.0.1:8001", Reply({"E", "F", "G", "H"}));
    tree->setCameraNameShow(false);
    EXPECT_EQ(DvrOfItem(dvrItem(2)).chname(0), "E");
}

TEST_F(DVRListFileTest, EnteringCameraModeAsksEachDvrOnceForAllItsEntries)
{
    simdvr::CSimDvr sim;
    ASSERT_TRUE(sim.start());
    GroupList list;
    for (int g = 0; g < 2; ++g) {
        Group* group = list.add_group();
        group->set_name("Site");
        for (int d = 0; d < 3; ++d) {
            *group->add_dvr() = Named("Entry", sim.port());
            group->mutable_dvr(d)->set_address("127.0.0.1");
            group->mutable_dvr(d)->set_id("admin");
            group->mutable_dvr(d)->set_password("1234");
        }
    }
    store(list);
    CDVRListTree tree;
    tree.setCameraNameShow(true);
    ASSERT_TRUE(sim.waitUntil([&] { return DvrOfItem(tree.topLevelItem(1)->child(2)).chname_size() > 0; }));
    QTest::qWait(300);
    EXPECT_EQ(sim.requests().size(), 1u);
}

// Twice as many entries at one address as take a reply's titles in one turn, in two groups.
class ManyEntriesTest : public DVRListFileTest {
protected:
    static constexpr int ENTRIES = 2 * CDVRListTree::NAMES_ENTRIES_PER_TURN;
    void SetUp() override
    {
        GroupList list;
        for (int i = 0; i < ENTRIES; ++i) {
            if (i % (ENTRIES / 2) == 0)
                list.add_group()->set_name("Site");
            *list.mutable_group(list.group_size() - 1)->add_dvr() = Named("Entry", 8000, {"Old"});
        }
        store(list);
        tree = std::make_unique<CDVRListTree>();
        tree->setCameraNameShow(true);
    }
    int named(const GroupList& list) const
    {
        int count = 0;
        for (const Group& group : list.group())
            for (const DVR& dvr : group.dvr())
                count += dvr.chname(0) == "Door";
        return count;
    }
    std::unique_ptr<CDVRListTree> tree;
};

TEST_F(ManyEntriesTest, AQueuedReplyWaitsForTheEventLoop)
{
    tree->queueCameraNames("10.0.0.1:8000", Reply({"Door"}));
    EXPECT_EQ(named(tree->groupList()), 0);
}

TEST_F(ManyEntriesTest, AQueuedReplyTakesSeveralTurnsForManyEntries)
{
    QList<int> perTurn;
    QTimer turns;  // counts between two turns of the event loop
    QObject::connect(&turns, &QTimer::timeout, [&] { perTurn << named(tree->groupList()); });
    turns.start(0);
    tree->queueCameraNames("10.0.0.1:8000", Reply({"Door"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return named(tree->groupList()) == ENTRIES; }, 5000));
    EXPECT_TRUE(perTurn.contains(CDVRListTree::NAMES_ENTRIES_PER_TURN));
}

TEST_F(ManyEntriesTest, EntriesNotReachedYetAreWrittenWhenTheTreeGoes)
{
    tree->queueCameraNames("10.0.0.1:8000", Reply({"Door"}));
    tree.reset();
    EXPECT_EQ(named(CControlDVRList().Load()), ENTRIES);
}

TEST_F(CameraNamesTest, GroupsAndDvrsAreShownOpenInCameraMode)
{
    EXPECT_TRUE(tree->topLevelItem(0)->isExpanded());
    EXPECT_TRUE(dvrItem(0)->isExpanded());
}
