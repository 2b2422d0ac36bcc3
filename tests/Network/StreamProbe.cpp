#include "StreamProbe.h"

#include "Common/Frame.h"

namespace nettest {

DVR MakeDvr(const simdvr::CSimDvr& sim, bool oldProtocol, uint32_t channels)
{
    DVR dvr;
    dvr.set_name("Sim");
    dvr.set_address("127.0.0.1");
    dvr.set_port(sim.port());
    dvr.set_id("admin");
    dvr.set_password("1234");
    dvr.set_bit_ch(channels);
    dvr.set_old_protocol(oldProtocol);
    dvr.set_protocol_type(oldProtocol ? 2 : 1);
    return dvr;
}

CHttpConnect::ConnParam Param(int mode, bool emap)
{
    CHttpConnect::ConnParam p;
    p.mode = mode;
    p.emapLive = emap;
    return p;
}

StreamProbe::~StreamProbe()
{
    if (m_conn)
        m_conn->Disconnect();
}

StreamProbe::StreamProbe(CHttpConnect* conn, bool oldProtocol) : m_conn(conn), m_old(oldProtocol)
{
    auto onFrame = [this](const DISPLAY_DVR_INFO& info, const unsigned char* data, size_t len) {
        bool sound = false;
        FrameSeen seen = read(data, len, &sound);
        seen.info = info;
        QMutexLocker lock(&m_lock);
        m_unsound += !sound;
        if (seen.audio)
            ++m_audio;
        else
            m_frames.push_back(seen);
    };
    connect(conn, &CHttpConnect::VDataReceived, this, onFrame, Qt::DirectConnection);
    connect(conn, &CHttpConnect::ADataReceived, this, onFrame, Qt::DirectConnection);
    connect(conn, &CHttpConnect::EMapDataReceived, this,
            [this](const DISPLAY_DVR_INFO&, const QByteArray& bytes) {
                bool sound = false;
                const FrameSeen seen = read(reinterpret_cast<const unsigned char*>(bytes.constData()),
                                            size_t(bytes.size()), &sound);
                QMutexLocker lock(&m_lock);
                m_unsound += !sound;
                m_emapChannels.push_back(seen.channel);
            },
            Qt::DirectConnection);
    connect(conn, &CHttpConnect::Connected, this, [this](const cgi::DvrInfo& info, int cid) {
        ++connectedCount;
        lastClientId = cid;
        lastDvrInfo = info;
    });
    connect(conn, &CHttpConnect::signalConnectionFailed, this, [this]() { ++failures; });
    connect(conn, &CHttpConnect::signalConnectedDVRStatus, this,
            [this](const DISPLAY_DVR_INFO& info) { statuses.push_back(info.status); });
    connect(conn, &CHttpConnect::signalEMapStatus, this,
            [this](int ch, const QString&, bool record, EMap_Status::ENUM status) {
                emapEvents.emplace_back(ch, status);
                emapRecord.push_back(record);
            });
    connect(conn, &CHttpConnect::updateBackupProgress, this, [this](int v) { progress.push_back(v); });
}

FrameSeen StreamProbe::read(const unsigned char* data, size_t len, bool* sound) const
{
    FrameSeen seen;
    if (m_old) {
        CUFrame f;
        f.SetData(data, int(len));
        *sound = f.IsValid() && f.FitsIn(len);
        seen.channel = f.GetChannel();
        seen.time = f.GetTime().sec;
        seen.audio = f.GetType() == FRAME_AUDIO;
    } else {
        CFrame f;
        f.SetData(data, int(len));
        *sound = f.FitsIn(len);
        seen.channel = f.GetChannel();
        seen.time = f.GetTime().sec;
        seen.audio = f.GetType() == FRAME_AUDIO;
    }
    // Touch every byte handed over, so that the sanitizer sees a read past the buffer.
    volatile unsigned sum = 0;
    for (size_t i = 0; i < len; ++i)
        sum = sum + data[i];
    return seen;
}

int StreamProbe::videoCount() const
{
    QMutexLocker lock(&m_lock);
    return int(m_frames.size());
}

int StreamProbe::audioCount() const
{
    QMutexLocker lock(&m_lock);
    return m_audio;
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

std::vector<int> StreamProbe::emapDataChannels() const
{
    QMutexLocker lock(&m_lock);
    return m_emapChannels;
}

void TestRecorder::writeFrame(bool oldProtocol, const QByteArray& frame)
{
    QMutexLocker lock(&m_lock);
    m_frames.push_back(frame);
    sawOldProtocol = oldProtocol;
}

std::vector<QByteArray> TestRecorder::frames() const
{
    QMutexLocker lock(&m_lock);
    return m_frames;
}

}  // namespace nettest
