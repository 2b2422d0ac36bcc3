// Writes the starting corpus of fuzz_data_parser into the folder given as argv[1]:
// flags byte, chunk-size seed byte, then a reply made of packets.
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

std::string Packet(char cid, char type, const std::string& payload, bool bigEndian,
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
    for (bool be : {false, true}) {
        const std::string head = std::string(1, be ? '\x01' : '\x00') + "\x11";
        ok &= Write(dir, n++, head + Packet(9, 0, std::string(1, '\0'), be) + Packet(9, 7, "calendar", be));
        ok &= Write(dir, n++, head + "xx\xFB\xFB" + Packet(1, 2, std::string(150, 's'), be) + "\xFB\xFB\xFB");
        // A late end code after padding, and a packet never closed before the next one.
        ok &= Write(dir, n++, head + Packet(2, 2, "late", be, "pad\xFB\xFB\xFB\xFD")
                                   + Packet(3, 2, "open", be, "xy") + Packet(4, 2, "next", be));
        std::string over = Packet(5, 2, "", be);
        over[be ? 6 : 9] = '\x02';
        over[be ? 7 : 8] = '\x80';
        over[be ? 9 : 6] = '\x01';  // 0x2800001
        ok &= Write(dir, n++, head + over + Packet(5, 1, "after", be));
    }
    return ok ? 0 : 1;
}
