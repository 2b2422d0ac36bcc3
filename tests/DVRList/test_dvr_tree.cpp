// The list file, the DVR tree, its menu and dialogs against the simulated DVR.

#include <cerrno>
#include <cstring>

#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "Common/AppDir.h"
#include "DVRList/DVRListTree.h"
#include "DVRList/MenuDVRList.h"
#include "DVRList/SendDVRInfoWidget.h"
#include "DVRList/SetDVRInfoDialog.h"
#include "ProtoBuf/ListMetaTypes.h"
#include "cgi_request.pb.h"
#include "sim/SimDvr.h"
#include "support/UiTestSupport.h"

using simdvr::CSimDvr;

namespace {

// Group names, with their DVRs' names indented.
QStringList Names(const GroupList& list)
{
    QStringList names;
    for (const Group& group : list.group()) {
        names << QString::fromStdString(group.name());
        for (const DVR& dvr : group.dvr())
            names << "  " + QString::fromStdString(dvr.name());
    }
    return names;
}

QStringList ItemTexts(const QTreeWidgetItem* item)
{
    QStringList texts;
    for (int i = 0; i < item->childCount(); ++i)
        texts << item->child(i)->text(0);
    return texts;
}

std::vector<std::string> ChannelNames(const DVR& dvr) { return {dvr.chname().begin(), dvr.chname().end()}; }

DVR Dvr(const char* name, int port, int chnum, bool old = false)
{
    DVR dvr;
    dvr.set_name(name);
    dvr.set_address("127.0.0.1");
    dvr.set_port(port);
    dvr.set_id("admin");
    dvr.set_password("1234");
    dvr.set_chnum(chnum);
    dvr.set_old_protocol(old);
    return dvr;
}

// Runs the DVR dialog as an operator who enters this record and presses OK.
std::function<void(QDialog*)> Enter(const DVR& dvr)
{
    return [=](QDialog* dialog) { static_cast<CSetDVRInfoDialog*>(dialog)->setDVR(dvr); dialog->accept(); };
}

simdvr::Config FourCameras()
{
    simdvr::Config config;
    config.channels = 4;
    config.channelNames = {"Door", "Yard", "Hall", "Gate"};
    return config;
}

// Only the two names are stored, so later default changes reach old lists too.
std::string DefaultList()
{
    GroupList list;
    list.add_group()->set_name("My Group");
    list.mutable_group(0)->add_dvr()->set_name("My DVR");
    return list.SerializeAsString();
}

// Loads the list, expecting this on stderr.
GroupList Load(const std::string& error)
{
    ::testing::internal::CaptureStderr();
    const GroupList list = CControlDVRList().Load();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), error);
    return list;
}

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class DVRTreeTest : public ::testing::Test {
protected:
    uitest::Sandbox sandbox;
    uitest::ScriptedPrompt prompt;
    GroupList stored() { return CControlDVRList().Load(); }
};

}  // namespace

TEST_F(DVRTreeTest, EditsGoIntoTheListFileOnceSavableAndCurrentDvrsGiveTheirCameraNames)
{
    CSimDvr sim(FourCameras());
    ASSERT_TRUE(sim.start());
    CDVRListTree tree;
    // First start: the default list in the items, no file, no dragging.
    EXPECT_EQ(tree.groupList().SerializeAsString(), DefaultList());
    EXPECT_TRUE(!QFile::exists(sandbox.appDir() + "/DVRlist.pb") && tree.dragDropMode() == QAbstractItemView::NoDragDrop);

    // A group, then a current-protocol DVR in it: saved at once, then its camera names.
    prompt.texts = {"  Office  "};
    tree.addGroup();
    EXPECT_EQ(Names(stored()), QStringList({"My Group", "  My DVR", "Office"}));
    prompt.onDialog = Enter(Dvr("Front", sim.port(), 4));
    tree.addDVR();
    ASSERT_TRUE(sim.waitUntil([&] { return stored().group(1).dvr_size() == 1 && stored().group(1).dvr(0).chname_size() == 4; }));
    const DVR front = stored().group(1).dvr(0);
    EXPECT_EQ(ChannelNames(front), (std::vector<std::string>{"Door", "Yard", "Hall", "Gate"}));
    EXPECT_TRUE(front.protocol_type() == 1 && front.bit_ch() == 0xFu) << "channels above the count are not set";
    EXPECT_EQ(DvrOfItem(tree.topLevelItem(1)->child(0)).SerializeAsString(), front.SerializeAsString());

    // A new name keeps the camera names; a new port drops them, and the silent port gives none.
    tree.setCurrentItem(tree.topLevelItem(1)->child(0));
    prompt.onDialog = Enter(Dvr("Front door", sim.port(), 4));
    tree.editDVR();
    EXPECT_EQ(stored().group(1).dvr(0).chname_size(), 4);
    prompt.onDialog = Enter(Dvr("Front door", 1, 4));
    tree.editDVR();
    EXPECT_TRUE(stored().group(1).dvr(0).chname_size() == 0 && stored().group(1).dvr(0).port() == 1);

    // A cancelled dialog or a "no" changes nothing; then a rename and a deletion.
    prompt.onDialog = nullptr;
    tree.editDVR();
    prompt.yesNo = {false};
    tree.deleteDVR();
    EXPECT_EQ(Names(stored()), QStringList({"My Group", "  My DVR", "Office", "  Front door"}));
    prompt.texts = {"Branch"};
    tree.editGroup();
    prompt.yesNo = {true};
    tree.deleteDVR();
    EXPECT_EQ(Names(stored()), QStringList({"My Group", "  My DVR", "Branch"}));
    EXPECT_TRUE(prompt.messages.isEmpty());

    // Every edit that cannot be saved is told, with the reason.
    const QString file = sandbox.appDir() + "/DVRlist.pb";
    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner));
    for (const char* name : {"One", "Two"}) {
        prompt.texts = {name};
        tree.addGroup();
    }
    EXPECT_EQ(prompt.messages,
              QStringList(2, "The DVR list could not be saved (" + QString::fromLocal8Bit(std::strerror(EACCES)) + ")."));
    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_TRUE(tree.saveDVRList());
    EXPECT_EQ(Names(stored()), QStringList({"My Group", "  My DVR", "Branch", "One", "Two"}));
}

