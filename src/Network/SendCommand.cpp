#include "SendCommand.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include "Common/DataParser.h"
#include "Common/ThreadCheck.h"
#include "StopTimings.h"

namespace {

// Packets of other kinds that a reply may hold before the DVR information.
constexpr int MAX_OTHER_PACKETS = 4;

}  // namespace

// One stream stop. Shared by every thread: a stream thread sends its stop, the next stream's
// thread waits for it or finds that it may still end that stream.
struct StopTicket {
    int stream = -1;       // the client id it stops
    qint64 sentMs = 0;     // on g_clock
    bool sent = false;     // its request has left; guarded by g_stopLock
    bool done = false;     // answered, failed or given up; likewise
    bool givenUp = false;  // ended at its time-out, unanswered; likewise
    quint64 serial = 0;    // names it where no owner of it may go: a request's progress slot
};

namespace {

std::mutex g_stopLock;
std::condition_variable g_stopDone;
QElapsedTimer g_clock;  // started once, under g_stopLock

// What the program knows of one DVR's stops, by queue key; guarded by g_stopLock.
struct DvrStops {
    std::vector<std::shared_ptr<StopTicket>> open;     // not done
    // Given up: the DVR may still carry them out, up to StopTimings::lateMs after they went.
    std::vector<std::shared_ptr<StopTicket>> givenUp;
    // A stop of this DVR ended a newer stream of the same client id: its new streams wait
    // for its stops from now on.
    bool lateStopsHurt = false;
};
std::map<std::string, DvrStops> g_stops;

// Under g_stopLock.
qint64 ClockMs()
{
    if (!g_clock.isValid())
        g_clock.start();
    return g_clock.elapsed();
}

// The waits running the application thread's event loop, woken as the cv wakes the others.
std::vector<QEventLoop*> g_loopWaiters;  // guarded by g_stopLock

// Under g_stopLock.
void WakeLoopWaiters()
{
    for (QEventLoop* loop : g_loopWaiters)
        QMetaObject::invokeMethod(loop, &QEventLoop::quit, Qt::QueuedConnection);
}

void WakeAllWaiters()
{
    std::lock_guard<std::mutex> lock(g_stopLock);
    WakeLoopWaiters();
    g_stopDone.notify_all();
}

std::shared_ptr<StopTicket> RegisterStop(const std::string& key, int stream)
{
    static quint64 lastSerial = 0;
    auto ticket = std::make_shared<StopTicket>();
    ticket->stream = stream;
    std::lock_guard<std::mutex> lock(g_stopLock);
    ticket->serial = ++lastSerial;
    ticket->sentMs = ClockMs();
    g_stops[key].open.push_back(ticket);
    return ticket;
}

// Another owner of a ticket that may come from another thread: under the lock its sender
// registered it under, so that the thread checker sees the hand-over.
std::shared_ptr<StopTicket> SharedTicket(const std::shared_ptr<StopTicket>& ticket)
{
    std::lock_guard<std::mutex> lock(g_stopLock);
    return ticket;
}

// By serial: the slot that tells it may be destroyed on Qt's network thread, which must not
// let go of a ticket (its last owner would free it there, unordered with this thread).
void MarkStopSent(const QString& key, quint64 serial)
{
    std::lock_guard<std::mutex> lock(g_stopLock);
    auto it = g_stops.find(key.toStdString());
    if (it == g_stops.end())
        return;
    for (const auto* list : {&it->second.open, &it->second.givenUp}) {
        for (const auto& ticket : *list) {
            if (ticket->serial == serial)
                ticket->sent = true;
        }
    }
    WakeLoopWaiters();
    g_stopDone.notify_all();
}

// Under g_stopLock: forgets the given-up stops that can no longer strike.
void DropStaleStops(DvrStops& stops)
{
    const qint64 oldest = ClockMs() - StopTimings::current().lateMs;
    auto& list = stops.givenUp;
    list.erase(std::remove_if(list.begin(), list.end(), [oldest](const auto& t) { return t->sentMs < oldest; }),
               list.end());
}

void FinishStop(const std::string& key, const std::shared_ptr<StopTicket>& ticket, bool givenUp = false)
{
    if (!ticket)
        return;
    std::lock_guard<std::mutex> lock(g_stopLock);
    ticket->sent = true;
    ticket->done = true;
    ticket->givenUp = givenUp;
    auto it = g_stops.find(key);
    if (it != g_stops.end()) {
        auto& list = it->second.open;
        list.erase(std::remove(list.begin(), list.end(), ticket), list.end());
        DropStaleStops(it->second);
        if (givenUp)
            it->second.givenUp.push_back(ticket);
    }
    WakeLoopWaiters();
    g_stopDone.notify_all();
}

bool OnApplicationThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

// Runs the application thread's event loop, without user input, until done() holds or
// timeoutMs passed; sleeps between wake-ups. True when done() held.
bool WaitOnApplicationThread(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (done())
            return true;
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0)
            return false;
        QEventLoop loop;
        {
            std::lock_guard<std::mutex> lock(g_stopLock);
            g_loopWaiters.push_back(&loop);
        }
        QTimer bound;
        bound.setSingleShot(true);
        bound.setTimerType(Qt::PreciseTimer);
        QObject::connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);
        bound.start(int(left));
        // Rechecked with the waiter registered: a wake-up before this point is not lost.
        if (!done())
            loop.exec(QEventLoop::ExcludeUserInputEvents);
        std::lock_guard<std::mutex> lock(g_stopLock);
        g_loopWaiters.erase(std::remove(g_loopWaiters.begin(), g_loopWaiters.end(), &loop), g_loopWaiters.end());
    }
}

