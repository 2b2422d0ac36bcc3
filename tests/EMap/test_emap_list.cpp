// The e-map list, its file, its menu and the info dialog.

#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "EMap/ControlEMapList.h"
#include "EMap/EMapList.h"
#include "EMap/EMapMenu.h"
#include "EMap/SetEMapInfoDialog.h"
#include "emap_test_util.h"

using ScriptedPrompt = emaptest::Prompt;

namespace {

EMap Map(const char* name, const char* path, int cameras = 0)
{
    EMap map;
    map.set_name(name);
    map.set_map_image_path(path);
    for (int i = 0; i < cameras; ++i) {
        EMapItems* item = map.add_items();
        item->mutable_dvr()->set_address("10.0.0.9");
        item->set_channel(i);
        item->set_pos_x(10 * i);
    }
    return map;
}

EMapList Group(const char* name, std::initializer_list<EMap> maps)
{
    EMapList list;
    list.set_name(name);
    for (const EMap& map : maps)
        *list.add_emap() = map;
    return list;
}

// "Group: map map" per group, as the file holds it.
QStringList Names(const EMapGroupList& groups)
{
    QStringList names;
    for (const EMapList& group : groups.emap_list()) {
        QString line = QString::fromStdString(group.name()) + ":";
        for (const EMap& map : group.emap())
            line += " " + QString::fromStdString(map.name());
        names << line;
    }
    return names;
}

QStringList TreeNames(const CEMapList& list)
{
    QStringList names;
    for (int g = 0; g < list.topLevelItemCount(); ++g) {
        const QTreeWidgetItem* group = list.topLevelItem(g);
        QString line = group->text(0) + ":";
        for (int m = 0; m < group->childCount(); ++m)
            line += " " + group->child(m)->text(0);
        names << line;
    }
    return names;
}

// Fills the info dialog as the operator would (the path through "...") and presses OK.
std::function<void(QDialog*)> Fill(ScriptedPrompt& prompt, const QString& group, const QString& name,
                                   const QString& path)
{
    return [&prompt, group, name, path](QDialog* dialog) {
        auto* info = static_cast<CSetEMapInfoDialog*>(dialog);
        info->form().EditGroupName->setText(group);
        info->form().EditEMapName->setText(name);
        if (!path.isNull()) {
            prompt.images << path;
            info->form().PathButton->click();
        }
        dialog->accept();
    };
}

class EMapListTest : public ::testing::Test {
protected:
    void write(const EMapGroupList& groups) { ASSERT_TRUE(CControlEMapList().Save(groups)); }
    EMapGroupList stored() { return CControlEMapList().Load(); }
    bool fileExists() const { return QFile::exists(sandbox.appDir() + "/EMaplist.pb"); }

    QTreeWidgetItem* item(CEMapList& list, int group, int map = -1)
    {
        QTreeWidgetItem* g = list.topLevelItem(group);
        return map < 0 ? g : g->child(map);
    }
    void press(CEMapList& list, QTreeWidgetItem* it, bool twice = false)
    {
        // As the platform delivers them: a double click is a click, then a second press that
        // arrives as the double click, and its release.
        const QPoint at = list.visualItemRect(it).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
        if (twice) {
            QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, at);
        }
    }
    static qint64 IconOf(const QTreeWidgetItem* it) { return it->icon(0).cacheKey(); }

    uitest::Sandbox sandbox;
    ScriptedPrompt prompt;
};

}  // namespace

TEST_F(EMapListTest, DefaultContentStaysInMemoryUntilTheFirstChange)
{
    for (const bool emptyFile : {false, true}) {
        if (emptyFile)
            write(EMapGroupList());
        ::testing::internal::CaptureStderr();
        CEMapList list(nullptr);
        ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(TreeNames(list), QStringList{"Group: emap1"});
        EXPECT_TRUE(list.topLevelItem(0)->isExpanded());
        EXPECT_EQ(list.currentItem(), list.topLevelItem(0));
        EXPECT_EQ(list.width(), 172);
        EXPECT_TRUE(list.isHeaderHidden());
        EXPECT_EQ(fileExists(), emptyFile);
    }
}

TEST_F(EMapListTest, StoredGroupsLoadInOrderWithTheirCamerasKept)
{
    EMapGroupList groups;
    *groups.add_emap_list() = Group("B", {Map("b1", "/p/b1.png", 2), Map("b2", "")});
    *groups.add_emap_list() = Group("A", {});
    write(groups);
    CEMapList list(nullptr);
    EXPECT_EQ(TreeNames(list), (QStringList{"B: b1 b2", "A:"}));
    EXPECT_EQ(list.currentItem(), list.topLevelItem(1));
    EXPECT_EQ(EMapOfItem(item(list, 0, 0)).SerializeAsString(), groups.emap_list(0).emap(0).SerializeAsString());
    EXPECT_EQ(list.groupList().SerializeAsString(), groups.SerializeAsString());
    EXPECT_EQ(IconOf(item(list, 0, 1)), CControlEMapList::getMapIcon().cacheKey());
}

