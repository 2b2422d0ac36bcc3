#pragma once

// The main window's handle on one connected DVR: its video stream and, on the old protocol,
// its audio stream, its PC recorder, its tree icon and its reconnect timer.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QTreeWidget>

#include <ctime>
#include <memory>

#include "DVRList.pb.h"
#include "cgi_response.pb.h"

class CDisplayWidget;
class CHttpConnect;
class CRecord;

class CConnectDVR : public QObject {
    Q_OBJECT

public:
    struct PbBackupParam {
        int mode = 1;           // 1 remote playback, 2 backup
        int64_t startTime = 0;
        int64_t endTime = 0;    // the backup's last second; 0 for playback
        uint32_t channelMask = 0;
    };

    static constexpr int RECONNECT_MS = 60000;

    explicit CConnectDVR(QObject* parent = nullptr);
    ~CConnectDVR() override;

    // Takes the DVR record of a tree item (the item itself is found again by its position,
    // so a rebuilt tree never leaves a dangling item behind).
    void setDVR(QTreeWidgetItem* item);
    void setDVR(const DVR& dvr);
    DVR getDVR() const { return m_dvr; }
    cgi::DvrInfo GetDvrInfo() const { return m_dvrInfo; }

    void setDisplayScreen(int start, int count);
    int getDisplayStartScreen() const;
    int getDisplayEndScreen() const;

    void startLive(bool showWait);
    void startPlayback(const PbBackupParam& param);
    void disconnect();
    void setDisplayWidget(CDisplayWidget* widget);
    void resetDisplayWidget();
    void recordStart();
    // Ends a live recording to the PC that the operator did not stop, telling him (recordFailed)
    // the reason; nothing for a backup or when none runs.
    void endRecording(const QString& reason);
    void recordStop();
    void updateStatus();
    void showWaitWidget(bool show);

    int getCodec() const;
    int getClientID() const { return m_clientId; }
    int getDVRChannels() const;
    int getVideoType() const;
    bool IsConnected() const;
    bool IsLive() const;
    bool isRecording() const;
    bool isVisible() const { return m_display != nullptr; }
    // Whether a stream-channel command is news to the running stream: false when it asks
    // what the last one sent to it asked; else kept as that one. Each new stream starts
    // without one.
    bool takeChannelCommand(const QString& asked);

    // Tests shorten the wait before a failed DVR is connected again, and the silence that
    // counts as a failure.
    void setReconnectInterval(int ms) { m_reconnect.setInterval(ms); }
    void setNoPacketTimeout(int ms);
    bool reconnectPending() const { return m_reconnect.isActive(); }
    CRecord* recorder() const { return m_record.get(); }

signals:
    void disconnected();
    void connected();
    void updateBackupProgress(int value);
    // The backup stream ended, complete or cut short (CHttpConnect::backupEndText).
    void backupEnded(bool complete);
    // A recording ended without the operator's asking: the recorder could not open or write
    // its files, the connection failed, or endRecording; the text says why, and for a live
    // recording whose it was and where its files are.
    void recordFailed(const QString& text);

public slots:
    void OnConnected(cgi::DvrInfo info, int cid);
    void slotConnectionFailed();
    void OnPlay(cgi::DvrInfo info, int cid);
    void OnPlaybackEnded();
    // The stream waits for the DVR's stops before it dials: not connected meanwhile.
    void OnWaitingForStops(bool waiting);
    void OnTimer();

private:
    QString recordingEndedText(const QString& folder) const;

    QTreeWidgetItem* treeItem() const;
    void setTreeIcon(const QIcon& icon);
    void wireStream(void (CConnectDVR::*onConnected)(cgi::DvrInfo, int));
    void unwireStreams();
    void startAudio(int cid);
    // Keeps the stream kind the video stream knows, so that the audio stream and every
    // later start ask for the modes of that kind.
    void takeStreamKind();
    void stopStreams();

    std::unique_ptr<CHttpConnect> m_video;
    std::unique_ptr<CHttpConnect> m_audio;
    CDisplayWidget* m_display = nullptr;  // the window's, which outlives every connection
    // Where the wait indicator was shown: the display may be taken from this connection
    // before the wait ends.
    QPointer<CDisplayWidget> m_waitShownOn;
    std::unique_ptr<CRecord> m_record;
    int m_clientId = 0;
    DVR m_dvr;
    // Where the DVR's item sat in the tree when it was given: group row and DVR row.
    QPointer<QTreeWidget> m_tree;
    int m_groupRow = -1;
    int m_dvrRow = -1;
    cgi::DvrInfo m_dvrInfo;
    int64_t m_recordEndTime = 0;
    QString m_channelCommand;  // what the last one sent to the running stream asked
    QMetaObject::Connection m_progressRelay;
    QTimer m_reconnect;
};
