#pragma once

// What the fuzz targets share.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Aborts, so that libFuzzer keeps the input, when an invariant fails; stays on in release
// builds, unlike assert.
#define CHECK(cond)       \
    do {                  \
        if (!(cond))      \
            std::abort(); \
    } while (0)

// The next read size, 1 to most bytes, from a seed the input chooses: the same input always
// splits the same way.
inline size_t NextChunk(uint32_t& seed, size_t most)
{
    seed = seed * 1103515245u + 12345u;
    return 1 + (seed >> 16) % most;
}
