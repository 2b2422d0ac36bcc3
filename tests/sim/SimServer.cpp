// The simulated DVR's sockets: a Worker on the DVR's own thread accepts connections; each
// Conn reads one request and then either streams packets until it is closed or writes one
// HTTP reply and closes.
#include "sim/SimServer.h"

#include <cmath>
#include <deque>
#include <map>
#include <mutex>

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "cgi_request.pb.h"
#include "dvr_types/dvr_types.h"
#include "support/TestMedia.h"

namespace simdvr {

namespace {

const int kMaxHead = 64 * 1024;
const qint64 kMaxBody = 512ll * 1024 * 1024;
const int kTickMs = 5;
// Bytes waiting for the client before a paced stream drops frames (up to the next key
// frame) and a flooding stream waits.
const qint64 kPacedBacklog = 4 * 1024 * 1024;
const qint64 kFloodBacklog = 1024 * 1024;
const int kFloodFramesPerRound = 64;

const int kAlawFrame = 320;    // 40 ms of A-law
const int kAlawPeriodMs = 40;
const int kG726Frame = 1200;   // 3200 samples of 3-bit codes: 400 ms
const int kG726PeriodMs = 400;

// Old-protocol packet types.
const uint8_t kOldResult = 1;
const uint8_t kOldAudio = 2;
const uint8_t kOldVideoKey = 10;
const uint8_t kOldVideoDelta = 11;
const uint8_t kOldDvrRecord = 20;

struct Media {
    testmedia::Clip clip;
    bool ok = false;
};

// Clips are read once per process and shared read-only by every DVR.
const testmedia::Clip* GetClip(const QString& dir, testmedia::Codec codec, const QString& size)
{
    static std::mutex lock;
    static std::map<std::string, Media> cache;
    const std::string base = dir.isEmpty() ? testmedia::MediaDir() : dir.toStdString();
    const std::string name = codec == testmedia::Codec::H264 ? "h264_" + size.toStdString() + ".264"
                                                             : "mpeg4_" + size.toStdString() + ".m4v";
    const std::string key = base + "/" + name;
    std::lock_guard<std::mutex> guard(lock);
    auto it = cache.find(key);
    if (it == cache.end()) {
        Media m;
        const std::vector<uint8_t> bytes = testmedia::ReadFile(key);
        m.clip.codec = codec;
        m.clip.width = 704;
        m.clip.height = size == QLatin1String("cif") ? 240 : 480;
        m.clip.units = codec == testmedia::Codec::H264 ? testmedia::SplitH264(bytes.data(), bytes.size())
                                                       : testmedia::SplitMpeg4(bytes.data(), bytes.size());
        if (size == QLatin1String("cif"))
            m.clip.width = 352;
        m.ok = !m.clip.units.empty();
        it = cache.emplace(key, std::move(m)).first;
    }
    return it->second.ok ? &it->second.clip : nullptr;
}

const std::vector<uint8_t>* GetTone(const QString& dir, bool g726)
{
    static std::mutex lock;
    static std::map<std::string, std::vector<uint8_t>> cache;
    const std::string base = dir.isEmpty() ? testmedia::MediaDir() : dir.toStdString();
    const std::string key = base + (g726 ? "/tone_24k.g726" : "/tone.alaw");
    std::lock_guard<std::mutex> guard(lock);
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.emplace(key, testmedia::ReadFile(key)).first;
    const size_t frame = g726 ? kG726Frame : kAlawFrame;
    return it->second.size() >= frame ? &it->second : nullptr;
}

QByteArray Serialized(const google::protobuf::MessageLite& m)
{
    const std::string s = m.SerializeAsString();
    return QByteArray(s.data(), static_cast<int>(s.size()));
}

uint32_t ChannelMask(const Config& c)
{
    const int n = c.channels < 1 ? 1 : (c.channels > 16 ? 16 : c.channels);
    const uint32_t all = n == 32 ? 0xFFFFFFFFu : ((1u << n) - 1u);
    return c.availableMask ? (c.availableMask & all) : all;
}

QStringList ChannelNames(const Config& c)
{
    QStringList names = c.channelNames;
    for (int i = names.size(); i < c.channels; ++i)
        names << QStringLiteral("CAM%1").arg(i + 1);
    return names;
}

cgi::DvrInfo MakeDvrInfo(const Config& c)
{
    cgi::DvrInfo info;
    info.set_model(c.model);
    info.set_vtype(c.vtype);
    info.set_dvr_name(c.dvrName.toStdString());
    info.set_ch_num(static_cast<uint32_t>(c.channels));
    info.set_available_chmask(ChannelMask(c));
    const QStringList names = ChannelNames(c);
    for (int i = 0; i < c.channels && i < names.size(); ++i)
        info.add_ch_name(names[i].toStdString());
    info.set_hardware_version(c.hardwareVersion.toStdString());
    info.set_kernel_version(c.kernelVersion.toStdString());
    info.set_app_version(c.appVersion.toStdString());
    info.set_mac_address(c.macAddress.toStdString());
    if (!c.modelName.isEmpty())
        info.set_model_name(c.modelName.toStdString());
    return info;
}

cgi::HddInfo DefaultHdd(const Config& c)
{
    if (c.hddInfo.info_size() > 0 || c.hddInfo.has_available_time())
        return c.hddInfo;
    cgi::HddInfo h;
    h.set_available_time(3600 * 24);
    cgi::HddInfo_Info* disk = h.add_info();
    disk->set_model("SIMDISK 500");
    disk->set_mounted(true);
    disk->set_total(500000);
    disk->set_used(120000);
    return h;
}

cgi::SysLog DefaultLog(const Config& c)
{
    if (c.sysLog.log_size() > 0)
        return c.sysLog;
    cgi::SysLog log;
    const char* lines[][2] = {{"SYSTEM", "Power on"}, {"admin", "Login"}, {"admin", "Record start"}};
    uint32_t t = 1262304000;  // 2010-01-01 00:00
    for (const auto& l : lines) {
        cgi::SysLog_Log* e = log.add_log();
        e->set_time(t);
        e->set_user(l[0]);
        e->set_log(l[1]);
        t += 60;
    }
    return log;
}

cgi::PictureControlGet DefaultPicture(const Config& c)
{
    const cgi::PictureControlGet& p = c.pictureControl;
    if (p.contrast_size() || p.brightness_size() || p.saturation_size() || p.hsharpness_size()
        || p.vsharpness_size())
        return p;
    cgi::PictureControlGet out;
    for (int i = 0; i < c.channels; ++i) {
        out.add_contrast(8);
        out.add_brightness(8);
        out.add_saturation(8);
        out.add_hsharpness(8);
        out.add_vsharpness(8);
    }
    return out;
}

QByteArray DefaultOldInfoPage(const Config& c)
{
    if (!c.oldInfoPage.isEmpty())
        return c.oldInfoPage;
    return QStringLiteral("Model : %1\r\nChannels : %2\r\nVersion : %3\r\n"
                          "HDD1 : used 1200MB - free 800MB\r\nHDD2 : used 300MB - free 700MB\r\n")
        .arg(c.dvrName).arg(c.channels).arg(c.appVersion)
        .toLatin1();
}

bool PlayingMode(uint32_t pb)
{
    return pb <= PB_FORWARD_256X || (pb >= PB_REVERSE_1X && pb <= PB_REVERSE_256X)
           || pb == PB_SLOW_1_4 || pb == PB_SLOW_1_2;
}

// Media milliseconds one frame advances in a playback mode.
double PbStepMs(uint32_t pb, int fps)
{
    const double frame = 1000.0 / fps;
    if (pb <= PB_FORWARD_256X)
        return frame * (1 << pb);
    if (pb >= PB_REVERSE_1X && pb <= PB_REVERSE_256X)
        return -frame * (1 << (pb - PB_REVERSE_1X));
    if (pb == PB_SLOW_1_4)
        return frame / 4;
    if (pb == PB_SLOW_1_2)
        return frame / 2;
    if (pb == PB_STEP_FORWARD)
        return frame;
    if (pb == PB_STEP_BACKWARD)
        return -frame;
    return 0;
}

// PbMode to the CUFrame playback-mode code.
int OldPbCode(uint32_t pb)
{
    if (pb <= PB_FORWARD_256X || (pb >= PB_REVERSE_1X && pb <= PB_REVERSE_256X))
        return static_cast<int>(pb) + 1;
    switch (pb) {
    case PB_STEP_FORWARD: return 13;
    case PB_SLOW_1_2: return 14;
    case PB_SLOW_1_4: return 15;
    case PB_STEP_BACKWARD: return 29;
    default: return 10;
    }
}

uint32_t ApplyPbCommand(uint32_t pb, int cmd)
{
    switch (cmd) {
    case cgi::PbControl::CMD_FORWARD: return PB_FORWARD_1X;
    case cgi::PbControl::CMD_REVERSE: return PB_REVERSE_1X;
    case cgi::PbControl::CMD_PAUSE: return PB_PAUSE;
    case cgi::PbControl::CMD_STOP: return PB_STOP;
    case cgi::PbControl::CMD_STEP_REVERSE: return PB_STEP_BACKWARD;
    case cgi::PbControl::CMD_STEP_FORWARD: return PB_STEP_FORWARD;
    case cgi::PbControl::CMD_FASTER:
        if (pb < PB_FORWARD_256X || (pb >= PB_REVERSE_1X && pb < PB_REVERSE_256X))
            return pb + 1;
        if (pb == PB_SLOW_1_4)
            return PB_SLOW_1_2;
        if (pb == PB_SLOW_1_2)
            return PB_FORWARD_1X;
        return pb;
    case cgi::PbControl::CMD_SLOWER:
        if ((pb > PB_FORWARD_1X && pb <= PB_FORWARD_256X) || (pb > PB_REVERSE_1X && pb <= PB_REVERSE_256X))
            return pb - 1;
        if (pb == PB_FORWARD_1X)
            return PB_SLOW_1_2;
        if (pb == PB_SLOW_1_2)
            return PB_SLOW_1_4;
        return pb;
    default:
        return pb;
    }
}

// The old protocol's playback button codes.
int OldPbButtonToCmd(int code)
{
    switch (code) {
    case 4: return cgi::PbControl::CMD_FORWARD;
    case 6: return cgi::PbControl::CMD_REVERSE;
    case 5: return cgi::PbControl::CMD_PAUSE;
    case 1: return cgi::PbControl::CMD_STOP;
    case 8: return cgi::PbControl::CMD_STEP_REVERSE;
    case 7: return cgi::PbControl::CMD_STEP_FORWARD;
    case 2: return cgi::PbControl::CMD_SLOWER;
    case 3: return cgi::PbControl::CMD_FASTER;
    default: return -1;
    }
}

// "yyMMddhhmmss" of UTC wall-clock time.
uint32_t ParseOldTime(const QByteArray& text)
{
    if (text.size() != 12)
        return 0;
    bool ok = false;
    text.toLongLong(&ok);
    if (!ok)
        return 0;
    auto num = [&](int pos) { return text.mid(pos, 2).toInt(); };
    const QDate date(2000 + num(0), num(2), num(4));
    const QTime time(num(6), num(8), num(10));
    if (!date.isValid() || !time.isValid())
        return 0;
    return static_cast<uint32_t>(QDateTime(date, time, Qt::UTC).toSecsSinceEpoch());
}

QByteArray HttpResponse(int status, const QByteArray& body)
{
    const char* text = status == 200 ? "OK" : (status == 404 ? "Not Found" : (status == 411 ? "Length Required" : "Bad Request"));
    QByteArray r = "HTTP/1.1 " + QByteArray::number(status) + " " + text + "\r\n";
    r += "Content-Type: application/octet-stream\r\n";
    r += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    r += "Connection: close\r\n\r\n";
    return r;
}

enum class FrameKind { None, Video, HeaderOnly, Audio };

}  // namespace

class Conn;

class Worker : public QObject {
public:
    explicit Worker(SimServer* s);
    ~Worker() override;

