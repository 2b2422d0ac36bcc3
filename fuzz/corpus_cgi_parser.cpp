// Writes the starting corpus of fuzz_cgi_parser into the folder given as argv[1]:
// flags byte, read-size seed byte, then a stream of packets.
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
        const std::string head = std::string(1, be ? '\x01' : '\x00') + "\x2A";
        const std::string frame(36, '\x01');
        ok &= Write(dir, n++, head + Packet(1, 2, frame + std::string(200, 'v'), be)
                                   + Packet(1, 3, frame + "aaaa", be) + Packet(1, 5, "", be));
        ok &= Write(dir, n++, head + "junk\xFB\xFB\xFB" + Packet(2, 1, "info", be) + "\xFB\xFB"
                                   + Packet(2, 2, "\xFB\xFB\xFB\xFC\xFB\xFB\xFB\xFD", be));
        ok &= Write(dir, n++, head + Packet(3, 2, "bad end", be, "\xFB\xFB\xFB\xFE")
                                   + Packet(3, 2, "good", be));
        std::string over = Packet(4, 2, "", be);
        over[be ? 6 : 9] = '\x02';
        over[be ? 7 : 8] = '\x80';
        over[be ? 9 : 6] = '\x01';  // 0x2800001
        ok &= Write(dir, n++, head + over + Packet(4, 0, "\x00", be));
    }
    return ok ? 0 : 1;
}
