#include "sys_conf/types/system_types.h"

#include <QtGlobal>

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

// The names the DVR stores; shown as they are, in every language.
const char* const kTimeZones[] = {
    "GMT", "America/Anchorage", "America/Chicago", "America/Dawson", "America/Denver",
    "America/Los_Angeles", "America/Mexico_City", "America/New_York", "America/Sao_Paulo",
    "America/Toronto", "America/Winnipeg", "Asia/Dubai", "Asia/Irkutsk", "Asia/Istanbul",
    "Asia/Kamchatka", "Asia/Krasnoyarsk", "Asia/Magadan", "Asia/Omsk", "Asia/Seoul", "Asia/Taipei",
    "Asia/Tehran", "Asia/Tokyo", "Asia/Vladivostok", "Asia/Yakutsk", "Asia/Yekaterinburg",
    "Australia/Adelaide", "Australia/Darwin", "Australia/Perth", "Australia/Sydney",
    "Europe/Amsterdam", "Europe/Athens", "Europe/Berlin", "Europe/Brussels", "Europe/Copenhagen",
    "Europe/Dublin", "Europe/Helsinki", "Europe/Kaliningrad", "Europe/London", "Europe/Madrid",
    "Europe/Moscow", "Europe/Oslo", "Europe/Paris", "Europe/Prague", "Europe/Rome", "Europe/Samara",
    "Europe/Stockholm", "Europe/Tallinn", "Europe/Vienna", "Europe/Warsaw", "Europe/Zurich",
    "Pacific/Auckland", "Pacific/Chatham",
};
constexpr int kTimeZoneCount = table::Count(kTimeZones);

const table::Row<System_AutoReboot_Day> kRebootDay[] = {
    {System_AutoReboot::OFF, QT_TRANSLATE_NOOP("CSetupSystem", "Off")},
    {System_AutoReboot::SUNDAY, QT_TRANSLATE_NOOP("CSetupSystem", "Sunday")},
    {System_AutoReboot::MONDAY, QT_TRANSLATE_NOOP("CSetupSystem", "Monday")},
    {System_AutoReboot::TUESDAY, QT_TRANSLATE_NOOP("CSetupSystem", "Tuesday")},
    {System_AutoReboot::WEDNESDAY, QT_TRANSLATE_NOOP("CSetupSystem", "Wednesday")},
    {System_AutoReboot::THURSDAY, QT_TRANSLATE_NOOP("CSetupSystem", "Thursday")},
    {System_AutoReboot::FRIDAY, QT_TRANSLATE_NOOP("CSetupSystem", "Friday")},
    {System_AutoReboot::SATURDAY, QT_TRANSLATE_NOOP("CSetupSystem", "Saturday")},
    {System_AutoReboot::EVERYDAY, QT_TRANSLATE_NOOP("CSetupSystem", "Everyday")},
};
constexpr int kRebootDayCount = table::Count(kRebootDay);

}  // namespace

const char* DateFormat_Index2String(int index)
{
    return table::Label(kDateFormat, kDateFormatCount, index);
}

System_TimeDate_DateFormat DateFormat_Index2Type(int index)
{
    return table::Type(kDateFormat, kDateFormatCount, index);
}

int DateFormat_Type2Index(System_TimeDate_DateFormat format)
{
    return table::IndexOf(kDateFormat, kDateFormatCount, format);
}

const char* TimeFormat_Index2String(int index)
{
    return table::Label(kTimeFormat, kTimeFormatCount, index);
}

System_TimeDate_TimeFormat TimeFormat_Index2Type(int index)
{
    return table::Type(kTimeFormat, kTimeFormatCount, index);
}

int TimeFormat_Type2Index(System_TimeDate_TimeFormat format)
{
    return table::IndexOf(kTimeFormat, kTimeFormatCount, format);
}

const char* VgaMode_Index2String(int index)
{
    return table::Label(kVgaMode, kVgaModeCount, index);
}

System_Display_VgaMode VgaMode_Index2Type(int index)
{
    return table::Type(kVgaMode, kVgaModeCount, index);
}

int VgaMode_Type2Index(System_Display_VgaMode mode)
{
    return table::IndexOf(kVgaMode, kVgaModeCount, mode);
}

int TimeZone_Count()
{
    return kTimeZoneCount;
}

const char* TimeZone_Index2String(int index)
{
    return index >= 0 && index < kTimeZoneCount ? kTimeZones[index] : "";
}

int TimeZone_Find(const std::string& name)
{
    for (int i = 0; i < kTimeZoneCount; ++i)
        if (name == kTimeZones[i])
            return i;
    return -1;
}

int RebootDay_Count()
{
    return kRebootDayCount;
}

const char* RebootDay_Index2String(int index)
{
    return table::Label(kRebootDay, kRebootDayCount, index);
}

System_AutoReboot_Day RebootDay_Index2Type(int index)
{
    return table::Type(kRebootDay, kRebootDayCount, index);
}

int RebootDay_Type2Index(System_AutoReboot_Day day)
{
    return table::IndexOf(kRebootDay, kRebootDayCount, day);
}

}  // namespace config
