#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <limits>

#include "sys_conf/types/account_types.h"
#include "sys_conf/types/camera_types.h"
#include "sys_conf/types/event_types.h"
#include "sys_conf/types/hdd_types.h"
#include "sys_conf/types/network_types.h"
#include "sys_conf/types/record_types.h"
#include "sys_conf/types/system_types.h"

namespace {

using Strings = std::vector<std::string>;
using IntFn = std::function<int(int)>;

// One combo-box table: its labels by row, the stored value of each row, and the lookups.
struct Table {
    std::string name;
    std::function<const char*(int)> label;  // empty where the page builds its own labels
    IntFn type;                             // row -> stored value; empty for label-only tables
    IntFn index;                            // stored value -> row; empty where there is none
    Strings labels;
    std::vector<int> types;
    std::function<int()> count = {};  // set where the combo asks for its row count
};

template <typename E>
IntFn Rows(E (*f)(int))
{
    return [f](int i) { return static_cast<int>(f(i)); };
}
template <typename E>
IntFn Index(int (*f)(const E&))
{
    return [f](int v) { return f(static_cast<E>(v)); };
}
template <typename E>
IntFn Index(int (*f)(E))
{
    return [f](int v) { return f(static_cast<E>(v)); };
}

std::vector<int> Iota(int n)
{
    std::vector<int> v(n);
    for (int i = 0; i < n; ++i)
        v[i] = i;
    return v;
}

Table SpotTable(bool hdSdi, int channels, Strings labels, std::vector<int> modes)
{
    using namespace config;
    return {"spot " + std::to_string(channels) + (hdSdi ? " hd-sdi" : ""),
            [=](int i) { return SpotMode_Index2String(hdSdi, channels, i); },
            [=](int i) { return static_cast<int>(SpotMode_Index2Type(hdSdi, channels, i)); },
            [=](int v) { return SpotMode_Type2Index(hdSdi, channels, static_cast<Camera_Spot_Mode>(v)); },
            labels, modes, [=] { return SpotMode_Count(hdSdi, channels); }};
}

Table RecordTable(uint64_t sensors, Strings labels, std::vector<int> modes)
{
    using namespace config;
    return {"record, sensors " + std::to_string(sensors),
            [=](int i) { return RecordMode_Index2String(sensors, i, false); },
            [=](int i) { return static_cast<int>(RecordMode_Index2Type(sensors, i)); },
            [=](int v) { return RecordMode_Type2Index(sensors, static_cast<RecordMode>(v)); },
            labels, modes, [=] { return RecordMode_Count(sensors); }};
}

const Strings kSpotHdSdi = {"Single", "Sequence", "Off"};
const Strings kRecordLong = {"MANUAL",     "CONTINUOUS", "MOTION",     "SENSOR",     "MOTION+SENSOR",
                             "CONTINUOUS+EVENT", "SCHEDULE 1", "SCHEDULE 2", "SCHEDULE 3", "SCHEDULE 4"};

std::vector<Table> AllTables()
{
    using namespace config;
    const int single = Camera_Spot::MODE_SINGLE, quad = Camera_Spot::MODE_QUAD,
              nona = Camera_Spot::MODE_NONA, split16 = Camera_Spot::MODE_16SPLIT,
              seq = Camera_Spot::MODE_SEQUENCE, off = Camera_Spot::MODE_OFF;
    return {
        {"wait time", WaitTime_Index2String, Rows(WaitTime_Index2Type), Index(WaitTime_Type2Index),
         {"30 s", "1 min", "3 min", "5 min", "10 min"}, Iota(5)},
        {"network timeout", {}, Rows(NetworkTimeout_Index2Type), Index(NetworkTimeout_Type2Index), {}, Iota(6)},
        {"baud rate", BaudRate_Index2String, Rows(BaudRate_Index2Type), {},
         {"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"}, Iota(8)},
        {"ptz", PtzDev_Index2String, Rows(PtzDev_Index2Type), {}, {"----", "PELCO_D"}, Iota(2)},
        {"sharpness", Sharpness_Index2String, Rows(Sharpness_Index2Type), Index(Sharpness_Type2Index),
         {"SOFT", "NORMAL", "HARD"}, Iota(3)},
        SpotTable(false, 4, {"Single", "Quad", "Sequence", "Off"}, {single, quad, seq, off}),
        SpotTable(false, 8, {"Single", "Quad", "9 Split", "Sequence", "Off"}, {single, quad, nona, seq, off}),
        SpotTable(false, 16, {"Single", "Quad", "9 Split", "16 Split", "Sequence", "Off"},
                  {single, quad, nona, split16, seq, off}),
        // A channel count no model has gets the smallest table.
        SpotTable(false, 12, {"Single", "Quad", "Sequence", "Off"}, {single, quad, seq, off}),
        SpotTable(false, -4, {"Single", "Quad", "Sequence", "Off"}, {single, quad, seq, off}),
        SpotTable(true, 4, kSpotHdSdi, {single, seq, off}),
        SpotTable(true, 16, kSpotHdSdi, {single, seq, off}),
        SpotTable(true, 0, kSpotHdSdi, {single, seq, off}),
        {"pop-down", PopDownType_Index2String, Rows(PopDownType_Index2Type), {},
         {"CONT", "5 s", "10 s", "30 s"}, Iota(4)},
        {"send period", SendPeriod_Index2String, Rows(SendPeriod_Index2Type), Index(SendPeriod_Type2Index),
         {"NO", "30 min", "1 hour", "2 hours", "5 hours", "12 hours", "24 hours", "2 min after event"}, Iota(8)},
        {"post-alarm", PostAlarmRecordTime_Index2String, {}, {},
         {"NONE", "10 s", "20 s", "30 s", "40 s", "50 s", "60 s"}, {}},
        {"relay keep", RelayKeepTime_Index2String, {}, {}, {"NONE", "5 s", "10 s", "30 s"}, {}},
        {"sensor type", SensorType_Index2String, {}, {}, {"NORMAL OPEN", "NORMAL CLOSE"}, {}},
        {"write mode", {}, Rows(HddWriteMode_Index2Type), Index(HddWriteMode_Type2Index), {},
         {Hdd::WRITE_ONCE, Hdd::WRITE_OVERWRITE}},
        {"smart interval", SmartCheckInterval_Index2String, Rows(SmartCheckInterval_Index2Type),
         Index(SmartCheckInterval_Type2Index), {"6 hours", "12 hours", "24 hours"}, Iota(3)},
        {"bandwidth", BandWidthLimitation_Index2String, Rows(BandWidthLimitation_Index2Type),
         Index(BandWidthLimitation_Type2Index),
         {"OFF", "100 kbps", "200 kbps", "300 kbps", "500 kbps", "1000 kbps", "2000 kbps", "3000 kbps",
          "5000 kbps", "10000 kbps"}, Iota(10)},
        {"network type", NetworkType_Index2String, Rows(NetworkType_Index2Type), Index(NetworkType_Type2Index),
         {"Auto UPnP", "Static", "DHCP", "PPPoE"},
         {Network::TYPE_AUTO_UPNP, Network::TYPE_STATIC, Network::TYPE_DHCP, Network::TYPE_PPPOE}},
        {"date format", DateFormat_Index2String, {}, {}, {"YYYY/MM/DD", "DD/MM/YYYY", "MM/DD/YYYY"}, {}},
        {"time format", TimeFormat_Index2String, {}, {}, {"24", "12 AM/PM"}, {}},
        {"vga", VgaMode_Index2String, {}, {}, {"1024x768", "1280x720", "1280x1024", "1440x900", "1920x1080"}, {}},
        RecordTable(4, kRecordLong, Iota(10)),
        RecordTable(8, kRecordLong, Iota(10)),
        // Without sensors the rows after MOTION move up.
        RecordTable(0, {"MANUAL", "CONTINUOUS", "MOTION", "CONTINUOUS+EVENT", "SCHEDULE 1", "SCHEDULE 2",
                        "SCHEDULE 3", "SCHEDULE 4"},
                    {RECORD_MODE_MANUAL, RECORD_MODE_CONTINUOUS, RECORD_MODE_MOTION, RECORD_MODE_CONTINUOUS_EVENT,
                     RECORD_MODE_SCHEDULE1, RECORD_MODE_SCHEDULE2, RECORD_MODE_SCHEDULE3, RECORD_MODE_SCHEDULE4}),
    };
}

}  // namespace