struct Entry {
    DVR dvr;
    QString query;
    bool repeat = false;
    QPointer<CSendCommand> owner;
    int timeoutMs = CSendCommand::DEFAULT_REQUEST_TIMEOUT_MS;
    std::shared_ptr<StopTicket> ticket;
    CommandSubject subject;
    // A turn: another request's place in the order rather than a command.
    quint64 turn = 0;
    bool hold = false;
    std::function<void(quint64)> start;

    bool isCommand() const { return turn == 0; }
};

// One posted command and its reply.
struct Flight : QObject {
    Entry entry;
    QPointer<QNetworkReply> reply;
    QTimer timer;
    bool timedOut = false;
    // What the reply has shown so far; kept across its chunks, so a packet cut by a chunk
    // boundary is still found.
    CDataParser parser;
    int otherPackets = 0;
    bool examined = false;
};

// The commands of one DVR: the ordered one in flight (or the held turn of an upload), the
// stops in flight beside it, and what waits.
struct DvrQueue {
    std::string key;
    std::deque<Entry> waiting;
    Flight* current = nullptr;
    quint64 heldTurn = 0;
    std::vector<Flight*> stops;

    bool busy() const { return current || heldTurn; }
    bool idle() const { return !busy() && stops.empty() && waiting.empty(); }
};

// Every DVR's queue. Lives on the application's thread, owned by the application.
class CommandQueues : public QObject {
public:
    // Null without an application; only on the application's thread.
    static CommandQueues* instance();

    ~CommandQueues() override;

    void enqueue(Entry entry);
    void dropRepeats(const CSendCommand* owner);
    void endTurn(quint64 turn);
    int pendingFor(const CSendCommand* owner) const;
    bool idle() const;

private:
    CommandQueues() : m_manager(this) {}

    DvrQueue& queue(const std::string& key);
    bool hasRepeatOf(const CSendCommand* owner) const;
    void sendStop(DvrQueue& q, Entry entry);
    void postNext(DvrQueue& q);
    Flight* post(DvrQueue& q, Entry entry);
    void OnHttpFinished(DvrQueue& q, Flight* f, QNetworkReply* reply);
    void OnHttpReadyRead(Flight* f, QNetworkReply* reply);
    void OnHttpError(QNetworkReply::NetworkError code);
    void OnRequestTimeout(Flight* f);

    QNetworkAccessManager m_manager;
    std::map<std::string, std::unique_ptr<DvrQueue>> m_queues;
};

