#pragma once

#include <atomic>

#include <QByteArray>
#include <QNetworkReply>
#include <QString>
#include <QObject>
#include <QUrl>

#include "DVRList.pb.h"

// Fetches one reply body with a GET in a thread of its own and hands it over whole on the
// thread that owns the reader, once the commands sent to the DVR before it have ended. A
// reply that stays silent for the idle time-out (60 s) is given up and completes with what
// arrived. Stopping waits for the thread at most STOP_WAIT_MS; one held up longer is left to
// end by itself with its own state.
class CReadDVRData : public QObject {
    Q_OBJECT

public:
    static constexpr int DEFAULT_IDLE_TIMEOUT_MS = 60000;
    static constexpr int STOP_WAIT_MS = 2000;

    explicit CReadDVRData(QObject* parent = nullptr);
    // Stops a running read; no completed() follows.
    ~CReadDVRData() override;

    // GET "http://<address>:<port>/cgi-bin/webapp.cgi?<query>" with an empty body, once the
    // commands sent to the DVR so far have ended; a read still running is stopped first.
    void startRead(const DVR& dvr, const QString& query);
    // Reads the same URL again.
    void tryConnect();
    // Cancels the read and waits for the thread; no completed() follows.
    void stopRead();
    // True while a read's thread runs.
    bool isRunning() const;

    void setIdleTimeout(int msec) { m_idleTimeoutMs = msec; }

signals:
    // Every byte of the reply (possibly none), after the reply finished, failed or fell
    // silent; once per read.
    void completed(QByteArray data);

private:
    class Fetch;

    void begin();
    void fetchEnded(Fetch* fetch);

    QUrl m_url;
    QString m_address;
    int m_port = 0;
    quint64 m_turn = 0;  // its place in the DVR's command order
    int m_idleTimeoutMs = DEFAULT_IDLE_TIMEOUT_MS;  // each read's thread takes a copy
    Fetch* m_fetch = nullptr;  // the current read's thread
    quint64 m_run = 0;         // the current read
};
