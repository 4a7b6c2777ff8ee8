#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <type_traits>
#include <vector>

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

// One published property of a class: name, kind, type and the accessors,
// erased so that filing and copying can work on any class by name.
class PropInfo {
public:
    PropInfo(AnsiString name, TTypeKind kind, AnsiString typeName);

    const AnsiString& Name() const { return name_; }
    TTypeKind Kind() const { return kind_; }
    const AnsiString& TypeName() const { return typeName_; }
    // Members of an enumeration, or elements of a set's base type.
    const std::vector<AnsiString>& EnumNames() const { return enumNames_; }
    // The class of an object property.
    const TClass* PropClass() const { return propClass_; }
    bool IsOrdinal() const;
    bool HasDefault() const { return default_.has_value(); }
    int64_t Default() const { return default_.value_or(0); }
    bool ReadOnly() const;

    // Whether the value is written when the object is filed.
    bool IsStored(const TObject& object) const;
    // Whether the current value equals the default: an ordinal at its
    // declared default, an empty text, a zero float, an unassigned event.
    bool IsDefaultValue(const TObject& object) const;

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
    // The bound handler with its name (an unassigned event gives an empty
    // handler), so that an event can be copied to another object.
    TMethod GetMethod(const TObject& object) const;
    // Binds a handler; a method without a handler and without a name
    // unassigns. A handler of another type than the event's raises
    // EPropertyError.
    void SetMethod(TObject& object, const TMethod& method) const;

    // Enumeration members by name and back (case-insensitive lookup, -1 when unknown).
    int EnumValue(std::string_view name) const;
    AnsiString EnumName(int64_t value) const;

private:
    friend class PropertyList;
    friend class PropOptions;
    template <typename C>
    friend class PropBuilder;

    [[noreturn]] void WrongKind(const char* access) const;

    AnsiString name_;
    TTypeKind kind_;
    AnsiString typeName_;
    std::vector<AnsiString> enumNames_;
    const TClass* propClass_ = nullptr;
    std::optional<int64_t> default_;
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
    std::function<AnsiString(const TObject&)> getMethod_;
    std::function<TMethod(const TObject&)> getHandler_;
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

// Sets the default and the stored condition of a property being published.
class PropOptions {
public:
    explicit PropOptions(PropInfo& info) : info_(info) {}
    template <typename V>
    PropOptions& Default(V value)
    {
        if constexpr (std::is_enum_v<V>)
            SetDefaultValue(static_cast<int64_t>(value));
        else if constexpr (requires { value.Bits(); })
            SetDefaultValue(static_cast<int64_t>(value.Bits()));
        else
            SetDefaultValue(static_cast<int64_t>(value));
        return *this;
    }
    PropOptions& NoDefault();
    PropOptions& Stored(bool stored);
    PropOptions& StoredWhen(std::function<bool(const TObject&)> predicate);

private:
    void SetDefaultValue(int64_t value);
    PropInfo& info_;
};

// Publishes the properties of class C:
//   PropBuilder<TMyControl> p(list);
//   p.Integer("Width", &TMyControl::Width, &TMyControl::SetWidth).Default(0);
// Getters are member functions or callables taking const C&; setters take
// C& and the value; pass nullptr for a read-only property.
template <typename C>
class PropBuilder {
public:
    explicit PropBuilder(PropertyList& list) : list_(list) {}

