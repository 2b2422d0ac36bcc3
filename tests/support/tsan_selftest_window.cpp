// The ThreadSanitizer self-test's cases on an X server: pictures the wall uploads through
// OpenGL, and the X connection, whose events Qt reads on a thread of its own and hands to the
// GUI thread. That thread alone is left out of the check: a race of ours that passes through
// libxcb on the GUI thread must still be reported.

#include "tsan_selftest.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QByteArray>
#include <QElapsedTimer>
#include <QImage>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>
#include <vector>

#include "Common/DecodeVideo.h"
#include "Display/DisplayInfo.h"
#include "Display/Screen.h"
#include "support/TestMedia.h"

namespace {

using selftest::ROUNDS;

// Handles events until done() holds, for at most 30 s; returns done().
bool Until(const std::function<bool()>& done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return done();
}

xcb_connection_t* Connection(QGuiApplication& app)
{
    auto* x11 = app.nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// Counts the property changes the GUI thread takes from Qt.
class PropertyNotes : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& kind, void* message, qintptr*) override
    {
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if (kind == "xcb_generic_event_t" && (event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY)
            ++count;
        return false;
    }
    int count = 0;
};

// Sets a property of the window again and again: the server tells each change as an event.
void ChangeProperty(xcb_connection_t* c, xcb_window_t window, int times, const char* value, uint32_t length)
{
    for (int i = 0; i < times; ++i)
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_CUT_BUFFER0, XCB_ATOM_STRING, 8, length, value);
    xcb_flush(c);
}

// Keeps the first property change the GUI thread takes from Qt, past the filter, which is
// where Qt's X plugin frees it.
class KeptPropertyNote : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& kind, void* message, qintptr*) override
    {
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if (kind == "xcb_generic_event_t" && (event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY && !kept)
            kept.store(event, std::memory_order_relaxed);
        return false;
    }
    std::atomic<const xcb_generic_event_t*> kept{nullptr};
};

struct ShownWindow {
    QWindow window;
    ShownWindow()
    {
        window.resize(64, 64);
        window.show();
    }
    bool exposed() { return Until([this] { return window.isExposed(); }); }
};

// An application with a window shown on the X server, and Qt's connection to it.
struct OnX {
    OnX(int argc, char** argv) : argc(argc), app(this->argc, argv), c(Connection(app)) {}
    // True once the window is shown, the filter taking the GUI thread's events from then on.
    bool ready(QAbstractNativeEventFilter& filter)
    {
        if (!c || !shown.exposed())
            return false;
        app.installNativeEventFilter(&filter);
        return true;
    }
    xcb_window_t window() const { return xcb_window_t(shown.window.winId()); }

    int argc;
    QApplication app;
    xcb_connection_t* c;
    ShownWindow shown;
};

// A wall of one cell drawn through OpenGL.
struct Wall {
    static constexpr QSize SIZE{352, 240};
    QWidget owner;
    CScreen screen{&owner, OPENGL_MODE_ON, 1};

    Wall()
    {
        owner.resize(SIZE);
        screen.resize(SIZE);
        screen.updateDisplayRect(0, QRect(QPoint(0, 0), SIZE));
        owner.show();
    }
    bool drawsWithOpenGL() const { return screen.mode() != OPENGL_MODE_OFF; }
    // Hands the picture to the cell and waits until it is drawn.
    bool show(const QImage& picture)
    {
        CDisplayInfo info;
        info.image = picture;
        info.channel = 0;
        info.screen = 0;
        const quint64 drawn = screen.picturesDrawn();
        screen.setInfo(0, info);
        return Until([&] { return screen.picturesDrawn() > drawn; });
    }
};

// The wall uploads a picture whose pixels its decoder goes on writing, as a picture pool
// that handed out a picture still shown would.
int PictureRewrittenByItsDecoderWhileTheWallUploadsIt(int argc, char** argv)
{
    QApplication app(argc, argv);
    Wall wall;
    if (!wall.drawsWithOpenGL())
        return 1;  // nothing is uploaded
    std::vector<unsigned char> pixels(size_t(Wall::SIZE.width()) * size_t(Wall::SIZE.height()) * 4);
    const QImage picture(pixels.data(), Wall::SIZE.width(), Wall::SIZE.height(), QImage::Format_RGB32);
    std::atomic<bool> done{false};
    std::thread decoder([&] {
        for (unsigned char value = 0; !done.load(std::memory_order_relaxed); ++value)
            for (size_t i = 0; i < pixels.size(); i += 64)
                pixels[i] = value;
    });
    bool shown = true;
    for (int round = 0; round < 10; ++round)
        shown = wall.show(picture) && shown;
    done.store(true, std::memory_order_relaxed);
    decoder.join();
    return shown ? 0 : 1;
}

