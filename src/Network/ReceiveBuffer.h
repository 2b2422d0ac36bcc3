#pragma once

#include <atomic>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

// A stream's receive buffer: holds at most `capacity` bytes that may still become packets,
// contiguous so the cutter can scan them. Bytes the cutter lets go of are only skipped; the
// rest moves to the array's front when at least as many bytes were let go of before it, or
// when a read would not fit behind it. The array has `slack` bytes beyond the capacity, so at
// least `slack` bytes were let go of (and so read) before a move of the second kind: moving
// costs at most capacity / slack + 1 times the bytes read, whatever the DVR sends. And a
// steady stream keeps to the array's front, about twice its largest packet: the rest of the
// array's pages are never touched, so each stream costs memory in proportion to its packets.
// One spare byte follows the array: the cutter may point one past what it scanned.
class CReceiveBuffer {
public:
    // `moved` counts the bytes moved, `reach` keeps the furthest the held bytes reached into
    // the array.
    CReceiveBuffer(size_t capacity, size_t slack, std::atomic<uint64_t>* moved = nullptr,
                   std::atomic<uint64_t>* reach = nullptr)
        : m_capacity(capacity), m_slack(slack), m_bytes(new (std::nothrow) unsigned char[capacity + slack + 1]),
          m_moved(moved), m_reach(reach)
    {
    }

    bool isNull() const { return !m_bytes; }
    // Bytes held and the room a read may take.
    size_t size() const { return m_size; }
    size_t room() const { return m_capacity - m_size; }
    unsigned char* begin() { return m_bytes.get() + m_start; }
    unsigned char* end() { return begin() + m_size; }
    // The whole array, spare byte aside, for checks of what a reader may touch.
    unsigned char* array() { return m_bytes.get(); }
    size_t arraySize() const { return m_capacity + m_slack; }

    // Where a read of up to n <= room() bytes goes.
    unsigned char* reserve(size_t n)
    {
        assert(n <= room());
        if (moves(n)) {
            std::memmove(m_bytes.get(), begin(), m_size);
            m_start = 0;
            if (m_moved)
                m_moved->fetch_add(m_size, std::memory_order_relaxed);
        }
        if (m_reach && m_start + m_size + n > m_reach->load(std::memory_order_relaxed))
            m_reach->store(m_start + m_size + n, std::memory_order_relaxed);
        return end();
    }
    void grow(size_t n)
    {
        assert(n <= room());
        m_size += n;
    }
    // Lets go of the bytes before `keep` (inside the held bytes, or their end).
    void dropBefore(const unsigned char* keep)
    {
        const size_t dropped = static_cast<size_t>(keep - begin());
        assert(dropped <= m_size);
        m_start += dropped;
        m_size -= dropped;
        if (m_size == 0)
            m_start = 0;
    }

private:
    // Whether a read of n bytes moves the held bytes to the front first.
    bool moves(size_t n) const
    {
        return (m_start > 0 && m_start >= m_size) || m_start + m_size + n > m_capacity + m_slack;
    }

    const size_t m_capacity;
    const size_t m_slack;
    std::unique_ptr<unsigned char[]> m_bytes;
    std::atomic<uint64_t>* m_moved;
    std::atomic<uint64_t>* m_reach;
    size_t m_start = 0;
    size_t m_size = 0;
};