    template <typename G, typename S>
    PropOptions Integer(const char* name, G get, S set, const char* typeName = "Integer")
    {
        return Ordinal(name, tkInteger, typeName, {}, get, set);
    }
    template <typename G, typename S>
    PropOptions Int64(const char* name, G get, S set)
    {
        return Ordinal(name, tkInt64, "Int64", {}, get, set);
    }
    template <typename G, typename S>
    PropOptions Char(const char* name, G get, S set)
    {
        return Ordinal(name, tkChar, "Char", {}, get, set);
    }
    template <typename G, typename S>
    PropOptions Boolean(const char* name, G get, S set)
    {
        return Ordinal(name, tkEnumeration, "Boolean", {"False", "True"}, get, set);
    }
    template <typename G, typename S>
    PropOptions Enum(const char* name, const char* typeName, std::vector<AnsiString> names, G get, S set)
    {
        return Ordinal(name, tkEnumeration, typeName, std::move(names), get, set);
    }
    template <typename G, typename S>
    PropOptions Set(const char* name, const char* typeName, std::vector<AnsiString> elementNames, G get, S set)
    {
        auto info = std::make_unique<PropInfo>(name, tkSet, typeName);
        info->enumNames_ = std::move(elementNames);
        info->getOrd_ = [get](const TObject& o) { return static_cast<int64_t>(std::invoke(get, Self(o)).Bits()); };
        if constexpr (!std::is_null_pointer_v<S>) {
            using SetType = std::decay_t<decltype(std::invoke(get, std::declval<const C&>()))>;
            info->setOrd_ = [set](TObject& o, int64_t v) {
                std::invoke(set, Self(o), SetType::FromBits(static_cast<uint64_t>(v)));
            };
        }
        return PropOptions(list_.Add(std::move(info)));
    }
    template <typename G, typename S>
    PropOptions Float(const char* name, G get, S set, const char* typeName = "Double")
    {
        auto info = std::make_unique<PropInfo>(name, tkFloat, typeName);
        info->getFloat_ = [get](const TObject& o) { return static_cast<double>(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>)
            info->setFloat_ = [set](TObject& o, double v) { std::invoke(set, Self(o), v); };
        return PropOptions(list_.Add(std::move(info)));
    }
    template <typename G, typename S>
    PropOptions String(const char* name, G get, S set, const char* typeName = "AnsiString")
    {
        auto info = std::make_unique<PropInfo>(name, tkString, typeName);
        info->getStr_ = [get](const TObject& o) { return AnsiString(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>)
            info->setStr_ = [set](TObject& o, const AnsiString& v) { std::invoke(set, Self(o), v); };
        return PropOptions(list_.Add(std::move(info)));
    }
    template <typename G, typename S>
    PropOptions WideStr(const char* name, G get, S set)
    {
        auto info = std::make_unique<PropInfo>(name, tkWString, "WideString");
        info->getWide_ = [get](const TObject& o) { return WideString(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>)
            info->setWide_ = [set](TObject& o, const WideString& v) { std::invoke(set, Self(o), v); };
        return PropOptions(list_.Add(std::move(info)));
    }
    template <typename G, typename S>
    PropOptions VariantProp(const char* name, G get, S set)
    {
        auto info = std::make_unique<PropInfo>(name, tkVariant, "Variant");
        info->getVariant_ = [get](const TObject& o) { return std::invoke(get, Self(o)); };
        if constexpr (!std::is_null_pointer_v<S>)
            info->setVariant_ = [set](TObject& o, const Variant& v) { std::invoke(set, Self(o), v); };
        return PropOptions(list_.Add(std::move(info)));
    }
    // An object property. Its getter returns a pointer to T; the setter, if
    // any, takes one (classic setters copy the value with Assign).
    template <typename T, typename G, typename S>
    PropOptions Object(const char* name, G get, S set)
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
        return PropOptions(list_.Add(std::move(info)));
    }
    // An event property over a TEvent member.
    template <typename... Args>
    PropOptions Event(const char* name, TEvent<Args...> C::*member, const char* typeName = "TNotifyEvent")
    {
        using E = TEvent<Args...>;
        auto info = std::make_unique<PropInfo>(name, tkMethod, typeName);
        info->getMethod_ = [member](const TObject& o) { return (Self(o).*member).Name(); };
        info->getHandler_ = [member](const TObject& o) {
            const E& event = Self(o).*member;
            return TMethod{event.Name(), std::any(event.Function())};
        };
        info->setMethod_ = [member, name](TObject& o, const TMethod& m) {
            E& event = static_cast<C&>(o).*member;
            if (m.Name.empty() && !m.Handler.has_value()) {
                event.Clear();
                return;
            }
            const auto* handler = std::any_cast<typename E::Handler>(&m.Handler);
            if (!handler)
                throw EPropertyError("Handler %s does not fit event %s", m.Name, AnsiString(name));
            event = *handler ? E(*handler, m.Name) : E();
        };
        return PropOptions(list_.Add(std::move(info)));
    }

private:
    static const C& Self(const TObject& o) { return static_cast<const C&>(o); }
    static C& Self(TObject& o) { return static_cast<C&>(o); }

    template <typename G, typename S>
    PropOptions Ordinal(const char* name, TTypeKind kind, const char* typeName, std::vector<AnsiString> names, G get,
                        S set)
    {
        auto info = std::make_unique<PropInfo>(name, kind, typeName);
        info->enumNames_ = std::move(names);
        info->getOrd_ = [get](const TObject& o) { return static_cast<int64_t>(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>) {
            using V = std::decay_t<decltype(std::invoke(get, std::declval<const C&>()))>;
            info->setOrd_ = [set](TObject& o, int64_t v) { std::invoke(set, Self(o), static_cast<V>(v)); };
        }
        // An ordinal without a declared default is always written.
        return PropOptions(list_.Add(std::move(info)));
    }

    PropertyList& list_;
};

}  // namespace core
