#include "PlaybackFile.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <shared_mutex>

#include <QDebug>
#include <QThread>

#include "Common/BoundedLock.h"
#include "Common/Frame.h"
#include "Display/DisplayVideo.h"
#include "Playback/LocalFiles.h"

namespace {

class CWallClock : public CPlaybackClock {
public:
    KTimeVal Now() override { return KTimeVal::GetSystemTv(); }
    void Sleep(int ms) override { QThread::msleep(static_cast<unsigned long>(ms)); }
};

double Seconds(const KTimeVal& t) { return static_cast<double>(t.sec) + t.usec / 1e6; }

double StampOf(const recfile::QrxIndexRecord& r) { return r.time_sec + r.time_usec / 1e6; }

}  // namespace

struct CPlaybackFile::Shared {
    // Guards the commands below (standard types: ThreadSanitizer sees their handovers).
    std::mutex lock;
    std::condition_variable wake;   // a command came
    std::condition_variable ended;  // the reader is done
    QString folder;
    uint32_t channels = 0xFFFF;
    PbMode mode = PB_FORWARD_1X;
    double seekTime = -1;  // pending seek, seconds
    bool modeChanged = false;
    int steps = 0;  // pending steps
    bool stop = false;
    bool finished = false;

    std::shared_ptr<CPlaybackClock> clock;

    // Hand-outs pass while the owner holds its reader; leaving the reader behind closes the
    // gate, waiting for a hand-out under way.
    std::shared_mutex gate;
    std::atomic<CPlaybackFile*> owner{nullptr};

    template <class F>
    void handOut(F&& f)
    {
        std::shared_lock<std::shared_mutex> open(gate);
        if (CPlaybackFile* o = owner.load())
            f(o);
    }
};

namespace {

struct Cursor {
    QStringList bases;
    QString folder;
    int file = -1;
    CRawFile raw;
    long long pos = -1;        // index record of the current frame
    QByteArray frame;
    recfile::QrxIndexRecord record{};
    double lastVisited = -1;   // stamp of the last record passed over or taken
    double gap = 0;            // from the record before the taken one to it
};

}  // namespace

class CPlaybackFile::Reader {
public:
    explicit Reader(std::shared_ptr<Shared> shared) : m_s(std::move(shared)) {}
    void run();

private:
    bool openFile(Cursor& c, int file);
    bool seekTo(Cursor& c, double time, bool forward, uint32_t channels);
    // The next frame in the direction of play that passes the filter; false at the end.
    bool next(Cursor& c, bool forward, bool keyOnly, bool audio, uint32_t channels);
    void makeInfo(const Cursor& c, PbMode mode, uint32_t channels);
    double nowSeconds() const { return Seconds(m_s->clock->Now()); }
    void waitSlice(int ms) { m_s->clock->Sleep(std::clamp(ms, 1, SLICE_MS)); }
    // True when a command waits that ends what the reader is doing.
    bool interrupted()
    {
        std::lock_guard<std::mutex> check(m_s->lock);
        return m_s->stop || m_s->seekTime >= 0 || m_s->modeChanged;
    }
    void status(const QString& text)
    {
        m_s->handOut([&](CPlaybackFile* o) { emit o->signalChangedStatus(text); });
    }
    void restart(uint32_t channels)
    {
        m_s->handOut([&](CPlaybackFile* o) {
            for (int ch = 0; ch < recfile::MAX_CHANNELS; ++ch)
                if (channels & (1u << ch))
                    emit o->signalDecoderRestart(ch);
        });
    }

    const std::shared_ptr<Shared> m_s;
    DISPLAY_DVR_INFO m_info;
};

