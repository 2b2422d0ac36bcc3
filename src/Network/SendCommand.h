#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QNetworkReply>
#include <QObject>
#include <QString>

#include "DVRList.pb.h"
#include "Network/StopLedger.h"
#include "cgi_response.pb.h"

// What a command sets on its DVR. While it waits, a newer command with the same stream and
// topic that supersedes replaces it, and the stop of its stream drops it: the DVR ends up
// where the last command leaves it, however many the operator sent.
struct CommandSubject {
    int stream = -1;           // the client id the command names; -1: none
    QString topic;             // empty: nothing replaces it
    bool supersedes = false;   // drops the waiting commands of its stream and topic

    // A stream's channels: only the newest waiting one counts.
    static CommandSubject StreamChannel(int stream);
    // A camera's move (or preset recall) replaces every waiting PTZ command of that camera;
    // its stop replaces nothing, so a move is never lost behind it. Neither belongs to a
    // stream: a camera's stop must reach it whatever became of the stream it was sent with.
    static CommandSubject PtzMove(int channel);
    static CommandSubject PtzStop(int channel);
};

// Posts one command query as a form to a DVR's CGI. The reply is examined only for a
// DVR information packet (the camera names a live command answers with).
//
// Every sender of the program feeds one ordered queue per DVR (address and port), so a DVR
// takes commands in the order they were sent, whoever sent them, while a slow DVR never
// holds up another. One command per DVR is in flight at a time; the next goes when it
// finished, failed or ran past its time-out. Stream stops alone skip the queue: each goes at
// once, beside whatever is in flight. Uploads and reads take their turn in the same order.
// Commands outlive the sender that sent them (a stop still goes out when its page or
// connection is gone); only the reports die with it. A sender is used on the application's
// thread.
class CSendCommand : public QObject {
    Q_OBJECT

public:
    // A DVR that neither answers nor closes holds its queue this long at most.
    static constexpr int DEFAULT_REQUEST_TIMEOUT_MS = 5000;

    explicit CSendCommand(QObject* parent = nullptr);
    ~CSendCommand() override;

    void send(const DVR& dvr, const QString& query, const CommandSubject& subject = {});
    // A repetition of a command already sent (a held button). Dropped while a repetition of
    // this sender waits or is in flight: a DVR slower than the repeats gets one at a time.
    void sendRepeat(const DVR& dvr, const QString& query, const CommandSubject& subject = {});
    // Forgets this sender's repetitions still queued, so that what follows (a stop) is not
    // delayed by them.
    void dropQueuedRepeats();

    // Applies to the commands sent from now on.
    void setRequestTimeout(int msec) { m_timeoutMs = msec; }
    // This sender's commands queued or in flight.
    int pendingCount() const;

    // "http://<address>:<port>/cgi-bin/webapp.cgi?"
    static QString CgiUrl(const DVR& dvr);
    // The key of a DVR's queue: "<address>:<port>", the address trimmed and in lower case
    // (host names know no case), so that one DVR typed two ways has one queue.
    static QString QueueKey(const DVR& dvr);
    static QString QueueKey(const QString& address, int port);
    // The key of what the program keeps of a DVR across its connections (its stops in the
    // stop ledger, its stream kind): its queue key.
    static std::string DvrKey(const DVR& dvr);

    // A stream's stop command, sent by nobody in particular. Callable from any thread; it
    // is registered in the stop ledger at once, so a later wait sees it, and posted at once,
    // ahead of every waiting command, which it drops when it names `stream` (the client id
    // in the query). Its request waits StopTimings::answerMs for the answer, which the ledger
    // is told.
    static void sendStreamStop(const DVR& dvr, const QString& query, int stream);
    // Whether a stop sent to the DVR is neither answered nor over.
    static bool hasUnansweredStreamStops(const DVR& dvr);
    // The program's stop ledger, with the application thread's waits woken by its changes.
    static CStopLedger& stopLedger();
    // Blocks until every stop of `stops` has reached `need`, at most timeoutMs, or until
    // *cancel is set (and wakeStopWaiters called). On the application's thread it runs the
    // event loop meanwhile, without user input. True when they all reached it.
    static bool waitForStops(const DVR& dvr, const std::vector<uint64_t>& stops, CStopLedger::Need need,
                             int timeoutMs, const std::atomic<bool>* cancel = nullptr);
    // The same for every stream stop sent to the DVR before this call; true when each was
    // answered (not only over: a stop whose request ended unanswered may still be carried out).
    static bool waitForStreamStops(const DVR& dvr, int timeoutMs, const std::atomic<bool>* cancel = nullptr);
    // Likewise until those stops have left (their requests written), at most timeoutMs: a
    // stream dialled then does not overtake them.
    static void waitForStreamStopsSent(const DVR& dvr, int timeoutMs, const std::atomic<bool>* cancel = nullptr);
    // Wakes the stop waits to look at their cancel flags.
    static void wakeStopWaiters();
    // Runs the event loop, without user input, until no command of any DVR is queued or in
    // flight, at most timeoutMs. True when all were sent and answered or failed.
    static bool waitForAllCommands(int timeoutMs);

    // A request of its own (an upload, a read) in its DVR's order, on the application's
    // thread: start(turn) runs once every command sent to the DVR before this call has ended,
    // possibly before this returns. With hold the commands after it wait until endTurn(turn);
    // without, they go as soon as it started. Returns the turn (0: no queue, start ran).
    static quint64 queueTurn(const QString& address, int port, std::function<void(quint64)> start, bool hold);
    // A held turn is over, or a turn not started yet is given up.
    static void endTurn(quint64 turn);

signals:
    void receivedCameraName(cgi::DvrInfo info);
    // The end of every command: NoError, the network error, or TimeoutError when the
    // request time-out gave it up.
    void commandFinished(const QString& query, QNetworkReply::NetworkError error);

private:
    void enqueue(const DVR& dvr, const QString& query, bool repeat, const CommandSubject& subject);

    int m_timeoutMs = DEFAULT_REQUEST_TIMEOUT_MS;
};

// The query as the debug log shows it: the values of USER, ID and PW replaced by "***" (old
// queries carry the account in clear, current ones only Base64-encoded).
QString MaskQueryCredentials(const QString& query);

// The name of a network error for the debug log: the names of codes 0 to 5, else
// "http Error code = <n>".
QString NetworkErrorName(QNetworkReply::NetworkError code);
