#include "HttpConnect.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include <QDateTime>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QMutexLocker>
#include <QTcpSocket>

#include "Common/DateTime.h"
#include "Common/Frame.h"
#include "Common/TextCodec.h"
#include "Common/ThreadEnd.h"
#include "OldQuery.h"
#include "SendCommand.h"
#include "StopLedger.h"
#include "StopTimings.h"
#include "StreamKinds.h"
#include "dvr_protocol/cgi_metatypes.h"
#include "dvr_protocol/cgi_protocol.h"
#include "dvr_protocol/parser.h"
#include "dvr_types/model_info.h"

namespace {

// Old-protocol packet types.
enum OldDataType {
    OLD_RESPONSE = 1,
    OLD_AUDIO_FIRST = 2,
    OLD_AUDIO_LAST = 4,
    OLD_VIDEO_FIRST = 10,
    OLD_VIDEO_LAST = 13,
    OLD_DVR_RECORD = 20,
};

constexpr int MAX_CHANNELS = 16;
constexpr int OLD_NAME_SLOT = 13;
constexpr int OLD_NAMES_OFFSET = 6;
// How long one wait for data or for the connection lasts; bounds how late a stop is seen.
constexpr int WAIT_SLICE_MS = 100;

// The no-packet clock of a stream: monotonic, so a change of the PC's clock neither fires
// nor delays it.
struct TimeoutChecker {
    qint64 limitMs = 0;
    QElapsedTimer start;  // invalid: not running

    // Starts the clock when it is not running (answering false); otherwise whether the limit
    // has passed since it started.
    bool IsTimeout()
    {
        if (!start.isValid()) {
            start.start();
            return false;
        }
        return start.elapsed() > limitMs;
    }
    void Clear() { start.invalidate(); }
};

uint32_t PacketLength(const cgi::PacketHeader& header, bool bigEndian)
{
    const uint32_t v = header.length;
    if (!bigEndian)
        return v;
    return ((v & 0xFF) << 24) | ((v & 0xFF00) << 8) | ((v >> 8) & 0xFF00) | (v >> 24);
}

QString TimeText(int64_t dvrTime)
{
    return CDateTime::convert_Timet_QDateTime(static_cast<time_t>(dvrTime))
        .toString(QLatin1String(CDateTime::DISPLAY_TIME_FORMAT));
}

bool Bit(uint64_t mask, int channel) { return (mask >> channel) & 1u; }

// Model of a DVR that did not name a known one, by its channel count; 0 keeps the old model.
uint32_t ModelByChannels(uint32_t channels, bool oldProtocol)
{
    switch (channels) {
    case 4: return 6;
    case 8: return oldProtocol ? 7 : 5;
    case 16: return oldProtocol ? 8 : 4;
    default: return 0;
    }
}

}  // namespace

CHttpConnect::CHttpConnect(QObject* parent) : QThread(parent)
{
    qRegisterMetaType<QAbstractSocket::SocketError>("QAbstractSocket::SocketError");
    cgi::RegisterMetaTypes();
    RegisterDisplayDvrInfoMetaType();
    qRegisterMetaType<EMap_Status::ENUM>("EMap_Status::ENUM");
}

CHttpConnect::~CHttpConnect()
{
    // A stream left to end by itself: its thread's last signal posted this deletion.
    ThreadCheck::TakeOver(this);
    if (isRunning())
        Disconnect();
    if (!joinThread()) {
        // A running QThread cannot be destroyed: the owners that cannot wait use Dispose().
        qWarning("Stream: deleted while its thread runs; waiting for it");
        wait();
    }
}

void CHttpConnect::Dispose(CHttpConnect* stream, const std::shared_ptr<QObject>& keep)
{
    if (!stream)
        return;
    stream->disconnect();
    if (stream->isRunning())
        stream->Disconnect();
    if (!stream->isRunning()) {
        delete stream;
        return;
    }
    qWarning("Stream: %s is left to end by itself and deleted then", qPrintable(stream->m_cfg.host));
    stream->setParent(nullptr);
    // The connection holds `keep` until the stream goes.
    connect(stream, &QObject::destroyed, [keep] {});
    DeleteWhenFinished(stream);
}

// ---- Operations (owner's thread) ---------------------------------------------------------

