#pragma once

// Hand-overs between threads that are ordered inside libraries ThreadSanitizer cannot see
// (Qt's event queue, QImage's reference count), declared to it where our code makes them.
// Outside a ThreadSanitizer build they compile to nothing.

#include <atomic>
#include <memory>
#include <utility>

#if defined(__SANITIZE_THREAD__)
#define ZAVO_THREAD_CHECK 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define ZAVO_THREAD_CHECK 1
#endif
#endif

#ifdef ZAVO_THREAD_CHECK
#include <sanitizer/tsan_interface.h>
#endif

namespace ThreadCheck {

// What this thread did until now happens before what a thread does after TakeOver(address).
inline void HandOver(const void* address)
{
#ifdef ZAVO_THREAD_CHECK
    __tsan_release(const_cast<void*>(address));
#else
    (void)address;
#endif
}

inline void TakeOver(const void* address)
{
#ifdef ZAVO_THREAD_CHECK
    __tsan_acquire(const_cast<void*>(address));
#else
    (void)address;
#endif
}

// After seeing that another thread let go of its last reference to what address belongs to,
// through a reference count in code ThreadSanitizer cannot see: that thread's use of it is
// done. An acquire fence pairs with the count's release; ThreadSanitizer does not understand
// fences and takes the other thread's HandOver(address) instead.
inline void TakeOverAfterLastRelease(const void* address)
{
#ifdef ZAVO_THREAD_CHECK
    TakeOver(address);
#else
    (void)address;
    std::atomic_thread_fence(std::memory_order_acquire);
#endif
}

}  // namespace ThreadCheck

// A value a queued signal carries to another thread: made once on the emitting thread and
// shared, not copied, by the copies Qt makes. Each copy declares its hand-over through Qt's
// event queue, and the thread that reads or destroys it takes it over. The last copy to go, on
// whichever thread, frees the value after every other thread's reads (its count is seen, unlike
// the reference counts of Qt's own types). Converts from and to the value, so emitters pass the
// value and slots take the value type.
template <typename T>
class Queued {
public:
    Queued(const T& value) : m_value(std::make_shared<const T>(value)) {}
    Queued(T&& value) : m_value(std::make_shared<const T>(std::move(value))) {}
    Queued(const Queued& other) : m_value(other.m_value) { ThreadCheck::HandOver(this); }
    Queued& operator=(const Queued&) = delete;
    ~Queued() { ThreadCheck::TakeOver(this); }

    const T& value() const
    {
        ThreadCheck::TakeOver(this);
        return *m_value;
    }
    operator const T&() const { return value(); }

private:
    std::shared_ptr<const T> m_value;
};

// The functor of a connection whose slot object Qt may free on another thread than the one that
// calls it. A network reply is such a sender: the network thread's delegate is connected to it,
// and whichever of the two threads cleans up the reply's connections last frees what was
// disconnected, after Qt's count of the slot object says every call is over (a count
// ThreadSanitizer cannot see). The functor's construction and each of its calls hand it over to
// its destruction.
template <typename F>
class FreedAnywhere {
public:
    explicit FreedAnywhere(F f) : m_f(std::move(f)) { ThreadCheck::HandOver(this); }
    FreedAnywhere(FreedAnywhere&& other) : m_f(std::move(other.m_f)) { ThreadCheck::HandOver(this); }
    FreedAnywhere(const FreedAnywhere& other) : m_f(other.m_f) { ThreadCheck::HandOver(this); }
    FreedAnywhere& operator=(const FreedAnywhere&) = delete;
    ~FreedAnywhere() { ThreadCheck::TakeOver(this); }

    // Callable with exactly the arguments F takes, so that Qt finds how many of a signal's to pass.
    template <typename... A>
    auto operator()(A&&... args) -> decltype(std::declval<F&>()(std::forward<A>(args)...))
    {
        const Done done{this};
        return m_f(std::forward<A>(args)...);
    }

private:
    struct Done {
        const void* self;
        ~Done() { ThreadCheck::HandOver(self); }
    };

    F m_f;
};

// The functor of a connection or a queued call that another thread calls: Qt publishes it there
// through its connection list or event queue, and frees it after the calls through its own
// count, all out of ThreadSanitizer's sight. What the building thread did until it was built
// happens before each call, and each call before its destruction; two calls on two threads are
// not ordered by it, nor is anything another thread does meanwhile.
template <typename F>
class CalledElsewhere {
public:
    explicit CalledElsewhere(F f) : m_f(std::move(f)) { ThreadCheck::HandOver(&m_built); }
    CalledElsewhere(CalledElsewhere&& other) : m_f(std::move(other.m_f)) { ThreadCheck::HandOver(&m_built); }
    CalledElsewhere(const CalledElsewhere& other) : m_f(other.m_f) { ThreadCheck::HandOver(&m_built); }
    CalledElsewhere& operator=(const CalledElsewhere&) = delete;
    ~CalledElsewhere() { ThreadCheck::TakeOver(&m_built); }

    template <typename... A>
    auto operator()(A&&... args) -> decltype(std::declval<FreedAnywhere<F>&>()(std::forward<A>(args)...))
    {
        ThreadCheck::TakeOver(&m_built);
        return m_f(std::forward<A>(args)...);
    }

private:
    // The calls' hand-over to the destruction, apart from the publication (at m_built).
    FreedAnywhere<F> m_f;
    const char m_built = 0;
};
