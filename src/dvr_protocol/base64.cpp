#include "dvr_protocol/base64.h"

#include <cassert>

const char base64digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

const unsigned char base64val[128] = {
    255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255,
    255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255,
    255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255,  62, 255, 255, 255,  63,
     52,  53,  54,  55,  56,  57,  58,  59,  60,  61, 255, 255, 255, 255, 255, 255,
    255,   0,   1,   2,   3,   4,   5,   6,   7,   8,   9,  10,  11,  12,  13,  14,
     15,  16,  17,  18,  19,  20,  21,  22,  23,  24,  25, 255, 255, 255, 255, 255,
    255,  26,  27,  28,  29,  30,  31,  32,  33,  34,  35,  36,  37,  38,  39,  40,
     41,  42,  43,  44,  45,  46,  47,  48,  49,  50,  51, 255, 255, 255, 255, 255,
};

namespace {

const unsigned char kInvalid = 255;

bool IsBase64Char(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return u < 128 && base64val[u] != kInvalid;
}

unsigned char Value(char c)
{
    return base64val[static_cast<unsigned char>(c)];
}

}  // namespace

int to64frombits(const unsigned char* in, size_t inlen, char* out, size_t outsize)
{
    assert(out != nullptr && "out != NULL");
    if (out == nullptr || outsize == 0)
        return -1;
    out[0] = '\0';
    if (in == nullptr || inlen == 0)
        return 0;

    // Counted in groups so that no size computation can wrap.
    const size_t groups = inlen / 3 + (inlen % 3 != 0 ? 1 : 0);
    if (groups > (outsize - 1) / 4)
        return -1;

    char* p = out;
    for (; inlen >= 3; inlen -= 3, in += 3) {
        *p++ = base64digits[in[0] >> 2];
        *p++ = base64digits[((in[0] << 4) & 0x30) | (in[1] >> 4)];
        *p++ = base64digits[((in[1] << 2) & 0x3c) | (in[2] >> 6)];
        *p++ = base64digits[in[2] & 0x3f];
    }
    if (inlen > 0) {
        *p++ = base64digits[in[0] >> 2];
        unsigned char frag = (in[0] << 4) & 0x30;
        if (inlen > 1)
            frag |= in[1] >> 4;
        *p++ = base64digits[frag];
        *p++ = inlen > 1 ? base64digits[(in[1] << 2) & 0x3c] : '=';
        *p++ = '=';
    }
    *p = '\0';
    return 0;
}

int from64tobits(const char* in, unsigned char* out, size_t outsize, int* outlen)
{
    assert(out != nullptr && "out != NULL");
    assert(outlen != nullptr && "outlen != NULL");
    if (out == nullptr || outlen == nullptr)
        return -1;
    *outlen = 0;
    if (in == nullptr || *in == '\0') {
        if (outsize > 0)
            out[0] = '\0';
        return 0;
    }
    if (in[0] == '+' && in[1] == ' ')
        in += 2;
    if (*in == '\r')
        return 0;

    size_t len = 0;
    for (;;) {
        // Checked one character at a time: a NUL fails the group before anything behind it
        // is read.
        if (!IsBase64Char(in[0]) || !IsBase64Char(in[1]))
            return -1;
        if (in[2] != '=' && !IsBase64Char(in[2]))
            return -1;
        if (in[3] != '=' && !IsBase64Char(in[3]))
            return -1;

        const size_t n = in[2] == '=' ? 1 : (in[3] == '=' ? 2 : 3);
        if (n > outsize - len)
            return -1;
        out[len++] = static_cast<unsigned char>((Value(in[0]) << 2) | (Value(in[1]) >> 4));
        if (n > 1)
            out[len++] = static_cast<unsigned char>((Value(in[1]) << 4) | (Value(in[2]) >> 2));
        if (n > 2)
            out[len++] = static_cast<unsigned char>((Value(in[2]) << 6) | Value(in[3]));
        *outlen = static_cast<int>(len);

        if (in[3] == '=')
            break;
        in += 4;
        if (*in == '\0' || *in == '\r')
            break;
    }
    return 0;
}
