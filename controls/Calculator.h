#pragma once

#include <functional>
#include <string_view>

#include "platform/core/Exception.h"

namespace controls {

// The calculator's error: one of its messages, nothing else. Errors of the
// platform's arithmetic (EDivByZero, EInvalidOp, EOverflow, EZeroDivide) are
// not turned into this; they reach the caller as they are.
class ECalculate : public core::Exception {
public:
    using Exception::Exception;
};

// Accounting hooks: the host application computes the figures of the
// accounting functions. Each gets the value slot to fill (0 on entry) and
// returns true when it set the value; false makes the function's value 0. An
// unset hook makes its functions invalid formulas. A hook must not start
// another evaluation from within.
//
//   SysHook(value, argText)                sys(...)
//   LedgerHook(value, argText, kind)       fb, fbhj ("FB"), fbrg ("FBRG"),
//                                          fbcl ("FBCL"), fbjx ("FBJX"),
//                                          dergf ("RG"), declf ("CL"),
//                                          dejxf ("JX"), de, dejj ("JJ")
//   SYHook / XJLLHook / ZCFZHook(value, codeText, argText)
//                                          sy / xjll / zcfz(code,item)
//
// argText is the raw text between the parentheses, or the item of a
// code-and-item function; codeText is the account code. Both are passed as
// the formula holds them after normalising: in lower case, without spaces.
using TSysHook = std::function<bool(double& value, const core::AnsiString& argText)>;
using TLedgerHook = std::function<bool(double& value, const core::AnsiString& argText, const core::AnsiString& kind)>;
using TCodeItemHook =
    std::function<bool(double& value, const core::AnsiString& codeText, const core::AnsiString& argText)>;

extern TSysHook SysHook;
extern TLedgerHook LedgerHook;
extern TCodeItemHook SYHook;
extern TCodeItemHook XJLLHook;
extern TCodeItemHook ZCFZHook;

// Evaluates a formula such as "1200*3+5" or "sqrt(2)/2". Spaces are removed
// and ASCII letters lowered first. Sets `value` to 0 and returns false for a
// formula that is empty after that; otherwise evaluates it into `value` and
// returns true. Errors are raised (ECalculate or the platform's arithmetic
// exceptions); `value` then holds the last statement completed before the
// error ("1;2/0" leaves 1), or 0. Every value the calculator produces is finite.
bool Calculate(std::string_view text, double& value);

}  // namespace controls
