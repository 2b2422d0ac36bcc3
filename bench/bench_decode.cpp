// Decoding cost of the display path against plain library calls, one frame per iteration,
// on the generated test clips (noisy D1 at 2 Mbit/s, CIF at 512 kbit/s):
//   Bare*      the library alone: libavcodec + libswscale to RGB24 (H.264 and MPEG-4), and
//              xvidcore to BGRA (the MPEG-4 decoder the display uses)
//   Display*   CDisplayVideo::makeImage on a framed packet, up to the CDisplayInfo handed on
// BareLibavcodec's argument is the slice-thread count (the slot decoders use one).
// Run with --benchmark_repetitions=10 --benchmark_enable_random_interleaving=true
// --benchmark_report_aggregates_only=true: interleaving keeps the pairs comparable on a busy
// machine. Run Memory_64CifCells alone (--benchmark_filter=Memory) for a clean figure.
// Memory_64CifCells reports the resident size of the process with 64 CIF cells in use.
// Memory_64CifSlotsVsBare feeds the whole CIF H.264 clip to 64 CDecodeVideo slots set up as
// the display sets them up (32-bit pictures at a Live M 8 x 8 cell's size, each latest picture
// held, as a cell holds it) and to 64 bare libavcodec decoders, each side in
// a child process of its own, and reports what each added to the anonymous resident memory
// (slots_MB, bare_MB) and their ratio.

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <xvid.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

#include "Common/DecodeVideo.h"
#include "Display/DisplayVideo.h"
#include "Display/DisplayWidget.h"
#include "Display/Screen.h"
#include "support/TestMedia.h"

using testmedia::Clip;
using testmedia::Codec;

namespace {

const Clip& GetClip(Codec codec, const std::string& size)
{
    static std::map<std::string, Clip> clips;
    const std::string key = (codec == Codec::H264 ? "h264_" : "mpeg4_") + size;
    auto it = clips.find(key);
    if (it == clips.end())
        it = clips.emplace(key, testmedia::LoadClip(codec, size)).first;
    return it->second;
}

// ---- (a) the libraries alone ------------------------------------------------------------

void BareLibavcodec(benchmark::State& state, Codec codec, const char* size)
{
    const Clip& clip = GetClip(codec, size);
    const AVCodec* decoder =
        avcodec_find_decoder(codec == Codec::H264 ? AV_CODEC_ID_H264 : AV_CODEC_ID_MPEG4);
    AVCodecContext* ctx = avcodec_alloc_context3(decoder);
    ctx->thread_type = FF_THREAD_SLICE;
    ctx->thread_count = static_cast<int>(state.range(0));
    ctx->flags |= AV_CODEC_FLAG_LOW_DELAY;
    avcodec_open2(ctx, decoder, nullptr);
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    SwsContext* sws = nullptr;
    std::vector<uint8_t> rgb(size_t(clip.width) * clip.height * 3 + 256);
    size_t i = 0;
    int64_t pictures = 0;
    for (auto _ : state) {
        const auto& unit = clip.units[i];
        i = (i + 1) % clip.units.size();
        packet->data = const_cast<uint8_t*>(unit.data.data());
        packet->size = static_cast<int>(unit.data.size());
        avcodec_send_packet(ctx, packet);
        while (avcodec_receive_frame(ctx, frame) == 0) {
            sws = sws_getCachedContext(sws, frame->width, frame->height,
                                       static_cast<AVPixelFormat>(frame->format), frame->width,
                                       frame->height, AV_PIX_FMT_RGB24, SWS_FAST_BILINEAR,
                                       nullptr, nullptr, nullptr);
            uint8_t* planes[4];
            int strides[4];
            av_image_fill_arrays(planes, strides, rgb.data(), AV_PIX_FMT_RGB24, frame->width,
                                 frame->height, 1);
            sws_scale(sws, frame->data, frame->linesize, 0, frame->height, planes, strides);
            ++pictures;
        }
        benchmark::DoNotOptimize(rgb.data());
    }
    state.counters["pictures"] = double(pictures);
    sws_freeContext(sws);
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&ctx);
}

