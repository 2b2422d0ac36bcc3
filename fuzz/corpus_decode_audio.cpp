// Writes the starting corpus of fuzz_decode_audio into the folder given as argv[1]: frames
// of the tones that the build generates with ffmpeg, in the target's records (control byte,
// then the coded bytes).
#include "corpus_util.h"
#include "support/TestMedia.h"

namespace {

enum Control : uint8_t { OLD = 1, SHORT = 1 << 1, LONG = 2 << 1, SHORT_OUTPUT = 3 << 1, BARE = 8 };

std::string Record(uint8_t control, const std::vector<uint8_t>& tone, size_t from, size_t length)
{
    return std::string(1, static_cast<char>(control)) +
           std::string(tone.begin() + long(from), tone.begin() + long(from + length));
}

// The bare coder takes (count * 7) bytes.
uint8_t Bare(int count, uint8_t extra = 0) { return static_cast<uint8_t>(BARE | count << 4 | extra); }

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<uint8_t> alaw = testmedia::AlawTone();
    const std::vector<uint8_t> g726 = testmedia::G726Tone();
    std::string current;
    std::string old;
    for (size_t i = 0; i < 4; ++i)
        current += Record(0, alaw, i * 320, 320);
    for (size_t i = 0; i < 3; ++i)
        old += Record(OLD, g726, i * 1200, 1200);
    const std::string mixed = Record(0, alaw, 0, 320) + Record(OLD | SHORT, g726, 0, 1199) +
                              Record(OLD, g726, 0, 1200) + Record(LONG, alaw, 320, 321) +
                              Record(OLD | SHORT_OUTPUT, g726, 1200, 1200) + Record(OLD, g726, 1200, 1200);
    const std::string bare = Record(Bare(10), g726, 0, 70) + Record(Bare(3, SHORT_OUTPUT), g726, 70, 21) +
                             Record(Bare(0), g726, 0, 0) + Record(Bare(15), g726, 70, 105);
    return corpus::WriteSeeds(argc, argv, {current, old, mixed, bare});
}
