#pragma once

// A simulated DVR for tests and for trying the client by hand. It listens on 127.0.0.1 and
// answers on one port, as a DVR does:
//  - raw stream requests ("GET /cgi-bin/webapp.cgi?<query>\r\n\r\n", no HTTP version): an
//    endless stream of packets (information, status, video and audio frames);
//  - HTTP/1.1 command POSTs (the query as a form body), one-shot GETs and multipart uploads:
//    one reply body made of packets, then the connection is closed.
// Both protocol generations: current (protobuf queries, little-endian lengths, CFrame
// headers, H.264 and A-law) and old (plain keys, big-endian lengths, CUFrame headers, H.264
// or MPEG-4 by model byte, G.726-24).
//
// Its sockets run on a thread of its own, so a test may block on the client in its own
// thread. Every public function is thread-safe. The wait functions process the calling
// thread's events while they wait (the client under test usually lives there).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include "cal_data.pb.h"
#include "cgi_response.pb.h"

namespace simdvr {

// A recorded span for search replies: seconds since 1970, channels and the recording kind
// (1 to 3) of each channel, index = channel.
struct Span {
    uint32_t start = 0;
    uint32_t end = 0;
    uint32_t chmask = 0;
    std::vector<uint32_t> reasons;
};

enum class LengthFault {
    OverLimit,  // 0x2800001: over the 40 MiB limit, rejected at once
    Longer,     // 64 more than the payload: the end code is not where the length says
    Huge,       // exactly 40 MiB: legal, but never completes (fills any smaller buffer)
};

// Misbehaviour on demand; switchable at run time (setMisbehaviour), applies to every open
// stream from its next packet on. Counters ("every Nth packet") count the packets of each
// stream connection from its first one, 1-based.
struct Misbehaviour {
    int junkEvery = 0;          // junk bytes (never a start code) before every Nth packet
    int corruptLengthEvery = 0; // every Nth packet gets a wrong length field
    LengthFault lengthFault = LengthFault::OverLimit;
    int corruptEndCodeEvery = 0;  // every Nth packet ends with FB FB FB FE
    int splitPackets = 0;       // the next N packets of a stream are written one byte at a time
                                // with a flush per byte (-1: every packet); counts down per stream
    int splitIntervalMs = 1;    // pause between two single bytes (0: next event-loop turn)
    bool stall = false;         // streams send nothing more but stay open
    int closeAfterPackets = -1; // close each stream after N packets (0: before any data)
    int streamErrorCode = -1;   // answer each stream request with this result code instead
    bool closeAfterError = true;  // and close the connection afterwards
    bool flood = false;         // frames as fast as the socket takes them, no pacing

    // One-shot replies (HTTP): written one byte at a time; or only the HTTP header and the
    // first half of the body, then nothing (connection kept open); or closed without reply.
    bool replySplit = false;
    bool replyStall = false;
    bool replyDrop = false;
    // With replyStall: the body is cut after this many whole packets instead of halfway.
    int replyStallAfterPackets = -1;
    // Replies to command POSTs begin with this many live-status packets (current protocol)
    // or result packets of code 0 (old), as from a DVR that mixes its status into a reply.
    int replyLeadPackets = 0;
    // The next N one-shot requests are logged as they arrive but acted on and answered only
    // holdMs later, as by a DVR busy with something else; counts down; -1 holds every one.
    // A negative holdMs holds them until CSimDvr::releaseHeld().
    // A held request whose client hangs up meanwhile is still carried out, unanswered.
    int holdRequests = 0;
    int holdMs = 0;
    // Stream stop commands (both protocols) are logged as they arrive but carried out and
    // answered only this much later, as by a DVR slow to end streams; other requests go on
    // as set above. A stop whose client hangs up meanwhile is still carried out. A negative
    // delay holds every stop until CSimDvr::releaseHeld().
    int stopDelayMs = 0;
    // Stream stops are carried out (after stopDelayMs) but never answered, as behind a
    // firewall that drops the reply: the connection stays open without a byte.
    bool stopsUnanswered = false;
};

struct Config {
    bool oldProtocol = false;
    int channels = 16;              // 4, 8 or 16
    uint32_t availableMask = 0;     // channels offered; 0 = all of `channels`
    // Current protocol: the model code sent in DvrInfo. Old protocol: the CUFrame model
    // byte (6-11 MPEG-4, others H.264); also the old record's channel count comes from
    // `channels`.
    uint32_t model = 4;
    uint32_t vtype = 0;             // 0 NTSC
    QString dvrName = QStringLiteral("SimDVR");
    QStringList channelNames;       // empty: "CAM1".."CAMn"
    QString modelName;
    QString hardwareVersion = QStringLiteral("HW 1.0");
    QString kernelVersion = QStringLiteral("2.6.24-sim");
    QString appVersion = QStringLiteral("1.0.0-sim");
    QString macAddress = QStringLiteral("00:11:22:33:44:55");

