// zavo-simdvr: starts one or more simulated DVRs on 127.0.0.1 so that the client can be tried
// without a real DVR. Prints each DVR's port, then every request it decodes.
#include <csignal>
#include <cstdio>
#include <memory>
#include <unistd.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>

#include "sim/SimDvr.h"
#include "support/TestMedia.h"

namespace {

int g_signalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char c = 1;
    (void)!write(g_signalPipe[1], &c, 1);
}

const char* TransportName(simdvr::Transport t)
{
    switch (t) {
    case simdvr::Transport::Stream: return "stream";
    case simdvr::Transport::Post: return "post";
    case simdvr::Transport::Get: return "get";
    case simdvr::Transport::Upload: return "upload";
    default: return "other";
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("zavo-simdvr");

    QCommandLineParser parser;
    parser.setApplicationDescription("Simulated DVRs on 127.0.0.1 for trying the ZAVO client.");
    parser.addHelpOption();
    const QCommandLineOption channels("channels", "Camera channels: 4, 8 or 16 (default 16).", "n", "16");
    const QCommandLineOption model("model", "Model code (old protocol: model byte 6-21; 6-11 send MPEG-4).", "code");
    const QCommandLineOption oldProtocol("old-protocol", "Speak the old protocol.");
    const QCommandLineOption port("port", "Port of the first DVR (default 8080; 0: any free port).", "port", "8080");
    const QCommandLineOption count("count", "Number of DVRs, on consecutive ports (default 1).", "n", "1");
    const QCommandLineOption user("user", "Account user id (default admin; empty: accept anyone).", "id", "admin");
    const QCommandLineOption password("password", "Account password (default 1234).", "pw", "1234");
    const QCommandLineOption media("media", "Folder of the clips (default: the build's media folder).", "dir");
    const QCommandLineOption fps("fps", "Video frames per second (default 30).", "n", "30");
    const QCommandLineOption fast("fast", "Send frames as fast as the client takes them.");
    const QCommandLineOption quiet("quiet", "Do not print the requests.");
    const QCommandLineOption stats("stats", "Print the video frames sent and dropped once a second.");
    const QCommandLineOption startFrame("start-frame", "Start live streams this many frames into the clip "
                                                       "(default 0, a key frame; 15: between key frames).", "n", "0");
    parser.addOptions({channels, model, oldProtocol, port, count, user, password, media, fps, fast, quiet, stats,
                       startFrame});
    parser.process(app);

    bool ok = true;
    simdvr::Config config;
    config.oldProtocol = parser.isSet(oldProtocol);
    config.channels = parser.value(channels).toInt(&ok);
    if (!ok || (config.channels != 4 && config.channels != 8 && config.channels != 16)) {
        std::fprintf(stderr, "--channels must be 4, 8 or 16\n");
        return 2;
    }
    if (parser.isSet(model)) {
        config.model = parser.value(model).toUInt(&ok);
        if (!ok) {
            std::fprintf(stderr, "--model needs a number\n");
            return 2;
        }
    } else {
        config.model = config.oldProtocol ? 14 : (config.channels == 4 ? 6 : (config.channels == 8 ? 5 : 4));
    }
    config.user = parser.value(user);
    config.startFrame = parser.value(startFrame).toInt(&ok);
    if (!ok || config.startFrame < 0) {
        std::fprintf(stderr, "--start-frame needs a number of frames\n");
        return 2;
    }
    config.password = parser.value(password);
    config.mediaDir = parser.value(media);
    config.fps = parser.value(fps).toInt(&ok);
    if (!ok || config.fps < 1 || config.fps > 120) {
        std::fprintf(stderr, "--fps must be 1 to 120\n");
        return 2;
    }
    const std::string dir = config.mediaDir.isEmpty() ? testmedia::MediaDir() : config.mediaDir.toStdString();
    for (const char* clip : {"h264_d1.264", "h264_cif.264", "mpeg4_d1.m4v", "mpeg4_cif.m4v", "tone.alaw", "tone_24k.g726"}) {
        if (!QFileInfo(QString::fromStdString(dir + "/" + clip)).isReadable()) {
            std::fprintf(stderr, "missing clip %s/%s (build the test clips or give --media)\n", dir.c_str(), clip);
            return 1;
        }
    }
    const int firstPort = parser.value(port).toInt(&ok);
    if (!ok || firstPort < 0 || firstPort > 65535) {
        std::fprintf(stderr, "--port must be 0 to 65535\n");
        return 2;
    }
    const int n = parser.value(count).toInt(&ok);
    if (!ok || n < 1 || n > 256 || (firstPort > 0 && firstPort + n - 1 > 65535)) {
        std::fprintf(stderr, "--count must be 1 to 256 and fit the port range\n");
        return 2;
    }

    std::vector<std::unique_ptr<simdvr::CSimDvr>> dvrs;
    for (int i = 0; i < n; ++i) {
        simdvr::Config c = config;
        c.port = static_cast<uint16_t>(firstPort == 0 ? 0 : firstPort + i);
        c.dvrName = QStringLiteral("SimDVR %1").arg(i + 1);
        auto dvr = std::make_unique<simdvr::CSimDvr>(c);
        if (parser.isSet(fast)) {
            simdvr::Misbehaviour m;
            m.flood = true;
            dvr->setMisbehaviour(m);
        }
        if (!dvr->start()) {
            std::fprintf(stderr, "cannot listen on port %d\n", c.port);
            return 1;
        }
        std::printf("DVR %d: 127.0.0.1:%u (%s protocol, %d channels, model %u, user \"%s\")\n", i + 1,
                    dvr->port(), config.oldProtocol ? "old" : "current", config.channels, config.model,
                    qPrintable(config.user));
        dvrs.push_back(std::move(dvr));
    }
    std::fflush(stdout);

    if (pipe(g_signalPipe) == 0) {
        auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
        std::signal(SIGINT, OnSignal);
        std::signal(SIGTERM, OnSignal);
    }

    std::vector<int> printed(dvrs.size(), 0);
    QTimer poll;
    if (!parser.isSet(quiet)) {
        QObject::connect(&poll, &QTimer::timeout, [&] {
            for (size_t i = 0; i < dvrs.size(); ++i) {
                for (const simdvr::Request& r : dvrs[i]->requests()) {
                    if (r.seq <= printed[i])
                        continue;
                    printed[i] = r.seq;
                    std::printf("DVR %zu #%d %s MODE=%d %s%s %s\n", i + 1, r.seq, TransportName(r.transport), r.mode,
                                r.oldProtocol ? "ID=" : "user=",
                                r.oldProtocol ? r.oldId.constData() : r.user.c_str(),
                                r.dataType.empty() ? r.query.left(120).constData() : r.dataType.c_str());
                }
            }
            std::fflush(stdout);
        });
        poll.start(200);
    }
    QTimer statsTimer;
    if (parser.isSet(stats)) {
        // Totals of all the DVRs of this process, for a measuring program on the other end.
        QObject::connect(&statsTimer, &QTimer::timeout, [&] {
            int64_t sent = 0, dropped = 0;
            for (const auto& dvr : dvrs) {
                sent += dvr->totalVideoFrames();
                for (const simdvr::StreamInfo& s : dvr->streams())
                    dropped += s.droppedFrames;
            }
            std::printf("stats sent=%lld dropped=%lld\n", static_cast<long long>(sent), static_cast<long long>(dropped));
            std::fflush(stdout);
        });
        statsTimer.start(1000);
    }
    const int rc = app.exec();
    dvrs.clear();
    return rc;
}
