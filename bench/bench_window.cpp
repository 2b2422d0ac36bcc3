// The whole program against simulated DVRs in a process of their own, under Xvfb:
//   bench_window cif|d1 gl|widget|gl-widget SECONDS [mid|worst]
// gl-widget: starts with OpenGL and, once every cell shows pictures, switches the display to
// "Off" through PC Setup while the streams run; what follows is measured as for "widget".
// cif: 4 DVRs x 16 channels of CIF at 30 fps in Live M 8 x 8 (sub stream);
// d1:  1 DVR x 16 channels of D1 at 30 fps in Live S 4 x 4 (main stream).
// The window keeps the size the program opens it at. mid: the DVRs start their streams half a
// key-frame interval in; worst: one frame after a key frame (a key frame every 30 frames).
// Prints the time from the group connect to the first picture drawn in every cell, pictures drawn
// per second against frames the DVRs sent or dropped, the process's CPU in cores next to what
// bare libavcodec decoding of the same frames costs, the repaints a second, the CPU per drawn
// picture of every thread that works for the display (the GUI thread, Qt's thread pool, the
// OpenGL rasteriser), and resident memory at 60 s (when the run lasts that long) and at the end.
// The bare decoding is timed twice, in two child processes started with the interval: each
// decodes as many frames of the clip as the DVRs send over it on a thread a DVR, each as
// `ffmpeg -threads 1` decodes a file, on its own clock; one with a decoder a thread, fed the
// clip's frames one after another, and one with a decoder a stream, as the program decodes.
// Each block of figures comes with the machine (CPU model, cores, load average then). The last
// line ("result ...") is for scripts/bench-window, which runs the cases interleaved and
// reports medians.
//   bench_window bare cif|d1 CHANNELS SECONDS THREADS thread|stream   a bare decoding child
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTimer>
#include <QTreeWidget>

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include <dirent.h>
#include <sched.h>
#include <stdlib.h>

extern "C" {
#include <libavcodec/avcodec.h>
}

#include "Common/AppDir.h"
#include "DVRList/ControlDVRList.h"
#include "DVRList/DVRListTree.h"
#include "Display/DisplayWidget.h"
#include "Display/Screen.h"
#include "PCSetup/PCSetupDialog.h"
#include "ProtoBuf/ListMetaTypes.h"
#include "Settings/AppSettings.h"
#include "Viewer/ConnectDVR.h"
#include "Viewer/Viewer.h"
#include "dvr_protocol/cgi_metatypes.h"
#include "support/TestMedia.h"

