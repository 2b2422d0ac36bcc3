// The e-map list, its file, its menu and the info dialog.

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "EMap/ControlEMapList.h"
#include "EMap/EMapList.h"
#include "EMap/EMapMenu.h"
#include "emap_test_util.h"

using emaptest::Map;

namespace {

EMapList Group(const char* name, std::initializer_list<EMap> maps)
{
    EMapList list;
    list.set_name(name);
    for (const EMap& map : maps)
        *list.add_emap() = map;
    return list;
}

// "Group: map map" per group.
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

class EMapListTest : public ::testing::Test {
protected:
    void write(std::initializer_list<EMapList> groups)
    {
        EMapGroupList list;
        for (const EMapList& g : groups)
            *list.add_emap_list() = g;
        ASSERT_TRUE(CControlEMapList().Save(list));
    }
    EMapGroupList stored() { return CControlEMapList().Load(); }
    QTreeWidgetItem* item(int group, int map = -1)
    {
        QTreeWidgetItem* g = list->topLevelItem(group);
        return map < 0 ? g : g->child(map);
    }
    // The operator fills the dialog, the picture through "...", and presses OK.
    void fill(const QString& group, const QString& name, const QString& path = QString())
    {
        prompt.onDialog = [=](QDialog*) {
            const Ui_CSetEMapInfoDialog& form = list->infoDialog()->form();
            offered = form.EditGroupName->text();
            form.EditGroupName->setText(group);
            form.EditEMapName->setText(name);
            if (!path.isNull()) {
                prompt.images << path;
                form.PathButton->click();
            }
            form.buttonBox->button(QDialogButtonBox::Ok)->click();
        };
    }
    // A click as the platform delivers it; a double click adds a second press and release.
    void press(QTreeWidgetItem* it, bool twice = false)
    {
        const QPoint at = list->visualItemRect(it).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        if (twice) {
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
        }
    }
    QList<qint64> icons(int group)
    {
        QList<qint64> keys;
        for (int m = 0; m < item(group)->childCount(); ++m)
            keys << item(group, m)->icon(0).cacheKey();
        return keys;
    }

    uitest::Sandbox sandbox;
    emaptest::Prompt prompt;
    std::unique_ptr<CEMapList> list;
    QString offered;
};

}  // namespace

TEST_F(EMapListTest, DefaultContentStaysInMemoryUntilTheFirstChange)
{
    for (const bool emptyFile : {false, true}) {
        if (emptyFile)
            write({});
        ::testing::internal::CaptureStderr();
        list = std::make_unique<CEMapList>(nullptr);
        ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(Names(list->groupList()), QStringList{"Group: emap1"});
        EXPECT_TRUE(item(0)->isExpanded());
        EXPECT_EQ(list->currentItem(), item(0));
        EXPECT_EQ(QFile::exists(sandbox.appDir() + "/EMaplist.pb"), emptyFile);
    }
}

TEST_F(EMapListTest, MenuOperationsRoundTripThroughTheFile)
{
    const DVR dvr = emaptest::Dvr("Front", "10.0.0.9", 80);
    write({Group("Plant", {Map("Hall", "/maps/hall.png", dvr, {0, 1}), Map("Yard", "/maps/yard.png")})});
    list = std::make_unique<CEMapList>(nullptr);
    CEMapMenu menu(list.get());
    ASSERT_EQ(menu.actions().size(), 3);
    QAction* add = menu.actions()[0];
    QAction* edit = menu.actions()[1];
    QAction* remove = menu.actions()[2];
    EXPECT_EQ(add->text() + edit->text() + remove->text(), "Add EMapEdit EMapDelete EMap");
    QSignalSpy selected(list.get(), &CEMapList::signalSelectedEMap);
    QSignalSpy removed(list.get(), &CEMapList::signalRemoveEMap);

    // Blanks are refused ("..." is the only way to a picture); the current group is offered.
    list->setCurrentItem(item(0, 1));
    fill("Plant", "Gate");
    add->trigger();
    EXPECT_EQ(prompt.messages, QStringList{"Please fill in all blanks."});
    EXPECT_EQ(offered, "Plant");
    fill("Plant", "Gate", "/maps/gate.png");
    add->trigger();
    EXPECT_EQ(prompt.questions.last(), "Select a Image file Image files(*.bmp | *.jpg | *.png)");
    fill("plant", "Roof", "/maps/roof.png");  // another case, another group
    add->trigger();
    EXPECT_EQ(Names(stored()), (QStringList{"Plant: Hall Yard Gate", "plant: Roof"}));
    EXPECT_EQ(selected.last().at(0).value<EMap>().name(), "Roof");

    // Edited in its group a map keeps its cameras; moved to another group it takes them along.
    list->setCurrentItem(item(0, 0));
    fill("Plant", "Hall 2");
    edit->trigger();
    EXPECT_EQ(stored().emap_list(0).emap(0).items_size(), 2);
    EXPECT_EQ(stored().emap_list(0).emap(0).map_image_path(), "/maps/hall.png");
    list->setCurrentItem(item(0, 0));
    fill("plant", "Hall 2");
    edit->trigger();
    EXPECT_EQ(Names(stored()), (QStringList{"Plant: Yard Gate", "plant: Roof Hall 2"}));
    EXPECT_EQ(stored().emap_list(1).emap(1).items_size(), 2);
    EXPECT_EQ(removed.size(), 1);  // it was the map shown

    // Deleting: cancelled, a map not shown, the shown one (its group stays, empty).
    list->setCurrentItem(item(1, 0));
    prompt.yesNo = {false, true, true};
    remove->trigger();
    remove->trigger();
    list->setCurrentItem(item(1, 0));
    remove->trigger();
    EXPECT_EQ(Names(stored()), (QStringList{"Plant: Yard Gate", "plant:"}));
    EXPECT_EQ(removed.size(), 2);

    // Group names: empty does nothing, a taken one is accepted, lookups find the first.
    prompt.texts = {"", "Plant"};
    edit->trigger();
    edit->trigger();
    EXPECT_EQ(prompt.questions.filter("Group name:: plant").size(), 2);
    fill("Plant", "Roof", "/maps/roof.png");
    add->trigger();
    EXPECT_EQ(Names(stored()), (QStringList{"Plant: Yard Gate Roof", "Plant:"}));

    // With nothing current a new group must be typed; it comes last.
    list->setCurrentItem(nullptr);
    fill("New", "e", "/e.png");
    add->trigger();
    EXPECT_TRUE(offered.isEmpty());
    EXPECT_EQ(Names(stored()).last(), "New: e");
}

