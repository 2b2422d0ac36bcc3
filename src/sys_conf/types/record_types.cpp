#include "sys_conf/types/record_types.h"

#include <QtGlobal>

#include "sys_conf/types/value_table.h"

namespace config {

const RecordModeRow g_kRecordMode[10] = {
    {RECORD_MODE_MANUAL, "MANUAL", nullptr, -1},
    {RECORD_MODE_CONTINUOUS, "CONTINUOUS", nullptr, -1},
    {RECORD_MODE_MOTION, "MOTION", nullptr, -1},
    {RECORD_MODE_SENSOR, "SENSOR", nullptr, -1},
    {RECORD_MODE_MOTION_SENSOR, "MOTION+SENSOR", "MOT+SEN", -1},
    {RECORD_MODE_CONTINUOUS_EVENT, "CONTINUOUS+EVENT", "CONT+EVENT", -1},
    {RECORD_MODE_SCHEDULE1, "SCHEDULE 1", nullptr, 0},
    {RECORD_MODE_SCHEDULE2, "SCHEDULE 2", nullptr, 1},
    {RECORD_MODE_SCHEDULE3, "SCHEDULE 3", nullptr, 2},
    {RECORD_MODE_SCHEDULE4, "SCHEDULE 4", nullptr, 3},
};

const RecordModeRow g_kRecordMode_NoSensor[8] = {
    {RECORD_MODE_MANUAL, "MANUAL", nullptr, -1},
    {RECORD_MODE_CONTINUOUS, "CONTINUOUS", nullptr, -1},
    {RECORD_MODE_MOTION, "MOTION", nullptr, -1},
    {RECORD_MODE_CONTINUOUS_EVENT, "CONTINUOUS+EVENT", "CONT+EVENT", -1},
    {RECORD_MODE_SCHEDULE1, "SCHEDULE 1", nullptr, 0},
    {RECORD_MODE_SCHEDULE2, "SCHEDULE 2", nullptr, 1},
    {RECORD_MODE_SCHEDULE3, "SCHEDULE 3", nullptr, 2},
    {RECORD_MODE_SCHEDULE4, "SCHEDULE 4", nullptr, 3},
};

namespace {

struct ModeTable {
    const RecordModeRow* rows;
    int count;
};

ModeTable TableFor(uint64_t sensors)
{
    if (sensors != 0)
        return {g_kRecordMode, table::Count(g_kRecordMode)};
    return {g_kRecordMode_NoSensor, table::Count(g_kRecordMode_NoSensor)};
}

const table::Row<Resolution> kResolution960hNtsc[] = {
    {RESOLUTION_CIF, "360x240"},
    {RESOLUTION_HALF_D1, "720x240"},
    {RESOLUTION_D1, "720x480"},
    {RESOLUTION_960H, "960x480"},
};
const table::Row<Resolution> kResolution960hPal[] = {
    {RESOLUTION_CIF, "360x288"},
    {RESOLUTION_HALF_D1, "720x288"},
    {RESOLUTION_D1, "720x576"},
    {RESOLUTION_960H, "960x576"},
};
// The HD models record at a share of the camera's own size; they have no value 0.
const table::Row<Resolution> kResolutionShare[] = {
    {RESOLUTION_HALF_D1, QT_TRANSLATE_NOOP("CSetupRecord", " 25 %")},
    {RESOLUTION_D1, QT_TRANSLATE_NOOP("CSetupRecord", " 50 %")},
    {RESOLUTION_960H, QT_TRANSLATE_NOOP("CSetupRecord", "100 %")},
};

struct ResolutionTable {
    const table::Row<Resolution>* rows;
    int count;
};

ResolutionTable ResolutionsOf(ModelType type, uint32_t vtype)
{
    if (type != ModelType_960H)
        return {kResolutionShare, table::Count(kResolutionShare)};
    if (vtype != 0)
        return {kResolution960hPal, table::Count(kResolution960hPal)};
    return {kResolution960hNtsc, table::Count(kResolution960hNtsc)};
}

const table::Row<Record_Playback_Start> kPlaybackStart[] = {
    {Record_Playback::START_2MINS_AGO, "2 minutes ago"}, {Record_Playback::START_10MINS_AGO, "10 minutes ago"},
    {Record_Playback::START_1HOUR_AGO, "1 hour ago"},    {Record_Playback::START_6HOURS_AGO, "6 hours ago"},
    {Record_Playback::START_1DAY_AGO, "1 day ago"},      {Record_Playback::START_FIRST, "First"},
};
constexpr int kPlaybackStartCount = table::Count(kPlaybackStart);

}  // namespace

int RecordMode_Count(uint64_t sensors)
{
    return TableFor(sensors).count;
}

const char* RecordMode_Index2String(uint64_t sensors, int index, bool shortLabel)
{
    const ModeTable t = TableFor(sensors);
    const RecordModeRow* row = table::At(t.rows, t.count, index);
    if (!row)
        return "";
    return shortLabel && row->shortLabel ? row->shortLabel : row->label;
}

RecordMode RecordMode_Index2Type(uint64_t sensors, int index)
{
    const ModeTable t = TableFor(sensors);
    const RecordModeRow* row = table::At(t.rows, t.count, index);
    return row ? row->mode : t.rows[0].mode;
}

bool RecordMode_IsSupported(uint64_t sensors, RecordMode mode)
{
    const ModeTable t = TableFor(sensors);
    for (int i = 0; i < t.count; ++i)
        if (t.rows[i].mode == mode)
            return true;
    return false;
}

int RecordMode_Type2Index(uint64_t sensors, RecordMode mode)
{
    const ModeTable t = TableFor(sensors);
    for (int i = 0; i < t.count; ++i)
        if (t.rows[i].mode == mode)
            return i;
    return 0;
}

int Resolution_Count(ModelType type)
{
    return ResolutionsOf(type, 0).count;
}

const char* Resolution_Index2String(ModelType type, uint32_t vtype, int index)
{
    const ResolutionTable t = ResolutionsOf(type, vtype);
    return table::Label(t.rows, t.count, index);
}

Resolution Resolution_Index2Type(ModelType type, int index)
{
    const ResolutionTable t = ResolutionsOf(type, 0);
    return table::Type(t.rows, t.count, index);
}

int Resolution_Type2Index(ModelType type, Resolution value)
{
    const ResolutionTable t = ResolutionsOf(type, 0);
    return table::IndexOf(t.rows, t.count, value);
}

bool Resolution_IsOffered(ModelType type, Resolution value)
{
    const ResolutionTable t = ResolutionsOf(type, 0);
    return t.rows[table::IndexOf(t.rows, t.count, value)].type == value;
}

bool Resolution_IsTranslated(ModelType type)
{
    return ResolutionsOf(type, 0).rows == kResolutionShare;
}

int PlaybackStart_Count()
{
    return kPlaybackStartCount;
}

const char* PlaybackStart_Index2String(int index)
{
    return table::Label(kPlaybackStart, kPlaybackStartCount, index);
}

Record_Playback_Start PlaybackStart_Index2Type(int index)
{
    return table::Type(kPlaybackStart, kPlaybackStartCount, index);
}

int PlaybackStart_Type2Index(Record_Playback_Start start)
{
    return table::IndexOf(kPlaybackStart, kPlaybackStartCount, start);
}

}  // namespace config
