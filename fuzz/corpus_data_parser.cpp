// Writes the starting corpus of fuzz_data_parser into the folder given as argv[1]:
// flags byte, chunk-size seed byte, then a reply made of packets.
#include "corpus_util.h"

using corpus::Packet;

int main(int argc, char** argv)
{
    std::vector<std::string> seeds;
    for (bool be : {false, true}) {
        const std::string head = std::string(1, be ? '\x01' : '\x00') + "\x11";
        seeds.push_back(head + Packet(9, 0, std::string(1, '\0'), be) + Packet(9, 7, "calendar", be));
        seeds.push_back(head + "xx\xFB\xFB" + Packet(1, 2, std::string(150, 's'), be) + "\xFB\xFB\xFB");
        // A late end code after padding, and a packet never closed before the next one.
        seeds.push_back(head + Packet(2, 2, "late", be, "pad\xFB\xFB\xFB\xFD")
                        + Packet(3, 2, "open", be, "xy") + Packet(4, 2, "next", be));
        seeds.push_back(head + corpus::OversizedPacket(5, be) + Packet(5, 1, "after", be));
    }
    return corpus::WriteSeeds(argc, argv, seeds);
}