PbMode CPlaybackFile::ApplyCommand(PbMode mode, cgi::PbControl_Cmd command)
{
    const bool reverse = PbMode_IsReverseMode(mode);
    switch (command) {
    case cgi::PbControl::CMD_FORWARD: return PB_FORWARD_1X;
    case cgi::PbControl::CMD_REVERSE: return PB_REVERSE_1X;
    case cgi::PbControl::CMD_PAUSE: return PB_PAUSE;
    case cgi::PbControl::CMD_STOP: return PB_STOP;
    case cgi::PbControl::CMD_STEP_REVERSE: return PB_STEP_BACKWARD;
    case cgi::PbControl::CMD_STEP_FORWARD: return PB_STEP_FORWARD;
    case cgi::PbControl::CMD_FASTER:
        if (mode == PB_SLOW_1_4)
            return PB_SLOW_1_2;
        if (mode == PB_SLOW_1_2)
            return PB_FORWARD_1X;
        if ((mode >= PB_FORWARD_1X && mode < PB_FORWARD_256X) || (reverse && mode < PB_REVERSE_256X))
            return static_cast<PbMode>(mode + 1);
        return PbMode_IsForwardMode(mode) || reverse ? mode : PB_FORWARD_1X;
    case cgi::PbControl::CMD_SLOWER:
        if (mode == PB_FORWARD_1X)
            return PB_SLOW_1_2;
        if (mode == PB_SLOW_1_2)
            return PB_SLOW_1_4;
        if ((mode > PB_FORWARD_1X && mode <= PB_FORWARD_256X) || (reverse && mode > PB_REVERSE_1X))
            return static_cast<PbMode>(mode - 1);
        return PbMode_IsForwardMode(mode) || reverse || mode == PB_SLOW_1_4 ? mode : PB_FORWARD_1X;
    default: return mode;
    }
}

CPlaybackFile::CPlaybackFile(QObject* parent) : QObject(parent), m_shared(std::make_shared<Shared>())
{
    m_shared->clock = std::make_shared<CWallClock>();
}

CPlaybackFile::~CPlaybackFile() { stopPlay(); }

void CPlaybackFile::setFolder(const QString& folder) { m_folder = folder; }

void CPlaybackFile::setClock(std::shared_ptr<CPlaybackClock> clock)
{
    if (clock && !isPlaying())
        m_shared->clock = std::move(clock);
}

PbMode CPlaybackFile::mode() const
{
    std::unique_lock<std::mutex> lock(m_shared->lock);
    return m_shared->mode;
}

void CPlaybackFile::play(time_t from, uint32_t channels)
{
    {
        std::unique_lock<std::mutex> lock(m_shared->lock);
        m_shared->folder = m_folder;
        m_shared->seekTime = static_cast<double>(from);
        m_shared->channels = channels & 0xFFFF;
        m_shared->mode = PB_FORWARD_1X;
        m_shared->modeChanged = false;
        m_shared->steps = 0;
        m_shared->stop = false;
        m_shared->wake.notify_all();
    }
    if (isPlaying())
        return;
    m_shared->finished = false;
    m_shared->owner = this;
    m_thread = std::thread([shared = m_shared] {
        Reader(shared).run();
        std::lock_guard<std::mutex> lock(shared->lock);
        shared->finished = true;
        shared->ended.notify_all();
    });
}

void CPlaybackFile::command(cgi::PbControl_Cmd command)
{
    if (command == cgi::PbControl::CMD_STOP) {
        stopPlay();
        return;
    }
    std::unique_lock<std::mutex> lock(m_shared->lock);
    const PbMode mode = ApplyCommand(m_shared->mode, command);
    if (PbMode_IsStepMode(mode))
        ++m_shared->steps;
    if (mode != m_shared->mode) {
        m_shared->mode = mode;
        m_shared->modeChanged = true;
    }
    m_shared->wake.notify_all();
}

void CPlaybackFile::setMode(PbMode mode)
{
    std::unique_lock<std::mutex> lock(m_shared->lock);
    if (mode == m_shared->mode)
        return;
    m_shared->mode = mode;
    m_shared->modeChanged = true;
    m_shared->wake.notify_all();
}

void CPlaybackFile::stopPlay()
{
    if (!isPlaying())
        return;
    bool ended = false;
    {
        std::unique_lock<std::mutex> lock(m_shared->lock);
        m_shared->stop = true;
        m_shared->wake.notify_all();
        ended = m_shared->ended.wait_for(lock, std::chrono::milliseconds(STOP_WAIT_MS),
                                         [this] { return m_shared->finished; });
    }
    if (ended) {
        m_thread.join();  // it has finished: returns at once
    } else {
        // Left to end by itself with what it shares; from here on it hands nothing out.
        std::unique_lock<std::shared_mutex> gate(m_shared->gate, std::defer_lock);
        if (!LockWithin(gate, HANDOUT_WAIT_MS))
            qWarning("Playback: the reader is still handing out a frame; it is left behind");
        m_shared->owner = nullptr;
        if (gate.owns_lock())
            gate.unlock();
        qWarning("Playback: the reader did not end within %d ms (a file that does not answer); it is left behind",
                 STOP_WAIT_MS);
        m_thread.detach();
        const auto left = m_shared;
        m_shared = std::make_shared<Shared>();
        m_shared->clock = left->clock;
        std::lock_guard<std::mutex> lock(left->lock);
        m_shared->mode = left->mode;
    }
    emit signalDecoderFlush();
    emit signalChangedStatus(QString());
}

