// The e-map list, setup dialog, icons and pop-ups, and the map view in edit and (against simulated
// DVRs) view mode. With ZAVO_SCREENSHOT_DIR set, the EMapScreens cases save what they show.

#include <cerrno>
#include <cstring>

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
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

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
#include "support/FifoSupport.h"
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

// A light floor plan with a grey 50-pixel grid and a dark room outline.
const QSize PLAN_SIZE(400, 300);
void WritePlan(const QString& path)
{
    QImage plan(PLAN_SIZE, QImage::Format_RGB32);
    plan.fill(QColor("#f4f1e8"));
    QPainter painter(&plan);
    painter.setPen(QColor("#b8b4aa"));
    for (int x = 50; x < PLAN_SIZE.width(); x += 50)
        painter.drawLine(x, 0, x, PLAN_SIZE.height() - 1);
    for (int y = 50; y < PLAN_SIZE.height(); y += 50)
        painter.drawLine(0, y, PLAN_SIZE.width() - 1, y);
    painter.setPen(Qt::black);
    painter.drawRect(QRect(QPoint(20, 20), PLAN_SIZE - QSize(41, 41)));
    painter.end();
    plan.save(path);
}

// The main window draws a map 648 pixels wide in edit mode, where the DVR tree takes room,
// and 814 in view mode.
const QSize EDIT_AREA(648, 515);
const QSize VIEW_AREA(814, 515);

// Right-clicks the widget and picks the first entry of the menu it runs, if any.
void PickFromContextMenu(QWidget* widget)
{
    QTimer::singleShot(0, [] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            menu->actions().at(0)->trigger();
            menu->close();
        }
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

// The stream-channel commands the DVR took in, in order: old bodies as sent, current ones (without
// audio or auto stream) as "stream id, vchmask, header_only_mask" in hexadecimal.
QStringList ChannelCommands(const CSimDvr& sim)
{
    QStringList out;
    for (const simdvr::Request& r : sim.requests()) {
        cgi::StreamChannel m;
        if (r.transport == simdvr::Transport::Post && r.oldProtocol && r.param("OP") == "6")
            out << QString::fromLatin1(r.body);
        else if (r.transport == simdvr::Transport::Post && r.mode == cgi::MODE_STREAM_CHANNEL && r.message(&m) && !m.achmask() && !m.has_auto_stream())
            out << QStringLiteral("%1 %2 %3").arg(m.stream_id()).arg(m.vchmask(), 0, 16).arg(m.header_only_mask(), 0, 16);
    }
    return out;
}

// A map view with its log, a map list and an operator, in a scratch settings store and folder.
class EMapTest : public ::testing::Test {
protected:
    void open(const EMap& map, bool editable = false, int noPacketMs = 0, const QSize& areaSize = {800, 600})
    {
        delete view;
        log.clear();
        area.resize(areaSize);
        area.show();
        view = new CEMapWidget(&area);
        view->setEditable(editable);
        view->setNoPacketTimeout(noPacketMs);
        QObject::connect(view, &CEMapWidget::updateLog, &log, &QPlainTextEdit::appendPlainText);
        view->setSelectedEMap(map);
        view->show();
    }

    CCameraWidget* icon(int i) const { return view->cameraWidgets().at(i); }
    // The pixel of a PLAN_SIZE picture under camera i's corner.
    QPointF spot(int i) const
    {
        const QSize shown = view->imageLabel()->pixmap().size();
        return {icon(i)->x() * double(PLAN_SIZE.width()) / shown.width(),
                icon(i)->y() * double(PLAN_SIZE.height()) / shown.height()};
    }
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
    // A drop at `at` on the picture (by default of what the DVR tree drags); whether it was entered.
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
    // With `at` current the operator runs `action`, fills the info dialog (a picture by "...") and presses OK.
    void apply(QAction* action, QTreeWidgetItem* at, const QString& group, const QString& name, const QString& path = {})
    {
        list->setCurrentItem(at);
        prompt.onDialog = [=](QDialog*) {
            const Ui_CSetEMapInfoDialog& form = list->infoDialog()->form();
            form.EditGroupName->setText(group);
            form.EditEMapName->setText(name);
            prompt.files = QStringList(path);
            if (!path.isNull())
                form.PathButton->click();
            form.buttonBox->button(QDialogButtonBox::Ok)->click();
        };
        action->trigger();
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
};

class EMapScreens : public EMapTest {};

}  // namespace

TEST_F(EMapTest, TheListFileAndTheDefaultListKeptInMemoryUntilTheFirstChange)
{
    const QString path = sandbox.appDir() + "/EMaplist.pb";
    // Missing, of another kind, without groups: no maps read, the default shown, the file left.
    const std::pair<QByteArray, std::string> files[] = {
        {QByteArray(), "error: file open error " + QFile::encodeName(path).toStdString() + "\n"},
        {QByteArray("DVRLIST_PB\x0a\x04\x12\x02g1", 16), "error: invalid file format " + QFile::encodeName(path).toStdString() + "\n"},
        {"EMAPLIST_PB", ""}};
    for (const auto& [content, error] : files) {
        QFile file(path);
        ASSERT_TRUE(content.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(content) == content.size()));
        file.close();
        ::testing::internal::CaptureStderr();
        list = std::make_unique<CEMapList>(nullptr);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), error);
        EXPECT_EQ(Names(list->groupList()), QStringList{"Group: emap1"});
        EXPECT_TRUE(item(0)->isExpanded() && list->currentItem() == item(0));
        EXPECT_EQ(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), content);
    }
    write({MapGroup("Group", {Map("emap1", "/plan.png", Dvr("Front", "10.0.0.5", 80), {2})})});  // a magic word, then the message
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.readAll() == "EMAPLIST_PB" + QByteArray::fromStdString(stored().SerializeAsString()));
}

