#include "platform/data/ConnectionString.h"

#include <algorithm>

#include "platform/core/Exception.h"
#include "platform/core/StrUtils.h"

namespace data {

using core::AnsiString;

namespace {

// Every byte of a double-byte character is 0x40 or above, so the
// delimiters and blanks below never match half of one.
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool IsQuote(char c)
{
    return c == '"' || c == '\'';
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

[[noreturn]] void BadFormat(size_t index)
{
    throw core::EDatabaseError(
        "Format of the initialization string is not valid starting at index %d",
        static_cast<int64_t>(index));
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    TConnectionString Run()
    {
        TConnectionString result;
        while (SkipEmptySegments()) {
            size_t start = pos_;
            AnsiString key = ReadKey(start);
            AnsiString value = ReadValue(start);
            result.Remove(key);
            result.SetValue(key, value);
        }
        return result;
    }

private:
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return text_[pos_]; }

    void SkipBlanks()
    {
        while (!AtEnd() && IsBlank(Peek()))
            ++pos_;
    }

    // Moves to the start of the next pair; false at the end of the text.
    bool SkipEmptySegments()
    {
        for (;;) {
            SkipBlanks();
            if (AtEnd())
                return false;
            if (Peek() != ';')
                return true;
            ++pos_;
        }
    }

    AnsiString ReadKey(size_t start)
    {
        AnsiString key;
        for (;;) {
            if (AtEnd() || Peek() == ';')
                BadFormat(start);
            if (Peek() == '=') {
                if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '=') {
                    key += '=';
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                break;
            }
            key += Peek();
            ++pos_;
        }
        std::string_view trimmed = TrimBlanks(key);
        if (trimmed.empty())
            BadFormat(start);
        return AnsiString(trimmed);
    }

    AnsiString ReadValue(size_t start)
    {
        SkipBlanks();
        if (!AtEnd() && IsQuote(Peek()))
            return ReadQuoted(start);
        size_t begin = pos_;
        while (!AtEnd() && Peek() != ';')
            ++pos_;
        std::string_view value = TrimBlanks(text_.substr(begin, pos_ - begin));
        // A quote may stand inside an unquoted value but not at its end,
        // where it would look like the close of a quote never opened.
        if (!value.empty() && IsQuote(value.back()))
            BadFormat(start);
        if (!AtEnd())
            ++pos_;
        return AnsiString(value);
    }

    AnsiString ReadQuoted(size_t start)
    {
        char quote = Peek();
        ++pos_;
        AnsiString value;
        for (;;) {
            if (AtEnd())
                BadFormat(start);
            char c = Peek();
            ++pos_;
            if (c != quote) {
                value += c;
                continue;
            }
            if (!AtEnd() && Peek() == quote) {
                value += quote;
                ++pos_;
                continue;
            }
            break;
        }
        SkipBlanks();
        if (!AtEnd()) {
            if (Peek() != ';')
                BadFormat(start);
            ++pos_;
        }
        return value;
    }

    std::string_view text_;
    size_t pos_ = 0;
};

}  // namespace

TConnectionString TConnectionString::Parse(std::string_view text)
{
    return Parser(text).Run();
}

int TConnectionString::IndexOf(std::string_view key) const
{
    for (size_t i = 0; i < pairs_.size(); ++i)
        if (core::SameText(pairs_[i].first, key))
            return static_cast<int>(i);
    return -1;
}

bool TConnectionString::Has(std::string_view key) const
{
    return IndexOf(key) >= 0;
}

AnsiString TConnectionString::Value(std::string_view key) const
{
    int index = IndexOf(key);
    return index < 0 ? AnsiString() : pairs_[static_cast<size_t>(index)].second;
}

AnsiString TConnectionString::ValueOf(std::initializer_list<std::string_view> synonyms) const
{
    int best = -1;
    for (std::string_view key : synonyms)
        best = std::max(best, IndexOf(key));
    return best < 0 ? AnsiString() : pairs_[static_cast<size_t>(best)].second;
}

void TConnectionString::SetValue(std::string_view key, const AnsiString& value)
{
    int index = IndexOf(key);
    if (index < 0)
        pairs_.emplace_back(AnsiString(key), value);
    else
        pairs_[static_cast<size_t>(index)].second = value;
}

void TConnectionString::Remove(std::string_view key)
{
    int index = IndexOf(key);
    if (index >= 0)
        pairs_.erase(pairs_.begin() + index);
}

AnsiString TConnectionString::QuoteKey(std::string_view key)
{
    return core::StringReplace(key, "=", "==");
}

AnsiString TConnectionString::QuoteValue(std::string_view value)
{
    // A leading "=" would join the key's "=" into "==", which reads as an
    // "=" inside the key.
    bool needsQuotes = value.find(';') != std::string_view::npos ||
                       (!value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) ||
                                           IsQuote(value.front()) || IsQuote(value.back()) || value.front() == '='));
    return needsQuotes ? EncloseValue(value) : AnsiString(value);
}

AnsiString TConnectionString::EncloseValue(std::string_view value)
{
    bool hasDouble = value.find('"') != std::string_view::npos;
    bool hasSingle = value.find('\'') != std::string_view::npos;
    char quote = hasDouble && !hasSingle ? '\'' : '"';
    return core::QuotedStr(value, quote);
}

AnsiString TConnectionString::Text() const
{
    AnsiString text;
    for (const Pair& pair : pairs_) {
        if (!text.empty())
            text += ';';
        text += QuoteKey(pair.first) + "=" + QuoteValue(pair.second);
    }
    return text;
}

}  // namespace data
