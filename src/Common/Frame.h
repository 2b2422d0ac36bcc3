#pragma once

// The header in front of every video or audio frame. Current-protocol DVRs send a 36-byte
// little-endian header (CFrame); old-protocol DVRs an 80-byte big-endian one starting with
// "UM" (CUFrame). Which one applies follows from the DVR's protocol, never from the bytes.
// Recording files store the same headers, so these layouts are also file formats.
//
// A header comes from the network: before the coded data is touched, a consumer checks
// FitsIn(payload size) and drops the frame when it fails, and drops channels 16 and above.

#include <cstddef>
#include <cstdint>

#include "dvr_types/dvr_types.h"

struct FrameSize {
    int width = 0;
    int height = 0;
};

class CFrame {
public:
    static constexpr int HEADER_SIZE = 36;
    static constexpr int AUDIO_HEADER_SIZE = 40;

    CFrame();

    // Copies the header; a buffer shorter than the header leaves the object as it was.
    void SetData(const unsigned char* data, int size);

    bool IsValid() const;
    FrameType GetType() const;
    int GetChannel() const;
    RecordReason GetRecReason() const;
    unsigned int GetSize() const;
    unsigned int GetRawDataSize() const;
    uint64_t GetDataOffset() const;
    FrameSize GetResolution() const;
    // Seconds are read unsigned, so times past 2038 stay in the future.
    KTimeVal GetTime() const;
    // Milliseconds within a 1000-second window.
    int64_t GetPTS() const;

    // True when the coded data [GetDataOffset(), + GetRawDataSize()) lies inside a frame
    // payload of payloadSize bytes (header included).
    bool FitsIn(size_t payloadSize) const;

private:
    unsigned char m_header[HEADER_SIZE];
};

class CUFrame {
public:
    static constexpr int HEADER_SIZE = 80;

    CUFrame();

    // Copies the header; a buffer shorter than the header leaves the object as it was.
    void SetData(const unsigned char* data, int size);

    bool IsValid() const;
    bool IsValidModel() const;
    // Old-protocol model codes run from 6 to 21.
    static bool IsValidModel(int model);

    int GetModel() const;
    int GetChannel() const;
    FrameType GetType() const;
    RecordReason GetRecReason() const;
    PbMode GetPbMode() const;
    // Bit 3 motion, bit 4 sensor, bit 5 recording.
    unsigned char GetInfo() const;
    unsigned short GetVideoLoss() const;
    unsigned int GetSize() const;
    unsigned int GetRawDataSize() const;
    // The coded data sits at the end of the frame; a frame size larger than the frame
    // gives an offset that wraps and therefore never fits.
    uint64_t GetDataOffset() const;
    FrameSize GetResolution() const;
    KTimeVal GetTime() const;
    int64_t GetPTS() const;

    // True when the coded data [GetDataOffset(), + GetRawDataSize()) lies inside a frame
    // payload of payloadSize bytes, after the header.
    bool FitsIn(size_t payloadSize) const;

private:
    uint32_t U32(int offset) const;

    unsigned char m_header[HEADER_SIZE];
};
