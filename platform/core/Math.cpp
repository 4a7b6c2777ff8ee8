#include "platform/core/Math.h"

#include <cmath>
#include <numbers>

#include "platform/core/Exception.h"

namespace core {

namespace {

[[noreturn]] void InvalidOp()
{
    throw EInvalidOp("Invalid floating point operation");
}

// An integral value that must lie in [low, high); both bounds are powers of
// two, so they are exact doubles and the comparison also rejects a NaN.
double CheckedIntegral(double integral, double low, double high)
{
    if (!(integral >= low && integral < high))
        InvalidOp();
    return integral;
}

}  // namespace

double CheckFloat(double value)
{
    if (std::isnan(value))
        InvalidOp();
    if (std::isinf(value))
        throw EOverflow("Floating point overflow");
    return value;
}

int64_t Trunc(double value)
{
    return static_cast<int64_t>(CheckedIntegral(std::trunc(value), -0x1p63, 0x1p63));
}

double Int(double value)
{
    return std::trunc(value);
}

double Frac(double value)
{
    return value - std::trunc(value);
}

int32_t Ceil(double value)
{
    return static_cast<int32_t>(CheckedIntegral(std::ceil(value), -0x1p31, 0x1p31));
}

int32_t Floor(double value)
{
    return static_cast<int32_t>(CheckedIntegral(std::floor(value), -0x1p31, 0x1p31));
}

double LnXP1(double value)
{
    if (value == -1)
        throw EZeroDivide("Floating point division by zero");
    return CheckFloat(std::log1p(value));
}

double ArcSin(double value)
{
    return CheckFloat(std::asin(value));
}

double ArcCos(double value)
{
    return CheckFloat(std::acos(value));
}

// The factors are folded first so that only a result that is itself too
// large overflows.
double DegToRad(double degrees)
{
    return CheckFloat(degrees * (std::numbers::pi / 180));
}

double RadToDeg(double radians)
{
    return CheckFloat(radians * (180 / std::numbers::pi));
}

double GradToRad(double grads)
{
    return CheckFloat(grads * (std::numbers::pi / 200));
}

double RadToGrad(double radians)
{
    return CheckFloat(radians * (200 / std::numbers::pi));
}

double CycleToRad(double cycles)
{
    return CheckFloat(cycles * (2 * std::numbers::pi));
}

double RadToCycle(double radians)
{
    return CheckFloat(radians / (2 * std::numbers::pi));
}

}  // namespace core