    bool listen(uint16_t port);

    void liveStatusChanged();
    void sendPacketAll(uint8_t type, const QByteArray& payload);
    void sendRawAll(const QByteArray& bytes);
    void closeAll();

    int allocClientId(int first);
    Conn* findStream(int clientId);
    void connClosed(Conn* c);
    // The stop command for a client id: frees its slot (also of a stream already closed).
    void stopStream(int clientId, bool close);

    SimServer* s;
    QEventLoop* loop = nullptr;
    QTcpServer server;
    QTimer tick;
    std::set<Conn*> conns;
    std::map<int, int> heldSlots;  // stream id -> client id, for streams holding a client slot
    std::set<int> usedClientIds;
    int nextClientId = -1;
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
    void handleRequest(Request r);

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
    bool streaming() const { return isStream && !closing; }

    // Replies.
    QByteArray replyBody(Request& r, const Config& cfg);
    QByteArray currentReply(Request& r, const Config& cfg);
    QByteArray oldReply(Request& r, const Config& cfg);
    void oldCommand(const Request& r);
    int credentialCode(const Request& r, const Config& cfg) const;

    Worker* w;
    QTcpSocket* sock;
    QByteArray in;
    bool headDone = false;
    qint64 bodyLength = 0;
    Request pending;
    bool handled = false;
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
    // Frames due by the clock: base + elapsed time; the bases move when a flood or a stall
    // ends, so that pacing resumes without a burst.
    int64_t videoIdx = 0;
    int64_t audioIdx = 0;
    int64_t videoBase = 0;
    int64_t audioBase = 0;
    double mediaMs = 0;
    bool waitKey = false;
    int splitLeft = 0;
    int misGeneration = -1;
    int64_t published = 0;  // videoFrames already added to the DVR's total
    bool stepPending = false;
    QRandomGenerator junk;
};

// ---------------------------------------------------------------------------------------

Worker::Worker(SimServer* server_) : s(server_)
{
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(kTickMs);
    connect(&tick, &QTimer::timeout, this, [this] {
        // Requests of other threads are picked up here, under the shared lock, rather than
        // through Qt's cross-thread events: every hand-over stays visible to a thread checker.
        if (s->runTasks() && loop)
            loop->quit();
        for (Conn* c : std::set<Conn*>(conns))
            if (c->streaming())
                c->produce();
    });
    connect(&server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* sock = server.nextPendingConnection()) {
            Conn* c = new Conn(this, sock);
            conns.insert(c);
        }
    });
}