TEST_F(EMapListTest, AddEditMoveAndDeleteRoundTripThroughTheFile)
{
    EMapGroupList groups;
    *groups.add_emap_list() = Group("Plant", {Map("Hall", "/maps/hall.png", 2), Map("Yard", "/maps/yard.png", 1)});
    write(groups);
    CEMapList list(nullptr);
    QSignalSpy selected(&list, &CEMapList::signalSelectedEMap);
    QSignalSpy removed(&list, &CEMapList::signalRemoveEMap);

    // Add into the current item's group; the new map opens at once.
    list.setCurrentItem(item(list, 0, 1));
    prompt.onDialog = [&](QDialog* d) {
        EXPECT_EQ(list.infoDialog()->getGroupName(), "Plant");
        EXPECT_TRUE(list.infoDialog()->form().EditImagePath->toPlainText().isEmpty());
        Fill(prompt, "Plant", "Gate", "/maps/gate.png")(d);
    };
    list.OnAddEMap();
    EXPECT_EQ(Names(stored()), QStringList{"Plant: Hall Yard Gate"});
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected.last().at(0).value<EMap>().map_image_path(), "/maps/gate.png");
    EXPECT_EQ(list.selectedMapItem(), item(list, 0, 2));

    // A name differing in case makes a new group at the end.
    prompt.onDialog = Fill(prompt, "plant", "Roof", "/maps/roof.png");
    list.OnAddEMap();
    EXPECT_EQ(Names(stored()), (QStringList{"Plant: Hall Yard Gate", "plant: Roof"}));

    // Editing in the same group keeps the cameras; the shown map reopens.
    list.setCurrentItem(item(list, 0, 0));
    prompt.onDialog = Fill(prompt, "Plant", "Hall 2", QString());
    list.OnEditEMap();
    EXPECT_EQ(stored().emap_list(0).emap(0).name(), "Hall 2");
    EXPECT_EQ(stored().emap_list(0).emap(0).items_size(), 2);
    EXPECT_EQ(stored().emap_list(0).emap(0).map_image_path(), "/maps/hall.png");

    // Moving the shown map to another group closes it there and takes its cameras along.
    removed.clear();
    list.setCurrentItem(item(list, 0, 0));
    prompt.onDialog = Fill(prompt, "plant", "Hall 2", QString());
    list.OnEditEMap();
    EXPECT_EQ(Names(stored()), (QStringList{"Plant: Yard Gate", "plant: Roof Hall 2"}));
    EXPECT_EQ(stored().emap_list(1).emap(1).items_size(), 2);
    EXPECT_EQ(removed.size(), 1);
    EXPECT_EQ(list.selectedMapItem(), item(list, 1, 1));

    // Deleting a map that is not shown leaves the shown one open; the last map leaves its
    // group empty.
    removed.clear();
    list.setCurrentItem(item(list, 1, 0));
    prompt.yesNo = {true};
    list.OnDeleteEMap();
    EXPECT_EQ(Names(stored()), (QStringList{"Plant: Yard Gate", "plant: Hall 2"}));
    EXPECT_EQ(removed.size(), 0);
    list.setCurrentItem(item(list, 1, 0));
    prompt.yesNo = {true};
    list.OnDeleteEMap();
    EXPECT_EQ(Names(stored()), (QStringList{"Plant: Yard Gate", "plant:"}));
    EXPECT_EQ(removed.size(), 1);
    EXPECT_EQ(prompt.questions.last(), "Are you sure you delete the selected map?");

    // Cancelling a delete keeps everything.
    list.setCurrentItem(item(list, 0));
    prompt.yesNo = {false};
    list.OnDeleteEMap();
    EXPECT_EQ(prompt.questions.last(), "Are you sure you delete the selected map group?");
    EXPECT_EQ(TreeNames(list), (QStringList{"Plant: Yard Gate", "plant:"}));
}

