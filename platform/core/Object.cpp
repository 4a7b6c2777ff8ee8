#include "platform/core/Object.h"

#include <algorithm>

#include "platform/core/Exception.h"
#include "platform/core/StrUtils.h"
#include "platform/core/TypeInfo.h"

namespace core {

const TClass& TObject::StaticClass()
{
    static const TClass cls("TObject", nullptr, nullptr, nullptr);
    return cls;
}

const TClass& TObject::ClassType() const
{
    return StaticClass();
}

const AnsiString& TObject::ClassName() const
{
    return ClassType().Name();
}

bool TObject::InheritsFrom(const TClass& cls) const
{
    return ClassType().InheritsFrom(cls);
}

TClass::TClass(const char* name, const TClass* parent, Factory factory, Publisher publish)
    : name_(name), parent_(parent), factory_(factory), publish_(publish)
{
}

TClass::~TClass() = default;

bool TClass::InheritsFrom(const TClass& other) const
{
    for (const TClass* c = this; c; c = c->parent_)
        if (c == &other)
            return true;
    return false;
}

TObject* TClass::CreateInstance(TObject* context) const
{
    if (!factory_)
        throw EInvalidOperation("Cannot create an instance of abstract class %s", name_);
    return factory_(context);
}

void TClass::Build() const
{
    if (built_)
        return;
    built_ = true;
    if (parent_)
        all_ = parent_->Properties();
    own_ = std::make_unique<PropertyList>();
    if (publish_)
        publish_(*own_);
    for (const auto& info : own_->Items()) {
        auto same = [&](const PropInfo* p) { return SameText(p->Name(), info->Name()); };
        auto it = std::find_if(all_.begin(), all_.end(), same);
        if (it != all_.end())
            *it = info.get();
        else
            all_.push_back(info.get());
    }
}

const std::vector<const PropInfo*>& TClass::Properties() const
{
    Build();
    return all_;
}

const PropInfo* TClass::FindProperty(std::string_view name) const
{
    for (const PropInfo* p : Properties())
        if (SameText(p->Name(), name))
            return p;
    return nullptr;
}

std::vector<const PropInfo*> TClass::SortedProperties() const
{
    std::vector<const PropInfo*> sorted = Properties();
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const PropInfo* a, const PropInfo* b) { return CompareText(a->Name(), b->Name()) < 0; });
    return sorted;
}

}  // namespace core