// Indexes and values come from configuration files and DVRs too: anything outside a table
// gives an empty label, the first row's value or row 0, never a read outside the table.
TEST(ValueTables, RowsLabelsRoundTripsAndOutOfRangeInput)
{
    for (const Table& t : AllTables()) {
        SCOPED_TRACE(t.name);
        const int rows = static_cast<int>(t.label ? t.labels.size() : t.types.size());
        if (t.count) {
            EXPECT_EQ(t.count(), rows);
        }
        const std::vector<int> badRows = {-1, -100, INT_MIN, rows, 100, INT_MAX};
        if (t.label) {
            for (int i = 0; i < rows; ++i)
                EXPECT_STREQ(t.label(i), t.labels[i].c_str()) << "row " << i;
            for (int bad : badRows)
                EXPECT_STREQ(t.label(bad), "") << bad;
        }
        if (t.type) {
            for (int i = 0; i < rows; ++i)
                EXPECT_EQ(t.type(i), t.types[i]) << "row " << i;
            for (int bad : badRows)
                EXPECT_EQ(t.type(bad), t.types[0]) << bad;
        }
        if (t.index) {
            for (int i = 0; i < rows; ++i)
                EXPECT_EQ(t.index(t.types[i]), i) << "row " << i;
            for (int bad : {-1, 99, INT_MAX})
                EXPECT_EQ(t.index(bad), 0) << bad;
        }
    }
}

