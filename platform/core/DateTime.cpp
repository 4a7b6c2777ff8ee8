#include "platform/core/DateTime.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <string_view>

#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"
#include "platform/core/StrUtils.h"

// Sections: the calendar (day numbers and dates), splitting a value into day
// and milliseconds, the local clock, FormatDateTime's writer, and the scanner
// behind the StrTo* functions.

namespace core {

namespace {

constexpr int64_t kMSecsPerDay = 86400000;
// Days from 0001-01-01 to 1899-12-30, the day numbered 0.
constexpr int64_t kEpochOffset = 693593;
constexpr int64_t kFirstDay = -kEpochOffset;  // 0001-01-01
constexpr int64_t kLastDay = 2958465;         // 9999-12-31

// ---- Calendar ----------------------------------------------------------

int64_t DayNumber(int year, int month, int day)
{
    int64_t before = year - 1;
    int64_t days = before * 365 + before / 4 - before / 100 + before / 400;
    for (int m = 1; m < month; ++m)
        days += DaysInMonth(year, m);
    return days + day - 1 - kEpochOffset;
}

// The year and the 0-based day within it of a day counted from 0001-01-01.
// Cycles of 400, 100, 4 and 1 years; the last year of each cycle is the one
// that may be a day longer, hence the caps at 3.
void SplitYears(int64_t days, int& year, int& dayOfYear)
{
    int64_t cycles400 = days / 146097;
    days %= 146097;
    int64_t centuries = std::min<int64_t>(days / 36524, 3);
    days -= centuries * 36524;
    int64_t cycles4 = days / 1461;
    days %= 1461;
    int64_t years = std::min<int64_t>(days / 365, 3);
    days -= years * 365;
    year = static_cast<int>(cycles400 * 400 + centuries * 100 + cycles4 * 4 + years + 1);
    dayOfYear = static_cast<int>(days);
}

bool DayToDate(int64_t dayNumber, int& year, int& month, int& day)
{
    if (dayNumber < kFirstDay || dayNumber > kLastDay)
        return false;
    int dayOfYear;
    SplitYears(dayNumber + kEpochOffset, year, dayOfYear);
    month = 1;
    while (dayOfYear >= DaysInMonth(year, month))
        dayOfYear -= DaysInMonth(year, month++);
    day = dayOfYear + 1;
    return true;
}

// ---- Values --------------------------------------------------------------

// A value as its day number and the milliseconds into that day. The whole
// value is rounded to milliseconds first, so a time a hair before midnight
// moves to the next day instead of showing as 24:00:00.
struct DayAndTime {
    bool valid = false;
    int64_t day = 0;
    int msec = 0;
};

DayAndTime Split(TDateTime value)
{
    // Far outside the date range the product below would lose its meaning.
    if (!std::isfinite(value) || std::fabs(value) > 1e7)
        return {};
    int64_t total = std::llround(value * kMSecsPerDay);
    int64_t rest = total % kMSecsPerDay;
    return {true, total / kMSecsPerDay, static_cast<int>(rest < 0 ? -rest : rest)};
}

// 1 = Sunday .. 7 = Saturday; day 0, 1899-12-30, was a Saturday.
int WeekDay(int64_t day)
{
    return static_cast<int>(((day - 1) % 7 + 7) % 7) + 1;
}

// Days before day 0 carry their time of day away from zero.
TDateTime Combine(int64_t day, int msec)
{
    double time = static_cast<double>(msec) / kMSecsPerDay;
    return day < 0 ? static_cast<double>(day) - time : static_cast<double>(day) + time;
}

int MSecOfDay(int hour, int minute, int second, int msec)
{
    return ((hour * 60 + minute) * 60 + second) * 1000 + msec;
}

// ---- Clock ---------------------------------------------------------------

DayAndTime ReadClock()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    // A leap second is shown as the last second of its minute.
    int second = std::min(local.tm_sec, 59);
    int msec = static_cast<int>(now.tv_nsec / 1000000);
    return {true, DayNumber(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
            MSecOfDay(local.tm_hour, local.tm_min, second, msec)};
}

int CurrentYear()
{
    int year, month, day;
    DayToDate(ReadClock().day, year, month, day);
    return year;
}

// ---- FormatDateTime --------------------------------------------------------

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool StartsWithNoCase(std::string_view text, size_t at, std::string_view word)
{
    if (text.size() - at < word.size())
        return false;
    for (size_t i = 0; i < word.size(); ++i)
        if (Lower(text[at + i]) != word[i])
            return false;
    return true;
}

// Which am/pm token starts at `at`, and how long it is (0 for none).
enum class AmPmToken { None, Letters, Letter, Strings };

AmPmToken AmPmAt(std::string_view format, size_t at, size_t& length)
{
    if (StartsWithNoCase(format, at, "am/pm")) {
        length = 5;
        return AmPmToken::Letters;
    }
    if (StartsWithNoCase(format, at, "a/p")) {
        length = 3;
        return AmPmToken::Letter;
    }
    if (StartsWithNoCase(format, at, "ampm")) {
        length = 4;
        return AmPmToken::Strings;
    }
    length = 0;
    return AmPmToken::None;
}

// Where a literal that starts at `at` ends: a quoted run, or one character
// (two bytes for a double-byte one, whose trail byte may look like a token).
size_t LiteralEnd(std::string_view format, size_t at)
{
    char c = format[at];
    if (c == '\'' || c == '"') {
        size_t close = format.find(c, at + 1);
        return close == std::string_view::npos ? format.size() : close + 1;
    }
    if (IsLeadByte(c) && at + 1 < format.size())
        return at + 2;
    return at + 1;
}

// An h token shows the 12-hour clock when an am/pm token follows it.
bool AmPmFollows(std::string_view format, size_t from)
{
    for (size_t i = from; i < format.size();) {
        size_t length;
        if (AmPmAt(format, i, length) != AmPmToken::None)
            return true;
        i = LiteralEnd(format, i);
    }
    return false;
}

struct Fields {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0, msec = 0;
    int dayOfWeek = 0;  // 1 = Sunday, 0 when the value is no date
    bool midnight = true;
};

Fields FieldsOf(TDateTime value)
{
    Fields f;
    DayAndTime split = Split(value);
    if (!split.valid)
        return f;
    if (DayToDate(split.day, f.year, f.month, f.day))
        f.dayOfWeek = WeekDay(split.day);
    f.hour = split.msec / 3600000;
    f.minute = split.msec / 60000 % 60;
    f.second = split.msec / 1000 % 60;
    f.msec = split.msec % 1000;
    f.midnight = split.msec == 0;
    return f;
}

class DateTimeWriter {
public:
    DateTimeWriter(const Fields& fields, const TFormatSettings& settings) : f_(fields), s_(settings) {}

