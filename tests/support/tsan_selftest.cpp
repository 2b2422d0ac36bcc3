// Checks ThreadSanitizer's tolerance (tests/support/tsan.supp) from both sides; scripts/tsan
// runs it and fails unless ThreadSanitizer reports each race case and nothing in the hand-over.
//   race           lists the race cases;
//   race NAME      runs one: a real race written the way the program's code is written, of a
//                  kind that an entry of the list once hid (a wider list would hide it again);
//   site NAME      the function both racing accesses of a race case are made from, which its
//                  report must show;
//   handover       lists the hand-overs;
//   handover NAME  runs one: a thread hands the program's own queued types (or the display's
//                  stream sink, pictures to the wall, a network reply's slots to the thread that
//                  frees them) over the ways the program does, or Qt's X connection hands over its
//                  events, ordered where ThreadSanitizer cannot see;
//   abort          a test program that aborts half-way, which scripts/tsan must judge failed.
//
// A race case that reads or frees memory another thread touches orders the two in time through
// a relaxed atomic: ThreadSanitizer sees no order in it, and no access lands on freed memory
// that may have been handed out again. The cases on an X server are in tsan_selftest_window.cpp.

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <QList>
#include <QMetaObject>
#include <QMutex>
#include <QObject>
#include <QSemaphore>
#include <QString>

#include "tsan_selftest.h"

#include "Common/StreamSink.h"
#include "Common/ThreadCheck.h"
#include "Network/DisplayDvrInfo.h"
#include "Network/EMapStatus.h"
#include "Network/HttpConnect.h"
#include "dvr_protocol/cgi_metatypes.h"

// The sinks the display wires a stream to, under the display's own names, so that the list is
// checked against the symbols the program has (the display itself is not linked here).
class CDisplayWidget {
public:
    struct Parts {
        int decoded = 0;
    };
};
using DisplaySink = CStreamSink<CDisplayWidget, CDisplayWidget::Parts>;
using StreamSink = CStreamSink<CDisplayWidget, std::shared_ptr<DisplaySink>>;

// The queued types have names of their own, not an anonymous namespace's: an entry that named
// Qt's metatype functions of every type would match their frames too, and fail the self-test.

// A struct of the program's kind that no entry names: a queued copy of it is checked.
struct ChannelState {
    int channel = 0;
    uint64_t motionMask = 0;
};

// A queued value whose copies count themselves in a counter of the sender's.
struct Counted {
    explicit Counted(int* live) : live(live) { ++*live; }
    Counted(const Counted& other) : live(other.live) { ++*live; }
    Counted& operator=(const Counted&) = delete;
    ~Counted() { --*live; }
    int* live;
};

// A capture that counts the moves made of it in a counter of its maker's: built in place, only
// the move inside Qt's connect or invokeMethod writes the counter.
struct MoveCounted {
    explicit MoveCounted(int* moves) : moves(moves) {}
    MoveCounted(MoveCounted&& other) : moves(other.moves) { ++*moves; }
    int* moves;
};

// A capture that counts its end in a counter of its maker's: only the last of its moves does.
struct FreeCounted {
    explicit FreeCounted(int* freed) : freed(freed) {}
    FreeCounted(FreeCounted&& other) : freed(std::exchange(other.freed, nullptr)) {}
    ~FreeCounted()
    {
        if (freed)
            ++*freed;
    }
    int* freed;
};

Q_DECLARE_METATYPE(ChannelState)
Q_DECLARE_METATYPE(Counted)

