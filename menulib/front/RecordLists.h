// Reading the list members of the front's records: arrays of 32-bit numbers and arrays of owned objects.
#pragma once
#include <cstdint>

#include "foundation/PropertyTypes.h"

// Entry i of a list of 32-bit numbers; the caller keeps i inside the list.
inline std::int32_t IdListEntry(const RawArray& list, int i) { return static_cast<const std::int32_t*>(list.block)[i]; }

// Object i of a list of owned objects, as T; null outside the list or for an empty slot.
template <typename T>
T* ObjectListEntry(const RawArray& list, int i)
{
    if (i < 0 || i >= list.count) return nullptr;
    return static_cast<T*>(static_cast<CObject* const*>(list.block)[i]);
}