QByteArray CHttpConnect::buildRequest(const DVR& dvr, const ConnParam& param) const
{
    QString query;
    if (dvr.old_protocol()) {
        switch (param.mode) {
        case 0: query = COldQuery::Live(dvr, param.codec); break;
        case 1: query = COldQuery::Playback(dvr, param.startTime); break;
        case 2: query = COldQuery::Backup(dvr, param.startTime, param.endTime); break;
        default: break;
        }
    } else {
        cgi::User user;
        user.set_name(dvr.id());
        user.set_password(dvr.password());
        std::string out;
        switch (param.mode) {
        case 0: {
            cgi::Live live;
            if (cgi::Codec_IsValid(param.codec))
                live.set_codec(static_cast<cgi::Codec>(param.codec));
            live.set_vchmask(dvr.bit_ch());
            live.set_achmask(param.emapLive || !param.audio ? 0 : dvr.bit_ch());
            live.set_header_only_mask(param.emapLive ? dvr.bit_ch() : 0);
            cgi::Data2Url(cgi::MODE_LIVE, user, live, &out);
            break;
        }
        case 1: {
            cgi::Playback playback;
            playback.set_start_time(static_cast<uint32_t>(param.startTime));
            playback.set_vchmask(dvr.bit_ch());
            playback.set_achmask(param.audio ? dvr.bit_ch() : 0);
            playback.set_skip_mode(param.playbackMode);
            cgi::Data2Url(cgi::MODE_PLAYBACK, user, playback, &out);
            break;
        }
        case 2: {
            cgi::Backup backup;
            backup.set_start_time(static_cast<uint32_t>(param.startTime));
            backup.set_end_time(static_cast<uint32_t>(param.endTime));
            backup.set_chmask(dvr.bit_ch());
            cgi::Data2Url(cgi::MODE_BACKUP, user, backup, &out);
            break;
        }
        default: break;
        }
        query = QString::fromStdString(out);
    }
    return "GET /cgi-bin/webapp.cgi?" + query.toLatin1() + "\r\n\r\n";
}

bool CHttpConnect::prepareRun(const DVR& dvr, const ConnParam& param, bool audioConnection)
{
    // The stop query of a running stream is built from its own settings.
    if (isRunning())
        Disconnect();
    // A run left behind still reads the settings: they stay until it has ended.
    if (isRunning()) {
        setConnectionFailed(tr("Connection failed"));
        return false;
    }

    m_cfg.host = QString::fromStdString(dvr.address());
    m_cfg.port = static_cast<quint16>(dvr.port());
    m_cfg.oldProtocol = dvr.old_protocol();
    m_cfg.mode = param.mode;
    m_cfg.audioConnection = audioConnection;
    m_cfg.backupEnd = param.endTime;
    m_cfg.audio = param.audio;
    m_param = param;
    m_quickEnds = 0;
    m_resumedPlayback = false;
    m_lastFrameTime = 0;
    m_reopen = false;
    {
        QMutexLocker lock(&m_lock);
        m_dvr = dvr;
        m_info.displayMode = param.mode == 0 ? DISPLAY_MODE::LIVE : DISPLAY_MODE::REMOTE_PLAYBACK;
        // The audio stream's frames are checked against both, as the video stream's are.
        m_info.channelMask = dvr.bit_ch();
        m_info.dvrName = QString::fromStdString(dvr.name());
        m_info.status.clear();
        // The frames' header kind is known from the start, not only from the DVR record.
        m_info.oldProtocol = dvr.old_protocol();
    }
    return true;
}

void CHttpConnect::Connect(const DVR& listed, const ConnParam& param)
{
    const DVR dvr = StreamKinds::withKnownKind(listed);
    if (!prepareRun(dvr, param, false))
        return;
    m_cfg.emapLive = param.emapLive;
    m_cfg.request = buildRequest(dvr, param);
    startThread();
}

void CHttpConnect::audioConnect(const DVR& listed, const ConnParam& param, int clientId)
{
    const DVR dvr = StreamKinds::withKnownKind(listed);
    if (!prepareRun(dvr, param, true))
        return;
    m_cfg.emapLive = false;
    m_cfg.request = "GET /cgi-bin/webapp.cgi?" +
                    COldQuery::Audio(dvr, param.mode, param.codec, clientId).toLatin1() + "\r\n\r\n";
    if (m_clientId < 0)
        m_clientId = clientId;
    startThread();
}

void CHttpConnect::startThread()
{
    // A run that ended by itself is taken over before the next one starts; one that does not
    // end is left, and this connection fails until it has.
    if (!joinThread()) {
        setConnectionFailed(tr("Connection failed"));
        return;
    }
    m_stop = false;
    m_backupEndReported = false;
    m_backupLastFrame = 0;
    m_restartCounter = 3;
    ++m_runId;
    start(InheritPriority);
}

void CHttpConnect::stopThread()
{
    m_clientId = -1;
    m_connected = false;
    m_stop = true;
    // A run waiting for the DVR's stops gives up at once.
    CSendCommand::wakeStopWaiters();
    ++m_runId;
    joinThread();
}

