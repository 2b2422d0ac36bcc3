// Writes the starting corpus of fuzz_frame_headers into the folder given as argv[1]:
// whole frame payloads with a current-protocol or an old-protocol header.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

bool Write(const std::string& dir, int index, const std::string& bytes)
{
    std::ofstream out(dir + "/seed_" + std::to_string(index), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

void Put(std::string& s, size_t at, uint32_t v, int width, bool bigEndian)
{
    for (int i = 0; i < width; ++i)
        s[at + static_cast<size_t>(i)] = static_cast<char>(v >> (8 * (bigEndian ? width - 1 - i : i)));
}

std::string Current(uint8_t type, uint8_t channel, uint32_t size)
{
    std::string s((type & 3) == 3 ? 40 : 36, '\0');
    s[0] = static_cast<char>(type);
    s[1] = static_cast<char>(channel);
    Put(s, 4, size, 4, false);
    Put(s, 8, 704, 2, false);
    Put(s, 10, 480, 2, false);
    Put(s, 12, 1700000000u, 4, false);
    Put(s, 16, 123456, 4, false);
    return s + std::string(size, 'd');
}

std::string Old(uint32_t typeSize, uint32_t frameSize, uint32_t channel)
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
    Put(s, 37, 1700000000u, 4, true);
    Put(s, 53, channel, 4, true);
    Put(s, 57, frameSize, 4, true);
    return s + std::string(frameSize, 'd');
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    int n = 0;
    bool ok = true;
    ok &= Write(dir, n++, Current(0, 0, 300));
    ok &= Write(dir, n++, Current(1, 15, 64));
    ok &= Write(dir, n++, Current(3, 2, 320));
    ok &= Write(dir, n++, Current(0, 17, 10));
    ok &= Write(dir, n++, Old(200, 200, 3));
    ok &= Write(dir, n++, Old((3u << 22) | 160, 160, 1));
    ok &= Write(dir, n++, Old(100, 100, 0x0100000F));
    return ok ? 0 : 1;
}
