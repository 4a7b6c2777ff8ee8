#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"
#include "platform/core/Stream.h"
#include "platform/core/StrUtils.h"
#include "platform/filing/ExtendedFloat.h"
#include "platform/filing/TextConvert.h"
#include "platform/filing/Writer.h"

// The text form parser. It writes the binary stream as it goes, through the
// writer's value-level calls, so the two forms cannot drift apart:
//   object := ("object" | "inherited" | "inline") [Name ":"] Class ["[" n "]"]
//             property* object* "end"
//   property := dotted-name "=" value
//   value := integer | float[s|d|c] | string {"+" string} | identifier
//          | "[" names "]" | "(" value* ")" | "<" item* ">" | "{" hex "}"
//   item := "item" ["[" n "]"] property* "end"

namespace filing {

void TLineMap::Add(int64_t offset, int line)
{
    if (!entries_.empty() && entries_.back().first == offset)
        entries_.back().second = line;
    else
        entries_.emplace_back(offset, line);
}

int TLineMap::LineAt(int64_t offset) const
{
    auto it = std::upper_bound(entries_.begin(), entries_.end(), offset,
                               [](int64_t o, const std::pair<int64_t, int>& e) { return o < e.first; });
    return it == entries_.begin() ? 0 : std::prev(it)->second;
}

namespace {

bool IsIdentStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool IsIdentChar(char c)
{
    return IsIdentStart(c) || (c >= '0' && c <= '9');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

class TextParser {
public:
    TextParser(std::string_view text, TWriter& writer, TLineMap* lines)
        : text_(text), writer_(writer), lines_(lines)
    {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") {
            utf8_ = true;
            pos_ = 3;
        }
    }

    void Convert()
    {
        writer_.WriteSignature();
        SkipSpace();
        ConvertObject();
        SkipSpace();
        if (!AtEnd())
            Error("Unexpected " + Found() + " after the last end");
    }

private:
    class DepthGuard {
    public:
        explicit DepthGuard(TextParser& p) : p_(p)
        {
            if (++p_.depth_ > MaxNestingDepth)
                p_.Error("Nesting too deep");
        }
        ~DepthGuard() { --p_.depth_; }

    private:
        TextParser& p_;
    };

    [[noreturn]] void Error(const AnsiString& what) const { Error(what, line_); }
    [[noreturn]] static void Error(const AnsiString& what, int line)
    {
        throw core::EParserError(what + " on line " + std::to_string(line));
    }

    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }

    AnsiString Found() const
    {
        if (AtEnd())
            return "end of text";
        unsigned char c = static_cast<unsigned char>(text_[pos_]);
        if (IsIdentStart(static_cast<char>(c))) {
            size_t end = pos_;
            while (end < text_.size() && IsIdentChar(text_[end]) && end - pos_ < 40)
                ++end;
            return "'" + AnsiString(text_.substr(pos_, end - pos_)) + "'";
        }
        if (c >= 0x20 && c < 0x7F)
            return "'" + AnsiString(1, static_cast<char>(c)) + "'";
        return "character #" + std::to_string(c);
    }

    void SkipSpace()
    {
        while (!AtEnd()) {
            char c = text_[pos_];
            if (c == '\n')
                ++line_;
            else if (c != ' ' && c != '\t' && c != '\r' && c != '\f' && c != '\v')
                return;
            ++pos_;
        }
    }

    void Mark()
    {
        if (lines_)
            lines_->Add(writer_.Position(), line_);
    }

    void Expect(char c)
    {
        SkipSpace();
        if (Peek() != c)
            Error("Expected '" + AnsiString(1, c) + "' but found " + Found());
        ++pos_;
    }

    AnsiString ReadIdent()
    {
        SkipSpace();
        if (!IsIdentStart(Peek()))
            Error("Expected an identifier but found " + Found());
        size_t start = pos_;
        while (!AtEnd() && IsIdentChar(text_[pos_]))
            ++pos_;
        return AnsiString(text_.substr(start, pos_ - start));
    }

    AnsiString ReadDottedIdent()
    {
        AnsiString name = ReadIdent();
        while (Peek() == '.') {
            ++pos_;
            if (!IsIdentStart(Peek()))
                Error("Expected an identifier after '.' but found " + Found());
            name += "." + ReadIdent();
        }
        return name;
    }

