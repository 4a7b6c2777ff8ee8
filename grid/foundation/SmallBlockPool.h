#pragma once

#include <array>
#include <cstddef>
#include <vector>

namespace grid {

// Small blocks carved from large chunks, with a free list per size class.
//
// The cell store makes a block per row and one per text, millions of them
// for a large grid, most under a hundred bytes. Taking each from the
// general heap costs a heap header per block and the heap's bookkeeping on
// every allocation and release; from here a block costs its size rounded up
// to 8 bytes, and allocation is a pop from a list or a bump of a pointer.
// Freed blocks are kept for reuse by blocks of the same class; chunks go
// back to the system only when the pool is destroyed (or Clear is called).
// Blocks above MaxSmall bytes go to the general heap directly.
//
// The caller passes a block's size again when it frees it, so blocks carry
// no header. Not thread-safe: a pool belongs to one store.
class TtsSmallBlockPool {
public:
    static constexpr std::size_t Granule = 8;
    static constexpr std::size_t MaxSmall = 256;

    TtsSmallBlockPool() = default;
    ~TtsSmallBlockPool();
    TtsSmallBlockPool(const TtsSmallBlockPool&) = delete;
    TtsSmallBlockPool& operator=(const TtsSmallBlockPool&) = delete;

    // A block of at least `bytes` bytes (not zeroed), aligned to 8 bytes;
    // raises std::bad_alloc when memory runs out.
    void* Allocate(std::size_t bytes);
    // Gives back a block from Allocate with the same `bytes`.
    void Free(void* block, std::size_t bytes) noexcept;
    // Releases every chunk at once; every block handed out becomes invalid.
    // Large blocks are not tracked and must have been freed before.
    void Clear() noexcept;

    // Bytes held in chunks, for memory figures.
    std::size_t ChunkBytes() const { return chunkBytes_; }

private:
    // Chunks grow from FirstChunk by doubling to HugeChunk, so a small grid
    // holds little; chunks of HugeChunk are mapped on their own, aligned, and
    // offered to the kernel as huge pages: filling a million rows then takes
    // a few dozen page faults instead of tens of thousands.
    static constexpr std::size_t FirstChunk = 16 * 1024;
    static constexpr std::size_t HugeChunk = 2 * 1024 * 1024;
    static constexpr std::size_t Classes = MaxSmall / Granule;

    struct FreeBlock {
        FreeBlock* next;
    };
    struct Chunk {
        void* memory;
        std::size_t size;
    };
    static void* NewChunk(std::size_t size);
    static void DeleteChunk(const Chunk& chunk) noexcept;

    static std::size_t ClassOf(std::size_t bytes) { return (bytes + Granule - 1) / Granule - 1; }
    void* Carve(std::size_t rounded);

    std::array<FreeBlock*, Classes> free_{};
    std::vector<Chunk> chunks_;
    std::size_t chunkBytes_ = 0;
    char* cursor_ = nullptr;
    char* end_ = nullptr;
};

}  // namespace grid
