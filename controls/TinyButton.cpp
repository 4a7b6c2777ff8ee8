#include "controls/TinyButton.h"

#include "platform/ui/Action.h"
#include "platform/ui/VirtualKeys.h"

namespace controls {

CORE_CLASS_IMPL(TTinyButton)

TTinyButton::TTinyButton(core::TComponent* owner) : flat::TFlatButton(owner)
{
    SetBounds(Left(), Top(), 68, 21);
}

void TTinyButton::WndProc(ui::TMessage& m)
{
    if (m.Msg == ui::WM_KEYDOWN && m.WParam == ui::VK_RETURN) {
        Click();
        return;
    }
    flat::TFlatButton::WndProc(m);
}

void TTinyButton::ActionChange(core::TObject* sender, bool checkDefaults)
{
    flat::TFlatButton::ActionChange(sender, checkDefaults);
    if (auto* action = dynamic_cast<ui::TCustomAction*>(sender))
        SetDown(action->Checked());
}

}  // namespace controls
