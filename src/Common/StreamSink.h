#pragma once

// A sink that stream threads deliver into and that its owner (a window) can cut off at any
// time.
//
// The sink keeps the parts the deliveries work with (decoders, an audio output) and is held
// by shared pointers: the owner's, and one of its own that each delivery takes for as long as
// it works. The parts go with the last holder, on that holder's thread, so they must free
// without waiting. The owner is reached only inside reach(), which passes while the sink is
// not cut; cut() returns once no delivery is inside and none gets in any more. Nothing inside
// reach() may wait (for a decoder, a device, or a lock held across either): a delivery decodes
// and plays with the parts outside it, and a result it brings after the cut is dropped.

#include <condition_variable>
#include <mutex>
#include <utility>

template <class Owner, class Parts>
class CStreamSink {
public:
    template <class... Args>
    explicit CStreamSink(Owner* owner, Args&&... parts) : m_parts(std::forward<Args>(parts)...), m_owner(owner)
    {
    }
    CStreamSink(const CStreamSink&) = delete;
    CStreamSink& operator=(const CStreamSink&) = delete;

    // Any holder, any thread.
    Parts& parts() { return m_parts; }

    // Runs f(owner) unless the sink is cut; true when it ran.
    template <class F>
    bool reach(F&& f)
    {
        Owner* owner = enter();
        if (!owner)
            return false;
        struct Leave {
            CStreamSink* sink;
            ~Leave() { sink->leave(); }
        } leave{this};
        std::forward<F>(f)(*owner);
        return true;
    }

    // The owner's: from here on no delivery reaches it. Returns once a delivery inside has
    // left, which waits for nothing.
    void cut()
    {
        std::unique_lock<std::mutex> lock(m_lock);
        m_owner = nullptr;
        m_left.wait(lock, [this] { return m_inside == 0; });
    }
    bool isCut() const
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_owner == nullptr;
    }

private:
    Owner* enter()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (m_owner)
            ++m_inside;
        return m_owner;
    }
    void leave()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (--m_inside == 0 && !m_owner)
            m_left.notify_all();
    }

    Parts m_parts;
    // Guards the two below; standard types, whose waits ThreadSanitizer follows.
    mutable std::mutex m_lock;
    std::condition_variable m_left;
    Owner* m_owner;
    int m_inside = 0;
};