    // Accepted account; an empty user accepts any credentials. A wrong user gets result
    // code 1, a wrong password code 2: streams, reads, uploads and current-protocol commands
    // (old-protocol commands carry no credentials).
    QString user = QStringLiteral("admin");
    QString password = QStringLiteral("1234");

    uint16_t port = 0;              // 0: an ephemeral port
    int firstClientId = 1;          // client ids run from here up to 99, then wrap
    // Every stream gets firstClientId, even while another stream still has it, as some DVRs
    // hand out an id again at once; a stop for it then ends the newest stream of that id.
    // Old-protocol audio streams keep the CID they ask for.
    bool reuseClientId = false;
    int maxClients = 0;             // open streams at most (0: no limit); more get "client limit"
    bool keepSlotOnClose = false;   // a closed stream keeps its slot until its stop command
    bool closeOnStop = true;        // a stop command for a stream closes that stream
    // Current protocol: the status naming a step is sent after the step's frame, not at once.
    bool stepStatusAfterFrame = false;

    int fps = 30;                   // video frames per second per channel
    // Live streams start this many access units into the clip (a key frame every 30), so
    // that 15 opens mid-interval. Playback and backup start at a key frame, as after a seek.
    int startFrame = 0;
    QString mainSize = QStringLiteral("d1");   // clip of the main stream ("d1" or "cif")
    QString subSize = QStringLiteral("cif");   // clip of the sub stream
    uint32_t audioMask = 0x1;       // channels with an audio input
    // Old protocol: the audio stream of a playback or backup stamps its frames with the DVR's
    // present clock instead of the recording's times, as some old DVRs do.
    bool oldAudioPresentClock = false;
    QString mediaDir;               // folder of the clips; empty: the build's media folder

    // Live status (current: LiveStatus packets; old: each frame's info bits and video-loss
    // word). Channels in vlossMask send no video (their headers only, flagged).
    uint32_t recordMask = 0;
    uint32_t vlossMask = 0;
    uint32_t motionMask = 0;
    uint32_t sensorMask = 0;

    // One-shot read replies.
    cgi::HddInfo hddInfo;           // mode 17; empty: one 500000/120000 disk
    cgi::SysLog sysLog;             // mode 18; empty: three lines
    cgi::PictureControlGet pictureControl;  // mode 19; empty: 8 for every value of every channel
    QByteArray dvrConf;             // mode 22: payload of the data-type-10 packet
    std::vector<Span> spans;        // mode 6 and the old search
    uint32_t dvrTime = 0;           // DVR clock in search replies; 0: now
    uint32_t calVersion = 0;        // CalData version: non-zero lists the hours of the spans
    bool calListHours = true;       // false: a CalData with a version lists no hours at all
    int searchDataType = 4;         // data type of the search reply packet (both protocols;
                                    // the reader takes the first packet whatever its type)
    QByteArray oldInfoPage;         // old information read: raw body; empty: a text page

