#pragma once

// Throughput meters: per-second byte and frame counts of the pictures shown (CCheckSpeed,
// read once a second by the main window) and the recorder's per-channel counters (CCheckFPS).

#include <QReadWriteLock>

#include <cstdint>
#include <ctime>
#include <deque>
#include <functional>
#include <vector>

class CCheckSpeed {
public:
    // Totals of one completed second.
    struct Data {
        uint64_t bytes = 0;
        uint64_t frames = 0;
    };
    using Clock = std::function<time_t()>;

    static constexpr int kMaxRecords = 60;
    // A fresh or reset meter starts counting this many seconds after its first frame.
    static constexpr int kArmSeconds = 2;

    // The clock defaults to time().
    explicit CCheckSpeed(Clock clock = Clock());

    // Counts one frame of the given size at second `now` (0: the clock's time).
    void addData(unsigned long bytes, long now = 0);
    // Empties the meter; the next frame arms it again.
    void reset();

    // The completed seconds, oldest first, up to the clock's second: the seconds that passed
    // without a frame count as empty, so the figures fall as soon as pictures stop.
    std::vector<Data> records() const;
    // The second being counted, empty once the clock has passed the last frame's second.
    Data current() const;

private:
    // Closes the second counted at `time` and adds an empty record for each later second
    // before `now`, keeping at most kMaxRecords; `time` becomes `now` (later than `time`).
    static void advance(std::deque<Data>& list, const Data& counted, time_t& time, time_t now);

    mutable QReadWriteLock m_lock;
    uint64_t m_bytes = 0;
    uint64_t m_frames = 0;
    std::deque<Data> m_list;
    time_t m_time = 0;  // the second being counted; 0: not armed
    Clock m_clock;
};

// The program's one meter of shown pictures.
extern CCheckSpeed gCheckSpeed;

// Frame counters of one recorded channel.
class CCheckFPS {
public:
    uint64_t frames = 0;
    uint64_t bytes = 0;
    uint64_t seconds = 0;

    // Frames per second, with less than one second counted as one.
    uint64_t frameRate() const { return frames / (seconds < 1 ? 1 : seconds); }
};
