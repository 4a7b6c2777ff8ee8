#pragma once

// The in-memory form of the storage's cells, shared by its sources.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>

#include "grid/foundation/2DStorage.h"
#include "grid/foundation/SmallBlockPool.h"

namespace grid {

// One row's cells in a single allocation: the length and capacity, then
// `capacity` kind bytes rounded up to a multiple of 8, then `capacity`
// pointer-sized payload slots. Cells from the length up to the capacity
// are always empty (kind and payload 0).
struct Tts2DStorage::RowBlock {
    int32_t length;
    int32_t capacity;

    static std::size_t KindBytes(int capacity) { return (static_cast<std::size_t>(capacity) + 7) & ~std::size_t{7}; }

    static std::size_t Bytes(int capacity)
    {
        return sizeof(RowBlock) + KindBytes(capacity) + static_cast<std::size_t>(capacity) * sizeof(uintptr_t);
    }

    static RowBlock* Allocate(TtsSmallBlockPool& pool, int capacity)
    {
        std::size_t size = Bytes(capacity);
        auto* block = static_cast<RowBlock*>(pool.Allocate(size));
        std::memset(block, 0, size);
        block->length = capacity;
        block->capacity = capacity;
        return block;
    }

    uint8_t* Kinds() { return reinterpret_cast<uint8_t*>(this + 1); }
    uintptr_t* Slots() { return reinterpret_cast<uintptr_t*>(reinterpret_cast<char*>(this + 1) + KindBytes(capacity)); }
};

// A stored text: its byte length and its bytes, no terminator. Cells share
// nothing, so a text needs no count of holders.
struct Tts2DStorage::TextRep {
    uint32_t length;

    const char* Data() const { return reinterpret_cast<const char*>(this + 1); }
    std::string_view View() const { return {Data(), length}; }

    // Nothing (0) for an empty text.
    static std::size_t Bytes(std::size_t length) { return sizeof(TextRep) + length; }

    static uintptr_t Make(TtsSmallBlockPool& pool, std::string_view text)
    {
        if (text.empty())
            return 0;
        auto* rep = static_cast<TextRep*>(pool.Allocate(Bytes(text.size())));
        rep->length = static_cast<uint32_t>(text.size());
        std::memcpy(rep + 1, text.data(), text.size());
        return reinterpret_cast<uintptr_t>(rep);
    }
    static void Free(TtsSmallBlockPool& pool, uintptr_t payload)
    {
        auto* rep = reinterpret_cast<TextRep*>(payload);
        pool.Free(rep, Bytes(rep->length));
    }
    static std::string_view ViewOf(uintptr_t payload)
    {
        return payload ? reinterpret_cast<const TextRep*>(payload)->View() : std::string_view();
    }
};

}  // namespace grid
