#include "controls/TinyButton.h"

namespace controls {

CORE_CLASS_IMPL(TTinyButton)

TTinyButton::TTinyButton(core::TComponent* owner) : ui::TButton(owner)
{
    SetBounds(Left(), Top(), 68, 21);
    SetTabStop(false);
}

void TTinyButton::Publish(core::PropertyList& list)
{
    core::PropBuilder<TTinyButton> p(list);
    p.Boolean("TabStop", &TTinyButton::TabStop, &TTinyButton::SetTabStop).Default(false);
}

}  // namespace controls