    int commandResultCode = 0;      // result packet of commands (current protocol)
    int uploadResultCode = 0;       // result packet of uploads
};

enum class Transport { Stream, Post, Get, Upload, Other };

// One decoded request, in arrival order. A request not held is logged once acted on, so that
// whoever sees it sees its effect; a held one (Misbehaviour::holdRequests) at its arrival.
struct Request {
    int seq = 0;                    // 1, 2, ... per DVR
    qint64 arrivalMs = 0;           // CSimDvr::nowMs() once its last byte was read
    qint64 answeredMs = -1;         // once acted on and answered (a held one: after its hold)
    qint64 carriedOutMs = -1;       // once acted on, answered or not
    qint64 hungUpMs = -1;           // a held one: once its client closed the connection during the hold
    Transport transport = Transport::Other;
    QByteArray head;                // every byte up to and including the blank line
    QByteArray method;              // "GET" or "POST" (stream requests: "GET")
    QByteArray target;              // "/cgi-bin/webapp.cgi?..." as sent
    QByteArray version;             // "HTTP/1.1"; empty for a stream request
    bool pathOk = false;            // path is "/cgi-bin/webapp.cgi"
    QList<QPair<QByteArray, QByteArray>> headers;  // HTTP headers in order, as sent
    QByteArray body;                // raw body (form or multipart)
    QByteArray query;               // the parameter text: after "?" or the form body
    QList<QPair<QByteArray, QByteArray>> params;   // parameters as sent (still encoded);
                                                   // for uploads the non-file form fields
    bool oldProtocol = false;       // plain keys (no USER and DATA parameter)
    int mode = -1;                  // MODE; -1 when absent

    // Current protocol.
    bool userOk = false;            // USER decoded to a cgi::User
    std::string user, password;
    bool dataOk = false;            // DATA decoded and parsed as the message of the mode
    std::string data;               // the decoded DATA bytes (the serialized message)
    std::string dataType;           // "cgi.Live", ... the message type of the mode

    // Old protocol: ID and PW percent-decoded.
    QByteArray oldId, oldPw;

    // Uploads.
    QByteArray boundary;
    QByteArray fileField, fileName, fileData;

    int streamId = -1;              // Stream: the StreamInfo::id it opened (-1 refused)

    QByteArray header(const QByteArray& name) const;  // first HTTP header, case-insensitive
    bool hasParam(const QByteArray& key) const;
    QByteArray param(const QByteArray& key) const;    // first value, as sent
    QByteArray paramDecoded(const QByteArray& key) const;  // percent-decoded
    template <class M>
    bool message(M* m) const { return m->ParseFromString(data); }
};

// One stream connection.
struct StreamInfo {
    int id = 0;                     // 1, 2, ... per DVR
    int requestSeq = 0;
    int clientId = -1;              // in the packet headers; -1 for a refused request
    bool oldProtocol = false;
    bool audioOnly = false;         // old-protocol audio stream
    int mode = 0;                   // 0 live, 1 playback, 2 backup
    int codec = 0;                  // 0 main, 1 sub
    uint32_t vchmask = 0, achmask = 0, headerOnlyMask = 0;
    uint32_t startTime = 0, endTime = 0;
    uint32_t pbMode = 0;            // PbMode of a playback stream
    int errorCode = -1;             // result code that refused it
    bool open = true;               // connection still open
    bool stopped = false;           // its stop command arrived
    bool closedBySim = false;
    int64_t packets = 0;            // packets written (corrupt ones included)
    int64_t bytes = 0;
    int64_t videoFrames = 0;        // well-formed video packets with data
    int64_t headerOnlyFrames = 0;
    int64_t audioFrames = 0;
    int64_t corruptPackets = 0;
    int64_t droppedFrames = 0;      // not sent because the client did not keep up
    int64_t junkBytes = 0;
    int64_t lastFrameTime = 0;      // time stamp of the last frame sent
};

class SimServer;

class CSimDvr {
public:
    explicit CSimDvr(const Config& config = Config());
    ~CSimDvr();  // stops

    // Starts listening; false when the port cannot be bound.
    bool start();
    void stop();
    uint16_t port() const;

    Config config() const;
    // Takes effect for new requests; running streams keep their stream parameters.
    void setConfig(const Config& config);
    Misbehaviour misbehaviour() const;
    void setMisbehaviour(const Misbehaviour& m);

