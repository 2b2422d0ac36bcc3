#pragma once

// The decoder front as the stream threads drive it, two slots, for the video fuzz targets.
// Input: setup byte (protocol type = 1 + value % 3 of bits 0-1, output format in bits 2-4,
// bit 5 the OpenGL option, bit 6 deinterlacing), then at most MAX_FRAMES records of
//   control byte: bit 0 key frame, bit 1 slot, bits 2-5 header size, bit 6 keep the picture,
//                 bit 7 restart the slot first
//   cell byte: bits 0-3 the size the slot's cell shows pictures at, bit 4 switch
//              deinterlacing over first
//   2-byte little-endian length (cut to what is left), coded frame.
// The header size is picked from the target's table of sixteen, the cell size from CELLS:
// the wall sets each cell's size as its layout changes, from the GUI thread, and the slot
// makes its pictures at that size from its next frame on.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" {
#include <libavutil/log.h>
}

#include "Common/DecodeVideo.h"
#include "fuzz_util.h"

namespace decodefuzz {

constexpr int MAX_FRAMES = 12;
constexpr int SLOTS = 2;

inline const AVPixelFormat FORMATS[8] = {AV_PIX_FMT_RGB24, AV_PIX_FMT_BGR24, AV_PIX_FMT_RGBA,
                                  AV_PIX_FMT_BGRA,  AV_PIX_FMT_GRAY8, AV_PIX_FMT_YUV420P,
                                  AV_PIX_FMT_RGB24, AV_PIX_FMT_NONE};

// Cells of a wall of 1, 4, 9, 16, 36 and 64 on a 1280 x 1024 display, sizes equal to the
// streams' own, and sizes at and past the limits; {0, 0} and the broken ones mean none.
inline const QSize CELLS[16] = {{0, 0},     {1278, 1020}, {638, 508},   {425, 338},
                                {318, 253}, {211, 168},   {158, 125},   {352, 240},
                                {704, 480}, {1280, 720},  {1, 1},       {3, 1001},
                                {1921, 1081}, {4000, 3000}, {65535, 1}, {-5, 240}};

// The size a slot set to this cell makes its pictures at, or an empty size for the stream's
// own.
inline QSize Scaled(const QSize& cell, size_t pixel)
{
    if (cell.width() <= 0 || cell.height() <= 0 ||
        size_t(cell.width()) * size_t(cell.height()) * pixel > CDecodeVideo::MAX_PICTURE_BYTES)
        return QSize();
    return cell;
}

// A new picture must be the slot's latest, whole, within the output limit, and at its cell's
// size when one is set, in rows as the wall uploads them.
inline void CheckPicture(const CDecodeVideo& dv, int slot, size_t bytes, const QSize& cell)
{
    const QImage image = dv.GetDecodedImage(slot);
    CHECK(!image.isNull());
    CHECK(dv.GetDecodedRGB(slot) == image.constBits());
    CHECK(bytes <= CDecodeVideo::MAX_PICTURE_BYTES);
    const size_t pixel = size_t(image.depth() / 8);
    CHECK(bytes == size_t(image.bytesPerLine()) * size_t(image.height()));
    const QSize scaled = Scaled(cell, pixel);
    if (scaled.isValid())
        CHECK(image.size() == scaled);
    // Packed rows at the stream's own size; whole blocks when scaled to the cell.
    const size_t packed = size_t(image.width()) * pixel;
    if (size_t(image.bytesPerLine()) != packed) {
        CHECK(image.size() == scaled);
        CHECK(size_t(image.bytesPerLine()) == (packed + 63) / 64 * 64);
    }
    // Read it the way the display copies it: every row, end to end.
    unsigned sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* row = image.constScanLine(y);
        sum += row[0] + row[image.bytesPerLine() - 1];
    }
    volatile unsigned sink = sum;
    (void)sink;
}

// libavcodec's complaints about broken streams would flood the log and slow the run.
inline void Quiet() { av_log_set_level(AV_LOG_QUIET); }

inline int Run(const uint8_t* data, size_t size, const FrameSize (&sizes)[16])
{
    if (size < 1)
        return 0;
    const ProtocolType type = static_cast<ProtocolType>(1 + (data[0] & 3) % 3);
    CDecodeVideo dv;
    dv.Init(SLOTS);
    dv.changeOpenglOption((data[0] & 0x20) != 0);
    dv.SetPixelFormat(FORMATS[(data[0] >> 2) & 7]);
    bool deinterlaced = (data[0] & 0x40) != 0;
    dv.setDeinterlaced(deinterlaced);

    std::vector<QImage> held;
    size_t at = 1;
    for (int n = 0; n < MAX_FRAMES && at + 4 <= size; ++n) {
        const uint8_t control = data[at];
        const QSize cell = CELLS[data[at + 1] & 15];
        if (data[at + 1] & 0x10) {
            deinterlaced = !deinterlaced;
            dv.setDeinterlaced(deinterlaced);
        }
        const size_t length = std::min<size_t>(data[at + 2] | (data[at + 3] << 8), size - at - 4);
        at += 4;
        // An exactly sized copy, so that any read past the frame is caught.
        const std::vector<unsigned char> frame(data + at, data + at + length);
        at += length;

        const int slot = (control >> 1) & 1;
        dv.SetOutputSize(slot, cell);
        if (control & 0x80)
            dv.RestartIPicture(slot);
        const FrameType kind = (control & 1) ? FRAME_KEY : FRAME_DELTA;
        const size_t bytes = dv.DecodeFrame(type, slot, frame.data(), frame.size(),
                                            sizes[(control >> 2) & 15], kind);
        if (bytes > 0)
            CheckPicture(dv, slot, bytes, cell);
        // Pictures kept by the display: the decoder must not write them again.
        if ((control & 0x40) && !dv.GetDecodedImage(slot).isNull()) {
            const QImage image = dv.GetDecodedImage(slot);
            held.push_back(image.copy());
            held.push_back(image);
        }
    }
    // Kept pictures outlive the decoder unchanged.
    dv.Deinit();
    for (size_t i = 0; i + 1 < held.size(); i += 2)
        CHECK(held[i] == held[i + 1]);
    return 0;
}

}  // namespace decodefuzz

// The entry points of a target over its size table.
#define ZAVO_DECODE_VIDEO_TARGET(sizes)                                        \
    extern "C" int LLVMFuzzerInitialize(int*, char***)                         \
    {                                                                          \
        decodefuzz::Quiet();                                                   \
        return 0;                                                              \
    }                                                                          \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)    \
    {                                                                          \
        return decodefuzz::Run(data, size, sizes);                             \
    }
