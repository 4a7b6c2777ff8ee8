// Formulas typed into number fields: only the calculator's own error or the
// platform's arithmetic errors may leave Calculate, and a value it returns is
// always finite. Hooks are installed so that the accounting calls run too.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "controls/Calculator.h"

namespace {

bool InstallHooks()
{
    // Some answers are refused, so that both ways out of a hook are taken.
    controls::SysHook = [](double& value, const core::AnsiString& arg) {
        value = static_cast<double>(arg.size());
        return arg.size() % 2 == 0;
    };
    controls::LedgerHook = [](double& value, const core::AnsiString& arg, const core::AnsiString& kind) {
        value = static_cast<double>(arg.size() + kind.size());
        return !arg.empty();
    };
    auto codeItem = [](double& value, const core::AnsiString& code, const core::AnsiString& item) {
        value = static_cast<double>(code.size()) - static_cast<double>(item.size());
        return true;
    };
    controls::SYHook = codeItem;
    controls::XJLLHook = codeItem;
    controls::ZCFZHook = codeItem;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool hooks = InstallHooks();
    (void)hooks;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    double value = 0;
    try {
        if (controls::Calculate(text, value) && !std::isfinite(value))
            std::abort();
    } catch (const controls::ECalculate&) {
    } catch (const core::EMathError&) {  // EInvalidOp, EOverflow, EZeroDivide
    } catch (const core::EIntError&) {   // EDivByZero
    }
    return 0;
}