namespace {

class Sender : public QObject {
    Q_OBJECT

signals:
    void state(const ChannelState& state);
    void counted(const Counted& value);
    void bytes(const QByteArray& data);
};

using selftest::ROUNDS;
using selftest::WaitRelaxed;
const std::string LONG_TEXT(64, 'a');  // beyond the short-string buffer: the bytes live on the heap

// Runs the same writer on two threads at once.
void OnTwoThreads(const std::function<void(char)>& write)
{
    std::thread first([&] { write('b'); });
    std::thread second([&] { write('c'); });
    first.join();
    second.join();
}

int StringMemberWrittenByTwoThreads()
{
    struct Holder {
        std::string name = LONG_TEXT;
    } holder;
    OnTwoThreads([&](char c) {
        for (int i = 0; i < ROUNDS; ++i)
            holder.name.assign(LONG_TEXT.size(), c);
    });
    return holder.name.size() == LONG_TEXT.size() ? 0 : 1;
}

int ProtobufStringAssignedByTwoThreads()
{
    cgi::DvrInfo info;
    info.set_dvr_name(LONG_TEXT);
    OnTwoThreads([&](char c) {
        for (int i = 0; i < ROUNDS; ++i)
            info.mutable_dvr_name()->assign(LONG_TEXT.size(), c);
    });
    return info.dvr_name().size() == LONG_TEXT.size() ? 0 : 1;
}

int ProtobufMessageSerializedWhileAnotherThreadWritesItsString()
{
    cgi::DvrInfo info;
    std::string* name = info.mutable_dvr_name();
    name->assign(200, 'a');  // long enough for protobuf to copy it out of line
    std::thread writer([&] {
        for (int i = 0; i < ROUNDS; ++i)
            name->assign(200, char('b' + i % 2));
    });
    std::thread reader([&] {
        char buffer[512];
        for (int i = 0; i < ROUNDS; ++i)
            info.SerializeToArray(buffer, sizeof buffer);
    });
    writer.join();
    reader.join();
    return info.dvr_name().size() == 200 ? 0 : 1;
}

int RepeatedFieldWrittenByTwoThreads()
{
    cgi::DvrInfo info;
    for (int i = 0; i < 16; ++i)
        info.add_ch_name(LONG_TEXT);
    OnTwoThreads([&](char c) {
        for (int i = 0; i < ROUNDS; ++i)
            info.set_ch_name(i % 16, std::string(LONG_TEXT.size(), c));
    });
    return info.ch_name_size() == 16 ? 0 : 1;
}

int QueuedFunctorFreesAnObjectAnotherThreadStillWrites(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    struct Progress {
        int done = 0;
    };
    std::atomic<bool> written{false};
    std::thread worker([&] {
        auto progress = std::make_shared<Progress>();
        Progress* raw = progress.get();
        // The functor takes the last reference; this thread goes on writing through its pointer.
        QMetaObject::invokeMethod(
            &app,
            [&app, &written, progress = std::move(progress)] {
                WaitRelaxed(written);
                app.quit();
            },
            Qt::QueuedConnection);
        for (int i = 0; i < ROUNDS; ++i)
            ++raw->done;
        written.store(true, std::memory_order_relaxed);
    });
    const int result = app.exec();
    worker.join();
    return result;
}

// A thread emits a queued signal ROUNDS times while the main thread runs alongside(), then the
// main thread takes every value.
template <typename T>
int QueueRounds(int argc, char** argv, void (Sender::*signal)(const T&), const std::function<void(Sender&)>& emitOne,
                const std::function<void()>& alongside = {})
{
    QCoreApplication app(argc, argv);
    qRegisterMetaType<T>();
    Sender sender;
    int received = 0;
    QObject::connect(&sender, signal, &app, [&](const T&) {
        if (++received == ROUNDS)
            app.quit();
    });
    std::thread worker([&] {
        for (int i = 0; i < ROUNDS; ++i)
            emitOne(sender);
    });
    if (alongside)
        alongside();
    const int result = app.exec();
    worker.join();
    return result;
}

int QueuedCopyOfAMemberTakenWhileTheGuiThreadWritesIt(int argc, char** argv)
{
    ChannelState current;
    return QueueRounds<ChannelState>(
        argc, argv, &Sender::state, [&](Sender& sender) { emit sender.state(current); },
        [&] {
            for (int i = 0; i < ROUNDS; ++i)
                current.motionMask = current.motionMask * 3 + 1;
        });
}

// A stream's record of its DVR: the GUI thread changes it under the stream's lock as a layout
// is chosen, and the stream's thread reports it. Emitted itself instead of a copy taken under
// the lock, it is read while the GUI thread writes it.
int StatusEmittedFromTheStreamsRecordInsteadOfASnapshot(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    CHttpConnect stream;
    QMutex lock;
    DISPLAY_DVR_INFO record;
    int received = 0;
    QObject::connect(&stream, &CHttpConnect::signalConnectedDVRStatus, &app, [&](const DISPLAY_DVR_INFO& info) {
        if (info.screenCount >= 0 && ++received == ROUNDS)
            app.quit();
    });
    std::thread worker([&] {
        for (int i = 0; i < ROUNDS; ++i)
            emit stream.signalConnectedDVRStatus(record);
    });
    for (int i = 0; i < ROUNDS; ++i) {
        QMutexLocker locked(&lock);
        record.startScreen = i % 64;
        record.screenCount = 16;
    }
    const int result = app.exec();
    worker.join();
    return result;
}

int QueuedValueWhoseDestructorChangesTheSendersState(int argc, char** argv)
{
    int live = 0;
    return QueueRounds<Counted>(argc, argv, &Sender::counted,
                                [&](Sender& sender) { emit sender.counted(Counted(&live)); });
}

int ReadThroughKeptConstDataOfAFreedByteArray(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Sender sender;
    QByteArray kept;
    QObject::connect(&sender, &Sender::bytes, &app, [&](const QByteArray& bytes) {
        kept = bytes;
        app.quit();
    });
    std::atomic<bool> dropped{false};
    std::atomic<bool> freed{false};
    std::thread worker([&] {
        QByteArray bytes(4096, 'x');
        const char* data = bytes.constData();
        emit sender.bytes(bytes);
        bytes = QByteArray();
        dropped.store(true, std::memory_order_relaxed);
        WaitRelaxed(freed);
        std::printf("%d\n", data[100]);
    });
    const int result = app.exec();
    WaitRelaxed(dropped);
    kept = QByteArray();  // the last reference
    freed.store(true, std::memory_order_relaxed);
    worker.join();
    return result;
}

int UseOfAStreamSinkThroughARawPointerAfterItsLastOwnerWent()
{
    CDisplayWidget owner;
    auto sink = std::make_shared<StreamSink>(&owner, std::make_shared<DisplaySink>(&owner));
    StreamSink* raw = sink.get();
    std::atomic<bool> freed{false};
    std::thread worker([&] {
        WaitRelaxed(freed);
        std::printf("%d\n", int(raw->parts() != nullptr));
    });
    sink.reset();
    freed.store(true, std::memory_order_relaxed);
    worker.join();
    return 0;
}

// A delivery writes the sink's parts inside its gate while another thread writes them outside
// it: the gate orders nothing for a thread that does not pass it. An entry naming the gate's
// frame (reach<) would hide it.
int PartsWrittenInsideTheSinksGateAndOutsideIt()
{
    CDisplayWidget owner;
    auto sink = std::make_shared<DisplaySink>(&owner);
    OnTwoThreads([&](char c) {
        for (int i = 0; i < ROUNDS; ++i) {
            if (c == 'b')
                sink->reach([&](CDisplayWidget&) { sink->parts().decoded += i; });
            else
                sink->parts().decoded -= i;
        }
    });
    return 0;
}

// A slot connected as the network replies' slots are reads what another thread writes during
// its calls: an entry naming the slot object's frames or the wrapper's would hide it.
int ReplySlotReadsWhatAnotherThreadWrites()
{
    Sender sender;
    long total = 0;
    long seen = 0;
    QObject::connect(&sender, &Sender::bytes, &sender,
                     FreedAnywhere([&total, &seen](const QByteArray& bytes) { seen += total + bytes.size(); }),
                     Qt::DirectConnection);
    OnTwoThreads([&](char c) {
        for (int i = 0; i < ROUNDS; ++i) {
            if (c == 'b')
                emit sender.bytes(QByteArray(8, c));
            else
                total += i;
        }
    });
    return seen > 0 ? 0 : 1;
}

// As a stale pointer to a detached stream's sink would be used once attaching the stream again
// made the next sink, which takes the freed block.
int StaleSinkPointerUsedOnceTheNextSinkTookItsBlock()
{
    CDisplayWidget owner;
    const auto parts = std::make_shared<DisplaySink>(&owner);
    auto sink = std::make_shared<StreamSink>(&owner, parts);
    StreamSink* stale = sink.get();
    std::atomic<bool> replaced{false};
    std::thread stream([&] {
        WaitRelaxed(replaced);
        std::printf("%d\n", stale->parts()->parts().decoded);
    });
    sink.reset();
    sink = std::make_shared<StreamSink>(&owner, parts);
    replaced.store(true, std::memory_order_relaxed);
    stream.join();
    return sink.get() == stale ? 0 : 1;  // else the block was not taken again
}

// The widget's sink pointer, copied into each stream's sink, replaced by another thread. Every
// sink it points to is kept, so that a torn copy frees nothing.
int SinkBuiltFromAPointerAnotherThreadReplaces()
{
    CDisplayWidget owner;
    std::vector<std::shared_ptr<DisplaySink>> made;
    for (int i = 0; i <= ROUNDS; ++i)
        made.push_back(std::make_shared<DisplaySink>(&owner));
    std::shared_ptr<DisplaySink> current = made[0];
    std::thread other([&] {
        for (int i = 1; i <= ROUNDS; ++i)
            current = made[size_t(i)];
    });
    long built = 0;
    for (int i = 0; i < ROUNDS; ++i)
        built += std::make_shared<StreamSink>(&owner, current).use_count();
    other.join();
    return built == ROUNDS ? 0 : 1;
}

int ClassOfAFreedStreamRead()
{
    auto* stream = new CHttpConnect;
    std::atomic<bool> freed{false};
    std::thread late([&] {
        WaitRelaxed(freed);
        std::printf("%p\n", static_cast<const void*>(stream->CHttpConnect::metaObject()));
    });
    delete stream;
    freed.store(true, std::memory_order_relaxed);
    late.join();
    return 0;
}

// A thread queues a functor whose capture counts its moves in a counter the main thread writes.
int QueuedFunctorWhoseCaptureWritesSharedStateWhenMoved(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int live = 0;
    std::thread worker([&] {
        QMetaObject::invokeMethod(
            &app, [&app, counted = MoveCounted(&live)] { app.quit(); }, Qt::QueuedConnection);
    });
    for (int i = 0; i < ROUNDS; ++i)
        live += 2;
    const int result = app.exec();
    worker.join();
    return result;
}

// A functor connected while another thread writes the counter its capture's moves write.
int ConnectedFunctorWhoseCaptureWritesSharedStateWhenMoved()
{
    Sender sender;
    int live = 0;
    std::thread other([&] {
        for (int i = 0; i < ROUNDS; ++i)
            live += 2;
    });
    QObject::connect(
        &sender, &Sender::bytes, &sender, [counted = MoveCounted(&live)](const QByteArray&) {}, Qt::DirectConnection);
    other.join();
    return 0;
}

// A reply's slot, freed as the reply goes, while another thread writes the counter its capture's
// destruction writes: an entry naming the wrapper's or the slot object's frames would hide it.
int ReplySlotWhoseCaptureWritesSharedStateWhenFreed()
{
    auto reply = std::make_unique<Sender>();
    int freed = 0;
    QObject::connect(reply.get(), &Sender::bytes, reply.get(),
                     FreedAnywhere([counted = FreeCounted(&freed)](const QByteArray&) {}), Qt::DirectConnection);
    std::thread other([&] {
        for (int i = 0; i < ROUNDS; ++i)
            freed += 2;
    });
    reply.reset();
    other.join();
    return 0;
}

using selftest::Case;
using selftest::RaceCase;

const std::map<std::string, RaceCase>& RaceCases()
{
    static const std::map<std::string, RaceCase> cases = {
        {"string_member_written_by_two_threads", ZAVO_RACE_AT(StringMemberWrittenByTwoThreads)},
        {"protobuf_string_assigned_by_two_threads", ZAVO_RACE_AT(ProtobufStringAssignedByTwoThreads)},
        {"protobuf_message_serialized_while_another_thread_writes_its_string",
         ZAVO_RACE_AT(ProtobufMessageSerializedWhileAnotherThreadWritesItsString)},
        {"repeated_field_written_by_two_threads", ZAVO_RACE_AT(RepeatedFieldWrittenByTwoThreads)},
        // Freed inside Qt's event loop, whose frames hide the case's own from the freeing stack.
        {"queued_functor_frees_an_object_another_thread_still_writes",
         {"tsan_selftest.cpp", selftest::AsCase(QueuedFunctorFreesAnObjectAnotherThreadStillWrites)}},
        {"queued_copy_of_a_member_taken_while_the_gui_thread_writes_it",
         ZAVO_RACE_AT(QueuedCopyOfAMemberTakenWhileTheGuiThreadWritesIt)},
        {"queued_value_whose_destructor_changes_the_senders_state",
         ZAVO_RACE_AT(QueuedValueWhoseDestructorChangesTheSendersState)},
        {"status_emitted_from_the_streams_record_instead_of_a_snapshot",
         ZAVO_RACE_AT(StatusEmittedFromTheStreamsRecordInsteadOfASnapshot)},
        {"read_through_kept_constdata_of_a_freed_bytearray", ZAVO_RACE_AT(ReadThroughKeptConstDataOfAFreedByteArray)},
        {"parts_written_inside_the_sinks_gate_and_outside_it", ZAVO_RACE_AT(PartsWrittenInsideTheSinksGateAndOutsideIt)},
        {"use_of_a_stream_sink_through_a_raw_pointer_after_its_last_owner_went",
         ZAVO_RACE_AT(UseOfAStreamSinkThroughARawPointerAfterItsLastOwnerWent)},
        {"stale_sink_pointer_used_once_the_next_sink_took_its_block",
         ZAVO_RACE_AT(StaleSinkPointerUsedOnceTheNextSinkTookItsBlock)},
        {"sink_built_from_a_pointer_another_thread_replaces", ZAVO_RACE_AT(SinkBuiltFromAPointerAnotherThreadReplaces)},
        {"class_of_a_freed_stream_read", ZAVO_RACE_AT(ClassOfAFreedStreamRead)},
        {"queued_functor_whose_capture_writes_shared_state_when_moved",
         ZAVO_RACE_AT(QueuedFunctorWhoseCaptureWritesSharedStateWhenMoved)},
        {"connected_functor_whose_capture_writes_shared_state_when_moved",
         ZAVO_RACE_AT(ConnectedFunctorWhoseCaptureWritesSharedStateWhenMoved)},
        {"reply_slot_reads_what_another_thread_writes", ZAVO_RACE_AT(ReplySlotReadsWhatAnotherThreadWrites)},
        {"reply_slot_whose_capture_writes_shared_state_when_freed",
         ZAVO_RACE_AT(ReplySlotWhoseCaptureWritesSharedStateWhenFreed)},
    };
    return cases;
}

// The program's hand-overs, each run on its own so that none is ordered for ThreadSanitizer by
// the atomics of another: a stream's thread emits the stream's queued signals, uses the display's
// stream sink made meanwhile on the main thread, and queues a functor with a picture and a text.
class HandOver {
public:
    HandOver(int argc, char** argv) : m_app(argc, argv) {}

