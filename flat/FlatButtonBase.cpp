// The behaviour both flat buttons share, in this order: the hover tracker,
// construction and publishing, property setters, groups, mouse and
// notifications, then painting.
//
// Paint, in PaintButton:
//   reconcile the state with Enabled -> place glyph and caption
//   (LayoutGlyphText) -> background (face colour or parent) -> frame
//   (DrawBevelFrame) -> glyph (one image of the strip; embossed when
//   disabled with one image) -> caption.
#include "flat/FlatButtonBase.h"

#include <algorithm>

#include "platform/core/TypeInfo.h"
#include "platform/graphics/Canvas.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/FreeWatch.h"

namespace flat {

using namespace graphics;
using ui::TMessage;

// ---- Hover tracker -------------------------------------------------------------

template <typename Base>
struct TFlatButtonBase<Base>::Tracker {
    int instances = 0;
    std::unique_ptr<ui::TTimer> timer;
    TFlatButtonBase* hot = nullptr;

    void Stop()
    {
        if (timer)
            timer->SetEnabled(false);
        hot = nullptr;
    }
};

template <typename Base>
typename TFlatButtonBase<Base>::Tracker& TFlatButtonBase<Base>::HoverTracker()
{
    static Tracker tracker;
    return tracker;
}

template <typename Base>
ui::TControl* TFlatButtonBase<Base>::HotButton()
{
    return HoverTracker().hot;
}

template <typename Base>
ui::TTimer* TFlatButtonBase<Base>::HoverTimer()
{
    return HoverTracker().timer.get();
}

template <typename Base>
void TFlatButtonBase<Base>::HoverTick()
{
    Tracker& t = HoverTracker();
    if (t.hot && ControlAtCursor() != t.hot)
        t.hot->LeaveProcessing();
}

template <typename Base>
void TFlatButtonBase<Base>::TrackHover()
{
    Tracker& t = HoverTracker();
    if (t.hot == this || ControlAtCursor() != this)
        return;
    if (t.hot)
        t.hot->LeaveProcessing();
    if (!ui::Application().Active())
        return;
    t.timer->SetEnabled(false);
    t.hot = this;
    t.timer->SetEnabled(true);
    EnterProcessing();
}

template <typename Base>
void TFlatButtonBase<Base>::EnterProcessing()
{
    if (!this->Enabled() || hover_)
        return;
    hover_ = true;
    this->Invalidate();
}

template <typename Base>
void TFlatButtonBase<Base>::LeaveProcessing()
{
    // A held button keeps its look (and the timer) until it is released.
    if (!this->Enabled() || dragging_)
        return;
    hover_ = false;
    // The hot reference goes with the hover look, also when the look had
    // gone already (a release clears it), so that no timer runs for a button
    // the pointer has left.
    Tracker& t = HoverTracker();
    if (t.hot == this)
        t.Stop();
    this->Invalidate();
}

template <typename Base>
void TFlatButtonBase<Base>::ResyncHover()
{
    if (!this->Enabled())
        return;
    hover_ = ControlAtCursor() == this;
    this->Invalidate();
}

// ---- Construction and publishing -----------------------------------------------

template <typename Base>
TFlatButtonBase<Base>::TFlatButtonBase(core::TComponent* owner) : Base(owner), glyph_(std::make_unique<TBitmap>())
{
    if constexpr (kWindowed)
        this->SetControlStyle({ui::csCaptureMouse, ui::csOpaque, ui::csDoubleClicks});
    else
        this->SetControlStyle({ui::csCaptureMouse, ui::csDoubleClicks});
    this->SetBounds(this->Left(), this->Top(), 25, 25);
    this->SetParentColor(true);
    glyph_->OnChange = [this](core::TObject*) { this->Invalidate(); };
    Tracker& t = HoverTracker();
    if (t.instances++ == 0) {
        t.timer = std::make_unique<ui::TTimer>(nullptr);
        t.timer->SetEnabled(false);
        t.timer->SetInterval(100);
        t.timer->OnTimer = [](core::TObject*) { HoverTick(); };
    }
}

template <typename Base>
TFlatButtonBase<Base>::~TFlatButtonBase()
{
    Tracker& t = HoverTracker();
    if (t.hot == this)
        t.Stop();
    if (--t.instances == 0)
        t.timer.reset();
}

template <typename Base>
void TFlatButtonBase<Base>::Publish(core::PropertyList& list)
{
    using B = TFlatButtonBase<Base>;
    core::PropBuilder<B> p(list);
    p.Integer("ColorFocused", &B::ColorFocused, &B::SetColorFocused, "TColor").Default(14805739);
    p.Integer("ColorDown", &B::ColorDown, &B::SetColorDown, "TColor").Default(12965593);
    p.Integer("ColorBorder", &B::ColorBorder, &B::SetColorBorder, "TColor").Default(8623776);
    p.Integer("ColorHighLight", &B::ColorHighLight, &B::SetColorHighLight, "TColor").Default(clWhite);
    p.Integer("ColorShadow", &B::ColorShadow, &B::SetColorShadow, "TColor").Default(clBlack);
    p.Integer("AdvColorFocused", &B::AdvColorFocused, &B::SetAdvColorFocused, "TAdvColors").Default(10);
    p.Integer("AdvColorDown", &B::AdvColorDown, &B::SetAdvColorDown, "TAdvColors").Default(10);
    p.Integer("AdvColorBorder", &B::AdvColorBorder, &B::SetAdvColorBorder, "TAdvColors").Default(50);
    p.Boolean("UseAdvColors", &B::UseAdvColors, &B::SetUseAdvColors).Default(false);
    p.Enum("TransparentMode", &B::TransparentMode, &B::SetTransparentMode)
        .Default(tmNone);
    // AllowAllUp and the group come before Down, so that a button read as
    // down is in its group.
    p.Boolean("AllowAllUp", &B::AllowAllUp, &B::SetAllowAllUp).Default(false);
    p.Integer("GroupIndex", &B::GroupIndex, &B::SetGroupIndex).Default(0);
    p.Boolean("Down", &B::Down, &B::SetDown).Default(false);
    p.String("Caption", &B::Caption, &B::SetCaption, "TCaption");
    p.template Object<TBitmap>("Glyph", &B::Glyph, &B::SetGlyph);
    p.Integer("NumGlyphs", &B::NumGlyphs, &B::SetNumGlyphs, "TNumGlyphs").Default(1);
    p.Enum("Layout", &B::Layout, &B::SetLayout).Default(ui::blGlyphTop);
    p.Integer("Margin", &B::Margin, &B::SetMargin).Default(-1);
    p.Integer("Spacing", &B::Spacing, &B::SetSpacing).Default(4);
    p.Integer("ModalResult", &B::ModalResult, &B::SetModalResult, "TModalResult").Default(ui::mrNone);
    // The face follows the parent's colour unless a colour is set.
    p.Boolean("ParentColor", &B::ParentColor, &B::SetParentColor).Default(true);
}

// ---- Properties ----------------------------------------------------------------

template <typename Base>
void TFlatButtonBase<Base>::SetColorFocused(TColor value)
{
    colorFocused_ = value;
    this->Invalidate();
}

template <typename Base>
void TFlatButtonBase<Base>::SetColorDown(TColor value)
{
    colorDown_ = value;
    this->Invalidate();
}

template <typename Base>
void TFlatButtonBase<Base>::SetColorBorder(TColor value)
{
    colorBorder_ = value;
    this->Invalidate();
}

template <typename Base>
void TFlatButtonBase<Base>::SetColorHighLight(TColor value)
{
    colorHighLight_ = value;
    this->Invalidate();
}

template <typename Base>
void TFlatButtonBase<Base>::SetColorShadow(TColor value)
{
    colorShadow_ = value;
    this->Invalidate();
}

template <typename Base>
void TFlatButtonBase<Base>::SetAdvColorFocused(TAdvColors value)
{
    advColorFocused_ = std::clamp(value, 0, 100);
    RecomputeAdvColors();
    this->Invalidate();
}

template <typename Base>
void TFlatButtonBase<Base>::SetAdvColorDown(TAdvColors value)
{
    advColorDown_ = std::clamp(value, 0, 100);
    RecomputeAdvColors();
    this->Invalidate();
}

template <typename Base>
void TFlatButtonBase<Base>::SetAdvColorBorder(TAdvColors value)
{
    advColorBorder_ = std::clamp(value, 0, 100);
    RecomputeAdvColors();
    this->Invalidate();
}

template <typename Base>
void TFlatButtonBase<Base>::SetUseAdvColors(bool value)
{
    if (value == useAdvColors_)
        return;
    useAdvColors_ = value;
    this->SetParentColor(value);
    RecomputeAdvColors();
    this->Invalidate();
}

template <typename Base>
void TFlatButtonBase<Base>::RecomputeAdvColors()
{
    if (!useAdvColors_)
        return;
    TColor base = this->Color();
    colorFocused_ = ShiftedColor(base, colorFocused_, advColorFocused_, false);
    colorDown_ = ShiftedColor(base, colorDown_, advColorDown_, true);
    colorBorder_ = ShiftedColor(base, colorBorder_, advColorBorder_, true);
}

template <typename Base>
void TFlatButtonBase<Base>::SetTransparentMode(TTransparentMode value)
{
    transparentMode_ = value;
    this->Invalidate();
}

template <typename Base>
void TFlatButtonBase<Base>::SetGlyph(const TBitmap* value)
{
    if (value == glyph_.get())
        return;
    glyph_->Assign(value);
    if (!glyph_->Empty() && glyph_->Width() % glyph_->Height() == 0) {
        int count = glyph_->Width() / glyph_->Height();
        SetNumGlyphs(count > 4 ? 1 : count);
    }
    this->Invalidate();
}

template <typename Base>
void TFlatButtonBase<Base>::SetNumGlyphs(TNumGlyphs value)
{
    value = std::clamp(value, 1, 4);
    if (value == numGlyphs_)
        return;
    numGlyphs_ = value;
    this->Invalidate();
}

template <typename Base>
void TFlatButtonBase<Base>::SetLayout(TButtonLayout value)
{
    if (value == layout_)
        return;
    layout_ = value;
    this->Invalidate();
}

template <typename Base>
void TFlatButtonBase<Base>::SetMargin(int value)
{
    if (value == margin_ || value < -1)
        return;
    margin_ = value;
    this->Invalidate();
}

template <typename Base>
void TFlatButtonBase<Base>::SetSpacing(int value)
{
    if (value == spacing_)
        return;
    spacing_ = value;
    this->Invalidate();
}

// ---- Groups --------------------------------------------------------------------

template <typename Base>
void TFlatButtonBase<Base>::SetDown(bool value)
{
    if (groupIndex_ == 0)
        value = false;
    if (value == down_ || (down_ && !allowAllUp_))
        return;
    down_ = value;
    if (value) {
        if (state_ == bsUp)
            this->Invalidate();
        state_ = bsExclusive;
        NotifyGroup();
    } else {
        state_ = bsUp;
        this->Repaint();
    }
}

template <typename Base>
void TFlatButtonBase<Base>::SetGroupIndex(int value)
{
    if (value == groupIndex_)
        return;
    groupIndex_ = value;
    NotifyGroup();
}

template <typename Base>
void TFlatButtonBase<Base>::SetAllowAllUp(bool value)
{
    if (value == allowAllUp_)
        return;
    allowAllUp_ = value;
    NotifyGroup();
}

template <typename Base>
void TFlatButtonBase<Base>::NotifyGroup()
{
    if (groupIndex_ == 0 || !this->Parent())
        return;
    TMessage m{ui::CM_BUTTONPRESSED, static_cast<ui::WPARAM>(groupIndex_), reinterpret_cast<ui::LPARAM>(static_cast<ui::TControl*>(this)), 0};
    this->Parent()->Broadcast(m);
}

template <typename Base>
void TFlatButtonBase<Base>::ButtonPressed(TMessage& m)
{
    auto* sender = dynamic_cast<TFlatButtonBase*>(reinterpret_cast<ui::TControl*>(m.LParam));
    if (static_cast<int>(m.WParam) != groupIndex_ || !sender || sender == this)
        return;
    if (sender->Down() && down_) {
        down_ = false;
        state_ = bsUp;
        this->Invalidate();
    }
    allowAllUp_ = sender->AllowAllUp();
}

// ---- Mouse and notifications ---------------------------------------------------

template <typename Base>
bool TFlatButtonBase<Base>::Inside(const TRect& client, int x, int y)
{
    // The bottom edge row counts as inside; the right edge column does not.
    return x >= 0 && x < client.Width() && y >= 0 && y <= client.Height();
}

template <typename Base>
void TFlatButtonBase<Base>::Click()
{
    ui::TFreeWatch watch(this);
    if (ui::TCustomForm* form = ui::GetParentForm(this))
        form->SetModalResult(modalResult_);
    if (!watch.freed)
        Base::Click();
}

template <typename Base>
void TFlatButtonBase<Base>::MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y)
{
    ui::TFreeWatch watch(this);
    Base::MouseDown(button, shift, x, y);
    if (watch.freed || button != ui::mbLeft || !this->Enabled())
        return;
    if (!down_) {
        state_ = bsDown;
        this->Invalidate();
    }
    dragging_ = true;
    if constexpr (kWindowed) {
        if (this->CanFocus() && !this->Focused())
            this->SetFocus();
    }
}

