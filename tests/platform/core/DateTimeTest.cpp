#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <ctime>

#include "platform/core/DateTime.h"
#include "platform/core/Exception.h"
#include "platform/core/Format.h"

using namespace core;

namespace {

TDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int msec = 0)
{
    TDateTime date = EncodeDate(year, month, day);
    TDateTime time = EncodeTime(hour, minute, second, msec);
    return date < 0 ? date - time : date + time;
}

// Plain ASCII settings, so that expectations read easily; the separators
// differ from the defaults to show where each one comes from.
TFormatSettings English()
{
    TFormatSettings s;
    s.DateSeparator = '.';
    s.TimeSeparator = '_';
    s.ShortDateFormat = "d/m/yyyy";
    s.LongDateFormat = "dddd, d mmmm yyyy";
    s.ShortTimeFormat = "h:nn";
    s.LongTimeFormat = "h:nn:ss";
    s.TimeAMString = "AM";
    s.TimePMString = "PM";
    s.ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    s.LongMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                        "July",    "August",   "September", "October", "November", "December"};
    s.ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    s.LongDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    return s;
}

TFormatSettings DayFirst()
{
    TFormatSettings s;
    s.ShortDateFormat = "dd/MM/yyyy";
    s.DateSeparator = '/';
    return s;
}

TFormatSettings MonthFirst()
{
    TFormatSettings s;
    s.ShortDateFormat = "M/d/yyyy";
    s.DateSeparator = '/';
    return s;
}

int CurrentYear()
{
    int year, month, day;
    DecodeDate(Date(), year, month, day);
    return year;
}

struct DateCase {
    int year, month, day;
    double serial;
    int dayOfWeek;
};

}  // namespace

TEST(DateTime, EncodesAndDecodesDates)
{
    const DateCase cases[] = {
        {1899, 12, 30, 0, 7},       {1899, 12, 31, 1, 1},       {1900, 1, 1, 2, 2},
        {1900, 2, 28, 60, 4},       {1900, 3, 1, 61, 5},        {2000, 1, 1, 36526, 7},
        {2000, 2, 29, 36585, 3},    {2000, 3, 1, 36586, 4},     {2023, 1, 1, 44927, 1},
        {2024, 2, 29, 45351, 5},    {2024, 12, 31, 45657, 3},   {1899, 12, 29, -1, 6},
        {1800, 1, 1, -36522, 4},    {1752, 9, 14, -53797, 5},   {1600, 2, 29, -109512, 3},
        {1, 1, 1, -693593, 2},      {9999, 12, 31, 2958465, 6},
    };
    for (const DateCase& c : cases) {
        EXPECT_EQ(EncodeDate(c.year, c.month, c.day), c.serial) << c.year << '-' << c.month << '-' << c.day;
        int year, month, day;
        DecodeDate(c.serial, year, month, day);
        EXPECT_EQ(year, c.year) << c.serial;
        EXPECT_EQ(month, c.month) << c.serial;
        EXPECT_EQ(day, c.day) << c.serial;
        EXPECT_EQ(DayOfWeek(c.serial), c.dayOfWeek) << c.serial;
    }
}

TEST(DateTime, EveryDayOfFourHundredYearsRoundTrips)
{
    // One full cycle of the calendar, across the day numbered zero.
    TDateTime first = EncodeDate(1800, 1, 1);
    TDateTime last = EncodeDate(2199, 12, 31);
    int expectedYear = 1800, expectedMonth = 1, expectedDay = 1;
    for (TDateTime serial = first; serial <= last; serial += 1) {
        int year, month, day;
        DecodeDate(serial, year, month, day);
        ASSERT_EQ(year * 10000 + month * 100 + day, expectedYear * 10000 + expectedMonth * 100 + expectedDay)
            << serial;
        ASSERT_EQ(EncodeDate(year, month, day), serial);
        if (++expectedDay > DaysInMonth(expectedYear, expectedMonth)) {
            expectedDay = 1;
            if (++expectedMonth > 12) {
                expectedMonth = 1;
                ++expectedYear;
            }
        }
    }
}

