#include "DisplayVideo.h"

#include <QMetaType>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstring>
#include <deque>

#include <boost/date_time/posix_time/posix_time_types.hpp>
#include <boost/thread/condition_variable.hpp>
#include <boost/thread/mutex.hpp>

#include "Common/ChannelNum.h"
#include "Common/DateTime.h"
#include "Common/Frame.h"
#include "Playback/PlaybackFile.h"

namespace {

class CSystemClock : public CPlaybackClock {
public:
    KTimeVal Now() override { return KTimeVal::GetSystemTv(); }
    void Sleep(int ms) override
    {
        boost::this_thread::sleep(boost::posix_time::milliseconds(ms));
    }
};

bool HasOldHeader(ProtocolType type)
{
    return type == PROTOCOL_CUFRAME_H264 || type == PROTOCOL_CUFRAME_MPEG4;
}

static_assert(FrameFacts::MAX_CHANNELS <= CDisplayVideo::MAX_CHANNELS, "a readable channel has a queue");

// The display drops a frame whose coded data does not lie inside it.
bool ReadFrame(bool oldHeader, const unsigned char* frame, size_t length, FrameFacts* out)
{
    return ReadFrameHeader(oldHeader, frame, length, out) && out->fits;
}

bool ShowsLaterTimes(PbMode mode)
{
    return PbMode_IsForwardMode(mode) || PbMode_IsSlowMode(mode) || mode == PB_STEP_FORWARD;
}

}  // namespace

struct CDisplayVideo::ChannelQueue {
    boost::mutex mutex;
    boost::condition_variable data;   // a frame was added
    boost::condition_variable space;  // room again, or the threads stop
    std::unique_ptr<unsigned char[]> buffer;
    size_t fill = 0;
    std::deque<size_t> lengths;
    std::deque<_DISPLAY_CHANNEL_INFO> records;
    bool running = false;  // a decode thread takes frames from this queue
    bool left = false;     // its thread was left running: the queue stays as that thread has it
    PtsDelay tracker;      // only the channel's thread touches it
};

CDisplayVideo::CDisplayVideo(QObject* parent)
    : QObject(parent), m_queues(new ChannelQueue[MAX_CHANNELS]),
      m_clock(std::make_shared<CSystemClock>())
{
    qRegisterMetaType<CDisplayInfo>("CDisplayInfo");
    for (auto& slot : m_channelSlot)
        slot = -1;
    m_decoder.Init(MAX_SLOTS);
    // 32-bit pictures are drawn and uploaded without a conversion.
    m_decoder.SetPixelFormat(AV_PIX_FMT_BGRA);
}

CDisplayVideo::~CDisplayVideo()
{
    exitDecodeThread();
    clear(-1);
    m_decoder.Deinit();
}

int CDisplayVideo::getVideoChannel(bool oldProtocol, const unsigned char* frame,
                                   size_t length) const
{
    FrameFacts f;
    return ReadFrame(oldProtocol, frame, length, &f) ? f.channel : -1;
}

void CDisplayVideo::makeImage(const _DISPLAY_CHANNEL_INFO& info, const unsigned char* frame,
                              size_t length, const ShowPicture& show)
{
    FrameFacts f;
    if (!ReadFrame(HasOldHeader(info.protocolType), frame, length, &f))
        return;
    if (f.rawSize >= CDecodeVideo::MAX_PAYLOAD)
        return;
    const unsigned int seconds = static_cast<unsigned int>(f.time.sec);

    if (info.displayMode == DISPLAY_MODE::REMOTE_PLAYBACK)
        checkPlaybackMode(info.pbMode);
    if (info.displayMode != DISPLAY_MODE::LOCAL_PLAYBACK) {
        decodeImage(info, frame, length, show);
        if (f.kind == FRAME_KEY)
            displayTime(info.displayMode, seconds, info.pbMode);
        return;
    }
    if (queueFrame(info, f.channel, frame, length) && f.kind == FRAME_KEY)
        displayTime(info.displayMode, seconds, info.pbMode);
}

