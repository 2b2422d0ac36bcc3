// The e-maps: the list and its file, the setup dialog, camera icons and pop-ups, the map view in
// edit mode and, against simulated DVRs, in view mode. With ZAVO_SCREENSHOT_DIR set, the
// EMapScreens case saves the pages as an operator sees them.

#include <QContextMenuEvent>
#include <QCursor>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "DVRList/DVRListTree.h"
#include "EMap/CameraWidget.h"
#include "EMap/ControlEMapList.h"
#include "EMap/EMapList.h"
#include "EMap/EMapLive.h"
#include "EMap/EMapMenu.h"
#include "EMap/EMapSettings.h"
#include "EMap/EMapSetupDialog.h"
#include "EMap/EMapWidget.h"
#include "Network/HttpConnect.h"
#include "cgi_request.pb.h"
#include "sim/SimDvr.h"
#include "support/TestMedia.h"
#include "support/UiTestSupport.h"

using simdvr::CSimDvr;
using S = EMap_Status;

namespace {

DVR Dvr(const char* name, const std::string& address, int port, const char* user = "admin")
{
    DVR dvr;
    dvr.set_name(name);
    dvr.set_address(address);
    dvr.set_port(port);
    dvr.set_id(user);
    dvr.set_password("1234");
    for (const char* title : {"Door", "Yard", "Hall", "Gate"})
        dvr.add_chname(title);
    return dvr;
}

// A camera per channel, 90 pixels apart.
EMap Map(const char* name, const QString& path, const DVR& dvr = DVR(), std::initializer_list<int> channels = {})
{
    EMap map;
    map.set_name(name);
    map.set_map_image_path(path.toStdString());
    for (const int ch : channels) {
        EMapItems* item = map.add_items();
        *item->mutable_dvr() = dvr;
        item->set_channel(ch);
        item->set_pos_x(20 + 90 * (map.items_size() - 1));
        item->set_pos_y(40);
    }
    return map;
}

EMapList MapGroup(const char* name, std::initializer_list<EMap> maps)
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
        names << QString::fromStdString(group.name()) + ":";
        for (const EMap& map : group.emap())
            names.last() += " " + QString::fromStdString(map.name());
    }
    return names;
}

QPoint At(const EMapItems& item) { return {item.pos_x(), item.pos_y()}; }

