// Follows the structure of Sun's public-domain g72x reference code (g72x.c, g723_24.c): state, tables, steps.
#include "G723Coder.h"

#include <cstdlib>

// The arithmetic follows the fixed-point blocks of G.726 (names in capitals refer to them);
// every 16-bit quantity wraps the way the standard's two's complement registers do.

namespace {

// Tables for 3-bit codes, indexed by the code (sign in bit 2).
const int16_t _dqlntab[8] = {-2048, 135, 273, 373, 373, 273, 135, -2048};  // log magnitudes
const int16_t _witab[8] = {-128, 960, 4384, 18624, 18624, 4384, 960, -128};  // scale factor multipliers
const int16_t _fitab[8] = {0, 0x200, 0x400, 0xE00, 0xE00, 0x400, 0x200, 0};  // speed control
const int16_t power2[15] = {1,     2,     4,     8,     0x10,  0x20,   0x40,  0x80,
                            0x100, 0x200, 0x400, 0x800, 0x1000, 0x2000, 0x4000};

// The floating-format zero, and its negative counterpart.
constexpr int16_t kFloatZero = 0x20;
constexpr int16_t kFloatNegativeZero = kFloatZero - 0x400;

inline int16_t wrap16(int v) { return static_cast<int16_t>(static_cast<uint16_t>(v)); }

// Number of table entries not above val; for power2 the bit length of val, at most 15.
int quan(int val, const int16_t* table, int size)
{
    int i = 0;
    while (i < size && val >= table[i])
        ++i;
    return i;
}

// Sign, exponent and mantissa of a magnitude, in the floating format.
int16_t toFloat(int magnitude, bool negative)
{
    int value = kFloatZero;
    if (magnitude != 0) {
        const int exp = quan(magnitude, power2, 15);
        value = (exp << 6) + ((magnitude << 6) >> exp);
    }
    return static_cast<int16_t>(negative ? value - 0x400 : value);
}

// FMULT: a predictor coefficient (already scaled down by 4) times a floating-format value.
int fmult(int an, int srn)
{
    const int anmag = an > 0 ? an : ((-an) & 0x1FFF);
    const int anexp = quan(anmag, power2, 15) - 6;
    const int anmant = anmag == 0 ? 32 : anexp >= 0 ? anmag >> anexp : anmag << -anexp;
    const int wanexp = anexp + ((srn & 0x3C0) >> 6) - 13;
    const int wanmant = (anmant * (srn & 0x3F) + 0x30) >> 4;
    const int retval = wanexp >= 0 ? ((wanmant << wanexp) & 0x7FFF) : (wanmant >> -wanexp);
    return ((an ^ srn) < 0) ? -retval : retval;
}

// Zero predictor over the six past differences, before halving (SEZI).
int predictor_zero(const g72x_state* s)
{
    int sezi = 0;
    for (int i = 0; i < 6; ++i)
        sezi += fmult(s->b[i] >> 2, s->dq[i]);
    return wrap16(sezi);
}

// Pole predictor over the two past reconstructed values.
int predictor_pole(const g72x_state* s)
{
    return fmult(s->a[1] >> 2, s->sr[1]) + fmult(s->a[0] >> 2, s->sr[0]);
}

// Quantizer scale factor: the fast and slow factors mixed by the speed control (LIMA, MIX).
int step_size(const g72x_state* s)
{
    if (s->ap >= 256)
        return s->yu;
    int y = static_cast<int>(s->yl >> 6);
    const int dif = s->yu - y;
    const int al = s->ap >> 2;
    if (dif > 0)
        y += (dif * al) >> 6;
    else if (dif < 0)
        y += (dif * al + 0x3F) >> 6;  // truncate toward zero, as the sign-magnitude product does
    return y;
}

// Inverse quantizer: the difference in sign-magnitude form (bit 15 = sign) as a negative int
// when the sign is set.
int reconstruct(bool negative, int dqln, int y)
{
    const int dql = dqln + (y >> 2);  // ADDA
    if (dql < 0)
        return negative ? -0x8000 : 0;
    const int dex = (dql >> 7) & 15;
    const int dqt = 128 + (dql & 127);
    const int dq = (dqt << 7) >> (14 - dex);
    return negative ? dq - 0x8000 : dq;
}

void update(int y, int wi, int fi, int dq, int sr, int dqsez, g72x_state* s)
{
    const int pk0 = dqsez < 0 ? 1 : 0;
    const int mag = dq & 0x7FFF;

    // TRANS: a large difference while a tone was detected means a transition (modem data).
    const int ylint = static_cast<int>(s->yl >> 15);
    const int ylfrac = static_cast<int>(s->yl >> 10) & 0x1F;
    const int thr2 = ylint > 9 ? 31 << 10 : (32 + ylfrac) << ylint;
    const int dqthr = (thr2 + (thr2 >> 1)) >> 1;
    const bool tr = s->td != 0 && mag > dqthr;

    // FUNCTW, FILTD, LIMB: fast scale factor.
    int yu = y + ((wi - y) >> 5);
    if (yu < 544)
        yu = 544;
    else if (yu > 5120)
        yu = 5120;
    s->yu = static_cast<int16_t>(yu);
    // FILTE: slow scale factor.
    s->yl += s->yu + ((-s->yl) >> 6);

    int a2p = 0;
    if (tr) {
        s->a[0] = s->a[1] = 0;
        for (int16_t& b : s->b)
            b = 0;
    } else {
        const int pks1 = pk0 ^ s->pk[0];
        // UPA2, LIMC
        a2p = s->a[1] - (s->a[1] >> 7);
        if (dqsez != 0) {
            const int fa1 = pks1 ? s->a[0] : -s->a[0];
            if (fa1 < -8191)
                a2p -= 0x100;
            else if (fa1 > 8191)
                a2p += 0xFF;
            else
                a2p += fa1 >> 5;
            if (pk0 ^ s->pk[1])
                a2p = a2p <= -12160 ? -12288 : a2p >= 12416 ? 12288 : a2p - 0x80;
            else
                a2p = a2p <= -12416 ? -12288 : a2p >= 12160 ? 12288 : a2p + 0x80;
        }
        s->a[1] = static_cast<int16_t>(a2p);

        // UPA1, LIMD
        int a1 = s->a[0] - (s->a[0] >> 8);
        if (dqsez != 0)
            a1 += pks1 == 0 ? 192 : -192;
        const int a1ul = 15360 - a2p;
        if (a1 < -a1ul)
            a1 = -a1ul;
        else if (a1 > a1ul)
            a1 = a1ul;
        s->a[0] = static_cast<int16_t>(a1);

        // UPB, XOR
        for (int i = 0; i < 6; ++i) {
            int b = s->b[i] - (s->b[i] >> 8);
            if (mag != 0)
                b += ((dq ^ s->dq[i]) >= 0) ? 128 : -128;
            s->b[i] = wrap16(b);
        }
    }

    // FLOAT A, FLOAT B and the delay lines.
    for (int i = 5; i > 0; --i)
        s->dq[i] = s->dq[i - 1];
    s->dq[0] = toFloat(mag, dq < 0);

    s->sr[1] = s->sr[0];
    if (sr > -32768)
        s->sr[0] = toFloat(std::abs(sr), sr < 0);
    else
        s->sr[0] = kFloatNegativeZero;

    s->pk[1] = s->pk[0];
    s->pk[0] = static_cast<int16_t>(pk0);

    // TONE: a strongly negative second pole coefficient marks a narrow-band signal.
    if (tr)
        s->td = 0;
    else
        s->td = a2p < -11776 ? 1 : 0;

    // FILTA, FILTB, SUBTC, FILTC: adaptation speed.
    s->dms = static_cast<int16_t>(s->dms + ((fi - s->dms) >> 5));
    s->dml = static_cast<int16_t>(s->dml + (((fi << 2) - s->dml) >> 7));
    if (tr)
        s->ap = 256;
    else if (y < 1536 || s->td == 1 || std::abs((s->dms << 2) - s->dml) >= (s->dml >> 3))
        s->ap = static_cast<int16_t>(s->ap + ((0x200 - s->ap) >> 4));
    else
        s->ap = static_cast<int16_t>(s->ap + ((-s->ap) >> 4));
}

inline short saturate16(int v)
{
    return static_cast<short>(v > 32767 ? 32767 : v < -32768 ? -32768 : v);
}

}  // namespace

