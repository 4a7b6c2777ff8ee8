#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/core/EnumType.h"
#include "platform/core/Event.h"
#include "platform/core/Exception.h"
#include "platform/core/Forward.h"
#include "platform/core/Object.h"
#include "platform/core/Set.h"

namespace core {

// The kinds of published properties.
enum TTypeKind {
    tkUnknown,
    tkInteger,
    tkChar,
    tkEnumeration,
    tkFloat,
    tkString,
    tkSet,
    tkClass,
    tkMethod,
    tkWChar,
    tkWString,
    tkVariant,
    tkInt64
};

// A handler found by name on a form: its name and a std::function of the
// event's handler type, checked when it is bound to an event property.
struct TMethod {
    AnsiString Name;
    std::any Handler;
};

// One published property of a class: name, kind, type, the accessors and
// the rules for its default and for when it is filed, erased so that filing,
// copying and resetting can work on any class by name.
//
// Defaults: an ordinal property has one only when it declares it (otherwise
// it is always filed and takes no part in default tests and resets); a float
// defaults to 0, a text to empty, a variant to Unassigned and an event to
// unassigned unless they declare otherwise; an object property has none
// unless it declares one (a reference's is usually nullptr).
class PropInfo {
public:
    PropInfo(AnsiString name, TTypeKind kind, AnsiString typeName);

    const AnsiString& Name() const { return name_; }
    TTypeKind Kind() const { return kind_; }
    const AnsiString& TypeName() const { return typeName_; }
    // The enumeration of an enumerated property, or the element type of a
    // set; nullptr for other kinds.
    const TEnumType* EnumType() const { return enumType_; }
    // Members of an enumeration, or elements of a set's base type.
    const std::vector<AnsiString>& EnumNames() const;
    // The class of an object property.
    const TClass* PropClass() const { return propClass_; }
    bool IsOrdinal() const;
    bool ReadOnly() const;

    // Whether the property has a default, fixed or computed from the object.
    bool HasDefault() const { return static_cast<bool>(isDefault_); }
    // The fixed default of an ordinal property (0 when it has none).
    int64_t Default() const { return default_.value_or(0); }
    // Whether the current value equals the default; false without one.
    bool IsDefaultValue(const TObject& object) const;
    // Sets the property to its default; does nothing without one.
    void ResetValue(TObject& object) const;

    // Whether the value is written when the object is filed.
    bool IsStored(const TObject& object) const;
    // Whether the property is never filed (Stored(false)): it mirrors
    // another one or is filed some other way.
    bool NeverStored() const { return !stored_ && !storedAlways_; }

    // Copies the value from `source` to `dest`, both of the class that
    // published this property (or derived from it). Object properties with a
    // setter hand the source's object to it; an owned object without one is
    // assigned in place. Read-only properties of other kinds are left alone.
    void CopyValue(const TObject& source, TObject& dest) const;

    // Accessors by kind; using the wrong one raises EPropertyError.
    int64_t GetOrd(const TObject& object) const;
    void SetOrd(TObject& object, int64_t value) const;
    double GetFloat(const TObject& object) const;
    void SetFloat(TObject& object, double value) const;
    AnsiString GetStr(const TObject& object) const;
    void SetStr(TObject& object, const AnsiString& value) const;
    WideString GetWideStr(const TObject& object) const;
    void SetWideStr(TObject& object, const WideString& value) const;
    Variant GetVariant(const TObject& object) const;
    void SetVariant(TObject& object, const Variant& value) const;
    TObject* GetObject(const TObject& object) const;
    void SetObject(TObject& object, TObject* value) const;
    AnsiString GetMethodName(const TObject& object) const;
    // The bound handler with its name (an empty Handler when unassigned).
    TMethod GetMethod(const TObject& object) const;
    // Binds a handler; a method without name and handler unassigns. A
    // handler of another type than the event's raises EPropertyError.
    void SetMethod(TObject& object, const TMethod& method) const;

    // Enumeration members by name and back (case-insensitive lookup, -1 when unknown).
    int EnumValue(std::string_view name) const;
    AnsiString EnumName(int64_t value) const;

private:
    friend class PropertyList;
    template <typename C, typename V>
    friend class PropOptions;
    template <typename C>
    friend class PropBuilder;

    [[noreturn]] void WrongKind(const char* access) const;