Worker::~Worker()
{
    tick.stop();
    server.close();
    std::unique_lock<std::mutex> lock(s->mutex);
    for (Conn* c : conns) {
        if (c->isStream) {
            if (StreamInfo* st = s->findStream(c->info.id)) {
                st->open = false;
                st->closedBySim = true;
            }
        }
    }
    s->changed.notify_all();
    // The connections are children and go with us.
}

bool Worker::listen(uint16_t port)
{
    if (!server.listen(QHostAddress::LocalHost, port))
        return false;
    tick.start();
    return true;
}

int Worker::allocClientId(int first)
{
    first = first < 0 ? 0 : (first > 99 ? 99 : first);
    if (nextClientId < first || nextClientId > 99)
        nextClientId = first;
    for (int tries = 0; tries <= 99; ++tries) {
        const int id = nextClientId;
        nextClientId = nextClientId >= 99 ? first : nextClientId + 1;
        if (!usedClientIds.count(id))
            return id;
    }
    return first;
}

Conn* Worker::findStream(int clientId)
{
    Conn* found = nullptr;
    for (Conn* c : conns)
        if (c->isStream && !c->closed && c->info.clientId == clientId
            && (!found || c->info.id > found->info.id))
            found = c;
    return found;
}

void Worker::connClosed(Conn* c)
{
    conns.erase(c);
}

void Worker::stopStream(int clientId, bool close)
{
    if (Conn* c = findStream(clientId)) {
        c->info.stopped = true;
        heldSlots.erase(c->info.id);
        usedClientIds.erase(c->info.clientId);
        c->publish();
        if (close) {
            c->info.closedBySim = true;
            c->closing = true;
            c->publish();
            c->sock->abort();
        }
        return;
    }
    for (auto it = heldSlots.begin(); it != heldSlots.end(); ++it) {
        if (it->second != clientId)
            continue;
        std::unique_lock<std::mutex> lock(s->mutex);
        if (StreamInfo* st = s->findStream(it->first))
            st->stopped = true;
        s->changed.notify_all();
        lock.unlock();
        usedClientIds.erase(clientId);
        heldSlots.erase(it);
        return;
    }
}

void Worker::liveStatusChanged()
{
    for (Conn* c : conns)
        if (c->streaming() && !c->info.oldProtocol && c->info.mode == 0) {
            c->sendStatus();
            c->publish();
        }
}

void Worker::sendPacketAll(uint8_t type, const QByteArray& payload)
{
    for (Conn* c : conns)
        if (c->streaming() && c->info.clientId >= 0) {
            const QByteArray p = MakePacket(static_cast<uint8_t>(c->info.clientId), type, payload,
                                            c->info.oldProtocol);
            c->write(p, false);
            c->info.packets++;
            c->info.bytes += p.size();
            c->publish();
        }
}

void Worker::sendRawAll(const QByteArray& bytes)
{
    for (Conn* c : conns)
        if (c->streaming()) {
            c->write(bytes, false);
            c->info.bytes += bytes.size();
            c->publish();
        }
}

void Worker::closeAll()
{
    for (Conn* c : std::set<Conn*>(conns))
        if (c->isStream && !c->closed) {
            c->info.closedBySim = true;
            c->closing = true;
            c->publish();
            c->sock->abort();
        }
}

// ---------------------------------------------------------------------------------------

Conn::Conn(Worker* w_, QTcpSocket* sock_) : QObject(w_), w(w_), sock(sock_)
{
    sock->setParent(this);
    sock->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    splitTimer.setSingleShot(true);
    splitTimer.setTimerType(Qt::PreciseTimer);
    connect(&splitTimer, &QTimer::timeout, this, [this] { pump(); });
    connect(sock, &QTcpSocket::readyRead, this, [this] { onReadyRead(); });
    connect(sock, &QTcpSocket::disconnected, this, [this] { onDisconnected(); });
    connect(sock, &QTcpSocket::bytesWritten, this, [this] {
        if (closeAfterDrain && out.empty() && sock->bytesToWrite() == 0)
            finishClose();
        else if (streaming()) {
            std::unique_lock<std::mutex> lock(w->s->mutex);
            const bool flood = w->s->mis.flood;
            lock.unlock();
            if (flood)
                produce();
        }
    });
}

Conn::~Conn()
{
    // The socket goes with us: nothing of it may call back into a half-destroyed object.
    QObject::disconnect(sock, nullptr, this, nullptr);
    sock->abort();
}

void Conn::onReadyRead()
{
    const QByteArray data = sock->readAll();
    if (handled || closed)
        return;  // a stream's client sends nothing more that matters
    in += data;
    if (!headDone) {
        const int end = in.indexOf("\r\n\r\n");
        if (end < 0) {
            if (in.size() > kMaxHead)
                sock->abort();
            return;
        }
        const QByteArray head = in.left(end + 4);
        in.remove(0, end + 4);
        headDone = true;
        if (!ParseHead(head, &pending)) {
            pending.transport = Transport::Other;
            handled = true;
            handleRequest(pending);
            return;
        }
        if (pending.version.isEmpty()) {
            pending.transport = pending.method == "GET" ? Transport::Stream : Transport::Other;
            bodyLength = 0;
        } else if (pending.method == "POST") {
            const bool multipart =
                pending.header("Content-Type").trimmed().toLower().startsWith("multipart/form-data");
            pending.transport = multipart ? Transport::Upload : Transport::Post;
            bool ok = false;
            bodyLength = pending.header("Content-Length").trimmed().toLongLong(&ok);
            if (!ok || bodyLength < 0 || bodyLength > kMaxBody)
                bodyLength = -1;
        } else {
            pending.transport = pending.method == "GET" ? Transport::Get : Transport::Other;
            bodyLength = 0;
        }
    }
    if (bodyLength > 0 && in.size() < bodyLength)
        return;
    if (bodyLength > 0)
        pending.body = in.left(static_cast<int>(bodyLength));
    in.clear();
    handled = true;
    handleRequest(pending);
}

