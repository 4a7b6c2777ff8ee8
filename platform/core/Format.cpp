#include "platform/core/Format.h"

#include <vector>

#include "platform/core/Exception.h"
#include "platform/core/NumberFormat.h"

namespace core {

namespace {

struct Directive {
    bool leftAlign = false;
    int width = -1;
    int precision = -1;
    char type = 0;
};

// Widths and precisions beyond this are refused rather than filling memory.
constexpr int kMaxWidth = 1 << 16;

[[noreturn]] void InvalidFormat(const AnsiString& format)
{
    throw EConvertError("Format '" + format + "' invalid or incompatible with argument");
}

AnsiString Pad(AnsiString text, const Directive& d)
{
    if (d.width < 0 || static_cast<int>(text.size()) >= d.width)
        return text;
    AnsiString fill(d.width - text.size(), ' ');
    return d.leftAlign ? text + fill : fill + text;
}

AnsiString FormatInteger(int64_t value, const Directive& d)
{
    AnsiString digits;
    bool negative = value < 0;
    uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    if (d.type == 'u')
        magnitude = static_cast<uint32_t>(value), negative = false;
    if (d.type == 'x') {
        // Hexadecimal shows the bits of a 32-bit value unless it needs more.
        uint64_t bits = (value >= INT32_MIN && value <= UINT32_MAX) ? static_cast<uint32_t>(value) : static_cast<uint64_t>(value);
        // Both %x and %X write capital digits, as the classic runtime does.
        do {
            digits.insert(digits.begin(), "0123456789ABCDEF"[bits % 16]);
            bits /= 16;
        } while (bits != 0);
        negative = false;
    } else {
        do {
            digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
            magnitude /= 10;
        } while (magnitude != 0);
    }
    // For integers the precision is the minimum number of digits.
    if (d.precision > static_cast<int>(digits.size()))
        digits.insert(0, d.precision - digits.size(), '0');
    return negative ? "-" + digits : digits;
}

AnsiString FormatFloatArg(double value, const Directive& d)
{
    int precision = d.precision;
    if (d.type == 'g') {
        if (precision < 0)
            precision = 15;
        return FloatToStrF(value, ffGeneral, precision, 3);
    }
    if (precision < 0)
        precision = d.type == 'e' ? 15 : 2;
    // For %e the precision counts every digit of the mantissa, the one
    // before the decimal point included.
    if (d.type == 'e')
        return FloatToStrF(value, ffExponent, precision, 3);
    return FloatToStrF(value, d.type == 'n' ? ffNumber : ffFixed, 18, precision);
}

}  // namespace

AnsiString FormatArgs(const AnsiString& format, std::initializer_list<FormatArg> argList)
{
    std::vector<const FormatArg*> args;
    for (const FormatArg& arg : argList)
        args.push_back(&arg);
    AnsiString out;
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (c != '%') {
            out += c;
            continue;
        }
        if (++i >= format.size())
            InvalidFormat(format);
        if (format[i] == '%') {
            out += '%';
            continue;
        }
        Directive d;
        if (format[i] == '-') {
            d.leftAlign = true;
            ++i;
        }
        auto readNumber = [&](int& target) {
            if (i < format.size() && format[i] == '*') {
                if (next >= args.size() || !std::holds_alternative<int64_t>(args[next]->Value()))
                    InvalidFormat(format);
                int64_t given = std::get<int64_t>(args[next++]->Value());
                if (given > kMaxWidth || given < -kMaxWidth)
                    InvalidFormat(format);
                target = static_cast<int>(given);
                ++i;
                return;
            }
            if (i >= format.size() || format[i] < '0' || format[i] > '9')
                return;
            target = 0;
            while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
                target = target * 10 + (format[i++] - '0');
                if (target > kMaxWidth)
                    InvalidFormat(format);
            }
        };
        readNumber(d.width);
        if (i < format.size() && format[i] == '.') {
            ++i;
            d.precision = 0;
            readNumber(d.precision);
        }
        if (i >= format.size() || next >= args.size())
            InvalidFormat(format);
        // Directive letters are case-insensitive.
        d.type = static_cast<char>(format[i] | 0x20);
        const auto& value = args[next++]->Value();
        switch (d.type) {
        case 'd':
        case 'u':
        case 'x':
            if (!std::holds_alternative<int64_t>(value))
                InvalidFormat(format);
            out += Pad(FormatInteger(std::get<int64_t>(value), d), d);
            break;
        case 's':
            if (!std::holds_alternative<AnsiString>(value))
                InvalidFormat(format);
            {
                AnsiString text = std::get<AnsiString>(value);
                if (d.precision >= 0 && static_cast<int>(text.size()) > d.precision)
                    text.resize(d.precision);
                out += Pad(text, d);
            }
            break;
        case 'f':
        case 'e':
        case 'g':
        case 'n':
            if (std::holds_alternative<AnsiString>(value))
                InvalidFormat(format);
            {
                double number = std::holds_alternative<double>(value) ? std::get<double>(value)
                                                                     : static_cast<double>(std::get<int64_t>(value));
                out += Pad(FormatFloatArg(number, d), d);
            }
            break;
        default:
            InvalidFormat(format);
        }
    }
    return out;
}

}  // namespace core
