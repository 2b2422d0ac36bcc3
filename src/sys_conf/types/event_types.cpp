#include "sys_conf/types/event_types.h"

#include <limits>

#include "sys_conf/types/value_table.h"

namespace config {
namespace {

struct PopDownRow {
    Event_PopDownType type;
    const char* label;
    int seconds;
};

const PopDownRow kPopDown[] = {
    {Event::POP_DOWN_CONT, "CONT", std::numeric_limits<int32_t>::max()},
    {Event::POP_DOWN_5SEC, "5 s", 5},
    {Event::POP_DOWN_10SEC, "10 s", 10},
    {Event::POP_DOWN_30SEC, "30 s", 30},
};
constexpr int kPopDownCount = table::Count(kPopDown);

const table::Row<Event_PostRecord_Time> kPostRecord[] = {
    {Event_PostRecord::TIME_NONE, "NONE"},  {Event_PostRecord::TIME_10SEC, "10 s"},
    {Event_PostRecord::TIME_20SEC, "20 s"}, {Event_PostRecord::TIME_30SEC, "30 s"},
    {Event_PostRecord::TIME_40SEC, "40 s"}, {Event_PostRecord::TIME_50SEC, "50 s"},
    {Event_PostRecord::TIME_60SEC, "60 s"},
};
constexpr int kPostRecordCount = table::Count(kPostRecord);

const table::Row<Event_Relay_KeepTime> kKeepTime[] = {
    {Event_Relay::KEEP_NONE, "NONE"},
    {Event_Relay::KEEP_5SEC, "5 s"},
    {Event_Relay::KEEP_10SEC, "10 s"},
    {Event_Relay::KEEP_30SEC, "30 s"},
};
constexpr int kKeepTimeCount = table::Count(kKeepTime);

const table::Row<Event_Email_SendPeriod> kSendPeriod[] = {
    {Event_Email::SEND_PERIOD_NO, "NO"},
    {Event_Email::SEND_PERIOD_30MINS, "30 min"},
    {Event_Email::SEND_PERIOD_1HOUR, "1 hour"},
    {Event_Email::SEND_PERIOD_2HOURS, "2 hours"},
    {Event_Email::SEND_PERIOD_5HOURS, "5 hours"},
    {Event_Email::SEND_PERIOD_12HOURS, "12 hours"},
    {Event_Email::SEND_PERIOD_24HOURS, "24 hours"},
    {Event_Email::SEND_PERIOD_2MINS_AFTER_EVENT, "2 min after event"},
};
constexpr int kSendPeriodCount = table::Count(kSendPeriod);

const table::Row<Event_Sensor_Type> kSensorType[] = {
    {Event_Sensor::TYPE_NO, "NORMAL OPEN"},
    {Event_Sensor::TYPE_NC, "NORMAL CLOSE"},
};
constexpr int kSensorTypeCount = table::Count(kSensorType);

struct MotionGridRow {
    ModelType type;
    bool pal;
    MotionGrid grid;
};

const MotionGridRow kMotionGrids[] = {
    {ModelType_HDSDI, false, {22, 15}},
    {ModelType_HDSDI, true, {22, 18}},
};
constexpr MotionGrid kDefaultMotionGrid = {16, 12};

}  // namespace

const char* PopDownType_Index2String(int index)
{
    return table::Label(kPopDown, kPopDownCount, index);
}

Event_PopDownType PopDownType_Index2Type(int index)
{
    return table::Type(kPopDown, kPopDownCount, index);
}

int PopDownType_Type2Index(Event_PopDownType type)
{
    return table::IndexOf(kPopDown, kPopDownCount, type);
}

int PopDownType_Type2Value(Event_PopDownType type)
{
    return kPopDown[table::IndexOf(kPopDown, kPopDownCount, type)].seconds;
}

const char* PostAlarmRecordTime_Index2String(int index)
{
    return table::Label(kPostRecord, kPostRecordCount, index);
}

Event_PostRecord_Time PostAlarmRecordTime_Index2Type(int index)
{
    return table::Type(kPostRecord, kPostRecordCount, index);
}

int PostAlarmRecordTime_Type2Index(Event_PostRecord_Time time)
{
    return table::IndexOf(kPostRecord, kPostRecordCount, time);
}

const char* RelayKeepTime_Index2String(int index)
{
    return table::Label(kKeepTime, kKeepTimeCount, index);
}

Event_Relay_KeepTime RelayKeepTime_Index2Type(int index)
{
    return table::Type(kKeepTime, kKeepTimeCount, index);
}

int RelayKeepTime_Type2Index(Event_Relay_KeepTime time)
{
    return table::IndexOf(kKeepTime, kKeepTimeCount, time);
}

const char* SendPeriod_Index2String(int index)
{
    return table::Label(kSendPeriod, kSendPeriodCount, index);
}

Event_Email_SendPeriod SendPeriod_Index2Type(int index)
{
    return table::Type(kSendPeriod, kSendPeriodCount, index);
}

int SendPeriod_Type2Index(const Event_Email_SendPeriod& period)
{
    return table::IndexOf(kSendPeriod, kSendPeriodCount, period);
}

const char* SensorType_Index2String(int index)
{
    return table::Label(kSensorType, kSensorTypeCount, index);
}

Event_Sensor_Type SensorType_Index2Type(int index)
{
    return table::Type(kSensorType, kSensorTypeCount, index);
}

int SensorType_Type2Index(Event_Sensor_Type type)
{
    return table::IndexOf(kSensorType, kSensorTypeCount, type);
}

MotionGrid MotionGrid_Of(ModelType type, uint32_t vtype)
{
    for (const MotionGridRow& row : kMotionGrids)
        if (row.type == type && row.pal == (vtype != 0))
            return row.grid;
    return kDefaultMotionGrid;
}

}  // namespace config
