#pragma once

#include <atomic>

#include <QNetworkReply>
#include <QObject>
#include <QString>

#include "DVRList.pb.h"
#include "cgi_response.pb.h"

// Posts one command query as a form to a DVR's CGI. The reply is examined only for a
// DVR information packet (the camera names a live command answers with).
//
// Every sender of the program feeds one ordered queue per DVR (address and port), so a DVR
// takes commands in the order they were sent, whoever sent them, while a slow DVR never
// holds up another. One command per DVR is in flight at a time; the next goes when it
// finished, failed or ran past its time-out. Commands outlive the sender that sent them
// (a stop still goes out when its page or connection is gone); only the reports die with it.
// A sender is used on the application's thread.
class CSendCommand : public QObject {
    Q_OBJECT

public:
    // A DVR that neither answers nor closes holds its queue this long at most.
    static constexpr int DEFAULT_REQUEST_TIMEOUT_MS = 5000;

    explicit CSendCommand(QObject* parent = nullptr);
    ~CSendCommand() override;

    void send(const DVR& dvr, const QString& query);
    // A repetition of a command already sent (a held button).
    void sendRepeat(const DVR& dvr, const QString& query);
    // Forgets this sender's repetitions still queued, so that what follows (a stop) is not
    // delayed by them.
    void dropQueuedRepeats();

    // Applies to the commands sent from now on.
    void setRequestTimeout(int msec) { m_timeoutMs = msec; }
    // This sender's commands queued or in flight.
    int pendingCount() const;

    // "http://<address>:<port>/cgi-bin/webapp.cgi?"
    static QString CgiUrl(const DVR& dvr);
    // The key of a DVR's queue: "<address>:<port>".
    static QString QueueKey(const DVR& dvr);

    // A stream's stop command, sent by nobody in particular. Callable from any thread; it
    // takes its place in the DVR's queue at once, so a later waitForStreamStops sees it.
    static void sendStreamStop(const DVR& dvr, const QString& query);
    // Blocks until every stream stop sent to the DVR before this call was answered or
    // failed, at most timeoutMs, or until *cancel is set. True when none is left. Meant for
    // a stream's own thread: on the application's thread it runs the event loop meanwhile.
    static bool waitForStreamStops(const DVR& dvr, int timeoutMs, const std::atomic<bool>* cancel = nullptr);
    // Runs the event loop until no command of any DVR is queued or in flight, at most
    // timeoutMs. True when all were sent and answered or failed.
    static bool waitForAllCommands(int timeoutMs);

signals:
    void receivedCameraName(cgi::DvrInfo info);
    // The end of every command: NoError, the network error, or TimeoutError when the
    // request time-out gave it up.
    void commandFinished(const QString& query, QNetworkReply::NetworkError error);

private:
    void enqueue(const DVR& dvr, const QString& query, bool repeat);

    int m_timeoutMs = DEFAULT_REQUEST_TIMEOUT_MS;
};

// The query as the debug log shows it: the values of USER, ID and PW replaced by "***" (old
// queries carry the account in clear, current ones only Base64-encoded).
QString MaskQueryCredentials(const QString& query);

// The name of a network error for the debug log: the names of codes 0 to 5, else
// "http Error code = <n>".
QString NetworkErrorName(QNetworkReply::NetworkError code);
