#include <gtest/gtest.h>

#include <tuple>

#include "dvr_types/dvr_types.h"

TEST(EnumChecks, GapsInTheValueSetsAreInvalid)
{
    EXPECT_TRUE(KCodecType_IsValid(3) && FrameType_IsValid(3) && RecordReason_IsValid(3));
    EXPECT_FALSE(KCodecType_IsValid(2) || FrameType_IsValid(2) || NetworkStream_IsValid(0) || VideoType_IsValid(2) ||
                 RecordReason_IsValid(4) || RecordReason_IsValid(-1));
    EXPECT_STREQ(NetworkStream_Index2String(0), "JPEG");
    EXPECT_STREQ(NetworkStream_Index2String(1), "H264");
    EXPECT_STREQ(NetworkStream_Index2String(2), "");
    int count = 0;
    for (int v = -5; v < 300; ++v)
        count += PbMode_IsValid(v) ? 1 : 0;
    EXPECT_EQ(count, 26);
    EXPECT_FALSE(PbMode_IsValid(9) || PbMode_IsValid(35));
    EXPECT_TRUE(PbMode_IsValid(52));
}

// Ranks 2 > 3 > 1 > 0; only bits 0-1 rank, but the winner comes back unmasked.
TEST(RecordReasonUpdate, RanksTwoThenThreeThenOne)
{
    const std::tuple<int, int, int> cases[] = {{1, 3, 3}, {3, 1, 3}, {2, 3, 2}, {3, 2, 2},       {0, 0, 0},
                                               {1, 1, 1}, {0, 1, 1}, {2, 1, 2}, {1, 0, 1},       {1, 0x12, 0x12},
                                               {0x16, 1, 0x16}};
    for (const auto& [current, incoming, kept] : cases)
        EXPECT_EQ(RecordReason_Update(RecordReason(current), RecordReason(incoming)), RecordReason(kept))
            << current << " " << incoming;
}

TEST(PbModeTables, LabelsSpeedsAndKinds)
{
    const std::pair<int, const char*> labels[] = {
        {PB_FORWARD_1X, "+1X"},     {PB_FORWARD_256X, "+256X"},   {PB_REVERSE_16X, "-16X"}, {PB_STOP, "STOP"},
        {PB_SLOW_1_4, "+1/4X"},     {PB_PAUSE_REVERSE, "PAUSE"},  {PB_STEP_BACKWARD, "STEP-"}, {9, ""},
        {53, ""},                   {-1, ""},                     {1 << 30, ""},
    };
    for (const auto& [mode, label] : labels)
        EXPECT_STREQ(PbMode_Mode2String(PbMode(mode)), label) << mode;
    const std::pair<int, int> speeds[] = {{PB_SLOW_1_4, 0}, {PB_FORWARD_64X, 6}, {PB_REVERSE_256X, 8}, {100, 0}};
    for (const auto& [mode, speed] : speeds)
        EXPECT_EQ(PbMode_Mode2Speed(PbMode(mode)), speed) << mode;
    for (int v = 0; v <= 60; ++v) {
        const PbMode m = PbMode(v);
        EXPECT_EQ(PbMode_IsPauseMode(m), v >= 48 && v <= 50) << v;
        EXPECT_EQ(PbMode_IsSlowMode(m), v == 33 || v == 34) << v;
        EXPECT_EQ(PbMode_IsStepMode(m), v == 51 || v == 52) << v;
        EXPECT_EQ(PbMode_IsForwardMode(m), v <= 8) << v;
        EXPECT_EQ(PbMode_IsReverseMode(m), v >= 16 && v <= 24) << v;
    }
}

TEST(PbModeTables, IncreaseAndDirection)
{
    EXPECT_TRUE(PbMode_IsIncrease(PB_FORWARD_2X, PB_FORWARD_1X));
    EXPECT_FALSE(PbMode_IsIncrease(PB_FORWARD_2X, PB_REVERSE_4X));
    EXPECT_FALSE(PbMode_IsIncrease(PB_PAUSE_FORWARD, PB_FORWARD_1X));
    EXPECT_FALSE(PbMode_IsIncrease(PB_FORWARD_256X, PB_PAUSE_FORWARD));
    EXPECT_TRUE(PbMode_IsIncrease(PB_REVERSE_2X, PbMode(99)));
    // mode, previous mode, direction (1 backward)
    const std::tuple<int, int, int> cases[] = {
        {PB_PAUSE, PB_REVERSE_2X, 1},        {PB_PAUSE, PB_FORWARD_4X, 0},         {PB_PAUSE, PB_PAUSE, 1},
        {PB_PAUSE, PB_STEP_BACKWARD, 1},     {PB_PAUSE, 70, 0},                    {PB_PAUSE_FORWARD, PB_REVERSE_1X, 0},
        {PB_PAUSE_REVERSE, PB_FORWARD_1X, 1}, {PB_REVERSE_256X, PB_FORWARD_1X, 1}, {53, PB_FORWARD_1X, 0},
        {PB_STOP, PB_REVERSE_1X, 0},
    };
    for (const auto& [mode, previous, direction] : cases)
        EXPECT_EQ(PbMode_Mode2Direction(PbMode(mode), PbMode(previous)), direction) << mode << " " << previous;
}