    AnsiString CheckName(AnsiString name) const
    {
        if (name.size() > 255)
            Error("Name " + name.substr(0, 32) + "... is longer than 255 characters");
        return name;
    }

    bool AtKeyword(std::string_view keyword)
    {
        SkipSpace();
        size_t end = pos_;
        while (end < text_.size() && IsIdentChar(text_[end]))
            ++end;
        return end - pos_ == keyword.size() && core::SameText(text_.substr(pos_, end - pos_), keyword);
    }

    bool AtObjectKeyword() { return AtKeyword("object") || AtKeyword("inherited") || AtKeyword("inline"); }

    int64_t ReadInteger(int64_t min, int64_t max)
    {
        SkipSpace();
        size_t start = pos_;
        bool negative = Peek() == '-';
        if (negative)
            ++pos_;
        uint64_t magnitude = 0;
        std::from_chars_result result{};
        if (Peek() == '$') {
            ++pos_;
            result = std::from_chars(text_.data() + pos_, text_.data() + text_.size(), magnitude, 16);
        } else {
            result = std::from_chars(text_.data() + pos_, text_.data() + text_.size(), magnitude, 10);
        }
        if (result.ptr == text_.data() + pos_)
            Error("Expected a number but found " + Found());
        pos_ = static_cast<size_t>(result.ptr - text_.data());
        AnsiString number(text_.substr(start, pos_ - start));
        if (result.ec == std::errc::result_out_of_range || magnitude > (negative ? uint64_t{1} << 63 : INT64_MAX))
            Error("Integer " + number + " out of range");
        int64_t value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
        if (value < min || value > max)
            Error("Integer " + number + " out of range");
        return value;
    }

    // --- Objects and properties ---------------------------------------------

    void ConvertObject()
    {
        DepthGuard guard(*this);
        Mark();
        TFilerFlags flags;
        AnsiString keyword = ReadIdent();
        if (core::SameText(keyword, "inherited"))
            flags.Include(ffInherited);
        else if (core::SameText(keyword, "inline"))
            flags.Include(ffInline);
        else if (!core::SameText(keyword, "object"))
            Error("Expected object, inherited or inline but found '" + keyword + "'");
        AnsiString name = ReadIdent();
        AnsiString className = name;
        int classLine = line_;
        SkipSpace();
        if (Peek() == ':') {
            ++pos_;
            className = ReadIdent();
            classLine = line_;
        } else {
            name.clear();
        }
        if (className.size() > MaxClassNameLength)
            Error("Class name " + className.substr(0, 32) + "... is longer than " +
                      std::to_string(MaxClassNameLength) + " characters",
                  classLine);
        int childPos = -1;
        SkipSpace();
        if (Peek() == '[') {
            ++pos_;
            childPos = static_cast<int>(ReadInteger(0, INT32_MAX));
            Expect(']');
        }
        writer_.WritePrefix(flags, childPos);
        writer_.WriteStr(CheckName(className));
        writer_.WriteStr(CheckName(name));
        while (!AtKeyword("end") && !AtObjectKeyword()) {
            if (AtEnd())
                Error("Expected end but found end of text");
            ConvertProperty();
        }
        writer_.WriteListEnd();
        while (!AtKeyword("end")) {
            if (!AtObjectKeyword())
                Error("Expected object or end but found " + Found());
            ConvertObject();
        }
        ReadIdent();  // end
        writer_.WriteListEnd();
    }

    void ConvertProperty()
    {
        SkipSpace();
        Mark();
        AnsiString name = ReadDottedIdent();
        Expect('=');
        writer_.WriteStr(CheckName(name));
        ConvertValue();
    }

    void ConvertValue(bool listItem = false)
    {
        SkipSpace();
        Mark();
        char c = Peek();
        if (c == '-' || c == '$' || IsDigit(c))
            ConvertNumber();
        else if (c == '\'' || c == '#')
            ConvertString();
        else if (c == '[')
            ConvertSet();
        else if (c == '(')
            ConvertList();
        else if (c == '<')
            ConvertCollection();
        else if (c == '{')
            ConvertBinary();
        else if (IsIdentStart(c))
            ConvertIdent(listItem);
        else
            Error("Expected a value but found " + Found());
    }

