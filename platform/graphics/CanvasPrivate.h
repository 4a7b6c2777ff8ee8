#pragma once

// Pieces shared by the canvas's source files; not for other code.

#include <array>

#include "platform/graphics/Canvas.h"

namespace graphics {

// A brush made ready for one drawing call: colours resolved to pixels and
// the pattern anchored to the surface position of device (0, 0).
struct TCanvas::BrushPaint {
    bool None = false;   // a clear brush: nothing is painted
    bool Solid = true;   // one colour everywhere
    TPixel Color = 0;
    std::array<TPixel, 64> Pixels{};
    std::array<uint8_t, 64> Covered{};  // hatch gaps are not painted
    TPoint Anchor;

    int Index(int sx, int sy) const { return ((sy - Anchor.Y) & 7) * 8 + ((sx - Anchor.X) & 7); }
    bool Covers(int sx, int sy) const { return Solid || Covered[static_cast<size_t>(Index(sx, sy))]; }
    TPixel At(int sx, int sy) const { return Solid ? Color : Pixels[static_cast<size_t>(Index(sx, sy))]; }
};

// Applies a ternary raster operation (by its truth table) to one pixel,
// with the common tables spelled out.
inline TPixel Rop3Pixel(int table, TPixel p, TPixel s, TPixel d)
{
    switch (table) {
    case 0xCC:
        return s & kPixelRgbMask;
    case 0xF0:
        return p & kPixelRgbMask;
    case 0x88:
        return s & d & kPixelRgbMask;
    case 0xEE:
        return (s | d) & kPixelRgbMask;
    case 0x66:
        return (s ^ d) & kPixelRgbMask;
    case 0x5A:
        return (p ^ d) & kPixelRgbMask;
    case 0x55:
        return ~d & kPixelRgbMask;
    case 0x00:
        return 0;
    case 0xFF:
        return kPixelRgbMask;
    default:
        return ApplyRop3(table, p, s, d) & kPixelRgbMask;
    }
}

// Calls paint(part) for every piece of `surfaceRect` that may be drawn.
template <typename F>
void TCanvas::ForEachClipped(const TRect& surfaceRect, F&& paint) const
{
    TRect part;
    for (const TRect& clip : clipRects_)
        if (IntersectRect(part, clip, surfaceRect))
            paint(part);
}

}  // namespace graphics
