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

void TBits::CheckRange(int from, int to) const
{
    if (from < 0 || from >= size_ || to < 0 || to >= size_)
        Error();
}

TBits::Word TBits::Mask(int lo, int hi)
{
    Word upper = hi == WordBits - 1 ? ~Word(0) : (Word(1) << (hi + 1)) - 1;
    return upper & ~((Word(1) << lo) - 1);
}

int TBits::SetRange(int from, int to, bool value)
{
    if (to < from)
        return 0;
    CheckRange(from, to);
    int changed = 0;
    for (int w = from / WordBits; w <= to / WordBits; ++w) {
        int lo = w == from / WordBits ? from % WordBits : 0;
        int hi = w == to / WordBits ? to % WordBits : WordBits - 1;
        Word mask = Mask(lo, hi);
        Word& word = words_[static_cast<size_t>(w)];
        Word next = value ? word | mask : word & ~mask;
        changed += std::popcount(word ^ next);
        word = next;
    }
    return changed;
}

void TBits::FlipRange(int from, int to)
{
    if (to < from)
        return;
    CheckRange(from, to);
    for (int w = from / WordBits; w <= to / WordBits; ++w) {
        int lo = w == from / WordBits ? from % WordBits : 0;
        int hi = w == to / WordBits ? to % WordBits : WordBits - 1;
        words_[static_cast<size_t>(w)] ^= Mask(lo, hi);
    }
}

int TBits::CountRange(int from, int to) const
{
    if (to < from)
        return 0;
    CheckRange(from, to);
    int count = 0;
    for (int w = from / WordBits; w <= to / WordBits; ++w) {
        int lo = w == from / WordBits ? from % WordBits : 0;
        int hi = w == to / WordBits ? to % WordBits : WordBits - 1;
        count += std::popcount(words_[static_cast<size_t>(w)] & Mask(lo, hi));
    }
    return count;
}

int TBits::NextSet(int from) const
{
    if (from < 0)
        from = 0;
    if (from >= size_)
        return -1;
    size_t w = static_cast<size_t>(from / WordBits);
    Word word = words_[w] & ~((Word(1) << (from % WordBits)) - 1);
    while (true) {
        if (word != 0)
            return static_cast<int>(w) * WordBits + std::countr_zero(word);
        if (++w >= words_.size())
            return -1;
        word = words_[w];
    }
}

int TBits::PrevSet(int from) const
{
    if (from < 0 || size_ == 0)
        return -1;
    if (from >= size_)
        from = size_ - 1;
    size_t w = static_cast<size_t>(from / WordBits);
    Word word = words_[w] & Mask(0, from % WordBits);
    while (true) {
        if (word != 0)
            return static_cast<int>(w) * WordBits + WordBits - 1 - std::countl_zero(word);
        if (w == 0)
            return -1;
        word = words_[--w];
    }
}

void TBits::Delete(int index)
{
    if (index < 0 || index >= size_)
        Error();
    size_t w = static_cast<size_t>(index / WordBits);
    int bit = index % WordBits;
    // Within the first word the bits above `index` move down one; every
    // later word moves down one and hands its lowest bit to the word below.
    Word low = bit == 0 ? 0 : Mask(0, bit - 1);
    Word keep = words_[w] & low;
    Word above = (words_[w] >> 1) & ~low;
    words_[w] = keep | above;
    for (size_t i = w + 1; i < words_.size(); ++i) {
        words_[i - 1] |= (words_[i] & 1) << (WordBits - 1);
        words_[i] >>= 1;
    }
    SetSize(size_ - 1);
}

void TBits::Insert(int index, bool value)
{
    if (index < 0 || index > size_ || size_ == std::numeric_limits<int>::max())
        Error();
    SetSize(size_ + 1);
    size_t w = static_cast<size_t>(index / WordBits);
    int bit = index % WordBits;
    for (size_t i = words_.size() - 1; i > w; --i)
        words_[i] = (words_[i] << 1) | (words_[i - 1] >> (WordBits - 1));
    Word low = bit == 0 ? 0 : words_[w] & Mask(0, bit - 1);
    Word high = (words_[w] << 1) & ~Mask(0, bit);
    words_[w] = low | high | (value ? Word(1) << bit : 0);
    // The last word may have taken a bit past the end.
    int tail = size_ % WordBits;
    if (tail != 0)
        words_.back() &= (Word(1) << tail) - 1;
}

}  // namespace core