TEST(DateTime, KnowsLeapYearsAndMonthLengths)
{
    struct Case {
        int year;
        bool leap;
        int february;
    };
    const Case cases[] = {{1900, false, 28}, {2000, true, 29}, {2023, false, 28}, {2024, true, 29},
                          {2100, false, 28}, {1600, true, 29}, {4, true, 29},     {1, false, 28}};
    for (const Case& c : cases) {
        EXPECT_EQ(IsLeapYear(c.year), c.leap) << c.year;
        EXPECT_EQ(DaysInMonth(c.year, 2), c.february) << c.year;
    }
    EXPECT_EQ(DaysInMonth(2023, 1), 31);
    EXPECT_EQ(DaysInMonth(2023, 4), 30);
    EXPECT_EQ(DaysInMonth(2023, 12), 31);
    EXPECT_EQ(DaysInMonth(2023, 13), 0);
}

TEST(DateTime, RejectsDatesThatDoNotExist)
{
    const int cases[][3] = {{2023, 2, 29}, {1900, 2, 29}, {2023, 4, 31}, {2023, 13, 1}, {2023, 0, 1},
                            {2023, 1, 0},  {2023, 1, 32}, {0, 1, 1},     {10000, 1, 1}, {-1, 1, 1}};
    for (const auto& c : cases) {
        TDateTime value = 123;
        EXPECT_FALSE(TryEncodeDate(c[0], c[1], c[2], value)) << c[0] << '-' << c[1] << '-' << c[2];
        EXPECT_EQ(value, 123);
        try {
            EncodeDate(c[0], c[1], c[2]);
            ADD_FAILURE() << "no error for " << c[0] << '-' << c[1] << '-' << c[2];
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "Invalid argument to date encode");
        }
    }
}

TEST(DateTime, EncodesAndDecodesTimes)
{
    struct Case {
        int hour, minute, second, msec;
        double value;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 0.0},
        {6, 0, 0, 0, 0.25},
        {12, 0, 0, 0, 0.5},
        {18, 0, 0, 0, 0.75},
        {0, 0, 0, 1, 1.0 / 86400000},
        {14, 7, 9, 45, (((14 * 60 + 7) * 60 + 9) * 1000 + 45) / 86400000.0},
        {23, 59, 59, 999, 86399999 / 86400000.0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(EncodeTime(c.hour, c.minute, c.second, c.msec), c.value);
        int hour, minute, second, msec;
        DecodeTime(c.value, hour, minute, second, msec);
        EXPECT_EQ(hour, c.hour) << c.value;
        EXPECT_EQ(minute, c.minute) << c.value;
        EXPECT_EQ(second, c.second) << c.value;
        EXPECT_EQ(msec, c.msec) << c.value;
        // The date part does not disturb the time.
        DecodeTime(EncodeDate(2024, 3, 5) + c.value, hour, minute, second, msec);
        EXPECT_EQ(hour * 3600000 + minute * 60000 + second * 1000 + msec,
                  c.hour * 3600000 + c.minute * 60000 + c.second * 1000 + c.msec);
    }
    const int invalid[][4] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {-1, 0, 0, 0}, {0, 0, 0, -1}};
    for (const auto& c : invalid) {
        TDateTime value = 7;
        EXPECT_FALSE(TryEncodeTime(c[0], c[1], c[2], c[3], value));
        EXPECT_EQ(value, 7);
        EXPECT_THROW(EncodeTime(c[0], c[1], c[2], c[3]), EConvertError);
    }
    try {
        EncodeTime(25, 0, 0, 0);
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Invalid argument to time encode");
    }
}

