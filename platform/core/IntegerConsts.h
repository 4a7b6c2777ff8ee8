#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/core/Forward.h"

namespace core {

// Names for values of an integer property type, so that a form says
// `Color = clBtnFace` and `Font.Charset = GB2312_CHARSET` instead of numbers.
// Tables are registered per type name (the property's type name in the
// property registry, matched without regard to case); the library that owns
// the type registers its table once at start-up.
using TIdentMap = std::vector<std::pair<int64_t, AnsiString>>;

void RegisterIntegerConsts(std::string_view typeName, TIdentMap map);
// The value named `ident` for that type; false when the type has no table
// or the table no such name.
bool IdentToInt(std::string_view typeName, std::string_view ident, int64_t& value);
// The name of `value` for that type; false when there is none.
bool IntToIdent(std::string_view typeName, int64_t value, AnsiString& ident);

}  // namespace core
