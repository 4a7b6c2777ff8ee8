#pragma once

#include <string_view>

#include "platform/core/Forward.h"

namespace core {

// Strip codes 0 to 32.
AnsiString Trim(std::string_view text);
AnsiString TrimLeft(std::string_view text);
AnsiString TrimRight(std::string_view text);

// ASCII-only case mapping: bytes of double-byte characters are left alone.
AnsiString UpperCase(std::string_view text);
AnsiString LowerCase(std::string_view text);

// Ordinal comparisons giving <0, 0 or >0. CompareText folds ASCII letters;
// AnsiCompareText folds them too but never inside a double-byte character.
int CompareStr(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
int AnsiCompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

// Replace every (or the first) occurrence of `from` by `to`.
AnsiString StringReplace(std::string_view text, std::string_view from, std::string_view to, bool all = true);

// Quoting as the classic runtime writes strings: the quote doubled inside.
AnsiString QuotedStr(std::string_view text, char quote = '\'');

}  // namespace core
