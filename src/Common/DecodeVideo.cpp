#include "DecodeVideo.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

extern "C" {
#include <libavutil/mem.h>
}

#include "Common/PictureScaler.h"
#include "Common/ThreadCheck.h"

namespace {

// Baseline level 3.0 parameter sets for the picture sizes of old-protocol DVRs.
const unsigned char GL_BUF_SEQH_704x480[] = {0x00, 0x00, 0x00, 0x01, 0x67, 0x42, 0x00, 0x1E,
                                             0x9A, 0x74, 0x05, 0x81, 0xEC, 0x80, 0x00, 0x00,
                                             0x00, 0x01, 0x68, 0xCE, 0x32, 0x28};
const unsigned char GL_BUF_SEQH_704x240[] = {0x00, 0x00, 0x00, 0x01, 0x67, 0x42, 0x00,
                                             0x1E, 0x9A, 0x74, 0x05, 0x83, 0xF2, 0x00,
                                             0x00, 0x00, 0x01, 0x68, 0xCE, 0x32, 0x28};
const unsigned char GL_BUF_SEQH_352x240[] = {0x00, 0x00, 0x00, 0x01, 0x67, 0x42, 0x00,
                                             0x1E, 0x9A, 0x74, 0x0B, 0x0F, 0xC8, 0x00,
                                             0x00, 0x00, 0x01, 0x68, 0xCE, 0x32, 0x28};
const unsigned char GL_BUF_SEQH_704x576[] = {0x00, 0x00, 0x00, 0x01, 0x67, 0x42, 0x00, 0x1E,
                                             0x9A, 0x74, 0x05, 0x80, 0x93, 0x20, 0x00, 0x00,
                                             0x00, 0x01, 0x68, 0xCE, 0x32, 0x28};
const unsigned char GL_BUF_SEQH_704x288[] = {0x00, 0x00, 0x00, 0x01, 0x67, 0x42, 0x00, 0x1E,
                                             0x9A, 0x74, 0x05, 0x81, 0x2C, 0x80, 0x00, 0x00,
                                             0x00, 0x01, 0x68, 0xCE, 0x32, 0x28};
const unsigned char GL_BUF_SEQH_352x288[] = {0x00, 0x00, 0x00, 0x01, 0x67, 0x42, 0x00,
                                             0x1E, 0x9A, 0x74, 0x0B, 0x04, 0xB2, 0x00,
                                             0x00, 0x00, 0x01, 0x68, 0xCE, 0x32, 0x28};

struct SeqHeader {
    int width;
    int height;
    const unsigned char* bytes;
    size_t length;
};

const SeqHeader SEQ_HEADERS[] = {
    {704, 480, GL_BUF_SEQH_704x480, sizeof GL_BUF_SEQH_704x480},
    {704, 240, GL_BUF_SEQH_704x240, sizeof GL_BUF_SEQH_704x240},
    {352, 240, GL_BUF_SEQH_352x240, sizeof GL_BUF_SEQH_352x240},
    {704, 576, GL_BUF_SEQH_704x576, sizeof GL_BUF_SEQH_704x576},
    {704, 288, GL_BUF_SEQH_704x288, sizeof GL_BUF_SEQH_704x288},
    {352, 288, GL_BUF_SEQH_352x288, sizeof GL_BUF_SEQH_352x288},
};

QImage::Format ImageFormat(AVPixelFormat format)
{
    switch (format) {
    case AV_PIX_FMT_RGB24: return QImage::Format_RGB888;
    case AV_PIX_FMT_BGR24: return QImage::Format_BGR888;
    case AV_PIX_FMT_RGBA: return QImage::Format_RGBA8888;
    case AV_PIX_FMT_BGRA: return QImage::Format_RGB32;  // B, G, R, A in memory
    case AV_PIX_FMT_GRAY8: return QImage::Format_Grayscale8;
    default: return QImage::Format_Invalid;
    }
}

// Converters may write whole blocks past the last row and column.
size_t PaddedBytes(size_t stride, int height)
{
    return stride * ((static_cast<size_t>(height) + 15) / 16 * 16) + 256;
}

}  // namespace

size_t MakeDecodeFrame(const unsigned char* frame, size_t length, int width, int height,
                       unsigned char* out)
{
    size_t prefix = 0;
    for (const SeqHeader& h : SEQ_HEADERS) {
        if (h.width == width && h.height == height) {
            std::memcpy(out, h.bytes, h.length);
            prefix = h.length;
            break;
        }
    }
    if (length > 0)
        std::memcpy(out + prefix, frame, length);
    return prefix + length;
}

// One picture of a slot's pool: an image over a buffer the image frees when its last copy
// goes away.
struct CDecodeVideo::Picture {
    QImage image;
    unsigned char* data = nullptr;
    size_t capacity = 0;
};

