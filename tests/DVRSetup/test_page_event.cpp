// The Event page: sizes and places by model, the "ALL" entry, the motion zone editor and
// what the controls store.

#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>

#include "DVRSetup/MotionDetect.h"
#include "DVRSetup/MotionZoneDialog.h"
#include "DVRSetup/SetupEvent.h"
#include "Display/Screen.h"
#include "Settings/AppSettings.h"
#include "setup_test_util.h"

using namespace setuptest;

namespace {

// Sixteen channels with distinct sensitivities, pop-ups and zones of 192 cells.
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

std::vector<bool> Zone(const config::Event_Motion& m) { return {m.zone().begin(), m.zone().end()}; }

}  // namespace

TEST(EventPage, TheModelSizesTheListsTheGridAndPlacesTheGroups)
{
    CSetupEvent page;
    page.resize(881, 631);
    const struct {
        int model, channels, vtype;
        int sensors;
        bool relay;
        int cols, rows;
    } rows[] = {
        {4, 16, 0, 8, true, 16, 12},  {65, 8, 0, 8, true, 22, 15}, {65, 8, 1, 8, true, 22, 18},
        {8, 8, 0, 0, true, 16, 12},   {10, 16, 1, 0, false, 16, 12}, {53, 4, 0, 4, true, 16, 12},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.model);
        page.InitDvrInfo(Info(row.model, row.channels, row.vtype));
        EXPECT_EQ(page.getMotionZoneCols(), row.cols);
        EXPECT_EQ(page.getMotionZoneRows(), row.rows);
        auto* motionCh = Child<QComboBox>(page, "motionCh");
        EXPECT_EQ(motionCh->count(), row.channels + 1);
        EXPECT_EQ(motionCh->itemText(row.channels), "ALL");
        EXPECT_EQ(Child<QComboBox>(page, "sensorLink")->itemText(row.channels - 1),
                  QStringLiteral("Ch %1").arg(row.channels));
        EXPECT_EQ(Child<QComboBox>(page, "sensorCh")->count(), row.sensors);
        auto* relay = Child<QWidget>(page, "relayFrame");
        EXPECT_EQ(relay->isHidden(), !row.relay);
        EXPECT_EQ(Child<QWidget>(page, "sensorFrame")->isHidden(), row.sensors == 0);
        // Without sensors the relay group stands where the sensor group stands.
        EXPECT_EQ(relay->pos(), row.sensors ? QPoint(0, 410) : Child<QWidget>(page, "sensorFrame")->pos());
        for (const char* name : {"relaySensorLabel", "relaySensor", "relaySensorOn", "sensorLabel", "sensorYes"})
            EXPECT_EQ(Child<QWidget>(page, name)->isHidden(), row.sensors == 0) << name;

        uitest::Screenshot(&page, QStringLiteral("event_model%1_%2ch_%3sensors%4")
                                      .arg(row.model).arg(row.channels).arg(row.sensors)
                                      .arg(row.relay ? "" : "_norelay"));
        const config::Event got = page.GetConf();
        ASSERT_EQ(got.motion_conf().motion_size(), row.channels);
        EXPECT_EQ(got.motion_conf().motion(row.channels - 1).zone_size(), row.cols * row.rows);
        EXPECT_EQ(got.sensor_conf().sensor_size(), row.sensors);
        // The relay travels sized even where the model has none.
        EXPECT_EQ(got.relay().motion_size(), row.channels);
        EXPECT_EQ(got.relay().sensor_size(), row.sensors);
        EXPECT_EQ(got.email().address().receiver_size(), 4);
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
    EXPECT_EQ(motionCh->currentText(), "Ch 1");

    // "ALL" shows channel 1 with every cell watched; sent untouched, nothing changes.
    motionCh->setCurrentIndex(16);
    EXPECT_EQ(sensitivity->value(), 0);
    EXPECT_EQ(Bytes(page.GetConf()), Bytes(expected));

    // The sensitivity alone reaches every channel; zones and pop-ups stay.
    sensitivity->setValue(12);
    for (auto& m : *expected.mutable_motion_conf()->mutable_motion())
        m.set_sensitivity(12);
    EXPECT_EQ(Bytes(page.GetConf()), Bytes(expected));
    Child<QRadioButton>(page, "motionPopupOn")->click();
    for (auto& m : *expected.mutable_motion_conf()->mutable_motion())
        m.set_pop_up(true);
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

    // Each run selects the grid's cell (column 2, row 1) and ends with OK or Cancel.
    bool accept = true;
    QString snapshot;
    QByteArray shown;
    DVR streamed;
    uint32_t askedChannels = 0;  // of the DVR's stream while the editor is open
    prompt.onDialog = [&](QDialog* d) {
        auto* dialog = qobject_cast<CMotionZoneDialog*>(d);
        ASSERT_TRUE(dialog);
        shown = dialog->getMotionZone();
        streamed = dialog->streamedDVR();
        const int streams = int(sim->streams().size());
        if (!streamed.address().empty() && sim->waitUntil([&] { return int(sim->streams().size()) > streams; }))
            askedChannels = sim->streams().back().vchmask;
        dialog->show();
        const QSize size = dialog->grid()->size();
        const int cols = page.getMotionZoneCols(), rows = page.getMotionZoneRows();
        const QPoint at(2 * (size.width() / cols) + 2, 1 * (size.height() / rows) + 2);
        QTest::mouseClick(dialog->grid(), Qt::LeftButton, {}, at);
        Child<QPushButton>(*dialog, "selection")->click();
        if (!snapshot.isEmpty()) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog->screen()->getInfo(0).image.isNull(); }, 20000));
            uitest::Screenshot(dialog, snapshot);
        }
        accept ? d->accept() : d->reject();
    };

    motionCh->setCurrentIndex(2);
    Child<QPushButton>(page, "detectZone")->click();
    EXPECT_EQ(streamed.bit_ch(), 1u << 2);
    EXPECT_EQ(page.connectedDVR().bit_ch(), 1u << 2);
    EXPECT_EQ(shown, Zone_ToBytes(event.motion_conf().motion(2)));
    EXPECT_EQ(askedChannels, 1u << 2);
    std::vector<bool> zone = Zone(event.motion_conf().motion(2));
    ASSERT_FALSE(zone[16 + 2]);
    zone[16 + 2] = true;
    EXPECT_EQ(Zone(page.GetConf().motion_conf().motion(2)), zone);

    // Cancelled: nothing changes.
    accept = false;
    Child<QPushButton>(page, "detectZone")->click();
    EXPECT_EQ(Zone(page.GetConf().motion_conf().motion(2)), zone);

    // On "ALL" the editor shows channel 1 with every cell watched; the zone accepted there
    // reaches every channel.
    accept = true;
    motionCh->setCurrentIndex(16);
    Child<QPushButton>(page, "detectZone")->click();
    EXPECT_EQ(streamed.bit_ch(), 1u);
    EXPECT_EQ(askedChannels, 1u);
    EXPECT_EQ(shown, QByteArray(192, '\1'));
    const std::vector<bool> all(192, true);
    const config::Event sent = page.GetConf();
    for (const auto& m : sent.motion_conf().motion())
        EXPECT_EQ(Zone(m), all);

    // Without a DVR address the grid is edited without a stream.
    page.SetConf(event);
    page.setConnectedDVR(DVR());
    motionCh->setCurrentIndex(2);
    Child<QPushButton>(page, "detectZone")->click();
    EXPECT_TRUE(streamed.address().empty());
    EXPECT_EQ(streamed.bit_ch(), DVR().bit_ch());
    EXPECT_EQ(Zone(page.GetConf().motion_conf().motion(2)), zone);

    // An 8-channel HD-SDI model: the editor gets its 22 x 15 grid, cell (2, 1) is byte 24.
    page.InitDvrInfo(Info(65, 8));
    page.setConnectedDVR(Entry(*sim));
    snapshot = "motion_zone_hdsdi_22x15";
    Child<QPushButton>(page, "detectZone")->click();
    EXPECT_EQ(shown.size(), 22 * 15);
    QByteArray one(22 * 15, '\0');
    one[22 + 2] = 1;
    EXPECT_EQ(Zone_ToBytes(page.GetConf().motion_conf().motion(0)), one);
}

