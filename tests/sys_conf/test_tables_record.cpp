#include <gtest/gtest.h>

#include "sys_conf/types/record_types.h"
#include "table_check.h"

namespace {

const Strings kLongWithSensors = {"MANUAL",     "CONTINUOUS", "MOTION",     "SENSOR",     "MOTION+SENSOR",
                                  "CONTINUOUS+EVENT", "SCHEDULE 1", "SCHEDULE 2", "SCHEDULE 3", "SCHEDULE 4"};
const Strings kLongNoSensor = {"MANUAL",     "CONTINUOUS", "MOTION",     "CONTINUOUS+EVENT",
                               "SCHEDULE 1", "SCHEDULE 2", "SCHEDULE 3", "SCHEDULE 4"};

std::vector<int> Modes(uint64_t sensors)
{
    std::vector<int> modes;
    for (int i = 0; i < config::RecordMode_Count(sensors); ++i)
        modes.push_back(config::RecordMode_Index2Type(sensors, i));
    return modes;
}

}  // namespace

TEST(RecordModeTables, TheTwoTablesAsTheCombosShowThem)
{
    ASSERT_EQ(config::RecordMode_Count(4), 10);
    ASSERT_EQ(config::RecordMode_Count(8), 10);
    ASSERT_EQ(config::RecordMode_Count(0), 8);

    for (uint64_t sensors : {uint64_t(4), uint64_t(8)}) {
        EXPECT_EQ(Labels([&](int i) { return config::RecordMode_Index2String(sensors, i, false); }),
                  kLongWithSensors);
        EXPECT_EQ(Modes(sensors), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    }
    // Without sensors the rows after MOTION move up: row 3 is CONTINUOUS+EVENT (5).
    EXPECT_EQ(Labels([](int i) { return config::RecordMode_Index2String(0, i, false); }), kLongNoSensor);
    EXPECT_EQ(Modes(0), (std::vector<int>{0, 1, 2, 5, 6, 7, 8, 9}));
    EXPECT_EQ(config::RecordMode_Type2Index(0, config::RECORD_MODE_CONTINUOUS_EVENT), 3);
    EXPECT_EQ(config::RecordMode_Type2Index(0, config::RECORD_MODE_SCHEDULE4), 7);
    EXPECT_EQ(config::RecordMode_Type2Index(4, config::RECORD_MODE_SCHEDULE4), 9);

    for (uint64_t sensors : {uint64_t(0), uint64_t(4)})
        for (int i = 0; i < config::RecordMode_Count(sensors); ++i)
            EXPECT_EQ(config::RecordMode_Type2Index(sensors, config::RecordMode_Index2Type(sensors, i)), i);
}

TEST(RecordModeTables, ShortLabelsReplaceOnlyTheLongCombinations)
{
    Strings withSensors;
    for (int i = 0; i < 10; ++i)
        withSensors.emplace_back(config::RecordMode_Index2String(8, i, true));
    EXPECT_EQ(withSensors, (Strings{"MANUAL", "CONTINUOUS", "MOTION", "SENSOR", "MOT+SEN", "CONT+EVENT",
                                    "SCHEDULE 1", "SCHEDULE 2", "SCHEDULE 3", "SCHEDULE 4"}));
    EXPECT_STREQ(config::RecordMode_Index2String(0, 3, true), "CONT+EVENT");
    EXPECT_STREQ(config::RecordMode_Index2String(0, 4, true), "SCHEDULE 1");
}

TEST(RecordModeTables, SupportFollowsTheSensorCount)
{
    for (int mode = 0; mode < 10; ++mode) {
        const auto m = static_cast<config::RecordMode>(mode);
        EXPECT_TRUE(config::RecordMode_IsSupported(4, m)) << mode;
        EXPECT_EQ(config::RecordMode_IsSupported(0, m), mode != 3 && mode != 4) << mode;
    }
    for (auto bad : BadValues<config::RecordMode>()) {
        EXPECT_FALSE(config::RecordMode_IsSupported(8, bad));
        EXPECT_EQ(config::RecordMode_Type2Index(8, bad), 0);
    }
    // Callers check support first; a mode the table lacks still lands on MANUAL.
    EXPECT_EQ(config::RecordMode_Type2Index(0, config::RECORD_MODE_SENSOR), 0);
    EXPECT_EQ(config::RecordMode_Type2Index(0, config::RECORD_MODE_MOTION_SENSOR), 0);
}

TEST(RecordModeTables, OutOfRangeRowsGiveManualAndNoLabel)
{
    for (uint64_t sensors : {uint64_t(0), uint64_t(8)}) {
        for (int bad : BadIndexes()) {
            EXPECT_STREQ(config::RecordMode_Index2String(sensors, bad, false), "");
            EXPECT_STREQ(config::RecordMode_Index2String(sensors, bad, true), "");
            EXPECT_EQ(config::RecordMode_Index2Type(sensors, bad), config::RECORD_MODE_MANUAL);
        }
    }
    EXPECT_STREQ(config::RecordMode_Index2String(0, 8, false), "");
    EXPECT_EQ(config::RecordMode_Index2Type(0, 8), config::RECORD_MODE_MANUAL);
}

TEST(RecordModeTables, RowsNameTheScheduleTheyFollow)
{
    for (const config::RecordModeRow& row : config::g_kRecordMode)
        EXPECT_EQ(row.schedule, row.mode >= 6 ? row.mode - 6 : -1) << row.label;
    for (const config::RecordModeRow& row : config::g_kRecordMode_NoSensor)
        EXPECT_EQ(row.schedule, row.mode >= 6 ? row.mode - 6 : -1) << row.label;
    EXPECT_EQ(config::g_kRecordMode_NoSensor[3].mode, config::RECORD_MODE_CONTINUOUS_EVENT);
    EXPECT_STREQ(config::g_kRecordMode_NoSensor[3].shortLabel, "CONT+EVENT");
    EXPECT_EQ(config::g_kRecordMode[3].shortLabel, nullptr);
}
