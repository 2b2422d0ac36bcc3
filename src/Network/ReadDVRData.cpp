#include "ReadDVRData.h"

#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QTimer>

#include "SendCommand.h"

CReadDVRData::CReadDVRData(QObject* parent) : QThread(parent) {}

CReadDVRData::~CReadDVRData() { stopRead(); }

void CReadDVRData::startRead(const DVR& dvr, const QString& query)
{
    stopRead();
    m_body.clear();
    m_url = QUrl(CSendCommand::CgiUrl(dvr) + query);
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
    ++m_run;
    start(InheritPriority);
}

void CReadDVRData::stopRead()
{
    m_stop = true;
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