TEST_F(EMapListTest, ClicksOpenMapsAndGroupsWithTheIconsOfTheMode)
{
    write({Group("One", {Map("a", "/a"), Map("b", "/b"), Map("c", "/c")}), Group("Two", {Map("d", "/d")}),
           Group("Empty", {})});
    list = std::make_unique<CEMapList>(nullptr);
    list->setFixedHeight(400);
    list->show();
    QSignalSpy selected(list.get(), &CEMapList::signalSelectedEMap);
    QSignalSpy group(list.get(), &CEMapList::signalSelectedEMapGroup);
    QSignalSpy changed(list.get(), &CEMapList::changedEMap);
    QSignalSpy removed(list.get(), &CEMapList::signalRemoveEMap);
    const qint64 plain = CControlEMapList::getMapIcon().cacheKey();
    const qint64 view = CControlEMapList::getSelectedMapViewIcon().cacheKey();
    const qint64 edit = CControlEMapList::getSelectedMapEditIcon().cacheKey();
    const qint64 connected = CControlEMapList::getConnectedMapIcon().cacheKey();

    for (const bool editable : {false, true}) {
        list->setEditable(editable);
        press(item(0, 1), true);
        EXPECT_EQ(selected.last().at(0).value<EMap>().name(), "b");
        EXPECT_EQ(icons(0), (QList<qint64>{plain, editable ? edit : view, plain}));
    }
    // Edit mode: a group with maps does nothing; an empty one only resets the icons.
    press(item(0), true);
    EXPECT_EQ(icons(0)[1], edit);
    press(item(2), true);
    EXPECT_EQ(icons(0)[1], plain);
    EXPECT_EQ(selected.size() + group.size(), 2);
    // A mode switch resets the icons; the same mode again does not.
    press(item(0, 0), true);
    list->setEditable(true);
    EXPECT_EQ(icons(0)[0], edit);
    list->setEditable(false);
    EXPECT_EQ(icons(0)[0], plain);

    // View mode: a whole group opens; a click on another of its maps switches to it.
    press(item(0), true);
    EXPECT_EQ(group.last().at(0).value<EMapList>().emap_size(), 3);
    EXPECT_EQ(icons(0), (QList<qint64>{view, connected, connected}));
    press(item(0, 2));
    press(item(1, 0));
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(changed.last().at(0).toInt(), 2);
    EXPECT_EQ(icons(0), (QList<qint64>{connected, connected, view}));

    // Deleting the open group closes its maps and forgets the group.
    list->setCurrentItem(item(0));
    prompt.yesNo = {true};
    list->OnDeleteEMap();
    EXPECT_EQ(removed.size(), 1);
    EXPECT_EQ(list->openGroupItem(), nullptr);
    EXPECT_EQ(prompt.questions.last(), "Are you sure you delete the selected map group?");
}

TEST_F(EMapListTest, CamerasOfTheShownMapAreStoredAndEveryFailedSaveIsTold)
{
    write({Group("One", {Map("a", "/a"), Map("b", "/b")})});
    list = std::make_unique<CEMapList>(nullptr);
    list->show();
    const DVR dvr = emaptest::Dvr("Front", "10.0.0.9", 80);
    list->OnSaveEMap(Map("b", "/b", dvr, {3}));  // nothing shown: nothing stored
    EXPECT_EQ(stored().emap_list(0).emap(1).items_size(), 0);

    list->setEditable(true);
    press(item(0, 1), true);
    const QString missing = sandbox.appDir() + "/missing";
    for (const QString& folder : {sandbox.appDir(), missing, missing}) {
        CAppDir::setOverridePath(folder);
        ::testing::internal::CaptureStderr();
        list->OnSaveEMap(Map("b", "/b", dvr, {3, 4}));
        ::testing::internal::GetCapturedStderr();
    }
    CAppDir::setOverridePath(sandbox.appDir());
    EXPECT_EQ(prompt.messages, QStringList(2, "The e-map list could not be saved."));
    EXPECT_EQ(stored().emap_list(0).emap(1).items_size(), 2);
    EXPECT_EQ(EMapOfItem(item(0, 1)).items_size(), 2);
    EXPECT_EQ(item(0, 1)->icon(0).cacheKey(), CControlEMapList::getSelectedMapEditIcon().cacheKey());
}