    // Runs emit on a thread of its own while the main thread takes deliveries until it has
    // taken ROUNDS of them.
    int run(const std::function<void(int round)>& emitOne)
    {
        std::thread worker([&] {
            for (int i = 0; i < ROUNDS; ++i)
                emitOne(i);
        });
        const int result = m_app.exec();
        worker.join();
        return result == 0 && m_sum > 0 ? 0 : 1;
    }
    void took(long value)
    {
        m_sum += value;
        if (++m_received == ROUNDS)
            m_app.quit();
    }

    QCoreApplication m_app;
    CHttpConnect m_stream;

private:
    long m_sum = 0;
    int m_received = 0;
};

DISPLAY_DVR_INFO DisplayInfo(int round)
{
    DISPLAY_DVR_INFO info;
    info.dvrName = QString::fromStdString(LONG_TEXT);
    for (QString& name : info.channelNames)
        name = QString(40, QChar('a' + round % 26));
    info.motionMask = uint64_t(round) + 1;
    return info;
}

int DvrInformationOnConnecting(HandOver& h)
{
    QObject::connect(&h.m_stream, &CHttpConnect::Connected, &h.m_app, [&](const cgi::DvrInfo& info, int cid) {
        h.took(long(info.dvr_name().size()) + info.ch_name(15).size() + cid);
    });
    return h.run([&](int round) {
        cgi::DvrInfo info;
        info.set_dvr_name(LONG_TEXT);
        for (int c = 0; c < 16; ++c)
            info.add_ch_name(LONG_TEXT);
        emit h.m_stream.Connected(info, round);
    });
}

int DvrStatus(HandOver& h)
{
    QObject::connect(&h.m_stream, &CHttpConnect::signalConnectedDVRStatus, &h.m_app,
                     [&](const DISPLAY_DVR_INFO& info) { h.took(info.channelNames[3].size() + long(info.motionMask)); });
    return h.run([&](int round) { emit h.m_stream.signalConnectedDVRStatus(DisplayInfo(round)); });
}

int EMapData(HandOver& h)
{
    QObject::connect(&h.m_stream, &CHttpConnect::EMapDataReceived, &h.m_app,
                     [&](const DISPLAY_DVR_INFO& info, const QByteArray& data) { h.took(info.dvrName.size() + data.back()); });
    return h.run([&](int round) {
        // As the stream does: the bytes copied out of its receive buffer by QByteArray.
        unsigned char payload[256];
        std::memset(payload, 'a' + round % 26, sizeof payload);
        emit h.m_stream.EMapDataReceived(DisplayInfo(round), QByteArray(reinterpret_cast<const char*>(payload), sizeof payload));
    });
}

int EMapCameraState(HandOver& h)
{
    QObject::connect(&h.m_stream, &CHttpConnect::signalEMapStatus, &h.m_app,
                     [&](int ch, const QString& time, bool, EMap_Status::ENUM status) { h.took(ch + time.size() + int(status)); });
    return h.run([&](int round) {
        emit h.m_stream.signalEMapStatus(round % 16, QString::number(round).repeated(20), true, EMap_Status::MOTION);
    });
}

// As the display attaches a stream whose thread already runs: the stream's sink is made here
// and published to that thread by the connection only; each delivery takes its own reference
// to it first, reaches the owner through it, and works with its parts.
int StreamSinkAttachedWhileTheStreamRuns(HandOver& h)
{
    std::atomic<bool> attached{false};
    std::atomic<long> frames{0};
    CDisplayWidget owner;
    // Frames until the sink is attached, then ROUNDS frames and statuses: a queue that grew
    // without end would outlast the history ThreadSanitizer keeps of the copies in it, and its
    // reports would lose the frames the entries match.
    std::thread stream([&] {
        unsigned char frame[64] = {0, 0, 1};
        const DISPLAY_DVR_INFO info = DisplayInfo(0);
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!attached.load(std::memory_order_relaxed) && std::chrono::steady_clock::now() < end) {
            frame[63] = 1;
            emit h.m_stream.VDataReceived(info, frame, sizeof frame);
        }
        for (int i = 0; i < ROUNDS; ++i) {
            frame[63] = uint8_t(1 + i % 7);
            emit h.m_stream.VDataReceived(info, frame, sizeof frame);
            emit h.m_stream.signalConnectedDVRStatus(DisplayInfo(i));
        }
    });
    auto sink = std::make_shared<StreamSink>(&owner, std::make_shared<DisplaySink>(&owner));
    QList<QMetaObject::Connection> connections;
    connections << QObject::connect(
        &h.m_stream, &CHttpConnect::VDataReceived, &h.m_app,
        CalledElsewhere([sink, &frames](const DISPLAY_DVR_INFO&, const unsigned char* data, size_t len) {
            const std::shared_ptr<StreamSink> own = sink;
            bool mapped = false;
            own->reach([&](CDisplayWidget&) { mapped = true; });
            if (!mapped)
                return;
            own->parts()->parts().decoded += data[len - 1];
            own->reach([&](CDisplayWidget&) { frames.fetch_add(data[len - 1], std::memory_order_relaxed); });
        }),
        Qt::DirectConnection);
    connections << QObject::connect(&h.m_stream, &CHttpConnect::signalConnectedDVRStatus, &h.m_app,
                                    [sink, &h](const DISPLAY_DVR_INFO& info) {
                                        if (!sink->isCut())
                                            h.took(long(info.motionMask));
                                    });
    attached.store(true, std::memory_order_relaxed);
    const int result = h.m_app.exec();
    stream.join();
    sink->cut();
    for (const QMetaObject::Connection& c : std::as_const(connections))
        QObject::disconnect(c);
    return result == 0 && frames > 0 ? 0 : 1;
}

