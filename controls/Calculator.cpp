// The expression calculator: a recursive-descent evaluator over doubles.
//
// Grammar, lowest binding first; two-operand operators associate to the left:
//   statements  := expression { ";" expression }    then the end or ","
//   expression  := relational { ("|" | "^" | "&") relational }
//   relational  := additive { ("<" | "<=" | "==" | "<>" | ">=" | ">") additive }
//   additive    := multiplicative { ("+" | "-") multiplicative }
//   multiplicative := unary { ("*" | "/" | "%" | "%%") unary }
//   unary       := ("~" | "!" | "+" | "-") unary | power
//   power       := factor [ "**" factor ]        (one "**" only)
//   factor      := "(" expression ")" | number | name "(" ... ")" | name "=" expression | name
//
// Every value is kept finite: an operation whose result would be infinite or
// NaN raises the platform's EOverflow or EInvalidOp instead.
#include "controls/Calculator.h"

#include <cmath>
#include <numbers>

#include "controls/CalculatorFunctions.h"
#include "controls/CalculatorLexer.h"
#include "platform/core/CodePage.h"
#include "platform/core/Math.h"

namespace controls {

TSysHook SysHook;
TLedgerHook LedgerHook;
TCodeItemHook SYHook;
TCodeItemHook XJLLHook;
TCodeItemHook ZCFZHook;

namespace {

// Formulas typed into a field nest a few levels; this bound keeps hostile
// input from exhausting the stack.
constexpr int MaxNesting = 200;

[[noreturn]] void SyntaxError()
{
    throw ECalculate("语法错误，请检查");
}

[[noreturn]] void InvalidFormula(std::string_view name)
{
    throw ECalculate(core::AnsiString("公式无效：") + " \"" + core::AnsiString(name) + "\".");
}

// Removes spaces and lowers ASCII letters, passing double-byte characters
// through whole: their second byte may look like an ASCII capital.
core::AnsiString Normalise(std::string_view text)
{
    core::AnsiString out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (core::IsLeadByte(c) && i + 1 < text.size() && core::IsTrailByte(text[i + 1])) {
            out += c;
            out += text[++i];
        } else if (c >= 'A' && c <= 'Z') {
            out += static_cast<char>(c - 'A' + 'a');
        } else if (c != ' ') {
            out += c;
        }
    }
    return out;
}

double Boolean(bool condition)
{
    return condition ? 1.0 : 0.0;
}

// a % b on the truncated operands: (a + b) modulo b, the remainder taking the
// sign of its dividend, so that -1 % 5 is 4. Computed in 128 bits: the sum
// of two 64-bit integers does not always fit in 64.
double Modulo(double left, double right)
{
    int64_t a = core::Trunc(left);
    int64_t b = core::Trunc(right);
    if (b == 0)
        throw core::EDivByZero("Division by zero");
    __int128 sum = static_cast<__int128>(a) + b;
    return static_cast<double>(static_cast<int64_t>(sum % b));
}

// left ** right is exp(right * ln(left)): a negative base has no logarithm
// and is the platform's invalid operation. A zero base gives 0 for a positive
// exponent and 1 for a zero one; a negative exponent is a division by zero.
double Power(double base, double exponent)
{
    if (base < 0)
        throw core::EInvalidOp("Invalid floating point operation");
    if (base == 0) {
        if (exponent < 0)
            throw core::EZeroDivide("Floating point division by zero");
        return exponent == 0 ? 1.0 : 0.0;
    }
    // pow gives the same value as the exponential of the product, without the
    // rounding of the logarithm (2 ** 3 is exactly 8).
    return core::CheckFloat(std::pow(base, exponent));
}

// One evaluation: the lexer's state and the nesting depth live here, so
// nothing survives a failed evaluation.
class Evaluator {
public:
    explicit Evaluator(std::string_view text) : lexer_(text) {}

    void Statements(double& value);

private:
    double Expression();
    double Relational();
    double Additive();
    double Multiplicative();
    double Unary();
    double PowerLevel();
    double Factor();
    double NamedFactor();
    double Call(std::string_view name);
    double CallTextArgFunction(const TTextArgFunction& function);
    double CallCodeItemFunction(const TCodeItemFunction& function);
    double CallBuiltin(std::string_view name);
    void Expect(TCalcToken token);