// Right-clicks the widget and picks the first entry of the menu it runs, if any.
void PickFromContextMenu(QWidget* widget)
{
    QTimer::singleShot(0, [] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
            menu->actions().at(0)->trigger(), menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
    QCoreApplication::sendEvent(widget, &event);
    QCoreApplication::processEvents();
}

// A press on the icon, the pointer moved over these points of `area`, a release: an operator's drag.
void Drag(QWidget* icon, const QWidget* area, std::initializer_list<QPoint> path)
{
    QTest::mousePress(icon, Qt::LeftButton, {}, QPoint(2, 2));
    for (const QPoint& p : path) {
        const QPoint global = area->mapToGlobal(p);
        QMouseEvent move(QEvent::MouseMove, icon->mapFromGlobal(global), global, Qt::NoButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(icon, &move);
    }
    QTest::mouseRelease(icon, Qt::LeftButton, {}, QPoint(2, 2));
}

simdvr::Config Sim(bool old, int channels = 4)
{
    simdvr::Config c;
    c.oldProtocol = old;
    c.channels = channels;
    c.model = old ? 12 : 4;  // old: an H.264 model
    c.mainSize = QStringLiteral("cif");
    c.fps = 10;
    c.firstClientId = 7;
    return c;
}

DVR Entry(const CSimDvr& sim)
{
    DVR dvr = Dvr("Plant", "127.0.0.1", sim.port());
    dvr.set_old_protocol(sim.config().oldProtocol);
    dvr.set_protocol_type(sim.config().oldProtocol ? 2 : 1);
    return dvr;
}

// The stream-channel commands the DVR took in, in order: old bodies as sent, current ones as
// "stream id, vchmask, header_only_mask" in hexadecimal (with no audio and no auto stream).
QStringList ChannelCommands(const CSimDvr& sim)
{
    QStringList out;
    for (const simdvr::Request& r : sim.requests()) {
        cgi::StreamChannel m;
        if (r.transport == simdvr::Transport::Post && r.oldProtocol && r.param("OP") == "6")
            out << QString::fromLatin1(r.body);
        else if (r.transport == simdvr::Transport::Post && r.mode == cgi::MODE_STREAM_CHANNEL && r.message(&m))
            out << QStringLiteral("%1 %2 %3").arg(m.stream_id()).arg(m.vchmask(), 0, 16).arg(m.header_only_mask(), 0, 16)
                       + (m.achmask() || m.has_auto_stream() ? " audio or auto" : "");
    }
    return out;
}

// A map view with its log, a map list and an operator, in a scratch settings store and folder.
class EMapTest : public ::testing::Test {
protected:
    void open(const EMap& map, bool editable = false, int noPacketMs = 0)
    {
        delete view;
        log.clear();
        area.resize(800, 600);
        area.show();
        view = new CEMapWidget(&area);
        view->setEditable(editable);
        view->setNoPacketTimeout(noPacketMs);
        QObject::connect(view, &CEMapWidget::updateLog, &log, &QPlainTextEdit::appendPlainText);
        view->setSelectedEMap(map);
        view->show();
    }
    void TearDown() override { delete view; }

    CCameraWidget* icon(int i) const { return view->cameraWidgets().at(i); }
    // Something of every camera icon.
    template <class F>
    auto each(F f) const
    {
        QList<decltype(f(icon(0)))> out;
        for (CCameraWidget* c : view->cameraWidgets())
            out << f(c);
        return out;
    }
    QList<int> states() const { return each([](auto* c) { return c->status(); }); }
    // The log lines after their time, sorted.
    QStringList lines() const
    {
        QStringList out;
        for (const QString& line : log.toPlainText().split('\n', Qt::SkipEmptyParts))
            out << line.section("  ", 2);
        out.sort();
        return out;
    }
    void doubleClick(int i) { QTest::mouseDClick(icon(i), Qt::LeftButton, {}, QPoint(4, 4)); }
    bool shows(int i) const { return icon(i)->videoDialog() && !icon(i)->videoDialog()->screen().getInfo(0).image.isNull(); }
    // A drop with the pointer at `at` on the picture (by default of what the DVR tree drags);
    // whether it was entered.
    bool drop(const QPoint& at, const QMimeData* data = nullptr)
    {
        QMimeData camera;
        camera.setData(QLatin1String(DVR_CAMERA_MIME_TYPE), "camera");
        QCursor::setPos(view->imageLabel()->mapToGlobal(at));
        const QPoint pos = view->mapFromGlobal(QCursor::pos());
        QDragEnterEvent enter(pos, Qt::CopyAction, data ? data : &camera, Qt::LeftButton, {});
        QCoreApplication::sendEvent(view, &enter);
        QDropEvent dropped(QPointF(pos), Qt::CopyAction, data ? data : &camera, Qt::LeftButton, {});
        QCoreApplication::sendEvent(view, &dropped);
        return enter.isAccepted();
    }

    // The list file and the list.
    void write(std::initializer_list<EMapList> groups)
    {
        EMapGroupList file;
        for (const EMapList& g : groups)
            *file.add_emap_list() = g;
        ASSERT_TRUE(CControlEMapList().Save(file));
    }
    EMapGroupList stored() { return CControlEMapList().Load(); }
    QTreeWidgetItem* item(int group, int map = -1) { return map < 0 ? list->topLevelItem(group) : list->topLevelItem(group)->child(map); }
    // The operator fills the info dialog, the picture through "...", and presses OK.
    void fill(const QString& group, const QString& name, const QString& path = QString())
    {
        prompt.onDialog = [=](QDialog*) {
            const Ui_CSetEMapInfoDialog& form = list->infoDialog()->form();
            offered = form.EditGroupName->text();
            form.EditGroupName->setText(group);
            form.EditEMapName->setText(name);
            if (!path.isNull()) {
                prompt.files << path;
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
    uitest::ScriptedPrompt prompt;
    QWidget area;
    QPlainTextEdit log;
    CEMapWidget* view = nullptr;
    std::unique_ptr<CEMapList> list;
    QString offered;
};

class EMapScreens : public EMapTest {};

}  // namespace

TEST_F(EMapTest, TheListFileAndTheDefaultListKeptInMemoryUntilTheFirstChange)
{
    const QString path = sandbox.appDir() + "/EMaplist.pb";
    // Missing, of another kind, without groups: no maps read, the default shown, the file left.
    const std::pair<QByteArray, std::string> files[] = {
        {QByteArray(), "error: file open error " + QFile::encodeName(path).toStdString() + "\n"},
        {QByteArray("DVRLIST_PB\x0a\x04\x12\x02g1", 16), "Invalid file format(DVR list)"},
        {"EMAPLIST_PB", ""}};
    for (const auto& [content, error] : files) {
        QFile file(path);
        ASSERT_TRUE(content.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(content) == content.size()));
        file.close();
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(CControlEMapList().Load().emap_list_size(), 0);
        list = std::make_unique<CEMapList>(nullptr);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), error + error);
        EXPECT_EQ(Names(list->groupList()), QStringList{"Group: emap1"});
        EXPECT_TRUE(item(0)->isExpanded() && list->currentItem() == item(0));
        EXPECT_EQ(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), content);
    }
    // Saved as a magic word before the message, and read back whole.
    const EMapGroupList groups = [] {
        EMapGroupList g;
        *g.add_emap_list() = MapGroup("Group", {Map("emap1", "/home/op/plan.png", Dvr("Front", "10.0.0.5", 80), {2})});
        g.add_emap_list()->set_name("Empty");
        return g;
    }();
    EXPECT_TRUE(CControlEMapList().Save(groups));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.readAll() == "EMAPLIST_PB" + QByteArray::fromStdString(groups.SerializeAsString()));
    EXPECT_EQ(stored().SerializeAsString(), groups.SerializeAsString());
}