    AnsiString name_;
    TTypeKind kind_;
    AnsiString typeName_;
    const TEnumType* enumType_ = nullptr;
    const TClass* propClass_ = nullptr;
    std::optional<int64_t> default_;
    std::function<bool(const TObject&)> isDefault_;
    std::function<void(TObject&)> reset_;
    std::function<void(const TObject&, TObject&)> copy_;
    bool storedAlways_ = true;
    std::function<bool(const TObject&)> stored_;

    std::function<int64_t(const TObject&)> getOrd_;
    std::function<void(TObject&, int64_t)> setOrd_;
    std::function<double(const TObject&)> getFloat_;
    std::function<void(TObject&, double)> setFloat_;
    std::function<AnsiString(const TObject&)> getStr_;
    std::function<void(TObject&, const AnsiString&)> setStr_;
    std::function<WideString(const TObject&)> getWide_;
    std::function<void(TObject&, const WideString&)> setWide_;
    std::function<Variant(const TObject&)> getVariant_;
    std::function<void(TObject&, const Variant&)> setVariant_;
    std::function<TObject*(const TObject&)> getObject_;
    std::function<void(TObject&, TObject*)> setObject_;
    std::function<TMethod(const TObject&)> getMethod_;
    std::function<void(TObject&, const TMethod&)> setMethod_;
};

// The properties one class publishes, in declaration order.
class PropertyList {
public:
    PropInfo& Add(std::unique_ptr<PropInfo> info);
    const std::vector<std::unique_ptr<PropInfo>>& Items() const { return items_; }

private:
    std::vector<std::unique_ptr<PropInfo>> items_;
};

// The rules of a property of class C with values of type V, set while it is
// published:
//   .Default(v)         the value that is not filed and that resets restore
//   .DefaultFrom(f)     a default that depends on the object: f(const C&)
//   .NoDefault()        always filed, never reset, left out of default tests
//   .Stored(false)      never filed
//   .StoredWhen(f)      filed only while f(const C&) holds (and the value is
//                       not the default)
// f may be a member function of C or a callable taking const C&.
template <typename C, typename V>
class PropOptions {
public:
    using Getter = std::function<V(const C&)>;
    using Setter = std::function<void(C&, const V&)>;

    PropOptions(PropInfo& info, Getter get, Setter set) : info_(info), get_(std::move(get)), set_(std::move(set)) {}

    PropOptions& Default(const V& value)
    {
        if constexpr (std::is_integral_v<V> || std::is_enum_v<V>)
            info_.default_ = static_cast<int64_t>(value);
        else if constexpr (requires { value.Bits(); })
            info_.default_ = static_cast<int64_t>(value.Bits());
        return DefaultFrom([value](const C&) { return value; });
    }
    template <typename F>
        requires std::is_invocable_v<const F&, const C&>
    PropOptions& DefaultFrom(F compute)
    {
        auto value = [compute](const TObject& o) { return static_cast<V>(std::invoke(compute, Self(o))); };
        info_.isDefault_ = [get = get_, value](const TObject& o) { return Same(get(Self(o)), value(o)); };
        if (set_)
            info_.reset_ = [set = set_, value](TObject& o) { set(Self(o), value(o)); };
        else
            info_.reset_ = nullptr;
        return *this;
    }
    PropOptions& NoDefault()
    {
        info_.default_.reset();
        info_.isDefault_ = nullptr;
        info_.reset_ = nullptr;
        return *this;
    }
    PropOptions& Stored(bool stored)
    {
        info_.storedAlways_ = stored;
        info_.stored_ = nullptr;
        return *this;
    }
    template <typename F>
        requires std::is_invocable_r_v<bool, const F&, const C&>
    PropOptions& StoredWhen(F predicate)
    {
        info_.stored_ = [predicate](const TObject& o) { return static_cast<bool>(std::invoke(predicate, Self(o))); };
        return *this;
    }

private:
    static const C& Self(const TObject& o) { return static_cast<const C&>(o); }
    static C& Self(TObject& o) { return static_cast<C&>(o); }
    static bool Same(const V& a, const V& b)
    {
        if constexpr (requires { a.Identical(b); })
            return a.Identical(b);
        else
            return a == b;
    }

