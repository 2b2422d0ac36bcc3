#include "StreamProbe.h"

#include "Common/Frame.h"

namespace nettest {

StreamProbe::StreamProbe(CHttpConnect* conn, bool oldProtocol, size_t keepFrames)
    : m_old(oldProtocol), m_keep(keepFrames)
{
    connect(conn, &CHttpConnect::VDataReceived, this,
            [this](const DISPLAY_DVR_INFO& info, const unsigned char* data, size_t len) {
                onFrame(true, info, data, len);
            },
            Qt::DirectConnection);
    connect(conn, &CHttpConnect::ADataReceived, this,
            [this](const DISPLAY_DVR_INFO& info, const unsigned char* data, size_t len) {
                onFrame(false, info, data, len);
            },
            Qt::DirectConnection);
    connect(conn, &CHttpConnect::EMapDataReceived, this,
            [this](const DISPLAY_DVR_INFO&, const QByteArray& bytes) {
                QMutexLocker lock(&m_lock);
                ++m_emapData;
                m_emapBytes.push_back(bytes);
            },
            Qt::DirectConnection);
    connect(conn, &CHttpConnect::Connected, this, [this](const cgi::DvrInfo& info, int cid) {
        ++connectedCount;
        lastClientId = cid;
        lastDvrInfo = info;
    });
    connect(conn, &CHttpConnect::signalConnectionFailed, this, [this]() { ++failures; });
    connect(conn, &CHttpConnect::signalConnectedDVRStatus, this,
            [this](const DISPLAY_DVR_INFO& info) { statuses.push_back(info); });
    connect(conn, &CHttpConnect::signalEMapStatus, this,
            [this](int ch, const QString& time, bool record, EMap_Status::ENUM status) {
                emapEvents.push_back({ch, time, record, status});
            });
    connect(conn, &CHttpConnect::updateBackupProgress, this, [this](int v) { progress.push_back(v); });
}

void StreamProbe::onFrame(bool video, const DISPLAY_DVR_INFO& info, const unsigned char* data, size_t len)
{
    FrameSeen seen;
    seen.info = info;
    seen.len = len;
    bool sound = false;
    if (m_old) {
        CUFrame f;
        f.SetData(data, int(len));
        sound = len >= size_t(CUFrame::HEADER_SIZE) && f.IsValid() && f.FitsIn(len);
        seen.channel = f.GetChannel();
        seen.declaredSize = f.GetRawDataSize();
        seen.time = f.GetTime().sec;
    } else {
        CFrame f;
        f.SetData(data, int(len));
        sound = len >= size_t(CFrame::HEADER_SIZE) && f.IsValid() && f.FitsIn(len);
        seen.channel = f.GetChannel();
        seen.declaredSize = f.GetRawDataSize();
        seen.time = f.GetTime().sec;
    }
    // Touch every byte handed over, so that the sanitizer sees a read past the buffer.
    unsigned sum = 0;
    for (size_t i = 0; i < len; ++i)
        sum += data[i];
    volatile unsigned sink = sum;
    (void)sink;

    QMutexLocker lock(&m_lock);
    if (!sound)
        ++m_unsound;
    if (video) {
        ++m_video;
        if (m_frames.size() < m_keep)
            m_frames.push_back(seen);
    } else {
        ++m_audio;
    }
}

int StreamProbe::videoCount() const
{
    QMutexLocker lock(&m_lock);
    return m_video;
}

int StreamProbe::audioCount() const
{
    QMutexLocker lock(&m_lock);
    return m_audio;
}

int StreamProbe::emapDataCount() const
{
    QMutexLocker lock(&m_lock);
    return m_emapData;
}

int StreamProbe::unsoundFrames() const
{
    QMutexLocker lock(&m_lock);
    return m_unsound;
}

std::vector<FrameSeen> StreamProbe::videoFrames() const
{
    QMutexLocker lock(&m_lock);
    return m_frames;
}

std::vector<QByteArray> StreamProbe::emapData() const
{
    QMutexLocker lock(&m_lock);
    return m_emapBytes;
}

void TestRecorder::writeFrame(bool oldProtocol, const QByteArray& frame)
{
    QMutexLocker lock(&m_lock);
    m_frames.push_back(frame);
    m_old = oldProtocol;
}

int TestRecorder::count() const
{
    QMutexLocker lock(&m_lock);
    return int(m_frames.size());
}

std::vector<QByteArray> TestRecorder::frames() const
{
    QMutexLocker lock(&m_lock);
    return m_frames;
}

bool TestRecorder::sawOldProtocol() const
{
    QMutexLocker lock(&m_lock);
    return m_old;
}

}  // namespace nettest
