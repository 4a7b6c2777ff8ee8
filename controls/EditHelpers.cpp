#include "controls/EditHelpers.h"

#include <cstdint>

#include "platform/core/CodePage.h"
#include "platform/core/FormatSettings.h"
#include "platform/core/NumberFormat.h"

namespace controls {

AnsiString QtyFormat = "0.0000";
AnsiString PriceFormat = "0.0000";
AnsiString TotalFormat = "0.0000";
AnsiString OtherFormat = "0.0000";
AnsiString DateDisplayFormat = "YYYY-MM-DD";
bool ShowInfoHints = false;
TBaseInfoSelector BaseInfoSelector;

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

AnsiString FormatUnlessZero(const AnsiString& pattern, double value)
{
    if (value == 0)
        return AnsiString();
    return core::FormatFloat(pattern, value);
}

}  // namespace

AnsiString FormatQty(double value)
{
    AnsiString text = FormatUnlessZero(QtyFormat, value);
    size_t point = text.find('.');
    if (point != AnsiString::npos && text.find_first_not_of('0', point + 1) == AnsiString::npos)
        text.erase(point);
    return text;
}

AnsiString FormatPrice(double value)
{
    return FormatUnlessZero(PriceFormat, value);
}

AnsiString FormatTotal(double value)
{
    return FormatUnlessZero(TotalFormat, value);
}

AnsiString FormatOther(double value)
{
    return FormatUnlessZero(OtherFormat, value);
}

AnsiString TrimZeros(const AnsiString& text)
{
    if (text.find('.') == AnsiString::npos)
        return text;
    AnsiString result = text;
    while (!result.empty() && result.back() == '0')
        result.pop_back();
    if (!result.empty() && result.back() == '.')
        result.pop_back();
    return result;
}

int DigitsToInt(const AnsiString& text)
{
    int64_t value = 0;
    bool any = false;
    for (char c : text) {
        if (c == '.')
            break;
        if (!IsDigit(c))
            continue;
        any = true;
        value = value * 10 + (c - '0');
        if (value > INT32_MAX)
            return 0;
    }
    return any ? static_cast<int>(value) : 0;
}

double ParseDecimal(const AnsiString& text, bool keepSign)
{
    AnsiString compact;
    for (char c : text)
        if (c != ' ')
            compact += c;
    AnsiString digits;
    if (keepSign && !compact.empty() && compact[0] == '-')
        digits += '-';
    bool point = false;
    for (char c : compact) {
        if (IsDigit(c)) {
            digits += c;
        } else if (c == '.' && !point) {
            digits += c;
            point = true;
        }
    }
    if (digits.empty())
        return 0;
    // The text was built with a point, whatever the locale's separator is.
    core::TFormatSettings settings = core::FormatSettings();
    settings.DecimalSeparator = '.';
    return core::StrToFloat(digits, settings);
}

AnsiString RemoveThousandSeparators(const AnsiString& text)
{
    char separator = core::FormatSettings().ThousandSeparator;
    if (separator == 0 || IsDigit(separator))
        return text;
    AnsiString result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        bool grouping = c == separator && !result.empty() && IsDigit(result.back()) && i + 3 < text.size() &&
                        IsDigit(text[i + 1]) && IsDigit(text[i + 2]) && IsDigit(text[i + 3]) &&
                        (i + 4 >= text.size() || !IsDigit(text[i + 4]));
        if (!grouping)
            result += c;
    }
    return result;
}

AnsiString CutAtCharBoundary(const AnsiString& text, size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    size_t cut = maxBytes;
    // The last byte kept must not open a character whose trail is cut away.
    if (cut > 0 && core::ByteType(text, cut - 1) == core::mbLeadByte)
        --cut;
    return text.substr(0, cut);
}

}  // namespace controls
