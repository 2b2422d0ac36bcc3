// The whole program against simulated DVRs in a process of their own, under Xvfb:
//   bench_window cif|d1 gl|widget SECONDS
// cif: 4 DVRs x 16 channels of CIF at 30 fps in Live M 8 x 8 (sub stream);
// d1:  1 DVR x 16 channels of D1 at 30 fps in Live S 4 x 4 (main stream).
//   bench_window cif|d1 gl|widget SECONDS mid   the DVRs start their streams between key frames
// Prints the time from the group connect to the first picture in every cell, pictures drawn
// per second against frames the DVRs sent or dropped, the process's CPU in cores next to what
// bare libavcodec decoding of the sent frames costs, the GUI thread's CPU per drawn picture, and
// resident memory after 60 s and at the end.
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

extern "C" {
#include <libavcodec/avcodec.h>
}

#include "Common/AppDir.h"
#include "DVRList/ControlDVRList.h"
#include "DVRList/DVRListTree.h"
#include "Display/DisplayWidget.h"
#include "Display/Screen.h"
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

// CPU seconds one libavcodec H.264 decoder (one thread) takes per frame of the clip.
double BareSecondsPerFrame(const testmedia::Clip& clip)
{
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_H264);
    AVCodecContext* ctx = avcodec_alloc_context3(codec);
    ctx->thread_count = 1;
    avcodec_open2(ctx, codec, nullptr);
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    const double start = ThreadCpuSeconds();
    int frames = 0;
    for (int round = 0; round < 5; ++round) {
        for (const testmedia::AccessUnit& unit : clip.units) {
            packet->data = const_cast<uint8_t*>(unit.data.data());
            packet->size = static_cast<int>(unit.data.size());
            if (avcodec_send_packet(ctx, packet) == 0)
                while (avcodec_receive_frame(ctx, frame) == 0)
                    ++frames;
        }
    }
    const double seconds = ThreadCpuSeconds() - start;
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&ctx);
    return frames ? seconds / frames : 0;
}

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
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool cif = args.value(1) != QLatin1String("d1");
    const bool widget = args.value(2) == QLatin1String("widget");
    const int seconds = std::max(10, args.value(3, QStringLiteral("60")).toInt());
    // Half a key-frame interval of the clips (a key frame every 30 frames).
    const int startFrame = args.value(4) == QLatin1String("mid") ? 15 : 0;
    RegisterListMetaTypes();
    cgi::RegisterMetaTypes();
    RegisterDisplayDvrInfoMetaType();

    QTemporaryDir scratch;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path() + "/settings");
    CAppDir::setOverridePath(scratch.path());
    CAppSettings settings;
    settings.writeSetting(CAppSettings::OPENGL, widget ? OPENGL_MODE_OFF : OPENGL_MODE_ON);
    settings.writeSetting(CAppSettings::CODEC_TYPE, cif ? 1 : 0);
    settings.writeSetting(CAppSettings::AUDIO_SUPPORT, 0);

    const int dvrs = cif ? 4 : 1;
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

    Viewer window;
    window.resize(1280, 1000);
    window.show();
    QTest::qWait(500);
    if (cif)
        window.findChild<QPushButton*>("LiveM")->click();
    QTest::qWait(300);
    const int cells = cif ? 64 : 16;
    QElapsedTimer clock;
    clock.start();
    window.OnGroupConnect(*window.dvrTree()->topLevelItem(0), 0, -1);
    CScreen* screen = window.displayWidget()->screenContainer();
    std::vector<qint64> first(cells, -1);
    int shown = 0;
    while (shown < cells && clock.elapsed() < 30000) {
        QTest::qWait(5);
        for (int i = 0; i < cells; ++i)
            if (first[i] < 0 && !screen->getInfo(i).image.isNull()) {
                first[i] = clock.elapsed();
                ++shown;
            }
    }
    const qint64 slowest = *std::max_element(first.begin(), first.end());
    std::printf("%s, %s cells%s: first picture in all %d cells after %lld ms (%d shown)\n",
                cif ? "4 x 16 CIF Live M 8x8" : "1 x 16 D1 Live S 4x4", widget ? "widget" : "OpenGL",
                startFrame ? ", streams starting between key frames" : "", cells, static_cast<long long>(slowest), shown);

    QTest::qWait(3000);
    sims.read();
    const long long sent0 = sims.sent, dropped0 = sims.dropped;
    const quint64 drawn0 = screen->picturesDrawn();
    const double cpu0 = CpuSeconds();
    const double gui0 = ThreadCpuSeconds();  // this thread runs the window
    clock.restart();
    double rss60 = 0;
    while (clock.elapsed() < seconds * 1000LL) {
        QTest::qWait(200);
        if (rss60 == 0 && clock.elapsed() >= 60000)
            rss60 = ResidentMB();
    }
    sims.read();
    const double wall = clock.elapsed() / 1000.0;
    const quint64 pictures = screen->picturesDrawn() - drawn0;
    const double guiCpu = ThreadCpuSeconds() - gui0;
    const double drawn = pictures / wall;
    // The DVRs count what went out and, apart, what they dropped because the program fell
    // behind: both were due.
    const double sent = (sims.sent - sent0) / wall;
    const double due = (sims.sent - sent0 + sims.dropped - dropped0) / wall;
    const double cores = (CpuSeconds() - cpu0) / wall;
    const testmedia::Clip clip = testmedia::LoadClip(testmedia::Codec::H264, cif ? "cif" : "d1");
    const double bare = sent * BareSecondsPerFrame(clip);
    std::printf("  over %.0f s: drawn %.0f/s, sent %.0f/s, due %.0f/s (sent and dropped), drawn/due %.3f\n", wall, drawn,
                sent, due, due > 0 ? drawn / due : 0);
    std::printf("  process CPU %.2f cores, bare decoding of the sent frames %.2f cores, ratio %.2f\n", cores, bare,
                bare > 0 ? cores / bare : 0);
    std::printf("  GUI thread: %.2f cores, %.1f us of CPU per drawn picture\n", guiCpu / wall,
                pictures ? guiCpu / pictures * 1e6 : 0);
    std::printf("  resident memory: %.0f MB after 60 s, %.0f MB at the end\n", rss60 > 0 ? rss60 : ResidentMB(), ResidentMB());
    window.close();
    return 0;
}
