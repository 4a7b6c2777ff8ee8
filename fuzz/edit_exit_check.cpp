// Text typed into the labelled and pick edits, as their exit check reads it:
// the first byte picks the check, the number format, PlusNumber and whose
// rules apply; the rest is the field's text. The check never raises, and
// what it keeps has the shape its kind promises. The cut of a filled-in
// group item never ends in half a character.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "controls/EditExitCheck.h"
#include "controls/EditHelpers.h"
#include "platform/core/CodePage.h"
#include "platform/core/NumberFormat.h"
#include "platform/core/StrUtils.h"

namespace {

bool AllDigits(std::string_view text)
{
    if (text.empty())
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    using namespace controls;
    uint8_t choice = data[0];
    auto check = static_cast<TCheckFmt>(choice % 5);
    auto format = static_cast<TFmtDec>((choice / 5) % 5);
    bool plus = (choice & 0x40) != 0;
    bool pick = (choice & 0x80) != 0;
    core::AnsiString text(reinterpret_cast<const char*>(data + 1), size - 1);

    TExitCheckRules rules = pick ? PickEditRules(check, format, plus) : LabelledEditRules(check, format, plus);
    core::AnsiString kept = CheckedText(text, rules);
    switch (check) {
    case cfNumber:
        // Digits, unless there was nothing to check.
        if (core::Trim(text).empty() ? !kept.empty() : !AllDigits(kept))
            std::abort();
        break;
    case cfDecimal: {
        // A number as the formats write it, or nothing (fdQty and the
        // patterns show 0 as an empty field).
        if (kept.empty())
            break;
        double value = 0;
        bool exponent = kept.find('E') != core::AnsiString::npos;
        if (!exponent && !core::TryStrToFloat(kept, value))
            std::abort();
        if (plus && kept[0] == '-')
            std::abort();
        break;
    }
    case cfDate:
    case cfForceDate:
        if (!kept.empty() && kept.size() != 10)
            std::abort();
        if (check == cfForceDate && kept.empty() && !core::Trim(text).empty())
            std::abort();
        break;
    case cfNone: break;
    }

    for (size_t limit : {size_t(0), size_t(1), size_t(choice), size_t(255)}) {
        core::AnsiString cut = CutAtCharBoundary(text, limit);
        if (cut.size() > limit || text.compare(0, cut.size(), cut) != 0)
            std::abort();
        // Where a cut was made, it took no lead byte without its trail.
        if (cut.size() < text.size() && !cut.empty() && core::ByteType(cut, cut.size() - 1) == core::mbLeadByte)
            std::abort();
        if (cut.size() + 1 < limit && cut.size() < text.size())
            std::abort();
    }
    if (RemoveThousandSeparators(text).size() > text.size())
        std::abort();
    return 0;
}
