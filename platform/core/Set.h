#pragma once

#include <cstdint>
#include <initializer_list>

namespace core {

// A set over a plain enumeration whose members count from 0, as the classic
// sets are: one bit per member, at most 64 members.
template <typename E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> members)
    {
        for (E e : members)
            bits_ |= Bit(e);
    }
    static constexpr TSet FromBits(uint64_t bits)
    {
        TSet s;
        s.bits_ = bits;
        return s;
    }

    constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
    constexpr TSet& Include(E e)
    {
        bits_ |= Bit(e);
        return *this;
    }
    constexpr TSet& Exclude(E e)
    {
        bits_ &= ~Bit(e);
        return *this;
    }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr uint64_t Bits() const { return bits_; }

    constexpr TSet operator+(TSet other) const { return FromBits(bits_ | other.bits_); }
    constexpr TSet operator-(TSet other) const { return FromBits(bits_ & ~other.bits_); }
    constexpr TSet operator*(TSet other) const { return FromBits(bits_ & other.bits_); }
    constexpr TSet& operator+=(TSet other)
    {
        bits_ |= other.bits_;
        return *this;
    }
    constexpr TSet& operator-=(TSet other)
    {
        bits_ &= ~other.bits_;
        return *this;
    }
    constexpr bool operator==(const TSet&) const = default;

private:
    static constexpr uint64_t Bit(E e) { return uint64_t{1} << static_cast<unsigned>(e); }

    uint64_t bits_ = 0;
};

}  // namespace core
