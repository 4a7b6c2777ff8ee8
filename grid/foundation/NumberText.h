#pragma once

#include "platform/core/FormatSettings.h"
#include "platform/core/Forward.h"

namespace grid {

// Finding and stepping the number under the caret, for spin buttons. Text
// positions count characters (bytes) from 1; a caret position counts the
// bytes before the caret. Number characters are the digits, "+", "-" and
// the locale's thousands and decimal separators; a byte of a double-byte
// character is never one. Float text is the platform's general format with
// 15 significant digits, so 1.1 + 0.1 gives "1.2".

// From `i`, moves by `step` (+1 or -1) while `i` lies within the text and
// the character there is a single-byte decimal digit (a number character
// for NumberRunEnd); answers the first position that fails. A `step` of 0
// answers `i`.
int DigitRunEnd(const core::AnsiString& text, int i, int step);
int NumberRunEnd(const core::AnsiString& text, int i, int step,
                 const core::TFormatSettings& settings = core::FormatSettings());

// Removes the thousands separators of the leading number (an optional sign,
// then digits in groups) when its grouping is valid: a first group of at
// least one digit and every later group of exactly three. Answers whether
// any were removed; an invalid grouping leaves the text as it was.
bool StripThousands(core::AnsiString& text, const core::TFormatSettings& settings = core::FormatSettings());
// Groups the leading run of digits by thousands (a text that does not start
// with a digit is left alone).
void InsertThousands(core::AnsiString& text, const core::TFormatSettings& settings = core::FormatSettings());

// The number text plus `x`, grouped again when it was grouped; an empty text
// gives the text of `x`, a text that is no number comes back unchanged.
core::AnsiString AddToNumberText(const core::AnsiString& text, double x,
                                 const core::TFormatSettings& settings = core::FormatSettings());
// Whether the text, without its thousands grouping, reads as a float.
bool IsNumberText(const core::AnsiString& text, const core::TFormatSettings& settings = core::FormatSettings());

// Finds the number around caret position `pos` (clamped to the text): the
// run of number characters around the caret when it reads as a number, else
// the run of digits around it with a sign directly before it (unless a digit
// stands before the sign). `start` (from 1) and `len` receive where it is;
// without a number, the caret's place and 0.
bool NumberAt(const core::AnsiString& text, int pos, int& start, int& len,
              const core::TFormatSettings& settings = core::FormatSettings());
// The spin step: adds `x` to the number at the caret, keeping at least as
// many decimals as it had, and answers the text with the new number in its
// place; `len` becomes the new number's length. A text without a number at
// the caret comes back unchanged.
core::AnsiString StepNumberAt(const core::AnsiString& text, int pos, int& start, int& len, double x,
                              const core::TFormatSettings& settings = core::FormatSettings());
// The new number text with at least the old one's decimals (the decimal
// separator and zeros appended as needed).
core::AnsiString KeepDecimals(const core::AnsiString& oldText, const core::AnsiString& newText,
                              const core::TFormatSettings& settings = core::FormatSettings());
// KeepDecimals, then as many characters before the decimal separator as the
// old text had: a thousands separator where the old text has one at that
// place, else "0", put after the new text's sign when it has one.
core::AnsiString KeepWidth(const core::AnsiString& oldText, const core::AnsiString& newText,
                           const core::TFormatSettings& settings = core::FormatSettings());

}  // namespace grid
