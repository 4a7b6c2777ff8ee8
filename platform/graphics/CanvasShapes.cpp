// Lines, polygons, rectangles and ellipses.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/graphics/Canvas.h"
#include "platform/graphics/CanvasPrivate.h"

namespace graphics {

namespace {

// On/off runs of the styled pens, in pixels, starting with "on".
struct DashPattern {
    int Runs[6];
    int Count;
};

const DashPattern* PatternOf(TPenStyle style)
{
    static constexpr DashPattern kDash{{6, 2}, 2};
    static constexpr DashPattern kDot{{1, 1}, 2};
    static constexpr DashPattern kDashDot{{6, 2, 1, 2}, 4};
    static constexpr DashPattern kDashDotDot{{6, 2, 1, 2, 1, 2}, 6};
    switch (style) {
    case psDash:
        return &kDash;
    case psDot:
        return &kDot;
    case psDashDot:
        return &kDashDot;
    case psDashDotDot:
        return &kDashDotDot;
    default:
        return nullptr;
    }
}

// The pixels of a line from `from` towards `to`, leaving `to` out: one pixel
// per step along the longer axis, the other axis stepping when the error
// passes half a pixel (ties stay put).
template <typename F>
void Bresenham(TPoint from, TPoint to, F&& plot)
{
    int dx = std::abs(to.X - from.X);
    int dy = std::abs(to.Y - from.Y);
    int sx = to.X > from.X ? 1 : -1;
    int sy = to.Y > from.Y ? 1 : -1;
    int x = from.X;
    int y = from.Y;
    if (dx >= dy) {
        int error = 2 * dy - dx;
        for (int i = 0; i < dx; ++i) {
            plot(x, y);
            if (error > 0) {
                y += sy;
                error -= 2 * dx;
            }
            error += 2 * dy;
            x += sx;
        }
    } else {
        int error = 2 * dx - dy;
        for (int i = 0; i < dy; ++i) {
            plot(x, y);
            if (error > 0) {
                x += sx;
                error -= 2 * dy;
            }
            error += 2 * dx;
            y += sy;
        }
    }
}

}  // namespace

void TCanvas::PenPixel(int sx, int sy, TPixel color, int rop2)
{
    if (!Visible(sx, sy))
        return;
    TPixel& d = surface_.At(sx, sy);
    d = MapToDevice(ApplyRop2(rop2, color, d));
}

// Whether the next pixel of a styled line is drawn; the pattern runs on
// across the segments of one figure and starts again at MoveTo.
bool TCanvas::StyleOn()
{
    const DashPattern* pattern = pen_->Width() <= 1 ? PatternOf(pen_->Style()) : nullptr;
    if (!pattern)
        return true;
    int period = 0;
    for (int i = 0; i < pattern->Count; ++i)
        period += pattern->Runs[i];
    int step = styleStep_++ % period;
    for (int i = 0; i < pattern->Count; ++i) {
        if (step < pattern->Runs[i])
            return i % 2 == 0;
        step -= pattern->Runs[i];
    }
    return true;
}

void TCanvas::DrawLine(TPoint from, TPoint to, int width)
{
    if (pen_->Style() == psClear || surface_.IsNull())
        return;
    TPixel color = DevicePixel(pen_->Color());
    int rop2 = PenModeToRop2(pen_->Mode());
    TPoint a = ToSurface(from);
    TPoint b = ToSurface(to);
    if (width <= 0)
        width = std::max(1, pen_->Width());
    if (width == 1) {
        Bresenham(a, b, [&](int x, int y) {
            if (StyleOn())
                PenPixel(x, y, color, rop2);
        });
        return;
    }
    // A wide pen stamps a square on every pixel of the line; each covered
    // pixel is changed once, so that inverting modes stay exact.
    std::vector<TPoint> covered;
    int before = (width - 1) / 2;
    Bresenham(a, b, [&](int x, int y) {
        for (int j = 0; j < width; ++j)
            for (int i = 0; i < width; ++i)
                covered.push_back({x - before + i, y - before + j});
    });
    std::sort(covered.begin(), covered.end(),
              [](TPoint p, TPoint q) { return p.Y != q.Y ? p.Y < q.Y : p.X < q.X; });
    covered.erase(std::unique(covered.begin(), covered.end()), covered.end());
    for (TPoint p : covered)
        PenPixel(p.X, p.Y, color, rop2);
}

void TCanvas::MoveTo(int x, int y)
{
    penPos_ = {x, y};
    styleStep_ = 0;
}

void TCanvas::LineTo(int x, int y)
{
    DrawLine(penPos_, {x, y});
    penPos_ = {x, y};
}

void TCanvas::Polyline(std::span<const TPoint> points)
{
    if (points.empty())
        return;
    styleStep_ = 0;
    for (size_t i = 1; i < points.size(); ++i)
        DrawLine(points[i - 1], points[i]);
}

void TCanvas::Polygon(std::span<const TPoint> points)
{
    if (points.size() < 2)
        return;
    BrushPaint brush = CurrentBrush();
    if (!brush.None && points.size() >= 3) {
        // Even-odd fill of the pixels whose centres lie inside.
        TPoint offset = ToSurface(TPoint{0, 0});
        int top = points[0].Y;
        int bottom = points[0].Y;
        for (TPoint p : points) {
            top = std::min(top, p.Y);
            bottom = std::max(bottom, p.Y);
        }
        std::vector<double> crossings;
        for (int y = top; y < bottom; ++y) {
            double cy = y + 0.5;
            crossings.clear();
            for (size_t i = 0; i < points.size(); ++i) {
                TPoint p = points[i];
                TPoint q = points[(i + 1) % points.size()];
                if ((p.Y <= cy) == (q.Y <= cy))
                    continue;
                crossings.push_back(p.X + (cy - p.Y) * (q.X - p.X) / static_cast<double>(q.Y - p.Y));
            }
            std::sort(crossings.begin(), crossings.end());
            for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
                int x0 = static_cast<int>(std::ceil(crossings[i] - 0.5));
                int x1 = static_cast<int>(std::ceil(crossings[i + 1] - 0.5));
                if (x1 > x0)
                    FillSurfaceRect(Offset(TRect{x0, y, x1, y + 1}, offset.X, offset.Y), brush, 0xF0);
            }
        }
    }
    styleStep_ = 0;
    for (size_t i = 0; i < points.size(); ++i)
        DrawLine(points[i], points[(i + 1) % points.size()]);
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    BrushPaint brush = CurrentBrush();
    if (pen_->Style() == psClear) {
        if (!brush.None)
            FillSurfaceRect(ToSurface(TRect{left, top, right - 1, bottom - 1}), brush, 0xF0);
        return;
    }
    if (right - left < 1 || bottom - top < 1)
        return;
    int width = std::max(1, pen_->Width());
    if (!brush.None)
        FillSurfaceRect(ToSurface(Inflate(TRect{left, top, right, bottom}, -width, -width)), brush, 0xF0);
    // The outline runs clockwise from the top-left corner, one ring per unit
    // of pen width, each pixel once. Wide pens are solid.
    styleStep_ = 0;
    for (int ring = 0; ring < width; ++ring) {
        TRect r = Inflate(TRect{left, top, right, bottom}, -ring, -ring);
        if (r.IsEmpty())
            break;
        TPoint tl{r.Left, r.Top}, tr{r.Right - 1, r.Top}, br{r.Right - 1, r.Bottom - 1}, bl{r.Left, r.Bottom - 1};
        if (r.Width() == 1 || r.Height() == 1) {
            // A ring one pixel thin is a single line; draw it once, end included.
            DrawLine(tl, {br.X + (r.Width() == 1 ? 0 : 1), br.Y + (r.Width() == 1 ? 1 : 0)}, 1);
        } else {
            DrawLine(tl, tr, 1);
            DrawLine(tr, br, 1);
            DrawLine(br, bl, 1);
            DrawLine(bl, tl, 1);
        }
    }
}

void TCanvas::Ellipse(int left, int top, int right, int bottom)
{
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    int w = right - left;
    int h = bottom - top;
    if (w < 1 || h < 1)
        return;
    // A pixel is inside when its centre lies in the ellipse touching the
    // rectangle's edges; the outline is the inside pixels next to an outside
    // one.
    double a = w / 2.0;
    double b = h / 2.0;
    auto inside = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h)
            return false;
        double u = (x + 0.5 - a) / a;
        double v = (y + 0.5 - b) / b;
        return u * u + v * v <= 1.0;
    };
    BrushPaint brush = CurrentBrush();
    bool outline = pen_->Style() != psClear;
    TPixel penColor = DevicePixel(pen_->Color());
    int rop2 = PenModeToRop2(pen_->Mode());
    TPoint origin = ToSurface(TPoint{left, top});
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!inside(x, y))
                continue;
            bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            if (edge && outline)
                PenPixel(origin.X + x, origin.Y + y, penColor, rop2);
            else if (!brush.None)
                FillSurfaceRect({origin.X + x, origin.Y + y, origin.X + x + 1, origin.Y + y + 1}, brush, 0xF0);
        }
}

}  // namespace graphics
