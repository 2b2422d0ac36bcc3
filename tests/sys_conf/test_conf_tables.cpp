#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <type_traits>

#include "sys_conf/types/account_types.h"
#include "sys_conf/types/camera_types.h"
#include "sys_conf/types/event_types.h"
#include "sys_conf/types/hdd_types.h"
#include "sys_conf/types/network_types.h"
#include "sys_conf/types/record_types.h"
#include "sys_conf/types/system_types.h"

namespace {

using namespace config;
using Strings = std::vector<std::string>;
using IntFn = std::function<int(int)>;

// One combo-box table: labels by row, each row's stored value (none: row i holds i), its lookups.
struct Table {
    std::string name;
    std::function<const char*(int)> label;
    IntFn type, index;
    Strings labels = {};
    std::vector<int> types = {};
    std::function<int()> count = {};
};

// Index2Type (int -> enum) and Type2Index (enum -> int) as int -> int.
template <typename R, typename A>
IntFn Fn(R (*f)(A))
{
    return [f](int i) { return static_cast<int>(f(static_cast<std::decay_t<A>>(i))); };
}

Table Spot(bool hdSdi, int channels, Strings labels, std::vector<int> modes)
{
    return {"spot " + std::to_string(channels) + (hdSdi ? " hd-sdi" : ""),
            [=](int i) { return SpotMode_Index2String(hdSdi, channels, i); },
            [=](int i) { return static_cast<int>(SpotMode_Index2Type(hdSdi, channels, i)); },
            [=](int v) { return SpotMode_Type2Index(hdSdi, channels, static_cast<Camera_Spot_Mode>(v)); },
            labels, modes, [=] { return SpotMode_Count(hdSdi, channels); }};
}

Table Res(ModelType type, uint32_t vtype, Strings labels, std::vector<int> values)
{
    return {"resolution " + std::to_string(type) + (vtype ? " pal" : " ntsc"),
            [=](int i) { return Resolution_Index2String(type, vtype, i); },
            [=](int i) { return static_cast<int>(Resolution_Index2Type(type, i)); },
            [=](int v) { return Resolution_Type2Index(type, static_cast<Resolution>(v)); },
            labels, values, [=] { return Resolution_Count(type); }};
}

Table Rec(uint64_t sensors, Strings labels, std::vector<int> modes)
{
    return {"record, sensors " + std::to_string(sensors),
            [=](int i) { return RecordMode_Index2String(sensors, i, false); },
            [=](int i) { return static_cast<int>(RecordMode_Index2Type(sensors, i)); },
            [=](int v) { return RecordMode_Type2Index(sensors, static_cast<RecordMode>(v)); },
            labels, modes, [=] { return RecordMode_Count(sensors); }};
}

}  // namespace

