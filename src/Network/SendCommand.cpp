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
#include "StopLedger.h"
#include "StopTimings.h"

namespace {

// Packets of other kinds that a reply may hold before the DVR information.
constexpr int MAX_OTHER_PACKETS = 4;

}  // namespace

namespace {

// The waits running the application thread's event loop, woken as the ledger changes.
std::mutex g_waiterLock;
std::vector<QEventLoop*> g_loopWaiters;  // guarded by g_waiterLock

void WakeLoopWaiters()
{
    std::lock_guard<std::mutex> lock(g_waiterLock);
    for (QEventLoop* loop : g_loopWaiters)
        QMetaObject::invokeMethod(loop, &QEventLoop::quit, Qt::QueuedConnection);
}

CStopLedger& Ledger()
{
    static CStopLedger& ledger = [] () -> CStopLedger& {
        CStopLedger::shared().setOnChange(&WakeLoopWaiters);
        return CStopLedger::shared();
    }();
    return ledger;
}

void WakeAllWaiters() { Ledger().wake(); }

// The end of a stop's request, told to the ledger once.
void FinishStop(const std::string& key, uint64_t stop, bool answered = false)
{
    if (stop == 0)
        return;
    if (answered)
        Ledger().stopAnswered(key, stop);
    else
        Ledger().stopUnanswered(key, stop);
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
            std::lock_guard<std::mutex> lock(g_waiterLock);
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
        std::lock_guard<std::mutex> lock(g_waiterLock);
        g_loopWaiters.erase(std::remove(g_loopWaiters.begin(), g_loopWaiters.end(), &loop), g_loopWaiters.end());
    }
}

struct Entry {
    DVR dvr;
    QString query;
    bool repeat = false;
    QPointer<CSendCommand> owner;
    int timeoutMs = CSendCommand::DEFAULT_REQUEST_TIMEOUT_MS;
    uint64_t stop = 0;  // a stream stop's serial in the ledger
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
            FinishStop(key, f->entry.stop);
            delete f;
        }
        for (const Entry& e : q->waiting)
            FinishStop(key, e.stop);
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
    if (entry.stop) {
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
    if (const uint64_t stop = f->entry.stop) {
        // By serial and key: the slot may be destroyed on Qt's network thread.
        const std::string key = q.key;
        connect(reply, &QNetworkReply::uploadProgress, this, FreedAnywhere([key, stop](qint64 sent, qint64 total) {
                    if (total > 0 && sent == total)
                        Ledger().stopSent(key, stop);
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
    const bool timedOut = f->timedOut;
    const QNetworkReply::NetworkError error = timedOut ? QNetworkReply::TimeoutError : reply->error();
    // Any reply of the DVR's, even an HTTP error, is its answer: it has dealt with the stop.
    const bool answered =
        !timedOut && (error == QNetworkReply::NoError || reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid());
    const Entry done = std::move(f->entry);
    f->timer.stop();
    f->reply = nullptr;
    if (q.current == f)
        q.current = nullptr;
    q.stops.erase(std::remove(q.stops.begin(), q.stops.end(), f), q.stops.end());
    // Its time-out may be what is finishing it.
    f->deleteLater();
    FinishStop(q.key, done.stop, answered);
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
            FinishStop(CSendCommand::DvrKey(entry.dvr), entry.stop);
        return;
    }
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        FinishStop(CSendCommand::DvrKey(entry.dvr), entry.stop);
        return;
    }
    // The DVR crosses as Qt-owned bytes, and what else the entry holds leaves the DVR's
    // buffers here: nothing this thread allocated is freed on the other.
    const QByteArray dvrBytes = QByteArray::fromStdString(entry.dvr.SerializePartialAsString());
    DVR local;
    entry.dvr.Swap(&local);
    QMetaObject::invokeMethod(
        app,
        CalledElsewhere([dvrBytes, carried = std::move(entry)]() mutable {
            carried.dvr.ParsePartialFromArray(dvrBytes.constData(), static_cast<int>(dvrBytes.size()));
            EnqueueFromAnyThread(std::move(carried));
        }),
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

std::string CSendCommand::DvrKey(const DVR& dvr) { return QueueKey(dvr).toStdString(); }

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
    entry.stop = Ledger().stopPosted(CSendCommand::DvrKey(dvr), stream);
    entry.subject.stream = stream;
    entry.timeoutMs = StopTimings::current().answerMs;
    EnqueueFromAnyThread(std::move(entry));
}

bool CSendCommand::waitForStops(const DVR& dvr, const std::vector<uint64_t>& stops, CStopLedger::Need need,
                                int timeoutMs, const std::atomic<bool>* cancel)
{
    const std::string key = CSendCommand::DvrKey(dvr);
    if (!OnApplicationThread())
        return Ledger().wait(key, stops, need, timeoutMs, cancel);
    return WaitOnApplicationThread(
               [&] { return Ledger().reached(key, stops, need) || (cancel && cancel->load()); }, timeoutMs)
           && Ledger().reached(key, stops, need);
}

bool CSendCommand::waitForStreamStops(const DVR& dvr, int timeoutMs, const std::atomic<bool>* cancel)
{
    const std::vector<uint64_t> stops = Ledger().outstanding(CSendCommand::DvrKey(dvr), CStopLedger::Need::Answered);
    return waitForStops(dvr, stops, CStopLedger::Need::Answered, timeoutMs, cancel)
           && Ledger().answeredAll(CSendCommand::DvrKey(dvr), stops);
}

void CSendCommand::waitForStreamStopsSent(const DVR& dvr, int timeoutMs, const std::atomic<bool>* cancel)
{
    const std::vector<uint64_t> stops = Ledger().outstanding(CSendCommand::DvrKey(dvr), CStopLedger::Need::Sent);
    waitForStops(dvr, stops, CStopLedger::Need::Sent, timeoutMs, cancel);
}

bool CSendCommand::hasUnansweredStreamStops(const DVR& dvr) { return Ledger().hasUnanswered(CSendCommand::DvrKey(dvr)); }

CStopLedger& CSendCommand::stopLedger() { return Ledger(); }

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
