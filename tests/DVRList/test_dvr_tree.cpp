// The DVR tree, its menu and dialogs against the list file and the simulated DVR.

#include <QFile>
#include <QMimeData>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "DVRList/DVRListTree.h"
#include "DVRList/MenuDVRList.h"
#include "DVRList/SendDVRInfoWidget.h"
#include "DVRList/SetDVRInfoDialog.h"
#include "ProtoBuf/ListMetaTypes.h"
#include "cgi_request.pb.h"
#include "sim/SimDvr.h"
#include "support/UiTestSupport.h"

using simdvr::CSimDvr;
using simdvr::Request;
using simdvr::Transport;
using uitest::ScriptedPrompt;

namespace {

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

QStringList ChannelNames(const DVR& dvr)
{
    QStringList names;
    for (const std::string& name : dvr.chname())
        names << QString::fromStdString(name);
    return names;
}

QStringList ItemTexts(const QTreeWidgetItem* item)
{
    QStringList texts;
    for (int i = 0; i < item->childCount(); ++i)
        texts << item->child(i)->text(0);
    return texts;
}

// Fills the DVR dialog as an operator would and presses OK.
std::function<void(QDialog*)> FillDvr(const QString& name, const QString& address, int port, int chnum, bool old = false)
{
    return [=](QDialog* dialog) {
        dialog->findChild<QLineEdit*>("name")->setText(name);
        dialog->findChild<QLineEdit*>("address")->setText(address);
        dialog->findChild<QSpinBox*>("port")->setValue(port);
        dialog->findChild<QLineEdit*>("id")->setText("admin");
        dialog->findChild<QLineEdit*>("password")->setText("1234");
        dialog->findChild<QComboBox*>("chnum")->setCurrentText(QString::number(chnum));
        dialog->findChild<QCheckBox*>("oldProtocol")->setChecked(old);
        dialog->accept();
    };
}

simdvr::Config FourCameras()
{
    simdvr::Config config;
    config.channels = 4;
    config.channelNames = {"Door", "Yard", "Hall", "Gate"};
    return config;
}

class DVRTreeTest : public ::testing::Test {
protected:
    uitest::Sandbox sandbox;
    ScriptedPrompt prompt;
    GroupList stored() { return CControlDVRList().Load(); }
};

}  // namespace

TEST_F(DVRTreeTest, FirstStartShowsTheDefaultListWithItsRecordsAndIcons)
{
    CDVRListTree tree;
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    QTreeWidgetItem* group = tree.topLevelItem(0);
    EXPECT_EQ(group->text(0), "My Group");
    EXPECT_EQ(group->icon(0).cacheKey(), CControlDVRList::getGroupIcon().cacheKey());
    EXPECT_EQ(GroupOfItem(group).SerializeAsString(), stored().group(0).SerializeAsString());
    ASSERT_EQ(group->childCount(), 1);
    EXPECT_EQ(group->child(0)->text(0), "My DVR");
    EXPECT_EQ(DvrOfItem(group->child(0)).name(), "My DVR");
    EXPECT_EQ(group->child(0)->icon(0).cacheKey(), CControlDVRList::getDVRIcon().cacheKey());
    EXPECT_FALSE(QFile::exists(sandbox.appDir() + "/DVRlist.pb"));
    EXPECT_TRUE(tree.dragDropMode() == QAbstractItemView::NoDragDrop);
}

