// Linked into the ThreadSanitizer build's programs that may run on an X server. Qt's X
// connection reads the server's events on a thread of its own, the one caller of
// xcb_wait_for_event, and hands them to the GUI thread through a queue it orders with atomics
// in uninstrumented code: the GUI thread frees what that thread allocated (libxcb's events, and
// queue nodes beyond those made ahead). No code of ours runs on the reader thread, so its
// memory accesses are left out of the check; its locks and everything on the other threads,
// calls into libxcb and Qt's X plugin included, are still checked.

#include <dlfcn.h>
#include <xcb/xcb.h>

extern "C" void __tsan_ignore_thread_begin();
extern "C" void __tsan_ignore_thread_end();

namespace {

// From the first wait on to the thread's end, which must not end with the check left off.
struct LeftOut {
    LeftOut() { __tsan_ignore_thread_begin(); }
    ~LeftOut() { __tsan_ignore_thread_end(); }
    LeftOut(const LeftOut&) = delete;
    LeftOut& operator=(const LeftOut&) = delete;
};

}  // namespace

extern "C" xcb_generic_event_t* xcb_wait_for_event(xcb_connection_t* connection)
{
    using Wait = xcb_generic_event_t* (*)(xcb_connection_t*);
    static const Wait wait = reinterpret_cast<Wait>(dlsym(RTLD_NEXT, "xcb_wait_for_event"));
    thread_local LeftOut leftOut;
    return wait(connection);
}