TEST(DateTime, CountsTheTimeOfNegativeDatesAwayFromZero)
{
    // 1899-12-29 06:00 is one day before day zero plus a quarter day.
    EXPECT_EQ(At(1899, 12, 29, 6), -1.25);
    EXPECT_EQ(At(1800, 1, 1, 18), -36522.75);
    struct Case {
        double value;
        int year, month, day, hour, minute;
        int dayOfWeek;
    };
    const Case cases[] = {
        {-1.25, 1899, 12, 29, 6, 0, 6},
        {-1.75, 1899, 12, 29, 18, 0, 6},
        {-2.5, 1899, 12, 28, 12, 0, 5},
        // The integer part is zero: 1899-12-30 whatever the sign.
        {-0.5, 1899, 12, 30, 12, 0, 7},
        {0.5, 1899, 12, 30, 12, 0, 7},
        {-36522.75, 1800, 1, 1, 18, 0, 4},
    };
    for (const Case& c : cases) {
        int year, month, day, hour, minute, second, msec;
        DecodeDate(c.value, year, month, day);
        DecodeTime(c.value, hour, minute, second, msec);
        EXPECT_EQ(year * 10000 + month * 100 + day, c.year * 10000 + c.month * 100 + c.day) << c.value;
        EXPECT_EQ(hour * 60 + minute, c.hour * 60 + c.minute) << c.value;
        EXPECT_EQ(DayOfWeek(c.value), c.dayOfWeek) << c.value;
    }
    EXPECT_EQ(DateTimeToStr(-1.25), "1899-12-29 6:00:00");
    EXPECT_EQ(StrToDateTime("1899-12-29 6:00:00"), -1.25);
    EXPECT_EQ(StrToDateTime("1800-01-01 18:00"), -36522.75);
}

TEST(DateTime, RoundsToTheMillisecondAndCarriesIntoTheNextDay)
{
    // A hair before midnight is midnight of the next day, never 24:00:00.
    TDateTime almost = EncodeDate(2023, 5, 6) + 0.9999999999;
    int year, month, day, hour, minute, second, msec;
    DecodeDate(almost, year, month, day);
    DecodeTime(almost, hour, minute, second, msec);
    EXPECT_EQ(year * 10000 + month * 100 + day, 20230507);
    EXPECT_EQ(hour + minute + second + msec, 0);
    EXPECT_EQ(DateTimeToStr(almost), "2023-05-07");
    // A sum of floats lands next to the exact millisecond.
    DecodeTime(0.1 + 0.2, hour, minute, second, msec);
    EXPECT_EQ(hour * 3600000 + minute * 60000 + second * 1000 + msec, 25920000);
}

TEST(DateTime, OutOfRangeValuesDecodeAsZero)
{
    const double values[] = {EncodeDate(1, 1, 1) - 1, 2958466, NAN, INFINITY, 1e300};
    for (double value : values) {
        int year = 1, month = 1, day = 1;
        DecodeDate(value, year, month, day);
        EXPECT_EQ(year + month + day, 0) << value;
    }
}