TEST_F(EMapListTest, GroupsAreRenamedAndDeletedWithTheirReferences)
{
    EMapGroupList groups;
    *groups.add_emap_list() = Group("One", {Map("a", "/a.png"), Map("b", "/b.png")});
    *groups.add_emap_list() = Group("Two", {Map("c", "/c.png")});
    write(groups);
    CEMapList list(nullptr);
    list.show();
    QSignalSpy removed(&list, &CEMapList::signalRemoveEMap);

    // Empty or cancelled names change nothing; another group's name is taken.
    list.setCurrentItem(item(list, 1));
    prompt.texts = {""};
    list.OnEditEMap();
    list.OnEditEMap();
    EXPECT_EQ(prompt.questions, (QStringList{"Group name:: Two", "Group name:: Two"}));
    EXPECT_EQ(TreeNames(list), (QStringList{"One: a b", "Two: c"}));
    prompt.texts = {"One"};
    list.OnEditEMap();
    EXPECT_EQ(Names(stored()), (QStringList{"One: a b", "One: c"}));

    // Adding by that name finds the first of the two.
    prompt.onDialog = Fill(prompt, "One", "d", "/d.png");
    list.OnAddEMap();
    EXPECT_EQ(Names(stored()), (QStringList{"One: a b d", "One: c"}));

    // Deleting the group of the open group view forgets it: a click on a map no longer
    // switches pages.
    press(list, item(list, 0), true);
    ASSERT_EQ(list.openGroupItem(), item(list, 0));
    list.setCurrentItem(item(list, 0));
    prompt.yesNo = {true};
    list.OnDeleteEMap();
    EXPECT_EQ(removed.size(), 1);
    EXPECT_EQ(list.openGroupItem(), nullptr);
    EXPECT_EQ(list.selectedMapItem(), nullptr);
    EXPECT_EQ(Names(stored()), QStringList{"One: c"});

    // With nothing current an added map needs a group name typed in.
    list.setCurrentItem(nullptr);
    list.OnEditEMap();
    list.OnDeleteEMap();
    prompt.onDialog = [&](QDialog* d) {
        EXPECT_TRUE(list.infoDialog()->getGroupName().isEmpty());
        Fill(prompt, "New", "e", "/e.png")(d);
    };
    list.OnAddEMap();
    EXPECT_EQ(Names(stored()), (QStringList{"One: c", "New: e"}));
}

TEST_F(EMapListTest, TheInfoDialogRefusesBlanksAndTakesThePathOnlyFromTheChooser)
{
    CEMapList list(nullptr);
    CSetEMapInfoDialog& dialog = *list.infoDialog();
    EXPECT_EQ(dialog.windowTitle(), "EMap Info");
    EXPECT_TRUE(dialog.isModal());
    EXPECT_TRUE(dialog.form().EditImagePath->isReadOnly());

    struct Case { QString group, name, path; bool accepted; };
    const Case cases[] = {
        {"G", "M", "", false},
        {"", "M", "/x.png", false},
        {"G", "", "/x.png", false},
        {" ", " ", "/x.png", true},  // spaces count as filled
    };
    for (const Case& c : cases) {
        prompt.messages.clear();
        dialog.setResult(QDialog::Rejected);
        dialog.setEMap(c.group, Map("", c.path.toUtf8().constData()));
        dialog.form().EditEMapName->setText(c.name);
        dialog.accept();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted) << c.group.toStdString();
        EXPECT_EQ(prompt.messages, c.accepted ? QStringList() : QStringList{"Please fill in all blanks."});
    }

    // The chooser starts in the folder of the path shown; cancelling keeps the path.
    dialog.setEMap("G", Map("M", "/maps/old/plan.png"));
    prompt.images = {"/maps/new.png"};
    dialog.OnBrowser();
    EXPECT_EQ(dialog.getEMap().map_image_path(), "/maps/new.png");
    dialog.OnBrowser();
    EXPECT_EQ(dialog.getEMap().map_image_path(), "/maps/new.png");
    EXPECT_EQ(prompt.questions.last(), "Select a Image file Image files(*.bmp | *.jpg | *.png)");
    EXPECT_EQ(dialog.getEMap().items_size(), 0);
}

