#include "grid/view/ComboSearch.h"

#include <algorithm>

#include "platform/core/CodePage.h"

namespace grid {

namespace {

unsigned char Fold(unsigned char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

}  // namespace

int ComboCompareText(std::string_view value, std::string_view text, int len, TtsComboCompareType type)
{
    if (len <= 0) {
        if (value.empty() == text.empty())
            return 0;
        return value.empty() ? -1 : 1;
    }
    bool trail = false;  // the byte at i is the second byte of a character
    for (int i = 0; i < len; ++i) {
        auto at = [i](std::string_view s) {
            return static_cast<size_t>(i) < s.size() ? static_cast<unsigned char>(s[i]) : static_cast<unsigned char>(0);
        };
        unsigned char a = at(value), b = at(text);
        if (type == ctCaseInsensitive && !trail) {
            a = Fold(a);
            b = Fold(b);
        }
        if (a != b)
            return static_cast<int>(a) - static_cast<int>(b);
        if (static_cast<size_t>(i) >= text.size())
            break;
        // Equal so far, so both strings have their characters at the same
        // places.
        trail = !trail && core::IsLeadByte(static_cast<char>(b)) && static_cast<size_t>(i + 1) < text.size();
    }
    return 0;
}

bool TtsComboSearch::Matches(const AnsiString& value, const AnsiString& text, int& len) const
{
    len = static_cast<int>(std::min(value.size(), text.size()));
    return compare_(value, text, len) == 0;
}

TtsComboFound TtsComboSearch::Find(const AnsiString& text, bool sorted, bool wholeText) const
{
    if (rows_ <= 0)
        return {};
    if (text.empty())
        return {1, false};
    const int textLen = static_cast<int>(text.size());
    int minimum = wholeText ? textLen : 1;
    if (!sorted) {
        int best = 0, bestLen = 0;
        for (int row = 1; row <= rows_; ++row) {
            int len = 0;
            if (!Matches(valueOf_(row), text, len) || len <= bestLen)
                continue;
            best = row;
            bestLen = len;
            if (len == textLen)
                break;
        }
        if (best && bestLen >= minimum)
            return {best, true};
        return {};
    }
    int lo = 1, hi = rows_, found = 0;
    while (lo <= hi) {
        int mid = lo + (hi - lo) / 2;
        AnsiString value = valueOf_(mid);
        int len = static_cast<int>(std::min(value.size(), text.size()));
        int c = compare_(value, text, len);
        if (c > 0) {
            hi = mid - 1;
        } else if (c < 0 || len < minimum) {
            lo = mid + 1;
        } else {
            found = mid;
            minimum = len;
            if (value.size() > text.size())
                hi = mid - 1;
            else if (value.size() < text.size())
                lo = mid + 1;
            else
                break;  // the value is the text itself: nothing better exists
        }
    }
    if (found)
        return {found, true};
    return {std::clamp(lo - 1, 1, rows_), false};
}

bool TtsComboSearch::StartsWith(int row, const AnsiString& prefix) const
{
    AnsiString value = valueOf_(row);
    return value.size() >= prefix.size() && compare_(value, prefix, static_cast<int>(prefix.size())) == 0;
}

int TtsComboSearch::NextStartingWith(int after, const AnsiString& prefix) const
{
    for (int i = 1; i <= rows_; ++i) {
        int row = (std::max(after, 0) + i - 1) % rows_ + 1;
        if (StartsWith(row, prefix))
            return row;
    }
    return 0;
}

int ComboTopRowFor(int row, TtsComboAutoSearchType autoSearch, int dropDownRows)
{
    switch (autoSearch) {
    case asBottom: return row - dropDownRows + 1;
    case asCenter: return row - (dropDownRows - 1) / 2;
    default: return row;
    }
}

std::optional<AnsiString> ComboCompletion(const AnsiString& text, const AnsiString& found, bool startsWith,
                                          TtsConvertCase convertCase, bool atExit)
{
    if (found.empty() || text.empty() || !startsWith || found.size() < text.size())
        return std::nullopt;
    if (found.size() == text.size()) {
        if (found == text)
            return std::nullopt;
        if (atExit || convertCase == afcOnEdit)
            return found;
        return std::nullopt;
    }
    if (atExit)
        return std::nullopt;
    if (convertCase == afcOnEdit)
        return found;
    return text + found.substr(text.size());
}

}  // namespace grid
