#pragma once

// The test clips decoded by libavcodec on its own, as the reference for the decoders' pictures.

#include "support/TestMedia.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

// Decodes the clip with one single-threaded decoder and hands every picture to take.
template <typename Take>
void EachLibavcodecPicture(const testmedia::Clip& clip, Take take)
{
    const AVCodec* codec =
        avcodec_find_decoder(clip.codec == testmedia::Codec::H264 ? AV_CODEC_ID_H264 : AV_CODEC_ID_MPEG4);
    AVCodecContext* ctx = avcodec_alloc_context3(codec);
    ctx->thread_count = 1;
    ctx->flags |= AV_CODEC_FLAG_LOW_DELAY;
    AVPacket* pkt = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    const bool open = avcodec_open2(ctx, codec, nullptr) == 0;
    for (size_t i = 0; open && i < clip.units.size(); ++i) {
        pkt->data = const_cast<uint8_t*>(clip.units[i].data.data());
        pkt->size = static_cast<int>(clip.units[i].data.size());
        avcodec_send_packet(ctx, pkt);
        while (avcodec_receive_frame(ctx, frame) == 0)
            take(frame);
    }
    av_frame_free(&frame);
    av_packet_free(&pkt);
    avcodec_free_context(&ctx);
}
