#pragma once

#include "system.pb.h"

namespace config {

// Labels of the DVR's display formats; row i holds value i.
const char* DateFormat_Index2String(int index);  // "YYYY/MM/DD", "DD/MM/YYYY", "MM/DD/YYYY"
const char* TimeFormat_Index2String(int index);  // "24", "12 AM/PM"
const char* VgaMode_Index2String(int index);     // "1024x768" .. "1920x1080"

}  // namespace config