TEST_F(DVRTreeTest, EditsGoIntoTheListFileAndCurrentDvrsGiveTheirCameraNames)
{
    CSimDvr sim(FourCameras());
    ASSERT_TRUE(sim.start());
    CDVRListTree tree;

    // A group, then a current-protocol DVR in it: saved at once, then its camera names.
    prompt.texts = {"  Office  "};
    tree.addGroup();
    EXPECT_EQ(Names(stored()), QStringList({"My Group", "  My DVR", "Office"}));
    prompt.onDialog = FillDvr("Front", "127.0.0.1", sim.port(), 4);
    tree.addDVR();
    ASSERT_TRUE(sim.waitUntil([&] { return stored().group(1).dvr_size() == 1 && stored().group(1).dvr(0).chname_size() == 4; }));
    DVR front = stored().group(1).dvr(0);
    EXPECT_EQ(ChannelNames(front), QStringList({"Door", "Yard", "Hall", "Gate"}));
    EXPECT_EQ(front.protocol_type(), 1);
    EXPECT_EQ(front.bit_ch(), 0xFu) << "channels above the count are not set";
    EXPECT_EQ(DvrOfItem(tree.topLevelItem(1)->child(0)).SerializeAsString(), front.SerializeAsString());
    Request posted;
    ASSERT_TRUE(sim.waitForRequest([](const Request& r) { return r.transport == Transport::Post; }, 5000, &posted));
    EXPECT_EQ(posted.mode, cgi::MODE_LIVE);
    EXPECT_EQ(posted.user, "admin");

    // A new name keeps the camera names; a new port drops them, and the silent port gives none.
    tree.setCurrentItem(tree.topLevelItem(1)->child(0));
    prompt.onDialog = FillDvr("Front door", "127.0.0.1", sim.port(), 4);
    tree.editDVR();
    EXPECT_EQ(Names(stored()), QStringList({"My Group", "  My DVR", "Office", "  Front door"}));
    EXPECT_EQ(stored().group(1).dvr(0).chname_size(), 4);
    prompt.onDialog = FillDvr("Front door", "127.0.0.1", 1, 4);
    tree.editDVR();
    EXPECT_EQ(stored().group(1).dvr(0).chname_size(), 0);
    EXPECT_EQ(stored().group(1).dvr(0).port(), 1);

    // A cancelled dialog or a "no" changes nothing.
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
    tree.setCurrentItem(tree.topLevelItem(0));
    prompt.yesNo = {true};
    tree.deleteGroup();
    EXPECT_EQ(Names(stored()), QStringList({"Branch"}));
    EXPECT_EQ(Names(tree.groupList()), Names(stored()));
    EXPECT_EQ(prompt.questions.size(), 5);
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST_F(DVRTreeTest, ConnectedGroupIsDisconnectedBeforeItsItemsChange)
{
    GroupList list;
    for (const char* name : {"A", "B", "C"}) {
        Group* group = list.add_group();
        group->set_name(name);
        group->add_dvr()->set_name(std::string(name) + "1");
        group->add_dvr()->set_name(std::string(name) + "2");
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
    EXPECT_EQ(connects.at(0).at(1), 1);
    EXPECT_EQ(connects.at(0).at(2), 1);
    EXPECT_EQ(tree.connectedGroup(), 1);
    b2->setIcon(0, CControlDVRList::getConnectedIcon());

    // Disconnect is offered only on the connected group; the e-map form connects nothing.
    auto texts = [&](bool emapEdit) {
        QStringList out;
        CMenuDVRList menu(&tree, emapEdit);
        for (QAction* action : menu.actions())
            if (!action->isSeparator())
                out << action->text() + (action->isEnabled() ? "" : " (off)");
        return out;
    };
    EXPECT_EQ(texts(false), QStringList({"Connect", "Disconnect", "Add Group", "Edit Group", "Delete Group",
                                         "Add DVR", "Edit DVR", "Delete DVR"}));
    tree.setCurrentItem(tree.topLevelItem(2));
    EXPECT_EQ(texts(false), QStringList({"Connect", "Add Group", "Edit Group", "Delete Group", "Add DVR",
                                         "Edit DVR (off)", "Delete DVR (off)"}));
    EXPECT_EQ(texts(true), QStringList({"Add Group", "Edit Group", "Delete Group", "Add DVR", "Edit DVR (off)",
                                        "Delete DVR (off)"}));

    // Edits elsewhere, and adding to the connected group, leave the connection alone.
    prompt.texts = {"C renamed"};
    tree.editGroup();
    tree.setCurrentItem(b2);
    prompt.onDialog = FillDvr("B3", "10.0.0.3", 80, 16, true);
    tree.addDVR();
    EXPECT_EQ(disconnects.count(), 0);

    // The menu disconnects one DVR, then an edit of the group stops it whole; icons stay.
    tree.setCurrentItem(b2);
    CMenuDVRList(&tree, false).actions().at(1)->trigger();
    EXPECT_EQ(disconnects.takeFirst(), QVariantList({1}));
    prompt.onDialog = FillDvr("B2 new", "10.0.0.2", 80, 8);
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
    Group* group = list.add_group();
    group->set_name("Site");
    DVR* current = group->add_dvr();
    current->set_name("Current");
    current->set_address("127.0.0.1");
    current->set_port(sim.port());
    current->set_id("admin");
    current->set_password("1234");
    current->set_chnum(4);
    DVR* old = group->add_dvr();
    *old = *current;
    old->set_name("Old");
    old->set_old_protocol(true);
    old->set_chnum(8);
    old->add_chname("Lobby");
    Group* office = list.add_group();
    office->set_name("Office");
    office->add_dvr()->set_name("Reception");
    office->mutable_dvr(0)->set_chnum(4);
    ASSERT_TRUE(CControlDVRList().Save(list));

    CDVRListTree tree;
    EXPECT_EQ(tree.topLevelItem(0)->child(0)->childCount(), 0);
    tree.setCameraNameShow(true);
    EXPECT_TRUE(tree.dragEnabled());
    QTreeWidgetItem* currentItem = tree.topLevelItem(0)->child(0);
    QTreeWidgetItem* oldItem = tree.topLevelItem(0)->child(1);
    EXPECT_EQ(ItemTexts(oldItem), QStringList({"Lobby", "Camera 2", "Camera 3", "Camera 4", "Camera 5", "Camera 6",
                                               "Camera 7", "Camera 8"}));
    // Only the current DVR without names is asked, once; its answer reaches items and file.
    ASSERT_TRUE(sim.waitUntil([&] { return ItemTexts(currentItem).value(3) == "Gate"; }));
    EXPECT_EQ(ChannelNames(stored().group(0).dvr(0)), QStringList({"Door", "Yard", "Hall", "Gate"}));
    EXPECT_EQ(sim.requests().size(), 1u);
    EXPECT_EQ(ItemTexts(tree.topLevelItem(1)->child(0)), QStringList({"Camera 1", "Camera 2", "Camera 3", "Camera 4"}));
    tree.resize(240, 560);
    uitest::Screenshot(&tree, "dvr-tree-cameras");

    // Moving the mouse with a camera current offers it to the e-map; its drag data says the same.
    QSignalSpy drags(&tree, &CDVRListTree::dragCameraItem);
    QTreeWidgetItem* hall = currentItem->child(2);
    tree.setCurrentItem(hall);
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(tree.viewport(), &move);
    ASSERT_EQ(drags.count(), 1);
    EXPECT_EQ(drags.at(0).at(0).value<DVR>().name(), "Current");
    EXPECT_EQ(drags.at(0).at(1), 2);
    std::unique_ptr<QMimeData> mime(tree.mimeData({hall}));
    ASSERT_TRUE(mime);
    DVR dragged;
    int channel = -1;
    EXPECT_TRUE(CDVRListTree::readCameraMime(mime.get(), &dragged, &channel));
    EXPECT_EQ(channel, 2);
    EXPECT_EQ(dragged.SerializeAsString(), DvrOfItem(currentItem).SerializeAsString());
    EXPECT_FALSE(tree.mimeData({currentItem}));
    QMimeData foreign;
    foreign.setData(DVR_CAMERA_MIME_TYPE, "junk");
    EXPECT_FALSE(CDVRListTree::readCameraMime(&foreign, &dragged, &channel));

    // A double click connects nothing while cameras are listed; leaving the mode drops them.
    QSignalSpy connects(&tree, &CDVRListTree::groupConnect);
    emit tree.itemDoubleClicked(currentItem, 0);
    EXPECT_EQ(connects.count(), 0);
    tree.setCameraNameShow(false);
    EXPECT_EQ(tree.topLevelItem(0)->child(0)->childCount(), 0);
    EXPECT_FALSE(tree.dragEnabled());
}

TEST_F(DVRTreeTest, UnsavableListIsToldOnce)
{
    CDVRListTree tree;
    ASSERT_TRUE(tree.saveDVRList());
    const QString file = sandbox.appDir() + "/DVRlist.pb";
    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner));
    for (const char* name : {"One", "Two"}) {
        prompt.texts = {name};
        tree.addGroup();
    }
    EXPECT_EQ(prompt.messages, QStringList({"The DVR list could not be saved."}));
    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_TRUE(tree.saveDVRList());
    EXPECT_EQ(Names(stored()), QStringList({"My Group", "  My DVR", "One", "Two"}));
}

