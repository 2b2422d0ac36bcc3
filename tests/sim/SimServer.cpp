// The simulated DVR's sockets: a Worker on the DVR's own thread accepts connections; each
// Conn reads one request and then either streams packets until it is closed or writes one
// HTTP reply and closes.
#include "sim/SimConn.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QtEndian>

#include <algorithm>

#include "cgi_request.pb.h"

namespace simdvr {

namespace {

// The bytes of the first `count` whole packets of a body (all of it when it holds fewer).
int PacketsSize(const QByteArray& body, int count, bool bigEndian)
{
    int pos = 0;
    for (int i = 0; i < count && pos + 10 <= body.size(); ++i) {
        const auto* len = reinterpret_cast<const uchar*>(body.constData() + pos + 6);
        const quint32 n = bigEndian ? qFromBigEndian<quint32>(len) : qFromLittleEndian<quint32>(len);
        pos = int(std::min<qint64>(body.size(), qint64(pos) + 14 + n));
    }
    return std::min(pos, int(body.size()));
}

bool IsStreamStop(const Request& r)
{
    if (r.oldProtocol)
        return r.mode == 5 && r.param("OP").toInt() == 5;
    return r.mode == cgi::MODE_STREAM_STOP;
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

}  // namespace

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
        c->holding = false;  // the connections outlive our members: settled here
    }
    s->heldRequests = 0;
    s->changed.notify_all();
    // The connections are children and go with us.
}

bool Worker::listen(uint16_t port)
{
    if (!server.listen(QHostAddress::LocalHost, port))
        return false;
    boundPort = server.serverPort();
    tick.start();
    return true;
}

void Worker::setRefusing(bool refusing)
{
    if (!refusing) {
        if (!server.isListening() && !server.listen(QHostAddress::LocalHost, boundPort))
            qWarning("simulated DVR: cannot listen on port %u again: %s", boundPort,
                     qPrintable(server.errorString()));
        return;
    }
    server.close();
    for (Conn* c : std::set<Conn*>(conns)) {  // each close comes synchronously
        // A DVR going away forgets what it was about to do.
        c->holdTimer.stop();
        c->endHold();
        if (c->closed) {  // a held request whose client is already gone
            connClosed(c);
            c->deleteLater();
            continue;
        }
        if (c->isStream) {
            c->info.closedBySim = true;
            c->closing = true;
            c->publish();
        }
        c->sock->abort();
    }
}

