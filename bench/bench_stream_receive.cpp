// Live streams of many DVRs received in one process: 16 simulated DVRs with 16 channels of
// D1 H.264 at 30 frames per second each, every stream's frames handed to a consumer that only
// counts them. Reports the CPU time the stream threads spend per received megabyte and the
// process's resident memory over the run (ZAVO_BENCH_SECONDS, default 180, after a 10 s
// warm-up), which must stay flat.
//
// The simulated DVRs run in this process on threads of their own; their CPU time is not
// counted, only that of the stream threads.
//
// BM_ReceiveNestedHeaders: one stream fed bad input that keeps its buffer nearly full
// (packet headers every `spacing` bytes over `KiB`, each announcing a whole buffer, then one
// good frame); reports the stream thread's CPU time until that frame and the bytes it moved.

#include <benchmark/benchmark.h>

#include <pthread.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include "Network/HttpConnect.h"
#include "dvr_protocol/cgi_protocol.h"
#include "dvr_protocol/parser.h"
#include "sim/SimDvr.h"

namespace {

constexpr int DVRS = 16;
constexpr int CHANNELS = 16;
constexpr int WARMUP_SECONDS = 10;

QCoreApplication* App()
{
    static int argc = 1;
    static char name[] = "bench_stream_receive";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    return app;
}

int64_t ResidentBytes()
{
    long pages = 0, resident = 0;
    FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f)
        return 0;
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
        resident = 0;
    std::fclose(f);
    return int64_t(resident) * sysconf(_SC_PAGESIZE);
}

double ThreadCpuSeconds(clockid_t clock)
{
    timespec ts{};
    if (clock_gettime(clock, &ts) != 0)
        return 0;
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// Counts what one stream hands over and remembers the thread it runs on.
struct Counter {
    std::atomic<int64_t> frames{0};
    std::atomic<int64_t> bytes{0};
    std::atomic<bool> haveClock{false};
    std::atomic<clockid_t> clock{};  // of the thread of the stream's current run
};

void Pump(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(20);
    }
}

void BM_ReceiveSixteenDvrs(benchmark::State& state)
{
    App();
    const int seconds = std::max(10, std::atoi(std::getenv("ZAVO_BENCH_SECONDS") ? std::getenv("ZAVO_BENCH_SECONDS") : "180"));

    std::vector<std::unique_ptr<simdvr::CSimDvr>> dvrs;
    std::vector<std::unique_ptr<CHttpConnect>> streams;
    std::vector<std::unique_ptr<Counter>> counters;
    for (int i = 0; i < DVRS; ++i) {
        simdvr::Config cfg;
        cfg.channels = CHANNELS;
        cfg.fps = 30;
        cfg.mainSize = QStringLiteral("d1");
        cfg.audioMask = 0;
        auto dvr = std::make_unique<simdvr::CSimDvr>(cfg);
        if (!dvr->start()) {
            state.SkipWithError("simulated DVR did not start");
            return;
        }
        DVR record;
        record.set_name("DVR " + std::to_string(i));
        record.set_address("127.0.0.1");
        record.set_port(dvr->port());
        record.set_id("admin");
        record.set_password("1234");
        record.set_bit_ch(0xFFFF);

        auto conn = std::make_unique<CHttpConnect>();
        auto counter = std::make_unique<Counter>();
        Counter* c = counter.get();
        QObject::connect(conn.get(), &CHttpConnect::VDataReceived, conn.get(),
                         [c](const DISPLAY_DVR_INFO&, const unsigned char*, size_t len) {
                             clockid_t clock;
                             if (pthread_getcpuclockid(pthread_self(), &clock) == 0) {
                                 c->clock.store(clock, std::memory_order_relaxed);
                                 c->haveClock.store(true);
                             }
                             c->frames.fetch_add(1, std::memory_order_relaxed);
                             c->bytes.fetch_add(int64_t(len), std::memory_order_relaxed);
                         },
                         Qt::DirectConnection);
        CHttpConnect::ConnParam p;
        p.mode = 0;
        p.audio = false;
        p.codec = 0;
        conn->Connect(record, p);
        dvrs.push_back(std::move(dvr));
        streams.push_back(std::move(conn));
        counters.push_back(std::move(counter));
    }

    Pump(WARMUP_SECONDS * 1000);
    for (const auto& c : counters) {
        if (!c->haveClock) {
            state.SkipWithError("a stream delivered nothing during the warm-up");
            return;
        }
    }

    auto wireBytes = [&]() {
        int64_t sum = 0;
        for (const auto& d : dvrs)
            for (const simdvr::StreamInfo& s : d->streams())
                sum += s.bytes;
        return sum;
    };
    auto cpuSeconds = [&]() {
        double sum = 0;
        for (const auto& c : counters)
            sum += ThreadCpuSeconds(c->clock);
        return sum;
    };
    auto frames = [&]() {
        int64_t sum = 0;
        for (const auto& c : counters)
            sum += c->frames;
        return sum;
    };

    for (auto _ : state) {
        const int64_t rssStart = ResidentBytes();
        int64_t rssMax = rssStart;
        const int64_t wire0 = wireBytes();
        const int64_t frames0 = frames();
        const double cpu0 = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        std::vector<int64_t> samples;
        for (int s = 0; s < seconds; s += 10) {
            Pump(std::min(10, seconds - s) * 1000);
            const int64_t rss = ResidentBytes();
            samples.push_back(rss);
            rssMax = std::max(rssMax, rss);
        }
        const double elapsed = wall.elapsed() / 1000.0;
        const double cpu = cpuSeconds() - cpu0;
        const double mb = double(wireBytes() - wire0) / (1024.0 * 1024.0);
        const int64_t got = frames() - frames0;
        state.SetIterationTime(elapsed);

        state.counters["received_MB_per_s"] = mb / elapsed;
        state.counters["frames_per_s"] = double(got) / elapsed;
        state.counters["stream_cpu_ms_per_MB"] = mb > 0 ? cpu * 1000.0 / mb : 0;
        state.counters["stream_cpu_cores"] = cpu / elapsed;
        state.counters["rss_start_MB"] = double(rssStart) / (1024.0 * 1024.0);
        state.counters["rss_end_MB"] = double(samples.back()) / (1024.0 * 1024.0);
        state.counters["rss_max_MB"] = double(rssMax) / (1024.0 * 1024.0);
        // Growth of the second half of the run over the first half's peak.
        const size_t half = samples.size() / 2;
        const int64_t firstPeak = *std::max_element(samples.begin(), samples.begin() + std::max<size_t>(half, 1));
        const int64_t secondPeak = *std::max_element(samples.begin() + half, samples.end());
        state.counters["rss_growth_2nd_half_MB"] = double(secondPeak - firstPeak) / (1024.0 * 1024.0);

        int64_t dropped = 0, sent = 0;
        for (const auto& d : dvrs)
            for (const simdvr::StreamInfo& s : d->streams()) {
                dropped += s.droppedFrames;
                sent += s.videoFrames;
            }
        state.counters["dvr_frames_dropped"] = double(dropped);
        state.counters["dvr_frames_sent"] = double(sent);
    }

    for (auto& conn : streams)
        conn->Disconnect();
    Pump(500);
    streams.clear();
    dvrs.clear();
}