namespace {

double CpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// CPU seconds of the calling thread alone: the program's own threads keep decoding meanwhile.
double ThreadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

double ResidentMB()
{
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * double(sysconf(_SC_PAGESIZE)) / (1 << 20);
}

// The machine a figure is measured on: CPU model, cores (those this process may use when
// fewer) and the load average at the moment.
std::string Machine()
{
    std::string model = "unknown CPU";
    std::ifstream cpuinfo("/proc/cpuinfo");
    for (std::string line; std::getline(cpuinfo, line);)
        if (line.rfind("model name", 0) == 0 && line.find(':') != std::string::npos) {
            model = line.substr(line.find(':') + 1);
            model.erase(0, model.find_first_not_of(" \t"));
            break;
        }
    const long online = sysconf(_SC_NPROCESSORS_ONLN);
    cpu_set_t set;
    CPU_ZERO(&set);
    const int usable = sched_getaffinity(0, sizeof set, &set) == 0 ? CPU_COUNT(&set) : int(online);
    double load[3] = {-1, -1, -1};
    getloadavg(load, 3);
    const std::string cores = std::to_string(online) + " cores" +
                              (usable < online ? ", " + std::to_string(usable) + " usable" : std::string());
    char text[512];
    std::snprintf(text, sizeof text, "machine: %s, %s, load average %.2f %.2f %.2f", model.c_str(), cores.c_str(),
                  load[0], load[1], load[2]);
    return text;
}

double LoadAverage()
{
    double load = -1;
    getloadavg(&load, 1);
    return load;
}

// Runs the events for that long.
void Wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Chooses "Off" as the display in PC Setup and applies it, as the operator does.
bool SwitchDisplayOff(Viewer& window)
{
    window.findChild<QPushButton*>("PCSetup")->click();
    CPCSetupDialog* dialog = window.pcSetupDialog();
    auto* combo = dialog->findChild<QComboBox*>("Opengl");
    // The choices are listed in the order of their values.
    if (!combo || combo->count() <= OPENGL_MODE_OFF)
        return false;
    combo->setCurrentIndex(OPENGL_MODE_OFF);
    dialog->accept();
    return CAppSettings().readSetting(CAppSettings::OPENGL, -1).toInt() == OPENGL_MODE_OFF;
}

// The time until the last of cells cells of the display drew its first picture (-1 when one
// drew none); shown: how many did.
qint64 FirstPictures(Viewer& window, int cells, int timeoutMs, int* shownOut = nullptr)
{
    QElapsedTimer clock;
    clock.start();
    std::vector<qint64> first(cells, -1);
    int shown = 0;
    while (shown < cells && clock.elapsed() < timeoutMs) {
        Wait(5);
        const CScreen* screen = window.displayWidget()->screenContainer();
        for (int i = 0; i < cells; ++i)
            if (first[i] < 0 && screen->picturesDrawn(i) > 0) {
                first[i] = clock.elapsed();
                ++shown;
            }
    }
    if (shownOut)
        *shownOut = shown;
    return *std::max_element(first.begin(), first.end());
}

// The bare side, as `ffmpeg -re -threads 1` decodes a file: single-threaded libavcodec
// decoders fed the clip's frames at the rate the simulated DVRs send them (channels x 30 a
// second) over the measured interval, shared out over as many threads as the program decodes
// on (one a DVR). perStream: a decoder for each of the thread's streams, each fed the clip from
// its start in turn, as the program needs; else one decoder a thread, fed the clip's frames one
// after another. Paced and spread so, the bare side runs under the same moments and the same
// neighbours as the program: this machine's cores change speed by up to half from one second
// to the next, and a bare decoding done in a burst measured its own luck.
// Prints the frames decoded and the CPU seconds of the decoding threads, each on its own clock.
int BareDecoding(const QString& size, int channels, double seconds, int threadCount, bool perStream)
{
    const testmedia::Clip clip = testmedia::LoadClip(testmedia::Codec::H264, size.toStdString());
    if (clip.units.empty() || threadCount < 1 || channels < threadCount)
        return 1;
    const long long due = static_cast<long long>(channels * 30 * seconds);
    const int decodersPerThread = perStream ? channels / threadCount : 1;
    std::vector<long long> frames(threadCount, 0);
    std::vector<double> cpu(threadCount, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t)
        threads.emplace_back([&, t] {
            const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_H264);
            std::vector<AVCodecContext*> decoders;
            for (int d = 0; d < decodersPerThread; ++d) {
                AVCodecContext* ctx = avcodec_alloc_context3(codec);
                ctx->thread_count = 1;
                if (avcodec_open2(ctx, codec, nullptr) < 0) {
                    avcodec_free_context(&ctx);
                    break;
                }
                decoders.push_back(ctx);
            }
            AVPacket* packet = av_packet_alloc();
            AVFrame* frame = av_frame_alloc();
            const double cpu0 = ThreadCpuSeconds();
            const auto start = std::chrono::steady_clock::now();
            const double interval = double(threadCount) / (channels * 30);
            for (long long i = 0; i < due / threadCount && int(decoders.size()) == decodersPerThread; ++i) {
                std::this_thread::sleep_until(start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                                          std::chrono::duration<double>(i * interval)));
                AVCodecContext* ctx = decoders[size_t(i % decodersPerThread)];
                const testmedia::AccessUnit& unit = clip.units[size_t(i / decodersPerThread) % clip.units.size()];
                packet->data = const_cast<uint8_t*>(unit.data.data());
                packet->size = static_cast<int>(unit.data.size());
                if (avcodec_send_packet(ctx, packet) == 0)
                    while (avcodec_receive_frame(ctx, frame) == 0)
                        ++frames[size_t(t)];
            }
            cpu[size_t(t)] = ThreadCpuSeconds() - cpu0;
            av_frame_free(&frame);
            av_packet_free(&packet);
            for (AVCodecContext*& ctx : decoders)
                avcodec_free_context(&ctx);
        });
    for (std::thread& thread : threads)
        thread.join();
    long long decoded = 0;
    double cpuSeconds = 0;
    for (int t = 0; t < threadCount; ++t) {
        decoded += frames[size_t(t)];
        cpuSeconds += cpu[size_t(t)];
    }
    std::printf("bare frames=%lld cpu=%.6f\n", decoded, cpuSeconds);
    return 0;
}

