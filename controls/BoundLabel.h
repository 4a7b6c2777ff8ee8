#pragma once

#include "platform/ui/Label.h"

namespace controls {

class TBoundLabel;

// An edit that wants to place its bound label again each time the label
// has sized itself to its text (a new caption, font or wrapping). An edit
// that places its label itself whenever it changes the caption has no need
// of it.
//
// The label may call it while the edit is still being constructed (the
// label's first caption is the edit's name), before the edit holds the
// label: compare `label` with the label you hold.
class IBoundLabelOwner {
public:
    virtual void BoundLabelResized(TBoundLabel* label) = 0;

protected:
    ~IBoundLabelOwner() = default;
};

// The caption label that a labelled edit creates, owns and keeps beside
// itself on its parent. It is named "SubLabel" and its caption starts as
// its owner's name. Its place is the edit's business: Left and Top are
// read-only for forms and the property inspector (code calls SetBounds),
// while Width and Height can be set one at a time, each keeping the left,
// the top and the other dimension.
//
// The owning edit makes the label transparent, sets its FocusControl to
// itself (the label's accelerator then focuses the edit) and asks to be
// told when the label is destroyed elsewhere.
class TBoundLabel : public ui::TCustomLabel {
    CORE_CLASS(TBoundLabel, ui::TCustomLabel)

    explicit TBoundLabel(core::TComponent* owner);
    static void Publish(core::PropertyList& list);

protected:
    // Sizes the label to its text, then tells an owner that asks for it.
    void AdjustBounds() override;
};

}  // namespace controls