// As the motion-zone editor queues a decoded picture to its window.
int FunctorQueuedWithAPictureAndAText(HandOver& h)
{
    return h.run([&](int round) {
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(QColor(round % 256, 0, 0));
        const QString text = QString::number(round).repeated(30);
        QMetaObject::invokeMethod(
            &h.m_app, CalledElsewhere([&h, picture, text] { h.took(picture.pixel(10, 10) % 7 + text.size()); }),
            Qt::QueuedConnection);
    });
}

// As a network reply's slot objects go: called on this thread, then freed on the network
// thread, which cleans up the reply's connections after Qt's count of each slot object says its
// calls are over. A semaphore of Qt's orders the two here, out of ThreadSanitizer's sight; the
// thread is started before the calls, since its start would order them.
int ReplySlotFreedOnTheNetworkThreadAfterItsCalls(HandOver& h)
{
    Sender reply;
    long sum = 0;
    const std::string text = LONG_TEXT;
    QMetaObject::Connection connection = QObject::connect(
        &reply, &Sender::bytes, &h.m_app,
        FreedAnywhere([&sum, text](const QByteArray& bytes) { sum += long(text.size()) + bytes.size(); }));
    QSemaphore called;
    std::thread network([&] {
        called.acquire();
        QObject::disconnect(connection);
        connection = QMetaObject::Connection();
    });
    for (int i = 0; i < ROUNDS; ++i)
        emit reply.bytes(QByteArray(16, 'x'));
    called.release();
    network.join();
    return sum > 0 ? 0 : 1;
}

