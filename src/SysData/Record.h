#pragma once

// The PC recorder of one DVR connection: attached to the DVR's streams while recording, it
// writes every frame they pass it into the raw file set (CCreateRaw) or one AVI file per
// channel (CCreateAVI), as the "FileFormat" setting says, in a folder named after the DVR
// under the record folder (live) or the backup folder (backup).

#include <atomic>
#include <ctime>
#include <memory>

#include <QMutex>
#include <QObject>
#include <QString>

#include "Network/FrameRecorder.h"

namespace cgi {
class DvrInfo;
}
class CCreateRaw;
class CCreateAVI;

class CRecord : public QObject, public CFrameRecorder {
    Q_OBJECT

public:
    explicit CRecord(QObject* parent = nullptr);
    ~CRecord() override;

    // Opens the DVR's folder (created when missing) for a new recording. endTime is 0 for
    // live video, else the backup's last second (later video frames are not written). When the
    // folder cannot be made or written, nothing records and recordFailed() tells why.
    void start(const QString& dvrName, const cgi::DvrInfo& info, time_t endTime);
    void stop();
    bool isRecording() const override { return m_recording; }
    // Stream thread; guarded by the recorder's own lock.
    void writeFrame(bool oldProtocol, const QByteArray& frame) override;
    void setDvrInfo(const cgi::DvrInfo& info) override;

    // The folder of the current or last recording.
    QString folder() const;

signals:
    // A recording could not start, or stopped on a write error; the text names the file.
    // Emitted on the thread that failed (queued to GUI receivers).
    void recordFailed(const QString& text);

private:
    void failed(const QString& detail);

    std::atomic<bool> m_recording{false};
    mutable QMutex m_lock;  // guards everything below
    QString m_folder;
    QString m_dvrName;
    time_t m_endTime = 0;
    std::unique_ptr<CCreateRaw> m_raw;
    std::unique_ptr<CCreateAVI> m_avi;
};