struct CDecodeVideo::Slot {
    // Set from any thread; the slot's own thread applies it at its next frame.
    std::atomic<bool> restart{false};
    // Touched only by the thread decoding the slot.
    bool keySeen = false;
    FrameSize size;
    AVCodecID codec = AV_CODEC_ID_NONE;
    unsigned generation = 0;
    std::vector<Picture> pool;
    int current = -1;
    std::vector<unsigned char> scratch;
    // Set from any thread: width << 16 | height, 0 for the stream's own size.
    std::atomic<uint32_t> outputSize{0};
};

CDecodeVideo::CDecodeVideo() = default;

CDecodeVideo::~CDecodeVideo() { Deinit(); }

void CDecodeVideo::Init(int n)
{
    if (m_initialised)
        return;
    m_count = std::max(0, n);
    m_h264.Init(m_count);
    m_xvid.init(m_count);
    m_slots.reset(m_count > 0 ? new Slot[m_count] : nullptr);
    for (int i = 0; i < m_count; ++i)
        m_slots[i].pool.reserve(PICTURES_PER_SLOT);
    m_initialised = true;
}

void CDecodeVideo::Deinit()
{
    if (!m_initialised)
        return;
    m_h264.Deinit();
    m_xvid.deinit();
    // Images still held by the display keep their buffers until they are dropped; those held by
    // the pool alone go now, on whichever thread ends the decoders.
    for (int i = 0; i < m_count; ++i)
        for (const Picture& p : m_slots[i].pool)
            if (p.image.isDetached())
                ThreadCheck::TakeOverAfterLastRelease(p.data);
    m_slots.reset();
    m_count = 0;
    m_initialised = false;
}

CDecodeVideo::Slot* CDecodeVideo::GetSlot(int slot) const
{
    if (!m_initialised || slot < 0 || slot >= m_count)
        return nullptr;
    return &m_slots[slot];
}

void CDecodeVideo::SetPixelFormat(const AVPixelFormat& format)
{
    if (!CH264Decoder::IsShowableFormat(format))
        return;
    m_h264.SetPixelFormat(format);
    ++m_generation;
}

void CDecodeVideo::changeOpenglOption(bool flag)
{
    m_h264.changeOpenglOption(flag);
    ++m_generation;
}

void CDecodeVideo::setDeinterlaced(bool flag) { m_h264.setDeinterlaced(flag); }

void CDecodeVideo::RestartIPicture(int slot)
{
    if (Slot* s = GetSlot(slot))
        s->restart = true;
}

void CDecodeVideo::AllRestart()
{
    for (int i = 0; i < m_count; ++i)
        RestartIPicture(i);
}

void CDecodeVideo::SetOutputSize(int slot, const QSize& size)
{
    Slot* s = GetSlot(slot);
    if (!s)
        return;
    const bool valid = size.width() > 0 && size.height() > 0 && size.width() <= 0xFFFF &&
                       size.height() <= 0xFFFF;
    s->outputSize = valid ? uint32_t(size.width()) << 16 | uint32_t(size.height()) : 0;
}

QSize CDecodeVideo::GetOutputSize(int slot) const
{
    const Slot* s = GetSlot(slot);
    const uint32_t packed = s ? s->outputSize.load() : 0;
    return packed ? QSize(int(packed >> 16), int(packed & 0xFFFF)) : QSize();
}

int CDecodeVideo::GetPoolSize(int slot) const
{
    const Slot* s = GetSlot(slot);
    return s ? static_cast<int>(s->pool.size()) : 0;
}

QSize CDecodeVideo::TargetSize(const Slot& s, int width, int height, int bytesPerPixel) const
{
    const uint32_t packed = s.outputSize.load();
    const int w = int(packed >> 16);
    const int h = int(packed & 0xFFFF);
    if (packed == 0 || uint64_t(w) * uint64_t(h) * uint64_t(bytesPerPixel) > MAX_PICTURE_BYTES)
        return QSize(width, height);
    return QSize(w, h);
}

void CDecodeVideo::SetResolution(int slot, const FrameSize& size, const AVCodecID& codec)
{
    Slot* s = GetSlot(slot);
    if (!s)
        return;
    const unsigned generation = m_generation.load();
    if (s->codec == codec && s->size.width == size.width && s->size.height == size.height &&
        s->generation == generation)
        return;
    s->size = size;
    s->generation = generation;
    s->codec = codec;
    // A slot keeps only the decoder of its stream's kind.
    if (codec == AV_CODEC_ID_MPEG4) {
        m_h264.CloseCodec(slot);
        m_xvid.reset(slot);
    } else {
        m_xvid.close(slot);
        // A broken size in the stream's parameter sets would cost gigabytes before the
        // picture is refused. libavcodec counts rows aligned to its SIMD width: twice the
        // output's pixels leave room for that.
        const size_t pixel = CH264Decoder::PictureBytes(m_h264.GetPixelFormat(), 1, 1);
        m_h264.SetupCodec(slot, size.width, size.height, codec,
                          pixel > 0 ? int64_t(2 * MAX_PICTURE_BYTES / pixel) : 0);
    }
}