TEST(ValueTables, ModesATableDoesNotOffer)
{
    EXPECT_EQ(config::SpotMode_Type2Index(true, 16, config::Camera_Spot::MODE_QUAD), 0);
    EXPECT_EQ(config::SpotMode_Type2Index(false, 8, config::Camera_Spot::MODE_16SPLIT), 0);
    for (int mode = 0; mode < 10; ++mode) {
        const auto m = static_cast<config::RecordMode>(mode);
        EXPECT_TRUE(config::RecordMode_IsSupported(4, m)) << mode;
        EXPECT_EQ(config::RecordMode_IsSupported(0, m), mode != 3 && mode != 4) << mode;
    }
    EXPECT_FALSE(config::RecordMode_IsSupported(8, static_cast<config::RecordMode>(10)));
    EXPECT_EQ(config::RecordMode_Type2Index(0, config::RECORD_MODE_SENSOR), 0);
    EXPECT_EQ(config::RecordMode_Type2Index(0, config::RECORD_MODE_MOTION_SENSOR), 0);
}

TEST(ValueTables, ShortRecordLabelsScheduleColumnAndLabelsByStoredValue)
{
    Strings shortLabels;
    for (int i = 0; i < 10; ++i)
        shortLabels.emplace_back(config::RecordMode_Index2String(8, i, true));
    EXPECT_EQ(shortLabels, (Strings{"MANUAL", "CONTINUOUS", "MOTION", "SENSOR", "MOT+SEN", "CONT+EVENT",
                                    "SCHEDULE 1", "SCHEDULE 2", "SCHEDULE 3", "SCHEDULE 4"}));
    EXPECT_STREQ(config::RecordMode_Index2String(0, 3, true), "CONT+EVENT");
    EXPECT_STREQ(config::RecordMode_Index2String(0, 8, true), "");
    for (const config::RecordModeRow& row : config::g_kRecordMode)
        EXPECT_EQ(row.schedule, row.mode >= config::RECORD_MODE_SCHEDULE1 ? row.mode - 6 : -1) << row.label;
    for (const config::RecordModeRow& row : config::g_kRecordMode_NoSensor)
        EXPECT_EQ(row.schedule, row.mode >= config::RECORD_MODE_SCHEDULE1 ? row.mode - 6 : -1) << row.label;

    // The label-only tables are indexed by the stored value itself.
    EXPECT_STREQ(config::PostAlarmRecordTime_Index2String(config::Event_PostRecord::TIME_60SEC), "60 s");
    EXPECT_STREQ(config::RelayKeepTime_Index2String(config::Event_Relay::KEEP_30SEC), "30 s");
    EXPECT_STREQ(config::SensorType_Index2String(config::Event_Sensor::TYPE_NC), "NORMAL CLOSE");
    EXPECT_STREQ(config::DateFormat_Index2String(config::System_TimeDate::DATE_FORMAT_MMDDYYYY), "MM/DD/YYYY");
    EXPECT_STREQ(config::TimeFormat_Index2String(config::System_TimeDate::TIME_FORMAT_12), "12 AM/PM");
    EXPECT_STREQ(config::VgaMode_Index2String(config::System_Display::VGA_1440x900), "1440x900");
    EXPECT_STREQ(config::BaudRate_Index2String(config::Camera_Ptz::BAUDRATE_9600), "9600");
}

TEST(ValueTables, PopDownSeconds)
{
    const int forever = std::numeric_limits<int32_t>::max();
    const std::pair<config::Event_PopDownType, int> cases[] = {
        {config::Event::POP_DOWN_CONT, forever}, {config::Event::POP_DOWN_5SEC, 5},
        {config::Event::POP_DOWN_10SEC, 10},     {config::Event::POP_DOWN_30SEC, 30},
        // An unknown pop-down never closes the pop-up early.
        {static_cast<config::Event_PopDownType>(-1), forever}, {static_cast<config::Event_PopDownType>(99), forever},
    };
    for (const auto& c : cases)
        EXPECT_EQ(config::PopDownType_Type2Value(c.first), c.second) << c.first;
}
