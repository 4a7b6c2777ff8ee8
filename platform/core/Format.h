#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <variant>

#include "platform/core/Forward.h"

namespace core {

// One argument of Format: an integer, a float or a text.
class FormatArg {
public:
    template <typename T>
        requires std::is_integral_v<T>
    FormatArg(T value) : value_(static_cast<int64_t>(value)) {}
    FormatArg(double value) : value_(value) {}
    FormatArg(const char* value) : value_(AnsiString(value ? value : "")) {}
    FormatArg(AnsiString value) : value_(std::move(value)) {}

    const std::variant<int64_t, double, AnsiString>& Value() const { return value_; }

private:
    std::variant<int64_t, double, AnsiString> value_;
};

// Formats like the classic runtime: %d, %u, %x, %X, %s, %f, %e, %g, %n and
// %%, each with optional '-', width and '.precision'. A directive that does
// not fit its argument, or a missing argument, raises EConvertError.
AnsiString FormatArgs(const AnsiString& format, std::initializer_list<FormatArg> args);

template <typename... Args>
AnsiString Format(const AnsiString& format, const Args&... args)
{
    return FormatArgs(format, {FormatArg(args)...});
}

}  // namespace core