TEST_F(EMapTest, ListMenuOperationsRoundTripThroughTheFile)
{
    const DVR dvr = Dvr("Front", "10.0.0.9", 80);
    write({MapGroup("Plant", {Map("Hall", "/maps/hall.png", dvr, {0, 1}), Map("Yard", "/maps/yard.png")})});
    list = std::make_unique<CEMapList>(nullptr);
    CEMapMenu menu(list.get());
    QAction* add = menu.actions().value(0);
    QAction* edit = menu.actions().value(1);
    QAction* remove = menu.actions().value(2);
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
    EXPECT_TRUE(stored().emap_list(0).emap(0).items_size() == 2 && stored().emap_list(0).emap(0).map_image_path() == "/maps/hall.png");
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

TEST_F(EMapTest, ListClicksOpenMapsAndGroupsWithTheIconsOfTheMode)
{
    write({MapGroup("One", {Map("a", "/a"), Map("b", "/b"), Map("c", "/c")}), MapGroup("Two", {Map("d", "/d")}), MapGroup("Empty", {})});
    list = std::make_unique<CEMapList>(nullptr);
    list->setFixedHeight(400);
    list->show();
    QSignalSpy selected(list.get(), &CEMapList::signalSelectedEMap);
    QSignalSpy group(list.get(), &CEMapList::signalSelectedEMapGroup);
    QSignalSpy changed(list.get(), &CEMapList::changedEMap);
    QSignalSpy removed(list.get(), &CEMapList::signalRemoveEMap);
    const qint64 plain = CControlEMapList::getMapIcon().cacheKey(), view = CControlEMapList::getSelectedMapViewIcon().cacheKey(),
                 edit = CControlEMapList::getSelectedMapEditIcon().cacheKey(), connected = CControlEMapList::getConnectedMapIcon().cacheKey();
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
    EXPECT_TRUE(removed.size() == 1 && list->openGroupItem() == nullptr);
    EXPECT_EQ(prompt.questions.last(), "Are you sure you delete the selected map group?");
}

TEST_F(EMapTest, CamerasOfTheShownMapAreStoredAndEveryFailedSaveIsTold)
{
    write({MapGroup("One", {Map("a", "/a"), Map("b", "/b")})});
    list = std::make_unique<CEMapList>(nullptr);
    list->show();
    const DVR dvr = Dvr("Front", "10.0.0.9", 80);
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
    EXPECT_TRUE(stored().emap_list(0).emap(1).items_size() == 2 && EMapOfItem(item(0, 1)).items_size() == 2);
    EXPECT_EQ(item(0, 1)->icon(0).cacheKey(), CControlEMapList::getSelectedMapEditIcon().cacheKey());
}

TEST_F(EMapTest, SetupShowsTheStoredValuesOutOfRangeAsZeroAndWritesOnlyOnOk)
{
    const QStringList keys = {CAppSettings::EMAP_POPUP, CAppSettings::EMAP_POPDOWN, CAppSettings::EMAP_IMAGESIZE};
    auto storedValues = [&] {
        QList<QVariant> values;
        for (const QString& key : keys)
            values << CAppSettings().readSetting(key, QVariant());
        return values;
    };
    // Stored; shown as popup button, pop-down row, size button; the pop-down time; "Original".
    struct Case { QList<QVariant> stored; QList<int> shown; int popDownMs; bool original; };
    const Case cases[] = {{{{}, {}, {}}, {0, 0, 0}, 0, false}, {{1, 1, 1}, {1, 1, 1}, 5000, true},
                          {{0, 3, 1}, {0, 3, 1}, 30000, true}, {{"on", 4, -1}, {0, 0, 0}, 0, false}};
    for (const Case& c : cases) {
        for (int i = 0; i < 3; ++i)
            if (c.stored[i].isValid())
                CAppSettings().writeSetting(keys[i], c.stored[i]);
        CEMapSetupDialog dialog(nullptr);
        const Ui_CEMapSetupDialog& form = dialog.form();
        EXPECT_EQ((QList<int>{form.popupGroup->checkedId(), form.selPopdown->currentIndex(), form.imageSizeGroup->checkedId()}), c.shown);
        EXPECT_EQ(std::tuple(EMapSettings::popup(), EMapSettings::popDownMs(), EMapSettings::imageSize() == EMapSettings::IMAGE_ORIGINAL),
                  std::tuple(c.shown[0] == 1, c.popDownMs, c.original));
        // Cancel after a change leaves the store; OK writes what is shown.
        const QList<QVariant> before = storedValues();
        form.popupOn->setChecked(true);
        form.buttonBox->button(QDialogButtonBox::Cancel)->click();
        EXPECT_EQ(storedValues(), before);
        form.popupOff->setChecked(true);
        form.buttonBox->button(QDialogButtonBox::Ok)->click();
        EXPECT_EQ(storedValues(), (QList<QVariant>{0, c.shown[1], c.shown[2]}));
    }
}

TEST(EMapCamera, DropsGoUnderThePointerOnThePicture)
{
    const QSize icon(40, 50);
    // Pointer, icon position, whether on the picture: a 300 x 200 picture in a 400 x 300 label.
    const std::tuple<QPoint, QPoint, bool> cases[] = {
        {{100, 100}, {80, 75}, true}, {{-40, 5}, {0, 0}, true}, {{1000, 1000}, {359, 249}, false},  // one pixel short
        {{319, 100}, {299, 75}, true}, {{320, 100}, {300, 75}, false}};                            // the last column
    for (const auto& [pointer, pos, onPicture] : cases) {
        const CameraPlacement place = PlaceCamera(pointer, icon, QSize(400, 300), QRect(0, 0, 300, 200));
        EXPECT_TRUE(place.pos == pos && place.onPicture == onPicture) << pointer.x();
    }
}

TEST_F(EMapTest, CameraPopUpsOpenOnceAndCloseByTheirTimer)
{
    area.show();
    auto* icon = new CCameraWidget(&area);
    icon->setDVR(Dvr("Front", "10.1.2.3", 8000), 1);
    icon->show();
    QSignalSpy shown(icon, &CCameraWidget::showVideo);
    QSignalSpy closed(icon, &CCameraWidget::closeVideo);
    icon->OnCameraStatus(1, "t", false, S::MOTION);
    EXPECT_FALSE(icon->isEnableVideoWidget());  // "EmapPopup" is off
    EMapSettings::write(CAppSettings::EMAP_POPUP, 1);
    for (const int popdown : {1, 3, 0}) {
        EMapSettings::write(CAppSettings::EMAP_POPDOWN, popdown);
        for (const S::ENUM state : {S::CONNECTED, S::MOTION, S::SENSOR})
            icon->OnCameraStatus(1, "t", false, state);
        ASSERT_TRUE(icon->isEnableVideoWidget());
        EXPECT_EQ(icon->videoDialog()->pos(), icon->mapToGlobal(QPoint((icon->width() - 1) / 2, (icon->height() - 1) / 2) + QPoint(20, 20)));
        const int popDownMs[] = {0, 5000, 0, 30000};
        EXPECT_EQ(icon->popDownTimer()->isActive() ? icon->popDownTimer()->interval() : 0, popDownMs[popdown]);
        if (popdown != 0)
            QMetaObject::invokeMethod(icon->popDownTimer(), "timeout");
    }
    EXPECT_TRUE(shown.size() == 3 && closed.size() == 2);
    // Escape ends a pop-up as a close does, and stops its timer.
    icon->videoDialog()->reject();
    EMapSettings::write(CAppSettings::EMAP_POPDOWN, 2);
    icon->OnCameraStatus(1, "t", false, S::MOTION);
    icon->videoDialog()->reject();
    EXPECT_FALSE(icon->isEnableVideoWidget() || icon->popDownTimer()->isActive());
    EXPECT_EQ(closed.size(), 4);

    // A double click opens one pop-up in view mode; titles only move forward in time.
    for (const bool editable : {true, false, false}) {
        icon->setEditable(editable);
        QTest::mouseDClick(icon, Qt::LeftButton, {}, QPoint(3, 4));
    }
    EXPECT_EQ(shown.size(), 5);
    EXPECT_EQ(icon->videoDialog()->pos(), icon->mapToGlobal(QPoint(23, 24)));
    EXPECT_FALSE(icon->popDownTimer()->isActive());
    icon->setDisplayTime(86400 + 3661);
    icon->setDisplayTime(86400);
    EXPECT_EQ(icon->videoDialog()->windowTitle(), "1970-01-02  01:01:01");
    icon->videoDialog()->resize(500, 400);
    EXPECT_EQ(icon->videoDialog()->screen().getDisplayRect(0), QRect(0, 0, 500, 400));
}

TEST(EMapLive, StreamsGroupCamerasByAddressAndPortAndLogLinesNameTheCamera)
{
    EMap map;
    const std::pair<DVR, int> cameras[] = {{Dvr("A", "10.0.0.1", 80, "first"), 3}, {Dvr("A2", "10.0.0.1", 80, "second"), 5},
                                           {Dvr("A", "10.0.0.1", 8080), 0},         {Dvr("A", "10.0.0.1", 80), 3},
                                           {Dvr("B", "10.0.0.10", 80), 1},          {Dvr("B", "10.0.0.10", 80), 99}};
    for (const auto& [dvr, ch] : cameras)
        *map.add_items() = Map("", "", dvr, {ch}).items(0);
    const EMapStreamPlan plan = EMap_PlanStreams(map);
    EXPECT_EQ(plan.streamOfItem, (QList<int>{0, 0, 1, 0, 2, 2}));
    ASSERT_EQ(plan.streams.size(), 3);
    // The first camera's record with the map's channels; no channel 99.
    EXPECT_EQ(plan.streams[0].id(), "first");
    EXPECT_EQ((QList<uint32_t>{plan.streams[0].bit_ch(), plan.streams[1].bit_ch(), plan.streams[2].bit_ch()}), (QList<uint32_t>{0x28, 0x1, 0x2}));
    EXPECT_EQ(EMap_LogLine("t", Dvr("F", "", 80), 9, S::MOTION), "t  F    motion");
    EXPECT_TRUE(EMap_LogLine("t", Dvr("F", "", 80), 1, S::ENUM(9)).isEmpty());
}

TEST_F(EMapTest, EditedMapsTakeDropsFromTheTreeOnly)
{
    QImage picture(640, 480, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    picture.save(sandbox.appDir() + "/plan.png");
    const DVR front = Dvr("Front", "10.0.0.1", 80);
    // Without its picture a map still shows its cameras where they were, without a question.
    open(Map("Hall", "/nowhere.png", front, {0, 2}), true);
    EXPECT_EQ(each([](auto* c) { return c->pos(); }), (QList<QPoint>{{20, 40}, {110, 40}}));
    open(Map("Hall", sandbox.appDir() + "/plan.png", front, {0, 2}), true);
    EXPECT_EQ(each([](auto* c) { return c->pos(); }), (QList<QPoint>{{20, 40}, {110, 40}}));
    EXPECT_TRUE(view->connections().isEmpty() && prompt.messages.isEmpty());
    EXPECT_EQ(icon(0)->toolTip(), "DVR Name : Front\nAddress : 10.0.0.1\nPort : 80\nUser : admin\nCamera : Door\n");

    QSignalSpy saved(view, &CEMapWidget::signalSaveEMap);
    EXPECT_TRUE(drop({300, 300}));  // nothing offered by the tree yet
    view->setCameraItem(front, 2);
    drop({300, 300});
    EXPECT_EQ(prompt.messages, (QStringList{"Please confirm the dvr information.", "The camera is in the emap."}));
    QMimeData text;
    text.setText("Front");
    EXPECT_FALSE(drop({300, 300}, &text));
    view->setEditable(false);
    EXPECT_FALSE(drop({300, 300}));
    view->setEditable(true);
    EXPECT_EQ(saved.size() + prompt.messages.size(), 2);

    // A camera item of the DVR tree, as the tree drags it.
    GroupList groups;
    *groups.add_group()->add_dvr() = front;
    groups.mutable_group(0)->mutable_dvr(0)->set_chnum(4);
    groups.mutable_group(0)->mutable_dvr(0)->set_old_protocol(true);  // asks the DVR for no names
    ASSERT_TRUE(CControlDVRList().Save(groups));
    CDVRListTree tree;
    tree.setCameraNameShow(true);
    QObject::connect(&tree, &CDVRListTree::dragCameraItem, view, &CEMapWidget::setCameraItem);
    QTreeWidgetItem* camera = tree.topLevelItem(0)->child(0)->child(3);
    tree.setCurrentItem(camera);
    QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), QPointF(1, 1), Qt::NoButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(tree.viewport(), &move);
    const std::unique_ptr<QMimeData> dragged(tree.mimeData({camera}));
    drop({300, 300}, dragged.get());
    ASSERT_EQ(saved.size(), 1);
    const EMap stored = saved.last().at(0).value<EMap>();
    ASSERT_EQ(stored.items_size(), 3);
    EXPECT_EQ(icon(2)->pos(), QPoint(300 - icon(2)->width() / 2, 300 - icon(2)->height() / 2));
    EXPECT_EQ(At(stored.items(2)), icon(2)->pos());
    EXPECT_TRUE(stored.items(2).channel() == 3 && stored.items(2).dvr().name() == "Front");

    // Another port is another DVR. Shown as it is, the picture leaves room beside it: a drop
    // there is told and centred.
    EMapSettings::write(CAppSettings::EMAP_IMAGESIZE, EMapSettings::IMAGE_ORIGINAL);
    view->updateImageSize();
    QCoreApplication::processEvents();
    view->setCameraItem(Dvr("Front", "10.0.0.1", 81), 3);
    drop({700, 500});
    EXPECT_EQ(prompt.messages.last(), "Please check the position of the camera.");
    EXPECT_TRUE(icon(3)->pos() == QPoint(319, 239) && saved.size() == 2);

    // Dragged in edit mode only, saved once per drag on release, held silently at the edge.
    Drag(icon(1), view->imageLabel(), {QPoint(250, 150), QPoint(300, 200)});
    view->OnUpdatePosition();  // not from one of the map's cameras: ignored
    EXPECT_EQ(At(saved.last().at(0).value<EMap>().items(1)), icon(1)->pos());
    Drag(icon(1), view->imageLabel(), {QPoint(700, 500)});
    EXPECT_EQ(icon(1)->pos(), QPoint(639, 479));
    icon(1)->setEditable(false);
    Drag(icon(1), view->imageLabel(), {QPoint(100, 100)});
    EXPECT_TRUE(icon(1)->pos() == QPoint(639, 479) && saved.size() == 4 && prompt.messages.size() == 3);

    // "Delete" on a camera and "Delete All" on the map, in edit mode only (also on an empty map).
    for (const bool editable : {false, true}) {
        view->setEditable(editable);
        icon(0)->setEditable(editable);
        PickFromContextMenu(icon(0));
    }
    EXPECT_EQ(saved.last().at(0).value<EMap>().items_size(), 3);
    for (const bool editable : {false, true, true}) {
        view->setEditable(editable);
        PickFromContextMenu(view);
    }
    ASSERT_EQ(saved.size(), 7);
    EXPECT_EQ(saved.last().at(0).value<EMap>().items_size(), 0);
    EXPECT_EQ(saved.last().at(0).value<EMap>().map_image_path(), stored.map_image_path());
}

TEST_F(EMapTest, EditedPicturesAreAdjustedOrShownAsTheyAreWithoutLosingTheCameras)
{
    QImage picture(640, 480, QImage::Format_RGB32);
    picture.save(sandbox.appDir() + "/plan.png");
    open(Map("Hall", sandbox.appDir() + "/plan.png", Dvr("Front", "10.0.0.1", 80), {0, 2}), true);
    QPointer<QLabel> label = view->imageLabel();
    area.resize(500, 700);
    view->resize(500, 700);
    EXPECT_EQ(label->pixmap().size(), QSize(500, 700));  // "Adjust" ignores the aspect ratio
    for (const int size : {EMapSettings::IMAGE_ORIGINAL, EMapSettings::IMAGE_ADJUST, EMapSettings::IMAGE_ORIGINAL}) {
        EMapSettings::write(CAppSettings::EMAP_IMAGESIZE, size);
        view->updateImageSize();
        ASSERT_TRUE(label);
        EXPECT_EQ(label->pixmap().size(), size ? QSize(640, 480) : QSize(500, 700));
        EXPECT_EQ(view->findChildren<QScrollArea*>().size(), size);
        EXPECT_EQ(icon(0)->parentWidget(), label);
        EXPECT_EQ(each([](auto* c) { return c->pos(); }), (QList<QPoint>{{20, 40}, {110, 40}}));
    }
}
TEST_F(EMapTest, ViewedCameraStatesMarkTheIconsAndFillTheLog)
{
    for (const bool old : {false, true}) {
        simdvr::Config cfg = Sim(old);
        cfg.recordMask = 0x1;
        cfg.motionMask = 0x3;
        cfg.sensorMask = 0x6;
        cfg.vlossMask = 0x8;
        CSimDvr sim(cfg);
        ASSERT_TRUE(sim.start());
        open(Map("Plant", "", Entry(sim), {0, 1, 2, 3}), false, 500);
        ASSERT_TRUE(QTest::qWaitFor([&] { return states() == QList<int>{S::MOTION, S::MOTION_SENSOR, S::SENSOR, S::VIDEO_LOSS}; }, 10000));
        EXPECT_EQ(each([](auto* c) { return QPair(c->fillColor(), c->isRecording()); }),
                  (QList<QPair<Qt::GlobalColor, bool>>{{Qt::green, true}, {Qt::magenta, false}, {Qt::yellow, false}, {Qt::black, false}}));
        // One stream; current DVRs send the map's channels as headers only.
        ASSERT_EQ(sim.streams().size(), 1u);
        EXPECT_EQ(std::pair(sim.streams()[0].vchmask, sim.streams()[0].headerOnlyMask), std::pair(0xFu, old ? 0u : 0xFu));
        sim.setLiveStatus(0, 0, 0, 0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return states() == QList<int>(4, S::CONNECTED); }, 10000));
        EXPECT_EQ(lines(), (QStringList{"Plant  Door  connected", "Plant  Door  motion", "Plant  Door  record off",
                                        "Plant  Door  record on", "Plant  Gate  video loss", "Plant  Hall  connected",
                                        "Plant  Hall  sensor", "Plant  Yard  connected", "Plant  Yard  motion + sensor"}));
        // The DVR goes away: every camera turns "disconnected" once its stream gives up.
        sim.stop();
        ASSERT_TRUE(QTest::qWaitFor([&] { return states() == QList<int>(4, S::DISCONNECTED); }, 10000));
        EXPECT_EQ(lines().filter("disconnected").size(), 4);
    }
    // A DVR that refuses the connection: "disconnected" after the no-packet time-out.
    auto gone = std::make_unique<CSimDvr>(Sim(false));
    ASSERT_TRUE(gone->start());
    const DVR dvr = Dvr("Gone", "127.0.0.1", gone->port());
    gone.reset();
    open(Map("Gone", "", dvr, {0}), false, 300);
    ASSERT_TRUE(QTest::qWaitFor([&] { return states() == QList<int>{S::DISCONNECTED}; }, 10000));
    EXPECT_EQ(lines(), QStringList{"Gone  Door  disconnected"});
}

