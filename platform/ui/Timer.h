#pragma once

#include <cstdint>

#include "platform/core/Component.h"

namespace ui {

// A component that calls OnTimer every Interval milliseconds on the UI
// thread, through one of the window manager's process-wide timers. It runs
// while Enabled is true and Interval is above 0 (not while its form is being
// read or designed); a tick without an OnTimer handler does nothing. Setting
// Enabled or Interval starts the count again.
class TTimer : public core::TComponent {
    CORE_CLASS(TTimer, core::TComponent)

    explicit TTimer(core::TComponent* owner);
    ~TTimer() override;
    static void Publish(core::PropertyList& list);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned value);

    core::TNotifyEvent OnTimer;

    // Whether the window manager's timer runs now.
    bool Running() const { return timerId_ != 0; }

    void Loaded() override;

protected:
    // Called on every tick; the default calls OnTimer.
    virtual void Timer();

private:
    void UpdateTimer();
    void Stop();

    bool enabled_ = true;
    unsigned interval_ = 1000;
    uintptr_t timerId_ = 0;
};

}  // namespace ui
