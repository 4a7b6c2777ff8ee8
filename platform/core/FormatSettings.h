#pragma once

#include <array>

#include "platform/core/Forward.h"

namespace core {

// The locale's format settings. The process-wide ones start as a Simplified
// Chinese desktop has them; the host may change them.
struct TFormatSettings {
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    char DateSeparator = '-';
    char TimeSeparator = ':';
    AnsiString ShortDateFormat = "yyyy-MM-dd";
    AnsiString LongDateFormat = "yyyy'年'M'月'd'日'";
    AnsiString ShortTimeFormat = "H:mm";
    AnsiString LongTimeFormat = "H:mm:ss";
    AnsiString TimeAMString = "上午";
    AnsiString TimePMString = "下午";
    AnsiString CurrencyString = "￥";
    std::array<AnsiString, 12> ShortMonthNames = {"一月", "二月", "三月", "四月", "五月", "六月",
                                                  "七月", "八月", "九月", "十月", "十一月", "十二月"};
    std::array<AnsiString, 12> LongMonthNames = ShortMonthNames;
    // Sunday first, as the classic runtime counts days of the week.
    std::array<AnsiString, 7> ShortDayNames = {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"};
    std::array<AnsiString, 7> LongDayNames = ShortDayNames;
    int TwoDigitYearCenturyWindow = 50;

    // The settings of a Simplified Chinese desktop.
    static TFormatSettings ChineseDefaults() { return {}; }
};

// The process-wide settings every formatting function uses by default.
TFormatSettings& FormatSettings();

}  // namespace core