TEST_F(EMapTest, ListMenuOperationsRoundTripThroughTheFile)
{
    write({MapGroup("Plant", {Map("Hall", "/maps/hall.png", Dvr("Front", "10.0.0.9", 80), {0, 1}), Map("Yard", "/maps/yard.png")})});
    list = std::make_unique<CEMapList>(nullptr);
    CEMapMenu menu(list.get());
    QAction *add = menu.actions().value(0), *edit = menu.actions().value(1), *remove = menu.actions().value(2);
    QSignalSpy removed(list.get(), &CEMapList::signalRemoveEMap);
    // Blanks are refused ("..." is the only way to a picture).
    apply(add, item(0, 1), "Plant", "Gate");
    EXPECT_EQ(prompt.messages, QStringList{"Please fill in all blanks."});
    apply(add, item(0, 1), "Plant", "Gate", "/maps/gate.png");
    apply(add, item(0, 1), "plant", "Roof", "/maps/roof.png");  // another case, another group
    EXPECT_EQ(Names(stored()), (QStringList{"Plant: Hall Yard Gate", "plant: Roof"}));
    // Edited in its group a map keeps its cameras; moved to another group it takes them along.
    apply(edit, item(0, 0), "Plant", "Hall 2");
    EXPECT_TRUE(stored().emap_list(0).emap(0).items_size() == 2 && stored().emap_list(0).emap(0).map_image_path() == "/maps/hall.png");
    apply(edit, item(0, 0), "plant", "Hall 2");
    EXPECT_EQ(Names(stored()), (QStringList{"Plant: Yard Gate", "plant: Roof Hall 2"}));
    EXPECT_TRUE(stored().emap_list(1).emap(1).items_size() == 2 && removed.size() == 1);  // it was the map shown
    // Deleting: cancelled, a map not shown, the shown one (its group stays, empty).
    prompt.yesNo = {false, true, true};
    for (const int map : {0, 0, 0}) {
        list->setCurrentItem(item(1, map));
        remove->trigger();
    }
    EXPECT_EQ(Names(stored()), (QStringList{"Plant: Yard Gate", "plant:"}));
    EXPECT_EQ(removed.size(), 2);
}

