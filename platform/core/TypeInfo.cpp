#include "platform/core/TypeInfo.h"

#include "platform/core/CodePage.h"
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

bool PropInfo::IsStored(const TObject& object) const
{
    return stored_ ? stored_(object) : storedAlways_;
}

bool PropInfo::IsDefaultValue(const TObject& object) const
{
    switch (kind_) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet:
    case tkInt64:
        return default_.has_value() && GetOrd(object) == *default_;
    case tkFloat:
        return GetFloat(object) == 0;
    case tkString:
        return GetStr(object).empty();
    case tkWString:
        return GetWideStr(object).empty();
    case tkVariant:
        return GetVariant(object).IsEmpty();
    case tkMethod:
        return GetMethodName(object).empty();
    default:
        return false;
    }
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
    if (!getMethod_)
        WrongKind("event read");
    return getMethod_(object);
}

TMethod PropInfo::GetMethod(const TObject& object) const
{
    if (!getHandler_)
        WrongKind("event read");
    return getHandler_(object);
}

void PropInfo::SetMethod(TObject& object, const TMethod& method) const
{
    if (!setMethod_)
        WrongKind("event write");
    setMethod_(object, method);
}

int PropInfo::EnumValue(std::string_view name) const
{
    for (size_t i = 0; i < enumNames_.size(); ++i)
        if (SameText(enumNames_[i], name))
            return static_cast<int>(i);
    return -1;
}

AnsiString PropInfo::EnumName(int64_t value) const
{
    if (value < 0 || value >= static_cast<int64_t>(enumNames_.size()))
        return IntToStr(value);
    return enumNames_[static_cast<size_t>(value)];
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

PropOptions& PropOptions::NoDefault()
{
    info_.default_.reset();
    return *this;
}

PropOptions& PropOptions::Stored(bool stored)
{
    info_.storedAlways_ = stored;
    info_.stored_ = nullptr;
    return *this;
}

PropOptions& PropOptions::StoredWhen(std::function<bool(const TObject&)> predicate)
{
    info_.stored_ = std::move(predicate);
    return *this;
}

void PropOptions::SetDefaultValue(int64_t value)
{
    info_.default_ = value;
}

}  // namespace core