bool CHttpConnect::joinThread()
{
    if (!wait(QDeadlineTimer(JOIN_WAIT_MS))) {
        qWarning("Stream: the thread of %s did not end within %d ms; it is left running",
                 qPrintable(m_cfg.host), JOIN_WAIT_MS);
        return false;
    }
    (void)m_runsEnded.load(std::memory_order_acquire);
    return true;
}

void CHttpConnect::Disconnect()
{
    sendStop();
    stopThread();
}

void CHttpConnect::tryConnect()
{
    if (isRunning())
        return;
    startThread();
}

QString CHttpConnect::buildStopQuery(int cid) const
{
    if (cid < 0)
        return QString();
    if (m_cfg.oldProtocol)
        return COldQuery::StreamStop(m_cfg.audioConnection ? cid + 100 : cid);

    cgi::User user;
    {
        QMutexLocker lock(&m_lock);
        user.set_name(m_dvr.id());
        user.set_password(m_dvr.password());
    }
    cgi::StreamStop stop;
    stop.set_stream_id(static_cast<uint32_t>(cid));
    std::string out;
    cgi::Data2Url(cgi::MODE_STREAM_STOP, user, stop, &out);
    return QString::fromStdString(out);
}

void CHttpConnect::sendStop()
{
    // The id goes with the one stop that ends its stream: a DVR that reuses ids would end
    // a newer stream with a second one.
    const int cid = m_clientId.exchange(-1);
    const QString query = buildStopQuery(cid);
    if (query.isEmpty())
        return;
    // The id the stream's commands name: the stop drops those still waiting.
    const int stream = m_cfg.audioConnection ? cid + 100 : cid;
    qDebug("SEND STOP");
    DVR dvr;
    {
        QMutexLocker lock(&m_lock);
        dvr = m_dvr;
    }
    // Through the DVR's command queue, which posts it at once: it still goes out when this
    // object is deleted right after, and the next stream to this DVR waits for its answer.
    CSendCommand::sendStreamStop(dvr, query, stream);
}

void CHttpConnect::setDisplayScreen(int start, int count)
{
    QMutexLocker lock(&m_lock);
    m_info.startScreen = start;
    m_info.screenCount = count;
}

int CHttpConnect::getStartScreen() const
{
    QMutexLocker lock(&m_lock);
    return m_info.startScreen;
}

int CHttpConnect::getEndScreen() const
{
    QMutexLocker lock(&m_lock);
    return m_info.startScreen + m_info.screenCount;
}

void CHttpConnect::SetRecordPtr(CFrameRecorder* record)
{
    QMutexLocker lock(&m_recordLock);
    m_record = record;
}

int CHttpConnect::getDVRChannels() const
{
    QMutexLocker lock(&m_lock);
    return static_cast<int>(m_dvrInfo.ch_num());
}

int CHttpConnect::getProtocolType() const
{
    QMutexLocker lock(&m_lock);
    return m_dvr.protocol_type();
}

DISPLAY_DVR_INFO CHttpConnect::snapshot() const
{
    QMutexLocker lock(&m_lock);
    return m_info;
}

void CHttpConnect::UpdateConnectedDVRStatus()
{
    if (m_cfg.mode == 0 && m_cfg.emapLive) {
        const QString now =
            QDateTime::currentDateTime().toString(QLatin1String(CDateTime::DISPLAY_TIME_FORMAT));
        for (int ch = 0; ch < MAX_CHANNELS; ++ch)
            emit signalEMapStatus(ch, now, false, EMap_Status::DISCONNECTED);
        return;
    }
    emit signalConnectedDVRStatus(snapshot());
}

void CHttpConnect::setConnectionFailed(const QString& text)
{
    {
        QMutexLocker lock(&m_lock);
        if (m_info.status.isEmpty())
            m_info.status = text;
    }
    UpdateConnectedDVRStatus();
    emit signalConnectionFailed();
}

QString CHttpConnect::getErrMessage(int code) const { return getErrMessage(code, m_cfg.oldProtocol); }

QString CHttpConnect::getErrMessage(int code, bool oldProtocol)
{
    if (oldProtocol) {
        switch (code) {
        case 1: return tr("[ERROR]user unknown");
        case 2: return tr("[ERROR]password miss");
        case 3: return tr("[ERROR]protocol version");
        case 4: return tr("[ERROR]client limit");
        case 5: return tr("[ERROR]super exist");
        case 6: return tr("[ERROR]no video data");
        case 7: return tr("[ERROR]no video channel");
        case 10: return tr("[ERROR]mpeg push end");
        case 14: return tr("[ERROR]connection timeout");
        default: return tr("[ERROR]unknown");
        }
    }
    switch (code) {
    case cgi::ERR_NONE: return QString();
    case cgi::ERR_USER_UNKNOWN: return tr("[ERROR]user unknown");
    case cgi::ERR_PASSWORD_MISS: return tr("[ERROR]password miss");
    case cgi::ERR_CLIENT_LIMIT: return tr("[ERROR]client limit");
    case cgi::ERR_PERMISSION_DENIED: return tr("[ERROR]permission denied");
    case cgi::ERR_NETWORK_TIMEOUT: return tr("[ERROR]network timeout");
    case cgi::ERR_CODE_6: return tr("[ERROR]request refused");
    default: return tr("[ERROR]unknown");
    }
}

