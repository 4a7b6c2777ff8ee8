#pragma once

#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/core/Forward.h"

namespace data {

// A connection string in the OLE DB syntax: `key=value` pairs separated by
// semicolons.
//
// Reading: keys are matched without regard to case and lose surrounding
// blanks (blanks inside, as in "Data Source", stay); a value loses its
// surrounding blanks unless it is enclosed in double or single quotes, in
// which the enclosing quote is written twice; "==" in a key stands for one
// "="; an "=" in a value is taken as it stands. Empty segments are skipped,
// a later pair replaces an earlier one of the same key, and a segment
// without "=" (or with an empty key, or with text after a closing quote, or
// with an unclosed quote) is refused with EDatabaseError "Format of the
// initialization string is not valid starting at index N", N counting bytes from 0 at the start of the bad segment.
//
// Writing quotes a value only where it must be: when it holds a ";", has
// blanks at either end, starts or ends with a quote, or starts with "=". Double quotes
// enclose it unless it holds a double quote and no single one.
class TConnectionString {
public:
    using Pair = std::pair<core::AnsiString, core::AnsiString>;

    TConnectionString() = default;
    static TConnectionString Parse(std::string_view text);

    // The pairs in order of their last occurrence.
    const std::vector<Pair>& Pairs() const { return pairs_; }
    bool Has(std::string_view key) const;
    // The value of a key, or empty text when it is missing.
    core::AnsiString Value(std::string_view key) const;
    // The value of whichever of several synonyms ("Data Source", "Server")
    // came last; empty when none is there.
    core::AnsiString ValueOf(std::initializer_list<std::string_view> synonyms) const;
    // Replaces the value of a key in place, or adds the pair at the end.
    void SetValue(std::string_view key, const core::AnsiString& value);
    void Remove(std::string_view key);

    // The pairs written back as text, each followed by ";" but the last.
    core::AnsiString Text() const;
    // How one value is written: as it stands, or quoted where it must be.
    static core::AnsiString QuoteValue(std::string_view value);
    // The value in quotes whatever it holds, read back as it stands: double
    // quotes unless it holds a double quote and no single one, the enclosing
    // quote written twice inside.
    static core::AnsiString EncloseValue(std::string_view value);
    static core::AnsiString QuoteKey(std::string_view key);

private:
    int IndexOf(std::string_view key) const;

    std::vector<Pair> pairs_;
};

}  // namespace data
