#include "platform/core/Variant.h"

#include <cmath>
#include <limits>

#include "platform/core/CodePage.h"
#include "platform/core/DateTime.h"
#include "platform/core/Exception.h"
#include "platform/core/NumberFormat.h"
#include "platform/core/StrUtils.h"

namespace core {

namespace {

bool IsIntegerType(TVarType type)
{
    return type == varSmallint || type == varInteger || type == varByte || type == varInt64 || type == varBoolean;
}

bool IsFloatType(TVarType type)
{
    return type == varSingle || type == varDouble || type == varDate;
}

// A currency amount with all its digits, as CurrToStr writes it: the four
// decimals without trailing zeros. A double would keep only 15 of them.
AnsiString CurrencyToStr(int64_t scaled)
{
    uint64_t magnitude = scaled < 0 ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
    AnsiString text = (scaled < 0 ? "-" : "") + std::to_string(magnitude / 10000);
    AnsiString decimals = std::to_string(magnitude % 10000 + 10000).substr(1);
    decimals.erase(decimals.find_last_not_of('0') + 1);
    if (!decimals.empty())
        text += FormatSettings().DecimalSeparator + decimals;
    return text;
}

}  // namespace

int64_t RoundHalfEven(double value)
{
    double rounded = std::nearbyint(value);  // the default rounding mode is to nearest, ties to even
    if (!(rounded >= -9223372036854775808.0 && rounded < 9223372036854775808.0))
        throw EInvalidOp("Invalid floating point operation");
    return static_cast<int64_t>(rounded);
}

Currency Currency::FromDouble(double value)
{
    return Currency{RoundHalfEven(value * 10000.0)};
}

Variant Variant::Null()
{
    Variant v;
    v.type_ = varNull;
    return v;
}

Variant Variant::FromDate(double value)
{
    Variant v(value);
    v.type_ = varDate;
    return v;
}

bool Variant::IsNumeric() const
{
    switch (type_) {
    case varSmallint:
    case varInteger:
    case varSingle:
    case varDouble:
    case varCurrency:
    case varByte:
    case varInt64:
        return true;
    default:
        return false;
    }
}

const char* Variant::TypeName() const
{
    switch (type_) {
    case varEmpty: return "Empty";
    case varNull: return "Null";
    case varSmallint: return "Smallint";
    case varInteger: return "Integer";
    case varSingle: return "Single";
    case varDouble: return "Double";
    case varCurrency: return "Currency";
    case varDate: return "Date";
    case varOleStr: return "OleStr";
    case varBoolean: return "Boolean";
    case varByte: return "Byte";
    case varInt64: return "Int64";
    case varString: return "String";
    }
    return "Unknown";
}

void Variant::CannotConvert(const char* target) const
{
    throw EVariantError("Could not convert variant of type (%s) into type (%s)", AnsiString(TypeName()),
                        AnsiString(target));
}

// The value as a double, for every type that holds or reads as a number.
double Variant::NumberOrThrow(const char* target) const
{
    if (IsIntegerType(type_))
        return static_cast<double>(std::get<int64_t>(value_));
    if (IsFloatType(type_))
        return std::get<double>(value_);
    switch (type_) {
    case varEmpty:
        return 0;
    case varCurrency:
        return Currency{std::get<int64_t>(value_)}.ToDouble();
    case varString:
    case varOleStr: {
        AnsiString text = AsString();
        double number;
        if (TryStrToFloat(text, number))
            return number;
        int64_t integer;
        if (TryStrToInt64(text, integer))
            return static_cast<double>(integer);
        break;
    }
    default:
        break;
    }
    CannotConvert(target);
}

AnsiString Variant::AsString() const
{
    switch (type_) {
    case varEmpty:
        return AnsiString();
    case varNull:
        CannotConvert("String");
    case varBoolean:
        return std::get<int64_t>(value_) ? "True" : "False";
    case varSingle:
        return FloatToStrF(std::get<double>(value_), ffGeneral, 7, 0);
    case varDouble:
        return FloatToStr(std::get<double>(value_));
    case varDate:
        return DateTimeToStr(std::get<double>(value_));
    case varCurrency:
        return CurrencyToStr(std::get<int64_t>(value_));
    case varString:
        return std::get<AnsiString>(value_);
    case varOleStr:
        return WideToAnsi(std::get<WideString>(value_));
    default:
        return IntToStr(std::get<int64_t>(value_));
    }
}

WideString Variant::AsWideString() const
{
    if (type_ == varOleStr)
        return std::get<WideString>(value_);
    return AnsiToWide(AsString());
}

int64_t Variant::AsInt64() const
{
    if (IsIntegerType(type_) || type_ == varCurrency) {
        int64_t v = std::get<int64_t>(value_);
        return type_ == varCurrency ? RoundHalfEven(Currency{v}.ToDouble()) : v;
    }
    if (type_ == varString || type_ == varOleStr) {
        int64_t integer;
        if (TryStrToInt64(AsString(), integer))
            return integer;
    }
    if (type_ == varNull)
        CannotConvert("Int64");
    return RoundHalfEven(NumberOrThrow("Int64"));
}

int32_t Variant::AsInteger() const
{
    int64_t v;
    try {
        v = AsInt64();
    } catch (const EInvalidOp&) {
        v = std::numeric_limits<int64_t>::max();
    } catch (const EVariantError&) {
        CannotConvert("Integer");
    }
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        throw EVariantError("Overflow while converting variant of type (%s) into type (Integer)", AnsiString(TypeName()));
    return static_cast<int32_t>(v);
}

double Variant::AsFloat() const
{
    if (type_ == varNull)
        CannotConvert("Double");
    return NumberOrThrow("Double");
}

double Variant::AsDate() const
{
    if (type_ == varNull)
        CannotConvert("Date");
    if (IsString()) {
        TDateTime value;
        if (TryStrToDateTime(AsString(), value))
            return value;
    }
    return NumberOrThrow("Date");
}

bool Variant::AsBoolean() const
{
    if (type_ == varString || type_ == varOleStr) {
        AnsiString text = AsString();
        if (SameText(text, "True"))
            return true;
        if (SameText(text, "False"))
            return false;
    }
    if (type_ == varNull)
        CannotConvert("Boolean");
    return NumberOrThrow("Boolean") != 0;
}

Currency Variant::AsCurrency() const
{
    if (type_ == varCurrency)
        return Currency{std::get<int64_t>(value_)};
    if (type_ == varNull)
        CannotConvert("Currency");
    return Currency::FromDouble(NumberOrThrow("Currency"));
}

Variant Variant::ChangeType(TVarType target) const
{
    switch (target) {
    case varEmpty: return Variant();
    case varNull: return Null();
    case varSmallint: {
        int32_t v = AsInteger();
        if (v < INT16_MIN || v > INT16_MAX)
            throw EVariantError("Overflow while converting variant of type (%s) into type (Smallint)", AnsiString(TypeName()));
        return Variant(static_cast<int16_t>(v));
    }
    case varInteger: return Variant(AsInteger());
    case varInt64: return Variant(AsInt64());
    case varByte: {
        int32_t v = AsInteger();
        if (v < 0 || v > 255)
            throw EVariantError("Overflow while converting variant of type (%s) into type (Byte)", AnsiString(TypeName()));
        return Variant(static_cast<uint8_t>(v));
    }
    case varSingle: return Variant(static_cast<float>(AsFloat()));
    case varDouble: return Variant(AsFloat());
    case varCurrency: return Variant(AsCurrency());
    case varDate: return FromDate(AsDate());
    case varBoolean: return Variant(AsBoolean());
    case varString: return Variant(AsString());
    case varOleStr: return Variant(AsWideString());
    }
    throw EVariantError("Invalid variant type conversion");
}

bool Variant::Equals(const Variant& other) const
{
    if (type_ == varNull || other.type_ == varNull)
        return type_ == other.type_;
    if (type_ == varEmpty && other.type_ == varEmpty)
        return true;
    if (IsString() && other.IsString())
        return AsString() == other.AsString();
    // Same types compare their stored values; for two currencies that is the
    // exact scaled integer.
    if (type_ == other.type_)
        return value_ == other.value_;
    // Mixed types: a text against a number or empty compares as a number when
    // it reads as one, else both compare as text.
    auto textual = [](const Variant& v) { return v.IsString() || v.type_ == varEmpty; };
    if (textual(*this) && textual(other))
        return AsString() == other.AsString();
    try {
        return NumberOrThrow("Double") == other.NumberOrThrow("Double");
    } catch (const EVariantError&) {
        return AsString() == other.AsString();
    }
}

}  // namespace core