    void Write(std::string_view format, int depth);
    AnsiString Take() { return std::move(out_); }

private:
    // Nested formats (c, ddddd, t...) are followed this deep and no deeper, so
    // a format that names itself cannot recurse for ever.
    static constexpr int kMaxDepth = 3;

    size_t WriteAt(std::string_view format, size_t at, int depth);
    void WriteRun(std::string_view format, size_t at, size_t count, int depth);
    void WriteAmPm(std::string_view format, size_t at, AmPmToken token);
    void WriteLiteral(std::string_view format, size_t at, size_t end);
    void WriteNumber(int value, size_t minDigits);
    void WriteName(const AnsiString* names, int count, int index);
    void WriteDay(size_t count, int depth);
    void WriteMonth(size_t count);

    const Fields& f_;
    const TFormatSettings& s_;
    AnsiString out_;
    bool afterHour_ = false;  // the last token was h or hh: m means minutes
};

void DateTimeWriter::Write(std::string_view format, int depth)
{
    if (depth > kMaxDepth)
        return;
    for (size_t i = 0; i < format.size();)
        i = WriteAt(format, i, depth);
}

size_t DateTimeWriter::WriteAt(std::string_view format, size_t at, int depth)
{
    char c = Lower(format[at]);
    size_t length;
    AmPmToken token = AmPmAt(format, at, length);
    if (token != AmPmToken::None) {
        WriteAmPm(format, at, token);
        afterHour_ = false;
        return at + length;
    }
    if (c == '/' || c == ':') {
        out_ += c == '/' ? s_.DateSeparator : s_.TimeSeparator;
        return at + 1;
    }
    if (std::string_view("cdmyhnszt").find(c) == std::string_view::npos) {
        size_t end = LiteralEnd(format, at);
        WriteLiteral(format, at, end);
        return end;
    }
    // 'c' stands alone; the other letters count their run.
    size_t count = 1;
    while (c != 'c' && at + count < format.size() && Lower(format[at + count]) == c)
        ++count;
    WriteRun(format, at, count, depth);
    return at + count;
}

void DateTimeWriter::WriteRun(std::string_view format, size_t at, size_t count, int depth)
{
    bool minutesAllowed = afterHour_;
    afterHour_ = false;
    switch (Lower(format[at])) {
    case 'c':
        Write(s_.ShortDateFormat, depth + 1);
        if (!f_.midnight) {
            out_ += ' ';
            Write(s_.LongTimeFormat, depth + 1);
        }
        break;
    case 'd':
        WriteDay(count, depth);
        break;
    case 'm':
        if (minutesAllowed && count <= 2)
            WriteNumber(f_.minute, count);
        else
            WriteMonth(count);
        break;
    case 'y':
        if (count <= 2)
            WriteNumber(f_.year % 100, 2);
        else
            WriteNumber(f_.year, 4);
        break;
    case 'h': {
        int hour = f_.hour;
        if (AmPmFollows(format, at + count))
            hour = hour % 12 == 0 ? 12 : hour % 12;
        WriteNumber(hour, std::min<size_t>(count, 2));
        afterHour_ = true;
        break;
    }
    case 'n':
        WriteNumber(f_.minute, std::min<size_t>(count, 2));
        break;
    case 's':
        WriteNumber(f_.second, std::min<size_t>(count, 2));
        break;
    case 'z':
        WriteNumber(f_.msec, count >= 3 ? 3 : 1);
        break;
    case 't':
        Write(count == 1 ? s_.ShortTimeFormat : s_.LongTimeFormat, depth + 1);
        break;
    }
}

void DateTimeWriter::WriteDay(size_t count, int depth)
{
    switch (count) {
    case 1:
    case 2:
        WriteNumber(f_.day, count);
        break;
    case 3:
        WriteName(s_.ShortDayNames.data(), 7, f_.dayOfWeek);
        break;
    case 4:
        WriteName(s_.LongDayNames.data(), 7, f_.dayOfWeek);
        break;
    case 5:
        Write(s_.ShortDateFormat, depth + 1);
        break;
    default:
        Write(s_.LongDateFormat, depth + 1);
        break;
    }
}

void DateTimeWriter::WriteMonth(size_t count)
{
    if (count <= 2)
        WriteNumber(f_.month, count);
    else if (count == 3)
        WriteName(s_.ShortMonthNames.data(), 12, f_.month);
    else
        WriteName(s_.LongMonthNames.data(), 12, f_.month);
}

// The letters of "am/pm" and "a/p" are copied from the format, so the case
// written there is the case shown.
void DateTimeWriter::WriteAmPm(std::string_view format, size_t at, AmPmToken token)
{
    bool pm = f_.hour >= 12;
    switch (token) {
    case AmPmToken::Letters:
        out_ += format.substr(at + (pm ? 3 : 0), 2);
        break;
    case AmPmToken::Letter:
        out_ += format[at + (pm ? 2 : 0)];
        break;
    case AmPmToken::Strings:
        out_ += pm ? s_.TimePMString : s_.TimeAMString;
        break;
    case AmPmToken::None:
        break;
    }
}

void DateTimeWriter::WriteLiteral(std::string_view format, size_t at, size_t end)
{
    char c = format[at];
    if (c == '\'' || c == '"') {
        // Drop the quotes; an unclosed quote runs to the end of the format.
        bool closed = end > at + 1 && format[end - 1] == c;
        out_ += format.substr(at + 1, end - at - 1 - (closed ? 1 : 0));
    } else {
        out_ += format.substr(at, end - at);
    }
}

void DateTimeWriter::WriteNumber(int value, size_t minDigits)
{
    AnsiString digits = std::to_string(value);
    if (digits.size() < minDigits)
        digits.insert(0, minDigits - digits.size(), '0');
    out_ += digits;
}

// `index` counts from 1; out-of-range indexes (a value that is no date) show nothing.
void DateTimeWriter::WriteName(const AnsiString* names, int count, int index)
{
    if (index >= 1 && index <= count)
        out_ += names[index - 1];
}

// ---- Parsing ---------------------------------------------------------------

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

// Reads text left to right; every step either consumes what it asks for or
// leaves the position where it was.
class TextScanner {
public:
    explicit TextScanner(std::string_view text) : text_(text) {}

    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    void Skip() { ++pos_; }

