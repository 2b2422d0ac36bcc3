// Camera names in the DVR tree, as E-Map Edit shows them.
//   bench_dvr_list [--benchmark_filter=...]   (under Xvfb or QT_QPA_PLATFORM=offscreen)
// BM_ApplyOneDvrNames/N: one DVR's camera-name reply applied to a list of N DVRs (groups of
//   100, every DVR with 16 named cameras), the titles changing at every reply.
// BM_SaveList/N: writing that list once.
// BM_EMapEditEndToEnd/G: the main window switched to E-Map Edit with 3,000 DVRs in G groups on
//   100 simulated DVRs that answer with their camera names, until every name is in and
//   written. Reports the longest time the GUI thread did not come back to its event loop.
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include "Common/AppDir.h"
#include "Common/Prompt.h"
#include "Display/DisplayInfo.h"
#include "DVRList/ControlDVRList.h"
#include "DVRList/DVRListTree.h"
#include "Network/DisplayDvrInfo.h"
#include "ProtoBuf/ListMetaTypes.h"
#include "Settings/AppSettings.h"
#include "Viewer/Viewer.h"
#include "dvr_protocol/cgi_metatypes.h"

namespace {

constexpr int GROUP_SIZE = 100;  // DVRs per group, but for the end-to-end case
constexpr int CAMERAS = 16;

// Messages end up on standard error: a box would stop the benchmark.
class QuietPrompt : public CPrompt {
public:
    void message(QWidget*, const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
};

// DVR i listens on ports[i % ports.size()]; named DVRs carry 16 titles.
GroupList MakeList(int dvrs, const QList<int>& ports, bool named, int groupSize = GROUP_SIZE)
{
    GroupList list;
    for (int i = 0; i < dvrs; ++i) {
        if (i % groupSize == 0)
            list.add_group()->set_name("Site " + std::to_string(i / groupSize + 1));
        DVR* dvr = list.mutable_group(list.group_size() - 1)->add_dvr();
        dvr->set_name("DVR " + std::to_string(i + 1));
        dvr->set_address("127.0.0.1");
        dvr->set_port(ports.value(i % ports.size()));
        dvr->set_id("admin");
        dvr->set_password("1234");
        dvr->set_chnum(CAMERAS);
        dvr->set_protocol_type(1);
        for (int c = 0; named && c < CAMERAS; ++c)
            dvr->add_chname("Camera " + std::to_string(c + 1) + " of " + std::to_string(i + 1));
    }
    return list;
}

QList<int> DistinctPorts(int count)
{
    QList<int> ports;
    for (int i = 0; i < count; ++i)
        ports << 20000 + i;
    return ports;
}

struct Scratch {
    QTemporaryDir dir;
    Scratch() { CAppDir::setOverridePath(dir.path()); }
};

// A list of named DVRs on ports nobody listens on, written in a scratch folder.
struct StoredList {
    Scratch scratch;
    QuietPrompt prompt;
    bool written = false;
    explicit StoredList(int dvrs)
    {
        CPrompt::install(&prompt);
        written = CControlDVRList().Save(MakeList(dvrs, DistinctPorts(dvrs), true));
    }
    ~StoredList() { CPrompt::install(nullptr); }
};

void BM_ApplyOneDvrNames(benchmark::State& state)
{
    const int dvrs = static_cast<int>(state.range(0));
    StoredList stored(dvrs);
    if (!stored.written) {
        state.SkipWithError("the list could not be written");
        return;
    }
    CDVRListTree tree;
    tree.setCameraNameShow(false);
    // Camera items without asking the (absent) DVRs: every DVR has its names already.
    tree.setCameraNameShow(true);
    const QString key = QStringLiteral("127.0.0.1:%1").arg(20000 + dvrs / 2);
    cgi::DvrInfo names[2];
    for (int set = 0; set < 2; ++set)
        for (int c = 0; c < CAMERAS; ++c)
            names[set].add_ch_name((set ? "Gate " : "Door ") + std::to_string(c + 1));
    int round = 0;
    for (auto _ : state)
        tree.applyCameraNames(key, names[round++ % 2]);
    state.counters["dvrs"] = dvrs;
}
BENCHMARK(BM_ApplyOneDvrNames)->Arg(300)->Arg(3000)->Arg(30000)->Unit(benchmark::kMillisecond);

void BM_SaveList(benchmark::State& state)
{
    StoredList stored(static_cast<int>(state.range(0)));
    if (!stored.written) {
        state.SkipWithError("the list could not be written");
        return;
    }
    CDVRListTree tree;
    for (auto _ : state)
        benchmark::DoNotOptimize(tree.saveDVRList());
}
BENCHMARK(BM_SaveList)->Arg(300)->Arg(3000)->Arg(30000)->Unit(benchmark::kMillisecond);

// The simulated DVRs' process and the ports it prints.
struct Sims {
    QProcess process;
    QList<int> ports;