TEST(EventPage, ControlsStoreTheirFields)
{
    CSetupEvent page;
    page.InitDvrInfo(Info(4, 16));
    auto box = [&](const char* name) { return Child<QComboBox>(page, name); };
    auto click = [&](const char* name) { Child<QRadioButton>(page, name)->click(); };
    EXPECT_EQ(Items(box("sensorType")), (QStringList{"NORMAL OPEN", "NORMAL CLOSE"}));
    EXPECT_EQ(Items(box("relayTime")), (QStringList{"NONE", "5 s", "10 s", "30 s"}));
    EXPECT_EQ(box("emailPeriod")->itemText(7), "2 min after event");
    EXPECT_EQ(box("postAlarmRecord")->itemText(6), "60 s");
    EXPECT_EQ(Items(box("motionPopdown")), (QStringList{"CONT", "5 s", "10 s", "30 s"}));

    box("sensorCh")->setCurrentIndex(3);
    EXPECT_EQ(box("sensorLink")->currentText(), "Ch 4");
    box("sensorType")->setCurrentIndex(1);
    box("sensorLink")->setCurrentIndex(9);
    click("sensorPopupOn");
    box("sensorPopdown")->setCurrentIndex(2);
    box("motionPopdown")->setCurrentIndex(3);
    box("motionPopdown")->setCurrentIndex(0);
    box("relaySensor")->setCurrentIndex(5);
    click("relaySensorOn");
    box("relayMotion")->setCurrentIndex(15);
    click("relayMotionOn");
    click("recordFailOn");
    click("recordWarnOn");
    box("relayTime")->setCurrentIndex(3);
    Child<QLineEdit>(page, "rAddress2")->setText("ops@example.com");
    Child<QLineEdit>(page, "senderAddress")->setText("dvr@example.com");
    Child<QLineEdit>(page, "AuthenID")->setText("dvr");
    Child<QSpinBox>(page, "smtpPort")->setValue(25);
    click("authenOff");
    click("sslOff");
    click("mimeOff");
    box("emailPeriod")->setCurrentIndex(7);
    click("prohibitionOn");
    Child<QSpinBox>(page, "startHour")->setValue(22);
    Child<QSpinBox>(page, "endHour")->setValue(6);
    for (const char* yes : {"motionYes", "sensorYes", "videoLossYes", "recordYes", "systemYes"})
        click(yes);
    box("postAlarmRecord")->setCurrentIndex(6);

    const config::Event got = page.GetConf();
    const config::Event_Sensor& s = got.sensor_conf().sensor(3);
    EXPECT_EQ(s.type(), config::Event_Sensor::TYPE_NC);
    EXPECT_EQ(s.link_ch(), 9u);
    EXPECT_TRUE(s.pop_up());
    EXPECT_EQ(got.sensor_conf().pop_down(), config::Event::POP_DOWN_10SEC);
    EXPECT_TRUE(got.motion_conf().has_pop_down());
    EXPECT_EQ(got.motion_conf().pop_down(), config::Event::POP_DOWN_CONT);
    EXPECT_TRUE(got.relay().sensor(5) && got.relay().motion(15));
    EXPECT_FALSE(got.relay().sensor(4) || got.relay().motion(0));
    EXPECT_TRUE(got.relay().record_fail() && got.relay().record_warning());
    EXPECT_EQ(got.relay().keep_time(), config::Event_Relay::KEEP_30SEC);
    EXPECT_EQ(got.email().address().receiver(1), "ops@example.com");
    EXPECT_EQ(got.email().address().sender(), "dvr@example.com");
    const config::Event_Email_SMTP& smtp = got.email().smtp();
    EXPECT_EQ(smtp.auth_id(), "dvr");
    EXPECT_EQ(smtp.port(), 25u);
    EXPECT_FALSE(smtp.authentication() || smtp.use_ssl() || smtp.use_mime());
    const config::Event_Email_SendCond& cond = got.email().send_cond();
    EXPECT_EQ(cond.period(), config::Event_Email::SEND_PERIOD_2MINS_AFTER_EVENT);
    EXPECT_TRUE(cond.prohibition());
    EXPECT_EQ(cond.prohibition_start(), 22u);
    EXPECT_EQ(cond.prohibition_end(), 6u);
    const config::Event_Email_SendContent& c = got.email().send_content();
    EXPECT_TRUE(c.motion() && c.sensor() && c.video_loss() && c.rec_status() && c.sys_access());
    EXPECT_EQ(got.post_record().time(), config::Event_PostRecord::TIME_60SEC);

    // The selectors show their entries again.
    box("sensorCh")->setCurrentIndex(0);
    box("sensorCh")->setCurrentIndex(3);
    EXPECT_EQ(box("sensorType")->currentIndex(), 1);
    box("relaySensor")->setCurrentIndex(4);
    EXPECT_EQ(Child<QButtonGroup>(page, "RelaySensorGroup")->checkedId(), 0);
    box("relaySensor")->setCurrentIndex(5);
    EXPECT_EQ(Child<QButtonGroup>(page, "RelaySensorGroup")->checkedId(), 1);

    // Addresses take 31 characters, the SMTP fields 29; the password is masked.
    auto* address = Child<QLineEdit>(page, "rAddress4");
    QTest::keyClicks(address, QString(40, 'a'));
    EXPECT_EQ(address->text().size(), 31);
    auto* password = Child<QLineEdit>(page, "AuthenPassword");
    QTest::keyClicks(password, QString(40, 'p'));
    EXPECT_EQ(password->text().size(), 29);
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
}
