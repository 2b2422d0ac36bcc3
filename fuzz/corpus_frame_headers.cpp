// Writes the starting corpus of fuzz_frame_headers into the folder given as argv[1]:
// whole frame payloads with a current-protocol or an old-protocol header.
#include "corpus_util.h"

namespace {

using corpus::Put;

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
    return corpus::WriteSeeds(argc, argv,
                              {Current(0, 0, 300), Current(1, 15, 64), Current(3, 2, 320),
                               Current(0, 17, 10), Old(200, 200, 3), Old((3u << 22) | 160, 160, 1),
                               Old(100, 100, 0x0100000F)});
}