template <typename Base>
void TFlatButtonBase<Base>::MouseMove(ui::TShiftState shift, int x, int y)
{
    ui::TFreeWatch watch(this);
    Base::MouseMove(shift, x, y);
    if (watch.freed)
        return;
    if (dragging_) {
        TButtonState next = down_ ? bsExclusive : Inside(this->ClientRect(), x, y) ? bsDown : bsUp;
        if (next != state_) {
            state_ = next;
            this->Invalidate();
        }
    }
    TrackHover();
}

template <typename Base>
void TFlatButtonBase<Base>::MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y)
{
    ui::TFreeWatch watch(this);
    Base::MouseUp(button, shift, x, y);
    if (watch.freed || button != ui::mbLeft || !dragging_)
        return;
    dragging_ = false;
    bool click = Inside(this->ClientRect(), x, y);
    if (groupIndex_ == 0) {
        state_ = bsUp;
        hover_ = false;
        this->Invalidate();
    } else if (click) {
        SetDown(!down_);
        if (down_) {
            state_ = bsExclusive;
            this->Repaint();
        }
    } else {
        // Released away from the button: it shows its group state again,
        // also when no move came between press and release.
        state_ = down_ ? bsExclusive : bsUp;
        this->Repaint();
    }
    if (click)
        this->Click();
    else
        LeaveProcessing();
    if (watch.freed)
        return;
    ResyncHover();
}

