#pragma once

#include "platform/graphics/Color.h"
#include "platform/ui/Panel.h"

namespace controls {

// Stand-ins for the in-house band panels until their own step replaces them
// with the gradient bands: plain panels that take their places at the top,
// in the centre and at the bottom of a window and hold the controls put on
// them. Only the bottom one draws more than its colour: its caption and its
// line in LineColor.

class TTopPanel : public ui::TCustomPanel {
    CORE_CLASS(TTopPanel, ui::TCustomPanel)

    explicit TTopPanel(core::TComponent* owner);

protected:
    void Paint() override;
};

// Its children sit inside a six-pixel band of its colour.
class TCenterPanel : public ui::TCustomPanel {
    CORE_CLASS(TCenterPanel, ui::TCustomPanel)

    explicit TCenterPanel(core::TComponent* owner);

protected:
    void Paint() override;
};

class TBottomPanel : public ui::TCustomPanel {
    CORE_CLASS(TBottomPanel, ui::TCustomPanel)

    explicit TBottomPanel(core::TComponent* owner);
    static void Publish(core::PropertyList& list);

    graphics::TColor LineColor() const { return lineColor_; }
    void SetLineColor(graphics::TColor value);

protected:
    void Paint() override;

private:
    graphics::TColor lineColor_ = 0x57D1FE;
};

}  // namespace controls
