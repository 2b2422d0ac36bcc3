#pragma once

#include <cstdint>

#include "record_def.pb.h"

namespace config {

// One row of a record-mode combo.
struct RecordModeRow {
    RecordMode mode;
    const char* label;
    const char* shortLabel;  // nullptr where the long label is short enough
    int schedule;            // the schedule 0..3 the mode follows, -1 for none
};

// Models with sensors offer every mode, in value order.
extern const RecordModeRow g_kRecordMode[10];
// Models without sensors: no SENSOR and no MOTION+SENSOR.
extern const RecordModeRow g_kRecordMode_NoSensor[8];

// The lookups pick the table by the model's sensor count. An index outside the table gives
// MANUAL (an empty label); a mode outside it gives row 0.
int RecordMode_Count(uint64_t sensors);
const char* RecordMode_Index2String(uint64_t sensors, int index, bool shortLabel);
RecordMode RecordMode_Index2Type(uint64_t sensors, int index);
bool RecordMode_IsSupported(uint64_t sensors, RecordMode mode);
int RecordMode_Type2Index(uint64_t sensors, RecordMode mode);

}  // namespace config