TEST(FormatDateTime, WritesEveryToken)
{
    struct Case {
        const char* format;
        const char* text;
    };
    // Tuesday 2024-03-05 14:07:09.045.
    const TDateTime value = At(2024, 3, 5, 14, 7, 9, 45);
    const Case cases[] = {
        {"yyyy-mm-dd", "2024-03-05"},
        {"yyyy-MM-dd", "2024-03-05"},
        {"YYYY-MM-DD HH:NN:SS", "2024-03-05 14_07_09"},
        {"yy/m/d", "24.3.5"},
        {"y", "24"},
        {"yyy", "2024"},
        {"d dd ddd dddd", "5 05 Tue Tuesday"},
        {"ddddd", "5.3.2024"},
        {"dddddd", "Tuesday, 5 March 2024"},
        {"m mm mmm mmmm", "3 03 Mar March"},
        {"MMMM", "March"},
        {"h:m:s", "14_7_9"},
        {"H:mm:ss", "14_07_09"},
        {"hh:nn:ss.zzz", "14_07_09.045"},
        {"h:n:s.z", "14_7_9.45"},
        // m right after an h token (literals between) is minutes; elsewhere month.
        {"h mm", "14 07"},
        {"hh'h'mm", "14h07"},
        {"mm:ss", "03_09"},
        {"hh:mm mm", "14_07 03"},
        {"h:mmm", "14_Mar"},
        {"h:nn am/pm", "2_07 pm"},
        {"h:nn AM/PM", "2_07 PM"},
        {"h:nn Am/Pm", "2_07 Pm"},
        {"h:nn a/p", "2_07 p"},
        {"h:nn A/P", "2_07 P"},
        {"hh:nn ampm", "02_07 PM"},
        {"c", "5.3.2024 14_07_09"},
        {"", "5.3.2024 14_07_09"},
        {"t", "14_07"},
        {"tt", "14_07_09"},
        {"'yyyy' yyyy", "yyyy 2024"},
        {"\"at\" h", "at 14"},
        {"'unclosed h", "unclosed h"},
        {"[yyyy] ~ #q", "[2024] ~ #q"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatDateTime(c.format, value, English()), c.text) << '"' << c.format << '"';
}

TEST(FormatDateTime, ShowsTheTwelveHourClockAroundNoonAndMidnight)
{
    struct Case {
        int hour, minute;
        const char* text;
    };
    const Case cases[] = {{0, 0, "12:00 am"},  {0, 30, "12:30 am"}, {1, 5, "1:05 am"},   {11, 59, "11:59 am"},
                          {12, 0, "12:00 pm"}, {12, 1, "12:01 pm"}, {13, 0, "1:00 pm"},  {23, 59, "11:59 pm"}};
    for (const Case& c : cases)
        EXPECT_EQ(FormatDateTime("h:nn am/pm", At(2024, 1, 2, c.hour, c.minute)), c.text);
    EXPECT_EQ(FormatDateTime("ampm h:nn", At(2024, 1, 2, 9, 30)), "上午 9:30");
    EXPECT_EQ(FormatDateTime("ampm", At(2024, 1, 2, 21, 30)), "下午");
}

TEST(FormatDateTime, UsesTheChineseDefaults)
{
    const TDateTime value = At(2024, 3, 5, 14, 7, 9);
    EXPECT_EQ(FormatDateTime("dddd", value), "星期二");
    EXPECT_EQ(FormatDateTime("mmmm", value), "三月");
    EXPECT_EQ(FormatDateTime("dddddd", value), "2024年3月5日");
    // Double-byte characters pass whole even when a trail byte looks like a
    // token: the trail bytes of 宮 and 廳 are 'm' and 'd'.
    EXPECT_EQ(FormatDateTime("yyyy年m月d日 宮廳", value), "2024年3月5日 宮廳");
    EXPECT_EQ(DateToStr(value), "2024-03-05");
    EXPECT_EQ(TimeToStr(value), "14:07:09");
    EXPECT_EQ(DateTimeToStr(value), "2024-03-05 14:07:09");
    EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 5)), "2024-03-05");
    EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 5) + EncodeTime(0, 0, 0, 1)), "2024-03-05 0:00:00");
    EXPECT_EQ(TimeToStr(EncodeDate(2024, 3, 5)), "0:00:00");
}

TEST(FormatDateTime, StopsAtFormatsThatNameThemselves)
{
    TFormatSettings s;
    s.ShortDateFormat = "c";
    s.LongTimeFormat = "tt";
    EXPECT_NO_THROW(FormatDateTime("c", At(2024, 3, 5, 1), s));
}

