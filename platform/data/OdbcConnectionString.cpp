#include "platform/data/OdbcConnectionString.h"

#include <string>

#include "platform/core/Exception.h"
#include "platform/core/StrUtils.h"

namespace data {

OdbcConnectionString& OdbcConnectionString::AddPlain(std::string_view key, std::string_view value)
{
    text_ += std::string(key) + "=" + std::string(value) + ";";
    return *this;
}

namespace {

bool NeedsBraces(std::string_view value)
{
    if (value.empty())
        return false;
    if (value.front() == ' ' || value.back() == ' ')
        return true;
    return value.find_first_of("[]{}(),;?*=!@") != std::string_view::npos;
}

}  // namespace

OdbcConnectionString& OdbcConnectionString::Add(std::string_view key, std::string_view value)
{
    if (!NeedsBraces(value))
        return AddPlain(key, value);
    std::string braced;
    if (rule_ == brStandard) {
        braced = core::StringReplace(value, "}", "}}");
    } else {
        if (value.find("};") != std::string_view::npos)
            throw core::EDatabaseError("The value of %s cannot be passed to the FreeTDS driver: it holds \"};\"",
                                       std::string(key));
        braced = value;
    }
    text_ += std::string(key) + "={" + braced + "};";
    return *this;
}

}  // namespace data
