#include <gtest/gtest.h>

#include <cmath>

#include "grid/foundation/DateTimeText.h"
#include "platform/core/Exception.h"
#include "platform/core/Variant.h"

using namespace grid;
using core::AnsiString;
using core::EncodeDate;
using core::EncodeTime;

namespace {

core::TFormatSettings Settings(const AnsiString& shortDate, char separator)
{
    core::TFormatSettings s;
    s.ShortDateFormat = shortDate;
    s.DateSeparator = separator;
    return s;
}

core::TFormatSettings English()
{
    core::TFormatSettings s = Settings("yyyy-MM-dd", '-');
    s.LongMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                        "July",    "August",   "September", "October", "November", "December"};
    s.ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    s.LongDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    s.ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    s.TimeAMString = "AM";
    s.TimePMString = "PM";
    return s;
}

}  // namespace

TEST(DateTimeText, DateOrderAndFormatFollowTheShortDateFormat)
{
    struct Case {
        AnsiString shortDate;
        char separator;
        TtsDateOrder order;
        AnsiString twoDigit, fourDigit;
    };
    const Case cases[] = {
        {"yyyy-MM-dd", '-', doYMD, "YYYY-MM-DD", "YYYY-MM-DD"},
        {"M/d/yy", '/', doMDY, "M/D/YY", "M/D/YYYY"},
        {"dd.MM.yyyy", '.', doDMY, "DD.MM.YYYY", "DD.MM.YYYY"},
        {"d/M/yyy", '/', doDMY, "D/M/YYYY", "D/M/YYYY"},
        {"ee/MM/dd", '/', doYMD, "YY/MM/DD", "YYYY/MM/DD"},  // an era year counts as a year
        {"gg", '/', doMDY, "M/D/YY", "M/D/YYYY"},            // no part at all
        {"", '-', doMDY, "M-D-YY", "M-D-YYYY"},
    };
    for (const Case& c : cases) {
        core::TFormatSettings s = Settings(c.shortDate, c.separator);
        EXPECT_EQ(DateOrder(s), c.order) << c.shortDate;
        EXPECT_EQ(DateFormatText(false, s), c.twoDigit) << c.shortDate;
        EXPECT_EQ(DateFormatText(true, s), c.fourDigit) << c.shortDate;
    }
}

TEST(DateTimeText, TypedYearTakesTheRunOfTheYear)
{
    const core::TFormatSettings ymd = Settings("yyyy-MM-dd", '-');
    const core::TFormatSettings mdy = Settings("M/d/yy", '/');
    const core::TFormatSettings dmy = Settings("dd.MM.yyyy", '.');
    EXPECT_EQ(TypedYear("2024-3-5", ymd), "2024");
    EXPECT_EQ(TypedYear("2024年3月5日", ymd), "2024");
    EXPECT_EQ(TypedYear("3/5/24", mdy), "24");
    EXPECT_EQ(TypedYear("3/5", mdy), "");
    EXPECT_EQ(TypedYear("5.3.02024 10:20", dmy), "02024");
    EXPECT_EQ(TypedYear("", dmy), "");
    // A digit that is the second byte of a double-byte character is no run.
    EXPECT_EQ(TypedYear(AnsiString("\x81") + "9-3-5-7", mdy), "7");

    EXPECT_EQ(NextDigitPos("中1", 1), 3);
    EXPECT_EQ(NextDigitPos("ab", 1), 3);
    EXPECT_EQ(NextDigitPos(AnsiString("\x81") + "57", 1), 3);
    EXPECT_EQ(NextDigitPos("a1", 2), 2);
}

TEST(DateTimeText, TextToDateTimeReadsDayNumbersTimesAndDates)
{
    const core::TFormatSettings s = Settings("yyyy-MM-dd", '-');
    EXPECT_EQ(TextToDateTime("36000", s), 36000);
    EXPECT_EQ(TextToDateTime(" 36000 ", s), 36000);
    EXPECT_DOUBLE_EQ(TextToDateTime("12:30", s), EncodeTime(12, 30, 0, 0));
    EXPECT_DOUBLE_EQ(TextToDateTime("9:05:30", s), EncodeTime(9, 5, 30, 0));
    EXPECT_EQ(TextToDateTime(" 2024-03-05 ", s), EncodeDate(2024, 3, 5));
    EXPECT_DOUBLE_EQ(TextToDateTime("2024-03-05 10:20", s), EncodeDate(2024, 3, 5) + EncodeTime(10, 20, 0, 0));
    EXPECT_EQ(TextToDateTime("1999-12-31", s), EncodeDate(1999, 12, 31));
    // AM and PM texts, after the time or before it.
    EXPECT_DOUBLE_EQ(TextToDateTime("1:05 下午", s), EncodeTime(13, 5, 0, 0));
    EXPECT_DOUBLE_EQ(TextToDateTime("下午1:05", s), EncodeTime(13, 5, 0, 0));
    EXPECT_DOUBLE_EQ(TextToDateTime("12:30 am", English()), EncodeTime(0, 30, 0, 0));
    for (const char* bad : {"", "abc", "99999999999", "2024-02-30", "12:", "3000000"})
        EXPECT_THROW(TextToDateTime(bad, s), core::EConvertError) << bad;
}