TEST_F(DVRTreeTest, ConnectedGroupIsDisconnectedBeforeItsItemsChange)
{
    GroupList list;
    for (const char* name : {"A", "B", "C"}) {
        Group* group = list.add_group();
        group->set_name(name);
        for (const char* n : {"1", "2"})
            group->add_dvr()->set_name(name + std::string(n));
    }
    ASSERT_TRUE(CControlDVRList().Save(list));
    CDVRListTree tree;
    QSignalSpy connects(&tree, &CDVRListTree::groupConnect);
    QSignalSpy disconnects(&tree, &CDVRListTree::disconnectDVR);
    QSignalSpy changed(&tree, &CDVRListTree::changedDVR);

    QTreeWidgetItem* b2 = tree.topLevelItem(1)->child(1);
    tree.setCurrentItem(b2);
    EXPECT_EQ(changed.takeFirst(), QVariantList({1, 1}));
    emit tree.itemDoubleClicked(b2, 0);
    ASSERT_EQ(connects.count(), 1);
    EXPECT_EQ(connects.at(0).mid(1), QVariantList({1, 1}));
    b2->setIcon(0, CControlDVRList::getConnectedIcon());

    // Disconnect is offered only on the connected group; the e-map form connects nothing.
    auto texts = [&](bool emapEdit) {
        QStringList out;
        CMenuDVRList menu(&tree, emapEdit);
        for (QAction* action : menu.actions())
            if (!action->isSeparator())
                out << action->text() + (action->isEnabled() ? "" : " (off)");
        return out.join(", ");
    };
    EXPECT_EQ(texts(false), "Connect, Disconnect, Add Group, Edit Group, Delete Group, Add DVR, Edit DVR, Delete DVR");
    tree.setCurrentItem(tree.topLevelItem(2));
    EXPECT_EQ(texts(false), "Connect, Add Group, Edit Group, Delete Group, Add DVR, Edit DVR (off), Delete DVR (off)");
    EXPECT_EQ(texts(true), "Add Group, Edit Group, Delete Group, Add DVR, Edit DVR (off), Delete DVR (off)");

    // Edits elsewhere, and adding to the connected group, leave the connection alone.
    prompt.texts = {"C renamed"};
    tree.editGroup();
    tree.setCurrentItem(b2);
    prompt.onDialog = Enter(Dvr("B3", 1, 16, true));
    tree.addDVR();
    EXPECT_EQ(disconnects.count(), 0);

    // The menu disconnects one DVR, then an edit of the group stops it whole; icons stay.
    tree.setCurrentItem(b2);
    CMenuDVRList(&tree, false).actions().at(1)->trigger();
    EXPECT_EQ(disconnects.takeFirst(), QVariantList({1}));
    prompt.onDialog = Enter(Dvr("B2 new", 1, 8));
    tree.editDVR();
    EXPECT_EQ(disconnects.takeFirst(), QVariantList({-1}));
    EXPECT_EQ(tree.connectedGroup(), -1);
    EXPECT_EQ(b2->icon(0).cacheKey(), CControlDVRList::getConnectedIcon().cacheKey());
    tree.clearIcon(1);
    EXPECT_EQ(b2->icon(0).cacheKey(), CControlDVRList::getDVRIcon().cacheKey());

    // Deleting a group above the connected one would move it: disconnected first; below: not.
    for (const auto& [connected, deleted, expectDisconnect] : {std::tuple{1, 2, false}, {1, 0, true}}) {
        emit tree.itemDoubleClicked(tree.topLevelItem(connected), 0);
        EXPECT_EQ(connects.last().at(2), -1);
        tree.setCurrentItem(tree.topLevelItem(deleted));
        prompt.yesNo = {true};
        tree.deleteGroup();
        EXPECT_EQ(disconnects.count(), expectDisconnect ? 1 : 0) << deleted;
        disconnects.clear();
    }
    EXPECT_EQ(Names(stored()), QStringList({"B", "  B1", "  B2 new", "  B3"}));
}

