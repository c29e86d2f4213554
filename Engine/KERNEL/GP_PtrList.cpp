#include "GP_PtrList.h"

#include <algorithm>
#include <cstring>

CGP_PtrList::CGP_PtrList(std::uint16_t firstSize, std::uint16_t step)
    : capacity(static_cast<std::uint16_t>(std::max<std::uint16_t>(firstSize, 1) - 1)),
      step(std::max<std::uint16_t>(step, 1))
{
    storage = std::make_unique<void*[]>(capacity + 1);
    block = storage.get();
}

void CGP_PtrList::Append(void* entry)
{
    if (count >= MaxEntries) return;
    block[count++] = entry;
    if (count <= capacity) return;
    // Grown in 32 bits: a 16-bit sum would wrap to a block smaller than the entries it must hold.
    capacity = static_cast<std::uint16_t>(std::min<std::uint32_t>(std::uint32_t{capacity} + step, MaxEntries));
    auto grown = std::make_unique<void*[]>(capacity + 1);
    std::memcpy(grown.get(), block, count * sizeof(void*));
    storage = std::move(grown);
    block = storage.get();
}
