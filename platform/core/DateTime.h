#pragma once

#include "platform/core/Forward.h"
#include "platform/core/FormatSettings.h"

namespace core {

// A point in time as the classic runtime keeps it: the integer part counts
// days since 1899-12-30, the fraction is the time of day. Days before
// 1899-12-30 are negative, and their time of day is counted away from zero:
// -1.25 is 1899-12-29 06:00. A value whose integer part is 0 (for example
// -0.5) is always 1899-12-30. Dates run from 0001-01-01 to 9999-12-31.
using TDateTime = double;

// Dates. EncodeDate raises EConvertError("Invalid argument to date encode")
// for a year outside 1..9999 or a month or day that does not exist.
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeDate(int year, int month, int day, TDateTime& value);
// A value outside the date range decodes as 0, 0, 0.
void DecodeDate(TDateTime value, int& year, int& month, int& day);

// Times of day. EncodeTime raises EConvertError("Invalid argument to time
// encode") unless hour < 24, minute < 60, second < 60 and msec < 1000.
TDateTime EncodeTime(int hour, int minute, int second, int msec);
bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& value);
// The time is rounded to the nearest millisecond; a time that rounds up to
// midnight belongs to the next day (DecodeDate agrees).
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec);

bool IsLeapYear(int year);
// 0 for a month outside 1..12.
int DaysInMonth(int year, int month);
// 1 = Sunday .. 7 = Saturday; 0 for a value that is no date (NaN, infinity).
int DayOfWeek(TDateTime value);

// The local clock: today at midnight, the time of day alone, and both.
TDateTime Date();
TDateTime Time();
TDateTime Now();

// Formats with the classic tokens, case-insensitive:
//   c            short date, then a blank and the long time unless midnight
//   d dd         day;  ddd dddd  short, long day name
//   ddddd dddddd short, long date format
//   m mm         month, or minutes right after an h/hh token (only literals
//                between);  mmm mmmm  short, long month name
//   yy yyyy      two-digit, four-digit year
//   h hh  n nn  s ss  z zzz   hour, minute, second, millisecond
//   t tt         short, long time format
//   am/pm a/p    12-hour clock for the h before it; the letters keep the case
//                written in the format;  ampm  TimeAMString / TimePMString
//   /  :         DateSeparator, TimeSeparator
//   '...' "..."  literal text; any other character stands for itself.
// An empty format is taken as "c".
AnsiString FormatDateTime(const AnsiString& format, TDateTime value, const TFormatSettings& s = FormatSettings());
// The short date format.
AnsiString DateToStr(TDateTime value, const TFormatSettings& s = FormatSettings());
// The long time format.
AnsiString TimeToStr(TDateTime value, const TFormatSettings& s = FormatSettings());
// The short date, then " " and the long time when the time is not midnight.
AnsiString DateTimeToStr(TDateTime value, const TFormatSettings& s = FormatSettings());

// Parsing. Blanks around the text are ignored.
//
// A date is two or three unsigned numbers separated by one separator
// character, the same one both times: the DateSeparator, '/', '-' or '.'. The
// order of year, month and day is that of the ShortDateFormat (the first of
// y, m, d in it decides: Y-M-D, D-M-Y or M-D-Y). Two numbers are day and month
// (month first unless the order is D-M-Y) of the current year. A year of one
// or two digits is placed in the century of the pivot year (the current year
// less TwoDigitYearCenturyWindow), then moved to the next one when it lies
// before the pivot (a window of 0 keeps the current century); three or four
// digits are taken as written. Month and day have at most two digits. A date that does not exist
// fails.
//
// A time is h:n, h:n:s or h:n:s.z, with the TimeSeparator or ':' between hour,
// minute and second, and '.' or the DecimalSeparator before the millisecond
// count (1 to 3 digits, the count as written, as the "z" token shows it).
// An AM/PM word (TimeAMString, TimePMString, "AM" or "PM", ASCII letters in
// any case) may stand before or after the time, with or without a blank; with
// it the hour is 0..12 on the 12-hour clock.
//
// A date and time is a date, blanks, then a time; a date alone or a time alone
// (on 1899-12-30) is accepted as well.
TDateTime StrToDate(const AnsiString& text, const TFormatSettings& s = FormatSettings());
bool TryStrToDate(const AnsiString& text, TDateTime& value, const TFormatSettings& s = FormatSettings());
TDateTime StrToTime(const AnsiString& text, const TFormatSettings& s = FormatSettings());
bool TryStrToTime(const AnsiString& text, TDateTime& value, const TFormatSettings& s = FormatSettings());
TDateTime StrToDateTime(const AnsiString& text, const TFormatSettings& s = FormatSettings());
bool TryStrToDateTime(const AnsiString& text, TDateTime& value, const TFormatSettings& s = FormatSettings());

}  // namespace core