TEST(DVRDialogs, DvrDialogBuildsEntriesOfBothProtocols)
{
    CSetDVRInfoDialog dialog;
    DVR in;
    in.set_name("Yard");
    in.set_address("192.0.2.7");
    in.set_port(8000);
    in.set_id("guest");
    in.set_password("pw");
    in.set_chnum(16);
    in.set_bit_ch(0x8421);
    in.add_chname("kept elsewhere");
    for (const bool old : {false, true}) {
        in.set_old_protocol(old);
        dialog.setDVR(in);
        DVR out = dialog.getDVR();
        EXPECT_EQ(out.protocol_type(), old ? 0 : 1);
        EXPECT_EQ(out.old_protocol(), old);
        EXPECT_EQ(out.chname_size(), 0);
        out.clear_protocol_type();
        out.mutable_chname()->CopyFrom(in.chname());
        EXPECT_EQ(out.SerializeAsString(), in.SerializeAsString()) << old;
    }
    if (!qEnvironmentVariableIsEmpty("ZAVO_SCREENSHOT_DIR"))
        uitest::Screenshot(&dialog, "dvr-dialog");

    // A smaller channel count unticks and locks the channels above it.
    dialog.findChild<QComboBox*>("chnum")->setCurrentText("8");
    EXPECT_EQ(dialog.getDVR().bit_ch(), 0x21u);
    EXPECT_EQ(dialog.getDVR().chnum(), 8);
    EXPECT_FALSE(dialog.findChild<QCheckBox*>("ch9")->isEnabled());
    dialog.findChild<QComboBox*>("chnum")->setCurrentText("16");
    EXPECT_EQ(dialog.getDVR().bit_ch(), 0x21u);

    // A blank name or address keeps the dialog open with a message.
    ScriptedPrompt prompt;
    dialog.findChild<QLineEdit*>("address")->clear();
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(prompt.messages, QStringList({"Please fill in all blanks."}));
}

TEST(DVRDialogs, SendConfirmationRefusesBlanks)
{
    ScriptedPrompt prompt;
    struct Case {
        const char* address;
        int port;
        const char* password;
        bool accepted;
    };
    const Case cases[] = {{"10.0.0.9", 8080, "pw", true}, {"", 8080, "pw", false}, {"10.0.0.9", 0, "pw", false},
                          {"10.0.0.9", 8080, "", false}};
    for (const Case& c : cases) {
        CSendDVRInfoWidget dialog;
        dialog.setAddress(c.address);
        dialog.setPort(c.port);
        dialog.setPassword(c.password);
        prompt.messages.clear();
        dialog.accept();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted) << c.address << c.port << c.password;
        EXPECT_EQ(prompt.messages.size(), c.accepted ? 0 : 1);
        EXPECT_EQ(dialog.getPort(), c.port);
    }
    CSendDVRInfoWidget dialog;
    EXPECT_EQ(dialog.windowTitle(), "DVR");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("password")->echoMode(), QLineEdit::Password);
    dialog.setPort(70000);
    EXPECT_EQ(dialog.getPort(), 65535);
}
