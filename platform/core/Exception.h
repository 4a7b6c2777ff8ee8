#pragma once

#include <exception>

#include "platform/core/Forward.h"
#include "platform/core/Format.h"

namespace core {

// The root of every error the system raises. The message is 8-bit text of
// the active code page, shown as it stands by the top-level error display.
class Exception : public std::exception {
public:
    explicit Exception(AnsiString message) : message_(std::move(message)) {}
    template <typename... Args>
    Exception(const AnsiString& format, const Args&... args) : message_(Format(format, args...)) {}

    const AnsiString& Message() const { return message_; }
    void SetMessage(AnsiString message) { message_ = std::move(message); }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    AnsiString message_;
};

#define CORE_DECLARE_EXCEPTION(Name, Base) \
    class Name : public Base {             \
    public:                                \
        using Base::Base;                  \
    };

// Conversions of text to numbers and dates, and of variants.
CORE_DECLARE_EXCEPTION(EConvertError, Exception)
CORE_DECLARE_EXCEPTION(EVariantError, EConvertError)
// Lists: "List index out of bounds (%d)" and friends.
CORE_DECLARE_EXCEPTION(EListError, Exception)
CORE_DECLARE_EXCEPTION(EStringListError, EListError)
// Streams and component filing. As in the classic hierarchy, a short read or
// write is a filer error too, so that one handler catches every way a stored
// form or layout can be broken.
CORE_DECLARE_EXCEPTION(EStreamError, Exception)
CORE_DECLARE_EXCEPTION(EFCreateError, EStreamError)
CORE_DECLARE_EXCEPTION(EFOpenError, EStreamError)
CORE_DECLARE_EXCEPTION(EFilerError, EStreamError)
CORE_DECLARE_EXCEPTION(EReadError, EFilerError)
CORE_DECLARE_EXCEPTION(EWriteError, EFilerError)
CORE_DECLARE_EXCEPTION(EClassNotFound, EFilerError)
CORE_DECLARE_EXCEPTION(EInvalidImage, EFilerError)
// Text form descriptions that do not parse.
CORE_DECLARE_EXCEPTION(EParserError, EFilerError)
CORE_DECLARE_EXCEPTION(EPropertyError, Exception)
// Arithmetic, raised where the hardware would trap.
CORE_DECLARE_EXCEPTION(EMathError, Exception)
CORE_DECLARE_EXCEPTION(EIntError, Exception)
CORE_DECLARE_EXCEPTION(EDivByZero, EIntError)
CORE_DECLARE_EXCEPTION(EIntOverflow, EIntError)
CORE_DECLARE_EXCEPTION(EInvalidOp, EMathError)
CORE_DECLARE_EXCEPTION(EZeroDivide, EMathError)
CORE_DECLARE_EXCEPTION(EOverflow, EMathError)
CORE_DECLARE_EXCEPTION(EUnderflow, EMathError)
// Objects and components.
CORE_DECLARE_EXCEPTION(EInvalidCast, Exception)
CORE_DECLARE_EXCEPTION(EInvalidOperation, Exception)
CORE_DECLARE_EXCEPTION(EComponentError, Exception)
CORE_DECLARE_EXCEPTION(EOutOfResources, Exception)
// Services.
CORE_DECLARE_EXCEPTION(ERegistryException, Exception)
CORE_DECLARE_EXCEPTION(EDatabaseError, Exception)
CORE_DECLARE_EXCEPTION(EOSError, Exception)

}  // namespace core
