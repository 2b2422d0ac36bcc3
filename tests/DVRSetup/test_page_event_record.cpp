// The Event, Record and Network pages: sizes and places by model, the "ALL" entries, the
// motion zone editor over a live camera of a simulated DVR, schedule painting, the network
// type and its pages.

#include <QButtonGroup>
#include <QElapsedTimer>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableWidget>

#include "DVRSetup/MotionDetect.h"
#include "DVRSetup/MotionZoneDialog.h"
#include "DVRSetup/PageRules.h"
#include "DVRSetup/SetupEvent.h"
#include "DVRSetup/SetupNetwork.h"
#include "DVRSetup/SetupRecord.h"
#include "Display/Screen.h"
#include "Settings/AppSettings.h"
#include "Network/HttpConnect.h"
#include "setup_test_util.h"
#include "support/LeftBehind.h"

using namespace setuptest;

namespace {

struct RecordPage {
    explicit RecordPage(int model = 5, int channels = 8, int pal = 0) { page.InitDvrInfo(Info(model, channels, pal)); }
    QComboBox* box(const char* name) { return Child<QComboBox>(page, name); }
    QTableWidget* table() { return Child<QTableWidget>(page, "schedule"); }
    QColor cell(int day, int hour) { return table()->item(day, hour)->background().color(); }
    CSetupRecord page;
};

// Channels with distinct resolutions and distinct entries at every resolution; four
// schedules of MANUAL.
config::Record DistinctRecord(int channels)
{
    config::Record record;
    for (int c = 0; c < channels; ++c) {
        config::Record_Channel* ch = record.add_channel();
        ch->set_resolution(static_cast<config::Resolution>(c % 4));
        ch->set_record_mode(config::RECORD_MODE_MOTION);
        for (int r = 0; r < 4; ++r) {
            ch->add_qual(static_cast<config::Quality>((c + r) % 4)), ch->add_fps(uint32_t(r + 1));
            ch->add_qual_evt(config::QUALITY_LOW), ch->add_fps_evt(uint32_t(10 + r));
        }
    }
    for (int s = 0; s < 4; ++s)
        record.add_schedule()->mutable_record_mode()->Resize(SCHEDULE_CELLS, config::RECORD_MODE_MANUAL);
    return record;
}

const QColor WHITE(255, 255, 255, 100), GREEN(0, 170, 0, 100);

}  // namespace

TEST(EventPage, TheModelSizesTheListsTheGridAndPlacesTheGroups)
{
    CSetupEvent page;
    page.resize(881, 631);
    const struct {
        int model, channels, vtype, sensors;
        bool relay;
        int cols, rows;
    } rows[] = {{65, 8, 1, 8, true, 22, 18}, {8, 8, 0, 0, true, 16, 12}, {10, 16, 1, 0, false, 16, 12},
                {53, 4, 0, 4, true, 16, 12}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.model);
        page.InitDvrInfo(Info(row.model, row.channels, row.vtype));
        EXPECT_EQ(std::pair(page.getMotionZoneCols(), page.getMotionZoneRows()), std::pair(row.cols, row.rows));
        EXPECT_EQ(Child<QComboBox>(page, "motionCh")->itemText(row.channels), "ALL");
        EXPECT_EQ(Child<QComboBox>(page, "sensorLink")->count(), row.channels);
        EXPECT_EQ(Child<QComboBox>(page, "sensorCh")->count(), row.sensors);
        // Without sensors the relay group stands where the sensor group stands.
        auto* relay = Child<QWidget>(page, "relayFrame");
        EXPECT_EQ(relay->isHidden(), !row.relay);
        EXPECT_EQ(relay->pos(), row.sensors ? QPoint(0, 410) : Child<QWidget>(page, "sensorFrame")->pos());
        for (const char* name : {"sensorFrame", "relaySensorLabel", "relaySensor", "relaySensorOn", "sensorYes"})
            EXPECT_EQ(Child<QWidget>(page, name)->isHidden(), row.sensors == 0) << name;
        if (row.model == 8)
            uitest::Screenshot(&page, "event_without_sensors");
        // The zones are repaired to the grid's size.
        EXPECT_EQ(page.GetConf().motion_conf().motion(row.channels - 1).zone_size(), row.cols * row.rows);
    }
}

