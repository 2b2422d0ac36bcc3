#pragma once

// What the seed generators share: writing seed files and building packets and headers.

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace corpus {

// One reply packet: start code, client id, type, 4-byte length, payload, end code.
inline std::string Packet(char cid, char type, const std::string& payload, bool bigEndian,
                          const std::string& etx = "\xFB\xFB\xFB\xFD")
{
    std::string p = "\xFB\xFB\xFB\xFC";
    p += cid;
    p += type;
    const auto len = static_cast<unsigned>(payload.size());
    for (int i = 0; i < 4; ++i)
        p += static_cast<char>(len >> (bigEndian ? 24 - 8 * i : 8 * i));
    return p + payload + etx;
}

// A packet announcing 0x2800001 payload bytes that never come.
inline std::string OversizedPacket(char cid, bool bigEndian)
{
    std::string p = Packet(cid, 2, "", bigEndian);
    p[bigEndian ? 6 : 9] = '\x02';
    p[bigEndian ? 7 : 8] = '\x80';
    p[bigEndian ? 9 : 6] = '\x01';
    return p;
}

// Writes the low `width` bytes of v at s[at].
inline void Put(std::string& s, size_t at, uint32_t v, int width, bool bigEndian)
{
    for (int i = 0; i < width; ++i)
        s[at + static_cast<size_t>(i)] = static_cast<char>(v >> (8 * (bigEndian ? width - 1 - i : i)));
}

inline bool WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

// The body of a generator: writes seeds as seed_0, seed_1, ... into the folder named by
// argv[1]. 0 when all were written.
inline int WriteSeeds(int argc, char** argv, const std::vector<std::string>& seeds)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    for (size_t i = 0; i < seeds.size(); ++i) {
        if (!WriteFile(dir + "/seed_" + std::to_string(i), seeds[i])) {
            std::fprintf(stderr, "cannot write into %s\n", dir.c_str());
            return 1;
        }
    }
    return 0;
}

}  // namespace corpus
