#pragma once

#include <functional>

#include "controls/EditTypes.h"
#include "platform/core/Forward.h"

namespace controls {

using core::AnsiString;

class TTinyEdit;

// ---- Library-wide settings -----------------------------------------------------
//
// Read each time they are used; a host application may change them at run
// time. This program leaves them as they start.

// The number patterns of fdQty, fdPrice, fdTotal and fdOther ("0.0000").
extern AnsiString QtyFormat;
extern AnsiString PriceFormat;
extern AnsiString TotalFormat;
extern AnsiString OtherFormat;
// The pattern dates are written in by the date checks and the group fill
// ("YYYY-MM-DD").
extern AnsiString DateDisplayFormat;
// ShowHint of new labelled edits, and whether a pick builds the info hint.
extern bool ShowInfoHints;

// The host's record selector: asked by a labelled edit bound to a kind of
// master data to choose a record for it. True means a record was chosen;
// the selector has then filled the edit's RecordData (and normally its Text,
// szID, nID and ROOTID) and made the chosen text the edit's accepted value.
using TBaseInfoSelector = std::function<bool(TTinyEdit* edit, TBaseType baseType)>;
extern TBaseInfoSelector BaseInfoSelector;

// ---- Text and number helpers ---------------------------------------------------

// Empty for 0; otherwise `value` in QtyFormat, with a decimal part of zeros
// cut together with its point (12.0000 gives 12, 12.5000 stays).
AnsiString FormatQty(double value);
// Empty for 0; otherwise `value` in PriceFormat, TotalFormat or OtherFormat.
AnsiString FormatPrice(double value);
AnsiString FormatTotal(double value);
AnsiString FormatOther(double value);
// A number text without its trailing zeros and then without a trailing
// point (12.5000 gives 12.5, 12.000 gives 12); a text without a point stays.
AnsiString TrimZeros(const AnsiString& text);
// The digits 0 to 9 before the first point, in order, as a 32-bit number:
// 12a3.9 gives 123, -5 gives 5; no digits, or too many, give 0.
int DigitsToInt(const AnsiString& text);
// Reads a number out of whatever surrounds it: spaces go; a leading "-" is
// kept only with `keepSign`; then every digit and the first point are kept
// and all else skipped. Nothing left gives 0; a lone point raises
// EConvertError.
double ParseDecimal(const AnsiString& text, bool keepSign);

// The text with the locale's thousands separators taken out where they
// group digits: after a digit and before exactly three digits ("1,234.5"
// gives "1234.5", "1,234,567" gives "1234567"). A separator elsewhere stays,
// so that a comma between a function's arguments keeps its meaning.
AnsiString RemoveThousandSeparators(const AnsiString& text);
// At most `maxBytes` bytes of `text`, one fewer when the cut would split a
// double-byte character.
AnsiString CutAtCharBoundary(const AnsiString& text, size_t maxBytes);

}  // namespace controls
