// How the library's lists grow when full: to the larger of the needed count and 1.2 times the old capacity (the
// factor a single-precision constant, the product truncated), so that growing one entry at a time gives the
// capacities 1, 2, ... 10, 12, 14, 16, 19, 22.
#pragma once
#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

inline std::uint32_t GrownCapacity(std::uint32_t needed, std::uint32_t capacity)
{
    return std::max(needed, static_cast<std::uint32_t>(static_cast<float>(capacity) * 1.2f));
}

// Appends to a vector, growing it by that rule when it is full (left to itself a vector would double).
template <typename T, typename Value>
void AppendGrowing(std::vector<T>& list, Value&& value)
{
    if (list.size() == list.capacity())
        list.reserve(
            GrownCapacity(static_cast<std::uint32_t>(list.size() + 1), static_cast<std::uint32_t>(list.capacity())));
    list.push_back(std::forward<Value>(value));
}