TEST(EventPage, TheSensitivityIsShownBesideItsSlider)
{
    CSetupEvent page;
    page.InitDvrInfo(Info(4, 16));
    page.SetConf(FullConf().event());  // channel k has the sensitivity 15 - k
    auto* value = Child<QLabel>(page, "sensitivityValue");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->text(), "15");
    Child<QComboBox>(page, "motionCh")->setCurrentIndex(3);
    EXPECT_EQ(value->text(), "12");
    Child<QSlider>(page, "sensitivity")->setValue(5);
    EXPECT_EQ(value->text(), "5");
    uitest::Screenshot(&page, "event_sensitivity");
}

TEST(EventPage, AllChangesOnlyWhatWasChosenThere)
{
    CSetupEvent page;
    page.InitDvrInfo(Info(4, 16));
    const config::Event event = FullConf().event();  // distinct per channel
    page.SetConf(event);
    config::Event expected = page.GetConf();
    auto* motionCh = Child<QComboBox>(page, "motionCh");
    auto* sensitivity = Child<QSlider>(page, "sensitivity");

    // "ALL" shows channel 1; sent untouched, nothing changes.
    motionCh->setCurrentIndex(16);
    EXPECT_EQ(sensitivity->value(), 15);
    EXPECT_EQ(Bytes(page.GetConf()), Bytes(expected));
    // The sensitivity and the pop-up reach every channel; zones stay.
    sensitivity->setValue(12);
    Child<QRadioButton>(page, "motionPopupOn")->click();
    for (auto& m : *expected.mutable_motion_conf()->mutable_motion())
        m.set_sensitivity(12), m.set_pop_up(true);
    EXPECT_EQ(Bytes(page.GetConf()), Bytes(expected));

    // Edited on "ALL", then a single channel chosen: nothing more is copied.
    page.SetConf(event);
    motionCh->setCurrentIndex(16);
    sensitivity->setValue(3);
    motionCh->setCurrentIndex(1);
    EXPECT_EQ(sensitivity->value(), 14);
    sensitivity->setValue(9);
    config::Event one = event;
    one.mutable_motion_conf()->mutable_motion(1)->set_sensitivity(9);
    EXPECT_EQ(Bytes(page.GetConf().motion_conf()), Bytes(one.motion_conf()));
}

TEST(EventPage, DetectionZoneEditsTheChannelShownOverItsPicture)
{
    uitest::Sandbox sandbox;
    CAppSettings().writeSetting(CAppSettings::OPENGL, OPENGL_MODE_OFF);
    uitest::ScriptedPrompt prompt;
    auto sim = StartSim();
    CSetupEvent page;
    page.InitDvrInfo(Info(4, 16));
    const config::Event event = FullConf().event();  // distinct per channel
    page.SetConf(event);
    page.setConnectedDVR(Entry(*sim));
    auto* motionCh = Child<QComboBox>(page, "motionCh");

    // Each run ticks the grid's cell (column 2, row 1) and ends with OK or Cancel.
    bool accept = true;
    QByteArray shown;
    DVR streamed;
    prompt.onDialog = [&](QDialog* d) {
        auto* dialog = qobject_cast<CMotionZoneDialog*>(d);
        shown = dialog->getMotionZone();
        streamed = dialog->streamedDVR();
        dialog->show();
        const QSize size = dialog->grid()->size();
        const QPoint at(size.width() / page.getMotionZoneCols() * 2 + 2, size.height() / page.getMotionZoneRows() + 2);
        QTest::mouseClick(dialog->grid(), Qt::LeftButton, {}, at);
        Child<QPushButton>(*dialog, "selection")->click();
        accept ? d->accept() : d->reject();
    };
    auto zone = [&](int channel) { return Zone_ToBytes(page.GetConf().motion_conf().motion(channel)); };

    motionCh->setCurrentIndex(3);
    Child<QPushButton>(page, "detectZone")->click();
    EXPECT_EQ(std::make_pair(streamed.bit_ch(), page.connectedDVR().bit_ch()), std::make_pair(1u << 3, 1u << 3));
    EXPECT_EQ(shown, Zone_ToBytes(event.motion_conf().motion(3)));
    QByteArray edited = shown;
    ASSERT_EQ(edited[16 + 2], 0);
    edited[16 + 2] = 1;
    EXPECT_EQ(zone(3), edited);
    // Cancelled: nothing changes.
    accept = false;
    Child<QPushButton>(page, "detectZone")->click();
    EXPECT_EQ(zone(3), edited);

    // On "ALL" the editor shows channel 1 with every cell watched; the zone accepted there
    // reaches every channel.
    accept = true;
    motionCh->setCurrentIndex(16);
    Child<QPushButton>(page, "detectZone")->click();
    EXPECT_EQ(streamed.bit_ch(), 1u);
    EXPECT_EQ(shown, QByteArray(192, '\1'));
    for (int c = 0; c < 16; ++c)
        EXPECT_EQ(zone(c), QByteArray(192, '\1')) << c;

    // Without a DVR address the grid is edited without a stream.
    page.SetConf(event);
    page.setConnectedDVR(DVR());
    motionCh->setCurrentIndex(3);
    Child<QPushButton>(page, "detectZone")->click();
    EXPECT_TRUE(streamed.address().empty());
    EXPECT_EQ(zone(3), edited);

    // An 8-channel HD-SDI model: the editor gets its 22 x 15 grid, cell (2, 1) is byte 24.
    page.InitDvrInfo(Info(65, 8));
    Child<QPushButton>(page, "detectZone")->click();
    QByteArray one(22 * 15, '\0');
    one[22 + 2] = 1;
    EXPECT_EQ(zone(0), one);
}