void BareXvid(benchmark::State& state, const char* size)
{
    const Clip& clip = GetClip(Codec::Mpeg4, size);
    xvid_gbl_init_t init;
    std::memset(&init, 0, sizeof init);
    init.version = XVID_VERSION;
    xvid_global(nullptr, XVID_GBL_INIT, &init, nullptr);
    xvid_dec_create_t create;
    std::memset(&create, 0, sizeof create);
    create.version = XVID_VERSION;
    xvid_decore(nullptr, XVID_DEC_CREATE, &create, nullptr);
    std::vector<uint8_t> bgra(size_t(clip.width) * 4 * (clip.height + 16));
    size_t i = 0;
    int64_t pictures = 0;
    for (auto _ : state) {
        const auto& unit = clip.units[i];
        i = (i + 1) % clip.units.size();
        size_t pos = 0;
        while (pos < unit.data.size()) {
            xvid_dec_frame_t frame;
            std::memset(&frame, 0, sizeof frame);
            frame.version = XVID_VERSION;
            frame.general = XVID_LOWDELAY;
            frame.bitstream = const_cast<uint8_t*>(unit.data.data() + pos);
            frame.length = static_cast<int>(unit.data.size() - pos);
            frame.output.csp = XVID_CSP_BGRA;
            frame.output.plane[0] = bgra.data();
            frame.output.stride[0] = clip.width * 4;
            xvid_dec_stats_t stats;
            std::memset(&stats, 0, sizeof stats);
            stats.version = XVID_VERSION;
            const int used = xvid_decore(create.handle, XVID_DEC_DECODE, &frame, &stats);
            if (used <= 0)
                break;
            pos += size_t(used);
            if (stats.type > 0) {
                ++pictures;
                break;
            }
        }
        benchmark::DoNotOptimize(bgra.data());
    }
    state.counters["pictures"] = double(pictures);
    xvid_decore(create.handle, XVID_DEC_DESTROY, nullptr, nullptr);
}

// ---- (b) the display path -----------------------------------------------------------------

void PutBe(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    for (int k = 0; k < 4; ++k)
        b[at + k] = uint8_t(v >> (24 - 8 * k));
}

// The clip's units framed as a DVR sends them: H.264 behind a 36-byte current-protocol
// header, MPEG-4 behind an 80-byte old-protocol one.
std::vector<std::vector<uint8_t>> Framed(const Clip& clip)
{
    std::vector<std::vector<uint8_t>> frames;
    for (size_t i = 0; i < clip.units.size(); ++i) {
        const auto& data = clip.units[i].data;
        std::vector<uint8_t> f;
        if (clip.codec == Codec::H264) {
            f.assign(36, 0);
            f[0] = clip.units[i].key ? 0 : 1;
            const uint32_t n = uint32_t(data.size());
            std::memcpy(&f[4], &n, 4);
            f[8] = uint8_t(clip.width);
            f[9] = uint8_t(clip.width >> 8);
            f[10] = uint8_t(clip.height);
            f[11] = uint8_t(clip.height >> 8);
            const uint32_t sec = 1000000 + uint32_t(i / 30);
            std::memcpy(&f[12], &sec, 4);
        } else {
            f.assign(80, 0);
            f[0] = 'U';
            f[1] = 'M';
            PutBe(f, 2, 80);
            PutBe(f, 8, uint32_t(data.size()));
            f[12] = clip.width == 704 ? 0x04 : 0x02;  // resolution code 2 or 1
            f[16] = 6;
            PutBe(f, 17, ((clip.units[i].key ? 0u : 1u) << 22) | uint32_t(data.size()));
            PutBe(f, 37, 1000000 + uint32_t(i / 30));
            PutBe(f, 57, uint32_t(data.size()));
        }
        f.insert(f.end(), data.begin(), data.end());
        frames.push_back(std::move(f));
    }
    return frames;
}

_DISPLAY_CHANNEL_INFO LiveCell(const Clip& clip, int cell)
{
    _DISPLAY_CHANNEL_INFO info;
    info.displayMode = DISPLAY_MODE::LIVE;
    info.widgetIndex = cell;
    info.screen = cell;
    info.dvrName = QStringLiteral("DVR");
    info.channelName = QStringLiteral("CH1");
    info.protocolType = clip.codec == Codec::H264 ? PROTOCOL_CFRAME_H264 : PROTOCOL_CUFRAME_MPEG4;
    return info;
}