CDecodeVideo::Picture* CDecodeVideo::AcquirePicture(Slot& s, int width, int height,
                                                    QImage::Format format, size_t stride,
                                                    size_t capacity)
{
    auto matches = [&](const Picture& p) {
        return p.image.width() == width && p.image.height() == height &&
               p.image.format() == format && p.image.bytesPerLine() == qsizetype(stride) &&
               p.capacity >= capacity;
    };
    Picture* chosen = nullptr;
    for (Picture& p : s.pool) {
        // Held by the pool alone: no other thread can take a new copy of it.
        if (!p.image.isDetached())
            continue;
        if (matches(p)) {
            chosen = &p;
            break;
        }
        if (!chosen)
            chosen = &p;
    }
    if (chosen) {
        // The last other copy is gone, and with it its reads of the pixels.
        ThreadCheck::TakeOverAfterLastRelease(chosen->data);
        if (matches(*chosen))
            return chosen;
    } else if (s.pool.size() < static_cast<size_t>(PICTURES_PER_SLOT)) {
        s.pool.emplace_back();
        chosen = &s.pool.back();
    } else {
        return nullptr;
    }

    // A new size or format: the old buffer goes with its image.
    chosen->image = QImage();
    chosen->data = nullptr;
    chosen->capacity = 0;
    auto* data = static_cast<unsigned char*>(av_malloc(capacity));
    if (!data)
        return nullptr;
    QImage image(data, width, height, static_cast<qsizetype>(stride), format,
                 [](void* p) { av_free(p); }, data);
    if (image.isNull()) {
        av_free(data);
        return nullptr;
    }
    chosen->image = image;
    chosen->data = data;
    chosen->capacity = capacity;
    return chosen;
}

size_t CDecodeVideo::DecodeFrame(const ProtocolType& type, int slot,
                                 const unsigned char* payload, size_t length,
                                 const FrameSize& size, const FrameType& kind)
{
    Slot* s = GetSlot(slot);
    if (!s)
        return 0;
    if (s->restart.exchange(false)) {
        s->keySeen = false;
        s->size = FrameSize();
    }
    if (kind == FRAME_AUDIO)
        return 0;
    if (length > MAX_PAYLOAD || (!payload && length > 0))
        return 0;

    // A header size that cannot fit the slot's output is refused before it counts.
    const bool mpeg4 = type == PROTOCOL_CUFRAME_MPEG4;
    if (size.width < 0 || size.height < 0)
        return 0;
    if (mpeg4) {
        if (size.width == 0 || size.height == 0 ||
            static_cast<uint64_t>(size.width) * size.height * 4 > MAX_PICTURE_BYTES)
            return 0;
    } else if (CH264Decoder::PictureBytes(m_h264.GetPixelFormat(), size.width, size.height) >
               MAX_PICTURE_BYTES) {
        return 0;
    }

    if (!s->keySeen) {
        if (kind != FRAME_KEY)
            return 0;
        s->keySeen = true;
    }

    SetResolution(slot, size, mpeg4 ? AV_CODEC_ID_MPEG4 : AV_CODEC_ID_H264);

    if (mpeg4)
        return DecodeMpeg4(slot, *s, payload, length, size);
    if (type == PROTOCOL_CUFRAME_H264 && kind == FRAME_KEY) {
        s->scratch.resize(SEQH_MAX_LENGTH + length);
        const size_t n = MakeDecodeFrame(payload, length, size.width, size.height,
                                         s->scratch.data());
        return DecodeH264(slot, *s, s->scratch.data(), n);
    }
    return DecodeH264(slot, *s, payload, length);
}

void CDecodeVideo::SetCurrent(Slot& s, Picture* picture)
{
    s.current = static_cast<int>(picture - s.pool.data());
    // Free pictures are not in flight: one stays for the next frame, the others go.
    bool spare = false;
    for (size_t i = s.pool.size(); i-- > 0;) {
        if (static_cast<int>(i) == s.current || !s.pool[i].image.isDetached())
            continue;
        if (!spare) {
            spare = true;
            continue;
        }
        ThreadCheck::TakeOverAfterLastRelease(s.pool[i].data);
        s.pool.erase(s.pool.begin() + static_cast<std::ptrdiff_t>(i));
        if (static_cast<int>(i) < s.current)
            --s.current;
    }
}

