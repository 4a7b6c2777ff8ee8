#pragma once

#include "controls/EditTypes.h"
#include "platform/core/Forward.h"

namespace controls {

using core::AnsiString;

// What leaving a field makes of its text: the rules of one field.
//
// The labelled edit (TTinyEdit) evaluates number fields with the calculator
// and cuts trailing zeros; the pick edit reads the number straight out of
// the text and keeps its pattern's zeros. Both share the rest.
struct TExitCheckRules {
    TCheckFmt CheckFmt = cfNone;
    TFmtDec FmtDecimal = fdNone;
    // Numbers become non-negative.
    bool PlusNumber = true;
    // cfDecimal evaluates the text as a formula first (1200*3+5); when that
    // fails, or without it, the number is read out of the text.
    bool UseCalculator = true;
    // cfDecimal cuts trailing zeros (and then a trailing point) after
    // formatting.
    bool TrimZeros = true;
};

// The labelled edit's rules and the pick edit's, for a field's settings.
TExitCheckRules LabelledEditRules(TCheckFmt checkFmt, TFmtDec fmtDecimal, bool plusNumber);
TExitCheckRules PickEditRules(TCheckFmt checkFmt, TFmtDec fmtDecimal, bool plusNumber);

// The text a field keeps when it is left holding `text`: first trimmed of
// codes 0 to 32; an empty text stays empty. Then, by CheckFmt:
//   cfNone       the text as it is (whether a field takes typed text at all
//                is the field's business: one bound to master data does not);
//   cfDecimal    the number the text means, with the locale's thousands
//                separators taken out first ("1,234.5" is 1234.5): the
//                formula's value when the calculator may and can evaluate
//                it, else ParseDecimal(text, false); made non-negative with
//                PlusNumber; formatted by FmtDecimal (fdNone: 15 significant
//                digits; the others with FormatQty, FormatPrice, FormatTotal
//                or FormatOther); TrimZeros when the rules say. Whatever goes
//                wrong on the way gives "0";
//   cfDate       the text read as a date in the locale's short date format
//                and written in DateDisplayFormat; empty when it is no date;
//   cfForceDate  the same, but today's date when it is no date;
//   cfNumber     DigitsToInt(text) in decimal ("1,234.99" gives 1234).
// No rule reports anything to the user: what cannot be read becomes a
// default value.
AnsiString CheckedText(const AnsiString& text, const TExitCheckRules& rules);

// Today's date in DateDisplayFormat.
AnsiString TodayText();

}  // namespace controls
