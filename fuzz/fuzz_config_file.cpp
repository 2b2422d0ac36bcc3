// Arbitrary bytes as a ".conf" file opened on the configuration pages and saved again, through
// the container's own Open and Save (CSetupWidget::OnOpenFiles and OnSaveFiles: the parse, the
// DVR information repair, every page's repairs and controls, and the configuration the pages
// assemble), with the operator's file choices and messages answered through CPrompt. The pages
// are real widgets on Qt's offscreen platform; both commands finish without an event loop.
// A file that does not parse, or of a model the pages do not know, is refused with a message.
// Otherwise the saved configuration has every list at the length the pages index it with, and
// opening and saving it again writes the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include "Common/AppDir.h"
#include "Common/Prompt.h"
#include "DVRSetup/PageRules.h"
#include "DVRSetup/SetupRules.h"
#include "DVRSetup/SetupWidget.h"
#include "dvr_types/model_info.h"
#include "fuzz_util.h"
#include "sys_conf/types/record_types.h"
#include "widget_app.h"

namespace {

// Answers both file dialogs with `file` and keeps the messages; questions get no, dialogs are
// cancelled.
class Operator : public CPrompt {
public:
    void message(QWidget*, const QString& text) override { messages << text; }
    bool askYesNo(QWidget*, const QString&) override { return false; }
    QString chooseOpenFile(QWidget*, const QString&, const QString&, const QString&) override { return file; }
    QString chooseSaveFile(QWidget*, const QString&, const QString&, const QString&) override { return file; }
    int exec(QDialog*) override { return 0; }

    QString file;
    QStringList messages;
};

QTemporaryDir* g_dir = nullptr;
Operator* g_operator = nullptr;
CSetupWidget* g_pages = nullptr;

// The pages' own complaints (an unknown model) would flood the log.
void Quiet(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

bool Write(const QString& path, const char* data, size_t size)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(data, qint64(size)) == qint64(size);
}

std::string Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}

// Opens the file on the pages and saves them under another name: the bytes saved, empty when
// the save was refused (told to the operator).
std::string OpenAndSave(const QString& from, const QString& to)
{
    g_operator->file = from;
    g_pages->OnOpenFiles();
    QFile::remove(to);
    g_operator->file = to;
    g_pages->OnSaveFiles();
    // What the commands left for the event loop runs, as after the operator's clicks.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    return Read(to);
}

// The lengths the pages rely on when they show a saved configuration.
void CheckShape(const config::DvrConf& conf)
{
    const PageModel model = PageModel_Of(conf.dvr_info());
    const int cells = Event_MotionGrid(model).cells();
    const int n = model.channels;
    CHECK(conf.dvr_info().ch_num() == 4 || conf.dvr_info().ch_num() == 8 || conf.dvr_info().ch_num() == 16);
    CHECK(conf.system().name_id().dvr_id() < 256);
    CHECK(conf.network().stream().h264_size() == n);
    for (const config::Network_H264& s : conf.network().stream().h264()) {
        CHECK(s.qual_size() == RESOLUTIONS && s.fps_size() == RESOLUTIONS);
        CHECK(s.resolution() < RESOLUTIONS);
    }
    CHECK(conf.record().channel_size() == n && conf.record().schedule_size() == SCHEDULES);
    const uint64_t sensors = static_cast<uint64_t>(model.sensors);
    for (const config::Record_Channel& c : conf.record().channel()) {
        CHECK(c.qual_size() == RESOLUTIONS && c.fps_size() == RESOLUTIONS);
        CHECK(c.qual_evt_size() == RESOLUTIONS && c.fps_evt_size() == RESOLUTIONS);
        CHECK(config::Resolution_IsOffered(model.type, c.resolution()));
        CHECK(config::RecordMode_IsSupported(sensors, c.record_mode()));
    }
    for (const config::Record_Schedule& s : conf.record().schedule())
        CHECK(s.record_mode_size() == SCHEDULE_CELLS);
    const config::Event& event = conf.event();
    CHECK(event.motion_conf().motion_size() == n && event.sensor_conf().sensor_size() == model.sensors);
    for (const config::Event_Motion& m : event.motion_conf().motion())
        CHECK(m.zone_size() == cells);
    CHECK(event.relay().motion_size() == n && event.relay().sensor_size() == model.sensors);
    CHECK(event.email().address().receiver_size() == EMAIL_RECEIVERS);
    CHECK(conf.camera().channel_size() == n && conf.camera().ptz_size() == n && conf.camera().spot_size() == 1);
    CHECK(!conf.account().admin().password().empty());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qInstallMessageHandler(Quiet);
    g_dir = fuzzapp::Start("fuzz_config_file");
    if (!g_dir)
        return 1;
    // Nor is the user's application folder.
    CAppDir::setOverridePath(g_dir->path());
    g_operator = new Operator;
    CPrompt::install(g_operator);
    g_pages = new CSetupWidget;
    g_pages->Init();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    const QString input = g_dir->filePath("input.conf");
    const QString saved = g_dir->filePath("saved.conf");
    const QString again = g_dir->filePath("again.conf");
    CHECK(Write(input, reinterpret_cast<const char*>(data), size));
    // Each input starts from the pages as a new DVR finds them.
    g_pages->Init();
    g_operator->messages.clear();

    config::DvrConf conf;
    const bool parses = conf.ParseFromArray(data, static_cast<int>(size));
    const bool known = parses && DvrModel::IsValid(static_cast<int>(conf.dvr_info().model()));
    const std::string first = OpenAndSave(input, saved);
    if (!known) {
        CHECK(!g_operator->messages.isEmpty());
        return 0;
    }
    if (first.empty()) {
        // Refused only for an empty administrator password, which the file gave.
        CHECK(g_operator->messages == QStringList{QStringLiteral("The admin password must not be empty.")});
        CHECK(conf.account().has_admin() && conf.account().admin().password().empty());
        return 0;
    }
    CHECK(g_operator->messages.isEmpty());

    config::DvrConf out;
    CHECK(out.ParseFromString(first));
    config::DvrConf_DvrInfo info = conf.dvr_info();
    DvrInfo_Repair(&info);
    CHECK(out.dvr_info().SerializeAsString() == info.SerializeAsString());
    CheckShape(out);
    // The pages hold what they saved: a second round changes nothing.
    CHECK(OpenAndSave(saved, again) == first);
    return 0;
}