// ---- The DVR closed the stream (owner's thread) ------------------------------------------

void CHttpConnect::onStreamClosed(quint64 runId)
{
    // A close from a run that was stopped or replaced meanwhile means nothing any more.
    if (runId != m_runId)
        return;
    slotDisconnected();
}

bool CHttpConnect::keepsClosing()
{
    if (m_lastRunMs >= QUICK_END_MS) {
        m_quickEnds = 0;
        return false;
    }
    if (++m_quickEnds < QUICK_ENDS_TO_FAIL)
        return false;
    m_quickEnds = 0;
    return true;
}

void CHttpConnect::slotDisconnected()
{
    qDebug("CHttpConnect httpFinished\n");
    ++m_restartCounter;
    // No stop for a stream its DVR ended: a DVR that reuses ids would end the next stream
    // with it, as late as the DVR carries it out.
    m_clientId = -1;
    const bool lateStop = m_lastRunLateStop.exchange(false);
    const bool resumed = std::exchange(m_resumedPlayback, false);
    stopThread();

    // Every whole packet of a run sets the counter to 0 (not on backups), so a value
    // below 3 now means that data arrived since the last start.
    const bool hadData = m_restartCounter < 3;
    if (m_cfg.audioConnection)
        return;
    if (m_cfg.mode == 2) {
        // A stop of ours cut it short: it goes on from the second it had reached.
        if (lateStop && m_backupLastFrame > 0) {
            reopen(true);
            return;
        }
        // The backup is over for whoever follows its progress, and the operator is told
        // whether it got to its end; once, even when a frame past the end told it first.
        if (!m_backupEndReported.exchange(true)) {
            emit backupEnded(m_cfg.backupEnd != 0 && m_backupLastFrame >= m_cfg.backupEnd);
            emit updateBackupProgress(-1);
        }
        return;
    }
    if (m_cfg.mode == 1 && !isRecording() && !(hadData && lateStop)) {
        // One resumed after a stop of ours may have had nothing left to play.
        if (!hadData && !resumed)
            setConnectionFailed(tr("Connection failed"));
        else
            emit playbackEnded();
        return;
    }
    if (hadData && !keepsClosing()) {
        // Until the next stream's first picture the last one is not live any more.
        UpdateConnectedDVRStatus();
        m_resumedPlayback = m_cfg.mode == 1 && lateStop;
        reopen(true);
        return;
    }
    setConnectionFailed(tr("Connection failed"));
}

void CHttpConnect::reopen(bool fromReached)
{
    const int64_t reached = m_cfg.mode == 2 ? int64_t(m_backupLastFrame) : int64_t(m_lastFrameTime);
    if (fromReached && m_cfg.mode != 0 && !m_cfg.audioConnection && reached > 0) {
        ConnParam param = m_param;
        param.startTime = reached;
        m_cfg.request = buildRequest(dvrCopy(), param);
    }
    // Whatever the ledger judged: the stop that may have ended the stream is spent.
    m_reopen = true;
    startThread();
}

QString CHttpConnect::backupEndText(bool complete)
{
    return complete ? tr("The backup is complete.") : tr("There is no more backup data. Or Connection failed");
}

void CHttpConnect::slotError(QAbstractSocket::SocketError code)
{
    switch (code) {
    case QAbstractSocket::ConnectionRefusedError: qDebug("ConnectionRefusedError"); break;
    case QAbstractSocket::RemoteHostClosedError: qDebug("RemoteHostClosedError"); break;
    case QAbstractSocket::HostNotFoundError: qDebug("HostNotFoundError"); break;
    case QAbstractSocket::SocketAccessError: qDebug("SocketAccessError"); break;
    case QAbstractSocket::SocketTimeoutError: break;
    default: qDebug("socket Error code = %d", int(code)); break;
    }
}

// ---- Stream thread -----------------------------------------------------------------------

void CHttpConnect::run()
{
    const quint64 runId = m_runId;
    m_runRequest = m_cfg.request;
    while (runOnce(runId) == RunEnd::Restart && !m_stop) {
    }
    m_runsEnded.fetch_add(1, std::memory_order_release);
}

