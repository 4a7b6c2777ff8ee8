#include <gtest/gtest.h>

#include <cmath>

#include "platform/core/Exception.h"
#include "platform/core/Format.h"
#include "platform/core/NumberFormat.h"

using namespace core;

namespace {

// Settings where a comma is the decimal separator and a point groups thousands.
TFormatSettings CommaDecimal()
{
    TFormatSettings s;
    s.DecimalSeparator = ',';
    s.ThousandSeparator = '.';
    return s;
}

struct FloatCase {
    double value;
    const char* text;
};

struct PatternCase {
    const char* pattern;
    double value;
    const char* text;
};

}  // namespace

TEST(FloatToStr, ShowsFifteenSignificantDigitsAndSwitchesToExponents)
{
    const FloatCase cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {1, "1"},
        {-1.5, "-1.5"},
        {0.1, "0.1"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {-2.0 / 3, "-0.666666666666667"},
        {1.23456789012345678, "1.23456789012346"},
        {123456789012345.6, "123456789012346"},
        {1e14, "100000000000000"},
        {1e15, "1E15"},
        {1e20, "1E20"},
        {-1e20, "-1E20"},
        {1.5e300, "1.5E300"},
        {0.0001, "0.0001"},
        {0.00012345, "0.00012345"},
        {1e-5, "1E-5"},
        {1.5e-5, "1.5E-5"},
        {-2.5e-10, "-2.5E-10"},
        {999999999999999.9, "1E15"},
    };
    for (const FloatCase& c : cases)
        EXPECT_EQ(FloatToStr(c.value), c.text) << c.value;
}

TEST(FloatToStr, UsesTheDecimalSeparatorOfTheSettings)
{
    EXPECT_EQ(FloatToStr(1234.5, CommaDecimal()), "1234,5");
    EXPECT_EQ(FloatToStr(1.25e-7, CommaDecimal()), "1,25E-7");
}

TEST(FormatFloat, FollowsThePatternPlaceholders)
{
    // The first rows are the classic documentation's table of 1234, -1234,
    // 0.5 and 0 under each pattern.
    const PatternCase cases[] = {
        {"", 1234, "1234"},
        {"", -1234, "-1234"},
        {"", 0.5, "0.5"},
        {"", 0, "0"},
        {"0", 1234, "1234"},
        {"0", -1234, "-1234"},
        {"0", 0.5, "1"},
        {"0", 0, "0"},
        {"0.00", 1234, "1234.00"},
        {"0.00", -1234, "-1234.00"},
        {"0.00", 0.5, "0.50"},
        {"0.00", 0, "0.00"},
        {"#.##", 1234, "1234"},
        {"#.##", -1234, "-1234"},
        {"#.##", 0.5, ".5"},
        {"#.##", 0, ""},
        {"#,##0.00", 1234, "1,234.00"},
        {"#,##0.00", -1234, "-1,234.00"},
        {"#,##0.00", 0.5, "0.50"},
        {"#,##0.00", 0, "0.00"},
        {"#,##0.00;(#,##0.00)", 1234, "1,234.00"},
        {"#,##0.00;(#,##0.00)", -1234, "(1,234.00)"},
        {"#,##0.00;(#,##0.00)", 0.5, "0.50"},
        {"#,##0.00;(#,##0.00)", 0, "0.00"},
        {"#,##0.00;;Zero", 1234, "1,234.00"},
        {"#,##0.00;;Zero", -1234, "-1,234.00"},
        {"#,##0.00;;Zero", 0.5, "0.50"},
        {"#,##0.00;;Zero", 0, "Zero"},
        {"0.000E+00", 1234, "1.234E+03"},
        {"0.000E+00", -1234, "-1.234E+03"},
        {"0.000E+00", 0.5, "5.000E-01"},
        {"0.000E+00", 0, "0.000E+00"},
        {"#.###E-0", 1234, "1.234E3"},
        {"#.###E-0", -1234, "-1.234E3"},
        {"#.###E-0", 0.5, "5E-1"},
        {"#.###E-0", 0, "0E0"},
        // A rounding that carries moves the exponent, not the point.
        {"0.000E+00", 9.9996, "1.000E+01"},
        {"0.0E+0", -99.96, "-1.0E+2"},
        {"0.00E-00", 0.00012345, "1.23E-04"},
        // Grouping, padding and literals.
        {"#,##0.00", 1234567.891, "1,234,567.89"},
        {"#,##0.00", -1234567.891, "-1,234,567.89"},
        {"#,##0", 999.5, "1,000"},
        {"#,##0", 123, "123"},
        {"000", 7, "007"},
        {"0.0###", 1.5, "1.5"},
        {"0.0###", 1.23456, "1.2346"},
        {"0", 1e20, "100000000000000000000"},
        {"0.0 'kg'", 2.25, "2.3 kg"},
        {"\"$\"0.00", 3, "$3.00"},
        {"0.00%", 12.5, "12.50%"},
        {"0.00;neg 0.00", -3.456, "neg 3.46"},
    };
    for (const PatternCase& c : cases)
        EXPECT_EQ(FormatFloat(c.pattern, c.value), c.text) << '"' << c.pattern << "\" of " << c.value;
}