// What one bare decoding child measured beside the run.
struct Bare {
    QProcess process;
    long long frames = 0;
    double cpu = 0;

    void start(bool cif, int cells, int seconds, int threads, bool perStream)
    {
        process.start(QCoreApplication::applicationFilePath(),
                      {"bare", cif ? "cif" : "d1", QString::number(cells), QString::number(seconds),
                       QString::number(threads), perStream ? "stream" : "thread"});
    }
    void finish()
    {
        process.waitForFinished(30000);
        std::sscanf(process.readAllStandardOutput().constData(), "bare frames=%lld cpu=%lf", &frames, &cpu);
    }
    double perFrame() const { return frames > 0 ? cpu / frames : 0; }
};

// CPU seconds of this process's threads by kind, read from /proc: the GUI thread, Qt's
// thread pool, the OpenGL rasteriser (llvmpipe) and the rest (stream threads, decoding).
struct ThreadCpu {
    double gui = 0, pool = 0, raster = 0, other = 0;

    static ThreadCpu read()
    {
        ThreadCpu t;
        const double tick = double(sysconf(_SC_CLK_TCK));
        const pid_t self = getpid();
        DIR* dir = opendir("/proc/self/task");
        if (!dir)
            return t;
        while (dirent* e = readdir(dir)) {
            const int tid = std::atoi(e->d_name);
            if (tid <= 0)
                continue;
            std::ifstream in("/proc/self/task/" + std::string(e->d_name) + "/stat");
            std::string line;
            std::getline(in, line);
            const size_t open = line.find('('), close = line.rfind(')');
            if (open == std::string::npos || close == std::string::npos)
                continue;
            const std::string name = line.substr(open + 1, close - open - 1);
            // Fields after the name: state is field 3, utime 14, stime 15.
            std::istringstream rest(line.substr(close + 2));
            std::string field;
            unsigned long long utime = 0, stime = 0;
            for (int i = 3; i <= 15 && rest >> field; ++i) {
                if (i == 14)
                    utime = std::stoull(field);
                if (i == 15)
                    stime = std::stoull(field);
            }
            const double cpu = double(utime + stime) / tick;
            if (tid == self)
                t.gui += cpu;
            else if (name.rfind("Thread (pooled)", 0) == 0)
                t.pool += cpu;
            else if (name.rfind("llvmpipe", 0) == 0)
                t.raster += cpu;
            else
                t.other += cpu;
        }
        closedir(dir);
        return t;
    }
    ThreadCpu operator-(const ThreadCpu& o) const
    {
        return {gui - o.gui, pool - o.pool, raster - o.raster, other - o.other};
    }
    double display() const { return gui + pool + raster; }
};

// The simulated DVRs' process and the totals it prints once a second.
struct Sims {
    QProcess process;
    QList<int> ports;
    long long sent = 0, dropped = 0;