CHttpConnect::RunEnd CHttpConnect::runOnce(quint64 runId)
{
    // A DVR may give the new stream the id of the old one: a stop that arrived after the
    // new request would end the new stream.
    if (!waitForStops(m_reopen.exchange(false)))
        return RunEnd::Stopped;

    RunState run;
    run.ledgerKey = CSendCommand::DvrKey(dvrCopy());
    run.ledgerRun = CSendCommand::stopLedger().dialled(run.ledgerKey);
    QTcpSocket socket;
    socket.setReadBufferSize(SOCKET_READ_BUFFER_SIZE);
    // Made on this thread, called and freed on the owner's.
    connect(&socket, &QAbstractSocket::errorOccurred, this,
            CalledElsewhere([this](QAbstractSocket::SocketError code) { slotError(code); }), Qt::QueuedConnection);
    socket.connectToHost(m_cfg.host, m_cfg.port, QIODevice::ReadWrite);
    run.dialed.start();
    socket.write(m_runRequest);

    CReceiveBuffer buffer(RECEIVE_BUFFER_SIZE, RECEIVE_BUFFER_SLACK, &m_receiveMoved, &m_receiveReach);
    if (buffer.isNull())
        qDebug("no memory for the receive buffer");
    const cgi::Parser parser(m_cfg.oldProtocol);

    TimeoutChecker timeout;
    timeout.limitMs = m_noPacketTimeoutMs;
    bool timeoutReported = false;
    bool wasConnected = false;
    RunEnd end = RunEnd::Stopped;

    while (!m_stop) {
        // Junk that never forms a packet must not keep the time-out away, so this is
        // checked on every pass.
        if (!timeoutReported && timeout.IsTimeout()) {
            timeoutReported = true;
            setConnectionFailed(tr("Connection failed"));
        }
        if (buffer.isNull()) {
            QThread::msleep(WAIT_SLICE_MS);
            continue;
        }
        if (socket.state() == QAbstractSocket::ConnectedState)
            wasConnected = true;

        if (socket.bytesAvailable() > 0) {
            const qint64 want = std::min(socket.bytesAvailable(), static_cast<qint64>(buffer.room()));
            const qint64 n = socket.read(reinterpret_cast<char*>(buffer.reserve(size_t(want))), want);
            if (n <= 0) {
                qDebug("socket read error\n");
                QThread::msleep(WAIT_SLICE_MS);
                continue;
            }
            wasConnected = true;
            buffer.grow(static_cast<size_t>(n));

            const Cut cut = cutPackets(run, parser, buffer);
            if (cut.packets)
                timeout.Clear();
            if (cut.restart) {
                // The stream kind became known and asks for another request: the DVR's stream
                // is stopped and opened anew with it.
                sendStop();
                m_clientId = -1;
                m_connected = false;
                m_restartCounter = 3;
                end = RunEnd::Restart;
                break;
            }
            continue;
        }

        switch (socket.state()) {
        case QAbstractSocket::ConnectedState:
            socket.waitForReadyRead(WAIT_SLICE_MS);
            break;
        case QAbstractSocket::HostLookupState:
        case QAbstractSocket::ConnectingState:
            socket.waitForConnected(WAIT_SLICE_MS);
            break;
        case QAbstractSocket::UnconnectedState:
            // Connected and closed again before this pass saw it.
            if (socket.error() == QAbstractSocket::RemoteHostClosedError)
                wasConnected = true;
            if (!wasConnected) {
                // Refused, no such host, no route: the DVR is not there, and the socket
                // never dials again by itself.
                setConnectionFailed(tr("Connection failed"));
                end = RunEnd::Failed;
                break;
            }
            if (socket.bytesAvailable() == 0) {
                m_lastRunMs = run.dialed.elapsed();
                m_lastRunLateStop = CSendCommand::stopLedger().ended(run.ledgerKey, run.ledgerRun)
                                    == CStopLedger::EndCause::LateStop;
                run.ledgerRun = 0;
                // Everything the DVR sent has been handled: tell the owner.
                // By name, so the queued call is built inside Qt and nothing this thread
                // allocated is freed by the owner's thread.
                QMetaObject::invokeMethod(this, "onStreamClosed", Qt::QueuedConnection,
                                          Q_ARG(quint64, runId));
                end = RunEnd::Closed;
                break;
            }
            QThread::msleep(WAIT_SLICE_MS);
            break;
        default:
            socket.waitForDisconnected(WAIT_SLICE_MS);
            break;
        }
        if (end == RunEnd::Closed || end == RunEnd::Failed)
            break;
    }

    socket.disconnect();
    socket.abort();
    if (run.ledgerRun)
        CSendCommand::stopLedger().left(run.ledgerKey, run.ledgerRun);
    return end;
}

