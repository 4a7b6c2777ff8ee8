#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "grid/foundation/SmallBlockPool.h"

namespace {

using grid::TtsSmallBlockPool;

TEST(SmallBlockPool, FreedBlockIsReusedOnlyBySameSizeClass)
{
    TtsSmallBlockPool pool;
    void* a = pool.Allocate(20);  // class of 17..24 bytes
    pool.Free(a, 20);
    void* other = pool.Allocate(40);
    EXPECT_NE(other, a);
    EXPECT_EQ(pool.Allocate(17), a);
    EXPECT_NE(pool.Allocate(24), a);
}

TEST(SmallBlockPool, BlocksAreAlignedAndLargeBlocksBypassChunks)
{
    TtsSmallBlockPool pool;
    for (std::size_t size : {1u, 3u, 9u, 255u, 256u}) {
        void* block = pool.Allocate(size);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % 8, 0u) << size;
    }
    std::size_t chunks = pool.ChunkBytes();
    void* large = pool.Allocate(TtsSmallBlockPool::MaxSmall + 1);
    std::memset(large, 0xAB, TtsSmallBlockPool::MaxSmall + 1);
    EXPECT_EQ(pool.ChunkBytes(), chunks);
    pool.Free(large, TtsSmallBlockPool::MaxSmall + 1);
}

// Live blocks of random sizes, each filled with its own byte, must never
// overlap: every block still holds its byte when it is freed, across chunk
// boundaries, reuse and a Clear in the middle.
TEST(SmallBlockPool, LiveBlocksNeverOverlap)
{
    struct Live {
        unsigned char* block;
        std::size_t size;
        unsigned char mark;
    };
    TtsSmallBlockPool pool;
    std::mt19937 random(7);
    std::vector<Live> live;
    auto check_and_free = [&](std::size_t i) {
        Live item = live[i];
        for (std::size_t b = 0; b < item.size; ++b)
            ASSERT_EQ(item.block[b], item.mark) << "block of " << item.size << " overwritten at " << b;
        pool.Free(item.block, item.size);
        live[i] = live.back();
        live.pop_back();
    };
    for (int step = 0; step < 60000; ++step) {
        if (step == 30000) {
            while (!live.empty())
                check_and_free(live.size() - 1);
            pool.Clear();
            EXPECT_EQ(pool.ChunkBytes(), 0u);
        }
        if (!live.empty() && random() % 3 == 0) {
            check_and_free(random() % live.size());
            continue;
        }
        std::size_t size = 1 + random() % 300;
        auto* block = static_cast<unsigned char*>(pool.Allocate(size));
        auto mark = static_cast<unsigned char>(step);
        std::memset(block, mark, size);
        live.push_back({block, size, mark});
    }
    while (!live.empty())
        check_and_free(live.size() - 1);
}

#if defined(__SANITIZE_ADDRESS__)
// Blocks in the pool's free lists stay poisoned, so the sanitizer still
// catches a store that writes through a stale text or row pointer.
TEST(SmallBlockPoolDeathTest, UseAfterFreeIsCaughtBySanitizer)
{
    EXPECT_DEATH(
        {
            TtsSmallBlockPool pool;
            auto* block = static_cast<volatile char*>(pool.Allocate(24));
            pool.Free(const_cast<char*>(block), 24);
            block[8] = 1;
        },
        "use-after-poison");
}
#endif

}  // namespace