void Conn::onDisconnected()
{
    if (closed)
        return;
    closed = true;
    splitTimer.stop();
    if (isStream) {
        info.open = false;
        std::unique_lock<std::mutex> lock(w->s->mutex);
        const bool keep = w->s->config.keepSlotOnClose;
        lock.unlock();
        if (!keep || info.stopped) {
            if (w->heldSlots.erase(info.id))
                w->usedClientIds.erase(info.clientId);
        }
        publish();
    }
    w->connClosed(this);
    deleteLater();
}

void Conn::write(const QByteArray& bytes, bool split)
{
    if (bytes.isEmpty() || closed)
        return;
    if (!split && out.empty()) {
        sock->write(bytes);
        return;
    }
    out.push_back({bytes, split});
    queued += bytes.size();
    if (!splitTimer.isActive())
        pump();
}

void Conn::pump()
{
    if (closed)
        return;
    while (!out.empty()) {
        OutChunk& c = out.front();
        if (!c.split) {
            sock->write(c.bytes);
            queued -= c.bytes.size();
            out.pop_front();
            continue;
        }
        sock->write(c.bytes.constData() + splitPos, 1);
        sock->flush();
        ++splitPos;
        --queued;
        if (splitPos >= c.bytes.size()) {
            out.pop_front();
            splitPos = 0;
        }
        if (out.empty())
            break;
        std::unique_lock<std::mutex> lock(w->s->mutex);
        const int interval = w->s->mis.splitIntervalMs;
        lock.unlock();
        splitTimer.start(interval < 0 ? 0 : interval);
        return;
    }
    if (closeAfterDrain)
        closeWhenDrained();
}

void Conn::closeWhenDrained()
{
    closeAfterDrain = true;
    closing = true;
    if (closed || !out.empty())
        return;
    if (sock->bytesToWrite() == 0)
        finishClose();
}

void Conn::finishClose()
{
    if (closed)
        return;
    if (isStream) {
        info.closedBySim = true;
        publish();
    }
    sock->disconnectFromHost();
}

void Conn::handleRequest(Request r)
{
    std::unique_lock<std::mutex> lock(w->s->mutex);
    const Config cfg = w->s->config;
    const Misbehaviour mis = w->s->mis;
    lock.unlock();

    if (r.transport == Transport::Upload) {
        if (!ParseMultipart(&r))
            r.params.clear();
    } else if (r.transport == Transport::Post) {
        r.query = r.body;
        DecodeParams(&r);
    } else {
        DecodeParams(&r);
    }

    if (r.transport == Transport::Stream && r.pathOk) {
        startStream(r, cfg, mis);
        return;
    }

    // One-shot exchange: log, answer, close.
    QByteArray response;
    bool drop = mis.replyDrop;
    if (r.transport == Transport::Stream || r.transport == Transport::Other) {
        drop = true;  // a malformed request gets no answer
    } else if (bodyLength < 0) {
        response = HttpResponse(411, QByteArray());
    } else if (!r.pathOk) {
        response = HttpResponse(404, QByteArray());
    } else {
        const QByteArray body = replyBody(r, cfg);
        response = HttpResponse(200, body) + body;
    }
    lock.lock();
    r.seq = w->s->nextRequestSeq++;
    w->s->requests.push_back(r);
    w->s->changed.notify_all();
    lock.unlock();

    if (drop) {
        sock->abort();
        return;
    }
    if (mis.replyStall) {
        const int headEnd = response.indexOf("\r\n\r\n") + 4;
        const int bodySize = response.size() - headEnd;
        write(response.left(headEnd + bodySize / 2), false);
        return;  // held open until the client gives up
    }
    write(response, mis.replySplit);
    closeWhenDrained();
}

int Conn::credentialCode(const Request& r, const Config& cfg) const
{
    if (cfg.user.isEmpty())
        return 0;
    if (r.oldProtocol) {
        if (QString::fromUtf8(r.oldId) != cfg.user)
            return 1;
        if (QString::fromUtf8(r.oldPw) != cfg.password)
            return 2;
        return 0;
    }
    if (!r.userOk || QString::fromStdString(r.user) != cfg.user)
        return 1;
    if (QString::fromStdString(r.password) != cfg.password)
        return 2;
    return 0;
}

// --- streams -----------------------------------------------------------------------------

void Conn::refuseStream(Request& r, int code, const Misbehaviour& mis)
{
    isStream = true;
    info.errorCode = code;
    info.clientId = -1;
    {
        std::unique_lock<std::mutex> lock(w->s->mutex);
        info.id = w->s->nextStreamId++;
        info.requestSeq = r.seq = w->s->nextRequestSeq++;
        r.streamId = info.id;
        w->s->streamRequests++;
        w->s->requests.push_back(r);
        w->s->streams[info.id] = info;
        w->s->changed.notify_all();
    }
    const uint8_t type = info.oldProtocol ? kOldResult : static_cast<uint8_t>(cgi::DATA_RESPONSE);
    emitPacket(type, QByteArray(1, static_cast<char>(code)), FrameKind::None, mis);
    publish();
    if (mis.closeAfterError)
        closeWhenDrained();
}

