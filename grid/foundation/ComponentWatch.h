#pragma once

#include <functional>

#include "platform/core/Component.h"

namespace grid {

// Follows one component through free notification and calls back when that
// component is destroyed, so that a plain object holding a reference to a
// component (a link) can drop it in time.
class TtsComponentWatch final : public core::TComponent {
public:
    using Handler = std::function<void(core::TComponent* destroyed)>;

    explicit TtsComponentWatch(Handler onDestroyed) : core::TComponent(nullptr), onDestroyed_(std::move(onDestroyed)) {}

    core::TComponent* Watched() const { return watched_; }
    // Follows `component` instead of the one followed so far (nullptr: none).
    void Watch(core::TComponent* component);

protected:
    void Notification(core::TComponent* component, core::TOperation operation) override;

private:
    core::TComponent* watched_ = nullptr;
    Handler onDestroyed_;
};

}  // namespace grid
