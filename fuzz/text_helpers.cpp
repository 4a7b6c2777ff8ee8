// Typed text reaches the grid's text helpers as it stands: cell text with
// any bytes (cut-off double-byte characters, stray line-break bytes), spin
// steps at any caret position, any date-time text, any key path. The
// stepping routines must stay inside the text and agree with each other,
// the number routines must raise nothing, and reading a date-time may only
// raise the conversion error.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "grid/foundation/DateTimeText.h"
#include "grid/foundation/MultiByteText.h"
#include "grid/foundation/NumberText.h"
#include "grid/foundation/RegistryKeyPath.h"
#include "platform/core/Exception.h"
#include "platform/core/Variant.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

core::TFormatSettings SettingsFor(uint8_t choice)
{
    core::TFormatSettings s;
    static const char* const dateFormats[] = {"yyyy-MM-dd", "M/d/yy", "dd.MM.yyyy", "ee/M/d"};
    s.ShortDateFormat = dateFormats[choice & 3];
    s.DateSeparator = "-/./"[choice & 3];
    if (choice & 4) {
        s.ThousandSeparator = '.';
        s.DecimalSeparator = ',';
    }
    if (choice & 8)
        s.TimeSeparator = '.';
    if (choice & 16) {
        s.LongMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                            "July",    "August",   "September", "October", "November", "December"};
        s.ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
        s.ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    }
    return s;
}

// The stepping routines over a buffer of exactly the text's size, so that a
// read past the text is caught.
void Stepping(std::string_view text)
{
    const int size = static_cast<int>(text.size());
    std::vector<int> forward;
    for (int i = 0; i < size;) {
        int len = grid::CharLenAt(text, i);
        if (len == 0)  // a zero byte ends the text for the classic routines
            len = 1;
        Check(len >= 1 && len <= 2 && i + len <= size);
        forward.push_back(i);
        int skipped = i;
        if (grid::SkipLineBreak(text, skipped))
            Check(skipped == i + len);
        i += len;
    }
    std::vector<int> backward;
    for (int n = size; n > 0;) {
        int len = grid::CharLenBefore(text, n);
        Check(len >= 1 && len <= 2 && len <= n);
        n -= len;
        backward.push_back(n);
    }
    Check(std::vector<int>(backward.rbegin(), backward.rend()) == forward);
    for (int i : {-1, size, size + 1}) {
        Check(grid::CharLenAt(text, i) == 0);
        Check(!grid::IsLineBreakAt(text, i));
    }
    for (char ch : {'\\', '\n', size > 0 ? text[0] : 'a'}) {
        for (int len : {size, size / 2, size + 3}) {
            int first = grid::FindChar(text, ch, len);
            int last = grid::FindCharBack(text, ch, len);
            Check((first < 0) == (last < 0));
            if (first >= 0) {
                Check(first <= last && last < std::min(len, size));
                Check(text[first] == ch && grid::CharKindAt(text, first) == core::mbSingleByte);
                Check(text[last] == ch && grid::CharKindAt(text, last) == core::mbSingleByte);
            }
            int byte = grid::FindByte(text, ch, len);
            Check(first < 0 || (byte >= 0 && text[byte] == ch && byte <= first));
            Check(grid::FindByteBack(text, ch, len) >= last);
        }
    }
}

void Numbers(const core::AnsiString& text, const core::TFormatSettings& s)
{
    const int size = static_cast<int>(text.size());
    for (int caret : {0, 1, size / 3, size / 2, size - 1, size, size + 5}) {
        for (double step : {1.0, -1.0, 0.5}) {
            int start = 0, len = 0;
            core::AnsiString stepped = grid::StepNumberAt(text, caret, start, len, step, s);
            Check(start >= 1 && len >= 0 && start - 1 + len <= static_cast<int>(stepped.size()));
            if (len > 0) {
                core::AnsiString number = stepped.substr(start - 1, len);
                grid::KeepWidth(text, number, s);
            }
        }
    }
    core::AnsiString stripped = text;
    grid::StripThousands(stripped, s);
    grid::InsertThousands(stripped, s);
    grid::IsNumberText(text, s);
}

void Dates(const core::AnsiString& text, const core::TFormatSettings& s)
{
    try {
        grid::TextToDateTime(text, s);
    } catch (const core::EConvertError&) {
    }
    grid::ValueToDateTime(core::Variant(text), s);
    grid::TypedYear(text, s);
    grid::NextDigitPos(text, 1);
    grid::WidenYear(text);
    grid::RemoveAmPm(text);
    sys::HKEY root;
    core::AnsiString rootName, subKey;
    grid::ParseKeyPath(text, root, rootName, subKey);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const core::TFormatSettings settings = SettingsFor(data[0]);
    grid::DoubleByteSystem = (data[0] & 32) == 0;
    ++data;
    --size;
    auto exact = std::make_unique<char[]>(size ? size : 1);
    std::copy(data, data + size, exact.get());
    Stepping(std::string_view(exact.get(), size));
    const core::AnsiString text(reinterpret_cast<const char*>(data), size);
    Numbers(text, settings);
    Dates(text, settings);
    return 0;
}
