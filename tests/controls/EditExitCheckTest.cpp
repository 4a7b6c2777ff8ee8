#include <gtest/gtest.h>

#include "controls/Calculator.h"
#include "controls/EditExitCheck.h"
#include "controls/EditHelpers.h"
#include "platform/core/Exception.h"
#include "platform/core/FormatSettings.h"

using namespace controls;

namespace {

// Puts the library's settings and the locale back after each test.
class EditExitCheckTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        QtyFormat = PriceFormat = TotalFormat = OtherFormat = "0.0000";
        DateDisplayFormat = "YYYY-MM-DD";
        core::FormatSettings() = core::TFormatSettings::ChineseDefaults();
        LedgerHook = nullptr;
    }
};

struct Case {
    const char* typed;
    TCheckFmt check;
    TFmtDec format;
    bool plus;
    const char* accepted;
};

}  // namespace

TEST_F(EditExitCheckTest, EachKindTurnsValidInvalidAndFormulaInputIntoItsValue)
{
    const Case cases[] = {
        // Plain text: trimmed, otherwise as typed.
        {"  abc \t", cfNone, fdNone, true, "abc"},
        {" \r\n ", cfNone, fdNone, true, ""},
        // Numbers: formulas are evaluated, text falls back to the digits it holds.
        {"2*3.5", cfDecimal, fdNone, true, "7"},
        {"12.50", cfDecimal, fdNone, true, "12.5"},
        {"1200*3+5", cfDecimal, fdNone, true, "3605"},
        {"sqrt(2)/2", cfDecimal, fdNone, true, "0.707106781186548"},
        {"abc", cfDecimal, fdNone, true, "0"},
        {"a1b2.5c", cfDecimal, fdNone, true, "12.5"},
        {"1/0", cfDecimal, fdNone, true, "10"},        // the calculator refuses; the digits remain
        {".", cfDecimal, fdNone, true, "0"},           // nothing readable at all
        {"2-5", cfDecimal, fdNone, true, "3"},         // PlusNumber
        {"2-5", cfDecimal, fdNone, false, "-3"},       // a formula keeps its sign
        {"-7x", cfDecimal, fdNone, false, "7"},        // read as digits, the sign goes
        {"1e400", cfDecimal, fdNone, true, "1400"},    // out of range for the calculator
        // The locale's thousands separators group digits; they do not end the number.
        {"1,234.5", cfDecimal, fdNone, true, "1234.5"},
        {"1,234,567*2", cfDecimal, fdNone, true, "2469134"},
        {"1,23", cfDecimal, fdNone, true, "1"},        // not a group of three: the calculator's comma
        // Patterns, then trailing zeros cut.
        {"0", cfDecimal, fdQty, true, ""},
        {"3-3", cfDecimal, fdQty, true, ""},
        {"12", cfDecimal, fdQty, true, "12"},
        {"12.25", cfDecimal, fdQty, true, "12.25"},
        {"12.123456", cfDecimal, fdQty, true, "12.1235"},
        {"12.5", cfDecimal, fdPrice, true, "12.5"},
        {"12", cfDecimal, fdTotal, true, "12"},
        {"0.00004", cfDecimal, fdOther, true, "0"},
        {"0", cfDecimal, fdPrice, true, ""},
        // Whole numbers: the digits before the point.
        {"1,234.99", cfNumber, fdNone, true, "1234"},
        {"abc", cfNumber, fdNone, true, "0"},
        {"-5", cfNumber, fdNone, false, "5"},
        {"99999999999", cfNumber, fdNone, true, "0"},
        {"2147483647", cfNumber, fdNone, true, "2147483647"},
        // Dates in the locale's short date format, written in DateDisplayFormat.
        {"2004-2-9", cfDate, fdNone, true, "2004-02-09"},
        {"2004/12/31", cfDate, fdNone, true, "2004-12-31"},
        {"2004-13-45", cfDate, fdNone, true, ""},
        {"2004-02-30", cfDate, fdNone, true, ""},
        {"2004-2-9", cfForceDate, fdNone, true, "2004-02-09"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "'" << c.typed << "' as " << c.check << "/" << c.format << " plus "
                                          << c.plus);
        EXPECT_EQ(CheckedText(c.typed, LabelledEditRules(c.check, c.format, c.plus)), c.accepted);
    }
}

TEST_F(EditExitCheckTest, NoDateGivesTodayOnlyWhenForced)
{
    EXPECT_EQ(CheckedText("2004-13-45", LabelledEditRules(cfForceDate, fdNone, true)), TodayText());
    EXPECT_EQ(CheckedText("tomorrow", LabelledEditRules(cfForceDate, fdNone, true)), TodayText());
    EXPECT_EQ(TodayText().size(), 10u);
    // The display pattern is read when used.
    DateDisplayFormat = "yyyy'年'm'月'd'日'";
    EXPECT_EQ(CheckedText("2004-2-9", LabelledEditRules(cfDate, fdNone, true)), "2004年2月9日");
}

