#pragma once

// Local playback of PC recording files: a reader thread that walks the raw file set of one
// folder from a chosen time, in the chosen direction and speed, and hands each frame to the
// display (connected directly: the display queues it for the decode thread of its channel,
// which paces it). The reader paces itself too, keeping at most LEAD_MS ahead of the play
// clock, so a speed change, pause or seek starts from what is on screen. Stopping waits for
// the reader a bounded time; a reader held up longer (a file that does not answer) is left to
// end by itself, and hands nothing out any more.

#include <cstdint>
#include <ctime>
#include <memory>
#include <thread>

#include <QByteArray>
#include <QString>
#include <QObject>
#include <QStringList>

#include "Network/DisplayDvrInfo.h"
#include "cgi_request.pb.h"
#include "dvr_types/dvr_types.h"

class CPlaybackClock;

class CPlaybackFile : public QObject {
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
    // Longest wait of stopPlay() for the reader to end, and then for a hand-out under way.
    static constexpr int STOP_WAIT_MS = 2000;
    static constexpr int HANDOUT_WAIT_MS = 500;

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
    // Ends playback and the thread (waiting a bounded time); the display's queues are
    // emptied first.
    void stopPlay();

    PbMode mode() const;
    bool isPlaying() const { return m_thread.joinable(); }
    // Replaces the wall clock; only while the thread is not running.
    void setClock(std::shared_ptr<CPlaybackClock> clock);

signals:
    void DisplayVideo(const DISPLAY_DVR_INFO& info, const unsigned char* data, size_t len);
    void PlayAudio(const DISPLAY_DVR_INFO& info, const unsigned char* data, size_t len);
    void signalDecoderRestart(int channel);
    // Every frame handed over so far is to be dropped unshown.
    void signalDecoderFlush();
    void signalChangedStatus(const QString& status);

private:
    // What the reader thread uses: shared with it, so a reader left behind touches nothing
    // that this object frees.
    struct Shared;
    class Reader;

    std::shared_ptr<Shared> m_shared;
    std::thread m_thread;
    QString m_folder;
};
