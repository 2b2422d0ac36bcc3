#pragma once

#include <cstdint>

#include "event.pb.h"
#include "record_def.pb.h"

namespace config {

// Pop-down time of motion and sensor pop-ups: "CONT", "5 s", "10 s", "30 s".
const char* PopDownType_Index2String(int index);
Event_PopDownType PopDownType_Index2Type(int index);
int PopDownType_Type2Index(Event_PopDownType type);
// Seconds; CONT never pops down and gives the largest int.
int PopDownType_Type2Value(Event_PopDownType type);

// Post-alarm recording time: "NONE", "10 s" .. "60 s"; row i holds value i.
const char* PostAlarmRecordTime_Index2String(int index);
Event_PostRecord_Time PostAlarmRecordTime_Index2Type(int index);
int PostAlarmRecordTime_Type2Index(Event_PostRecord_Time time);

// Relay keep time: "NONE", "5 s", "10 s", "30 s"; row i holds value i.
const char* RelayKeepTime_Index2String(int index);
Event_Relay_KeepTime RelayKeepTime_Index2Type(int index);
int RelayKeepTime_Type2Index(Event_Relay_KeepTime time);

// E-mail period: "NO", "30 min" .. "24 hours", "2 min after event"; row i holds value i.
const char* SendPeriod_Index2String(int index);
Event_Email_SendPeriod SendPeriod_Index2Type(int index);
int SendPeriod_Type2Index(const Event_Email_SendPeriod& period);

// Sensor type: "NORMAL OPEN", "NORMAL CLOSE".
const char* SensorType_Index2String(int index);
Event_Sensor_Type SensorType_Index2Type(int index);
int SensorType_Type2Index(Event_Sensor_Type type);

// The motion zone grid of a model type and video standard (0 NTSC, any other PAL): 22 x 15
// or 22 x 18 cells on HD-SDI, 16 x 12 on every other type. Cell i lies in row i / cols.
struct MotionGrid {
    int cols;
    int rows;
    int cells() const { return cols * rows; }
};
MotionGrid MotionGrid_Of(ModelType type, uint32_t vtype);

}  // namespace config
