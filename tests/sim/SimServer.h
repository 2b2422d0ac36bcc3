#pragma once

// Inside of the simulated DVR: the state shared with the caller's thread, and the request
// decoding. The sockets live in a Worker on the DVR's own thread (SimServer.cpp).

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <thread>

#include "sim/SimDvr.h"

namespace simdvr {

class Worker;

// Standard threads and locks rather than Qt's, so that a thread checker sees every
// hand-over between the DVR's thread and its callers.
class SimServer {
public:
    explicit SimServer(const Config& config);
    ~SimServer();

    bool startServer();
    void stopServer();

    // Queued to the DVR's thread; nothing when the DVR is not running.
    void postLiveStatus();
    void postPacket(uint8_t type, const QByteArray& payload);
    void postRaw(const QByteArray& bytes);
    // Every stream, or the one of that id.
    void postCloseStreams(int id = 0);
    // Waits until the DVR's thread has closed or opened its doors.
    void setRefusing(bool refusing);
    // Waits until the DVR's thread has ended every hold.
    void releaseHeld();

    // Shared state, guarded by `mutex`; `changed` is signalled whenever the log moves.
    mutable std::mutex mutex;
    std::condition_variable changed;
    Config config;
    Misbehaviour mis;
    int misGeneration = 0;
    std::vector<Request> requests;
    std::map<int, StreamInfo> streams;  // by id
    int nextRequestSeq = 1;
    int nextStreamId = 1;
    int streamRequests = 0;
    int heldRequests = 0;
    int64_t totalVideoFrames = 0;
    uint16_t port = 0;
    bool running = false;

    // Under `mutex`: the stream of that id, or null.
    StreamInfo* findStream(int id);

    // On the DVR's thread: runs the queued tasks; true when the DVR is to stop.
    bool runTasks();

private:
    void run();
    // Queues f for the DVR's thread, which runs it within a few milliseconds; nothing when
    // the DVR is not running.
    void post(std::function<void(Worker*)> f);
    // Runs f on the DVR's thread and waits until it ran (or the DVR stopped).
    void postAndWait(std::function<void(Worker*)> f);

    std::thread m_thread;
    Worker* m_worker = nullptr;       // lives on the DVR's thread while it runs
    std::deque<std::function<void(Worker*)>> m_tasks;
    bool m_started = false;
    bool m_listenOk = false;
};

// Request decoding (SimRequest.cpp).

// Reads the request line and header lines of `head` (up to and including the blank line).
// False when the request line is not "<METHOD> <target>[ <version>]".
bool ParseHead(const QByteArray& head, Request* r);
// Splits r->query into parameters and decodes MODE, USER and DATA or the old plain keys.
void DecodeParams(Request* r);
// Splits a multipart body into the file part and the other fields (as parameters), then
// decodes them like a query. False when the body is not well-formed multipart.
bool ParseMultipart(Request* r);
// The message type a current-protocol mode carries ("cgi.Live", ...); empty for none.
std::string MessageTypeOfMode(int mode);

}  // namespace simdvr
