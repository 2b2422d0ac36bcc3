#pragma once

// The frame index (.qrx) of a raw data file (.qvf), as the writer keeps it and as it can be
// made again from the frame headers the data file holds: a data file whose index went is
// still a recording.

#include <cstdint>

#include <QString>

#include "SysData/RecordFiles.h"

struct FrameFacts;

// A stored frame payload is its header and coded data, nothing after: the data ends the
// payload in both headers (after the CFrame header, at the end of the CUFrame's total).
uint64_t RawFrameLength(const FrameFacts& f);

// The index record of a frame of `length` payload bytes at `offset` in its data file.
recfile::QrxIndexRecord RawIndexRecord(const FrameFacts& f, uint64_t offset, uint32_t length, uint32_t sequence);
// The header of the index of the data file named `base` ("yyyyMMdd_hhmmss").
recfile::QrxFileHeader RawIndexHeader(uint32_t startTime, const QString& base);

struct RawIndexRebuild {
    uint64_t frames = 0;          // indexed, and written to the new index
    uint64_t dataBytes = 0;       // of the data file after its file header
    uint64_t unindexedBytes = 0;  // at its end, after the last frame indexed
    QString error;                // why those bytes, or every frame, went unindexed
};

// Walks the data file's frames by their headers and writes the index at qrxPath, never over
// a file that holds that name. The walk stops at the first frame whose header does not read
// or that does not fit in the rest of the file (a cut last frame): the frames before it are
// indexed. The data file is only read. No index is written when no frame reads.
RawIndexRebuild RebuildRawIndex(const QString& qvfPath, const QString& qrxPath);

// Ends the name of a data file set aside: the local player lists pairs by their index only.
constexpr char UNINDEXED_SUFFIX[] = ".unindexed";

// Moves a data file that cannot be indexed, with every byte, to a free name ending in
// UNINDEXED_SUFFIX ("x.qvf.unindexed", "x.qvf.2.unindexed", ...). The new path; empty when it
// cannot be moved.
QString SetAsideRawData(const QString& qvfPath);