QPointer<CommandQueues> g_queues;  // touched only on the application's thread
quint64 g_lastTurn = 0;            // likewise

CommandQueues* CommandQueues::instance()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || !OnApplicationThread())
        return nullptr;
    if (!g_queues) {
        // Owned by the application, so every command outlives its sender; it goes first
        // thing when the application object is destroyed.
        g_queues = new CommandQueues;
        g_queues->setParent(app);
        qAddPostRoutine([]() { delete g_queues.data(); });
    }
    return g_queues;
}

CommandQueues::~CommandQueues()
{
    for (auto& [key, q] : m_queues) {
        std::vector<Flight*> flights = q->stops;
        if (q->current)
            flights.push_back(q->current);
        for (Flight* f : flights) {
            f->timer.stop();
            if (f->reply)
                f->reply->disconnect(this);
            FinishStop(key, f->entry.ticket);
            delete f;
        }
        for (const Entry& e : q->waiting)
            FinishStop(key, e.ticket);
    }
    // A reply still open may have the network thread waiting on this thread (a DVR that
    // closed the connection makes it rewind the request to send it again), and no event loop
    // runs any more: going, the reply lets that thread go before the cache waits for it.
    for (QNetworkReply* reply : m_manager.findChildren<QNetworkReply*>(Qt::FindDirectChildrenOnly)) {
        reply->disconnect(this);
        reply->abort();
        delete reply;
    }
    // Kept-alive connections live on the network layer's own thread; left to the
    // application's teardown they are never freed.
    m_manager.clearConnectionCache();
}

DvrQueue& CommandQueues::queue(const std::string& key)
{
    std::unique_ptr<DvrQueue>& q = m_queues[key];
    if (!q) {
        q = std::make_unique<DvrQueue>();
        q->key = key;
    }
    return *q;
}

bool CommandQueues::hasRepeatOf(const CSendCommand* owner) const
{
    const auto mine = [owner](const Entry& e) { return e.repeat && e.owner == owner; };
    return std::any_of(m_queues.begin(), m_queues.end(), [&](const auto& kv) {
        const DvrQueue& q = *kv.second;
        return (q.current && mine(q.current->entry)) || std::any_of(q.waiting.begin(), q.waiting.end(), mine);
    });
}

void CommandQueues::enqueue(Entry entry)
{
    DvrQueue& q = queue(CSendCommand::QueueKey(entry.dvr).toStdString());
    if (entry.ticket) {
        sendStop(q, std::move(entry));
        return;
    }
    if (entry.repeat && hasRepeatOf(entry.owner))
        return;
    const CommandSubject& s = entry.subject;
    if (entry.isCommand() && s.supersedes && !s.topic.isEmpty()) {
        q.waiting.erase(std::remove_if(q.waiting.begin(), q.waiting.end(),
                                       [&s](const Entry& e) {
                                           return e.isCommand() && e.subject.stream == s.stream
                                                  && e.subject.topic == s.topic;
                                       }),
                        q.waiting.end());
    }
    q.waiting.push_back(std::move(entry));
    postNext(q);
}

void CommandQueues::sendStop(DvrQueue& q, Entry entry)
{
    // What waits for the stream would reach a stream that is gone, or the next one that
    // got its id.
    const int stream = entry.subject.stream;
    if (stream >= 0)
        q.waiting.erase(std::remove_if(q.waiting.begin(), q.waiting.end(),
                                       [stream](const Entry& e) { return e.isCommand() && e.subject.stream == stream; }),
                        q.waiting.end());
    q.stops.push_back(post(q, std::move(entry)));
}

void CommandQueues::dropRepeats(const CSendCommand* owner)
{
    for (auto& [key, q] : m_queues)
        q->waiting.erase(std::remove_if(q->waiting.begin(), q->waiting.end(),
                                        [owner](const Entry& e) { return e.repeat && e.owner == owner; }),
                         q->waiting.end());
}

