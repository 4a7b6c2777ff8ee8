#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>

#include "platform/core/Exception.h"
#include "platform/core/Forward.h"

namespace grid {

// Where a key sorts relative to a set's node or element. Every compare
// operation of the ordered sets returns one of these three codes, and the
// tree reads anything else as "after".
enum TtsCompare : std::uint8_t { crBefore = 0, crEqual = 1, crAfter = 2 };

// The kind of one key value. The numbers are those of the classic tagged
// value records, so stored keys keep their meaning.
enum TtsValueKind : std::uint8_t { vtInteger = 0, vtObject = 7 };

// One value of an element set's key: a 32-bit integer or an object reference,
// with its kind. Reading it as the other kind raises EInvalidCast instead of
// reinterpreting the bits.
class TtsTaggedValue {
public:
    TtsTaggedValue(int value) : kind_(vtInteger), integer_(value) {}
    TtsTaggedValue(const core::TObject* object) : kind_(vtObject), object_(object) {}

    TtsValueKind Kind() const { return kind_; }
    int Integer() const
    {
        if (kind_ != vtInteger)
            throw core::EInvalidCast("Invalid class typecast");
        return integer_;
    }
    const core::TObject* Object() const
    {
        if (kind_ != vtObject)
            throw core::EInvalidCast("Invalid class typecast");
        return object_;
    }

private:
    TtsValueKind kind_;
    union {
        int integer_;
        const core::TObject* object_;
    };
};

// The key of a lookup or deletion in an element set: a view of an array of
// tagged values, which carries its own length so that an element never reads
// past the values it was given. Like a string view it does not own the
// values; a braced list, `set.Find({row, col})`, lives as long as the call.
class TtsKey {
public:
    TtsKey() = default;
    TtsKey(std::initializer_list<TtsTaggedValue> values) : values_(values.begin(), values.size()) {}
    TtsKey(std::span<const TtsTaggedValue> values) : values_(values) {}
    template <std::size_t N>
    TtsKey(const TtsTaggedValue (&values)[N]) : values_(values)
    {
    }

    int Count() const { return static_cast<int>(values_.size()); }
    // The index of the last value, -1 for an empty key.
    int High() const { return Count() - 1; }
    // Raises EListError for an index outside 0..High.
    const TtsTaggedValue& operator[](int index) const
    {
        if (index < 0 || index >= Count())
            throw core::EListError("List index out of bounds (%d)", index);
        return values_[static_cast<std::size_t>(index)];
    }
    const TtsTaggedValue* begin() const { return values_.data(); }
    const TtsTaggedValue* end() const { return values_.data() + values_.size(); }

private:
    std::span<const TtsTaggedValue> values_;
};

}  // namespace grid
