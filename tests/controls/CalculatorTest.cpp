#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>
#include <vector>

#include "controls/Calculator.h"

using namespace controls;
using core::AnsiString;

namespace {

constexpr double pi = std::numbers::pi;

const AnsiString Syntax = "语法错误，请检查";
const AnsiString DivideByZero = "除数不能为零。";
const AnsiString NegativeRoot = "负数不能求根";
const AnsiString ZeroLog = "零不能求对数";

AnsiString Invalid(const AnsiString& name)
{
    return "公式无效： \"" + name + "\".";
}

AnsiString SyntaxWithHint(const AnsiString& hint)
{
    return Syntax + "\r\n" + hint;
}

// What one evaluation did: a value, a calculator message, or one of the
// platform's arithmetic errors (named by class).
struct Outcome {
    enum Kind { kValue, kMessage, kDivByZero, kInvalidOp, kOverflow, kZeroDivide, kNoFormula } kind;
    double value = 0;
    AnsiString message;
};

Outcome Gives(double value) { return {Outcome::kValue, value, {}}; }
Outcome Says(const AnsiString& message) { return {Outcome::kMessage, 0, message}; }
Outcome Raises(Outcome::Kind kind) { return {kind, 0, {}}; }

std::ostream& operator<<(std::ostream& out, const Outcome& o)
{
    static const char* const names[] = {"value", "message", "EDivByZero", "EInvalidOp", "EOverflow", "EZeroDivide", "no formula"};
    out << names[o.kind];
    if (o.kind == Outcome::kValue)
        out << " " << o.value;
    if (o.kind == Outcome::kMessage)
        out << " (" << o.message.size() << " bytes)";
    return out;
}

Outcome Evaluate(std::string_view formula)
{
    double value = -99;
    try {
        if (!Calculate(formula, value))
            return {Outcome::kNoFormula, value, {}};
        return Gives(value);
    } catch (const ECalculate& e) {
        return Says(e.Message());
    } catch (const core::EDivByZero&) {
        return Raises(Outcome::kDivByZero);
    } catch (const core::EInvalidOp&) {
        return Raises(Outcome::kInvalidOp);
    } catch (const core::EOverflow&) {
        return Raises(Outcome::kOverflow);
    } catch (const core::EZeroDivide&) {
        return Raises(Outcome::kZeroDivide);
    }
}

void ExpectOutcome(const char* formula, const Outcome& expected)
{
    SCOPED_TRACE(formula);
    Outcome actual = Evaluate(formula);
    ASSERT_EQ(actual.kind, expected.kind) << actual;
    if (expected.kind == Outcome::kValue) {
        EXPECT_DOUBLE_EQ(actual.value, expected.value);
    } else if (expected.kind == Outcome::kMessage) {
        EXPECT_EQ(actual.message, expected.message);
    }
}

struct Case {
    const char* formula;
    Outcome expected;
};

// Every formula without hooks: the documented edge cases first, then the
// rest of the lexer, grammar and functions.
const std::vector<Case> Cases = {
    // Precedence, power and its one-"**" rule.
    {"1 + 2 * 3", Gives(7)},
    {"(1+2)*3", Gives(9)},
    {"2**3", Gives(8)},
    {"-2**2", Gives(-4)},
    {"2**-1", Says(Syntax)},
    {"2**(-1)", Gives(0.5)},
    {"2**3**2", Says(Syntax)},
    {"(2**3)**2", Gives(64)},
    {"2**0.5", Gives(std::sqrt(2.0))},
    {"(-2)**2", Raises(Outcome::kInvalidOp)},  // the base goes through a logarithm
    {"0**2", Gives(0)},
    {"0**0", Gives(1)},
    {"0**(-1)", Raises(Outcome::kZeroDivide)},
    {"10**400", Raises(Outcome::kOverflow)},
    // Multiplicative operators.
    {"7 % 5", Gives(2)},
    {"-1 % 5", Gives(4)},
    {"-7 % 5", Gives(-2)},
    {"7 % -5", Gives(2)},
    {"7.9 % 5.9", Gives(2)},
    {"7 % 0", Raises(Outcome::kDivByZero)},
    {"7 % 0.5", Raises(Outcome::kDivByZero)},
    {"-9223372036854775808 % -1", Gives(0)},
    {"9223372036854774784 % 9223372036854774784", Gives(0)},  // the sum needs 65 bits
    {"50 %% 8", Gives(4)},
    {"2*3%%50", Gives(3)},
    {"10/4", Gives(2.5)},
    {"64/4/2", Gives(8)},
    {"1/0", Says(DivideByZero)},
    {"1/(2-2)", Says(DivideByZero)},
    {"1.0e300*1.0e300", Raises(Outcome::kOverflow)},
    {"1.0e-300/1.0e300", Gives(0)},  // underflow is not an error
    // Additive, relational and bitwise levels.
    {"10-4-3", Gives(3)},
    {"1 < 2 < 3", Gives(1)},
    {"3 < 2 < 1", Gives(1)},
    {"3 == 3", Gives(1)},
    {"3 <> 3", Gives(0)},
    {"3 != 3", Gives(0)},
    {"3 >< 4", Gives(1)},
    {"2<=2", Gives(1)},
    {"3>=4", Gives(0)},
    {"3>2", Gives(1)},
    {"1+2<4", Gives(1)},
    {"6 | 3", Gives(7)},
    {"6 ^ 3", Gives(5)},
    {"6 & 3", Gives(2)},
    {"8|3&6", Gives(2)},  // one level, left to right
    {"3|1<2", Gives(3)},
    {"6.9&3.9", Gives(2)},
    {"1.0e19|1", Raises(Outcome::kInvalidOp)},
    {"3 = 3", Says(Syntax)},
    // Unary operators.
    {"!0", Gives(1)},
    {"!1", Gives(0)},
    {"!2", Gives(1)},
    {"!257", Gives(0)},  // only the lowest byte counts
    {"~0", Gives(-1)},
    {"~1.9", Gives(-2)},
    {"--3", Gives(3)},
    {"+-+3", Gives(-3)},
    {"-(3)", Gives(-3)},
    // Numbers in every base and form.
    {"0x1F", Gives(31)},
    {"$1F", Gives(31)},
    {"1Fh", Gives(31)},
    {"12h", Gives(18)},
    {"0ah", Gives(10)},
    {"0b101", Gives(5)},
    {"0x", Gives(0)},
    {"0b", Gives(0)},
    {"0xffffffffffffffff", Gives(18446744073709551615.0)},
    {"0x1g", Says(Syntax)},
    {"0xh", Says(Syntax)},
    {"$1g", Says(Syntax)},
    {"$g", Says(Syntax)},
    {"0b102", Says(Syntax)},
    {"0b1h", Says(Syntax)},
    {"1.5e3", Gives(1500)},
    {"2.5e-1", Gives(0.25)},
    {"2.5e+1", Gives(25)},
    {"0.1+0.2", Gives(0.1 + 0.2)},
    {"15e3", Says(Syntax)},
    {"1fg", Says(Syntax)},
    {"1.5e", Says(Syntax)},
    {"1.5e-", Says(Syntax)},
    {"1.", Says(Syntax)},
    {".5", Says(Syntax)},
    {"12x", Says(Syntax)},
    {"1.0e999", Raises(Outcome::kOverflow)},
    {"1.0e-999", Gives(0)},
    {"0.00001e-320", Gives(0)},
    {"1 2", Gives(12)},  // spaces go before anything is read
    // Degrees, minutes and seconds.
    {"90`", Gives(pi / 2)},
    {"180`30", Gives(pi + pi / 360)},
    {"450`", Gives(pi / 2)},
    {"1`2`3", Gives((1 + 2 / 60.0 + 3 / 3600.0) * pi / 180)},
    {"360`", Gives(0)},
    {"8280`", Gives(0)},  // 23 whole turns
    {"-8280`", Gives(0)},
    {"90``", Gives(pi / 2)},
    {"90`30`", Gives(pi / 2 + pi / 360)},
    {"90`x", Says(Syntax)},
    {"sin(30`)", Gives(0.5)},
    {"-90`", Gives(-pi / 2)},
    // Statement lists.
    {"1;2;3", Gives(3)},
    {"1,2", Gives(1)},
    {"1,)))", Gives(1)},
    {"1;", Says(Syntax)},
    {"(1;2)", Says(Syntax)},
    {"1)", Says(Syntax)},
    {"1+", Says(Syntax)},
    {"(1", Says(Syntax)},
    {")", Says(Syntax)},
    {"1:2", Says(Syntax)},
    {"一", Says(Syntax)},
    {"1\r\n+\t2", Gives(3)},
    // Names.
    {"pi", Gives(pi)},
    {"PI", Gives(pi)},
    {"e", Gives(std::numbers::e)},
    {"abc", Says(Invalid("abc"))},
    {"x=1", Says(Invalid("x"))},
    {"x=pi", Says(Invalid("x"))},
    {"x=1/0", Says(DivideByZero)},  // the assigned value is computed first
    {"x==1", Says(Invalid("x"))},
    {"_x", Says(Invalid("_x"))},
    {"a_1", Says(Invalid("a"))},
    {"abcdefghijklmnopqrstuvwxyzabcdefgh", Says(Invalid("abcdefghijklmnopqrstuvwxyzabcdef"))},
    {"pi(1)", Says(Invalid("pi"))},
    {"sin", Says(Invalid("sin"))},
    {"foo(2)", Says(Invalid("foo"))},
    {"foo(1/0)", Says(DivideByZero)},
    {"sqrt(abs(-16))", Gives(4)},
    {"sqrt(4", Says(Syntax)},
    {"max(1,2)", Says(Syntax)},
    // Built-in functions and their domains.
    {"sqrt(-1)", Says(NegativeRoot)},
    {"sqrt(0)", Gives(0)},
    {"sqrt(2)/2+sin(pi/6)", Gives(std::sqrt(2.0) / 2 + 0.5)},
    {"ln(0)", Says(ZeroLog)},
    {"ln(-1)", Raises(Outcome::kInvalidOp)},
    {"ln(e)", Gives(1)},
    {"log10(1000)", Gives(3)},
    {"log10(0)", Says(ZeroLog)},
    {"log10(-1)", Raises(Outcome::kInvalidOp)},
    {"log2(8)", Gives(3)},
    {"log2(0)", Says(ZeroLog)},
    {"round(2.5)", Gives(2)},
    {"round(3.5)", Gives(4)},
    {"round(-2.5)", Gives(-2)},
    {"round(1.0e19)", Raises(Outcome::kInvalidOp)},
    {"trunc(-2.7)", Gives(-2)},
    {"trunc(1.0e19)", Raises(Outcome::kInvalidOp)},
    {"int(-2.7)", Gives(-2)},
    {"int(1.0e19)", Gives(1e19)},
    {"frac(-2.75)", Gives(-0.75)},
    {"abs(-2.5)", Gives(2.5)},
    {"sqr(-3)", Gives(9)},
    {"sqr(1.0e200)", Raises(Outcome::kOverflow)},
    {"sign(-3)", Gives(-1)},
    {"sign(0)", Gives(0)},
    {"sign(0.1)", Gives(1)},
    {"sgn(-3)", Gives(0)},
    {"sgn(3)", Gives(1)},
    {"xsgn(-3)", Gives(0)},
    {"xsgn(3)", Gives(3)},
    {"cos(0)", Gives(1)},
    {"tan(pi/4)", Gives(1)},
    {"asin(1)", Gives(pi / 2)},
    {"acos(1)", Gives(0)},
    {"asin(2)", Raises(Outcome::kInvalidOp)},
    {"acos(-1.5)", Raises(Outcome::kInvalidOp)},
    {"atan(1)", Gives(pi / 4)},
    {"exp(0)", Gives(1)},
    {"exp(1000)", Raises(Outcome::kOverflow)},
    {"exp(-1000)", Gives(0)},
    {"sinh(0)", Gives(0)},
    {"sinh(1000)", Raises(Outcome::kOverflow)},
    {"asinh(sinh(2))", Gives(2)},
    {"ceil(1.2)", Gives(2)},
    {"ceil(-1.5)", Gives(-1)},
    {"floor(-1.2)", Gives(-2)},
    {"ceil(3000000000)", Raises(Outcome::kInvalidOp)},
    {"lnxp1(0)", Gives(0)},
    {"lnxp1(e-1)", Gives(1)},
    {"lnxp1(-1)", Raises(Outcome::kZeroDivide)},
    {"lnxp1(-2)", Raises(Outcome::kInvalidOp)},
    {"degtorad(180)", Gives(pi)},
    {"radtodeg(pi)", Gives(180)},
    {"gradtorad(200)", Gives(pi)},
    {"radtograd(pi)", Gives(200)},
    {"cycletorad(1)", Gives(2 * pi)},
    {"radtocycle(pi)", Gives(0.5)},
    {"SQRT(16)", Gives(4)},
    // Accounting functions without their hooks.
    {"sy(101,本期借方累计)", Says(Invalid("sy"))},
    {"sy(101,本月)", Says(SyntaxWithHint("正确语法：=..+SY(101,本期借方累计)+.."))},
    {"sy(,本期借方累计)", Says(Syntax)},
    {"sy(101)", Says(Syntax)},
    {"sy(101;本期借方累计)", Says(Syntax)},
    {"sy(101,本期借方累计", Says(SyntaxWithHint("正确语法：=..+SY(101,本期借方累计)+.."))},
    {"xjll(1,流)", Says(SyntaxWithHint("正确语法：=..+XJLL(101,流入)+.."))},
    {"xjll(1,流出)", Says(Invalid("xjll"))},
    {"zcfz(1,期初)", Says(SyntaxWithHint("正确语法：=..+ZCFZ(101,期初借方)+.."))},
    {"zcfz(1,期末贷方)", Says(Invalid("zcfz"))},
    {"fb(a1+b2)", Says(Invalid("fb"))},
    {"dejj(x)", Says(Invalid("dejj"))},
    {"sys(x)", Says(Invalid("sys"))},
    {"fb(a1+b2", Says(Syntax)},  // a raw argument needs its ")"
    {"fb", Says(Invalid("fb"))},
    // No formula at all.
    {"", Raises(Outcome::kNoFormula)},
    {"    ", Raises(Outcome::kNoFormula)},
};

}  // namespace