void Conn::startStream(Request& r, const Config& cfg, const Misbehaviour& mis)
{
    info.oldProtocol = r.oldProtocol;
    const uint32_t avail = ChannelMask(cfg);
    uint32_t vch = 0, ach = 0, hdr = 0;
    int code = -1;
    bool refused = false;
    info.pbMode = PB_FORWARD_1X;
    if (!r.oldProtocol) {
        switch (r.mode) {
        case cgi::MODE_LIVE: {
            cgi::Live m;
            r.message(&m);
            info.mode = 0;
            info.codec = m.codec() == cgi::CODEC_SUB ? 1 : 0;
            vch = m.vchmask();
            ach = m.achmask();
            hdr = m.header_only_mask();
            break;
        }
        case cgi::MODE_PLAYBACK: {
            cgi::Playback m;
            r.message(&m);
            info.mode = 1;
            info.startTime = m.start_time();
            vch = m.vchmask();
            ach = m.achmask();
            break;
        }
        case cgi::MODE_BACKUP: {
            cgi::Backup m;
            r.message(&m);
            info.mode = 2;
            info.startTime = m.start_time();
            info.endTime = m.end_time();
            vch = ach = m.chmask();
            break;
        }
        default:
            refused = true;
            code = cgi::ERR_CODE_6;
        }
        if (!refused && (!r.userOk || !r.dataOk))
            refused = true, code = cgi::ERR_CODE_6;
    } else {
        const uint32_t ch = r.param("CH").toUInt(nullptr, 16);
        switch (r.mode) {
        case 0: case 9: info.mode = 0; info.codec = r.mode == 9; vch = ch; break;
        case 1: case 10: info.mode = 0; info.codec = r.mode == 10; info.audioOnly = true; ach = ch; break;
        case 2:
        case 3:
            info.startTime = ParseOldTime(r.param("STARTTIME"));
            info.endTime = ParseOldTime(r.param("ENDTIME"));
            info.mode = r.hasParam("ENDTIME") ? 2 : 1;
            info.audioOnly = r.mode == 3;
            (info.audioOnly ? ach : vch) = ch;
            break;
        default:
            refused = true;
            code = 0;  // shown as "unknown"
        }
        if (!refused && r.param("VER") != "3000")
            refused = true, code = 3;  // protocol version
    }
    if (!refused) {
        const int cred = credentialCode(r, cfg);
        if (cred)
            refused = true, code = cred;
    }
    if (!refused && cfg.maxClients > 0 && static_cast<int>(w->heldSlots.size()) >= cfg.maxClients)
        refused = true, code = r.oldProtocol ? 4 : cgi::ERR_CLIENT_LIMIT;
    if (!refused && mis.streamErrorCode >= 0)
        refused = true, code = mis.streamErrorCode;
    if (refused) {
        refuseStream(r, code, mis);
        return;
    }

    isStream = true;
    info.vchmask = vch & avail;
    info.achmask = ach & avail & cfg.audioMask;
    info.headerOnlyMask = hdr & avail;
    if (r.oldProtocol && info.audioOnly && r.hasParam("CID"))
        info.clientId = r.param("CID").toInt() & 0xFF;
    else
        info.clientId = w->allocClientId(cfg.firstClientId);
    fps = cfg.fps > 0 ? cfg.fps : 30;
    model = static_cast<int>(cfg.model);
    const bool mpeg4 = r.oldProtocol && cfg.model >= 6 && cfg.model <= 11;
    const QString size = info.codec == 1 ? cfg.subSize : cfg.mainSize;
    clip = GetClip(cfg.mediaDir, mpeg4 ? testmedia::Codec::Mpeg4 : testmedia::Codec::H264, size);
    tone = GetTone(cfg.mediaDir, r.oldProtocol);

    {
        std::unique_lock<std::mutex> lock(w->s->mutex);
        info.id = w->s->nextStreamId++;
        info.requestSeq = r.seq = w->s->nextRequestSeq++;
        r.streamId = info.id;
        w->s->streamRequests++;
        w->s->requests.push_back(r);
        w->s->streams[info.id] = info;
        splitLeft = w->s->mis.splitPackets;
        misGeneration = w->s->misGeneration;
        w->s->changed.notify_all();
    }
    w->heldSlots[info.id] = info.clientId;
    w->usedClientIds.insert(info.clientId);
    junk.seed(static_cast<quint32>(info.id));

    if (mis.closeAfterPackets == 0) {
        closeWhenDrained();
        return;
    }
    if (!info.audioOnly) {
        if (r.oldProtocol) {
            emitPacket(kOldDvrRecord, MakeOldDvrRecord(cfg.channels, static_cast<uint16_t>(avail), ChannelNames(cfg)),
                       FrameKind::None, mis);
        } else {
            emitPacket(cgi::DATA_DVR_INFO, Serialized(MakeDvrInfo(cfg)), FrameKind::None, mis);
            if (info.mode == 0)
                sendStatus();
            else if (info.mode == 1)
                sendPbStatus();
        }
    }
    clock.start();
    publish();
    produce();
}

void Conn::sendStatus()
{
    std::unique_lock<std::mutex> lock(w->s->mutex);
    cgi::LiveStatus st;
    st.set_record_chmask(w->s->config.recordMask);
    st.set_vloss_chmask(w->s->config.vlossMask);
    st.set_motion_chmask(w->s->config.motionMask);
    st.set_sensor_chmask(w->s->config.sensorMask);
    const Misbehaviour mis = w->s->mis;
    lock.unlock();
    emitPacket(cgi::DATA_LIVE_STATUS, Serialized(st), FrameKind::None, mis);
}

void Conn::sendPbStatus()
{
    if (info.oldProtocol)
        return;  // old DVRs tell the mode in each frame header
    std::unique_lock<std::mutex> lock(w->s->mutex);
    const Misbehaviour mis = w->s->mis;
    lock.unlock();
    cgi::PbStatus st;
    st.set_mode(info.pbMode);
    emitPacket(cgi::DATA_PB_STATUS, Serialized(st), FrameKind::None, mis);
}

