#include "controls/CalculatorLexer.h"

#include <charconv>
#include <cmath>
#include <numbers>

#include "platform/core/Math.h"

namespace controls {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The digit value of a letter or digit in bases up to 16; other letters give
// 36 (too large for every base) and every other character -1.
int DigitValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return IsLetter(c) ? 36 : -1;
}

bool IsHexDigit(char c)
{
    int value = DigitValue(c);
    return value >= 0 && value < 16;
}

double Accumulate(std::string_view digits, int base)
{
    double value = 0;
    for (char c : digits)
        value = value * base + DigitValue(c);
    return core::CheckFloat(value);
}

// Saturates long exponents: a literal is only ever near the limits of a double.
long long ExponentOf(std::string_view literal)
{
    size_t e = literal.find_first_of("eE");
    if (e == std::string_view::npos)
        return 0;
    long long exponent = 0;
    for (char c : literal.substr(e + 1))
        if (IsDigit(c) && exponent < 1000000)
            exponent = exponent * 10 + (c - '0');
    return literal.find('-', e) == std::string_view::npos ? exponent : -exponent;
}

// The power of ten of a literal's first significant digit (0 for 1 to 9.99),
// used only to tell a literal too large for a double from one too small.
long long MagnitudeOf(std::string_view literal)
{
    std::string_view mantissa = literal.substr(0, literal.find_first_of("eE"));
    size_t point = mantissa.find('.');
    std::string_view integral = mantissa.substr(0, point);
    size_t first = integral.find_first_not_of('0');
    if (first != std::string_view::npos)
        return static_cast<long long>(integral.size() - first) - 1 + ExponentOf(literal);
    std::string_view fraction = point == std::string_view::npos ? std::string_view() : mantissa.substr(point + 1);
    return ExponentOf(literal) - 1 - static_cast<long long>(fraction.find_first_not_of('0'));
}

// A decimal literal (digits, optionally a fraction and an exponent), rounded
// correctly. Too large a literal raises EOverflow; too small a one is 0.
double ParseDecimal(std::string_view literal)
{
    if (literal.empty())
        return 0;
    double value = 0;
    auto result = std::from_chars(literal.data(), literal.data() + literal.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return core::CheckFloat(MagnitudeOf(literal) > 0 ? HUGE_VAL : 0.0);
    return value;
}

struct OperatorChars {
    std::string_view chars;
    TCalcToken token;
};

// The two-character forms come first so that they win over their first character.
constexpr OperatorChars Operators[] = {
    {"**", tkPower}, {"%%", tkPercent}, {"<=", tkLessEqual}, {"<>", tkNotEqual},
    {">=", tkGreaterEqual}, {"><", tkNotEqual}, {"==", tkEqual}, {"!=", tkNotEqual},
    {"=", tkAssign}, {",", tkComma}, {"(", tkOpen}, {")", tkClose},
    {";", tkSemicolon}, {"~", tkComplement}, {"!", tkNot}, {"*", tkMultiply},
    {"/", tkDivide}, {"%", tkModulo}, {"+", tkPlus}, {"-", tkMinus},
    {"<", tkLess}, {">", tkGreater}, {"|", tkOr}, {"^", tkXor}, {"&", tkAnd},
};

}  // namespace

CalcLexer::CalcLexer(std::string_view text) : text_(text.substr(0, text.find('\0')))
{
}

char CalcLexer::Peek(size_t ahead) const
{
    return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
}

void CalcLexer::Next()
{
    // Codes 1 to 32 separate tokens (the text ends at a NUL).
    while (pos_ < text_.size() && static_cast<unsigned char>(text_[pos_]) <= 32)
        ++pos_;
    char c = Peek();
    if (pos_ >= text_.size())
        token_ = tkEnd;
    else if (IsLetter(c) || c == '_')
        ReadName();
    else if (IsDigit(c) || (c == '$' && IsHexDigit(Peek(1))))
        ReadNumber();
    else if (!TakeOperator())
        token_ = tkInvalid;  // left in place: nothing continues after it
}

bool CalcLexer::TakeOperator()
{
    std::string_view rest = text_.substr(pos_);
    for (const OperatorChars& op : Operators) {
        if (rest.starts_with(op.chars)) {
            pos_ += op.chars.size();
            token_ = op.token;
            return true;
        }
    }
    return false;
}