TEST(MotionZoneDialog, ShowsTheOneCameraUnderTheGridAndStopsItsStream)
{
    // H.264 pictures are 24-bit, MPEG-4 ones 32-bit; a refused stream shows the failed cell.
    const std::tuple<bool, uint32_t, int, int> rows[] = {{false, 4, 24, -1}, {true, 8, 32, -1}, {false, 4, 0, 4}};
    for (const auto& [old, model, depth, refusal] : rows) {
        SCOPED_TRACE(std::to_string(model) + (refusal > 0 ? " refused" : ""));
        uitest::Sandbox sandbox;
        CAppSettings settings;
        settings.writeSetting(CAppSettings::OPENGL, OPENGL_MODE_OFF);
        settings.writeSetting(CAppSettings::CODEC_TYPE, 1);
        simdvr::Config c;
        c.oldProtocol = old;
        c.model = model;
        c.fps = 10;
        CSimDvr sim(c);
        ASSERT_TRUE(sim.start());
        simdvr::Misbehaviour refuse;
        refuse.streamErrorCode = refusal;  // 4: client limit
        sim.setMisbehaviour(refuse);
        DVR dvr = Entry(sim, "admin", "1234", old);
        dvr.set_bit_ch(1u << 2);
        {
            CMotionZoneDialog dialog;
            QByteArray zone(16 * 12, '\0');
            zone[0] = 1;
            dialog.setMotionZone(12, 16, zone);
            dialog.connect(dvr);
            dialog.show();
            ASSERT_TRUE(QTest::qWaitFor([&] { return refusal > 0 ? dialog.screen()->getInfo(0).failed
                                                             : !dialog.screen()->getInfo(0).image.isNull(); }, 20000));
            if (refusal < 0) {
                EXPECT_EQ(dialog.screen()->getInfo(0).image.depth(), depth);
                const simdvr::StreamInfo stream = sim.stream(1);
                EXPECT_EQ(std::make_pair(stream.vchmask, stream.mode), std::make_pair(1u << 2, 0));
                // The sub stream, as the "CodecType" setting asks.
                EXPECT_TRUE(old || (stream.codec == 1 && dialog.screen()->getInfo(0).image.size() == QSize(352, 240)));
            }
            QTest::mouseClick(dialog.grid(), Qt::LeftButton, {}, QPoint(3 * 22 + 5, 2 * 20 + 5));
            Child<QPushButton>(dialog, "selection")->click();
            if (refusal < 0)
                uitest::Screenshot(&dialog, old ? "motion_zone_old" : "motion_zone");
            zone[2 * 16 + 3] = 1;
            EXPECT_EQ(dialog.getMotionZone(), zone);
        }
        // Gone with the dialog: the DVR was told to stop, or saw the stream close.
        EXPECT_TRUE(refusal > 0 || sim.waitUntil([&] { return sim.stream(1).stopped || !sim.stream(1).open; }));
    }
}

