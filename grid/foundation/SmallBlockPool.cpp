#include "grid/foundation/SmallBlockPool.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>

// Under the address sanitizer, free blocks and uncarved chunk space are
// poisoned, so a use after free inside the pool is still caught.
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define POOL_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define POOL_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define POOL_POISON(p, n) ((void)(p), (void)(n))
#define POOL_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace grid {

TtsSmallBlockPool::~TtsSmallBlockPool()
{
    Clear();
}

void* TtsSmallBlockPool::Allocate(std::size_t bytes)
{
    if (bytes == 0)
        bytes = 1;
    if (bytes > MaxSmall) {
        void* block = std::malloc(bytes);
        if (!block)
            throw std::bad_alloc();
        return block;
    }
    std::size_t cls = ClassOf(bytes);
    if (FreeBlock* block = free_[cls]) {
        POOL_UNPOISON(block, (cls + 1) * Granule);
        free_[cls] = block->next;
        return block;
    }
    return Carve((cls + 1) * Granule);
}

void* TtsSmallBlockPool::NewChunk(std::size_t size)
{
    if (size < HugeChunk) {
        void* chunk = std::malloc(size);
        if (!chunk)
            throw std::bad_alloc();
        return chunk;
    }
    // Map twice the size and keep the aligned middle, so the whole chunk
    // can sit in one huge page.
    std::size_t mapped = size + HugeChunk;
    void* raw = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        throw std::bad_alloc();
    auto start = reinterpret_cast<std::uintptr_t>(raw);
    std::uintptr_t aligned = (start + HugeChunk - 1) & ~(std::uintptr_t{HugeChunk} - 1);
    if (aligned > start)
        munmap(raw, aligned - start);
    std::size_t tail = start + mapped - (aligned + size);
    if (tail > 0)
        munmap(reinterpret_cast<void*>(aligned + size), tail);
    void* chunk = reinterpret_cast<void*>(aligned);
    madvise(chunk, size, MADV_HUGEPAGE);  // advice only: ignored where unsupported
    return chunk;
}

void TtsSmallBlockPool::DeleteChunk(const Chunk& chunk) noexcept
{
    if (chunk.size < HugeChunk)
        std::free(chunk.memory);
    else
        munmap(chunk.memory, chunk.size);
}

void* TtsSmallBlockPool::Carve(std::size_t rounded)
{
    if (static_cast<std::size_t>(end_ - cursor_) < rounded) {
        // The rest of the old chunk (under MaxSmall bytes) goes unused.
        std::size_t size = chunks_.empty() ? FirstChunk : std::min(chunks_.back().size * 2, HugeChunk);
        Chunk chunk{NewChunk(size), size};
        try {
            chunks_.push_back(chunk);
        } catch (...) {
            DeleteChunk(chunk);
            throw;
        }
        chunkBytes_ += size;
        POOL_POISON(chunk.memory, size);
        cursor_ = static_cast<char*>(chunk.memory);
        end_ = cursor_ + size;
    }
    void* block = cursor_;
    cursor_ += rounded;
    POOL_UNPOISON(block, rounded);
    return block;
}

void TtsSmallBlockPool::Free(void* block, std::size_t bytes) noexcept
{
    if (!block)
        return;
    if (bytes == 0)
        bytes = 1;
    if (bytes > MaxSmall) {
        std::free(block);
        return;
    }
    std::size_t cls = ClassOf(bytes);
    auto* node = static_cast<FreeBlock*>(block);
    node->next = free_[cls];
    free_[cls] = node;
    POOL_POISON(block, (cls + 1) * Granule);
}

void TtsSmallBlockPool::Clear() noexcept
{
    for (const Chunk& chunk : chunks_) {
        POOL_UNPOISON(chunk.memory, chunk.size);
        DeleteChunk(chunk);
    }
    chunks_.clear();
    chunkBytes_ = 0;
    free_.fill(nullptr);
    cursor_ = end_ = nullptr;
}

}  // namespace grid
