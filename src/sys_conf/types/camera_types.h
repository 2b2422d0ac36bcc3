#pragma once

#include "camera.pb.h"

namespace config {

// PTZ baud rate: "1200" .. "115200"; row i holds value i.
const char* BaudRate_Index2String(int index);
Camera_Ptz_BaudRate BaudRate_Index2Type(int index);

// PTZ protocol: "----" (none), "PELCO_D"; row i holds value i.
const char* PtzDev_Index2String(int index);
Camera_Ptz_Model PtzDev_Index2Type(int index);

// Sharpness of all cameras: "SOFT", "NORMAL", "HARD".
const char* Sharpness_Index2String(int index);
Camera_Sharpness Sharpness_Index2Type(int index);
int Sharpness_Type2Index(const Camera_Sharpness& value);

// Dwell time of a sequence step: "1 sec" .. "30 secs"; row i holds value i.
int SeqTime_Count();
const char* SeqTime_Index2String(int index);

// Spot output modes offered for a model: HD-SDI models offer Single, Sequence and Off
// whatever their channel count; the others add the split modes their channel count fills.
// A channel count other than 4, 8 or 16 gets the 4-channel table.
int SpotMode_Count(bool isHdSdi, int chNum);
const char* SpotMode_Index2String(bool isHdSdi, int chNum, int index);
Camera_Spot_Mode SpotMode_Index2Type(bool isHdSdi, int chNum, int index);
// Row 0 (Single) for a mode the table does not offer.
int SpotMode_Type2Index(bool isHdSdi, int chNum, const Camera_Spot_Mode& mode);
// Whether the table for the model holds the mode.
bool SpotMode_IsOffered(bool isHdSdi, int chNum, const Camera_Spot_Mode& mode);

}  // namespace config
