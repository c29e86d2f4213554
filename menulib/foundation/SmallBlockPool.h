// The menu library's allocator for small blocks: fixed-size classes of blocks carved from chunks that are never
// given back. Freeing names the size again, so blocks carry no header.
#pragma once
#include <cstddef>
#include <cstdint>

struct SmallBlockClass {
    std::int32_t blockSize = 8;
    void* chunkList = nullptr;  // last chunk obtained; each chunk starts with a link to the one before it
    void* freeList = nullptr;   // first free block; each free block starts with a link to the next
    std::int32_t blocksPerChunk = 64;
    std::int32_t totalBlocks = 0;
    std::int32_t blocksInUse = 0;
};

class SmallBlockPool {
public:
    // Blocks are at least 8 bytes and multiples of 8, so that every block holds a free-list link and is aligned
    // for the objects stored in it.
    static constexpr int kMinBlock = 8;
    static constexpr int kChunkBytes = 4000;

    explicit SmallBlockPool(int limit);
    // Gives every chunk back. The process-wide pool goes when the library is unloaded.
    ~SmallBlockPool();
    SmallBlockPool(const SmallBlockPool&) = delete;
    SmallBlockPool& operator=(const SmallBlockPool&) = delete;

    static SmallBlockPool& Instance();

    void* Alloc(std::size_t size);
    void Free(void* block, std::size_t size);

    int GetLimit() const { return m_limit; }
    int GetClassCount() const { return m_classCount; }
    // The class that serves a request of size bytes; null above the limit.
    const SmallBlockClass* ClassFor(std::size_t size) const;

private:
    void AddChunk(SmallBlockClass& blockClass);

    std::int32_t m_limit;
    std::int32_t m_classCount;
    SmallBlockClass* m_classes;
};

void* PoolAlloc(std::size_t size);
void PoolFree(void* block, std::size_t size);

// A standard allocator over the process-wide pool, for containers whose blocks come from the pool.
template <typename T>
struct PoolAllocator {
    using value_type = T;
    PoolAllocator() = default;
    template <typename U>
    PoolAllocator(const PoolAllocator<U>&)
    {
    }
    T* allocate(std::size_t n) { return static_cast<T*>(PoolAlloc(n * sizeof(T))); }
    void deallocate(T* block, std::size_t n) { PoolFree(block, n * sizeof(T)); }
    friend bool operator==(const PoolAllocator&, const PoolAllocator&) { return true; }
};