TEST(StrToDate, ReadsDatesInTheOrderOfTheShortDateFormat)
{
    struct Case {
        TFormatSettings settings;
        const char* text;
        int year, month, day;
    };
    const TFormatSettings ymd;  // yyyy-MM-dd
    const Case cases[] = {
        {ymd, "2023-01-05", 2023, 1, 5},
        {ymd, "2023/1/5", 2023, 1, 5},
        {ymd, "2023.12.31", 2023, 12, 31},
        {ymd, "  2024-02-29\t", 2024, 2, 29},
        {ymd, "0001-01-01", 1, 1, 1},
        {ymd, "9999-12-31", 9999, 12, 31},
        {ymd, "1899-12-30", 1899, 12, 30},
        {DayFirst(), "05/01/2023", 2023, 1, 5},
        {DayFirst(), "5-1-2023", 2023, 1, 5},
        {DayFirst(), "31.12.1999", 1999, 12, 31},
        {MonthFirst(), "12/31/1999", 1999, 12, 31},
        {MonthFirst(), "1/5/2023", 2023, 1, 5},
        {English(), "5.3.2024", 2024, 3, 5},
    };
    for (const Case& c : cases) {
        TDateTime value = -1;
        ASSERT_TRUE(TryStrToDate(c.text, value, c.settings)) << '"' << c.text << '"';
        EXPECT_EQ(value, EncodeDate(c.year, c.month, c.day)) << c.text;
        EXPECT_EQ(StrToDate(c.text, c.settings), value);
    }
}

TEST(StrToDate, TakesTwoNumbersAsADayOfTheCurrentYear)
{
    const int year = CurrentYear();
    EXPECT_EQ(StrToDate("3-7"), EncodeDate(year, 3, 7));
    EXPECT_EQ(StrToDate("12/31"), EncodeDate(year, 12, 31));
    EXPECT_EQ(StrToDate("7/3", DayFirst()), EncodeDate(year, 3, 7));
    EXPECT_EQ(StrToDate("3/7", MonthFirst()), EncodeDate(year, 3, 7));
}

TEST(StrToDate, PlacesTwoDigitYearsThroughTheCenturyWindow)
{
    const int year = CurrentYear();
    const int century = year / 100 * 100;
    struct Case {
        int window;
        int twoDigits;
        int expected;
    };
    const Case cases[] = {
        // Without a window the current century holds every two-digit year.
        {0, 3, century + 3},
        {0, 99, century + 99},
        // Years before (current year - window) belong to the next century.
        {1, (year - 1) % 100, year - 1},
        {1, (year - 2) % 100, year + 98},
        {50, year % 100, year},
    };
    for (const Case& c : cases) {
        TFormatSettings s;
        s.TwoDigitYearCenturyWindow = c.window;
        char text[32];
        std::snprintf(text, sizeof text, "%02d-06-15", c.twoDigits);
        EXPECT_EQ(StrToDate(text, s), EncodeDate(c.expected, 6, 15)) << text << " window " << c.window;
        std::snprintf(text, sizeof text, "15/06/%d", c.twoDigits);
        TFormatSettings dayFirst = DayFirst();
        dayFirst.TwoDigitYearCenturyWindow = c.window;
        EXPECT_EQ(StrToDate(text, dayFirst), EncodeDate(c.expected, 6, 15)) << text << " window " << c.window;
    }
    // Three and four digits are taken as written.
    EXPECT_EQ(StrToDate("0099-06-15"), EncodeDate(99, 6, 15));
    EXPECT_EQ(StrToDate("123-06-15"), EncodeDate(123, 6, 15));
}

TEST(StrToDate, KeepsTwoDigitYearsWithinAHundredYearsFromThePivot)
{
    // The pivot (current year less the window) may lie in the previous
    // century: with a window of 50 in 2026, "99" is 1999 and "75" is 2075.
    for (int window : {1, 30, 50, 99}) {
        TFormatSettings s;
        s.TwoDigitYearCenturyWindow = window;
        const int pivot = CurrentYear() - window;
        for (int twoDigits = 0; twoDigits < 100; ++twoDigits) {
            char text[32];
            std::snprintf(text, sizeof text, "%02d-06-15", twoDigits);
            int year, month, day;
            DecodeDate(StrToDate(text, s), year, month, day);
            EXPECT_EQ(year % 100, twoDigits) << text << " window " << window;
            EXPECT_GE(year, pivot) << text << " window " << window;
            EXPECT_LT(year, pivot + 100) << text << " window " << window;
        }
    }
}

