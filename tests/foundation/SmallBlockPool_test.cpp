#include <gtest/gtest.h>

#include <vector>

#include "foundation/SmallBlockPool.h"

TEST(SmallBlockPool, ClassBoundaries)
{
    SmallBlockPool pool(500);
    EXPECT_EQ(pool.GetClassCount(), 126);
    struct Case {
        int size;
        int blockSize;  // -1: the general heap
    } cases[] = {{0, 8}, {1, 8}, {4, 8}, {5, 8}, {9, 16}, {12, 16}, {497, 504}, {500, 504}, {501, -1}};
    for (const Case& c : cases) {
        const SmallBlockClass* blockClass = pool.ClassFor(c.size);
        if (c.blockSize < 0) {
            EXPECT_EQ(blockClass, nullptr) << c.size;
            void* heap = pool.Alloc(c.size);
            pool.Free(heap, c.size);
        } else {
            ASSERT_NE(blockClass, nullptr) << c.size;
            EXPECT_EQ(blockClass->blockSize, c.blockSize) << c.size;
            EXPECT_EQ(blockClass->blocksPerChunk, 4000 / c.blockSize);
        }
    }
    EXPECT_EQ(pool.ClassFor(497), pool.ClassFor(500));
}

TEST(SmallBlockPool, BlocksAreAlignedAndRecycledMostRecentlyFreedFirst)
{
    SmallBlockPool pool(500);
    const SmallBlockClass& small = *pool.ClassFor(4);
    std::vector<void*> blocks;
    for (int i = 0; i < 501; ++i) blocks.push_back(pool.Alloc(4));  // 500 blocks of 8 bytes a chunk
    EXPECT_EQ(small.totalBlocks, 1000);
    EXPECT_EQ(small.blocksInUse, 501);
    for (void* block : blocks) EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % 8, 0u);
    // Within a chunk the blocks are handed out in address order.
    EXPECT_EQ(static_cast<char*>(blocks[1]) - static_cast<char*>(blocks[0]), 8);
    for (void* block : blocks) pool.Free(block, 4);
    EXPECT_EQ(small.blocksInUse, 0);
    for (auto it = blocks.rbegin(); it != blocks.rend(); ++it) EXPECT_EQ(pool.Alloc(3), *it);
    EXPECT_EQ(small.totalBlocks, 1000);
    for (void* block : blocks) pool.Free(block, 4);
    EXPECT_EQ(small.blocksInUse, 0);
}

#ifdef VEL_POOL_MALLOC
// With every block on the general heap, AddressSanitizer catches a write past the size asked for.
TEST(PoolMallocDeathTest, AnOverrunIsSeenBySanitizer)
{
    EXPECT_DEATH(
        {
            char* block = static_cast<char*>(PoolAlloc(24));
            block[24] = 1;
            PoolFree(block, 24);
        },
        "heap-buffer-overflow");
}

TEST(PoolMallocDeathTest, AWrongSizeAtFreeIsCaught) { EXPECT_DEATH(PoolFree(PoolAlloc(24), 32), ""); }
#endif

#if !defined(__SANITIZE_ADDRESS__)
// The allocator's own report of a request it cannot meet replaces AddressSanitizer's here.
TEST(SmallBlockPoolDeathTest, MemoryThatCannotBeHadEndsTheProcessWithAMessage)
{
    SmallBlockPool pool(500);
    EXPECT_EXIT(pool.Alloc(static_cast<std::size_t>(1) << 62), testing::ExitedWithCode(255), "Out of memory");
}
#endif
