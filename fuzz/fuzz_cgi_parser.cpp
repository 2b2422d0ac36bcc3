// The stream connection's own receive loop (CHttpConnect: its 5 MiB buffer, its cutter and
// what it does with each packet) fed from the input instead of a socket (input layout in
// stream_input.h). Every frame handed on is a whole packet's payload where it lies in the
// buffer; the buffer always has room for the next read; and the read sizes change nothing:
// the stream read in small pieces hands on the same frames, statuses and recordings in the
// same order as read in pieces as large as the buffer takes.
#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include <QByteArray>
#include <QObject>

#include "Common/Frame.h"
#include "Network/FrameRecorder.h"
#include "Network/HttpConnect.h"
#include "dvr_protocol/parser.h"
#include "fuzz_util.h"
#include "stream_input.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/asan_interface.h>
#define POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#endif
#endif
#ifndef POISON
#define POISON(p, n) ((void)(p), (void)(n))
#define UNPOISON(p, n) ((void)(p), (void)(n))
#endif

using namespace streaminput;

namespace {

constexpr size_t CAPACITY = CHttpConnect::RECEIVE_BUFFER_SIZE;
constexpr size_t SLACK = CHttpConnect::RECEIVE_BUFFER_SLACK;

// What a feed handed on, in order, as one running hash: equal hashes, equal histories.
class History {
public:
    void add(const void* data, size_t n)
    {
        const auto* p = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < n; ++i)
            m_hash = (m_hash ^ p[i]) * 0x100000001B3ull;
    }
    void add(uint64_t v) { add(&v, sizeof v); }
    void add(const QString& s) { add(s.constData(), size_t(s.size()) * sizeof(QChar)); }
    void add(const QByteArray& b) { add(b.constData(), size_t(b.size())); }
    void add(const std::string& s) { add(s.data(), s.size()); }
    void event(char kind)
    {
        add(uint64_t(kind));
        ++m_events;
    }
    void add(const DISPLAY_DVR_INFO& i)
    {
        for (uint64_t v : {uint64_t(i.displayMode), uint64_t(i.pbMode), uint64_t(i.channelMask),
                           uint64_t(i.authorityMask), uint64_t(i.model), i.recordMask, i.motionMask,
                           i.sensorMask, i.videoLossMask, uint64_t(i.oldProtocol)})
            add(v);
        add(i.dvrName);
        add(i.status);
        for (const QString& name : i.channelNames)
            add(name);
    }
    bool operator==(const History& o) const { return m_hash == o.m_hash && m_events == o.m_events; }

private:
    uint64_t m_hash = 0xCBF29CE484222325ull;
    size_t m_events = 0;
};

// A PC recorder that is recording: what it is given goes into the history.
class Recorder : public CFrameRecorder {
public:
    explicit Recorder(History* history) : m_history(history) {}
    bool isRecording() const override { return true; }
    void writeFrame(bool oldProtocol, const QByteArray& frame) override
    {
        m_history->event('R');
        m_history->add(uint64_t(oldProtocol));
        m_history->add(frame);
    }
    void setDvrInfo(const cgi::DvrInfo& info) override
    {
        m_history->event('I');
        m_history->add(info.SerializeAsString());
    }

private:
    History* m_history;
};

}  // namespace