void Conn::emitPacket(uint8_t type, const QByteArray& head, const uint8_t* data, int size, FrameKind kind,
                      const Misbehaviour& mis)
{
    if (closing || closed)
        return;
    const int64_t n = ++info.packets;
    const uint8_t cid = static_cast<uint8_t>(info.clientId < 0 ? 0 : info.clientId);
    const int payloadSize = head.size() + size;
    QByteArray p;
    p.reserve(payloadSize + 14);
    p.append("\xFB\xFB\xFB\xFC", 4);
    p.append(static_cast<char>(cid));
    p.append(static_cast<char>(type));
    for (int i = 0; i < 4; ++i) {
        const int shift = info.oldProtocol ? 8 * (3 - i) : 8 * i;
        p.append(static_cast<char>((static_cast<uint32_t>(payloadSize) >> shift) & 0xFF));
    }
    p.append(head);
    if (size > 0)
        p.append(reinterpret_cast<const char*>(data), size);
    p.append("\xFB\xFB\xFB\xFD", 4);
    bool corrupt = false;
    if (mis.corruptLengthEvery > 0 && n % mis.corruptLengthEvery == 0) {
        uint32_t len = static_cast<uint32_t>(payloadSize);
        switch (mis.lengthFault) {
        case LengthFault::OverLimit: len = 0x2800001u; break;
        case LengthFault::Longer: len += 64; break;
        case LengthFault::Huge: len = 0x2800000u; break;
        }
        for (int i = 0; i < 4; ++i) {
            const int shift = info.oldProtocol ? 8 * (3 - i) : 8 * i;
            p[6 + i] = static_cast<char>((len >> shift) & 0xFF);
        }
        corrupt = true;
    }
    if (mis.corruptEndCodeEvery > 0 && n % mis.corruptEndCodeEvery == 0) {
        p[p.size() - 1] = static_cast<char>(0xFE);
        corrupt = true;
    }
    if (mis.junkEvery > 0 && n % mis.junkEvery == 0) {
        QByteArray j(1 + static_cast<int>(junk.bounded(48)), '\0');
        for (int i = 0; i < j.size(); ++i) {
            // Mostly bytes of the start code, so that a scanner is really tested.
            const quint32 r = junk.bounded(4);
            j[i] = static_cast<char>(r == 0 ? junk.bounded(256) : 0xFB);
            if (i >= 3 && static_cast<uint8_t>(j[i]) == 0xFC && static_cast<uint8_t>(j[i - 1]) == 0xFB
                && static_cast<uint8_t>(j[i - 2]) == 0xFB && static_cast<uint8_t>(j[i - 3]) == 0xFB)
                j[i] = 0;
        }
        info.junkBytes += j.size();
        p.prepend(j);
    }
    bool split = false;
    if (splitLeft != 0) {
        split = true;
        if (splitLeft > 0)
            --splitLeft;
    }
    info.bytes += p.size();
    if (corrupt)
        info.corruptPackets++;
    else if (kind == FrameKind::Video)
        info.videoFrames++;
    else if (kind == FrameKind::HeaderOnly)
        info.headerOnlyFrames++;
    else if (kind == FrameKind::Audio)
        info.audioFrames++;
    write(p, split);
    if (mis.closeAfterPackets > 0 && n >= mis.closeAfterPackets)
        closeWhenDrained();
}

void Conn::emitFrame(int64_t index, const Misbehaviour& mis, uint32_t record, uint32_t vloss,
                     uint32_t motion, uint32_t sensor)
{
    if (!clip)
        return;
    const testmedia::AccessUnit& unit = clip->units[static_cast<size_t>(index % static_cast<int64_t>(clip->units.size()))];
    const uint32_t wanted = info.vchmask | info.headerOnlyMask;
    if (wanted == 0)
        return;
    if (waitKey && !unit.key) {
        for (int c = 0; c < 16; ++c)
            if (wanted & (1u << c))
                info.droppedFrames++;
        return;
    }
    waitKey = false;
    int64_t ms;
    if (info.mode == 0)
        ms = QDateTime::currentMSecsSinceEpoch();
    else
        ms = static_cast<int64_t>(info.startTime) * 1000 + static_cast<int64_t>(std::llround(mediaMs));
    FrameFields f;
    f.type = unit.key ? 0 : 1;
    f.frameSize = static_cast<uint32_t>(unit.data.size());
    f.width = clip->width;
    f.height = clip->height;
    f.timeSec = ms / 1000;
    f.timeUsec = static_cast<int32_t>((ms % 1000) * 1000);
    f.model = model;
    f.pbCode = info.mode == 0 ? 0 : OldPbCode(info.pbMode);
    f.videoLoss = static_cast<uint16_t>(vloss & 0xFFFF);
    const uint8_t resolution = CUFrameResolutionInfo(clip->width, clip->height);
    for (int c = 0; c < 16; ++c) {
        const uint32_t bit = 1u << c;
        if (!(wanted & bit))
            continue;
        const bool headerOnly = (info.headerOnlyMask & bit) || (vloss & bit);
        f.channel = c;
        f.recordReason = (record & bit) ? 1 : 0;
        f.info = static_cast<uint8_t>(resolution | ((motion & bit) ? 0x08 : 0) | ((sensor & bit) ? 0x10 : 0)
                                      | ((record & bit) ? 0x20 : 0));
        const QByteArray header = info.oldProtocol ? MakeCUFrameHeader(f) : MakeCFrameHeader(f);
        const uint8_t type = info.oldProtocol ? (unit.key ? kOldVideoKey : kOldVideoDelta)
                                              : static_cast<uint8_t>(cgi::DATA_VIDEO);
        emitPacket(type, header, unit.data.data(), headerOnly ? 0 : static_cast<int>(unit.data.size()),
                   headerOnly ? FrameKind::HeaderOnly : FrameKind::Video, mis);
    }
    info.lastFrameTime = f.timeSec;
}

void Conn::emitAudio(int64_t index, const Misbehaviour& mis)
{
    if (!tone || info.achmask == 0)
        return;
    const int frame = info.oldProtocol ? kG726Frame : kAlawFrame;
    const int64_t frames = static_cast<int64_t>(tone->size()) / frame;
    const uint8_t* data = tone->data() + (index % frames) * frame;
    int64_t ms;
    if (info.mode == 0)
        ms = QDateTime::currentMSecsSinceEpoch();
    else
        ms = static_cast<int64_t>(info.startTime) * 1000 + static_cast<int64_t>(std::llround(mediaMs));
    FrameFields f;
    f.type = 3;
    f.frameSize = static_cast<uint32_t>(frame);
    f.timeSec = ms / 1000;
    f.timeUsec = static_cast<int32_t>((ms % 1000) * 1000);
    f.model = model;
    for (int c = 0; c < 16; ++c) {
        if (!(info.achmask & (1u << c)))
            continue;
        f.channel = c;
        emitPacket(info.oldProtocol ? kOldAudio : static_cast<uint8_t>(cgi::DATA_AUDIO),
                   info.oldProtocol ? MakeCUFrameHeader(f) : MakeCFrameHeader(f), data, frame, FrameKind::Audio, mis);
    }
}

