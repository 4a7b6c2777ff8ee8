#pragma once

#include "flat/FlatUtilities.h"
#include "platform/ui/Memo.h"

namespace flat {

// The multi-line edit box with a flat look (unit TFlatMemoUnit): no
// platform border but a three-pixel frame of its own in the window's
// non-client area, and a background that shows whether the box is active.
//
// The frame: a one-pixel outer ring in ColorBorder and two rings inside it
// in the background colour, which is ColorFlat while the box is inactive
// and ColorFocused while it is active; with both scroll bars the corner
// square between them takes the background colour too. The box is active
// while it has the focus, and while the pointer is over it unless another
// flat memo (or a descendant of one, such as a labelled edit) has the focus
// or the program has no active window; in a form designer it is never.
//
// Colours: ParentColor (on by default) makes ColorFlat follow the parent's
// colour; setting ColorFlat turns it off. UseAdvColors derives ColorFocused
// (AdvColorFocused per cent lighter) and ColorBorder (AdvColorBorder per
// cent darker) from ColorFlat and switches ParentColor with it. The
// control's own Color is the background the frame painter last chose; it is
// neither published nor filed.
//
// A new box is 185 by 89, takes its parent's font and does not size itself
// to it.
class TFlatMemo : public ui::TCustomMemo {
    CORE_CLASS(TFlatMemo, ui::TCustomMemo)

    explicit TFlatMemo(core::TComponent* owner);
    static void Publish(core::PropertyList& list);

    TColor ColorFlat() const { return colorFlat_; }
    // Turns ParentColor off.
    void SetColorFlat(TColor value);
    TColor ColorFocused() const { return colorFocused_; }
    void SetColorFocused(TColor value);
    TColor ColorBorder() const { return colorBorder_; }
    void SetColorBorder(TColor value);
    // Whether ColorFlat follows the parent's colour. It hides the control's
    // own ParentColor, which stays off: the background is the frame
    // painter's choice.
    bool ParentColor() const { return parentColor_; }
    // On a change only; turning it on takes the parent's colour at once.
    void SetParentColor(bool value);
    TAdvColors AdvColorFocused() const { return advColorFocused_; }
    void SetAdvColorFocused(TAdvColors value);
    TAdvColors AdvColorBorder() const { return advColorBorder_; }
    void SetAdvColorBorder(TAdvColors value);
    bool UseAdvColors() const { return useAdvColors_; }
    void SetUseAdvColors(bool value);

    // Whether the pointer is over the box (set only while the program has
    // an active window).
    bool MouseInControl() const { return hover_; }
    // Whether the box shows its active look by the rule above.
    bool IsActiveLook() const;

    void WndProc(ui::TMessage& message) override;

protected:
    // Paints the three-pixel frame (and the scroll-bar corner) over the
    // non-client area, choosing the background colour on the way.
    void RedrawBorder();

private:
    void RecomputeAdvColors();
    void TakeParentColor();

    TColor colorFlat_ = 14805739;
    TColor colorFocused_ = graphics::clWhite;
    TColor colorBorder_ = 8623776;
    bool parentColor_ = true;
    TAdvColors advColorFocused_ = 10;
    TAdvColors advColorBorder_ = 50;
    bool useAdvColors_ = false;
    bool hover_ = false;
};

}  // namespace flat