TEST_F(DVRTreeTest, CameraModeListsCamerasAndDragsThem)
{
    CSimDvr sim(FourCameras());
    ASSERT_TRUE(sim.start());
    GroupList list;
    Group* site = list.add_group();
    site->set_name("Site");
    *site->add_dvr() = Dvr("Current", sim.port(), 4);
    *site->add_dvr() = Dvr("Old", sim.port(), 8, true);
    site->mutable_dvr(1)->add_chname("Lobby");
    list.add_group()->set_name("Office");
    *list.mutable_group(1)->add_dvr() = Dvr("Reception", 1, 4);
    ASSERT_TRUE(CControlDVRList().Save(list));

    CDVRListTree tree;
    tree.setCameraNameShow(true);
    QTreeWidgetItem* current = tree.topLevelItem(0)->child(0);
    EXPECT_TRUE(tree.dragEnabled());
    EXPECT_EQ(ItemTexts(tree.topLevelItem(0)->child(1)),
              QStringList({"Lobby", "Camera 2", "Camera 3", "Camera 4", "Camera 5", "Camera 6", "Camera 7", "Camera 8"}));
    // Only the current DVR without names is asked, once; its answer reaches items and file.
    ASSERT_TRUE(sim.waitUntil([&] { return ItemTexts(current).value(3) == "Gate"; }));
    ASSERT_TRUE(sim.waitUntil([&] { return !tree.namesSavePending(); }));
    EXPECT_EQ(ChannelNames(stored().group(0).dvr(0)), (std::vector<std::string>{"Door", "Yard", "Hall", "Gate"}));
    EXPECT_EQ(sim.requests().size(), 1u);
    EXPECT_EQ(ItemTexts(tree.topLevelItem(1)->child(0)), QStringList({"Camera 1", "Camera 2", "Camera 3", "Camera 4"}));
    tree.resize(240, 560);
    uitest::Screenshot(&tree, "dvr-tree-cameras");

    // Moving the mouse with a camera current offers it to the e-map; its drag data says the same.
    QSignalSpy drags(&tree, &CDVRListTree::dragCameraItem);
    QTreeWidgetItem* hall = current->child(2);
    tree.setCurrentItem(hall);
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(tree.viewport(), &move);
    ASSERT_EQ(drags.count(), 1);
    EXPECT_TRUE(drags.at(0).at(0).value<DVR>().name() == "Current" && drags.at(0).at(1) == 2);
    std::unique_ptr<QMimeData> mime(tree.mimeData({hall}));
    DVR dragged;
    int channel = -1;
    EXPECT_TRUE(mime && CDVRListTree::readCameraMime(mime.get(), &dragged, &channel) && channel == 2);
    EXPECT_EQ(dragged.SerializeAsString(), DvrOfItem(current).SerializeAsString());
    EXPECT_FALSE(tree.mimeData({current}));
    QMimeData foreign;
    foreign.setData(DVR_CAMERA_MIME_TYPE, "junk");
    EXPECT_FALSE(CDVRListTree::readCameraMime(&foreign, &dragged, &channel));

    // Leaving the mode drops them.
    tree.setCameraNameShow(false);
    EXPECT_TRUE(tree.topLevelItem(0)->child(0)->childCount() == 0 && !tree.dragEnabled());
}