TEST(FormatFloat, AnEmptyPositiveSectionShowsTheGeneralFormat)
{
    // An empty positive section formats as FloatToStr does, also where it
    // stands in for an empty negative or zero section.
    struct Case {
        const char* pattern;
        double value;
        const char* text;
    } cases[] = {
        {";;", 1.5, "1.5"},
        {";;", -1.25, "-1.25"},
        {";;", 0, "0"},
        {";(0.0)", 2.25, "2.25"},
        {";(0.0)", -2.25, "(2.3)"},
        {";;zero", 0, "zero"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFloat(c.pattern, c.value), c.text) << '"' << c.pattern << "\" of " << c.value;
}

TEST(FormatFloat, RoundsHalvesAwayFromZero)
{
    const PatternCase cases[] = {
        // 2.675 and 1.005 lie a hair below the half as doubles; taken to 15
        // significant digits they are halves and round up.
        {"0.00", 2.675, "2.68"},
        {"0.00", 1.005, "1.01"},
        {"0.00", 0.125, "0.13"},
        {"0.00", -0.125, "-0.13"},
        {"0", 0.5, "1"},
        {"0", 1.5, "2"},
        {"0", 2.5, "3"},
        {"0", -0.5, "-1"},
        {"0", -2.5, "-3"},
        {"0.0", 9.95, "10.0"},
        {"0.00", 0.004, "0.00"},
        // A negative value that rounds to zero shows no sign.
        {"0.00", -0.001, "0.00"},
        {"0.00;(0.00);zero", -0.001, "zero"},
    };
    for (const PatternCase& c : cases)
        EXPECT_EQ(FormatFloat(c.pattern, c.value), c.text) << '"' << c.pattern << "\" of " << c.value;
}

TEST(FormatFloat, UsesTheSeparatorsOfTheSettings)
{
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891, CommaDecimal()), "1.234.567,89");
    EXPECT_EQ(FormatFloat("0.000", -0.5, CommaDecimal()), "-0,500");
    TFormatSettings blankGroups;
    blankGroups.ThousandSeparator = ' ';
    EXPECT_EQ(FormatFloat("#,##0", 1234567, blankGroups), "1 234 567");
}

TEST(StrToFloat, AcceptsBlanksSignsExponentsAndTheLocaleSeparator)
{
    const FloatCase cases[] = {
        {0, "0"},
        {12.5, " 12.5 "},
        {-0.5, "-0.5"},
        {3, "+3"},
        {0.5, ".5"},
        {5, "5."},
        {1000, "1e3"},
        {1000, "1E+3"},
        {0.001, "1e-3"},
        {-2.5e-7, "-2.5E-7"},
        {123456.789, "123456.789"},
    };
    for (const FloatCase& c : cases) {
        double value = -1;
        EXPECT_TRUE(TryStrToFloat(c.text, value)) << c.text;
        EXPECT_DOUBLE_EQ(value, c.value) << c.text;
        EXPECT_DOUBLE_EQ(StrToFloat(c.text), c.value) << c.text;
    }
    EXPECT_DOUBLE_EQ(StrToFloat("1,5", CommaDecimal()), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloat(" -0,25 ", CommaDecimal()), -0.25);
}

TEST(StrToFloat, RejectsMalformedText)
{
    const char* cases[] = {"", " ", ".", "-", "+.", "-.", "e3", ".e3", "1e", "1e+", "1.2.3", "1 2", "12a",
                           "1,000", "abc", "--1", "0x10", "1e400"};
    for (const char* text : cases) {
        double value = 42;
        EXPECT_FALSE(TryStrToFloat(text, value)) << '"' << text << '"';
        EXPECT_EQ(value, 42) << "a failed parse must leave the value alone: " << text;
    }
    double value;
    EXPECT_FALSE(TryStrToFloat("1.5", value, CommaDecimal()));
    EXPECT_FALSE(TryStrToFloat(",", value, CommaDecimal()));
    EXPECT_DOUBLE_EQ(StrToFloatDef(".", 7.5), 7.5);
    try {
        StrToFloat(".");
        FAIL() << "a lone separator must not parse";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'.' is not a valid floating point value");
    }
}

TEST(StrToFloat, ReadsBackWhatFloatToStrWrites)
{
    const double values[] = {0.1, -123.456, 1e20, 1.5e-5, 2.0 / 3, 123456789012345.0};
    for (double value : values) {
        double back = StrToFloat(FloatToStr(value));
        EXPECT_NEAR(back, value, std::fabs(value) * 1e-14) << value;
        EXPECT_NEAR(StrToFloat(FloatToStr(value, CommaDecimal()), CommaDecimal()), value, std::fabs(value) * 1e-14);
    }
}