TEST_F(EMapScreens, ListClicksOpenMapsAndGroupsWithTheIconsOfTheModeAndStoreTheShownMap)
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
    // The shown map's cameras are stored; every save that fails is told.
    for (const QString& folder : {sandbox.appDir(), sandbox.appDir() + "/missing", sandbox.appDir() + "/missing"}) {
        CAppDir::setOverridePath(folder);
        ::testing::internal::CaptureStderr();
        list->OnSaveEMap(Map("b", "/b", Dvr("Front", "10.0.0.9", 80), {3, 4}));
        ::testing::internal::GetCapturedStderr();
    }
    CAppDir::setOverridePath(sandbox.appDir());
    EXPECT_EQ(prompt.messages,
              QStringList(2, "The e-map list could not be saved (" + QString::fromLocal8Bit(std::strerror(ENOENT)) + ")."));
    EXPECT_TRUE(stored().emap_list(0).emap(1).items_size() == 2 && EMapOfItem(item(0, 1)).items_size() == 2);
    // Edit mode: a group with maps does nothing; an empty one only resets the icons.
    press(item(0), true);
    press(item(2), true);
    EXPECT_EQ(icons(0)[1], plain);
    EXPECT_EQ(selected.size() + group.size(), 2);
    press(item(0, 0), true);
    list->setEditable(false);  // a mode switch resets the icons too
    EXPECT_EQ(icons(0), QList<qint64>(3, plain));

    // View mode: a whole group opens; a click on another of its maps switches to it.
    press(item(0), true);
    EXPECT_EQ(group.last().at(0).value<EMapList>().emap_size(), 3);
    EXPECT_EQ(icons(0), (QList<qint64>{view, connected, connected}));
    uitest::Screenshot(list.get(), "emap-list");
    list->infoDialog()->setEMap("One", Map("a", "/maps/hall.png"));
    uitest::Screenshot(list->infoDialog(), "emap-info-dialog");
    press(item(0, 2));
    press(item(1, 0));
    EXPECT_TRUE(changed.size() == 1 && changed.last().at(0) == 2);
    EXPECT_EQ(icons(0), (QList<qint64>{connected, connected, view}));
    // Deleting the open group closes its maps and forgets the group.
    list->setCurrentItem(item(0));
    prompt.yesNo = {true};
    list->OnDeleteEMap();
    EXPECT_TRUE(removed.size() == 1 && list->openGroupItem() == nullptr);
}

TEST_F(EMapScreens, SetupShowsTheStoredValuesOutOfRangeAsZeroAndWritesThemOnOk)
{
    const QStringList keys = {CAppSettings::EMAP_POPUP, CAppSettings::EMAP_POPDOWN, CAppSettings::EMAP_IMAGESIZE};
    // Stored; shown as popup button, pop-down row and size button; the settings as read.
    struct Case { QList<QVariant> stored; QList<int> shown; std::tuple<bool, int, bool> read; };
    const Case cases[] = {{{{}, {}, {}}, {0, 0, 0}, {false, 0, false}}, {{1, 1, 1}, {1, 1, 1}, {true, 5000, true}},
                          {{0, 3, 1}, {0, 3, 1}, {false, 30000, true}}, {{"on", 4, -1}, {0, 0, 0}, {false, 0, false}}};
    for (const Case& c : cases) {
        for (int i = 0; i < 3; ++i)
            if (c.stored[i].isValid())
                CAppSettings().writeSetting(keys[i], c.stored[i]);
        CEMapSetupDialog dialog(nullptr);
        const Ui_CEMapSetupDialog& form = dialog.form();
        uitest::Screenshot(&dialog, "emap-setup-dialog");
        EXPECT_EQ((QList<int>{form.popupGroup->checkedId(), form.selPopdown->currentIndex(), form.imageSizeGroup->checkedId()}), c.shown);
        EXPECT_EQ(std::tuple(EMapSettings::popup(), EMapSettings::popDownMs(), EMapSettings::imageSize() == EMapSettings::IMAGE_ORIGINAL), c.read);
        form.popupOff->setChecked(true);  // OK writes what is shown, after a change
        form.buttonBox->button(QDialogButtonBox::Ok)->click();
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(CAppSettings().readSetting(keys[i], -1), i ? c.shown[i] : 0) << i;
    }
}