// Indexes and values come from configuration files and DVRs too: anything outside a table
// gives an empty label, the first row's value or row 0, never a read outside the table.
TEST(ValueTables, RowsLabelsRoundTripsAndOutOfRangeInput)
{
    const int single = Camera_Spot::MODE_SINGLE, quad = Camera_Spot::MODE_QUAD, nona = Camera_Spot::MODE_NONA,
              split16 = Camera_Spot::MODE_16SPLIT, seq = Camera_Spot::MODE_SEQUENCE, off = Camera_Spot::MODE_OFF;
    const Strings hdSdi = {"Single", "Sequence", "Off"}, four = {"Single", "Quad", "Sequence", "Off"};
    const Strings records = {"MANUAL", "CONTINUOUS", "MOTION", "SENSOR", "MOTION+SENSOR", "CONTINUOUS+EVENT",
                             "SCHEDULE 1", "SCHEDULE 2", "SCHEDULE 3", "SCHEDULE 4"};
    const Table tables[] = {
        {"wait time", WaitTime_Index2String, Fn(WaitTime_Index2Type), Fn(WaitTime_Type2Index),
         {"30 s", "1 min", "3 min", "5 min", "10 min"}},
        {"network timeout", {}, Fn(NetworkTimeout_Index2Type), Fn(NetworkTimeout_Type2Index), {}, {0, 1, 2, 3, 4, 5}},
        {"baud rate", BaudRate_Index2String, Fn(BaudRate_Index2Type), {},
         {"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"}},
        {"ptz", PtzDev_Index2String, Fn(PtzDev_Index2Type), {}, {"----", "PELCO_D"}},
        {"sharpness", Sharpness_Index2String, Fn(Sharpness_Index2Type), Fn(Sharpness_Type2Index),
         {"SOFT", "NORMAL", "HARD"}},
        Spot(false, 4, four, {single, quad, seq, off}),
        Spot(false, 8, {"Single", "Quad", "9 Split", "Sequence", "Off"}, {single, quad, nona, seq, off}),
        Spot(false, 16, {"Single", "Quad", "9 Split", "16 Split", "Sequence", "Off"},
             {single, quad, nona, split16, seq, off}),
        // A channel count no model has gets the smallest table.
        Spot(false, 12, four, {single, quad, seq, off}),
        Spot(false, -4, four, {single, quad, seq, off}),
        Spot(true, 4, hdSdi, {single, seq, off}),
        Spot(true, 16, hdSdi, {single, seq, off}),
        Spot(true, 0, hdSdi, {single, seq, off}),
        {"pop-down", PopDownType_Index2String, Fn(PopDownType_Index2Type), Fn(PopDownType_Type2Index),
         {"CONT", "5 s", "10 s", "30 s"}},
        {"send period", SendPeriod_Index2String, Fn(SendPeriod_Index2Type), Fn(SendPeriod_Type2Index),
         {"NO", "30 min", "1 hour", "2 hours", "5 hours", "12 hours", "24 hours", "2 min after event"}},
        {"post-alarm", PostAlarmRecordTime_Index2String, Fn(PostAlarmRecordTime_Index2Type),
         Fn(PostAlarmRecordTime_Type2Index), {"NONE", "10 s", "20 s", "30 s", "40 s", "50 s", "60 s"}},
        {"relay keep", RelayKeepTime_Index2String, Fn(RelayKeepTime_Index2Type), Fn(RelayKeepTime_Type2Index),
         {"NONE", "5 s", "10 s", "30 s"}},
        {"sensor type", SensorType_Index2String, Fn(SensorType_Index2Type), Fn(SensorType_Type2Index),
         {"NORMAL OPEN", "NORMAL CLOSE"}},
        {"write mode", {}, Fn(HddWriteMode_Index2Type), Fn(HddWriteMode_Type2Index), {},
         {Hdd::WRITE_ONCE, Hdd::WRITE_OVERWRITE}},
        {"smart interval", SmartCheckInterval_Index2String, Fn(SmartCheckInterval_Index2Type),
         Fn(SmartCheckInterval_Type2Index), {"6 hours", "12 hours", "24 hours"}},
        {"bandwidth", BandWidthLimitation_Index2String, Fn(BandWidthLimitation_Index2Type),
         Fn(BandWidthLimitation_Type2Index), {"OFF", "100 kbps", "200 kbps", "300 kbps", "500 kbps", "1000 kbps",
                                              "2000 kbps", "3000 kbps", "5000 kbps", "10000 kbps"}},
        {"network type", NetworkType_Index2String, Fn(NetworkType_Index2Type), Fn(NetworkType_Type2Index),
         {"Auto UPnP", "Static", "DHCP", "PPPoE"},
         {Network::TYPE_AUTO_UPNP, Network::TYPE_STATIC, Network::TYPE_DHCP, Network::TYPE_PPPOE}},
        {"date format", DateFormat_Index2String, Fn(DateFormat_Index2Type), Fn(DateFormat_Type2Index),
         {"YYYY/MM/DD", "DD/MM/YYYY", "MM/DD/YYYY"}},
        {"time format", TimeFormat_Index2String, Fn(TimeFormat_Index2Type), Fn(TimeFormat_Type2Index),
         {"24", "12 AM/PM"}},
        {"vga", VgaMode_Index2String, Fn(VgaMode_Index2Type), Fn(VgaMode_Type2Index),
         {"1024x768", "1280x720", "1280x1024", "1440x900", "1920x1080"}},
        {"reboot day", RebootDay_Index2String, Fn(RebootDay_Index2Type), Fn(RebootDay_Type2Index),
         {"Off", "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Everyday"},
         {}, RebootDay_Count},
        {"playback start", PlaybackStart_Index2String, Fn(PlaybackStart_Index2Type), Fn(PlaybackStart_Type2Index),
         {"2 minutes ago", "10 minutes ago", "1 hour ago", "6 hours ago", "1 day ago", "First"},
         {}, PlaybackStart_Count},
        // The combo index is the value on 960H models only: the HD models have no value 0.
        Res(ModelType_960H, 0, {"360x240", "720x240", "720x480", "960x480"}, {0, 1, 2, 3}),
        Res(ModelType_960H, 1, {"360x288", "720x288", "720x576", "960x576"}, {0, 1, 2, 3}),
        Res(ModelType_960H, 9, {"360x288", "720x288", "720x576", "960x576"}, {0, 1, 2, 3}),
        Res(ModelType_HDSDI, 0, {" 25 %", " 50 %", "100 %"}, {1, 2, 3}),
        Res(ModelType_AHD, 1, {" 25 %", " 50 %", "100 %"}, {1, 2, 3}),
        Res(ModelType_AHD2, 0, {" 25 %", " 50 %", "100 %"}, {1, 2, 3}),
        Rec(4, records, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}),
        Rec(8, records, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}),
        // Without sensors the rows after MOTION move up.
        Rec(0, {"MANUAL", "CONTINUOUS", "MOTION", "CONTINUOUS+EVENT", "SCHEDULE 1", "SCHEDULE 2", "SCHEDULE 3",
                "SCHEDULE 4"}, {0, 1, 2, 5, 6, 7, 8, 9}),
    };
    for (Table t : tables) {
        SCOPED_TRACE(t.name);
        const int rows = static_cast<int>(t.label ? t.labels.size() : t.types.size());
        for (int i = static_cast<int>(t.types.size()); i < rows; ++i)
            t.types.push_back(i);
        if (t.count) { EXPECT_EQ(t.count(), rows); }
        for (int i = 0; i < rows; ++i) {
            if (t.label) { EXPECT_STREQ(t.label(i), t.labels[i].c_str()) << i; }
            if (t.type) { EXPECT_EQ(t.type(i), t.types[i]) << i; }
            if (t.index) { EXPECT_EQ(t.index(t.types[i]), i) << i; }
        }
        for (int bad : {-1, INT_MIN, rows, INT_MAX}) {
            if (t.label) { EXPECT_STREQ(t.label(bad), "") << bad; }
            if (t.type) { EXPECT_EQ(t.type(bad), t.types[0]) << bad; }
            if (t.index && bad != rows) { EXPECT_EQ(t.index(bad), 0) << bad; }
        }
    }
}

