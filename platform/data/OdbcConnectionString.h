#pragma once

#include <string_view>

#include "platform/core/Forward.h"

namespace data {

// Builds the attribute string of SQLDriverConnect: `KEY=value;` pairs. A
// value that holds one of []{}(),;?*=!@, a control character, or has blanks
// at either end goes in braces; any other is written as it stands, because
// some drivers (psqlODBC for DSN and UID) take braces literally where they
// do not expect them.
//
// Inside braces the general rule writes "}" twice. The FreeTDS route cannot
// carry a "}" at all: unixODBC's driver manager ends a braced value at the
// first "}", while the FreeTDS driver of Debian 12 (1.3.17) reads it up to
// the first "};" and keeps "}}" as it stands. The two would read different
// keys out of one string, and a value such as `a}DRIVER=/x.so;c=` would make
// the manager load a library of the typist's choice. So with brFreeTds a
// value holding "}" is refused. Every pair ends with ";" so that a braced
// value at the end is read alike by both.
//
// No route carries a NUL: the driver reads a value only up to it, so a value
// holding one is refused rather than cut. A value longer than the limit
// given to Add is refused rather than left to the driver, which may cut it.
// Refusals raise EDatabaseError and add nothing.
class OdbcConnectionString {
public:
    enum BraceRule { brStandard, brFreeTds };

    explicit OdbcConnectionString(BraceRule rule = brStandard) : rule_(rule) {}

    // A value written as it stands (for driver names and numbers).
    OdbcConnectionString& AddPlain(std::string_view key, std::string_view value);
    // A value written in braces where it needs them; `maxBytes` bounds it.
    OdbcConnectionString& Add(std::string_view key, std::string_view value, size_t maxBytes = 1024);

    const core::AnsiString& Text() const { return text_; }

    // Raises EDatabaseError naming `key` when `value` holds a NUL or is
    // longer than `maxBytes`: what no ODBC route can carry whole.
    static void CheckValue(std::string_view key, std::string_view value, size_t maxBytes);

private:
    BraceRule rule_;
    core::AnsiString text_;
};

}  // namespace data
