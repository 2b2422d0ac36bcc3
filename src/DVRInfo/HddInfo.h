#pragma once

#include <cstdint>

// Sizes of one disk in megabytes; fillers keep total = used + free.
struct HDD_INFO_T {
    uint64_t total = 0;
    uint64_t used = 0;
    uint64_t free = 0;
};
