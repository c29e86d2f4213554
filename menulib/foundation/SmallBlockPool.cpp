#include "foundation/SmallBlockPool.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "foundation/FatalMessage.h"
#include "foundation/ProcessWide.h"

namespace {

int RoundUp(int value, int step) { return (value + step - 1) / step * step; }

[[noreturn]] void OutOfMemory() { FatalMessageAndExit("Out of memory", "Out of memory"); }

void* HeapAlloc(std::size_t size)
{
    void* block = std::malloc(size ? size : 1);
    if (!block) OutOfMemory();
    return block;
}

}  // namespace

SmallBlockPool::SmallBlockPool(int limit) : m_limit(RoundUp(limit, 4)), m_classCount((m_limit + 3) / 4 + 1)
{
    m_classes = static_cast<SmallBlockClass*>(HeapAlloc(sizeof(SmallBlockClass) * m_classCount));
    for (int i = 0; i < m_classCount; ++i) {
        SmallBlockClass* blockClass = new (&m_classes[i]) SmallBlockClass;
        blockClass->blockSize = RoundUp(i * 4 < kMinBlock ? kMinBlock : i * 4, kMinBlock);
        blockClass->blocksPerChunk = kChunkBytes / blockClass->blockSize;
    }
}

SmallBlockPool::~SmallBlockPool()
{
    for (int i = 0; i < m_classCount; ++i) {
        for (void* chunk = m_classes[i].chunkList; chunk;) {
            void* previous = *static_cast<void**>(chunk);
            std::free(chunk);
            chunk = previous;
        }
    }
    std::free(m_classes);
}

SmallBlockPool& SmallBlockPool::Instance()
{
    // Built on first use and freed last of all at unload: blocks may be freed by destructors of other static
    // objects.
    static SmallBlockPool* pool = NewProcessWide<SmallBlockPool>(ReleaseStage::Pool, 500);
    return *pool;
}

const SmallBlockClass* SmallBlockPool::ClassFor(std::size_t size) const
{
    if (size > static_cast<std::size_t>(m_limit)) return nullptr;
    return &m_classes[(size + 3) / 4];
}

void SmallBlockPool::AddChunk(SmallBlockClass& blockClass)
{
    const std::size_t blocksBytes = static_cast<std::size_t>(blockClass.blockSize) * blockClass.blocksPerChunk;
    auto* chunk = static_cast<unsigned char*>(std::malloc(sizeof(void*) + blocksBytes));
    if (!chunk) OutOfMemory();
    *reinterpret_cast<void**>(chunk) = blockClass.chunkList;
    blockClass.chunkList = chunk;

    unsigned char* first = chunk + sizeof(void*);
    for (int i = 0; i < blockClass.blocksPerChunk; ++i) {
        unsigned char* block = first + static_cast<std::size_t>(i) * blockClass.blockSize;
        void* next = i + 1 < blockClass.blocksPerChunk ? block + blockClass.blockSize : nullptr;
        *reinterpret_cast<void**>(block) = next;
    }
    blockClass.freeList = first;
    blockClass.totalBlocks += blockClass.blocksPerChunk;
}

void* SmallBlockPool::Alloc(std::size_t size)
{
    if (size > static_cast<std::size_t>(m_limit)) return HeapAlloc(size);
    SmallBlockClass& blockClass = m_classes[(size + 3) / 4];
    if (!blockClass.freeList) AddChunk(blockClass);
    void* block = blockClass.freeList;
    blockClass.freeList = *static_cast<void**>(block);
    ++blockClass.blocksInUse;
    return block;
}

void SmallBlockPool::Free(void* block, std::size_t size)
{
    if (!block) return;
    if (size > static_cast<std::size_t>(m_limit)) {
        std::free(block);
        return;
    }
    SmallBlockClass& blockClass = m_classes[(size + 3) / 4];
    *static_cast<void**>(block) = blockClass.freeList;
    blockClass.freeList = block;
    --blockClass.blocksInUse;
}

#ifdef VEL_POOL_MALLOC

// Every block goes to the general heap, so that AddressSanitizer sees each one on its own. A header in front
// of the block keeps the size asked for, and the free checks that it is named again.
namespace {
constexpr std::size_t kHeader = 16;
}

void* PoolAlloc(std::size_t size)
{
    auto* raw = static_cast<unsigned char*>(HeapAlloc(kHeader + size));
    std::memcpy(raw, &size, sizeof(size));
    return raw + kHeader;
}

void PoolFree(void* block, std::size_t size)
{
    if (!block) return;
    unsigned char* raw = static_cast<unsigned char*>(block) - kHeader;
    std::size_t allocated;
    std::memcpy(&allocated, raw, sizeof(allocated));
    if (allocated != size) std::abort();  // a caller named the wrong size: the real pool would corrupt a class
    std::free(raw);
}

#else

void* PoolAlloc(std::size_t size) { return SmallBlockPool::Instance().Alloc(size); }
void PoolFree(void* block, std::size_t size) { SmallBlockPool::Instance().Free(block, size); }

#endif