void CDisplayVideo::decodeImage(const _DISPLAY_CHANNEL_INFO& info, const unsigned char* frame,
                                size_t length, const ShowPicture& show)
{
    FrameFacts f;
    if (!ReadFrame(HasOldHeader(info.protocolType), frame, length, &f))
        return;
    if (info.widgetIndex < 0 || info.widgetIndex >= MAX_SLOTS || info.screen < 0 ||
        info.screen >= MAX_SCREENS)
        return;

    bool record = info.record;
    bool motion = info.motion;
    bool sensor = info.sensor;
    bool videoLoss = info.videoLoss;
    if (f.oldHeader) {
        record = (f.info & 0x20) != 0;
        motion = (f.info & 0x08) != 0;
        sensor = (f.info & 0x10) != 0;
        videoLoss = CChannelNum::isEnabled(f.videoLoss, f.channel);
    }

    CDisplayInfo picture;
    {
        QMutexLocker slot(&m_slotLocks[info.widgetIndex]);
        // Checked under the slot's lock: once the layout has changed, a frame mapped before
        // cannot reach the cell another channel may have taken.
        if (info.layout != m_layout)
            return;
        if (m_decodeHook)
            m_decodeHook();
        if (m_decoder.DecodeFrame(info.protocolType, info.widgetIndex, frame + f.offset, f.rawSize,
                                  f.resolution, f.kind) == 0)
            return;
        picture.image = m_decoder.GetDecodedImage(info.widgetIndex);
    }
    if (picture.image.isNull())
        return;
    picture.frameBytes = static_cast<uint32_t>(std::min<size_t>(length, UINT32_MAX));
    picture.channel = f.channel;
    picture.screen = info.screen;
    // The recording mark belongs to live view only.
    picture.record = record && info.displayMode == DISPLAY_MODE::LIVE;
    picture.motion = motion;
    picture.sensor = sensor;
    picture.title = info.dvrName;
    picture.channelName = info.channelName;
    picture.videoLoss = videoLoss;
    picture.authorised = info.authorised;
    picture.failed = false;
    picture.layout = info.layout;
    if (show)
        show(picture);
    else
        emit signalUpdateScreen(picture);
}

void CDisplayVideo::displayTime(const DISPLAY_MODE::ENUM& mode, unsigned int seconds,
                                const PbMode& frameMode)
{
    const QDateTime time = CDateTime::convert_Timet_QDateTime(seconds);
    bool show = false;
    {
        QMutexLocker lock(&m_stateMutex);
        const bool none = !m_lastTime.isValid();
        const bool later = none || time > m_lastTime;
        const bool earlier = none || time < m_lastTime;
        if (mode == DISPLAY_MODE::LIVE)
            show = later;
        else if (mode == DISPLAY_MODE::REMOTE_PLAYBACK && ShowsLaterTimes(m_pbMode))
            show = later;
        else if (mode == DISPLAY_MODE::REMOTE_PLAYBACK && m_pbMode != PB_STOP)
            show = earlier;
        else
            show = later || (earlier && PbMode_IsReverseMode(frameMode));
        if (show)
            m_lastTime = time;
    }
    if (show)
        emit signalUpdateTime(time.toString(QLatin1String(CDateTime::DISPLAY_TIME_FORMAT)));
}

void CDisplayVideo::checkPlaybackMode(const PbMode& mode)
{
    {
        QMutexLocker lock(&m_stateMutex);
        m_pbMode = mode;
        if (m_modeBeforeButton == mode)
            return;
        m_modeBeforeButton.reset();
        if (mode == m_shownMode)
            return;
        m_shownMode = mode;
    }
    emit signalChangedStatus(CPlaybackFile::StatusText(mode));
}

void CDisplayVideo::setPbStatus(const cgi::PbControl_Cmd& command)
{
    {
        QMutexLocker lock(&m_stateMutex);
        // The mode in force as far as known: after a pause no frame tells it.
        m_modeBeforeButton = m_shownMode;
        if (command == cgi::PbControl::CMD_PAUSE)
            m_shownMode = PB_PAUSE;
        else if (command == cgi::PbControl::CMD_STOP)
            m_shownMode = PB_STOP;
    }
    // A paused DVR sends no frame to tell its mode by; the other modes come with their frames.
    if (command == cgi::PbControl::CMD_PAUSE)
        emit signalChangedStatus(CPlaybackFile::StatusText(PB_PAUSE));
    else if (command == cgi::PbControl::CMD_STOP)
        emit signalChangedStatus(QString());
}

void CDisplayVideo::playbackEnded()
{
    {
        QMutexLocker lock(&m_stateMutex);
        m_pbMode = PB_STOP;
        m_shownMode = PB_STOP;
        m_modeBeforeButton.reset();
    }
    emit signalChangedStatus(CPlaybackFile::StatusText(PB_STOP));
}