CHttpConnect::Cut CHttpConnect::cutPackets(RunState& run, const cgi::Parser& parser, CReceiveBuffer& buffer)
{
    // Cut every whole packet; a corrupt one costs only its start code.
    Cut cut;
    const unsigned char* const bufEnd = buffer.end();
    const unsigned char* pos = buffer.begin();
    const unsigned char* keep = bufEnd;
    while (!m_stop) {
        const unsigned char* stx = nullptr;
        const unsigned char* etx = nullptr;
        if (parser.FindPacket(pos, bufEnd, &stx, &etx)) {
            cut.packets = true;
            if (m_cfg.mode != 2)
                m_restartCounter = 0;
            const cgi::PacketHeader header = parser.GetPayLoad(stx);
            const PacketResult r = dispatch(run, header.client_id, header.data_type, parser.GetDataPoint(stx),
                                            parser.GetDataSize(stx, etx));
            pos = etx + cgi::Parser::ETX_SIZE;
            if (r == PacketResult::Restart) {
                cut.restart = true;
                return cut;
            }
            continue;
        }
        if (etx > bufEnd) {  // corrupt: resume past its start code
            pos = stx;
            continue;
        }
        if (stx == bufEnd) {  // no start code: it may be cut by the read boundary
            keep = bufEnd - std::min<ptrdiff_t>(3, bufEnd - pos);
            break;
        }
        // Incomplete. A packet that can never fit the buffer is as good as corrupt.
        if (bufEnd - stx >= cgi::Parser::HEADER_SIZE) {
            const uint64_t total = uint64_t(PacketLength(parser.GetPayLoad(stx), m_cfg.oldProtocol)) +
                                   cgi::Parser::PACKET_OVERHEAD;
            if (total > uint64_t(RECEIVE_BUFFER_SIZE)) {
                pos = stx + cgi::Parser::STX_SIZE;
                continue;
            }
        }
        keep = stx;
        break;
    }
    buffer.dropBefore(keep);
    return cut;
}

DVR CHttpConnect::dvrCopy() const
{
    QMutexLocker lock(&m_lock);
    return m_dvr;
}

bool CHttpConnect::waitForStops(bool reopen)
{
    const DVR dvr = dvrCopy();
    const std::string key = CSendCommand::DvrKey(dvr);
    CStopLedger& ledger = CSendCommand::stopLedger();
    const CStopLedger::DialAdvice advice = ledger.beforeDial(key, reopen);
    if (advice.need == CStopLedger::Need::Sent) {
        CSendCommand::waitForStops(dvr, advice.stops, advice.need, advice.timeoutMs, &m_stop);
        return !m_stop;
    }
    showStopWait(true);
    const bool over = CSendCommand::waitForStops(dvr, advice.stops, advice.need, advice.timeoutMs, &m_stop);
    if (!m_stop) {
        const bool answered = over && ledger.answeredAll(key, advice.stops);
        if (!answered)
            qDebug("stream stop not answered in time");
        ledger.waitEnded(key, advice, answered);
    }
    showStopWait(false);
    return !m_stop;
}

void CHttpConnect::showStopWait(bool waiting)
{
    {
        QMutexLocker lock(&m_lock);
        m_info.waitText = waiting ? tr("Waiting for the DVR to end the last stream") : QString();
    }
    emit waitingForStops(waiting);
    UpdateConnectedDVRStatus();
}

CHttpConnect::PacketResult CHttpConnect::dispatch(RunState& run, uint8_t clientId, uint8_t dataType,
                                                  const unsigned char* payload, size_t len)
{
    const bool isVideo = m_cfg.oldProtocol ? (dataType >= OLD_VIDEO_FIRST && dataType <= OLD_VIDEO_LAST)
                                           : dataType == cgi::DATA_VIDEO;
    if (isVideo) {
        // Once per run: packets read before the thread sees a stop must not bring back
        // the id that stop took.
        if (!run.clientIdSeen) {
            run.clientIdSeen = true;
            int none = -1;
            if (m_clientId.compare_exchange_strong(none, clientId))
                CSendCommand::stopLedger().learnedId(run.ledgerKey, run.ledgerRun, clientId);
        }
        return receivedVideo(run, payload, len);
    }
    if (m_cfg.oldProtocol) {
        if (dataType == OLD_RESPONSE)
            receivedResponse(payload, len);
        else if (dataType >= OLD_AUDIO_FIRST && dataType <= OLD_AUDIO_LAST)
            receivedAudio(payload, len);
        else if (dataType == OLD_DVR_RECORD)
            receivedDVRInfo(payload, len);
        return PacketResult::Next;
    }
    switch (dataType) {
    case cgi::DATA_RESPONSE: receivedResponse(payload, len); break;
    case cgi::DATA_DVR_INFO: receivedDVRInfo(payload, len); break;
    case cgi::DATA_AUDIO: receivedAudio(payload, len); break;
    case cgi::DATA_LIVE_STATUS: receivedLiveStatus(payload, len); break;
    case cgi::DATA_PB_STATUS: receivedPbStatus(payload, len); break;
    default: break;
    }
    return PacketResult::Next;
}

