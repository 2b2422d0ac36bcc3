#include "dvr_types.h"

#include <sys/time.h>

#include <cmath>

bool VideoType_IsValid(int value) { return value == 0 || value == 1; }

bool KCodecType_IsValid(int value) { return value == 0 || value == 1 || value == 3; }

bool NetworkStream_IsValid(int value) { return value == NETWORK_STREAM_H264; }

const char* NetworkStream_Index2String(int value)
{
    switch (value) {
    case NETWORK_STREAM_JPEG: return "JPEG";
    case NETWORK_STREAM_H264: return "H264";
    default: return "";
    }
}

bool FrameType_IsValid(int value) { return value == 0 || value == 1 || value == 3; }

bool RecordReason_IsValid(int value) { return value >= 0 && value < 4; }

RecordReason RecordReason_Update(RecordReason current, RecordReason incoming)
{
    const int cur = current & 3;
    const int in = incoming & 3;
    if (cur == 0 || in == 2 || (in == 3 && cur != 2) || (in == 1 && cur == 1))
        return incoming;
    return current;
}

namespace {

constexpr int kPbModeTableSize = 53;

struct PbModeRow {
    const char* label;
    int speed;
};

const PbModeRow* PbModeLookup(PbMode mode)
{
    static const PbModeRow table[kPbModeTableSize] = {
        {"+1X", 0}, {"+2X", 1}, {"+4X", 2}, {"+8X", 3}, {"+16X", 4}, {"+32X", 5},
        {"+64X", 6}, {"+128X", 7}, {"+256X", 8},
        {"", 0}, {"", 0}, {"", 0}, {"", 0}, {"", 0}, {"", 0}, {"", 0},  // 9-15
        {"-1X", 0}, {"-2X", 1}, {"-4X", 2}, {"-8X", 3}, {"-16X", 4}, {"-32X", 5},
        {"-64X", 6}, {"-128X", 7}, {"-256X", 8},
        {"", 0}, {"", 0}, {"", 0}, {"", 0}, {"", 0}, {"", 0}, {"", 0},  // 25-31
        {"STOP", 0}, {"+1/4X", 0}, {"+1/2X", 0},
        {"", 0}, {"", 0}, {"", 0}, {"", 0}, {"", 0}, {"", 0}, {"", 0},  // 35-41
        {"", 0}, {"", 0}, {"", 0}, {"", 0}, {"", 0}, {"", 0},           // 42-47
        {"PAUSE", 0}, {"PAUSE", 0}, {"PAUSE", 0}, {"STEP+", 0}, {"STEP-", 0},
    };
    static const PbModeRow none = {"", 0};
    const int v = static_cast<int>(mode);
    if (v < 0 || v >= kPbModeTableSize)
        return &none;
    return &table[v];
}

}  // namespace

bool PbMode_IsValid(int value)
{
    return (value >= 0 && value <= 8) || (value >= 16 && value <= 24) || (value >= 32 && value <= 34)
        || (value >= 48 && value <= 52);
}

const char* PbMode_Mode2String(PbMode mode) { return PbModeLookup(mode)->label; }

int PbMode_Mode2Speed(PbMode mode) { return PbModeLookup(mode)->speed; }

bool PbMode_IsPauseMode(PbMode mode) { return mode >= PB_PAUSE && mode <= PB_PAUSE_REVERSE; }

bool PbMode_IsSlowMode(PbMode mode) { return mode == PB_SLOW_1_4 || mode == PB_SLOW_1_2; }

bool PbMode_IsStepMode(PbMode mode) { return mode == PB_STEP_FORWARD || mode == PB_STEP_BACKWARD; }

bool PbMode_IsForwardMode(PbMode mode) { return mode >= PB_FORWARD_1X && mode <= PB_FORWARD_256X; }

bool PbMode_IsReverseMode(PbMode mode) { return mode >= PB_REVERSE_1X && mode <= PB_REVERSE_256X; }

bool PbMode_IsIncrease(PbMode mode, PbMode other)
{
    if (PbMode_IsPauseMode(mode) || PbMode_IsPauseMode(other))
        return false;
    return PbMode_Mode2Speed(mode) > PbMode_Mode2Speed(other);
}

namespace {

int DirectionWithoutPause(PbMode mode)
{
    if (mode < 0 || mode > PB_STEP_BACKWARD)
        return 0;
    if (PbMode_IsReverseMode(mode) || mode == PB_PAUSE_REVERSE || mode == PB_STEP_BACKWARD)
        return 1;
    return 0;
}

}  // namespace

int PbMode_Mode2Direction(PbMode mode, PbMode previous)
{
    if (mode == PB_PAUSE) {
        // A plain pause keeps going the way the stream went before it.
        if (previous == PB_PAUSE)
            return 1;
        return DirectionWithoutPause(previous);
    }
    return DirectionWithoutPause(mode);
}

namespace {

constexpr int64_t kUsecPerSec = 1000000;

KTimeVal Normalised(int64_t sec, int64_t usec)
{
    // Frame headers come from the network, so a microsecond field may be far out of range.
    sec += usec / kUsecPerSec;
    usec %= kUsecPerSec;
    if (usec < 0) {
        usec += kUsecPerSec;
        sec -= 1;
    }
    return KTimeVal(sec, static_cast<int32_t>(usec));
}

KTimeVal Sub(const KTimeVal& a, const KTimeVal& b)
{
    return Normalised(a.sec - b.sec, int64_t(a.usec) - b.usec);
}

KTimeVal Add(const KTimeVal& a, const KTimeVal& b)
{
    return Normalised(a.sec + b.sec, int64_t(a.usec) + b.usec);
}

KTimeVal Magnitude(const KTimeVal& t)
{
    if (t.sec >= 0)
        return t;
    if (t.usec > 0)
        return KTimeVal(-t.sec - 1, static_cast<int32_t>(kUsecPerSec - t.usec));
    return KTimeVal(-t.sec, 0);
}

}  // namespace

KTimeVal KTimeVal::GetSystemTv()
{
    struct timeval tv;
    gettimeofday(&tv, nullptr);
    return KTimeVal(static_cast<int64_t>(tv.tv_sec), static_cast<int32_t>(tv.tv_usec));
}

KTimeVal KTimeVal::operator/(double divisor) const
{
    if (divisor == 0.0 || !std::isfinite(divisor))
        return *this;
    const int64_t ms = sec * 1000 + usec / 1000;
    const double q = static_cast<double>(ms) / divisor;
    // Beyond this the result no longer fits the seconds field.
    if (!(std::fabs(q) < 9.0e18))
        return *this;
    const int64_t qi = static_cast<int64_t>(q);
    const int64_t s = qi / 1000;
    return KTimeVal(s, static_cast<int32_t>((qi - s * 1000) * 1000));
}

KTimeVal PtsDelay::GetDelay(const KTimeVal& pts, const KTimeVal& now) const
{
    if (last_pts.IsZero() || last_time.IsZero())
        return KTimeVal();
    // Reverse playback has falling frame times; it paces the same as forward.
    const KTimeVal d = Magnitude(Sub(pts, last_pts));
    const KTimeVal e = Sub(now, last_time);
    const KTimeVal f = Sub(d, e);
    return Add(delay, f);
}

void PtsDelay::Update(const KTimeVal& pts, const KTimeVal& now)
{
    if (last_pts.IsZero() || last_time.IsZero())
        delay = KTimeVal();
    else
        delay = GetDelay(pts, now);
    last_pts = pts;
    last_time = now;
}
