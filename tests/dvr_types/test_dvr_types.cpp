#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "dvr_types/dvr_types.h"
#include "dvr_types/model_info.h"

TEST(DvrModelTable, ValidCodesHaveRowsOfPossibleSizesAndInitReplacesTheRecord)
{
    const std::pair<int, int> rowless[] = {{18, 18},   {21, 25},   {31, 50},   {57, 63},   {66, 66},   {69, 69},
                                           {72, 72},   {79, 84},   {90, 90},   {93, 93},   {97, 99},   {102, 109},
                                           {114, 115}, {117, 119}, {126, 127}, {129, 130}, {136, 300}, {-10, -1}};
    for (int code = -10; code <= 300; ++code) {
        bool valid = true;
        for (const auto& [first, last] : rowless)
            valid = valid && (code < first || code > last);
        ASSERT_EQ(DvrModel::IsValid(code), valid) << code;
        if (!valid)
            continue;
        const DvrModelInfo info{DvrModel(code)};
        EXPECT_TRUE((info.channel_count == 4 || info.channel_count == 8 || info.channel_count == 16)
                    && info.aux_count % 4 == 0 && info.aux_count <= 8) << code;
    }

    // Some rows: code, channels, aux (sensor) inputs, relay port. Init replaces the whole
    // record, the languages included.
    const std::tuple<int, uint64_t, uint64_t, bool> rows[] = {
        {4, 16, 8, true},   {2, 4, 0, false},  {56, 4, 0, true},  {6, 4, 4, true},    {11, 8, 0, false},
        {8, 8, 0, true},    {26, 8, 4, true},  {1, 8, 8, true},   {10, 16, 0, false}, {54, 16, 0, true},
        {28, 16, 4, true},  {135, 4, 4, true}, {65, 8, 8, true},  {116, 4, 4, true},  {133, 16, 0, false},
    };
    DvrModelInfo info{DvrModel(4)};
    for (const auto& [code, channels, aux, relay] : rows) {
        info.languages.push_back("extra");
        info.Init(DvrModel(code));
        EXPECT_EQ(std::make_tuple(info.model.value(), info.channel_count, info.aux_count, info.has_remote_port,
                                  info.languages.size()),
                  std::make_tuple(code, channels, aux, relay, size_t(9)));
    }
}

#ifndef NDEBUG
TEST(DvrModelTableDeathTest, InvalidCodeIsAProgrammingError)
{
    EXPECT_DEATH({ DvrModel m(18); (void)m; }, "IsValid");
}
#endif

// Record reasons rank 2 > 3 > 1 > 0; only bits 0-1 rank, but the winner comes back unmasked.
TEST(EnumChecks, GapsInTheValueSetsAreInvalidAndRecordReasonsRank)
{
    EXPECT_TRUE(KCodecType_IsValid(3) && FrameType_IsValid(3) && RecordReason_IsValid(3));
    EXPECT_FALSE(KCodecType_IsValid(2) || FrameType_IsValid(2) || NetworkStream_IsValid(0) || VideoType_IsValid(2) ||
                 RecordReason_IsValid(4) || RecordReason_IsValid(-1));
    const std::tuple<int, int, int> cases[] = {{1, 3, 3}, {3, 1, 3}, {2, 3, 2}, {3, 2, 2}, {0, 0, 0}, {1, 1, 1},
                                               {0, 1, 1}, {2, 1, 2}, {1, 0, 1}, {1, 0x12, 0x12}, {0x16, 1, 0x16}};
    for (const auto& [current, incoming, kept] : cases)
        EXPECT_EQ(RecordReason_Update(RecordReason(current), RecordReason(incoming)), RecordReason(kept))
            << current << " " << incoming;
}

