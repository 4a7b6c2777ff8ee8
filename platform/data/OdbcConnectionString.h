#pragma once

#include <string_view>

#include "platform/core/Forward.h"

namespace data {

// Builds the attribute string of SQLDriverConnect: `KEY=value;` pairs. A
// value that holds one of []{}(),;?*=!@ or has blanks at either end goes in
// braces; any other is written as it stands, because some drivers (psqlODBC
// for DSN and UID) take braces literally where they do not expect them.
//
// Inside braces the general rule writes "}" twice. The FreeTDS driver of
// Debian 12 (1.3.17) reads a braced value up to the first "};" instead and
// keeps "}}" as it stands, so for it a "}" is written once and a value
// holding "};" cannot be passed at all (EDatabaseError says so). Every pair
// ends with ";" so that a braced value at the end is read alike by both.
class OdbcConnectionString {
public:
    enum BraceRule { brStandard, brFreeTds };

    explicit OdbcConnectionString(BraceRule rule = brStandard) : rule_(rule) {}

    // A value written as it stands (for driver names and numbers).
    OdbcConnectionString& AddPlain(std::string_view key, std::string_view value);
    // A value written in braces where it needs them.
    OdbcConnectionString& Add(std::string_view key, std::string_view value);

    const core::AnsiString& Text() const { return text_; }

private:
    BraceRule rule_;
    core::AnsiString text_;
};

}  // namespace data
