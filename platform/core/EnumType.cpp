#include "platform/core/EnumType.h"

#include <algorithm>

#include "platform/core/Exception.h"
#include "platform/core/NumberFormat.h"
#include "platform/core/StrUtils.h"

namespace core {

TEnumType::TEnumType(AnsiString name, std::vector<AnsiString> names) : name_(std::move(name)), names_(std::move(names))
{
}

TEnumType TEnumType::FromList(const char* name, std::string_view members)
{
    std::vector<AnsiString> names;
    while (!members.empty()) {
        size_t comma = members.find(',');
        std::string_view member = members.substr(0, comma);
        members = comma == std::string_view::npos ? std::string_view() : members.substr(comma + 1);
        size_t first = member.find_first_not_of(" \t\r\n");
        if (first == std::string_view::npos)
            continue;  // the empty entry after a trailing comma
        size_t last = member.find_last_not_of(" \t\r\n");
        member = member.substr(first, last - first + 1);
        // The names stand for ordinals 0, 1, 2 ...: a member with a value of
        // its own would break that.
        if (member.find_first_of("= ") != std::string_view::npos)
            throw EInvalidOperation("Member %s of %s takes a value of its own", AnsiString(member), AnsiString(name));
        names.emplace_back(member);
    }
    return TEnumType(name, std::move(names));
}

int TEnumType::Value(std::string_view name) const
{
    for (size_t i = 0; i < names_.size(); ++i)
        if (SameText(names_[i], name))
            return static_cast<int>(i);
    return -1;
}

AnsiString TEnumType::NameOf(int64_t value) const
{
    if (value < 0 || value >= static_cast<int64_t>(names_.size()))
        return IntToStr(value);
    return names_[static_cast<size_t>(value)];
}

TEnumType TEnumType::Subrange(AnsiString name, int count) const
{
    size_t n = std::min(names_.size(), static_cast<size_t>(std::max(count, 0)));
    return TEnumType(std::move(name), std::vector<AnsiString>(names_.begin(), names_.begin() + static_cast<long>(n)));
}

const TEnumType& BooleanType()
{
    static const TEnumType type("Boolean", {"False", "True"});
    return type;
}

}  // namespace core
