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

const char* const kTimeZones[] = {
    QT_TRANSLATE_NOOP("CSetupSystem", "GMT"),
    QT_TRANSLATE_NOOP("CSetupSystem", "America/Anchorage"),
    QT_TRANSLATE_NOOP("CSetupSystem", "America/Chicago"),
    QT_TRANSLATE_NOOP("CSetupSystem", "America/Dawson"),
    QT_TRANSLATE_NOOP("CSetupSystem", "America/Denver"),
    QT_TRANSLATE_NOOP("CSetupSystem", "America/Los_Angeles"),
    QT_TRANSLATE_NOOP("CSetupSystem", "America/Mexico_City"),
    QT_TRANSLATE_NOOP("CSetupSystem", "America/New_York"),
    QT_TRANSLATE_NOOP("CSetupSystem", "America/Sao_Paulo"),
    QT_TRANSLATE_NOOP("CSetupSystem", "America/Toronto"),
    QT_TRANSLATE_NOOP("CSetupSystem", "America/Winnipeg"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Asia/Dubai"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Asia/Irkutsk"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Asia/Istanbul"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Asia/Kamchatka"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Asia/Krasnoyarsk"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Asia/Magadan"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Asia/Omsk"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Asia/Seoul"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Asia/Taipei"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Asia/Tehran"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Asia/Tokyo"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Asia/Vladivostok"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Asia/Yakutsk"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Asia/Yekaterinburg"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Australia/Adelaide"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Australia/Darwin"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Australia/Perth"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Australia/Sydney"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Europe/Amsterdam"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Europe/Athens"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Europe/Berlin"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Europe/Brussels"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Europe/Copenhagen"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Europe/Dublin"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Europe/Helsinki"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Europe/Kaliningrad"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Europe/London"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Europe/Madrid"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Europe/Moscow"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Europe/Oslo"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Europe/Paris"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Europe/Prague"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Europe/Rome"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Europe/Samara"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Europe/Stockholm"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Europe/Tallinn"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Europe/Vienna"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Europe/Warsaw"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Europe/Zurich"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Pacific/Auckland"),
    QT_TRANSLATE_NOOP("CSetupSystem", "Pacific/Chatham"),
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
