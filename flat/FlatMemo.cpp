#include "flat/FlatMemo.h"

#include <algorithm>

#include "platform/graphics/Canvas.h"
#include "platform/ui/Application.h"
#include "platform/ui/Screen.h"

namespace flat {

using namespace graphics;
using ui::TMessage;

CORE_CLASS_IMPL(TFlatMemo)

namespace {

// The frame's width on every side of the window.
constexpr int kFrameWidth = 3;
constexpr int kScrollBarSize = 17;

}  // namespace

TFlatMemo::TFlatMemo(core::TComponent* owner) : ui::TCustomMemo(owner)
{
    // The frame is the box's own: no platform border, no sunken look.
    SetBorderStyle(ui::bsNone);
    SetCtl3D(false);
    SetAutoSize(false);
    SetParentFont(true);
    SetBounds(Left(), Top(), 185, 89);
    SetColor(colorFlat_);
}

void TFlatMemo::Publish(core::PropertyList& list)
{
    core::PropBuilder<TFlatMemo> p(list);
    // A colour taken from the parent is not filed: read back, it would turn
    // ParentColor off.
    p.Integer("ColorFlat", &TFlatMemo::ColorFlat, &TFlatMemo::SetColorFlat, "TColor")
        .Default(14805739)
        .StoredWhen([](const core::TObject& o) { return !static_cast<const TFlatMemo&>(o).ParentColor(); });
    p.Integer("ColorFocused", &TFlatMemo::ColorFocused, &TFlatMemo::SetColorFocused, "TColor").Default(clWhite);
    p.Integer("ColorBorder", &TFlatMemo::ColorBorder, &TFlatMemo::SetColorBorder, "TColor").Default(8623776);
    p.Boolean("ParentColor", &TFlatMemo::ParentColor, &TFlatMemo::SetParentColor).Default(true);
    p.Integer("AdvColorFocused", &TFlatMemo::AdvColorFocused, &TFlatMemo::SetAdvColorFocused, "TAdvColors")
        .Default(10);
    p.Integer("AdvColorBorder", &TFlatMemo::AdvColorBorder, &TFlatMemo::SetAdvColorBorder, "TAdvColors")
        .Default(50);
    p.Boolean("UseAdvColors", &TFlatMemo::UseAdvColors, &TFlatMemo::SetUseAdvColors).Default(false);
    // The background follows the look; a stored value would be overwritten
    // at the first paint.
    p.Integer("Color", &TFlatMemo::Color, &TFlatMemo::SetColor, "TColor").Stored(false);
    // The frame is always the box's own.
    p.Boolean("Ctl3D", &TFlatMemo::Ctl3D, &TFlatMemo::SetCtl3D).Stored(false);
    p.Boolean("ParentCtl3D", &TFlatMemo::ParentCtl3D, &TFlatMemo::SetParentCtl3D).Stored(false);
    p.Enum("BorderStyle", ui::BorderStyleType(), &TFlatMemo::BorderStyle, &TFlatMemo::SetBorderStyle)
        .Default(ui::bsNone);
}

// ---- Colours -------------------------------------------------------------------

void TFlatMemo::SetColorFlat(TColor value)
{
    colorFlat_ = value;
    parentColor_ = false;
    RedrawBorder();
}

void TFlatMemo::SetColorFocused(TColor value)
{
    colorFocused_ = value;
    RedrawBorder();
}

void TFlatMemo::SetColorBorder(TColor value)
{
    colorBorder_ = value;
    RedrawBorder();
}

void TFlatMemo::SetParentColor(bool value)
{
    if (value == parentColor_)
        return;
    parentColor_ = value;
    if (!value)
        return;
    TakeParentColor();
    RedrawBorder();
}

void TFlatMemo::SetAdvColorFocused(TAdvColors value)
{
    advColorFocused_ = std::clamp(value, 0, 100);
    if (!useAdvColors_)
        return;
    RecomputeAdvColors();
    RedrawBorder();
}

void TFlatMemo::SetAdvColorBorder(TAdvColors value)
{
    advColorBorder_ = std::clamp(value, 0, 100);
    if (!useAdvColors_)
        return;
    RecomputeAdvColors();
    RedrawBorder();
}

void TFlatMemo::SetUseAdvColors(bool value)
{
    if (value == useAdvColors_)
        return;
    useAdvColors_ = value;
    SetParentColor(value);
    RecomputeAdvColors();
    RedrawBorder();
}

void TFlatMemo::RecomputeAdvColors()
{
    if (!useAdvColors_)
        return;
    colorFocused_ = ShiftedColor(colorFlat_, colorFocused_, advColorFocused_, false);
    colorBorder_ = ShiftedColor(colorFlat_, colorBorder_, advColorBorder_, true);
}

void TFlatMemo::TakeParentColor()
{
    if (Parent())
        colorFlat_ = Parent()->Color();
}

// ---- Look ----------------------------------------------------------------------

bool TFlatMemo::IsActiveLook() const
{
    if (InState(core::csDesigning))
        return false;
    if (Focused())
        return true;
    // The focused box keeps the only active look while the pointer passes
    // over the others.
    return hover_ && !dynamic_cast<const TFlatMemo*>(ui::Screen().ActiveControl());
}

void TFlatMemo::RedrawBorder()
{
    TColor back = IsActiveLook() ? colorFocused_ : colorFlat_;
    // The client area repaints in the new background.
    SetColor(back);
    ui::HWND window = HandleOrNull();
    if (!window)
        return;
    TCanvas canvas;
    ui::AttachCanvas(canvas, window->WindowTarget());
    TRect r{0, 0, window->BoundsRect().Width(), window->BoundsRect().Height()};
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(colorBorder_);
    canvas.FrameRect(r);
    canvas.Brush()->SetColor(back);
    for (int ring = 1; ring < kFrameWidth; ++ring) {
        r = Inflate(r, -1, -1);
        canvas.FrameRect(r);
    }
    if (ScrollBars() == ui::ssBoth) {
        // The square where the two scroll bars meet, which the platform
        // paints in the button face.
        TRect client = window->ClientInWindow();
        canvas.FillRect({client.Right, client.Bottom, client.Right + kScrollBarSize, client.Bottom + kScrollBarSize});
    }
    canvas.Detach();
}

// ---- Messages ------------------------------------------------------------------

void TFlatMemo::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case ui::WM_NCCALCSIZE:
        ui::TCustomMemo::WndProc(m);
        if (auto* r = reinterpret_cast<TRect*>(m.LParam))
            *r = Inflate(*r, -kFrameWidth, -kFrameWidth);
        return;
    case ui::WM_NCPAINT:
    case ui::CM_ENABLEDCHANGED:
        ui::TCustomMemo::WndProc(m);
        RedrawBorder();
        return;
    case ui::WM_SETFOCUS:
    case ui::WM_KILLFOCUS:
        ui::TCustomMemo::WndProc(m);
        if (!InState(core::csDesigning))
            RedrawBorder();
        return;
    case ui::CM_MOUSEENTER:
        ui::TCustomMemo::WndProc(m);
        // Another program in front: no highlight.
        if (ui::Application().Active())
            hover_ = true;
        RedrawBorder();
        return;
    case ui::CM_MOUSELEAVE:
        ui::TCustomMemo::WndProc(m);
        hover_ = false;
        RedrawBorder();
        return;
    case ui::CM_SYSCOLORCHANGE:
    case ui::CM_PARENTCOLORCHANGED:
        // ColorFlat, not the background, follows the parent; the platform's
        // handling would set the background.
        if (useAdvColors_) {
            TakeParentColor();
            RecomputeAdvColors();
        } else if (parentColor_) {
            TakeParentColor();
        }
        RedrawBorder();
        return;
    default:
        ui::TCustomMemo::WndProc(m);
        return;
    }
}

}  // namespace flat
