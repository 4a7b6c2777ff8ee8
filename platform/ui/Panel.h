#pragma once

#include "platform/core/EnumType.h"
#include "platform/ui/WinControl.h"

namespace ui {

// How a panel's bevel ring is cut: not at all, pressed in, standing out, or
// as a plain band of the panel's colour.
CORE_ENUM(TBevelCut, bvNone, bvLowered, bvRaised, bvSpace);
using TPanelBevel = TBevelCut;
using TBevelWidth = int;

// A container with a frame: an outer and an inner bevel ring BevelWidth
// pixels wide each, a caption drawn across the middle, and a band of
// BorderWidth pixels in the panel's colour around the client area (outside
// it: the band belongs to the window's frame, so Paint and the children
// never cover it). Aligned children sit inside the bevels.
//
// Descendants that draw themselves override Paint; the bevels and the
// caption are then theirs to draw or to leave out.
class TCustomPanel : public TCustomControl {
    CORE_CLASS(TCustomPanel, TCustomControl)

    explicit TCustomPanel(core::TComponent* owner);
    ~TCustomPanel() override;

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TPanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel value);
    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel value);
    TBevelWidth BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(TBevelWidth value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    // Whether a change of size repaints the whole panel; without it only the
    // parts a larger size uncovers need painting.
    bool FullRepaint() const { return fullRepaint_; }
    void SetFullRepaint(bool value);

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void AdjustClientRect(TRect& rect) const override;
    void Paint() override;

private:
    // The part of the client area inside both bevels.
    int BevelSize() const;

    TAlignment alignment_ = taCenter;
    TPanelBevel bevelInner_ = bvNone;
    TPanelBevel bevelOuter_ = bvRaised;
    TBevelWidth bevelWidth_ = 1;
    TBorderStyle borderStyle_ = bsNone;
    bool fullRepaint_ = true;
};

// The panel as forms declare it, with its properties published.
class TPanel : public TCustomPanel {
    CORE_CLASS(TPanel, TCustomPanel)

    explicit TPanel(core::TComponent* owner);
    static void Publish(core::PropertyList& list);
};

// Draws `width` rings just inside `rect`, each with its top and left sides in
// `topLeft` and its bottom and right sides (and the two corners they share
// with the others) in `bottomRight`, and shrinks `rect` to what lies inside.
void Frame3D(graphics::TCanvas& canvas, TRect& rect, graphics::TColor topLeft, graphics::TColor bottomRight, int width);

}  // namespace ui