    bool SkipBlanks()
    {
        size_t start = pos_;
        while (!AtEnd() && IsBlank(text_[pos_]))
            ++pos_;
        return pos_ > start;
    }

    bool Char(char a, char b)
    {
        if (AtEnd() || (text_[pos_] != a && text_[pos_] != b))
            return false;
        ++pos_;
        return true;
    }

    // An unsigned number of 1 to maxDigits digits, not followed by another digit.
    bool Number(int maxDigits, int& value, int& digits)
    {
        size_t start = pos_;
        value = 0;
        while (!AtEnd() && IsDigit(text_[pos_]) && static_cast<int>(pos_ - start) < maxDigits)
            value = value * 10 + (text_[pos_++] - '0');
        digits = static_cast<int>(pos_ - start);
        if (digits == 0 || (!AtEnd() && IsDigit(text_[pos_]))) {
            pos_ = start;
            return false;
        }
        return true;
    }

    bool Number(int maxDigits, int& value)
    {
        int digits;
        return Number(maxDigits, value, digits);
    }

    // A word at the position, ASCII letters in any case (never folding the
    // trail byte of a double-byte character).
    bool Word(std::string_view word)
    {
        if (word.empty() || text_.size() - pos_ < word.size()
            || AnsiCompareText(text_.substr(pos_, word.size()), word) != 0)
            return false;
        pos_ += word.size();
        return true;
    }

private:
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