    // --- Values ------------------------------------------------------------

    void ConvertIdent(bool listItem)
    {
        AnsiString ident = CheckName(ReadDottedIdent());
        // Null is written as the byte that ends a list, so a list cannot hold it.
        if (listItem && core::SameText(ident, "null"))
            Error("A list cannot hold Null");
        writer_.WriteIdent(ident);
    }

    void ConvertNumber()
    {
        size_t start = pos_;
        size_t p = pos_;
        if (p < text_.size() && text_[p] == '-')
            ++p;
        if (p < text_.size() && text_[p] == '$') {
            writer_.WriteInteger(ReadInteger(INT64_MIN, INT64_MAX));
            CheckNumberEnd();
            return;
        }
        auto digits = [&] {
            size_t from = p;
            while (p < text_.size() && IsDigit(text_[p]))
                ++p;
            return p > from;
        };
        if (!digits())
            Error("Expected a number but found " + Found());
        bool isFloat = false;
        if (p < text_.size() && text_[p] == '.') {
            ++p;
            if (!digits())
                Error("Expected digits after the decimal point");
            isFloat = true;
        }
        if (p < text_.size() && (text_[p] == 'e' || text_[p] == 'E')) {
            ++p;
            if (p < text_.size() && (text_[p] == '+' || text_[p] == '-'))
                ++p;
            if (!digits())
                Error("Expected digits in the exponent");
            isFloat = true;
        }
        char suffix = 0;
        if (p < text_.size() && std::string_view("sSdDcC").find(text_[p]) != std::string_view::npos &&
            (p + 1 >= text_.size() || !IsIdentChar(text_[p + 1]))) {
            suffix = static_cast<char>(text_[p] | 0x20);
            isFloat = true;
        }
        if (!isFloat) {
            writer_.WriteInteger(ReadInteger(INT64_MIN, INT64_MAX));
            CheckNumberEnd();
            return;
        }
        AnsiString number(text_.substr(start, p - start));
        long double value = 0;
        if (!ParseLongDouble(number, value))
            Error("Floating point number " + number + " out of range");
        pos_ = p + (suffix ? 1 : 0);
        CheckNumberEnd();
        WriteReal(value, suffix, number);
    }

    void WriteReal(long double value, char suffix, const AnsiString& number)
    {
        switch (suffix) {
        // Single and date values are read from the text in their own type:
        // rounded once, they come back as the number they were printed from.
        case 's': {
            float single = 0;
            if (std::fabs(value) > FLT_MAX || !ParseFloat(number, single))
                Error("Floating point number " + number + " out of range");
            writer_.WriteSingle(single);
            break;
        }
        case 'd': {
            double date = 0;
            if (std::fabs(value) > DBL_MAX || !ParseDouble(number, date))
                Error("Floating point number " + number + " out of range");
            writer_.WriteDate(date);
            break;
        }
        case 'c':
            // The text holds the currency's count of ten-thousandths.
            if (!(std::fabs(value) < 9.2233720368547758e18L))
                Error("Currency " + number + " out of range");
            writer_.WriteCurrency(core::Currency{std::llround(value)});
            break;
        default: {
            writer_.WriteValue(vaExtended);
            uint8_t raw[10];
            LongDoubleToExtended(value, raw);
            writer_.Write(raw, 10);
        }
        }
    }

    void CheckNumberEnd()
    {
        if (IsIdentChar(Peek()) || Peek() == '.')
            Error("Unexpected " + Found() + " after a number");
    }

    // Quoted runs and #N codes, joined by '+' across lines.
    void ConvertString()
    {
        WideString units;
        for (;;) {
            while (Peek() == '\'' || Peek() == '#') {
                if (Peek() == '\'')
                    ReadQuoted(units);
                else
                    ReadCharCode(units);
            }
            SkipSpace();
            if (Peek() != '+')
                break;
            ++pos_;
            SkipSpace();
            if (Peek() != '\'' && Peek() != '#')
                Error("Expected a string after '+' but found " + Found());
        }
        writer_.WriteWideString(units);
    }