void Worker::releaseHeld()
{
    for (Conn* c : std::set<Conn*>(conns))
        if (c->holding) {
            c->holdTimer.stop();
            c->release();
        }
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

void Worker::releaseSlot(int streamId)
{
    auto it = heldSlots.find(streamId);
    if (it == heldSlots.end())
        return;
    const int clientId = it->second;
    heldSlots.erase(it);
    for (const auto& slot : heldSlots)
        if (slot.second == clientId)
            return;  // a reused id still held by another stream
    usedClientIds.erase(clientId);
}

void Worker::stopStream(int clientId, bool close)
{
    if (Conn* c = findStream(clientId)) {
        c->info.stopped = true;
        releaseSlot(c->info.id);
        c->publish();
        if (close) {
            c->info.closedBySim = true;
            c->closing = true;
            c->publish();
            c->sock->abort();
        }
        return;
    }
    // The newest closed stream of that id, as for open ones.
    for (auto it = heldSlots.rbegin(); it != heldSlots.rend(); ++it) {
        if (it->second != clientId)
            continue;
        const int streamId = it->first;
        std::unique_lock<std::mutex> lock(s->mutex);
        if (StreamInfo* st = s->findStream(streamId))
            st->stopped = true;
        s->changed.notify_all();
        lock.unlock();
        releaseSlot(streamId);
        return;
    }
}

void Worker::liveStatusChanged()
{
    for (Conn* c : std::set<Conn*>(conns))  // a close may come synchronously
        if (c->streaming() && !c->info.oldProtocol && c->info.mode == 0) {
            c->sendStatus();
            c->publish();
        }
}

void Worker::sendPacketAll(uint8_t type, const QByteArray& payload)
{
    for (Conn* c : std::set<Conn*>(conns))  // a close may come synchronously
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
    for (Conn* c : std::set<Conn*>(conns))  // a close may come synchronously
        if (c->streaming()) {
            c->write(bytes, false);
            c->info.bytes += bytes.size();
            c->publish();
        }
}

void Worker::closeAll(int id)
{
    for (Conn* c : std::set<Conn*>(conns))
        if (c->isStream && !c->closed && (id == 0 || c->info.id == id)) {
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
    holdTimer.setSingleShot(true);
    holdTimer.setTimerType(Qt::PreciseTimer);
    connect(&holdTimer, &QTimer::timeout, this, [this] { release(); });
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
    endHold();
}

void Conn::endHold()
{
    if (!holding)
        return;
    holding = false;
    std::unique_lock<std::mutex> lock(w->s->mutex);
    w->s->heldRequests--;
    w->s->changed.notify_all();
}

void Conn::release()
{
    endHold();
    answer();
    if (closed) {
        w->connClosed(this);
        deleteLater();
    }
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
            arrived();
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
    arrived();
}

void Conn::arrived()
{
    pending.arrivalMs = CSimDvr::nowMs();
    if (pending.transport == Transport::Upload) {
        malformed = !ParseMultipart(&pending);
        if (malformed)
            pending.params.clear();
    } else if (pending.transport == Transport::Post) {
        pending.query = pending.body;
        DecodeParams(&pending);
    } else {
        DecodeParams(&pending);
    }

    std::unique_lock<std::mutex> lock(w->s->mutex);
    pending.seq = w->s->nextRequestSeq++;
    if (pending.transport == Transport::Stream && pending.pathOk) {
        const Config cfg = w->s->config;
        const Misbehaviour mis = w->s->mis;
        lock.unlock();
        startStream(pending, cfg, mis);
        return;
    }
    Misbehaviour& mis = w->s->mis;
    const bool oneShot = pending.transport != Transport::Stream && pending.transport != Transport::Other;
    const bool lateStop = oneShot && mis.stopDelayMs != 0 && IsStreamStop(pending);
    if (!oneShot || (mis.holdRequests == 0 && !lateStop)) {
        lock.unlock();
        answer();
        return;
    }
    // Logged now, acted on and answered once the hold ends.
    int ms = mis.stopDelayMs;
    if (!lateStop) {
        if (mis.holdRequests > 0)
            --mis.holdRequests;
        ms = mis.holdMs;
    }
    holding = true;
    w->s->heldRequests++;
    w->s->requests.push_back(pending);
    logged = true;
    w->s->changed.notify_all();
    lock.unlock();
    if (ms >= 0)
        holdTimer.start(ms);
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
        if (!keep || info.stopped)
            w->releaseSlot(info.id);
        publish();
    }
    if (holding) {
        std::unique_lock<std::mutex> lock(w->s->mutex);
        for (Request& r : w->s->requests)
            if (r.seq == pending.seq)
                r.hungUpMs = CSimDvr::nowMs();
        w->s->changed.notify_all();
        return;  // a DVR that read the request still carries it out; it goes then
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

void Conn::answer()
{
    std::unique_lock<std::mutex> lock(w->s->mutex);
    const Config cfg = w->s->config;
    const Misbehaviour mis = w->s->mis;
    lock.unlock();

    QByteArray response;
    bool drop = mis.replyDrop;
    if (pending.transport == Transport::Stream || pending.transport == Transport::Other) {
        drop = true;  // a malformed request gets no answer
    } else if (bodyLength < 0) {
        response = HttpResponse(411, QByteArray());
    } else if (!pending.pathOk) {
        response = HttpResponse(404, QByteArray());
    } else if (malformed) {
        response = HttpResponse(400, QByteArray());
    } else {
        QByteArray body = replyBody(pending, cfg);
        if (pending.transport == Transport::Post)
            body.prepend(leadPackets(mis.replyLeadPackets, cfg));
        response = HttpResponse(200, body) + body;
    }
    // After acting on it: whoever sees it in the log sees its effect too.
    const bool unanswered = mis.stopsUnanswered && IsStreamStop(pending);
    lock.lock();
    pending.carriedOutMs = CSimDvr::nowMs();
    pending.answeredMs = unanswered ? -1 : pending.carriedOutMs;
    if (!logged)
        w->s->requests.push_back(pending);
    else
        for (Request& r : w->s->requests)
            if (r.seq == pending.seq) {
                r.answeredMs = pending.answeredMs;
                r.carriedOutMs = pending.carriedOutMs;
            }
    w->s->changed.notify_all();
    lock.unlock();
    logged = true;

    if (closed || unanswered)
        return;  // its client hung up during the hold, or the reply is lost
    if (drop) {
        sock->abort();
        return;
    }
    if (mis.replyStall) {
        const int headEnd = response.indexOf("\r\n\r\n") + 4;
        const int bodySize = response.size() - headEnd;
        const int kept = mis.replyStallAfterPackets < 0
                             ? bodySize / 2
                             : PacketsSize(response.mid(headEnd), mis.replyStallAfterPackets, pending.oldProtocol);
        write(response.left(headEnd + kept), false);
        return;  // held open until the client gives up
    }
    write(response, mis.replySplit);
    closeWhenDrained();
}

QByteArray Conn::leadPackets(int count, const Config& cfg) const
{
    QByteArray out;
    for (int i = 0; i < count; ++i) {
        if (pending.oldProtocol) {
            out += MakePacket(0, kOldResult, QByteArray(1, '\0'), true);
            continue;
        }
        out += MakePacket(0, cgi::DATA_LIVE_STATUS, Serialized(LiveStatusOf(cfg)), false);
    }
    return out;
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
        changed.notify_all();
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

void SimServer::postCloseStreams(int id)
{
    post([id](Worker* w) { w->closeAll(id); });
}

void SimServer::postAndWait(std::function<void(Worker*)> f)
{
    auto done = std::make_shared<bool>(false);
    post([this, f, done](Worker* w) {
        f(w);
        std::unique_lock<std::mutex> lock(mutex);
        *done = true;
        changed.notify_all();
    });
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [&] { return *done || !running; });
}

void SimServer::setRefusing(bool refusing)
{
    postAndWait([refusing](Worker* w) { w->setRefusing(refusing); });
}

void SimServer::releaseHeld()
{
    postAndWait([](Worker* w) { w->releaseHeld(); });
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
