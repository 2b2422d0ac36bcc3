#pragma once

// Small value types shared by the protocol, display and recording code.

#include <cstdint>

// Every enumeration has a fixed underlying type: values read from a DVR are cast in
// before they are checked, and that must never be undefined.

enum VideoType : int { VIDEO_TYPE_NTSC = 0, VIDEO_TYPE_PAL = 1 };
bool VideoType_IsValid(int value);

enum KCodecType : int { KCODEC_MAIN = 0, KCODEC_SUB = 1, KCODEC_AUTO = 3 };
bool KCodecType_IsValid(int value);

enum NetworkStream : int { NETWORK_STREAM_JPEG = 0, NETWORK_STREAM_H264 = 1 };
bool NetworkStream_IsValid(int value);
const char* NetworkStream_Index2String(int value);

enum FrameType : int { FRAME_KEY = 0, FRAME_DELTA = 1, FRAME_AUDIO = 3 };
bool FrameType_IsValid(int value);

enum RecordReason : int {
    RECORD_REASON_NONE = 0,
    RECORD_REASON_1 = 1,
    RECORD_REASON_2 = 2,
    RECORD_REASON_3 = 3,
};
bool RecordReason_IsValid(int value);
// The reason a merged span keeps: ranks 2 > 3 > 1 > 0, the incoming one wins a tie.
RecordReason RecordReason_Update(RecordReason current, RecordReason incoming);

enum PbMode : int {
    PB_FORWARD_1X = 0,
    PB_FORWARD_2X = 1,
    PB_FORWARD_4X = 2,
    PB_FORWARD_8X = 3,
    PB_FORWARD_16X = 4,
    PB_FORWARD_32X = 5,
    PB_FORWARD_64X = 6,
    PB_FORWARD_128X = 7,
    PB_FORWARD_256X = 8,
    PB_REVERSE_1X = 16,
    PB_REVERSE_2X = 17,
    PB_REVERSE_4X = 18,
    PB_REVERSE_8X = 19,
    PB_REVERSE_16X = 20,
    PB_REVERSE_32X = 21,
    PB_REVERSE_64X = 22,
    PB_REVERSE_128X = 23,
    PB_REVERSE_256X = 24,
    PB_STOP = 32,
    PB_SLOW_1_4 = 33,
    PB_SLOW_1_2 = 34,
    PB_PAUSE = 48,
    PB_PAUSE_FORWARD = 49,
    PB_PAUSE_REVERSE = 50,
    PB_STEP_FORWARD = 51,
    PB_STEP_BACKWARD = 52,
};
bool PbMode_IsValid(int value);
const char* PbMode_Mode2String(PbMode mode);
// Speed step n means 2^n times normal speed.
int PbMode_Mode2Speed(PbMode mode);
bool PbMode_IsPauseMode(PbMode mode);
bool PbMode_IsSlowMode(PbMode mode);
bool PbMode_IsStepMode(PbMode mode);
bool PbMode_IsForwardMode(PbMode mode);
bool PbMode_IsReverseMode(PbMode mode);
bool PbMode_IsIncrease(PbMode mode, PbMode other);
// 1 backward, 0 forward.
int PbMode_Mode2Direction(PbMode mode, PbMode previous);

// Seconds since 1970 and microseconds. Seconds are 64-bit so that times past 2038 neither
// wrap nor overflow in the arithmetic below.
struct KTimeVal {
    int64_t sec = 0;
    int32_t usec = 0;

    KTimeVal() = default;
    KTimeVal(int64_t s, int32_t us) : sec(s), usec(us) {}

    static KTimeVal GetSystemTv();

    // Scales the time by 1/divisor at millisecond resolution; a zero, non-finite or
    // overflowing divisor leaves the value unchanged.
    KTimeVal operator/(double divisor) const;

    bool IsZero() const { return sec == 0 && usec == 0; }
    bool operator==(const KTimeVal& o) const { return sec == o.sec && usec == o.usec; }
    bool operator!=(const KTimeVal& o) const { return !(*this == o); }
};

// Paces local playback: how far the stream runs ahead of the wall clock.
struct PtsDelay {
    KTimeVal delay;
    KTimeVal last_pts;
    KTimeVal last_time;

    KTimeVal GetDelay(const KTimeVal& pts, const KTimeVal& now) const;
    void Update(const KTimeVal& pts, const KTimeVal& now);
};
