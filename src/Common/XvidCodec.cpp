#include "XvidCodec.h"

#include <xvid.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr int XVID_API_VERSION = XVID_MAKE_VERSION(1, 1, 0);

// The VOL header DVR streams leave out (704 x 240, progressive); bytes 23-27 carry the size.
const unsigned char glBufStrh[CXvidCodec::HEADER_SIZE] = {
    0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x20, 0x02, 0x48, 0x0D, 0xC0, 0x00, 0x40, 0x00,
    0x40, 0x00, 0x40, 0x00, 0x80, 0x00, 0x97, 0x53, 0x0A, 0x2C, 0x08, 0x3C, 0x28, 0x8C, 0x1F,
};

// xvidcore reads its bitstream a word at a time, a few bytes past the end.
constexpr size_t INPUT_PADDING = 64;

// A frame may carry its own VOL ahead of the picture; each one costs one call.
constexpr int MAX_HEADERS_PER_FRAME = 4;

// Whether bits hold a VOL start code (00 00 01 20 to 2F).
bool HoldsVol(const unsigned char* bits, size_t length)
{
    for (size_t i = 0; i + 3 < length; ++i) {
        if (bits[i] == 0 && bits[i + 1] == 0 && bits[i + 2] == 1 && (bits[i + 3] & 0xF0) == 0x20)
            return true;
    }
    return false;
}

}  // namespace

struct CXvidCodec::Slot {
    void* handle = nullptr;
    FrameSize handleSize;  // the picture size the handle was made for
    std::atomic<bool> headerNeeded{true};
    FrameSize streamSize;
    std::vector<unsigned char> input;  // the frame with zero padding behind it
};

CXvidCodec::CXvidCodec() = default;

CXvidCodec::~CXvidCodec() { deinit(); }

void CXvidCodec::init(int n)
{
    if (m_slots)
        deinit();
    m_count = std::max(0, n);
    if (m_count == 0)
        return;
    m_slots.reset(new Slot[m_count]);

    xvid_gbl_init_t global;
    std::memset(&global, 0, sizeof global);
    global.version = XVID_API_VERSION;
    global.cpu_flags = 0;  // the library detects the processor
    xvid_global(nullptr, XVID_GBL_INIT, &global, nullptr);

    // Handles are created by a slot's first frame: a wall of H.264 cells needs none.
}

void CXvidCodec::deinit()
{
    for (int i = 0; i < m_count; ++i) {
        if (m_slots[i].handle)
            xvid_decore(m_slots[i].handle, XVID_DEC_DESTROY, nullptr, nullptr);
    }
    m_slots.reset();
    m_count = 0;
}

CXvidCodec::Slot* CXvidCodec::GetSlot(int slot) const
{
    if (slot < 0 || slot >= m_count)
        return nullptr;
    return &m_slots[slot];
}

void CXvidCodec::reset()
{
    for (int i = 0; i < m_count; ++i)
        m_slots[i].headerNeeded = true;
}

void CXvidCodec::reset(int slot)
{
    if (Slot* s = GetSlot(slot))
        s->headerNeeded = true;
}

void CXvidCodec::close(int slot)
{
    Slot* s = GetSlot(slot);
    if (!s || !s->handle)
        return;
    xvid_decore(s->handle, XVID_DEC_DESTROY, nullptr, nullptr);
    s->handle = nullptr;
    s->streamSize = FrameSize();
    s->headerNeeded = true;
}

void CXvidCodec::MakeMP4SeqHdr(int width, int height, bool interlaced, unsigned char* out)
{
    std::memcpy(out, glBufStrh, HEADER_SIZE);
    out[23] = static_cast<unsigned char>((width >> 12) + 10);
    out[24] = static_cast<unsigned char>((width >> 4) & 0xFF);
    out[25] = static_cast<unsigned char>(((width & 0x0F) << 4) | 0x08 | ((height >> 10) & 7));
    out[26] = static_cast<unsigned char>((height >> 2) & 0xFF);
    out[27] = static_cast<unsigned char>(((height & 3) << 6) | (interlaced ? 0x38 : 0x28));
}

size_t CXvidCodec::OutputBytes(int width, int height)
{
    if (width <= 0 || height <= 0)
        return 0;
    const size_t rows = (static_cast<size_t>(height) + 15) / 16 * 16;
    return static_cast<size_t>(width) * 4 * rows + 256;
}

FrameSize CXvidCodec::GetStreamSize(int slot) const
{
    const Slot* s = GetSlot(slot);
    return s ? s->streamSize : FrameSize();
}

