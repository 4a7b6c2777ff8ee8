#include "platform/data/Field.h"

#include "platform/data/ADOTable.h"

namespace data {

using core::Variant;

Variant ConvertForField(const Variant& value, TFieldType type)
{
    if (value.IsNull() || value.IsEmpty())
        return Variant::Null();
    switch (type) {
    case ftString:
    case ftBlob: return Variant(value.AsString());
    case ftInteger: return Variant(value.AsInteger());
    case ftLargeint: return Variant(value.AsInt64());
    case ftBoolean: return Variant(int32_t{value.AsBoolean() ? 1 : 0});
    case ftFloat: return Variant(value.AsFloat());
    case ftBCD: return Variant(value.AsCurrency());
    case ftDateTime: return Variant::FromDate(value.AsDate());
    case ftUnknown: break;
    }
    // Without a declared type the value keeps its own, in the forms the
    // providers store: 8-bit text and Booleans as 0 or 1.
    if (value.VarType() == core::varOleStr)
        return Variant(value.AsString());
    if (value.VarType() == core::varBoolean)
        return Variant(int32_t{value.AsBoolean() ? 1 : 0});
    return value;
}

CORE_CLASS_IMPL(TField)

TField::TField(TADOTable& table, int index, core::AnsiString name, TFieldType type)
    : table_(table), index_(index), name_(std::move(name)), type_(type)
{
}

Variant TField::AsVariant() const
{
    return table_.FieldValue(index_);
}

void TField::SetAsVariant(const Variant& value)
{
    table_.SetFieldValue(index_, value);
}

core::AnsiString TField::AsString() const
{
    Variant value = AsVariant();
    return value.IsNull() ? core::AnsiString() : value.AsString();
}

int TField::AsInteger() const
{
    Variant value = AsVariant();
    return value.IsNull() ? 0 : value.AsInteger();
}

bool TField::AsBoolean() const
{
    Variant value = AsVariant();
    return !value.IsNull() && value.AsBoolean();
}

double TField::AsFloat() const
{
    Variant value = AsVariant();
    return value.IsNull() ? 0.0 : value.AsFloat();
}

}  // namespace data
