#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include <QAbstractSocket>
#include <QByteArray>
#include <QElapsedTimer>
#include <QMutex>
#include <QString>
#include <QThread>

#include "Common/ThreadCheck.h"
#include "DVRList.pb.h"
#include "EMapStatus.h"
#include "FrameRecorder.h"
#include "Network/DisplayDvrInfo.h"
#include "Network/ReceiveBuffer.h"
#include "Network/SendCommand.h"
#include "cgi_response.pb.h"

namespace cgi {
class Parser;
}

// One long-lived stream from one DVR (live, remote playback, backup, or the audio stream of
// an old-protocol DVR): a thread that opens a TCP connection, writes one request line and
// cuts the endless reply into packets, handing frames and status to the program through
// signals. Operations are called on the owner's (GUI) thread.
//
// Frames are emitted on the stream thread with pointers into the receive buffer, valid only
// during the call; receivers that keep bytes copy them. Status signals emitted on the stream
// thread reach GUI receivers queued; the values they carry are Queued, so that the thread
// checker sees each copy handed over.
class CHttpConnect : public QThread {
    Q_OBJECT

public:
    struct ConnParam {
        int mode = 0;               // 0 live, 1 remote playback, 2 backup
        bool playbackMode = true;   // playback skips the gaps between recordings
        bool emapLive = false;      // live stream feeding an e-map: status instead of frames
        bool audio = true;
        int codec = 0;              // 0 main stream, 1 sub stream
        int64_t startTime = 0;      // playback and backup
        int64_t endTime = 0;        // last second of a backup
    };

    // A DVR that ends every stream soon after it began is not dialled again at once for
    // ever: a stream that its DVR ends within QUICK_END_MS of its dial, QUICK_ENDS_TO_FAIL
    // times in a row, fails as a refused dial does (the owner's reconnect timer takes over).
    // A stream that lived longer is reopened at once and starts the count afresh.
    static constexpr int QUICK_END_MS = 1000;
    static constexpr int QUICK_ENDS_TO_FAIL = 5;

    static constexpr int RECEIVE_BUFFER_SIZE = 0x500000;
    // Room beyond the receive buffer that lets what it holds move to the front seldom: bad
    // input costs at most RECEIVE_BUFFER_SIZE / RECEIVE_BUFFER_SLACK bytes moved per byte read.
    static constexpr int RECEIVE_BUFFER_SLACK = RECEIVE_BUFFER_SIZE / 4;
    static constexpr int SOCKET_READ_BUFFER_SIZE = 8192;
    static constexpr int DEFAULT_NO_PACKET_TIMEOUT_MS = 60000;
    static constexpr int OLD_DVR_RECORD_SIZE = 214;
    // Late stops (StopLedger.h): before it dials, a stream waits for its DVR's stops as the
    // stop ledger advises, and tells the ledger its client id and how it ended. A stream its
    // DVR ended sends no stop (a DVR that reuses ids would end the next stream with it); one
    // that had data is reopened at once, a playback or backup that a late stop ended where it
    // had reached.

    // Longest wait of the owner's thread for the stream thread to end. A thread still running
    // then is left to end by itself: no new run starts meanwhile (the connection fails
    // instead), and Dispose() deletes the stream only once it has ended.
    static constexpr int JOIN_WAIT_MS = 3000;

    explicit CHttpConnect(QObject* parent = nullptr);
    // Stops a running stream as Disconnect does. An owner that must not wait for a thread
    // that does not end uses Dispose().
    ~CHttpConnect() override;

    // Stops the stream and deletes it, at once when its thread ends in time, else once the
    // thread has ended by itself; what the thread may still use (the recorder it writes to)
    // is kept as long as the stream then.
    static void Dispose(CHttpConnect* stream, const std::shared_ptr<QObject>& keep = {});

    // Starts a stream for the DVR; a stream still running is stopped first.
    void Connect(const DVR& dvr, const ConnParam& param);
    // Old protocol: the audio stream that goes with the video stream clientId.
    void audioConnect(const DVR& dvr, const ConnParam& param, int clientId);
    // Sends the stop command and waits for the thread to end.
    void Disconnect();
    void sendStop();
    // Opens the last stream again (nothing while it runs).
    void tryConnect();

    void setDisplayScreen(int start, int count);
    int getStartScreen() const;
    int getEndScreen() const;
    // Attaches (null: detaches) the PC recorder. Once this returns, the stream no longer
    // uses a recorder it replaced.
    void SetRecordPtr(CFrameRecorder* record);

