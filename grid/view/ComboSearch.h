#pragma once

// How a combo list is searched for the text of its cell, and how that text is
// completed from the list: window-free, so that the rules can be checked on
// plain tables of values.

#include <functional>
#include <optional>
#include <string_view>

#include "platform/core/EnumType.h"
#include "platform/core/Forward.h"

namespace grid {

using core::AnsiString;

CORE_ENUM(TtsComboCompareType, ctCaseSensitive, ctCaseInsensitive, ctOwn);
CORE_ENUM(TtsComboAutoSearchType, asNone, asTop, asBottom, asCenter);
CORE_ENUM(TtsConvertCase, afcOnEdit, afcOnExit, afcNone);

// Compares `value` (a list value) with `text` over at most `len` bytes,
// stopping after the end of `text`: < 0, 0 or > 0 like a string comparison.
// Case-insensitive comparison folds a to z of single-byte characters only;
// the trail byte of a double-byte character is never folded (it may lie in
// the range of the letters). With `len` 0 two empty strings are equal and a
// non-empty one is greater than an empty one.
int ComboCompareText(std::string_view value, std::string_view text, int len, TtsComboCompareType type);

// The outcome of a search: the row (0: none) and whether it matched.
struct TtsComboFound {
    int Row = 0;
    bool Hit = false;
};

// A list as the search sees it: its rows' compared values (the value column
// as text) and the comparison of its CompareType.
class TtsComboSearch {
public:
    using ValueOf = std::function<AnsiString(int row)>;
    using Compare = std::function<int(const AnsiString& value, const AnsiString& text, int len)>;

    TtsComboSearch(int rowCount, ValueOf valueOf, Compare compare)
        : rows_(rowCount), valueOf_(std::move(valueOf)), compare_(std::move(compare))
    {
    }

    // Looks for `text`. `wholeText` asks for a row matching the whole text
    // (completion); otherwise one character of match is enough.
    //   Unsorted: the first row with the longest match, the scan ending at a
    //   row that matches the whole text; nothing found gives row 0.
    //   Sorted: bisection; an exact hit ends it; nothing found gives the row
    //   before the insertion point.
    //   Empty text: row 1 without a hit. An empty list: row 0.
    TtsComboFound Find(const AnsiString& text, bool sorted, bool wholeText) const;

    // Whether the row's value starts with `prefix` (compared as the list
    // compares).
    bool StartsWith(int row, const AnsiString& prefix) const;
    // The first row after `after` (wrapping round to row 1) whose value
    // starts with `prefix`; 0 when there is none.
    int NextStartingWith(int after, const AnsiString& prefix) const;

    int RowCount() const { return rows_; }
    AnsiString ValueOfRow(int row) const { return valueOf_(row); }

private:
    bool Matches(const AnsiString& value, const AnsiString& text, int& len) const;

    int rows_;
    ValueOf valueOf_;
    Compare compare_;
};

// The top row that shows `row` as AutoSearch asks in a list showing
// `dropDownRows` rows (not limited to the list's rows).
int ComboTopRowFor(int row, TtsComboAutoSearchType autoSearch, int dropDownRows);

// What completing `text` with the list's `found` value gives, or nothing when
// the text stays. `atExit` is the check at the end of an edit (afcOnExit).
// `startsWith` tells whether `found` starts with `text` by the list's
// comparison.
std::optional<AnsiString> ComboCompletion(const AnsiString& text, const AnsiString& found, bool startsWith,
                                          TtsConvertCase convertCase, bool atExit);

}  // namespace grid
