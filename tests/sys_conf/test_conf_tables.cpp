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

// One combo-box table: labels by row ("|" between them), each row's stored value (none: row i
// holds i), its lookups.
struct Table {
    std::function<const char*(int)> label;
    IntFn type, index;
    std::string labels = {};
    std::vector<int> types = {};
    std::function<int()> count = {};
};

// Index2Type (int -> enum) and Type2Index (enum -> int) as int -> int.
template <typename R, typename A>
IntFn Fn(R (*f)(A))
{
    return [f](int i) { return static_cast<int>(f(static_cast<std::decay_t<A>>(i))); };
}
#define LOOKUPS(name) name##_Index2String, Fn(name##_Index2Type), Fn(name##_Type2Index)

Strings Split(const std::string& text)
{
    Strings out(1);
    for (char c : text) {
        if (c == '|')
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

}  // namespace

// Indexes and values come from configuration files and DVRs too: anything outside a table
// gives an empty label, the first row's value or row 0, never a read outside the table.
TEST(ValueTables, RowsLabelsRoundTripsAndOutOfRangeInput)
{
    const int single = Camera_Spot::MODE_SINGLE, quad = Camera_Spot::MODE_QUAD, nona = Camera_Spot::MODE_NONA,
              split16 = Camera_Spot::MODE_16SPLIT, seq = Camera_Spot::MODE_SEQUENCE, off = Camera_Spot::MODE_OFF;
    const auto spot = [&](bool hdSdi, int channels, const char* labels, std::vector<int> modes) {
        return Table{[=](int i) { return SpotMode_Index2String(hdSdi, channels, i); },
                     [=](int i) { return static_cast<int>(SpotMode_Index2Type(hdSdi, channels, i)); },
                     [=](int v) { return SpotMode_Type2Index(hdSdi, channels, static_cast<Camera_Spot_Mode>(v)); },
                     labels, modes, [=] { return SpotMode_Count(hdSdi, channels); }};
    };
    const auto res = [](ModelType type, uint32_t vtype, const char* labels, std::vector<int> values) {
        return Table{[=](int i) { return Resolution_Index2String(type, vtype, i); },
                     [=](int i) { return static_cast<int>(Resolution_Index2Type(type, i)); },
                     [=](int v) { return Resolution_Type2Index(type, static_cast<Resolution>(v)); },
                     labels, values, [=] { return Resolution_Count(type); }};
    };
    const auto rec = [](uint64_t sensors, const char* labels, std::vector<int> modes) {
        return Table{[=](int i) { return RecordMode_Index2String(sensors, i, false); },
                     [=](int i) { return static_cast<int>(RecordMode_Index2Type(sensors, i)); },
                     [=](int v) { return RecordMode_Type2Index(sensors, static_cast<RecordMode>(v)); },
                     labels, modes, [=] { return RecordMode_Count(sensors); }};
    };
    const auto recShort = [](uint64_t sensors, const char* labels) {
        return Table{[=](int i) { return RecordMode_Index2String(sensors, i, true); }, {}, {}, labels};
    };
    const char *hdSdi = "Single|Sequence|Off", *four = "Single|Quad|Sequence|Off", *hd = " 25 %| 50 %|100 %";
    const char* records = "MANUAL|CONTINUOUS|MOTION|SENSOR|MOTION+SENSOR|CONTINUOUS+EVENT|SCHEDULE 1|SCHEDULE 2|"
                          "SCHEDULE 3|SCHEDULE 4";
    const Table tables[] = {
        {LOOKUPS(WaitTime), "30 s|1 min|3 min|5 min|10 min"},
        {{}, Fn(NetworkTimeout_Index2Type), Fn(NetworkTimeout_Type2Index), {}, {0, 1, 2, 3, 4, 5},
         NetworkTimeout_Count},
        {BaudRate_Index2String, Fn(BaudRate_Index2Type), {}, "1200|2400|4800|9600|19200|38400|57600|115200"},
        {PtzDev_Index2String, Fn(PtzDev_Index2Type), {}, "----|PELCO_D"},
        {LOOKUPS(Sharpness), "SOFT|NORMAL|HARD"},
        spot(false, 4, four, {single, quad, seq, off}),
        spot(false, 8, "Single|Quad|9 Split|Sequence|Off", {single, quad, nona, seq, off}),
        spot(false, 16, "Single|Quad|9 Split|16 Split|Sequence|Off", {single, quad, nona, split16, seq, off}),
        // A channel count no model has gets the smallest table.
        spot(false, 12, four, {single, quad, seq, off}), spot(false, -4, four, {single, quad, seq, off}),
        spot(true, 4, hdSdi, {single, seq, off}), spot(true, 16, hdSdi, {single, seq, off}),
        spot(true, 0, hdSdi, {single, seq, off}),
        {LOOKUPS(PopDownType), "CONT|5 s|10 s|30 s"},
        {LOOKUPS(SendPeriod), "NO|30 min|1 hour|2 hours|5 hours|12 hours|24 hours|2 min after event"},
        {LOOKUPS(PostAlarmRecordTime), "NONE|10 s|20 s|30 s|40 s|50 s|60 s"},
        {LOOKUPS(RelayKeepTime), "NONE|5 s|10 s|30 s"},
        {LOOKUPS(SensorType), "NORMAL OPEN|NORMAL CLOSE"},
        {{}, Fn(HddWriteMode_Index2Type), Fn(HddWriteMode_Type2Index), {}, {Hdd::WRITE_ONCE, Hdd::WRITE_OVERWRITE}},
        {LOOKUPS(SmartCheckInterval), "6 hours|12 hours|24 hours"},
        {LOOKUPS(BandWidthLimitation),
         "OFF|100 kbps|200 kbps|300 kbps|500 kbps|1000 kbps|2000 kbps|3000 kbps|5000 kbps|10000 kbps"},
        {LOOKUPS(NetworkType), "Auto UPnP|Static|DHCP|PPPoE",
         {Network::TYPE_AUTO_UPNP, Network::TYPE_STATIC, Network::TYPE_DHCP, Network::TYPE_PPPOE}},
        {LOOKUPS(DateFormat), "YYYY/MM/DD|DD/MM/YYYY|MM/DD/YYYY"},
        {LOOKUPS(TimeFormat), "24|12 AM/PM"},
        {LOOKUPS(VgaMode), "1024x768|1280x720|1280x1024|1440x900|1920x1080"},
        {LOOKUPS(RebootDay), "Off|Sunday|Monday|Tuesday|Wednesday|Thursday|Friday|Saturday|Everyday", {},
         RebootDay_Count},
        {LOOKUPS(PlaybackStart), "2 minutes ago|10 minutes ago|1 hour ago|6 hours ago|1 day ago|First",
         {}, PlaybackStart_Count},
        // The combo index is the value on 960H models only: the HD models have no value 0.
        res(ModelType_960H, 0, "360x240|720x240|720x480|960x480", {0, 1, 2, 3}),
        res(ModelType_960H, 1, "360x288|720x288|720x576|960x576", {0, 1, 2, 3}),
        res(ModelType_960H, 9, "360x288|720x288|720x576|960x576", {0, 1, 2, 3}),
        res(ModelType_HDSDI, 0, hd, {1, 2, 3}), res(ModelType_AHD, 1, hd, {1, 2, 3}),
        res(ModelType_AHD2, 0, hd, {1, 2, 3}),
        rec(4, records, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}), rec(8, records, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}),
        // Without sensors the rows after MOTION move up.
        rec(0, "MANUAL|CONTINUOUS|MOTION|CONTINUOUS+EVENT|SCHEDULE 1|SCHEDULE 2|SCHEDULE 3|SCHEDULE 4",
            {0, 1, 2, 5, 6, 7, 8, 9}),
        recShort(8, "MANUAL|CONTINUOUS|MOTION|SENSOR|MOT+SEN|CONT+EVENT|SCHEDULE 1|SCHEDULE 2|SCHEDULE 3|SCHEDULE 4"),
        recShort(0, "MANUAL|CONTINUOUS|MOTION|CONT+EVENT|SCHEDULE 1|SCHEDULE 2|SCHEDULE 3|SCHEDULE 4"),
    };
    int n = 0;
    for (Table t : tables) {
        SCOPED_TRACE(std::to_string(n++) + ": " + t.labels);
        const Strings labels = Split(t.labels);
        const int rows = static_cast<int>(t.label ? labels.size() : t.types.size());
        for (int i = static_cast<int>(t.types.size()); i < rows; ++i)
            t.types.push_back(i);
        if (t.count) { EXPECT_EQ(t.count(), rows); }
        for (int i = 0; i < rows; ++i) {
            if (t.label) { EXPECT_STREQ(t.label(i), labels[i].c_str()) << i; }
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

// Modes a table does not offer, the schedule column, resolutions, time zones, motion grids
// by model and pop-up seconds (an unknown pop-down never closes early).
TEST(ValueTables, OfferedModesSchedulesZonesGridsAndPopDownSeconds)
{
    EXPECT_EQ(SpotMode_Type2Index(true, 16, Camera_Spot::MODE_QUAD), 0);
    EXPECT_EQ(SpotMode_Type2Index(false, 8, Camera_Spot::MODE_16SPLIT), 0);
    for (int mode = 0; mode < 10; ++mode) {
        EXPECT_TRUE(RecordMode_IsSupported(4, static_cast<RecordMode>(mode))) << mode;
        EXPECT_EQ(RecordMode_IsSupported(0, static_cast<RecordMode>(mode)), mode != 3 && mode != 4) << mode;
    }
    EXPECT_FALSE(RecordMode_IsSupported(8, static_cast<RecordMode>(10)));
    EXPECT_EQ(RecordMode_Type2Index(0, RECORD_MODE_SENSOR), 0);
    std::vector<RecordModeRow> modeRows(std::begin(g_kRecordMode), std::end(g_kRecordMode));
    modeRows.insert(modeRows.end(), std::begin(g_kRecordMode_NoSensor), std::end(g_kRecordMode_NoSensor));
    for (const RecordModeRow& row : modeRows)
        EXPECT_EQ(row.schedule, row.mode >= RECORD_MODE_SCHEDULE1 ? row.mode - 6 : -1) << row.label;

    for (ModelType type : {ModelType_960H, ModelType_HDSDI, ModelType_AHD, ModelType_AHD2}) {
        const bool hd = type != ModelType_960H;
        EXPECT_TRUE(Resolution_IsOffered(type, RESOLUTION_CIF) != hd && Resolution_IsOffered(type, RESOLUTION_960H)
                    && Resolution_IsTranslated(type) == hd) << type;
    }
    EXPECT_TRUE(TimeZone_Count() == 52 && *TimeZone_Index2String(52) == '\0');
    const std::pair<std::string, int> zones[] = {
        {"GMT", 0}, {"Asia/Seoul", 18}, {"Pacific/Chatham", 51}, {"asia/seoul", -1}, {"Mars/Olympus", -1}, {"", -1}};
    for (const auto& [name, row] : zones) {
        EXPECT_EQ(TimeZone_Find(name), row) << name;
        if (row >= 0) { EXPECT_EQ(TimeZone_Index2String(row), name); }
    }
    // model type, video type, columns, rows
    const std::tuple<ModelType, uint32_t, int, int> grids[] = {
        {ModelType_HDSDI, 0, 22, 15}, {ModelType_HDSDI, 1, 22, 18}, {ModelType_HDSDI, 7, 22, 18},
        {ModelType_960H, 1, 16, 12},  {ModelType_AHD, 0, 16, 12},  {ModelType_AHD2, 1, 16, 12}};
    for (const auto& [type, vtype, cols, rows] : grids) {
        const MotionGrid grid = MotionGrid_Of(type, vtype);
        EXPECT_EQ(std::make_tuple(grid.cols, grid.rows, grid.cells()), std::make_tuple(cols, rows, cols * rows))
            << type << " " << vtype;
    }
    const int forever = INT32_MAX;
    const std::pair<int, int> popDowns[] = {{Event::POP_DOWN_CONT, forever}, {Event::POP_DOWN_5SEC, 5},
                                            {Event::POP_DOWN_10SEC, 10}, {Event::POP_DOWN_30SEC, 30}, {-1, forever},
                                            {99, forever}};
    for (const auto& [type, seconds] : popDowns)
        EXPECT_EQ(PopDownType_Type2Value(static_cast<Event_PopDownType>(type)), seconds) << type;
}
