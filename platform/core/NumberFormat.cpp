#include "platform/core/NumberFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>
#include <algorithm>

#include "platform/core/Exception.h"

namespace core {

namespace {

// A finite value as decimal digits: value = 0.d1d2d3... * 10^exponent.
struct Decimal {
    bool negative = false;
    AnsiString digits;  // no leading zeros; empty for zero
    int exponent = 0;
};

Decimal ToDecimal(double value, int significant)
{
    Decimal d;
    d.negative = std::signbit(value);
    if (value == 0)
        return d;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", significant - 1, std::fabs(value));
    // buffer: "d.ddddde[+-]xx"
    const char* p = buffer;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            d.digits += *p;
    d.exponent = std::atoi(p + 1) + 1;
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

// Rounds half away from zero so that at most `decimals` digits remain after
// the decimal point (negative counts round to tens, hundreds...).
void RoundDecimals(Decimal& d, int decimals)
{
    int keep = d.exponent + decimals;
    if (keep >= static_cast<int>(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9')
            d.digits[i--] = '0';
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        } else {
            ++d.digits[i];
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
}

void RoundSignificant(Decimal& d, int significant)
{
    RoundDecimals(d, significant - d.exponent);
}

char DigitAt(const Decimal& d, int index)
{
    return index >= 0 && index < static_cast<int>(d.digits.size()) ? d.digits[index] : '0';
}

AnsiString IntegerPart(const Decimal& d, char thousands)
{
    AnsiString out;
    int count = std::max(d.exponent, 1);
    for (int i = 0; i < count; ++i) {
        if (thousands && i > 0 && (count - i) % 3 == 0)
            out += thousands;
        out += d.exponent > 0 ? DigitAt(d, i) : '0';
    }
    return out;
}

AnsiString FractionPart(const Decimal& d, int decimals)
{
    AnsiString out;
    for (int i = 0; i < decimals; ++i)
        out += DigitAt(d, d.exponent + i);
    return out;
}

AnsiString ExponentText(int exponent, int minDigits, bool forceSign)
{
    AnsiString digits = std::to_string(std::abs(exponent));
    if (static_cast<int>(digits.size()) < minDigits)
        digits.insert(0, minDigits - digits.size(), '0');
    if (exponent < 0)
        return "-" + digits;
    return forceSign ? "+" + digits : digits;
}

AnsiString SpecialValue(double value)
{
    if (std::isnan(value))
        return "NAN";
    return value < 0 ? "-INF" : "INF";
}

AnsiString GeneralText(Decimal d, int precision, int digits, const TFormatSettings& s)
{
    RoundSignificant(d, precision);
    if (d.digits.empty())
        return "0";
    AnsiString out = d.negative ? "-" : "";
    if (d.exponent < -3 || d.exponent > precision) {
        out += d.digits[0];
        if (d.digits.size() > 1)
            out += s.DecimalSeparator + d.digits.substr(1);
        return out + "E" + ExponentText(d.exponent - 1, digits, false);
    }
    out += IntegerPart(d, 0);
    int decimals = static_cast<int>(d.digits.size()) - d.exponent;
    if (decimals > 0)
        out += s.DecimalSeparator + FractionPart(d, decimals);
    return out;
}

}  // namespace

AnsiString IntToStr(int64_t value)
{
    return std::to_string(value);
}

AnsiString IntToHex(int64_t value, int digits)
{
    AnsiString out;
    uint64_t bits = static_cast<uint64_t>(value);
    do {
        out.insert(out.begin(), "0123456789ABCDEF"[bits & 15]);
        bits >>= 4;
    } while (bits != 0);
    if (static_cast<int>(out.size()) < digits)
        out.insert(0, digits - out.size(), '0');
    return out;
}

bool TryStrToInt64(const AnsiString& text, int64_t& value)
{
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        return false;
    uint64_t magnitude = 0;
    const uint64_t limit = base == 16 ? std::numeric_limits<uint64_t>::max()
                                      : static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + (negative ? 1 : 0);
    for (; i < text.size(); ++i) {
        int digit;
        char c = text[i];
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && (c | 0x20) >= 'a' && (c | 0x20) <= 'f')
            digit = (c | 0x20) - 'a' + 10;
        else
            return false;
        if (magnitude > (limit - digit) / base)
            return false;
        magnitude = magnitude * base + digit;
    }
    value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    return true;
}

bool TryStrToInt(const AnsiString& text, int& value)
{
    int64_t wide;
    if (!TryStrToInt64(text, wide))
        return false;
    // Hexadecimal text may name the bits of a negative 32-bit value.
    bool hex = text.find_first_of("$xX") != AnsiString::npos;
    if (hex && wide >= 0 && wide <= 0xFFFFFFFFLL)
        wide = static_cast<int32_t>(static_cast<uint32_t>(wide));
    if (wide < std::numeric_limits<int32_t>::min() || wide > std::numeric_limits<int32_t>::max())
        return false;
    value = static_cast<int>(wide);
    return true;
}

int StrToInt(const AnsiString& text)
{
    int value;
    if (!TryStrToInt(text, value))
        throw EConvertError("'%s' is not a valid integer value", text);
    return value;
}

int64_t StrToInt64(const AnsiString& text)
{
    int64_t value;
    if (!TryStrToInt64(text, value))
        throw EConvertError("'%s' is not a valid integer value", text);
    return value;
}

int StrToIntDef(const AnsiString& text, int fallback)
{
    int value;
    return TryStrToInt(text, value) ? value : fallback;
}

AnsiString FloatToStrF(double value, TFloatFormat format, int precision, int digits, const TFormatSettings& s)
{
    if (!std::isfinite(value))
        return SpecialValue(value);
    precision = std::clamp(precision, 1, 17);
    Decimal d = ToDecimal(value, precision > 15 ? 17 : 15);
    switch (format) {
    case ffGeneral:
        return GeneralText(d, precision, digits, s);
    case ffExponent: {
        RoundSignificant(d, precision);
        AnsiString out = d.negative && !d.digits.empty() ? "-" : "";
        out += DigitAt(d, 0);
        out += s.DecimalSeparator;
        for (int i = 1; i < precision; ++i)
            out += DigitAt(d, i);
        return out + "E" + ExponentText(d.digits.empty() ? 0 : d.exponent - 1, std::clamp(digits, 0, 4), true);
    }
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
        if (d.exponent > precision)
            return GeneralText(d, precision, 0, s);
        digits = std::clamp(digits, 0, 18);
        RoundDecimals(d, digits);
        AnsiString out = d.negative && !d.digits.empty() ? "-" : "";
        if (format == ffCurrency)
            out += s.CurrencyString;
        out += IntegerPart(d, format == ffFixed ? 0 : s.ThousandSeparator);
        if (digits > 0)
            out += s.DecimalSeparator + FractionPart(d, digits);
        return out;
    }
    }
    return AnsiString();
}

AnsiString FloatToStr(double value, const TFormatSettings& settings)
{
    return FloatToStrF(value, ffGeneral, 15, 0, settings);
}

namespace {

// One section of a FormatFloat pattern, analysed.
struct Pattern {
    AnsiString text;
    int integerZeros = 0;      // '0' placeholders from the first '0' to the point
    int decimalPlaces = 0;     // placeholders after the point
    int decimalZeros = 0;      // position of the last '0' after the point
    bool thousands = false;
    bool scientific = false;
    bool exponentSign = false;  // "E+" shows '+'
    int exponentDigits = 0;
};

std::vector<AnsiString> SplitSections(const AnsiString& format)
{
    std::vector<AnsiString> sections(1);
    char quote = 0;
    for (char c : format) {
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';') {
            sections.emplace_back();
            continue;
        }
        sections.back() += c;
    }
    return sections;
}

Pattern Analyse(const AnsiString& text)
{
    Pattern p;
    p.text = text;
    bool afterPoint = false;
    bool seenZero = false;
    int placesSeen = 0;
    char quote = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (quote) {
            if (c == quote)
                quote = 0;
            continue;
        }
        if (c == '\'' || c == '"') {
            quote = c;
        } else if ((c == 'E' || c == 'e') && i + 1 < text.size() && (text[i + 1] == '+' || text[i + 1] == '-') && !p.scientific) {
            p.scientific = true;
            p.exponentSign = text[i + 1] == '+';
            for (i += 2; i < text.size() && text[i] == '0'; ++i)
                ++p.exponentDigits;
            --i;
        } else if (p.scientific) {
            continue;
        } else if (c == '.') {
            afterPoint = true;
        } else if (c == ',') {
            p.thousands = true;
        } else if (c == '0' || c == '#') {
            if (afterPoint) {
                ++placesSeen;
                p.decimalPlaces = placesSeen;
                if (c == '0')
                    p.decimalZeros = placesSeen;
            } else {
                seenZero = seenZero || c == '0';
                if (seenZero)
                    ++p.integerZeros;
            }
        }
    }
    return p;
}

AnsiString Render(const Pattern& p, Decimal d, const TFormatSettings& s)
{
    int exponent = 0;
    if (p.scientific) {
        // The mantissa keeps its integer digits (at least one, so zero shows
        // as "0E0"); a rounding that carries into a new digit moves the
        // exponent instead, so 9.9996 is 1.000E+01 and not 10.000E+00.
        int integerDigits = std::max(p.integerZeros, 1);
        if (!d.digits.empty())
            exponent = d.exponent - integerDigits;
        d.exponent = integerDigits;
        RoundDecimals(d, p.decimalPlaces);
        if (d.exponent > integerDigits) {
            exponent += d.exponent - integerDigits;
            d.exponent = integerDigits;
        }
    } else {
        RoundDecimals(d, p.decimalPlaces);
    }
    AnsiString integer;
    if (d.exponent > 0 || p.integerZeros > 0) {
        AnsiString digits;
        for (int i = 0; i < d.exponent; ++i)
            digits += DigitAt(d, i);
        if (static_cast<int>(digits.size()) < p.integerZeros)
            digits.insert(0, p.integerZeros - digits.size(), '0');
        for (size_t i = 0; i < digits.size(); ++i) {
            if (p.thousands && s.ThousandSeparator && i > 0 && (digits.size() - i) % 3 == 0)
                integer += s.ThousandSeparator;
            integer += digits[i];
        }
    }
    AnsiString fraction = FractionPart(d, p.decimalPlaces);
    while (static_cast<int>(fraction.size()) > p.decimalZeros && fraction.back() == '0')
        fraction.pop_back();

    AnsiString out;
    bool integerDone = false;
    bool afterPoint = false;
    size_t fractionIndex = 0;
    char quote = 0;
    for (size_t i = 0; i < p.text.size(); ++i) {
        char c = p.text[i];
        if (quote) {
            if (c == quote)
                quote = 0;
            else
                out += c;
            continue;
        }
        if (c == '\'' || c == '"') {
            quote = c;
        } else if ((c == 'E' || c == 'e') && i + 1 < p.text.size() && (p.text[i + 1] == '+' || p.text[i + 1] == '-')) {
            if (!integerDone)
                out += integer, integerDone = true;
            out += c;
            out += ExponentText(exponent, p.exponentDigits, p.exponentSign);
            for (i += 2; i < p.text.size() && p.text[i] == '0'; ++i) {
            }
            --i;
        } else if (c == '.') {
            if (!integerDone)
                out += integer, integerDone = true;
            afterPoint = true;
            if (!fraction.empty())
                out += s.DecimalSeparator;
        } else if (c == ',') {
            continue;
        } else if (c == '0' || c == '#') {
            if (afterPoint) {
                if (fractionIndex < fraction.size())
                    out += fraction[fractionIndex];
                ++fractionIndex;
            } else if (!integerDone) {
                out += integer;
                integerDone = true;
            }
        } else {
            out += c;
        }
    }
    if (!integerDone)
        out = integer + out;
    return out;
}

}  // namespace

