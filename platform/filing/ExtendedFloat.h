#pragma once

#include <cstdint>
#include <string_view>

namespace filing {

// The 10-byte x87 extended format and long double, for the converters,
// which carry extended values between text and binary without rounding them
// to double. ExtendedToLongDouble is exact for every finite encoding and
// returns false for infinities and NaNs; LongDoubleToExtended writes the
// canonical encoding of a finite value.
bool ExtendedToLongDouble(const uint8_t bytes[10], long double& value);
void LongDoubleToExtended(long double value, uint8_t bytes[10]);

// Reads a decimal number ("1.5", "-2.5E3") whatever the process locale,
// denormals included (which std::from_chars refuses for long double) and
// underflow giving zero. False when the text is no number or the value
// overflows.
bool ParseLongDouble(std::string_view text, long double& value);
// The same straight into a double or a float, rounded once: a value read as
// long double and then narrowed can be rounded twice and land one unit away
// from the number the text was printed from.
bool ParseDouble(std::string_view text, double& value);
bool ParseFloat(std::string_view text, float& value);

}  // namespace filing