    PropInfo& info_;
    Getter get_;
    Setter set_;
};

// Publishes the properties of class C:
//   PropBuilder<TMyControl> p(list);
//   p.Integer("Width", &TMyControl::Width, &TMyControl::SetWidth).Default(0);
//   p.Enum("Align", &TMyControl::Align, &TMyControl::SetAlign).Default(alNone);
// Getters are member functions or callables taking const C&; setters take
// C& and the value; pass nullptr for a read-only property. Enumerations and
// sets take their type's name and member names from the type's description
// (CORE_ENUM, CORE_SET).
template <typename C>
class PropBuilder {
public:
    explicit PropBuilder(PropertyList& list) : list_(list) {}

    template <typename G, typename S>
    auto Integer(const char* name, G get, S set, const char* typeName = "Integer")
    {
        return Ordinal(name, tkInteger, typeName, nullptr, get, set);
    }
    template <typename G, typename S>
    auto Int64(const char* name, G get, S set)
    {
        return Ordinal(name, tkInt64, "Int64", nullptr, get, set);
    }
    template <typename G, typename S>
    auto Char(const char* name, G get, S set)
    {
        return Ordinal(name, tkChar, "Char", nullptr, get, set);
    }
    template <typename G, typename S>
    auto Boolean(const char* name, G get, S set)
    {
        return Ordinal(name, tkEnumeration, "Boolean", &BooleanType(), get, set);
    }
    // A property of a described enumeration (CORE_ENUM).
    template <typename G, typename S>
    auto Enum(const char* name, G get, S set)
    {
        using V = ValueOf<G>;
        static_assert(DescribedEnum<V>, "describe the enumeration with CORE_ENUM");
        const TEnumType& type = EnumTypeOf(V{});
        return Ordinal(name, tkEnumeration, type.Name().c_str(), &type, get, set);
    }
    // A property that takes only part of an enumeration, published as the
    // given type (a subrange type described once beside the enumeration).
    template <typename G, typename S>
    auto Enum(const char* name, const TEnumType& type, G get, S set)
    {
        return Ordinal(name, tkEnumeration, type.Name().c_str(), &type, get, set);
    }
    // A property of a set declared with CORE_SET.
    template <typename G, typename S>
    auto Set(const char* name, G get, S set)
    {
        using SetType = ValueOf<G>;
        static_assert(DescribedSet<SetType>, "declare the set with CORE_SET");
        using Element = typename SetElementOf<SetType>::type;
        auto info = std::make_unique<PropInfo>(name, tkSet, SetTypeName(static_cast<SetType*>(nullptr)));
        info->enumType_ = &EnumTypeOf(Element{});
        info->getOrd_ = [get](const TObject& o) { return static_cast<int64_t>(std::invoke(get, Self(o)).Bits()); };
        if constexpr (!std::is_null_pointer_v<S>)
            info->setOrd_ = [set](TObject& o, int64_t v) {
                std::invoke(set, Self(o), SetType::FromBits(static_cast<uint64_t>(v)));
            };
        return Finish<SetType>(std::move(info), get, set, false);
    }
    template <typename G, typename S>
    auto Float(const char* name, G get, S set, const char* typeName = "Double")
    {
        auto info = std::make_unique<PropInfo>(name, tkFloat, typeName);
        info->getFloat_ = [get](const TObject& o) { return static_cast<double>(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>)
            info->setFloat_ = [set](TObject& o, double v) { std::invoke(set, Self(o), v); };
        return Finish<ValueOf<G>>(std::move(info), get, set, true);
    }
    template <typename G, typename S>
    auto String(const char* name, G get, S set, const char* typeName = "AnsiString")
    {
        auto info = std::make_unique<PropInfo>(name, tkString, typeName);
        info->getStr_ = [get](const TObject& o) { return AnsiString(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>)
            info->setStr_ = [set](TObject& o, const AnsiString& v) { std::invoke(set, Self(o), v); };
        return Finish<AnsiString>(std::move(info), get, set, true);
    }
    template <typename G, typename S>
    auto WideStr(const char* name, G get, S set)
    {
        auto info = std::make_unique<PropInfo>(name, tkWString, "WideString");
        info->getWide_ = [get](const TObject& o) { return WideString(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>)
            info->setWide_ = [set](TObject& o, const WideString& v) { std::invoke(set, Self(o), v); };
        return Finish<WideString>(std::move(info), get, set, true);
    }
    template <typename G, typename S>
    auto VariantProp(const char* name, G get, S set)
    {
        auto info = std::make_unique<PropInfo>(name, tkVariant, "Variant");
        info->getVariant_ = [get](const TObject& o) { return std::invoke(get, Self(o)); };
        if constexpr (!std::is_null_pointer_v<S>)
            info->setVariant_ = [set](TObject& o, const Variant& v) { std::invoke(set, Self(o), v); };
        return Finish<Variant>(std::move(info), get, set, true);
    }
    // An object property. Its getter returns a pointer to T; the setter, if
    // any, takes one (classic setters copy the value with Assign).
    template <typename T, typename G, typename S>
    auto Object(const char* name, G get, S set)
    {
        auto info = std::make_unique<PropInfo>(name, tkClass, "");
        info->propClass_ = &T::StaticClass();
        info->typeName_ = info->propClass_->Name();
        info->getObject_ = [get](const TObject& o) -> TObject* { return std::invoke(get, Self(o)); };
        if constexpr (!std::is_null_pointer_v<S>)
            info->setObject_ = [set](TObject& o, TObject* v) {
                T* typed = v ? dynamic_cast<T*>(v) : nullptr;
                if (v && !typed)
                    throw EPropertyError("Invalid property value");
                std::invoke(set, Self(o), typed);
            };
        auto getTyped = [get](const C& c) -> T* { return std::invoke(get, c); };
        return Finish<T*>(std::move(info), getTyped, set, false);
    }
    // An event property over a TEvent member.
    template <typename... Args>
    auto Event(const char* name, TEvent<Args...> C::*member, const char* typeName = "TNotifyEvent")
    {
        using E = TEvent<Args...>;
        auto info = std::make_unique<PropInfo>(name, tkMethod, typeName);
        info->getMethod_ = [member](const TObject& o) {
            const E& event = Self(o).*member;
            return TMethod{event.Name(), event.Assigned() ? std::any(event.Function()) : std::any()};
        };
        info->setMethod_ = [member, name](TObject& o, const TMethod& m) {
            E& event = Self(o).*member;
            if (m.Name.empty() && !m.Handler.has_value()) {
                event.Clear();
                return;
            }
            const auto* handler = std::any_cast<typename E::Handler>(&m.Handler);
            if (!handler)
                throw EPropertyError("Handler %s does not fit event %s", m.Name, AnsiString(name));
            event = E(*handler, m.Name);
        };
        info->copy_ = [member](const TObject& s, TObject& d) { Self(d).*member = Self(s).*member; };
        // Unassigned (by name: a handler bound in code is not filed) is the
        // default, and what a reset leaves.
        info->isDefault_ = [member](const TObject& o) { return (Self(o).*member).Name().empty(); };
        info->reset_ = [member](TObject& o) { (Self(o).*member).Clear(); };
        return PropOptions<C, E>(list_.Add(std::move(info)), nullptr, nullptr);
    }

private:
    template <typename G>
    using ValueOf = std::decay_t<std::invoke_result_t<G, const C&>>;

    static const C& Self(const TObject& o) { return static_cast<const C&>(o); }
    static C& Self(TObject& o) { return static_cast<C&>(o); }

    // Adds the property with its typed accessors, its copy and, for kinds
    // that have one, the implicit default of a value-initialized V.
    template <typename V, typename G, typename S>
    PropOptions<C, V> Finish(std::unique_ptr<PropInfo> info, G get, S set, bool implicitDefault)
    {
        typename PropOptions<C, V>::Getter getter = [get](const C& c) { return static_cast<V>(std::invoke(get, c)); };
        typename PropOptions<C, V>::Setter setter;
        if constexpr (!std::is_null_pointer_v<S>) {
            setter = [set](C& c, const V& v) { std::invoke(set, c, v); };
            info->copy_ = [getter, setter](const TObject& s, TObject& d) { setter(Self(d), getter(Self(s))); };
        }
        PropOptions<C, V> options(list_.Add(std::move(info)), getter, setter);
        if (implicitDefault)
            options.Default(V{});
        return options;
    }

    template <typename G, typename S>
    auto Ordinal(const char* name, TTypeKind kind, const char* typeName, const TEnumType* type, G get, S set)
    {
        using V = ValueOf<G>;
        auto info = std::make_unique<PropInfo>(name, kind, typeName);
        info->enumType_ = type;
        info->getOrd_ = [get](const TObject& o) { return static_cast<int64_t>(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>)
            info->setOrd_ = [set](TObject& o, int64_t v) { std::invoke(set, Self(o), static_cast<V>(v)); };
        // An ordinal without a declared default is always written.
        return Finish<V>(std::move(info), get, set, false);
    }

    PropertyList& list_;
};

}  // namespace core