TEST(DateTimeText, MonthNamesBecomeNumbersAndDayNamesGo)
{
    const core::TFormatSettings en = English();
    EXPECT_EQ(TextToDateTime("2024-March-05", en), EncodeDate(2024, 3, 5));
    EXPECT_EQ(TextToDateTime("2024-mar-05", en), EncodeDate(2024, 3, 5));
    EXPECT_EQ(TextToDateTime("Tuesday 2024-03-05", en), EncodeDate(2024, 3, 5));
    EXPECT_EQ(TextToDateTime("Tue 2024-Mar-05", en), EncodeDate(2024, 3, 5));
    // Only whole words: "Marchx" is no month, "Mayday" no month either.
    EXPECT_THROW(TextToDateTime("2024-Marchx-05", en), core::EConvertError);
    EXPECT_THROW(TextToDateTime("2024-Mayday-05", en), core::EConvertError);

    // Chinese names: 二月 inside 十二月 stands after a letter, so the whole
    // 十二月 is the month.
    const core::TFormatSettings zh = Settings("yyyy-MM-dd", '-');
    EXPECT_EQ(TextToDateTime("2024-十二月-05", zh), EncodeDate(2024, 12, 5));
    EXPECT_EQ(TextToDateTime("2024-三月-05", zh), EncodeDate(2024, 3, 5));
    EXPECT_EQ(TextToDateTime("星期二 2024-03-05", zh), EncodeDate(2024, 3, 5));
}

TEST(DateTimeText, ValueToDateTimeFallsBackToNow)
{
    const core::TFormatSettings s = Settings("yyyy-MM-dd", '-');
    EXPECT_EQ(ValueToDateTime(core::Variant("36000"), s), 36000);
    EXPECT_EQ(ValueToDateTime(core::Variant(u"2024-03-05"), s), EncodeDate(2024, 3, 5));
    EXPECT_EQ(ValueToDateTime(core::Variant(2.5), s), 2.5);
    EXPECT_EQ(ValueToDateTime(core::Variant::FromDate(3.25), s), 3.25);
    const core::Variant nowValues[] = {core::Variant("junk"), core::Variant("   "), core::Variant(int32_t{5}),
                                       core::Variant(), core::Variant::Null(), core::Variant(1.5f)};
    for (const core::Variant& v : nowValues) {
        core::TDateTime before = core::Now();
        core::TDateTime value = ValueToDateTime(v, s);
        core::TDateTime after = core::Now();
        EXPECT_GE(value, before) << v.TypeName();
        EXPECT_LE(value, after) << v.TypeName();
    }
}

TEST(DateTimeText, FormatTidying)
{
    const std::pair<AnsiString, AnsiString> widened[] = {
        {"yy-MM-dd", "yyyy-MM-dd"},
        {"yyyy-MM-dd", "yyyy-MM-dd"},
        {"M/d/YY", "M/d/YYyy"},
        {"yyy", "yyy"},
        {"hh:nn", "hh:nn"},
        {"d/M/yy hh:nn yy", "d/M/yyyy hh:nn yy"},
        // "Y" as the second byte of a double-byte character is no year letter.
        {AnsiString("\x81") + "Yy", AnsiString("\x81") + "Yy"},
    };
    for (const auto& [format, expected] : widened)
        EXPECT_EQ(WidenYear(format), expected) << format;

    const std::pair<AnsiString, AnsiString> removed[] = {
        {"h:nn AM/PM", "h:nn"},
        {"h:nn a/p", "h:nn"},
        {"AMPM h:nn", "h:nn"},
        {"h:nn am/pm a/p", "h:nn  a/p"},
        {" h:nn ", " h:nn "},
    };
    for (const auto& [format, expected] : removed)
        EXPECT_EQ(RemoveAmPm(format), expected) << format;

    core::TFormatSettings s;
    EXPECT_TRUE(HasAmPm(s));
    s.TimeAMString.clear();
    EXPECT_TRUE(HasAmPm(s));
    s.TimePMString.clear();
    EXPECT_FALSE(HasAmPm(s));
}
