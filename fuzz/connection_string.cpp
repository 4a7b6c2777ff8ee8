// Connection strings come from the login window with whatever was typed in
// it. Reading may only fail with the format error, and whatever it reads is
// written back as a text that reads to the very same pairs.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/core/Exception.h"
#include "platform/data/ConnectionString.h"
#include "platform/data/OdbcConnectionString.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    data::TConnectionString parsed;
    try {
        parsed = data::TConnectionString::Parse(text);
    } catch (const core::EDatabaseError&) {
        return 0;
    }
    data::TConnectionString again = data::TConnectionString::Parse(parsed.Text());
    if (again.Pairs() != parsed.Pairs())
        __builtin_trap();
    // The values go on into the ODBC attribute string. Only the documented
    // refusals may stop them: a NUL or a value beyond the limit on every
    // route, and any "}" on the FreeTDS route.
    data::OdbcConnectionString odbc;
    data::OdbcConnectionString freeTds(data::OdbcConnectionString::brFreeTds);
    for (const auto& pair : parsed.Pairs()) {
        bool uncarriable = pair.second.find('\0') != std::string_view::npos || pair.second.size() > 1024;
        try {
            odbc.Add("PWD", pair.second);
        } catch (const core::EDatabaseError&) {
            if (!uncarriable)
                __builtin_trap();
        }
        try {
            freeTds.Add("PWD", pair.second);
            // What FreeTDS takes holds no "}", so its braces end where the
            // driver manager's do.
            if (pair.second.find('}') != std::string_view::npos)
                __builtin_trap();
        } catch (const core::EDatabaseError&) {
            if (!uncarriable && pair.second.find('}') == std::string_view::npos)
                __builtin_trap();
        }
    }
    return 0;
}
