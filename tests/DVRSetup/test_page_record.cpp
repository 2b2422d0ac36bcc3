// The Record page: lists by model, the channel selector and "ALL", and schedule painting.

#include <QButtonGroup>
#include <QFocusEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>

#include "DVRSetup/SetupRecord.h"
#include "setup_test_util.h"

using namespace setuptest;

namespace {

struct RecordPage {
    explicit RecordPage(int model = 5, int channels = 8, int vtype = 0) { page.InitDvrInfo(Info(model, channels, vtype)); }
    QComboBox* box(const char* name) { return Child<QComboBox>(page, name); }
    QTableWidget* table() { return Child<QTableWidget>(page, "schedule"); }
    QColor cell(int day, int hour)
    {
        const QTableWidgetItem* item = table()->item(day, hour);
        return item ? item->background().color() : QColor();
    }
    CSetupRecord page;
};

// Channels with distinct resolutions and distinct entries at every resolution; four empty
// schedules.
config::Record Distinct(int channels)
{
    config::Record record;
    for (int c = 0; c < channels; ++c) {
        config::Record_Channel* ch = record.add_channel();
        ch->set_resolution(static_cast<config::Resolution>(c % 4));
        ch->set_record_mode(config::RECORD_MODE_MOTION);
        for (int r = 0; r < 4; ++r) {
            ch->add_qual(static_cast<config::Quality>((c + r) % 4));
            ch->add_fps(uint32_t(r + 1));
            ch->add_qual_evt(config::QUALITY_LOW);
            ch->add_fps_evt(uint32_t(10 + r));
        }
    }
    for (int s = 0; s < 4; ++s) {
        config::Record_Schedule* schedule = record.add_schedule();
        for (int i = 0; i < SCHEDULE_CELLS; ++i)
            schedule->add_record_mode(config::RECORD_MODE_MANUAL);
    }
    return record;
}

const QColor WHITE(255, 255, 255, 100), GREEN(0, 170, 0, 100);
const QColor kPaints[] = {WHITE, QColor(255, 0, 0, 100), GREEN, QColor(255, 170, 0, 100), QColor(85, 85, 255, 100),
                          QColor(255, 85, 255, 100)};

}  // namespace

TEST(RecordPage, ListsFollowTheModel)
{
    const struct {
        int model, channels, vtype;
        QStringList resolutions;
        int modes;
        bool sensorButtons;
        QString topRate;
    } rows[] = {
        {5, 8, 0, {"360x240", "720x240", "720x480", "960x480"}, 10, true, "30"},
        {8, 8, 1, {"360x288", "720x288", "720x576", "960x576"}, 8, false, "25"},
        {65, 8, 0, {" 25 %", " 50 %", "100 %"}, 10, true, "30"},
        {56, 4, 1, {" 25 %", " 50 %", "100 %"}, 8, false, "25"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.model);
        RecordPage r(row.model, row.channels, row.vtype);
        r.page.resize(875, 635);
        uitest::Screenshot(&r.page, QStringLiteral("record_model%1_%2ch").arg(row.model).arg(row.channels));
        EXPECT_EQ(Items(r.box("resolution")), row.resolutions);
        EXPECT_EQ(r.box("mode")->count(), row.modes);
        EXPECT_EQ(r.box("mode")->itemText(3), row.sensorButtons ? "SENSOR" : "CONTINUOUS+EVENT");
        EXPECT_EQ(Child<QPushButton>(r.page, "sensor")->isHidden(), !row.sensorButtons);
        EXPECT_EQ(Child<QPushButton>(r.page, "event")->isHidden(), !row.sensorButtons);
        EXPECT_EQ(r.box("fps")->itemText(10), row.topRate);
        EXPECT_EQ(r.box("channel")->count(), row.channels + 1);
        EXPECT_EQ(r.box("playbackChannel")->itemText(row.channels), "ALL");
        // The resolution 3 of the defaults is the last item on every model type.
        EXPECT_EQ(r.box("resolution")->currentIndex(), row.resolutions.size() - 1);
    }
    RecordPage r;
    EXPECT_EQ(Items(r.box("startPoint")),
              (QStringList{"2 minutes ago", "10 minutes ago", "1 hour ago", "6 hours ago", "1 day ago", "First"}));
    EXPECT_EQ(r.table()->verticalHeaderItem(0)->text(), "SUN");
    EXPECT_EQ(r.table()->horizontalHeaderItem(23)->text(), "23");
    EXPECT_EQ(r.table()->size(), QSize(858, 165));
}

TEST(RecordPage, DefaultsShownAfterInitConf)
{
    RecordPage r;
    EXPECT_EQ(r.box("channel")->currentText(), "ALL");
    EXPECT_EQ(r.box("resolution")->currentText(), "960x480");
    EXPECT_EQ(r.box("quality")->currentText(), "High");
    EXPECT_EQ(r.box("fps")->currentText(), "15");
    EXPECT_EQ(r.box("mode")->currentText(), "MANUAL");
    EXPECT_FALSE(r.box("eventQuality")->isEnabled());
    EXPECT_FALSE(r.box("eventFPS")->isEnabled());
    EXPECT_TRUE(Child<QPushButton>(r.page, "manual")->isChecked());
    EXPECT_EQ(r.page.paintMode(), 0);
    EXPECT_EQ(Child<QSpinBox>(r.page, "scheduleNumber")->value(), 1);
    EXPECT_EQ(r.cell(0, 0), WHITE);
    EXPECT_EQ(r.cell(6, 23), WHITE);
    EXPECT_EQ(Child<QButtonGroup>(r.page, "audioGroup")->checkedId(), 1);
    EXPECT_EQ(Child<QButtonGroup>(r.page, "timeOverlayGroup")->checkedId(), 0);
    EXPECT_EQ(r.box("playbackChannel")->currentText(), "1");
    EXPECT_EQ(r.box("startPoint")->currentText(), "First");
    EXPECT_EQ(Child<QButtonGroup>(r.page, "playbackAudioGroup")->checkedId(), 0);
    const config::Record got = r.page.GetConf();
    EXPECT_EQ(got.channel_size(), 8);
    EXPECT_FALSE(got.has_misc() || got.has_playback());
}

