#pragma once

// Byte swaps for the big-endian fields of old-protocol DVRs.
class CEndian {
public:
    CEndian();
    ~CEndian();

    static unsigned short byteswap16(unsigned short v)
    {
        return static_cast<unsigned short>((v >> 8) | (v << 8));
    }
    static unsigned int byteswap32(unsigned int v) { return __builtin_bswap32(v); }
    static unsigned long long byteswap64(unsigned long long v) { return __builtin_bswap64(v); }
};