void CDisplayVideo::updateDVRStatus(int channel, const _DISPLAY_CHANNEL_INFO& info)
{
    CDisplayInfo cell;
    cell.channel = channel;
    cell.screen = info.screen;
    if (!info.status.isEmpty()) {
        cell.failed = true;
        cell.title = info.status;
    } else {
        cell.title = info.waitText;
    }
    cell.authorised = info.authorised;
    cell.layout = m_layout;
    emit signalUpdateScreen(cell);
}

void CDisplayVideo::clear(int n)
{
    if (n < 0) {
        m_decoder.AllRestart();
    } else if (n < MAX_CHANNELS) {
        // Local playback asks by channel; the channel may be shown in any cell.
        const int slot = m_channelSlot[n].load();
        m_decoder.RestartIPicture(slot >= 0 ? slot : n);
    } else {
        m_decoder.RestartIPicture(n);
    }
    QMutexLocker lock(&m_stateMutex);
    m_lastTime = QDateTime();
    m_pbMode = PB_STOP;
    m_shownMode = PB_STOP;
    m_modeBeforeButton.reset();
}

void CDisplayVideo::changeOpenglOption(bool flag)
{
    m_decoder.changeOpenglOption(flag);
    m_decoder.SetPixelFormat(AV_PIX_FMT_BGRA);
}

void CDisplayVideo::setCellSize(int cell, const QSize& size) { m_decoder.SetOutputSize(cell, size); }

QSize CDisplayVideo::cellSize(int cell) const { return m_decoder.GetOutputSize(cell); }

void CDisplayVideo::setDeinterlaced(bool flag) { m_decoder.setDeinterlaced(flag); }

void CDisplayVideo::setClock(std::shared_ptr<CPlaybackClock> clock)
{
    if (clock && m_threads.empty())
        m_clock = std::move(clock);
}

void CDisplayVideo::startDecodeThread(int count, const DISPLAY_MODE::ENUM& mode, std::shared_ptr<void> keep)
{
    if (!m_threads.empty())
        return;
    count = std::clamp(count, 0, static_cast<int>(MAX_CHANNELS));
    const bool local = mode == DISPLAY_MODE::LOCAL_PLAYBACK;
    for (int i = 0; i < count; ++i) {
        ChannelQueue& q = m_queues[i];
        boost::lock_guard<boost::mutex> lock(q.mutex);
        if (q.left)
            continue;
        if (!q.buffer)
            q.buffer.reset(new unsigned char[QUEUE_SIZE]);
        q.fill = 0;
        q.lengths.clear();
        q.records.clear();
        q.running = local;
    }
    if (!local)
        return;
    for (int i = 0; i < count; ++i) {
        boost::lock_guard<boost::mutex> lock(m_queues[i].mutex);
        // A channel whose last thread never ended gets no new one: they would share its queue.
        m_threads.push_back(m_queues[i].left ? nullptr : std::make_unique<boost::thread>([this, i, keep] {
            decodeProcess(i);
        }));
    }
}

bool CDisplayVideo::exitDecodeThread() { return endDecodeThreads(EXIT_WAIT_MS); }

void CDisplayVideo::leaveDecodeThreads() { endDecodeThreads(-1); }

bool CDisplayVideo::endDecodeThreads(int waitMs)
{
    for (auto& thread : m_threads)
        if (thread)
            thread->interrupt();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(0, waitMs));
    bool ended = true;
    for (size_t i = 0; i < m_threads.size(); ++i) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (!m_threads[i] || (waitMs >= 0 && m_threads[i]->timed_join(boost::posix_time::milliseconds(std::max<long>(0, long(left.count()))))))
            continue;
        if (waitMs >= 0)
            qWarning("Display: the decode thread of channel %d did not end within %d ms; it is left behind",
                     static_cast<int>(i), waitMs);
        m_threads[i]->detach();
        boost::lock_guard<boost::mutex> lock(m_queues[i].mutex);
        m_queues[i].left = true;
        ended = false;
    }
    m_threads.clear();

    // One queue at a time: the queues share nothing, and 64 locks held at once are more than
    // ThreadSanitizer's deadlock detector can follow.
    for (int i = 0; i < MAX_CHANNELS; ++i) {
        ChannelQueue& q = m_queues[i];
        const boost::unique_lock<boost::mutex> lock(q.mutex);
        q.running = false;
        // A reader waiting for room sees that nobody takes frames any more.
        q.space.notify_all();
        if (q.left)
            continue;
        q.buffer.reset();
        q.fill = 0;
        q.lengths.clear();
        q.records.clear();
    }
    return ended;
}