template <typename Base>
void TFlatButtonBase<Base>::Loaded()
{
    Base::Loaded();
    this->Invalidate();
}

template <typename Base>
void TFlatButtonBase<Base>::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case ui::CM_BUTTONPRESSED:
        ButtonPressed(m);
        return;
    case ui::WM_LBUTTONDBLCLK: {
        ui::TFreeWatch watch(this);
        Base::WndProc(m);
        if (!watch.freed && down_)
            this->OnDblClick(this);
        return;
    }
    case ui::CM_ENABLEDCHANGED:
        Base::WndProc(m);
        if (!this->Enabled()) {
            hover_ = false;
            dragging_ = false;
            state_ = bsDisabled;
            Tracker& t = HoverTracker();
            if (t.hot == this)
                t.Stop();
        }
        ResyncHover();
        this->Invalidate();
        return;
    case ui::CM_SYSCOLORCHANGE:
    case ui::CM_PARENTCOLORCHANGED:
        // The platform gives the parent's colour to a button that follows
        // its parent; a button with a colour of its own keeps it.
        Base::WndProc(m);
        RecomputeAdvColors();
        this->Invalidate();
        return;
    default:
        Base::WndProc(m);
        return;
    }
}

// ---- Painting ------------------------------------------------------------------

template <typename Base>
void TFlatButtonBase<Base>::Paint()
{
    PaintButton(*this->Canvas());
}

