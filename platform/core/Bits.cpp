#include "platform/core/Bits.h"

#include <bit>
#include <limits>

#include "platform/core/Exception.h"

namespace core {

void TBits::Error()
{
    throw EListError("Bits index out of range");
}

void TBits::SetSize(int size)
{
    if (size < 0)
        Error();
    if (size == size_)
        return;
    words_.resize((static_cast<size_t>(size) + WordBits - 1) / WordBits);
    // Clear the bits past the new end in the last word, so that a later
    // growth finds them false rather than reviving old values.
    int tail = size % WordBits;
    if (tail != 0)
        words_.back() &= (Word(1) << tail) - 1;
    size_ = size;
}

bool TBits::Bits(int index) const
{
    if (index < 0 || index >= size_)
        Error();
    return (words_[static_cast<size_t>(index / WordBits)] >> (index % WordBits)) & 1;
}

void TBits::SetBits(int index, bool value)
{
    if (index < 0 || index == std::numeric_limits<int>::max())
        Error();
    if (index >= size_)
        SetSize(index + 1);
    Word mask = Word(1) << (index % WordBits);
    Word& word = words_[static_cast<size_t>(index / WordBits)];
    word = value ? word | mask : word & ~mask;
}

int TBits::OpenBit() const
{
    for (size_t w = 0; w < words_.size(); ++w) {
        if (words_[w] != ~Word(0)) {
            int index = static_cast<int>(w) * WordBits + std::countr_one(words_[w]);
            return index < size_ ? index : size_;
        }
    }
    return size_;
}

}  // namespace core
