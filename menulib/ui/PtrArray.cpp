#include "ui/PtrArray.h"

#include <algorithm>
#include <cstring>

#include "foundation/ArrayGrowth.h"
#include "foundation/SmallBlockPool.h"

void PtrArray::Reserve(std::uint32_t n)
{
    if (m_capacity >= n) return;
    auto** block = static_cast<void**>(PoolAlloc(sizeof(void*) * n));
    if (m_count) std::memcpy(block, m_block, sizeof(void*) * m_count);
    if (m_block) PoolFree(m_block, sizeof(void*) * m_capacity);
    m_block = block;
    m_capacity = n;
}

void PtrArray::Grow(std::uint32_t n)
{
    if (m_capacity < n) Reserve(GrownCapacity(n, m_capacity));
}

void PtrArray::Append(void* pointer)
{
    if (m_count + 1 > m_capacity) Reserve(GrownCapacity(m_count + 1, m_capacity));
    m_block[m_count++] = pointer;
}

void PtrArray::RemoveAt(std::uint32_t index)
{
    if (index >= m_count) return;
    std::memmove(m_block + index, m_block + index + 1, sizeof(void*) * (m_count - index - 1));
    --m_count;
}

void PtrArray::Free()
{
    if (m_block) {
        PoolFree(m_block, sizeof(void*) * m_capacity);
        m_block = nullptr;
        m_capacity = 0;
    }
    m_count = 0;
}
