#include <charconv>
#include <cmath>
#include <cstring>
#include <type_traits>

#include "platform/core/CodePage.h"
#include "platform/core/Component.h"
#include "platform/core/Exception.h"
#include "platform/core/Stream.h"
#include "platform/filing/ExtendedFloat.h"
#include "platform/filing/Reader.h"
#include "platform/filing/TextConvert.h"

// The text form printer: reads the binary stream value by value through a
// reader (which checks every length against the stream) and prints the
// layout that form descriptions have: two spaces per level, one property per
// line, long strings and binary data wrapped, lists and collections opened
// at the end of the property's line and closed right after their last item.

namespace filing {

namespace {

constexpr size_t StringChunk = 64;  // characters per line of a long string
constexpr size_t BinaryChunk = 32;  // bytes per line of binary data

bool IsDottedIdent(std::string_view name)
{
    if (name.empty())
        return false;
    size_t begin = 0;
    for (;;) {
        size_t dot = name.find('.', begin);
        if (!core::IsValidIdent(name.substr(begin, dot - begin)))
            return false;
        if (dot == std::string_view::npos)
            return true;
        begin = dot + 1;
    }
}

AnsiString Printable(std::string_view name)
{
    AnsiString shown;
    for (char c : name.substr(0, 40))
        shown += (c >= 0x20 && c < 0x7F) ? c : '?';
    return shown;
}

// The shortest text that reads back as exactly `value` in type T: the fixed
// layout with 18 decimals when it is exact, else the shortest round trip in
// scientific form (never without a point or exponent, which would read as
// an integer).
template <typename T>
AnsiString FormatReal(T value)
{
    char buffer[160];
    if (std::fabs(static_cast<long double>(value)) < 1e18L) {
        auto fixed = std::to_chars(buffer, buffer + sizeof buffer, static_cast<long double>(value),
                                   std::chars_format::fixed, 18);
        if (fixed.ec == std::errc()) {
            // Read back as the text form's reader will read it.
            std::string_view text(buffer, static_cast<size_t>(fixed.ptr - buffer));
            T back = 0;
            if constexpr (std::is_same_v<T, float>)
                ParseFloat(text, back);
            else if constexpr (std::is_same_v<T, double>)
                ParseDouble(text, back);
            else
                ParseLongDouble(text, back);
            if (back == value && std::signbit(back) == std::signbit(value))
                return AnsiString(buffer, fixed.ptr);
        }
    }
    auto shortest = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    return AnsiString(buffer, shortest.ptr);
}

class BinaryPrinter {
public:
    BinaryPrinter(TReader& reader) : reader_(reader) {}

    AnsiString Print()
    {
        reader_.ReadSignature();
        PrintObject(0);
        return std::move(out_);
    }

private:
    class DepthGuard {
    public:
        DepthGuard(BinaryPrinter& p) : p_(p)
        {
            if (++p_.depth_ > MaxNestingDepth)
                p_.reader_.Error("Nesting too deep", p_.reader_.Position());
        }
        ~DepthGuard() { --p_.depth_; }

    private:
        BinaryPrinter& p_;
    };

    void Indent(int indent) { out_.append(static_cast<size_t>(indent), ' '); }

    AnsiString CheckName(const AnsiString& name, int64_t offset, bool dotted)
    {
        if (!(dotted ? IsDottedIdent(name) : core::IsValidIdent(name)))
            reader_.Error("Name '" + Printable(name) + "' cannot be written as text", offset);
        return name;
    }

    void PrintObject(int indent)
    {
        DepthGuard guard(*this);
        int childPos;
        TFilerFlags flags = reader_.ReadPrefix(childPos);
        int64_t offset = reader_.Position();
        AnsiString className = CheckName(reader_.ReadStr(), offset, false);
        offset = reader_.Position();
        AnsiString name = reader_.ReadStr();
        Indent(indent);
        out_ += flags.Contains(ffInline) ? "inline " : flags.Contains(ffInherited) ? "inherited " : "object ";
        if (!name.empty())
            out_ += CheckName(name, offset, false) + ": ";
        out_ += className;
        if (childPos >= 0)
            out_ += " [" + std::to_string(childPos) + "]";
        out_ += "\n";
        while (!reader_.EndOfList())
            PrintProperty(indent + 2);
        reader_.ReadListEnd();
        while (!reader_.EndOfList())
            PrintObject(indent + 2);
        reader_.ReadListEnd();
        Indent(indent);
        out_ += "end\n";
    }

    void PrintProperty(int indent)
    {
        int64_t offset = reader_.Position();
        AnsiString name = CheckName(reader_.ReadStr(), offset, true);
        Indent(indent);
        out_ += name + " = ";
        PrintValue(indent, false);
        out_ += "\n";
    }

