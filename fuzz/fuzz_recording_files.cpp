// A recording's files (.qvf frames, .qrx index, .qdx minute index) through the local reader,
// the local search and the local player (input layout in recording_input.h). The reader: a pair
// is refused or every record it keeps lies inside the frames file and reads back as the frame it
// names. The search model stays within its limits. Then the folder is searched on the playback
// panel and played as the operator plays it: the time line's time (the start), the Reverse and
// Stop buttons, the panel's player (CPlaybackFile, its reader thread over CRawFile) wired by the
// panel to the display widget, which decodes on its channels' threads. Played forward the
// player hands out every frame the reader reads, in index order, and ends; played backwards it
// hands out key frames only, and ends. Both clocks, the player's and the display's, never
// wait, so pacing costs no time (its waits still run, as slices of the clock). Before each
// button the display's threads decode every frame they were given, and every picture they
// hand on reaches its cell of the shown widget, which is then drawn. The widgets run on Qt's
// offscreen platform with widget cells and no sound output (the audio is decoded and then
// dropped).
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QToolButton>

extern "C" {
#include <libavutil/log.h>
}

#include "Common/DecodeVideo.h"
#include "Common/Frame.h"
#include "Common/PlayAudio.h"
#include "Display/DisplayVideo.h"
#include "Display/DisplayWidget.h"
#include "Playback/LocalFiles.h"
#include "Playback/PbButtons.h"
#include "Playback/PlaybackFile.h"
#include "Playback/PlaybackWidget.h"
#include "Playback/SearchWidget.h"
#include "Settings/AppSettings.h"
#include "fuzz_util.h"
#include "recording_input.h"
#include "search_check.h"
#include "widget_app.h"

namespace {

// Records read per input: enough for every seed, bounded for a huge index.
constexpr size_t MAX_READS = 4096;

QTemporaryDir* g_dir = nullptr;
CDisplayWidget* g_display = nullptr;
CPlaybackWidget* g_panel = nullptr;

// Time moves only by what is waited for.
class InstantClock : public CPlaybackClock {
public:
    KTimeVal Now() override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return KTimeVal(static_cast<int32_t>(m_ms / 1000), static_cast<int32_t>(m_ms % 1000 * 1000));
    }
    void Sleep(int ms) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_ms += ms > 0 ? ms : 0;
    }

private:
    std::mutex m_mutex;
    int64_t m_ms = 1000000;
};

bool Write(const QString& path, const std::string& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           f.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
}

// The frames the reader reads from the pair in index order, up to the first it cannot read.
std::vector<QByteArray> CheckPair(CRawFile& raw, size_t qvfSize)
{
    const recfile::QvfFileHeader& h = raw.header();
    CHECK(h.protocol_type >= PROTOCOL_CFRAME_H264 && h.protocol_type <= PROTOCOL_CUFRAME_MPEG4);
    uint64_t next = sizeof(recfile::QvfFileHeader);
    const auto& index = raw.index();
    for (size_t i = 0; i < index.size(); ++i) {
        const recfile::QrxIndexRecord& r = index[i];
        CHECK(r.offset == next && r.sequence == i && r.channel < recfile::MAX_CHANNELS && r.length > 0);
        CHECK(r.offset + r.length <= qvfSize);
        next = r.offset + r.length;
    }
    std::vector<QByteArray> readable;
    bool failed = false;
    QByteArray frame;
    for (size_t i = 0; i < index.size() && i < MAX_READS; ++i) {
        if (!raw.readFrame(i, &frame)) {
            CHECK(!raw.error().isEmpty());
            failed = true;
            continue;
        }
        CHECK(size_t(frame.size()) == index[i].length);
        FrameFacts f;
        CHECK(ReadFrameHeader(h.old_protocol != 0, reinterpret_cast<const unsigned char*>(frame.constData()),
                              size_t(frame.size()), &f));
        CHECK(f.fits && f.channel == index[i].channel && static_cast<uint8_t>(f.kind) == index[i].type);
        if (!failed)
            readable.push_back(frame);
    }
    CHECK(!raw.readFrame(index.size(), &frame));
    return readable;
}

struct HandedFrame {
    QByteArray bytes;
    bool oldProtocol;
    uint32_t mode;
};

// What the player hands out, and whether it has come to an end.
struct Handed {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<HandedFrame> frames;
    bool ended = false;

    void add(const DISPLAY_DVR_INFO& info, const unsigned char* data, size_t len)
    {
        std::lock_guard<std::mutex> lock(mutex);
        frames.push_back({QByteArray(reinterpret_cast<const char*>(data), int(len)), info.oldProtocol, info.pbMode});
        changed.notify_all();
    }
    void status(const QString& text)
    {
        if (text != CPlaybackFile::tr("End of the recordings") && text != CPlaybackFile::tr("No recording at this time"))
            return;
        std::lock_guard<std::mutex> lock(mutex);
        ended = true;
        changed.notify_all();
    }
    // Waits for the end, or for `most` frames; the frames of the mode handed out since the last
    // take, and whether the end came.
    std::vector<HandedFrame> take(size_t most, uint32_t mode, bool* end)
    {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [&] { return ended || frames.size() >= most; });
        std::vector<HandedFrame> out;
        for (HandedFrame& f : frames)
            if (f.mode == mode)
                out.push_back(std::move(f));
        frames.clear();
        *end = ended;
        ended = false;
        return out;
    }
};

// The screens the display's threads hand pictures on for. Only their numbers: a picture
// held here would keep its decoder from making the next ones.
struct Pictures {
    std::mutex mutex;
    std::vector<int> screens;