bool CPlaybackFile::Reader::openFile(Cursor& c, int file)
{
    while (file >= 0 && file < c.bases.size()) {
        if (c.raw.open(c.folder, c.bases[file])) {
            c.file = file;
            return true;
        }
        // A damaged or removed file is told about and skipped.
        status(c.raw.missing() ? CPlaybackFile::tr("Missing file: %1").arg(c.raw.error())
                               : CPlaybackFile::tr("Damaged file: %1").arg(c.raw.error()));
        c.bases.removeAt(file);
    }
    c.file = -1;
    return false;
}

bool CPlaybackFile::Reader::seekTo(Cursor& c, double time, bool forward, uint32_t channels)
{
    c.bases = RawFileBases(c.folder);
    int file = 0;
    for (int i = 0; i < c.bases.size(); ++i)
        if (RawFileTime(c.bases[i]) <= time)
            file = i;
    if (!openFile(c, file))
        return false;
    const auto& index = c.raw.index();
    const auto it = std::lower_bound(index.begin(), index.end(), time,
                                     [](const recfile::QrxIndexRecord& r, double t) { return StampOf(r) < t; });
    long long pos = it - index.begin();
    if (forward) {
        // Start at the earliest of the key frames that lead each channel into the chosen
        // time, when they are close.
        uint32_t keyed = 0;
        long long start = pos;
        for (long long i = std::min<long long>(pos, static_cast<long long>(index.size()) - 1); i >= 0; --i) {
            const recfile::QrxIndexRecord& r = index[static_cast<size_t>(i)];
            if (StampOf(r) < time - 2)
                break;
            const uint32_t bit = 1u << r.channel;
            if (r.type == FRAME_KEY && (channels & bit) && !(keyed & bit)) {
                keyed |= bit;
                start = i;
            }
        }
        c.pos = start - 1;
    } else {
        c.pos = pos;
    }
    return true;
}

bool CPlaybackFile::Reader::next(Cursor& c, bool forward, bool keyOnly, bool audio, uint32_t channels)
{
    for (;;) {
        if (c.file < 0)
            return false;
        const auto& index = c.raw.index();
        c.pos += forward ? 1 : -1;
        if (c.pos < 0 || c.pos >= static_cast<long long>(index.size())) {
            const int file = c.file + (forward ? 1 : -1);
            if (!openFile(c, file))
                return false;
            c.pos = forward ? -1 : static_cast<long long>(c.raw.index().size());
            continue;
        }
        const recfile::QrxIndexRecord& r = index[static_cast<size_t>(c.pos)];
        const double before = c.lastVisited;
        c.lastVisited = StampOf(r);
        c.gap = before < 0 ? 0 : std::fabs(c.lastVisited - before);
        if (!(channels & (1u << r.channel)))
            continue;
        if (r.type == FRAME_AUDIO ? !audio : (keyOnly && r.type != FRAME_KEY))
            continue;
        if (!c.raw.readFrame(static_cast<size_t>(c.pos), &c.frame)) {
            status(CPlaybackFile::tr("Damaged file: %1").arg(c.raw.error()));
            const int bad = c.file;
            c.bases.removeAt(bad);
            if (!openFile(c, forward ? bad : bad - 1))
                return false;
            c.pos = forward ? -1 : static_cast<long long>(c.raw.index().size());
            continue;
        }
        c.record = r;
        return true;
    }
}

void CPlaybackFile::Reader::makeInfo(const Cursor& c, PbMode mode, uint32_t channels)
{
    const recfile::QvfFileHeader& h = c.raw.header();
    m_info.displayMode = DISPLAY_MODE::LOCAL_PLAYBACK;
    m_info.pbMode = mode;
    m_info.oldProtocol = h.old_protocol != 0;
    m_info.model = h.model;
    m_info.channelMask = channels;
    m_info.authorityMask = 0xFFFF;
    m_info.dvrName = QString::fromUtf8(h.dvr_name, static_cast<int>(qstrnlen(h.dvr_name, sizeof h.dvr_name)));
    for (int i = 0; i < recfile::MAX_CHANNELS; ++i)
        m_info.channelNames[i] = QString::fromUtf8(h.titles[i], static_cast<int>(qstrnlen(h.titles[i], recfile::TITLE_BYTES)));
}

