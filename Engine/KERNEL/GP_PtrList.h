// The growable pointer array of the engine and the game: it grows by a fixed step, never shrinks and holds at most
// 65534 entries. Its users read and remove entries through its fields.
#pragma once
#include <cstdint>
#include <memory>

class CGP_PtrList {
public:
    static constexpr std::uint16_t MaxEntries = 65534;

    // Room for firstSize entries (at least 1), growing by step (at least 1).
    CGP_PtrList(std::uint16_t firstSize, std::uint16_t step);
    CGP_PtrList(const CGP_PtrList&) = delete;
    CGP_PtrList& operator=(const CGP_PtrList&) = delete;
    virtual ~CGP_PtrList() = default;

    // Stores the pointer at index count; ignored once the list holds MaxEntries.
    void Append(void* entry);

    void** block = nullptr;      // capacity + 1 entries
    std::uint16_t count = 0;     // entries in use
    std::uint16_t capacity = 0;  // highest index the block can hold
    std::uint16_t step = 0;      // growth step
    std::uint32_t reserved = 0;

private:
    std::unique_ptr<void*[]> storage;  // what block points at
};

// Lists of name IDs keep each ID in a pointer entry.
inline void* GP_IDToEntry(std::uint32_t id) { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(id)); }
inline std::uint32_t GP_EntryToID(void* entry)
{
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(entry));
}
