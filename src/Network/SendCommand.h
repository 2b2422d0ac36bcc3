#pragma once

#include <deque>

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include "DVRList.pb.h"
#include "cgi_response.pb.h"

// Posts one command query as a form to a DVR's CGI. The reply is examined only for a
// DVR information packet (the camera names a live command answers with). Used on the
// thread that created it; several commands may be in flight at once, unless the sender is
// sequential.
class CSendCommand : public QObject {
    Q_OBJECT

public:
    // A DVR that neither answers nor closes holds a sequential queue this long at most.
    static constexpr int DEFAULT_REQUEST_TIMEOUT_MS = 5000;

    explicit CSendCommand(QObject* parent = nullptr);
    ~CSendCommand() override;

    // Posts at once; in sequential mode queues behind the commands not yet finished.
    void send(const DVR& dvr, const QString& query);

    // Sequential mode: one command in flight at a time, in the order given, so a DVR sees
    // a move before its stop even when it answers the move late. The next command goes out
    // when the previous one finished, failed or ran past the request time-out. Commands
    // still queued when the mode is switched off go out at once.
    void setSequential(bool sequential);
    bool isSequential() const { return m_sequential; }
    void setRequestTimeout(int msec) { m_request_timer.setInterval(msec); }
    // Runs while a sequential command is in flight.
    const QTimer& requestTimer() const { return m_request_timer; }
    // Commands queued and not yet posted.
    int queuedCount() const { return int(m_queue.size()); }

    // A repetition of a command already sent (a held button); outside sequential mode the
    // same as send().
    void sendRepeat(const DVR& dvr, const QString& query);
    // Forgets the repetitions still queued, so that what follows (a stop) is not delayed
    // by them.
    void dropQueuedRepeats();

    // "http://<address>:<port>/cgi-bin/webapp.cgi?"
    static QString CgiUrl(const DVR& dvr);

    // A sender on the application's thread that lives as long as the application: commands
    // that must reach the DVR after their sender's owner is gone (stream stops) go through
    // it. Callable from any thread; the post itself always runs on the application's thread.
    static void sendDetached(const DVR& dvr, const QString& query);

signals:
    void receivedCameraName(cgi::DvrInfo info);
    // The end of every command, sequential or not: NoError, the network error, or
    // TimeoutError when the request time-out gave it up.
    void commandFinished(const QString& query, QNetworkReply::NetworkError error);

public slots:
    void OnHttpFinished();
    void OnHttpReadyRead();
    void OnHttpError(QNetworkReply::NetworkError code);

private:
    struct Queued {
        DVR dvr;
        QString query;
        bool repeat = false;
    };

    QNetworkReply* post(const DVR& dvr, const QString& query);
    void enqueue(const DVR& dvr, const QString& query, bool repeat);
    void postNext();
    void OnRequestTimeout();

    QNetworkAccessManager m_manager;
    DVR m_dvr;
    bool m_sequential = false;
    std::deque<Queued> m_queue;
    QPointer<QNetworkReply> m_in_flight;
    QTimer m_request_timer;
};

// The query as the debug log shows it: the values of USER, ID and PW replaced by "***" (old
// queries carry the account in clear, current ones only Base64-encoded).
QString MaskQueryCredentials(const QString& query);

// The name of a network error for the debug log: the names of codes 0 to 5, else
// "http Error code = <n>".
QString NetworkErrorName(QNetworkReply::NetworkError code);