TEST(StrToInt, ReadsDecimalAndHexadecimalText)
{
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {
        {"0", 0},
        {"123", 123},
        {"-17", -17},
        {"+8", 8},
        {"  42", 42},
        {"007", 7},
        {"$1F", 31},
        {"$1f", 31},
        {"0x1F", 31},
        {"-$10", -16},
        {"$7FFFFFFF", 2147483647},
        {"$FFFFFFFF", -1},
        {"$80000000", -2147483647 - 1},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
        int value = 0;
        EXPECT_TRUE(TryStrToInt(c.text, value)) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
}

TEST(StrToInt, RejectsMalformedAndOverflowingText)
{
    const char* cases[] = {"", " ", "-", "+", "$", "0x", "12a", "1.5", "1e3", "42 ", "1 2", "--1", "$G",
                           "2147483648", "-2147483649", "$100000000", "99999999999999999999"};
    for (const char* text : cases) {
        int value = 5;
        EXPECT_FALSE(TryStrToInt(text, value)) << '"' << text << '"';
        EXPECT_EQ(value, 5) << text;
        EXPECT_EQ(StrToIntDef(text, -9), -9) << text;
    }
    try {
        StrToInt("2147483648");
        FAIL() << "an overflowing integer must not parse";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'2147483648' is not a valid integer value");
    }
    EXPECT_EQ(StrToInt64("2147483648"), 2147483648LL);
    EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
    int64_t wide;
    EXPECT_FALSE(TryStrToInt64("9223372036854775808", wide));
}

TEST(IntToStr, WritesDecimalAndPaddedHexadecimal)
{
    EXPECT_EQ(IntToStr(-9223372036854775807LL - 1), "-9223372036854775808");
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(0x12345, 2), "12345");
}

TEST(Format, FillsDirectivesFromTheArguments)
{
    EXPECT_EQ(Format("%d", 42), "42");
    EXPECT_EQ(Format("%d", -7), "-7");
    EXPECT_EQ(Format("%s", AnsiString("宋体")), "宋体");
    EXPECT_EQ(Format("%s=%d", "Rows", 3), "Rows=3");
    EXPECT_EQ(Format("%x", 255), "FF");
    EXPECT_EQ(Format("%X", 255), "FF");
    EXPECT_EQ(Format("%.5x", 12), "0000C");
    EXPECT_EQ(Format("%x", -1), "FFFFFFFF");
    EXPECT_EQ(Format("100%%"), "100%");
    EXPECT_EQ(Format("%d%%", 50), "50%");
    EXPECT_EQ(Format("[%5d]", 42), "[   42]");
    EXPECT_EQ(Format("[%-5d]", 42), "[42   ]");
    EXPECT_EQ(Format("[%-5s]", "ab"), "[ab   ]");
    EXPECT_EQ(Format("[%5s]", "ab"), "[   ab]");
    EXPECT_EQ(Format("[%2s]", "abcd"), "[abcd]");
    EXPECT_EQ(Format("%.3d", 7), "007");
    EXPECT_EQ(Format("%.2s", "abcd"), "ab");
    EXPECT_EQ(Format("%*d", 4, 7), "   7");
    EXPECT_EQ(Format("%.2f", 3.14159), "3.14");
    EXPECT_EQ(Format("%.2f", -3.14159), "-3.14");
    EXPECT_EQ(Format("%.0f", 2.5), "3");
    EXPECT_EQ(Format("%f", 12.0), "12.00");
    EXPECT_EQ(Format("%8.3f", 1.5), "   1.500");
    EXPECT_EQ(Format("%n", 1234567.5), "1,234,567.50");
    EXPECT_EQ(Format("%g", 0.5), "0.5");
    EXPECT_EQ(Format("%.2g", 123456789.0), "1.2E008");
    // The precision of %e counts every digit of the mantissa.
    EXPECT_EQ(Format("%.3e", 1234.5), "1.23E+003");
    EXPECT_EQ(Format("%e", 1234.5), "1.23450000000000E+003");
    EXPECT_EQ(Format("%D and %S", 1, "x"), "1 and x");
}

TEST(Format, RaisesOnBadDirectives)
{
    const auto bad = {
        +[] { return Format("%z", 1); },
        +[] { return Format("%d", "text"); },
        +[] { return Format("%s", 5); },
        +[] { return Format("%f", "text"); },
        +[] { return Format("%d"); },
        +[] { return Format("%d %d", 1); },
        +[] { return Format("50%", 1); },
        +[] { return Format("%-", 1); },
        +[] { return Format("%5", 1); },
    };
    for (auto call : bad)
        EXPECT_THROW(call(), EConvertError);
    try {
        Format("%z", 1);
        FAIL() << "an unknown directive must raise";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Format '%z' invalid or incompatible with argument");
    }
}

TEST(Format, RefusesAbsurdWidthsAndPrecisions)
{
    for (const char* format : {"%2147483647d", "%.99999999999d", "%99999999999999999999s"})
        EXPECT_THROW(Format(format, 1), EConvertError) << format;
    EXPECT_THROW(Format("%*d", 1 << 20, 1), EConvertError);
    EXPECT_EQ(Format("%*d", 4, 7), "   7");
}
