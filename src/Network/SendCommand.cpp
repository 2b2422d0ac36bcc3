#include "SendCommand.h"

#include <algorithm>

#include <QCoreApplication>
#include <QNetworkRequest>
#include <QPointer>
#include <QThread>
#include <QUrl>

#include "Common/DataParser.h"

namespace {

// What a reply has shown so far. Kept across its chunks, so a packet cut by a chunk
// boundary is still found.
class ReplyState : public QObject {
public:
    explicit ReplyState(QNetworkReply* reply, bool oldProtocol, const QString& query)
        : QObject(reply), oldProtocol(oldProtocol), query(query)
    {
    }

    static constexpr const char* NAME = "zavo_command_state";

    static ReplyState* of(QNetworkReply* reply)
    {
        return reply->findChild<ReplyState*>(QLatin1String(NAME), Qt::FindDirectChildrenOnly);
    }

    CDataParser parser;
    bool oldProtocol;
    QString query;
    int otherPackets = 0;
    bool done = false;
    bool timedOut = false;
};

// Packets of other kinds that a reply may hold before the DVR information.
constexpr int MAX_OTHER_PACKETS = 4;

// Touched only on the application's thread.
QPointer<CSendCommand> g_detached;

}  // namespace

CSendCommand::CSendCommand(QObject* parent) : QObject(parent), m_manager(this), m_request_timer(this)
{
    m_request_timer.setSingleShot(true);
    m_request_timer.setInterval(DEFAULT_REQUEST_TIMEOUT_MS);
    connect(&m_request_timer, &QTimer::timeout, this, &CSendCommand::OnRequestTimeout);
}

CSendCommand::~CSendCommand()
{
    // Replies torn down with the manager must not call back into a sender half gone.
    m_queue.clear();
    for (QNetworkReply* reply : m_manager.findChildren<QNetworkReply*>())
        reply->disconnect(this);
    // Kept-alive connections live on the network layer's own thread; left to the
    // application's teardown they are never freed.
    m_manager.clearConnectionCache();
}

QString CSendCommand::CgiUrl(const DVR& dvr)
{
    return QStringLiteral("http://%1:%2/cgi-bin/webapp.cgi?")
        .arg(QString::fromStdString(dvr.address()))
        .arg(dvr.port());
}

void CSendCommand::send(const DVR& dvr, const QString& query)
{
    if (m_sequential)
        enqueue(dvr, query, false);
    else
        post(dvr, query);
}

void CSendCommand::sendRepeat(const DVR& dvr, const QString& query)
{
    if (m_sequential)
        enqueue(dvr, query, true);
    else
        post(dvr, query);
}

void CSendCommand::setSequential(bool sequential)
{
    m_sequential = sequential;
    if (sequential)
        return;
    while (!m_queue.empty()) {
        Queued next = std::move(m_queue.front());
        m_queue.pop_front();
        post(next.dvr, next.query);
    }
}

void CSendCommand::dropQueuedRepeats()
{
    m_queue.erase(std::remove_if(m_queue.begin(), m_queue.end(), [](const Queued& q) { return q.repeat; }),
                  m_queue.end());
}

void CSendCommand::enqueue(const DVR& dvr, const QString& query, bool repeat)
{
    m_queue.push_back({dvr, query, repeat});
    postNext();
}

void CSendCommand::postNext()
{
    if (m_in_flight || m_queue.empty())
        return;
    Queued next = std::move(m_queue.front());
    m_queue.pop_front();
    m_in_flight = post(next.dvr, next.query);
    m_request_timer.start();
}

void CSendCommand::OnRequestTimeout()
{
    if (!m_in_flight)
        return;
    qDebug("sendcommand request timeout");
    if (ReplyState* state = ReplyState::of(m_in_flight))
        state->timedOut = true;
    m_in_flight->abort();  // finishes the reply, which posts the next command
}

QNetworkReply* CSendCommand::post(const DVR& dvr, const QString& query)
{
    m_dvr = dvr;
    const QString url = CgiUrl(dvr);
    const QByteArray body = query.toLatin1();

    QNetworkRequest request{QUrl(url)};
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QByteArrayLiteral("application/x-www-form-urlencoded"));
    request.setHeader(QNetworkRequest::ContentLengthHeader, QByteArray::number(body.size()));

    QNetworkReply* reply = m_manager.post(request, body);
    auto* state = new ReplyState(reply, dvr.old_protocol(), query);
    state->setObjectName(QLatin1String(ReplyState::NAME));
    connect(reply, &QNetworkReply::finished, this, &CSendCommand::OnHttpFinished);
    connect(reply, &QIODevice::readyRead, this, &CSendCommand::OnHttpReadyRead);
    connect(reply, &QNetworkReply::errorOccurred, this, &CSendCommand::OnHttpError);
    qDebug("%s%s", qPrintable(url), qPrintable(MaskQueryCredentials(query)));
    return reply;
}

void CSendCommand::OnHttpFinished()
{
    qDebug("sendcommand httpFinished");
    auto* reply = qobject_cast<QNetworkReply*>(sender());
    if (!reply)
        return;
    reply->deleteLater();
    const ReplyState* state = ReplyState::of(reply);
    const QString query = state ? state->query : QString();
    const QNetworkReply::NetworkError error =
        state && state->timedOut ? QNetworkReply::TimeoutError : reply->error();
    if (reply == m_in_flight) {
        m_in_flight = nullptr;
        m_request_timer.stop();
    }
    emit commandFinished(query, error);
    if (m_sequential)
        postNext();
}

void CSendCommand::OnHttpReadyRead()
{
    qDebug("sendcommand OnHttpReadyRead");
    auto* reply = qobject_cast<QNetworkReply*>(sender());
    if (!reply)
        return;
    auto* state = ReplyState::of(reply);
    const QByteArray bytes = reply->readAll();
    if (!state || state->done)
        return;

    const char* data = bytes.constData();
    unsigned int size = static_cast<unsigned int>(bytes.size());
    while (state->parser.setReceivedData(state->oldProtocol, data, size)) {
        data = nullptr;
        size = 0;
        if (state->parser.getDataType() == cgi::DATA_DVR_INFO) {
            const std::vector<char>& payload = state->parser.getResultData();
            cgi::DvrInfo info;
            info.ParseFromArray(payload.data(), static_cast<int>(payload.size()));
            state->done = true;
            emit receivedCameraName(info);
            reply->abort();
            return;
        }
        if (++state->otherPackets >= MAX_OTHER_PACKETS) {
            state->done = true;
            return;
        }
    }
}

void CSendCommand::OnHttpError(QNetworkReply::NetworkError code)
{
    qDebug("OnHttpError");
    qDebug("%s", qPrintable(NetworkErrorName(code)));
}

void CSendCommand::sendDetached(const DVR& dvr, const QString& query)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    if (QThread::currentThread() != app->thread()) {
        // The entry crosses as Qt-owned bytes: nothing this thread builds is freed on the other,
        // so the thread checker sees the queue's handover for what it is.
        const QByteArray entry = QByteArray::fromStdString(dvr.SerializePartialAsString());
        QMetaObject::invokeMethod(
            app,
            [entry, query]() {
                DVR copy;
                if (copy.ParsePartialFromArray(entry.constData(), static_cast<int>(entry.size())))
                    sendDetached(copy, query);
            },
            Qt::QueuedConnection);
        return;
    }
    // Owned by the application, so it outlives every connection; it goes first thing when
    // the application object is destroyed.
    if (!g_detached) {
        g_detached = new CSendCommand(app);
        qAddPostRoutine([]() { delete g_detached.data(); });
    }
    g_detached->send(dvr, query);
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
