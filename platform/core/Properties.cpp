#include "platform/core/Properties.h"

#include "platform/core/Component.h"
#include "platform/core/Exception.h"
#include "platform/core/Object.h"
#include "platform/core/StrUtils.h"
#include "platform/core/TypeInfo.h"
#include "platform/core/Variant.h"

namespace core {

TPropFilter TPropFilter::Only(std::initializer_list<std::string_view> names)
{
    TPropFilter filter;
    filter.only_ = true;
    filter.names_.assign(names.begin(), names.end());
    return filter;
}

TPropFilter TPropFilter::Except(std::initializer_list<std::string_view> names)
{
    TPropFilter filter;
    filter.names_.assign(names.begin(), names.end());
    return filter;
}

void TPropFilter::Check(const TClass& cls) const
{
    for (const AnsiString& name : names_)
        if (!cls.FindProperty(name))
            throw EPropertyError("%s has no published property %s", cls.Name(), name);
}

bool TPropFilter::Takes(const PropInfo& prop) const
{
    for (const AnsiString& name : names_)
        if (SameText(name, prop.Name()))
            return only_;
    return !only_;
}

namespace {

// Copies between properties of two classes that publish the same name each
// in their own way, through the erased accessors.
void CopyAcross(const PropInfo& from, const TObject& source, const PropInfo& to, TObject& dest)
{
    if (to.ReadOnly()) {
        if (to.Kind() != tkClass)
            return;
        // An object the owner keeps takes the value in place, as CopyValue
        // does within one class.
        auto* value = dynamic_cast<TPersistent*>(from.GetObject(source));
        auto* kept = dynamic_cast<TPersistent*>(to.GetObject(dest));
        if (value && kept && value != kept && !dynamic_cast<TComponent*>(kept))
            kept->Assign(value);
        return;
    }
    if (to.IsOrdinal()) {
        to.SetOrd(dest, from.GetOrd(source));
        return;
    }
    switch (to.Kind()) {
    case tkFloat:
        to.SetFloat(dest, from.GetFloat(source));
        break;
    case tkString:
        to.SetStr(dest, from.GetStr(source));
        break;
    case tkWString:
        to.SetWideStr(dest, from.GetWideStr(source));
        break;
    case tkVariant:
        to.SetVariant(dest, from.GetVariant(source));
        break;
    case tkClass:
        to.SetObject(dest, from.GetObject(source));
        break;
    case tkMethod:
        to.SetMethod(dest, from.GetMethod(source));
        break;
    default:
        break;
    }
}

}  // namespace

void CopyProperties(const TObject& source, TObject& dest, const TPropFilter& filter)
{
    if (&source == &dest)
        return;
    const TClass& sourceClass = source.ClassType();
    filter.Check(dest.ClassType());
    for (const PropInfo* to : dest.ClassType().Properties()) {
        if (!filter.Takes(*to) || to->NeverStored())
            continue;
        const PropInfo* from = sourceClass.FindProperty(to->Name());
        if (!from || from->Kind() != to->Kind() || !SameText(from->TypeName(), to->TypeName()))
            continue;
        if (!from->IsStored(source)) {
            to->ResetValue(dest);
            continue;
        }
        if (from == to)
            to->CopyValue(source, dest);
        else
            CopyAcross(*from, source, *to, dest);
    }
}

bool PropertiesAtDefault(const TObject& object, const TPropFilter& filter)
{
    filter.Check(object.ClassType());
    for (const PropInfo* prop : object.ClassType().Properties()) {
        if (!filter.Takes(*prop) || !prop->HasDefault())
            continue;
        if (prop->IsStored(object) && !prop->IsDefaultValue(object))
            return false;
    }
    return true;
}

void ResetProperties(TObject& object, const TPropFilter& filter)
{
    filter.Check(object.ClassType());
    for (const PropInfo* prop : object.ClassType().Properties())
        if (filter.Takes(*prop))
            prop->ResetValue(object);
}

}  // namespace core
