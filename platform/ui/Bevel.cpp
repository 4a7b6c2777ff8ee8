#include "platform/ui/Bevel.h"

namespace ui {

CORE_CLASS_IMPL(TBevel)

using namespace graphics;

TBevel::TBevel(core::TComponent* owner) : TGraphicControl(owner)
{
    SetBounds(0, 0, 50, 50);
}

TBevel::~TBevel() = default;

void TBevel::Publish(core::PropertyList& list)
{
    core::PropBuilder<TBevel> p(list);
    p.Enum("Shape", &TBevel::Shape, &TBevel::SetShape)
        .Default(bsBox);
    p.Enum("Style", &TBevel::Style, &TBevel::SetStyle).Default(bsLowered);
}

void TBevel::SetShape(TBevelShape value)
{
    if (value == shape_)
        return;
    shape_ = value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle value)
{
    if (value == style_)
        return;
    style_ = value;
    Invalidate();
}

namespace {

void Fill(TCanvas& canvas, const TRect& r, TColor color)
{
    canvas.Brush()->SetColor(color);
    canvas.FillRect(r);
}

// A box whose top and left sides (with the bottom-left corner) are in
// `topLeft`, and whose right and bottom sides in `bottomRight`; `r` names its
// last column and row inclusively.
void BevelBox(TCanvas& canvas, const TRect& r, TColor topLeft, TColor bottomRight)
{
    Fill(canvas, {r.Left, r.Top, r.Right, r.Top + 1}, topLeft);
    Fill(canvas, {r.Left, r.Top, r.Left + 1, r.Bottom + 1}, topLeft);
    Fill(canvas, {r.Right, r.Top, r.Right + 1, r.Bottom}, bottomRight);
    Fill(canvas, {r.Left + 1, r.Bottom, r.Right + 1, r.Bottom + 1}, bottomRight);
}

}  // namespace

void TBevel::Paint()
{
    TCanvas& canvas = *Canvas();
    TColor dark = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
    TColor light = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
    int w = Width(), h = Height();
    switch (shape_) {
    case bsBox:
        BevelBox(canvas, {0, 0, w - 1, h - 1}, dark, light);
        break;
    case bsFrame:
        // Etched: a light outline one pixel down and right under a dark one.
        BevelBox(canvas, {1, 1, w - 1, h - 1}, light, light);
        BevelBox(canvas, {0, 0, w - 2, h - 2}, dark, dark);
        break;
    case bsTopLine:
        Fill(canvas, {0, 0, w, 1}, dark);
        Fill(canvas, {0, 1, w, 2}, light);
        break;
    case bsBottomLine:
        Fill(canvas, {0, h - 2, w, h - 1}, dark);
        Fill(canvas, {0, h - 1, w, h}, light);
        break;
    case bsLeftLine:
        Fill(canvas, {0, 0, 1, h}, dark);
        Fill(canvas, {1, 0, 2, h}, light);
        break;
    case bsRightLine:
        Fill(canvas, {w - 2, 0, w - 1, h}, dark);
        Fill(canvas, {w - 1, 0, w, h}, light);
        break;
    case bsSpacer:
        break;
    }
}

}  // namespace ui