    bool IsLive() const { return m_cfg.mode == 0; }
    int getConnectedMode() const { return m_cfg.mode; }
    bool IsConnected() const { return m_connected; }
    int getClientID() const { return m_clientId; }
    int getDVRChannels() const;
    int getVideoType() const { return m_videoType; }
    // The DVR's protocol type as the stream knows it: given with the DVR, or learned from
    // the first frame of an old-protocol DVR whose kind was not known (0 until then).
    int getProtocolType() const;
    // Bytes the receive loop has moved inside its buffer since this stream was made: what
    // bad input from the DVR costs it.
    uint64_t receiveBytesMoved() const { return m_receiveMoved.load(std::memory_order_relaxed); }
    // The furthest into its receive buffer a run of this stream has written: the part of the
    // buffer it has made the system give it memory for.
    uint64_t receiveBufferReach() const { return m_receiveReach.load(std::memory_order_relaxed); }

    void UpdateConnectedDVRStatus();
    // Keeps text as the failure text unless one is set, reports the status and emits
    // signalConnectionFailed(). Callable from either thread.
    void setConnectionFailed(const QString& text);

    // The text of a DVR result code; empty for "no error" on the current protocol.
    QString getErrMessage(int code) const;
    static QString getErrMessage(int code, bool oldProtocol);
    // What the operator is told when a backup ends.
    static QString backupEndText(bool complete);

    // A stream that receives no whole packet for this long reports "Connection failed"
    // (once per run). Takes effect from the next start.
    void setNoPacketTimeout(int msec) { m_noPacketTimeoutMs = msec; }

signals:
    void VDataReceived(const DISPLAY_DVR_INFO& info, const unsigned char* data, size_t len);
    void ADataReceived(const DISPLAY_DVR_INFO& info, const unsigned char* data, size_t len);
    void EMapDataReceived(const Queued<DISPLAY_DVR_INFO>& info, const Queued<QByteArray>& bdata);
    void DVRChannels(int channels);
    void Connected(const Queued<cgi::DvrInfo>& info, int cid);
    void signalConnectionFailed();
    void signalConnectedDVRStatus(const Queued<DISPLAY_DVR_INFO>& info);
    void updateBackupProgress(int value);
    // The next stream waits for the DVR to answer the stops sent to it (true), or no longer
    // does (false); the status record names the wait meanwhile.
    void waitingForStops(bool waiting);
    // The backup stream ended, complete (its end time reached) or cut short; the owner tells
    // the operator (backupEndText). Emitted before the progress's -1.
    void backupEnded(bool complete);
    // The DVR's playback status named this PbMode (remote playback, stream thread).
    void signalPbStatus(uint32_t mode);
    // The DVR closed a remote playback stream that had sent data; the stream is stopped.
    void playbackEnded();
    void signalEMapStatus(int ch, const QString& strTime, bool recordStatus, const Queued<EMap_Status::ENUM>& status);

public slots:
    // The DVR closed the stream.
    void slotDisconnected();
    void slotError(QAbstractSocket::SocketError code);

protected:
    void run() override;

private:
    // Feeds the cutter bytes that come from no socket (the fuzz target).
    friend class CHttpConnectFeed;

    // What one run of the thread works with; written only while the thread is stopped.
    struct RunConfig {
        QString host;
        quint16 port = 0;
        QByteArray request;         // the whole request line
        bool oldProtocol = false;
        int mode = 0;
        bool emapLive = false;
        bool audio = true;
        bool audioConnection = false;
        int64_t backupEnd = 0;
    };

    enum class RunEnd { Stopped, Closed, Restart, Failed };
    enum class PacketResult { Next, Restart };

    // State of one run, owned by the stream thread.
    struct RunState {
        int64_t lastFrameTime = 0;
        QElapsedTimer dialed;
        // This run in the stop ledger, under its DVR's key; 0 once the ledger was told its end.
        std::string ledgerKey;
        uint64_t ledgerRun = 0;
        bool clientIdSeen = false;
    };

