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
            const auto from = static_cast<AVPixelFormat>(frame->format);
            sws = sws_getCachedContext(sws, frame->width, frame->height, from, frame->width, frame->height, fmt,
                                       SWS_FAST_BILINEAR, nullptr, nullptr, nullptr);
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

std::vector<testmedia::AccessUnit> DvrStyleMpeg4(const testmedia::Clip& clip)
{
    xvid_gbl_init_t init{};
    init.version = XVID_VERSION;
    xvid_global(nullptr, XVID_GBL_INIT, &init, nullptr);
    xvid_enc_create_t create{};
    create.version = XVID_VERSION;
    create.width = clip.width;
    create.height = clip.height;
    create.fincr = 1001;
    create.fbase = 30000;
    create.max_key_interval = 30;
    xvid_encore(nullptr, XVID_ENC_CREATE, &create, nullptr);

    std::vector<Picture> yuv = DecodeWithLibavcodec(clip, AV_PIX_FMT_YUV420P);
    std::vector<uint8_t> bits(1 << 20);
    std::vector<testmedia::AccessUnit> out;
    for (size_t i = 0; i < yuv.size(); ++i) {
        xvid_enc_frame_t frame{};
        frame.version = XVID_VERSION;
        frame.vol_flags = XVID_VOL_MPEGQUANT | (clip.height >= 480 ? XVID_VOL_INTERLACING : 0);
        frame.vop_flags = XVID_VOP_HALFPEL | XVID_VOP_INTER4V;
        frame.input.csp = XVID_CSP_I420;
        frame.input.plane[0] = yuv[i].data();
        frame.input.stride[0] = clip.width;
        frame.type = clip.units[i].key ? XVID_TYPE_IVOP : XVID_TYPE_PVOP;
        frame.quant = 4;
        frame.bitstream = bits.data();
        frame.length = static_cast<int>(bits.size());
        const int n = xvid_encore(create.handle, XVID_ENC_ENCODE, &frame, nullptr);
        if (n > 0)
            out.push_back({Picture(bits.begin(), bits.begin() + n), (frame.out_flags & XVID_KEYFRAME) != 0});
    }
    xvid_encore(create.handle, XVID_ENC_DESTROY, nullptr, nullptr);
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