bool CDisplayVideo::queueFrame(const _DISPLAY_CHANNEL_INFO& info, int channel,
                               const unsigned char* frame, size_t length)
{
    if (channel < 0 || channel >= MAX_CHANNELS || length > QUEUE_SIZE)
        return false;
    ChannelQueue& q = m_queues[channel];
    boost::unique_lock<boost::mutex> lock(q.mutex);
    if (!q.running)
        return false;
    // Wait below the high-water mark, and until the whole frame fits behind the others.
    while (q.fill >= QUEUE_HIGH_WATER || q.fill + length > QUEUE_SIZE) {
        q.space.wait(lock);
        if (!q.running)
            return false;
    }
    std::memcpy(q.buffer.get() + q.fill, frame, length);
    q.fill += length;
    q.lengths.push_back(length);
    q.records.push_back(info);
    q.data.notify_one();
    return true;
}

size_t CDisplayVideo::queuedFrames() const
{
    size_t n = 0;
    for (int i = 0; i < MAX_CHANNELS; ++i) {
        boost::lock_guard<boost::mutex> lock(m_queues[i].mutex);
        n += m_queues[i].lengths.size();
    }
    return n;
}

void CDisplayVideo::popFrame(ChannelQueue& q, size_t length)
{
    q.fill -= length;
    std::memmove(q.buffer.get(), q.buffer.get() + length, q.fill);
    q.lengths.pop_front();
    q.records.pop_front();
    if (q.fill <= QUEUE_HIGH_WATER)
        q.space.notify_one();
}

void CDisplayVideo::decodeProcess(int channel)
{
    if (channel < 0 || channel >= MAX_CHANNELS)
        return;
    ChannelQueue& q = m_queues[channel];
    const std::shared_ptr<CPlaybackClock> clock = m_clock;
    double lastSpeed = 0;
    unsigned lastLayout = m_layout;
    try {
        for (;;) {
            boost::this_thread::interruption_point();
            boost::unique_lock<boost::mutex> lock(q.mutex);
            while (q.fill == 0)
                q.data.wait(lock);
            const size_t length = q.lengths.front();
            const _DISPLAY_CHANNEL_INFO record = q.records.front();
            const unsigned char* frame = q.buffer.get();
            // Only this thread removes frames, so the oldest one stays where it is while
            // the reader goes on adding behind it.
            lock.unlock();

            if (record.layout != m_layout) {
                // Mapped to a cell that may now show another channel: dropped unpaced.
                q.tracker = PtsDelay();
                lock.lock();
                popFrame(q, length);
                continue;
            }

            FrameFacts f;
            const bool valid = ReadFrame(HasOldHeader(record.protocolType), frame, length, &f);
            const double speed = CPlaybackFile::PlayMode2Speed(record.pbMode);
            // A new speed or a new cell means a new run of frames: the channel's cell starts
            // over at a key frame. Each thread restarts its own cell, so one channel's change
            // never throws away a picture another channel has just started again.
            if (speed != lastSpeed || record.layout != lastLayout) {
                m_decoder.RestartIPicture(record.widgetIndex);
                q.tracker = PtsDelay();
                lastSpeed = speed;
                lastLayout = record.layout;
            }
            // Speeds below 1 stretch time; speed 0 (stop, pause, step) shows frames at once.
            const bool paced = valid && speed != 0;
            KTimeVal scaled;
            KTimeVal delay;
            if (paced) {
                scaled = f.time / std::fabs(speed);
                delay = q.tracker.GetDelay(scaled, clock->Now());
                if ((delay.sec == 0 && delay.usec >= 10000) || (delay.sec >= 1 && delay.sec <= 4)) {
                    clock->Sleep(static_cast<int>(delay.sec * 1000 + delay.usec / 1000));
                    // Asked to end while waiting: the frame is not shown any more.
                    boost::this_thread::interruption_point();
                }
            }

            if (record.widgetIndex >= 0 && record.widgetIndex < MAX_SLOTS)
                m_channelSlot[channel] = record.widgetIndex;
            decodeImage(record, frame, length);

            if (!paced) {
                q.tracker = PtsDelay();
            } else if (delay.sec >= 5) {
                // A jump ahead is not waited for: start over from this frame.
                q.tracker = PtsDelay();
                m_decoder.RestartIPicture(record.widgetIndex);
            } else if (delay.sec <= -5) {
                q.tracker = PtsDelay();
            } else {
                q.tracker.Update(scaled, clock->Now());
            }

            lock.lock();
            popFrame(q, length);
        }
    } catch (const boost::thread_interrupted&) {
        // The thread ends here; its lock, if held, went with the unwinding.
    }
}
