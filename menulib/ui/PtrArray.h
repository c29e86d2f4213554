// The growable array of pointers of the menu library's lists: a block from the small-block pool with room for
// exactly capacity entries. It never deletes what its entries point to.
#pragma once
#include <cstdint>

class PtrArray {
public:
    PtrArray() = default;
    ~PtrArray() { Free(); }
    PtrArray(const PtrArray&) = delete;
    PtrArray& operator=(const PtrArray&) = delete;

    void Reserve(std::uint32_t n);
    // Reserve of the larger of n and capacity x 1.2 (truncated) when the capacity is below n.
    void Grow(std::uint32_t n);
    void Append(void* pointer);
    // Entries after the index move down; an index at or past the count is ignored.
    void RemoveAt(std::uint32_t index);
    void Free();

    std::uint32_t GetCount() const { return m_count; }
    std::uint32_t GetCapacity() const { return m_capacity; }
    void* operator[](std::uint32_t index) const { return m_block[index]; }

private:
    void** m_block = nullptr;
    std::uint32_t m_count = 0;
    std::uint32_t m_capacity = 0;
};
