#pragma once

// The ".qdx" index of a PC recording: a QdxFileHeader, then one QdxMinuteRecord per
// minute. Both are stored little-endian and packed, whatever the host.

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

struct QdxFileHeader {
    uint32_t word[3];
};

struct QdxMinuteRecord {
    uint32_t start_time;        // the minute's start, seconds since 1970
    uint32_t end_time;          // the minute's end
    uint32_t record_chmask;     // bit n: channel n had frames in that minute
    uint8_t record_reason[16];  // per channel, RecordReason in bits 0-1
    uint8_t extra[48];
};

#pragma pack(pop)

static_assert(sizeof(QdxFileHeader) == 12, "QdxFileHeader is 12 bytes on disk");
static_assert(sizeof(QdxMinuteRecord) == 76, "QdxMinuteRecord is 76 bytes on disk");
static_assert(offsetof(QdxMinuteRecord, record_chmask) == 8, "record_chmask at offset 8");
static_assert(offsetof(QdxMinuteRecord, record_reason) == 12, "record_reason at offset 12");
