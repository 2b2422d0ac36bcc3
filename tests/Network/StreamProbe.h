#pragma once

// Test side of a stream: collects what a CHttpConnect hands out. Frames arrive on the stream
// thread (direct connections), status signals queued on the test's thread.

#include <functional>
#include <vector>

#include <QMutex>
#include <QPointer>
#include <QTest>

#include "Network/HttpConnect.h"
#include "sim/SimDvr.h"

namespace nettest {

inline bool WaitFor(const std::function<bool()>& pred, int timeoutMs = 5000)
{
    return QTest::qWaitFor(pred, timeoutMs);
}

DVR MakeDvr(const simdvr::CSimDvr& sim, bool oldProtocol, uint32_t channels = 0xFFFF);
CHttpConnect::ConnParam Param(int mode, bool emap = false);

struct FrameSeen {
    DISPLAY_DVR_INFO info;
    int channel = -1;
    int64_t time = 0;
    bool audio = false;
};

class StreamProbe : public QObject {
    Q_OBJECT

public:
    StreamProbe(CHttpConnect* conn, bool oldProtocol);
    // Stops the stream first: its thread may be delivering a frame to this probe.
    ~StreamProbe() override;

    int videoCount() const;
    int audioCount() const;
    // Frames whose header was unreadable or whose data lay outside the bytes handed over.
    int unsoundFrames() const;
    std::vector<FrameSeen> videoFrames() const;
    // Channels of the e-map frames that came with data.
    std::vector<int> emapDataChannels() const;
    DISPLAY_DVR_INFO lastInfo() const { return videoFrames().back().info; }

    int connectedCount = 0;
    int lastClientId = -1;
    cgi::DvrInfo lastDvrInfo;
    int failures = 0;
    std::vector<QString> statuses;
    std::vector<std::pair<int, EMap_Status::ENUM>> emapEvents;
    std::vector<bool> emapRecord;
    std::vector<int> progress;

private:
    FrameSeen read(const unsigned char* data, size_t len, bool* sound) const;

    QPointer<CHttpConnect> m_conn;
    const bool m_old;
    mutable QMutex m_lock;
    int m_audio = 0;
    int m_unsound = 0;
    std::vector<FrameSeen> m_frames;
    std::vector<int> m_emapChannels;
};

// A PC recorder that keeps what it is given.
class TestRecorder : public CFrameRecorder {
public:
    bool isRecording() const override { return recording; }
    void writeFrame(bool oldProtocol, const QByteArray& frame) override;
    std::vector<QByteArray> frames() const;

    std::atomic<bool> recording{true};
    std::atomic<bool> sawOldProtocol{false};

private:
    mutable QMutex m_lock;
    std::vector<QByteArray> m_frames;
};

}  // namespace nettest