TEST(StrToDate, RejectsWhatIsNoDate)
{
    struct Case {
        TFormatSettings settings;
        const char* text;
    };
    const TFormatSettings ymd;
    const Case cases[] = {
        {ymd, ""},
        {ymd, "   "},
        {ymd, "2023-02-29"},
        {ymd, "1900-02-29"},
        {ymd, "2023-13-01"},
        {ymd, "2023-00-10"},
        {ymd, "2023-04-31"},
        {ymd, "2023-01-00"},
        {ymd, "0000-01-01"},
        {ymd, "2023-01-05x"},
        {ymd, "2023-01/05"},
        {ymd, "2023--01"},
        {ymd, "2023-01-"},
        {ymd, "-2023-01-05"},
        {ymd, "20230105"},
        {ymd, "12345-01-05"},
        {ymd, "2023-001-05"},
        {ymd, "2023 - 01 - 05"},
        {ymd, "2023-01-05-07"},
        {ymd, "2023"},
        {ymd, "a-b-c"},
        {ymd, "2023-01-05 10:00"},
        {DayFirst(), "2023-01-05"},
        {DayFirst(), "12/31/1999"},
        {MonthFirst(), "31/12/1999"},
    };
    for (const Case& c : cases) {
        TDateTime value = 42;
        EXPECT_FALSE(TryStrToDate(c.text, value, c.settings)) << '"' << c.text << '"';
        EXPECT_EQ(value, 42);
    }
    try {
        StrToDate("2023-02-29");
        FAIL() << "2023 has no 29 February";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'2023-02-29' is not a valid date");
    }
}

TEST(StrToTime, ReadsHoursMinutesSecondsAndAmPm)
{
    struct Case {
        const char* text;
        int hour, minute, second, msec;
    };
    const Case cases[] = {
        {"14:07", 14, 7, 0, 0},
        {"14:07:09", 14, 7, 9, 0},
        {"4:7:9", 4, 7, 9, 0},
        {" 00:00 ", 0, 0, 0, 0},
        {"23:59:59.999", 23, 59, 59, 999},
        {"14:07:09.45", 14, 7, 9, 45},
        {"2:07 PM", 14, 7, 0, 0},
        {"2:07pm", 14, 7, 0, 0},
        {"2:07 am", 2, 7, 0, 0},
        {"12:00 AM", 0, 0, 0, 0},
        {"12:30 PM", 12, 30, 0, 0},
        {"0:15 PM", 12, 15, 0, 0},
        {"下午 2:07:09", 14, 7, 9, 0},
        {"下午2:07", 14, 7, 0, 0},
        {"上午 9:30", 9, 30, 0, 0},
        {"9:30 下午", 21, 30, 0, 0},
        {"AM 9:30", 9, 30, 0, 0},
    };
    for (const Case& c : cases) {
        TDateTime value = -1;
        ASSERT_TRUE(TryStrToTime(c.text, value)) << '"' << c.text << '"';
        EXPECT_EQ(value, EncodeTime(c.hour, c.minute, c.second, c.msec)) << c.text;
    }
    // The locale's separators: '_' between the parts, ',' before milliseconds.
    TFormatSettings s = English();
    s.DecimalSeparator = ',';
    EXPECT_EQ(StrToTime("14_07_09,5", s), EncodeTime(14, 7, 9, 5));
    EXPECT_EQ(StrToTime("14:07", s), EncodeTime(14, 7, 0, 0));
}

