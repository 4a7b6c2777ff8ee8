#include "controls/TinySpeedBtn.h"

#include "platform/ui/Action.h"

namespace controls {

CORE_CLASS_IMPL(TTinySpeedBtn)

TTinySpeedBtn::TTinySpeedBtn(core::TComponent* owner) : flat::TFlatSpeedButton(owner) {}

void TTinySpeedBtn::ActionChange(core::TObject* sender, bool checkDefaults)
{
    flat::TFlatSpeedButton::ActionChange(sender, checkDefaults);
    if (auto* action = dynamic_cast<ui::TCustomAction*>(sender))
        SetDown(action->Checked());
}

}  // namespace controls
