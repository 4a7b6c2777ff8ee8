#include "platform/filing/ExtendedFloat.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace filing {

// An exact conversion needs a long double with at least the 64-bit
// significand of the extended format (the x87 long double of x86 Linux).
static_assert(LDBL_MANT_DIG >= 64, "long double must hold an x87 extended value");

namespace {

constexpr int Bias = 16383;

}  // namespace

bool ExtendedToLongDouble(const uint8_t bytes[10], long double& value)
{
    uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i)
        mantissa = mantissa << 8 | bytes[i];
    int exponent = (bytes[9] & 0x7F) << 8 | bytes[8];
    bool negative = (bytes[9] & 0x80) != 0;
    if (exponent == 0x7FFF)
        return false;
    // The value is mantissa * 2^(exponent - bias - 63); a zero exponent
    // scales like 1 (denormals have no integer bit).
    value = std::ldexp(static_cast<long double>(mantissa), std::max(exponent, 1) - Bias - 63);
    if (negative)
        value = -value;
    return true;
}

void LongDoubleToExtended(long double value, uint8_t bytes[10])
{
    bool negative = std::signbit(value);
    long double magnitude = std::fabs(value);
    uint64_t mantissa = 0;
    int exponent = 0;
    if (magnitude != 0) {
        int e;
        long double fraction = std::frexp(magnitude, &e);  // in [0.5, 1)
        exponent = e - 1 + Bias;
        if (exponent >= 1) {
            mantissa = static_cast<uint64_t>(std::ldexp(fraction, 64));
        } else {
            // Below the normal range: shift the significand into a denormal.
            mantissa = static_cast<uint64_t>(std::ldexp(fraction, 64 + exponent - 1));
            exponent = 0;
        }
    }
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<uint8_t>(mantissa >> (8 * i));
    bytes[8] = static_cast<uint8_t>(exponent);
    bytes[9] = static_cast<uint8_t>((exponent >> 8) | (negative ? 0x80 : 0));
}

namespace {

// strtold_l, strtod_l or strtof_l over the whole text in the C locale.
template <typename T, typename Parse>
bool ParseWhole(std::string_view text, T& value, Parse parse)
{
    static const locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    std::string copy(text);
    char* end = nullptr;
    T parsed = parse(copy.c_str(), &end, classic);
    if (copy.empty() || end != copy.c_str() + copy.size() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

}  // namespace

bool ParseLongDouble(std::string_view text, long double& value)
{
    return ParseWhole(text, value, strtold_l);
}

bool ParseDouble(std::string_view text, double& value)
{
    return ParseWhole(text, value, strtod_l);
}

bool ParseFloat(std::string_view text, float& value)
{
    return ParseWhole(text, value, strtof_l);
}

}  // namespace filing