    // Status masks; running live streams get a LiveStatus packet at once (current
    // protocol) and the flags in the next frames (old protocol).
    void setLiveStatus(uint32_t record, uint32_t vloss, uint32_t motion, uint32_t sensor);

    // Sends one packet (client id of each stream, its byte order) to every open stream, or
    // raw bytes as they are; both bypass misbehaviour.
    void sendPacket(uint8_t dataType, const QByteArray& payload);
    void sendRaw(const QByteArray& bytes);
    // Closes every open stream connection.
    void closeStreams();
    // Closes one stream connection (StreamInfo::id), as a DVR ending that stream does.
    void closeStream(int id);
    // An outage: true closes every connection, forgets held requests and stops listening, so
    // that dials are refused; false listens again on the same port. Returns once done.
    void setRefusing(bool refusing);

    std::vector<Request> requests() const;
    std::vector<StreamInfo> streams() const;
    StreamInfo stream(int id) const;   // id 0 for an unknown stream
    void clearLog();                   // forgets requests and closed streams

    // Waits (processing the calling thread's events) until a logged request satisfies the
    // predicate; true with *out filled when one did within the time.
    bool waitForRequest(const std::function<bool(const Request&)>& pred, int timeoutMs = 5000,
                        Request* out = nullptr);
    // Until cond() holds; cond may call the getters above.
    bool waitUntil(const std::function<bool()>& cond, int timeoutMs = 5000);
    // Until `count` stream requests arrived in total.
    bool waitForStreams(int count, int timeoutMs = 5000);
    // Until `count` video frames were sent in total (all streams).
    bool waitForVideoFrames(int64_t count, int timeoutMs = 5000);

    int64_t totalVideoFrames() const;
    // Held one-shot requests not acted on yet (Misbehaviour::holdRequests).
    int heldRequests() const;
    // Ends every hold now: the held requests are acted on and answered. Returns once done.
    void releaseHeld();

    // Milliseconds of a monotonic clock, the one of Request::arrivalMs.
    static qint64 nowMs();

private:
    CSimDvr(const CSimDvr&) = delete;
    CSimDvr& operator=(const CSimDvr&) = delete;

    std::unique_ptr<SimServer> m_server;
};

// Wire builders, shared with the tests.

// FB FB FB FC | client id | type | length (big-endian when bigEndian) | payload | FB FB FB FD.
QByteArray MakePacket(uint8_t clientId, uint8_t dataType, const QByteArray& payload,
                      bool bigEndian);
// The start code and header of a packet announcing `length` payload bytes, alone.
QByteArray MakePacketHead(uint8_t clientId, uint8_t dataType, uint32_t length, bool bigEndian);

struct FrameFields {
    int type = 0;                   // 0 key, 1 delta, 3 audio
    int channel = 0;
    int recordReason = 0;
    uint32_t frameSize = 0;         // size of the coded data (also for header-only frames)
    int width = 0, height = 0;
    int64_t timeSec = 0;
    int32_t timeUsec = 0;
    // Old protocol only.
    int model = 8;
    uint8_t info = 0;               // resolution code bits, motion 0x08, sensor 0x10, record 0x20
    int pbCode = 0;                 // playback-mode code, status bits 3-7
    uint16_t videoLoss = 0;
};

// 36-byte CFrame header (40 for audio: four zero bytes follow).
QByteArray MakeCFrameHeader(const FrameFields& f);
// 80-byte CUFrame header; the data follows right after it.
QByteArray MakeCUFrameHeader(const FrameFields& f);
// CUFrame resolution bits of `info` for a picture size (704x480 -> code 2, ...).
uint8_t CUFrameResolutionInfo(int width, int height);
// The 214-byte old DVR record.
QByteArray MakeOldDvrRecord(int channels, uint16_t availableMask, const QStringList& names);
// Old search reply: the DVR-time record, one record per recorded minute, the end record.
QByteArray MakeOldSearchRecords(const std::vector<Span>& spans, uint32_t dvrTime);
// cgi::CalData of the spans; with version != 0 the hours they touch are listed.
cgi::CalData MakeCalData(const std::vector<Span>& spans, uint32_t dvrTime, uint32_t version);

}  // namespace simdvr
