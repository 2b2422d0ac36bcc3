#pragma once

#include <cstdint>

#include "record.pb.h"
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

// Resolution items of a model type and video standard (0 NTSC, any other PAL). 960H models
// list the four pixel sizes, row i holding value i; HD-SDI, AHD and AHD2 models list three
// percentages for the values 1..3, which the page translates (context "CSetupRecord"). An
// index outside the table gives its first value, a value it lacks row 0.
int Resolution_Count(ModelType type);
const char* Resolution_Index2String(ModelType type, uint32_t vtype, int index);
Resolution Resolution_Index2Type(ModelType type, int index);
int Resolution_Type2Index(ModelType type, Resolution value);
bool Resolution_IsOffered(ModelType type, Resolution value);
bool Resolution_IsTranslated(ModelType type);

// Where the DVR's own playback starts: "2 minutes ago" .. "1 day ago", "First"; row i holds
// value i.
int PlaybackStart_Count();
const char* PlaybackStart_Index2String(int index);
Record_Playback_Start PlaybackStart_Index2Type(int index);
int PlaybackStart_Type2Index(Record_Playback_Start start);

}  // namespace config
