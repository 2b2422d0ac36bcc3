#pragma once

#include <string>

#include "system.pb.h"

namespace config {

// The DVR's display formats; row i holds value i.
const char* DateFormat_Index2String(int index);  // "YYYY/MM/DD", "DD/MM/YYYY", "MM/DD/YYYY"
System_TimeDate_DateFormat DateFormat_Index2Type(int index);
int DateFormat_Type2Index(System_TimeDate_DateFormat format);
const char* TimeFormat_Index2String(int index);  // "24", "12 AM/PM"
System_TimeDate_TimeFormat TimeFormat_Index2Type(int index);
int TimeFormat_Type2Index(System_TimeDate_TimeFormat format);
const char* VgaMode_Index2String(int index);     // "1024x768" .. "1920x1080"
System_Display_VgaMode VgaMode_Index2Type(int index);
int VgaMode_Type2Index(System_Display_VgaMode mode);

// The time zones a DVR knows, by the name it stores ("GMT", "America/Anchorage" ..
// "Pacific/Chatham"); the page shows them translated (context "CSetupSystem").
int TimeZone_Count();
const char* TimeZone_Index2String(int index);
// The row of a stored name, letters compared case-sensitively; -1 when no row has it.
int TimeZone_Find(const std::string& name);

// Auto reboot day: "Off", "Sunday" .. "Saturday", "Everyday"; row i holds value i. The page
// translates the labels (context "CSetupSystem").
int RebootDay_Count();
const char* RebootDay_Index2String(int index);
System_AutoReboot_Day RebootDay_Index2Type(int index);
int RebootDay_Type2Index(System_AutoReboot_Day day);

}  // namespace config
