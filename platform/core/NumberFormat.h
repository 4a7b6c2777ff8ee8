#pragma once

#include <cstdint>

#include "platform/core/Forward.h"
#include "platform/core/FormatSettings.h"

namespace core {

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

AnsiString IntToStr(int64_t value);
AnsiString IntToHex(int64_t value, int digits);
// Accepts optional blanks, a sign, decimal digits or a '$'/"0x" hexadecimal
// number; anything else raises EConvertError ("'%s' is not a valid integer value").
int StrToInt(const AnsiString& text);
int64_t StrToInt64(const AnsiString& text);
bool TryStrToInt(const AnsiString& text, int& value);
bool TryStrToInt64(const AnsiString& text, int64_t& value);
int StrToIntDef(const AnsiString& text, int fallback);

// Float to text. Values are first taken to 15 significant digits (what a
// double holds as text), then rounded half away from zero at the requested
// place, so 2.675 shows as 2.68 with two decimals.
AnsiString FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                       const TFormatSettings& settings = FormatSettings());
// General format with 15 significant digits.
AnsiString FloatToStr(double value, const TFormatSettings& settings = FormatSettings());
// Patterns of "0", "#", ".", ",", "E+", quoted literals and up to three
// ';'-separated sections (positive; negative; zero).
AnsiString FormatFloat(const AnsiString& format, double value, const TFormatSettings& settings = FormatSettings());

// Text to float with the locale's decimal separator: blanks around, a sign,
// digits with at most one separator, an optional exponent. A lone separator,
// thousands separators or trailing text fail.
double StrToFloat(const AnsiString& text, const TFormatSettings& settings = FormatSettings());
bool TryStrToFloat(const AnsiString& text, double& value, const TFormatSettings& settings = FormatSettings());
double StrToFloatDef(const AnsiString& text, double fallback, const TFormatSettings& settings = FormatSettings());

}  // namespace core
