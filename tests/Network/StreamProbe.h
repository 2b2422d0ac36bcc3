#pragma once

// Test side of a stream: collects what a CHttpConnect hands out. Frames arrive on the stream
// thread (direct connections), status signals queued on the test's thread.

#include <functional>
#include <vector>

#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QTest>

#include "Network/HttpConnect.h"
#include "sim/SimDvr.h"

namespace nettest {

// Processes events until pred() holds; false after timeoutMs.
inline bool WaitFor(const std::function<bool()>& pred, int timeoutMs = 5000)
{
    return QTest::qWaitFor(pred, timeoutMs);
}

inline DVR MakeDvr(const simdvr::CSimDvr& sim, bool oldProtocol, uint32_t channels = 0xFFFF)
{
    DVR dvr;
    dvr.set_name("Sim");
    dvr.set_address("127.0.0.1");
    dvr.set_port(sim.port());
    dvr.set_id("admin");
    dvr.set_password("1234");
    dvr.set_bit_ch(channels);
    dvr.set_old_protocol(oldProtocol);
    dvr.set_protocol_type(oldProtocol ? 0 : 1);
    return dvr;
}

inline CHttpConnect::ConnParam LiveParam(bool emap = false)
{
    CHttpConnect::ConnParam p;
    p.mode = 0;
    p.emapLive = emap;
    p.audio = true;
    return p;
}

struct EMapEvent {
    int channel;
    QString time;
    bool record;
    EMap_Status::ENUM status;
};

struct FrameSeen {
    DISPLAY_DVR_INFO info;
    int channel = -1;
    uint32_t declaredSize = 0;
    size_t len = 0;
    int64_t time = 0;
};

class StreamProbe : public QObject {
    Q_OBJECT

public:
    StreamProbe(CHttpConnect* conn, bool oldProtocol, size_t keepFrames = 100000);

    int videoCount() const;
    int audioCount() const;
    int emapDataCount() const;
    // Frames whose header was unreadable or whose data lay outside the bytes handed over.
    int unsoundFrames() const;
    std::vector<FrameSeen> videoFrames() const;
    std::vector<QByteArray> emapData() const;

    int connectedCount = 0;
    int lastClientId = -1;
    cgi::DvrInfo lastDvrInfo;
    int failures = 0;
    std::vector<DISPLAY_DVR_INFO> statuses;
    std::vector<EMapEvent> emapEvents;
    std::vector<int> progress;

private:
    void onFrame(bool video, const DISPLAY_DVR_INFO& info, const unsigned char* data, size_t len);

    const bool m_old;
    const size_t m_keep;
    mutable QMutex m_lock;
    int m_video = 0;
    int m_audio = 0;
    int m_unsound = 0;
    int m_emapData = 0;
    std::vector<FrameSeen> m_frames;
    std::vector<QByteArray> m_emapBytes;
};

// A PC recorder that keeps what it is given.
class TestRecorder : public CFrameRecorder {
public:
    bool isRecording() const override { return recording; }
    void writeFrame(bool oldProtocol, const QByteArray& frame) override;

    int count() const;
    std::vector<QByteArray> frames() const;
    bool sawOldProtocol() const;

    std::atomic<bool> recording{true};

private:
    mutable QMutex m_lock;
    std::vector<QByteArray> m_frames;
    bool m_old = false;
};

}  // namespace nettest