void Conn::produce()
{
    if (!streaming() || info.errorCode >= 0)
        return;
    std::unique_lock<std::mutex> lock(w->s->mutex);
    const Misbehaviour mis = w->s->mis;
    if (misGeneration != w->s->misGeneration) {
        misGeneration = w->s->misGeneration;
        splitLeft = mis.splitPackets;
    }
    const uint32_t record = w->s->config.recordMask;
    const uint32_t vloss = w->s->config.vlossMask;
    const uint32_t motion = w->s->config.motionMask;
    const uint32_t sensor = w->s->config.sensorMask;
    lock.unlock();

    const double frameMs = 1000.0 / fps;
    const int audioPeriod = info.oldProtocol ? kG726PeriodMs : kAlawPeriodMs;
    const bool playing = info.mode != 1 || PlayingMode(info.pbMode) || stepPending;
    const bool video = !info.audioOnly;

    auto oneVideoFrame = [&](bool send) {
        if (send) {
            emitFrame(videoIdx, mis, record, vloss, motion, sensor);
            if (info.mode != 0) {
                mediaMs += info.mode == 2 ? frameMs : PbStepMs(info.pbMode, fps);
                if (mediaMs < -1000.0 * info.startTime)
                    mediaMs = -1000.0 * info.startTime;
            }
        }
        ++videoIdx;
    };
    auto backupDone = [&] {
        return info.mode == 2 && info.endTime != 0 && info.lastFrameTime >= info.endTime;
    };

    const int64_t elapsed = clock.elapsed();
    const int64_t videoDue = videoBase + elapsed * fps / 1000 + 1;
    const int64_t audioDue = audioBase + elapsed / audioPeriod + 1;
    auto rebase = [&] {
        clock.restart();
        videoBase = videoIdx;
        audioBase = audioIdx;
    };

    if (mis.stall) {
        rebase();
        publish();
        return;
    }

    if (mis.flood) {
        for (int i = 0; i < kFloodFramesPerRound && !closing && backlog() < kFloodBacklog; ++i) {
            if (video) {
                if (!playing)
                    break;
                oneVideoFrame(true);
                stepPending = false;
                if (backupDone()) {
                    closeWhenDrained();
                    break;
                }
                const int64_t adue = static_cast<int64_t>(videoIdx * frameMs) / audioPeriod;
                while (audioIdx < adue && !closing)
                    emitAudio(audioIdx++, mis);
            } else {
                emitAudio(audioIdx++, mis);
            }
        }
        rebase();
        publish();
        return;
    }

    if (video) {
        if (videoDue - videoIdx > 2 * fps)
            videoIdx = videoDue - 1;  // after a long pause: no burst
        while (videoIdx < videoDue && !closing) {
            if (!playing) {
                videoIdx = videoDue;
                break;
            }
            if (backlog() > kPacedBacklog)
                waitKey = true;
            oneVideoFrame(true);
            stepPending = false;
            if (backupDone()) {
                closeWhenDrained();
                break;
            }
        }
    }
    if (audioDue - audioIdx > 2000 / audioPeriod + 1)
        audioIdx = audioDue - 1;
    while (audioIdx < audioDue && !closing) {
        if (!playing || backlog() > kPacedBacklog) {
            audioIdx = audioDue;
            break;
        }
        emitAudio(audioIdx++, mis);
    }
    publish();
}

void Conn::publish()
{
    if (!isStream)
        return;
    std::unique_lock<std::mutex> lock(w->s->mutex);
    if (StreamInfo* st = w->s->findStream(info.id))
        *st = info;
    w->s->totalVideoFrames += info.videoFrames - published;
    published = info.videoFrames;
    w->s->changed.notify_all();
}

// --- one-shot replies -------------------------------------------------------------------

QByteArray Conn::replyBody(Request& r, const Config& cfg)
{
    return r.oldProtocol ? oldReply(r, cfg) : currentReply(r, cfg);
}

QByteArray Conn::currentReply(Request& r, const Config& cfg)
{
    auto result = [](int code) {
        return MakePacket(0, cgi::DATA_RESPONSE, QByteArray(1, static_cast<char>(code)), false);
    };
    const int cred = credentialCode(r, cfg);
    if (cred)
        return result(cred);
    const bool upload = r.transport == Transport::Upload;
    switch (r.mode) {
    case cgi::MODE_LIVE:
        return result(cfg.commandResultCode) + MakePacket(0, cgi::DATA_DVR_INFO, Serialized(MakeDvrInfo(cfg)), false);
    case cgi::MODE_STREAM_CHANNEL: {
        cgi::StreamChannel m;
        if (r.dataOk && r.message(&m)) {
            if (Conn* c = w->findStream(static_cast<int>(m.stream_id()))) {
                const uint32_t avail = ChannelMask(cfg);
                c->info.vchmask = m.vchmask() & avail;
                c->info.achmask = m.achmask() & avail & cfg.audioMask;
                c->info.headerOnlyMask = m.header_only_mask() & avail;
                if (m.auto_stream() != cgi::AUTO_STREAM_OFF && !c->info.oldProtocol) {
                    const int codec = m.auto_stream() == cgi::AUTO_STREAM_SUB ? 1 : 0;
                    if (codec != c->info.codec) {
                        c->info.codec = codec;
                        c->clip = GetClip(cfg.mediaDir, testmedia::Codec::H264, codec ? cfg.subSize : cfg.mainSize);
                        c->waitKey = true;
                    }
                }
                c->publish();
            }
        }
        return result(cfg.commandResultCode);
    }
    case cgi::MODE_STREAM_STOP: {
        cgi::StreamStop m;
        if (r.dataOk && r.message(&m))
            w->stopStream(static_cast<int>(m.stream_id()), cfg.closeOnStop);
        return result(cfg.commandResultCode);
    }
    case cgi::MODE_PB_CONTROL: {
        cgi::PbControl m;
        if (r.dataOk && r.message(&m)) {
            Conn* c = w->findStream(static_cast<int>(m.stream_id()));
            if (c && c->info.mode == 1) {
                c->info.pbMode = ApplyPbCommand(c->info.pbMode, m.cmd());
                c->stepPending = m.cmd() == cgi::PbControl::CMD_STEP_FORWARD
                                 || m.cmd() == cgi::PbControl::CMD_STEP_REVERSE;
                c->sendPbStatus();
                c->publish();
            }
        }
        return result(cfg.commandResultCode);
    }
    case cgi::MODE_SEARCH: {
        cgi::Search s;
        r.message(&s);
        std::vector<Span> spans;
        for (Span sp : cfg.spans) {
            if (s.end_time() != 0 && (sp.end < s.start_time() || sp.start > s.end_time()))
                continue;
            sp.chmask &= s.chmask();
            if (sp.chmask)
                spans.push_back(sp);
        }
        const uint32_t now = cfg.dvrTime ? cfg.dvrTime : static_cast<uint32_t>(QDateTime::currentSecsSinceEpoch());
        const uint32_t version = cfg.calVersion ? cfg.calVersion : (s.hours_include() ? 1u : 0u);
        return MakePacket(0, static_cast<uint8_t>(cfg.searchDataType), Serialized(MakeCalData(spans, now, version)), false);
    }
    case cgi::MODE_SET_DVR_CONF:
        if (upload && r.fileField == "REQ") {
            std::unique_lock<std::mutex> lock(w->s->mutex);
            w->s->config.dvrConf = r.fileData;  // read back by the next configuration read
        }
        return result(upload ? cfg.uploadResultCode : cfg.commandResultCode);
    case cgi::MODE_RECORD_TO_DVR: {
        std::unique_lock<std::mutex> lock(w->s->mutex);
        w->s->config.recordMask = w->s->config.recordMask ? 0 : ChannelMask(cfg);
        lock.unlock();
        w->liveStatusChanged();
        return result(cfg.commandResultCode);
    }
    case cgi::MODE_GET_DVR_INFO:
        return MakePacket(0, cgi::DATA_DVR_INFO, Serialized(MakeDvrInfo(cfg)), false);
    case cgi::MODE_GET_HDD_INFO:
        return MakePacket(0, cgi::DATA_HDD_INFO, Serialized(DefaultHdd(cfg)), false);
    case cgi::MODE_GET_SYS_LOG:
        return MakePacket(0, cgi::DATA_SYS_LOG, Serialized(DefaultLog(cfg)), false);
    case cgi::MODE_GET_PICTURE_CONTROL:
        return MakePacket(0, cgi::DATA_PICTURE_CONTROL, Serialized(DefaultPicture(cfg)), false);
    case cgi::MODE_GET_DVR_CONF:
        return MakePacket(0, cgi::DATA_DVR_CONF, cfg.dvrConf, false);
    default:
        return result(upload ? cfg.uploadResultCode : cfg.commandResultCode);
    }
}

