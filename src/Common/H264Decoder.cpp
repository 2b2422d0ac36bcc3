#include "H264Decoder.h"

#include <QtGlobal>

#include <algorithm>
#include <climits>
#include <cstring>
#include <cstdio>
#include <unistd.h>

#include "Common/PictureScaler.h"

extern "C" {
#include <libavutil/imgutils.h>
}

namespace {

// Each slot already decodes on its stream's own thread. Extra slice threads gave no gain in
// the decode benchmark (D1 and CIF, also for D1 cut into four slices), and 64 slots would
// each keep them idle.
constexpr int MAX_SLICE_THREADS = 1;

// The packets of one decoding thread pass through one buffer with the zeroed padding
// libavcodec reads past the end: handed over by reference, it is neither copied nor
// allocated again for each frame, as a packet without a buffer of its own would be.
class PacketBuffer {
public:
    ~PacketBuffer() { av_buffer_unref(&m_buffer); }

    // A new reference to a buffer holding the bytes, or null when none could be made.
    AVBufferRef* fill(const unsigned char* data, size_t length)
    {
        const size_t needed = length + AV_INPUT_BUFFER_PADDING_SIZE;
        // A decoder that kept the last packet keeps its buffer too.
        if (!m_buffer || !av_buffer_is_writable(m_buffer) || m_buffer->size < needed) {
            const size_t size = std::max(needed, m_buffer ? m_buffer->size : 0);
            av_buffer_unref(&m_buffer);
            m_buffer = av_buffer_alloc(size);
            if (!m_buffer)
                return nullptr;
        }
        std::memcpy(m_buffer->data, data, length);
        std::memset(m_buffer->data + length, 0, AV_INPUT_BUFFER_PADDING_SIZE);
        return av_buffer_ref(m_buffer);
    }

private:
    AVBufferRef* m_buffer = nullptr;
};

}  // namespace

QMutex CH264Decoder::m_avcodec_open_mutex;

struct CH264Decoder::Slot {
    AVCodecContext* context = nullptr;
    AVFrame* picture = nullptr;  // the last decoded picture
    AVFrame* received = nullptr;
    AVPacket* packet = nullptr;
    bool open = false;
    bool hasPicture = false;
    FrameSize pictureSize;  // of the last decoded picture, kept after it is dropped

    void Close()
    {
        avcodec_free_context(&context);
        open = false;
        hasPicture = false;
        pictureSize = FrameSize();
        if (picture)
            av_frame_unref(picture);
    }

    ~Slot()
    {
        Close();
        av_frame_free(&picture);
        av_frame_free(&received);
        av_packet_free(&packet);
    }
};

CH264Decoder::CH264Decoder() : m_pixelFormat(AV_PIX_FMT_RGB24) {}

CH264Decoder::~CH264Decoder() { Deinit(); }

void CH264Decoder::Init(int n)
{
    Deinit();
    m_MaxChannel = std::max(0, n);
    m_slots.reset(m_MaxChannel > 0 ? new Slot[m_MaxChannel] : nullptr);
}

void CH264Decoder::Deinit()
{
    m_slots.reset();
    m_MaxChannel = 0;
}

CH264Decoder::Slot* CH264Decoder::GetSlot(int slot) const
{
    Q_ASSERT_X(slot < m_MaxChannel, "Common/H264Decoder", "ch < m_MaxChannel");
    if (slot < 0 || slot >= m_MaxChannel)
        return nullptr;
    return &m_slots[slot];
}

bool CH264Decoder::SetupCodec(int slot, int width, int height, const AVCodecID& codec,
                              int64_t maxPixels)
{
    Slot* s = GetSlot(slot);
    if (!s)
        return false;
    s->Close();

    const AVCodec* decoder = avcodec_find_decoder(codec);
    if (!decoder)
        return false;
    s->context = avcodec_alloc_context3(decoder);
    if (!s->context)
        return false;
    // Only hints: the stream's own parameter sets decide the picture size.
    s->context->width = std::max(0, width);
    s->context->height = std::max(0, height);
    if (maxPixels > 0)
        s->context->max_pixels = maxPixels;
    s->context->thread_type = FF_THREAD_SLICE;
    s->context->thread_count = getSliceThreads();
    // Every picture comes out of the call that delivered its packet.
    s->context->flags |= AV_CODEC_FLAG_LOW_DELAY;

    int result;
    {
        QMutexLocker lock(&m_avcodec_open_mutex);
        result = avcodec_open2(s->context, decoder, nullptr);
    }
    if (result < 0) {
        avcodec_free_context(&s->context);
        return false;
    }
    if (!s->picture)
        s->picture = av_frame_alloc();
    if (!s->received)
        s->received = av_frame_alloc();
    if (!s->packet)
        s->packet = av_packet_alloc();
    if (!s->picture || !s->received || !s->packet) {
        s->Close();
        return false;
    }
    s->open = true;
    return true;
}

