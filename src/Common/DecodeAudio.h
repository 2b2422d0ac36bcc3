#pragma once

// Audio frames of both DVR protocols to 16-bit linear samples at 8000 Hz. Old-protocol DVRs
// send 1200-byte frames of 24 kbit/s ADPCM (3200 samples), current ones 320-byte frames of
// G.711 A-law (320 samples).

#include "G723Coder.h"

// One A-law byte to a 16-bit linear sample (+-8 to +-32256).
int alaw2linear(int code);

class CDecodeAudio {
public:
    CDecodeAudio();

    // Decodes one frame into exactly getDecodedSize(oldProtocol) samples and returns that
    // count; -1, with nothing written, when either length does not match the protocol.
    int DecodeFrame(bool oldProtocol, const unsigned char* in, int inLength, short* out, int outLength);

    static int getEncodedSize(bool oldProtocol);
    static int getDecodedSize(bool oldProtocol);

private:
    // Carries its decoder state across frames, whatever channel they come from.
    CG723Coder m_g723;
};