    std::string_view text_;
    size_t pos_ = 0;
};

enum class DateOrder { YMD, DMY, MDY };

// The first of y, m and d in the short date format decides the order.
DateOrder OrderOf(std::string_view format)
{
    for (size_t i = 0; i < format.size(); i = LiteralEnd(format, i)) {
        switch (Lower(format[i])) {
        case 'y':
            return DateOrder::YMD;
        case 'd':
            return DateOrder::DMY;
        case 'm':
            return DateOrder::MDY;
        }
    }
    return DateOrder::MDY;
}

bool IsDateSeparator(char c, const TFormatSettings& s)
{
    return c == s.DateSeparator || c == '/' || c == '-' || c == '.';
}

// Up to three numbers of at most four digits, one separator between them.
bool ScanDateNumbers(std::string_view text, const TFormatSettings& s, int (&numbers)[3], int (&digits)[3], int& count)
{
    TextScanner scan(text);
    char separator = 0;
    for (count = 0; count < 3; ++count) {
        if (count > 0) {
            char c = scan.Peek();
            if (scan.AtEnd() || !IsDateSeparator(c, s) || (separator && c != separator))
                break;
            separator = c;
            scan.Skip();
        }
        if (!scan.Number(4, numbers[count], digits[count]))
            return false;
    }
    return scan.AtEnd() && count >= 2;
}

int ExpandYear(int year, int digits, const TFormatSettings& s)
{
    if (digits > 2)
        return year;
    // The year lands in the hundred years that start at the pivot, which may
    // lie in the previous century ("99" is 1999 when the pivot is 1976).
    int pivot = CurrentYear();
    if (s.TwoDigitYearCenturyWindow > 0)
        pivot -= s.TwoDigitYearCenturyWindow;
    year += pivot / 100 * 100;
    if (s.TwoDigitYearCenturyWindow > 0 && year < pivot)
        year += 100;
    return year;
}

bool ScanDate(std::string_view text, const TFormatSettings& s, int64_t& dayNumber)
{
    int numbers[3], digits[3], count;
    if (!ScanDateNumbers(text, s, numbers, digits, count))
        return false;
    // Where year, month and day stand among three numbers, per order.
    struct Places {
        int year, month, day;
    };
    static const Places three[] = {{0, 1, 2}, {2, 1, 0}, {2, 0, 1}};  // YMD, DMY, MDY
    DateOrder order = OrderOf(s.ShortDateFormat);
    Places at = three[static_cast<int>(order)];
    if (count == 2)
        at = order == DateOrder::DMY ? Places{-1, 1, 0} : Places{-1, 0, 1};
    if (digits[at.month] > 2 || digits[at.day] > 2)
        return false;
    int year = at.year < 0 ? CurrentYear() : ExpandYear(numbers[at.year], digits[at.year], s);
    TDateTime value;
    if (!TryEncodeDate(year, numbers[at.month], numbers[at.day], value))
        return false;
    dayNumber = static_cast<int64_t>(value);
    return true;
}

// -1 without an AM/PM word, 0 for AM, 1 for PM.
int ScanAmPm(TextScanner& scan, const TFormatSettings& s)
{
    if (scan.Word(s.TimeAMString) || scan.Word("AM"))
        return 0;
    if (scan.Word(s.TimePMString) || scan.Word("PM"))
        return 1;
    return -1;
}

bool ScanTime(std::string_view text, const TFormatSettings& s, int& msecOfDay)
{
    TextScanner scan(text);
    int amPm = ScanAmPm(scan, s);
    if (amPm >= 0)
        scan.SkipBlanks();
    int hour, minute, second = 0, msec = 0;
    if (!scan.Number(2, hour) || !scan.Char(s.TimeSeparator, ':') || !scan.Number(2, minute))
        return false;
    if (scan.Char(s.TimeSeparator, ':')) {
        if (!scan.Number(2, second))
            return false;
        if (scan.Char('.', s.DecimalSeparator) && !scan.Number(3, msec))
            return false;
    }
    scan.SkipBlanks();
    if (amPm < 0 && !scan.AtEnd())
        amPm = ScanAmPm(scan, s);
    if (!scan.AtEnd())
        return false;
    if (amPm >= 0) {
        if (hour > 12)
            return false;
        hour = amPm == 1 ? (hour % 12) + 12 : hour % 12;
    }
    if (hour > 23 || minute > 59 || second > 59)
        return false;
    msecOfDay = MSecOfDay(hour, minute, second, msec);
    return true;
}

bool ScanDateTime(std::string_view text, const TFormatSettings& s, TDateTime& value)
{
    int64_t day;
    int msec;
    if (ScanDate(text, s, day)) {
        value = Combine(day, 0);
        return true;
    }
    size_t blank = 0;
    while (blank < text.size() && !IsBlank(text[blank]))
        ++blank;
    if (blank < text.size() && ScanDate(text.substr(0, blank), s, day)
        && ScanTime(TrimLeft(text.substr(blank)), s, msec)) {
        value = Combine(day, msec);
        return true;
    }
    if (ScanTime(text, s, msec)) {
        value = Combine(0, msec);
        return true;
    }
    return false;
}

}  // namespace

// ---- Public functions ------------------------------------------------------

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& value)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    value = static_cast<TDateTime>(DayNumber(year, month, day));
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime value;
    if (!TryEncodeDate(year, month, day, value))
        throw EConvertError(AnsiString("Invalid argument to date encode"));
    return value;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day)
{
    DayAndTime split = Split(value);
    if (!split.valid || !DayToDate(split.day, year, month, day))
        year = month = day = 0;
}

bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& value)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || msec < 0 || msec > 999)
        return false;
    value = static_cast<double>(MSecOfDay(hour, minute, second, msec)) / kMSecsPerDay;
    return true;
}

TDateTime EncodeTime(int hour, int minute, int second, int msec)
{
    TDateTime value;
    if (!TryEncodeTime(hour, minute, second, msec, value))
        throw EConvertError(AnsiString("Invalid argument to time encode"));
    return value;
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec)
{
    Fields f = FieldsOf(value);
    hour = f.hour;
    minute = f.minute;
    second = f.second;
    msec = f.msec;
}

int DayOfWeek(TDateTime value)
{
    DayAndTime split = Split(value);
    return split.valid ? WeekDay(split.day) : 0;
}

TDateTime Date()
{
    return Combine(ReadClock().day, 0);
}

TDateTime Time()
{
    return Combine(0, ReadClock().msec);
}

TDateTime Now()
{
    DayAndTime now = ReadClock();
    return Combine(now.day, now.msec);
}

AnsiString FormatDateTime(const AnsiString& format, TDateTime value, const TFormatSettings& s)
{
    Fields fields = FieldsOf(value);
    DateTimeWriter writer(fields, s);
    writer.Write(format.empty() ? std::string_view("c") : std::string_view(format), 0);
    return writer.Take();
}

