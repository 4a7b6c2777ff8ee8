#include "grid/foundation/NumberText.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "grid/foundation/MultiByteText.h"
#include "platform/core/NumberFormat.h"

namespace grid {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsSign(char c)
{
    return c == '+' || c == '-';
}

bool IsNumberChar(char c, const core::TFormatSettings& s)
{
    return IsDigit(c) || IsSign(c) || c == s.ThousandSeparator || c == s.DecimalSeparator;
}

int Length(const core::AnsiString& text)
{
    return static_cast<int>(std::min<size_t>(text.size(), INT32_MAX));
}

// Moves from `i` (from 1) by `step` while the character there is a single
// byte that `accept` takes.
template <typename Accept>
int RunEnd(const core::AnsiString& text, int i, int step, Accept accept)
{
    if (step == 0)
        return i;
    step = step > 0 ? 1 : -1;
    std::vector<core::TMbcsByteType> kinds = CharKinds(text);
    while (i >= 1 && i <= Length(text) && kinds[i - 1] == core::mbSingleByte && accept(text[i - 1]))
        i += step;
    return i;
}

// Whether the text is made of number characters only, so that decimals
// and padding may be added to it (float text such as "INF" is left alone).
bool IsPlainNumber(const core::AnsiString& text, const core::TFormatSettings& s)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [&](char c) { return IsNumberChar(c, s); });
}

// The length of the part before the decimal separator.
size_t IntegerPartLength(const core::AnsiString& text, const core::TFormatSettings& s)
{
    size_t d = text.find(s.DecimalSeparator);
    return d == core::AnsiString::npos ? text.size() : d;
}

// The digits right after the decimal separator; -1 without a separator.
int DecimalCount(const core::AnsiString& text, const core::TFormatSettings& s)
{
    size_t d = text.find(s.DecimalSeparator);
    if (d == core::AnsiString::npos)
        return -1;
    int count = 0;
    for (size_t i = d + 1; i < text.size() && IsDigit(text[i]); ++i)
        ++count;
    return count;
}

}  // namespace

int DigitRunEnd(const core::AnsiString& text, int i, int step)
{
    return RunEnd(text, i, step, IsDigit);
}

int NumberRunEnd(const core::AnsiString& text, int i, int step, const core::TFormatSettings& settings)
{
    return RunEnd(text, i, step, [&](char c) { return IsNumberChar(c, settings); });
}

bool StripThousands(core::AnsiString& text, const core::TFormatSettings& settings)
{
    const char sep = settings.ThousandSeparator;
    if (sep == '\0' || IsDigit(sep))
        return false;
    size_t i = 0;
    if (i < text.size() && IsSign(text[i]))
        ++i;
    size_t firstGroup = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        ++firstGroup;
    if (firstGroup == 0 || i >= text.size() || text[i] != sep)
        return false;
    std::vector<size_t> separators;
    while (i < text.size() && text[i] == sep) {
        separators.push_back(i++);
        size_t group = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i)
            ++group;
        if (group != 3)
            return false;
    }
    for (auto it = separators.rbegin(); it != separators.rend(); ++it)
        text.erase(*it, 1);
    return true;
}

void InsertThousands(core::AnsiString& text, const core::TFormatSettings& settings)
{
    size_t end = 0;
    while (end < text.size() && IsDigit(text[end]))
        ++end;
    for (size_t p = end; p > 3;) {
        p -= 3;
        text.insert(p, 1, settings.ThousandSeparator);
    }
}

core::AnsiString AddToNumberText(const core::AnsiString& text, double x, const core::TFormatSettings& settings)
{
    if (text.empty())
        return core::FloatToStr(x, settings);
    core::AnsiString plain = text;
    bool grouped = StripThousands(plain, settings);
    double value;
    if (!core::TryStrToFloat(plain, value, settings))
        return text;
    core::AnsiString result = core::FloatToStr(value + x, settings);
    if (grouped)
        InsertThousands(result, settings);
    return result;
}

bool IsNumberText(const core::AnsiString& text, const core::TFormatSettings& settings)
{
    core::AnsiString plain = text;
    StripThousands(plain, settings);
    double value;
    return core::TryStrToFloat(plain, value, settings);
}

bool NumberAt(const core::AnsiString& text, int pos, int& start, int& len, const core::TFormatSettings& settings)
{
    pos = std::clamp(pos, 0, Length(text));
    // The caret stands between the characters at `pos` and `pos` + 1.
    int first = NumberRunEnd(text, pos, -1, settings) + 1;
    int end = NumberRunEnd(text, pos + 1, 1, settings);
    if (end > first && IsNumberText(text.substr(first - 1, end - first), settings)) {
        start = first;
        len = end - first;
        return true;
    }
    first = DigitRunEnd(text, pos, -1) + 1;
    end = DigitRunEnd(text, pos + 1, 1);
    if (end <= first) {
        start = pos + 1;
        len = 0;
        return false;
    }
    // A sign right before the digits belongs to them, unless a digit stands
    // before it: in "3-2" the "-" is no sign of the 2.
    if (first >= 2 && IsSign(text[first - 2]) && CharKindAt(text, first - 2) == core::mbSingleByte &&
        !(first >= 3 && IsDigit(text[first - 3]) && CharKindAt(text, first - 3) == core::mbSingleByte))
        --first;
    start = first;
    len = end - first;
    return true;
}

core::AnsiString StepNumberAt(const core::AnsiString& text, int pos, int& start, int& len, double x,
                              const core::TFormatSettings& settings)
{
    if (!NumberAt(text, pos, start, len, settings))
        return text;
    core::AnsiString oldNumber = text.substr(start - 1, len);
    core::AnsiString newNumber = KeepDecimals(oldNumber, AddToNumberText(oldNumber, x, settings), settings);
    core::AnsiString result = text.substr(0, start - 1) + newNumber + text.substr(start - 1 + len);
    len = Length(newNumber);
    return result;
}

core::AnsiString KeepDecimals(const core::AnsiString& oldText, const core::AnsiString& newText,
                              const core::TFormatSettings& settings)
{
    int wanted = DecimalCount(oldText, settings);
    if (wanted <= 0 || !IsPlainNumber(newText, settings))
        return newText;
    core::AnsiString result = newText;
    int have = DecimalCount(result, settings);
    if (have < 0) {
        result += settings.DecimalSeparator;
        have = 0;
    }
    result.append(static_cast<size_t>(std::max(0, wanted - have)), '0');
    return result;
}

core::AnsiString KeepWidth(const core::AnsiString& oldText, const core::AnsiString& newText,
                           const core::TFormatSettings& settings)
{
    core::AnsiString result = KeepDecimals(oldText, newText, settings);
    if (!IsPlainNumber(result, settings))
        return result;
    const size_t wanted = IntegerPartLength(oldText, settings);
    // Padding goes after the sign: "-5" kept at the width of "-05" is "-05", not "0-5".
    const size_t signLength = IsSign(result[0]) ? 1 : 0;
    for (size_t have = IntegerPartLength(result, settings); have < wanted; ++have) {
        char old = oldText[wanted - 1 - have];
        result.insert(signLength, 1, old == settings.ThousandSeparator ? old : '0');
    }
    return result;
}

}  // namespace grid