void Display(benchmark::State& state, Codec codec, const char* size)
{
    const Clip& clip = GetClip(codec, size);
    const auto frames = Framed(clip);
    CDisplayVideo dv;
    dv.changeOpenglOption(true);
    // The cell keeps the last picture, as the display does.
    CDisplayInfo shown;
    int64_t pictures = 0;
    QObject::connect(
        &dv, &CDisplayVideo::signalUpdateScreen, &dv,
        [&](const CDisplayInfo& info) {
            shown = info;
            ++pictures;
        },
        Qt::DirectConnection);
    const _DISPLAY_CHANNEL_INFO info = LiveCell(clip, 0);
    size_t i = 0;
    for (auto _ : state) {
        const auto& f = frames[i];
        i = (i + 1) % frames.size();
        dv.makeImage(info, f.data(), f.size());
    }
    state.counters["pictures"] = double(pictures);
}

// A line of /proc/self/status such as "VmRSS" or "RssAnon", in kB.
long StatusKb(const char* field = "VmRSS")
{
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f)
        return 0;
    const std::string format = std::string(field) + ": %ld kB";
    char line[256];
    long kb = 0;
    while (std::fgets(line, sizeof line, f)) {
        if (std::sscanf(line, format.c_str(), &kb) == 1)
            break;
    }
    std::fclose(f);
    return kb;
}

long ResidentKb() { return StatusKb(); }

// 64 cells of CIF H.264, each with its picture held by its cell, then local playback's
// 16 queues filled once through.
void Memory_64CifCells(benchmark::State& state)
{
    const Clip& clip = GetClip(Codec::H264, "cif");
    const auto frames = Framed(clip);
    const long before = ResidentKb();
    for (auto _ : state) {
        CDisplayVideo dv;
        dv.changeOpenglOption(true);
        std::vector<CDisplayInfo> cells(CDisplayVideo::MAX_SLOTS);
        QObject::connect(
            &dv, &CDisplayVideo::signalUpdateScreen, &dv,
            [&](const CDisplayInfo& info) { cells[size_t(info.screen)] = info; },
            Qt::DirectConnection);
        for (const auto& f : frames) {
            for (int cell = 0; cell < CDisplayVideo::MAX_SLOTS; ++cell)
                dv.makeImage(LiveCell(clip, cell), f.data(), f.size());
        }
        const long live = ResidentKb();
        state.counters["rss_MB"] = double(live) / 1024.0;
        state.counters["rss_before_MB"] = double(before) / 1024.0;

        // Local playback: the 16 queues (2 MiB each) are touched as frames pass through.
        dv.startDecodeThread(CDisplayVideo::MAX_CHANNELS, DISPLAY_MODE::LOCAL_PLAYBACK);
        for (int ch = 0; ch < CDisplayVideo::MAX_CHANNELS; ++ch) {
            _DISPLAY_CHANNEL_INFO info = LiveCell(clip, ch);
            info.displayMode = DISPLAY_MODE::LOCAL_PLAYBACK;
            info.pbMode = PB_FORWARD_256X;
            for (int round = 0; round < 8; ++round) {
                for (const auto& f : frames) {
                    std::vector<uint8_t> g(f);
                    g[1] = uint8_t(ch);
                    dv.makeImage(info, g.data(), g.size());
                }
            }
        }
        state.counters["rss_playback_MB"] = double(ResidentKb()) / 1024.0;
        dv.exitDecodeThread();
    }
}

// What work adds to the anonymous resident memory (code pages left out), in MiB, run in a
// child process so that neither side of a comparison reuses what the other freed. -1 when
// the child failed.
double AnonGrowthInChild(const std::function<void()>& work)
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        // Heap this process freed before would be taken again without showing as growth.
        malloc_trim(0);
        const long before = StatusKb("RssAnon");
        work();
        const double mb = double(StatusKb("RssAnon") - before) / 1024.0;
        _exit(write(fds[1], &mb, sizeof mb) == sizeof mb ? 0 : 1);
    }
    close(fds[1]);
    double mb = -1;
    if (pid < 0 || read(fds[0], &mb, sizeof mb) != sizeof mb)
        mb = -1;
    close(fds[0]);
    int status = 0;
    if (pid > 0 && (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0))
        mb = -1;
    return mb;
}

constexpr int MEMORY_CELLS = 64;

