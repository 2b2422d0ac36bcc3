#pragma once

// Inside of the simulated DVR's thread: the Worker that accepts connections and the Conn
// that serves one of them (SimServer.cpp: sockets and requests; SimStream.cpp: streams;
// SimReplies.cpp: one-shot replies and commands).

#include <deque>
#include <set>

#include <QByteArray>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QObject>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "cgi_response.pb.h"
#include "sim/SimServer.h"
#include "support/TestMedia.h"

namespace simdvr {

constexpr int kMaxHead = 64 * 1024;
constexpr qint64 kMaxBody = 512ll * 1024 * 1024;
constexpr int kTickMs = 5;
// Bytes waiting for the client before a paced stream drops frames (up to the next key
// frame) and a flooding stream waits.
constexpr qint64 kPacedBacklog = 4 * 1024 * 1024;
constexpr qint64 kFloodBacklog = 1024 * 1024;
constexpr int kFloodFramesPerRound = 64;

constexpr int kAlawFrame = 320;    // 40 ms of A-law
constexpr int kAlawPeriodMs = 40;
constexpr int kG726Frame = 1200;   // 3200 samples of 3-bit codes: 400 ms
constexpr int kG726PeriodMs = 400;

// Old-protocol packet types.
constexpr uint8_t kOldResult = 1;
constexpr uint8_t kOldAudio = 2;
constexpr uint8_t kOldVideoKey = 10;
constexpr uint8_t kOldVideoDelta = 11;
constexpr uint8_t kOldDvrRecord = 20;

enum class FrameKind { None, Video, HeaderOnly, Audio };

// Clips and tones, read once per process and shared read-only; null when missing.
const testmedia::Clip* GetClip(const QString& dir, testmedia::Codec codec, const QString& size);
const std::vector<uint8_t>* GetTone(const QString& dir, bool g726);

QByteArray Serialized(const google::protobuf::MessageLite& m);
// The channels the DVR offers.
uint32_t ChannelMask(const Config& c);
// The record, video-loss, motion and sensor masks the DVR reports.
cgi::LiveStatus LiveStatusOf(const Config& c);
// The configured names, filled up with "CAM<n>".
QStringList ChannelNames(const Config& c);
cgi::DvrInfo MakeDvrInfo(const Config& c);

// Playback modes: whether frames flow, the media time one frame advances, the CUFrame code,
// the effect of a playback button, and the old protocol's button codes.
bool PlayingMode(uint32_t pb);
double PbStepMs(uint32_t pb, int fps);
int OldPbCode(uint32_t pb);
uint32_t ApplyPbCommand(uint32_t pb, int cmd);
int OldPbButtonToCmd(int code);
// "yyMMddhhmmss" of UTC wall-clock time; 0 when malformed.
uint32_t ParseOldTime(const QByteArray& text);

class Conn;

class Worker : public QObject {
public:
    explicit Worker(SimServer* s);
    ~Worker() override;

    bool listen(uint16_t port);

    void liveStatusChanged();
    void sendPacketAll(uint8_t type, const QByteArray& payload);
    void sendRawAll(const QByteArray& bytes);
    // Every stream connection, or the one of that stream id.
    void closeAll(int id = 0);
    void setRefusing(bool refusing);
    void releaseHeld();

    int allocClientId(int first);
    Conn* findStream(int clientId);
    void connClosed(Conn* c);
    // The stop command for a client id: frees its slot (also of a stream already closed).
    void stopStream(int clientId, bool close);
    // Frees the client slot of a stream, if it holds one.
    void releaseSlot(int streamId);

    SimServer* s;
    QEventLoop* loop = nullptr;
    QTcpServer server;
    QTimer tick;
    std::set<Conn*> conns;
    std::map<int, int> heldSlots;  // stream id -> client id, for streams holding a client slot
    std::set<int> usedClientIds;
    int nextClientId = -1;
    uint16_t boundPort = 0;  // kept for listening again after refusing
};

struct OutChunk {
    QByteArray bytes;
    bool split = false;
};

class Conn : public QObject {
public:
    Conn(Worker* w, QTcpSocket* sock);
    ~Conn() override;

    void onReadyRead();
    void onDisconnected();
    // The request's bytes are complete: decodes and stamps it, then starts its stream or
    // acts on it and answers, now or after a hold.
    void arrived();
    void answer();
    void endHold();
    // The hold is over: acts on the request and answers it.
    void release();

    // Output.
    void write(const QByteArray& bytes, bool split);
    void pump();
    qint64 backlog() const { return sock->bytesToWrite() + queued; }
    void closeWhenDrained();
    void finishClose();

    // Streams.
    void startStream(Request& r, const Config& cfg, const Misbehaviour& mis);
    void refuseStream(Request& r, int code, const Misbehaviour& mis);
    void emitPacket(uint8_t type, const QByteArray& payload, FrameKind kind, const Misbehaviour& mis)
    {
        emitPacket(type, payload, nullptr, 0, kind, mis);
    }
    // The payload is `head` followed by `size` bytes of `data`, copied once into the packet.
    void emitPacket(uint8_t type, const QByteArray& head, const uint8_t* data, int size, FrameKind kind,
                    const Misbehaviour& mis);
    void emitFrame(int64_t index, const Misbehaviour& mis, uint32_t record, uint32_t vloss,
                   uint32_t motion, uint32_t sensor);
    void emitAudio(int64_t index, const Misbehaviour& mis);
    void produce();
    void publish();
    void sendStatus();
    void sendPbStatus();
    bool streaming() const { return isStream && !closing && !closed; }

    // Replies.
    QByteArray replyBody(Request& r, const Config& cfg);
    QByteArray currentReply(Request& r, const Config& cfg);
    QByteArray oldReply(Request& r, const Config& cfg);
    void oldCommand(const Request& r);
    int credentialCode(const Request& r, const Config& cfg) const;
    // Misbehaviour::replyLeadPackets packets for the reply to the pending request.
    QByteArray leadPackets(int count, const Config& cfg) const;

    Worker* w;
    QTcpSocket* sock;
    QByteArray in;
    bool headDone = false;
    qint64 bodyLength = 0;
    Request pending;
    bool handled = false;
    bool malformed = false;  // an upload that is not well-formed multipart
    bool logged = false;
    bool holding = false;    // counted in SimServer::heldRequests
    QTimer holdTimer;
    bool closing = false;
    bool closed = false;

    std::deque<OutChunk> out;
    int splitPos = 0;
    qint64 queued = 0;
    QTimer splitTimer;
    bool closeAfterDrain = false;

    // Stream state.
    bool isStream = false;
    StreamInfo info;
    const testmedia::Clip* clip = nullptr;
    const std::vector<uint8_t>* tone = nullptr;
    QElapsedTimer clock;
    int fps = 30;
    int model = 0;
    bool audioPresentClock = false;  // Config::oldAudioPresentClock, for an old audio stream
    // Frames due by the clock: base + elapsed time; the bases move when a flood or a stall
    // ends, so that pacing resumes without a burst.
    int64_t videoIdx = 0;
    int64_t audioIdx = 0;
    int64_t videoBase = 0;
    int64_t audioBase = 0;
    int64_t firstVideoIdx = 0;  // Config::startFrame
    double mediaMs = 0;
    bool waitKey = false;
    int splitLeft = 0;
    int misGeneration = -1;
    int64_t published = 0;  // videoFrames already added to the DVR's total
    bool stepPending = false;
    bool stepStatusPending = false;  // Config::stepStatusAfterFrame: sent after the next frame
    QRandomGenerator junk;
};


}  // namespace simdvr
