#pragma once

// The input of fuzz_recording_files: one recording's files in one buffer.
//   4-byte little-endian length of the .qvf (cut to what is left), the .qvf,
//   4-byte little-endian length of the .qrx (cut to what is left), the .qrx,
//   the rest: the .qdx.

#include <cstddef>
#include <cstdint>
#include <string>

namespace recinput {

// The base name the files are written under.
constexpr char BASE[] = "20260302_100040";

struct Files {
    std::string qvf, qrx, qdx;
};

inline Files Split(const uint8_t* data, size_t size)
{
    Files f;
    size_t at = 0;
    auto part = [&](std::string* out) {
        if (at + 4 > size) {
            at = size;
            return;
        }
        size_t n = data[at] | (data[at + 1] << 8) | (data[at + 2] << 16) | (size_t(data[at + 3]) << 24);
        at += 4;
        n = n < size - at ? n : size - at;
        out->assign(reinterpret_cast<const char*>(data + at), n);
        at += n;
    };
    part(&f.qvf);
    part(&f.qrx);
    f.qdx.assign(reinterpret_cast<const char*>(data + at), size - at);
    return f;
}

inline std::string Join(const Files& f)
{
    auto length = [](const std::string& s) {
        std::string b(4, '\0');
        for (int i = 0; i < 4; ++i)
            b[size_t(i)] = char(s.size() >> (8 * i));
        return b;
    };
    return length(f.qvf) + f.qvf + length(f.qrx) + f.qrx + f.qdx;
}

}  // namespace recinput
