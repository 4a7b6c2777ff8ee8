#include "platform/core/StrUtils.h"

#include "platform/core/CodePage.h"

namespace core {

namespace {

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

char FoldAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

}  // namespace

AnsiString TrimLeft(std::string_view text)
{
    size_t start = 0;
    while (start < text.size() && IsBlank(text[start]))
        ++start;
    return AnsiString(text.substr(start));
}

AnsiString TrimRight(std::string_view text)
{
    size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1]))
        --end;
    return AnsiString(text.substr(0, end));
}

AnsiString Trim(std::string_view text)
{
    return TrimLeft(TrimRight(text));
}

namespace {

// Maps the single-byte characters of `text`; the two bytes of a double-byte
// character stay as they are, even where the second looks like a letter.
template <typename F>
AnsiString MapSingleBytes(std::string_view text, F map)
{
    AnsiString out(text);
    for (size_t i = 0; i < out.size(); ++i) {
        if (IsLeadByte(out[i]) && i + 1 < out.size())
            ++i;
        else
            out[i] = map(out[i]);
    }
    return out;
}

}  // namespace

AnsiString UpperCase(std::string_view text)
{
    return MapSingleBytes(text, [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
}

AnsiString LowerCase(std::string_view text)
{
    return MapSingleBytes(text, [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
}

int CompareStr(std::string_view a, std::string_view b)
{
    return Sign(a.compare(b));
}

int CompareText(std::string_view a, std::string_view b)
{
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(FoldAscii(a[i]));
        unsigned char y = static_cast<unsigned char>(FoldAscii(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return Sign(static_cast<int>(a.size()) - static_cast<int>(b.size()));
}

int AnsiCompareText(std::string_view a, std::string_view b)
{
    size_t i = 0;
    for (; i < a.size() && i < b.size(); ++i) {
        bool lead = IsLeadByte(a[i]) && IsLeadByte(b[i]);
        unsigned char x = static_cast<unsigned char>(FoldAscii(a[i]));
        unsigned char y = static_cast<unsigned char>(FoldAscii(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
        // The trail byte of a double-byte character is compared as it stands.
        if (lead && i + 1 < a.size() && i + 1 < b.size()) {
            ++i;
            if (a[i] != b[i])
                return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[i]) ? -1 : 1;
        }
    }
    return Sign(static_cast<int>(a.size()) - static_cast<int>(b.size()));
}

bool SameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && CompareText(a, b) == 0;
}

AnsiString StringReplace(std::string_view text, std::string_view from, std::string_view to, bool all)
{
    if (from.empty())
        return AnsiString(text);
    AnsiString out;
    size_t pos = 0;
    while (true) {
        size_t hit = text.find(from, pos);
        if (hit == std::string_view::npos)
            break;
        out.append(text.substr(pos, hit - pos)).append(to);
        pos = hit + from.size();
        if (!all)
            break;
    }
    return out.append(text.substr(pos));
}

AnsiString QuotedStr(std::string_view text, char quote)
{
    AnsiString out(1, quote);
    for (char c : text) {
        out += c;
        if (c == quote)
            out += quote;
    }
    return out + quote;
}

}  // namespace core
