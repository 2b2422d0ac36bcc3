// Writes the starting corpus of fuzz_frame_headers into the folder given as argv[1]:
// whole frame payloads with a current-protocol or an old-protocol header.
#include "corpus_util.h"

using corpus::CurrentFrame;
using corpus::OldFrame;

int main(int argc, char** argv)
{
    return corpus::WriteSeeds(argc, argv,
                              {CurrentFrame(0, 0, 300), CurrentFrame(1, 15, 64), CurrentFrame(3, 2, 320),
                               CurrentFrame(0, 17, 10), OldFrame(200, 200, 3), OldFrame((3u << 22) | 160, 160, 1),
                               OldFrame(100, 100, 0x0100000F)});
}
