#include "platform/core/TypeInfo.h"

#include "platform/core/CodePage.h"
#include "platform/core/Component.h"
#include "platform/core/NumberFormat.h"
#include "platform/core/StrUtils.h"
#include "platform/core/Variant.h"

namespace core {

PropInfo::PropInfo(AnsiString name, TTypeKind kind, AnsiString typeName)
    : name_(std::move(name)), kind_(kind), typeName_(std::move(typeName))
{
}

bool PropInfo::IsOrdinal() const
{
    switch (kind_) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet:
    case tkInt64:
        return true;
    default:
        return false;
    }
}

bool PropInfo::ReadOnly() const
{
    return !(setOrd_ || setFloat_ || setStr_ || setWide_ || setVariant_ || setObject_ || setMethod_);
}

const std::vector<AnsiString>& PropInfo::EnumNames() const
{
    static const std::vector<AnsiString> none;
    return enumType_ ? enumType_->Names() : none;
}

bool PropInfo::IsStored(const TObject& object) const
{
    return stored_ ? stored_(object) : storedAlways_;
}

bool PropInfo::IsDefaultValue(const TObject& object) const
{
    return isDefault_ && isDefault_(object);
}

void PropInfo::ResetValue(TObject& object) const
{
    if (reset_)
        reset_(object);
}

void PropInfo::CopyValue(const TObject& source, TObject& dest) const
{
    if (copy_) {
        copy_(source, dest);
        return;
    }
    // A read-only object property: an object the owner keeps (a font, a
    // list of lines) takes the source's value in place; a component is a
    // reference, not a value, and stays.
    if (kind_ != tkClass)
        return;
    auto* from = dynamic_cast<TPersistent*>(GetObject(source));
    auto* to = dynamic_cast<TPersistent*>(GetObject(dest));
    if (from && to && from != to && !dynamic_cast<TComponent*>(to))
        to->Assign(from);
}

void PropInfo::WrongKind(const char* access) const
{
    throw EPropertyError("Property %s does not support %s access", name_, AnsiString(access));
}

int64_t PropInfo::GetOrd(const TObject& object) const
{
    if (!getOrd_)
        WrongKind("ordinal read");
    return getOrd_(object);
}

void PropInfo::SetOrd(TObject& object, int64_t value) const
{
    if (!setOrd_)
        WrongKind("ordinal write");
    setOrd_(object, value);
}

double PropInfo::GetFloat(const TObject& object) const
{
    if (!getFloat_)
        WrongKind("float read");
    return getFloat_(object);
}

void PropInfo::SetFloat(TObject& object, double value) const
{
    if (!setFloat_)
        WrongKind("float write");
    setFloat_(object, value);
}

AnsiString PropInfo::GetStr(const TObject& object) const
{
    if (getStr_)
        return getStr_(object);
    if (getWide_)
        return WideToAnsi(getWide_(object));
    WrongKind("string read");
}

void PropInfo::SetStr(TObject& object, const AnsiString& value) const
{
    if (setStr_)
        return setStr_(object, value);
    if (setWide_)
        return setWide_(object, AnsiToWide(value));
    WrongKind("string write");
}

WideString PropInfo::GetWideStr(const TObject& object) const
{
    if (getWide_)
        return getWide_(object);
    if (getStr_)
        return AnsiToWide(getStr_(object));
    WrongKind("wide string read");
}

void PropInfo::SetWideStr(TObject& object, const WideString& value) const
{
    if (setWide_)
        return setWide_(object, value);
    if (setStr_)
        return setStr_(object, WideToAnsi(value));
    WrongKind("wide string write");
}

Variant PropInfo::GetVariant(const TObject& object) const
{
    if (!getVariant_)
        WrongKind("variant read");
    return getVariant_(object);
}

void PropInfo::SetVariant(TObject& object, const Variant& value) const
{
    if (!setVariant_)
        WrongKind("variant write");
    setVariant_(object, value);
}

TObject* PropInfo::GetObject(const TObject& object) const
{
    if (!getObject_)
        WrongKind("object read");
    return getObject_(object);
}

void PropInfo::SetObject(TObject& object, TObject* value) const
{
    if (!setObject_)
        WrongKind("object write");
    setObject_(object, value);
}

AnsiString PropInfo::GetMethodName(const TObject& object) const
{
    return GetMethod(object).Name;
}

TMethod PropInfo::GetMethod(const TObject& object) const
{
    if (!getMethod_)
        WrongKind("event read");
    return getMethod_(object);
}

void PropInfo::SetMethod(TObject& object, const TMethod& method) const
{
    if (!setMethod_)
        WrongKind("event write");
    setMethod_(object, method);
}

int PropInfo::EnumValue(std::string_view name) const
{
    return enumType_ ? enumType_->Value(name) : -1;
}

AnsiString PropInfo::EnumName(int64_t value) const
{
    return enumType_ ? enumType_->NameOf(value) : IntToStr(value);
}

PropInfo& PropertyList::Add(std::unique_ptr<PropInfo> info)
{
    for (auto& existing : items_) {
        if (SameText(existing->Name(), info->Name())) {
            existing = std::move(info);
            return *existing;
        }
    }
    items_.push_back(std::move(info));
    return *items_.back();
}

}  // namespace core
