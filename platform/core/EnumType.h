#pragma once

#include <concepts>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/core/Forward.h"
#include "platform/core/Set.h"

namespace core {

// An enumeration as properties publish it: the type's name and its members'
// names by ordinal, counting from 0. Each type is described once, where it is
// declared (CORE_ENUM below); a property of that type finds the description
// through its C++ type, so no property spells the names again.
class TEnumType {
public:
    TEnumType(AnsiString name, std::vector<AnsiString> names);
    // From the comma-separated member list that CORE_ENUM passes on.
    static TEnumType FromList(const char* name, std::string_view members);

    const AnsiString& Name() const { return name_; }
    const std::vector<AnsiString>& Names() const { return names_; }
    int Count() const { return static_cast<int>(names_.size()); }
    // The member of that name (case-insensitive), or -1.
    int Value(std::string_view name) const;
    // The member's name; the number itself for a value outside the type.
    AnsiString NameOf(int64_t value) const;
    // The first `count` members under a type name of their own, as a
    // subrange type has them.
    TEnumType Subrange(AnsiString name, int count) const;

private:
    AnsiString name_;
    std::vector<AnsiString> names_;
};

// The type Boolean, False and True.
const TEnumType& BooleanType();

// Whether E has a description, found by argument-dependent lookup.
template <typename E>
concept DescribedEnum = std::is_enum_v<E> && requires(E e) {
    { EnumTypeOf(e) } -> std::same_as<const TEnumType&>;
};

template <typename S>
struct SetElementOf;
template <typename E>
struct SetElementOf<TSet<E>> {
    using type = E;
};

// The name a set type published as, found through its element type.
template <typename S>
concept DescribedSet = requires(S* s) {
    { SetTypeName(s) } -> std::convertible_to<const char*>;
};

}  // namespace core

// Declares a plain enumeration whose members count from 0 and describes it:
//
//   CORE_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter);
//
// declares `enum TAlignment { taLeftJustify, taRightJustify, taCenter }` and
// `EnumTypeOf(TAlignment)`, the description with these very names. Use it at
// namespace scope, in the header that owns the type. Members take no values
// of their own.
#define CORE_ENUM(Type, ...)                                                                  \
    enum Type { __VA_ARGS__ };                                                                \
    inline const ::core::TEnumType& EnumTypeOf(Type)                                          \
    {                                                                                         \
        static const ::core::TEnumType type = ::core::TEnumType::FromList(#Type, #__VA_ARGS__); \
        return type;                                                                          \
    }                                                                                         \
    static_assert(true)

// Declares a set over a described enumeration and the name it is published
// under: CORE_SET(TAnchors, TAnchorKind) gives `TAnchors`, a core::TSet of
// TAnchorKind, published as type "TAnchors".
#define CORE_SET(Type, Element)                                     \
    using Type = ::core::TSet<Element>;                             \
    inline constexpr const char* SetTypeName(Type*) { return #Type; } \
    static_assert(true)