void CalcLexer::ReadName()
{
    // Underscores may only begin a name; a name longer than the limit goes on
    // as the next token.
    size_t start = pos_++;
    while ((IsLetter(Peek()) || IsDigit(Peek())) && pos_ - start < MaxNameLength)
        ++pos_;
    name_ = text_.substr(start, pos_ - start);
    token_ = tkIdent;
}

void CalcLexer::ReadNumber()
{
    char c = Peek();
    char prefix = Peek(1);
    if (c == '$') {
        pos_ += 1;
        ReadBasedNumber(16);
    } else if (c == '0' && (prefix == 'x' || prefix == 'X')) {
        pos_ += 2;
        ReadBasedNumber(16);
    } else if (c == '0' && (prefix == 'b' || prefix == 'B')) {
        pos_ += 2;
        ReadBasedNumber(2);
    } else {
        ReadDecimalOrSuffixedHex();
    }
}

void CalcLexer::ReadBasedNumber(int base)
{
    // The run goes on over every letter and digit so that "0x1g" or "0b12" is
    // one malformed number rather than a number and something else.
    size_t start = pos_;
    while (IsLetter(Peek()) || IsDigit(Peek())) {
        if (DigitValue(Peek()) >= base) {
            token_ = tkInvalid;
            return;
        }
        ++pos_;
    }
    number_ = Accumulate(text_.substr(start, pos_ - start), base);
    token_ = tkNumber;
}

void CalcLexer::ReadDecimalOrSuffixedHex()
{
    size_t start = pos_;
    while (IsHexDigit(Peek()))
        ++pos_;
    std::string_view run = text_.substr(start, pos_ - start);
    if (Peek() == 'h' || Peek() == 'H') {
        ++pos_;
        number_ = Accumulate(run, 16);
        token_ = tkNumber;
    } else if (run.find_first_not_of("0123456789") != std::string_view::npos) {
        token_ = tkInvalid;
    } else if (Peek() == '`') {
        ReadDegrees(run);
    } else {
        ReadFraction(start);
    }
}

void CalcLexer::ReadDegrees(std::string_view degreeDigits)
{
    // Degrees`minutes`seconds, minutes and seconds optional (a second back
    // quote without digits adds nothing), in radians less than one turn.
    ++pos_;
    double minutes = ParseDecimal(TakeDigits());
    double seconds = 0;
    if (Peek() == '`') {
        ++pos_;
        seconds = ParseDecimal(TakeDigits());
    }
    double radians = core::DegToRad(ParseDecimal(degreeDigits)) + core::DegToRad(minutes) / 60 +
                     core::DegToRad(seconds) / 3600;
    // Whole turns go by the truncated quotient, not by an exact remainder:
    // 8280` is 23 turns and gives 0, where the remainder of the rounded
    // radians would be a hair less than one turn.
    constexpr double turn = 2 * std::numbers::pi;
    radians = core::CheckFloat(radians);
    number_ = radians - turn * std::trunc(radians / turn);
    token_ = tkNumber;
}

void CalcLexer::ReadFraction(size_t start)
{
    // An exponent is only read after a fraction: "15e3" never gets here.
    if (Peek() == '.' && IsDigit(Peek(1))) {
        ++pos_;
        TakeDigits();
        if (Peek() == 'e' || Peek() == 'E') {
            size_t sign = (Peek(1) == '+' || Peek(1) == '-') ? 1 : 0;
            if (!IsDigit(Peek(1 + sign))) {
                token_ = tkInvalid;
                return;
            }
            pos_ += 1 + sign;
            TakeDigits();
        }
    }
    number_ = ParseDecimal(text_.substr(start, pos_ - start));
    token_ = tkNumber;
}

bool CalcLexer::TakeRawArgument(core::AnsiString& argument)
{
    size_t close = text_.find(')', pos_);
    if (close == std::string_view::npos) {
        pos_ = text_.size();
        return false;
    }
    argument.assign(text_.substr(pos_, close - pos_));
    pos_ = close + 1;
    return true;
}

std::string_view CalcLexer::TakeDigits()
{
    size_t start = pos_;
    while (IsDigit(Peek()))
        ++pos_;
    return text_.substr(start, pos_ - start);
}

bool CalcLexer::TakeItem(std::string_view item)
{
    if (!text_.substr(pos_).starts_with(item) || Peek(item.size()) != ')')
        return false;
    pos_ += item.size() + 1;
    return true;
}

}  // namespace controls