TEST(PbModeTables, LabelsSpeedsKindsIncreaseAndDirection)
{
    const std::tuple<int, const char*, int> rows[] = {
        {PB_FORWARD_1X, "+1X", 0},  {PB_FORWARD_64X, "+64X", 6},   {PB_FORWARD_256X, "+256X", 8},  {PB_STOP, "STOP", 0},
        {PB_REVERSE_16X, "-16X", 4}, {PB_REVERSE_256X, "-256X", 8}, {PB_SLOW_1_4, "+1/4X", 0},     {9, "", 0},
        {PB_PAUSE_REVERSE, "PAUSE", 0}, {PB_STEP_BACKWARD, "STEP-", 0}, {53, "", 0}, {-1, "", 0}, {1 << 30, "", 0},
    };
    for (const auto& [mode, label, speed] : rows)
        EXPECT_EQ(std::make_pair(std::string(PbMode_Mode2String(PbMode(mode))), PbMode_Mode2Speed(PbMode(mode))),
                  std::make_pair(std::string(label), speed)) << mode;
    // The kind of every mode from 0: Forward, Reverse, Slow, Pause, sTep; "-" valid without a
    // kind (STOP), "." not a mode.
    const std::string kinds = "FFFFFFFFF.......RRRRRRRRR.......-SS.............PPPTT........";
    for (int v = -5; v < 300; ++v) {
        const char kind = v >= 0 && v < int(kinds.size()) ? kinds[size_t(v)] : '.';
        EXPECT_EQ(PbMode_IsValid(v), kind != '.') << v;
        const PbMode m = PbMode(v);
        const bool is[] = {PbMode_IsForwardMode(m), PbMode_IsReverseMode(m), PbMode_IsSlowMode(m),
                           PbMode_IsPauseMode(m), PbMode_IsStepMode(m)};
        for (int k = 0; k < 5; ++k)
            EXPECT_EQ(is[k], kind == "FRSPT"[k]) << v << " " << "FRSPT"[k];
    }
    EXPECT_TRUE(PbMode_IsIncrease(PB_FORWARD_2X, PB_FORWARD_1X) && PbMode_IsIncrease(PB_REVERSE_2X, PbMode(99)));
    EXPECT_FALSE(PbMode_IsIncrease(PB_FORWARD_2X, PB_REVERSE_4X) || PbMode_IsIncrease(PB_PAUSE_FORWARD, PB_FORWARD_1X)
                 || PbMode_IsIncrease(PB_FORWARD_256X, PB_PAUSE_FORWARD));
    // mode, previous mode, direction (1 backward)
    const std::tuple<int, int, int> cases[] = {
        {PB_PAUSE, PB_REVERSE_2X, 1}, {PB_PAUSE, PB_FORWARD_4X, 0}, {PB_PAUSE, PB_PAUSE, 1}, {PB_PAUSE, 70, 0},
        {PB_PAUSE, PB_STEP_BACKWARD, 1}, {PB_PAUSE_FORWARD, PB_REVERSE_1X, 0}, {PB_PAUSE_REVERSE, PB_FORWARD_1X, 1},
        {PB_REVERSE_256X, PB_FORWARD_1X, 1}, {53, PB_FORWARD_1X, 0}, {PB_STOP, PB_REVERSE_1X, 0},
    };
    for (const auto& [mode, previous, direction] : cases)
        EXPECT_EQ(PbMode_Mode2Direction(PbMode(mode), PbMode(previous)), direction) << mode << " " << previous;
}

// Division past 2038 and by degenerate divisors; the pacing delay is how far the stream has
// run ahead of the clock since the last update.
TEST(TimeValues, DivisionAndPacingDelay)
{
    const KTimeVal t(1234, 5678);
    const std::tuple<KTimeVal, double, KTimeVal> quotients[] = {
        {{10, 500000}, 2, {5, 250000}}, {{10, 500000}, 0.25, {42, 0}}, {{-3, 0}, 2, {-1, -500000}},
        {{1, 999}, 1, {1, 0}},  // sub-millisecond microseconds are dropped first
        {{3000000000LL, 0}, 1, {3000000000LL, 0}}, {{3000000000LL, 0}, 2, {1500000000, 0}},  // 2065
        {t, 0.0, t}, {t, std::numeric_limits<double>::quiet_NaN(), t}, {t, std::numeric_limits<double>::infinity(), t},
        {t, 1e-300, t},
    };
    for (const auto& [value, divisor, quotient] : quotients)
        EXPECT_EQ(value / divisor, quotient) << value.sec << " / " << divisor;

    PtsDelay p;
    EXPECT_EQ(p.GetDelay({100, 0}, {5000, 0}), KTimeVal());  // nothing until the first update
    p.Update({100, 0}, {5000, 0});
    const PtsDelay start = p;
    p.Update({101, 0}, {5000, 500000});
    EXPECT_EQ(p.GetDelay({101, 500000}, {5001, 0}), KTimeVal(0, 500000));  // the lead carries over
    // stream time, clock, delay
    const std::tuple<KTimeVal, KTimeVal, KTimeVal> delays[] = {
        {{101, 250000}, {5000, 0}, {1, 250000}}, {{98, 750000}, {5000, 0}, {1, 250000}},  // reverse counts alike
        {{98, 0}, {5000, 0}, {2, 0}}, {{100, 200000}, {5000, 500000}, {-1, 700000}},  // fell behind by 0.3 s
    };
    for (const auto& [pts, clock, delay] : delays)
        EXPECT_EQ(start.GetDelay(pts, clock), delay) << pts.sec;
    // Wild microseconds from a header stay normalised (a negative one fails too).
    EXPECT_LT(uint64_t(start.GetDelay({100, 2000000000}, {5000, -2000000000}).usec), 1000000u);
}