// The feeders keep what they made: the child measures after they return, then exits.
void FeedSlots(const Clip& clip)
{
    auto* dv = new CDecodeVideo;
    dv->Init(MEMORY_CELLS);
    dv->changeOpenglOption(true);
    // As the display sets its slots up: 32-bit pictures at the size of a Live M 8 x 8 cell.
    dv->SetPixelFormat(AV_PIX_FMT_BGRA);
    const QSize cell = CScreen::gridRects(MEMORY_CELLS, QSize(CDisplayWidget::MAX_IMAGE_VIEW_WIDTH,
                                                               CDisplayWidget::MAX_IMAGE_VIEW_HEIGHT_LIVE),
                                          CDisplayWidget::SCREEN_SPACE)[0].size();
    for (int slot = 0; slot < MEMORY_CELLS; ++slot)
        dv->SetOutputSize(slot, cell);
    auto* shown = new std::vector<QImage>(MEMORY_CELLS);
    for (const auto& unit : clip.units) {
        for (int slot = 0; slot < MEMORY_CELLS; ++slot) {
            if (dv->DecodeFrame(PROTOCOL_CFRAME_H264, slot, unit.data.data(), unit.data.size(),
                                FrameSize{clip.width, clip.height}, unit.key ? FRAME_KEY : FRAME_DELTA) > 0)
                (*shown)[size_t(slot)] = dv->GetDecodedImage(slot);
        }
    }
}

void FeedBare(const Clip& clip)
{
    const AVCodec* decoder = avcodec_find_decoder(AV_CODEC_ID_H264);
    std::vector<AVCodecContext*> contexts;
    AVPacket* packet = av_packet_alloc();
    std::vector<AVFrame*> frames;
    for (int i = 0; i < MEMORY_CELLS; ++i) {
        AVCodecContext* ctx = avcodec_alloc_context3(decoder);
        ctx->thread_type = FF_THREAD_SLICE;
        ctx->thread_count = 1;
        ctx->flags |= AV_CODEC_FLAG_LOW_DELAY;
        avcodec_open2(ctx, decoder, nullptr);
        contexts.push_back(ctx);
        frames.push_back(av_frame_alloc());
    }
    for (const auto& unit : clip.units) {
        for (int i = 0; i < MEMORY_CELLS; ++i) {
            packet->data = const_cast<uint8_t*>(unit.data.data());
            packet->size = static_cast<int>(unit.data.size());
            avcodec_send_packet(contexts[size_t(i)], packet);
            while (avcodec_receive_frame(contexts[size_t(i)], frames[size_t(i)]) == 0) {
            }
        }
    }
}

void Memory_64CifSlotsVsBare(benchmark::State& state)
{
    const Clip& clip = GetClip(Codec::H264, "cif");
    for (auto _ : state) {
        const double slotMb = AnonGrowthInChild([&] { FeedSlots(clip); });
        const double bareMb = AnonGrowthInChild([&] { FeedBare(clip); });
        if (slotMb < 0 || bareMb <= 0) {
            state.SkipWithError("a measuring child failed");
            return;
        }
        state.counters["slots_MB"] = slotMb;
        state.counters["bare_MB"] = bareMb;
        state.counters["ratio"] = slotMb / bareMb;
    }
}

}  // namespace

BENCHMARK_CAPTURE(BareLibavcodec, h264_d1, Codec::H264, "d1")->Arg(1)->Arg(2)->Arg(4);
BENCHMARK_CAPTURE(Display, h264_d1, Codec::H264, "d1");
BENCHMARK_CAPTURE(BareLibavcodec, h264_cif, Codec::H264, "cif")->Arg(1)->Arg(2)->Arg(4);
BENCHMARK_CAPTURE(Display, h264_cif, Codec::H264, "cif");
BENCHMARK_CAPTURE(BareLibavcodec, mpeg4_d1, Codec::Mpeg4, "d1")->Arg(1);
BENCHMARK_CAPTURE(BareXvid, mpeg4_d1, "d1");
BENCHMARK_CAPTURE(Display, mpeg4_d1, Codec::Mpeg4, "d1");
BENCHMARK_CAPTURE(BareLibavcodec, mpeg4_cif, Codec::Mpeg4, "cif")->Arg(1);
BENCHMARK_CAPTURE(BareXvid, mpeg4_cif, "cif");
BENCHMARK_CAPTURE(Display, mpeg4_cif, Codec::Mpeg4, "cif");
BENCHMARK(Memory_64CifCells)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Memory_64CifSlotsVsBare)->Iterations(1)->Unit(benchmark::kMillisecond);
