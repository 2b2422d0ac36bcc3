// PC recording and local playback, on the generated noisy D1 H.264 clip (2 Mbit/s):
//   Record/raw, Record/avi  16 channels at 30 fps through CRecord::writeFrame, as a stream
//                           thread calls it: cpu_s_per_MB is the recorder's CPU time per MB
//                           recorded, stream_share the CPU it takes per second of the
//                           16-channel stream (the stream thread's added load; goal < 5%).
//   Playback16X             a 16-channel recording played at +16X by CPlaybackFile into 16
//                           local-playback decode threads, with a clock whose waits return at
//                           once: frames_per_s is what reader and decoders sustain.
// Run from a Release build: bench/bench_record --benchmark_repetitions=3

#include <benchmark/benchmark.h>

#include <time.h>

#include <atomic>
#include <cmath>

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include "Common/Frame.h"
#include "Display/DisplayVideo.h"
#include "Playback/PlaybackFile.h"
#include "Settings/AppSettings.h"
#include "SysData/Record.h"
#include "cgi_response.pb.h"
#include "sim/SimDvr.h"
#include "support/TestMedia.h"

namespace {

constexpr int CHANNELS = 16;
constexpr int FPS = 30;
constexpr int64_t T0 = 1772445600;

double CpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + t.tv_nsec / 1e9;
}


struct Material {
    testmedia::Clip clip = testmedia::LoadClip(testmedia::Codec::H264, "d1");

    QByteArray video(int index, int channel, int64_t ms) const
    {
        const testmedia::AccessUnit& u = clip.units[size_t(index) % clip.units.size()];
        simdvr::FrameFields f;
        f.type = u.key ? 0 : 1;
        f.channel = channel;
        f.recordReason = 1;
        f.frameSize = uint32_t(u.data.size());
        f.width = clip.width;
        f.height = clip.height;
        f.timeSec = ms / 1000;
        f.timeUsec = int32_t(ms % 1000 * 1000);
        QByteArray out = simdvr::MakeCFrameHeader(f);
        out.append(reinterpret_cast<const char*>(u.data.data()), qsizetype(u.data.size()));
        return out;
    }
};

struct Store {
    QTemporaryDir dir;
    Store(int format)
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path() + "/settings");
        CAppSettings s;
        s.writeSetting(CAppSettings::PATH_LIST[1], dir.path() + "/rec");
        s.writeSetting(CAppSettings::FILE_FORMAT, format);
        s.writeSetting(CAppSettings::AUDIO_SUPPORT, 0);
    }
};

cgi::DvrInfo Info()
{
    cgi::DvrInfo info;
    info.set_ch_num(CHANNELS);
    info.set_model(4);
    return info;
}

void Record(benchmark::State& state)
{
    const int format = int(state.range(0));
    const int seconds = 10;
    static Material m;
    std::vector<QByteArray> frames;
    for (int i = 0; i < seconds * FPS; ++i)
        for (int c = 0; c < CHANNELS; ++c)
            frames.push_back(m.video(i, c, T0 * 1000 + i * 1000 / FPS));
    double bytes = 0;
    for (const QByteArray& f : frames)
        bytes += f.size();

    double cpu = 0;
    for (auto _ : state) {
        Store store(format);
        CRecord rec;
        rec.start(QStringLiteral("Bench"), Info(), 0);
        const double before = CpuSeconds();
        for (const QByteArray& f : frames)
            rec.writeFrame(false, f);
        rec.stop();
        cpu += CpuSeconds() - before;
    }
    const double runs = double(state.iterations());
    state.counters["MB"] = bytes / 1e6;
    state.counters["cpu_s_per_MB"] = cpu / runs / (bytes / 1e6);
    state.counters["stream_share_pct"] = 100 * cpu / runs / seconds;
}
BENCHMARK(Record)->Arg(0)->Arg(1)->ArgNames({"avi"})->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

// Time that never waits: every sleep moves it on at once.
class InstantClock : public CPlaybackClock {
public:
    KTimeVal Now() override
    {
        const int64_t us = m_us.load();
        return KTimeVal(us / 1000000, int32_t(us % 1000000));
    }
    void Sleep(int ms) override { m_us += int64_t(ms) * 1000; }

private:
    std::atomic<int64_t> m_us{int64_t(T0) * 1000000};
};

void Playback16X(benchmark::State& state)
{
    static Material m;
    Store store(0);
    {
        CRecord rec;
        rec.start(QStringLiteral("Bench"), Info(), 0);
        for (int i = 0; i < 120 * FPS; ++i)
            for (int c = 0; c < CHANNELS; ++c)
                rec.writeFrame(false, m.video(i, c, T0 * 1000 + i * 1000 / FPS));
        rec.stop();
    }
    const QString folder = store.dir.path() + "/rec/Bench";
    const int keys = 120 * FPS / 30 * CHANNELS;  // a key frame a second per channel

    for (auto _ : state) {
        CDisplayVideo video;
        auto clock = std::make_shared<InstantClock>();
        video.setClock(clock);
        std::atomic<int> shown{0};
        QObject::connect(&video, &CDisplayVideo::signalUpdateScreen, &video, [&] { ++shown; }, Qt::DirectConnection);
        video.startDecodeThread(CHANNELS, DISPLAY_MODE::LOCAL_PLAYBACK);
        CPlaybackFile player;
        player.setClock(clock);
        QObject::connect(&player, &CPlaybackFile::DisplayVideo, &video,
                         [&](const DISPLAY_DVR_INFO& info, const unsigned char* data, size_t len) {
                             FrameFacts f;
                             if (!ReadFrameHeader(false, data, len, &f))
                                 return;
                             _DISPLAY_CHANNEL_INFO cell;
                             cell.displayMode = DISPLAY_MODE::LOCAL_PLAYBACK;
                             cell.pbMode = static_cast<PbMode>(info.pbMode);
                             cell.widgetIndex = f.channel;
                             cell.screen = f.channel;
                             cell.layout = video.layout();
                             video.makeImage(cell, data, len);
                         },
                         Qt::DirectConnection);
        QObject::connect(&player, &CPlaybackFile::signalDecoderFlush, &video, [&] { video.flush(); },
                         Qt::DirectConnection);
        player.setFolder(folder);
        const auto start = std::chrono::steady_clock::now();
        player.play(T0, 0xFFFF);
        player.setMode(PB_FORWARD_16X);
        while (shown < keys * 9 / 10)
            QThread::msleep(1);
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(s);
        state.counters["frames_per_s"] = shown / s;
        player.stopPlay();
        video.exitDecodeThread();
    }
}
BENCHMARK(Playback16X)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
