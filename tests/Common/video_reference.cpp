#include "video_reference.h"

#include <cmath>

#include <xvid.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

namespace videotest {

std::vector<Picture> DecodeWithLibavcodec(const testmedia::Clip& clip, int format)
{
    std::vector<Picture> out;
    const AVCodec* codec =
        avcodec_find_decoder(clip.codec == testmedia::Codec::H264 ? AV_CODEC_ID_H264 : AV_CODEC_ID_MPEG4);
    AVCodecContext* ctx = avcodec_alloc_context3(codec);
    ctx->thread_count = 1;
    ctx->flags |= AV_CODEC_FLAG_LOW_DELAY;
    AVPacket* pkt = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    SwsContext* sws = nullptr;
    const auto fmt = static_cast<AVPixelFormat>(format);
    const bool open = avcodec_open2(ctx, codec, nullptr) == 0;
    for (size_t i = 0; open && i < clip.units.size(); ++i) {
        pkt->data = const_cast<uint8_t*>(clip.units[i].data.data());
        pkt->size = static_cast<int>(clip.units[i].data.size());
        avcodec_send_packet(ctx, pkt);
        while (avcodec_receive_frame(ctx, frame) == 0) {
            sws = sws_getCachedContext(sws, frame->width, frame->height, static_cast<AVPixelFormat>(frame->format),
                                       frame->width, frame->height, fmt, SWS_FAST_BILINEAR, nullptr, nullptr, nullptr);
            Picture p(av_image_get_buffer_size(fmt, frame->width, frame->height, 1));
            uint8_t* planes[4];
            int strides[4];
            av_image_fill_arrays(planes, strides, p.data(), fmt, frame->width, frame->height, 1);
            sws_scale(sws, frame->data, frame->linesize, 0, frame->height, planes, strides);
            out.push_back(std::move(p));
        }
    }
    sws_freeContext(sws);
    av_frame_free(&frame);
    av_packet_free(&pkt);
    avcodec_free_context(&ctx);
    return out;
}

namespace {

void* XvidDecoder()
{
    xvid_gbl_init_t init{};
    init.version = XVID_VERSION;
    xvid_global(nullptr, XVID_GBL_INIT, &init, nullptr);
    xvid_dec_create_t create{};
    create.version = XVID_VERSION;
    xvid_decore(nullptr, XVID_DEC_CREATE, &create, nullptr);
    return create.handle;
}

// Decodes one unit, stepping over VOL headers; the type of the last thing decoded
// (> 0: a picture was written, XVID_TYPE_VOL: a header), 0 on an error.
int XvidDecode(void* handle, const uint8_t* data, size_t size, int csp, uint8_t* out, int stride,
               FrameSize* vol = nullptr)
{
    std::vector<uint8_t> padded(data, data + size);
    padded.resize(size + 64, 0);
    int type = 0;
    for (size_t pos = 0; pos < size && type <= 0;) {
        xvid_dec_frame_t frame{};
        frame.version = XVID_VERSION;
        frame.general = XVID_LOWDELAY;
        frame.bitstream = padded.data() + pos;
        frame.length = static_cast<int>(size - pos);
        frame.output.csp = csp;
        frame.output.plane[0] = out;
        frame.output.stride[0] = stride;
        xvid_dec_stats_t stats{};
        stats.version = XVID_VERSION;
        const int used = xvid_decore(handle, XVID_DEC_DECODE, &frame, &stats);
        if (used <= 0)
            return 0;
        pos += static_cast<size_t>(used);
        type = stats.type;
        if (type == XVID_TYPE_VOL && vol)
            *vol = FrameSize{stats.data.vol.width, stats.data.vol.height};
    }
    return type;
}

}  // namespace

std::vector<Picture> DecodeWithXvid(const std::vector<testmedia::AccessUnit>& units, int width, int height)
{
    std::vector<Picture> out;
    void* handle = XvidDecoder();
    Picture picture(static_cast<size_t>(width) * 4 * (height + 16));
    for (const auto& unit : units) {
        if (XvidDecode(handle, unit.data.data(), unit.data.size(), XVID_CSP_BGRA, picture.data(), width * 4) > 0)
            out.emplace_back(picture.begin(), picture.begin() + size_t(width) * 4 * height);
    }
    xvid_decore(handle, XVID_DEC_DESTROY, nullptr, nullptr);
    return out;
}

FrameSize ReadVolSize(const unsigned char* header, int size)
{
    void* handle = XvidDecoder();
    FrameSize vol;
    XvidDecode(handle, header, size_t(size), XVID_CSP_NULL, nullptr, 0, &vol);
    xvid_decore(handle, XVID_DEC_DESTROY, nullptr, nullptr);
    return vol;
}

std::vector<testmedia::AccessUnit> DvrStyleMpeg4(const testmedia::Clip& clip)
{
    const int w = clip.width;
    const int h = clip.height;
    void* decoder = XvidDecoder();
    xvid_enc_create_t create{};
    create.version = XVID_VERSION;
    create.width = w;
    create.height = h;
    create.fincr = 1001;
    create.fbase = 30000;
    create.max_key_interval = 30;
    xvid_encore(nullptr, XVID_ENC_CREATE, &create, nullptr);

    std::vector<uint8_t> yuv(static_cast<size_t>(w) * (h + 16) * 3 / 2);
    std::vector<uint8_t> bits(1 << 20);
    std::vector<testmedia::AccessUnit> out;
    for (const auto& unit : clip.units) {
        if (XvidDecode(decoder, unit.data.data(), unit.data.size(), XVID_CSP_I420, yuv.data(), w) <= 0)
            continue;
        xvid_enc_frame_t frame{};
        frame.version = XVID_VERSION;
        frame.vol_flags = XVID_VOL_MPEGQUANT | (h >= 480 ? XVID_VOL_INTERLACING : 0);
        frame.vop_flags = XVID_VOP_HALFPEL | XVID_VOP_INTER4V;
        frame.input.csp = XVID_CSP_I420;
        frame.input.plane[0] = yuv.data();
        frame.input.stride[0] = w;
        frame.type = unit.key ? XVID_TYPE_IVOP : XVID_TYPE_PVOP;
        frame.quant = 4;
        frame.bitstream = bits.data();
        frame.length = static_cast<int>(bits.size());
        const int n = xvid_encore(create.handle, XVID_ENC_ENCODE, &frame, nullptr);
        if (n > 0)
            out.push_back({std::vector<uint8_t>(bits.begin(), bits.begin() + n), (frame.out_flags & XVID_KEYFRAME) != 0});
    }
    xvid_encore(create.handle, XVID_ENC_DESTROY, nullptr, nullptr);
    xvid_decore(decoder, XVID_DEC_DESTROY, nullptr, nullptr);
    return out;
}

std::vector<testmedia::AccessUnit> WithoutHeaders(std::vector<testmedia::AccessUnit> units)
{
    // Everything before the picture's start code is sequence header.
    for (auto& unit : units) {
        auto& d = unit.data;
        for (size_t k = 0; k + 3 < d.size(); ++k) {
            if (d[k] == 0 && d[k + 1] == 0 && d[k + 2] == 1 && d[k + 3] == 0xB6) {
                d.erase(d.begin(), d.begin() + long(k));
                break;
            }
        }
    }
    return units;
}

double PsnrBgra(const uint8_t* a, const uint8_t* b, int width, int height)
{
    double sum = 0;
    const size_t n = size_t(width) * height * 3;
    for (size_t i = 0; i < n; ++i) {
        const double d = double(a[i / 3 * 4 + i % 3]) - double(b[i / 3 * 4 + i % 3]);
        sum += d * d;
    }
    return sum == 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 * double(n) / sum);
}

}  // namespace videotest
