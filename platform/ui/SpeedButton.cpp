// The speed button: state changes from the mouse and the group, then
// painting: frame (PaintFrame), the latched checkerboard, and the glyph and
// caption placed by PlaceGlyphAndText (PaintContent).
#include "platform/ui/SpeedButton.h"

#include <algorithm>

namespace ui {

CORE_CLASS_IMPL(TSpeedButton)

using namespace graphics;

TButtonPlacement PlaceGlyphAndText(TSize client, TSize glyph, TSize text, TButtonLayout layout, int margin,
                                   int spacing)
{
    TButtonPlacement out;
    bool across = layout == blGlyphLeft || layout == blGlyphRight;
    // Centred in the other direction.
    if (across) {
        out.Glyph.Y = (client.cy - glyph.cy + 1) / 2;
        out.Text.Y = (client.cy - text.cy + 1) / 2;
    } else {
        out.Glyph.X = (client.cx - glyph.cx + 1) / 2;
        out.Text.X = (client.cx - text.cx + 1) / 2;
    }
    int room = across ? client.cx : client.cy;
    int g = across ? glyph.cx : glyph.cy;
    int t = across ? text.cx : text.cy;
    if (glyph.cx == 0 || text.cx == 0)
        spacing = 0;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (room - g - t) / 3;
            spacing = margin;
        } else {
            margin = (room - g - spacing - t + 1) / 2;
        }
    } else if (spacing == -1) {
        spacing = (room - margin - g - t) / 2;
    }
    int& glyphAt = across ? out.Glyph.X : out.Glyph.Y;
    int& textAt = across ? out.Text.X : out.Text.Y;
    if (layout == blGlyphLeft || layout == blGlyphTop) {
        glyphAt = margin;
        textAt = glyphAt + g + spacing;
    } else {
        glyphAt = room - margin - g;
        textAt = glyphAt - spacing - t;
    }
    return out;
}

