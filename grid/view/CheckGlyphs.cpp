#include "grid/view/CheckGlyphs.h"

#include <algorithm>
#include <cstdlib>

#include "grid/view/CheckState.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace grid {

namespace {

using graphics::TBitmap;
using graphics::TColor;

constexpr int S = kCheckGlyphSize;

// Drawing inside one glyph of the strip.
struct Glyph {
    TBitmap& strip;
    int index;
    void Set(int x, int y, TColor color) const { strip.SetPixel(x, index * S + y, color); }
    TColor Get(int x, int y) const { return strip.Pixel(x, index * S + y); }
    void Fill(int left, int top, int right, int bottom, TColor color) const
    {
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                Set(x, y, color);
    }
    void Frame(int inset, TColor topLeft, TColor bottomRight) const
    {
        int last = S - 1 - inset;
        for (int i = inset; i <= last; ++i) {
            Set(i, inset, topLeft);
            Set(inset, i, topLeft);
            Set(i, last, bottomRight);
            Set(last, i, bottomRight);
        }
    }
};

// A sunken box: the outer edge shadow over highlight, the inner edge dark
// shadow over light, a white interior from 2 to 10.
void SunkenBox(const Glyph& g)
{
    g.Fill(0, 0, S - 1, S - 1, graphics::clWhite);
    g.Frame(0, graphics::clGray, graphics::clWhite);
    g.Frame(1, graphics::clBlack, graphics::clSilver);
}

// A flat box: a one-pixel black border round a white interior from 1 to 11.
void FlatBox(const Glyph& g)
{
    g.Fill(0, 0, S - 1, S - 1, graphics::clWhite);
    g.Frame(0, graphics::clBlack, graphics::clBlack);
}

// Diagonal hatching inside [first, last]: the main diagonal and its
// parallels every second pixel up to `reach` away.
void Hatch(const Glyph& g, int first, int last, int reach, TColor color)
{
    for (int y = first; y <= last; ++y)
        for (int x = first; x <= last; ++x) {
            int d = x - y;
            if (d % 2 == 0 && std::abs(d) <= reach)
                g.Set(x, y, color);
        }
}

// Both diagonals of [first, last], `spread` extra pixels either side.
void Cross(const Glyph& g, int first, int last, int spread)
{
    for (int i = 0; first + i <= last; ++i) {
        int y = first + i;
        for (int dx = -spread; dx <= spread; ++dx) {
            for (int x : {first + i + dx, last - i + dx})
                if (x >= first && x <= last)
                    g.Set(x, y, graphics::clBlack);
        }
    }
}

// The tick: three strokes a pixel apart, each down from the left part of
// the interior and then up to its right edge.
void Tick(const Glyph& g, TColor color)
{
    for (int k = 0; k < 3; ++k) {
        int x = 3, y = 5 + k;
        for (; x <= 5; ++x, ++y)
            g.Set(x, y, color);
        for (y -= 2; x <= 10; ++x, --y)
            g.Set(x, y, color);
    }
}

TBitmap* Build()
{
    auto* strip = new TBitmap();
    strip->SetPixelFormat(graphics::pf24bit);
    strip->SetSize(S, S * kCheckGlyphCount);
    auto glyph = [&](int i) { return Glyph{*strip, i}; };

    SunkenBox(glyph(0));
    Cross(glyph(0), 2, S - 3, 1);
    SunkenBox(glyph(1));
    SunkenBox(glyph(2));
    Hatch(glyph(2), 2, S - 3, 8, graphics::clBlack);
    SunkenBox(glyph(3));
    Tick(glyph(3), graphics::clBlack);
    SunkenBox(glyph(4));
    SunkenBox(glyph(5));
    Hatch(glyph(5), 2, S - 3, 8, graphics::clSilver);
    Tick(glyph(5), graphics::clGray);
    FlatBox(glyph(6));
    Cross(glyph(6), 1, S - 2, 0);
    FlatBox(glyph(7));
    FlatBox(glyph(8));
    Hatch(glyph(8), 1, S - 2, 10, graphics::clBlack);

    // Pressed forms: the sunken boxes with a silver interior, the flat ones
    // with a second border.
    for (int i = 0; i < 9; ++i) {
        Glyph from = glyph(i), to = glyph(i + 9);
        for (int y = 0; y < S; ++y)
            for (int x = 0; x < S; ++x) {
                TColor c = from.Get(x, y);
                to.Set(x, y, i < 6 && c == graphics::clWhite ? graphics::clSilver : c);
            }
        if (i >= 6)
            to.Frame(1, graphics::clBlack, graphics::clBlack);
    }
    return strip;
}

}  // namespace

const TBitmap& CheckGlyphStrip()
{
    // Lives to the end of the process, like the check boxes that use it.
    static const TBitmap* strip = Build();
    return *strip;
}

void DrawCheckGlyph(graphics::TCanvas& canvas, int glyph, int x, int y, const graphics::TRect& clip)
{
    graphics::TRect dest{x, y, x + S, y + S};
    graphics::TRect source{0, glyph * S, S, (glyph + 1) * S};
    // Cut to the clip, moving the source with the cut.
    if (dest.Left < clip.Left) {
        source.Left += clip.Left - dest.Left;
        dest.Left = clip.Left;
    }
    if (dest.Top < clip.Top) {
        source.Top += clip.Top - dest.Top;
        dest.Top = clip.Top;
    }
    if (dest.Right > clip.Right) {
        source.Right -= dest.Right - clip.Right;
        dest.Right = clip.Right;
    }
    if (dest.Bottom > clip.Bottom) {
        source.Bottom -= dest.Bottom - clip.Bottom;
        dest.Bottom = clip.Bottom;
    }
    if (dest.IsEmpty())
        return;
    graphics::TCopyMode mode = canvas.CopyMode();
    canvas.SetCopyMode(CheckGlyphTakesBrush(glyph) ? graphics::cmMergeCopy : graphics::cmSrcCopy);
    canvas.CopyRect(dest, *CheckGlyphStrip().Canvas(), source);
    canvas.SetCopyMode(mode);
}

graphics::TPoint CheckCellGlyphOrigin(const graphics::TRect& content, bool is3D)
{
    constexpr int kMargin = 3;
    int x = content.Left + kMargin + std::max(0, (content.Width() - kMargin - S) / 2);
    int y = content.Top + std::max(0, (content.Height() - S) / 2 + (is3D ? 1 : 0));
    return {x, y};
}

}  // namespace grid
