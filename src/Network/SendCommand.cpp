#include "SendCommand.h"

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
    explicit ReplyState(QNetworkReply* reply, bool oldProtocol)
        : QObject(reply), oldProtocol(oldProtocol)
    {
    }

    static constexpr const char* NAME = "zavo_command_state";

    CDataParser parser;
    bool oldProtocol;
    int otherPackets = 0;
    bool done = false;
};

// Packets of other kinds that a reply may hold before the DVR information.
constexpr int MAX_OTHER_PACKETS = 4;

// Touched only on the application's thread.
QPointer<CSendCommand> g_detached;

}  // namespace

CSendCommand::CSendCommand(QObject* parent) : QObject(parent), m_manager(this) {}

CSendCommand::~CSendCommand()
{
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
    m_dvr = dvr;
    const QString url = CgiUrl(dvr);
    const QByteArray body = query.toLatin1();

    QNetworkRequest request{QUrl(url)};
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QByteArrayLiteral("application/x-www-form-urlencoded"));
    request.setHeader(QNetworkRequest::ContentLengthHeader, QByteArray::number(body.size()));

    QNetworkReply* reply = m_manager.post(request, body);
    auto* state = new ReplyState(reply, dvr.old_protocol());
    state->setObjectName(QLatin1String(ReplyState::NAME));
    connect(reply, &QNetworkReply::finished, this, &CSendCommand::OnHttpFinished);
    connect(reply, &QIODevice::readyRead, this, &CSendCommand::OnHttpReadyRead);
    connect(reply, &QNetworkReply::errorOccurred, this, &CSendCommand::OnHttpError);
    qDebug("%s%s", qPrintable(url), qPrintable(MaskQueryCredentials(query)));
}

void CSendCommand::OnHttpFinished()
{
    qDebug("sendcommand httpFinished");
    if (auto* reply = qobject_cast<QNetworkReply*>(sender()))
        reply->deleteLater();
}

void CSendCommand::OnHttpReadyRead()
{
    qDebug("sendcommand OnHttpReadyRead");
    auto* reply = qobject_cast<QNetworkReply*>(sender());
    if (!reply)
        return;
    auto* state = reply->findChild<ReplyState*>(QLatin1String(ReplyState::NAME),
                                                 Qt::FindDirectChildrenOnly);
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
        QMetaObject::invokeMethod(app, [dvr, query]() { sendDetached(dvr, query); },
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
