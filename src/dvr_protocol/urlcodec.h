#pragma once

#include <cstddef>

// Percent-encoding of query values.

// Copies the bytes that may stand in a query value as they are and writes every other byte
// as "%" and two small-letter hex digits, then a NUL. `out` holds `outsize` bytes. A null
// input or a count of 0 gives the empty string. Returns 0, or -1 (and the empty string when
// outsize > 0) when the text would not fit.
int urlencode(const char* in, size_t inlen, char* out, size_t outsize);

// Replaces each "%" followed by two hex digits (either case) by that byte; a "%" without
// two hex digits after it stays as it is, and "+" is not a blank. The output is
// NUL-terminated and *outlen excludes the NUL. `out` holds `outsize` bytes. A null input
// gives the empty string. Returns 0, or -1 (and the empty string when outsize > 0) when the
// bytes would not fit.
int urldecode(const char* in, char* out, size_t outsize, int* outlen);
