#pragma once

#include <memory>
#include <type_traits>

#include "flat/FlatUtilities.h"
#include "platform/graphics/Bitmap.h"
#include "platform/ui/SpeedButton.h"
#include "platform/ui/Timer.h"
#include "platform/ui/WinControl.h"

namespace flat {

using ui::TButtonState;
using ui::bsDisabled;
using ui::bsDown;
using ui::bsExclusive;
using ui::bsUp;

// What the flat push button (windowed) and the flat speed button
// (windowless) share: the published look and group properties, the state
// machine, hover tracking and painting. `Base` is ui::TCustomControl or
// ui::TGraphicControl; TFlatButton and TFlatSpeedButton add what only one
// of them has (focus, keys, the default frame; the action's image).
//
// States: Up; Down while the left button holds the button and the pointer
// is over it; Exclusive while latched down in a group; Disabled.
//
// Hover: a button is "hot" while it owns its class's shared 100 ms timer.
// A mouse move over a button that is not hot makes it hot (the previous hot
// button gets its leave processing, so one button at a time shows the hover
// look); each tick checks that the pointer is still over the hot button and
// lets it go when not. The timer and the hot reference are made by the
// first button of a class and freed with its last one; flat push buttons
// and flat speed buttons each have their own.
//
// Groups: buttons of one parent with the same GroupIndex (not 0) form a
// group in which at most one is Down; AllowAllUp, shared by the group, lets
// the down one be released. The notice is CM_BUTTONPRESSED with the group
// in WParam and the sender in LParam; buttons of other classes ignore it.
template <typename Base>
class TFlatButtonBase : public Base {
public:
    static constexpr bool kWindowed = std::is_base_of_v<ui::TWinControl, Base>;

    explicit TFlatButtonBase(core::TComponent* owner);
    ~TFlatButtonBase() override;
    // Publishes the properties both buttons share.
    static void Publish(core::PropertyList& list);

    TColor ColorFocused() const { return colorFocused_; }
    void SetColorFocused(TColor value);
    TColor ColorDown() const { return colorDown_; }
    void SetColorDown(TColor value);
    TColor ColorBorder() const { return colorBorder_; }
    void SetColorBorder(TColor value);
    TColor ColorHighLight() const { return colorHighLight_; }
    void SetColorHighLight(TColor value);
    TColor ColorShadow() const { return colorShadow_; }
    void SetColorShadow(TColor value);
    TAdvColors AdvColorFocused() const { return advColorFocused_; }
    void SetAdvColorFocused(TAdvColors value);
    TAdvColors AdvColorDown() const { return advColorDown_; }
    void SetAdvColorDown(TAdvColors value);
    TAdvColors AdvColorBorder() const { return advColorBorder_; }
    void SetAdvColorBorder(TAdvColors value);
    // Derive ColorFocused (lighter), ColorDown and ColorBorder (darker) from
    // Color; switching it also switches ParentColor.
    bool UseAdvColors() const { return useAdvColors_; }
    void SetUseAdvColors(bool value);
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode value);

    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    // Only a button of a group can be down; a down button of a group
    // without AllowAllUp stays down until another one goes down.
    bool Down() const { return down_; }
    void SetDown(bool value);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);

    graphics::TBitmap* Glyph() const { return glyph_.get(); }
    // Copies the picture; when its width is a whole multiple of its height,
    // NumGlyphs becomes the quotient (1 when that is above 4).
    void SetGlyph(const graphics::TBitmap* value);
    // 1 to 4; other values are brought into that range.
    TNumGlyphs NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(TNumGlyphs value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    // -1 centres; values below -1 are ignored.
    int Margin() const { return margin_; }
    void SetMargin(int value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    // Handed to the form on every click (also 0).
    ui::TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(ui::TModalResult value) { modalResult_ = value; }

    // The state shown; whether the pointer is over the button (or, for the
    // push button, it has the focus); whether the left button holds it.
    TButtonState State() const { return state_; }
    bool MouseInControl() const { return hover_; }
    bool Dragging() const { return dragging_; }
    // Where the last paint put the glyph and the caption.
    TPoint GlyphPos() const { return glyphPos_; }
    TRect TextBounds() const { return textBounds_; }

    // The class's hot button and shared hover timer (nullptr when none).
    static ui::TControl* HotButton();
    static ui::TTimer* HoverTimer();

    // Hands ModalResult to the form the button is on, then runs OnClick.
    void Click() override;
    // OnDblClick runs from the double-click handling, and only while Down.
    void DblClick() override {}
    void WndProc(ui::TMessage& message) override;
    void Loaded() override;

protected:
    void Paint() override;
    void MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void MouseMove(ui::TShiftState shift, int x, int y) override;
    void MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;

    // The resting frame's width: the push button's Default makes it 2.
    virtual int RestingFrameWidth() const { return 1; }
    // Paints the whole button on `canvas`, whose (0, 0) is the button's
    // top-left corner.
    void PaintButton(graphics::TCanvas& canvas);

    // Hover tracking (see the class comment).
    void EnterProcessing();
    void LeaveProcessing();
    void ResyncHover();

    // The state a key or the accelerator sets, as a click would.
    void SetStateValue(TButtonState value) { state_ = value; }

private:
    struct Tracker;
    static Tracker& HoverTracker();
    void TrackHover();
    static void HoverTick();

    void RecomputeAdvColors();
    void NotifyGroup();
    void ButtonPressed(ui::TMessage& m);
    static bool Inside(const TRect& client, int x, int y);
    // The face colour of the background table, or nothing where the parent
    // shows through.
    bool FaceColor(TColor& color) const;
    void PaintFrame(graphics::TCanvas& canvas, const TRect& client);
    void PaintGlyph(graphics::TCanvas& canvas);
    void PaintCaption(graphics::TCanvas& canvas);

    TColor colorFocused_ = 14805739;
    TColor colorDown_ = 12965593;
    TColor colorBorder_ = 8623776;
    TColor colorHighLight_ = graphics::clWhite;
    TColor colorShadow_ = graphics::clBlack;
    TAdvColors advColorFocused_ = 10;
    TAdvColors advColorDown_ = 10;
    TAdvColors advColorBorder_ = 50;
    bool useAdvColors_ = false;
    TTransparentMode transparentMode_ = tmNone;
    int groupIndex_ = 0;
    bool down_ = false;
    bool allowAllUp_ = false;
    std::unique_ptr<graphics::TBitmap> glyph_;
    TNumGlyphs numGlyphs_ = 1;
    TButtonLayout layout_ = ui::blGlyphTop;
    int margin_ = -1;
    int spacing_ = 4;
    ui::TModalResult modalResult_ = ui::mrNone;

    TButtonState state_ = bsUp;
    bool hover_ = false;
    bool dragging_ = false;
    TPoint glyphPos_;
    TRect textBounds_;
};

extern template class TFlatButtonBase<ui::TCustomControl>;
extern template class TFlatButtonBase<ui::TGraphicControl>;

}  // namespace flat