TEST(MotionZoneDialog, ClosedWhileAFrameIsDecodedItLeavesTheStreamBehindWithTheDecoder)
{
    uitest::Sandbox sandbox;
    CAppSettings().writeSetting(CAppSettings::OPENGL, OPENGL_MODE_OFF);
    auto sim = StartSim();
    DVR dvr = Entry(*sim);
    dvr.set_bit_ch(1u);
    // The stream's thread is held in its first frame, as by a decoder that does not come back.
    auto gate = std::make_shared<lefttest::Gate>();
    auto token = std::make_shared<int>(0);
    const std::weak_ptr<int> decoding = token;  // lives as long as what decodes for the dialog
    auto dialog = std::make_unique<CMotionZoneDialog>();
    dialog->setDecodeHook([gate, token] { gate->pass(); });
    token.reset();
    dialog->connect(dvr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate->waiting(); }, 20000));
    lefttest::OpenLate late(*gate, 10000);

    {
        lefttest::Warnings warnings;
        QElapsedTimer timer;
        timer.start();
        dialog.reset();
        EXPECT_LT(timer.elapsed(), CHttpConnect::JOIN_WAIT_MS + 1000);
        EXPECT_EQ(warnings.count("left"), 2) << warnings.all();
    }
    EXPECT_FALSE(decoding.expired());

    // Let go, the frame is decoded into nothing and the thread ends; the stream and the
    // decoder go then.
    late.now();
    EXPECT_TRUE(QTest::qWaitFor([&] { return decoding.expired(); }, 10000));
}

// ---- Record ---------------------------------------------------------------------------------

TEST(RecordPage, ListsFollowTheModel)
{
    const struct {
        int model, channels, vtype;
        QStringList resolutions;
        int modes;  // the sensor modes only with sensors
        QString topRate;
    } rows[] = {
        {5, 8, 0, {"360x240", "720x240", "720x480", "960x480"}, 10, "30"},
        {8, 8, 1, {"360x288", "720x288", "720x576", "960x576"}, 8, "25"},
        {56, 4, 1, {" 25 %", " 50 %", "100 %"}, 8, "25"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.model);
        RecordPage r(row.model, row.channels, row.vtype);
        EXPECT_EQ(Items(r.box("resolution")), row.resolutions);
        EXPECT_EQ(r.box("mode")->count(), row.modes);
        EXPECT_EQ(r.box("mode")->itemText(3), row.modes == 10 ? "SENSOR" : "CONTINUOUS+EVENT");
        for (const char* paint : {"sensor", "event"})
            EXPECT_EQ(Child<QPushButton>(r.page, paint)->isHidden(), row.modes != 10);
        EXPECT_EQ(r.box("fps")->itemText(10), row.topRate);
        EXPECT_EQ(r.box("channel")->itemText(row.channels), "ALL");
        EXPECT_EQ(r.box("playbackChannel")->itemText(row.channels), "ALL");
        // The resolution 3 of the defaults is the last item on every model type.
        EXPECT_EQ(r.box("resolution")->currentIndex(), row.resolutions.size() - 1);
    }
}

