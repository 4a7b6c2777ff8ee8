#pragma once

#include <cstdint>
#include <variant>

#include "platform/core/Forward.h"

namespace core {

// The variant type codes of the classic runtime.
enum TVarType : uint16_t {
    varEmpty = 0x0000,
    varNull = 0x0001,
    varSmallint = 0x0002,
    varInteger = 0x0003,
    varSingle = 0x0004,
    varDouble = 0x0005,
    varCurrency = 0x0006,
    varDate = 0x0007,
    varOleStr = 0x0008,
    varBoolean = 0x000B,
    varByte = 0x0011,
    varInt64 = 0x0014,
    varString = 0x0100,
};

// A currency amount: a 64-bit integer of ten-thousandths.
struct Currency {
    int64_t Scaled = 0;
    static Currency FromDouble(double value);
    double ToDouble() const { return static_cast<double>(Scaled) / 10000.0; }
    bool operator==(const Currency&) const = default;
};

// The value of a grid cell or a database field: unassigned (empty), null, a
// number of one of the classic widths, a date, a Boolean, 8-bit or wide text.
class Variant {
public:
    Variant() = default;
    Variant(int16_t value) : type_(varSmallint), value_(int64_t{value}) {}
    Variant(int32_t value) : type_(varInteger), value_(int64_t{value}) {}
    Variant(int64_t value) : type_(varInt64), value_(value) {}
    Variant(uint8_t value) : type_(varByte), value_(int64_t{value}) {}
    Variant(float value) : type_(varSingle), value_(double{value}) {}
    Variant(double value) : type_(varDouble), value_(value) {}
    Variant(Currency value) : type_(varCurrency), value_(value.Scaled) {}
    Variant(bool value) : type_(varBoolean), value_(int64_t{value ? -1 : 0}) {}
    Variant(const char* value) : type_(varString), value_(AnsiString(value)) {}
    Variant(AnsiString value) : type_(varString), value_(std::move(value)) {}
    Variant(WideString value) : type_(varOleStr), value_(std::move(value)) {}
    Variant(const char16_t* value) : type_(varOleStr), value_(WideString(value ? value : u"")) {}
    // Any other pointer would quietly become a Boolean.
    template <typename T>
    Variant(const T*) = delete;

    static Variant Null();
    static Variant FromDate(double value);

    TVarType VarType() const { return type_; }
    bool IsEmpty() const { return type_ == varEmpty; }
    bool IsNull() const { return type_ == varNull; }
    bool IsNumeric() const;  // the integer, float and currency types (not Boolean or date)
    bool IsString() const { return type_ == varString || type_ == varOleStr; }
    const char* TypeName() const;

    // Conversions by the classic rules: empty gives 0 or ""; null raises;
    // numeric text converts and other text raises EVariantError; a Boolean
    // True is -1 and "True"; floats round half to even into integers.
    AnsiString AsString() const;
    WideString AsWideString() const;
    int32_t AsInteger() const;
    int64_t AsInt64() const;
    double AsFloat() const;
    bool AsBoolean() const;
    Currency AsCurrency() const;
    double AsDate() const;

    // This value in another type (varEmpty and varNull give those values).
    Variant ChangeType(TVarType target) const;

    // The platform's value comparison: equal types compare their values;
    // numbers compare as numbers; a number and a text compare as numbers
    // when the text reads as one, else as text; empty is 0 or "" against a
    // value and only null equals null.
    bool Equals(const Variant& other) const;
    bool operator==(const Variant& other) const { return Equals(other); }

    // Same type and same representation (null equals null, empty equals empty).
    bool Identical(const Variant& other) const { return type_ == other.type_ && value_ == other.value_; }

private:
    [[noreturn]] void CannotConvert(const char* target) const;
    double NumberOrThrow(const char* target) const;

    TVarType type_ = varEmpty;
    std::variant<std::monostate, int64_t, double, AnsiString, WideString> value_;
};

// Half-to-even rounding, as the classic Round does.
int64_t RoundHalfEven(double value);

}  // namespace core