void CommandQueues::endTurn(quint64 turn)
{
    for (auto& [key, q] : m_queues) {
        const auto it = std::find_if(q->waiting.begin(), q->waiting.end(), [turn](const Entry& e) { return e.turn == turn; });
        if (q->heldTurn == turn)
            q->heldTurn = 0;
        else if (it != q->waiting.end())
            q->waiting.erase(it);
        else
            continue;
        postNext(*q);
        WakeAllWaiters();
        return;
    }
}

int CommandQueues::pendingFor(const CSendCommand* owner) const
{
    int n = 0;
    for (const auto& [key, q] : m_queues) {
        if (q->current && q->current->entry.owner == owner)
            ++n;
        n += static_cast<int>(std::count_if(q->waiting.begin(), q->waiting.end(),
                                            [owner](const Entry& e) { return e.isCommand() && e.owner == owner; }));
    }
    return n;
}

bool CommandQueues::idle() const
{
    return std::all_of(m_queues.begin(), m_queues.end(), [](const auto& kv) { return kv.second->idle(); });
}

void CommandQueues::postNext(DvrQueue& q)
{
    while (!q.busy() && !q.waiting.empty()) {
        Entry next = std::move(q.waiting.front());
        q.waiting.pop_front();
        if (next.isCommand()) {
            q.current = post(q, std::move(next));
            return;
        }
        if (next.hold)
            q.heldTurn = next.turn;
        // May end its turn at once; the loop looks at the queue afresh.
        next.start(next.turn);
    }
}

Flight* CommandQueues::post(DvrQueue& q, Entry entry)
{
    auto* f = new Flight;
    f->entry = std::move(entry);
    f->timer.setSingleShot(true);
    connect(&f->timer, &QTimer::timeout, this, [this, f] { OnRequestTimeout(f); });

    const QString url = CSendCommand::CgiUrl(f->entry.dvr);
    const QByteArray body = f->entry.query.toLatin1();
    QNetworkRequest request{QUrl(url)};
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/x-www-form-urlencoded"));
    request.setHeader(QNetworkRequest::ContentLengthHeader, QByteArray::number(body.size()));

    QNetworkReply* reply = m_manager.post(request, body);
    f->reply = reply;
    DvrQueue* raw = &q;
    connect(reply, &QNetworkReply::finished, this, FreedAnywhere([this, raw, f, reply] { OnHttpFinished(*raw, f, reply); }));
    connect(reply, &QIODevice::readyRead, this, FreedAnywhere([this, f, reply] { OnHttpReadyRead(f, reply); }));
    if (const std::shared_ptr<StopTicket> ticket = SharedTicket(f->entry.ticket)) {
        const QString key = CSendCommand::QueueKey(f->entry.dvr);
        const quint64 serial = ticket->serial;
        connect(reply, &QNetworkReply::uploadProgress, this, FreedAnywhere([key, serial](qint64 sent, qint64 total) {
                    if (total > 0 && sent == total)
                        MarkStopSent(key, serial);
                }));
    }
    connect(reply, &QNetworkReply::errorOccurred, this,
            FreedAnywhere([this](QNetworkReply::NetworkError code) { OnHttpError(code); }));
    f->timer.start(f->entry.timeoutMs);
    qDebug("%s%s", qPrintable(url), qPrintable(MaskQueryCredentials(f->entry.query)));
    return f;
}

void CommandQueues::OnHttpFinished(DvrQueue& q, Flight* f, QNetworkReply* reply)
{
    qDebug("sendcommand httpFinished");
    reply->deleteLater();
    if (reply != f->reply)
        return;
    const bool givenUp = f->timedOut;
    const QNetworkReply::NetworkError error = givenUp ? QNetworkReply::TimeoutError : reply->error();
    const Entry done = std::move(f->entry);
    f->timer.stop();
    f->reply = nullptr;
    if (q.current == f)
        q.current = nullptr;
    q.stops.erase(std::remove(q.stops.begin(), q.stops.end(), f), q.stops.end());
    // Its time-out may be what is finishing it.
    f->deleteLater();
    FinishStop(q.key, done.ticket, givenUp);
    postNext(q);
    WakeAllWaiters();
    // Last: a receiver may run an event loop that comes back here.
    if (CSendCommand* owner = done.owner)
        emit owner->commandFinished(done.query, error);
}

