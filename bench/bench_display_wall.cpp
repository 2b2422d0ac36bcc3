// The video wall under load, shown on an X server (run it under xvfb-run with a 1280x1024
// screen). Worker threads deliver frames of the generated test clips at 30 frames per second
// per cell, as stream threads do: each frame is decoded on its worker thread and its picture
// goes to the display widget, which draws it through OpenGL or with widget cells.
//   16 D1 cells: one DVR of 16 channels on one thread (Live S).
//   64 CIF cells: four DVRs of 16 channels, one thread each (Live M).
// Reported per run (ZAVO_BENCH_SECONDS, default 6, after a 2 s warm-up):
//   offered/s   frames the clips offered (handed to the display widget) per second
//   fed/s       pictures decoded and handed to the display per second
//   drawn/s     pictures that reached a repaint per second (GL: uploaded for a frame of the
//               wall; widget cells: painted)
//   drawn/fed   the share of decoded pictures the screen showed
//   drawn/offered  the share of the clips' pictures the screen showed
//   gui_cores   CPU time of the GUI thread per second of wall time
//   proc_cores  CPU time of the whole process per second (decoding and the GL rasteriser)
//   lat_p50_ms, lat_p95_ms  from handing a frame over to the first repaint that showed it
//                (GL: the frame swap of the wall; widget cells: the cell's paint)

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <thread>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QMutex>
#include <QOpenGLWidget>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWindow>

#include "Display/DisplayVideo.h"
#include "Display/DisplayWidget.h"
#include "Settings/AppSettings.h"
#include "support/TestMedia.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int CHANNELS = 16;
constexpr int FPS = 30;
constexpr int WARMUP_MS = 2000;

double Seconds(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double>(b - a).count();
}

double ThreadCpu()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

