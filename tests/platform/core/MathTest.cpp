#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "platform/core/Exception.h"
#include "platform/core/Math.h"

using namespace core;

TEST(Math, CheckFloatTurnsNonFiniteValuesIntoArithmeticErrors)
{
    EXPECT_EQ(CheckFloat(-2.5), -2.5);
    EXPECT_THROW(CheckFloat(std::numeric_limits<double>::quiet_NaN()), EInvalidOp);
    EXPECT_THROW(CheckFloat(HUGE_VAL), EOverflow);
    EXPECT_THROW(CheckFloat(-HUGE_VAL), EOverflow);
}

TEST(Math, TruncationIsTowardZeroWithinSixtyFourBits)
{
    EXPECT_EQ(Trunc(2.9), 2);
    EXPECT_EQ(Trunc(-2.9), -2);
    EXPECT_EQ(Trunc(-0x1p63), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(Trunc(0x1p63 - 1024), int64_t{0x7FFFFFFFFFFFFC00});
    EXPECT_THROW(Trunc(0x1p63), EInvalidOp);
    EXPECT_THROW(Trunc(-0x1p64), EInvalidOp);
    EXPECT_THROW(Trunc(std::numeric_limits<double>::quiet_NaN()), EInvalidOp);
    EXPECT_EQ(Int(-2.75), -2);
    EXPECT_EQ(Frac(-2.75), -0.75);
    EXPECT_EQ(Int(1e300), 1e300);  // no 64-bit limit on the float form
}

TEST(Math, CeilAndFloorGiveThirtyTwoBitIntegers)
{
    EXPECT_EQ(Ceil(1.2), 2);
    EXPECT_EQ(Ceil(-1.5), -1);
    EXPECT_EQ(Floor(-1.2), -2);
    EXPECT_EQ(Floor(3.0), 3);
    EXPECT_EQ(Floor(-2147483648.5 + 0.5), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(Ceil(2147483646.5), std::numeric_limits<int32_t>::max());
    EXPECT_THROW(Ceil(2147483647.5), EInvalidOp);  // 2^31 does not fit
    EXPECT_THROW(Floor(-2147483648.5), EInvalidOp);
}

TEST(Math, LogarithmsAndInverseTrigonometryRaiseOutsideTheirDomain)
{
    EXPECT_EQ(LnXP1(0), 0);
    EXPECT_DOUBLE_EQ(LnXP1(1e-20), 1e-20);  // exact where log(1 + x) would give 0
    EXPECT_DOUBLE_EQ(LnXP1(std::numbers::e - 1), 1);
    EXPECT_THROW(LnXP1(-1), EZeroDivide);
    EXPECT_THROW(LnXP1(-2), EInvalidOp);
    EXPECT_DOUBLE_EQ(ArcSin(1), std::numbers::pi / 2);
    EXPECT_DOUBLE_EQ(ArcCos(-1), std::numbers::pi);
    EXPECT_THROW(ArcSin(1.0000001), EInvalidOp);
    EXPECT_THROW(ArcCos(-2), EInvalidOp);
}

TEST(Math, AngleConversions)
{
    constexpr double pi = std::numbers::pi;
    EXPECT_DOUBLE_EQ(DegToRad(180), pi);
    EXPECT_DOUBLE_EQ(RadToDeg(pi / 2), 90);
    EXPECT_DOUBLE_EQ(GradToRad(100), pi / 2);
    EXPECT_DOUBLE_EQ(RadToGrad(pi), 200);
    EXPECT_DOUBLE_EQ(CycleToRad(0.25), pi / 2);
    EXPECT_DOUBLE_EQ(RadToCycle(pi), 0.5);
    EXPECT_DOUBLE_EQ(DegToRad(1e308), 1e308 * (pi / 180));  // no overflow in between
    EXPECT_THROW(RadToDeg(1e307), EOverflow);
}
