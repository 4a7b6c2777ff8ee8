#pragma once

#include <cstdint>

#include "platform/graphics/Color.h"
#include "platform/graphics/Types.h"

namespace graphics {

// Pixels are 32-bit words 0xAARRGGBB: blue in the low byte, as the bitmap
// file form and the display backends store them. Drawing writes the alpha
// byte as 0; a value read from a 32-bit bitmap file keeps its own until it
// is painted over.
using TPixel = uint32_t;
constexpr TPixel kPixelRgbMask = 0x00FFFFFF;

// An RGB colour (not a system colour reference) as a pixel, and back.
constexpr TPixel RgbToPixel(TColor rgb)
{
    uint32_t c = static_cast<uint32_t>(rgb);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr TColor PixelToRgb(TPixel p) { return static_cast<TColor>(((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF)); }
// Any colour, system colours resolved.
inline TPixel ColorToPixel(TColor color) { return RgbToPixel(ColorToRGB(color)); }

// A view of pixel memory a canvas draws on: rows of `Stride` pixels, the
// first row at the top. The memory belongs to someone else (a bitmap, a
// window's back buffer).
struct TSurface {
    TPixel* Bits = nullptr;
    int Width = 0;
    int Height = 0;
    int Stride = 0;

    bool IsNull() const { return Bits == nullptr || Width <= 0 || Height <= 0; }
    TRect Bounds() const { return {0, 0, Width, Height}; }
    TPixel* Row(int y) const { return Bits + static_cast<std::ptrdiff_t>(y) * Stride; }
    TPixel& At(int x, int y) const { return Row(y)[x]; }
};

}  // namespace graphics