int CXvidCodec::decodeFrame(int slot, int width, int height, const unsigned char* data,
                            unsigned char* output, size_t length)
{
    Output out;
    out.bgra = output;
    return decode(slot, width, height, data, length, out) ? width * height * 4 : 0;
}

bool CXvidCodec::decodeFramePlanes(int slot, int width, int height, const unsigned char* data,
                                   size_t length, unsigned char* const planes[3], const int strides[3])
{
    if (!planes || !strides || !planes[0] || !planes[1] || !planes[2])
        return false;
    Output out;
    out.planes = planes;
    out.strides = strides;
    return decode(slot, width, height, data, length, out);
}

bool CXvidCodec::decode(int slot, int width, int height, const unsigned char* data, size_t length,
                        const Output& output)
{
    Slot* s = GetSlot(slot);
    if (!s || width <= 0 || height <= 0 || !data || length == 0)
        return false;
    if (length > static_cast<size_t>(INT32_MAX) - INPUT_PADDING ||
        static_cast<int64_t>(width) * height > INT32_MAX / 4)
        return false;

    auto decode = [&](const unsigned char* bits, size_t size, bool out, xvid_dec_stats_t* stats) {
        xvid_dec_frame_t frame;
        std::memset(&frame, 0, sizeof frame);
        frame.version = XVID_API_VERSION;
        frame.general = XVID_LOWDELAY;
        frame.bitstream = const_cast<unsigned char*>(bits);
        frame.length = static_cast<int>(size);
        if (!out) {
            frame.output.csp = XVID_CSP_NULL;
        } else if (output.bgra) {
            frame.output.csp = XVID_CSP_BGRA;
            frame.output.plane[0] = output.bgra;
            frame.output.stride[0] = width * 4;
        } else {
            frame.output.csp = XVID_CSP_PLANAR;
            for (int i = 0; i < 3; ++i) {
                frame.output.plane[i] = output.planes[i];
                frame.output.stride[i] = output.strides[i];
            }
        }
        frame.brightness = 0;
        std::memset(stats, 0, sizeof *stats);
        stats->version = XVID_API_VERSION;
        return xvid_decore(s->handle, XVID_DEC_DECODE, &frame, stats);
    };

    // A handle keeps the size it was made for: a VOL announcing another size is skipped by
    // xvidcore instead of making it allocate pictures of that size (a broken size in a frame
    // would cost gigabytes).
    if (s->handle && (s->handleSize.width != width || s->handleSize.height != height))
        close(slot);
    if (!s->handle) {
        xvid_dec_create_t create;
        std::memset(&create, 0, sizeof create);
        create.version = XVID_API_VERSION;
        create.width = width;
        create.height = height;
        if (xvid_decore(nullptr, XVID_DEC_CREATE, &create, nullptr) < 0 || !create.handle)
            return false;
        s->handle = create.handle;
        s->handleSize = FrameSize{width, height};
        s->headerNeeded = true;
    }

    xvid_dec_stats_t stats;
    if (s->headerNeeded.exchange(false)) {
        unsigned char header[HEADER_SIZE + INPUT_PADDING] = {};
        MakeMP4SeqHdr(width, height, height >= 480, header);
        decode(header, HEADER_SIZE, false, &stats);
        if (stats.type == XVID_TYPE_VOL)
            s->streamSize = FrameSize{stats.data.vol.width, stats.data.vol.height};
    }

    s->input.resize(length + INPUT_PADDING);
    std::memcpy(s->input.data(), data, length);
    std::memset(s->input.data() + length, 0, INPUT_PADDING);

    const unsigned char* bits = s->input.data();
    size_t left = length;
    for (int i = 0; i < MAX_HEADERS_PER_FRAME && left > 0; ++i) {
        // xvidcore writes the picture in the stream's own size: only a matching buffer
        // takes it.
        const bool fits =
            output.wanted() && s->streamSize.width == width && s->streamSize.height == height;
        const int result = decode(bits, left, fits, &stats);
        if (result < 0)
            return false;
        // A stream xvidcore misreads can make it count bytes far past the frame.
        const size_t used = std::min(static_cast<size_t>(result), left);
        const bool vol = stats.type == XVID_TYPE_VOL;
        if (vol || HoldsVol(bits, used)) {
            // A VOL of another size is skipped, not taken: what follows it is coded for a
            // picture this slot cannot show.
            s->streamSize = vol ? FrameSize{stats.data.vol.width, stats.data.vol.height} : FrameSize();
            if (used == 0 || used >= left)
                return false;
            bits += used;
            left -= used;
            continue;
        }
        return stats.type > 0 && fits;
    }
    return false;
}
