#pragma once

// A stream's signals taken on the thread that emits them, read back as copies; a PC recorder.

#include <atomic>
#include <vector>

#include <QApplication>
#include <QMessageBox>
#include <QMutex>
#include <QTest>
#include <gtest/gtest.h>

#include "Common/Frame.h"
#include "Network/HttpConnect.h"
#include "dvr_protocol/cgi_protocol.h"
#include "sim/SimDvr.h"

namespace nettest {

inline DVR MakeDvr(const simdvr::CSimDvr& sim, bool old, uint32_t channels = 0xFFFF)
{
    DVR dvr;
    dvr.set_address("127.0.0.1");
    dvr.set_port(sim.port());
    dvr.set_id("admin");
    dvr.set_password("1234");
    dvr.set_bit_ch(channels);
    dvr.set_old_protocol(old);
    dvr.set_protocol_type(old ? 2 : 1);
    return dvr;
}

inline QByteArray CgiQuery(cgi::Mode mode, const google::protobuf::MessageLite& data = cgi::NullMsg())
{
    cgi::User user;
    user.set_name("admin");
    user.set_password("1234");
    std::string q;
    cgi::Data2Url(mode, user, data, &q);
    return QByteArray::fromStdString(q);
}

inline CHttpConnect::ConnParam Param(int mode, bool emap = false, int64_t start = 0, int64_t end = 0, int codec = 0)
{
    return {mode, true, emap, true, codec, start, end};
}

inline simdvr::Config SmallDvr(bool old = false)
{
    simdvr::Config c;
    c.oldProtocol = old;
    c.channels = 4;
    c.model = old ? 8 : 4;
    c.channelNames = {QStringLiteral("Door"), QStringLiteral("Yard"), QStringLiteral("Hall"), QStringLiteral("Gate")};
    return c;
}

struct FrameSeen {
    DISPLAY_DVR_INFO info;
    int channel = -1;
    int64_t time = 0;
    bool audio = false, sound = false;  // sound: header readable, data inside the bytes handed over
};

inline FrameSeen ReadFrame(bool old, const unsigned char* data, size_t len)
{
    volatile unsigned sum = 0;  // every byte touched: AddressSanitizer sees a read past the buffer
    for (size_t i = 0; i < len; ++i)
        sum = sum + data[i];
    auto read = [&](auto f, bool needValid) {
        f.SetData(data, int(len));
        return FrameSeen{DISPLAY_DVR_INFO(), f.GetChannel(), int64_t(f.GetTime().sec), f.GetType() == FRAME_AUDIO,
                         (!needValid || f.IsValid()) && f.FitsIn(len)};
    };
    return old ? read(CUFrame(), true) : read(CFrame(), false);
}

// The stream must stop before its probe goes: its thread may be delivering a frame.
class StreamProbe : public QObject, public CFrameRecorder {
public:
    struct State {
        int connectedCount = 0, lastClientId = -1, failures = 0, unsound = 0;
        cgi::DvrInfo lastDvrInfo;
        std::vector<QString> statuses;
        std::vector<int> progress;
        std::vector<bool> backupEnds;  // complete or cut short, as announced
        std::vector<FrameSeen> video, audio;
    };

    StreamProbe(CHttpConnect* conn, bool old)
    {
        auto frame = [this, old](const DISPLAY_DVR_INFO& info, const unsigned char* data, size_t len) {
            FrameSeen seen = ReadFrame(old, data, len);
            seen.info = info;
            change([&](State& s) { s.unsound += !seen.sound, (seen.audio ? s.audio : s.video).push_back(seen); });
        };
        const auto direct = Qt::DirectConnection;
        connect(conn, &CHttpConnect::VDataReceived, this, frame, direct);
        connect(conn, &CHttpConnect::ADataReceived, this, frame, direct);
        connect(conn, &CHttpConnect::Connected, this, [this](const cgi::DvrInfo& info, int cid) {
            change([&](State& s) {
                ++s.connectedCount;
                s.lastClientId = cid;
                s.lastDvrInfo = info;
            });
        }, direct);
        connect(conn, &CHttpConnect::signalConnectionFailed, this, [this] { change([](State& s) { ++s.failures; }); }, direct);
        connect(conn, &CHttpConnect::signalConnectedDVRStatus, this, [this](const DISPLAY_DVR_INFO& info) {
            change([&](State& s) { s.statuses.push_back(info.status); });
        }, direct);
        connect(conn, &CHttpConnect::updateBackupProgress, this,
                [this](int v) { change([&](State& s) { s.progress.push_back(v); }); }, direct);
        connect(conn, &CHttpConnect::backupEnded, this,
                [this](bool complete) { change([&](State& s) { s.backupEnds.push_back(complete); }); }, direct);
    }

    State state() const { QMutexLocker lock(&m_lock); return m_state; }
    int videoCount() const { return int(state().video.size()); }
    DISPLAY_DVR_INFO lastInfo() const { return state().video.back().info; }

    bool isRecording() const override { return recording; }
    void writeFrame(bool old, const QByteArray& frame) override
    {
        const auto* data = reinterpret_cast<const unsigned char*>(frame.constData());
        ++(ReadFrame(old, data, size_t(frame.size())).audio ? recordedAudio : recordedVideo);
        recordedOld = old;
    }
    void setDvrInfo(const cgi::DvrInfo& info) override
    {
        QMutexLocker lock(&m_lock);
        recorderInfo = info;
    }
    cgi::DvrInfo recorderInfo;  // guarded by the probe's lock
    std::atomic<bool> recording{true}, recordedOld{false};
    std::atomic<int> recordedVideo{0}, recordedAudio{0};

private:
    template <class F> void change(F f) { QMutexLocker lock(&m_lock); f(m_state); }

    mutable QMutex m_lock;
    State m_state;
};

// A simulated DVR and one stream from it, torn down stream first.
struct StreamRig {
    explicit StreamRig(const simdvr::Config& cfg, const simdvr::Misbehaviour& m = {})
        : old(cfg.oldProtocol), sim(cfg), probe(&conn, old)
    {
        EXPECT_TRUE(sim.start());
        sim.setMisbehaviour(m);
    }
    ~StreamRig() { conn.Disconnect(); }
    void open(uint32_t channels, const CHttpConnect::ConnParam& p) { conn.Connect(MakeDvr(sim, old, channels), p); }

    const bool old;
    simdvr::CSimDvr sim;
    CHttpConnect conn;
    StreamProbe probe;
};

}  // namespace nettest
