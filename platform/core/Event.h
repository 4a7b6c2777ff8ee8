#pragma once

#include <functional>
#include <utility>

#include "platform/core/Forward.h"

namespace core {

// An event: a callable plus, where a form bound it, the handler's name. An
// empty event is unassigned and calling it does nothing. Arguments the
// handler may change (a Cancel flag, a new value) are passed by reference.
template <typename... Args>
class TEvent {
public:
    using Handler = std::function<void(Args...)>;

    TEvent() = default;
    TEvent(std::nullptr_t) {}
    template <typename F>
        requires std::is_invocable_v<F&, Args...> && (!std::is_same_v<std::decay_t<F>, TEvent>)
    TEvent(F&& handler, AnsiString name = {}) : handler_(std::forward<F>(handler)), name_(std::move(name))
    {
    }

    explicit operator bool() const { return static_cast<bool>(handler_); }
    bool Assigned() const { return static_cast<bool>(handler_); }
    // The name of the bound handler method; empty when bound in code.
    const AnsiString& Name() const { return name_; }
    const Handler& Function() const { return handler_; }
    void Clear()
    {
        handler_ = nullptr;
        name_.clear();
    }

    void operator()(Args... args) const
    {
        if (handler_)
            handler_(std::forward<Args>(args)...);
    }

private:
    Handler handler_;
    AnsiString name_;
};

using TNotifyEvent = TEvent<TObject*>;

}  // namespace core