template <typename Base>
bool TFlatButtonBase<Base>::FaceColor(TColor& color) const
{
    if (transparentMode_ == tmAlways || (transparentMode_ == tmNotFocused && !hover_))
        return false;
    switch (state_) {
    case bsUp:
        color = hover_ ? colorFocused_ : this->Color();
        break;
    case bsDisabled:
        color = this->Color();
        break;
    case bsDown:
        color = colorDown_;
        break;
    case bsExclusive:
        color = hover_ ? colorFocused_ : colorDown_;
        break;
    }
    return true;
}

template <typename Base>
void TFlatButtonBase<Base>::PaintButton(TCanvas& canvas)
{
    // The state first, so that the pressed offset fits the state drawn.
    if (!this->Enabled()) {
        state_ = bsDisabled;
        dragging_ = false;
    } else if (state_ == bsDisabled) {
        state_ = down_ && groupIndex_ != 0 ? bsExclusive : bsUp;
    }
    TRect client = this->ClientRect();
    TPoint offset = state_ == bsDown || state_ == bsExclusive ? TPoint{1, 1} : TPoint{0, 0};
    TGlyphTextLayout at = LayoutGlyphText(canvas, client, offset, this->Caption(), layout_, margin_, spacing_,
                                          glyph_.get(), numGlyphs_);
    glyphPos_ = at.GlyphPos;
    textBounds_ = at.TextBounds;

    TColor face;
    if (FaceColor(face)) {
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(face);
        canvas.FillRect(client);
    } else if constexpr (kWindowed) {
        PaintParentImage(*this, canvas);
    }
    PaintFrame(canvas, client);
    if (!glyph_->Empty())
        PaintGlyph(canvas);
    if (!this->Caption().empty())
        PaintCaption(canvas);
}