TEST(RecordPage, AChannelShowsItsOwnResolutionsEntriesAndEditsOnlyThem)
{
    RecordPage r;
    const config::Record record = DistinctRecord(8);
    r.page.SetConf(record);
    // The fill ends on "ALL" with Manual painting; untouched, no channel takes channel 1's settings.
    EXPECT_EQ(r.box("channel")->currentText(), "ALL");
    EXPECT_TRUE(Child<QPushButton>(r.page, "manual")->isChecked());
    EXPECT_EQ(Bytes(r.page.GetConf()), Bytes(record));

    r.box("channel")->setCurrentIndex(2);
    EXPECT_EQ(r.box("resolution")->currentText(), "720x480");
    EXPECT_EQ(r.box("quality")->currentIndex(), (2 + 2) % 4);
    EXPECT_EQ(r.box("fps")->currentText(), "3");
    r.box("resolution")->setCurrentIndex(1);
    EXPECT_EQ(r.box("quality")->currentIndex(), (2 + 1) % 4);
    EXPECT_EQ(r.box("fps")->currentText(), "2");
    r.box("quality")->setCurrentIndex(0);
    // Event quality and rate only in mode 5.
    EXPECT_FALSE(r.box("eventQuality")->isEnabled());
    r.box("mode")->setCurrentIndex(5);
    EXPECT_TRUE(r.box("eventQuality")->isEnabled());
    EXPECT_EQ(r.box("eventFPS")->currentText(), "10");  // 11 is no NTSC rate
    r.box("eventFPS")->setCurrentIndex(9);
    config::Record expected = record;
    config::Record_Channel* ch = expected.mutable_channel(2);
    ch->set_resolution(config::RESOLUTION_HALF_D1);
    ch->set_qual(1, config::QUALITY_LOW);
    ch->set_record_mode(config::RECORD_MODE_CONTINUOUS_EVENT);
    ch->set_fps_evt(1, 15);
    EXPECT_EQ(Bytes(r.page.GetConf()), Bytes(expected));

    // On "ALL" a quality alone reaches each channel's entry at its own resolution; a resolution
    // and mode reach every channel, the quality then each entry there. The operator's channel 3
    // edits stay elsewhere.
    r.box("channel")->setCurrentIndex(8);
    r.box("quality")->setCurrentIndex(2);
    for (auto& c : *expected.mutable_channel())
        c.set_qual(c.resolution(), config::QUALITY_HIGH);
    EXPECT_EQ(Bytes(r.page.GetConf()), Bytes(expected));
    r.box("resolution")->setCurrentIndex(2);
    r.box("quality")->setCurrentIndex(3);
    r.box("mode")->setCurrentIndex(1);
    EXPECT_FALSE(r.box("eventQuality")->isEnabled());
    for (auto& c : *expected.mutable_channel()) {
        c.set_resolution(config::RESOLUTION_D1);
        c.set_record_mode(config::RECORD_MODE_CONTINUOUS);
        c.set_qual(2, config::QUALITY_SUPER);
    }
    EXPECT_EQ(Bytes(r.page.GetConf()), Bytes(expected));

    // Chosen on "ALL", collected on one channel: nothing is copied.
    r.page.SetConf(record);
    r.box("channel")->setCurrentIndex(8);
    r.box("quality")->setCurrentIndex(1);
    r.box("channel")->setCurrentIndex(0);
    EXPECT_EQ(Bytes(r.page.GetConf()), Bytes(record));
}

TEST(RecordPage, ALanguageChangeTranslatesTheDaysAndResolutionsAndKeepsTheResolutionShown)
{
    RecordPage r(56, 4, 1);
    r.box("resolution")->setCurrentIndex(1);
    MarkingTranslator marking;
    ChangeLanguageTo(marking, &r.page);
    EXPECT_EQ(r.table()->verticalHeaderItem(0)->text(), "[SUN]");
    EXPECT_EQ(Items(r.box("resolution")), (QStringList{"[ 25 %]", "[ 50 %]", "[100 %]"}));
    EXPECT_EQ(r.box("resolution")->currentIndex(), 1);
}

