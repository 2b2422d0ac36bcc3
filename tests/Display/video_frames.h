#pragma once

// Frames as DVRs send them: a clip's access unit behind a current-protocol (CFrame, 36 bytes,
// little-endian) or old-protocol (CUFrame, 80 bytes, big-endian) header.

#include <cstdint>
#include <vector>

#include "support/TestMedia.h"

namespace videoframes {

struct Stamp {
    uint32_t sec = 0;
    uint32_t usec = 0;
};

inline void PutLe(std::vector<uint8_t>& b, size_t at, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

inline void PutBe(std::vector<uint8_t>& b, size_t at, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (8 * (bytes - 1 - i)));
}

// frameType: 0 key, 1 delta, 3 audio.
inline std::vector<uint8_t> CFrameOf(const std::vector<uint8_t>& data, int frameType, int channel,
                                     int width, int height, Stamp t)
{
    std::vector<uint8_t> f(36, 0);
    f[0] = static_cast<uint8_t>(frameType);
    f[1] = static_cast<uint8_t>(channel);
    PutLe(f, 4, static_cast<uint32_t>(data.size()), 4);
    PutLe(f, 8, static_cast<uint32_t>(width), 2);
    PutLe(f, 10, static_cast<uint32_t>(height), 2);
    PutLe(f, 12, t.sec, 4);
    PutLe(f, 16, t.usec, 4);
    f.insert(f.end(), data.begin(), data.end());
    return f;
}

inline std::vector<uint8_t> CFrameOf(const testmedia::Clip& clip, size_t unit, int channel, Stamp t)
{
    return CFrameOf(clip.units[unit].data, clip.units[unit].key ? 0 : 1, channel, clip.width,
                    clip.height, t);
}

// info: bits 1-2 and 6 the resolution code, bit 3 motion, bit 4 sensor, bit 5 recording.
inline std::vector<uint8_t> CUFrameOf(const std::vector<uint8_t>& data, bool key, int channel,
                                      uint8_t info, uint16_t videoLoss, Stamp t, int model = 6)
{
    std::vector<uint8_t> f(80, 0);
    f[0] = 'U';
    f[1] = 'M';
    PutBe(f, 2, 80, 4);
    PutBe(f, 8, static_cast<uint32_t>(data.size()), 4);
    f[12] = info;
    PutBe(f, 14, videoLoss, 2);
    f[16] = static_cast<uint8_t>(model);
    PutBe(f, 17, ((key ? 0u : 1u) << 22) | static_cast<uint32_t>(data.size()), 4);
    PutBe(f, 37, t.sec, 4);
    PutBe(f, 41, t.usec, 4);
    PutBe(f, 53, static_cast<uint32_t>(channel), 4);
    PutBe(f, 57, static_cast<uint32_t>(data.size()), 4);
    f.insert(f.end(), data.begin(), data.end());
    return f;
}

}  // namespace videoframes