void CommandQueues::OnHttpReadyRead(Flight* f, QNetworkReply* reply)
{
    qDebug("sendcommand OnHttpReadyRead");
    const QByteArray bytes = reply->readAll();
    if (reply != f->reply || f->examined)
        return;

    const char* data = bytes.constData();
    unsigned int size = static_cast<unsigned int>(bytes.size());
    const bool bigEndian = f->entry.dvr.old_protocol();
    while (f->parser.setReceivedData(bigEndian, data, size)) {
        data = nullptr;
        size = 0;
        if (f->parser.getDataType() == cgi::DATA_DVR_INFO) {
            const std::vector<char>& payload = f->parser.getResultData();
            cgi::DvrInfo info;
            info.ParseFromArray(payload.data(), static_cast<int>(payload.size()));
            f->examined = true;
            const QPointer<CSendCommand> owner = f->entry.owner;
            // The command is over: the abort finishes it and lets the next one go, before any
            // receiver of the names can run an event loop that frees the reply.
            reply->abort();
            if (owner)
                emit owner->receivedCameraName(info);
            return;
        }
        if (++f->otherPackets >= MAX_OTHER_PACKETS) {
            // No names will come: a DVR that keeps the reply open must not hold the queue.
            f->examined = true;
            reply->abort();
            return;
        }
    }
}

void CommandQueues::OnHttpError(QNetworkReply::NetworkError code)
{
    qDebug("OnHttpError");
    qDebug("%s", qPrintable(NetworkErrorName(code)));
}

void CommandQueues::OnRequestTimeout(Flight* f)
{
    qDebug("sendcommand request timeout");
    f->timedOut = true;
    if (f->reply)
        f->reply->abort();  // finishes the reply, which posts the next command
}

// Carries an entry to the application's thread.
void EnqueueFromAnyThread(Entry entry)
{
    if (OnApplicationThread()) {
        if (CommandQueues* queues = CommandQueues::instance())
            queues->enqueue(std::move(entry));
        else
            FinishStop(CSendCommand::QueueKey(entry.dvr).toStdString(), entry.ticket);
        return;
    }
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        FinishStop(CSendCommand::QueueKey(entry.dvr).toStdString(), entry.ticket);
        return;
    }
    // The DVR crosses as Qt-owned bytes, and what else the entry holds leaves the DVR's
    // buffers here: nothing this thread allocated is freed on the other.
    const QByteArray dvrBytes = QByteArray::fromStdString(entry.dvr.SerializePartialAsString());
    DVR local;
    entry.dvr.Swap(&local);
    QMetaObject::invokeMethod(
        app,
        [dvrBytes, carried = std::move(entry)]() mutable {
            carried.dvr.ParsePartialFromArray(dvrBytes.constData(), static_cast<int>(dvrBytes.size()));
            EnqueueFromAnyThread(std::move(carried));
        },
        Qt::QueuedConnection);
}

}  // namespace

CommandSubject CommandSubject::StreamChannel(int stream) { return {stream, QStringLiteral("channels"), true}; }

CommandSubject CommandSubject::PtzMove(int channel) { return {-1, QStringLiteral("ptz %1").arg(channel), true}; }

CommandSubject CommandSubject::PtzStop(int channel) { return {-1, QStringLiteral("ptz %1").arg(channel), false}; }

CSendCommand::CSendCommand(QObject* parent) : QObject(parent) {}

// Its commands stay queued: they are sent without anyone to report to.
CSendCommand::~CSendCommand() = default;

QString CSendCommand::CgiUrl(const DVR& dvr)
{
    return QStringLiteral("http://%1:%2/cgi-bin/webapp.cgi?")
        .arg(QString::fromStdString(dvr.address()))
        .arg(dvr.port());
}

QString CSendCommand::QueueKey(const DVR& dvr)
{
    return QueueKey(QString::fromStdString(dvr.address()), static_cast<int>(dvr.port()));
}

