#pragma once

// The multi-slot video decoder front: one slot per display cell, each an independent
// picture stream. A slot shows nothing until it has seen a key frame.
//
// A slot makes its picture at the size the cell shows it (SetOutputSize), converted and
// scaled in one pass, or at the stream's own size when no size is set.
//
// Pictures live in a small pool of images per slot. A picture handed out (GetDecodedImage)
// is never written again while anyone still holds a copy of it; the next decode takes a
// pool image nobody holds, so the display can draw a picture while the next one arrives.
// The pool keeps the pictures still held and one free one for the next frame. When every
// pool image is held (the GUI thread has fallen behind), frames are still decoded but make
// no new picture until one is let go.

#include <QImage>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" {
#include <libavcodec/codec_id.h>
#include <libavutil/pixfmt.h>
}

#include "Common/Frame.h"
#include "Common/H264Decoder.h"
#include "Common/XvidCodec.h"
#include "dvr_types/dvr_types.h"

// Puts the fixed parameter sets of a picture size in front of a key frame. A size without
// parameter sets copies the frame unchanged. out must hold SEQH_MAX_LENGTH + length bytes.
// Returns the bytes written.
size_t MakeDecodeFrame(const unsigned char* frame, size_t length, int width, int height,
                       unsigned char* out);
constexpr size_t SEQH_MAX_LENGTH = 22;

class CDecodeVideo {
public:
    // Largest coded frame taken.
    static constexpr size_t MAX_PAYLOAD = 0x100000;
    // Largest picture in its output format (1920 x 1080 at 4 bytes a pixel).
    static constexpr size_t MAX_PICTURE_BYTES = 8294400;
    // Pictures per slot that may be in use at once (shown, on their way, being decoded).
    static constexpr int PICTURES_PER_SLOT = 4;

    CDecodeVideo();
    ~CDecodeVideo();
    CDecodeVideo(const CDecodeVideo&) = delete;
    CDecodeVideo& operator=(const CDecodeVideo&) = delete;

    void Init(int n);
    bool IsInit() const { return m_initialised; }
    void Deinit();
    int GetSlotCount() const { return m_count; }

    // The option setters and the restarts may be called from any thread; a slot picks
    // them up at its next frame.
    void SetPixelFormat(const AVPixelFormat& format);
    void changeOpenglOption(bool flag);
    void setDeinterlaced(bool flag);
    void RestartIPicture(int slot);
    void AllRestart();
    // The size of the slot's pictures from its next frame on; an empty size (or one whose
    // picture would exceed MAX_PICTURE_BYTES) keeps the stream's own size.
    void SetOutputSize(int slot, const QSize& size);
    QSize GetOutputSize(int slot) const;
    // Pool pictures the slot keeps, held or free.
    int GetPoolSize(int slot) const;

    // Decodes one frame payload into the slot. Returns the bytes of the new picture, or 0
    // when no new picture was made. A slot is used by one thread at a time.
    size_t DecodeFrame(const ProtocolType& type, int slot, const unsigned char* payload,
                       size_t length, const FrameSize& size, const FrameType& kind);

    // The slot's latest picture (shared, not copied) and its pixels; null before the first.
    QImage GetDecodedImage(int slot) const;
    const unsigned char* GetDecodedRGB(int slot) const;

    // Sets the slot's decoder up again when the size, codec or output options changed.
    void SetResolution(int slot, const FrameSize& size, const AVCodecID& codec);

private:
    struct Slot;
    struct Picture;

    Slot* GetSlot(int slot) const;
    Picture* AcquirePicture(Slot& s, int width, int height, QImage::Format format,
                            size_t stride, size_t capacity);
    // Makes the picture the slot's latest and lets go of free pictures beyond one.
    void SetCurrent(Slot& s, Picture* picture);
    // The size set for the slot when it differs from the stream's, else the stream's.
    QSize TargetSize(const Slot& s, int width, int height, int bytesPerPixel) const;
    size_t DecodeH264(int slot, Slot& s, const unsigned char* data, size_t length);
    size_t DecodeMpeg4(int slot, Slot& s, const unsigned char* data, size_t length,
                       const FrameSize& size);

    bool m_initialised = false;
    CH264Decoder m_h264;
    CXvidCodec m_xvid;
    int m_count = 0;
    std::unique_ptr<Slot[]> m_slots;
    // Bumped by the option setters: a slot set up for an older value is set up again.
    std::atomic<unsigned> m_generation{0};
};
