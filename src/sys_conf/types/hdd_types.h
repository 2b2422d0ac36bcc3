#pragma once

#include "hdd.pb.h"

namespace config {

// Write mode: row 0 ONCE, row 1 OVERWRITE (the page supplies translated labels).
Hdd_WriteMode HddWriteMode_Index2Type(int index);
int HddWriteMode_Type2Index(const Hdd_WriteMode& value);

// S.M.A.R.T. check interval: "6 hours", "12 hours", "24 hours"; row i holds value i.
const char* SmartCheckInterval_Index2String(int index);
Hdd_Smart_CheckInterval SmartCheckInterval_Index2Type(int index);
int SmartCheckInterval_Type2Index(Hdd_Smart_CheckInterval value);

}  // namespace config