    // Stops a running stream, then takes the settings video and audio streams share.
    // False (the connection failed) while a run left behind has not ended.
    bool prepareRun(const DVR& dvr, const ConnParam& param, bool audioConnection);
    void startThread();
    void stopThread();
    // Waits for the thread and takes over everything it wrote, also when it ended by itself.
    // False when the thread did not end within JOIN_WAIT_MS.
    bool joinThread();
    RunEnd runOnce(quint64 runId);
    // Waits for the DVR's stops as the stop ledger advises: for their answers where its late
    // stops hurt (telling the owner and the display meanwhile), elsewhere only until they have
    // left. False when the stream is stopped.
    bool waitForStops(bool reopen);
    // Starts the stream again after its DVR ended it; a playback or backup from where it had
    // reached when fromReached.
    void reopen(bool fromReached);
    // Old protocol: the stream kind became known from the first frame. True when the request
    // it gives differs from the one sent, so the stream must be opened anew.
    bool takeLearnedKind(int kind);
    // What one pass of the cutter did.
    struct Cut {
        bool packets = false;  // at least one whole packet was handed on
        bool restart = false;  // a packet asked for the stream to be opened anew
    };
    // Hands on every whole packet the buffer holds and lets go of all but what may still
    // become one.
    Cut cutPackets(RunState& run, const cgi::Parser& parser, CReceiveBuffer& buffer);
    DVR dvrCopy() const;
    void showStopWait(bool waiting);
    PacketResult dispatch(RunState& run, uint8_t clientId, uint8_t dataType,
                          const unsigned char* payload, size_t len);
    // The restart decision's count of streams ended soon after their dial: true when the
    // run that just ended makes the DVR one that keeps closing.
    bool keepsClosing();
    void receivedResponse(const unsigned char* payload, size_t len);
    void receivedDVRInfo(const unsigned char* payload, size_t len);
    PacketResult receivedVideo(RunState& run, const unsigned char* payload, size_t len);
    void receivedAudio(const unsigned char* payload, size_t len);
    void receivedLiveStatus(const unsigned char* payload, size_t len);
    void receivedPbStatus(const unsigned char* payload, size_t len);
    bool isRecording();
    DISPLAY_DVR_INFO snapshot() const;
    Q_INVOKABLE void onStreamClosed(quint64 runId);
    QByteArray buildRequest(const DVR& dvr, const ConnParam& param) const;
    QString buildStopQuery(int clientId) const;

    RunConfig m_cfg;
    // What the stream was opened with, for a reopen from where it had reached.
    ConnParam m_param;
    // The request the runs send; owned by the stream thread while it runs (a learned kind may
    // change it), taken from m_cfg at each start.
    QByteArray m_runRequest;

    // The record, the DVR copy and the last DVR information are shared by both threads.
    mutable QMutex m_lock;
    DVR m_dvr;
    cgi::DvrInfo m_dvrInfo;
    DISPLAY_DVR_INFO m_info;

    QMutex m_recordLock;
    CFrameRecorder* m_record = nullptr;

    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_connected{false};
    std::atomic<int> m_clientId{-1};
    std::atomic<int> m_restartCounter{3};
    std::atomic<int> m_videoType{0};
    std::atomic<int> m_noPacketTimeoutMs{DEFAULT_NO_PACKET_TIMEOUT_MS};
    // The backup's end (-1) has been reported since the last start.
    std::atomic<bool> m_backupEndReported{false};
    // Time stamp of the backup's latest frame since the last start.
    std::atomic<int64_t> m_backupLastFrame{0};
    // How long the last run that its DVR closed lived after its dial; written by the stream
    // thread before it reports the close.
    std::atomic<qint64> m_lastRunMs{0};
    // Whether the stop ledger took a late stop of ours to have ended that run; written likewise.
    std::atomic<bool> m_lastRunLateStop{false};
    // The next run follows a close by the DVR: it dials without waiting for answers.
    std::atomic<bool> m_reopen{false};
    // The time stamp of the latest video frame since the last Connect: where a playback or
    // backup had reached.
    std::atomic<int64_t> m_lastFrameTime{0};
    // The running playback was reopened where it had reached after a stop of ours ended it;
    // owner's thread only.
    bool m_resumedPlayback = false;
    // Streams in a row that their DVR ended within QUICK_END_MS; owner's thread only.
    int m_quickEnds = 0;
    // Counts starts and stops, so a close reported by an earlier run is recognised as stale.
    std::atomic<quint64> m_runId{0};
    // Bumped as the thread's last act. Qt's own handover at a thread's end uses futexes the
    // thread checker cannot see; this release/acquire pair is one it can.
    std::atomic<quint64> m_runsEnded{0};
    std::atomic<uint64_t> m_receiveMoved{0};
    std::atomic<uint64_t> m_receiveReach{0};
};