TEST_F(EMapTest, CameraPopUpsOpenOnEventsOrADoubleClickAndCloseByTheirTimerOrEarly)
{
    area.show();
    auto* icon = new CCameraWidget(&area);
    icon->setDVR(Dvr("Front", "10.1.2.3", 8000), 1);
    icon->show();
    icon->OnCameraStatus(1, "t", false, S::MOTION);
    EXPECT_FALSE(icon->isEnableVideoWidget());  // "EmapPopup" is off
    EMapSettings::write(CAppSettings::EMAP_POPUP, 1);
    // The pop-down setting, its time (0: none), and whether the timer or an Escape ends the pop-up.
    for (const auto& [popdown, ms, byTimer] : {std::tuple{1, 5000, true}, {3, 30000, false}, {0, 0, false}}) {
        EMapSettings::write(CAppSettings::EMAP_POPDOWN, popdown);
        for (const S::ENUM state : {S::CONNECTED, S::MOTION, S::SENSOR})
            icon->OnCameraStatus(1, "t", false, state);
        ASSERT_TRUE(icon->isEnableVideoWidget());
        EXPECT_EQ(icon->popDownTimer()->isActive() ? icon->popDownTimer()->interval() : 0, ms);
        if (byTimer)
            QMetaObject::invokeMethod(icon->popDownTimer(), "timeout");
        else
            icon->videoDialog()->reject();
        EXPECT_FALSE(icon->isEnableVideoWidget() || icon->popDownTimer()->isActive()) << popdown;
    }
    // A double click opens one pop-up in view mode, without a timer.
    QSignalSpy shown(icon, &CCameraWidget::showVideo);
    for (const bool editable : {true, false, false}) {
        icon->setEditable(editable);
        QTest::mouseDClick(icon, Qt::LeftButton, {}, QPoint(3, 4));
    }
    EXPECT_TRUE(shown.size() == 1 && !icon->popDownTimer()->isActive());
}

TEST(EMapLive, StreamsGroupCamerasByAddressAndPort)
{
    // One stream per address and port, with the first camera's record and the map's channels (no 99).
    EMap map;
    for (const auto& [dvr, ch] : {std::pair{Dvr("A", "10.0.0.1", 80, "first"), 3}, {Dvr("A2", "10.0.0.1", 80, "second"), 5},
                                  {Dvr("A", "10.0.0.1", 8080), 0}, {Dvr("A", "10.0.0.1", 80), 3}, {Dvr("B", "10.0.0.10", 80), 1},
                                  {Dvr("B", "10.0.0.10", 80), 99}})
        *map.add_items() = Map("", "", dvr, {ch}).items(0);
    const EMapStreamPlan plan = EMap_PlanStreams(map);
    EXPECT_EQ(plan.streamOfItem, (QList<int>{0, 0, 1, 0, 2, 2}));
    ASSERT_EQ(plan.streams.size(), 3);
    EXPECT_EQ(plan.streams[0].id(), "first");
    EXPECT_EQ((QList<uint32_t>{plan.streams[0].bit_ch(), plan.streams[1].bit_ch(), plan.streams[2].bit_ch()}), (QList<uint32_t>{0x28, 0x1, 0x2}));
}

