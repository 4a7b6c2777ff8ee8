#include "platform/ui/Shape.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace ui {

CORE_CLASS_IMPL(TShape)

using namespace graphics;

namespace {

// How far row `y` of a rectangle with rounded corners lies inside its left
// and right sides: the corners are quarter ellipses of the given size.
int RoundInset(const TRect& rect, int ellipseWidth, int ellipseHeight, int y)
{
    double a = std::min(ellipseWidth, rect.Width()) / 2.0;
    double b = std::min(ellipseHeight, rect.Height()) / 2.0;
    double fromEdge = std::min(y - rect.Top, rect.Bottom - 1 - y) + 0.5;
    if (b <= 0 || fromEdge >= b)
        return 0;
    double dy = (b - fromEdge) / b;
    return static_cast<int>(std::lround(a - a * std::sqrt(1.0 - dy * dy)));
}

// The pixels [first, last) of row `y` inside the ellipse that touches the
// rectangle's edges: those whose centres lie in it.
std::pair<int, int> EllipseSpan(const TRect& rect, int y)
{
    double a = rect.Width() / 2.0, b = rect.Height() / 2.0;
    double v = (y + 0.5 - rect.Top - b) / b;
    if (rect.IsEmpty() || v * v > 1.0)
        return {0, 0};
    double half = a * std::sqrt(1.0 - v * v);
    int first = static_cast<int>(std::ceil(rect.Left + a - half - 0.5));
    int last = static_cast<int>(std::floor(rect.Left + a + half - 0.5)) + 1;
    return {first, last};
}

}  // namespace

TShape::TShape(core::TComponent* owner)
    : TGraphicControl(owner), pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>())
{
    SetBounds(0, 0, 65, 65);
    pen_->OnChange = [this](core::TObject*) { Invalidate(); };
    brush_->OnChange = [this](core::TObject*) { Invalidate(); };
}

TShape::~TShape() = default;

void TShape::Publish(core::PropertyList& list)
{
    core::PropBuilder<TShape> p(list);
    p.Object<TBrush>("Brush", &TShape::Brush, &TShape::SetBrush);
    p.Object<TPen>("Pen", &TShape::Pen, &TShape::SetPen);
    p.Enum("Shape", &TShape::Shape, &TShape::SetShape)
        .Default(stRectangle);
}

void TShape::SetShape(TShapeType value)
{
    if (value == shape_)
        return;
    shape_ = value;
    Invalidate();
}

void TShape::Paint()
{
    TCanvas& canvas = *Canvas();
    canvas.SetPen(pen_.get());
    canvas.SetBrush(brush_.get());
    // Wide pens draw inside the figure, so the figure is the whole control.
    TRect r = ClientRect();
    if (shape_ == stSquare || shape_ == stRoundSquare || shape_ == stCircle) {
        int side = std::min(r.Width(), r.Height());
        r = Bounds(r.Left + (r.Width() - side) / 2, r.Top + (r.Height() - side) / 2, side, side);
    }
    bool round = shape_ == stRoundRect || shape_ == stRoundSquare;
    int corner = std::min(r.Width(), r.Height()) / 4;
    if (shape_ == stRectangle || shape_ == stSquare)
        canvas.Rectangle(r);
    else if (round || (pen_->Style() != psClear && pen_->Width() > 1))
        PaintBySpans(canvas, r, round, corner);
    else
        canvas.Ellipse(r);
}

void TShape::PaintBySpans(TCanvas& canvas, const TRect& r, bool round, int corner)
{
    // Row by row: the pen's colour between the figure's edge and the same
    // figure Pen.Width pixels further in, the brush inside that.
    int width = pen_->Style() == psClear ? 0 : std::max(1, pen_->Width());
    TRect inner = Inflate(r, -width, -width);
    int innerCorner = std::max(corner - 2 * width, 0);
    auto span = [&](const TRect& rect, int c, int y) -> std::pair<int, int> {
        if (rect.IsEmpty() || y < rect.Top || y >= rect.Bottom)
            return {0, 0};
        if (!round)
            return EllipseSpan(rect, y);
        int inset = RoundInset(rect, c, c, y);
        return {rect.Left + inset, rect.Right - inset};
    };
    TColor penColor = pen_->Color();
    bool fill = brush_->Style() != bsClear;
    for (int y = r.Top; y < r.Bottom; ++y) {
        auto [outerFirst, outerLast] = span(r, corner, y);
        auto [innerFirst, innerLast] = span(inner, innerCorner, y);
        if (innerLast <= innerFirst)
            innerFirst = innerLast = outerLast;
        canvas.Brush()->SetColor(penColor);
        canvas.FillRect({outerFirst, y, innerFirst, y + 1});
        canvas.FillRect({innerLast, y, outerLast, y + 1});
        if (fill) {
            canvas.SetBrush(brush_.get());
            canvas.FillRect({innerFirst, y, innerLast, y + 1});
        }
    }
}

}  // namespace ui
