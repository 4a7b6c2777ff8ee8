#include "platform/ui/Timer.h"

#include "platform/ui/Application.h"
#include "platform/ui/WindowManager.h"

namespace ui {

CORE_CLASS_IMPL(TTimer)

TTimer::TTimer(core::TComponent* owner) : core::TComponent(owner)
{
    UpdateTimer();
}

TTimer::~TTimer()
{
    Stop();
}

void TTimer::Publish(core::PropertyList& list)
{
    core::PropBuilder<TTimer> p(list);
    p.Boolean("Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default(true);
    p.Integer("Interval", &TTimer::Interval, &TTimer::SetInterval, "Cardinal").Default(1000);
    p.Event("OnTimer", &TTimer::OnTimer);
}

void TTimer::SetEnabled(bool value)
{
    enabled_ = value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned value)
{
    interval_ = value;
    UpdateTimer();
}

void TTimer::Loaded()
{
    core::TComponent::Loaded();
    UpdateTimer();
}

void TTimer::Stop()
{
    if (timerId_ != 0)
        WindowManager().KillTimer(nullptr, timerId_);
    timerId_ = 0;
}

void TTimer::UpdateTimer()
{
    Stop();
    if (!enabled_ || interval_ == 0 || InState(core::csLoading) || InState(core::csDesigning))
        return;
    timerId_ = WindowManager().SetTimer(nullptr, 0, interval_, [this] {
        // An error of the handler is shown like any other; the timer goes on.
        try {
            Timer();
        } catch (const std::exception&) {
            Application().HandleException(this);
        }
    });
}

void TTimer::Timer()
{
    OnTimer(this);
}

}  // namespace ui
