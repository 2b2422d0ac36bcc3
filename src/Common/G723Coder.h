#pragma once

// 24 kbit/s ADPCM (ITU-T G.726 with 3-bit codes, once called G.723-24): the audio coding of
// old-protocol DVRs. Only the decoder is here; the program never encodes this format.

#include <cstdint>

// Coder state of the G.726 algorithm. yl carries more than 16 bits; dq and sr hold values in
// the algorithm's 11-bit floating format (sign, 4-bit exponent, 6-bit mantissa).
struct g72x_state {
    int64_t yl;     // long-term quantizer scale factor
    int16_t yu;     // short-term quantizer scale factor
    int16_t dms;    // short-term average magnitude
    int16_t dml;    // long-term average magnitude
    int16_t ap;     // speed control
    int16_t a[2];   // pole predictor coefficients
    int16_t b[6];   // zero predictor coefficients
    int16_t pk[2];  // signs of the last two partial reconstructions
    int16_t dq[6];  // last six quantized differences
    int16_t sr[2];  // last two reconstructed signals
    int16_t td;     // tone detected
};

// Puts a state back to the reset values of the algorithm.
void g72x_init_state(g72x_state* state);

// Output coding of g723_24_decoder: 16-bit linear samples.
constexpr int AUDIO_ENCODING_LINEAR = 3;

// Decodes one 3-bit code. With AUDIO_ENCODING_LINEAR returns the reconstructed 14-bit signal
// times four; any other coding returns -1 and leaves the state alone.
int g723_24_decoder(int code, int outCoding, g72x_state* state);

class CG723Coder {
public:
    CG723Coder();

    // Unpacks the 3-bit codes (least significant bit first, 8 codes in 3 bytes) and decodes
    // them; n = inLength * 8 / 3 samples. A null output only returns n. Returns -1 and writes
    // nothing when n exceeds outLength or the arguments are unusable.
    int Decode(const unsigned char* in, int inLength, short* out, int outLength);

private:
    // Runs on from frame to frame for the life of the coder.
    g72x_state m_decoder;
};
