#include "sys_conf/types/hdd_types.h"

#include "sys_conf/types/value_table.h"

namespace config {
namespace {

const Hdd_WriteMode kWriteMode[] = {Hdd::WRITE_ONCE, Hdd::WRITE_OVERWRITE};
constexpr int kWriteModeCount = table::Count(kWriteMode);

const table::Row<Hdd_Smart_CheckInterval> kCheckInterval[] = {
    {Hdd_Smart::INTERVAL_6HOURS, "6 hours"},
    {Hdd_Smart::INTERVAL_12HOURS, "12 hours"},
    {Hdd_Smart::INTERVAL_24HOURS, "24 hours"},
};
constexpr int kCheckIntervalCount = table::Count(kCheckInterval);

}  // namespace

Hdd_WriteMode HddWriteMode_Index2Type(int index)
{
    return table::Pick(kWriteMode, kWriteModeCount, index);
}

int HddWriteMode_Type2Index(const Hdd_WriteMode& value)
{
    return table::Find(kWriteMode, kWriteModeCount, value);
}

const char* SmartCheckInterval_Index2String(int index)
{
    return table::Label(kCheckInterval, kCheckIntervalCount, index);
}

Hdd_Smart_CheckInterval SmartCheckInterval_Index2Type(int index)
{
    return table::Type(kCheckInterval, kCheckIntervalCount, index);
}

int SmartCheckInterval_Type2Index(Hdd_Smart_CheckInterval value)
{
    return table::IndexOf(kCheckInterval, kCheckIntervalCount, value);
}

}  // namespace config