// As the wall shows a stream: a decoding thread hands each picture of a real clip over, the
// wall uploads it, and the decoder takes the picture back for a later frame, or frees it when
// the size it makes pictures at changes. Nothing orders the decoder after the wall but the
// pictures' own reference counts: the decoder keeps pace through a relaxed count.
int PicturesTakenBackByTheirDecoderAfterTheWallUploadedThem(int argc, char** argv)
{
    QApplication app(argc, argv);
    Wall wall;
    if (!wall.drawsWithOpenGL())
        return 1;
    const testmedia::Clip clip = testmedia::LoadClip(testmedia::Codec::H264, "cif");
    const size_t frames = std::min<size_t>(clip.units.size(), 60);
    CDecodeVideo decoder;
    decoder.Init(1);
    decoder.SetPixelFormat(AV_PIX_FMT_BGRA);
    // Each written once by the decoder before it is published, then taken by the wall.
    std::vector<QImage> pictures(frames);
    std::atomic<size_t> published{0};
    std::atomic<size_t> shown{0};
    std::thread stream([&] {
        const FrameSize size{clip.width, clip.height};
        for (size_t i = 0; i < frames; ++i) {
            while (shown.load(std::memory_order_relaxed) + 1 < published.load(std::memory_order_relaxed))
                std::this_thread::yield();
            decoder.SetOutputSize(0, i / 10 % 2 ? Wall::SIZE / 2 : QSize());
            const testmedia::AccessUnit& unit = clip.units[i];
            if (decoder.DecodeFrame(PROTOCOL_CFRAME_H264, 0, unit.data.data(), unit.data.size(), size,
                                    unit.key ? FRAME_KEY : FRAME_DELTA) > 0)
                pictures[i] = decoder.GetDecodedImage(0);
            published.store(i + 1, std::memory_order_release);
        }
    });
    size_t drawn = 0;
    for (size_t i = 0; i < frames; ++i) {
        if (!Until([&] { return published.load(std::memory_order_acquire) > i; }))
            break;
        const QImage picture = std::move(pictures[i]);
        if (!picture.isNull() && wall.show(picture))
            ++drawn;
        shown.store(i + 1, std::memory_order_relaxed);
    }
    stream.join();
    return drawn > frames / 2 ? 0 : 1;
}

// The GUI thread sends a property whose bytes another thread writes: libxcb reads them.
int BytesSentToTheXServerWhileAnotherThreadWritesThem(int argc, char** argv)
{
    PropertyNotes notes;
    OnX x(argc, argv);
    if (!x.ready(notes))
        return 1;
    std::vector<char> value(256, 'a');
    std::thread writer([&] {
        for (int i = 0; i < ROUNDS; ++i)
            for (char& byte : value)
                byte = char('a' + i % 26);
    });
    ChangeProperty(x.c, x.window(), ROUNDS, value.data(), uint32_t(value.size()));
    const bool told = Until([&] { return notes.count >= ROUNDS; });
    writer.join();
    return told ? 0 : 1;
}

// Another thread reads an X event the GUI thread kept past its filter, after Qt freed it. The
// two are ordered in time through a relaxed atomic, which orders nothing for ThreadSanitizer.
int XEventReadByAnotherThreadAfterQtFreedIt(int argc, char** argv)
{
    KeptPropertyNote note;
    OnX x(argc, argv);
    if (!x.ready(note))
        return 1;
    std::atomic<bool> freed{false};
    std::thread late([&] {
        selftest::WaitRelaxed(freed);
        const xcb_generic_event_t* event = note.kept.load(std::memory_order_relaxed);
        std::printf("%d\n", event ? int(event->sequence) : -1);
    });
    ChangeProperty(x.c, x.window(), 1, "zavo", 4);
    const bool told = Until([&] { return note.kept.load(std::memory_order_relaxed) != nullptr; });
    freed.store(true, std::memory_order_relaxed);
    late.join();
    return told ? 0 : 1;
}

// Bursts of X events that Qt's reader thread queues faster than the GUI thread takes them,
// beyond the nodes its queue makes ahead.
int XEventBurstsTakenByTheGuiThread(int argc, char** argv)
{
    PropertyNotes notes;
    OnX x(argc, argv);
    if (!x.ready(notes))
        return 1;
    constexpr int BURST = 2000;
    for (int burst = 1; burst <= 3; ++burst) {
        ChangeProperty(x.c, x.window(), BURST, "zavo", 4);
        // Answered after every event of the burst has arrived.
        std::free(xcb_get_input_focus_reply(x.c, xcb_get_input_focus(x.c), nullptr));
        if (!Until([&] { return notes.count >= burst * BURST; }))
            return 1;
    }
    return 0;
}

}  // namespace

namespace selftest {

const std::map<std::string, RaceCase>& WindowRaceCases()
{
    static const std::map<std::string, RaceCase> cases = {
        {"picture_rewritten_by_its_decoder_while_the_wall_uploads_it",
         ZAVO_RACE_AT(PictureRewrittenByItsDecoderWhileTheWallUploadsIt)},
        {"bytes_sent_to_the_x_server_while_another_thread_writes_them",
         ZAVO_RACE_AT(BytesSentToTheXServerWhileAnotherThreadWritesThem)},
        {"x_event_read_by_another_thread_after_qt_freed_it", ZAVO_RACE_AT(XEventReadByAnotherThreadAfterQtFreedIt)},
    };
    return cases;
}

const std::map<std::string, Case>& WindowHandOvers()
{
    static const std::map<std::string, Case> kinds = {
        {"pictures_taken_back_by_their_decoder_after_the_wall_uploaded_them",
         PicturesTakenBackByTheirDecoderAfterTheWallUploadedThem},
        {"x_event_bursts_taken_by_the_gui_thread", XEventBurstsTakenByTheGuiThread},
    };
    return kinds;
}

}  // namespace selftest
