#include "platform/ui/Panel.h"

#include <algorithm>

namespace ui {

CORE_CLASS_IMPL(TCustomPanel)
CORE_CLASS_IMPL(TPanel)

using namespace graphics;

void Frame3D(TCanvas& canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width)
{
    TColor brush = canvas.Brush()->Color();
    TBrushStyle style = canvas.Brush()->Style();
    for (int ring = 0; ring < width && !rect.IsEmpty(); ++ring) {
        canvas.Brush()->SetColor(topLeft);
        canvas.FillRect({rect.Left, rect.Top, rect.Right - 1, rect.Top + 1});
        canvas.FillRect({rect.Left, rect.Top, rect.Left + 1, rect.Bottom - 1});
        canvas.Brush()->SetColor(bottomRight);
        canvas.FillRect({rect.Right - 1, rect.Top, rect.Right, rect.Bottom});
        canvas.FillRect({rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom});
        rect = Inflate(rect, -1, -1);
    }
    canvas.Brush()->SetColor(brush);
    canvas.Brush()->SetStyle(style);
}

TCustomPanel::TCustomPanel(core::TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks,
                     csReplicatable});
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

TCustomPanel::~TCustomPanel() = default;

void TCustomPanel::SetAlignment(TAlignment value)
{
    if (value == alignment_)
        return;
    alignment_ = value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel value)
{
    if (value == bevelInner_)
        return;
    bevelInner_ = value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TPanelBevel value)
{
    if (value == bevelOuter_)
        return;
    bevelOuter_ = value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(TBevelWidth value)
{
    value = std::max(value, 1);
    if (value == bevelWidth_)
        return;
    bevelWidth_ = value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle value)
{
    if (value != bsNone)
        value = bsSingle;
    if (value == borderStyle_)
        return;
    borderStyle_ = value;
    RecreateWnd();
}

void TCustomPanel::SetFullRepaint(bool value)
{
    if (value == fullRepaint_)
        return;
    fullRepaint_ = value;
    RecreateWnd();
}

void TCustomPanel::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    if (borderStyle_ == bsSingle) {
        // The three-dimensional look sinks the panel into its parent.
        if (Ctl3D())
            params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            params.Style |= WS_BORDER;
    }
    if (fullRepaint_)
        params.ClassStyle |= CS_HREDRAW | CS_VREDRAW;
    else
        params.ClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

int TCustomPanel::BevelSize() const
{
    int size = 0;
    if (bevelOuter_ != bvNone)
        size += bevelWidth_;
    if (bevelInner_ != bvNone)
        size += bevelWidth_;
    return size;
}

void TCustomPanel::AdjustClientRect(TRect& rect) const
{
    TCustomControl::AdjustClientRect(rect);
    rect = Inflate(rect, -BevelSize(), -BevelSize());
}

namespace {

void BevelColors(TPanelBevel bevel, TColor face, TColor& topLeft, TColor& bottomRight)
{
    switch (bevel) {
    case bvLowered:
        topLeft = clBtnShadow;
        bottomRight = clBtnHighlight;
        break;
    case bvRaised:
        topLeft = clBtnHighlight;
        bottomRight = clBtnShadow;
        break;
    default:
        topLeft = bottomRight = face;
        break;
    }
}

}  // namespace

void TCustomPanel::Paint()
{
    TCanvas& canvas = *Canvas();
    TRect rect = ClientRect();
    TColor topLeft, bottomRight;
    if (bevelOuter_ != bvNone) {
        BevelColors(bevelOuter_, Color(), topLeft, bottomRight);
        Frame3D(canvas, rect, topLeft, bottomRight, bevelWidth_);
    }
    if (bevelInner_ != bvNone) {
        BevelColors(bevelInner_, Color(), topLeft, bottomRight);
        Frame3D(canvas, rect, topLeft, bottomRight, bevelWidth_);
    }
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(rect);
    AnsiString caption = Caption();
    if (caption.empty())
        return;
    // One line of text high, centred between the inner edges.
    canvas.Brush()->SetStyle(bsClear);
    int height = canvas.TextHeight("W");
    rect.Top = (rect.Top + rect.Bottom - height) / 2;
    rect.Bottom = rect.Top + height;
    unsigned flags = DT_EXPANDTABS | DT_VCENTER;
    TAlignment alignment = alignment_;
    if (UseRightToLeftAlignment() && alignment != taCenter)
        alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
    if (alignment == taCenter)
        flags |= DT_CENTER;
    else if (alignment == taRightJustify)
        flags |= DT_RIGHT;
    canvas.DrawText(caption, rect, flags);
}

void TCustomPanel::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CM_CTL3DCHANGED:
        // The sunken edge of a single border comes with the 3D look.
        if (borderStyle_ == bsSingle)
            RecreateWnd();
        TCustomControl::WndProc(m);
        return;
    default:
        TCustomControl::WndProc(m);
        return;
    }
}

TPanel::TPanel(core::TComponent* owner) : TCustomPanel(owner) {}

void TPanel::Publish(core::PropertyList& list)
{
    core::PropBuilder<TPanel> p(list);
    p.Enum("Alignment", &TPanel::Alignment,
           &TPanel::SetAlignment)
        .Default(taCenter);
    p.Enum("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner).Default(bvNone);
    p.Enum("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter).Default(bvRaised);
    p.Integer("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth, "TBevelWidth").Default(1);
    p.Integer("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth, "TBorderWidth").Default(0);
    p.Enum("BorderStyle", BorderStyleType(), &TPanel::BorderStyle, &TPanel::SetBorderStyle)
        .Default(bsNone);
    p.String("Caption", &TPanel::Caption, &TPanel::SetCaption, "TCaption");
    p.Integer("Color", &TPanel::Color, &TPanel::SetColor, "TColor")
        .Default(clBtnFace)
        .StoredWhen([](const core::TObject& o) { return !static_cast<const TPanel&>(o).ParentColor(); });
    p.Boolean("FullRepaint", &TPanel::FullRepaint, &TPanel::SetFullRepaint).Default(true);
}

}  // namespace ui
