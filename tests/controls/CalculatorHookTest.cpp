#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "controls/Calculator.h"

using namespace controls;
using core::AnsiString;

namespace {

// One hook call as the hook saw it.
struct HookCall {
    AnsiString hook;
    AnsiString first;   // argText, or codeText for the code-and-item hooks
    AnsiString second;  // kind, or argText for the code-and-item hooks
};

// Installs recording hooks for each test and removes every hook afterwards,
// so that no other test sees them. The hooks answer `answer_` and report it
// as set unless `refuse_` says otherwise.
class CalculatorHooks : public ::testing::Test {
protected:
    void SetUp() override
    {
        SysHook = [this](double& value, const AnsiString& argText) {
            return Answer("sys", argText, "", value);
        };
        LedgerHook = [this](double& value, const AnsiString& argText, const AnsiString& kind) {
            return Answer("ledger", argText, kind, value);
        };
        SYHook = [this](double& value, const AnsiString& code, const AnsiString& item) {
            return Answer("sy", code, item, value);
        };
        XJLLHook = [this](double& value, const AnsiString& code, const AnsiString& item) {
            return Answer("xjll", code, item, value);
        };
        ZCFZHook = [this](double& value, const AnsiString& code, const AnsiString& item) {
            return Answer("zcfz", code, item, value);
        };
    }

    void TearDown() override
    {
        SysHook = nullptr;
        LedgerHook = nullptr;
        SYHook = nullptr;
        XJLLHook = nullptr;
        ZCFZHook = nullptr;
    }

    bool Answer(const char* hook, const AnsiString& first, const AnsiString& second, double& value)
    {
        EXPECT_EQ(value, 0) << "the value slot starts at 0";
        calls_.push_back({hook, first, second});
        value = answer_;
        return !refuse_;
    }

    double Evaluate(const char* formula)
    {
        double value = 0;
        EXPECT_TRUE(Calculate(formula, value)) << formula;
        return value;
    }

    double answer_ = 10;
    bool refuse_ = false;
    std::vector<HookCall> calls_;
};

}  // namespace

TEST_F(CalculatorHooks, LedgerFunctionsPassTheirRawTextAndKind)
{
    struct Case {
        const char* formula;
        const char* argText;
        const char* kind;
    } cases[] = {
        {"fb(a1+b2)", "a1+b2", "FB"},
        {"fbhj(x)", "x", "FB"},
        {"fbrg(x)", "x", "FBRG"},
        {"fbcl(x)", "x", "FBCL"},
        {"fbjx(x)", "x", "FBJX"},
        {"dergf(x)", "x", "RG"},
        {"declf(x)", "x", "CL"},
        {"dejxf(x)", "x", "JX"},
        {"de(x)", "x", "JJ"},
        {"dejj(x)", "x", "JJ"},
        {"FB( 1001 , Ab(c )", "1001,ab(c", "FB"},  // raw: no evaluation, no nesting
        {"fb()", "", "FB"},
    };
    for (const auto& c : cases) {
        calls_.clear();
        EXPECT_EQ(Evaluate(c.formula), 10) << c.formula;
        ASSERT_EQ(calls_.size(), 1u) << c.formula;
        EXPECT_EQ(calls_[0].hook, "ledger");
        EXPECT_EQ(calls_[0].first, c.argText) << c.formula;
        EXPECT_EQ(calls_[0].second, c.kind) << c.formula;
    }
}

TEST_F(CalculatorHooks, CodeAndItemFunctionsPassCodeAndItem)
{
    struct Case {
        const char* formula;
        const char* hook;
        const char* code;
        const char* item;
    } cases[] = {
        {"sy(101,本期借方累计)", "sy", "101", "本期借方累计"},
        {"sy(5501,本年借方累计)", "sy", "5501", "本年借方累计"},
        {"SY(101, 本期贷方累计)", "sy", "101", "本期贷方累计"},
        {"sy(101,本年贷方累计)", "sy", "101", "本年贷方累计"},
        {"xjll(1,流入)", "xjll", "1", "流入"},
        {"xjll(1,流出)", "xjll", "1", "流出"},
        {"zcfz(1002,期初借方)", "zcfz", "1002", "期初借方"},
        {"zcfz(1002,期末借方)", "zcfz", "1002", "期末借方"},
        {"zcfz(1002,期初贷方)", "zcfz", "1002", "期初贷方"},
        {"zcfz(1002,期末贷方)", "zcfz", "1002", "期末贷方"},
    };
    for (const auto& c : cases) {
        calls_.clear();
        EXPECT_EQ(Evaluate(c.formula), 10) << c.formula;
        ASSERT_EQ(calls_.size(), 1u) << c.formula;
        EXPECT_EQ(calls_[0].hook, c.hook);
        EXPECT_EQ(calls_[0].first, c.code);
        EXPECT_EQ(calls_[0].second, c.item);
    }
}

TEST_F(CalculatorHooks, SysPassesItsText)
{
    EXPECT_EQ(Evaluate("sys(Year Begin)"), 10);
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].hook, "sys");
    EXPECT_EQ(calls_[0].first, "yearbegin");
}

TEST_F(CalculatorHooks, HookValuesTakePartInTheFormula)
{
    answer_ = 2.5;
    EXPECT_EQ(Evaluate("fb(1001)*4+sy(101,本期借方累计)"), 12.5);
    EXPECT_EQ(calls_.size(), 2u);
}

TEST_F(CalculatorHooks, ARefusingHookMakesTheCallZero)
{
    refuse_ = true;
    answer_ = 99;  // set, but not reported as set
    EXPECT_EQ(Evaluate("fb(1001)+1"), 1);
    EXPECT_EQ(Evaluate("xjll(1,流入)+2"), 2);
    EXPECT_EQ(Evaluate("sys(x)+3"), 3);
}

TEST_F(CalculatorHooks, DoubleByteCharactersReachTheHookUnchanged)
{
    // The second byte of 丂 (GBK 81 41) is the code of "A": it must not be lowered.
    Evaluate("fb(丂A科目)");
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].first, "丂a科目");
}

TEST_F(CalculatorHooks, AnUnsetHookStillMakesItsFunctionsInvalid)
{
    LedgerHook = nullptr;
    double value = 0;
    try {
        Calculate("fbrg(x)", value);
        FAIL() << "no error";
    } catch (const ECalculate& e) {
        EXPECT_EQ(e.Message(), "公式无效： \"fbrg\".");
    }
    EXPECT_EQ(Evaluate("sys(x)"), 10);
}

TEST_F(CalculatorHooks, ErrorsAroundHookCalls)
{
    double value = 0;
    // A raw argument ends at the first ")": the one after it is left over.
    EXPECT_THROW(Calculate("fb(f(x))", value), ECalculate);
    EXPECT_EQ(calls_.size(), 1u);
    // A wrong item is refused before any hook is asked.
    calls_.clear();
    EXPECT_THROW(Calculate("sy(101,本月)", value), ECalculate);
    EXPECT_TRUE(calls_.empty());
    // A hook's own errors reach the caller.
    SysHook = [](double&, const AnsiString&) -> bool { throw core::EDatabaseError("no ledger"); };
    EXPECT_THROW(Calculate("sys(x)", value), core::EDatabaseError);
    // A hook value that is not a number is refused like any other.
    SysHook = [](double& v, const AnsiString&) { v = HUGE_VAL; return true; };
    EXPECT_THROW(Calculate("sys(x)", value), core::EOverflow);
}