TEST(DVRDialogs, DvrDialogBuildsEntriesOfBothProtocolsAndRefusesBlanks)
{
    CSetDVRInfoDialog dialog;
    DVR in = Dvr("Yard", 8000, 16);
    in.set_bit_ch(0x8421);
    in.add_chname("kept elsewhere");
    for (const bool old : {false, true}) {
        in.set_old_protocol(old);
        dialog.setDVR(in);
        DVR out = dialog.getDVR();
        EXPECT_TRUE(out.protocol_type() == (old ? 0 : 1) && out.chname_size() == 0) << old;
        out.clear_protocol_type();
        out.mutable_chname()->CopyFrom(in.chname());
        EXPECT_EQ(out.SerializeAsString(), in.SerializeAsString()) << old;
    }
    uitest::Screenshot(&dialog, "dvr-dialog");

    // A smaller channel count unticks and locks the channels above it.
    dialog.findChild<QComboBox*>("chnum")->setCurrentText("8");
    EXPECT_TRUE(dialog.getDVR().bit_ch() == 0x21u && dialog.getDVR().chnum() == 8);
    EXPECT_FALSE(dialog.findChild<QCheckBox*>("ch9")->isEnabled());
    dialog.findChild<QComboBox*>("chnum")->setCurrentText("16");
    EXPECT_EQ(dialog.getDVR().bit_ch(), 0x21u);

    // A blank name or address keeps the dialog open with a message; so do blanks on sending.
    uitest::ScriptedPrompt prompt;
    dialog.findChild<QLineEdit*>("address")->clear();
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(prompt.messages, QStringList({"Please fill in all blanks."}));
    const std::tuple<const char*, int, const char*, bool> cases[] = {
        {"10.0.0.9", 8080, "pw", true}, {"", 8080, "pw", false}, {"10.0.0.9", 0, "pw", false}, {"10.0.0.9", 8080, "", false}};
    for (const auto& [address, port, password, accepted] : cases) {
        CSendDVRInfoWidget send;
        send.setAddress(address);
        send.setPort(port);
        send.setPassword(password);
        send.accept();
        EXPECT_EQ(send.result() == QDialog::Accepted, accepted) << address << port << password;
    }
    EXPECT_EQ(prompt.messages.size(), 4);  // one per refusal after the one above
}

TEST(ControlDVRList, MissingEmptyReadOnlyAndForeignListsLoseNothing)
{
    QTemporaryDir dir;  // in a folder whose name is not ASCII
    const QString folder = dir.path() + QString::fromUtf8("/감시 목록 Müller"), path = folder + "/DVRlist.pb";
    ASSERT_TRUE(QDir().mkpath(folder));
    CAppDir::setOverridePath(folder);
    EXPECT_EQ(Load("error: file open error " + QFile::encodeName(path).toStdString() + "\n").SerializeAsString(), DefaultList());
    // A list without groups is stored as such but read as the default list.
    EXPECT_TRUE(CControlDVRList().Save(GroupList()));
    EXPECT_EQ(Load("").SerializeAsString(), DefaultList());

    // A list the operator made read-only is not replaced, and the caller hears of it.
    GroupList list;
    list.add_group()->set_name("창고");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner));
    EXPECT_FALSE(CControlDVRList().Save(list));
    EXPECT_EQ(Bytes(path), "DVRLIST_PB");  // the empty list as stored above

    // A file of another kind gives the default list and survives under a dated name.
    const QByteArray foreign("EMAPLIST_PB\x0a\x02\x0a\x00", 15);
    QFile::remove(path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(foreign) == 15);
    file.close();
    EXPECT_EQ(Load("error: invalid file format " + QFile::encodeName(path).toStdString() + "\n").SerializeAsString(), DefaultList());
    EXPECT_TRUE(CControlDVRList().Save(list));
    const QStringList kept = QDir(folder).entryList({"DVRlist.pb.damaged-*"}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(Bytes(folder + "/" + kept.first()), foreign);
    EXPECT_EQ(Load("").SerializeAsString(), list.SerializeAsString());
}

TEST(ControlDVRList, ValuesOutOfRangeAreBroughtIntoRangeWhereTheListIsRead)
{
    QTemporaryDir dir;
    CAppDir::setOverridePath(dir.path());
    GroupList list;
    Group* group = list.add_group();
    DVR* huge = group->add_dvr();
    huge->set_chnum(INT32_MAX);
    huge->set_port(70000);
    huge->set_bit_ch(0xFFFFFFFF);
    huge->set_protocol_type(9);
    DVR* negative = group->add_dvr();
    negative->set_chnum(INT32_MIN);
    negative->set_port(-1);
    negative->set_protocol_type(-3);
    DVR* inRange = group->add_dvr();
    inRange->set_chnum(8);
    inRange->set_port(8080);
    inRange->set_bit_ch(0x0F);
    inRange->set_protocol_type(2);
    ASSERT_TRUE(CControlDVRList().Save(list));
    const GroupList read = CControlDVRList().Load();
    ASSERT_EQ(read.group(0).dvr_size(), 3);
    const auto fields = [](const DVR& d) { return std::make_tuple(d.chnum(), d.port(), d.bit_ch(), d.protocol_type()); };
    EXPECT_EQ(fields(read.group(0).dvr(0)), std::make_tuple(16, 80, 0xFFFFu, 0));
    EXPECT_EQ(fields(read.group(0).dvr(1)), std::make_tuple(4, 80, 0xFFFFu, 0));
    EXPECT_EQ(read.group(0).dvr(2).SerializeAsString(), inRange->SerializeAsString());
}
