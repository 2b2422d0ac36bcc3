// Feeds audio frames of both protocol generations, whole and mis-sized, through the frame
// decoder, and odd lengths through the bare G.726 coder. Every sample is checked against the
// code-by-code decoder fed by an unpacking of the harness's own, whose state must stay
// inside the limits the algorithm sets.
// Input: at most MAX_FRAMES records of
//   control byte: bit 0 old protocol (1200 bytes of G.726-24) or current (320 bytes of A-law);
//                 bits 1-2 0 exact, 1 a byte short, 2 a byte long, 3 an output sample short;
//                 bit 3 bare coder (bits 4-7 then give the length: (value * 7) bytes)
//   the coded bytes (a record stops the run when the input has too few).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "Common/DecodeAudio.h"
#include "Common/G723Coder.h"
#include "fuzz_util.h"

namespace {

constexpr int MAX_FRAMES = 16;
constexpr short UNTOUCHED = 0x5A5A;

// LIMB, LIMC, LIMD, the speed control and the slow scale factor that follows the fast one.
void CheckState(const g72x_state& s)
{
    CHECK(s.yu >= 544 && s.yu <= 5120);
    CHECK(s.yl >= 544 * 64 - 64 && s.yl <= 5120 * 64 + 64);
    CHECK(std::abs(s.a[1]) <= 12288);
    CHECK(std::abs(s.a[0]) <= 15360 - s.a[1]);
    CHECK(s.ap >= 0 && s.ap <= 512);
    CHECK(s.td == 0 || s.td == 1);
}

// The samples the codes in bytes make: 3-bit codes, least significant bit first.
std::vector<short> Reference(const uint8_t* bytes, size_t length, g72x_state& state)
{
    std::vector<short> samples;
    for (size_t bit = 0; bit + 3 <= length * 8; bit += 3) {
        int code = 0;
        for (int k = 0; k < 3; ++k)
            code |= ((bytes[(bit + k) / 8] >> ((bit + k) % 8)) & 1) << k;
        const int v = g723_24_decoder(code, AUDIO_ENCODING_LINEAR, &state);
        CheckState(state);
        samples.push_back(static_cast<short>(std::clamp(v, -32768, 32767)));
    }
    return samples;
}

// A refused call leaves the output as it was.
bool Untouched(const std::vector<short>& out)
{
    return std::all_of(out.begin(), out.end(), [](short v) { return v == UNTOUCHED; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CDecodeAudio frames;
    CG723Coder bare;
    g72x_state framesState;
    g72x_state bareState;
    g72x_init_state(&framesState);
    g72x_init_state(&bareState);
    CHECK(g723_24_decoder(0, AUDIO_ENCODING_LINEAR + 1, &framesState) == -1);

    size_t at = 0;
    for (int n = 0; n < MAX_FRAMES && at < size; ++n) {
        const uint8_t control = data[at++];
        const bool old = control & 1;
        const int variant = (control >> 1) & 3;
        const bool useBare = control & 8;
        const int whole = CDecodeAudio::getEncodedSize(old);
        const int inLength = useBare ? (control >> 4) * 7
                                     : whole + (variant == 1 ? -1 : variant == 2 ? 1 : 0);
        if (size - at < size_t(inLength))
            break;
        // Exactly sized copies, so that any access past either end is caught.
        const std::vector<uint8_t> in(data + at, data + at + inLength);
        at += size_t(inLength);

        if (useBare) {
            const int samples = inLength * 8 / 3;
            const int outLength = samples - (variant == 3 ? 1 : 0);
            // One sample more than asked for, which must stay untouched.
            std::vector<short> out(size_t(samples) + 1, UNTOUCHED);
            CHECK(bare.Decode(in.data(), inLength, nullptr, 0) == samples);
            const int got = bare.Decode(in.data(), inLength, out.data(), outLength);
            if (outLength < samples) {
                CHECK(got == -1 && Untouched(out));
                continue;
            }
            CHECK(got == samples && out.back() == UNTOUCHED);
            out.pop_back();
            CHECK(out == Reference(in.data(), in.size(), bareState));
            continue;
        }

        const int outLength = CDecodeAudio::getDecodedSize(old) - (variant == 3 ? 1 : 0);
        std::vector<short> out(size_t(outLength), UNTOUCHED);
        const int got = frames.DecodeFrame(old, in.data(), inLength, out.data(), outLength);
        if (variant != 0) {
            CHECK(got == -1 && Untouched(out));
            continue;
        }
        CHECK(got == outLength);
        if (old) {
            CHECK(out == Reference(in.data(), in.size(), framesState));
        } else {
            for (int i = 0; i < inLength; ++i) {
                CHECK(out[size_t(i)] == alaw2linear(in[size_t(i)]));
                CHECK(std::abs(out[size_t(i)]) >= 8 && std::abs(out[size_t(i)]) <= 32256);
            }
        }
    }
    return 0;
}
