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

// The coding of a stream, told by its frame headers; the values are those of
// DVR.protocol_type for a DVR whose kind is known.
enum ProtocolType : int32_t {
    PROTOCOL_CFRAME_H264 = 1,    // CFrame header, H.264 with its own parameter sets
    PROTOCOL_CUFRAME_H264 = 2,   // CUFrame header, key frames without parameter sets
    PROTOCOL_CUFRAME_MPEG4 = 3,  // CUFrame header, MPEG-4 part 2 without VOL header
};

struct FrameSize {
    int width = 0;
    int height = 0;
};

// Storage, copying and the bounds check both headers share; Header supplies
// GetDataOffset() and GetRawDataSize().
template <class Header, int Size>
class CFrameHeader {
public:
    static constexpr int HEADER_SIZE = Size;

    // Copies the header; a buffer shorter than the header leaves the object as it was.
    void SetData(const unsigned char* data, int size);

    // True when the coded data [GetDataOffset(), + GetRawDataSize()) lies inside a frame
    // payload of payloadSize bytes, after the header.
    bool FitsIn(size_t payloadSize) const;

protected:
    unsigned char m_header[Size] = {};
};

class CFrame : public CFrameHeader<CFrame, 36> {
public:
    static constexpr int AUDIO_HEADER_SIZE = 40;

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
};

class CUFrame : public CFrameHeader<CUFrame, 80> {
public:
    bool IsValid() const;
    bool IsValidModel() const;
    // Old-protocol model codes run from 6 to 21.
    static bool IsValidModel(int model);

    int GetModel() const;
    // What a CUFrame stream of this model byte carries: MPEG-4 for 6 to 11, H.264 for every
    // other byte, known models or not. Every reader of old frames decides it here.
    static ProtocolType ProtocolTypeOf(int model);
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

private:
    uint32_t U32(int offset) const;
};

extern template class CFrameHeader<CFrame, 36>;
extern template class CFrameHeader<CUFrame, 80>;

// What the consumers of a frame take from its header, whichever protocol sent it.
struct FrameFacts {
    static constexpr int MAX_CHANNELS = 16;

    bool oldHeader = false;
    ProtocolType protocolType = PROTOCOL_CFRAME_H264;
    int channel = 0;
    FrameType kind = FRAME_DELTA;
    RecordReason reason = RECORD_REASON_NONE;
    uint64_t offset = 0;         // of the coded data, from the start of the payload
    size_t rawSize = 0;          // of the coded data
    unsigned int frameSize = 0;  // the header's frame size field
    FrameSize resolution;
    KTimeVal time;
    // The coded data lies inside the payload; only then may it be read.
    bool fits = false;
    // Old header only: model code, playback mode, the info bits (motion 0x08, sensor 0x10,
    // recording 0x20) and the per-channel video-loss mask.
    int model = 0;
    PbMode pbMode = PB_STOP;
    unsigned char info = 0;
    unsigned short videoLoss = 0;
};

// Reads the header at the front of a frame payload of `length` bytes: a CUFrame when
// oldHeader is set, else a CFrame. False for no data, a payload shorter than its header, a
// header that is not valid and channels of MAX_CHANNELS and above. A header whose coded
// data lies outside the payload is still read (fits false): status may be taken from it.
bool ReadFrameHeader(bool oldHeader, const unsigned char* data, size_t length, FrameFacts* out);
