#include "dvr_protocol/urlcodec.h"

#include <cassert>

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

int urlencode(const char* in, size_t inlen, char* out, size_t outsize)
{
    // 1: copied as it is. Bytes of 0x80 and above are escaped.
    static const unsigned char URLCHARTBL[256] = {
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // 0x00
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // 0x10
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1,  // 0x20: - . /
        1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0,  // 0x30: 0-9 :
        1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,  // 0x40: @ A-O
        1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 0, 0, 1,  // 0x50: P-Z \ _
        0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,  // 0x60: a-o
        1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0,  // 0x70: p-z
    };
    static const char kHex[] = "0123456789abcdef";

    assert(out != nullptr && "out != NULL");
    if (out == nullptr || outsize == 0)
        return -1;
    out[0] = '\0';
    if (in == nullptr || inlen == 0)
        return 0;

    size_t pos = 0;
    for (size_t i = 0; i < inlen; ++i) {
        const unsigned char c = static_cast<unsigned char>(in[i]);
        const size_t need = URLCHARTBL[c] ? 1 : 3;
        if (need >= outsize - pos) {  // keeps room for the NUL
            out[0] = '\0';
            return -1;
        }
        if (URLCHARTBL[c]) {
            out[pos++] = static_cast<char>(c);
        } else {
            out[pos++] = '%';
            out[pos++] = kHex[c >> 4];
            out[pos++] = kHex[c & 0x0f];
        }
    }
    out[pos] = '\0';
    return 0;
}

int urldecode(const char* in, char* out, size_t outsize, int* outlen)
{
    assert(out != nullptr && "out != NULL");
    assert(outlen != nullptr && "outlen != NULL");
    if (out == nullptr || outlen == nullptr)
        return -1;
    *outlen = 0;
    if (outsize == 0)
        return -1;
    out[0] = '\0';
    if (in == nullptr)
        return 0;

    size_t pos = 0;
    while (*in != '\0') {
        if (pos + 1 >= outsize) {  // keeps room for the NUL
            out[0] = '\0';
            return -1;
        }
        int hi = -1;
        int lo = -1;
        // in[2] is read only when in[1] is a hex digit, so never past the NUL.
        if (in[0] == '%' && (hi = HexValue(in[1])) >= 0 && (lo = HexValue(in[2])) >= 0) {
            out[pos++] = static_cast<char>((hi << 4) | lo);
            in += 3;
        } else {
            out[pos++] = *in++;
        }
    }
    out[pos] = '\0';
    *outlen = static_cast<int>(pos);
    return 0;
}