    void ReadQuoted(WideString& units)
    {
        ++pos_;
        std::string run;
        for (;;) {
            if (AtEnd() || text_[pos_] == '\n' || text_[pos_] == '\r')
                Error("Unterminated string");
            char c = text_[pos_++];
            if (c == '\'') {
                if (Peek() != '\'')
                    break;
                ++pos_;
            }
            run += c;
        }
        units += utf8_ ? core::Utf8ToWide(run) : core::AnsiToWide(run);
    }

    void ReadCharCode(WideString& units)
    {
        ++pos_;
        uint32_t code = 0;
        const char* first = text_.data() + pos_;
        std::from_chars_result result{};
        if (Peek() == '$') {
            ++first;
            result = std::from_chars(first, text_.data() + text_.size(), code, 16);
        } else {
            result = std::from_chars(first, text_.data() + text_.size(), code, 10);
        }
        if (result.ptr == first)
            Error("Expected a character code after '#' but found " + Found());
        if (result.ec != std::errc() || code > 0xFFFF)
            Error("Character code out of range");
        pos_ = static_cast<size_t>(result.ptr - text_.data());
        units += static_cast<char16_t>(code);
    }

    void ConvertSet()
    {
        ++pos_;
        std::vector<AnsiString> names;
        SkipSpace();
        if (Peek() != ']') {
            for (;;) {
                names.push_back(CheckName(ReadIdent()));
                SkipSpace();
                if (Peek() == ']')
                    break;
                Expect(',');
            }
        }
        ++pos_;
        writer_.WriteSet(names);
    }

    void ConvertList()
    {
        DepthGuard guard(*this);
        ++pos_;
        writer_.WriteListBegin();
        for (SkipSpace(); Peek() != ')'; SkipSpace()) {
            if (AtEnd())
                Error("Expected ')' but found end of text");
            ConvertValue(true);
        }
        ++pos_;
        writer_.WriteListEnd();
    }

    void ConvertCollection()
    {
        DepthGuard guard(*this);
        ++pos_;
        writer_.WriteValue(vaCollection);
        for (SkipSpace(); Peek() != '>'; SkipSpace()) {
            Mark();
            if (!AtKeyword("item"))
                Error("Expected item or '>' but found " + Found());
            ReadIdent();
            SkipSpace();
            if (Peek() == '[') {
                ++pos_;
                writer_.WriteInteger(ReadInteger(INT32_MIN, INT32_MAX));
                Expect(']');
            }
            writer_.WriteListBegin();
            while (!AtKeyword("end")) {
                if (AtEnd())
                    Error("Expected end but found end of text");
                ConvertProperty();
            }
            ReadIdent();  // end
            writer_.WriteListEnd();
        }
        ++pos_;
        writer_.WriteListEnd();
    }

    void ConvertBinary()
    {
        ++pos_;
        std::string bytes;
        int high = -1;
        for (;;) {
            SkipSpace();
            if (AtEnd())
                Error("Expected '}' but found end of text");
            char c = text_[pos_];
            if (c == '}')
                break;
            int digit = IsDigit(c) ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
            if (digit < 0)
                Error("Invalid binary data: " + Found());
            ++pos_;
            if (high < 0) {
                high = digit;
            } else {
                bytes += static_cast<char>(high << 4 | digit);
                high = -1;
            }
        }
        if (high >= 0)
            Error("Binary data has an odd number of hexadecimal digits");
        ++pos_;
        writer_.WriteBinary(bytes.data(), static_cast<int64_t>(bytes.size()));
    }

    std::string_view text_;
    TWriter& writer_;
    TLineMap* lines_;
    size_t pos_ = 0;
    int line_ = 1;
    int depth_ = 0;
    bool utf8_ = false;
};

}  // namespace

void ObjectTextToBinary(core::TStream& input, core::TStream& output, TLineMap* lines)
{
    int64_t size = input.Size() - input.Position();
    std::string text(static_cast<size_t>(std::max<int64_t>(size, 0)), '\0');
    input.ReadBuffer(text.data(), static_cast<int>(text.size()));
    TWriter writer(output);
    TextParser(text, writer, lines).Convert();
}

}  // namespace filing