TEST(ValueTables, ModesATableDoesNotOfferShortLabelsAndScheduleColumn)
{
    EXPECT_EQ(SpotMode_Type2Index(true, 16, Camera_Spot::MODE_QUAD), 0);
    EXPECT_EQ(SpotMode_Type2Index(false, 8, Camera_Spot::MODE_16SPLIT), 0);
    for (int mode = 0; mode < 10; ++mode) {
        EXPECT_TRUE(RecordMode_IsSupported(4, static_cast<RecordMode>(mode))) << mode;
        EXPECT_EQ(RecordMode_IsSupported(0, static_cast<RecordMode>(mode)), mode != 3 && mode != 4) << mode;
    }
    EXPECT_FALSE(RecordMode_IsSupported(8, static_cast<RecordMode>(10)));
    EXPECT_EQ(RecordMode_Type2Index(0, RECORD_MODE_SENSOR), 0);

    Strings shortLabels;
    for (int i = 0; i < 10; ++i)
        shortLabels.emplace_back(RecordMode_Index2String(8, i, true));
    EXPECT_EQ(shortLabels, (Strings{"MANUAL", "CONTINUOUS", "MOTION", "SENSOR", "MOT+SEN", "CONT+EVENT",
                                    "SCHEDULE 1", "SCHEDULE 2", "SCHEDULE 3", "SCHEDULE 4"}));
    EXPECT_STREQ(RecordMode_Index2String(0, 3, true), "CONT+EVENT");
    EXPECT_STREQ(RecordMode_Index2String(0, 8, true), "");
    std::vector<RecordModeRow> rows(std::begin(g_kRecordMode), std::end(g_kRecordMode));
    rows.insert(rows.end(), std::begin(g_kRecordMode_NoSensor), std::end(g_kRecordMode_NoSensor));
    for (const RecordModeRow& row : rows)
        EXPECT_EQ(row.schedule, row.mode >= RECORD_MODE_SCHEDULE1 ? row.mode - 6 : -1) << row.label;
}

