#pragma once

#include "platform/core/Object.h"
#include "platform/core/Variant.h"

namespace data {

class TADOTable;

// The types a field can have. A Boolean field reads as the integer 0 or 1;
// ftBCD holds exact decimals with up to four places as a currency value;
// ftUnknown is a column without a declared type, whose values keep the type
// they were stored with.
enum TFieldType { ftUnknown, ftString, ftInteger, ftLargeint, ftBoolean, ftFloat, ftBCD, ftDateTime, ftBlob };

// Converts a value to what a field of the type holds: Null for Null and
// unassigned values, else the type's own variant type. Text that does not
// read as the type raises core::EVariantError.
core::Variant ConvertForField(const core::Variant& value, TFieldType type);

// One column of an open table, seen through its current record.
class TField : public core::TObject {
    CORE_CLASS(TField, core::TObject)

    TField(TADOTable& table, int index, core::AnsiString name, TFieldType type);

    TADOTable& DataSet() const { return table_; }
    const core::AnsiString& FieldName() const { return name_; }
    TFieldType DataType() const { return type_; }
    int Index() const { return index_; }

    // The current record's value: Null for NULL (and on an empty table).
    core::Variant AsVariant() const;
    // Writes the value, converted to the field's type, into the record being
    // edited; raises EDatabaseError unless the table is in edit state.
    void SetAsVariant(const core::Variant& value);
    core::Variant Value() const { return AsVariant(); }
    void SetValue(const core::Variant& value) { SetAsVariant(value); }

    bool IsNull() const { return AsVariant().IsNull(); }
    // Null reads as empty text, 0 or False here.
    core::AnsiString AsString() const;
    void SetAsString(const core::AnsiString& value) { SetAsVariant(core::Variant(value)); }
    int AsInteger() const;
    void SetAsInteger(int value) { SetAsVariant(core::Variant(value)); }
    bool AsBoolean() const;
    void SetAsBoolean(bool value) { SetAsVariant(core::Variant(value)); }
    double AsFloat() const;
    void SetAsFloat(double value) { SetAsVariant(core::Variant(value)); }

private:
    TADOTable& table_;
    int index_;
    core::AnsiString name_;
    TFieldType type_;
};

}  // namespace data
