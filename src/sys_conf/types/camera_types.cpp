#include "sys_conf/types/camera_types.h"

#include "sys_conf/types/value_table.h"

namespace config {
namespace {

const table::Row<Camera_Ptz_BaudRate> kBaudRate[] = {
    {Camera_Ptz::BAUDRATE_1200, "1200"},   {Camera_Ptz::BAUDRATE_2400, "2400"},
    {Camera_Ptz::BAUDRATE_4800, "4800"},   {Camera_Ptz::BAUDRATE_9600, "9600"},
    {Camera_Ptz::BAUDRATE_19200, "19200"}, {Camera_Ptz::BAUDRATE_38400, "38400"},
    {Camera_Ptz::BAUDRATE_57600, "57600"}, {Camera_Ptz::BAUDRATE_115200, "115200"},
};
constexpr int kBaudRateCount = table::Count(kBaudRate);

const table::Row<Camera_Ptz_Model> kPtzDev[] = {
    {Camera_Ptz::MODEL_NONE, "----"},
    {Camera_Ptz::MODEL_PELCO_D, "PELCO_D"},
};
constexpr int kPtzDevCount = table::Count(kPtzDev);

const table::Row<Camera_Sharpness> kSharpness[] = {
    {Camera::SHARPNESS_SOFT, "SOFT"},
    {Camera::SHARPNESS_NORMAL, "NORMAL"},
    {Camera::SHARPNESS_HARD, "HARD"},
};
constexpr int kSharpnessCount = table::Count(kSharpness);

const table::Row<Camera_SeqTime> kSeqTime[] = {
    {Camera::SEQ_1SECS, "1 sec"},    {Camera::SEQ_2SECS, "2 secs"},   {Camera::SEQ_4SECS, "4 secs"},
    {Camera::SEQ_5SECS, "5 secs"},   {Camera::SEQ_8SECS, "8 secs"},   {Camera::SEQ_10SECS, "10 secs"},
    {Camera::SEQ_15SECS, "15 secs"}, {Camera::SEQ_30SECS, "30 secs"},
};
constexpr int kSeqTimeCount = table::Count(kSeqTime);

using SpotRow = table::Row<Camera_Spot_Mode>;

const SpotRow kSpotHdSdi[] = {
    {Camera_Spot::MODE_SINGLE, "Single"},
    {Camera_Spot::MODE_SEQUENCE, "Sequence"},
    {Camera_Spot::MODE_OFF, "Off"},
};
const SpotRow kSpot4[] = {
    {Camera_Spot::MODE_SINGLE, "Single"},
    {Camera_Spot::MODE_QUAD, "Quad"},
    {Camera_Spot::MODE_SEQUENCE, "Sequence"},
    {Camera_Spot::MODE_OFF, "Off"},
};
const SpotRow kSpot8[] = {
    {Camera_Spot::MODE_SINGLE, "Single"},     {Camera_Spot::MODE_QUAD, "Quad"},
    {Camera_Spot::MODE_NONA, "9 Split"},      {Camera_Spot::MODE_SEQUENCE, "Sequence"},
    {Camera_Spot::MODE_OFF, "Off"},
};
const SpotRow kSpot16[] = {
    {Camera_Spot::MODE_SINGLE, "Single"},     {Camera_Spot::MODE_QUAD, "Quad"},
    {Camera_Spot::MODE_NONA, "9 Split"},      {Camera_Spot::MODE_16SPLIT, "16 Split"},
    {Camera_Spot::MODE_SEQUENCE, "Sequence"}, {Camera_Spot::MODE_OFF, "Off"},
};

struct SpotTable {
    const SpotRow* rows;
    int count;
};

SpotTable SpotTableFor(bool isHdSdi, int chNum)
{
    if (isHdSdi)
        return {kSpotHdSdi, table::Count(kSpotHdSdi)};
    if (chNum == 16)
        return {kSpot16, table::Count(kSpot16)};
    if (chNum == 8)
        return {kSpot8, table::Count(kSpot8)};
    return {kSpot4, table::Count(kSpot4)};
}

}  // namespace

const char* BaudRate_Index2String(int index)
{
    return table::Label(kBaudRate, kBaudRateCount, index);
}

Camera_Ptz_BaudRate BaudRate_Index2Type(int index)
{
    return table::Type(kBaudRate, kBaudRateCount, index);
}

const char* PtzDev_Index2String(int index)
{
    return table::Label(kPtzDev, kPtzDevCount, index);
}

Camera_Ptz_Model PtzDev_Index2Type(int index)
{
    return table::Type(kPtzDev, kPtzDevCount, index);
}

const char* Sharpness_Index2String(int index)
{
    return table::Label(kSharpness, kSharpnessCount, index);
}

Camera_Sharpness Sharpness_Index2Type(int index)
{
    return table::Type(kSharpness, kSharpnessCount, index);
}

int Sharpness_Type2Index(const Camera_Sharpness& value)
{
    return table::IndexOf(kSharpness, kSharpnessCount, value);
}

int SeqTime_Count() { return kSeqTimeCount; }

const char* SeqTime_Index2String(int index)
{
    return table::Label(kSeqTime, kSeqTimeCount, index);
}

int SpotMode_Count(bool isHdSdi, int chNum)
{
    return SpotTableFor(isHdSdi, chNum).count;
}

const char* SpotMode_Index2String(bool isHdSdi, int chNum, int index)
{
    const SpotTable t = SpotTableFor(isHdSdi, chNum);
    return table::Label(t.rows, t.count, index);
}

Camera_Spot_Mode SpotMode_Index2Type(bool isHdSdi, int chNum, int index)
{
    const SpotTable t = SpotTableFor(isHdSdi, chNum);
    return table::Type(t.rows, t.count, index);
}

int SpotMode_Type2Index(bool isHdSdi, int chNum, const Camera_Spot_Mode& mode)
{
    const SpotTable t = SpotTableFor(isHdSdi, chNum);
    return table::IndexOf(t.rows, t.count, mode);
}

bool SpotMode_IsOffered(bool isHdSdi, int chNum, const Camera_Spot_Mode& mode)
{
    const SpotTable t = SpotTableFor(isHdSdi, chNum);
    for (int i = 0; i < t.count; ++i)
        if (t.rows[i].type == mode)
            return true;
    return false;
}

}  // namespace config