void CH264Decoder::CloseCodec(int slot)
{
    if (Slot* s = GetSlot(slot))
        s->Close();
}

bool CH264Decoder::IsOpen(int slot) const
{
    const Slot* s = GetSlot(slot);
    return s && s->open;
}

size_t CH264Decoder::DecodeFrame(int slot, const unsigned char* data, size_t length)
{
    Slot* s = GetSlot(slot);
    if (!s || !s->open || !data || length == 0 || length > static_cast<size_t>(INT_MAX))
        return 0;

    // The decoder never reads past the caller's bytes: they go into a padded buffer, or
    // without one libavcodec copies them into its own.
    thread_local PacketBuffer buffer;
    s->packet->buf = buffer.fill(data, length);
    s->packet->data = s->packet->buf ? s->packet->buf->data : const_cast<unsigned char*>(data);
    s->packet->size = static_cast<int>(length);
    int sent = avcodec_send_packet(s->context, s->packet);

    bool got = false;
    auto drain = [&] {
        while (avcodec_receive_frame(s->context, s->received) == 0) {
            av_frame_unref(s->picture);
            av_frame_move_ref(s->picture, s->received);
            got = true;
        }
    };
    drain();
    if (sent == AVERROR(EAGAIN)) {
        sent = avcodec_send_packet(s->context, s->packet);
        drain();
    }
    av_packet_unref(s->packet);
    if (!got)
        return 0;
    s->hasPicture = true;
    s->pictureSize = FrameSize{s->picture->width, s->picture->height};
    return PictureBytes(GetPixelFormat(), s->picture->width, s->picture->height);
}

FrameSize CH264Decoder::GetPictureSize(int slot) const
{
    const Slot* s = GetSlot(slot);
    return s ? s->pictureSize : FrameSize();
}

void CH264Decoder::DropPicture(int slot)
{
    Slot* s = GetSlot(slot);
    if (!s || !s->hasPicture)
        return;
    av_frame_unref(s->picture);
    s->hasPicture = false;
}

size_t CH264Decoder::useSwscaleLibrary(int slot, AVPixelFormat format, unsigned char* output,
                                      size_t capacity, int outWidth, int outHeight, int outStride)
{
    Slot* s = GetSlot(slot);
    if (!s || !s->hasPicture || !output)
        return 0;
    // One converter per thread: the slots a thread decodes (a DVR's channels) share their
    // sizes, so the converter is made once instead of once per slot.
    thread_local CPictureScaler converter;
    if (!converter.scale(s->picture->data, s->picture->linesize, s->picture->width,
                            s->picture->height, static_cast<AVPixelFormat>(s->picture->format),
                            output, capacity, outWidth, outHeight, outStride, format)) {
        std::printf("[ERROR] Failed to convert the picture.\n");
        return 0;
    }
    return static_cast<size_t>(outStride) * static_cast<size_t>(outHeight);
}

void CH264Decoder::SetPixelFormat(const AVPixelFormat& format)
{
    if (IsShowableFormat(format))
        m_pixelFormat = format;
}

AVPixelFormat CH264Decoder::GetPixelFormat() const
{
    return static_cast<AVPixelFormat>(m_pixelFormat.load());
}

void CH264Decoder::changeOpenglOption(bool flag)
{
    m_opengl = flag;
    m_pixelFormat = AV_PIX_FMT_RGB24;
}

void CH264Decoder::setDeinterlaced(bool flag) { m_deinterlace = flag; }

int CH264Decoder::getNumCPUCores()
{
    const long n = sysconf(_SC_NPROCESSORS_CONF);
    return n > 0 ? static_cast<int>(n) : 1;
}

int CH264Decoder::getSliceThreads() { return std::min(getNumCPUCores(), MAX_SLICE_THREADS); }

bool CH264Decoder::IsShowableFormat(AVPixelFormat format)
{
    switch (format) {
    case AV_PIX_FMT_RGB24:
    case AV_PIX_FMT_BGR24:
    case AV_PIX_FMT_RGBA:
    case AV_PIX_FMT_BGRA:
    case AV_PIX_FMT_GRAY8:
        return true;
    default:
        return false;
    }
}

size_t CH264Decoder::PictureBytes(AVPixelFormat format, int width, int height)
{
    if (width <= 0 || height <= 0)
        return 0;
    const int bytes = av_image_get_buffer_size(format, width, height, 1);
    return bytes > 0 ? static_cast<size_t>(bytes) : 0;
}
