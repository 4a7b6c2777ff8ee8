#include <gtest/gtest.h>

#include <string>

#include "grid/foundation/NumberText.h"

using namespace grid;
using core::AnsiString;

namespace {

core::TFormatSettings Settings(char thousands = ',', char decimal = '.')
{
    core::TFormatSettings s;
    s.ThousandSeparator = thousands;
    s.DecimalSeparator = decimal;
    return s;
}

struct StepCase {
    int caret;
    double step;
    AnsiString text;
    int start;
    int len;
};

}  // namespace

TEST(NumberText, InsertThousandsGroupsTheLeadingDigits)
{
    const std::pair<AnsiString, AnsiString> cases[] = {
        {"1234567.89", "1,234,567.89"}, {"-1234", "-1234"}, {"123", "123"}, {"1234", "1,234"},
        {"123456", "123,456"},          {"1234567", "1,234,567"}, {"", ""}, {"12345 pcs 6789", "12,345 pcs 6789"},
    };
    for (const auto& [text, expected] : cases) {
        AnsiString t = text;
        InsertThousands(t, Settings());
        EXPECT_EQ(t, expected) << text;
    }
    AnsiString dotted = "1234567,5";
    InsertThousands(dotted, Settings('.', ','));
    EXPECT_EQ(dotted, "1.234.567,5");
}

TEST(NumberText, StripThousandsOnlyForValidGrouping)
{
    struct Case {
        AnsiString text;
        bool found;
        AnsiString after;
    };
    const Case cases[] = {
        {"1,234,567.89", true, "1234567.89"},
        {"12,345", true, "12345"},
        {"-1,234", true, "-1234"},
        {"1,234.5,6", true, "1234.5,6"},  // only the leading number's separators
        {"1234", false, "1234"},
        {"1,23", false, "1,23"},
        {"12,3456", false, "12,3456"},
        {"1,234,56", false, "1,234,56"},
        {",123", false, ",123"},
        {"-,123", false, "-,123"},
        {"1,", false, "1,"},
        {"", false, ""},
    };
    for (const Case& c : cases) {
        AnsiString t = c.text;
        EXPECT_EQ(StripThousands(t, Settings()), c.found) << c.text;
        EXPECT_EQ(t, c.after) << c.text;
    }
}

TEST(NumberText, AddingUsesFifteenDigitFloatText)
{
    const core::TFormatSettings s = Settings();
    EXPECT_EQ(AddToNumberText("1.1", 0.1, s), "1.2");
    EXPECT_EQ(AddToNumberText("0.3", -0.1, s), "0.2");
    EXPECT_EQ(AddToNumberText("", 2.5, s), "2.5");
    EXPECT_EQ(AddToNumberText("9,999", 1, s), "10,000");
    EXPECT_EQ(AddToNumberText("9999", 1, s), "10000");  // no grouping unless it had one
    EXPECT_EQ(AddToNumberText("1,23", 1, s), "1,23");    // not a number: unchanged
    EXPECT_EQ(AddToNumberText("abc", 1, s), "abc");
    EXPECT_EQ(AddToNumberText("-5", 1, s), "-4");
    EXPECT_TRUE(IsNumberText("1,234.5", s));
    EXPECT_TRUE(IsNumberText("-7", s));
    EXPECT_FALSE(IsNumberText(".", s));
    EXPECT_FALSE(IsNumberText("1-2", s));
    EXPECT_FALSE(IsNumberText("", s));
}

