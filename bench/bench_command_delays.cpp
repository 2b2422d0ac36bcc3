// How long commands take to reach a slow DVR (one that carries out and answers every command
// 3 s after it came in) while a PTZ button is held on it: the layout's channel command sent
// 7 s into a 13.5 s hold, the PTZ stop at the release, and the stream's stop sent at the same
// moment. Each is counted from its sending to its arrival at the DVR, in milliseconds.

#include <benchmark/benchmark.h>

#include <cstdio>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include "Common/DvrQuery.h"
#include "Network/HttpConnect.h"
#include "Network/SendCommand.h"
#include "cgi_request.pb.h"
#include "dvr_protocol/cgi_protocol.h"
#include "sim/SimDvr.h"

namespace {

constexpr int HOLD_MS = 3000;
constexpr int CHANNEL_COMMAND_AT_MS = 7000;
constexpr int RELEASE_AT_MS = 13500;
constexpr int PTZ_CHANNEL = 2;

QCoreApplication* App()
{
    static int argc = 1;
    static char name[] = "bench_command_delays";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    return app;
}

void Pump(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

QString Ptz(const DVR& dvr, int cmd)
{
    cgi::Ptzf ptzf;
    ptzf.set_cmd(static_cast<cgi::Ptzf_Cmd>(cmd));
    ptzf.set_channel(PTZ_CHANNEL);
    return CgiQueryFor(dvr, cgi::MODE_PTZF, ptzf);
}

// When the first request the predicate picks came in at or after `since`; -1 if none did.
qint64 ArrivalAfter(const simdvr::CSimDvr& sim, qint64 since, const std::function<bool(const simdvr::Request&)>& pick)
{
    for (const simdvr::Request& r : sim.requests())
        if (r.arrivalMs >= since && pick(r))
            return r.arrivalMs;
    return -1;
}

bool IsPtzStop(const simdvr::Request& r)
{
    cgi::Ptzf ptzf;
    return r.mode == cgi::MODE_PTZF && r.message(&ptzf) && ptzf.cmd() == cgi::Ptzf::CMD_STOP;
}

void BM_CommandDelaysAtASlowDvr(benchmark::State& state)
{
    App();
    for (auto _ : state) {
        simdvr::Config cfg;
        cfg.channels = 4;
        simdvr::CSimDvr sim(cfg);
        if (!sim.start()) {
            state.SkipWithError("the simulated DVR did not start");
            return;
        }
        DVR dvr;
        dvr.set_address("127.0.0.1");
        dvr.set_port(sim.port());
        dvr.set_id("admin");
        dvr.set_password("1234");
        dvr.set_bit_ch(0xF);
        dvr.set_protocol_type(1);

        CHttpConnect stream;
        stream.Connect(dvr, {0, true, false, false, 0, 0, 0});
        if (!sim.waitForVideoFrames(10, 10000)) {
            state.SkipWithError("no stream");
            return;
        }
        const int cid = sim.streams().back().clientId;
        simdvr::Misbehaviour slow;
        slow.holdRequests = -1;
        slow.holdMs = HOLD_MS;
        sim.setMisbehaviour(slow);

        // The PTZ page: the move at the press and again every second while held.
        CSendCommand page;
        CSendCommand window;
        const QString move = Ptz(dvr, cgi::Ptzf::CMD_UP);
        page.send(dvr, move, CommandSubject::PtzMove(PTZ_CHANNEL));
        QTimer repeat;
        QObject::connect(&repeat, &QTimer::timeout, [&] { page.sendRepeat(dvr, move, CommandSubject::PtzMove(PTZ_CHANNEL)); });
        repeat.start(1000);

        Pump(CHANNEL_COMMAND_AT_MS);
        cgi::StreamChannel channels;
        channels.set_mode(cgi::MODE_LIVE);
        channels.set_stream_id(static_cast<uint32_t>(cid));
        channels.set_vchmask(0x3);
        const qint64 channelSent = simdvr::CSimDvr::nowMs();
        window.send(dvr, CgiQueryFor(dvr, cgi::MODE_STREAM_CHANNEL, channels), CommandSubject::StreamChannel(cid));

        Pump(RELEASE_AT_MS - CHANNEL_COMMAND_AT_MS);
        repeat.stop();
        const qint64 released = simdvr::CSimDvr::nowMs();
        page.dropQueuedRepeats();
        page.send(dvr, Ptz(dvr, cgi::Ptzf::CMD_STOP), CommandSubject::PtzStop(PTZ_CHANNEL));
        stream.Disconnect();

        qint64 channelAt = -1, ptzStopAt = -1, stopAt = -1;
        sim.waitUntil(
            [&] {
                channelAt = ArrivalAfter(sim, channelSent, [](const simdvr::Request& r) { return r.mode == cgi::MODE_STREAM_CHANNEL; });
                ptzStopAt = ArrivalAfter(sim, released, IsPtzStop);
                stopAt = ArrivalAfter(sim, released, [](const simdvr::Request& r) { return r.mode == cgi::MODE_STREAM_STOP; });
                return channelAt >= 0 && ptzStopAt >= 0 && stopAt >= 0;
            },
            180000);
        if (qEnvironmentVariableIsSet("ZAVO_BENCH_LOG"))
            for (const simdvr::Request& r : sim.requests())
                fprintf(stderr, "%6lld ms  mode %d\n", static_cast<long long>(r.arrivalMs - channelSent + CHANNEL_COMMAND_AT_MS), r.mode);
        state.SetIterationTime(1);
        state.counters["channel_command_ms"] = channelAt < 0 ? -1 : double(channelAt - channelSent);
        state.counters["ptz_stop_ms"] = ptzStopAt < 0 ? -1 : double(ptzStopAt - released);
        state.counters["stream_stop_ms"] = stopAt < 0 ? -1 : double(stopAt - released);
        CSendCommand::waitForAllCommands(60000);
    }
}
BENCHMARK(BM_CommandDelaysAtASlowDvr)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