double ProcessCpu()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void Pump(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

// A clip cut into frames with current-protocol headers, one set per channel.
struct Frames {
    std::vector<std::vector<std::vector<uint8_t>>> byChannel;  // [channel][unit]

    explicit Frames(const char* size)
    {
        const testmedia::Clip clip = testmedia::LoadClip(testmedia::Codec::H264, size);
        byChannel.resize(CHANNELS);
        for (int ch = 0; ch < CHANNELS; ++ch) {
            for (const testmedia::AccessUnit& unit : clip.units) {
                std::vector<uint8_t> f(36, 0);
                f[0] = unit.key ? 0 : 1;
                f[1] = uint8_t(ch);
                const uint32_t n = uint32_t(unit.data.size());
                for (int i = 0; i < 4; ++i)
                    f[4 + i] = uint8_t(n >> (8 * i));
                f[8] = uint8_t(clip.width);
                f[9] = uint8_t(clip.width >> 8);
                f[10] = uint8_t(clip.height);
                f[11] = uint8_t(clip.height >> 8);
                f.insert(f.end(), unit.data.begin(), unit.data.end());
                byChannel[ch].push_back(std::move(f));
            }
        }
    }
};

// Hand-over times of the pictures on their way, by screen and picture buffer.
struct Latency {
    QMutex mutex;
    std::map<std::pair<int, const uchar*>, Clock::time_point> handed;
    std::vector<double> samples;  // milliseconds
    std::atomic<int64_t> fed{0};
    bool measuring = false;

    void decoded(const CDisplayInfo& info, Clock::time_point t)
    {
        if (info.image.isNull())
            return;
        ++fed;
        QMutexLocker lock(&mutex);
        handed[{info.screen, info.image.constBits()}] = t;
    }
    void shown(const CDisplayInfo& info, Clock::time_point now)
    {
        QMutexLocker lock(&mutex);
        auto it = handed.find({info.screen, info.image.constBits()});
        if (it == handed.end())
            return;
        if (measuring)
            samples.push_back(std::chrono::duration<double, std::milli>(now - it->second).count());
        handed.erase(it);
    }
};

thread_local Clock::time_point t_handed;

struct Config {
    const char* size;
    int cells;
    OpenGLMode mode;
};

void Wall(benchmark::State& state, Config config)
{
    const bool gl = config.mode != OPENGL_MODE_OFF;
    if (gl && QGuiApplication::platformName() != QLatin1String("xcb")) {
        state.SkipWithError("OpenGL needs an X server: run under xvfb-run");
        return;
    }
    CAppSettings().writeSetting(CAppSettings::OPENGL, config.mode);
    CAppSettings().writeSetting(CAppSettings::OSD_CH_NAME, 1);
    static std::map<std::string, std::unique_ptr<Frames>> clips;
    auto& frames = clips[config.size];
    if (!frames)
        frames = std::make_unique<Frames>(config.size);

    CDisplayWidget w(nullptr, [] { return std::unique_ptr<CAudioDevice>(); });
    const int dvrs = config.cells / CHANNELS;
    if (dvrs > 1) {
        w.setScreenMode(CDisplayWidget::SCREEN_MULTI_DVR);
        w.resetDisplay();
    }
    w.resize(1264, 960);
    w.show();
    if (gl != (w.screenContainer()->mode() != OPENGL_MODE_OFF)) {
        state.SkipWithError("no OpenGL on this display");
        return;
    }
    w.UpdateDisplayRect(config.cells, 0);
    Pump(300);

    Latency latency;
    CScreen* screen = w.screenContainer();
    QObject::connect(w.displayVideo(), &CDisplayVideo::signalUpdateScreen, w.displayVideo(),
                     [&](const CDisplayInfo& info) { latency.decoded(info, t_handed); }, Qt::DirectConnection);
    std::vector<const uchar*> lastShown(config.cells, nullptr);
    auto checkCell = [&](int i, Clock::time_point now) {
        const CDisplayInfo& info = screen->getInfo(i);
        const uchar* bits = info.image.isNull() ? nullptr : info.image.constBits();
        if (bits && bits != lastShown[i])
            latency.shown(info, now);
        lastShown[i] = bits;
    };
    struct PaintWatch : QObject {
        std::function<void()> onPaint;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Paint)
                onPaint();
            return false;
        }
    };
    std::vector<std::unique_ptr<PaintWatch>> watches;
    if (gl) {
        QObject::connect(screen->glWidget(), &QOpenGLWidget::frameSwapped, [&] {
            const auto now = Clock::now();
            for (int i = 0; i < config.cells; ++i)
                checkCell(i, now);
        });
    } else {
        for (int i = 0; i < config.cells; ++i) {
            auto watch = std::make_unique<PaintWatch>();
            watch->onPaint = [&, i] { checkCell(i, Clock::now()); };
            screen->screenWidget(i)->installEventFilter(watch.get());
            watches.push_back(std::move(watch));
        }
    }

    std::atomic<bool> stop{false};
    std::atomic<int64_t> offered{0};
    std::vector<std::thread> feeders;
    for (int d = 0; d < dvrs; ++d) {
        feeders.emplace_back([&, d] {
            DISPLAY_DVR_INFO info;
            info.dvrName = QStringLiteral("DVR %1").arg(d + 1);
            info.startScreen = d * CHANNELS;
            info.screenCount = CHANNELS;
            info.channelMask = 0xFFFF;
            for (int ch = 0; ch < CHANNELS; ++ch)
                info.channelNames[ch] = QStringLiteral("CAM%1").arg(ch + 1);
            const auto start = Clock::now();
            const auto period = std::chrono::nanoseconds(1000000000 / FPS);
            for (int64_t tick = 0; !stop; ++tick) {
                std::this_thread::sleep_until(start + tick * period);
                for (int ch = 0; ch < CHANNELS; ++ch) {
                    const auto& units = frames->byChannel[ch];
                    const auto& f = units[size_t(tick) % units.size()];
                    t_handed = Clock::now();
                    ++offered;
                    w.slotDisplayVideo(info, f.data(), f.size());
                }
            }
        });
    }

    Pump(WARMUP_MS);
    const char* env = std::getenv("ZAVO_BENCH_SECONDS");
    const int seconds = env ? std::max(1, std::atoi(env)) : 6;
    for (auto _ : state) {
        const int64_t offered0 = offered;
        const int64_t fed0 = latency.fed;
        const quint64 drawn0 = screen->picturesDrawn();
        {
            QMutexLocker lock(&latency.mutex);
            latency.measuring = true;
        }
        const double gui0 = ThreadCpu();
        const double proc0 = ProcessCpu();
        const auto t0 = Clock::now();
        Pump(seconds * 1000);
        const double elapsed = Seconds(t0, Clock::now());
        state.SetIterationTime(elapsed);
        const double gui = (ThreadCpu() - gui0) / elapsed;
        const double proc = (ProcessCpu() - proc0) / elapsed;
        const double fed = double(latency.fed - fed0) / elapsed;
        const double offer = double(offered - offered0) / elapsed;
        const double drawn = double(screen->picturesDrawn() - drawn0) / elapsed;
        std::vector<double> lat;
        {
            QMutexLocker lock(&latency.mutex);
            latency.measuring = false;
            lat.swap(latency.samples);
        }
        std::sort(lat.begin(), lat.end());
        auto pct = [&](double p) { return lat.empty() ? 0.0 : lat[size_t(p * double(lat.size() - 1))]; };
        state.counters["offered/s"] = offer;
        state.counters["fed/s"] = fed;
        state.counters["drawn/s"] = drawn;
        state.counters["drawn/fed"] = fed > 0 ? drawn / fed : 0;
        state.counters["drawn/offered"] = offer > 0 ? drawn / offer : 0;
        state.counters["gui_cores"] = gui;
        state.counters["proc_cores"] = proc;
        state.counters["lat_p50_ms"] = pct(0.5);
        state.counters["lat_p95_ms"] = pct(0.95);
        state.counters["lat_n"] = double(lat.size());
    }
    stop = true;
    for (auto& t : feeders)
        t.join();
    for (auto& watch : watches)
        watch.reset();
}

}  // namespace

BENCHMARK_CAPTURE(Wall, D1x16_OpenGL, Config{"d1", 16, OPENGL_MODE_ON})
    ->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Wall, CIFx64_OpenGL, Config{"cif", 64, OPENGL_MODE_ON})
    ->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Wall, D1x16_Widgets, Config{"d1", 16, OPENGL_MODE_OFF})
    ->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Wall, CIFx64_Widgets, Config{"cif", 64, OPENGL_MODE_OFF})
    ->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

int main(int argc, char** argv)
{
    // Shown on the X server when there is one; the settings go to a scratch folder.
    const char* display = std::getenv("DISPLAY");
    setenv("QT_QPA_PLATFORM", display && *display ? "xcb" : "offscreen", 1);
    QTemporaryDir settings;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