QString CSendCommand::QueueKey(const QString& address, int port)
{
    return address.trimmed().toLower() + QLatin1Char(':') + QString::number(port);
}

void CSendCommand::send(const DVR& dvr, const QString& query, const CommandSubject& subject)
{
    enqueue(dvr, query, false, subject);
}

void CSendCommand::sendRepeat(const DVR& dvr, const QString& query, const CommandSubject& subject)
{
    enqueue(dvr, query, true, subject);
}

void CSendCommand::enqueue(const DVR& dvr, const QString& query, bool repeat, const CommandSubject& subject)
{
    Entry entry;
    entry.dvr = dvr;
    entry.query = query;
    entry.repeat = repeat;
    entry.owner = this;
    entry.timeoutMs = m_timeoutMs;
    entry.subject = subject;
    EnqueueFromAnyThread(std::move(entry));
}

void CSendCommand::dropQueuedRepeats()
{
    if (CommandQueues* queues = CommandQueues::instance())
        queues->dropRepeats(this);
}

int CSendCommand::pendingCount() const
{
    const CommandQueues* queues = CommandQueues::instance();
    return queues ? queues->pendingFor(this) : 0;
}

void CSendCommand::sendStreamStop(const DVR& dvr, const QString& query, int stream)
{
    Entry entry;
    entry.dvr = dvr;
    entry.query = query;
    entry.ticket = RegisterStop(QueueKey(dvr).toStdString(), stream);
    entry.subject.stream = stream;
    entry.timeoutMs = StopTimings::current().answerMs;
    EnqueueFromAnyThread(std::move(entry));
}

namespace {

// Blocks until done(ticket) holds for every stream stop sent to the DVR before this call, at
// most timeoutMs, or until *cancel is set; the tickets waited for.
std::vector<std::shared_ptr<StopTicket>> WaitForStops(const DVR& dvr, bool (*done)(const StopTicket&), int timeoutMs,
                                                      const std::atomic<bool>* cancel)
{
    std::vector<std::shared_ptr<StopTicket>> tickets;
    {
        std::lock_guard<std::mutex> lock(g_stopLock);
        auto it = g_stops.find(CSendCommand::QueueKey(dvr).toStdString());
        if (it != g_stops.end())
            tickets = it->second.open;
    }
    // Under g_stopLock.
    const auto allDone = [&tickets, done] {
        return std::all_of(tickets.begin(), tickets.end(), [done](const auto& t) { return done(*t); });
    };
    const auto cancelled = [cancel] { return cancel && cancel->load(); };
    if (OnApplicationThread()) {
        WaitOnApplicationThread(
            [&] {
                std::lock_guard<std::mutex> lock(g_stopLock);
                return allDone() || cancelled();
            },
            timeoutMs);
    } else {
        std::unique_lock<std::mutex> lock(g_stopLock);
        g_stopDone.wait_for(lock, std::chrono::milliseconds(std::max(timeoutMs, 0)),
                            [&] { return allDone() || cancelled(); });
    }
    return tickets;
}

}  // namespace

bool CSendCommand::waitForStreamStops(const DVR& dvr, int timeoutMs, const std::atomic<bool>* cancel)
{
    const auto tickets = WaitForStops(dvr, [](const StopTicket& t) { return t.done; }, timeoutMs, cancel);
    std::lock_guard<std::mutex> lock(g_stopLock);
    return std::all_of(tickets.begin(), tickets.end(), [](const auto& t) { return t->done && !t->givenUp; });
}

void CSendCommand::waitForStreamStopsSent(const DVR& dvr, int timeoutMs, const std::atomic<bool>* cancel)
{
    WaitForStops(dvr, [](const StopTicket& t) { return t.sent; }, timeoutMs, cancel);
}

bool CSendCommand::hasUnansweredStreamStops(const DVR& dvr)
{
    std::lock_guard<std::mutex> lock(g_stopLock);
    auto it = g_stops.find(QueueKey(dvr).toStdString());
    return it != g_stops.end() && !it->second.open.empty();
}