AnsiString FormatFloat(const AnsiString& format, double value, const TFormatSettings& s)
{
    if (!std::isfinite(value))
        return SpecialValue(value);
    std::vector<AnsiString> sections = SplitSections(format);
    if (format.empty())
        return FloatToStr(value, s);
    Decimal d = ToDecimal(value, 15);
    bool negative = d.negative;
    d.negative = false;

    Pattern positive = Analyse(sections[0]);
    Decimal rounded = d;
    RoundDecimals(rounded, positive.scientific ? 15 : positive.decimalPlaces);
    bool zero = rounded.digits.empty();

    if (zero && sections.size() >= 3 && !sections[2].empty())
        return Render(Analyse(sections[2]), d, s);
    if (negative && !zero && sections.size() >= 2 && !sections[1].empty())
        return Render(Analyse(sections[1]), d, s);
    // An empty positive section asks for the general format, as an empty
    // pattern does.
    if (sections[0].empty())
        return FloatToStr(value, s);
    AnsiString text = Render(positive, d, s);
    return negative && !zero ? "-" + text : text;
}

bool TryStrToFloat(const AnsiString& text, double& value, const TFormatSettings& s)
{
    size_t i = 0, end = text.size();
    while (i < end && text[i] == ' ')
        ++i;
    while (end > i && text[end - 1] == ' ')
        --end;
    AnsiString plain;
    if (i < end && (text[i] == '+' || text[i] == '-'))
        plain += text[i++];
    int digits = 0;
    bool point = false;
    for (; i < end; ++i) {
        char c = text[i];
        if (c >= '0' && c <= '9') {
            plain += c;
            ++digits;
        } else if (c == s.DecimalSeparator && !point) {
            plain += '.';
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return false;
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-'))
            plain += text[i++];
        int exponentDigits = 0;
        for (; i < end && text[i] >= '0' && text[i] <= '9'; ++i, ++exponentDigits)
            plain += text[i];
        if (exponentDigits == 0)
            return false;
    }
    if (i != end)
        return false;
    double parsed = std::strtod(plain.c_str(), nullptr);
    if (!std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

double StrToFloat(const AnsiString& text, const TFormatSettings& s)
{
    double value;
    if (!TryStrToFloat(text, value, s))
        throw EConvertError("'%s' is not a valid floating point value", text);
    return value;
}

double StrToFloatDef(const AnsiString& text, double fallback, const TFormatSettings& s)
{
    double value;
    return TryStrToFloat(text, value, s) ? value : fallback;
}

}  // namespace core