AnsiString DateToStr(TDateTime value, const TFormatSettings& s)
{
    return FormatDateTime("ddddd", value, s);
}

AnsiString TimeToStr(TDateTime value, const TFormatSettings& s)
{
    return FormatDateTime("tt", value, s);
}

AnsiString DateTimeToStr(TDateTime value, const TFormatSettings& s)
{
    return FormatDateTime("c", value, s);
}

bool TryStrToDate(const AnsiString& text, TDateTime& value, const TFormatSettings& s)
{
    int64_t day;
    if (!ScanDate(Trim(text), s, day))
        return false;
    value = Combine(day, 0);
    return true;
}

TDateTime StrToDate(const AnsiString& text, const TFormatSettings& s)
{
    TDateTime value;
    if (!TryStrToDate(text, value, s))
        throw EConvertError("'%s' is not a valid date", text);
    return value;
}

bool TryStrToTime(const AnsiString& text, TDateTime& value, const TFormatSettings& s)
{
    int msec;
    if (!ScanTime(Trim(text), s, msec))
        return false;
    value = Combine(0, msec);
    return true;
}

TDateTime StrToTime(const AnsiString& text, const TFormatSettings& s)
{
    TDateTime value;
    if (!TryStrToTime(text, value, s))
        throw EConvertError("'%s' is not a valid time", text);
    return value;
}

bool TryStrToDateTime(const AnsiString& text, TDateTime& value, const TFormatSettings& s)
{
    return ScanDateTime(Trim(text), s, value);
}

TDateTime StrToDateTime(const AnsiString& text, const TFormatSettings& s)
{
    TDateTime value;
    if (!TryStrToDateTime(text, value, s))
        throw EConvertError("'%s' is not a valid date and time", text);
    return value;
}

}  // namespace core