    bool start(int count, int fps, int startFrame)
    {
        process.start(QStringLiteral(ZAVO_SIMDVR_PATH),
                      {"--quiet", "--stats", "--count", QString::number(count), "--channels", "16", "--port", "0",
                       "--fps", QString::number(fps), "--start-frame", QString::number(startFrame), "--media",
                       QString::fromStdString(testmedia::MediaDir())});
        QElapsedTimer t;
        t.start();
        while (ports.size() < count && t.elapsed() < 10000 && process.waitForReadyRead(1000))
            read();
        return ports.size() == count;
    }
    void read()
    {
        static const QRegularExpression dvr(QStringLiteral("^DVR \\d+: 127\\.0\\.0\\.1:(\\d+)"));
        static const QRegularExpression stats(QStringLiteral("^stats sent=(\\d+) dropped=(\\d+)"));
        while (process.canReadLine()) {
            const QString line = QString::fromLatin1(process.readLine()).trimmed();
            if (const auto m = dvr.match(line); m.hasMatch())
                ports << m.captured(1).toInt();
            if (const auto m = stats.match(line); m.hasMatch()) {
                sent = m.captured(1).toLongLong();
                dropped = m.captured(2).toLongLong();
            }
        }
    }
    ~Sims()
    {
        process.terminate();
        process.waitForFinished(5000);
    }
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 7 && std::string(argv[1]) == "bare")
        return BareDecoding(QString::fromLatin1(argv[2]), std::atoi(argv[3]), std::atof(argv[4]), std::atoi(argv[5]),
                            std::string(argv[6]) == "stream");

    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool cif = args.value(1) != QLatin1String("d1");
    const bool widget = args.value(2) == QLatin1String("widget");
    const bool switchOff = args.value(2) == QLatin1String("gl-widget");
    const int seconds = std::max(1, args.value(3, QStringLiteral("60")).toInt());
    // A key frame every 30 frames: "mid" starts half an interval in, "worst" one frame after.
    const QString start = args.value(4);
    const int startFrame = start == QLatin1String("mid") ? 15 : start == QLatin1String("worst") ? 1 : 0;
    RegisterListMetaTypes();
    cgi::RegisterMetaTypes();
    RegisterDisplayDvrInfoMetaType();
    // Pool threads that ended during the run would take their CPU time with them.
    QThreadPool::globalInstance()->setExpiryTimeout(-1);

    QTemporaryDir scratch;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path() + "/settings");
    CAppDir::setOverridePath(scratch.path());
    CAppSettings settings;
    settings.writeSetting(CAppSettings::OPENGL, widget ? OPENGL_MODE_OFF : OPENGL_MODE_ON);
    settings.writeSetting(CAppSettings::CODEC_TYPE, cif ? 1 : 0);
    settings.writeSetting(CAppSettings::AUDIO_SUPPORT, 0);

    const int dvrs = cif ? 4 : 1;
    const int cells = cif ? 64 : 16;
    Sims sims;
    if (!sims.start(dvrs, 30, startFrame)) {
        std::fprintf(stderr, "the simulated DVRs did not start (%s)\n", ZAVO_SIMDVR_PATH);
        return 1;
    }
    GroupList list;
    Group* group = list.add_group();
    group->set_name("Bench");
    for (int i = 0; i < dvrs; ++i) {
        DVR* dvr = group->add_dvr();
        dvr->set_name("DVR " + std::to_string(i + 1));
        dvr->set_address("127.0.0.1");
        dvr->set_port(sims.ports[i]);
        dvr->set_id("admin");
        dvr->set_password("1234");
        dvr->set_chnum(16);
        dvr->set_bit_ch(0xFFFF);
        dvr->set_protocol_type(1);
    }
    if (!CControlDVRList().Save(list))
        return 1;

    // Shown at the size the program opens it at.
    Viewer window;
    window.show();
    Wait(500);
    if (cif)
        window.findChild<QPushButton*>("LiveM")->click();
    Wait(300);
    QElapsedTimer clock;
    clock.start();
    window.OnGroupConnect(*window.dvrTree()->topLevelItem(0), 0, -1);
    int shown = 0;
    const qint64 slowest = FirstPictures(window, cells, 30000, &shown);
    std::printf("%s\n", Machine().c_str());
    if (switchOff) {
        if (!SwitchDisplayOff(window)) {
            std::fprintf(stderr, "PC Setup did not switch the display off\n");
            return 1;
        }
        std::printf("switched from OpenGL to Off at run time; every cell drew again after %lld ms\n",
                    static_cast<long long>(FirstPictures(window, cells, 30000)));
    }
    CScreen* screen = window.displayWidget()->screenContainer();
    const QSize cell = screen->getDisplayRect(0).size();
    const QSize picture = screen->getInfo(0).image.size();
    std::printf("%s, %s cells, window %dx%d, cell %dx%d, picture %dx%d%s: first picture on screen in all %d cells after %lld ms "
                "(%d shown)\n",
                cif ? "4 x 16 CIF Live M 8x8" : "1 x 16 D1 Live S 4x4",
                switchOff ? "OpenGL then widget" : widget ? "widget" : "OpenGL", window.width(),
                window.height(), cell.width(), cell.height(), picture.width(), picture.height(),
                startFrame == 1    ? ", streams starting one frame after a key frame"
                : startFrame == 15 ? ", streams starting half a key-frame interval in"
                                   : "",
                cells, static_cast<long long>(slowest), shown);

    Wait(3000);
    sims.read();
    const long long sent0 = sims.sent, dropped0 = sims.dropped;
    const quint64 drawn0 = screen->picturesDrawn();
    const quint64 repaints0 = screen->pictureRepaints();
    const double cpu0 = CpuSeconds();
    const ThreadCpu threads0 = ThreadCpu::read();
    // The bare decodings run beside the measured interval, over as many frames.
    Bare bareThread, bareStream;
    bareThread.start(cif, cells, seconds, dvrs, false);
    bareStream.start(cif, cells, seconds, dvrs, true);
    clock.restart();
    double rss60 = 0;
    while (clock.elapsed() < seconds * 1000LL) {
        Wait(200);
        if (rss60 == 0 && clock.elapsed() >= 60000)
            rss60 = ResidentMB();
    }
    sims.read();
    const double wall = clock.elapsed() / 1000.0;
    const quint64 pictures = screen->picturesDrawn() - drawn0;
    const quint64 repaints = screen->pictureRepaints() - repaints0;
    const ThreadCpu threads = ThreadCpu::read() - threads0;
    const double cores = (CpuSeconds() - cpu0) / wall;
    const double rssEnd = ResidentMB();
    const std::string machine = Machine();
    const double load = LoadAverage();
    bareThread.finish();
    bareStream.finish();

    const double drawn = pictures / wall;
    // The DVRs count what went out and, apart, what they dropped because the program fell
    // behind: both were due.
    const double sent = (sims.sent - sent0) / wall;
    const double due = (sims.sent - sent0 + sims.dropped - dropped0) / wall;
    const double bareCores = sent * bareThread.perFrame();
    const double bareStreamCores = sent * bareStream.perFrame();
    const double ratio = bareCores > 0 ? cores / bareCores : 0;
    const double ratioStream = bareStreamCores > 0 ? cores / bareStreamCores : 0;
    const double perPicture = pictures ? threads.display() / pictures * 1e6 : 0;
    std::printf("  over %.1f s: drawn %.0f/s in %.0f repaints/s, sent %.0f/s, due %.0f/s (sent and dropped), drawn/due %.3f\n",
                wall, drawn, repaints / wall, sent, due, due > 0 ? drawn / due : 0);
    std::printf("  bare decoding beside the run, one decoder a DVR: %.1f us a frame (%lld frames, %.1f s CPU), %.2f cores "
                "for the sent frames; one decoder a stream: %.1f us a frame (%lld frames, %.1f s CPU), %.2f cores\n",
                bareThread.perFrame() * 1e6, bareThread.frames, bareThread.cpu, bareCores, bareStream.perFrame() * 1e6,
                bareStream.frames, bareStream.cpu, bareStreamCores);
    std::printf("  process CPU %.2f cores; ratio %.2f to bare decoding with one decoder a DVR, %.2f with one decoder a "
                "stream\n",
                cores, ratio, ratioStream);
    std::printf("  display threads: GUI %.2f, Qt pool %.2f, rasteriser %.2f cores; %.1f us of CPU per drawn picture "
                "(GUI alone %.1f us); other threads %.2f cores\n",
                threads.gui / wall, threads.pool / wall, threads.raster / wall, perPicture,
                pictures ? threads.gui / pictures * 1e6 : 0, threads.other / wall);
    if (rss60 > 0)
        std::printf("  resident memory: %.0f MB after 60 s, %.0f MB at the end (%.0f s)\n", rss60, rssEnd, wall);
    else
        std::printf("  resident memory: %.0f MB at the end (%.0f s)\n", rssEnd, wall);
    std::printf("%s (at the end of the %.0f s)\n", machine.c_str(), wall);
    std::printf("result first_ms=%lld drawn_due=%.4f ratio=%.4f ratio_stream=%.4f us_per_picture=%.2f rss_mb=%.1f "
                "load=%.2f\n",
                static_cast<long long>(slowest), due > 0 ? drawn / due : 0, ratio, ratioStream, perPicture, rssEnd, load);
    window.close();
    return 0;
}
