#include "grid/foundation/DateTimeText.h"

#include <array>
#include <cmath>
#include <string_view>
#include <vector>

#include "grid/foundation/MultiByteText.h"
#include "grid/foundation/NumberText.h"
#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"
#include "platform/core/NumberFormat.h"
#include "platform/core/StrUtils.h"
#include "platform/core/Variant.h"

namespace grid {

namespace {

using core::AnsiString;

constexpr size_t npos = AnsiString::npos;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Letters and digits of the scripts the code page holds; Chinese characters
// count as letters, so a name inside Chinese text is no word of its own.
bool IsLetterOrDigit(char32_t c)
{
    if (c < 0x80)
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    static constexpr std::array<std::pair<char32_t, char32_t>, 17> ranges = {{
        {0x00AA, 0x00AA}, {0x00B5, 0x00B5}, {0x00BA, 0x00BA}, {0x00C0, 0x00D6}, {0x00D8, 0x00F6},
        {0x00F8, 0x024F}, {0x0370, 0x03FF}, {0x0400, 0x052F}, {0x3007, 0x3007}, {0x3040, 0x30FF},
        {0x3105, 0x312F}, {0x3400, 0x4DBF}, {0x4E00, 0x9FFF}, {0xAC00, 0xD7A3}, {0xF900, 0xFAFF},
        {0xFF10, 0xFF19}, {0xFF21, 0xFF5A},
    }};
    for (auto [low, high] : ranges)
        if (c >= low && c <= high)
            return !(c >= 0xFF3B && c <= 0xFF40);
    return false;
}

// The first place at or after `from` where `pattern` starts a character of
// `text` and matches it, ASCII letters compared without case.
size_t FindAtCharStart(const AnsiString& text, const std::vector<core::TMbcsByteType>& kinds,
                       std::string_view pattern, size_t from)
{
    if (pattern.empty())
        return npos;
    for (size_t i = from; i + pattern.size() <= text.size(); ++i)
        if (kinds[i] != core::mbTrailByte &&
            core::AnsiCompareText(std::string_view(text).substr(i, pattern.size()), pattern) == 0)
            return i;
    return npos;
}

// Whether the characters on both sides of text[at, at + length) are neither
// letters nor digits (a double-byte character before it is taken whole).
bool StandsAlone(const AnsiString& text, const std::vector<core::TMbcsByteType>& kinds, size_t at, size_t length)
{
    int charLength;
    if (at > 0) {
        size_t before = at - 1;
        if (kinds[before] == core::mbTrailByte)
            --before;
        if (IsLetterOrDigit(core::DecodeAnsiChar(text, before, charLength)))
            return false;
    }
    return at + length >= text.size() || !IsLetterOrDigit(core::DecodeAnsiChar(text, at + length, charLength));
}

// The first of the names that stands as a whole word: each entry's long name,
// else its short one, entries in order. Answers the entry's index, or -1.
template <size_t N>
int FindName(const AnsiString& text, const std::array<AnsiString, N>& longNames,
             const std::array<AnsiString, N>& shortNames, size_t& at, size_t& length)
{
    std::vector<core::TMbcsByteType> kinds = CharKinds(text);
    for (size_t index = 0; index < N; ++index) {
        for (const AnsiString* name : {&longNames[index], &shortNames[index]}) {
            for (size_t p = FindAtCharStart(text, kinds, *name, 0); p != npos;
                 p = FindAtCharStart(text, kinds, *name, p + 1)) {
                if (StandsAlone(text, kinds, p, name->size())) {
                    at = p;
                    length = name->size();
                    return static_cast<int>(index);
                }
            }
        }
    }
    return -1;
}

// The first "YY"-like token of a format at a character start, or npos.
size_t FindInFormat(const AnsiString& format, std::string_view token)
{
    return FindAtCharStart(format, CharKinds(format), token, 0);
}

}  // namespace

TtsDateOrder DateOrder(const core::TFormatSettings& settings)
{
    for (char c : core::UpperCase(settings.ShortDateFormat)) {
        switch (c) {
        case 'D':
            return doDMY;
        case 'M':
            return doMDY;
        case 'Y':
        case 'E':
            return doYMD;
        default:
            break;
        }
    }
    return doMDY;
}

AnsiString DateFormatText(bool fourDigitYear, const core::TFormatSettings& settings)
{
    const AnsiString format = core::UpperCase(settings.ShortDateFormat);
    const AnsiString day = format.find("DD") != npos ? "DD" : "D";
    const AnsiString month = format.find("MM") != npos ? "MM" : "M";
    const AnsiString year = fourDigitYear || format.find("YYY") != npos ? "YYYY" : "YY";
    const char sep = settings.DateSeparator;
    switch (DateOrder(settings)) {
    case doYMD:
        return year + sep + month + sep + day;
    case doDMY:
        return day + sep + month + sep + year;
    case doMDY:
        break;
    }
    return month + sep + day + sep + year;
}

int NextDigitPos(const AnsiString& text, int i)
{
    const int length = static_cast<int>(std::min<size_t>(text.size(), INT32_MAX));
    i = std::max(i, 1);
    while (i <= length && !IsDigit(text[i - 1]))
        i += CharKindAt(text, i - 1) == core::mbLeadByte ? 2 : 1;
    return i;
}

AnsiString TypedYear(const AnsiString& text, const core::TFormatSettings& settings)
{
    std::vector<AnsiString> runs;
    const int length = static_cast<int>(std::min<size_t>(text.size(), INT32_MAX));
    for (int p = NextDigitPos(text, 1); p <= length && runs.size() < 3; p = NextDigitPos(text, p)) {
        int end = DigitRunEnd(text, p, 1);
        if (end == p) {
            // A digit byte that is the second half of a double-byte
            // character: no run starts there.
            ++p;
            continue;
        }
        runs.push_back(text.substr(static_cast<size_t>(p - 1), static_cast<size_t>(end - p)));
        p = end;
    }
    size_t wanted = DateOrder(settings) == doYMD ? 0 : 2;
    return wanted < runs.size() ? runs[wanted] : AnsiString();
}

core::TDateTime TextToDateTime(const AnsiString& text, const core::TFormatSettings& settings)
{
    AnsiString t = core::Trim(text);
    size_t firstNonDigit = t.find_first_not_of("0123456789");
    if (!t.empty() && firstNonDigit == npos) {
        // A day number; one outside the calendar is no date.
        int day;
        if (!core::TryStrToInt(t, day) || day < -693593 || day > 2958465)
            throw core::EConvertError("'%s' is not a valid date", t);
        return day;
    }
    if (firstNonDigit != npos && t[firstNonDigit] == settings.TimeSeparator)
        return core::StrToTime(t, settings);

    size_t at, length;
    int month = FindName(t, settings.LongMonthNames, settings.ShortMonthNames, at, length);
    if (month >= 0)
        t.replace(at, length, core::IntToStr(month + 1));
    if (FindName(t, settings.LongDayNames, settings.ShortDayNames, at, length) >= 0)
        t.erase(at, length);
    core::TDateTime value = core::StrToDateTime(t, settings);

    int year, monthRead, day, thisYear, thisMonth, today;
    core::DecodeDate(value, year, monthRead, day);
    core::DecodeDate(core::Date(), thisYear, thisMonth, today);
    if (year / 100 != thisYear / 100)
        return value;
    // The reading may have put a year typed with three or more digits into
    // the current century; the typed digits win.
    AnsiString typed = TypedYear(t, settings);
    if (typed.size() <= 2)
        return value;
    int typedYear = core::StrToInt(typed.substr(0, 4));
    core::TDateTime date;
    if (typedYear == 0 || typedYear == year || !core::TryEncodeDate(typedYear, monthRead, day, date))
        return value;
    core::TDateTime timeOfDay = value - std::floor(value);
    return date < 0 ? date - timeOfDay : date + timeOfDay;
}

core::TDateTime ValueToDateTime(const core::Variant& value, const core::TFormatSettings& settings)
{
    if (value.IsString()) {
        AnsiString text = value.AsString();
        if (!core::Trim(text).empty()) {
            try {
                return TextToDateTime(text, settings);
            } catch (const core::EConvertError&) {
                // Unreadable text counts as no date: the current one.
            }
        }
    } else if (value.VarType() == core::varDouble || value.VarType() == core::varDate) {
        return value.AsFloat();
    }
    return core::Now();
}

AnsiString WidenYear(const AnsiString& format)
{
    size_t at = FindInFormat(format, "YY");
    if (at == npos || (at + 2 < format.size() && (format[at + 2] == 'Y' || format[at + 2] == 'y')))
        return format;
    AnsiString result = format;
    result.insert(at + 2, "yy");
    return result;
}

AnsiString RemoveAmPm(const AnsiString& format)
{
    for (std::string_view token : {"am/pm", "a/p", "ampm"}) {
        size_t at = FindInFormat(format, token);
        if (at != npos) {
            AnsiString result = format;
            result.erase(at, token.size());
            return core::Trim(result);
        }
    }
    return format;
}

bool HasAmPm(const core::TFormatSettings& settings)
{
    return !settings.TimeAMString.empty() || !settings.TimePMString.empty();
}

}  // namespace grid