TEST(Calculator, EveryFormulaGivesItsValueOrItsError)
{
    for (const Case& c : Cases)
        ExpectOutcome(c.formula, c.expected);
}

TEST(Calculator, NoFormulaLeavesZero)
{
    double value = 5;
    EXPECT_FALSE(Calculate("   ", value));
    EXPECT_EQ(value, 0);
}

TEST(Calculator, AFailedEvaluationKeepsTheLastCompletedStatement)
{
    double value = 5;
    EXPECT_THROW(Calculate("1;2/0", value), ECalculate);
    EXPECT_EQ(value, 1);
    EXPECT_THROW(Calculate("2/0;1", value), ECalculate);
    EXPECT_EQ(value, 0);
    // Nothing of a failed evaluation carries over into the next one.
    EXPECT_TRUE(Calculate("7", value));
    EXPECT_EQ(value, 7);
}

TEST(Calculator, TheTextEndsAtANulCharacter)
{
    double value = 0;
    EXPECT_TRUE(Calculate(std::string_view("1+2\0*5", 6), value));
    EXPECT_EQ(value, 3);
}

TEST(Calculator, DeepNestingIsRefusedBeforeTheStackRunsOut)
{
    double value = 0;
    std::string nested = std::string(100, '(') + "1" + std::string(100, ')');
    EXPECT_TRUE(Calculate(nested, value));
    EXPECT_EQ(value, 1);
    EXPECT_TRUE(Calculate(std::string(100, '-') + "1", value));
    EXPECT_EQ(value, 1);
    std::string deep = std::string(100000, '(') + "1" + std::string(100000, ')');
    EXPECT_THROW(Calculate(deep, value), ECalculate);
    EXPECT_THROW(Calculate(std::string(100000, '-') + "1", value), ECalculate);
}
