// Bit-block copies: plain, stretched, with raster operations, with a
// transparent or replaced key colour, between colour and monochrome.
#include <cstring>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/CanvasPrivate.h"

namespace graphics {

namespace {

constexpr TPixel kWhite = 0x00FFFFFF;

enum class KeyMode { None, Skip, Replace };

}  // namespace

// Where copied pixels come from and what happens to them on the way.
struct TCanvas::BlitSource {
    TSurface Surface;
    TRect Rect;  // in the source surface's coordinates
    bool Monochrome = false;
    TPixel Background = kWhite;  // the source's background, for colour to monochrome
    KeyMode Key = KeyMode::None;
    TPixel KeyPixel = 0;
};

void TCanvas::Blit(const TRect& destLogical, const BlitSource& source, int table)
{
    if (surface_.IsNull() || destLogical.IsEmpty())
        return;
    const TRect d = ToSurface(destLogical);
    const bool usesSource = Rop3UsesSource(static_cast<TRop3>(table) << 16);
    const bool usesPattern = Rop3UsesPattern(static_cast<TRop3>(table) << 16);
    if (usesSource && (source.Surface.IsNull() || source.Rect.IsEmpty()))
        return;

    // A copy within one surface may overlap itself: read from a snapshot.
    TSurface src = source.Surface;
    TRect sr = source.Rect;
    std::vector<TPixel> snapshot;
    if (usesSource && src.Bits == surface_.Bits) {
        TRect part = Intersection(sr, src.Bounds());
        if (part.IsEmpty())
            return;
        snapshot.resize(static_cast<size_t>(part.Width()) * static_cast<size_t>(part.Height()));
        for (int y = part.Top; y < part.Bottom; ++y)
            std::memcpy(snapshot.data() + static_cast<size_t>(y - part.Top) * static_cast<size_t>(part.Width()),
                        src.Row(y) + part.Left, static_cast<size_t>(part.Width()) * sizeof(TPixel));
        src = TSurface{snapshot.data(), part.Width(), part.Height(), part.Width()};
        sr = Offset(sr, -part.Left, -part.Top);
    }

    BrushPaint brush;
    if (usesPattern) {
        brush = CurrentBrush();
        brush.None = false;
    }
    const TPixel fore = DevicePixel(font_->Color());
    const TPixel back = DevicePixel(brush_->Color());
    const TPixel replacement = back;
    const bool toColor = source.Monochrome && !monochrome_;
    const bool toMono = !source.Monochrome && monochrome_;
    const bool stretch = d.Width() != sr.Width() || d.Height() != sr.Height();
    const bool plainCopy = table == 0xCC && !stretch && source.Key == KeyMode::None && !toColor && !toMono;

    ForEachClipped(d, [&](const TRect& part) {
        for (int y = part.Top; y < part.Bottom; ++y) {
            int sy = sr.Top + static_cast<int>(static_cast<int64_t>(y - d.Top) * sr.Height() / d.Height());
            if (usesSource && (sy < 0 || sy >= src.Height))
                continue;
            TPixel* row = surface_.Row(y);
            if (plainCopy) {
                // Whole pixels move, alpha byte included, where the source has them.
                int x0 = std::max(part.Left, d.Left + (0 - sr.Left));
                int x1 = std::min(part.Right, d.Left + (src.Width - sr.Left));
                if (x1 > x0)
                    std::memcpy(row + x0, src.Row(sy) + sr.Left + (x0 - d.Left),
                                static_cast<size_t>(x1 - x0) * sizeof(TPixel));
                continue;
            }
            for (int x = part.Left; x < part.Right; ++x) {
                TPixel s = 0;
                if (usesSource) {
                    int sx = sr.Left + static_cast<int>(static_cast<int64_t>(x - d.Left) * sr.Width() / d.Width());
                    if (sx < 0 || sx >= src.Width)
                        continue;
                    s = src.At(sx, sy) & kPixelRgbMask;
                    if (source.Key != KeyMode::None && s == source.KeyPixel) {
                        if (source.Key == KeyMode::Skip)
                            continue;
                        s = replacement;
                    } else if (toColor) {
                        s = s == kWhite ? back : fore;
                    } else if (toMono) {
                        s = s == source.Background ? kWhite : 0;
                    }
                }
                TPixel p = usesPattern ? brush.At(x, y) : 0;
                row[x] = MapToDevice(Rop3Pixel(table, p, s, row[x]));
            }
        }
    });
}

TCanvas::BlitSource TCanvas::FromBitmap(const TBitmap& bitmap, const TRect& sourceRect)
{
    BlitSource source;
    source.Surface = bitmap.Surface();
    source.Rect = sourceRect;
    source.Monochrome = bitmap.Monochrome();
    source.Background = ColorToPixel(bitmap.Canvas()->Brush()->Color());
    return source;
}

void TCanvas::BitBlt(int x, int y, int w, int h, const TCanvas& source, int sx, int sy, TRop3 rop)
{
    if (w <= 0 || h <= 0)
        return;
    StretchBlt(Bounds(x, y, w, h), source, Bounds(sx, sy, w, h), rop);
}

void TCanvas::StretchBlt(const TRect& dest, const TCanvas& source, const TRect& sourceRect, TRop3 rop)
{
    BlitSource s;
    s.Surface = source.surface_;
    s.Rect = source.ToSurface(sourceRect);
    s.Monochrome = source.monochrome_;
    s.Background = source.DevicePixel(source.brush_->Color());
    Blit(dest, s, Rop3Table(rop));
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect)
{
    StretchBlt(dest, source, sourceRect, copyMode_);
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap)
{
    if (!bitmap.Empty())
        StretchDraw(Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap);
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    TRect all{0, 0, bitmap.Width(), bitmap.Height()};
    if (bitmap.Transparent())
        DrawTransparent(dest, bitmap, all, bitmap.TransparentColor());
    else
        Blit(dest, FromBitmap(bitmap, all), Rop3Table(copyMode_));
}

void TCanvas::DrawTransparent(const TRect& dest, const TBitmap& bitmap, const TRect& sourceRect, TColor key)
{
    BlitSource source = FromBitmap(bitmap, sourceRect);
    source.Key = KeyMode::Skip;
    source.KeyPixel = ColorToPixel(key);
    Blit(dest, source, Rop3Table(SRCCOPY));
}

void TCanvas::BrushCopy(const TRect& dest, const TBitmap& bitmap, const TRect& sourceRect, TColor key)
{
    BlitSource source = FromBitmap(bitmap, sourceRect);
    source.Key = KeyMode::Replace;
    source.KeyPixel = ColorToPixel(key);
    Blit(dest, source, Rop3Table(SRCCOPY));
}

}  // namespace graphics
