#include "ReadDVRData.h"

#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>

#include "SendCommand.h"

CReadDVRData::CReadDVRData(QObject* parent) : QThread(parent) {}

CReadDVRData::~CReadDVRData() { stopRead(); }

void CReadDVRData::startRead(const DVR& dvr, const QString& query)
{
    stopRead();
    m_body.clear();
    m_url = QUrl(CSendCommand::CgiUrl(dvr) + query);
    m_address = QString::fromStdString(dvr.address());
    m_port = dvr.port();
    begin();
}

void CReadDVRData::tryConnect()
{
    stopRead();
    m_body.clear();
    begin();
}

void CReadDVRData::begin()
{
    m_stop = false;
    const quint64 run = ++m_run;
    // After the commands sent to the DVR before it: a read after a write shows what was set.
    const QPointer<CReadDVRData> self(this);
    m_turn = CSendCommand::queueTurn(m_address, m_port, [self, run](quint64) {
        if (self && self->m_run == run && !self->m_stop)
            self->start(InheritPriority);
    }, false);
}

void CReadDVRData::stopRead()
{
    m_stop = true;
    CSendCommand::endTurn(m_turn);
    m_turn = 0;
    if (isRunning()) {
        quit();
        wait();
    }
}

void CReadDVRData::run()
{
    const quint64 run = m_run;
    {
        QNetworkAccessManager manager;
        QNetworkReply* reply = manager.get(QNetworkRequest(m_url));

        // Silence for the idle time-out gives up the reply; every chunk restarts the clock.
        QTimer idle;
        idle.setSingleShot(true);
        idle.setInterval(m_idleTimeoutMs.load());
        connect(&idle, &QTimer::timeout, reply, [reply]() {
            qDebug("read timeout");
            reply->abort();
        });
        connect(reply, &QIODevice::readyRead, reply, [this, reply, &idle]() {
            const QByteArray bytes = reply->readAll();
            if (!bytes.isEmpty()) {
                m_body += bytes;
                qDebug("read size = %d", int(bytes.size()));
            }
            idle.start();
        });
        connect(reply, &QNetworkReply::finished, reply, [this]() { quit(); });
        connect(reply, &QNetworkReply::errorOccurred, this, &CReadDVRData::OnHttpError);
        idle.start();

        if (!m_stop && !reply->isFinished())
            exec();

        m_body += reply->readAll();
        reply->disconnect();
        idle.stop();
        reply->abort();
        delete reply;
    }
    if (m_stop)
        return;
    m_doneRun = run;
    QMetaObject::invokeMethod(this, "OnHttpFinished", Qt::QueuedConnection);
}

void CReadDVRData::OnHttpFinished()
{
    // Only the end of the current read counts; a stopped or superseded read is silent.
    if (m_stop || m_doneRun != m_run)
        return;
    qDebug("httpFinished");
    m_stop = true;
    wait();
    emit completed(m_body);
}

void CReadDVRData::OnHttpError(QNetworkReply::NetworkError code)
{
    qDebug("OnHttpError");
    qDebug("%s", qPrintable(NetworkErrorName(code)));
}