TEST_F(EMapTest, ViewedPopUpCommandsSwitchChannelsBetweenHeadersAndWholeFrames)
{
    // Current protocol: the camera's selection and the map's channels, without the open pop-ups
    // as headers. A second DVR (another port) has a stream of its own.
    {
        CSimDvr sim(Sim(false, 16));
        CSimDvr other(Sim(false, 16));
        ASSERT_TRUE(sim.start() && other.start());
        DVR dvr = Entry(sim);
        dvr.set_bit_ch(0x00FF);
        EMap map = Map("Plant", "", dvr, {3, 12, 3});
        *map.add_items() = Map("", "", Entry(other), {1}).items(0);
        open(map);
        EXPECT_TRUE(view->connections().size() == 2 && icon(3)->getConnectionID() == 1);
        ASSERT_TRUE(QTest::qWaitFor([&] { return view->connections()[0]->getClientID() == 7; }, 10000));
        EXPECT_EQ(sim.streams()[0].headerOnlyMask, 0x1008u);
        for (const int camera : {1, 1, 0})  // the second: open already, nothing more
            doubleClick(camera);
        ASSERT_TRUE(QTest::qWaitFor([&] { return shows(0) && shows(1); }, 10000));
        icon(1)->closeVideoWidget();
        ASSERT_TRUE(sim.waitUntil([&] { return ChannelCommands(sim).size() == 3; }));
        EXPECT_EQ(ChannelCommands(sim), (QStringList{"7 10ff ff", "7 10ff f7", "7 10ff 10f7"}));
        EXPECT_TRUE(ChannelCommands(other).empty());
    }
    // Old protocol: the open channels in hexadecimal.
    CSimDvr sim(Sim(true));
    ASSERT_TRUE(sim.start());
    open(Map("Plant", "", Entry(sim), {0, 2}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->connections()[0]->getClientID() == 7; }, 10000));
    doubleClick(0);
    doubleClick(1);
    icon(0)->closeVideoWidget();
    ASSERT_TRUE(sim.waitUntil([&] { return ChannelCommands(sim).size() == 3; }));
    EXPECT_EQ(ChannelCommands(sim), (QStringList{"MODE=5&CID=7&OP=6&CH=1", "MODE=5&CID=7&OP=6&CH=5", "MODE=5&CID=7&OP=6&CH=4"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return shows(1); }, 10000));

    // Closing the view with a pop-up open stops the stream and sends no channel command.
    QPointer<CShowVideoDialog> popup = icon(1)->videoDialog();
    view->close();
    view = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(popup);
    ASSERT_TRUE(sim.waitUntil([&] { return !sim.streams()[0].open || sim.streams()[0].stopped; }));
    EXPECT_EQ(ChannelCommands(sim).size(), 3);
}

