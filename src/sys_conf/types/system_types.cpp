#include "sys_conf/types/system_types.h"

#include "sys_conf/types/value_table.h"

namespace config {
namespace {

const table::Row<System_TimeDate_DateFormat> kDateFormat[] = {
    {System_TimeDate::DATE_FORMAT_YYYYMMDD, "YYYY/MM/DD"},
    {System_TimeDate::DATE_FORMAT_DDMMYYYY, "DD/MM/YYYY"},
    {System_TimeDate::DATE_FORMAT_MMDDYYYY, "MM/DD/YYYY"},
};
constexpr int kDateFormatCount = table::Count(kDateFormat);

const table::Row<System_TimeDate_TimeFormat> kTimeFormat[] = {
    {System_TimeDate::TIME_FORMAT_24, "24"},
    {System_TimeDate::TIME_FORMAT_12, "12 AM/PM"},
};
constexpr int kTimeFormatCount = table::Count(kTimeFormat);

const table::Row<System_Display_VgaMode> kVgaMode[] = {
    {System_Display::VGA_1024x768, "1024x768"},   {System_Display::VGA_1280x720, "1280x720"},
    {System_Display::VGA_1280x1024, "1280x1024"}, {System_Display::VGA_1440x900, "1440x900"},
    {System_Display::VGA_1920x1080, "1920x1080"},
};
constexpr int kVgaModeCount = table::Count(kVgaMode);

}  // namespace

const char* DateFormat_Index2String(int index)
{
    return table::Label(kDateFormat, kDateFormatCount, index);
}

const char* TimeFormat_Index2String(int index)
{
    return table::Label(kTimeFormat, kTimeFormatCount, index);
}

const char* VgaMode_Index2String(int index)
{
    return table::Label(kVgaMode, kVgaModeCount, index);
}

}  // namespace config
