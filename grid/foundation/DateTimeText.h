#pragma once

#include "platform/core/DateTime.h"
#include "platform/core/FormatSettings.h"
#include "platform/core/Forward.h"

namespace grid {

// Typed date-time text and the formats a date-time cell shows, by the
// locale's settings. Text positions count bytes from 1.

// The order of the parts of a date, as the short date format has them.
enum TtsDateOrder { doYMD = 0, doMDY = 1, doDMY = 2 };

// The first of the letters D, M, Y or E (either case) in the short date
// format decides; a format without any of them gives month-day-year.
TtsDateOrder DateOrder(const core::TFormatSettings& settings = core::FormatSettings());
// A date format in the locale's order, such as "YYYY-MM-DD" or "M/D/YY": day
// and month with two letters when the short date format has two, the year
// with four when `fourDigitYear` is true or the short date format has at
// least three, joined with the date separator.
core::AnsiString DateFormatText(bool fourDigitYear, const core::TFormatSettings& settings = core::FormatSettings());
// The position of the next decimal digit at or after `i`, stepping over a
// double-byte character whole; a position past the end when there is none.
int NextDigitPos(const core::AnsiString& text, int i);
// The year as typed: of the first three runs of digits, the first in
// year-month-day order, else the third; empty when there is no such run.
core::AnsiString TypedYear(const core::AnsiString& text,
                           const core::TFormatSettings& settings = core::FormatSettings());

// Reads typed date-time text (blanks around it ignored): digits alone are a
// day number; a text whose first non-digit is the time separator is a time;
// any other text has its first month name (a whole word) replaced by the
// month's number and its first day name removed, and is read as a date and
// time. A year read in the current century gives way to a typed year of
// more than two digits. Unreadable text raises core::EConvertError.
core::TDateTime TextToDateTime(const core::AnsiString& text,
                               const core::TFormatSettings& settings = core::FormatSettings());
// A cell value as a date-time: text that is not blank is read as above; a
// double or a date is its number; unreadable text and any other value give
// the current date and time.
core::TDateTime ValueToDateTime(const core::Variant& value,
                                const core::TFormatSettings& settings = core::FormatSettings());

// The first "YY" (either case) not followed by a third Y becomes a four-digit year.
core::AnsiString WidenYear(const core::AnsiString& format);
// Removes the first of "am/pm", "a/p" and "ampm" (either case) and the
// blanks around what is left; a format without any of them is unchanged.
core::AnsiString RemoveAmPm(const core::AnsiString& format);
// Whether the locale has an AM or a PM text.
bool HasAmPm(const core::TFormatSettings& settings = core::FormatSettings());

}  // namespace grid