const std::map<std::string, std::function<int(HandOver&)>>& HandOvers()
{
    static const std::map<std::string, std::function<int(HandOver&)>> kinds = {
        {"dvr_information_on_connecting", DvrInformationOnConnecting},
        {"dvr_status", DvrStatus},
        {"emap_data", EMapData},
        {"emap_camera_state", EMapCameraState},
        {"stream_sink_attached_while_the_stream_runs", StreamSinkAttachedWhileTheStreamRuns},
        {"functor_queued_with_a_picture_and_a_text", FunctorQueuedWithAPictureAndAText},
        {"reply_slot_freed_on_the_network_thread_after_its_calls", ReplySlotFreedOnTheNetworkThreadAfterItsCalls},
    };
    return kinds;
}

// Lists the names (none given) or runs the one named in argv[2].
template <typename Entry, typename Run>
int ListOrRun(const std::map<std::string, Entry>& entries, int argc, char** argv, const Run& run)
{
    if (argc == 2) {
        for (const auto& entry : entries)
            std::printf("%s\n", entry.first.c_str());
        return 0;
    }
    const auto found = entries.find(argv[2]);
    return found == entries.end() ? 2 : run(found->second);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string which = argc > 1 ? argv[1] : "";
    if (which == "race") {
        std::map<std::string, RaceCase> cases = RaceCases();
        cases.insert(selftest::WindowRaceCases().begin(), selftest::WindowRaceCases().end());
        return ListOrRun(cases, argc, argv, [&](const RaceCase& c) { return c.run(argc, argv); });
    }
    if (which == "site") {
        std::map<std::string, RaceCase> cases = RaceCases();
        cases.insert(selftest::WindowRaceCases().begin(), selftest::WindowRaceCases().end());
        const auto found = argc > 2 ? cases.find(argv[2]) : cases.end();
        if (found == cases.end())
            return 2;
        std::printf("%s\n", found->second.site.c_str());
        return 0;
    }
    if (which == "handover") {
        std::map<std::string, Case> kinds = selftest::WindowHandOvers();
        for (const auto& kind : HandOvers()) {
            kinds.emplace(kind.first, [run = kind.second](int argc, char** argv) {
                HandOver handOver(argc, argv);
                return run(handOver);
            });
        }
        return ListOrRun(kinds, argc, argv, [&](const Case& run) { return run(argc, argv); });
    }
    if (which == "abort") {
        std::printf("[ RUN      ] SelfTest.AbortsHalfWay\n");
        std::fflush(stdout);
        std::abort();
    }
    return 2;
}

#include "tsan_selftest.moc"