TSpeedButton::TSpeedButton(core::TComponent* owner)
    : TGraphicControl(owner), glyph_(std::make_unique<TBitmap>())
{
    SetControlStyle({csCaptureMouse, csDoubleClicks});
    SetBounds(0, 0, 23, 22);
    SetColor(clBtnFace);
    glyph_->OnChange = [this](core::TObject*) { Invalidate(); };
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::Publish(core::PropertyList& list)
{
    core::PropBuilder<TSpeedButton> p(list);
    p.Boolean("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp).Default(false);
    // The group comes before Down, so that a button read as down is in its group.
    p.Integer("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex).Default(0);
    p.Boolean("Down", &TSpeedButton::Down, &TSpeedButton::SetDown).Default(false);
    p.String("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption, "TCaption");
    p.Integer("Color", &TSpeedButton::Color, &TSpeedButton::SetColor, "TColor")
        .Default(clBtnFace)
        .StoredWhen([](const core::TObject& o) { return !static_cast<const TSpeedButton&>(o).ParentColor(); });
    p.Boolean("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat).Default(false);
    p.Object<TBitmap>("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph);
    p.Enum("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout)
        .Default(blGlyphLeft);
    p.Integer("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin).Default(-1);
    p.Integer("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs, "TNumGlyphs").Default(1);
    p.Integer("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing).Default(4);
    p.Boolean("Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent).Default(true);
}

// ---- Properties --------------------------------------------------------------

void TSpeedButton::SetAllowAllUp(bool value)
{
    if (value == allowAllUp_)
        return;
    allowAllUp_ = value;
    UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(int value)
{
    if (value == groupIndex_)
        return;
    groupIndex_ = value;
    UpdateExclusive();
}

void TSpeedButton::SetDown(bool value)
{
    if (groupIndex_ == 0)
        value = false;
    if (value == down_)
        return;
    // The down button of a group stays down unless the group allows all up.
    if (down_ && !allowAllUp_)
        return;
    down_ = value;
    state_ = value ? bsExclusive : bsUp;
    Invalidate();
    if (value)
        UpdateExclusive();
}

void TSpeedButton::SetFlat(bool value)
{
    if (value == flat_)
        return;
    flat_ = value;
    Invalidate();
}

void TSpeedButton::SetGlyph(const TBitmap* value)
{
    glyph_->Assign(value);
    if (value && value->Height() > 0 && value->Width() % value->Height() == 0) {
        int count = value->Width() / value->Height();
        SetNumGlyphs(count > 4 ? 1 : count);
    }
}

void TSpeedButton::SetNumGlyphs(TNumGlyphs value)
{
    value = std::clamp(value, 1, 4);
    if (value == numGlyphs_)
        return;
    numGlyphs_ = value;
    Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout value)
{
    if (value == layout_)
        return;
    layout_ = value;
    Invalidate();
}

void TSpeedButton::SetMargin(int value)
{
    if (value == margin_ || value < -1)
        return;
    margin_ = value;
    Invalidate();
}

void TSpeedButton::SetSpacing(int value)
{
    if (value == spacing_)
        return;
    spacing_ = value;
    Invalidate();
}

void TSpeedButton::SetTransparent(bool value)
{
    if (value == transparent_)
        return;
    transparent_ = value;
    if (value)
        SetControlStyle(ControlStyle() - TControlStyle{csOpaque});
    else
        SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    Invalidate();
}

// ---- Groups ------------------------------------------------------------------

void TSpeedButton::UpdateExclusive()
{
    if (groupIndex_ == 0 || !Parent())
        return;
    TMessage m{CM_BUTTONPRESSED, static_cast<WPARAM>(groupIndex_), reinterpret_cast<LPARAM>(this), 0};
    Parent()->Broadcast(m);
}

void TSpeedButton::ButtonPressed(TMessage& m)
{
    // Other kinds of buttons may share the notice; only speed buttons count.
    auto* sender = dynamic_cast<TSpeedButton*>(reinterpret_cast<TControl*>(m.LParam));
    if (static_cast<int>(m.WParam) != groupIndex_ || !sender || sender == this)
        return;
    if (sender->Down() && down_) {
        down_ = false;
        state_ = bsUp;
        Invalidate();
    }
    allowAllUp_ = sender->AllowAllUp();
}

// ---- Mouse -------------------------------------------------------------------

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled())
        return;
    if (!down_) {
        state_ = bsDown;
        Invalidate();
    }
    dragging_ = true;
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y)
{
    TGraphicControl::MouseMove(shift, x, y);
    if (!dragging_)
        return;
    // Pressed while the pointer stays over the button, as it was otherwise.
    TButtonState next = down_ ? bsExclusive : bsUp;
    if (ClientRect().Contains({x, y}))
        next = down_ ? bsExclusive : bsDown;
    if (next != state_) {
        state_ = next;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button != mbLeft || !dragging_)
        return;
    dragging_ = false;
    bool inside = ClientRect().Contains({x, y});
    if (groupIndex_ == 0) {
        state_ = bsUp;
        mouseInControl_ = false;
        Invalidate();
    } else if (inside) {
        SetDown(!down_);
        if (down_)
            state_ = bsExclusive;
        Invalidate();
    } else {
        state_ = down_ ? bsExclusive : bsUp;
        Invalidate();
    }
    if (inside)
        Click();
    UpdateTracking();
}

void TSpeedButton::UpdateTracking()
{
    if (!flat_ || !Enabled() || !Parent() || !Showing())
        return;
    TPoint p = ScreenToClient(WindowManager().CursorPos());
    bool over = ClientRect().Contains(p) && MouseControl() == this;
    if (over != mouseInControl_) {
        mouseInControl_ = over;
        Invalidate();
    }
}

// ---- Messages ----------------------------------------------------------------

void TSpeedButton::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CM_BUTTONPRESSED:
        ButtonPressed(m);
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<unsigned>(m.WParam), Caption()) && Enabled() && Visible() && Parent() &&
            Parent()->Showing()) {
            Click();
            m.Result = 1;
            return;
        }
        TGraphicControl::WndProc(m);
        return;
    case CM_MOUSEENTER:
        TGraphicControl::WndProc(m);
        if (flat_ && !mouseInControl_ && Enabled() && !CaptureControl()) {
            mouseInControl_ = true;
            Invalidate();
        }
        return;
    case CM_MOUSELEAVE:
        TGraphicControl::WndProc(m);
        if (flat_ && mouseInControl_ && Enabled() && !dragging_) {
            mouseInControl_ = false;
            Invalidate();
        }
        return;
    case CM_ENABLEDCHANGED:
        if (!Enabled()) {
            dragging_ = false;
            mouseInControl_ = false;
        }
        UpdateTracking();
        TGraphicControl::WndProc(m);
        return;
    case CM_SYSCOLORCHANGE:
        Invalidate();
        return;
    default:
        TGraphicControl::WndProc(m);
        return;
    }
}

// ---- Painting ----------------------------------------------------------------

namespace {

// The latched face: face and highlight pixels alternating.
TBrushPattern LatchedPattern()
{
    TBrushPattern pattern;
    TPixel face = ColorToPixel(clBtnFace);
    TPixel highlight = ColorToPixel(clBtnHighlight);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pattern.Pixels[static_cast<size_t>(y * 8 + x)] = (x + y) % 2 ? highlight : face;
    return pattern;
}

}  // namespace

void TSpeedButton::Paint()
{
    if (!Enabled()) {
        state_ = bsDisabled;
        dragging_ = false;
    } else if (state_ == bsDisabled) {
        state_ = down_ && groupIndex_ != 0 ? bsExclusive : bsUp;
    }
    TCanvas& canvas = *Canvas();
    TRect rect = ClientRect();
    PaintFrame(canvas, rect);
    TPoint offset{0, 0};
    if (state_ == bsDown || state_ == bsExclusive) {
        // A latched button shows its checkerboard, except a flat one under the pointer.
        if (state_ == bsExclusive && (!flat_ || !mouseInControl_)) {
            TCanvasStateSaver saver(canvas);
            canvas.Brush()->SetPattern(LatchedPattern());
            canvas.FillRect(rect);
        }
        offset = {1, 1};
    }
    PaintContent(canvas, rect, offset);
}

void TSpeedButton::PaintFrame(TCanvas& canvas, TRect& rect)
{
    bool pressed = state_ == bsDown || state_ == bsExclusive;
    if (!flat_) {
        canvas.DrawEdge(rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE | BF_ADJUST);
        return;
    }
    if (pressed || (mouseInControl_ && state_ != bsDisabled)) {
        TRect edge = rect;
        canvas.DrawEdge(edge, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | (transparent_ ? 0 : BF_MIDDLE));
    } else if (!transparent_) {
        canvas.Brush()->SetColor(Color());
        canvas.FillRect(rect);
    }
    rect = Inflate(rect, -1, -1);
}

void TSpeedButton::PaintContent(TCanvas& canvas, const TRect& rect, TPoint offset)
{
    TSize glyph;
    if (!glyph_->Empty())
        glyph = {glyph_->Width() / numGlyphs_, glyph_->Height()};
    AnsiString caption = Caption();
    TSize text;
    if (!caption.empty()) {
        TRect measured{0, 0, rect.Width(), 0};
        canvas.DrawText(caption, measured, DT_CALCRECT);
        text = {measured.Width(), measured.Height()};
    }
    TButtonLayout layout = layout_;
    if (UseRightToLeftAlignment() && (layout == blGlyphLeft || layout == blGlyphRight))
        layout = layout == blGlyphLeft ? blGlyphRight : blGlyphLeft;
    TButtonPlacement at =
        PlaceGlyphAndText({rect.Width(), rect.Height()}, glyph, text, layout, margin_, spacing_);
    TPoint origin = rect.TopLeft() + offset;
    if (glyph.cx > 0)
        PaintGlyph(canvas, at.Glyph + origin);
    if (text.cx > 0) {
        TPoint t = at.Text + origin;
        PaintCaption(canvas, Bounds(t.X, t.Y, text.cx, text.cy));
    }
}

void TSpeedButton::PaintGlyph(TCanvas& canvas, TPoint at)
{
    int width = glyph_->Width() / numGlyphs_;
    int height = glyph_->Height();
    TColor key = glyph_->TransparentColor();
    int image = static_cast<int>(state_);
    if (image >= numGlyphs_ || (state_ == bsDown && numGlyphs_ < 3))
        image = 0;
    if (state_ != bsDisabled || numGlyphs_ > 1) {
        canvas.DrawTransparent(Bounds(at.X, at.Y, width, height), *glyph_, Bounds(image * width, 0, width, height), key);
        return;
    }
    // One image, disabled: its ink (what is neither transparent nor white)
    // engraved, a highlight copy one pixel down and right under a shadow one.
    TColor keyRgb = ColorToRGB(key);
    for (TColor ink : {clBtnHighlight, clBtnShadow}) {
        int shift = ink == clBtnHighlight ? 1 : 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                TColor c = glyph_->Pixel(x, y);
                if (c != keyRgb && c != clWhite)
                    canvas.SetPixel(at.X + x + shift, at.Y + y + shift, ink);
            }
    }
}

void TSpeedButton::PaintCaption(TCanvas& canvas, TRect bounds)
{
    canvas.Brush()->SetStyle(bsClear);
    unsigned flags = DT_CENTER | DT_VCENTER;
    if (state_ != bsDisabled) {
        canvas.DrawText(Caption(), bounds, flags);
        return;
    }
    TColor color = canvas.Font()->Color();
    TRect shifted = Offset(bounds, 1, 1);
    canvas.Font()->SetColor(clBtnHighlight);
    canvas.DrawText(Caption(), shifted, flags);
    canvas.Font()->SetColor(clBtnShadow);
    canvas.DrawText(Caption(), bounds, flags);
    canvas.Font()->SetColor(color);
}

}  // namespace ui
