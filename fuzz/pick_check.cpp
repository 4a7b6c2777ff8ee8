// Text typed into a pick edit, as the exit check reads it under every
// combination of its settings: no error may leave the check, and what it
// keeps must fit the setting (no minus where PlusNumber holds, a number in
// decimal for cfNumber, a text without surrounding blanks).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "controls/PickEdit.h"
#include "platform/core/NumberFormat.h"

namespace {

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const controls::AnsiString text(reinterpret_cast<const char*>(data), size);
    for (int check = controls::cfNone; check <= controls::cfNumber; ++check) {
        for (int format = controls::fdNone; format <= controls::fdOther; ++format) {
            for (bool plusNumber : {false, true}) {
                controls::AnsiString kept = controls::PickCheckedText(text, static_cast<controls::TCheckFmt>(check),
                                                                      static_cast<controls::TFmtDec>(format), plusNumber);
                if (!kept.empty() && (IsBlank(kept.front()) || IsBlank(kept.back())))
                    std::abort();
                bool number = check == controls::cfDecimal || check == controls::cfNumber;
                if (number && plusNumber && !kept.empty() && kept.front() == '-')
                    std::abort();
                int value = 0;
                if (check == controls::cfNumber && !kept.empty() && !core::TryStrToInt(kept, value))
                    std::abort();
            }
        }
    }
    return 0;
}