TEST_F(EditExitCheckTest, ThePickEditReadsNumbersWithoutTheCalculatorAndKeepsItsZeros)
{
    const Case cases[] = {
        {"2*3.5", cfDecimal, fdNone, true, "23.5"},
        {"12.5", cfDecimal, fdPrice, true, "12.5000"},
        {"12.5", cfDecimal, fdQty, true, "12.5000"},
        {"12", cfDecimal, fdQty, true, "12"},
        {"1,234.5", cfDecimal, fdTotal, true, "1234.5000"},
        {"-5", cfNumber, fdNone, true, "5"},
        {" x ", cfNone, fdNone, true, "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(CheckedText(c.typed, PickEditRules(c.check, c.format, c.plus)), c.accepted);
    }
}

TEST_F(EditExitCheckTest, AnotherLocalesSeparatorsAreTakenOut)
{
    core::FormatSettings().ThousandSeparator = ' ';
    EXPECT_EQ(CheckedText("1 234.5", LabelledEditRules(cfDecimal, fdNone, true)), "1234.5");
    core::FormatSettings().ThousandSeparator = '\'';
    EXPECT_EQ(CheckedText("12'345'678", LabelledEditRules(cfDecimal, fdNone, true)), "12345678");
    // A comma that is no longer the locale's separator is the calculator's again.
    EXPECT_EQ(CheckedText("1,234.5", LabelledEditRules(cfDecimal, fdNone, true)), "1");
}

TEST_F(EditExitCheckTest, AnAccountingFormulaReachesItsHookThroughTheField)
{
    AnsiString seen;
    LedgerHook = [&](double& value, const AnsiString& arg, const AnsiString& kind) {
        seen = arg + "/" + kind;
        value = 1500;
        return true;
    };
    EXPECT_EQ(CheckedText("fb(A1) * 2", LabelledEditRules(cfDecimal, fdQty, true)), "3000");
    EXPECT_EQ(seen, "a1/FB");
    // The code-and-item functions keep the comma between their arguments.
    EXPECT_EQ(CheckedText("sy(101,本期借方累计)", LabelledEditRules(cfDecimal, fdNone, true)), "101");
}

TEST_F(EditExitCheckTest, NumberHelpers)
{
    EXPECT_EQ(FormatQty(0), "");
    EXPECT_EQ(FormatQty(12), "12");
    EXPECT_EQ(FormatQty(12.5), "12.5000");
    EXPECT_EQ(FormatQty(-3), "-3");
    EXPECT_EQ(FormatPrice(12), "12.0000");
    EXPECT_EQ(FormatTotal(0), "");
    QtyFormat = "0";
    EXPECT_EQ(FormatQty(12.4), "12") << "no point, nothing to cut";
    OtherFormat = "#,##0.00";
    EXPECT_EQ(FormatOther(1234.5), "1,234.50");

    struct {
        const char* text;
        const char* trimmed;
    } const trims[] = {{"12.5000", "12.5"}, {"12.000", "12"}, {"100", "100"}, {"0.0", "0"}, {".0", ""}, {"10.", "10"}};
    for (const auto& t : trims)
        EXPECT_EQ(TrimZeros(t.text), t.trimmed) << t.text;

    EXPECT_EQ(DigitsToInt("12a3.9"), 123);
    EXPECT_EQ(DigitsToInt("-5"), 5);
    EXPECT_EQ(DigitsToInt(".5"), 0);
    EXPECT_EQ(DigitsToInt(""), 0);
    EXPECT_EQ(DigitsToInt("2147483648"), 0);

    EXPECT_DOUBLE_EQ(ParseDecimal(" - 1 2.5.6", true), -12.56);
    EXPECT_DOUBLE_EQ(ParseDecimal("-12.5", false), 12.5);
    EXPECT_DOUBLE_EQ(ParseDecimal("x", true), 0);
    EXPECT_THROW(ParseDecimal("a.b", false), core::Exception);
    EXPECT_THROW(ParseDecimal("-", true), core::Exception);
    // The point is read whatever the locale's decimal separator.
    core::FormatSettings().DecimalSeparator = ',';
    EXPECT_DOUBLE_EQ(ParseDecimal("3.25", false), 3.25);
}

TEST_F(EditExitCheckTest, CutsKeepWholeCharacters)
{
    AnsiString text(254, 'a');
    text += "中文";  // bytes 254..257
    EXPECT_EQ(CutAtCharBoundary(text, 255).size(), 254u) << "the lead byte at 254 goes with its trail";
    EXPECT_EQ(CutAtCharBoundary(text, 256).size(), 256u);
    EXPECT_EQ(CutAtCharBoundary("abc", 255), "abc");
    // A trail byte that looks like a lead byte is told apart by scanning.
    AnsiString tricky = "\xB0\xB0\xB0\xB0";  // 啊啊
    EXPECT_EQ(CutAtCharBoundary(tricky, 3), "\xB0\xB0");
    EXPECT_EQ(CutAtCharBoundary(tricky, 2), "\xB0\xB0");

    EXPECT_EQ(RemoveThousandSeparators("1,234,567.25"), "1234567.25");
    EXPECT_EQ(RemoveThousandSeparators(",123"), ",123");
    EXPECT_EQ(RemoveThousandSeparators("1,2345"), "1,2345");
    EXPECT_EQ(RemoveThousandSeparators("sy(101,本期)"), "sy(101,本期)");
}
