#include "controls/EditExitCheck.h"

#include <cmath>
#include <exception>

#include "controls/Calculator.h"
#include "controls/EditHelpers.h"
#include "platform/core/DateTime.h"
#include "platform/core/NumberFormat.h"
#include "platform/core/StrUtils.h"

namespace controls {

TExitCheckRules LabelledEditRules(TCheckFmt checkFmt, TFmtDec fmtDecimal, bool plusNumber)
{
    return {checkFmt, fmtDecimal, plusNumber, true, true};
}

TExitCheckRules PickEditRules(TCheckFmt checkFmt, TFmtDec fmtDecimal, bool plusNumber)
{
    return {checkFmt, fmtDecimal, plusNumber, false, false};
}

AnsiString TodayText()
{
    return core::FormatDateTime(DateDisplayFormat, core::Date());
}

namespace {

AnsiString FormatNumber(double value, TFmtDec format)
{
    switch (format) {
    case fdQty: return FormatQty(value);
    case fdPrice: return FormatPrice(value);
    case fdTotal: return FormatTotal(value);
    case fdOther: return FormatOther(value);
    case fdNone: break;
    }
    return core::FloatToStr(value);
}

AnsiString CheckedNumber(const AnsiString& typed, const TExitCheckRules& rules)
{
    try {
        AnsiString text = RemoveThousandSeparators(typed);
        double value = 0;
        bool evaluated = false;
        if (rules.UseCalculator) {
            try {
                evaluated = Calculate(text, value);
            } catch (const std::exception&) {
                evaluated = false;
            }
        }
        if (!evaluated)
            value = ParseDecimal(text, false);
        if (rules.PlusNumber)
            value = std::fabs(value);
        AnsiString shown = FormatNumber(value, rules.FmtDecimal);
        return rules.TrimZeros ? TrimZeros(shown) : shown;
    } catch (const std::exception&) {
        return "0";
    }
}

AnsiString CheckedDate(const AnsiString& text, bool force)
{
    core::TDateTime date = 0;
    if (core::TryStrToDate(text, date))
        return core::FormatDateTime(DateDisplayFormat, date);
    return force ? TodayText() : AnsiString();
}

}  // namespace

AnsiString CheckedText(const AnsiString& typed, const TExitCheckRules& rules)
{
    AnsiString text = core::Trim(typed);
    if (text.empty())
        return text;
    switch (rules.CheckFmt) {
    case cfNone: return text;
    case cfDecimal: return CheckedNumber(text, rules);
    case cfDate: return CheckedDate(text, false);
    case cfForceDate: return CheckedDate(text, true);
    case cfNumber: return core::IntToStr(DigitsToInt(text));
    }
    return text;
}

}  // namespace controls