size_t CDecodeVideo::DecodeH264(int slot, Slot& s, const unsigned char* data, size_t length)
{
    if (m_h264.DecodeFrame(slot, data, length) == 0)
        return 0;
    // The converter follows the size actually decoded, whatever the header said.
    const FrameSize decoded = m_h264.GetPictureSize(slot);
    const AVPixelFormat format = m_h264.GetPixelFormat();
    const size_t bytes = CH264Decoder::PictureBytes(format, decoded.width, decoded.height);
    if (bytes == 0 || bytes > MAX_PICTURE_BYTES)
        return 0;
    const int pixel = static_cast<int>(CH264Decoder::PictureBytes(format, 1, 1));
    const QSize target = TargetSize(s, decoded.width, decoded.height, pixel);
    const bool scaled = target != QSize(decoded.width, decoded.height);
    // A picture at the stream's size keeps packed rows, as the other users of a slot read them.
    const size_t stride = scaled ? size_t(CPictureScaler::AlignedStride(format, target.width()))
                                 : CH264Decoder::PictureBytes(format, decoded.width, 1);
    if (stride == 0)
        return 0;
    Picture* picture = AcquirePicture(s, target.width(), target.height(), ImageFormat(format),
                                      stride, PaddedBytes(stride, target.height()));
    if (!picture)
        return 0;
    const size_t written = m_h264.useSwscaleLibrary(slot, format, picture->data, picture->capacity,
                                                    target.width(), target.height(), int(stride));
    // The decoder's own picture is not shown: only the converted one is kept.
    m_h264.DropPicture(slot);
    if (written == 0)
        return 0;
    SetCurrent(s, picture);
    return written;
}

size_t CDecodeVideo::DecodeMpeg4(int slot, Slot& s, const unsigned char* data, size_t length,
                                 const FrameSize& size)
{
    const QSize target = TargetSize(s, size.width, size.height, 4);
    if (target == QSize(size.width, size.height)) {
        const size_t stride = static_cast<size_t>(size.width) * 4;
        Picture* picture = AcquirePicture(
            s, size.width, size.height, QImage::Format_RGB32, stride,
            std::max(CXvidCodec::OutputBytes(size.width, size.height), PaddedBytes(stride, size.height)));
        // Without a free picture the frame is still decoded, so the next ones stay correct.
        const int result = m_xvid.decodeFrame(slot, size.width, size.height, data,
                                              picture ? picture->data : nullptr, length);
        if (result <= 0 || !picture)
            return 0;
        SetCurrent(s, picture);
        return static_cast<size_t>(result);
    }

    // Shown at another size: the decoder writes its planes, which are scaled straight into
    // the picture.
    const int stride = CPictureScaler::AlignedStride(AV_PIX_FMT_BGRA, target.width());
    Picture* picture = AcquirePicture(s, target.width(), target.height(), QImage::Format_RGB32,
                                      size_t(stride), PaddedBytes(size_t(stride), target.height()));
    const int lumaStride = (size.width + 63) / 64 * 64;
    const int chromaStride = lumaStride / 2;
    const size_t lumaBytes = size_t(lumaStride) * size_t(size.height + 16);
    const size_t chromaBytes = size_t(chromaStride) * size_t(size.height / 2 + 8);
    // The planes are written whole for every frame and used at once: the slots a thread
    // decodes share them and their scaler.
    thread_local std::vector<unsigned char> yuv;
    thread_local CPictureScaler scaler;
    yuv.resize(lumaBytes + 2 * chromaBytes);
    unsigned char* planes[4] = {yuv.data(), yuv.data() + lumaBytes, yuv.data() + lumaBytes + chromaBytes,
                                nullptr};
    const int strides[4] = {lumaStride, chromaStride, chromaStride, 0};
    if (!m_xvid.decodeFramePlanes(slot, size.width, size.height, data, length, planes, strides) ||
        !picture)
        return 0;
    if (!scaler.scale(planes, strides, size.width, size.height, AV_PIX_FMT_YUV420P, picture->data,
                        picture->capacity, target.width(), target.height(), stride, AV_PIX_FMT_BGRA))
        return 0;
    SetCurrent(s, picture);
    return size_t(stride) * size_t(target.height());
}

QImage CDecodeVideo::GetDecodedImage(int slot) const
{
    const Slot* s = GetSlot(slot);
    if (!s || s->current < 0)
        return QImage();
    return s->pool[static_cast<size_t>(s->current)].image;
}

const unsigned char* CDecodeVideo::GetDecodedRGB(int slot) const
{
    const Slot* s = GetSlot(slot);
    if (!s || s->current < 0)
        return nullptr;
    return s->pool[static_cast<size_t>(s->current)].data;
}
