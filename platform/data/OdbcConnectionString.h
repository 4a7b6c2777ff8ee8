#pragma once

#include <string_view>

#include "platform/core/Forward.h"

namespace data {

// Builds the attribute string of SQLDriverConnect: `KEY=value;` pairs, every
// value in braces so that ";", "=" and blanks pass unchanged.
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
    // A value written in braces.
    OdbcConnectionString& Add(std::string_view key, std::string_view value);

    const core::AnsiString& Text() const { return text_; }

private:
    BraceRule rule_;
    core::AnsiString text_;
};

}  // namespace data
