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

private:
    using Word = uint64_t;
    static constexpr int WordBits = 64;

    [[noreturn]] static void Error();

    std::vector<Word> words_;
    int size_ = 0;
};

}  // namespace core
