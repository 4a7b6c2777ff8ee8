#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/core/Forward.h"

namespace controls {

// The token kinds of formulas. The numbers are the classic ones; 4 is unused.
enum TCalcToken : uint8_t {
    tkEnd = 0,
    tkInvalid = 1,        // a character no token begins with, or a malformed number
    tkAssign = 2,         // =
    tkComma = 3,          // ,
    tkOpen = 5,           // (
    tkClose = 6,          // )
    tkNumber = 7,
    tkIdent = 8,
    tkSemicolon = 9,      // ;
    tkPower = 10,         // **
    tkComplement = 11,    // ~
    tkNot = 12,           // !
    tkMultiply = 13,      // *
    tkDivide = 14,        // /
    tkModulo = 15,        // %
    tkPercent = 16,       // %%
    tkPlus = 17,          // +
    tkMinus = 18,         // -
    tkLess = 19,          // <
    tkLessEqual = 20,     // <=
    tkEqual = 21,         // ==
    tkNotEqual = 22,      // <> != ><
    tkGreaterEqual = 23,  // >=
    tkGreater = 24,       // >
    tkOr = 25,            // |
    tkXor = 26,           // ^
    tkAnd = 27,           // &
};

// Splits a formula (already free of spaces and in lower case) into tokens,
// one at a time. The accounting functions read parts of the text raw, without
// tokens, through the Take... methods, which start where the last token ended.
// The text ends at its end or at a NUL character, whichever comes first.
class CalcLexer {
public:
    static constexpr size_t MaxNameLength = 32;

    explicit CalcLexer(std::string_view text);

    // Reads the next token; raises EOverflow for a number too large for a double.
    void Next();
    TCalcToken Token() const { return token_; }
    double Number() const { return number_; }
    std::string_view Name() const { return name_; }

    // Every character up to the next ")", which is consumed; false when the
    // text ends first.
    bool TakeRawArgument(core::AnsiString& argument);
    // The run of decimal digits at the current position (possibly empty).
    std::string_view TakeDigits();
    // Consumes `item` and the ")" after it when the text continues with both.
    bool TakeItem(std::string_view item);

private:
    char Peek(size_t ahead = 0) const;
    bool TakeOperator();
    void ReadName();
    void ReadNumber();
    void ReadBasedNumber(int base);
    void ReadDecimalOrSuffixedHex();
    void ReadDegrees(std::string_view degreeDigits);
    void ReadFraction(size_t start);

    std::string_view text_;
    size_t pos_ = 0;
    TCalcToken token_ = tkEnd;
    double number_ = 0;
    std::string_view name_;
};

}  // namespace controls
