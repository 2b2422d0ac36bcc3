#pragma once

#include "event.pb.h"

namespace config {

// Pop-down time of motion and sensor pop-ups: "CONT", "5 s", "10 s", "30 s".
const char* PopDownType_Index2String(int index);
Event_PopDownType PopDownType_Index2Type(int index);
// Seconds; CONT never pops down and gives the largest int.
int PopDownType_Type2Value(Event_PopDownType type);

// Post-alarm recording time: "NONE", "10 s" .. "60 s"; row i holds value i.
const char* PostAlarmRecordTime_Index2String(int index);

// Relay keep time: "NONE", "5 s", "10 s", "30 s"; row i holds value i.
const char* RelayKeepTime_Index2String(int index);

// E-mail period: "NO", "30 min" .. "24 hours", "2 min after event"; row i holds value i.
const char* SendPeriod_Index2String(int index);
Event_Email_SendPeriod SendPeriod_Index2Type(int index);
int SendPeriod_Type2Index(const Event_Email_SendPeriod& period);

// Sensor type: "NORMAL OPEN", "NORMAL CLOSE".
const char* SensorType_Index2String(int index);

}  // namespace config
