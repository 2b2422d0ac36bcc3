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
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include "Common/DataParser.h"

namespace {

// Packets of other kinds that a reply may hold before the DVR information.
constexpr int MAX_OTHER_PACKETS = 4;
// How often a blocked wait looks at its cancel flag.
constexpr int WAIT_SLICE_MS = 50;

// Stream stops not yet answered, by queue key. Shared by every thread: a stream thread sends
// its stop and the next stream's thread waits for it.
struct StopTicket {
    bool done = false;  // guarded by g_stopLock
};
std::mutex g_stopLock;
std::condition_variable g_stopDone;
std::map<std::string, std::vector<std::shared_ptr<StopTicket>>> g_stops;

std::shared_ptr<StopTicket> RegisterStop(const std::string& key)
{
    auto ticket = std::make_shared<StopTicket>();
    std::lock_guard<std::mutex> lock(g_stopLock);
    g_stops[key].push_back(ticket);
    return ticket;
}

void FinishStop(const std::string& key, const std::shared_ptr<StopTicket>& ticket)
{
    if (!ticket)
        return;
    std::lock_guard<std::mutex> lock(g_stopLock);
    ticket->done = true;
    auto it = g_stops.find(key);
    if (it != g_stops.end()) {
        auto& list = it->second;
        list.erase(std::remove(list.begin(), list.end(), ticket), list.end());
        if (list.empty())
            g_stops.erase(it);
    }
    g_stopDone.notify_all();
}

bool OnApplicationThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

struct Entry {
    DVR dvr;
    QString query;
    bool repeat = false;
    QPointer<CSendCommand> owner;
    int timeoutMs = CSendCommand::DEFAULT_REQUEST_TIMEOUT_MS;
    std::shared_ptr<StopTicket> ticket;
};

// The commands of one DVR and the one in flight.
struct DvrQueue {
    std::string key;
    std::deque<Entry> waiting;
    bool busy = false;
    Entry current;
    QPointer<QNetworkReply> reply;
    QTimer timer;
    bool timedOut = false;
    // What the reply in flight has shown so far; kept across its chunks, so a packet cut by
    // a chunk boundary is still found.
    std::unique_ptr<CDataParser> parser;
    int otherPackets = 0;
    bool examined = false;
};

// Every DVR's queue. Lives on the application's thread, owned by the application.
class CommandQueues : public QObject {
public:
    // Null without an application; only on the application's thread.
    static CommandQueues* instance();

    ~CommandQueues() override;

    void enqueue(Entry entry);
    void dropRepeats(const CSendCommand* owner);
    int pendingFor(const CSendCommand* owner) const;
    bool idle() const;

private:
    CommandQueues() : m_manager(this) {}

    DvrQueue& queue(const std::string& key);
    void postNext(DvrQueue& q);
    void OnHttpFinished(DvrQueue& q, QNetworkReply* reply);
    void OnHttpReadyRead(DvrQueue& q, QNetworkReply* reply);
    void OnHttpError(QNetworkReply::NetworkError code);
    void OnRequestTimeout(DvrQueue& q);

    QNetworkAccessManager m_manager;
    std::map<std::string, std::unique_ptr<DvrQueue>> m_queues;
};

QPointer<CommandQueues> g_queues;  // touched only on the application's thread

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
        q->timer.stop();
        if (q->reply)
            q->reply->disconnect(this);
        FinishStop(key, q->current.ticket);
        for (const Entry& e : q->waiting)
            FinishStop(key, e.ticket);
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
        q->timer.setSingleShot(true);
        DvrQueue* raw = q.get();
        connect(&q->timer, &QTimer::timeout, this, [this, raw] { OnRequestTimeout(*raw); });
    }
    return *q;
}

void CommandQueues::enqueue(Entry entry)
{
    DvrQueue& q = queue(CSendCommand::QueueKey(entry.dvr).toStdString());
    q.waiting.push_back(std::move(entry));
    postNext(q);
}

void CommandQueues::dropRepeats(const CSendCommand* owner)
{
    for (auto& [key, q] : m_queues)
        q->waiting.erase(std::remove_if(q->waiting.begin(), q->waiting.end(),
                                        [owner](const Entry& e) { return e.repeat && e.owner == owner; }),
                         q->waiting.end());
}

int CommandQueues::pendingFor(const CSendCommand* owner) const
{
    int n = 0;
    for (const auto& [key, q] : m_queues) {
        if (q->busy && q->current.owner == owner)
            ++n;
        n += static_cast<int>(std::count_if(q->waiting.begin(), q->waiting.end(),
                                            [owner](const Entry& e) { return e.owner == owner; }));
    }
    return n;
}

bool CommandQueues::idle() const
{
    return std::all_of(m_queues.begin(), m_queues.end(),
                       [](const auto& kv) { return !kv.second->busy && kv.second->waiting.empty(); });
}