TEST_F(EMapTest, ViewedPopUpsDecodeTheirChannelFromTheNextKeyFrameAndGoOutOnceTheStreamIsKnown)
{
    CSimDvr sim(Sim(false));
    ASSERT_TRUE(sim.start());
    simdvr::Misbehaviour stall;
    stall.stall = true;
    sim.setMisbehaviour(stall);
    open(Map("Plant", "", Entry(sim), {1, 2}));
    ASSERT_TRUE(sim.waitForStreams(1));
    uint32_t second = 1000;  // titles never go back in time
    struct Kind { bool old; int model; testmedia::Codec codec; };
    for (const Kind kind : {Kind{false, 0, testmedia::Codec::H264}, Kind{true, 12, testmedia::Codec::H264},
                            Kind{true, 8, testmedia::Codec::Mpeg4}}) {
        testmedia::Clip clip = testmedia::LoadClip(kind.codec, "cif");
        if (kind.codec == testmedia::Codec::Mpeg4)
            clip.units = testmedia::WithoutMpeg4Headers(clip.units);
        ASSERT_TRUE(clip.units.at(0).key && !clip.units.at(1).key);
        DISPLAY_DVR_INFO info;
        info.oldProtocol = kind.old;
        // A unit of the clip as the stream hands it over; key units start a new second.
        auto feed = [&](size_t unit, int channel, int cut = 0) {
            const testmedia::AccessUnit& u = clip.units.at(unit);
            simdvr::FrameFields f;
            f.type = u.key ? 0 : 1;
            f.channel = channel;
            f.frameSize = uint32_t(u.data.size());
            f.width = clip.width;
            f.height = clip.height;
            f.timeSec = u.key ? ++second : second;
            f.model = kind.model;
            f.info = simdvr::CUFrameResolutionInfo(clip.width, clip.height);
            QByteArray frame = kind.old ? simdvr::MakeCUFrameHeader(f) : simdvr::MakeCFrameHeader(f);
            frame += QByteArray(reinterpret_cast<const char*>(u.data.data()), qsizetype(u.data.size()));
            emit view->connections()[0]->EMapDataReceived(info, frame.left(frame.size() - cut));
        };
        for (size_t u = 0; u < 5; ++u)
            feed(u, 1);  // closed: not decoded
        doubleClick(0);
        feed(5, 1);      // not a key frame
        feed(0, 1, 10);  // cut short
        feed(0, 2);      // another channel
        view->hide();
        feed(0, 1);      // a map not shown
        view->show();
        EXPECT_FALSE(shows(0));
        feed(0, 1);
        ASSERT_TRUE(shows(0)) << kind.model;
        const CDisplayInfo shown = icon(0)->videoDialog()->screen().getInfo(0);
        EXPECT_TRUE(shown.image.size() == QSize(clip.width, clip.height) && shown.channel == 1);
        EXPECT_EQ(icon(0)->videoDialog()->windowTitle(), QDateTime::fromSecsSinceEpoch(second, Qt::UTC).toString("yyyy-MM-dd  hh:mm:ss"));
        icon(0)->closeVideoWidget();
    }
    // Before the stream's id is known nothing is sent; the first frame brings it and the mask.
    doubleClick(0);
    EXPECT_EQ(view->showVideoMask(0), 0x2u);
    EXPECT_TRUE(ChannelCommands(sim).empty());
    sim.setMisbehaviour(simdvr::Misbehaviour());
    ASSERT_TRUE(sim.waitUntil([&] { return ChannelCommands(sim).size() == 1; }, 10000));
    EXPECT_EQ(ChannelCommands(sim), QStringList{"7 ffff fffd"});
}

