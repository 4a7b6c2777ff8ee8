#pragma once

#include "platform/graphics/Color.h"
#include "platform/ui/Panel.h"

namespace graphics {
class TCanvas;
}

namespace controls {

// The band gradient every panel of the family is painted with: `rect` is
// cut into columns 4 pixels wide, from its left edge, and column i is filled
// over the full height with `from` moved i steps towards `to`, where the
// width div 4 + 1 steps of each channel lead from `from` exactly to `to`
// (channels rounded to nearest, ties to even). The last column has `to`
// and lies at or beyond the right edge. Nothing is painted outside `rect`,
// nor for an empty rectangle. System colours are resolved first.
void PaintGradient(graphics::TCanvas& canvas, graphics::TColor from, graphics::TColor to, const graphics::TRect& rect);

// The three band panels that frame every window of the family: a shaded
// band at the top, a shaded body, and a bottom band with a titled tab where
// the command buttons sit. Each paints itself completely: the panel's
// bevels and centred caption are never drawn (the bevels still keep aligned
// children one bevel width in from the edge).

// The top band: white shading to silver from left to right over the whole
// panel. Aligned to the top; its colour (light grey) shows nowhere.
class TTopPanel : public ui::TCustomPanel {
    CORE_CLASS(TTopPanel, ui::TCustomPanel)

    explicit TTopPanel(core::TComponent* owner);

protected:
    void Paint() override;
};

// The body: the same shading as the top band inside a six-pixel band of
// the panel's colour (light grey), in which the children sit. Fills what
// the other aligned controls leave; no bevels.
class TCenterPanel : public ui::TCustomPanel {
    CORE_CLASS(TCenterPanel, ui::TCustomPanel)

    explicit TCenterPanel(core::TComponent* owner);

protected:
    void Paint() override;
};

// The bottom band: silver shading to grey, edged light on the bottom and
// right and dark on the top and left, with a tab outlined in white and
// LineColor that holds the caption (宋体, 11 points) at the left and runs
// on to the right edge. Aligned to the bottom, caption "标题".
class TBottomPanel : public ui::TCustomPanel {
    CORE_CLASS(TBottomPanel, ui::TCustomPanel)

    explicit TBottomPanel(core::TComponent* owner);
    static void Publish(core::PropertyList& list);

    // The colour of the tab's line, shown from the next paint on.
    graphics::TColor LineColor() const { return lineColor_; }
    void SetLineColor(graphics::TColor value) { lineColor_ = value; }

protected:
    void Paint() override;

private:
    graphics::TColor lineColor_ = 0x57D1FE;
};

}  // namespace controls
