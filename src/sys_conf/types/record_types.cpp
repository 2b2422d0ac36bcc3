#include "sys_conf/types/record_types.h"

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

}  // namespace config
