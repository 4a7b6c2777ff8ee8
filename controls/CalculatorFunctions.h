#pragma once

#include <string_view>

#include "controls/Calculator.h"

namespace controls {

// The calculator's function tables: the built-in functions of one argument
// and the accounting functions, whose values the host's hooks supply.

using TBuiltinFunction = double (*)(double);

// The built-in function of that name (lower case), or null.
TBuiltinFunction FindBuiltinFunction(std::string_view name);

// A function whose argument is raw text up to the next ")": the ledger
// functions with the kind text they pass, and sys (no kind).
struct TTextArgFunction {
    std::string_view name;
    const char* kind;  // null for sys, which goes to SysHook
};
const TTextArgFunction* FindTextArgFunction(std::string_view name);

// A function called as name(code,item) with one of a fixed set of items.
struct TCodeItemFunction {
    std::string_view name;
    std::string_view items[4];  // unused places are empty
    const char* hint;           // the correct form, shown after a wrong item
    TCodeItemHook* hook;
};
const TCodeItemFunction* FindCodeItemFunction(std::string_view name);

}  // namespace controls
