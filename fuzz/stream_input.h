#pragma once

// The input of fuzz_cgi_parser: a setup byte, a read-size seed byte, then the stream as the
// DVR sends it, in which two escapes stand for long runs, so that a short input can fill the
// stream's 5 MiB receive buffer and pass through it several times:
//   FE FE FE FE n0 n1 n2 b    n (24-bit little-endian) copies of byte b
//   FE FE FE FD c0 c1 l0 l1   the next l bytes (cut to what is left), c times
// Setup byte: bit 0 old protocol (big-endian lengths), bits 1-2 live / remote playback /
// backup / e-map live, bit 3 a recording PC recorder attached, bit 4 the old-protocol DVR's
// kind is not known yet (its first frame restarts the stream), bit 5 the old protocol's audio
// stream, or no audio on the current protocol, bits 6-7 the largest socket read: 16 bytes,
// 300 bytes, 8 KiB, or as much as the buffer takes.

#include <cstddef>
#include <cstdint>
#include <string>

namespace streaminput {

// Longer streams are cut here: two and a half buffers.
constexpr size_t MAX_STREAM = 0xC80000;

constexpr char RUN[] = "\xFE\xFE\xFE\xFE";
constexpr char REPEAT[] = "\xFE\xFE\xFE\xFD";

enum Setup : uint8_t {
    OLD_PROTOCOL = 1,
    PLAYBACK = 1 << 1,
    BACKUP = 2 << 1,
    EMAP = 3 << 1,
    RECORDER = 1 << 3,
    KIND_UNKNOWN = 1 << 4,
    AUDIO_STREAM = 1 << 5,
    READS_16 = 0 << 6,
    READS_300 = 1 << 6,
    READS_8K = 2 << 6,
    READS_WHOLE = 3 << 6,
};

inline std::string Run(uint32_t n, char b)
{
    std::string s(RUN, 4);
    for (int i = 0; i < 3; ++i)
        s += static_cast<char>(n >> (8 * i));
    return s + b;
}

inline std::string Repeat(uint16_t count, const std::string& bytes)
{
    std::string s(REPEAT, 4);
    s += static_cast<char>(count);
    s += static_cast<char>(count >> 8);
    s += static_cast<char>(bytes.size());
    s += static_cast<char>(bytes.size() >> 8);
    return s + bytes;
}

inline std::string Expand(const uint8_t* data, size_t size)
{
    std::string out;
    auto escape = [&](size_t at, const char* code) {
        return at + 8 <= size && std::char_traits<char>::compare(reinterpret_cast<const char*>(data + at), code, 4) == 0;
    };
    size_t at = 0;
    while (at < size && out.size() < MAX_STREAM) {
        const size_t room = MAX_STREAM - out.size();
        if (escape(at, RUN)) {
            const size_t n = data[at + 4] | data[at + 5] << 8 | size_t(data[at + 6]) << 16;
            out.append(n < room ? n : room, static_cast<char>(data[at + 7]));
            at += 8;
        } else if (escape(at, REPEAT)) {
            const size_t count = data[at + 4] | data[at + 5] << 8;
            size_t length = data[at + 6] | data[at + 7] << 8;
            at += 8;
            length = length < size - at ? length : size - at;
            for (size_t i = 0; i < count && out.size() < MAX_STREAM; ++i)
                out.append(reinterpret_cast<const char*>(data + at), length);
            at += length;
        } else {
            out += static_cast<char>(data[at++]);
        }
    }
    if (out.size() > MAX_STREAM)
        out.resize(MAX_STREAM);
    return out;
}

}  // namespace streaminput
