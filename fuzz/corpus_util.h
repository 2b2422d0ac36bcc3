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

// A current-protocol frame payload (header and `size` data bytes) of a D1 picture or,
// for type 3, of audio.
inline std::string CurrentFrame(uint8_t type, uint8_t channel, uint32_t size, uint32_t sec = 1700000000u,
                                uint32_t usec = 123456)
{
    std::string s((type & 3) == 3 ? 40 : 36, '\0');
    s[0] = static_cast<char>(type);
    s[1] = static_cast<char>(channel);
    Put(s, 4, size, 4, false);
    Put(s, 8, 704, 2, false);
    Put(s, 10, 480, 2, false);
    Put(s, 12, sec, 4, false);
    Put(s, 16, usec, 4, false);
    return s + std::string(size, 'd');
}

// An old-protocol frame payload: type and size word, coded size and channel as given.
inline std::string OldFrame(uint32_t typeSize, uint32_t frameSize, uint32_t channel, uint32_t sec = 1700000000u)
{
    std::string s(80, '\0');
    s[0] = 'U';
    s[1] = 'M';
    Put(s, 2, 80, 4, true);
    Put(s, 8, frameSize, 4, true);
    s[12] = 0x2A;
    s[13] = 0x08;
    s[16] = 12;
    Put(s, 17, typeSize, 4, true);
    Put(s, 37, sec, 4, true);
    Put(s, 53, channel, 4, true);
    Put(s, 57, frameSize, 4, true);
    return s + std::string(frameSize, 'd');
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