    CalcLexer lexer_;
    int depth_ = 0;
};

void Evaluator::Statements(double& value)
{
    lexer_.Next();
    value = Expression();
    while (lexer_.Token() == tkSemicolon) {
        lexer_.Next();
        value = Expression();
    }
    // Whatever follows a top-level comma is ignored.
    if (lexer_.Token() != tkEnd && lexer_.Token() != tkComma)
        SyntaxError();
}

double Evaluator::Expression()
{
    double value = Relational();
    for (TCalcToken op = lexer_.Token(); op == tkOr || op == tkXor || op == tkAnd; op = lexer_.Token()) {
        lexer_.Next();
        int64_t left = core::Trunc(value);
        int64_t right = core::Trunc(Relational());
        value = static_cast<double>(op == tkOr ? left | right : op == tkXor ? left ^ right : left & right);
    }
    return value;
}

double Evaluator::Relational()
{
    double value = Additive();
    for (TCalcToken op = lexer_.Token(); op >= tkLess && op <= tkGreater; op = lexer_.Token()) {
        lexer_.Next();
        double right = Additive();
        switch (op) {
        case tkLess: value = Boolean(value < right); break;
        case tkLessEqual: value = Boolean(value <= right); break;
        case tkEqual: value = Boolean(value == right); break;
        case tkNotEqual: value = Boolean(value != right); break;
        case tkGreaterEqual: value = Boolean(value >= right); break;
        default: value = Boolean(value > right); break;
        }
    }
    return value;
}

double Evaluator::Additive()
{
    double value = Multiplicative();
    for (TCalcToken op = lexer_.Token(); op == tkPlus || op == tkMinus; op = lexer_.Token()) {
        lexer_.Next();
        double right = Multiplicative();
        value = core::CheckFloat(op == tkPlus ? value + right : value - right);
    }
    return value;
}

double Evaluator::Multiplicative()
{
    double value = Unary();
    for (TCalcToken op = lexer_.Token(); op >= tkMultiply && op <= tkPercent; op = lexer_.Token()) {
        lexer_.Next();
        double right = Unary();
        if (op == tkMultiply) {
            value = core::CheckFloat(value * right);
        } else if (op == tkDivide) {
            if (right == 0)
                throw ECalculate("除数不能为零。");
            value = core::CheckFloat(value / right);
        } else if (op == tkModulo) {
            value = Modulo(value, right);
        } else {
            value = core::CheckFloat(value * right / 100);
        }
    }
    return value;
}

double Evaluator::Unary()
{
    // Every level of nesting, by parentheses or by prefixes, passes here.
    if (++depth_ > MaxNesting)
        SyntaxError();
    double value;
    TCalcToken op = lexer_.Token();
    if (op == tkComplement || op == tkNot || op == tkPlus || op == tkMinus) {
        lexer_.Next();
        double operand = Unary();
        if (op == tkComplement)
            value = static_cast<double>(~core::Trunc(operand));
        else if (op == tkNot)  // only the lowest byte counts, as in an 8-bit Boolean
            value = Boolean(static_cast<uint8_t>(core::Trunc(operand)) != 1);
        else
            value = op == tkMinus ? -operand : operand;
    } else {
        value = PowerLevel();
    }
    --depth_;
    return value;
}

double Evaluator::PowerLevel()
{
    double base = Factor();
    if (lexer_.Token() != tkPower)
        return base;
    lexer_.Next();
    return Power(base, Factor());
}

double Evaluator::Factor()
{
    switch (lexer_.Token()) {
    case tkOpen: {
        lexer_.Next();
        double value = Expression();
        Expect(tkClose);
        return value;
    }
    case tkNumber: {
        double value = lexer_.Number();
        lexer_.Next();
        return value;
    }
    case tkIdent:
        return NamedFactor();
    default:
        SyntaxError();
    }
}

double Evaluator::NamedFactor()
{
    // The name is kept here: the argument or the assigned expression may
    // hold names of its own.
    std::string_view name = lexer_.Name();
    lexer_.Next();
    if (lexer_.Token() == tkOpen)
        return Call(name);
    if (lexer_.Token() == tkAssign) {
        // The calculator has no variables: the value is computed, then refused.
        lexer_.Next();
        Expression();
        InvalidFormula(name);
    }
    if (name == "pi")
        return std::numbers::pi;
    if (name == "e")
        return std::numbers::e;
    InvalidFormula(name);
}

double Evaluator::Call(std::string_view name)
{
    if (const TTextArgFunction* function = FindTextArgFunction(name))
        return CallTextArgFunction(*function);
    if (const TCodeItemFunction* function = FindCodeItemFunction(name))
        return CallCodeItemFunction(*function);
    return CallBuiltin(name);
}

double Evaluator::CallTextArgFunction(const TTextArgFunction& function)
{
    // The argument is not evaluated: "fb(a1+b2)" hands "a1+b2" to the host.
    // Without its ")" the call is incomplete and refused.
    core::AnsiString argText;
    if (!lexer_.TakeRawArgument(argText))
        SyntaxError();
    lexer_.Next();
    double value = 0;
    bool set = false;
    if (function.kind) {
        if (!LedgerHook)
            InvalidFormula(function.name);
        set = LedgerHook(value, argText, function.kind);
    } else {
        if (!SysHook)
            InvalidFormula(function.name);
        set = SysHook(value, argText);
    }
    return set ? core::CheckFloat(value) : 0.0;
}

double Evaluator::CallCodeItemFunction(const TCodeItemFunction& function)
{
    core::AnsiString codeText(lexer_.TakeDigits());
    if (codeText.empty())
        SyntaxError();
    lexer_.Next();
    if (lexer_.Token() != tkComma)
        SyntaxError();
    core::AnsiString argText;
    for (std::string_view item : function.items) {
        if (!item.empty() && lexer_.TakeItem(item)) {
            argText.assign(item);
            break;
        }
    }
    if (argText.empty())
        throw ECalculate(core::AnsiString("语法错误，请检查") + "\r\n" + function.hint);
    lexer_.Next();
    if (!*function.hook)
        InvalidFormula(function.name);
    double value = 0;
    return (*function.hook)(value, codeText, argText) ? core::CheckFloat(value) : 0.0;
}

double Evaluator::CallBuiltin(std::string_view name)
{
    lexer_.Next();
    double argument = Expression();
    Expect(tkClose);
    TBuiltinFunction function = FindBuiltinFunction(name);
    if (!function)
        InvalidFormula(name);
    return function(argument);
}

// Consumes the token that must come next.
void Evaluator::Expect(TCalcToken token)
{
    if (lexer_.Token() != token)
        SyntaxError();
    lexer_.Next();
}

}  // namespace

bool Calculate(std::string_view text, double& value)
{
    value = 0;
    core::AnsiString formula = Normalise(text);
    if (formula.empty())
        return false;
    Evaluator(formula).Statements(value);
    return true;
}

}  // namespace controls