// The stream's thread without its socket: each read goes into the stream's buffer and
// through its cutter, as the thread's receive loop does with what the socket has.
class CHttpConnectFeed {
public:
    explicit CHttpConnectFeed(uint8_t setup)
        : m_parser((setup & OLD_PROTOCOL) != 0), m_recorder(&history), m_buffer(CAPACITY, SLACK, &m_moved)
    {
        DVR dvr;
        dvr.set_address("127.0.0.1");
        dvr.set_name("Fuzz DVR");
        dvr.set_old_protocol((setup & OLD_PROTOCOL) != 0);
        if (!(setup & OLD_PROTOCOL))
            dvr.set_protocol_type(1);
        else if (!(setup & KIND_UNKNOWN))
            dvr.set_protocol_type(2);
        dvr.set_bit_ch(0xFFFF);
        CHttpConnect::ConnParam param;
        const int mode = (setup >> 1) & 3;
        param.mode = mode == 3 ? 0 : mode;
        param.emapLive = mode == 3;
        param.audio = (setup & OLD_PROTOCOL) || !(setup & AUDIO_STREAM);
        param.startTime = 1700000000;
        param.endTime = mode == 2 ? 1700000005 : 0;
        const bool audioStream = (setup & OLD_PROTOCOL) && (setup & AUDIO_STREAM);
        CHECK(m_stream.prepareRun(dvr, param, audioStream));
        m_stream.m_cfg.emapLive = param.emapLive;
        if (audioStream)
            m_stream.m_clientId = 7;
        if (setup & RECORDER)
            m_stream.SetRecordPtr(&m_recorder);
        listen();
        CHECK(!m_buffer.isNull());
        POISON(m_buffer.array(), m_buffer.arraySize());
    }
    ~CHttpConnectFeed()
    {
        m_stream.SetRecordPtr(nullptr);
        UNPOISON(m_buffer.array(), m_buffer.arraySize());
    }

    // One read of at most n bytes; returns the bytes the buffer took.
    size_t read(const unsigned char* data, size_t n)
    {
        // The buffer always has room: a full one would never be read again.
        CHECK(m_buffer.size() < CAPACITY && m_buffer.room() == CAPACITY - m_buffer.size());
        n = std::min(n, m_buffer.room());
        const size_t held = m_buffer.size();
        // What is held moves to the front once as much was let go of before it, or when the
        // read would not fit behind it.
        const size_t start = size_t(m_buffer.begin() - m_buffer.array());
        const bool moves = (start > 0 && start >= held) || start + held + n > m_buffer.arraySize();
        // Only the front a move writes, then what it left behind: the poisoning costs as
        // little as the move.
        if (moves)
            UNPOISON(m_buffer.array(), held);
        unsigned char* at = m_buffer.reserve(n);
        if (moves)
            POISON(m_buffer.array() + held, start);
        UNPOISON(at, n);
        CHECK(at == m_buffer.end() && m_buffer.size() == held && (at == m_end || moves || held == 0));
        std::memcpy(at, data, n);
        m_buffer.grow(n);
        m_begin = m_buffer.begin();
        m_end = m_buffer.end();
        const size_t before = m_buffer.size();
        const CHttpConnect::Cut cut = m_stream.cutPackets(m_run, m_parser, m_buffer);
        restarted = cut.restart;
        if (!cut.restart) {
            // What is held is the tail of what was (an empty buffer starts afresh).
            CHECK(m_buffer.size() <= before && (m_buffer.size() == 0 || m_buffer.end() == m_end));
            POISON(m_begin, before - m_buffer.size());
        }
        return n;
    }

    // Bytes the loop moved to the buffer's front so far.
    uint64_t moved() const { return m_moved.load(); }

    History history;
    bool restarted = false;

private:
    // A frame handed on is a packet's payload inside the bytes read so far.
    void checkPayload(const unsigned char* data, size_t len) const
    {
        CHECK(data >= m_begin + cgi::Parser::HEADER_SIZE && data + len + cgi::Parser::ETX_SIZE <= m_end);
        const unsigned char* stx = data - cgi::Parser::HEADER_SIZE;
        CHECK(std::memcmp(stx, cgi::Parser::STX, cgi::Parser::STX_SIZE) == 0);
        CHECK(std::memcmp(data + len, cgi::Parser::ETX, cgi::Parser::ETX_SIZE) == 0);
        const cgi::PacketHeader header = m_parser.GetPayLoad(stx);
        const uint32_t length = m_stream.m_cfg.oldProtocol ? __builtin_bswap32(header.length) : header.length;
        CHECK(length == len);
    }

    // A frame handed on to the display or the speaker has its coded data inside it.
    void checkFrame(const unsigned char* data, size_t len) const
    {
        checkPayload(data, len);
        FrameFacts f;
        CHECK(ReadFrameHeader(m_stream.m_cfg.oldProtocol, data, len, &f) && f.fits);
    }