bool CHttpConnect::isRecording()
{
    QMutexLocker lock(&m_recordLock);
    return m_record && m_record->isRecording();
}

void CHttpConnect::receivedResponse(const unsigned char* payload, size_t len)
{
    if (m_cfg.mode != 0 && isRecording())
        return;
    QString text;
    if (len == 1) {
        text = getErrMessage(payload[0]);
        if (text.isEmpty())
            return;
    }
    setConnectionFailed(text);
}

void CHttpConnect::receivedDVRInfo(const unsigned char* payload, size_t len)
{
    QMutexLocker lock(&m_lock);
    if (!m_cfg.oldProtocol) {
        // A payload that does not parse completely is used for what it holds.
        m_dvrInfo.ParseFromArray(payload, static_cast<int>(std::min<size_t>(len, INT32_MAX)));
        if (DvrModel::IsValid(static_cast<int>(std::min<uint32_t>(m_dvrInfo.model(), INT32_MAX))))
            m_info.model = m_dvrInfo.model();
        else if (const uint32_t model = ModelByChannels(m_dvrInfo.ch_num(), false))
            m_info.model = model;
        m_info.oldProtocol = false;
    } else {
        unsigned char record[OLD_DVR_RECORD_SIZE] = {};
        std::memcpy(record, payload, std::min<size_t>(len, OLD_DVR_RECORD_SIZE));
        m_dvrInfo.set_ch_num(record[0]);
        m_dvrInfo.set_available_chmask(uint32_t(record[2]) << 8 | record[3]);
        // The record names every channel afresh; names of an earlier record would shadow them.
        m_dvrInfo.clear_ch_name();
        for (int ch = 0; ch < MAX_CHANNELS; ++ch) {
            const char* slot = reinterpret_cast<const char*>(record + OLD_NAMES_OFFSET + ch * OLD_NAME_SLOT);
            m_dvrInfo.add_ch_name(std::string(slot, strnlen(slot, OLD_NAME_SLOT)));
        }
        m_info.oldProtocol = true;
    }
    m_info.authorityMask = m_dvrInfo.available_chmask();
    const int names = std::min<int>({int(std::min<uint32_t>(m_dvrInfo.ch_num(), MAX_CHANNELS)),
                                     m_dvrInfo.ch_name_size()});
    for (int ch = 0; ch < names; ++ch)
        m_info.channelNames[ch] = CTextCodec::FromEucKr(m_dvrInfo.ch_name(ch));
    const cgi::DvrInfo learned = m_dvrInfo;
    lock.unlock();

    // A recorder attached before the stream began has not heard of this DVR yet.
    QMutexLocker recordLock(&m_recordLock);
    if (m_record)
        m_record->setDvrInfo(learned);
}

bool CHttpConnect::takeLearnedKind(int kind)
{
    const DVR dvr = dvrCopy();
    StreamKinds::learned(dvr, kind);
    const QByteArray request = buildRequest(dvr, m_param);
    if (request == m_runRequest)
        return false;
    m_runRequest = request;
    return true;
}

