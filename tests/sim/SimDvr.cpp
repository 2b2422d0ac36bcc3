// The caller's side of the simulated DVR: configuration, the log and the waits.
#include "sim/SimDvr.h"

#include <chrono>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include "sim/SimServer.h"

namespace simdvr {

CSimDvr::CSimDvr(const Config& config) : m_server(new SimServer(config)) {}

CSimDvr::~CSimDvr()
{
    stop();
}

bool CSimDvr::start()
{
    return m_server->startServer();
}

void CSimDvr::stop()
{
    m_server->stopServer();
}

uint16_t CSimDvr::port() const
{
    std::unique_lock<std::mutex> lock(m_server->mutex);
    return m_server->port;
}

Config CSimDvr::config() const
{
    std::unique_lock<std::mutex> lock(m_server->mutex);
    return m_server->config;
}

void CSimDvr::setConfig(const Config& config)
{
    std::unique_lock<std::mutex> lock(m_server->mutex);
    const uint16_t port = m_server->config.port;
    m_server->config = config;
    if (m_server->running)
        m_server->config.port = port;  // the bound port stays
}

Misbehaviour CSimDvr::misbehaviour() const
{
    std::unique_lock<std::mutex> lock(m_server->mutex);
    return m_server->mis;
}

void CSimDvr::setMisbehaviour(const Misbehaviour& m)
{
    std::unique_lock<std::mutex> lock(m_server->mutex);
    m_server->mis = m;
    m_server->misGeneration++;
}

void CSimDvr::setLiveStatus(uint32_t record, uint32_t vloss, uint32_t motion, uint32_t sensor)
{
    {
        std::unique_lock<std::mutex> lock(m_server->mutex);
        m_server->config.recordMask = record;
        m_server->config.vlossMask = vloss;
        m_server->config.motionMask = motion;
        m_server->config.sensorMask = sensor;
    }
    m_server->postLiveStatus();
}

void CSimDvr::sendPacket(uint8_t dataType, const QByteArray& payload)
{
    m_server->postPacket(dataType, payload);
}

void CSimDvr::sendRaw(const QByteArray& bytes)
{
    m_server->postRaw(bytes);
}

void CSimDvr::closeStreams()
{
    m_server->postCloseStreams();
}

void CSimDvr::closeStream(int id)
{
    m_server->postCloseStreams(id);
}

void CSimDvr::setRefusing(bool refusing)
{
    m_server->setRefusing(refusing);
}

std::vector<Request> CSimDvr::requests() const
{
    std::unique_lock<std::mutex> lock(m_server->mutex);
    return m_server->requests;
}

std::vector<StreamInfo> CSimDvr::streams() const
{
    std::unique_lock<std::mutex> lock(m_server->mutex);
    std::vector<StreamInfo> out;
    out.reserve(m_server->streams.size());
    for (const auto& s : m_server->streams)
        out.push_back(s.second);
    return out;
}

StreamInfo CSimDvr::stream(int id) const
{
    std::unique_lock<std::mutex> lock(m_server->mutex);
    auto it = m_server->streams.find(id);
    if (it == m_server->streams.end()) {
        StreamInfo none;
        none.open = false;
        return none;
    }
    return it->second;
}

void CSimDvr::clearLog()
{
    std::unique_lock<std::mutex> lock(m_server->mutex);
    m_server->requests.clear();
    for (auto it = m_server->streams.begin(); it != m_server->streams.end();) {
        if (it->second.open)
            ++it;
        else
            it = m_server->streams.erase(it);
    }
}

bool CSimDvr::waitUntil(const std::function<bool()>& cond, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (true) {
        if (cond())
            return true;
        if (deadline.hasExpired())
            return false;
        if (QCoreApplication::instance() && QThread::currentThread()->eventDispatcher())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        std::unique_lock<std::mutex> lock(m_server->mutex);
        const qint64 left = deadline.remainingTime();
        m_server->changed.wait_for(lock, std::chrono::milliseconds(left < 0 || left > 5 ? 5 : left));
    }
}

bool CSimDvr::waitForRequest(const std::function<bool(const Request&)>& pred, int timeoutMs, Request* out)
{
    // Every request each time: a held one changes when it is answered.
    return waitUntil(
        [&] {
            std::unique_lock<std::mutex> lock(m_server->mutex);
            for (const Request& r : m_server->requests) {
                if (pred(r)) {
                    if (out)
                        *out = r;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
}

bool CSimDvr::waitForStreams(int count, int timeoutMs)
{
    return waitUntil(
        [&] {
            std::unique_lock<std::mutex> lock(m_server->mutex);
            return m_server->streamRequests >= count;
        },
        timeoutMs);
}

bool CSimDvr::waitForVideoFrames(int64_t count, int timeoutMs)
{
    return waitUntil([&] { return totalVideoFrames() >= count; }, timeoutMs);
}

int64_t CSimDvr::totalVideoFrames() const
{
    std::unique_lock<std::mutex> lock(m_server->mutex);
    return m_server->totalVideoFrames;
}

int CSimDvr::heldRequests() const
{
    std::unique_lock<std::mutex> lock(m_server->mutex);
    return m_server->heldRequests;
}

void CSimDvr::releaseHeld()
{
    m_server->releaseHeld();
}

qint64 CSimDvr::nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace simdvr