void CPlaybackFile::Reader::run()
{
    Cursor c;
    double anchorStamp = 0;  // play clock: this stamp was due at anchorWall
    double anchorWall = 0;
    double lastStamp = 0;
    bool anchored = false;
    bool atEnd = false;
    int protocol = 0;

    for (;;) {
        Shared& s = *m_s;
        std::unique_lock<std::mutex> lock(s.lock);
        if (s.stop)
            break;
        PbMode mode = s.mode;
        const double speed = PlayMode2Speed(mode);
        const bool stepping = s.steps > 0;
        const bool seek = s.seekTime >= 0;
        const bool changed = s.modeChanged;
        if (!seek && !changed && !stepping && (speed == 0 || atEnd)) {
            s.wake.wait(lock);
            continue;
        }
        const uint32_t channels = s.channels;
        double seekTime = s.seekTime;
        c.folder = s.folder;
        s.seekTime = -1;
        s.modeChanged = false;
        if (stepping)
            --s.steps;
        lock.unlock();

        if (seek || changed) {
            // Nothing of the old position or speed may show after this.
            m_s->handOut([](CPlaybackFile* o) { emit o->signalDecoderFlush(); });
            if (!seek) {
                // Go on from what the play clock says is on screen now.
                seekTime = lastStamp;
                if (anchored && PlayMode2Speed(static_cast<PbMode>(m_info.pbMode)) != 0)
                    seekTime = std::clamp(anchorStamp + (nowSeconds() - anchorWall) *
                                                            PlayMode2Speed(static_cast<PbMode>(m_info.pbMode)),
                                          std::min(anchorStamp, lastStamp), std::max(anchorStamp, lastStamp));
            }
            const bool forward = speed > 0 || (speed == 0 && mode != PB_STEP_BACKWARD);
            atEnd = !seekTo(c, seekTime, forward, channels);
            c.lastVisited = -1;
            if (seek)
                restart(channels);  // a new position: the cells and the shown time start over
            anchored = false;
            m_info.pbMode = mode;
            // Told here, not with a frame: a pause delivers none.
            if (mode != PB_STOP)
                status(StatusText(mode));
            if (atEnd) {
                status(CPlaybackFile::tr("No recording at this time"));
                continue;
            }
            if (!stepping && speed == 0)
                continue;
        }

        const bool forward = stepping ? mode != PB_STEP_BACKWARD : speed > 0;
        const bool keyOnly = !forward || std::fabs(speed) > KEY_ONLY_SPEED || mode == PB_STEP_BACKWARD;
        const bool audio = mode == PB_FORWARD_1X;
        if (!next(c, forward, keyOnly, audio, channels)) {
            atEnd = true;
            status(CPlaybackFile::tr("End of the recordings"));
            continue;
        }
        atEnd = false;
        const double stamp = StampOf(c.record);
        if (!stepping) {
            // A gap in the recordings (not the frames skipped here) is not waited out.
            if (!anchored || c.gap / std::fabs(speed) > MAX_GAP_MS / 1000.0) {
                anchorStamp = stamp;
                anchorWall = nowSeconds();
                anchored = true;
            }
            // Wait (in slices, to see new commands) until the frame is within the lead.
            for (;;) {
                const double ahead = (stamp - anchorStamp) / speed - (nowSeconds() - anchorWall) - LEAD_MS / 1000.0;
                if (ahead <= 0)
                    break;
                if (interrupted())
                    break;
                waitSlice(static_cast<int>(ahead * 1000) + 1);
            }
            if (interrupted())
                continue;
        }
        lastStamp = stamp;
        makeInfo(c, mode, channels);
        if (c.raw.header().protocol_type != protocol) {
            // Another decoder kind from here on: the cells wait for a key frame of it.
            if (protocol != 0)
                restart(channels);
            protocol = c.raw.header().protocol_type;
        }
        const auto* data = reinterpret_cast<const unsigned char*>(c.frame.constData());
        const size_t len = static_cast<size_t>(c.frame.size());
        const bool audioFrame = c.record.type == FRAME_AUDIO;
        m_s->handOut([&](CPlaybackFile* o) {
            if (audioFrame)
                emit o->PlayAudio(m_info, data, len);
            else
                emit o->DisplayVideo(m_info, data, len);
        });
    }
}