TEST_F(EMapListTest, DoubleClicksAndClicksOpenMapsAndGroupsWithTheirIcons)
{
    EMapGroupList groups;
    *groups.add_emap_list() = Group("One", {Map("a", "/a.png"), Map("b", "/b.png"), Map("c", "/c.png")});
    *groups.add_emap_list() = Group("Two", {Map("d", "/d.png")});
    *groups.add_emap_list() = Group("Empty", {});
    write(groups);
    CEMapList list(nullptr);
    list.setFixedHeight(400);
    list.show();
    QSignalSpy selected(&list, &CEMapList::signalSelectedEMap);
    QSignalSpy group(&list, &CEMapList::signalSelectedEMapGroup);
    QSignalSpy changed(&list, &CEMapList::changedEMap);
    const qint64 plain = CControlEMapList::getMapIcon().cacheKey();
    const qint64 view = CControlEMapList::getSelectedMapViewIcon().cacheKey();
    const qint64 edit = CControlEMapList::getSelectedMapEditIcon().cacheKey();
    const qint64 connected = CControlEMapList::getConnectedMapIcon().cacheKey();
    auto icons = [&](int g) {
        QList<qint64> keys;
        for (int m = 0; m < item(list, g)->childCount(); ++m)
            keys << IconOf(item(list, g, m));
        return keys;
    };

    // A map opens alone in either mode, with the mode's selected icon.
    for (const bool editable : {false, true}) {
        list.setEditable(editable);
        press(list, item(list, 0, 1), true);
        EXPECT_EQ(selected.last().at(0).value<EMap>().name(), "b");
        EXPECT_EQ(icons(0), (QList<qint64>{plain, editable ? edit : view, plain}));
    }

    // In edit mode a group with maps does nothing; an empty group only resets the icons.
    selected.clear();
    press(list, item(list, 0), true);
    EXPECT_EQ(icons(0), (QList<qint64>{plain, edit, plain}));
    press(list, item(list, 2), true);
    EXPECT_EQ(icons(0), (QList<qint64>{plain, plain, plain}));
    EXPECT_EQ(selected.size() + group.size(), 0);

    // Switching modes resets the icons; the same mode again does not.
    press(list, item(list, 0, 0), true);
    list.setEditable(true);
    EXPECT_EQ(icons(0).first(), edit);
    list.setEditable(false);
    EXPECT_EQ(icons(0).first(), plain);

    // In view mode a whole group opens; clicks on its maps switch pages, others do not.
    press(list, item(list, 0), true);
    ASSERT_EQ(group.size(), 1);
    EXPECT_EQ(group.last().at(0).value<EMapList>().emap_size(), 3);
    EXPECT_EQ(icons(0), (QList<qint64>{view, connected, connected}));
    changed.clear();
    press(list, item(list, 0, 2));
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(changed.last().at(0).toInt(), 2);
    EXPECT_EQ(icons(0), (QList<qint64>{connected, connected, view}));
    press(list, item(list, 1, 0));
    press(list, item(list, 1));
    EXPECT_EQ(changed.size(), 1);
}

TEST_F(EMapListTest, ChangedCamerasAreStoredForTheShownMapOnly)
{
    EMapGroupList groups;
    *groups.add_emap_list() = Group("One", {Map("a", "/a.png"), Map("b", "/b.png")});
    write(groups);
    CEMapList list(nullptr);
    list.show();
    list.OnSaveEMap(Map("x", "/x.png", 3));
    EXPECT_EQ(stored().SerializeAsString(), groups.SerializeAsString());

    list.setEditable(true);
    press(list, item(list, 0, 1), true);
    list.OnSaveEMap(Map("b", "/b.png", 3));
    EXPECT_EQ(stored().emap_list(0).emap(1).items_size(), 3);
    EXPECT_EQ(EMapOfItem(item(list, 0, 1)).items_size(), 3);
    EXPECT_EQ(IconOf(item(list, 0, 1)), CControlEMapList::getSelectedMapEditIcon().cacheKey());

    // A list that cannot be written tells the operator once, until a save works again.
    const QString missing = sandbox.appDir() + "/missing";
    CAppDir::setOverridePath(missing);
    ::testing::internal::CaptureStderr();
    list.OnSaveEMap(Map("b", "/b.png", 1));
    list.OnSaveEMap(Map("b", "/b.png", 2));
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(prompt.messages, QStringList{"The e-map list could not be saved."});
    EXPECT_EQ(EMapOfItem(item(list, 0, 1)).items_size(), 2);
    CAppDir::setOverridePath(sandbox.appDir());
    list.OnSaveEMap(Map("b", "/b.png", 4));
    CAppDir::setOverridePath(missing);
    ::testing::internal::CaptureStderr();
    list.OnSaveEMap(Map("b", "/b.png", 5));
    ::testing::internal::GetCapturedStderr();
    CAppDir::setOverridePath(sandbox.appDir());
    EXPECT_EQ(prompt.messages.size(), 2);
    EXPECT_EQ(stored().emap_list(0).emap(1).items_size(), 4);
}

TEST_F(EMapListTest, TheMenuRunsTheListsOperations)
{
    CEMapList list(nullptr);
    CEMapMenu menu(&list);
    QStringList texts;
    for (QAction* action : menu.actions())
        texts << action->text();
    EXPECT_EQ(texts, (QStringList{"Add EMap", "Edit EMap", "Delete EMap"}));

    list.setCurrentItem(item(list, 0, 0));
    prompt.yesNo = {true};
    menu.actions().at(2)->trigger();
    EXPECT_EQ(Names(stored()), QStringList{"Group:"});
    prompt.onDialog = Fill(prompt, "Group", "m", "/m.png");
    menu.actions().at(0)->trigger();
    EXPECT_EQ(Names(stored()), QStringList{"Group: m"});
    prompt.texts = {"Renamed"};
    list.setCurrentItem(item(list, 0));
    menu.actions().at(1)->trigger();
    EXPECT_EQ(Names(stored()), QStringList{"Renamed: m"});
}
