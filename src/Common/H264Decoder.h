#pragma once

// One libavcodec H.264 decoder per slot. A decoded picture stays in its slot until the
// caller converts it (libswscale) into a buffer of its own, so the caller can pick the
// buffer after it knows the decoded size.

#include <QMutex>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
}

#include "Common/Frame.h"

class CH264Decoder {
public:
    CH264Decoder();
    ~CH264Decoder();
    CH264Decoder(const CH264Decoder&) = delete;
    CH264Decoder& operator=(const CH264Decoder&) = delete;

    void Init(int n);
    void Deinit();

    // (Re)opens the slot's decoder; false when no decoder could be opened (the slot then
    // stays closed and decodes nothing until the next successful set-up). A stream announcing
    // more than maxPixels (0: no limit) is refused before its pictures are allocated.
    bool SetupCodec(int slot, int width, int height, const AVCodecID& codec, int64_t maxPixels = 0);
    void CloseCodec(int slot);
    bool IsOpen(int slot) const;

    // Decodes one packet. Returns the bytes the picture takes in the output format, or 0
    // when the slot is closed or no picture came out.
    size_t DecodeFrame(int slot, const unsigned char* data, size_t length);
    // Size of the slot's last decoded picture; {0, 0} before the first one.
    FrameSize GetPictureSize(int slot) const;
    // Lets go of the slot's last picture once it has been converted (the size stays known):
    // the decoder can reuse its buffer instead of making another.
    void DropPicture(int slot);
    // Converts the slot's last picture into output, scaled to outWidth x outHeight in one
    // pass, rows outStride bytes apart. Returns outStride x outHeight; 0 when there is no
    // picture, no output, or the picture does not fit in capacity.
    size_t useSwscaleLibrary(int slot, AVPixelFormat format, unsigned char* output, size_t capacity,
                             int outWidth, int outHeight, int outStride);

    // Only formats a picture can be shown in are taken (see IsShowableFormat); others are
    // ignored.
    void SetPixelFormat(const AVPixelFormat& format);
    AVPixelFormat GetPixelFormat() const;
    void changeOpenglOption(bool flag);
    void setDeinterlaced(bool flag);

    static int getNumCPUCores();
    // Slice threads per decoder: every slot runs its own, so the count stays small.
    static int getSliceThreads();
    static bool IsShowableFormat(AVPixelFormat format);
    // Bytes of a picture in a packed layout without row padding; 0 when not valid.
    static size_t PictureBytes(AVPixelFormat format, int width, int height);

    // avcodec_open2 must not run in parallel with itself.
    static QMutex m_avcodec_open_mutex;

private:
    struct Slot;
    Slot* GetSlot(int slot) const;

    int m_MaxChannel = 0;
    std::atomic<int> m_pixelFormat;
    std::unique_ptr<Slot[]> m_slots;
    std::atomic<bool> m_deinterlace{false};
    std::atomic<bool> m_opengl{false};
};
