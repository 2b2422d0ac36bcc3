#pragma once

#include <climits>
#include <functional>
#include <string>
#include <vector>

// Labels of rows 0, 1, ... up to the first row the lookup answers with an empty label, so
// comparing the result with the expected list checks the row count as well.
inline std::vector<std::string> Labels(const std::function<const char*(int)>& label)
{
    std::vector<std::string> out;
    for (int i = 0; i < 100; ++i) {
        const char* text = label(i);
        if (!text || !*text)
            break;
        out.emplace_back(text);
    }
    return out;
}

// Indexes no table holds: before the first row and far past any end.
inline const std::vector<int>& BadIndexes()
{
    static const std::vector<int> bad = {-1, -100, INT_MIN, 100, INT_MAX};
    return bad;
}

// Values no enum of the configuration holds.
template <typename E>
std::vector<E> BadValues()
{
    return {static_cast<E>(-1), static_cast<E>(99), static_cast<E>(INT_MAX)};
}

using Strings = std::vector<std::string>;