TEST(ValueTables, ResolutionsZonesAndMotionGridsByModel)
{
    for (ModelType type : {ModelType_960H, ModelType_HDSDI, ModelType_AHD, ModelType_AHD2}) {
        const bool hd = type != ModelType_960H;
        EXPECT_EQ(Resolution_IsOffered(type, RESOLUTION_CIF), !hd) << type;
        EXPECT_TRUE(Resolution_IsOffered(type, RESOLUTION_960H)) << type;
        EXPECT_EQ(Resolution_IsTranslated(type), hd) << type;
    }

    EXPECT_EQ(TimeZone_Count(), 52);
    const std::pair<std::string, int> zones[] = {
        {"GMT", 0}, {"Asia/Seoul", 18}, {"Pacific/Chatham", 51}, {"asia/seoul", -1}, {"Mars/Olympus", -1}, {"", -1}};
    for (const auto& [name, row] : zones) {
        EXPECT_EQ(TimeZone_Find(name), row) << name;
        if (row >= 0) { EXPECT_EQ(TimeZone_Index2String(row), name); }
    }
    EXPECT_STREQ(TimeZone_Index2String(52), "");

    const struct {
        ModelType type;
        uint32_t vtype;
        int cols, rows;
    } grids[] = {{ModelType_HDSDI, 0, 22, 15}, {ModelType_HDSDI, 1, 22, 18}, {ModelType_HDSDI, 7, 22, 18},
                 {ModelType_960H, 1, 16, 12},  {ModelType_AHD, 0, 16, 12},  {ModelType_AHD2, 1, 16, 12}};
    for (const auto& g : grids) {
        const MotionGrid grid = MotionGrid_Of(g.type, g.vtype);
        EXPECT_EQ(grid.cols, g.cols) << g.type << " " << g.vtype;
        EXPECT_EQ(grid.rows, g.rows) << g.type << " " << g.vtype;
        EXPECT_EQ(grid.cells(), g.cols * g.rows);
    }
}

TEST(ValueTables, PopDownSecondsAndUnknownNeverClosesEarly)
{
    const int forever = INT32_MAX;
    const std::pair<int, int> cases[] = {{Event::POP_DOWN_CONT, forever}, {Event::POP_DOWN_5SEC, 5},
                                         {Event::POP_DOWN_10SEC, 10},     {Event::POP_DOWN_30SEC, 30},
                                         {-1, forever},                   {99, forever}};
    for (const auto& [type, seconds] : cases)
        EXPECT_EQ(PopDownType_Type2Value(static_cast<Event_PopDownType>(type)), seconds) << type;
}
