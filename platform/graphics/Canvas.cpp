// The canvas's surface, drawing state, clipping and fills. Lines and shapes
// are in CanvasShapes.cpp, text in CanvasText.cpp, edges and focus marks in
// CanvasEdge.cpp, bit-block copies in CanvasBlit.cpp.
#include "platform/graphics/Canvas.h"

#include <algorithm>

#include "platform/graphics/CanvasPrivate.h"
#include "platform/graphics/FontEngine.h"

namespace graphics {

CORE_CLASS_IMPL(TCanvas)

namespace {

constexpr TPixel kWhite = 0x00FFFFFF;

// One 8 by 8 hatch: whether the line covers (x, y) of the tile.
bool HatchCovers(TBrushStyle style, int x, int y)
{
    switch (style) {
    case bsHorizontal:
        return y == 0;
    case bsVertical:
        return x == 0;
    case bsFDiagonal:
        return x == y;
    case bsBDiagonal:
        return x + y == 7;
    case bsCross:
        return x == 0 || y == 0;
    case bsDiagCross:
        return x == y || x + y == 7;
    default:
        return true;
    }
}

}  // namespace

struct TCanvas::State {
    TPen Pen;
    TBrush Brush;
    TFont Font;
    TPoint PenPos;
    TPoint WindowOrg;
    TPoint ViewportOrg;
    std::optional<TRegion> Clip;
    TBkMode BkMode = OPAQUE;
    TCopyMode CopyMode = cmSrcCopy;
};

TCanvas::TCanvas() : pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>()), font_(std::make_unique<TFont>())
{
    // A new brush decides whether text backgrounds are painted.
    brush_->OnChange = [this](core::TObject*) { bkMode_ = brush_->Style() == bsSolid ? OPAQUE : TRANSPARENT; };
    font_->OnChange = [this](core::TObject*) { fontInstance_ = nullptr; };
}

TCanvas::~TCanvas() = default;

// ---- Surface --------------------------------------------------------------

void TCanvas::Attach(const TSurface& surface, TPoint deviceOrigin, const std::optional<TRegion>& visible)
{
    surface_ = surface;
    deviceOrigin_ = deviceOrigin;
    visible_ = visible;
    UpdateClip();
}

void TCanvas::Detach()
{
    surface_ = TSurface{};
    visible_.reset();
    UpdateClip();
}

// ---- Drawing state ----------------------------------------------------------

int TCanvas::SaveDC()
{
    auto state = std::make_unique<State>();
    state->Pen.Assign(pen_.get());
    state->Brush.Assign(brush_.get());
    state->Font.Assign(font_.get());
    state->PenPos = penPos_;
    state->WindowOrg = windowOrg_;
    state->ViewportOrg = viewportOrg_;
    state->Clip = clip_;
    state->BkMode = bkMode_;
    state->CopyMode = copyMode_;
    saved_.push_back(std::move(state));
    return static_cast<int>(saved_.size());
}

bool TCanvas::RestoreDC(int level)
{
    int count = static_cast<int>(saved_.size());
    int index = level > 0 ? level - 1 : count + level;
    if (level == 0 || index < 0 || index >= count)
        return false;
    std::unique_ptr<State> state = std::move(saved_[static_cast<size_t>(index)]);
    saved_.resize(static_cast<size_t>(index));
    pen_->Assign(&state->Pen);
    brush_->Assign(&state->Brush);
    font_->Assign(&state->Font);
    penPos_ = state->PenPos;
    windowOrg_ = state->WindowOrg;
    viewportOrg_ = state->ViewportOrg;
    clip_ = std::move(state->Clip);
    bkMode_ = state->BkMode;
    copyMode_ = state->CopyMode;
    UpdateClip();
    return true;
}

// ---- Clipping ---------------------------------------------------------------

TRect TCanvas::ToSurface(const TRect& logical) const
{
    TPoint offset = ToSurface(TPoint{0, 0});
    return Offset(logical, offset.X, offset.Y);
}