TEST(RecordPage, AChannelShowsItsOwnResolutionsEntriesAndEditsOnlyThem)
{
    RecordPage r;
    const config::Record record = Distinct(8);
    r.page.SetConf(record);
    // Untouched on "ALL": no channel takes channel 1's settings.
    EXPECT_EQ(Bytes(r.page.GetConf()), Bytes(record));

    r.box("channel")->setCurrentIndex(2);
    EXPECT_EQ(r.box("resolution")->currentText(), "720x480");
    EXPECT_EQ(r.box("quality")->currentIndex(), (2 + 2) % 4);
    EXPECT_EQ(r.box("fps")->currentText(), "3");
    r.box("resolution")->setCurrentIndex(1);
    EXPECT_EQ(r.box("quality")->currentIndex(), (2 + 1) % 4);
    EXPECT_EQ(r.box("fps")->currentText(), "2");
    r.box("quality")->setCurrentIndex(0);
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

    // On "ALL" the chosen resolution and mode reach every channel, the quality each
    // channel's entry there; the operator's channel 3 edits are kept elsewhere.
    r.box("channel")->setCurrentIndex(8);
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

TEST(RecordPage, PaintingASchedule)
{
    RecordPage r;
    r.page.resize(875, 635);
    r.page.show();
    config::Record record = Distinct(8);
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
    EXPECT_TRUE(Child<QPushButton>(r.page, "motion")->isChecked());
    config::Record expected = record;
    expected.mutable_schedule(1)->set_record_mode(Schedule_Cell(3, 14), config::RECORD_MODE_MOTION);
    EXPECT_EQ(Bytes(r.page.GetConf()), Bytes(expected));
    // The same cell again is no change of cell: nothing painted.
    Child<QPushButton>(r.page, "contEvent")->click();
    QTest::mouseClick(r.table()->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(r.page.paintMode(), 5);
    EXPECT_EQ(r.cell(3, 14), GREEN);

    // Back to schedule 1: its cells, and the paint mode stays.
    Child<QSpinBox>(r.page, "scheduleNumber")->setValue(1);
    EXPECT_EQ(r.cell(3, 14), WHITE);
    EXPECT_EQ(r.page.paintMode(), 5);
    r.page.SetConf(record);
    EXPECT_TRUE(Child<QPushButton>(r.page, "manual")->isChecked());
    EXPECT_EQ(r.page.paintMode(), 0);

    // Every paint colour, and hatching for the schedule modes, in one schedule.
    for (int day = 0; day < SCHEDULE_DAYS; ++day)
        for (int hour = 0; hour < SCHEDULE_HOURS; ++hour)
            record.mutable_schedule(0)->set_record_mode(Schedule_Cell(day, hour),
                                                        static_cast<config::RecordMode>((hour / 2 + day) % 10));
    r.page.SetConf(record);
    for (int hour = 0; hour < 12; hour += 2) {
        const auto& p = kPaints[hour / 2];
        EXPECT_EQ(r.cell(0, hour), p) << hour;
    }
    uitest::Screenshot(&r.page, "record_schedule_colours");
}

TEST(RecordPage, SwitchesAndPlaybackDefaults)
{
    RecordPage r;
    config::Record record = Distinct(8);
    record.mutable_playback()->set_chmode(12);  // no item: kept
    record.mutable_playback()->set_start_point(config::Record_Playback::START_1HOUR_AGO);
    r.page.SetConf(record);
    EXPECT_EQ(r.box("playbackChannel")->currentIndex(), -1);
    EXPECT_EQ(r.box("startPoint")->currentText(), "1 hour ago");
    EXPECT_EQ(r.page.GetConf().playback().chmode(), 12u);

    Child<QRadioButton>(r.page, "audioOff")->click();
    Child<QRadioButton>(r.page, "timeOverlayOn")->click();
    r.box("playbackChannel")->setCurrentIndex(8);
    r.box("startPoint")->setCurrentIndex(0);
    Child<QRadioButton>(r.page, "playbackAudioOn")->click();
    const config::Record got = r.page.GetConf();
    EXPECT_FALSE(got.misc().audio_rec());
    EXPECT_TRUE(got.misc().time_overlay());
    EXPECT_EQ(got.playback().chmode(), 8u);
    EXPECT_EQ(got.playback().start_point(), config::Record_Playback::START_2MINS_AGO);
    EXPECT_TRUE(got.playback().audio_play());

    // An HD model shows a stored resolution 0 as " 25 %".
    RecordPage hd(65, 8, 0);
    config::Record zero = Distinct(8);
    zero.mutable_channel(0)->set_resolution(config::RESOLUTION_CIF);
    hd.page.SetConf(zero);
    EXPECT_EQ(hd.box("resolution")->currentText(), " 25 %");
    hd.box("channel")->setCurrentIndex(1);
    EXPECT_EQ(hd.box("resolution")->currentText(), " 25 %");
    hd.box("resolution")->setCurrentIndex(2);
    EXPECT_EQ(hd.page.GetConf().channel(1).resolution(), config::RESOLUTION_960H);
}