    bool start(int count)
    {
        process.start(QStringLiteral(ZAVO_SIMDVR_PATH),
                      {"--quiet", "--count", QString::number(count), "--channels", "16", "--port", "0"});
        static const QRegularExpression dvr(QStringLiteral("^DVR \\d+: 127\\.0\\.0\\.1:(\\d+)"));
        QElapsedTimer t;
        t.start();
        while (ports.size() < count && t.elapsed() < 10000 && process.waitForReadyRead(1000)) {
            while (process.canReadLine()) {
                const auto m = dvr.match(QString::fromLatin1(process.readLine()).trimmed());
                if (m.hasMatch())
                    ports << m.captured(1).toInt();
            }
        }
        return ports.size() == count;
    }
    ~Sims()
    {
        process.terminate();
        process.waitForFinished(5000);
    }
};

bool AllNamed(const GroupList& list)
{
    for (const Group& group : list.group())
        for (const DVR& dvr : group.dvr())
            if (dvr.chname_size() == 0)
                return false;
    return true;
}

void BM_EMapEditEndToEnd(benchmark::State& state)
{
    constexpr int DVRS = 3000;
    constexpr int SIMS = 100;
    Scratch scratch;
    QuietPrompt prompt;
    CPrompt::install(&prompt);
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.dir.path() + "/settings");
    CAppSettings settings;
    settings.writeSetting(CAppSettings::OPENGL, OPENGL_MODE_OFF);
    settings.writeSetting(CAppSettings::AUDIO_SUPPORT, 0);
    Sims sims;
    if (!sims.start(SIMS)) {
        state.SkipWithError("the simulated DVRs did not start");
        return;
    }
    double longestStall = 0, entry = 0, allNamed = 0, written = 0;
    for (auto _ : state) {
        if (!CControlDVRList().Save(MakeList(DVRS, sims.ports, false, DVRS / static_cast<int>(state.range(0))))) {
            state.SkipWithError("the list could not be written");
            break;
        }
        Viewer window;
        window.resize(1280, 1000);
        window.show();
        QApplication::processEvents();
        window.findChild<QPushButton*>("EMap")->click();
        QApplication::processEvents();

        // A 5 ms tick: the gap between two ticks, less the period, is how long the GUI
        // thread kept an event from being handled.
        QElapsedTimer clock, tick;
        QTimer probe;
        probe.setInterval(5);
        double stall = 0;
        QObject::connect(&probe, &QTimer::timeout, [&] {
            stall = std::max(stall, tick.nsecsElapsed() / 1e6 - 5);
            tick.restart();
        });
        tick.start();
        probe.start();
        clock.start();
        window.findChild<QPushButton*>("EMapEdit")->click();
        entry = clock.nsecsElapsed() / 1e6;
        double named = 0;
        while (clock.elapsed() < 120000) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
            if (named == 0 && AllNamed(window.dvrTree()->groupList()))
                named = clock.nsecsElapsed() / 1e6;
            if (named > 0 && !window.dvrTree()->namesSavePending() && AllNamed(CControlDVRList().Load()))
                break;
        }
        written = clock.nsecsElapsed() / 1e6;
        allNamed = named;
        longestStall = std::max(stall, entry);
        window.close();
    }
    state.counters["entry_ms"] = entry;
    state.counters["all_named_ms"] = allNamed;
    state.counters["written_ms"] = written;
    state.counters["longest_stall_ms"] = longestStall;
    CPrompt::install(nullptr);
}
BENCHMARK(BM_EMapEditEndToEnd)->Arg(1)->Arg(30)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RegisterListMetaTypes();
    cgi::RegisterMetaTypes();
    RegisterDisplayDvrInfoMetaType();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