void TCanvas::UpdateClip()
{
    clipRects_.clear();
    if (surface_.IsNull())
        return;
    // Everything is kept in device coordinates and moved to the surface last.
    TRegion region(Offset(surface_.Bounds(), -deviceOrigin_.X, -deviceOrigin_.Y));
    if (visible_)
        region.Intersect(*visible_);
    if (clip_)
        region.Intersect(*clip_);
    region.Offset(deviceOrigin_.X, deviceOrigin_.Y);
    clipRects_ = region.Rects();
}

bool TCanvas::Visible(int sx, int sy) const
{
    for (const TRect& r : clipRects_)
        if (sx >= r.Left && sx < r.Right && sy >= r.Top && sy < r.Bottom)
            return true;
    return false;
}

TRect TCanvas::ClipRect() const
{
    TRect box;
    for (const TRect& r : clipRects_)
        UnionRect(box, box, r);
    if (box.IsEmpty())
        return TRect{};
    TPoint offset = ToSurface(TPoint{0, 0});
    return Offset(box, -offset.X, -offset.Y);
}

void TCanvas::IntersectClipRect(const TRect& logical)
{
    TRect device = Offset(logical, viewportOrg_.X - windowOrg_.X, viewportOrg_.Y - windowOrg_.Y);
    if (!clip_) {
        // Without a clip region everything visible may be drawn.
        clip_ = TRegion(Offset(surface_.Bounds(), -deviceOrigin_.X, -deviceOrigin_.Y));
        if (visible_)
            clip_->Intersect(*visible_);
    }
    clip_->Intersect(device);
    UpdateClip();
}

void TCanvas::ExcludeClipRect(const TRect& logical)
{
    TRect device = Offset(logical, viewportOrg_.X - windowOrg_.X, viewportOrg_.Y - windowOrg_.Y);
    if (!clip_) {
        clip_ = TRegion(Offset(surface_.Bounds(), -deviceOrigin_.X, -deviceOrigin_.Y));
        if (visible_)
            clip_->Intersect(*visible_);
    }
    clip_->Subtract(device);
    UpdateClip();
}

void TCanvas::SelectClipRgn(const TRegion* deviceRegion)
{
    if (deviceRegion)
        clip_ = *deviceRegion;
    else
        clip_.reset();
    UpdateClip();
}

bool TCanvas::GetClipRgn(TRegion& deviceRegion) const
{
    if (!clip_)
        return false;
    deviceRegion = *clip_;
    return true;
}

bool TCanvas::PtVisible(TPoint logical) const
{
    TPoint s = ToSurface(logical);
    return Visible(s.X, s.Y);
}

bool TCanvas::RectVisible(const TRect& logical) const
{
    TRect s = ToSurface(logical);
    TRect part;
    return std::any_of(clipRects_.begin(), clipRects_.end(),
                       [&](const TRect& r) { return IntersectRect(part, r, s); });
}

// ---- Colours and brushes ------------------------------------------------------

TPixel TCanvas::MapToDevice(TPixel pixel) const
{
    if (!monochrome_)
        return pixel & kPixelRgbMask;
    int sum = static_cast<int>((pixel >> 16) & 0xFF) + static_cast<int>((pixel >> 8) & 0xFF) +
              static_cast<int>(pixel & 0xFF);
    return sum > 382 ? kWhite : 0;
}

TPixel TCanvas::DevicePixel(TColor color) const { return MapToDevice(ColorToPixel(color)); }

TCanvas::BrushPaint TCanvas::CurrentBrush() const
{
    BrushPaint paint;
    paint.Anchor = deviceOrigin_;
    paint.Color = DevicePixel(brush_->Color());
    const auto& pattern = brush_->Pattern();
    if (pattern) {
        paint.Solid = false;
        TPixel fore = DevicePixel(font_->Color());
        for (size_t i = 0; i < 64; ++i) {
            TPixel p = pattern->Pixels[i];
            if (pattern->Monochrome)
                p = (p & kPixelRgbMask) == kWhite ? paint.Color : fore;
            paint.Pixels[i] = MapToDevice(p);
            paint.Covered[i] = 1;
        }
        return paint;
    }
    switch (brush_->Style()) {
    case bsSolid:
        break;
    case bsClear:
        paint.None = true;
        break;
    default:
        paint.Solid = false;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                size_t i = static_cast<size_t>(y * 8 + x);
                paint.Pixels[i] = paint.Color;
                paint.Covered[i] = HatchCovers(brush_->Style(), x, y) ? 1 : 0;
            }
        break;
    }
    return paint;
}