CHttpConnect::PacketResult CHttpConnect::receivedVideo(RunState& run, const unsigned char* payload, size_t len)
{
    FrameFacts frame;
    if (!ReadFrameHeader(m_cfg.oldProtocol, payload, len, &frame))
        return PacketResult::Next;
    const int channel = frame.channel;
    const int height = frame.resolution.height;
    const int64_t frameTime = frame.time.sec;
    const bool fits = frame.fits;
    bool record = false, motion = false, sensor = false, videoLoss = false;
    DISPLAY_DVR_INFO info;

    if (!frame.oldHeader) {
        info = snapshot();
        record = Bit(info.recordMask, channel);
        motion = Bit(info.motionMask, channel);
        sensor = Bit(info.sensorMask, channel);
        videoLoss = Bit(info.videoLossMask, channel);
    } else {
        record = frame.info & 0x20;
        motion = frame.info & 0x08;
        sensor = frame.info & 0x10;
        videoLoss = Bit(frame.videoLoss, channel);
        bool learnedKind = false;
        {
            QMutexLocker lock(&m_lock);
            if (m_cfg.mode == 1)
                m_info.pbMode = frame.pbMode;
            if (CUFrame::IsValidModel(frame.model))
                m_info.model = static_cast<uint32_t>(frame.model);
            else if (const uint32_t model = ModelByChannels(m_dvrInfo.ch_num(), true))
                m_info.model = model;
            m_dvrInfo.set_model(m_info.model);
            if (m_dvr.protocol_type() == 0) {
                m_dvr.set_protocol_type(frame.protocolType);
                learnedKind = true;
            }
            info = m_info;
        }
        if (learnedKind && takeLearnedKind(frame.protocolType))
            return PacketResult::Restart;
    }
    m_lastFrameTime = frameTime;

    if (!m_connected && m_clientId >= 0) {
        m_videoType = (height == 288 || height == 576) ? 1 : 0;
        qDebug("%s is called", "ReceivedVideo");
        m_connected = true;
        cgi::DvrInfo dvrInfo;
        {
            QMutexLocker lock(&m_lock);
            dvrInfo = m_dvrInfo;
        }
        emit Connected(dvrInfo, m_clientId);
    }

    // Frames stamped with the end time belong to the backup's last second: kept.
    if (m_cfg.mode == 2 && m_cfg.backupEnd != 0 && frameTime > m_cfg.backupEnd) {
        if (!m_backupEndReported.exchange(true)) {
            emit backupEnded(true);
            emit updateBackupProgress(-1);
        }
        return PacketResult::Next;
    }
    if (m_cfg.mode == 2)
        m_backupLastFrame = std::max<int64_t>(m_backupLastFrame, frameTime);

    if (m_cfg.mode == 0 && m_cfg.emapLive) {
        EMap_Status::ENUM status = EMap_Status::CONNECTED;
        if (videoLoss)
            status = EMap_Status::VIDEO_LOSS;
        else if (motion && sensor)
            status = EMap_Status::MOTION_SENSOR;
        else if (motion)
            status = EMap_Status::MOTION;
        else if (sensor)
            status = EMap_Status::SENSOR;
        emit signalEMapStatus(channel, TimeText(frameTime), record, status);
        // Header-only frames give status only.
        if (fits)
            emit EMapDataReceived(info, QByteArray(reinterpret_cast<const char*>(payload),
                                                   static_cast<qsizetype>(len)));
        return PacketResult::Next;
    }

    // Nothing below may read coded data that is not inside the packet.
    if (!fits)
        return PacketResult::Next;

    bool recorded = false;
    {
        QMutexLocker lock(&m_recordLock);
        if (m_record && m_record->isRecording()) {
            uint32_t available = 0;
            {
                QMutexLocker infoLock(&m_lock);
                available = m_dvrInfo.available_chmask();
            }
            if (Bit(available, channel)) {
                recorded = true;
                if (!videoLoss)
                    m_record->writeFrame(info.oldProtocol,
                                         QByteArray(reinterpret_cast<const char*>(payload),
                                                    static_cast<qsizetype>(len)));
            }
        }
    }
    if (recorded) {
        if (run.lastFrameTime == 0)
            run.lastFrameTime = frameTime;
        if (frameTime > run.lastFrameTime) {
            emit updateBackupProgress(static_cast<int>(frameTime - run.lastFrameTime));
            run.lastFrameTime = frameTime;
        }
    }
    emit VDataReceived(info, payload, len);
    return PacketResult::Next;
}

void CHttpConnect::receivedAudio(const unsigned char* payload, size_t len)
{
    FrameFacts frame;
    if (!ReadFrameHeader(m_cfg.oldProtocol, payload, len, &frame) || !frame.fits)
        return;
    const int channel = frame.channel;

    const DISPLAY_DVR_INFO info = snapshot();
    {
        QMutexLocker lock(&m_recordLock);
        if (m_record && m_record->isRecording()) {
            const bool videoLoss = Bit(frame.oldHeader ? frame.videoLoss : info.videoLossMask, channel);
            if (videoLoss)
                return;
            m_record->writeFrame(info.oldProtocol, QByteArray(reinterpret_cast<const char*>(payload),
                                                              static_cast<qsizetype>(len)));
            if (m_cfg.mode != 0)
                return;
        }
    }
    if (m_cfg.audio)
        emit ADataReceived(info, payload, len);
}

void CHttpConnect::receivedLiveStatus(const unsigned char* payload, size_t len)
{
    cgi::LiveStatus status;
    status.ParseFromArray(payload, static_cast<int>(std::min<size_t>(len, INT32_MAX)));
    QMutexLocker lock(&m_lock);
    m_info.recordMask = status.record_chmask();
    m_info.motionMask = status.motion_chmask();
    m_info.sensorMask = status.sensor_chmask();
    m_info.videoLossMask = status.vloss_chmask();
}

void CHttpConnect::receivedPbStatus(const unsigned char* payload, size_t len)
{
    cgi::PbStatus status;
    status.ParseFromArray(payload, static_cast<int>(std::min<size_t>(len, INT32_MAX)));
    {
        QMutexLocker lock(&m_lock);
        m_info.pbMode = status.mode();
    }
    // In step mode this comes after the step's frame: the frames alone would name the mode
    // before it.
    emit signalPbStatus(status.mode());
}