template <typename Base>
void TFlatButtonBase<Base>::PaintFrame(TCanvas& canvas, const TRect& client)
{
    switch (state_) {
    case bsUp:
        if (hover_)
            DrawBevelFrame(canvas, client, colorHighLight_, colorShadow_, 1);
        else
            DrawBevelFrame(canvas, client, colorBorder_, colorBorder_, RestingFrameWidth());
        break;
    case bsDisabled:
        DrawBevelFrame(canvas, client, colorBorder_, colorBorder_, 1);
        break;
    case bsDown:
    case bsExclusive:
        DrawBevelFrame(canvas, client, colorShadow_, colorHighLight_, 1);
        break;
    }
}

template <typename Base>
void TFlatButtonBase<Base>::PaintGlyph(TCanvas& canvas)
{
    int width = glyph_->Width() / numGlyphs_;
    int height = glyph_->Height();
    if (width <= 0)
        return;
    // Images, left to right: up, disabled, pressed, latched. With fewer
    // images: two give up and disabled (pressed and latched show the up
    // image); three give up, disabled and pressed, which latched shows too;
    // one serves every state, embossed when disabled.
    int image = 0;
    switch (state_) {
    case bsUp:
        break;
    case bsDisabled:
        image = numGlyphs_ >= 2 ? 1 : 0;
        break;
    case bsDown:
        image = numGlyphs_ >= 3 ? 2 : 0;
        break;
    case bsExclusive:
        image = numGlyphs_ >= 4 ? 3 : numGlyphs_ == 3 ? 2 : 0;
        break;
    }
    TRect dest = Bounds(glyphPos_.X, glyphPos_.Y, width, height);
    TColor key = glyph_->Pixel(0, height - 1);
    if (numGlyphs_ == 1 && state_ == bsDisabled) {
        std::unique_ptr<TBitmap> embossed =
            MakeDisabledImage(*glyph_, clBlack, clBtnFace, clBtnHighlight, clBtnShadow, true);
        canvas.DrawTransparent(dest, *embossed, Bounds(0, 0, width, height), embossed->Pixel(0, height - 1));
        return;
    }
    canvas.DrawTransparent(dest, *glyph_, Bounds(image * width, 0, width, height), key);
}

template <typename Base>
void TFlatButtonBase<Base>::PaintCaption(TCanvas& canvas)
{
    TCanvasStateSaver saver(canvas);
    canvas.Brush()->SetStyle(bsClear);
    canvas.SetBkMode(TRANSPARENT);
    const unsigned flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    AnsiString caption = this->Caption();
    TRect bounds = textBounds_;
    if (state_ == bsDisabled) {
        TRect shifted = Offset(bounds, 1, 1);
        canvas.Font()->SetColor(clBtnHighlight);
        canvas.DrawText(caption, shifted, flags);
        canvas.Font()->SetColor(clBtnShadow);
    }
    canvas.DrawText(caption, bounds, flags);
}

template class TFlatButtonBase<ui::TCustomControl>;
template class TFlatButtonBase<ui::TGraphicControl>;

}  // namespace flat
