#include "platform/core/IntegerConsts.h"

#include "platform/core/StrUtils.h"

namespace core {

namespace {

struct TypeConsts {
    AnsiString typeName;
    TIdentMap map;
};

std::vector<TypeConsts>& Tables()
{
    static std::vector<TypeConsts> tables;
    return tables;
}

const TIdentMap* FindTable(std::string_view typeName)
{
    for (const TypeConsts& t : Tables())
        if (SameText(t.typeName, typeName))
            return &t.map;
    return nullptr;
}

}  // namespace

void RegisterIntegerConsts(std::string_view typeName, TIdentMap map)
{
    for (TypeConsts& t : Tables()) {
        if (SameText(t.typeName, typeName)) {
            t.map = std::move(map);
            return;
        }
    }
    Tables().push_back({AnsiString(typeName), std::move(map)});
}

bool IdentToInt(std::string_view typeName, std::string_view ident, int64_t& value)
{
    if (const TIdentMap* map = FindTable(typeName)) {
        for (const auto& [v, name] : *map) {
            if (SameText(name, ident)) {
                value = v;
                return true;
            }
        }
    }
    return false;
}

bool IntToIdent(std::string_view typeName, int64_t value, AnsiString& ident)
{
    if (const TIdentMap* map = FindTable(typeName)) {
        for (const auto& [v, name] : *map) {
            if (v == value) {
                ident = name;
                return true;
            }
        }
    }
    return false;
}

}  // namespace core
