// Writes the starting corpus of fuzz_cgi_parser into the folder given as argv[1]:
// flags byte, read-size seed byte, then a stream of packets.
#include "corpus_util.h"

using corpus::Packet;

int main(int argc, char** argv)
{
    std::vector<std::string> seeds;
    for (bool be : {false, true}) {
        const std::string head = std::string(1, be ? '\x01' : '\x00') + "\x2A";
        const std::string frame(36, '\x01');
        seeds.push_back(head + Packet(1, 2, frame + std::string(200, 'v'), be)
                        + Packet(1, 3, frame + "aaaa", be) + Packet(1, 5, "", be));
        seeds.push_back(head + "junk\xFB\xFB\xFB" + Packet(2, 1, "info", be) + "\xFB\xFB"
                        + Packet(2, 2, "\xFB\xFB\xFB\xFC\xFB\xFB\xFB\xFD", be));
        seeds.push_back(head + Packet(3, 2, "bad end", be, "\xFB\xFB\xFB\xFE") + Packet(3, 2, "good", be));
        seeds.push_back(head + corpus::OversizedPacket(4, be) + Packet(4, 0, "\x00", be));
    }
    return corpus::WriteSeeds(argc, argv, seeds);
}