    void listen()
    {
        const auto direct = Qt::DirectConnection;
        CHttpConnect* s = &m_stream;
        QObject* c = &m_context;
        const auto frame = [this](char kind) {
            return [this, kind](const DISPLAY_DVR_INFO& i, const unsigned char* d, size_t n) {
                checkFrame(d, n);
                history.event(kind);
                history.add(i);
                history.add(d, n);
            };
        };
        QObject::connect(s, &CHttpConnect::VDataReceived, c, frame('V'), direct);
        QObject::connect(s, &CHttpConnect::ADataReceived, c, frame('A'), direct);
        QObject::connect(s, &CHttpConnect::EMapDataReceived, c, [this](const DISPLAY_DVR_INFO& i, const QByteArray& b) {
            history.event('E');
            history.add(i);
            history.add(b);
        }, direct);
        QObject::connect(s, &CHttpConnect::Connected, c, [this](const cgi::DvrInfo& i, int cid) {
            history.event('C');
            history.add(i.SerializeAsString());
            history.add(uint64_t(cid));
        }, direct);
        QObject::connect(s, &CHttpConnect::signalConnectedDVRStatus, c, [this](const DISPLAY_DVR_INFO& i) {
            history.event('S');
            history.add(i);
        }, direct);
        QObject::connect(s, &CHttpConnect::signalConnectionFailed, c, [this] { history.event('F'); }, direct);
        QObject::connect(s, &CHttpConnect::updateBackupProgress, c, [this](int v) {
            history.event('P');
            history.add(uint64_t(v));
        }, direct);
        QObject::connect(s, &CHttpConnect::backupEnded, c, [this](bool complete) {
            history.event('B');
            history.add(uint64_t(complete));
        }, direct);
        QObject::connect(s, &CHttpConnect::signalPbStatus, c, [this](uint32_t mode) {
            history.event('M');
            history.add(uint64_t(mode));
        }, direct);
        QObject::connect(s, &CHttpConnect::signalEMapStatus, c,
                         [this](int ch, const QString& time, bool record, EMap_Status::ENUM status) {
                             history.event('T');
                             history.add(uint64_t(ch));
                             // A lost connection is stamped with the PC's clock.
                             if (status != EMap_Status::DISCONNECTED)
                                 history.add(time);
                             history.add(uint64_t(record));
                             history.add(uint64_t(status));
                         }, direct);
    }

    CHttpConnect m_stream;
    CHttpConnect::RunState m_run;
    const cgi::Parser m_parser;
    Recorder m_recorder;
    QObject m_context;
    std::atomic<uint64_t> m_moved{0};
    CReceiveBuffer m_buffer;
    // The bytes the cutter was given.
    const unsigned char* m_begin = nullptr;
    const unsigned char* m_end = nullptr;
};

namespace {

// Moving costs at most CAPACITY / SLACK times the bytes read; a stream is fed only until this
// much has been moved, a guard should that bound ever break.
constexpr uint64_t MOVE_BUDGET = uint64_t(1) << 28;

struct Fed {
    History history;
    bool whole = false;  // fed to its end or restart within the budget
};

// Feeds the stream in reads of 1 to `most` bytes, as the seed splits it (most 0: each read
// as large as the buffer takes), until it ends or restarts; returns what was handed on.
Fed Feed(uint8_t setup, const std::string& stream, size_t most, uint32_t seed)
{
    CHttpConnectFeed feed(setup);
    const auto* bytes = reinterpret_cast<const unsigned char*>(stream.data());
    size_t at = 0;
    while (at < stream.size() && !feed.restarted && feed.moved() < MOVE_BUDGET) {
        const size_t left = stream.size() - at;
        at += feed.read(bytes + at, most ? std::min(NextChunk(seed, most), left) : left);
    }
    feed.history.event(feed.restarted ? '!' : '.');
    return {feed.history, at == stream.size() || feed.restarted};
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The stream's debugging lines would flood the log.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const uint8_t setup = data[0];
    const std::string stream = Expand(data + 2, size - 2);
    static const size_t MOST[4] = {16, 300, CHttpConnect::SOCKET_READ_BUFFER_SIZE, CAPACITY};
    const Fed pieces = Feed(setup, stream, MOST[setup >> 6], data[1] | 1u);
    const Fed whole = Feed(setup, stream, 0, 0);
    if (pieces.whole && whole.whole)
        CHECK(pieces.history == whole.history);
    return 0;
}
