#include "controls/BoundLabel.h"

namespace controls {

CORE_CLASS_IMPL(TBoundLabel)

TBoundLabel::TBoundLabel(core::TComponent* owner) : ui::TCustomLabel(owner)
{
    SetName("SubLabel");
    if (owner)
        SetCaption(owner->Name());
}

void TBoundLabel::Publish(core::PropertyList& list)
{
    core::PropBuilder<TBoundLabel> p(list);
    p.String("Caption", &TBoundLabel::Caption, &TBoundLabel::SetCaption, "TCaption");
    p.Enum("Layout", &TBoundLabel::Layout, &TBoundLabel::SetLayout)
        .Default(ui::tlTop);
    p.Boolean("ParentColor", &TBoundLabel::ParentColor, &TBoundLabel::SetParentColor).Default(true);
    p.Boolean("ShowAccelChar", &TBoundLabel::ShowAccelChar, &TBoundLabel::SetShowAccelChar).Default(true);
    p.Boolean("Transparent", &TBoundLabel::Transparent, &TBoundLabel::SetTransparent).Default(false);
    p.Boolean("WordWrap", &TBoundLabel::WordWrap, &TBoundLabel::SetWordWrap).Default(false);
    // The owning edit places the label.
    p.Integer("Left", &TBoundLabel::Left, nullptr);
    p.Integer("Top", &TBoundLabel::Top, nullptr);
}

void TBoundLabel::AdjustBounds()
{
    ui::TCustomLabel::AdjustBounds();
    if (InState(core::csDestroying))
        return;
    if (auto* edit = dynamic_cast<IBoundLabelOwner*>(Owner()))
        edit->BoundLabelResized(this);
}

}  // namespace controls