BENCHMARK(BM_ReceiveSixteenDvrs)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

// Headers every `spacing` bytes over `kib` KiB, a good frame, then a buffer of zeros.
QByteArray NestedHeaders(uint8_t clientId, int kib, int spacing)
{
    constexpr int CAPACITY = CHttpConnect::RECEIVE_BUFFER_SIZE;
    const QByteArray header =
        simdvr::MakePacketHead(clientId, cgi::DATA_VIDEO, uint32_t(CAPACITY - cgi::Parser::PACKET_OVERHEAD), false);
    QByteArray input;
    for (int i = 0; i < kib * 1024 / spacing; ++i)
        input += header.leftJustified(spacing, '\0');
    simdvr::FrameFields f;
    f.frameSize = 1000;
    f.timeSec = 1000000000;
    input += simdvr::MakePacket(clientId, cgi::DATA_VIDEO, simdvr::MakeCFrameHeader(f) + QByteArray(1000, 'Z'), false);
    return input + QByteArray(CAPACITY, '\0');
}

void BM_ReceiveNestedHeaders(benchmark::State& state)
{
    App();
    for (auto _ : state) {
        simdvr::Config cfg;
        cfg.channels = 1;
        simdvr::Misbehaviour quiet;
        quiet.stall = true;
        simdvr::CSimDvr dvr(cfg);
        if (!dvr.start()) {
            state.SkipWithError("simulated DVR did not start");
            return;
        }
        dvr.setMisbehaviour(quiet);
        DVR record;
        record.set_address("127.0.0.1");
        record.set_port(dvr.port());
        record.set_id("admin");
        record.set_password("1234");
        record.set_bit_ch(0x1);
        record.set_protocol_type(1);
        CHttpConnect conn;
        std::atomic<bool> got{false};
        std::atomic<double> cpu{0};
        QObject::connect(&conn, &CHttpConnect::VDataReceived, &conn,
                         [&](const DISPLAY_DVR_INFO&, const unsigned char*, size_t) {
                             clockid_t clock;
                             if (pthread_getcpuclockid(pthread_self(), &clock) == 0)
                                 cpu = ThreadCpuSeconds(clock);
                             got = true;
                         },
                         Qt::DirectConnection);
        CHttpConnect::ConnParam p;
        p.audio = false;
        conn.Connect(record, p);
        if (!dvr.waitForStreams(1) || dvr.streams().empty()) {
            state.SkipWithError("the stream did not open");
            return;
        }
        const QByteArray input = NestedHeaders(uint8_t(dvr.streams().front().clientId), int(state.range(0)), int(state.range(1)));
        QElapsedTimer wall;
        wall.start();
        dvr.sendRaw(input);
        while (!got && wall.elapsed() < 600000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        state.SetIterationTime(wall.elapsed() / 1000.0);
        if (!got)
            state.SkipWithError("the good frame never came");
        state.counters["input_MB"] = input.size() / (1024.0 * 1024.0);
        state.counters["stream_cpu_s"] = cpu.load();
        state.counters["moved_MB"] = double(conn.receiveBytesMoved()) / (1024.0 * 1024.0);
        conn.Disconnect();
    }
}

BENCHMARK(BM_ReceiveNestedHeaders)
    ->ArgNames({"KiB", "spacing"})
    ->Args({1024, 16384})
    ->Args({8192, 16384})
    ->Args({1024, 256})
    ->Args({4096, 256})
    ->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
