#pragma once

#include <cstddef>

// Base64 of RFC 4648 (standard alphabet, "=" padding, no line breaks).

// The 64 characters of the alphabet, in value order.
extern const char base64digits[];

// Value of each 7-bit character in the alphabet; 255 for every character outside it.
extern const unsigned char base64val[128];

// Writes the Base64 text of `inlen` bytes and a terminating NUL into `out`, which holds
// `outsize` bytes. A null input or a count of 0 gives the empty string. Returns 0, or -1
// (and the empty string when outsize > 0) when the text would not fit.
int to64frombits(const unsigned char* in, size_t inlen, char* out, size_t outsize);

// Decodes the NUL-terminated Base64 text `in` into `out` (room for `outsize` bytes; the
// result is not NUL-terminated) and stores the byte count in *outlen. Returns 0, or -1 on a
// malformed group or when the bytes would not fit; *outlen then holds the bytes written
// before the bad group.
// A leading "+ " is skipped; a text starting with a carriage return decodes to nothing.
// Decoding stops after a group ending in "=", or when a group is followed by NUL or CR.
int from64tobits(const char* in, unsigned char* out, size_t outsize, int* outlen);