TEST_F(EMapScreens, MapWithEveryCameraStatePopUpAndDialogs)
{
    const QString dir = qEnvironmentVariable("ZAVO_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "ZAVO_SCREENSHOT_DIR not set";
    CAppSettings().writeSetting(CAppSettings::OPENGL, 2);  // pop-ups drawn by widgets, as grab() sees them
    simdvr::Config cfg = Sim(false, 8);
    cfg.recordMask = 0x20;
    cfg.motionMask = 0x0A;
    cfg.sensorMask = 0x0C;
    cfg.vlossMask = 0x10;
    CSimDvr sim(cfg);
    ASSERT_TRUE(sim.start());
    // A floor plan with two walls; a camera per room and one of a DVR that is gone; the log below.
    QImage plan(900, 560, QImage::Format_RGB32);
    plan.fill(QColor("#f4f1e8"));
    QPainter(&plan).fillRect(QRect(20, 296, 580, 8), QColor("#505050"));
    QPainter(&plan).fillRect(QRect(596, 20, 8, 520), QColor("#505050"));
    plan.save(sandbox.appDir() + "/plan.png");
    DVR dvr = Entry(sim);
    dvr.clear_chname();
    for (const char* title : {"Entrance", "Office", "Store", "Store door", "Hall", "Yard"})
        dvr.add_chname(title);
    EMap map = Map("Ground floor", sandbox.appDir() + "/plan.png", dvr, {0, 1, 2, 3, 4, 5});
    *map.add_items() = Map("", "", Dvr("Gate", "127.0.0.1", 1), {0}).items(0);
    const QPoint places[] = {{140, 200}, {420, 90}, {700, 150}, {620, 400}, {150, 380}, {430, 470}, {800, 480}};
    for (int i = 0; i < 7; ++i)
        map.mutable_items(i)->set_pos_x(places[i].x()), map.mutable_items(i)->set_pos_y(places[i].y());
    open(map, false, 1500);
    area.resize(920, 740);
    view->setGeometry(0, 0, 920, 580);
    log.setParent(&area);
    log.setGeometry(0, 590, 920, 150);
    log.show();
    QTest::qWaitFor([&] { return icon(6)->status() == S::DISCONNECTED; }, 10000);
    uitest::Screenshot(&area, "emap-view-states");

    // A pop-up under a title bar that shows its time.
    doubleClick(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shows(0) && !icon(0)->videoDialog()->windowTitle().isEmpty(); }, 10000));
    const QPixmap body = icon(0)->videoDialog()->grab();
    QImage shot(body.width(), body.height() + 26, QImage::Format_RGB32);
    shot.fill(QColor("#3a4a60"));
    QPainter p(&shot);
    p.setPen(Qt::white);
    p.drawText(QRect(8, 0, body.width() - 16, 26), Qt::AlignVCenter, icon(0)->videoDialog()->windowTitle());
    p.drawPixmap(0, 26, body);
    shot.save(dir + "/emap-popup.png");

    CEMapSetupDialog setup(nullptr);
    uitest::Screenshot(&setup, "emap-setup-dialog");
    // A group open in view mode: the map shown and the others of the group marked.
    write({MapGroup("Plant", {Map("Ground floor", ""), Map("First floor", ""), Map("Roof", "")}), MapGroup("Depot", {Map("Yard", "")})});
    list = std::make_unique<CEMapList>(nullptr);
    list->setFixedHeight(300);
    list->show();
    press(item(0), true);
    uitest::Screenshot(list.get(), "emap-list");
    list->infoDialog()->setEMap("Group", map);
    uitest::Screenshot(list->infoDialog(), "emap-info-dialog");
}