TEST(RecordPage, PaintingASchedule)
{
    RecordPage r;
    r.page.resize(875, 635);
    r.page.show();
    config::Record record = DistinctRecord(8);
    record.mutable_schedule(0)->set_record_mode(Schedule_Cell(1, 5), config::RECORD_MODE_SCHEDULE3);
    r.page.SetConf(record);
    // A mode without a colour is hatched, not the colour of an earlier schedule.
    EXPECT_EQ(r.table()->item(1, 5)->background().style(), Qt::BDiagPattern);
    EXPECT_EQ(r.cell(1, 6), WHITE);

    // Taking the focus paints nothing.
    QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(r.table(), &focus);
    EXPECT_FALSE(r.table()->currentIndex().isValid());
    EXPECT_EQ(Bytes(r.page.GetConf()), Bytes(record));

    Child<QPushButton>(r.page, "motion")->click();
    Child<QSpinBox>(r.page, "scheduleNumber")->setValue(2);
    const QRect rect = r.table()->visualItemRect(r.table()->item(3, 14));
    QTest::mouseClick(r.table()->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(r.cell(3, 14), GREEN);
    config::Record expected = record;
    expected.mutable_schedule(1)->set_record_mode(Schedule_Cell(3, 14), config::RECORD_MODE_MOTION);
    EXPECT_EQ(Bytes(r.page.GetConf()), Bytes(expected));
    // The same cell again is no change of cell: nothing painted.
    Child<QPushButton>(r.page, "contEvent")->click();
    QTest::mouseClick(r.table()->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(r.page.paintMode(), 5);
    EXPECT_EQ(r.cell(3, 14), GREEN);

    // Back to schedule 1: its cells, and the paint mode stays; a fill ends on schedule 1 and
    // Manual.
    Child<QSpinBox>(r.page, "scheduleNumber")->setValue(1);
    EXPECT_EQ(r.cell(3, 14), WHITE);
    EXPECT_EQ(r.page.paintMode(), 5);
    Child<QSpinBox>(r.page, "scheduleNumber")->setValue(3);
    r.page.SetConf(record);
    EXPECT_EQ(Child<QSpinBox>(r.page, "scheduleNumber")->value(), 1);
    EXPECT_EQ(r.page.paintMode(), 0);

    // Every paint colour, and hatching for the schedule modes, in one schedule.
    for (int cell = 0; cell < SCHEDULE_CELLS; ++cell)
        record.mutable_schedule(0)->set_record_mode(cell, config::RecordMode((cell % 24 / 2 + cell / 24) % 10));
    r.page.SetConf(record);
    const QColor paints[] = {WHITE, QColor(255, 0, 0, 100), GREEN, QColor(255, 170, 0, 100), QColor(85, 85, 255, 100),
                             QColor(255, 85, 255, 100)};
    for (int hour = 0; hour < 12; hour += 2)
        EXPECT_EQ(r.cell(0, hour), paints[hour / 2]) << hour;
    uitest::Screenshot(&r.page, "record_schedule_colours");
}

TEST(RecordPage, StoredValuesWithoutAnItemStayAndHdResolutionsAreShiftedByOne)
{
    RecordPage r;
    config::Record record = DistinctRecord(8);
    record.mutable_playback()->set_chmode(12);
    r.page.SetConf(record);
    EXPECT_EQ(r.box("playbackChannel")->currentIndex(), -1);
    EXPECT_EQ(r.page.GetConf().playback().chmode(), 12u);

    // An HD model shows a stored resolution 0 as its first item; item i stores i + 1.
    RecordPage hd(65, 8, 0);
    hd.page.SetConf(record);
    EXPECT_EQ(hd.box("resolution")->currentText(), " 25 %");
    hd.box("channel")->setCurrentIndex(1);
    EXPECT_EQ(hd.box("resolution")->currentText(), " 25 %");
    hd.box("resolution")->setCurrentIndex(2);
    EXPECT_EQ(hd.page.GetConf().channel(1).resolution(), config::RESOLUTION_960H);
}

// ---- Network ---------------------------------------------------------------------------------

TEST(NetworkPage, TypeIndexIsNotTheStoredValueGetConfWritesThePageShownSharedFieldsInStep)
{
    CSetupNetwork page;
    auto* type = Child<QComboBox>(page, "networkType");
    auto* stack = Child<QStackedWidget>(page, "stackedWidget");
    const std::pair<config::Network_Type, QString> rows[] = {{config::Network::TYPE_STATIC, "Static"},
                                                             {config::Network::TYPE_DHCP, "DHCP"},
                                                             {config::Network::TYPE_AUTO_UPNP, "Auto UPnP"},
                                                             {config::Network::TYPE_PPPOE, "PPPoE"}};
    for (const auto& [stored, shown] : rows) {
        config::Network net;
        net.mutable_tcpip()->set_type(stored);
        page.SetConf(net);
        EXPECT_EQ(type->currentText(), shown);
        EXPECT_EQ(stack->currentIndex(), type->currentIndex());
        EXPECT_EQ(page.GetConf().tcpip().type(), stored);
    }
    // Only the combo switched: the type of the page now shown.
    type->setCurrentIndex(0);
    EXPECT_EQ(stack->currentWidget()->objectName(), "autoUpnpPage");
    EXPECT_EQ(page.GetConf().tcpip().type(), config::Network::TYPE_AUTO_UPNP);

    // One port on the static and DHCP pages, one UPnP switch on three pages.
    Child<QSpinBox>(page, "port")->setValue(8080);
    EXPECT_EQ(Child<QSpinBox>(page, "dhcpPort")->value(), 8080);
    Child<QRadioButton>(page, "pppoeUpnpOn")->click();
    for (const char* group : {"staticUpnpGroup", "dhcpUpnpGroup", "pppoeUpnpGroup"})
        EXPECT_EQ(Child<QButtonGroup>(page, group)->checkedId(), 1) << group;
    Child<QComboBox>(page, "dhcpBWLimitation")->setCurrentIndex(5);
    for (const char* name : {"upnpBWLimitation", "BWLimitation", "pppoeBWLimitation"})
        EXPECT_EQ(Child<QComboBox>(page, name)->currentIndex(), 5) << name;
}

TEST(NetworkPage, StreamSelectorStandsOnAllAndCopiesOnlyWhatWasChosenThere)
{
    CSetupNetwork page;
    page.InitDvrInfo(Info(52, 8, 1));
    auto* channel = Child<QComboBox>(page, "streamChannel");
    auto* quality = Child<QComboBox>(page, "streamQuality");
    auto* fps = Child<QComboBox>(page, "streamFPS");
    EXPECT_EQ(channel->itemText(8), "All");

    config::Network net;
    for (int c = 0; c < 8; ++c) {
        config::Network_H264* s = net.mutable_stream()->add_h264();
        s->set_resolution(static_cast<config::Resolution>(c % 4));
        for (int r = 0; r < 4; ++r)
            s->add_qual(static_cast<config::Quality>((c + r) % 4)), s->add_fps(uint32_t(r + 1));
    }
    net.mutable_stream()->mutable_h264(2)->set_fps(2, 13);  // no PAL rate: shown as 12
    page.SetConf(net);
    EXPECT_EQ(channel->currentText(), "All");
    EXPECT_EQ(quality->currentIndex(), 0);  // channel 0 at its resolution 0
    // Untouched on "All": nothing is copied into the channels.
    EXPECT_EQ(Bytes(page.GetConf().stream()), Bytes(net.stream()));

    channel->setCurrentIndex(2);
    EXPECT_EQ(quality->currentIndex(), (2 + 2) % 4);
    EXPECT_EQ(fps->currentText(), "12");
    quality->setCurrentIndex(1);
    config::Network expected = net;
    expected.mutable_stream()->mutable_h264(2)->set_qual(2, config::QUALITY_MEDIUM);
    EXPECT_EQ(Bytes(page.GetConf().stream()), Bytes(expected.stream()));

    // On "All" the chosen rate reaches every channel at its own resolution.
    channel->setCurrentIndex(8);
    fps->setCurrentIndex(10);
    for (auto& s : *expected.mutable_stream()->mutable_h264())
        s.set_fps(s.resolution(), 25);
    EXPECT_EQ(Bytes(page.GetConf().stream()), Bytes(expected.stream()));
    // Chosen on "All", collected on a single channel: not copied.
    page.SetConf(net);
    channel->setCurrentIndex(8);
    quality->setCurrentIndex(3);
    channel->setCurrentIndex(0);
    EXPECT_EQ(Bytes(page.GetConf().stream()), Bytes(net.stream()));

    // Every reset unchecks the box that applies the TCP/IP settings.
    const std::function<void()> resets[] = {[&] { page.InitConf(); }, [&] { page.InitDvrInfo(Info(4, 16)); }};
    for (const auto& reset : resets) {
        Child<QCheckBox>(page, "applyNetworkTCPIP")->click();
        EXPECT_TRUE(page.GetApplyNetworkTCPIP());
        reset();
        EXPECT_FALSE(page.GetApplyNetworkTCPIP());
    }
}