void CommandQueues::postNext(DvrQueue& q)
{
    if (q.busy || q.waiting.empty())
        return;
    q.current = std::move(q.waiting.front());
    q.waiting.pop_front();
    q.busy = true;
    q.timedOut = false;
    q.parser = std::make_unique<CDataParser>();
    q.otherPackets = 0;
    q.examined = false;

    const QString url = CSendCommand::CgiUrl(q.current.dvr);
    const QByteArray body = q.current.query.toLatin1();
    QNetworkRequest request{QUrl(url)};
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/x-www-form-urlencoded"));
    request.setHeader(QNetworkRequest::ContentLengthHeader, QByteArray::number(body.size()));

    QNetworkReply* reply = m_manager.post(request, body);
    q.reply = reply;
    DvrQueue* raw = &q;
    connect(reply, &QNetworkReply::finished, this, [this, raw, reply] { OnHttpFinished(*raw, reply); });
    connect(reply, &QIODevice::readyRead, this, [this, raw, reply] { OnHttpReadyRead(*raw, reply); });
    connect(reply, &QNetworkReply::errorOccurred, this, &CommandQueues::OnHttpError);
    q.timer.start(q.current.timeoutMs);
    qDebug("%s%s", qPrintable(url), qPrintable(MaskQueryCredentials(q.current.query)));
}

void CommandQueues::OnHttpFinished(DvrQueue& q, QNetworkReply* reply)
{
    qDebug("sendcommand httpFinished");
    reply->deleteLater();
    if (reply != q.reply)
        return;
    const QNetworkReply::NetworkError error = q.timedOut ? QNetworkReply::TimeoutError : reply->error();
    const Entry done = std::move(q.current);
    q.current = Entry();
    q.busy = false;
    q.reply = nullptr;
    q.timer.stop();
    FinishStop(q.key, done.ticket);
    postNext(q);
    // Last: a receiver may run an event loop that comes back here.
    if (CSendCommand* owner = done.owner)
        emit owner->commandFinished(done.query, error);
}

void CommandQueues::OnHttpReadyRead(DvrQueue& q, QNetworkReply* reply)
{
    qDebug("sendcommand OnHttpReadyRead");
    const QByteArray bytes = reply->readAll();
    if (reply != q.reply || q.examined)
        return;

    const char* data = bytes.constData();
    unsigned int size = static_cast<unsigned int>(bytes.size());
    const bool bigEndian = q.current.dvr.old_protocol();
    while (q.parser->setReceivedData(bigEndian, data, size)) {
        data = nullptr;
        size = 0;
        if (q.parser->getDataType() == cgi::DATA_DVR_INFO) {
            const std::vector<char>& payload = q.parser->getResultData();
            cgi::DvrInfo info;
            info.ParseFromArray(payload.data(), static_cast<int>(payload.size()));
            q.examined = true;
            const QPointer<CSendCommand> owner = q.current.owner;
            // The command is over: the abort finishes it and lets the next one go, before any
            // receiver of the names can run an event loop that frees the reply.
            reply->abort();
            if (owner)
                emit owner->receivedCameraName(info);
            return;
        }
        if (++q.otherPackets >= MAX_OTHER_PACKETS) {
            q.examined = true;
            return;
        }
    }
}

void CommandQueues::OnHttpError(QNetworkReply::NetworkError code)
{
    qDebug("OnHttpError");
    qDebug("%s", qPrintable(NetworkErrorName(code)));
}

void CommandQueues::OnRequestTimeout(DvrQueue& q)
{
    if (!q.busy)
        return;
    qDebug("sendcommand request timeout");
    q.timedOut = true;
    if (q.reply)
        q.reply->abort();  // finishes the reply, which posts the next command
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
    return QString::fromStdString(dvr.address()) + QLatin1Char(':') + QString::number(dvr.port());
}

void CSendCommand::send(const DVR& dvr, const QString& query) { enqueue(dvr, query, false); }

void CSendCommand::sendRepeat(const DVR& dvr, const QString& query) { enqueue(dvr, query, true); }

void CSendCommand::enqueue(const DVR& dvr, const QString& query, bool repeat)
{
    EnqueueFromAnyThread(Entry{dvr, query, repeat, this, m_timeoutMs, nullptr});
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

void CSendCommand::sendStreamStop(const DVR& dvr, const QString& query)
{
    EnqueueFromAnyThread(Entry{dvr, query, false, nullptr, DEFAULT_REQUEST_TIMEOUT_MS,
                               RegisterStop(QueueKey(dvr).toStdString())});
}

bool CSendCommand::waitForStreamStops(const DVR& dvr, int timeoutMs, const std::atomic<bool>* cancel)
{
    std::vector<std::shared_ptr<StopTicket>> tickets;
    {
        std::lock_guard<std::mutex> lock(g_stopLock);
        auto it = g_stops.find(QueueKey(dvr).toStdString());
        if (it != g_stops.end())
            tickets = it->second;
    }
    const auto allDone = [&tickets] {
        return std::all_of(tickets.begin(), tickets.end(), [](const auto& t) { return t->done; });
    };
    const bool onApp = OnApplicationThread();
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(g_stopLock);
            if (allDone())
                return true;
            const qint64 left = timeoutMs - clock.elapsed();
            if (left <= 0 || (cancel && cancel->load()))
                return false;
            if (!onApp) {
                g_stopDone.wait_for(lock, std::chrono::milliseconds(std::min<qint64>(left, WAIT_SLICE_MS)));
                continue;
            }
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, WAIT_SLICE_MS);
        QThread::msleep(1);
    }
}

bool CSendCommand::waitForAllCommands(int timeoutMs)
{
    if (!OnApplicationThread())
        return false;
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const CommandQueues* queues = g_queues.data();
        if (!queues || queues->idle())
            return true;
        if (clock.elapsed() >= timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, WAIT_SLICE_MS);
        QThread::msleep(1);
    }
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
