// The Event page: sizes and places by model, the "ALL" entry, and the motion zone editor over
// a live camera of a simulated DVR.

#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "DVRSetup/MotionDetect.h"
#include "DVRSetup/MotionZoneDialog.h"
#include "DVRSetup/PageRules.h"
#include "DVRSetup/SetupEvent.h"
#include "Display/Screen.h"
#include "Settings/AppSettings.h"
#include "setup_test_util.h"

using namespace setuptest;

namespace {

// Channels with distinct sensitivities, pop-ups and zones.
config::Event Distinct(int channels, int cells)
{
    config::Event event;
    for (int c = 0; c < channels; ++c) {
        config::Event_Motion* m = event.mutable_motion_conf()->add_motion();
        m->set_sensitivity(uint32_t(c % 16));
        m->set_pop_up(c % 2 == 1);
        for (int i = 0; i < cells; ++i)
            m->add_zone(i % (c + 2) == 0);
    }
    return event;
}

}  // namespace

TEST(EventPage, TheModelSizesTheListsTheGridAndPlacesTheGroups)
{
    CSetupEvent page;
    page.resize(881, 631);
    const struct {
        int model, channels, vtype, sensors;
        bool relay;
        int cols, rows;
    } rows[] = {
        {4, 16, 0, 8, true, 16, 12},  {65, 8, 0, 8, true, 22, 15}, {65, 8, 1, 8, true, 22, 18},
        {8, 8, 0, 0, true, 16, 12},   {10, 16, 1, 0, false, 16, 12}, {53, 4, 0, 4, true, 16, 12},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.model);
        page.InitDvrInfo(Info(row.model, row.channels, row.vtype));
        EXPECT_EQ(std::make_pair(page.getMotionZoneCols(), page.getMotionZoneRows()), std::make_pair(row.cols, row.rows));
        EXPECT_EQ(Child<QComboBox>(page, "motionCh")->itemText(row.channels), "ALL");
        EXPECT_EQ(Child<QComboBox>(page, "sensorLink")->count(), row.channels);
        EXPECT_EQ(Child<QComboBox>(page, "sensorCh")->count(), row.sensors);
        auto* relay = Child<QWidget>(page, "relayFrame");
        EXPECT_EQ(relay->isHidden(), !row.relay);
        // Without sensors the relay group stands where the sensor group stands.
        EXPECT_EQ(relay->pos(), row.sensors ? QPoint(0, 410) : Child<QWidget>(page, "sensorFrame")->pos());
        for (const char* name : {"sensorFrame", "relaySensorLabel", "relaySensor", "relaySensorOn", "sensorYes"})
            EXPECT_EQ(Child<QWidget>(page, name)->isHidden(), row.sensors == 0) << name;
        if (row.model == 8)
            uitest::Screenshot(&page, "event_without_sensors");
        const config::Event got = page.GetConf();
        ASSERT_EQ(got.motion_conf().motion_size(), row.channels);
        EXPECT_EQ(got.motion_conf().motion(row.channels - 1).zone_size(), row.cols * row.rows);
        EXPECT_EQ(got.sensor_conf().sensor_size(), row.sensors);
        // The relay travels sized even where the model has none.
        EXPECT_EQ(std::make_pair(got.relay().motion_size(), got.relay().sensor_size()),
                  std::make_pair(row.channels, row.sensors));
    }
}

TEST(EventPage, AllChangesOnlyWhatWasChosenThere)
{
    CSetupEvent page;
    page.InitDvrInfo(Info(4, 16));
    const config::Event event = Distinct(16, 192);
    page.SetConf(event);
    config::Event expected = page.GetConf();
    auto* motionCh = Child<QComboBox>(page, "motionCh");
    auto* sensitivity = Child<QSlider>(page, "sensitivity");

    // "ALL" shows channel 1; sent untouched, nothing changes.
    motionCh->setCurrentIndex(16);
    EXPECT_EQ(sensitivity->value(), 0);
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
    EXPECT_EQ(sensitivity->value(), 1);
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
    const config::Event event = Distinct(16, 192);
    page.SetConf(event);
    page.setConnectedDVR(Entry(*sim));
    auto* motionCh = Child<QComboBox>(page, "motionCh");

    // Each run ticks the grid's cell (column 2, row 1) and ends with OK or Cancel.
    bool accept = true;
    QByteArray shown;
    DVR streamed;
    uint32_t askedChannels = 0;  // of the DVR's stream while the editor is open
    prompt.onDialog = [&](QDialog* d) {
        auto* dialog = qobject_cast<CMotionZoneDialog*>(d);
        shown = dialog->getMotionZone();
        streamed = dialog->streamedDVR();
        const size_t streams = sim->streams().size();
        if (!streamed.address().empty() && sim->waitUntil([&] { return sim->streams().size() > streams; }))
            askedChannels = sim->streams().back().vchmask;
        dialog->show();
        const QSize size = dialog->grid()->size();
        const QPoint at(2 * (size.width() / page.getMotionZoneCols()) + 2, size.height() / page.getMotionZoneRows() + 2);
        QTest::mouseClick(dialog->grid(), Qt::LeftButton, {}, at);
        Child<QPushButton>(*dialog, "selection")->click();
        accept ? d->accept() : d->reject();
    };
    auto zone = [&](int channel) { return Zone_ToBytes(page.GetConf().motion_conf().motion(channel)); };

    motionCh->setCurrentIndex(2);
    Child<QPushButton>(page, "detectZone")->click();
    EXPECT_EQ(std::make_tuple(streamed.bit_ch(), page.connectedDVR().bit_ch(), askedChannels),
              std::make_tuple(1u << 2, 1u << 2, 1u << 2));
    EXPECT_EQ(shown, Zone_ToBytes(event.motion_conf().motion(2)));
    QByteArray edited = shown;
    ASSERT_EQ(edited[16 + 2], 0);
    edited[16 + 2] = 1;
    EXPECT_EQ(zone(2), edited);
    // Cancelled: nothing changes.
    accept = false;
    Child<QPushButton>(page, "detectZone")->click();
    EXPECT_EQ(zone(2), edited);

    // On "ALL" the editor shows channel 1 with every cell watched; the zone accepted there
    // reaches every channel.
    accept = true;
    motionCh->setCurrentIndex(16);
    Child<QPushButton>(page, "detectZone")->click();
    EXPECT_EQ(std::make_pair(streamed.bit_ch(), askedChannels), std::make_pair(1u, 1u));
    EXPECT_EQ(shown, QByteArray(192, '\1'));
    for (int c = 0; c < 16; ++c)
        EXPECT_EQ(zone(c), QByteArray(192, '\1')) << c;

    // Without a DVR address the grid is edited without a stream.
    page.SetConf(event);
    page.setConnectedDVR(DVR());
    motionCh->setCurrentIndex(2);
    Child<QPushButton>(page, "detectZone")->click();
    EXPECT_TRUE(streamed.address().empty());
    EXPECT_EQ(zone(2), edited);

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
