#pragma once

#include <variant>

#include "grid/foundation/TaggedValue.h"

namespace grid {

class TtsSetElement;

// What an ordered set hands to its nodes and what a node hands back: a
// reference to a stored integer, an element, or a lookup key, or nothing.
//
// Insertion passes the value a new node is made from (and compared against);
// lookup and deletion pass what the node class looks keys up by; a node's
// Value is the same kind of reference to its payload. The node class decides
// which kind it reads; asking for another kind raises EInvalidCast.
class TtsSetRef {
public:
    TtsSetRef() = default;
    TtsSetRef(const int* integer) : value_(integer) {}
    TtsSetRef(TtsSetElement* element) : value_(element) {}
    TtsSetRef(TtsKey key) : value_(key) {}

    bool IsNull() const { return std::holds_alternative<std::monostate>(value_); }
    bool IsInteger() const { return std::holds_alternative<const int*>(value_); }
    bool IsElement() const { return std::holds_alternative<TtsSetElement*>(value_); }
    bool IsKey() const { return std::holds_alternative<TtsKey>(value_); }

    // The referenced integer; raises EInvalidCast unless this refers to one.
    const int* Integer() const
    {
        if (auto* integer = std::get_if<const int*>(&value_); integer && *integer)
            return *integer;
        Mismatch();
    }
    // The element, or nullptr for a null reference.
    TtsSetElement* Element() const
    {
        if (auto* element = std::get_if<TtsSetElement*>(&value_))
            return *element;
        if (IsNull())
            return nullptr;
        Mismatch();
    }
    // The lookup key; raises EInvalidCast unless this is one.
    TtsKey Key() const
    {
        if (auto* key = std::get_if<TtsKey>(&value_))
            return *key;
        Mismatch();
    }

private:
    [[noreturn]] static void Mismatch() { throw core::EInvalidCast("Invalid class typecast"); }

    std::variant<std::monostate, const int*, TtsSetElement*, TtsKey> value_;
};

}  // namespace grid