void g72x_init_state(g72x_state* state)
{
    state->yl = 34816;
    state->yu = 544;
    state->dms = 0;
    state->dml = 0;
    state->ap = 0;
    for (int i = 0; i < 2; ++i) {
        state->a[i] = 0;
        state->pk[i] = 0;
        state->sr[i] = kFloatZero;
    }
    for (int i = 0; i < 6; ++i) {
        state->b[i] = 0;
        state->dq[i] = kFloatZero;
    }
    state->td = 0;
}

int g723_24_decoder(int code, int outCoding, g72x_state* state)
{
    if (outCoding != AUDIO_ENCODING_LINEAR)
        return -1;
    code &= 0x07;
    const int sezi = predictor_zero(state);
    const int sez = sezi >> 1;
    const int sei = wrap16(sezi + predictor_pole(state));
    const int se = sei >> 1;  // signal estimate

    const int y = step_size(state);
    const int dq = reconstruct((code & 0x04) != 0, _dqlntab[code], y);
    const int sr = wrap16(dq < 0 ? se - (dq & 0x3FFF) : se + dq);  // ADDB
    const int dqsez = sr - se + sez;                                 // ADDC

    update(y, _witab[code], _fitab[code], dq, sr, dqsez, state);
    return sr * 4;  // 14-bit signal to 16 bits
}

CG723Coder::CG723Coder()
{
    g72x_init_state(&m_decoder);
}

int CG723Coder::Decode(const unsigned char* in, int inLength, short* out, int outLength)
{
    if (inLength < 0 || (inLength > 0 && !in))
        return -1;
    const int n = static_cast<int>(static_cast<int64_t>(inLength) * 8 / 3);
    if (!out)
        return n;
    if (n > outLength)
        return -1;

    // Codes follow each other least significant bit first across byte boundaries.
    uint32_t bits = 0;
    int held = 0;
    const unsigned char* next = in;
    for (int i = 0; i < n; ++i) {
        if (held < 3) {
            bits |= static_cast<uint32_t>(*next++) << held;
            held += 8;
        }
        const int code = static_cast<int>(bits & 0x07);
        bits >>= 3;
        held -= 3;
        // A reconstruction beyond 14 bits saturates instead of wrapping into a click.
        out[i] = saturate16(g723_24_decoder(code, AUDIO_ENCODING_LINEAR, &m_decoder));
    }
    return n;
}
