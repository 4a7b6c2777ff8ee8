#pragma once

#include <cstdint>
#include <vector>

#include "platform/core/Forward.h"

namespace core {

// A growable array of bits, all false when they come into being. Writing
// beyond the end grows the array; reading beyond it is an error
// (EListError "Bits index out of range"), as is any negative index or size.
class TBits {
public:
    int Size() const { return size_; }
    void SetSize(int size);

    bool Bits(int index) const;
    void SetBits(int index, bool value);
    // The index of the first false bit, or Size when every bit is set.
    int OpenBit() const;

    // Range operations, a word at a time. Each raises like Bits for a bound
    // outside 0..Size-1; a range whose `to` is below its `from` is empty.
    // Sets or clears the bits from..to and returns how many changed.
    int SetRange(int from, int to, bool value);
    // Flips the bits from..to.
    void FlipRange(int from, int to);
    // The number of set bits in from..to.
    int CountRange(int from, int to) const;
    // The first set bit at or after `from`, or -1; a `from` at or beyond
    // Size gives -1, one below 0 counts as 0.
    int NextSet(int from) const;
    // The last set bit at or before `from`, or -1; a `from` below 0 gives
    // -1, one at or beyond Size counts as Size-1.
    int PrevSet(int from) const;
    // Removes the bit at `index`; the later bits move down one place and the
    // size drops by one.
    void Delete(int index);
    // Inserts a bit at `index` (0..Size); the later bits move up one place
    // and the size grows by one.
    void Insert(int index, bool value);
    // Whether every bit is equal to the other array's (sizes included).
    bool operator==(const TBits& other) const { return size_ == other.size_ && words_ == other.words_; }

private:
    using Word = uint64_t;
    static constexpr int WordBits = 64;

    [[noreturn]] static void Error();
    void CheckRange(int from, int to) const;
    // The mask of bits lo..hi (0..63, lo <= hi) of one word.
    static Word Mask(int lo, int hi);

    std::vector<Word> words_;
    int size_ = 0;
};

}  // namespace core