void Conn::oldCommand(const Request& r)
{
    std::unique_lock<std::mutex> lock(w->s->mutex);
    const Config cfg = w->s->config;
    lock.unlock();
    const int op = r.param("OP").toInt();
    Conn* c = r.hasParam("CID") ? w->findStream(r.param("CID").toInt()) : nullptr;
    switch (op) {
    case 5:  // stream stop
        if (r.hasParam("CID"))
            w->stopStream(r.param("CID").toInt(), cfg.closeOnStop);
        break;
    case 3:  // stream channels
    case 6:  // e-map channels
        if (c) {
            const uint32_t mask = r.param("CH").toUInt(nullptr, 16) & ChannelMask(cfg);
            if (c->info.audioOnly)
                c->info.achmask = mask & cfg.audioMask;
            else
                c->info.vchmask = mask;
            c->publish();
        }
        break;
    case 8:  // playback button
        if (c && c->info.mode == 1) {
            const int cmd = OldPbButtonToCmd(r.paramDecoded("REQ").toInt());
            if (cmd >= 0) {
                c->info.pbMode = ApplyPbCommand(c->info.pbMode, cmd);
                c->stepPending = cmd == cgi::PbControl::CMD_STEP_FORWARD || cmd == cgi::PbControl::CMD_STEP_REVERSE;
                c->publish();
            }
        }
        break;
    case 11: {  // recording on the DVR
        lock.lock();
        w->s->config.recordMask = w->s->config.recordMask ? 0 : ChannelMask(cfg);
        break;
    }
    default:
        break;
    }
}

QByteArray Conn::oldReply(Request& r, const Config& cfg)
{
    switch (r.mode) {
    case 5:
        oldCommand(r);
        return QByteArray();
    case 6: {
        const int cred = credentialCode(r, cfg);
        if (cred)
            return MakePacket(0, kOldResult, QByteArray(1, static_cast<char>(cred)), true);
        return DefaultOldInfoPage(cfg);
    }
    case 7: {
        const uint32_t now = cfg.dvrTime ? cfg.dvrTime : static_cast<uint32_t>(QDateTime::currentSecsSinceEpoch());
        const uint8_t cid = static_cast<uint8_t>(r.param("CID").toInt() & 0xFF);
        return MakePacket(cid, static_cast<uint8_t>(cfg.searchDataType), MakeOldSearchRecords(cfg.spans, now), true);
    }
    case 0:
    case 9:
    case 2:
        return MakePacket(0, kOldDvrRecord,
                          MakeOldDvrRecord(cfg.channels, static_cast<uint16_t>(ChannelMask(cfg)), ChannelNames(cfg)), true);
    default:
        return QByteArray();
    }
}

// --- SimServer ----------------------------------------------------------------------------

SimServer::SimServer(const Config& c) : config(c) {}

SimServer::~SimServer()
{
    stopServer();
}

StreamInfo* SimServer::findStream(int id)
{
    auto it = streams.find(id);
    return it == streams.end() ? nullptr : &it->second;
}

bool SimServer::startServer()
{
    {
        std::unique_lock<std::mutex> lock(mutex);
        if (running)
            return true;
    }
    if (m_thread.joinable())
        m_thread.join();
    {
        std::unique_lock<std::mutex> lock(mutex);
        m_started = false;
    }
    m_thread = std::thread([this] { run(); });
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [this] { return m_started; });
    running = m_listenOk;
    return m_listenOk;
}

void SimServer::stopServer()
{
    {
        std::unique_lock<std::mutex> lock(mutex);
        running = false;  // the DVR's thread sees it at its next tick
    }
    if (m_thread.joinable())
        m_thread.join();
}

void SimServer::post(std::function<void(Worker*)> f)
{
    std::unique_lock<std::mutex> lock(mutex);
    if (running)
        m_tasks.push_back(std::move(f));
}

bool SimServer::runTasks()
{
    std::deque<std::function<void(Worker*)>> tasks;
    Worker* worker;
    bool stop;
    {
        std::unique_lock<std::mutex> lock(mutex);
        tasks.swap(m_tasks);
        worker = m_worker;
        stop = !running;
    }
    if (!stop)
        for (auto& task : tasks)
            task(worker);
    return stop;
}

void SimServer::postLiveStatus()
{
    post([](Worker* w) { w->liveStatusChanged(); });
}

void SimServer::postPacket(uint8_t type, const QByteArray& payload)
{
    post([type, payload](Worker* w) { w->sendPacketAll(type, payload); });
}

void SimServer::postRaw(const QByteArray& bytes)
{
    post([bytes](Worker* w) { w->sendRawAll(bytes); });
}

void SimServer::postCloseStreams()
{
    post([](Worker* w) { w->closeAll(); });
}

void SimServer::run()
{
    uint16_t wanted;
    {
        std::unique_lock<std::mutex> lock(mutex);
        wanted = config.port;
    }
    {
        // The loop first: it gives this thread the event dispatcher that sockets and timers need.
        QEventLoop loop;
        Worker worker(this);
        worker.loop = &loop;
        const bool ok = worker.listen(wanted);
        {
            std::unique_lock<std::mutex> lock(mutex);
            m_listenOk = ok;
            port = ok ? worker.server.serverPort() : 0;
            m_worker = ok ? &worker : nullptr;
            running = ok;
            m_started = true;
            changed.notify_all();
        }
        if (ok)
            loop.exec();
        std::unique_lock<std::mutex> lock(mutex);
        m_worker = nullptr;
        m_tasks.clear();
    }
}

}  // namespace simdvr
