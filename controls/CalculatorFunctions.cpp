#include "controls/CalculatorFunctions.h"

#include <cmath>

#include "platform/core/Math.h"
#include "platform/core/Variant.h"

namespace controls {

namespace {

// Every argument is finite, so an infinite or NaN result is an overflow or an
// invalid operation, raised by CheckFloat as the platform does.
using core::CheckFloat;

double Sqrt(double x)
{
    if (x < 0)
        throw ECalculate("负数不能求根");
    return std::sqrt(x);
}

// The logarithms refuse 0 with the calculator's message; a negative argument
// is the platform's invalid operation.
template <double (*Log)(double)>
double Logarithm(double x)
{
    if (x == 0)
        throw ECalculate("零不能求对数");
    return CheckFloat(Log(x));
}

double Ln(double x) { return std::log(x); }
double Log10(double x) { return std::log10(x); }
double Log2(double x) { return std::log2(x); }

struct Builtin {
    std::string_view name;
    TBuiltinFunction function;
};

const Builtin Builtins[] = {
    {"abs", [](double x) { return std::fabs(x); }},
    {"sqr", [](double x) { return CheckFloat(x * x); }},
    {"sqrt", Sqrt},
    {"round", [](double x) { return static_cast<double>(core::RoundHalfEven(x)); }},
    {"trunc", [](double x) { return static_cast<double>(core::Trunc(x)); }},
    {"int", core::Int},
    {"frac", core::Frac},
    {"sin", [](double x) { return std::sin(x); }},
    {"cos", [](double x) { return std::cos(x); }},
    {"tan", [](double x) { return CheckFloat(std::tan(x)); }},
    {"asin", core::ArcSin},
    {"acos", core::ArcCos},
    {"atan", [](double x) { return std::atan(x); }},
    {"ln", Logarithm<Ln>},
    {"exp", [](double x) { return CheckFloat(std::exp(x)); }},
    {"sign", [](double x) { return x > 0 ? 1.0 : x < 0 ? -1.0 : 0.0; }},
    {"sgn", [](double x) { return x > 0 ? 1.0 : 0.0; }},
    {"xsgn", [](double x) { return x >= 0 ? x : 0.0; }},
    {"log10", Logarithm<Log10>},
    {"log2", Logarithm<Log2>},
    {"sinh", [](double x) { return CheckFloat(std::sinh(x)); }},
    {"asinh", [](double x) { return std::asinh(x); }},
    {"ceil", [](double x) { return static_cast<double>(core::Ceil(x)); }},
    {"floor", [](double x) { return static_cast<double>(core::Floor(x)); }},
    {"lnxp1", core::LnXP1},
    {"degtorad", core::DegToRad},
    {"radtodeg", core::RadToDeg},
    {"gradtorad", core::GradToRad},
    {"radtograd", core::RadToGrad},
    {"cycletorad", core::CycleToRad},
    {"radtocycle", core::RadToCycle},
};

const TTextArgFunction TextArgFunctions[] = {
    {"fb", "FB"},     {"fbhj", "FB"},  {"fbrg", "FBRG"}, {"fbcl", "FBCL"},
    {"fbjx", "FBJX"}, {"dergf", "RG"}, {"declf", "CL"},  {"dejxf", "JX"},
    {"de", "JJ"},     {"dejj", "JJ"},  {"sys", nullptr},
};

const TCodeItemFunction CodeItemFunctions[] = {
    {"sy", {"本期借方累计", "本年借方累计", "本期贷方累计", "本年贷方累计"}, "正确语法：=..+SY(101,本期借方累计)+..", &SYHook},
    {"xjll", {"流入", "流出"}, "正确语法：=..+XJLL(101,流入)+..", &XJLLHook},
    {"zcfz", {"期初借方", "期末借方", "期初贷方", "期末贷方"}, "正确语法：=..+ZCFZ(101,期初借方)+..", &ZCFZHook},
};

template <typename Entry, size_t N>
const Entry* FindByName(const Entry (&table)[N], std::string_view name)
{
    for (const Entry& entry : table)
        if (entry.name == name)
            return &entry;
    return nullptr;
}

}  // namespace

TBuiltinFunction FindBuiltinFunction(std::string_view name)
{
    const Builtin* builtin = FindByName(Builtins, name);
    return builtin ? builtin->function : nullptr;
}

const TTextArgFunction* FindTextArgFunction(std::string_view name)
{
    return FindByName(TextArgFunctions, name);
}

const TCodeItemFunction* FindCodeItemFunction(std::string_view name)
{
    return FindByName(CodeItemFunctions, name);
}

}  // namespace controls
