#pragma once

// One xvidcore MPEG-4 part 2 decoder per slot. DVR streams carry no VOL header, so each
// slot is fed a fixed one, patched with the picture size, before its first frame and after
// every size change.

#include <atomic>
#include <cstddef>
#include <memory>

#include "Common/Frame.h"

class CXvidCodec {
public:
    static constexpr int HEADER_SIZE = 30;

    CXvidCodec();
    ~CXvidCodec();
    CXvidCodec(const CXvidCodec&) = delete;
    CXvidCodec& operator=(const CXvidCodec&) = delete;

    void init(int n);
    void deinit();

    // Decodes one frame into output as 32-bit BGRA with rows of width x 4 bytes; output
    // must hold OutputBytes(width, height). Returns width x height x 4 when a picture was
    // written and 0 otherwise. The picture is written only when the stream's own size
    // equals width x height; with a null output the decoder keeps its state but writes
    // nothing. A VOL in a frame announcing another size is skipped (no buffers of that size
    // are made), and the slot writes nothing until a VOL of the header's size or reset().
    int decodeFrame(int slot, int width, int height, const unsigned char* data,
                    unsigned char* output, size_t length);
    // The same without a colour conversion: the picture is written as YUV 4:2:0 into the
    // planes (Y width x height, U and V half of that each way) with the given row strides.
    // True when a picture was written.
    bool decodeFramePlanes(int slot, int width, int height, const unsigned char* data,
                           size_t length, unsigned char* const planes[3], const int strides[3]);

    // Every slot, or one slot, is fed the header again before its next frame.
    void reset();
    void reset(int slot);
    // Frees the slot's decoder (a new one is made by its next frame).
    void close(int slot);

    // The fixed header patched for a picture size; out receives HEADER_SIZE bytes.
    static void MakeMP4SeqHdr(int width, int height, bool interlaced, unsigned char* out);
    // Buffer size a picture of this size needs: the converter may write whole blocks past
    // the last row and column.
    static size_t OutputBytes(int width, int height);
    // The size the slot's stream last announced; {0, 0} before any header.
    FrameSize GetStreamSize(int slot) const;

private:
    struct Slot;
    // Where a decoded picture goes: a BGRA buffer, YUV planes, or nowhere.
    struct Output {
        unsigned char* bgra = nullptr;
        unsigned char* const* planes = nullptr;
        const int* strides = nullptr;
        bool wanted() const { return bgra || planes; }
    };
    bool decode(int slot, int width, int height, const unsigned char* data, size_t length,
                const Output& output);
    Slot* GetSlot(int slot) const;

    std::unique_ptr<Slot[]> m_slots;
    int m_count = 0;
};