TEST_F(EMapTest, EditedMapsTakeDropsFromTheTreeOnly)
{
    QImage(640, 480, QImage::Format_RGB32).save(sandbox.appDir() + "/plan.png");
    const DVR front = Dvr("Front", "10.0.0.1", 80);
    // Without its picture a map still shows its cameras where they were, without a question.
    open(Map("Hall", "/nowhere.png", front, {0, 2}), true);
    EXPECT_EQ(each([](auto* c) { return c->pos(); }), (QList<QPoint>{{20, 40}, {110, 40}}));
    // With it, positions are pixels of the picture, drawn 5/4 as large in the 800 x 600 area.
    open(Map("Hall", sandbox.appDir() + "/plan.png", front, {0, 2}), true);
    EXPECT_EQ(each([](auto* c) { return c->pos(); }), (QList<QPoint>{{25, 50}, {138, 50}}));
    EXPECT_TRUE(view->connections().isEmpty() && prompt.messages.isEmpty());
    EXPECT_EQ(icon(0)->toolTip(), "DVR Name : Front\nAddress : 10.0.0.1\nPort : 80\nUser : admin\nCamera : Door\n");
    const QPointer<QLabel> label = view->imageLabel();

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
    EXPECT_EQ(At(stored.items(2)), icon(2)->pos() * 0.8);  // the 800 x 600 area shows the picture at 5/4
    EXPECT_TRUE(stored.items(2).channel() == 3 && stored.items(2).dvr().name() == "Front");

    // Another port is another DVR. Shown as it is, the picture leaves room beside it: a drop
    // there is told and centred.
    EMapSettings::write(CAppSettings::EMAP_IMAGESIZE, EMapSettings::IMAGE_ORIGINAL);
    view->updateImageSize();
    QCoreApplication::processEvents();
    view->setCameraItem(Dvr("Front", "10.0.0.1", 81), 3);
    drop({700, 500});
    EXPECT_TRUE(prompt.messages.last() == "Please check the position of the camera." && icon(3)->pos() == QPoint(319, 239) && saved.size() == 2);
    EXPECT_TRUE(label == view->imageLabel() && icon(0)->parentWidget() == label && view->findChildren<QScrollArea*>().size() == 1);

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
    EXPECT_EQ(std::pair(saved.last().at(0).value<EMap>().items_size(), saved.last().at(0).value<EMap>().map_image_path()),
              std::pair(0, stored.map_image_path()));
}

TEST_F(EMapTest, AFifoAsThePictureIsRefusedWithoutWaiting)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("plan.png");
    CEMapWidget view;
    EXPECT_FALSE(fifotest::BlocksOnFifo(path, [&] { view.updateImage(path); }));
}

TEST_F(EMapTest, ACameraStandsOnItsSpotOfThePictureInTheEditAndTheWiderViewArea)
{
    WritePlan(sandbox.appDir() + "/plan.png");
    EMap map = Map("Hall", sandbox.appDir() + "/plan.png", Dvr("Gone", "127.0.0.1", 1), {0});
    map.mutable_items(0)->set_pos_x(200);
    map.mutable_items(0)->set_pos_y(150);
    open(map, true, 0, EDIT_AREA);
    const QPointF edited = spot(0);
    open(map, false, 0, VIEW_AREA);
    const QPointF viewed = spot(0);
    EXPECT_LE((edited - QPointF(200, 150)).manhattanLength(), 2.0) << edited.x() << "," << edited.y();
    EXPECT_LE((viewed - QPointF(200, 150)).manhattanLength(), 2.0) << viewed.x() << "," << viewed.y();
}

TEST_F(EMapScreens, ACameraMovedInEditModeStandsOnTheSameSpotWhenTheMapIsOpenedForViewing)
{
    WritePlan(sandbox.appDir() + "/plan.png");
    open(Map("Hall", sandbox.appDir() + "/plan.png", Dvr("Gone", "127.0.0.1", 1), {0}), true, 0, EDIT_AREA);
    QSignalSpy saved(view, &CEMapWidget::signalSaveEMap);
    Drag(icon(0), view->imageLabel(), {QPoint(300, 200)});
    ASSERT_EQ(saved.size(), 1);
    const QPointF left = spot(0);
    uitest::Screenshot(&area, "emap-edit-moved-camera");
    open(saved.last().at(0).value<EMap>(), false, 0, VIEW_AREA);
    uitest::Screenshot(&area, "emap-view-moved-camera");
    EXPECT_LE((spot(0) - left).manhattanLength(), 2.0) << spot(0).x() << "," << spot(0).y() << " left at " << left.x() << "," << left.y();
}

