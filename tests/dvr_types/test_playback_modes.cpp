#include <gtest/gtest.h>

#include "dvr_types/dvr_types.h"

TEST(EnumChecks, GapsInTheValueSetsAreInvalid)
{
    EXPECT_TRUE(KCodecType_IsValid(3));
    EXPECT_FALSE(KCodecType_IsValid(2));
    EXPECT_FALSE(FrameType_IsValid(2));
    EXPECT_TRUE(FrameType_IsValid(3));
    EXPECT_FALSE(NetworkStream_IsValid(0));
    EXPECT_STREQ(NetworkStream_Index2String(0), "JPEG");
    EXPECT_STREQ(NetworkStream_Index2String(1), "H264");
    EXPECT_STREQ(NetworkStream_Index2String(2), "");
    EXPECT_FALSE(VideoType_IsValid(2));
    EXPECT_FALSE(RecordReason_IsValid(4));
    EXPECT_FALSE(RecordReason_IsValid(-1));
}

TEST(EnumChecks, PbModeAcceptsExactlyTheTwentySixModes)
{
    int count = 0;
    for (int v = -5; v < 300; ++v)
        count += PbMode_IsValid(v) ? 1 : 0;
    EXPECT_EQ(count, 26);
    EXPECT_FALSE(PbMode_IsValid(9));
    EXPECT_FALSE(PbMode_IsValid(35));
    EXPECT_TRUE(PbMode_IsValid(52));
}

TEST(RecordReasonUpdate, RanksTwoThenThreeThenOne)
{
    auto upd = [](int cur, int in) {
        return static_cast<int>(RecordReason_Update(RecordReason(cur), RecordReason(in)));
    };
    EXPECT_EQ(upd(1, 3), 3);
    EXPECT_EQ(upd(3, 1), 3);
    EXPECT_EQ(upd(2, 3), 2);
    EXPECT_EQ(upd(3, 2), 2);
    EXPECT_EQ(upd(0, 0), 0);
    EXPECT_EQ(upd(1, 1), 1);
    EXPECT_EQ(upd(0, 1), 1);
    EXPECT_EQ(upd(2, 1), 2);
    EXPECT_EQ(upd(1, 0), 1);
    // Only bits 0-1 rank, but the argument comes back unmasked.
    EXPECT_EQ(upd(1, 0x12), 0x12);
    EXPECT_EQ(upd(0x16, 1), 0x16);
}

TEST(PbModeTables, LabelsAndSpeeds)
{
    EXPECT_STREQ(PbMode_Mode2String(PB_FORWARD_1X), "+1X");
    EXPECT_STREQ(PbMode_Mode2String(PB_FORWARD_256X), "+256X");
    EXPECT_STREQ(PbMode_Mode2String(PB_REVERSE_16X), "-16X");
    EXPECT_STREQ(PbMode_Mode2String(PB_STOP), "STOP");
    EXPECT_STREQ(PbMode_Mode2String(PB_SLOW_1_4), "+1/4X");
    EXPECT_STREQ(PbMode_Mode2String(PB_PAUSE_REVERSE), "PAUSE");
    EXPECT_STREQ(PbMode_Mode2String(PB_STEP_BACKWARD), "STEP-");
    EXPECT_STREQ(PbMode_Mode2String(PbMode(9)), "");
    EXPECT_STREQ(PbMode_Mode2String(PbMode(53)), "");
    EXPECT_STREQ(PbMode_Mode2String(PbMode(-1)), "");
    EXPECT_STREQ(PbMode_Mode2String(PbMode(1 << 30)), "");
    EXPECT_EQ(PbMode_Mode2Speed(PB_SLOW_1_4), 0);
    EXPECT_EQ(PbMode_Mode2Speed(PB_FORWARD_64X), 6);
    EXPECT_EQ(PbMode_Mode2Speed(PB_REVERSE_256X), 8);
    EXPECT_EQ(PbMode_Mode2Speed(PbMode(100)), 0);
}

TEST(PbModeTables, KindPredicates)
{
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

    EXPECT_EQ(PbMode_Mode2Direction(PB_PAUSE, PB_REVERSE_2X), 1);
    EXPECT_EQ(PbMode_Mode2Direction(PB_PAUSE, PB_FORWARD_4X), 0);
    EXPECT_EQ(PbMode_Mode2Direction(PB_PAUSE, PB_PAUSE), 1);
    EXPECT_EQ(PbMode_Mode2Direction(PB_PAUSE, PB_STEP_BACKWARD), 1);
    EXPECT_EQ(PbMode_Mode2Direction(PB_PAUSE, PbMode(70)), 0);
    EXPECT_EQ(PbMode_Mode2Direction(PB_PAUSE_FORWARD, PB_REVERSE_1X), 0);
    EXPECT_EQ(PbMode_Mode2Direction(PB_PAUSE_REVERSE, PB_FORWARD_1X), 1);
    EXPECT_EQ(PbMode_Mode2Direction(PB_REVERSE_256X, PB_FORWARD_1X), 1);
    EXPECT_EQ(PbMode_Mode2Direction(PbMode(53), PB_FORWARD_1X), 0);
    EXPECT_EQ(PbMode_Mode2Direction(PB_STOP, PB_REVERSE_1X), 0);
}
