#pragma once

// The PC recording file set, as written by CCreateRaw and read by the local player.
// Everything is little-endian and packed. All times are the frames' own time stamps
// (seconds since 1970 on the DVR's wall clock, shown as UTC), never the PC clock.
//
// One folder per DVR under the record or backup folder holds, per recording:
//
//   <start>.qdx   the minute index of the recording: a QdxFileHeader (12 bytes), then one
//                 QdxMinuteRecord (76 bytes) per minute that had frames, in the order the
//                 minutes were recorded.
//   <minute>.qvf  the frames: a QvfFileHeader (413 bytes), then every frame packet payload
//                 (frame header and data, video or audio) exactly as the DVR sent it.
//   <minute>.qrx  the frame index of the .qvf of the same name: a QrxFileHeader (40 bytes),
//                 then one QrxIndexRecord (36 bytes) per frame, in file order.
//   <minute>.qvf.unindexed  a .qvf whose .qrx went while it was written and none of whose
//                 frames could be indexed again, set aside whole; not listed by the player.
//
// <start> and <minute> are "yyyyMMdd_hhmmss" of the first frame the file holds, or the next
// free second when a file of that name exists. A new .qvf/.qrx pair starts whenever a video
// frame's minute is later than the current file's minute. Audio goes into the pair the video
// is being written to, whatever its stamp (an old DVR's audio stream may run on another clock).
//
// Crash safety: frame bytes always reach the .qvf before their index records reach the
// .qrx, so an index record never points past the data. A reader still checks each record
// against the .qvf size and stops at the first one that does not fit (a cut recording).
//
// .qdx minute record (QdxMinuteRecord, Common/QdxRecord.h), per minute:
//   0  u32  start_time      the minute's start (seconds cut to the minute)
//   4  u32  end_time        time stamp (seconds) of the minute's last video frame
//   8  u32  record_chmask   bit n: channel n had video frames in that minute
//   12 u8[16] record_reason merged recording reason per channel (bits 0-1); a channel
//                           with frames is stored with at least reason 1
//   28 u32  frames          video and audio frames of the minute
//   32 u32  file_time       name time of the .qvf/.qrx pair holding the minute's first frame
//   36 u64  bytes           frame bytes of the minute
//   44 u8[32] reserved      zero

#include <cstddef>
#include <cstdint>

#include "Common/QdxRecord.h"

namespace recfile {

constexpr char QVF_SUFFIX[] = ".qvf";
constexpr char QRX_SUFFIX[] = ".qrx";
constexpr char QDX_SUFFIX[] = ".qdx";
constexpr char AVI_SUFFIX[] = ".avi";

constexpr uint32_t VERSION = 1;
constexpr uint32_t QVF_MAGIC = 0x4656515A;  // "ZQVF"
constexpr uint32_t QRX_MAGIC = 0x5852515A;  // "ZQRX"
constexpr uint32_t QDX_MAGIC = 0x5844515A;  // "ZQDX"

constexpr int NAME_BYTES = 64;   // DVR name, UTF-8, NUL-padded
constexpr int TITLE_BYTES = 20;  // camera title, UTF-8, NUL-padded
constexpr int MAX_CHANNELS = 16;

#pragma pack(push, 1)

// What the local player needs to decode and label the frames of the file.
struct QvfFileHeader {
    uint32_t magic;          // QVF_MAGIC
    uint32_t version;        // VERSION
    uint32_t start_time;     // the file's first frame (seconds)
    uint8_t old_protocol;    // 1: frames carry CUFrame headers, else CFrame
    uint8_t protocol_type;   // ProtocolType of the stream (picks the decoder)
    uint16_t model;          // DVR model code
    uint8_t channels;        // channel count of the DVR
    uint8_t video_type;      // 0 NTSC, 1 PAL
    uint16_t channel_mask;   // channels the account may watch
    char dvr_name[NAME_BYTES];
    char titles[MAX_CHANNELS][TITLE_BYTES];
    uint8_t reserved[9];
};

struct QrxFileHeader {
    uint32_t magic;          // QRX_MAGIC
    uint32_t version;        // VERSION
    uint32_t start_time;     // the file's first frame (seconds)
    uint32_t record_size;    // sizeof(QrxIndexRecord)
    uint32_t qvf_header;     // sizeof(QvfFileHeader): where the first frame starts
    char qvf_name[20];       // "yyyyMMdd_hhmmss" of the .qvf, NUL-padded
};

struct QrxIndexRecord {
    uint64_t offset;         // of the frame payload in the .qvf
    uint32_t length;         // of the frame payload (header and data)
    uint32_t time_sec;       // the frame's time stamp
    uint32_t time_usec;
    uint8_t channel;
    uint8_t type;            // FrameType: 0 key, 1 delta, 3 audio
    uint8_t reason;          // RecordReason of the frame
    uint8_t reserved0;
    uint32_t sequence;       // 0, 1, 2, ... within the file
    uint64_t reserved1;
};

struct QdxHeader {
    uint32_t magic;          // QDX_MAGIC
    uint32_t version;        // VERSION
    uint32_t record_size;    // sizeof(QdxMinuteRecord)
};

// The bytes of QdxMinuteRecord::extra, as this writer fills them.
struct QdxMinuteExtra {
    uint32_t frames;
    uint32_t file_time;
    uint64_t bytes;
    uint8_t reserved[32];
};

#pragma pack(pop)

static_assert(sizeof(QvfFileHeader) == 413, "QvfFileHeader is 413 bytes on disk");
static_assert(sizeof(QrxFileHeader) == 40, "QrxFileHeader is 40 bytes on disk");
static_assert(sizeof(QrxIndexRecord) == 36, "QrxIndexRecord is 36 bytes on disk");
static_assert(sizeof(QdxHeader) == sizeof(QdxFileHeader), "QdxHeader is the 12-byte .qdx header");
static_assert(sizeof(QdxMinuteExtra) == sizeof(QdxMinuteRecord::extra), "extra bytes of a minute");

}  // namespace recfile
