#pragma once

// Local playback of PC recording files: a reader thread that walks the raw file set of one
// folder from a chosen time, in the chosen direction and speed, and hands each frame to the
// display (connected directly: the display queues it for the decode thread of its channel,
// which paces it). The reader paces itself too, keeping at most LEAD_MS ahead of the play
// clock, so a speed change, pause or seek starts from what is on screen.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <ctime>
#include <memory>
#include <mutex>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QThread>

#include "Network/DisplayDvrInfo.h"
#include "cgi_request.pb.h"
#include "dvr_types/dvr_types.h"

class CPlaybackClock;
class CRawFile;

class CPlaybackFile : public QThread {
    Q_OBJECT

public:
    // How far the reader runs ahead of the play clock.
    static constexpr int LEAD_MS = 300;
    // A gap in the recordings longer than this (in play time) is skipped, not waited out.
    static constexpr int MAX_GAP_MS = 2000;
    // Above this speed, and backwards, only key frames are read.
    static constexpr double KEY_ONLY_SPEED = 8;
    // Longest wait between two looks at new commands.
    static constexpr int SLICE_MS = 20;

    // Speed factor of a playback mode: negative backwards, 0 for every mode that does not
    // play (stop, pause, step, unknown).
    static double PlayMode2Speed(PbMode mode);
    // "Playback( <mode> )": the status text of local and remote playback alike.
    static QString StatusText(PbMode mode);
    // The mode a playback button leads to from the current one.
    static PbMode ApplyCommand(PbMode mode, cgi::PbControl_Cmd command);

    explicit CPlaybackFile(QObject* parent = nullptr);
    // Stops the thread.
    ~CPlaybackFile() override;

    // The folder whose files are played; takes effect at the next play().
    void setFolder(const QString& folder);
    // Plays the channels (bit mask) from the time on, at +1X: starts the thread, or seeks.
    void play(time_t start, uint32_t channels);
    // A playback button.
    void command(cgi::PbControl_Cmd command);
    void setMode(PbMode mode);
    // Ends playback and the thread; the display's queues are emptied first.
    void stopPlay();

    PbMode mode() const;
    bool isPlaying() const { return isRunning(); }
    // Replaces the wall clock; only while the thread is not running.
    void setClock(std::shared_ptr<CPlaybackClock> clock);

signals:
    void DisplayVideo(const DISPLAY_DVR_INFO& info, const unsigned char* data, size_t len);
    void PlayAudio(const DISPLAY_DVR_INFO& info, const unsigned char* data, size_t len);
    void signalDecoderRestart(int channel);
    // Every frame handed over so far is to be dropped unshown.
    void signalDecoderFlush();
    void signalChangedStatus(const QString& status);

protected:
    void run() override;

private:
    struct Cursor;

    bool openFile(Cursor& c, int file);
    bool seekTo(Cursor& c, double time, bool forward, uint32_t channels);
    // The next frame in the direction of play that passes the filter; false at the end.
    bool next(Cursor& c, bool forward, bool keyOnly, bool audio, uint32_t channels);
    void makeInfo(const Cursor& c, PbMode mode, uint32_t channels);
    double nowSeconds() const;
    void waitSlice(int ms);

    // Guards the commands below (standard types: ThreadSanitizer sees their handovers).
    mutable std::mutex m_lock;
    std::condition_variable m_wake;
    QString m_folder;
    uint32_t m_channels = 0xFFFF;
    PbMode m_mode = PB_FORWARD_1X;
    double m_seekTime = -1;    // pending seek, seconds
    bool m_modeChanged = false;
    int m_steps = 0;           // pending steps
    bool m_stop = false;

    std::shared_ptr<CPlaybackClock> m_clock;
    DISPLAY_DVR_INFO m_info;   // reader thread only
};