TEST(StrToTime, RejectsWhatIsNoTime)
{
    const char* cases[] = {"",         "12",        "12:",      "12:30:",    "12:30:00.", "24:00",   "12:60",
                           "12:00:60", "13:00 PM",  "12:30 XM", "PM",        "12:30 PM PM", "ab",    "1230",
                           "12:30:00.1234", "-1:00", "12 :30",  "123:00",    "12:30 上午 1"};
    for (const char* text : cases) {
        TDateTime value = 42;
        EXPECT_FALSE(TryStrToTime(text, value)) << '"' << text << '"';
        EXPECT_EQ(value, 42);
    }
    try {
        StrToTime("25:00");
        FAIL() << "25:00 is no time";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'25:00' is not a valid time");
    }
}

TEST(StrToDateTime, ReadsADateAndATime)
{
    struct Case {
        TFormatSettings settings;
        const char* text;
        TDateTime value;
    };
    const TFormatSettings ymd;
    const Case cases[] = {
        {ymd, "2023-01-05 14:07:09", At(2023, 1, 5, 14, 7, 9)},
        {ymd, "  2023-01-05   2:07 PM ", At(2023, 1, 5, 14, 7)},
        {ymd, "2023-01-05 下午 2:07", At(2023, 1, 5, 14, 7)},
        {ymd, "2023-01-05", At(2023, 1, 5)},
        {ymd, "14:07", EncodeTime(14, 7, 0, 0)},
        {ymd, "2024-02-29 23:59:59.999", At(2024, 2, 29, 23, 59, 59, 999)},
        {DayFirst(), "05/01/2023 08:30", At(2023, 1, 5, 8, 30)},
    };
    for (const Case& c : cases) {
        TDateTime value = -1;
        ASSERT_TRUE(TryStrToDateTime(c.text, value, c.settings)) << '"' << c.text << '"';
        EXPECT_EQ(value, c.value) << c.text;
    }
    const char* invalid[] = {"", "2023-01-05 25:00", "2023-02-29 10:00", "2023-01-05 10:00 x",
                             "2023-01-05T10:00", "10:00 2023-01-05", "2023-01-05 10"};
    for (const char* text : invalid) {
        TDateTime value = 42;
        EXPECT_FALSE(TryStrToDateTime(text, value)) << '"' << text << '"';
        EXPECT_EQ(value, 42);
    }
    try {
        StrToDateTime("2023-01-05 25:00");
        FAIL() << "25:00 is no time";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'2023-01-05 25:00' is not a valid date and time");
    }
}

TEST(StrToDateTime, ReadsBackWhatDateTimeToStrWrites)
{
    const TDateTime values[] = {At(2024, 3, 5, 14, 7, 9), At(2024, 3, 5), At(1999, 12, 31, 23, 59, 59),
                                At(1899, 12, 29, 6), At(1, 1, 1, 0, 0, 1), At(9999, 12, 31, 12)};
    TFormatSettings twelveHour = DayFirst();
    twelveHour.LongTimeFormat = "hh:nn:ss ampm";
    const TFormatSettings settings[] = {TFormatSettings(), DayFirst(), MonthFirst(), English(), twelveHour};
    for (const TFormatSettings& s : settings) {
        for (TDateTime value : values) {
            AnsiString text = DateTimeToStr(value, s);
            TDateTime back = -12345;
            EXPECT_TRUE(TryStrToDateTime(text, back, s)) << text;
            EXPECT_EQ(back, value) << text;
        }
    }
}

TEST(DateTime, ReadsTheLocalClock)
{
    TDateTime today = Date();
    TDateTime time = Time();
    TDateTime now = Now();
    EXPECT_EQ(today, std::floor(today));
    EXPECT_GE(time, 0.0);
    EXPECT_LT(time, 1.0);
    // The three readings are microseconds apart (a run across midnight aside).
    EXPECT_NEAR(now, today + time, 1.0 / 86400);

    std::time_t seconds = std::time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    EXPECT_EQ(today, EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday));
    int hour, minute, second, msec;
    DecodeTime(now, hour, minute, second, msec);
    EXPECT_NEAR(hour * 3600 + minute * 60 + second, local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec, 2);
}
