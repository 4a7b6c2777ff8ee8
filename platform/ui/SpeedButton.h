#pragma once

#include <memory>

#include "platform/graphics/Bitmap.h"
#include "platform/ui/WinControl.h"

namespace ui {

// What a speed button shows: standing up, greyed, pressed while the mouse
// holds it, or latched down in its group.
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
using TNumGlyphs = int;

// A button without a window, for tool bars: it never takes the focus.
//
// Look: the platform's push-button frame, raised, and sunken while pressed
// or latched (a latched button's face is a fine checkerboard of the face and
// highlight colours). A Flat button shows its frame only while the pointer is
// over it or it is down. The content (Glyph and Caption) moves one pixel
// right and down while the button is down.
//
// Glyph: a strip of NumGlyphs equal images side by side, for the up,
// disabled, pressed and latched states; a state without its own image shows
// the up image, except a disabled button with one image, which shows that
// image engraved. The colour of the strip's bottom-left pixel is transparent.
// Layout puts the glyph left of, right of, above or below the caption;
// Margin is the distance from the edge to the glyph (-1 centres the pair) and
// Spacing the gap between glyph and caption (-1: the free room is shared
// evenly).
//
// Clicks: OnClick runs when the left button is released over the button;
// holding it down repeats nothing. Buttons with the same GroupIndex (not 0)
// on one parent form a group in which at most one is Down: pressing one
// releases the others, told by the notice CM_BUTTONPRESSED. AllowAllUp
// lets the down button of a group be released by clicking it again; it is
// shared by the whole group. The accelerator of the caption clicks the
// button without latching it.
class TSpeedButton : public TGraphicControl {
    CORE_CLASS(TSpeedButton, TGraphicControl)

    explicit TSpeedButton(core::TComponent* owner);
    ~TSpeedButton() override;
    static void Publish(core::PropertyList& list);

    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    bool Down() const { return down_; }
    void SetDown(bool value);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    graphics::TBitmap* Glyph() const { return glyph_.get(); }
    // Copies the picture; NumGlyphs becomes its width divided by its height
    // when that divides evenly into 1 to 4 images.
    void SetGlyph(const graphics::TBitmap* value);
    TNumGlyphs NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(TNumGlyphs value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return margin_; }
    void SetMargin(int value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    // Whether a flat button lets its parent show through where it draws no
    // frame.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);

    TButtonState State() const { return state_; }
    // Whether the pointer is over a flat button (the "hot" look).
    bool MouseInControl() const { return mouseInControl_; }

    void WndProc(TMessage& message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    // Tells the other buttons of the group that this one went down.
    void UpdateExclusive();
    void ButtonPressed(TMessage& m);
    // Looks again whether the pointer is over a flat button.
    void UpdateTracking();
    void PaintFrame(graphics::TCanvas& canvas, TRect& rect);
    void PaintContent(graphics::TCanvas& canvas, const TRect& rect, TPoint offset);
    void PaintGlyph(graphics::TCanvas& canvas, TPoint at);
    void PaintCaption(graphics::TCanvas& canvas, TRect bounds);

    std::unique_ptr<graphics::TBitmap> glyph_;
    TNumGlyphs numGlyphs_ = 1;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    bool allowAllUp_ = false;
    int groupIndex_ = 0;
    bool down_ = false;
    bool flat_ = false;
    bool transparent_ = true;
    TButtonState state_ = bsUp;
    bool dragging_ = false;
    bool mouseInControl_ = false;
};

// Where a button's glyph and caption go: their top-left corners relative to
// the area inside the frame, for a glyph and a text of the given sizes (0 by
// 0 for none).
struct TButtonPlacement {
    TPoint Glyph;
    TPoint Text;
};
TButtonPlacement PlaceGlyphAndText(TSize client, TSize glyph, TSize text, TButtonLayout layout, int margin,
                                   int spacing);

}  // namespace ui
