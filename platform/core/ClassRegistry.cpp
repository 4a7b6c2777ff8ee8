#include "platform/core/ClassRegistry.h"

#include <vector>

#include "platform/core/Exception.h"
#include "platform/core/StrUtils.h"

namespace core {

namespace {

std::vector<const TClass*>& Registry()
{
    static std::vector<const TClass*> classes;
    return classes;
}

}  // namespace

void RegisterClass(const TClass& cls)
{
    if (GetClass(cls.Name()) == &cls)
        return;
    UnregisterClass(cls);
    Registry().push_back(&cls);
}

void RegisterClasses(std::initializer_list<const TClass*> classes)
{
    for (const TClass* cls : classes)
        RegisterClass(*cls);
}

void UnregisterClass(const TClass& cls)
{
    auto& all = Registry();
    std::erase_if(all, [&](const TClass* c) { return SameText(c->Name(), cls.Name()); });
}

const TClass* GetClass(std::string_view name)
{
    for (const TClass* cls : Registry())
        if (SameText(cls->Name(), name))
            return cls;
    return nullptr;
}

const TClass& FindClass(std::string_view name)
{
    if (const TClass* cls = GetClass(name))
        return *cls;
    throw EClassNotFound("Class %s not found", AnsiString(name));
}

}  // namespace core
