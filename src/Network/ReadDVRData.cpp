#include "ReadDVRData.h"

#include <QDeadlineTimer>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include "Common/ThreadCheck.h"
#include "Common/ThreadEnd.h"
#include "SendCommand.h"

// One read: its thread and everything the thread uses, so that a thread left behind touches
// nothing of the reader.
class CReadDVRData::Fetch : public QThread {
public:
    Fetch(const QUrl& url, int idleTimeoutMs) : m_url(url), m_idleTimeoutMs(idleTimeoutMs) {}
    // Only once the thread has ended (or never started): the acquire pairs with the end of run(),
    // which QThread's own wait and finished() order through QtCore, out of ThreadSanitizer's sight.
    ~Fetch() override { (void)m_ended.load(std::memory_order_acquire); }

    void stop()
    {
        m_stop = true;
        quit();
    }
    bool stopped() const { return m_stop; }
    // Only once the thread has ended.
    const QByteArray& body() const
    {
        (void)m_ended.load(std::memory_order_acquire);
        return m_body;
    }

protected:
    void run() override;

private:
    const QUrl m_url;
    const int m_idleTimeoutMs;
    QByteArray m_body;  // written by the thread only while it runs
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_ended{false};  // run() has made its last access
};

void CReadDVRData::Fetch::run()
{
    QNetworkAccessManager manager;
    QNetworkReply* reply = manager.get(QNetworkRequest(m_url));

    // Silence for the idle time-out gives up the reply; every chunk restarts the clock.
    QTimer idle;
    idle.setSingleShot(true);
    idle.setInterval(m_idleTimeoutMs);
    QObject::connect(&idle, &QTimer::timeout, reply, [reply]() {
        qDebug("read timeout");
        reply->abort();
    });
    QObject::connect(reply, &QIODevice::readyRead, reply, FreedAnywhere([this, reply, &idle]() {
                         const QByteArray bytes = reply->readAll();
                         if (!bytes.isEmpty()) {
                             m_body += bytes;
                             qDebug("read size = %d", int(bytes.size()));
                         }
                         idle.start();
                     }));
    QObject::connect(reply, &QNetworkReply::finished, reply, FreedAnywhere([this]() { quit(); }));
    QObject::connect(reply, &QNetworkReply::errorOccurred, reply, FreedAnywhere([](QNetworkReply::NetworkError code) {
                         qDebug("OnHttpError");
                         qDebug("%s", qPrintable(NetworkErrorName(code)));
                     }));
    idle.start();

    if (!m_stop && !reply->isFinished())
        exec();

    m_body += reply->readAll();
    reply->disconnect();
    idle.stop();
    reply->abort();
    delete reply;
    m_ended.store(true, std::memory_order_release);
}

CReadDVRData::CReadDVRData(QObject* parent) : QObject(parent) {}

CReadDVRData::~CReadDVRData() { stopRead(); }

void CReadDVRData::startRead(const DVR& dvr, const QString& query)
{
    stopRead();
    m_url = QUrl(CSendCommand::CgiUrl(dvr) + query);
    m_address = QString::fromStdString(dvr.address());
    m_port = dvr.port();
    begin();
}

void CReadDVRData::tryConnect()
{
    stopRead();
    begin();
}

void CReadDVRData::begin()
{
    m_fetch = new Fetch(m_url, m_idleTimeoutMs);
    Fetch* const fetch = m_fetch;
    const quint64 run = ++m_run;
    // Queued: the thread ends, then its owner takes the body on its own thread. A call still
    // queued for a read stopped since may name a freed fetch: the run number tells.
    connect(fetch, &QThread::finished, this, [this, fetch, run] {
        if (run == m_run)
            fetchEnded(fetch);
    });
    // After the commands sent to the DVR before it: a read after a write shows what was set.
    const QPointer<CReadDVRData> self(this);
    m_turn = CSendCommand::queueTurn(m_address, m_port, [self, fetch, run](quint64) {
        if (self && self->m_run == run && self->m_fetch == fetch)
            fetch->start(QThread::InheritPriority);
    }, false);
}

bool CReadDVRData::isRunning() const { return m_fetch && m_fetch->isRunning(); }

void CReadDVRData::stopRead()
{
    // A read still waiting for its turn gives it up and never starts.
    CSendCommand::endTurn(m_turn);
    m_turn = 0;
    Fetch* const fetch = m_fetch;
    if (!fetch)
        return;
    m_fetch = nullptr;
    disconnect(fetch, nullptr, this, nullptr);
    fetch->stop();
    if (fetch->wait(QDeadlineTimer(STOP_WAIT_MS))) {
        delete fetch;
        return;
    }
    qWarning("Read: the read's thread did not end within %d ms; it is left behind", STOP_WAIT_MS);
    DeleteWhenFinished(fetch);
}

void CReadDVRData::fetchEnded(Fetch* fetch)
{
    // Only the end of the current read counts; a stopped or superseded read is silent.
    if (fetch != m_fetch || fetch->stopped())
        return;
    m_fetch = nullptr;
    const QByteArray body = fetch->body();
    fetch->deleteLater();
    qDebug("httpFinished");
    emit completed(body);
}