bool CSendCommand::lateStopsHurt(const DVR& dvr)
{
    std::lock_guard<std::mutex> lock(g_stopLock);
    auto it = g_stops.find(QueueKey(dvr).toStdString());
    return it != g_stops.end() && it->second.lateStopsHurt;
}

CPendingStops CSendCommand::pendingStops(const DVR& dvr, int stream)
{
    CPendingStops pending;
    pending.m_key = QueueKey(dvr).toStdString();
    std::lock_guard<std::mutex> lock(g_stopLock);
    auto it = g_stops.find(pending.m_key);
    if (it == g_stops.end())
        return pending;
    DropStaleStops(it->second);
    for (const auto* list : {&it->second.open, &it->second.givenUp})
        for (const auto& ticket : *list)
            if (stream < 0 || ticket->stream == stream)
                pending.m_tickets.push_back(ticket);
    return pending;
}

CPendingStops::Outcome CPendingStops::streamEnded()
{
    if (m_tickets.empty())
        return Outcome::None;
    std::lock_guard<std::mutex> lock(g_stopLock);
    DvrStops& stops = g_stops[m_key];
    stops.lateStopsHurt = true;
    bool givenUp = false;
    for (const auto& ticket : m_tickets) {
        givenUp = givenUp || ticket->givenUp;
        // Carried out now: it ends no other stream.
        auto& list = stops.givenUp;
        list.erase(std::remove(list.begin(), list.end(), ticket), list.end());
    }
    m_tickets.clear();
    return givenUp ? Outcome::BeyondTheWait : Outcome::WithinTheWait;
}

void CSendCommand::forgetLateStops()
{
    std::lock_guard<std::mutex> lock(g_stopLock);
    for (auto& [key, stops] : g_stops) {
        stops.lateStopsHurt = false;
        stops.givenUp.clear();
    }
}

void CSendCommand::wakeStopWaiters() { WakeAllWaiters(); }

bool CSendCommand::waitForAllCommands(int timeoutMs)
{
    if (!OnApplicationThread())
        return false;
    return WaitOnApplicationThread(
        [] {
            const CommandQueues* queues = g_queues.data();
            return !queues || queues->idle();
        },
        timeoutMs);
}

quint64 CSendCommand::queueTurn(const QString& address, int port, std::function<void(quint64)> start, bool hold)
{
    CommandQueues* queues = CommandQueues::instance();
    if (!queues) {
        start(0);
        return 0;
    }
    Entry entry;
    entry.dvr.set_address(address.toStdString());
    entry.dvr.set_port(port);
    entry.turn = ++g_lastTurn;
    entry.hold = hold;
    entry.start = std::move(start);
    const quint64 turn = entry.turn;
    queues->enqueue(std::move(entry));
    return turn;
}

void CSendCommand::endTurn(quint64 turn)
{
    if (turn == 0)
        return;
    if (CommandQueues* queues = CommandQueues::instance())
        queues->endTurn(turn);
}

QString MaskQueryCredentials(const QString& query)
{
    QStringList items = query.split(QLatin1Char('&'));
    for (QString& item : items) {
        const int eq = item.indexOf(QLatin1Char('='));
        const QStringView key = QStringView(item).left(eq);
        if (eq > 0 && (key == u"USER" || key == u"ID" || key == u"PW"))
            item = item.left(eq + 1) + QLatin1String("***");
    }
    return items.join(QLatin1Char('&'));
}

QString NetworkErrorName(QNetworkReply::NetworkError code)
{
    switch (code) {
    case QNetworkReply::NoError: return QStringLiteral("NoError");
    case QNetworkReply::ConnectionRefusedError: return QStringLiteral("ConnectionRefusedError");
    case QNetworkReply::RemoteHostClosedError: return QStringLiteral("RemoteHostClosedError");
    case QNetworkReply::HostNotFoundError: return QStringLiteral("HostNotFoundError");
    case QNetworkReply::TimeoutError: return QStringLiteral("TimeoutError");
    case QNetworkReply::OperationCanceledError: return QStringLiteral("OperationCanceledError");
    default: return QStringLiteral("http Error code = %1").arg(int(code));
    }
}
