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

bool IsControlOrBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ' || c == '\x7F';
}

bool NeedsBraces(std::string_view value)
{
    if (value.empty())
        return false;
    if (IsControlOrBlank(value.front()) || IsControlOrBlank(value.back()))
        return true;
    for (char c : value)
        if (c != ' ' && IsControlOrBlank(c))
            return true;
    return value.find_first_of("[]{}(),;?*=!@") != std::string_view::npos;
}

}  // namespace

void OdbcConnectionString::CheckValue(std::string_view key, std::string_view value, size_t maxBytes)
{
    if (value.find('\0') != std::string_view::npos)
        throw core::EDatabaseError("The value of %s holds a NUL character, which the ODBC driver cannot take",
                                   std::string(key));
    if (value.size() > maxBytes)
        throw core::EDatabaseError("The value of %s is longer than the %d characters the ODBC driver takes",
                                   std::string(key), static_cast<int64_t>(maxBytes));
}

OdbcConnectionString& OdbcConnectionString::Add(std::string_view key, std::string_view value, size_t maxBytes)
{
    CheckValue(key, value, maxBytes);
    if (!NeedsBraces(value))
        return AddPlain(key, value);
    std::string braced;
    if (rule_ == brStandard) {
        braced = core::StringReplace(value, "}", "}}");
    } else {
        if (value.find('}') != std::string_view::npos)
            throw core::EDatabaseError("The value of %s cannot be passed to the FreeTDS driver: it holds \"}\"",
                                       std::string(key));
        braced = value;
    }
    text_ += std::string(key) + "={" + braced + "};";
    return *this;
}

}  // namespace data
