#include "platform/ui/Shape.h"

#include <algorithm>
#include <cmath>

namespace ui {

CORE_CLASS_IMPL(TShape)

using namespace graphics;

std::vector<TPoint> RoundRectOutline(const TRect& rect, int ellipseWidth, int ellipseHeight)
{
    int right = rect.Right - 1, bottom = rect.Bottom - 1;
    double a = std::min(ellipseWidth, rect.Width()) / 2.0;
    double b = std::min(ellipseHeight, rect.Height()) / 2.0;
    // How far row `y` of a corner lies inside the rectangle's side.
    auto inset = [&](int y) {
        double fromEdge = std::min(y - rect.Top, bottom - y) + 0.5;
        if (b <= 0 || fromEdge >= b)
            return 0;
        double dy = (b - fromEdge) / b;
        return static_cast<int>(std::lround(a - a * std::sqrt(1.0 - dy * dy)));
    };
    std::vector<TPoint> points;
    // Down the left side, then up the right one.
    for (int y = rect.Top; y <= bottom; ++y)
        points.push_back({rect.Left + inset(y), y});
    for (int y = bottom; y >= rect.Top; --y)
        points.push_back({right - inset(y), y});
    return points;
}

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
    p.Enum("Shape", "TShapeType", {"stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse", "stCircle"},
           &TShape::Shape, &TShape::SetShape)
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
    switch (shape_) {
    case stRectangle:
    case stSquare:
        canvas.Rectangle(r);
        break;
    case stRoundRect:
    case stRoundSquare: {
        int corner = std::min(r.Width(), r.Height()) / 4;
        std::vector<TPoint> outline = RoundRectOutline(r, corner, corner);
        canvas.Polygon(outline);
        break;
    }
    case stEllipse:
    case stCircle:
        canvas.Ellipse(r);
        break;
    }
}

}  // namespace ui