    void add(const CDisplayInfo& info)
    {
        if (info.image.isNull())
            return;
        std::lock_guard<std::mutex> lock(mutex);
        screens.push_back(info.screen);
    }
    std::vector<int> take()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return std::move(screens);
    }
};

// Once the player has handed out all it will: waits until the display's threads have decoded
// every frame they were given, lets their pictures reach the cells and draws the widget.
// Each screen that was handed a picture then shows one.
void ShowPictures(Pictures& pictures)
{
    while (g_display->displayVideo()->queuedFrames() > 0)
        QThread::msleep(1);
    const std::vector<int> screens = pictures.take();
    QCoreApplication::processEvents();
    const CScreen& cells = *g_display->screenContainer();
    for (int screen : screens) {
        bool shown = false;
        for (int i = 0; i < cells.count() && !shown; ++i)
            shown = cells.getInfo(i).screen == screen && !cells.getInfo(i).image.isNull();
        CHECK(shown);
    }
    // Draws every cell, as the next repaint would.
    (void)g_display->grab();
}

// Searches the folder on the panel, plays it forward from its start, then backwards from
// where that stopped, as the operator would with the time line and the buttons.
void Play(const QString& folder, const std::vector<QByteArray>& readable, bool whole)
{
    CPlaybackFile& player = *g_panel->player();
    Handed handed;
    Pictures pictures;
    QObject context;
    const auto direct = Qt::DirectConnection;
    QObject::connect(g_display->displayVideo(), &CDisplayVideo::signalUpdateScreen, &context,
                     [&](const CDisplayInfo& info) { pictures.add(info); }, direct);
    const auto add = [&](const DISPLAY_DVR_INFO& i, const unsigned char* d, size_t n) { handed.add(i, d, n); };
    QObject::connect(&player, &CPlaybackFile::DisplayVideo, &context, add, direct);
    QObject::connect(&player, &CPlaybackFile::PlayAudio, &context, add, direct);
    QObject::connect(&player, &CPlaybackFile::signalChangedStatus, &context,
                     [&](const QString& text) { handed.status(text); }, direct);

    g_panel->search(folder);
    // The main window readies the display for local playback; then the time line's signal for
    // a time before the first recording, as a click gives it.
    g_display->start(DISPLAY_MODE::LOCAL_PLAYBACK);
    emit g_panel->searchWidget()->selectedTime(0);
    bool end = false;
    const std::vector<HandedFrame> forward = handed.take(readable.size() + 1, PB_FORWARD_1X, &end);
    // Every frame the reader reads, in order; no more when the pair was read whole.
    CHECK(forward.size() >= readable.size() && (!end || !whole || forward.size() == readable.size()));
    for (size_t i = 0; i < readable.size(); ++i)
        CHECK(forward[i].bytes == readable[i]);
    if (end)
        ShowPictures(pictures);

    g_panel->buttons()->button(cgi::PbControl::CMD_REVERSE)->click();
    for (const HandedFrame& f : handed.take(MAX_READS, PB_REVERSE_1X, &end)) {
        FrameFacts facts;
        CHECK(ReadFrameHeader(f.oldProtocol, reinterpret_cast<const unsigned char*>(f.bytes.constData()),
                              size_t(f.bytes.size()), &facts));
        CHECK(facts.kind == FRAME_KEY);
    }
    if (end)
        ShowPictures(pictures);
    g_panel->buttons()->button(cgi::PbControl::CMD_STOP)->click();
    CHECK(!player.isPlaying());
    g_display->stop();
    // The statuses queued for the GUI thread reach the panel.
    QCoreApplication::processEvents();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    g_dir = fuzzapp::Start("fuzz_recording_files");
    if (!g_dir)
        return 1;
    // Widget cells, as without OpenGL.
    CAppSettings().writeSetting(CAppSettings::OPENGL, OPENGL_MODE_OFF);
    // libavcodec's complaints about broken streams would flood the log.
    av_log_set_level(AV_LOG_QUIET);
    g_display = new CDisplayWidget(nullptr, [] { return std::unique_ptr<CAudioDevice>(); });
    g_display->displayVideo()->setClock(std::make_shared<InstantClock>());
    g_panel = new CPlaybackWidget;
    g_panel->player()->setClock(std::make_shared<InstantClock>());
    g_panel->setDisplayWidget(g_display);
    g_panel->connectSignal();
    g_display->show();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (4u << 20))
        return 0;
    const recinput::Files files = recinput::Split(data, size);
    const QString folder = g_dir->filePath("recording");
    const QString base = QString::fromLatin1(recinput::BASE);
    CHECK(QDir().mkpath(folder));
    CHECK(Write(folder + "/" + base + recfile::QVF_SUFFIX, files.qvf));
    CHECK(Write(folder + "/" + base + recfile::QRX_SUFFIX, files.qrx));
    CHECK(Write(folder + "/" + base + recfile::QDX_SUFFIX, files.qdx));

    CHECK(RawFileBases(folder) == QStringList{base});
    CRawFile raw;
    std::vector<QByteArray> readable;
    if (raw.open(folder, base)) {
        readable = CheckPair(raw, files.qvf.size());
    } else {
        CHECK(raw.error().startsWith(base + ": "));
    }
    raw.close();

    CSearchDataParser search(false);
    const QStringList refused = LocalSearch(folder, &search);
    CHECK(refused.size() <= 1);
    searchcheck::CheckModel(search, CSearchDataParser::MAX_LOCAL_DATES);

    // Below the bound, the reader read every record up to the first it could not read.
    Play(folder, readable, readable.size() < MAX_READS);
    return 0;
}
