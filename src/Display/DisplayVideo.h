#pragma once

// From a received frame to a picture for a screen cell. Live view and remote playback decode
// at once on the thread that delivers the frame; local playback of PC files queues each
// frame for the decode thread of its channel, which shows it when its time stamp is due.

#include <QDateTime>
#include <QMutex>
#include <QObject>
#include <QSize>
#include <QString>

#include <array>
#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <boost/thread/thread.hpp>

#include "Common/DecodeVideo.h"
#include "Display/DisplayInfo.h"
#include "Network/DisplayDvrInfo.h"
#include "cgi_request.pb.h"
#include "dvr_types/dvr_types.h"

// What the display widget knows about one frame's cell; copied into the playback queues.
typedef struct _DISPLAY_CHANNEL_INFO {
    DISPLAY_MODE::ENUM displayMode = DISPLAY_MODE::LIVE;
    PbMode pbMode = PB_STOP;
    int widgetIndex = 0;  // cell on the visible page = decoder slot, 0-63
    int screen = 0;       // absolute screen, 0-255
    bool authorised = true;
    QString dvrName;
    QString channelName;
    QString status;  // the connection's failure text (status updates only)
    QString waitText;  // what the connection waits for (status updates only)
    bool record = false;
    bool motion = false;
    bool sensor = false;
    bool videoLoss = false;
    ProtocolType protocolType = PROTOCOL_CFRAME_H264;
    // The screen layout the cell was mapped in; a queued frame of an older layout is dropped.
    unsigned layout = 0;
} DISPLAY_CHANNEL_INFO;

// Time source of local playback pacing.
class CPlaybackClock {
public:
    virtual ~CPlaybackClock() = default;
    virtual KTimeVal Now() = 0;
    // Waits about ms milliseconds; an interruption point of the calling decode thread.
    virtual void Sleep(int ms) = 0;
};

class CDisplayVideo : public QObject {
    Q_OBJECT

public:
    static constexpr int MAX_SCREENS = 256;
    static constexpr int MAX_SLOTS = 64;
    static constexpr int MAX_CHANNELS = 16;
    static constexpr size_t QUEUE_SIZE = 0x200000;
    // The reader waits while a channel holds this much.
    static constexpr size_t QUEUE_HIGH_WATER = 0x180000;

    explicit CDisplayVideo(QObject* parent = nullptr);
    ~CDisplayVideo() override;

    // Where a picture decoded at once goes instead of signalUpdateScreen.
    using ShowPicture = std::function<void(const CDisplayInfo&)>;
    void makeImage(const _DISPLAY_CHANNEL_INFO& info, const unsigned char* frame, size_t length,
                   const ShowPicture& show = {});
    void decodeImage(const _DISPLAY_CHANNEL_INFO& info, const unsigned char* frame, size_t length,
                     const ShowPicture& show = {});
    void displayTime(const DISPLAY_MODE::ENUM& mode, unsigned int seconds, const PbMode& frameMode);
    void checkPlaybackMode(const PbMode& mode);
    void setPbStatus(const cgi::PbControl_Cmd& command);
    // The DVR ended the remote playback: its mode is stop, whatever the buttons said.
    void playbackEnded();
    void updateDVRStatus(int channel, const _DISPLAY_CHANNEL_INFO& info);
    // The channel of a frame, or -1 when its header is not valid, its data does not fit in
    // the frame or the channel is 16 or above.
    int getVideoChannel(bool oldProtocol, const unsigned char* frame, size_t length) const;
    // Forgets pictures: n < 0 all, else the cell that shows channel n in local playback.
    void clear(int n);
    void changeOpenglOption(bool flag);
    void setDeinterlaced(bool flag);
    // The size a cell shows its pictures at: they are made at that size on the decoding
    // thread from the next frame on. An empty size keeps the stream's own size.
    void setCellSize(int cell, const QSize& size);
    QSize cellSize(int cell) const;
    // The display maps channels to cells anew: frames queued under the old mapping are
    // dropped. Read the layout before reading the mapping a record is made from.
    void layoutChanged() { ++m_layout; }
    unsigned layout() const { return m_layout; }
    // Local playback jumps (seek, new speed, pause, stop): every frame queued so far is
    // dropped unshown and each channel's cell and pacing start over with the next frame.
    void flush() { layoutChanged(); }

    // Local playback. Each decode thread holds `keep` (what owns this object) while it runs.
    // Ending waits for the threads at most EXIT_WAIT_MS: a thread still running then is left
    // to end by itself with its channel's queue, which takes no frames any more; false when
    // one was left. Leaving them waits for none.
    static constexpr int EXIT_WAIT_MS = 2000;
    void startDecodeThread(int count, const DISPLAY_MODE::ENUM& mode, std::shared_ptr<void> keep = {});
    bool exitDecodeThread();
    void leaveDecodeThreads();
    void decodeProcess(int channel);
    // Local playback: frames queued and not yet shown or dropped, over every channel (a frame
    // leaves its queue once its picture has been handed on).
    size_t queuedFrames() const;
    // Replaces the wall clock; only while no decode thread runs.
    void setClock(std::shared_ptr<CPlaybackClock> clock);
    // Called on the decoding thread before each frame is decoded (tests hold the thread
    // there); set while no frame is being decoded.
    void setDecodeHook(std::function<void()> hook) { m_decodeHook = std::move(hook); }

signals:
    void signalUpdateScreen(const CDisplayInfo& info);
    void signalUpdateTime(const QString& time);
    void signalChangedStatus(const QString& status);

private:
    struct ChannelQueue;

    bool queueFrame(const _DISPLAY_CHANNEL_INFO& info, int channel, const unsigned char* frame,
                    size_t length);
    // Interrupts the decode threads and waits for them at most waitMs (< 0: not at all).
    bool endDecodeThreads(int waitMs);
    // Removes the oldest frame; the queue's lock is held.
    static void popFrame(ChannelQueue& q, size_t length);

    CDecodeVideo m_decoder;
    // One decode at a time per slot, whichever thread brings the frame (stream threads in
    // live and remote playback, the channels' decode threads in local playback).
    std::array<QMutex, MAX_SLOTS> m_slotLocks;
    std::atomic<unsigned> m_layout{0};
    // Guards the playback modes and the shown time: stream threads and the GUI thread both
    // move them.
    QMutex m_stateMutex;
    PbMode m_pbMode = PB_STOP;     // of the last remote playback frame
    PbMode m_shownMode = PB_STOP;  // named by the last status text
    // After a button: frames the DVR sent before taking it still carry this mode and must not
    // bring its text back; forgotten at the first frame of another mode.
    std::optional<PbMode> m_modeBeforeButton;
    QDateTime m_lastTime;

    std::unique_ptr<ChannelQueue[]> m_queues;
    std::vector<std::unique_ptr<boost::thread>> m_threads;
    std::shared_ptr<CPlaybackClock> m_clock;
    // The slot that last decoded each channel in local playback, -1 when none.
    std::atomic<int> m_channelSlot[MAX_CHANNELS];
    std::function<void()> m_decodeHook;
};
