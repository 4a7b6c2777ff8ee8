#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "platform/core/Forward.h"

namespace core {

// Declares the class-reference members of a class; put it first in the body.
// Its partner CORE_CLASS_IMPL goes in the class's source file.
#define CORE_CLASS(Name, Parent)                                              \
public:                                                                       \
    using inherited = Parent;                                                 \
    static const ::core::TClass& StaticClass();                               \
    const ::core::TClass& ClassType() const override { return StaticClass(); }

#define CORE_CLASS_IMPL(Name)                                                                      \
    const ::core::TClass& Name::StaticClass()                                                      \
    {                                                                                              \
        static const ::core::TClass cls(#Name, &inherited::StaticClass(), ::core::ClassFactory<Name>(), \
                                        ::core::ClassPublisher<Name>());                           \
        return cls;                                                                                \
    }

// The root of the object model: every object knows its class reference.
class TObject {
public:
    virtual ~TObject() = default;

    static const TClass& StaticClass();
    virtual const TClass& ClassType() const;
    const AnsiString& ClassName() const;
    bool InheritsFrom(const TClass& cls) const;
    template <typename T>
    bool Is() const
    {
        return InheritsFrom(T::StaticClass());
    }

    // Objects publish no properties unless their class says so.
    static void Publish(PropertyList&) {}
};

// A class reference: the name, the parent, a virtual constructor and the
// published properties of one class.
class TClass {
public:
    // Creates an instance. Components receive `context` as their owner,
    // collection items as their collection; other classes ignore it.
    using Factory = TObject* (*)(TObject* context);
    using Publisher = void (*)(PropertyList&);

    TClass(const char* name, const TClass* parent, Factory factory, Publisher publish);
    ~TClass();
    TClass(const TClass&) = delete;
    TClass& operator=(const TClass&) = delete;

    const AnsiString& Name() const { return name_; }
    const TClass* Parent() const { return parent_; }
    bool InheritsFrom(const TClass& other) const;
    bool IsAbstract() const { return factory_ == nullptr; }

    // The virtual constructor; raises EInvalidOperation for abstract classes.
    TObject* CreateInstance(TObject* context = nullptr) const;

    // Published properties, the parent's first, each in declaration order; a
    // class may publish a parent's property again to change its default.
    const std::vector<const PropInfo*>& Properties() const;
    // Case-insensitive lookup; nullptr when the class has no such property.
    const PropInfo* FindProperty(std::string_view name) const;
    // The properties sorted by name, case-insensitively.
    std::vector<const PropInfo*> SortedProperties() const;

private:
    void Build() const;

    AnsiString name_;
    const TClass* parent_;
    Factory factory_;
    Publisher publish_;
    mutable std::unique_ptr<PropertyList> own_;
    mutable std::vector<const PropInfo*> all_;
    mutable bool built_ = false;
};

template <typename To>
To* ContextAs(TObject* context)
{
    return dynamic_cast<To*>(context);
}

template <typename T>
TClass::Factory ClassFactory()
{
    if constexpr (std::is_abstract_v<T>)
        return nullptr;
    else if constexpr (std::is_constructible_v<T, TComponent*>)
        return [](TObject* context) -> TObject* { return new T(ContextAs<TComponent>(context)); };
    else if constexpr (std::is_constructible_v<T, TCollection*>)
        return [](TObject* context) -> TObject* { return new T(ContextAs<TCollection>(context)); };
    else if constexpr (std::is_default_constructible_v<T>)
        return [](TObject*) -> TObject* { return new T(); };
    else
        return nullptr;
}

template <typename T>
TClass::Publisher ClassPublisher()
{
    // Only a class that declares its own Publish adds properties.
    TClass::Publisher own = &T::Publish;
    TClass::Publisher parents = &T::inherited::Publish;
    return own != parents ? own : nullptr;
}

}  // namespace core