    // `ownLine`: the value starts a line of its own (a list item) rather
    // than following "Name = ".
    void PrintValue(int indent, bool ownLine)
    {
        int64_t offset = reader_.Position();
        TValueType type = reader_.NextValue();
        switch (type) {
        case vaNull:
        case vaFalse:
        case vaTrue:
        case vaNil:
            out_ += reader_.ReadIdent();
            break;
        case vaIdent:
            reader_.ReadValue();
            out_ += CheckName(reader_.ReadStr(), offset, true);
            break;
        case vaInt8:
        case vaInt16:
        case vaInt32:
        case vaInt64:
            out_ += std::to_string(reader_.ReadInt64());
            break;
        case vaExtended: {
            reader_.ReadValue();
            uint8_t raw[10];
            reader_.Read(raw, 10);
            long double value;
            if (!ExtendedToLongDouble(raw, value))
                reader_.Error("A floating point value that is not finite cannot be written as text", offset);
            out_ += FormatReal(value);
            break;
        }
        case vaSingle:
        case vaDate: {
            reader_.ReadValue();
            uint8_t raw[8];
            reader_.Read(raw, type == vaSingle ? 4 : 8);
            float single;
            double dbl;
            std::memcpy(&single, raw, 4);
            std::memcpy(&dbl, raw, 8);
            if (type == vaSingle ? !std::isfinite(single) : !std::isfinite(dbl))
                reader_.Error("A floating point value that is not finite cannot be written as text", offset);
            out_ += type == vaSingle ? FormatReal(single) + "s" : FormatReal(dbl) + "d";
            break;
        }
        case vaCurrency:
            out_ += std::to_string(reader_.ReadCurrency().Scaled) + "c";
            break;
        case vaString:
        case vaLString:
            PrintString(EightBitUnits(reader_.ReadString()), indent, ownLine);
            break;
        case vaWString:
        case vaUString:
        case vaUTF8String:
            PrintString(reader_.ReadWideString(), indent, ownLine);
            break;
        case vaBinary:
            PrintBinary(reader_.ReadBinary(), indent);
            break;
        case vaSet: {
            out_ += "[";
            bool first = true;
            for (const AnsiString& element : reader_.ReadSetNames()) {
                out_ += (first ? "" : ", ") + CheckName(element, offset, false);
                first = false;
            }
            out_ += "]";
            break;
        }
        case vaList: {
            DepthGuard guard(*this);
            reader_.ReadListBegin();
            out_ += "(";
            while (!reader_.EndOfList()) {
                out_ += "\n";
                Indent(indent + 2);
                PrintValue(indent + 2, true);
            }
            reader_.ReadListEnd();
            out_ += ")";
            break;
        }
        case vaCollection:
            PrintCollection(indent);
            break;
        }
    }

    void PrintCollection(int indent)
    {
        DepthGuard guard(*this);
        reader_.ReadValue();
        out_ += "<";
        while (!reader_.EndOfList()) {
            out_ += "\n";
            Indent(indent + 2);
            out_ += "item";
            TValueType next = reader_.NextValue();
            if (next == vaInt8 || next == vaInt16 || next == vaInt32)
                out_ += " [" + std::to_string(reader_.ReadInteger()) + "]";
            out_ += "\n";
            reader_.ReadListBegin();
            while (!reader_.EndOfList())
                PrintProperty(indent + 4);
            reader_.ReadListEnd();
            Indent(indent + 2);
            out_ += "end";
        }
        reader_.ReadListEnd();
        out_ += ">";
    }

    // 8-bit text as UTF-16 units: GBK text decodes; bytes that are not GBK
    // text are kept one unit per byte (they come back as wide text, the
    // known limit of the text form for raw bytes in strings).
    static WideString EightBitUnits(const AnsiString& bytes)
    {
        WideString wide = core::AnsiToWide(bytes);
        if (core::WideToAnsi(wide) == bytes)
            return wide;
        WideString units;
        for (char c : bytes)
            units += static_cast<char16_t>(static_cast<uint8_t>(c));
        return units;
    }

    static AnsiString EncodeChunk(std::u16string_view units)
    {
        AnsiString text;
        bool quoted = false;
        for (char16_t u : units) {
            bool plain = u >= 0x20 && u <= 0x7E && u != '\'';
            if (plain != quoted)
                text += '\'';
            quoted = plain;
            if (plain)
                text += static_cast<char>(u);
            else
                text += "#" + std::to_string(static_cast<unsigned>(u));
        }
        if (quoted)
            text += '\'';
        return text.empty() ? AnsiString("''") : text;
    }

    void PrintString(const WideString& units, int indent, bool ownLine)
    {
        if (units.size() <= StringChunk) {
            out_ += EncodeChunk(units);
            return;
        }
        // "Name = " and then the text on lines of its own, one level deeper.
        int lineIndent = ownLine ? indent : indent + 2;
        for (size_t from = 0; from < units.size(); from += StringChunk) {
            if (from > 0 || !ownLine) {
                if (from > 0)
                    out_ += " +";
                out_ += "\n";
                Indent(lineIndent);
            }
            out_ += EncodeChunk(std::u16string_view(units).substr(from, StringChunk));
        }
    }

    void PrintBinary(const AnsiString& bytes, int indent)
    {
        static const char hex[] = "0123456789ABCDEF";
        out_ += "{";
        bool wrap = bytes.size() > BinaryChunk;
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (wrap && i % BinaryChunk == 0) {
                out_ += "\n";
                Indent(indent + 2);
            }
            auto b = static_cast<uint8_t>(bytes[i]);
            out_ += hex[b >> 4];
            out_ += hex[b & 15];
        }
        out_ += "}";
    }

    TReader& reader_;
    AnsiString out_;
    int depth_ = 0;
};

}  // namespace

void ObjectBinaryToText(core::TStream& input, core::TStream& output)
{
    TReader reader(input);
    AnsiString text = BinaryPrinter(reader).Print();
    output.WriteBuffer(text.data(), static_cast<int>(text.size()));
}

}  // namespace filing