TEST_F(EMapScreens, ViewedCameraStatesMarkTheIconsAndFillTheLog)
{
    QImage plan(900, 560, QImage::Format_RGB32);  // a floor plan
    plan.fill(QColor("#f4f1e8"));
    plan.save(sandbox.appDir() + "/plan.png");
    for (const bool old : {false, true}) {
        simdvr::Config cfg = Sim(old, 8);
        cfg.recordMask = 0x1;
        cfg.motionMask = 0x3;
        cfg.sensorMask = 0x6;
        cfg.vlossMask = 0x8;
        CSimDvr sim(cfg);
        ASSERT_TRUE(sim.start());
        DVR dvr = Entry(sim);
        dvr.add_chname("Store");
        EMap map = Map("Plant", sandbox.appDir() + "/plan.png", dvr, {0, 1, 2, 3, 4});
        *map.add_items() = Map("", "", Dvr("Gone", "127.0.0.1", 1), {0}).items(0);  // refuses connections
        map.mutable_items(5)->set_pos_x(470);
        open(map, false, 500);
        // Every state at once; the one DVR gone turns "disconnected" after the no-packet time-out.
        ASSERT_TRUE(QTest::qWaitFor([&] { return states() == QList<int>{S::MOTION, S::MOTION_SENSOR, S::SENSOR, S::VIDEO_LOSS, S::CONNECTED, S::DISCONNECTED}; }, 10000));
        EXPECT_EQ(each([](auto* c) { return QPair(c->fillColor(), c->isRecording()); }),
                  (QList<QPair<Qt::GlobalColor, bool>>{{Qt::green, true}, {Qt::magenta, false}, {Qt::yellow, false}, {Qt::black, false},
                                                       {Qt::blue, false}, {Qt::transparent, false}}));
        // One stream per DVR; current DVRs send the map's channels as headers only.
        ASSERT_EQ(sim.streams().size(), 1u);
        EXPECT_EQ(std::pair(sim.streams()[0].vchmask, sim.streams()[0].headerOnlyMask), std::pair(0x1Fu, old ? 0u : 0x1Fu));
        if (!old) {
            area.resize(920, 740);
            log.setParent(&area);
            log.setGeometry(0, 590, 920, 150);
            log.show();
            uitest::Screenshot(&area, "emap-view-states");
        }
        sim.setLiveStatus(0, 0, 0, 0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return states().mid(0, 5) == QList<int>(5, S::CONNECTED); }, 10000));
        EXPECT_EQ(lines(), (QStringList{"Gone  Door  disconnected", "Plant  Door  connected", "Plant  Door  motion",
                                        "Plant  Door  record off", "Plant  Door  record on", "Plant  Gate  video loss",
                                        "Plant  Hall  connected", "Plant  Hall  sensor", "Plant  Store  connected",
                                        "Plant  Yard  connected", "Plant  Yard  motion + sensor"}))
            << old;
    }
}