void TCanvas::FillSurfaceRect(const TRect& surfaceRect, const BrushPaint& brush, int ropTable)
{
    if (brush.None && Rop3UsesPattern(static_cast<TRop3>(ropTable) << 16))
        return;
    ForEachClipped(surfaceRect, [&](const TRect& part) {
        for (int y = part.Top; y < part.Bottom; ++y) {
            TPixel* row = surface_.Row(y);
            if (brush.Solid && ropTable == 0xF0) {
                std::fill(row + part.Left, row + part.Right, brush.Color);
                continue;
            }
            for (int x = part.Left; x < part.Right; ++x)
                if (brush.Covers(x, y))
                    row[x] = MapToDevice(Rop3Pixel(ropTable, brush.At(x, y), 0, row[x]));
        }
    });
}

void TCanvas::FillColor(const TRect& logical, TColor color)
{
    BrushPaint paint;
    paint.Color = DevicePixel(color);
    FillSurfaceRect(ToSurface(logical), paint, 0xF0);
}

void TCanvas::InvertSurfaceRect(const TRect& surfaceRect, bool everyOther)
{
    ForEachClipped(surfaceRect, [&](const TRect& part) {
        for (int y = part.Top; y < part.Bottom; ++y) {
            TPixel* row = surface_.Row(y);
            for (int x = part.Left; x < part.Right; ++x)
                if (!everyOther || ((x - deviceOrigin_.X + y - deviceOrigin_.Y) & 1) == 0)
                    row[x] = ~row[x] & kPixelRgbMask;
        }
    });
}

void TCanvas::FillRect(const TRect& r)
{
    if (r.IsEmpty())
        return;
    FillSurfaceRect(ToSurface(r), CurrentBrush(), 0xF0);
}

void TCanvas::FrameRect(const TRect& r)
{
    if (r.IsEmpty())
        return;
    BrushPaint brush = CurrentBrush();
    TRect s = ToSurface(r);
    FillSurfaceRect({s.Left, s.Top, s.Right, s.Top + 1}, brush, 0xF0);
    if (s.Height() > 1)
        FillSurfaceRect({s.Left, s.Bottom - 1, s.Right, s.Bottom}, brush, 0xF0);
    FillSurfaceRect({s.Left, s.Top + 1, s.Left + 1, s.Bottom - 1}, brush, 0xF0);
    if (s.Width() > 1)
        FillSurfaceRect({s.Right - 1, s.Top + 1, s.Right, s.Bottom - 1}, brush, 0xF0);
}

void TCanvas::InvertRect(const TRect& r)
{
    if (!r.IsEmpty())
        InvertSurfaceRect(ToSurface(r), false);
}

void TCanvas::PatBlt(const TRect& r, TRop3 rop)
{
    if (!r.IsEmpty())
        FillSurfaceRect(ToSurface(r), CurrentBrush(), Rop3Table(rop));
}

// ---- Pixels -----------------------------------------------------------------

TColor TCanvas::Pixel(int x, int y) const
{
    TPoint s = ToSurface(TPoint{x, y});
    if (surface_.IsNull() || !surface_.Bounds().Contains(s))
        return CLR_INVALID;
    return PixelToRgb(surface_.At(s.X, s.Y) & kPixelRgbMask);
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    TPoint s = ToSurface(TPoint{x, y});
    if (Visible(s.X, s.Y))
        surface_.At(s.X, s.Y) = DevicePixel(color);
}

TFontInstance& TCanvas::FontInstance() const
{
    if (!fontInstance_)
        fontInstance_ = &TFontEngine::Instance().Resolve(*font_);
    return *fontInstance_;
}

}  // namespace graphics
