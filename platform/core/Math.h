#pragma once

#include <cstdint>

namespace core {

// The floating-point helpers of the classic runtime. Where the classic
// runtime's processor would trap, these raise the platform's arithmetic
// exceptions instead of returning an infinity or a NaN: EInvalidOp for an
// operation without a value, EOverflow for a result too large for a double,
// EZeroDivide for a pole.

// Raises EInvalidOp for a NaN and EOverflow for an infinity; returns the value
// otherwise. Calculations that keep every value finite pass each result here.
double CheckFloat(double value);

// The integer part toward zero as a 64-bit integer; EInvalidOp outside its range.
int64_t Trunc(double value);
// The integer part toward zero and the rest, as doubles.
double Int(double value);
double Frac(double value);
// The smallest integer not below and the largest not above the value, as
// 32-bit integers; EInvalidOp when the result does not fit.
int32_t Ceil(double value);
int32_t Floor(double value);

// ln(1 + x), exact near 0; EZeroDivide at -1 and EInvalidOp below.
double LnXP1(double value);
// Inverse sine and cosine; EInvalidOp outside -1..1.
double ArcSin(double value);
double ArcCos(double value);

// Angle conversions between radians and degrees, grads and whole turns.
double DegToRad(double degrees);
double RadToDeg(double radians);
double GradToRad(double grads);
double RadToGrad(double radians);
double CycleToRad(double cycles);
double RadToCycle(double radians);

}  // namespace core
