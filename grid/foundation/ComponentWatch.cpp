#include "grid/foundation/ComponentWatch.h"

namespace grid {

void TtsComponentWatch::Watch(core::TComponent* component)
{
    if (component == watched_)
        return;
    if (watched_)
        RemoveFreeNotification(watched_);
    watched_ = component;
    if (watched_)
        FreeNotification(watched_);
}

void TtsComponentWatch::Notification(core::TComponent* component, core::TOperation operation)
{
    core::TComponent::Notification(component, operation);
    if (operation == core::opRemove && component == watched_) {
        watched_ = nullptr;
        onDestroyed_(component);
    }
}

}  // namespace grid