TEST_F(EMapScreens, ViewedPopUpCommandsSwitchChannelsBetweenHeadersAndWholeFrames)
{
    CAppSettings().writeSetting(CAppSettings::OPENGL, 2);  // pop-ups drawn by widgets, as grab() sees them
    // The camera's selection and the map's channels, without the open pop-ups as headers; old
    // DVRs get the open channels in hexadecimal.
    for (const bool old : {false, true}) {
        CSimDvr sim(Sim(old, 16));
        ASSERT_TRUE(sim.start());
        DVR dvr = Entry(sim);
        dvr.set_bit_ch(0x00FF);
        open(Map("Plant", "", dvr, {3, 12, 3}));
        ASSERT_TRUE(QTest::qWaitFor([&] { return view->connections()[0]->getClientID() == 7; }, 10000));
        EXPECT_EQ(sim.streams()[0].headerOnlyMask, old ? 0u : 0x1008u);
        for (const int camera : {1, 1, 0})  // the second: open already, nothing more
            doubleClick(camera);
        ASSERT_TRUE(QTest::qWaitFor([&] { return shows(0) && shows(1) && !icon(0)->videoDialog()->windowTitle().isEmpty(); }, 10000));
        if (!old) {  // the pop-up under its time, as a title bar shows it
            QWidget shot;
            QLabel* picture = new QLabel(&shot);
            (new QVBoxLayout(&shot))->addWidget(new QLabel(icon(0)->videoDialog()->windowTitle(), &shot));
            picture->setPixmap(icon(0)->videoDialog()->grab());
            shot.layout()->addWidget(picture);
            uitest::Screenshot(&shot, "emap-popup");
        }
        icon(1)->closeVideoWidget();
        ASSERT_TRUE(sim.waitUntil([&] { return ChannelCommands(sim).size() == 3; }));
        EXPECT_EQ(ChannelCommands(sim), (old ? QStringList{"MODE=5&CID=7&OP=6&CH=1000", "MODE=5&CID=7&OP=6&CH=1008", "MODE=5&CID=7&OP=6&CH=8"}
                                             : QStringList{"7 10ff ff", "7 10ff f7", "7 10ff 10f7"}));
        // Closing the view with a pop-up open stops the stream and sends no channel command.
        QPointer<CShowVideoDialog> popup = icon(0)->videoDialog();
        view->close();
        view = nullptr;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(popup);
        ASSERT_TRUE(sim.waitUntil([&] { return !sim.streams()[0].open || sim.streams()[0].stopped; }));
        EXPECT_EQ(ChannelCommands(sim).size(), 3);
    }
}

TEST_F(EMapTest, ViewedPopUpsDecodeTheirChannelFromTheNextKeyFrameAndGoOutOnceTheStreamIsKnown)
{
    CSimDvr sim(Sim(false));
    ASSERT_TRUE(sim.start());
    sim.setMisbehaviour([] { simdvr::Misbehaviour stall; stall.stall = true; return stall; }());
    open(Map("Plant", "", Entry(sim), {1, 2}));
    ASSERT_TRUE(sim.waitForStreams(1));
    uint32_t second = 1000;  // titles never go back in time
    struct Kind { bool old; int model; testmedia::Codec codec; };
    for (const Kind kind : {Kind{false, 0, testmedia::Codec::H264}, Kind{true, 12, testmedia::Codec::H264},
                            Kind{true, 8, testmedia::Codec::Mpeg4}}) {
        testmedia::Clip clip = testmedia::LoadClip(kind.codec, "cif");
        if (kind.codec == testmedia::Codec::Mpeg4)
            clip.units = testmedia::WithoutMpeg4Headers(clip.units);
        const DISPLAY_DVR_INFO info = [&] { DISPLAY_DVR_INFO i; i.oldProtocol = kind.old; return i; }();
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
        EXPECT_EQ(std::pair(icon(0)->videoDialog()->screen().getInfo(0).image.size(), icon(0)->videoDialog()->screen().getInfo(0).channel),
                  std::pair(QSize(clip.width, clip.height), 1));
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

TEST_F(EMapTest, ACameraWhoseStreamItsDvrEndedIsLoggedConnectedAgainWithTheNextStream)
{
    CSimDvr sim(Sim(false));
    ASSERT_TRUE(sim.start());
    open(Map("Plant", QString(), Entry(sim), {0}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return states() == QList<int>{S::CONNECTED}; }, 10000));
    sim.closeStreams();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sim.streams().size() == 2 && lines().count("Plant  Door  connected") == 2; }, 10000));
    EXPECT_EQ(lines(), (QStringList{"Plant  Door  connected", "Plant  Door  connected", "Plant  Door  disconnected"}));
    EXPECT_EQ(states(), QList<int>{S::CONNECTED});
}
