#include "DecodeAudio.h"

namespace {

constexpr int kG723FrameBytes = 1200;
constexpr int kG723FrameSamples = 3200;
constexpr int kAlawFrameBytes = 320;

}  // namespace

int alaw2linear(int code)
{
    const int value = (code & 0xFF) ^ 0x55;  // the even bits are sent inverted
    const int segment = (value >> 4) & 0x07;
    int t = (value & 0x0F) << 4;
    if (segment == 0)
        t += 8;
    else if (segment == 1)
        t += 0x108;
    else
        t = (t + 0x108) << (segment - 1);
    return (value & 0x80) ? t : -t;
}

CDecodeAudio::CDecodeAudio() = default;

int CDecodeAudio::getEncodedSize(bool oldProtocol)
{
    return oldProtocol ? kG723FrameBytes : kAlawFrameBytes;
}

int CDecodeAudio::getDecodedSize(bool oldProtocol)
{
    return oldProtocol ? kG723FrameSamples : kAlawFrameBytes;
}

int CDecodeAudio::DecodeFrame(bool oldProtocol, const unsigned char* in, int inLength, short* out,
                              int outLength)
{
    if (!in || !out || inLength != getEncodedSize(oldProtocol) || outLength != getDecodedSize(oldProtocol))
        return -1;
    if (oldProtocol)
        return m_g723.Decode(in, inLength, out, outLength);
    for (int i = 0; i < inLength; ++i)
        out[i] = static_cast<short>(alaw2linear(in[i]));
    return outLength;
}