TEST(NumberText, StepsTheNumberUnderTheCaretKeepingDecimalsAndGrouping)
{
    const AnsiString text = "Qty 1,234.50 pcs";
    const StepCase cases[] = {
        {4, 1, "Qty 1,235.50 pcs", 5, 8},   // just before the number
        {5, 1, "Qty 1,235.50 pcs", 5, 8},   // after its first digit
        {9, 1, "Qty 1,235.50 pcs", 5, 8},   // before the decimal separator
        {12, 1, "Qty 1,235.50 pcs", 5, 8},  // just after it
        {12, -1, "Qty 1,233.50 pcs", 5, 8},
        {12, 0.5, "Qty 1,235.00 pcs", 5, 8},
        {12, 8765.5, "Qty 10,000.00 pcs", 5, 9},
        {0, 1, text, 1, 0},                 // before "Qty": no number
        {13, 1, text, 14, 0},               // after the blank behind it
        {99, 1, text, 17, 0},               // the caret is clamped to the end
    };
    for (const StepCase& c : cases) {
        int start = -1, len = -1;
        EXPECT_EQ(StepNumberAt(text, c.caret, start, len, c.step, Settings()), c.text) << "caret " << c.caret;
        EXPECT_EQ(start, c.start) << "caret " << c.caret;
        EXPECT_EQ(len, c.len) << "caret " << c.caret;
    }
}

TEST(NumberText, NumberAtFallsBackToTheDigitsAroundTheCaret)
{
    struct Case {
        AnsiString text;
        int caret;
        bool found;
        int start;
        int len;
    };
    const Case cases[] = {
        {"3-2", 2, true, 3, 1},    // "3-2" is no number; the "-" belongs to the 3
        {"3-2", 1, true, 1, 1},
        {"x-2", 2, true, 2, 2},    // "-2" reads as a number
        {"1.2.3", 3, true, 3, 1},  // "1.2.3" does not; the 2 alone does
        {"a+7b", 3, true, 2, 2},
        {"abc", 1, false, 2, 0},
        {"", 0, false, 1, 0},
        {"12", -4, true, 1, 2},    // the caret is clamped to the start
        // A digit byte that is the second half of a double-byte character
        // belongs to no number.
        {AnsiString("\x81") + "57", 3, true, 3, 1},
        {AnsiString("\x81") + "5", 2, false, 3, 0},
    };
    for (const Case& c : cases) {
        int start = -1, len = -1;
        EXPECT_EQ(NumberAt(c.text, c.caret, start, len, Settings()), c.found) << c.text << " @" << c.caret;
        EXPECT_EQ(start, c.start) << c.text << " @" << c.caret;
        EXPECT_EQ(len, c.len) << c.text << " @" << c.caret;
    }
}

TEST(NumberText, RunsStopAtTheTextsEndsAndAtOtherCharacters)
{
    const core::TFormatSettings s = Settings();
    EXPECT_EQ(DigitRunEnd("a123b", 2, 1), 5);
    EXPECT_EQ(DigitRunEnd("a123b", 4, -1), 1);
    EXPECT_EQ(DigitRunEnd("123", 1, -1), 0);
    EXPECT_EQ(DigitRunEnd("123", 3, 1), 4);
    EXPECT_EQ(DigitRunEnd("123", 2, 0), 2);
    EXPECT_EQ(DigitRunEnd("123", 9, -1), 9);
    EXPECT_EQ(NumberRunEnd("x-1,234.5y", 2, 1, s), 10);
    EXPECT_EQ(NumberRunEnd("x-1,234.5y", 9, -1, s), 1);
}

TEST(NumberText, KeepWidthPadsBeforeTheDecimalSeparator)
{
    const std::pair<AnsiString, AnsiString> decimals[] = {
        {"1.50", "2"}, {"1.50", "2.5"}, {"1.5", "2.25"}, {"7", "8.5"}, {"1.50", "INF"},
    };
    const AnsiString kept[] = {"2.00", "2.50", "2.25", "8.5", "INF"};
    for (size_t i = 0; i < std::size(decimals); ++i)
        EXPECT_EQ(KeepDecimals(decimals[i].first, decimals[i].second, Settings()), kept[i]) << i;

    struct Case {
        AnsiString oldText, newText, expected;
    };
    const Case cases[] = {
        {"007", "8", "008"},
        {"0,100", "101", "0,101"},   // a separator where the old text had one
        {"10", "9", "09"},
        {"-05", "-4", "-04"},        // padding goes after the sign
        {"005.50", "6", "006.00"},
        {"5", "12", "12"},           // never shortened
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeepWidth(c.oldText, c.newText, Settings()), c.expected) << c.oldText << " " << c.newText;
}
